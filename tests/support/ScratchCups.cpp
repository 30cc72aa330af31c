#include "ScratchCups.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Filters run as the user lp and must reach the spool: the scratch folder lies where
// everyone may pass through, not under the test's private temporary folder.
QString scratchTemplate()
{
    return QStringLiteral("/var/tmp/tidyhall-cups-XXXXXX");
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

// A printer description whose only filter copies the document unchanged.
const char PassThroughPpd[] = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PASSTHRU.PPD"
*Manufacturer: "Test"
*Product: "(Pass Through)"
*ModelName: "Pass Through"
*ShortNickName: "Pass Through"
*NickName: "Pass Through"
*PSVersion: "(3010.000) 0"
*cupsFilter: "application/pdf 0 gziptoany"
*cupsFilter: "application/postscript 0 gziptoany"
*cupsFilter: "text/plain 0 gziptoany"
*cupsFilter: "image/png 0 gziptoany"
*cupsFilter: "image/jpeg 0 gziptoany"
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
)PPD";

int freeLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(fd);
    return port;
}

} // namespace

ScratchCups::ScratchCups() : m_dir(scratchTemplate())
{
    m_hadServer = qEnvironmentVariableIsSet("CUPS_SERVER");
    m_previousServer = qgetenv("CUPS_SERVER");
    if (!m_dir.isValid()) {
        m_failure = QStringLiteral("no scratch folder under /var/tmp");
        return;
    }
    const QString d = m_dir.path();
    ::chmod(QFile::encodeName(d).constData(), 0755);
    for (const char *sub : {"etc", "run", "cache", "spool/tmp", "log", "ssl", "out"})
        QDir().mkpath(d + QLatin1Char('/') + QLatin1String(sub));
    ::chmod(QFile::encodeName(d + QStringLiteral("/spool")).constData(), 0755);
    m_port = freeLoopbackPort();
    const QByteArray conf = "LogLevel debug\nListen 127.0.0.1:" + QByteArray::number(m_port)
                            + "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                              "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n";
    const QByteArray files = "ServerRoot " + QFile::encodeName(d) + "/etc\nStateDir " + QFile::encodeName(d)
                             + "/run\nCacheDir " + QFile::encodeName(d) + "/cache\nRequestRoot " + QFile::encodeName(d)
                             + "/spool\nTempDir " + QFile::encodeName(d) + "/spool/tmp\nServerKeychain "
                             + QFile::encodeName(d) + "/ssl\nAccessLog " + QFile::encodeName(d)
                             + "/log/access_log\nErrorLog " + QFile::encodeName(d) + "/log/error_log\nPageLog "
                             + QFile::encodeName(d) + "/log/page_log\nPrintcap " + QFile::encodeName(d) + "/run/printcap\nFileDevice Yes\n";
    if (!m_port || !writeFile(d + QStringLiteral("/etc/cupsd.conf"), conf)
        || !writeFile(d + QStringLiteral("/etc/cups-files.conf"), files)
        || !writeFile(d + QStringLiteral("/passthrough.ppd"), PassThroughPpd)) {
        m_failure = QStringLiteral("could not write the scratch configuration");
        return;
    }
    qputenv("CUPS_SERVER", server().toLatin1());

    m_cupsd.setProgram(QStringLiteral("cupsd"));
    m_cupsd.setArguments({QStringLiteral("-f"), QStringLiteral("-c"), d + QStringLiteral("/etc/cupsd.conf"),
                          QStringLiteral("-s"), d + QStringLiteral("/etc/cups-files.conf")});
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start();
    if (!m_cupsd.waitForStarted()) {
        m_failure = QStringLiteral("cupsd cannot start: ") + m_cupsd.errorString();
        return;
    }
    // The scheduler answers once it has read its configuration.
    for (int attempt = 0; attempt < 150; ++attempt) {
        if (client(QStringLiteral("lpstat"), {QStringLiteral("-r")}).trimmed() == "scheduler is running") {
            m_running = true;
            return;
        }
        if (m_cupsd.state() != QProcess::Running)
            break;
        QThread::msleep(100);
    }
    m_failure = QStringLiteral("cupsd did not come up: ") + QString::fromLocal8Bit(m_cupsd.readAll() + errorLog());
}

ScratchCups::~ScratchCups()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
        m_cupsd.waitForFinished();
    }
    if (m_hadServer)
        qputenv("CUPS_SERVER", m_previousServer);
    else
        qunsetenv("CUPS_SERVER");
}

QString ScratchCups::server() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QByteArray ScratchCups::client(const QString &program, const QStringList &arguments, int *exitCode) const
{
    QProcess p;
    p.start(program, arguments);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

QString ScratchCups::addFileQueue(const QString &name, bool makeDefault)
{
    const QString out = m_dir.path() + QStringLiteral("/out/") + name;
    int code = -1;
    client(QStringLiteral("lpadmin"), {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("file://") + out,
                                       QStringLiteral("-P"), m_dir.path() + QStringLiteral("/passthrough.ppd"),
                                       QStringLiteral("-E")},
           &code);
    if (code != 0)
        return {};
    if (makeDefault) {
        client(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name}, &code);
        if (code != 0)
            return {};
    }
    return out;
}

bool ScratchCups::waitForJobs(const QString &queue)
{
    for (int attempt = 0; attempt < 600; ++attempt) {
        int code = -1;
        const QByteArray pending =
            client(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o"), queue},
                   &code);
        if (code != 0)
            return false;
        if (pending.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QStringList ScratchCups::completedJobs(const QString &queue)
{
    QStringList jobs;
    const QByteArray listing =
        client(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"), QStringLiteral("-o"), queue});
    for (const QByteArray &line : listing.split('\n'))
        if (!line.trimmed().isEmpty())
            jobs.append(QString::fromLocal8Bit(line.split(' ').first()));
    return jobs;
}

QByteArray ScratchCups::output(const QString &queue) const
{
    QFile f(m_dir.path() + QStringLiteral("/out/") + queue);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray ScratchCups::errorLog() const
{
    QFile f(m_dir.path() + QStringLiteral("/log/error_log"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
