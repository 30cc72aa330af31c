#include "ScratchCups.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "inspect/ItemProperties.h"
#include "inspect/ShellActions.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes `contents` to the exact path (QFile would re-encode odd bytes).
void writeExact(const QString &path, const QByteArray &contents)
{
    const int fd = ::open(ExactName::toBytes(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QVERIFY(fd >= 0);
    QCOMPARE(::write(fd, contents.constData(), contents.size()), ssize_t(contents.size()));
    ::close(fd);
}

// The arguments the recorder wrote, one per NUL. Reading the FIFO waits for the
// program itself, not for a guessed time.
QList<QByteArray> recorded(const QString &fifo)
{
    QFile f(fifo);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> args = f.readAll().split('\0');
    args.removeLast();
    return args;
}

// One page saying `text`, as small as a valid PDF gets.
QByteArray minimalPdf(const QByteArray &text)
{
    const QByteArray content = "BT /F1 24 Tf 72 720 Td (" + text + ") Tj ET";
    const QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

// The names a file can have that a careless program would turn into commands,
// options or two arguments.
void awkwardNames()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("plain") << QByteArray("plain.txt");
    QTest::newRow("blanks") << QByteArray(" two  blanks .txt");
    QTest::newRow("quotes") << QByteArray("it's \"quoted\".txt");
    QTest::newRow("semicolon") << QByteArray("a;rm -rf x.txt");
    QTest::newRow("command substitution") << QByteArray("$(touch owned) `id`.txt");
    QTest::newRow("leading dash") << QByteArray("-rf --help.txt");
    QTest::newRow("not UTF-8") << QByteArray("caf\xE9 \xFF.txt");
    QTest::newRow("line break") << QByteArray("two\nlines.txt");
}

// A file manager on the private bus that records the items it was asked to show.
class FileManagerStandIn : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown() const
    {
        QMutexLocker lock(&m_mutex);
        return m_shown;
    }
public Q_SLOTS:
    void ShowItemProperties(const QStringList &uris, const QString &)
    {
        QMutexLocker lock(&m_mutex);
        m_shown += uris;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_shown;
};

} // namespace

class ShellActionsTest : public QObject
{
    Q_OBJECT
    TempTree m_tree;
    QString m_fifo;
    QString m_recorder;

    QString exactPath(const QByteArray &name) const { return m_tree.root() + QLatin1Char('/') + ExactName::fromBytes(name); }

    void makeFifo()
    {
        ::unlink(QFile::encodeName(m_fifo).constData());
        QCOMPARE(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600), 0);
    }

private Q_SLOTS:
    // A desktop of our own: one application, the recorder, is the default for plain
    // text; PNG pictures default to an application whose program is missing; nothing
    // else is associated (the system's applications are out of sight, its MIME
    // database is not). GLib reads these folders once, at its first use, below.
    void initTestCase()
    {
        m_fifo = m_tree.path(QStringLiteral("args.fifo"));
        m_recorder = m_tree.file(QStringLiteral("recorder.sh"), "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$RECORD\"\n");
        QFile::setPermissions(m_recorder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("RECORD", QFile::encodeName(m_fifo));

        const QString system = m_tree.folder(QStringLiteral("xdg/system"));
        QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), system + QStringLiteral("/mime")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(system));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_tree.folder(QStringLiteral("xdg/sysconfig"))));
        qunsetenv("XDG_CURRENT_DESKTOP");
        const QString apps = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
        QVERIFY(QDir().mkpath(apps));
        QFile recorder(apps + QStringLiteral("/tidytest-recorder.desktop"));
        QVERIFY(recorder.open(QIODevice::WriteOnly));
        recorder.write("[Desktop Entry]\nType=Application\nName=Recorder\nExec=" + QFile::encodeName(m_recorder)
                       + " %f\nNoDisplay=true\n");
        recorder.close();
        QFile broken(apps + QStringLiteral("/tidytest-broken.desktop"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("[Desktop Entry]\nType=Application\nName=Broken\nExec=/nonexistent/viewer %f\n");
        broken.close();
        QFile defaults(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/mimeapps.list"));
        QVERIFY(defaults.open(QIODevice::WriteOnly));
        defaults.write("[Default Applications]\ntext/plain=tidytest-recorder.desktop\n"
                       "image/png=tidytest-broken.desktop\n");
    }

    // Qt cannot remove names that are not UTF-8; the exact bytes can.
    void cleanupTestCase()
    {
        DIR *dir = ::opendir(QFile::encodeName(m_tree.root()).constData());
        QVERIFY(dir);
        while (const dirent *entry = ::readdir(dir))
            if (ExactName::hasOddBytes(ExactName::fromBytes(QByteArrayView(entry->d_name, qstrlen(entry->d_name)))))
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
        ::closedir(dir);
    }

    void errorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("text");
        QTest::newRow("31") << 31 << false << "No association for file extension";
        QTest::newRow("0 unknown") << 0 << false << "Unknown error";
        QTest::newRow("33 unknown Greek") << 33 << true << "Απροσδιόριστο σφάλμα";
    }
    void errorTexts()
    {
        QFETCH(int, code);
        QFETCH(bool, greek);
        QTEST(ShellExecuteErrorText(code, greek), "text");
    }

    void openStartsTheDefaultApplicationWithExactlyTheItem_data() { awkwardNames(); }
    void openStartsTheDefaultApplicationWithExactlyTheItem()
    {
        QFETCH(QByteArray, name);
        const QString path = exactPath(name);
        writeExact(path, "some plain text\n");
        QCOMPARE(ContentTypeOf(path), QStringLiteral("text/plain"));
        makeFifo();
        QCOMPARE(ShellOpen(path), ShellResult::Done);
        QCOMPARE(recorded(m_fifo), QList<QByteArray>{ExactName::toBytes(path)});
    }

    void openFailures_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("result");
        QTest::newRow("no application for the type") << QByteArray("blob.tidyzz") << QByteArray("\x01\x02\xff\xfe\x00", 5)
                                                      << ShellResult::NoAssociation;
        QTest::newRow("default application's program missing")
            << QByteArray("picture.png") << QByteArray("\x89PNG\r\n\x1a\n", 8) << ShellResult::NoAssociation;
        QTest::newRow("removed since it was selected") << QByteArray("gone.txt") << QByteArray() << ShellResult::FileNotFound;
    }
    void openFailures()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, contents);
        const QString path = exactPath(name);
        if (!contents.isEmpty())
            writeExact(path, contents);
        QTEST(ShellOpen(path), "result");
    }

    void quickViewCommand_data()
    {
        QTest::addColumn<QString>("quickViewPath");
        QTest::addColumn<QStringList>("command"); // empty: refused
        const QString item = QStringLiteral("/d/-x y;\"$(z)\xDCFF");
        QTest::newRow("program") << "viewer" << QStringList{"viewer", item};
        QTest::newRow("program with options") << "  eog   --fullscreen " << QStringList{"eog", "--fullscreen", item};
        QTest::newRow("quoted program") << "\"/opt/my viewer/qv\" -a" << QStringList{"/opt/my viewer/qv", "-a", item};
        QTest::newRow("literal quote") << "qv \"\"\"x" << QStringList{"qv", "\"x", item};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("blanks only") << "   " << QStringList{};
        QTest::newRow("unbalanced quote") << "\"/opt/qv -a" << QStringList{};
        QTest::newRow("unbalanced after a program") << "qv \"a b" << QStringList{};
    }
    void quickViewCommand()
    {
        QFETCH(QString, quickViewPath);
        QFETCH(QStringList, command);
        const std::optional<QStringList> built = QuickViewCommand(quickViewPath, QStringLiteral("/d/-x y;\"$(z)\xDCFF"));
        QCOMPARE(built.value_or(QStringList{}), command);
    }

    void quickViewFailures_data()
    {
        QTest::addColumn<QString>("quickViewPath");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("says");
        QTest::newRow("empty") << "" << QByteArray("plain.txt") << ErrorNumber::FileNotFound << "No quick viewer";
        QTest::newRow("unbalanced quote") << "\"qv" << QByteArray("plain.txt") << ErrorNumber::BadFileName
                                          << "not closed";
        QTest::newRow("no such program") << "/nonexistent/qv" << QByteArray("plain.txt") << ErrorNumber::FileNotFound
                                         << "/nonexistent/qv";
        QTest::newRow("item removed") << "qv" << QByteArray("vanished.txt") << ErrorNumber::FileNotFound
                                      << "vanished.txt";
    }
    void quickViewFailures()
    {
        QFETCH(QString, quickViewPath);
        QFETCH(QByteArray, name);
        try {
            ShellQuickView(quickViewPath, exactPath(name), false);
            QFAIL("started");
        } catch (const RuntimeError &e) {
            QTEST(e.number, "number");
            QFETCH(QString, says);
            QVERIFY2(e.description.contains(says), qPrintable(e.description));
        }
    }

    // A scheduler of our own with one queue that writes each job to a file.
    void printSendsPrintableTypesToTheDefaultPrinter()
    {
        ScratchCups cups;
        if (!cups.isRunning())
            QSKIP(qPrintable(cups.failure()));
        qunsetenv("LPDEST");
        qunsetenv("PRINTER");
        const QString text = exactPath("-$(x);'q' \xE9.txt");
        writeExact(text, "Tidyhall prints text\n");

        QVERIFY(!cups.addFileQueue(QStringLiteral("office"), false).isEmpty());
        const PrintOutcome none = ShellPrint(text, false);
        QVERIFY(none.noDefaultPrinter);
        QVERIFY(cups.completedJobs(QStringLiteral("office")).isEmpty());

        QVERIFY(!cups.addFileQueue(QStringLiteral("office"), true).isEmpty());
        QCOMPARE(ShellPrint(text, false).result, ShellResult::Done);
        QVERIFY2(cups.waitForJobs(QStringLiteral("office")), cups.errorLog().right(2000).constData());
        QCOMPARE(cups.output(QStringLiteral("office")), QByteArray("Tidyhall prints text\n"));

        const QString pdf = exactPath("report one.pdf");
        writeExact(pdf, minimalPdf("Tidyhall prints PDF"));
        QCOMPARE(ShellPrint(pdf, false).result, ShellResult::Done);
        QVERIFY2(cups.waitForJobs(QStringLiteral("office")), cups.errorLog().right(2000).constData());
        QCOMPARE(cups.completedJobs(QStringLiteral("office")).size(), 2);
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
        pdftotext.write(cups.output(QStringLiteral("office")));
        pdftotext.closeWriteChannel();
        QVERIFY(pdftotext.waitForFinished());
        QVERIFY2(pdftotext.readAllStandardOutput().contains("Tidyhall prints PDF"), "the printed PDF lost its text");

        // What cannot be printed never reaches the queue.
        writeExact(exactPath("blob.tidyzz"), QByteArray("\x01\x02\xff\xfe\x00", 5));
        QCOMPARE(ShellPrint(exactPath("blob.tidyzz"), false).result, ShellResult::NoAssociation);
        QCOMPARE(ShellPrint(m_tree.folder(QStringLiteral("a folder")), false).result, ShellResult::NoAssociation);
        QCOMPARE(ShellPrint(exactPath("gone.pdf"), false).result, ShellResult::FileNotFound);
        QCOMPARE(cups.completedJobs(QStringLiteral("office")).size(), 2);
    }

    // A private session bus with a file manager that records ShowItemProperties; then
    // the same bus without it; then no bus at all.
    void propertiesGoToTheFileManagerWhenOneIsThere()
    {
        QProcess daemon;
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!daemon.waitForStarted() || !daemon.waitForReadyRead())
            QSKIP("dbus-daemon cannot start");
        const QByteArray address = daemon.readLine().trimmed();
        const QByteArray previous = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        const auto restore = qScopeGuard([&] {
            qputenv("DBUS_SESSION_BUS_ADDRESS", previous);
            daemon.terminate();
            daemon.waitForFinished();
        });

        QThread serviceThread;
        FileManagerStandIn fileManager;
        fileManager.moveToThread(&serviceThread);
        serviceThread.start();
        const QString connection = QStringLiteral("file-manager");
        bool registered = false;
        QMetaObject::invokeMethod(
            &fileManager,
            [&] {
                QDBusConnection bus = QDBusConnection::connectToBus(QString::fromUtf8(address), connection);
                registered = bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager,
                                                QDBusConnection::ExportAllSlots)
                             && bus.registerService(QStringLiteral("org.freedesktop.FileManager1"));
            },
            Qt::BlockingQueuedConnection);
        QVERIFY(registered);

        const QString item = exactPath("a b \xFF.txt");
        writeExact(item, "x");
        QVERIFY(ShowPropertiesThroughFileManager(item));
        const QStringList shown = fileManager.shown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QLatin1String("file:///")));
        QCOMPARE(QByteArray::fromPercentEncoding(shown[0].mid(7).toLatin1()), ExactName::toBytes(item));

        QMetaObject::invokeMethod(
            &fileManager, [&] { QDBusConnection::disconnectFromBus(connection); }, Qt::BlockingQueuedConnection);
        serviceThread.quit();
        serviceThread.wait();
        QVERIFY(!ShowPropertiesThroughFileManager(item));

        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus");
        QVERIFY(!ShowPropertiesThroughFileManager(item));
    }

    // Our own window's values, read back against stat.
    void itemPropertiesMatchStat()
    {
        const QString path = exactPath("props \xE9.txt");
        writeExact(path, "twelve bytes");
        ::chmod(ExactName::toBytes(path).constData(), 0640);
        struct stat st;
        QCOMPARE(::stat(ExactName::toBytes(path).constData(), &st), 0);

        const ItemProperties item = ReadItemProperties(path);
        QCOMPARE(item.name, ExactName::fromBytes("props \xE9.txt"));
        QCOMPARE(item.location, m_tree.root());
        QCOMPARE(item.size, std::int64_t(st.st_size));
        QCOMPARE(item.mimeType, QStringLiteral("text/plain"));
        QCOMPARE(item.times.modified.toSecsSinceEpoch(), qint64(st.st_mtim.tv_sec));
        QCOMPARE(item.times.accessed.toSecsSinceEpoch(), qint64(st.st_atim.tv_sec));
        QCOMPARE(PermissionText(item.mode), QStringLiteral("rw-r----- (0640)"));
        QVERIFY(!item.isFolder);

        const QList<PropertyLine> english = PropertyLines(item, false);
        QCOMPARE(english.size(), 12);
        QCOMPARE(english[0].value, QStringLiteral("props \\xE9.txt"));
        QCOMPARE(english[3].value, QStringLiteral("12 bytes"));
        QCOMPARE(PropertyLines(item, true)[3].caption, QStringLiteral("Μέγεθος:"));

        QVERIFY_THROWS_EXCEPTION(RuntimeError, ReadItemProperties(exactPath("not there")));
    }

    void permissionText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("text");
        QTest::newRow("set-user-id") << 04755 << "rwsr-xr-x (4755)";
        QTest::newRow("sticky") << 01777 << "rwxrwxrwt (1777)";
    }
    void permissionText()
    {
        QFETCH(int, mode);
        QTEST(PermissionText(mode_t(mode)), "text");
    }
};

TIDYHALL_TEST_MAIN(ShellActionsTest)
#include "tst_ShellActions.moc"
