#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "TestMount.h"
#include "platform/FileOperation.h"
#include "platform/Trash.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace Flag = FileOperationFlag;

namespace {

FileOperationResult trash(const QStringList &paths, Prompter &prompter)
{
    FileOperationRequest r;
    r.operation = FileOperationKind::Delete;
    r.sources = paths;
    r.flags = Flag::AllowUndo | Flag::NoConfirmation;
    r.languageGreek = false;
    return performFileOperation(r, prompter);
}

QString homeTrash()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash");
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The desktop's own tools, run with this test's HOME and XDG_DATA_HOME; gio needs a
// session bus for its trash backend.
QString runTool(const QStringList &command, const QByteArray &input = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(command.first(), command.mid(1));
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString gio(const QStringList &args)
{
    return runTool(QStringList{QStringLiteral("dbus-run-session"), QStringLiteral("--"), QStringLiteral("gio")} + args);
}

bool haveTools()
{
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("trash-list")).isEmpty();
}

// gio prints the bytes of a path above 127 as \xhh escapes.
QString gioEscaped(const QString &path)
{
    QString out;
    for (const char c : path.toUtf8())
        out += uchar(c) < 0x80 ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    return out;
}

void emptyHomeTrash()
{
    QDir(homeTrash()).removeRecursively();
}

} // namespace

class TrashTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { emptyHomeTrash(); }

    void infoFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "plain.txt";
        QTest::newRow("Greek, space, percent") << "Γειά σου 100%.txt";
        QTest::newRow("leading dash") << "-rf";
        QTest::newRow("newline") << "two\nlines";
        QTest::newRow("reserved characters") << "a#b?c&d=e+f;g.txt";
    }
    void infoFile()
    {
        QFETCH(QString, name);
        TempTree tree;
        const QString path = tree.file(name, "content");
        ScriptedPrompter prompter;
        QCOMPARE(trash({path}, prompter).done, 1);
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(readAll(homeTrash() + QStringLiteral("/files/") + name), QByteArray("content"));
        const QString infoPath = homeTrash() + QStringLiteral("/info/") + name + QStringLiteral(".trashinfo");
        const QList<QByteArray> lines = readAll(infoPath).split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QByteArray("[Trash Info]"));
        QCOMPARE(lines[1], "Path=" + QFile::encodeName(path).toPercentEncoding("/"));
        QVERIFY(!lines[1].mid(5).contains(' '));
        QVERIFY2(QRegularExpression(QStringLiteral("^DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"))
                     .match(QString::fromLatin1(lines[2])).hasMatch(), lines[2].constData());
        QCOMPARE(QFileInfo(infoPath).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    }

    void sameNameTwiceGetsFreeName()
    {
        TempTree tree;
        const QString a = tree.file(QStringLiteral("one/report.txt"), "first");
        const QString b = tree.file(QStringLiteral("two/report.txt"), "second");
        ScriptedPrompter prompter;
        QCOMPARE(trash({a, b}, prompter).done, 2);
        QCOMPARE(readAll(homeTrash() + QStringLiteral("/files/report.txt")), QByteArray("first"));
        QCOMPARE(readAll(homeTrash() + QStringLiteral("/files/report (2).txt")), QByteArray("second"));
        QVERIFY(readAll(homeTrash() + QStringLiteral("/info/report (2).txt.trashinfo")).contains("/two/report.txt"));
    }

    void folderSizeIsRecorded()
    {
        TempTree tree;
        tree.file(QStringLiteral("Photos 2024/a.jpg"), QByteArray(10000, 'a'));
        ScriptedPrompter prompter;
        QCOMPARE(trash({tree.path(QStringLiteral("Photos 2024"))}, prompter).done, 1);
        const QList<QByteArray> fields = readAll(homeTrash() + QStringLiteral("/directorysizes")).trimmed().split(' ');
        QCOMPARE(fields.size(), 3);
        QVERIFY(fields[0].toLongLong() >= 10000);
        QCOMPARE(fields[1].toLongLong(),
                 QFileInfo(homeTrash() + QStringLiteral("/info/Photos 2024.trashinfo")).lastModified().toSecsSinceEpoch());
        QCOMPARE(fields[2], QByteArray("Photos%202024"));
    }

    void listedAndRestoredByDesktopTools()
    {
        if (!haveTools())
            QSKIP("gio, dbus-run-session or trash-cli is not installed");
        TempTree tree;
        const QString plain = tree.file(QStringLiteral("docs/plain.txt"), "p");
        const QString greek = tree.file(QStringLiteral("greek/Γειά σου 100%.txt"), "g");
        const QString folder = tree.file(QStringLiteral("folder/inner.txt"), "i").section(QLatin1Char('/'), 0, -2);
        ScriptedPrompter prompter;
        QCOMPARE(trash({plain, greek, folder}, prompter).done, 3);

        const QString gioList = gio({QStringLiteral("trash"), QStringLiteral("--list")});
        for (const QString &path : {plain, greek, folder})
            QVERIFY2(gioList.contains(QLatin1Char('\t') + gioEscaped(path)), qPrintable(gioList));
        const QString cliList = runTool({QStringLiteral("trash-list")});
        for (const QString &path : {plain, greek, folder})
            QVERIFY2(QRegularExpression(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d ")
                                        + QRegularExpression::escape(path))
                         .match(cliList).hasMatch(), qPrintable(cliList));

        gio({QStringLiteral("trash"), QStringLiteral("--restore"), QStringLiteral("trash:///plain.txt")});
        QCOMPARE(tree.read(QStringLiteral("docs/plain.txt")), QByteArray("p"));
        gio({QStringLiteral("trash"), QStringLiteral("--restore"), QStringLiteral("trash:///folder")});
        QCOMPARE(tree.read(QStringLiteral("folder/inner.txt")), QByteArray("i"));
        // gio restores non-ASCII names under an escaped name; trash-restore gets them right.
        QProcess restore;
        restore.setWorkingDirectory(tree.path(QStringLiteral("greek")));
        restore.start(QStringLiteral("trash-restore"), {tree.path(QStringLiteral("greek"))});
        restore.write("0\n");
        restore.closeWriteChannel();
        QVERIFY(restore.waitForFinished(60000));
        QCOMPARE(tree.read(QStringLiteral("greek/Γειά σου 100%.txt")), QByteArray("g"));
    }

    void secondVolumeUsesItsOwnTrash()
    {
        if (!haveTools())
            QSKIP("gio, dbus-run-session or trash-cli is not installed");
        TestMount volume(16);
        if (!volume.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount a second volume: ") + volume.why()));
        const QString item = volume.path() + QStringLiteral("/sub/Έγγραφο 1.txt");
        QDir().mkpath(volume.path() + QStringLiteral("/sub"));
        {
            QFile f(item);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("v");
        }
        ScriptedPrompter prompter;
        QCOMPARE(trash({item}, prompter).done, 1);
        const QString own = volume.path() + QStringLiteral("/.Trash-") + QString::number(::getuid());
        QCOMPARE(readAll(own + QStringLiteral("/files/Έγγραφο 1.txt")), QByteArray("v"));
        QVERIFY(QFileInfo(own).permissions() == (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser));
        // Relative to the top of the volume.
        QVERIFY(readAll(own + QStringLiteral("/info/Έγγραφο 1.txt.trashinfo"))
                    .contains("\nPath=sub/%CE%88%CE%B3%CE%B3%CF%81%CE%B1%CF%86%CE%BF%201.txt\n"));
        QVERIFY(!QFileInfo::exists(homeTrash() + QStringLiteral("/files/Έγγραφο 1.txt")));

        const QString gioList = gio({QStringLiteral("trash"), QStringLiteral("--list")});
        QVERIFY2(gioList.contains(QLatin1Char('\t') + gioEscaped(item)), qPrintable(gioList));
        QVERIFY(runTool({QStringLiteral("trash-list")}).contains(item));
        QProcess restore;
        restore.start(QStringLiteral("trash-restore"), {volume.path() + QStringLiteral("/sub")});
        restore.write("0\n");
        restore.closeWriteChannel();
        QVERIFY(restore.waitForFinished(60000));
        QCOMPARE(readAll(item), QByteArray("v"));
    }

    // $topdir/.Trash is used only when it is a real folder with the sticky bit.
    void sharedVolumeTrash_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("symlink");
        QTest::addColumn<QString>("expected");
        const QString uid = QString::number(::getuid());
        QTest::newRow("sticky") << 01777 << false << QStringLiteral(".Trash/") + uid;
        QTest::newRow("not sticky") << 0777 << false << QStringLiteral(".Trash-") + uid;
        QTest::newRow("a link") << 01777 << true << QStringLiteral(".Trash-") + uid;
    }
    void sharedVolumeTrash()
    {
        QFETCH(int, mode);
        QFETCH(bool, symlink);
        QFETCH(QString, expected);
        TestMount volume;
        if (!volume.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount a second volume: ") + volume.why()));
        const QByteArray top = QFile::encodeName(volume.path());
        if (symlink) {
            QVERIFY(::mkdir(top + "/elsewhere", 01777) == 0);
            QVERIFY(::chmod(top + "/elsewhere", 01777) == 0);
            QVERIFY(::symlink("elsewhere", top + "/.Trash") == 0);
        } else {
            QVERIFY(::mkdir(top + "/.Trash", 0700) == 0);
            QVERIFY(::chmod(top + "/.Trash", mode_t(mode)) == 0);
        }
        const QString item = volume.path() + QStringLiteral("/x.txt");
        QFile f(item);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        ScriptedPrompter prompter;
        QCOMPARE(trash({item}, prompter).done, 1);
        QVERIFY(QFileInfo::exists(volume.path() + QLatin1Char('/') + expected + QStringLiteral("/files/x.txt")));
        QVERIFY(readAll(volume.path() + QLatin1Char('/') + expected + QStringLiteral("/info/x.txt.trashinfo")).contains("\nPath=x.txt\n"));
    }

    // A volume without a usable trash: the items are listed in one question at the end
    // and deleted only on Yes.
    void noTrashAsksOnceAtTheEnd_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("keep") << int(PromptButton::No);
        QTest::newRow("delete for good") << int(PromptButton::Yes);
    }
    void noTrashAsksOnceAtTheEnd()
    {
        QFETCH(int, answer);
        TestMount volume;
        if (!volume.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount a second volume: ") + volume.why()));
        // A file where the trash folder would go.
        QFile blocker(volume.path() + QStringLiteral("/.Trash-") + QString::number(::getuid()));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QStringList items{volume.path() + QStringLiteral("/a.txt"), volume.path() + QStringLiteral("/b")};
        QFile(items[0]).open(QIODevice::WriteOnly);
        QDir().mkpath(items[1] + QStringLiteral("/inner"));
        TempTree home;
        items << home.file(QStringLiteral("c.txt"), "c");
        ScriptedPrompter prompter;
        prompter.answer(PromptButton(answer));
        const FileOperationResult r = trash(items, prompter);
        QCOMPARE(prompter.unexpected, 0);
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY(prompter.last().text.contains(items[0]));
        QVERIFY(prompter.last().text.contains(items[1]));
        QVERIFY(!prompter.last().text.contains(items[2]));
        QCOMPARE(prompter.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        const bool deleted = PromptButton(answer) == PromptButton::Yes;
        QCOMPARE(r.done, deleted ? 3 : 1);
        QCOMPARE(r.skipped, deleted ? 0 : 2);
        QCOMPARE(QFileInfo::exists(items[0]), !deleted);
        QCOMPARE(QFileInfo::exists(items[1] + QStringLiteral("/inner")), !deleted);
        QVERIFY(!QFileInfo::exists(items[2]));
    }

    void mountPointIsNotTrashed()
    {
        TempTree tree;
        TestMount volume;
        if (!volume.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount a second volume: ") + volume.why()));
        QFile f(volume.path() + QStringLiteral("/data.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Skip);
        const FileOperationResult r = trash({volume.path()}, prompter);
        QCOMPARE(r.skipped, 1);
        QVERIFY(prompter.last().text.contains(QStringLiteral("another disk is mounted")));
        QVERIFY(QFileInfo::exists(volume.path() + QStringLiteral("/data.txt")));
    }
};

TIDYHALL_TEST_MAIN(TrashTest)
#include "tst_Trash.moc"
