#include "TestEnvironment.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A free TCP port on the loopback address, above 1024.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(quint16(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

} // namespace

// What a Windows client sees through a Samba share is what this program reads and
// writes: a real smbd on the loopback address serves a scratch folder, and smbclient
// is the Windows side.
class SambaAttributesTest : public QObject
{
    Q_OBJECT
    // Not on tmpfs, which may keep no user.* attributes.
    std::optional<QTemporaryDir> m_dir;
    QProcess m_smbd;
    int m_port = 0;
    int m_uploads = 0;
    QString m_why;

    QString dir(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }

    // Runs smbclient with `commands`, in UTC and the C locale so that times read plainly.
    QString smbclient(const QString &commands)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TZ", "UTC");
        env.insert("LC_ALL", "C");
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start("smbclient", {"//127.0.0.1/share", "-p", QString::number(m_port), "-U", "root%pw", "-s",
                              dir("smb.conf"), "-c", commands});
        p.waitForFinished(60000);
        return QString::fromLocal8Bit(p.readAll());
    }

    static QString allinfoField(const QString &output, const QString &field)
    {
        const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
        return line.match(output).captured(1).trimmed();
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("smbd", {"/usr/sbin", "/usr/bin"}).isEmpty()
            || QStandardPaths::findExecutable("smbclient").isEmpty())
            QSKIP("smbd or smbclient is not installed (scripts/setup installs samba and smbclient)");
        m_dir.emplace(QStringLiteral("/var/tmp/tidyhall-smb-XXXXXX"));
        QVERIFY(m_dir->isValid());
        for (const char *sub : {"private", "lock", "state", "cache", "run", "ncalrpc", "share"})
            QVERIFY(QDir().mkpath(dir(sub)));
        QFile::setPermissions(dir("private"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_port = freePort();
        QFile conf(dir("smb.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        const QString d = m_dir->path();
        conf.write(QStringLiteral("[global]\n  interfaces = lo\n  bind interfaces only = yes\n  smb ports = %1\n"
                                  "  private dir = %2/private\n  passdb backend = tdbsam:%2/private/passdb.tdb\n"
                                  "  lock directory = %2/lock\n  state directory = %2/state\n"
                                  "  cache directory = %2/cache\n  pid directory = %2/run\n  ncalrpc dir = %2/ncalrpc\n"
                                  "  log file = %2/log.%m\n  load printers = no\n  disable spoolss = yes\n"
                                  "[share]\n  path = %2/share\n  read only = no\n  store dos attributes = yes\n"
                                  "  ea support = yes\n")
                       .arg(m_port)
                       .arg(d)
                       .toUtf8());
        conf.close();
        QProcess passwd;
        passwd.start("smbpasswd", {"-c", dir("smb.conf"), "-a", "-s", "root"});
        passwd.write("pw\npw\n");
        passwd.closeWriteChannel();
        if (!passwd.waitForFinished(60000) || passwd.exitCode() != 0)
            QSKIP(qPrintable("smbpasswd failed: " + QString::fromLocal8Bit(passwd.readAllStandardError())));
        m_smbd.setStandardInputFile(QProcess::nullDevice());
        m_smbd.setStandardOutputFile(dir("smbd.out"));
        m_smbd.setProcessChannelMode(QProcess::MergedChannels);
        // A process group of its own: smbd signals its whole group when it stops, which
        // must reach its helpers, not this test.
        m_smbd.setChildProcessModifier([] { ::setsid(); });
        m_smbd.start(QStandardPaths::findExecutable("smbd", {"/usr/sbin", "/usr/bin"}),
                     {"-F", "--no-process-group", "--debug-stdout", "-s", dir("smb.conf")});
        if (!m_smbd.waitForStarted(30000))
            QSKIP("smbd cannot start");
        // Readiness is the port answering, not a time.
        for (int i = 0; i < 300 && !accepts(m_port); ++i) {
            if (m_smbd.state() == QProcess::NotRunning) {
                QFile out(dir("smbd.out"));
                out.open(QIODevice::ReadOnly);
                QSKIP(qPrintable("smbd stopped: " + QString::fromLocal8Bit(out.readAll().right(400))));
            }
            QTest::qWait(100);
        }
        if (!accepts(m_port))
            QSKIP("smbd does not answer on the loopback address");
    }

    void cleanupTestCase()
    {
        if (m_smbd.state() != QProcess::NotRunning) {
            m_smbd.terminate();
            if (!m_smbd.waitForFinished(20000))
                m_smbd.kill();
            m_smbd.waitForFinished(5000);
        }
    }

    // Set by this program, read by the Windows side.
    void oursReadBySamba_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("system");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("archive");
        QTest::addColumn<QString>("letters");
        QTest::newRow("hidden") << true << false << false << false << "H";
        QTest::newRow("hidden system archive") << true << true << false << true << "HSA";
        QTest::newRow("read-only archive") << false << false << true << true << "RA";
    }
    void oursReadBySamba()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, system);
        QFETCH(bool, readOnly);
        QFETCH(bool, archive);
        QFETCH(QString, letters);
        const QString name = QStringLiteral("ours-%1.txt").arg(QTest::currentDataTag()).replace(' ', '-');
        const QString path = dir("share/") + name;
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        const QDateTime created(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        writeTimes(path, created, std::nullopt, std::nullopt);
        DosAttributes wanted;
        wanted.hidden = hidden;
        wanted.system = system;
        wanted.readOnly = readOnly;
        wanted.archive = archive;
        writeAttributes(path, wanted);

        const QString info = smbclient("allinfo " + name);
        const QString attributes = allinfoField(info, "attributes");
        QVERIFY2(attributes.startsWith(letters + " ("), qPrintable(info));
        QCOMPARE(allinfoField(info, "create_time"), QStringLiteral("Sat Feb  3 04:05:06 2001 UTC"));
    }

    // Set on the Windows side, read by this program.
    void sambaReadByOurs_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("system");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("archive");
        QTest::newRow("+h") << "+h" << true << false << false << true;
        QTest::newRow("+hs -a") << "+hs -a" << true << true << false << false;
        QTest::newRow("+r") << "+r" << false << false << true << true;
    }
    void sambaReadByOurs()
    {
        QFETCH(QString, mode);
        QFETCH(bool, hidden);
        QFETCH(bool, system);
        QFETCH(bool, readOnly);
        QFETCH(bool, archive);
        const QString name = QStringLiteral("theirs-%1.txt").arg(++m_uploads);
        QFile local(dir("upload.txt"));
        QVERIFY(local.open(QIODevice::WriteOnly));
        local.write("y");
        local.close();
        smbclient(QStringLiteral("put %1 %2; setmode %2 %3; utimes %2 2002:03:04-05:06:07 -1 -1 -1")
                      .arg(dir("upload.txt"), name, mode));
        const QString path = dir("share/") + name;
        QVERIFY(QFile::exists(path));
        const DosAttributes read = readAttributes(path);
        QCOMPARE(read.hidden, hidden);
        QCOMPARE(read.system, system);
        QCOMPARE(read.readOnly, readOnly);
        QCOMPARE(read.archive, archive);
        QCOMPARE(readTimes(path).created, QDateTime(QDate(2002, 3, 4), QTime(5, 6, 7), Qt::UTC));
    }
};

TIDYHALL_TEST_MAIN(SambaAttributesTest)
#include "tst_SambaAttributes.moc"
