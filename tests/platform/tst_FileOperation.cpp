#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "ScratchMount.h"
#include "platform/DosAttributes.h"
#include "platform/FileOperation.h"

#include <QDirIterator>
#include <QtTest>
#include <fcntl.h>
#include <optional>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using Kind = FileOperationKind;
namespace Flag = FileOperationFlag;
Q_DECLARE_METATYPE(FileOperationKind)

namespace {

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

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

} // namespace

class FileOperationTest : public QObject
{
    Q_OBJECT
    std::optional<TempTree> m_tree;
    std::optional<ScriptedPrompter> m_prompter;

    FileOperationResult run(Kind kind, const QStringList &sources, const QString &target, int flags = 0,
                            FileOperationProgress *progress = nullptr, bool greek = false)
    {
        FileOperationRequest r;
        r.operation = kind;
        r.sources = sources;
        r.target = target;
        r.flags = flags;
        r.languageGreek = greek;
        FileOperationProgress quiet;
        return performFileOperation(r, *m_prompter, progress ? *progress : quiet);
    }

private Q_SLOTS:
    void init()
    {
        m_tree.emplace();
        m_prompter.emplace();
    }

    // One existing file meets an incoming one under each policy and answer.
    void collision_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("answer"); // -1: no question expected
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("renamed");
        QTest::addColumn<bool>("sourceLeft");
        const int none = -1;
        QTest::newRow("copy, Yes") << Kind::Copy << 0 << int(PromptButton::Yes) << "new" << "" << true;
        QTest::newRow("copy, No") << Kind::Copy << 0 << int(PromptButton::No) << "old" << "" << true;
        QTest::newRow("copy, Cancel") << Kind::Copy << 0 << int(PromptButton::Cancel) << "old" << "" << true;
        QTest::newRow("copy silent") << Kind::Copy << Flag::NoConfirmation << none << "new" << "" << true;
        QTest::newRow("copy rename") << Kind::Copy << Flag::RenameOnCollision << none << "old" << "new" << true;
        QTest::newRow("move, Yes") << Kind::Move << 0 << int(PromptButton::Yes) << "new" << "" << false;
        QTest::newRow("move, No") << Kind::Move << 0 << int(PromptButton::No) << "old" << "" << true;
        QTest::newRow("move rename") << Kind::Move << Flag::RenameOnCollision << none << "old" << "new" << false;
    }
    void collision()
    {
        QFETCH(Kind, kind);
        QFETCH(int, flags);
        QFETCH(int, answer);
        QFETCH(QString, kept);
        QFETCH(QString, renamed);
        QFETCH(bool, sourceLeft);
        const QString source = m_tree->file("src/report.txt", "new");
        const QString existing = m_tree->file("dst/report.txt", "old");
        if (answer >= 0)
            m_prompter->answer(PromptButton(answer));
        const FileOperationResult r = run(kind, {source}, m_tree->path("dst"), flags);
        QCOMPARE(m_prompter->unexpected, 0);
        QCOMPARE(m_prompter->prompts.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0) {
            // The question names both items, each with its size.
            const ScriptedPrompter::Prompt &asked = m_prompter->last();
            QVERIFY(asked.text.contains(existing) && asked.text.contains(source));
            QCOMPARE(asked.text.count("3 bytes"), 2);
            QCOMPARE(asked.buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::YesToAll, PromptButton::No,
                                                         PromptButton::Cancel}));
        }
        QCOMPARE(m_tree->read("dst/report.txt"), kept.toUtf8());
        QCOMPARE(m_tree->read("dst/report (2).txt"), renamed.toUtf8());
        QCOMPARE(m_tree->exists("src/report.txt"), sourceLeft);
        QCOMPARE(r.cancelled, answer == int(PromptButton::Cancel));
        QVERIFY(!everyNameUnder(m_tree->root()).join('\n').contains(".tidyhall-"));
    }

    void yesToAllLastsForOneOperation()
    {
        QStringList sources;
        for (const char *name : {"a", "b", "c"}) {
            sources << m_tree->file(QString("src/") + name, "new");
            m_tree->file(QString("dst/") + name, "old");
        }
        m_prompter->answer(PromptButton::YesToAll);
        QCOMPARE(run(Kind::Copy, sources, m_tree->path("dst")).done, 3);
        QCOMPARE(m_prompter->prompts.size(), 1);
        QCOMPARE(m_tree->read("dst/c"), QByteArray("new"));
        m_prompter->answer(PromptButton::No);
        QCOMPARE(run(Kind::Copy, {sources.first()}, m_tree->path("dst")).skipped, 1);
        QCOMPARE(m_prompter->prompts.size(), 2);
    }

    void folderMergesFileByFile_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("copy") << Kind::Copy;
        QTest::newRow("move") << Kind::Move;
    }
    void folderMergesFileByFile()
    {
        QFETCH(Kind, kind);
        m_tree->file("src/Work/a.txt", "new a");
        m_tree->file("src/Work/sub/b.txt", "b");
        m_tree->file("dst/Work/a.txt", "old a");
        m_tree->file("dst/Work/c.txt", "c");
        m_prompter->answer(PromptButton::Yes); // merge the folders
        m_prompter->answer(PromptButton::No);  // keep the old a.txt
        QCOMPARE(run(kind, {m_tree->path("src/Work")}, m_tree->path("dst")).skipped, 1);
        QCOMPARE(m_prompter->prompts.size(), 2);
        QVERIFY(m_prompter->prompts[0].text.contains("merge"));
        QCOMPARE(everyNameUnder(m_tree->path("dst")), (QStringList{"Work", "Work/a.txt", "Work/c.txt", "Work/sub", "Work/sub/b.txt"}));
        QCOMPARE(m_tree->read("dst/Work/a.txt"), QByteArray("old a"));
        // A move leaves behind exactly what was declined.
        if (kind == Kind::Move)
            QCOMPARE(everyNameUnder(m_tree->path("src")), (QStringList{"Work", "Work/a.txt"}));
    }

    void copyIntoOwnFolderGivesNewName()
    {
        const QString file = m_tree->file("notes.txt", "n");
        m_tree->file("album/p.jpg", "p");
        QCOMPARE(run(Kind::Copy, {file, m_tree->path("album")}, m_tree->root()).done, 2);
        QCOMPARE(m_prompter->prompts.size(), 0);
        QCOMPARE(m_tree->read("notes (2).txt"), QByteArray("n"));
        QCOMPARE(m_tree->read("album (2)/p.jpg"), QByteArray("p"));
    }

    void refusedWithMessage_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("message");
        QTest::newRow("copy into sub-folder") << Kind::Copy << "a" << "a/sub/deeper" << "into itself";
        QTest::newRow("move through a link") << Kind::Move << "a" << "link-to-sub" << "into itself";
        QTest::newRow("move onto itself") << Kind::Move << "a/f.txt" << "a" << "already in the folder";
        QTest::newRow("target is a file") << Kind::Copy << "a/f.txt" << "a/f.txt" << "is not a folder";
        QTest::newRow("target missing") << Kind::Move << "a/f.txt" << "nowhere" << "does not exist";
        QTest::newRow("folder onto file") << Kind::Copy << "b/clash" << "a/sub" << "one of them is a folder";
        QTest::newRow("copy a link onto its target") << Kind::Copy << "b/link-to-f.txt/f.txt" << "a" << "cannot replace itself";
        QTest::newRow("move a link onto its target") << Kind::Move << "b/link-to-f.txt/f.txt" << "a" << "cannot replace itself";
    }
    void refusedWithMessage()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QString, message);
        m_tree->file("a/f.txt", "f");
        m_tree->file("a/sub/deeper/g.txt", "g");
        m_tree->file("a/sub/clash", "file");
        m_tree->file("b/clash/h.txt", "h");
        m_tree->symlink("link-to-sub", m_tree->path("a/sub"));
        m_tree->symlink("b/link-to-f.txt/f.txt", m_tree->path("a/f.txt"));
        const QStringList before = everyNameUnder(m_tree->root());
        const FileOperationResult r = run(kind, {m_tree->path(source)}, m_tree->path(target), Flag::NoConfirmation);
        QCOMPARE(r.failed, 1);
        QCOMPARE(r.done, 0);
        QCOMPARE(m_prompter->prompts.size(), 1);
        QVERIFY2(m_prompter->last().text.contains(message), qPrintable(m_prompter->last().text));
        QCOMPARE(m_prompter->last().icon, PromptIcon::Critical);
        QCOMPARE(everyNameUnder(m_tree->root()), before);
        QCOMPARE(m_tree->read("a/f.txt"), QByteArray("f"));
    }

    // A mount point deleted for good would empty the other volume before its own
    // rmdir failed.
    void deletingAMountPointForGoodTouchesNothing()
    {
        ScratchMount mount = ScratchMount::tmpfs();
        if (!mount.ok())
            QSKIP(qPrintable(mount.why()));
        QFile f(mount.path() + QStringLiteral("/keep.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept");
        f.close();
        const FileOperationResult r = run(Kind::Delete, {mount.path()}, QString(), Flag::NoConfirmation);
        QCOMPARE(r.done, 0);
        QVERIFY(QFile::exists(mount.path() + QStringLiteral("/keep.txt")));
    }

    void metadataAndLinksKept_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("copy") << Kind::Copy << false;
        QTest::newRow("move, a rename") << Kind::Move << false;
        QTest::newRow("move to another volume") << Kind::Move << true;
    }
    void metadataAndLinksKept()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, otherVolume);
        const QDateTime when(QDate(2001, 2, 3), QTime(4, 5, 6));
        const QByteArray file = QFile::encodeName(m_tree->file("Docs/letter.txt", "dear", when));
        QCOMPARE(::chmod(file.constData(), 0640), 0);
        QCOMPARE(::setxattr(file.constData(), "user.DOSATTRIB", "0x21", 4, 0), 0);
        m_tree->symlink("Docs/shortcut", "letter.txt");
        m_tree->symlink("Docs/dangling", "/nonexistent/target");
        const QString folder = m_tree->path("Docs");
        ::chmod(QFile::encodeName(folder).constData(), 0750);
        const struct stat before = statOf(folder);
        const ino_t inode = statOf(QFile::decodeName(file)).st_ino;

        std::optional<ScratchMount> mount;
        QString target = m_tree->folder("dst");
        if (otherVolume) {
            mount.emplace(ScratchMount::tmpfs(QStringLiteral("size=16m")));
            if (!mount->ok())
                QSKIP(qPrintable("cannot mount a second volume: " + mount->why()));
            target = mount->path();
        }
        QCOMPARE(run(kind, {folder}, target).done, 1);
        const QString copy = target + "/Docs/letter.txt";
        const struct stat st = statOf(copy);
        QCOMPARE(st.st_mode & 07777, 0640u);
        QCOMPARE(qint64(st.st_mtime), when.toSecsSinceEpoch());
        QCOMPARE(qint64(st.st_atime), when.toSecsSinceEpoch());
        // Within one volume a move renames, and the file stays the same file.
        if (!otherVolume)
            QCOMPARE(st.st_ino == inode, kind == Kind::Move);
        // The DOS record travels through the volume's store: Read-only kept, Archive set.
        const DosAttributes attributes = readAttributes(copy);
        QVERIFY(attributes.readOnly);
        QVERIFY(attributes.archive);
        QCOMPARE(QFileInfo(target + "/Docs/shortcut").symLinkTarget(), copy);
        QVERIFY(QFileInfo(target + "/Docs/dangling").isSymLink());
        QCOMPARE(statOf(target + "/Docs").st_mode & 07777, 0750u);
        QCOMPARE(statOf(target + "/Docs").st_mtime, before.st_mtime);
        QCOMPARE(QFileInfo::exists(folder), kind == Kind::Copy);
        QVERIFY(!everyNameUnder(target).join('\n').contains(".tidyhall-"));
    }

    // Names that trip up shells and careless code: spaces, newlines, a leading dash,
    // and bytes that are not UTF-8.
    void awkwardNames_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("flags");
        QTest::newRow("copy") << Kind::Copy << 0;
        QTest::newRow("move") << Kind::Move << 0;
        QTest::newRow("delete for good") << Kind::Delete << Flag::NoConfirmation;
        QTest::newRow("trash") << Kind::Delete << (Flag::NoConfirmation | Flag::AllowUndo);
    }
    void awkwardNames()
    {
        QFETCH(Kind, kind);
        QFETCH(int, flags);
        const QString folder = m_tree->folder("src/ -rf two\nlines ");
        const QByteArray raw = QFile::encodeName(folder) + "/caf\xe9-latin1.txt";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        QVERIFY(fd >= 0);
        ::close(fd);
        m_tree->file("src/ -rf two\nlines /--help", "h");
        QCOMPARE(run(kind, {folder}, m_tree->folder("dst"), flags).done, 1);
        QCOMPARE(m_prompter->prompts.size(), 0);
        const QByteArray copied = QFile::encodeName(m_tree->path("dst/ -rf two\nlines ")) + "/caf\xe9-latin1.txt";
        const QByteArray trashed = QFile::encodeName(qEnvironmentVariable("XDG_DATA_HOME"))
                                   + "/Trash/files/ -rf two\nlines /caf\xe9-latin1.txt";
        struct stat st;
        QCOMPARE(::lstat(copied.constData(), &st) == 0, kind != Kind::Delete);
        QCOMPARE(::lstat(raw.constData(), &st) == 0, kind == Kind::Copy);
        QCOMPARE(::lstat(trashed.constData(), &st) == 0, bool(flags & Flag::AllowUndo));
        if (kind != Kind::Delete)
            QCOMPARE(m_tree->read("dst/ -rf two\nlines /--help"), QByteArray("h"));
        // QDir cannot name these to clean up.
        for (const QByteArray &path : {copied, raw, trashed})
            ::unlink(path.constData());
    }

    // Links are copied or removed as links, never followed out of the tree or round a loop.
    void symbolicLinkLoop_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("copy") << Kind::Copy;
        QTest::newRow("delete for good") << Kind::Delete;
    }
    void symbolicLinkLoop()
    {
        QFETCH(Kind, kind);
        m_tree->file("outside/keep.txt", "keep");
        m_tree->file("loop/a/file.txt", "f");
        m_tree->symlink("loop/a/up", "..");
        m_tree->symlink("loop/a/self", ".");
        m_tree->symlink("loop/a/out", m_tree->path("outside"));
        QCOMPARE(run(kind, {m_tree->path("loop")}, m_tree->folder("dst"), Flag::NoConfirmation).done, 1);
        QCOMPARE(everyNameUnder(m_tree->path("outside")), QStringList{"keep.txt"});
        if (kind == Kind::Copy) {
            QCOMPARE(everyNameUnder(m_tree->path("dst")),
                     (QStringList{"loop", "loop/a", "loop/a/file.txt", "loop/a/out", "loop/a/self", "loop/a/up"}));
            QCOMPARE(QFile::symLinkTarget(m_tree->path("dst/loop/a/up")), m_tree->path("dst/loop"));
        } else {
            QVERIFY(!m_tree->exists("loop"));
        }
    }

    void vanishedSourceIsAskedAbout_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("flags");
        QTest::newRow("copy") << Kind::Copy << 0;
        QTest::newRow("delete") << Kind::Delete << Flag::NoConfirmation;
        QTest::newRow("trash") << Kind::Delete << (Flag::NoConfirmation | Flag::AllowUndo);
    }
    void vanishedSourceIsAskedAbout()
    {
        QFETCH(Kind, kind);
        QFETCH(int, flags);
        const QString gone = m_tree->path("src/gone.txt");
        m_prompter->answer(PromptButton::Skip);
        const FileOperationResult r = run(kind, {gone, m_tree->file("src/there.txt", "t")}, m_tree->folder("dst"), flags);
        QCOMPARE(m_prompter->unexpected, 0);
        QCOMPARE(m_prompter->prompts.size(), 1);
        QCOMPARE(m_prompter->last().buttons, (QList<PromptButton>{PromptButton::Retry, PromptButton::Skip, PromptButton::Cancel}));
        QVERIFY(m_prompter->last().text.contains(gone) && m_prompter->last().text.contains("does not exist"));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(r.done, 1);
    }

    // Root reads everything; the file-system user id of this thread is changed so that
    // the permission bits apply.
    void unreadableFileIsSkippedWithoutHalfCopy()
    {
        const QString secret = m_tree->file("src/secret.txt", "s");
        const QString open = m_tree->file("src/open.txt", "o");
        const QString target = m_tree->folder("dst");
        ::chmod(QFile::encodeName(secret).constData(), 0000);
        ::chmod(QFile::encodeName(target).constData(), 0777);
        for (const QString &folder : {m_tree->root(), m_tree->path("src")})
            ::chmod(QFile::encodeName(folder).constData(), 0755);
        m_prompter->answer(PromptButton::Skip);
        ::setfsuid(65534);
        const bool dropped = ::setfsuid(-1) == 65534;
        const FileOperationResult r = run(Kind::Copy, {secret, open}, target);
        ::setfsuid(0);
        if (!dropped)
            QSKIP("cannot change the file-system user id");
        QVERIFY(m_prompter->last().text.contains("permission denied"));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(everyNameUnder(target), QStringList{"open.txt"});
    }

    void readOnlyTargetIsRetriedThenCancelled()
    {
        ScratchMount mount = ScratchMount::tmpfs();
        if (!mount.ok())
            QSKIP(qPrintable("cannot mount: " + mount.why()));
        const QString source = m_tree->file("a.txt", "a");
        QVERIFY(mount.setReadOnly(true));
        m_prompter->answer(PromptButton::Retry);
        m_prompter->answer(PromptButton::Cancel);
        QVERIFY(run(Kind::Move, {source}, mount.path()).cancelled);
        QCOMPARE(m_prompter->prompts.size(), 2);
        QVERIFY(m_prompter->last().text.contains("read-only"));
        QCOMPARE(m_tree->read("a.txt"), QByteArray("a"));
    }

    // A write that ends early, for a disk that fills up or a cancel in the middle of a
    // large file, into a new file or one replacing an existing file: no half file, the
    // old file intact, the source intact. The target is always another volume, so that
    // a move copies.
    void interruptedWriteLeavesNothingHalfDone_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<bool>("replacing");
        QTest::addColumn<bool>("cancel"); // else the disk fills up
        QTest::newRow("disk full, copy") << Kind::Copy << false << false;
        QTest::newRow("disk full, copy replacing") << Kind::Copy << true << false;
        QTest::newRow("disk full, move") << Kind::Move << false << false;
        QTest::newRow("disk full, move replacing") << Kind::Move << true << false;
        QTest::newRow("cancel, copy") << Kind::Copy << false << true;
        QTest::newRow("cancel, copy replacing") << Kind::Copy << true << true;
        QTest::newRow("cancel, move") << Kind::Move << false << true;
    }
    void interruptedWriteLeavesNothingHalfDone()
    {
        QFETCH(Kind, kind);
        QFETCH(bool, replacing);
        QFETCH(bool, cancel);
        ScratchMount mount = ScratchMount::tmpfs(cancel ? QStringLiteral("size=300m") : QStringLiteral("size=1m"));
        if (!mount.ok())
            QSKIP(qPrintable("cannot mount: " + mount.why()));
        // Real data: a file with holes would be copied hole by hole, far faster than this.
        const qint64 size = cancel ? 48 * 1024 * 1024 : 3 * 1024 * 1024;
        const QString source = m_tree->file("big.bin", QByteArray(size, 'z'));
        QStringList sources{source};
        if (!cancel)
            sources << QFileInfo(m_tree->file("folder/inner.bin", QByteArray(size, 'z'))).path();
        const QString old = mount.path() + "/big.bin";
        if (replacing) {
            QFile f(old);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("precious") == 8);
        }
        m_prompter->answer(PromptButton::Skip);
        m_prompter->answer(PromptButton::Skip);
        CancelAfterBytes progress(cancel ? 12 * 1024 * 1024 : size * 2);
        const FileOperationResult r = run(kind, sources, mount.path(), Flag::NoConfirmation, &progress);
        if (cancel) {
            QVERIFY(r.cancelled);
            QVERIFY(progress.bytesDone < size);
        } else {
            QCOMPARE(r.skipped, 2);
            QVERIFY(m_prompter->prompts.first().text.contains("disk is full"));
        }
        // A folder arrives without the file that did not fit.
        QStringList expected = cancel ? QStringList{} : QStringList{"folder"};
        if (replacing)
            expected.prepend("big.bin");
        QCOMPARE(everyNameUnder(mount.path()), expected);
        if (replacing) {
            QFile f(old);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("precious"));
        }
        QCOMPARE(QFileInfo(source).size(), size);
        QVERIFY(cancel || QFileInfo(m_tree->path("folder/inner.bin")).size() == size);
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
        QStringList sources;
        for (int i = 0; i < count; ++i)
            sources << QFileInfo(m_tree->file(QStringLiteral("f%1/inner.txt").arg(i), "x")).path();
        m_prompter->answer(PromptButton::No);
        QCOMPARE(run(Kind::Delete, sources, {}, flags, nullptr, greek).done, 0);
        expected.replace("%1", sources.first());
        QVERIFY2(m_prompter->last().text.contains(expected), qPrintable(m_prompter->last().text));
        QCOMPARE(m_prompter->last().buttons, (QList<PromptButton>{PromptButton::Yes, PromptButton::No}));
        QVERIFY(QFileInfo::exists(sources.first()));
        m_prompter->answer(PromptButton::Yes);
        QCOMPARE(run(Kind::Delete, sources, {}, flags, nullptr, greek).done, count);
        QVERIFY(!QFileInfo::exists(sources.first()));
    }
};

TIDYHALL_TEST_MAIN(FileOperationTest)
#include "tst_FileOperation.moc"
