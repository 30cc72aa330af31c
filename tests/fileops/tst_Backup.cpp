#include "PrivateMounts.h"
#include "ScratchMount.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "app/AppState.h"
#include "fileops/Backup.h"
#include "platform/DosAttributes.h"
#include "platform/FileOperation.h"

#include <QDirIterator>
#include <QProcess>
#include <QtTest>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

QString g_namespaceProblem;

// The backup as the main window runs it, with the real file-operation service and a
// scripted user.
struct Harness
{
    AppState state;
    ScriptedPrompter prompter;
    QString target;
    QList<FileOperationCall> calls;
    std::function<void()> afterCopy; // runs once a copy has finished, as if during it
    int refreshed = 0;

    explicit Harness(const QString &currentFolder)
    {
        state.LanguageGreek = false;
        state.CurrentPath = currentFolder + '/';
        state.ShowOptions = false;
        state.SelectTarget = false;
        state.BackupVerify = false;
        state.BackupQueryBefore = false;
        state.BackupQueryAfter = false;
        state.BackupQueryIfNotFound = false;
    }

    void answer(const QString &script)
    {
        for (const QChar c : script) {
            switch (c.toLatin1()) {
            case 'Y': prompter.answer(PromptButton::Yes); break;
            case 'N': prompter.answer(PromptButton::No); break;
            case 'S': prompter.answer(PromptButton::Skip); break;
            case 'C': prompter.answer(PromptButton::Cancel); break;
            case 'O': prompter.answer(PromptButton::Ok); break;
            }
        }
    }

    void backup(const QStringList &names)
    {
        // What the test made just now must read as older than the copy: the program
        // allows the file system's clock a tick of lag when it compares.
        QThread::msleep(40);
        FileCommandHooks h;
        h.openOptions = [] {};
        h.target.askTargetFolder = [this](const QString &, const QString &) { return TargetFolderAnswer{target}; };
        h.target.bringToFront = [] {};
        h.run = [this](const FileOperationCall &call) {
            calls.append(call);
            FileOperationRequest request;
            request.operation = call.operation;
            request.sources = call.sources;
            request.target = call.target;
            request.flags = int(call.flags);
            request.languageGreek = false;
            const FileOperationResult r = performFileOperation(request, *call.prompter);
            if (call.operation == FileOperationKind::Copy && afterCopy)
                afterCopy();
            return FileOperationOutcome{r.cancelled, r.failed, r.items};
        };
        h.refreshFiles = [this] { ++refreshed; };
        h.bringToFront = [] {};
        BackupSelection(names, state, prompter, h);
    }

    QStringList texts() const
    {
        QStringList t;
        for (const auto &p : prompter.prompts)
            t.append(p.text);
        return t;
    }
};

// Every file below `root` as "relative=contents", sorted.
QStringList contents(const QString &root)
{
    QStringList list;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        list.append(path.mid(root.size() + 1) + '=' + QString::fromUtf8(f.readAll()));
    }
    list.sort();
    return list;
}

QString trashFiles() { return qEnvironmentVariable("XDG_DATA_HOME") + "/Trash/files"; }

QStringList trashed()
{
    QStringList names = QDir(trashFiles()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    names.sort();
    return names;
}

void emptyTrash()
{
    QDir(qEnvironmentVariable("XDG_DATA_HOME") + "/Trash").removeRecursively();
}

// What the desktop's own trash tool lists ("" when it cannot run here); gio's trash
// backend needs a session bus.
QString gioTrashList()
{
    if (QStandardPaths::findExecutable("dbus-run-session").isEmpty() || QStandardPaths::findExecutable("gio").isEmpty())
        return {};
    QProcess p;
    p.start("dbus-run-session", {"--", "gio", "trash", "--list"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool archiveOf(const QString &path)
{
    return readAttributes(path).archive;
}

void setOld(const QString &path)
{
    const QDateTime old = QDateTime::currentDateTime().addDays(-1);
    QFile f(path);
    f.open(QIODevice::ReadWrite);
    f.setFileTime(old, QFileDevice::FileModificationTime);
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { emptyTrash(); }

    // Each target action with a namesake on the target, and each source action.
    void steps_data()
    {
        QTest::addColumn<int>("targetAction");
        QTest::addColumn<int>("sourceAction");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QStringList>("onTarget");
        QTest::addColumn<QStringList>("inTrash");
        QTest::addColumn<bool>("sourceStays");
        const QStringList fresh{"item/f=new"};
        const QStringList merged{"item/f=new", "item/old=old"};
        QTest::newRow("trash namesake asking") << 1 << 6 << "Y" << fresh << QStringList{"item"} << true;
        QTest::newRow("trash namesake") << 2 << 6 << "" << fresh << QStringList{"item"} << true;
        QTest::newRow("delete namesake asking") << 3 << 6 << "Y" << fresh << QStringList{} << true;
        QTest::newRow("delete namesake") << 4 << 6 << "" << fresh << QStringList{} << true;
        QTest::newRow("replace") << 5 << 6 << "" << merged << QStringList{} << true;
        QTest::newRow("rename the copy") << 6 << 6 << "" << QStringList{"item (2)/f=new", "item/old=old"}
                                         << QStringList{} << true;
        QTest::newRow("service asks, Yes") << 7 << 6 << "Y" << merged << QStringList{} << true;
        QTest::newRow("namesake kept, replace declined")
            << 1 << 4 << "NNO" << QStringList{"item/old=old"} << QStringList{} << true;
        QTest::newRow("source to trash asking") << 2 << 1 << "Y" << fresh << QStringList{"item", "item (2)"} << false;
        QTest::newRow("source to trash") << 2 << 2 << "" << fresh << QStringList{"item", "item (2)"} << false;
        QTest::newRow("source deleted asking") << 4 << 3 << "Y" << fresh << QStringList{} << false;
        QTest::newRow("source deleted") << 4 << 4 << "" << fresh << QStringList{} << false;
        QTest::newRow("source deletion declined") << 4 << 3 << "N" << fresh << QStringList{} << true;
        QTest::newRow("source marked") << 4 << 5 << "" << fresh << QStringList{} << true;
    }
    void steps()
    {
        QFETCH(int, targetAction);
        QFETCH(int, sourceAction);
        QFETCH(QString, answers);
        QFETCH(QStringList, onTarget);
        QFETCH(QStringList, inTrash);
        QFETCH(bool, sourceStays);
        TempTree tree;
        const QString listed = tree.folder("listed");
        tree.file("listed/item/f", "new");
        setOld(tree.path("listed/item/f"));
        tree.file("target/item/old", "old");
        Harness h(listed);
        h.target = tree.path("target");
        h.state.BackupTargetFolderAction = targetAction;
        h.state.BackupSourceFolderAction = sourceAction;
        h.answer(answers);
        h.backup({"item"});
        QCOMPARE(h.prompter.unexpected, 0);
        QVERIFY(h.prompter.answers.isEmpty());
        QCOMPARE(contents(tree.path("target")), onTarget);
        QCOMPARE(trashed(), inTrash);
        if (!inTrash.isEmpty()) {
            const QString listed = gioTrashList();
            if (!listed.isEmpty()) {
                if (targetAction <= 2)
                    QVERIFY2(listed.contains('\t' + tree.path("target/item")), qPrintable(listed));
                if (sourceAction <= 2)
                    QVERIFY2(listed.contains('\t' + tree.path("listed/item")), qPrintable(listed));
            }
        }
        QCOMPARE(tree.exists("listed/item/f"), sourceStays);
        if (sourceAction == 5)
            QVERIFY(!archiveOf(tree.path("listed/item/f")) && !archiveOf(tree.path("listed/item")));
        if (sourceAction == 6)
            QVERIFY(archiveOf(tree.path("listed/item/f")));
        QCOMPARE(h.refreshed, 1);
        // Nothing of ours is left behind on the target.
        QCOMPARE(QDir(tree.path("target")).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).filter(".tidyhall").size(), 0);
    }

    // The namesake is never the source itself nor a folder holding it, whatever the
    // action: the copy arrives beside it under a new name.
    void namesakeIsOrHoldsTheSource_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("targetAction");
        QTest::addColumn<QStringList>("after");
        const QStringList own{"t/x (2)/f=data", "t/x/f=data"};
        const QStringList holding{"t/x (2)/f=data", "t/x/x/f=data"};
        for (int action : {1, 2, 3, 4, 5, 7}) {
            QTest::addRow("own folder, action %d", action) << "t" << "t" << action << own;
            if (action != 5 && action != 7)
                QTest::addRow("holding folder, action %d", action) << "t/x" << "t" << action << holding;
        }
    }
    void namesakeIsOrHoldsTheSource()
    {
        QFETCH(QString, current);
        QFETCH(QString, target);
        QFETCH(int, targetAction);
        QFETCH(QStringList, after);
        TempTree tree;
        tree.file(current + "/x/f", "data");
        Harness h(tree.path(current));
        h.target = tree.path(target);
        h.state.BackupTargetFolderAction = targetAction;
        h.state.BackupSourceFolderAction = 6;
        h.backup({"x"});
        QCOMPARE(h.prompter.unexpected, 0);
        QCOMPARE(contents(tree.root()), after);
        QVERIFY(trashed().isEmpty());
    }

    // With rename on collision the copy arrives as "item (2)", and that copy, not its
    // namesake, is renamed afterwards.
    void renameOfTheRenamedCopy()
    {
        TempTree tree;
        tree.file("listed/item", "new");
        tree.file("target/item", "old");
        Harness h(tree.path("listed"));
        h.target = tree.path("target");
        h.state.BackupTargetFolderAction = 6;
        h.state.BackupSourceFolderAction = 6;
        h.state.BackupQueryAfter = true;
        h.prompter.answerText("renamed");
        h.backup({"item"});
        QCOMPARE(contents(tree.path("target")), (QStringList{"item=old", "renamed=new"}));
        QVERIFY(h.prompter.last().text.startsWith("item (2)\r\n\r\nEnter the new name"));
    }

    // Typed names are names: one in use asks again, one that is not a name is refused,
    // an empty answer keeps the old name.
    void renameOnTheSource_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("copied");
        QTest::newRow("fresh name") << QStringList{"fresh"} << QStringList{} << "fresh";
        QTest::newRow("in use, then fresh") << QStringList{"taken", "fresh"}
                                            << QStringList{"The name 'taken' cannot be used because there is already a folder or file with that name."}
                                            << "fresh";
        QTest::newRow("slash, then empty") << QStringList{"a/b", ""}
                                           << QStringList{"The name 'a/b' cannot be used: a name holds no '/', is not '.' or '..', and is not empty."}
                                           << "item";
        QTest::newRow("dot-dot, then blanks") << QStringList{"..", "   "}
                                              << QStringList{"The name '..' cannot be used: a name holds no '/', is not '.' or '..', and is not empty."}
                                              << "item";
    }
    void renameOnTheSource()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, messages);
        QFETCH(QString, copied);
        TempTree tree;
        tree.file("listed/item", "data");
        tree.file("listed/taken", "other");
        tree.folder("target");
        Harness h(tree.path("listed"));
        h.target = tree.path("target");
        h.state.BackupQueryBefore = true;
        h.state.BackupSourceFolderAction = 6;
        for (const QString &t : typed)
            h.prompter.answerText(t);
        h.answer(QString("O").repeated(messages.size()));
        h.backup({"item"});
        QCOMPARE(h.prompter.unexpected, 0);
        QStringList shown;
        for (const auto &p : h.prompter.prompts)
            if (!p.isTextInput)
                shown.append(p.text);
        QCOMPARE(shown, messages);
        QCOMPARE(contents(tree.path("target")), QStringList{copied + "=data"});
        QVERIFY(tree.exists("listed/" + copied));
        QCOMPARE(tree.read("listed/taken"), QByteArray("other"));
    }

    // No to "not on the target" skips only that item.
    void notOnTheTarget()
    {
        TempTree tree;
        tree.file("listed/a", "1");
        tree.file("listed/b", "2");
        tree.folder("target");
        Harness h(tree.path("listed"));
        h.target = tree.path("target");
        h.state.BackupQueryIfNotFound = true;
        h.state.BackupSourceFolderAction = 4;
        h.answer("NY");
        h.backup({"a", "b"});
        QCOMPARE(contents(tree.path("target")), QStringList{"b=2"});
        QVERIFY(tree.exists("listed/a"));
        QVERIFY(!tree.exists("listed/b"));
        QCOMPARE(h.prompter.prompts[0].text,
                 QString("a\r\n\r\nThe above item does not exist on the target '%1/'.\r\n\r\n"
                         "Is it certain that you want to proceed with the backup?")
                     .arg(tree.path("target")));
    }

    // Refused or stopped: said so, the source as it was, the target's namesake kept.
    void sourceAndNamesakeKept_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("targetAction");
        QTest::addColumn<bool>("growsDuringCopy");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QStringList>("listed");
        const QStringList item{"item/f=data"};
        QTest::newRow("gone between selection and copy") << "gone" << "target" << 4 << false << "no longer exists" << item;
        QTest::newRow("target inside the source") << "item" << "listed/item/sub" << 2 << false << "lies inside it" << item;
        // Deleting it for good would lose what the backup does not hold.
        QTest::newRow("source changed during its copy")
            << "item" << "target" << 4 << true << "changed while it was being copied"
            << QStringList{"item/f=data", "item/new=arrived meanwhile"};
    }
    void sourceAndNamesakeKept()
    {
        QFETCH(QString, name);
        QFETCH(QString, target);
        QFETCH(int, targetAction);
        QFETCH(bool, growsDuringCopy);
        QFETCH(QString, says);
        TempTree tree;
        tree.file("listed/item/f", "data");
        tree.folder("listed/item/sub");
        tree.file("target/gone", "namesake");
        Harness h(tree.path("listed"));
        h.target = tree.path(target);
        h.state.BackupTargetFolderAction = targetAction;
        h.state.BackupSourceFolderAction = 4;
        if (growsDuringCopy)
            h.afterCopy = [&] { tree.file("listed/item/new", "arrived meanwhile"); };
        h.answer("O");
        h.backup({name});
        QCOMPARE(h.calls.isEmpty(), !growsDuringCopy);
        QVERIFY2(h.prompter.last().text.contains(says), qPrintable(h.prompter.last().text));
        QTEST(contents(tree.path("listed")), "listed");
        QCOMPARE(tree.read("target/gone"), QByteArray("namesake"));
    }

    // The source is acted on only after a complete copy: a full target volume, Cancel,
    // or a child that could not be copied leave it as it was, with no partial copy.
    void sourceUntouchedWhenTheCopyFails_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("secondCopied");
        QTest::newRow("full disk, skip") << false << "SO" << true;
        QTest::newRow("full disk, cancel") << false << "C" << false;
        QTest::newRow("a child skipped") << true << "SO" << true;
    }
    void sourceUntouchedWhenTheCopyFails()
    {
        QFETCH(bool, folder);
        QFETCH(QString, answers);
        QFETCH(bool, secondCopied);
        if (!g_namespaceProblem.isEmpty())
            QSKIP(qPrintable(g_namespaceProblem));
        TempTree tree;
        const QString target = tree.folder("small");
        if (::mount("tmpfs", QFile::encodeName(target).constData(), "tmpfs", 0, "size=256k") != 0)
            QSKIP(qPrintable("cannot mount a tmpfs here: " + qt_error_string(errno)));
        const auto unmount = qScopeGuard([&] { ::umount2(QFile::encodeName(target).constData(), MNT_DETACH); });
        const QByteArray big(1 << 20, 'b');
        if (folder) {
            tree.file("listed/item/a", "small");
            tree.file("listed/item/z", big);
        } else {
            tree.file("listed/item", big);
        }
        tree.file("listed/second", "2");
        Harness h(tree.path("listed"));
        h.target = target;
        h.state.BackupSourceFolderAction = 4;
        h.answer(answers);
        h.backup({"item", "second"});
        QCOMPARE(h.prompter.unexpected, 0);
        QVERIFY(tree.exists(folder ? "listed/item/z" : "listed/item"));
        QCOMPARE(tree.exists("listed/second"), !secondCopied);
        const QStringList expected = secondCopied ? QStringList{"second=2"} : QStringList{};
        QCOMPARE(contents(target), expected);
        QCOMPARE(QDir(target).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot),
                 secondCopied ? QStringList{"second"} : QStringList{});
    }

    // Marking clears Archive only, down the whole tree, passing over a pipe and a link;
    // a file changed during its copy keeps it. Samba and Wine read the same record.
    void markAsBackedUp()
    {
        TempTree tree;
        tree.file("listed/item/sub/deep/f", "1");
        tree.file("listed/item/.hidden", "2");
        tree.file("listed/item/changed", "3");
        tree.file("listed/item/special", "4");
        tree.symlink("listed/item/link", "special");
        QVERIFY(::mkfifo(QFile::encodeName(tree.path("listed/item/pipe")).constData(), 0600) == 0);
        for (const char *f : {"listed/item/sub/deep/f", "listed/item/.hidden", "listed/item/changed", "listed/item/special"})
            setOld(tree.path(f));
        DosAttributes special = readAttributes(tree.path("listed/item/special"));
        special.hidden = special.system = special.readOnly = special.archive = true;
        writeAttributes(tree.path("listed/item/special"), special);
        DosAttributes folderBits = readAttributes(tree.path("listed/item/sub"));
        folderBits.archive = folderBits.system = true;
        writeAttributes(tree.path("listed/item/sub"), folderBits);
        tree.folder("target");
        Harness h(tree.path("listed"));
        h.target = tree.path("target");
        h.state.BackupSourceFolderAction = 5;
        h.afterCopy = [&] {
            QFile f(tree.path("listed/item/changed"));
            f.open(QIODevice::Append);
            f.write("more");
        };
        h.backup({"item"});
        QCOMPARE(h.prompter.unexpected, 0);
        QVERIFY2(h.prompter.prompts.isEmpty(), qPrintable(h.texts().join('|')));
        for (const char *f : {"listed/item", "listed/item/sub", "listed/item/sub/deep", "listed/item/sub/deep/f",
                              "listed/item/.hidden", "listed/item/special"})
            QVERIFY2(!archiveOf(tree.path(f)), f);
        QVERIFY(archiveOf(tree.path("listed/item/changed")));
        const DosAttributes after = readAttributes(tree.path("listed/item/special"));
        QVERIFY(after.hidden && after.system && after.readOnly && !after.archive);
        QVERIFY(readAttributes(tree.path("listed/item/sub")).system);
        // The record is on the file for other programs to read.
        QProcess getfattr;
        getfattr.start("getfattr", {"-n", "user.DOSATTRIB", "-e", "hex", tree.path("listed/item/special")});
        if (getfattr.waitForFinished() && getfattr.exitCode() == 0)
            QVERIFY(getfattr.readAllStandardOutput().contains("user.DOSATTRIB=0x"));
    }

    // On NTFS the bits live in ntfs-3g's own attribute, where Windows reads them.
    void markOnNtfs()
    {
        if (!g_namespaceProblem.isEmpty())
            QSKIP(qPrintable(g_namespaceProblem));
        ScratchMount m = ScratchMount::image(8, {"mkntfs", "-q", "-F", "-f"}, {"ntfs-3g"});
        if (!m.ok())
            QSKIP(qPrintable("cannot mount an NTFS image with ntfs-3g here: " + m.error()));
        QDir().mkpath(m.path() + "/item/sub");
        for (const char *name : {"/item/sub/f", "/item/g"}) {
            QFile f(m.path() + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("data");
            f.close();
            f.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime);
        }
        DosAttributes bits = readAttributes(m.path() + "/item/g");
        bits.hidden = bits.system = bits.archive = true;
        writeAttributes(m.path() + "/item/g", bits);
        TempTree tree;
        Harness h(m.path());
        h.target = tree.folder("target");
        h.state.BackupSourceFolderAction = 5;
        h.backup({"item"});
        QCOMPARE(h.prompter.unexpected, 0);
        QVERIFY(!archiveOf(m.path() + "/item/sub/f"));
        const DosAttributes after = readAttributes(m.path() + "/item/g");
        QVERIFY(after.hidden && after.system && !after.archive);
        QProcess getfattr;
        getfattr.start("getfattr", {"-n", "system.ntfs_attrib_be", "-e", "hex", m.path() + "/item/g"});
        if (getfattr.waitForFinished() && getfattr.exitCode() == 0) {
            const QByteArray out = getfattr.readAllStandardOutput();
            const int at = out.indexOf("=0x");
            QVERIFY(at > 0);
            const uint value = out.mid(at + 3, 8).toUInt(nullptr, 16);
            QCOMPARE(value & 0x26u, 0x06u); // hidden and system kept, archive cleared
        }
        QCOMPARE(contents(tree.path("target")), (QStringList{"item/g=data", "item/sub/f=data"}));
    }

    void verificationAndNothingSelected()
    {
        TempTree tree;
        tree.folder("listed");
        tree.folder("target");
        Harness h(tree.path("listed"));
        h.target = tree.path("target");
        h.state.BackupVerify = true;
        h.answer("Y");
        h.backup({});
        QCOMPARE(h.prompter.prompts.size(), 1);
        QCOMPARE(h.prompter.last().text, QString("You have chosen to backup the selected folders and/or files to '%1'.\r\n\r\n"
                                                 "Is it certain that you want to proceed with the backup?")
                                             .arg(tree.path("target")));
        QCOMPARE(h.refreshed, 1);
        QVERIFY(h.calls.isEmpty());
    }
};

int main(int argc, char **argv)
{
    g_namespaceProblem = enterPrivateMountNamespace();
    prepareTestProcess();
    TestEnvironment environment;
    QCoreApplication app(argc, argv);
    BackupTest tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_Backup.moc"
