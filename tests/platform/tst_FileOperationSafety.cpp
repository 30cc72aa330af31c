#include "ScratchMount.h"
#include "ScriptedPrompter.h"
#include "TempTree.h"
#include "TestEnvironment.h"
#include "platform/DosAttributes.h"
#include "platform/ExactName.h"
#include "platform/FileOperation.h"
#include "platform/FileTimes.h"
#include "platform/SafeCopy.h"
#include "platform/SystemErrorTexts.h"
#include "platform/Trash.h"

#include <QDirIterator>
#include <sys/fsuid.h>

#include <QtTest>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using Kind = FileOperationKind;
namespace Flag = FileOperationFlag;

namespace {

struct stat statOf(const QString &path)
{
    struct stat st {};
    ::lstat(ExactName::toBytes(path).constData(), &st);
    return st;
}

// Cancels as soon as anything is asked of the progress: before the first item.
class CancelAtOnce : public FileOperationProgress
{
public:
    CancelAtOnce() { requestCancel(); }
};

// Cancels once `limit` items are done.
class CancelAfterItems : public FileOperationProgress
{
public:
    explicit CancelAfterItems(int limit) : m_limit(limit) {}

protected:
    void advanced() override
    {
        if (itemsDone >= m_limit)
            requestCancel();
    }

private:
    int m_limit;
};

// An ACL in the kernel's xattr form: version 2, then (tag, perm, id) entries.
QByteArray aclXattr(const QList<std::tuple<unsigned, unsigned, unsigned>> &entries)
{
    QByteArray out("\x02\x00\x00\x00", 4);
    for (const auto &[tag, perm, id] : entries) {
        const char e[8] = {char(tag & 0xff), char(tag >> 8), char(perm), 0,
                           char(id & 0xff), char((id >> 8) & 0xff), char((id >> 16) & 0xff), char(id >> 24)};
        out.append(e, 8);
    }
    return out;
}
constexpr unsigned UserObj = 0x01, User = 0x02, GroupObj = 0x04, Mask = 0x10, Other = 0x20;
constexpr unsigned NoId = 0xffffffff;

} // namespace

// What a copy keeps, and the volumes and mounts a tree walk must never cross.
class FileOperationSafetyTest : public QObject
{
    Q_OBJECT
    std::optional<TempTree> m_tree;
    std::optional<ScriptedPrompter> m_prompter;

    FileOperationResult run(Kind kind, const QStringList &sources, const QString &target, int flags,
                            FileOperationProgress *progress = nullptr)
    {
        FileOperationRequest r;
        r.operation = kind;
        r.sources = sources;
        r.target = target;
        r.flags = flags;
        r.languageGreek = false;
        FileOperationProgress quiet;
        return performFileOperation(r, *m_prompter, progress ? *progress : quiet);
    }

private Q_SLOTS:
    void init()
    {
        m_tree.emplace();
        m_prompter.emplace();
    }
    void cleanup()
    {
        m_prompter.reset();
        m_tree.reset();
    }

    // A bind mount of another folder ("home") inside the tree handled: never emptied,
    // never carried away. The classic "deleted a chroot, lost /home".
    void bindMountInsideTree_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("delete for good") << int(Kind::Delete) << int(Flag::NoConfirmation) << false;
        QTest::newRow("trash") << int(Kind::Delete) << int(Flag::NoConfirmation | Flag::AllowUndo) << false;
        QTest::newRow("move to another volume") << int(Kind::Move) << int(Flag::NoConfirmation) << true;
        QTest::newRow("copy") << int(Kind::Copy) << int(Flag::NoConfirmation) << false;
    }
    void bindMountInsideTree()
    {
        QFETCH(int, kind);
        QFETCH(int, flags);
        QFETCH(bool, otherVolume);
        m_tree->file("home/keep.txt", "precious");
        m_tree->file("chroot/etc/a.txt", "a");
        const QString inside = m_tree->folder("chroot/home");
        ScratchMount bind = ScratchMount::bind(m_tree->path("home"), inside);
        if (!bind.ok())
            QSKIP(qPrintable(bind.why()));
        std::optional<ScratchMount> volume;
        QString target = m_tree->folder("target");
        if (otherVolume) {
            volume.emplace(ScratchMount::tmpfs(QStringLiteral("size=8m")));
            if (!volume->ok())
                QSKIP(qPrintable(volume->why()));
            target = volume->path();
        }
        for (int i = 0; i < 4; ++i)
            m_prompter->answer(PromptButton::Skip);
        const FileOperationResult r = run(Kind(kind), {m_tree->path("chroot")}, target, flags);
        QCOMPARE(m_tree->read("home/keep.txt"), QByteArray("precious"));
        QCOMPARE(m_tree->read("chroot/home/keep.txt"), QByteArray("precious")); // still mounted there
        QVERIFY(r.failed + r.skipped > 0);
        QVERIFY(!QFile::exists(target + "/chroot/home/keep.txt"));
        const bool told = std::any_of(m_prompter->prompts.cbegin(), m_prompter->prompts.cend(),
                                      [](const ScriptedPrompter::Prompt &p) { return p.text.contains("mounted"); });
        QVERIFY(told);
    }

    // The mount point itself, selected.
    void mountPointSelected_data()
    {
        QTest::addColumn<int>("flags");
        QTest::newRow("delete for good") << int(Flag::NoConfirmation);
        QTest::newRow("trash") << int(Flag::NoConfirmation | Flag::AllowUndo);
    }
    void mountPointSelected()
    {
        QFETCH(int, flags);
        m_tree->file("home/keep.txt", "precious");
        ScratchMount bind = ScratchMount::bind(m_tree->path("home"), m_tree->folder("view"));
        if (!bind.ok())
            QSKIP(qPrintable(bind.why()));
        const FileOperationResult r = run(Kind::Delete, {m_tree->path("view")}, QString(), flags);
        QCOMPARE(r.done, 0);
        QCOMPARE(r.failed, 1);
        QVERIFY(m_prompter->last().text.contains("where a disk is mounted"));
        QCOMPARE(m_tree->read("view/keep.txt"), QByteArray("precious"));
    }

    // A folder copied into a bind mount of its own sub-folder is refused at once, as
    // cp refuses it, instead of recursing until the disk or the path length gives out.
    void copyIntoBindOfOwnSubfolder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("copy") << int(Kind::Copy);
    }
    void copyIntoBindOfOwnSubfolder()
    {
        QFETCH(int, kind);
        m_tree->file("src/f.txt", "f");
        m_tree->folder("src/sub");
        ScratchMount bind = ScratchMount::bind(m_tree->path("src/sub"), m_tree->folder("elsewhere"));
        if (!bind.ok())
            QSKIP(qPrintable(bind.why()));
        const FileOperationResult r = run(Kind(kind), {m_tree->path("src")}, m_tree->path("elsewhere"), Flag::NoConfirmation);
        QCOMPARE(r.done, 0);
        QCOMPARE(r.failed, 1);
        QVERIFY2(m_prompter->last().text.contains("into itself"), qPrintable(m_prompter->last().text));
        QCOMPARE(QDir(m_tree->path("src/sub")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A bind mount of a folder inside itself: the measurement and the copy walk it once,
    // never round the loop.
    void bindLoopIsNotWalked()
    {
        m_tree->file("src/a.txt", "a");
        ScratchMount loop = ScratchMount::bind(m_tree->path("src"), m_tree->folder("src/loop"));
        if (!loop.ok())
            QSKIP(qPrintable(loop.why()));
        m_prompter->answer(PromptButton::Skip);
        FileOperationProgress progress;
        const FileOperationResult r = run(Kind::Copy, {m_tree->path("src")}, m_tree->folder("dst"), 0, &progress);
        QCOMPARE(r.skipped, 1);
        QCOMPARE(progress.itemsTotal.load(), 3); // src, a.txt and the mount point itself
        QCOMPARE(everyNameUnder(m_tree->path("dst")), (QStringList{"src", "src/a.txt"}));
    }

    // The measurement before the progress starts honours Cancel.
    void cancelBeforeTheFirstItem()
    {
        m_tree->file("src/a/b/c.txt", "c");
        CancelAtOnce cancel;
        const FileOperationResult r = run(Kind::Copy, {m_tree->path("src")}, m_tree->folder("dst"), 0, &cancel);
        QVERIFY(r.cancelled);
        QVERIFY(!QFile::exists(m_tree->path("dst/src")));
    }

    // A sparse file stays sparse: 1 GiB holding 8 KiB fits on a 16 MiB volume.
    void sparseFileStaysSparse()
    {
        ScratchMount volume = ScratchMount::tmpfs(QStringLiteral("size=16m"));
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        const QByteArray file = ExactName::toBytes(m_tree->path("sparse.img"));
        const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        const QByteArray head(4096, 'h');
        const QByteArray tail(4096, 't');
        QCOMPARE(::pwrite(fd, head.constData(), head.size(), 0), ssize_t(head.size()));
        QCOMPARE(::pwrite(fd, tail.constData(), tail.size(), (1LL << 30) - 4096), ssize_t(tail.size()));
        ::close(fd);
        QCOMPARE(run(Kind::Copy, {m_tree->path("sparse.img")}, volume.path(), 0).done, 1);
        const struct stat st = statOf(volume.path() + "/sparse.img");
        QCOMPARE(qint64(st.st_size), qint64(1) << 30);
        QVERIFY(qint64(st.st_blocks) * 512 < 1024 * 1024);
        QFile copy(volume.path() + "/sparse.img");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.read(4096), head);
        QVERIFY(copy.seek((1LL << 30) - 4096));
        QCOMPARE(copy.read(4096), tail);
    }

    // Hard links inside one copied or moved tree stay linked.
    void hardLinksStayLinked_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("otherVolume");
        QTest::newRow("copy") << int(Kind::Copy) << false;
        QTest::newRow("move to another volume") << int(Kind::Move) << true;
    }
    void hardLinksStayLinked()
    {
        QFETCH(int, kind);
        QFETCH(bool, otherVolume);
        const QString one = m_tree->file("tree/a/one.txt", "same");
        m_tree->folder("tree/b");
        QCOMPARE(::link(ExactName::toBytes(one).constData(), ExactName::toBytes(m_tree->path("tree/b/two.txt")).constData()), 0);
        std::optional<ScratchMount> volume;
        QString target = m_tree->folder("dst");
        if (otherVolume) {
            volume.emplace(ScratchMount::tmpfs(QStringLiteral("size=8m")));
            if (!volume->ok())
                QSKIP(qPrintable(volume->why()));
            target = volume->path();
        }
        QCOMPARE(run(Kind(kind), {m_tree->path("tree")}, target, 0).done, 1);
        const struct stat a = statOf(target + "/tree/a/one.txt");
        const struct stat b = statOf(target + "/tree/b/two.txt");
        QCOMPARE(a.st_ino, b.st_ino);
        QCOMPARE(a.st_nlink, nlink_t(2));
        QCOMPARE(QFile::exists(m_tree->path("tree")), kind == int(Kind::Copy));
    }

    // Where the target cannot keep an ACL, the copy's mode grants no more than it did.
    void modeWithinAcl_data()
    {
        QTest::addColumn<QByteArray>("acl");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("expected");
        QTest::newRow("group none, mask rw") << aclXattr({{UserObj, 6, NoId}, {User, 6, 1234}, {GroupObj, 0, NoId},
                                                          {Mask, 6, NoId}, {Other, 0, NoId}})
                                            << 0660 << 0600;
        QTest::newRow("group r, mask rw") << aclXattr({{UserObj, 6, NoId}, {GroupObj, 4, NoId}, {Mask, 6, NoId},
                                                        {Other, 4, NoId}})
                                          << 02664 << 02644;
        QTest::newRow("group rw, mask r") << aclXattr({{UserObj, 7, NoId}, {GroupObj, 6, NoId}, {Mask, 4, NoId},
                                                        {Other, 0, NoId}})
                                          << 0740 << 0740;
        QTest::newRow("no ACL entries") << aclXattr({}) << 0640 << 0640;
    }
    void modeWithinAcl()
    {
        QFETCH(QByteArray, acl);
        QFETCH(int, mode);
        QFETCH(int, expected);
        QCOMPARE(int(SafeCopy::modeWithinAcl(mode_t(mode), acl)), expected);
    }

    // An ACL travels with the copy, access and default.
    void aclsKept()
    {
        ScratchMount volume = ScratchMount::ext4(16);
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        const QByteArray file = ExactName::toBytes(m_tree->file("shared/report.txt", "r"));
        QCOMPARE(::chmod(file.constData(), 0640), 0);
        const QByteArray acl = aclXattr({{UserObj, 6, NoId}, {User, 6, 1234}, {GroupObj, 0, NoId}, {Mask, 6, NoId},
                                         {Other, 0, NoId}});
        if (::setxattr(file.constData(), "system.posix_acl_access", acl.constData(), acl.size(), 0) != 0)
            QSKIP("the scratch folder's volume keeps no ACLs");
        const QByteArray folder = ExactName::toBytes(m_tree->path("shared"));
        const QByteArray defaults = aclXattr({{UserObj, 7, NoId}, {GroupObj, 5, NoId}, {Other, 0, NoId}});
        QCOMPARE(::setxattr(folder.constData(), "system.posix_acl_default", defaults.constData(), defaults.size(), 0), 0);

        QCOMPARE(run(Kind::Copy, {m_tree->path("shared")}, volume.path(), 0).done, 1);
        const QByteArray copy = ExactName::toBytes(volume.path() + "/shared/report.txt");
        char value[256];
        const ssize_t n = ::getxattr(copy.constData(), "system.posix_acl_access", value, sizeof value);
        QVERIFY(n > 0);
        QCOMPARE(QByteArray(value, int(n)), acl);
        QCOMPARE(statOf(volume.path() + "/shared/report.txt").st_mode & 0777, 0660u); // the mask, as on the source
        const QByteArray copiedFolder = ExactName::toBytes(volume.path() + "/shared");
        const ssize_t d = ::getxattr(copiedFolder.constData(), "system.posix_acl_default", value, sizeof value);
        QCOMPARE(QByteArray(value, int(qMax<ssize_t>(d, 0))), defaults);
    }

    // A file that changes while it is copied is noticed; a move then keeps the original.
    void growingFileIsNoticed_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("copy") << int(Kind::Copy);
        QTest::newRow("move to another volume") << int(Kind::Move);
    }
    void growingFileIsNoticed()
    {
        QFETCH(int, kind);
        ScratchMount volume = ScratchMount::tmpfs(QStringLiteral("size=64m"));
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        const QString file = m_tree->file("log.txt", QByteArray(20 * 1024 * 1024, 'x'));
        // Grows the file from inside the copy: the first progress report appends to it.
        struct Growing : FileOperationProgress
        {
            QByteArray path;
            bool grown = false;
            void advanced() override
            {
                if (grown || bytesDone == 0)
                    return;
                grown = true;
                const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
                (void)::write(fd, "more", 4);
                ::close(fd);
            }
        } growing;
        growing.path = ExactName::toBytes(file);
        m_prompter->answer(PromptButton::Skip);
        const FileOperationResult r = run(Kind(kind), {file}, volume.path(), 0, &growing);
        QVERIFY(growing.grown);
        QCOMPARE(r.done, 0);
        QCOMPARE(r.skipped, 1);
        QVERIFY2(m_prompter->last().text.contains("changed while it was being copied"), qPrintable(m_prompter->last().text));
        QVERIFY(!QFile::exists(volume.path() + "/log.txt"));
        QCOMPARE(QFileInfo(file).size(), 20 * 1024 * 1024 + 4);
        QVERIFY(QDir(volume.path()).entryList(QDir::Hidden | QDir::Files).isEmpty()); // no .part left
    }

    // A cancelled copy of read-only folders, by an ordinary user (who cannot unlink inside
    // a read-only folder), leaves no hidden half-copy behind.
    void cancelledCopyOfReadOnlyFolders()
    {
        for (const char *folder : {"src/ro1", "src/ro2"}) {
            m_tree->file(QString::fromLatin1(folder) + "/a.txt", "a");
            m_tree->file(QString::fromLatin1(folder) + "/b.txt", "b");
            QCOMPARE(::chmod(ExactName::toBytes(m_tree->path(folder)).constData(), 0555), 0);
        }
        const QString target = m_tree->folder("dst");
        QCOMPARE(::chmod(ExactName::toBytes(target).constData(), 0777), 0);
        for (const QString &folder : {m_tree->root(), m_tree->path("src")})
            ::chmod(ExactName::toBytes(folder).constData(), 0755);
        CancelAfterItems cancel(3); // one read-only folder complete, with its two files
        ::setfsuid(65534);
        const bool dropped = ::setfsuid(-1) == 65534;
        const FileOperationResult r = run(Kind::Copy, {m_tree->path("src")}, target, 0, &cancel);
        ::setfsuid(0);
        for (const char *folder : {"src/ro1", "src/ro2"})
            ::chmod(ExactName::toBytes(m_tree->path(folder)).constData(), 0755);
        if (!dropped)
            QSKIP("cannot change the file-system user id");
        QVERIFY(r.cancelled);
        QCOMPARE(everyNameUnder(target), QStringList());
    }

    // A merged folder counts as done only when all of it was; the rest is reported.
    void mergedFolderSaysWhatHappened_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("done");
        QTest::addColumn<int>("skipped");
        QTest::newRow("every child skipped") << int(PromptButton::No) << 0 << 1;
        QTest::newRow("every child replaced") << int(PromptButton::Yes) << 1 << 0;
    }
    void mergedFolderSaysWhatHappened()
    {
        QFETCH(int, answer);
        QFETCH(int, done);
        QFETCH(int, skipped);
        m_tree->file("src/album/p.jpg", "new");
        m_tree->file("dst/album/p.jpg", "old");
        m_prompter->answer(PromptButton::Yes); // merge the folders
        m_prompter->answer(PromptButton(answer));
        const FileOperationResult r = run(Kind::Copy, {m_tree->path("src/album")}, m_tree->path("dst"), 0);
        QCOMPARE(r.done, done);
        QCOMPARE(r.skipped, skipped);
    }

    // A merge-move across volumes: every original goes once the copies are flushed, the
    // emptied folder last.
    void mergeMoveAcrossVolumes()
    {
        ScratchMount volume = ScratchMount::tmpfs(QStringLiteral("size=8m"));
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        m_tree->file("album/a.jpg", "a");
        m_tree->file("album/b.jpg", "b");
        QVERIFY(QDir().mkpath(volume.path() + "/album"));
        m_prompter->answer(PromptButton::Yes);
        const FileOperationResult r = run(Kind::Move, {m_tree->path("album")}, volume.path(), 0);
        QCOMPARE(r.done, 1);
        QVERIFY(!m_tree->exists("album"));
        QCOMPARE(everyNameUnder(volume.path()), (QStringList{"album", "album/a.jpg", "album/b.jpg"}));
    }

    // A message names the user's item, never the temporary name of a copy in progress.
    void messagesNameTheUsersItem()
    {
        ScratchMount volume = ScratchMount::tmpfs(QStringLiteral("size=1m"));
        if (!volume.ok())
            QSKIP(qPrintable(volume.why()));
        m_tree->file("folder/inner/big.bin", QByteArray(3 * 1024 * 1024, 'z'));
        m_prompter->answer(PromptButton::Skip);
        run(Kind::Copy, {m_tree->path("folder")}, volume.path(), 0);
        QVERIFY(!m_prompter->prompts.isEmpty());
        const QString text = m_prompter->prompts.first().text;
        QVERIFY2(!text.contains(".tidyhall-") && !text.contains(".part"), qPrintable(text));
        QVERIFY2(text.contains("big.bin") && text.contains("disk is full"), qPrintable(text));
    }

    // An item already in the trash is not trashed again (that would leave an orphan
    // record); the user is told.
    void itemInTheTrashIsRefused()
    {
        m_tree->file("old.txt", "o");
        QCOMPARE(run(Kind::Delete, {m_tree->path("old.txt")}, QString(), Flag::NoConfirmation | Flag::AllowUndo).done, 1);
        const QString inTrash = ExactName::fromBytes(TrashCan::homeTrashPath()) + "/files/old.txt";
        QVERIFY(QFile::exists(inTrash));
        const FileOperationResult r = run(Kind::Delete, {inTrash}, QString(), Flag::NoConfirmation | Flag::AllowUndo);
        QCOMPARE(r.done, 0);
        QCOMPARE(r.failed, 1);
        QVERIFY(m_prompter->last().text.contains("in the recycle bin already"));
        QVERIFY(QFile::exists(inTrash));
        QCOMPARE(QDir(ExactName::fromBytes(TrashCan::homeTrashPath()) + "/info").entryList(QDir::Files).size(), 1);
        QFile::remove(inTrash);
        QFile::remove(ExactName::fromBytes(TrashCan::homeTrashPath()) + "/info/old.txt.trashinfo");
    }

    // The system's reasons in both languages; none untranslated.
    void systemErrorTexts_data()
    {
        QTest::addColumn<int>("err");
        QTest::addColumn<bool>("known");
        for (int e : {ENOENT, EACCES, EPERM, ENOSPC, EDQUOT, EROFS, EEXIST, ENOTEMPTY, EXDEV, EBUSY, ENAMETOOLONG,
                      ELOOP, EIO, EINVAL})
            QTest::newRow(qPrintable(QString::number(e))) << e << true;
        QTest::newRow("ENOTTY") << int(ENOTTY) << false;
    }
    void systemErrorTexts()
    {
        QFETCH(int, err);
        QFETCH(bool, known);
        const Bilingual text = systemErrorText(err);
        QCOMPARE(!text.in(true).isEmpty(), known);
        QCOMPARE(!text.in(false).isEmpty(), known);
        if (known) {
            QVERIFY(text.in(true) != text.in(false));
            QVERIFY(text.in(false) != QString::fromLocal8Bit(std::strerror(err)));
        }
    }

    // DOS attributes and the creation time travel between volume types through each
    // volume's store; the copy keeps Hidden, System and Read-only and gets Archive.
    void dosAttributesTravel()
    {
        ScratchMount ntfs = ScratchMount::image(8, {"mkntfs", "-q", "-F", "-f"}, {"ntfs-3g"});
        if (!ntfs.ok())
            QSKIP(qPrintable(ntfs.why()));
        ScratchMount ext4 = ScratchMount::ext4(16);
        if (!ext4.ok())
            QSKIP(qPrintable(ext4.why()));
        const QString original = ext4.path() + "/notes.txt";
        {
            QFile f(original);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("n");
        }
        const QDateTime created(QDate(1999, 12, 31), QTime(23, 58, 0), Qt::UTC);
        writeTimes(original, created, std::nullopt, std::nullopt);
        DosAttributes wanted;
        wanted.hidden = true;
        wanted.system = true;
        wanted.readOnly = true;
        writeAttributes(original, wanted);

        QCOMPARE(run(Kind::Copy, {original}, ntfs.path(), 0).done, 1);
        const QString onNtfs = ntfs.path() + "/notes.txt";
        // No user.DOSATTRIB on NTFS: ntfs-3g would show it as a stream named DOSATTRIB.
        char buffer[256];
        QVERIFY(::getxattr(ExactName::toBytes(onNtfs).constData(), "user.DOSATTRIB", buffer, sizeof buffer) < 0);
        DosAttributes there = readAttributes(onNtfs);
        QVERIFY(there.hidden && there.system && there.readOnly && there.archive);
        QCOMPARE(readTimes(onNtfs).created, created);

        const QString back = m_tree->folder("back");
        QCOMPARE(run(Kind::Copy, {onNtfs}, ext4.path() + "/", Flag::RenameOnCollision).done, 1);
        const DosAttributes again = readAttributes(ext4.path() + "/notes (2).txt");
        QVERIFY(again.hidden && again.system && again.readOnly && again.archive);
        QCOMPARE(readTimes(ext4.path() + "/notes (2).txt").created, created);
        Q_UNUSED(back);
    }

    // FAT keeps no set-user-ID, set-group-ID or sticky bits: the copy is made without
    // them instead of failing.
    void specialBitsDroppedOnFat()
    {
        ScratchMount fat = ScratchMount::image(16, {"mkfs.vfat"}, {"mount", "-o", "loop"});
        if (!fat.ok())
            QSKIP(qPrintable(fat.why()));
        const QString tool = m_tree->file("bin/tool", "#!/bin/sh\n");
        QCOMPARE(::chmod(ExactName::toBytes(tool).constData(), 06755), 0);
        const QString shared = m_tree->folder("bin/shared");
        QCOMPARE(::chmod(ExactName::toBytes(shared).constData(), 01777), 0);
        const FileOperationResult r = run(Kind::Copy, {m_tree->path("bin")}, fat.path(), 0);
        QCOMPARE(m_prompter->prompts.size(), 0);
        QCOMPARE(r.done, 1);
        QCOMPARE(QFile(fat.path() + "/bin/tool").size(), 10);
        QVERIFY(QFileInfo(fat.path() + "/bin/shared").isDir());
    }
};

TIDYHALL_TEST_MAIN(FileOperationSafetyTest)
#include "tst_FileOperationSafety.moc"
