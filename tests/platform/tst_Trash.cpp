#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "platform/FileOperation.h"
#include "platform/Trash.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileOperationResult trash(const QStringList &paths, Prompter &prompter)
{
    FileOperationRequest r;
    r.operation = FileOperationKind::Delete;
    r.sources = paths;
    r.flags = FileOperationFlag::AllowUndo | FileOperationFlag::NoConfirmation;
    r.languageGreek = false;
    return performFileOperation(r, prompter);
}

QString homeTrash()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + "/Trash";
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString writeFile(const QString &path, const QByteArray &contents = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(contents);
    return path;
}

// The desktop's own tools, run with this test's HOME and XDG_DATA_HOME; gio needs a
// session bus for its trash backend.
QString runTool(const QStringList &command, const QByteArray &input = {})
{
    QProcess p;
    p.start(command.first(), command.mid(1));
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString gio(const QStringList &args)
{
    return runTool(QStringList{"dbus-run-session", "--", "gio", "trash"} + args);
}

// trash-restore offers what was trashed from under `folder`; "0" picks the first.
void trashRestore(const QString &folder)
{
    runTool({"trash-restore", folder}, "0\n");
}

bool haveTools()
{
    for (const char *tool : {"dbus-run-session", "gio", "trash-list", "trash-restore"})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
    return true;
}

// Whether both tools list `path` as trashed; gio prints the bytes above 127 as \xhh.
void verifyListedByTools(const QString &path)
{
    QString escaped;
    for (const char c : path.toUtf8())
        escaped += uchar(c) < 0x80 ? QString(QLatin1Char(c)) : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
    const QString gioList = gio({"--list"});
    QVERIFY2(gioList.contains('\t' + escaped), qPrintable(gioList));
    const QString cliList = runTool({"trash-list"});
    static const QRegularExpression dated(QStringLiteral("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d (.*)"));
    QStringList listed;
    for (const auto &match : dated.globalMatch(cliList))
        listed << match.captured(1);
    QVERIFY2(listed.contains(path), qPrintable(cliList));
}

} // namespace

class TrashTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QDir(homeTrash()).removeRecursively(); }

    // What trashing writes in the home trash, and the desktop's tools reading it back.
    void trashingAtHome()
    {
        TempTree tree;
        const QString greek = tree.file("greek/Γειά σου 100%.txt", "g");
        const QString reserved = tree.file("a#b?c&d=e+f;\ng.txt", "r");
        const QString first = tree.file("one/report.txt", "first");
        const QString second = tree.file("two/report.txt", "second");
        const QString folder = QFileInfo(tree.file("Photos 2024/a.jpg", QByteArray(10000, 'a'))).path();
        ScriptedPrompter prompter;
        QCOMPARE(trash({greek, reserved, first, second, folder}, prompter).done, 5);
        // The second report.txt gets a free name.
        const QList<std::pair<QString, QString>> trashed{{"Γειά σου 100%.txt", greek}, {"a#b?c&d=e+f;\ng.txt", reserved},
            {"report.txt", first}, {"report (2).txt", second}, {"Photos 2024", folder}};
        static const QRegularExpression date(QStringLiteral("^DeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$"));
        for (const auto &[name, path] : trashed) {
            QVERIFY(!QFileInfo::exists(path));
            QVERIFY(QFileInfo::exists(homeTrash() + "/files/" + name));
            const QString infoPath = homeTrash() + "/info/" + name + ".trashinfo";
            const QList<QByteArray> lines = readAll(infoPath).split('\n');
            QCOMPARE(lines.size(), 4);
            QCOMPARE(lines[0], QByteArray("[Trash Info]"));
            QCOMPARE(lines[1], "Path=" + QFile::encodeName(path).toPercentEncoding("/"));
            QVERIFY2(date.match(QString::fromLatin1(lines[2])).hasMatch(), lines[2].constData());
            QCOMPARE(QFileInfo(infoPath).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
        }
        QCOMPARE(readAll(homeTrash() + "/files/report (2).txt"), QByteArray("second"));
        const QList<QByteArray> sizes = readAll(homeTrash() + "/directorysizes").trimmed().split(' ');
        QCOMPARE(sizes.size(), 3);
        QVERIFY(sizes[0].toLongLong() >= 10000);
        QCOMPARE(sizes[1].toLongLong(), QFileInfo(homeTrash() + "/info/Photos 2024.trashinfo").lastModified().toSecsSinceEpoch());
        QCOMPARE(sizes[2], QByteArray("Photos%202024"));

        if (!haveTools())
            QSKIP("gio, dbus-run-session or trash-cli is not installed");
        for (const QString &path : {greek, first, second, folder})
            verifyListedByTools(path);
        gio({"--restore", "trash:///report.txt"});
        QCOMPARE(tree.read("one/report.txt"), QByteArray("first"));
        gio({"--restore", "trash:///Photos%202024"});
        QCOMPARE(tree.read("Photos 2024/a.jpg").size(), 10000);
        // gio restores non-ASCII names under an escaped name; trash-restore gets them right.
        trashRestore(tree.path("greek"));
        QCOMPARE(tree.read("greek/Γειά σου 100%.txt"), QByteArray("g"));
    }

    // An item on another volume goes to that volume's own trash, named relative to its
    // top, where the desktop's tools find and restore it. $topdir/.Trash is used only
    // when it is a real folder with the sticky bit.
    void otherVolumeHasItsOwnTrash_data()
    {
        QTest::addColumn<QString>("shared"); // what stands at $topdir/.Trash
        QTest::addColumn<QString>("expected");
        const QString uid = QString::number(::getuid());
        QTest::newRow("no shared trash") << "" << ".Trash-" + uid;
        QTest::newRow("sticky") << "sticky" << ".Trash/" + uid;
        QTest::newRow("not sticky") << "plain" << ".Trash-" + uid;
        QTest::newRow("a link") << "link" << ".Trash-" + uid;
    }
    void otherVolumeHasItsOwnTrash()
    {
        QFETCH(QString, shared);
        QFETCH(QString, expected);
        ScratchMount volume = ScratchMount::ext4(16);
        if (!volume.ok())
            QSKIP(qPrintable("cannot mount a second volume: " + volume.why()));
        const QByteArray top = QFile::encodeName(volume.path());
        if (shared == "link") {
            QVERIFY(::mkdir(top + "/elsewhere", 0700) == 0 && ::chmod(top + "/elsewhere", 01777) == 0);
            QVERIFY(::symlink("elsewhere", top + "/.Trash") == 0);
        } else if (!shared.isEmpty()) {
            QVERIFY(::mkdir(top + "/.Trash", 0700) == 0);
            QVERIFY(::chmod(top + "/.Trash", shared == "sticky" ? 01777 : 0777) == 0);
        }
        const QString item = writeFile(volume.path() + "/sub/Έγγραφο 1.txt", "v");
        ScriptedPrompter prompter;
        QCOMPARE(trash({item}, prompter).done, 1);
        const QString own = volume.path() + '/' + expected;
        QCOMPARE(readAll(own + "/files/Έγγραφο 1.txt"), QByteArray("v"));
        QCOMPARE(QFileInfo(own).permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
                                                   | QFile::WriteUser | QFile::ExeUser);
        QVERIFY(readAll(own + "/info/Έγγραφο 1.txt.trashinfo")
                    .contains("\nPath=sub/%CE%88%CE%B3%CE%B3%CF%81%CE%B1%CF%86%CE%BF%201.txt\n"));
        QVERIFY(!QFileInfo::exists(homeTrash() + "/files/Έγγραφο 1.txt"));
        if (!haveTools())
            QSKIP("gio, dbus-run-session or trash-cli is not installed");
        verifyListedByTools(item);
        trashRestore(volume.path() + "/sub");
        QCOMPARE(readAll(item), QByteArray("v"));
    }

    // A volume without a usable trash: the items are listed in one question at the end
    // and deleted only on Yes.
    void noTrashAsksOnceAtTheEnd_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::newRow("No keeps them") << false;
        QTest::newRow("Yes deletes for good") << true;
    }
    void noTrashAsksOnceAtTheEnd()
    {
        QFETCH(bool, deleted);
        ScratchMount volume = ScratchMount::tmpfs();
        if (!volume.ok())
            QSKIP(qPrintable("cannot mount a second volume: " + volume.why()));
        writeFile(volume.path() + "/.Trash-" + QString::number(::getuid())); // where the trash folder would go
        TempTree home;
        const QStringList items{writeFile(volume.path() + "/a.txt"), volume.path() + "/b", home.file("c.txt", "c")};
        QDir().mkpath(items[1] + "/inner");
        ScriptedPrompter prompter;
        prompter.answer(deleted ? PromptButton::Yes : PromptButton::No);
        const FileOperationResult r = trash(items, prompter);
        QCOMPARE(prompter.unexpected, 0);
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY(prompter.last().text.contains(items[0]) && prompter.last().text.contains(items[1]));
        QVERIFY(!prompter.last().text.contains(items[2]));
        QCOMPARE(prompter.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        QCOMPARE(r.done, deleted ? 3 : 1);
        QCOMPARE(r.skipped, deleted ? 0 : 2);
        QCOMPARE(QFileInfo::exists(items[0]), !deleted);
        QCOMPARE(QFileInfo::exists(items[1] + "/inner"), !deleted);
        QVERIFY(!QFileInfo::exists(items[2]));
    }

    void mountPointIsNotTrashed()
    {
        ScratchMount volume = ScratchMount::tmpfs();
        if (!volume.ok())
            QSKIP(qPrintable("cannot mount a second volume: " + volume.why()));
        writeFile(volume.path() + "/data.txt");
        ScriptedPrompter prompter;
        // Refused before anything is touched, with the item named.
        QCOMPARE(trash({volume.path()}, prompter).failed, 1);
        QVERIFY(prompter.last().text.contains("where a disk is mounted"));
        QVERIFY(prompter.last().text.contains(volume.path()));
        QVERIFY(QFileInfo::exists(volume.path() + "/data.txt"));
    }
};

TIDYHALL_TEST_MAIN(TrashTest)
#include "tst_Trash.moc"
