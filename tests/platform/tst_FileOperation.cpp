#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "TestMount.h"
#include "platform/FileOperation.h"
#include "platform/FileOperationTexts.h"

#include <QDirIterator>
#include <QtTest>
#include <fcntl.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using Kind = FileOperationKind;
namespace Flag = FileOperationFlag;

namespace {

FileOperationRequest request(Kind kind, const QStringList &sources, const QString &target, int flags = 0)
{
    FileOperationRequest r;
    r.operation = kind;
    r.sources = sources;
    r.target = target;
    r.flags = flags;
    r.languageGreek = false;
    return r;
}

// Every name under `root`, relative, sorted; hidden names included, so that a
// temporary file left behind shows.
QStringList listing(const QString &root)
{
    QStringList names;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(QDir(root).relativeFilePath(it.next()));
    names.sort();
    return names;
}

bool hasTemporary(const QString &root)
{
    for (const QString &name : listing(root))
        if (name.contains(QStringLiteral(".tidyhall-")))
            return true;
    return false;
}

// Cancels the operation once `limit` bytes have been written: the middle of a large file.
class CancelAfterBytes : public FileOperationProgress
{
public:
    explicit CancelAfterBytes(std::int64_t limit) : m_limit(limit) {}

protected:
    void advanced() override
    {
        if (bytesDone > m_limit)
            requestCancel();
    }

private:
    std::int64_t m_limit;
};

QString makeSparseFile(const QString &path, qint64 size)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        f.write("start");
        f.resize(size);
        f.seek(size - 3);
        f.write("end");
    }
    return path;
}

} // namespace

class FileOperationTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void itemListText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("two") << QString::fromUtf8("/a/x\0/a/y z\0\0", 13) << QStringList{"/a/x", "/a/y z"};
        QTest::newRow("empty list") << QString(2, QChar(0)) << QStringList{};
        QTest::newRow("after the pair") << QString::fromUtf8("/a\0\0/b\0\0", 8) << QStringList{"/a"};
        QTest::newRow("no terminator") << QStringLiteral("/a") << QStringList{"/a"};
    }
    void itemListText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, paths);
        QCOMPARE(pathsFromItemListText(text), paths);
    }

    // One existing file meets an incoming one under each policy and answer.
    void collision_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<QByteArray>("targetContent");
        QTest::addColumn<QByteArray>("renamedContent");
        QTest::addColumn<bool>("sourceLeft");
        QTest::addColumn<bool>("cancelled");
        const int none = -1;
        QTest::newRow("copy ask yes") << int(Kind::Copy) << 0 << int(PromptButton::Yes) << QByteArray("new") << QByteArray() << true << false;
        QTest::newRow("copy ask no") << int(Kind::Copy) << 0 << int(PromptButton::No) << QByteArray("old") << QByteArray() << true << false;
        QTest::newRow("copy ask cancel") << int(Kind::Copy) << 0 << int(PromptButton::Cancel) << QByteArray("old") << QByteArray() << true << true;
        QTest::newRow("copy silent") << int(Kind::Copy) << Flag::NoConfirmation << none << QByteArray("new") << QByteArray() << true << false;
        QTest::newRow("copy rename") << int(Kind::Copy) << Flag::RenameOnCollision << none << QByteArray("old") << QByteArray("new") << true << false;
        QTest::newRow("move ask yes") << int(Kind::Move) << 0 << int(PromptButton::Yes) << QByteArray("new") << QByteArray() << false << false;
        QTest::newRow("move ask no") << int(Kind::Move) << 0 << int(PromptButton::No) << QByteArray("old") << QByteArray() << true << false;
        QTest::newRow("move silent") << int(Kind::Move) << Flag::NoConfirmation << none << QByteArray("new") << QByteArray() << false << false;
        QTest::newRow("move rename") << int(Kind::Move) << Flag::RenameOnCollision << none << QByteArray("old") << QByteArray("new") << false << false;
    }
    void collision()
    {
        QFETCH(int, operation);
        QFETCH(int, flags);
        QFETCH(int, answer);
        QFETCH(QByteArray, targetContent);
        QFETCH(QByteArray, renamedContent);
        QFETCH(bool, sourceLeft);
        QFETCH(bool, cancelled);
        TempTree tree;
        const QString source = tree.file(QStringLiteral("src/report.txt"), "new");
        tree.file(QStringLiteral("dst/report.txt"), "old");
        ScriptedPrompter prompter;
        if (answer >= 0)
            prompter.answer(PromptButton(answer));
        const FileOperationResult r
            = performFileOperation(request(Kind(operation), {source}, tree.path(QStringLiteral("dst")), flags), prompter);
        QCOMPARE(prompter.unexpected, 0);
        QCOMPARE(prompter.prompts.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0) {
            // The question names both items, each with its size and date.
            QVERIFY(prompter.last().text.contains(tree.path(QStringLiteral("dst/report.txt"))));
            QVERIFY(prompter.last().text.contains(source));
            QCOMPARE(prompter.last().text.count(QStringLiteral("3 bytes")), 2);
            QCOMPARE(prompter.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::YesToAll, PromptButton::No, PromptButton::Cancel}));
        }
        QCOMPARE(tree.read(QStringLiteral("dst/report.txt")), targetContent);
        QCOMPARE(tree.read(QStringLiteral("dst/report (2).txt")), renamedContent);
        QCOMPARE(tree.exists(QStringLiteral("src/report.txt")), sourceLeft);
        QCOMPARE(r.cancelled, cancelled);
        QVERIFY(!hasTemporary(tree.root()));
    }

    void yesToAllLastsForOneOperation()
    {
        TempTree tree;
        QStringList sources;
        for (const QString &name : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
            sources << tree.file(QStringLiteral("src/") + name, "new");
            tree.file(QStringLiteral("dst/") + name, "old");
        }
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::YesToAll);
        FileOperationResult r = performFileOperation(request(Kind::Copy, sources, tree.path(QStringLiteral("dst"))), prompter);
        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(r.done, 3);
        QCOMPARE(tree.read(QStringLiteral("dst/c")), QByteArray("new"));
        // The next operation asks again.
        tree.file(QStringLiteral("src/a"), "newer");
        prompter.answer(PromptButton::No);
        r = performFileOperation(request(Kind::Copy, {sources.first()}, tree.path(QStringLiteral("dst"))), prompter);
        QCOMPARE(prompter.prompts.size(), 2);
        QCOMPARE(r.skipped, 1);
        QCOMPARE(tree.read(QStringLiteral("dst/a")), QByteArray("new"));
    }

    void folderMergesFileByFile_data()
    {
        QTest::addColumn<int>("operation");
        QTest::newRow("copy") << int(Kind::Copy);
        QTest::newRow("move") << int(Kind::Move);
    }
    void folderMergesFileByFile()
    {
        QFETCH(int, operation);
        TempTree tree;
        tree.file(QStringLiteral("src/Work/a.txt"), "new a");
        tree.file(QStringLiteral("src/Work/sub/b.txt"), "b");
        tree.file(QStringLiteral("dst/Work/a.txt"), "old a");
        tree.file(QStringLiteral("dst/Work/c.txt"), "c");
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Yes); // merge the folders
        prompter.answer(PromptButton::No);  // keep the old a.txt
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {tree.path(QStringLiteral("src/Work"))}, tree.path(QStringLiteral("dst"))), prompter);
        QCOMPARE(prompter.unexpected, 0);
        QCOMPARE(prompter.prompts.size(), 2);
        QVERIFY(prompter.prompts[0].text.contains(QStringLiteral("merge")));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(tree.read(QStringLiteral("dst/Work/a.txt")), QByteArray("old a"));
        QCOMPARE(tree.read(QStringLiteral("dst/Work/sub/b.txt")), QByteArray("b"));
        QCOMPARE(tree.read(QStringLiteral("dst/Work/c.txt")), QByteArray("c"));
        // A move leaves behind exactly what was declined.
        if (Kind(operation) == Kind::Move)
            QCOMPARE(listing(tree.path(QStringLiteral("src"))), (QStringList{"Work", "Work/a.txt"}));
    }

    void copyIntoOwnFolderGivesNewName()
    {
        TempTree tree;
        const QString file = tree.file(QStringLiteral("notes.txt"), "n");
        const QString folder = tree.file(QStringLiteral("album/p.jpg"), "p");
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(
            request(Kind::Copy, {file, tree.path(QStringLiteral("album"))}, tree.root()), prompter);
        QCOMPARE(prompter.prompts.size(), 0);
        QCOMPARE(r.done, 2);
        QCOMPARE(tree.read(QStringLiteral("notes (2).txt")), QByteArray("n"));
        QCOMPARE(tree.read(QStringLiteral("album (2)/p.jpg")), QByteArray("p"));
        QCOMPARE(tree.read(QStringLiteral("notes.txt")), QByteArray("n"));
    }

    void refusedWithMessage_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("copy into itself") << int(Kind::Copy) << "a" << "a" << "into itself";
        QTest::newRow("copy into sub-folder") << int(Kind::Copy) << "a" << "a/sub/deeper" << "into itself";
        QTest::newRow("move into sub-folder") << int(Kind::Move) << "a" << "a/sub" << "into itself";
        QTest::newRow("move through a link") << int(Kind::Move) << "a" << "link-to-sub" << "into itself";
        QTest::newRow("move onto itself") << int(Kind::Move) << "a/f.txt" << "a" << "already in the folder";
        QTest::newRow("target is a file") << int(Kind::Copy) << "a/f.txt" << "a/f.txt" << "is not a folder";
        QTest::newRow("target missing") << int(Kind::Move) << "a/f.txt" << "nowhere" << "does not exist";
        QTest::newRow("folder onto file") << int(Kind::Copy) << "b/clash" << "a/sub" << "one of them is a folder";
    }
    void refusedWithMessage()
    {
        QFETCH(int, operation);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, message);
        TempTree tree;
        tree.file(QStringLiteral("a/f.txt"), "f");
        tree.file(QStringLiteral("a/sub/deeper/g.txt"), "g");
        tree.file(QStringLiteral("a/sub/clash"), "file");
        tree.file(QStringLiteral("b/clash/h.txt"), "h");
        tree.symlink(QStringLiteral("link-to-sub"), tree.path(QStringLiteral("a/sub")));
        const QStringList before = listing(tree.root());
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {tree.path(source)}, tree.path(target), Flag::NoConfirmation), prompter);
        QCOMPARE(r.failed, 1);
        QCOMPARE(r.done, 0);
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY2(prompter.last().text.contains(message), qPrintable(prompter.last().text));
        QCOMPARE(prompter.last().icon, PromptIcon::Critical);
        QCOMPARE(listing(tree.root()), before);
    }

    void metadataAndLinksKept_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("copy") << int(Kind::Copy) << false;
        QTest::newRow("copy to another volume") << int(Kind::Copy) << true;
        QTest::newRow("move to another volume") << int(Kind::Move) << true;
    }
    void metadataAndLinksKept()
    {
        QFETCH(int, operation);
        QFETCH(bool, otherVolume);
        TempTree tree;
        const QDateTime when(QDate(2001, 2, 3), QTime(4, 5, 6));
        const QString file = tree.file(QStringLiteral("Docs/letter.txt"), "dear");
        const timespec times[2] = {{when.toSecsSinceEpoch(), 0}, {when.toSecsSinceEpoch(), 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
        tree.symlink(QStringLiteral("Docs/shortcut"), QStringLiteral("letter.txt"));
        tree.symlink(QStringLiteral("Docs/dangling"), QStringLiteral("/nonexistent/target"));
        ::chmod(QFile::encodeName(file).constData(), 0640);
        QVERIFY(::setxattr(QFile::encodeName(file).constData(), "user.DOSATTRIB", "0x21", 4, 0) == 0);
        const QString folder = tree.path(QStringLiteral("Docs"));
        ::chmod(QFile::encodeName(folder).constData(), 0750);
        struct stat before;
        ::lstat(QFile::encodeName(folder).constData(), &before);

        QScopedPointer<TestMount> mount;
        QString target = tree.folder(QStringLiteral("dst"));
        if (otherVolume) {
            mount.reset(new TestMount(QStringLiteral("size=16m")));
            if (!mount->ok())
                QSKIP(qPrintable(QStringLiteral("cannot mount a second volume: ") + mount->why()));
            target = mount->path();
        }
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(request(Kind(operation), {folder}, target), prompter);
        QCOMPARE(r.done, 1);
        const QByteArray copy = QFile::encodeName(target + QStringLiteral("/Docs/letter.txt"));
        struct stat st;
        QCOMPARE(::stat(copy.constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(qint64(st.st_mtime), when.toSecsSinceEpoch());
        QCOMPARE(qint64(st.st_atime), when.toSecsSinceEpoch());
        char value[16] = {};
        QCOMPARE(::getxattr(copy.constData(), "user.DOSATTRIB", value, sizeof value), ssize_t(4));
        QCOMPARE(QByteArray(value), QByteArray("0x21"));
        QCOMPARE(QFileInfo(target + QStringLiteral("/Docs/shortcut")).symLinkTarget(), target + QStringLiteral("/Docs/letter.txt"));
        QVERIFY(QFileInfo(target + QStringLiteral("/Docs/dangling")).isSymLink());
        struct stat folderCopy;
        ::lstat(QFile::encodeName(target + QStringLiteral("/Docs")).constData(), &folderCopy);
        QCOMPARE(folderCopy.st_mode & 07777, 0750u);
        QCOMPARE(folderCopy.st_mtime, before.st_mtime);
        QCOMPARE(QFileInfo::exists(folder), Kind(operation) == Kind::Copy);
        QVERIFY(!hasTemporary(target));
    }

    void moveWithinVolumeIsRename()
    {
        TempTree tree;
        const QString file = tree.file(QStringLiteral("a/big.bin"), "data");
        struct stat before;
        ::stat(QFile::encodeName(file).constData(), &before);
        ScriptedPrompter prompter;
        const FileOperationResult r
            = performFileOperation(request(Kind::Move, {tree.path(QStringLiteral("a"))}, tree.folder(QStringLiteral("b"))), prompter);
        QCOMPARE(r.done, 1);
        struct stat after;
        QCOMPARE(::stat(QFile::encodeName(tree.path(QStringLiteral("b/a/big.bin"))).constData(), &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QVERIFY(!tree.exists(QStringLiteral("a")));
    }

    // Names that trip up shells and careless code: spaces, newlines, a leading dash,
    // and bytes that are not UTF-8.
    void awkwardNames_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("flags");
        QTest::newRow("copy") << int(Kind::Copy) << 0;
        QTest::newRow("move") << int(Kind::Move) << 0;
        QTest::newRow("delete for good") << int(Kind::Delete) << Flag::NoConfirmation;
        QTest::newRow("trash") << int(Kind::Delete) << (Flag::NoConfirmation | Flag::AllowUndo);
    }
    void awkwardNames()
    {
        QFETCH(int, operation);
        QFETCH(int, flags);
        TempTree tree;
        const QString folder = tree.folder(QStringLiteral("src/ -rf two\nlines "));
        const QByteArray raw = QFile::encodeName(folder) + "/caf\xe9-latin1.txt";
        {
            const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, "x", 1), ssize_t(1));
            ::close(fd);
        }
        tree.file(QStringLiteral("src/ -rf two\nlines /--help"), "h");
        ScriptedPrompter prompter;
        const FileOperationResult r
            = performFileOperation(request(Kind(operation), {folder}, tree.folder(QStringLiteral("dst")), flags), prompter);
        QCOMPARE(r.done, 1);
        QCOMPARE(prompter.prompts.size(), 0);
        const QByteArray copied = QFile::encodeName(tree.path(QStringLiteral("dst/ -rf two\nlines "))) + "/caf\xe9-latin1.txt";
        struct stat st;
        const bool transferred = Kind(operation) != Kind::Delete;
        QCOMPARE(::lstat(copied.constData(), &st) == 0, transferred);
        QCOMPARE(::lstat(raw.constData(), &st) == 0, Kind(operation) == Kind::Copy);
        if (transferred)
            QCOMPARE(tree.read(QStringLiteral("dst/ -rf two\nlines /--help")), QByteArray("h"));
        if (flags & Flag::AllowUndo) {
            const QByteArray trashed = QFile::encodeName(qEnvironmentVariable("XDG_DATA_HOME"))
                                       + "/Trash/files/ -rf two\nlines /caf\xe9-latin1.txt";
            QVERIFY(::lstat(trashed.constData(), &st) == 0);
            ::unlink(trashed.constData()); // QDir cannot name it to clean up
        }
        ::unlink(copied.constData());
        ::unlink(raw.constData());
    }

    void differentLetterCaseIsAnotherItem()
    {
        TempTree tree;
        const QString source = tree.file(QStringLiteral("src/readme.TXT"), "new");
        tree.file(QStringLiteral("dst/README.txt"), "old");
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(request(Kind::Copy, {source}, tree.path(QStringLiteral("dst"))), prompter);
        QCOMPARE(r.done, 1);
        QCOMPARE(prompter.prompts.size(), 0); // case-sensitive volume: no collision
        QCOMPARE(tree.read(QStringLiteral("dst/README.txt")), QByteArray("old"));
        QCOMPARE(tree.read(QStringLiteral("dst/readme.TXT")), QByteArray("new"));
    }

    void symbolicLinkLoop_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("flags");
        QTest::newRow("copy") << int(Kind::Copy) << 0;
        QTest::newRow("delete for good") << int(Kind::Delete) << Flag::NoConfirmation;
    }
    void symbolicLinkLoop()
    {
        QFETCH(int, operation);
        QFETCH(int, flags);
        TempTree tree;
        tree.file(QStringLiteral("outside/keep.txt"), "keep");
        tree.file(QStringLiteral("loop/a/file.txt"), "f");
        tree.symlink(QStringLiteral("loop/a/up"), QStringLiteral(".."));
        tree.symlink(QStringLiteral("loop/a/self"), QStringLiteral("."));
        tree.symlink(QStringLiteral("loop/a/out"), tree.path(QStringLiteral("outside")));
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {tree.path(QStringLiteral("loop"))}, tree.folder(QStringLiteral("dst")), flags), prompter);
        QCOMPARE(r.done, 1);
        QCOMPARE(tree.read(QStringLiteral("outside/keep.txt")), QByteArray("keep"));
        if (Kind(operation) == Kind::Copy) {
            QCOMPARE(listing(tree.path(QStringLiteral("dst"))),
                     (QStringList{"loop", "loop/a", "loop/a/file.txt", "loop/a/out", "loop/a/self", "loop/a/up"}));
            QCOMPARE(QFile::symLinkTarget(tree.path(QStringLiteral("dst/loop/a/up"))), tree.path(QStringLiteral("dst/loop")));
        } else {
            QVERIFY(!tree.exists(QStringLiteral("loop")));
        }
    }

    void vanishedSourceIsAskedAbout_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("flags");
        QTest::newRow("copy") << int(Kind::Copy) << 0;
        QTest::newRow("move") << int(Kind::Move) << 0;
        QTest::newRow("delete") << int(Kind::Delete) << Flag::NoConfirmation;
        QTest::newRow("trash") << int(Kind::Delete) << (Flag::NoConfirmation | Flag::AllowUndo);
    }
    void vanishedSourceIsAskedAbout()
    {
        QFETCH(int, operation);
        QFETCH(int, flags);
        TempTree tree;
        const QString gone = tree.path(QStringLiteral("src/gone.txt"));
        const QString there = tree.file(QStringLiteral("src/there.txt"), "t");
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Skip);
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {gone, there}, tree.folder(QStringLiteral("dst")), flags), prompter);
        QCOMPARE(prompter.unexpected, 0);
        QCOMPARE(prompter.prompts.size(), 1);
        QCOMPARE(prompter.last().buttons, (QList<PromptButton>{PromptButton::Retry, PromptButton::Skip, PromptButton::Cancel}));
        QVERIFY(prompter.last().text.contains(gone));
        QVERIFY(prompter.last().text.contains(QStringLiteral("does not exist")));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(r.done, 1);
    }

    // Root reads everything; the file-system user id of this thread is changed so that
    // the permission bits apply.
    void unreadableFileIsSkippedWithoutHalfCopy()
    {
        TempTree tree;
        const QString secret = tree.file(QStringLiteral("src/secret.txt"), "s");
        const QString open = tree.file(QStringLiteral("src/open.txt"), "o");
        ::chmod(QFile::encodeName(secret).constData(), 0000);
        const QString target = tree.folder(QStringLiteral("dst"));
        ::chmod(QFile::encodeName(target).constData(), 0777);
        ::chmod(QFile::encodeName(tree.root()).constData(), 0755);
        ::chmod(QFile::encodeName(tree.path(QStringLiteral("src"))).constData(), 0755);
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Skip);
        ::setfsuid(65534);
        const bool dropped = ::setfsuid(-1) == 65534;
        const FileOperationResult r = performFileOperation(request(Kind::Copy, {secret, open}, target), prompter);
        ::setfsuid(0);
        if (!dropped)
            QSKIP("cannot change the file-system user id");
        QCOMPARE(prompter.prompts.size(), 1);
        QVERIFY(prompter.last().text.contains(QStringLiteral("permission denied")));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(listing(target), QStringList{"open.txt"});
    }

    void readOnlyTarget()
    {
        TestMount mount;
        if (!mount.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount: ") + mount.why()));
        TempTree tree;
        const QString source = tree.file(QStringLiteral("a.txt"), "a");
        QVERIFY(mount.setReadOnly(true));
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Retry);
        prompter.answer(PromptButton::Cancel);
        const FileOperationResult r = performFileOperation(request(Kind::Move, {source}, mount.path()), prompter);
        QCOMPARE(prompter.prompts.size(), 2);
        QVERIFY(prompter.last().text.contains(QStringLiteral("read-only")));
        QVERIFY(r.cancelled);
        QCOMPARE(tree.read(QStringLiteral("a.txt")), QByteArray("a"));
    }

    // A full disk while writing, for a new file and for one that would replace an
    // existing file: no half file, the old file intact, the source intact.
    void fullDisk_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("replacing");
        QTest::newRow("copy new") << int(Kind::Copy) << false;
        QTest::newRow("copy replacing") << int(Kind::Copy) << true;
        QTest::newRow("move new") << int(Kind::Move) << false;
        QTest::newRow("move replacing") << int(Kind::Move) << true;
    }
    void fullDisk()
    {
        QFETCH(int, operation);
        QFETCH(bool, replacing);
        TestMount mount(QStringLiteral("size=1m"));
        if (!mount.ok())
            QSKIP(qPrintable(QStringLiteral("cannot mount: ") + mount.why()));
        TempTree tree;
        const QByteArray big(3 * 1024 * 1024, 'z');
        const QString source = tree.file(QStringLiteral("big.bin"), big);
        tree.file(QStringLiteral("folder/inner.bin"), big);
        const QString old = mount.path() + QStringLiteral("/big.bin");
        if (replacing) {
            QFile f(old);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("precious");
        }
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::Skip);
        prompter.answer(PromptButton::Skip);
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {source, tree.path(QStringLiteral("folder"))}, mount.path(), Flag::NoConfirmation), prompter);
        QCOMPARE(r.skipped, 2);
        QVERIFY(prompter.prompts.first().text.contains(QStringLiteral("disk is full")));
        // The folder arrives without the file that did not fit.
        QCOMPARE(listing(mount.path()), replacing ? (QStringList{"big.bin", "folder"}) : QStringList{"folder"});
        if (replacing) {
            QFile f(old);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("precious"));
        }
        QCOMPARE(tree.read(QStringLiteral("big.bin")), big);
        QCOMPARE(tree.read(QStringLiteral("folder/inner.bin")), big);
    }

    void cancelInsideLargeFile_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("replacing");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("copy") << int(Kind::Copy) << false << false;
        QTest::newRow("copy replacing") << int(Kind::Copy) << true << false;
        QTest::newRow("move to another volume") << int(Kind::Move) << false << true;
    }
    void cancelInsideLargeFile()
    {
        QFETCH(int, operation);
        QFETCH(bool, replacing);
        QFETCH(bool, otherVolume);
        TempTree tree;
        const qint64 size = 200 * 1024 * 1024;
        const QString source = makeSparseFile(tree.path(QStringLiteral("movie.bin")), size);
        QScopedPointer<TestMount> mount;
        QString target = tree.folder(QStringLiteral("dst"));
        if (otherVolume) {
            mount.reset(new TestMount(QStringLiteral("size=300m")));
            if (!mount->ok())
                QSKIP(qPrintable(QStringLiteral("cannot mount: ") + mount->why()));
            target = mount->path();
        }
        if (replacing)
            tree.file(QStringLiteral("dst/movie.bin"), "precious");
        CancelAfterBytes progress(20 * 1024 * 1024);
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(
            request(Kind(operation), {source}, target, Flag::NoConfirmation), prompter, progress);
        QVERIFY(r.cancelled);
        QVERIFY(progress.bytesDone < size);
        QCOMPARE(listing(target), replacing ? QStringList{"movie.bin"} : QStringList{});
        if (replacing)
            QCOMPARE(tree.read(QStringLiteral("dst/movie.bin")), QByteArray("precious"));
        QCOMPARE(QFileInfo(source).size(), size);
    }

    void deleteConfirmation_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("greek");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trash one") << Flag::AllowUndo << 1 << false << "send the item '%1' to the recycle bin";
        QTest::newRow("trash many") << Flag::AllowUndo << 2 << false << "send the 2 selected items";
        QTest::newRow("for good, Greek") << 0 << 1 << true << "να διαγράψετε οριστικά το στοιχείο «%1»";
        QTest::newRow("for good many") << 0 << 2 << false << "delete the 2 selected items for good";
    }
    void deleteConfirmation()
    {
        QFETCH(int, flags);
        QFETCH(int, count);
        QFETCH(bool, greek);
        QFETCH(QString, expected);
        TempTree tree;
        QStringList sources;
        for (int i = 0; i < count; ++i)
            sources << tree.file(QStringLiteral("f%1/inner.txt").arg(i), "x").section(QLatin1Char('/'), 0, -2);
        ScriptedPrompter prompter;
        prompter.answer(PromptButton::No);
        FileOperationRequest req = request(Kind::Delete, sources, {}, flags);
        req.languageGreek = greek;
        FileOperationResult r = performFileOperation(req, prompter);
        expected.replace(QStringLiteral("%1"), sources.first());
        QVERIFY2(prompter.last().text.contains(expected), qPrintable(prompter.last().text));
        QCOMPARE(prompter.last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        QCOMPARE(r.done, 0);
        QVERIFY(QFileInfo::exists(sources.first()));
        prompter.answer(PromptButton::Yes);
        r = performFileOperation(req, prompter);
        QCOMPARE(r.done, count);
        QVERIFY(!QFileInfo::exists(sources.first()));
    }

    void deleteForGoodLeavesLinkTargets()
    {
        TempTree tree;
        tree.file(QStringLiteral("keep/precious.txt"), "p");
        tree.file(QStringLiteral("junk/deep/er/x.txt"), "x");
        tree.symlink(QStringLiteral("junk/link"), tree.path(QStringLiteral("keep")));
        ScriptedPrompter prompter;
        const FileOperationResult r = performFileOperation(
            request(Kind::Delete, {tree.path(QStringLiteral("junk"))}, {}, Flag::NoConfirmation), prompter);
        QCOMPARE(r.done, 1);
        QCOMPARE(listing(tree.root()), (QStringList{"keep", "keep/precious.txt"}));
    }
};

TIDYHALL_TEST_MAIN(FileOperationTest)
#include "tst_FileOperation.moc"
