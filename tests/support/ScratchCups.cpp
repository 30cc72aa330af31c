#include "ScratchCups.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char *const PassThroughPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "PDFPASS.PPD"
*Manufacturer: "Test"
*Product: "(PDF Passthrough)"
*ModelName: "PDF Passthrough"
*ShortNickName: "PDF Passthrough"
*NickName: "PDF Passthrough"
*PSVersion: "(3010.000) 0"
*cupsFilter: "application/pdf 0 gziptoany"
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4: "595 842"
)PPD";

bool writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// A port the kernel just handed out on the loopback address, free again once closed.
int freePort()
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

ScratchCups::ScratchCups() : m_dir(QStringLiteral("/var/tmp/tidyhall-cups-XXXXXX"))
{
    const QString d = m_dir.path();
    // Filters run as the user lp and must reach the spool.
    QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                 | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                 | QFileDevice::ExeOther);
    for (const char *sub : {"etc", "run", "cache", "spool/tmp", "log", "ssl", "out"})
        QDir(d).mkpath(QLatin1String(sub));
    const int port = freePort();
    if (port == 0) {
        m_error = QStringLiteral("no free loopback port");
        return;
    }
    const QByteArray root = d.toUtf8();
    const bool written =
        writeText(d + "/etc/cupsd.conf", "LogLevel debug\nListen 127.0.0.1:" + QByteArray::number(port)
                                             + "\nBrowsing No\nWebInterface No\n<Policy default>\n<Limit All>\n"
                                               "Order deny,allow\n</Limit>\n</Policy>\n")
        && writeText(d + "/etc/cups-files.conf",
                     "ServerRoot " + root + "/etc\nStateDir " + root + "/run\nCacheDir " + root + "/cache\nRequestRoot "
                         + root + "/spool\nTempDir " + root + "/spool/tmp\nServerKeychain " + root + "/ssl\nAccessLog "
                         + root + "/log/access_log\nErrorLog " + root + "/log/error_log\nPageLog " + root
                         + "/log/page_log\nPrintcap " + root + "/run/printcap\nFileDevice Yes\n")
        && writeText(d + "/pdfpass.ppd", PassThroughPpd);
    if (!written) {
        m_error = QStringLiteral("cannot write the scratch configuration");
        return;
    }
    qputenv("CUPS_SERVER", "127.0.0.1:" + QByteArray::number(port));
    m_cupsd.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_cupsd.start(QStringLiteral("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), d + "/etc/cupsd.conf",
                                            QStringLiteral("-s"), d + "/etc/cups-files.conf"});
    if (!m_cupsd.waitForStarted(10000)) {
        m_error = QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        return;
    }
    QString status;
    for (int i = 0; i < 100; ++i) {
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &status)
            && status.trimmed() == QLatin1String("scheduler is running"))
            break;
        if (m_cupsd.state() != QProcess::Running) {
            m_error = QStringLiteral("cupsd ended: ") + log();
            return;
        }
        QThread::msleep(100);
    }
    if (status.trimmed() != QLatin1String("scheduler is running")) {
        m_error = QStringLiteral("cupsd does not answer: ") + log();
        return;
    }
    m_ok = run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue(), QStringLiteral("-v"),
                                           QStringLiteral("file://") + outputFile(), QStringLiteral("-P"),
                                           d + "/pdfpass.ppd", QStringLiteral("-E")})
           && run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue()});
}

ScratchCups::~ScratchCups()
{
    if (m_cupsd.state() == QProcess::Running) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
    }
}

bool ScratchCups::run(const QString &tool, const QStringList &arguments, QString *output)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, arguments);
    const bool finished = p.waitForFinished(30000);
    const QString text = QString::fromLocal8Bit(p.readAll());
    if (output)
        *output = text;
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        m_error = tool + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(": ")
                  + (p.error() == QProcess::FailedToStart ? QStringLiteral("not installed") : text.trimmed());
        return false;
    }
    return true;
}

bool ScratchCups::waitUntilIdle()
{
    QString jobs;
    for (int i = 0; i < 300; ++i) {
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("not-completed"), QStringLiteral("-o"),
                                           queue()},
                &jobs)
            && jobs.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}

QString ScratchCups::log() const
{
    QFile f(m_dir.path() + "/log/error_log");
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().right(4000)) : QString();
}
