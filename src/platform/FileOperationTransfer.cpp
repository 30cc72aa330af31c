#include "platform/FileOperationTransfer.h"

#include "platform/DosAttributes.h"
#include "platform/ExactName.h"
#include "platform/FileOperationTexts.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"

#include <QDateTime>
#include <QLocale>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace T = FileOperationTexts;
using SafeCopy::joinPath;

namespace {

// Removes a half-built copy; it is ours, so nothing of the user's is lost with it.
void discard(const QByteArray &temporary) noexcept
{
    try {
        SafeCopy::removeOwnTree(temporary);
    } catch (...) {
    }
}

bool statFollow(const QByteArray &path, struct stat &st)
{
    return ::stat(path.constData(), &st) == 0;
}

} // namespace

FileOperationTransfer::FileOperationTransfer(FileOperationContext &context)
    : m_ctx(context), m_move(context.request.operation == FileOperationKind::Move)
{
}

void FileOperationTransfer::run()
{
    m_target = ExactName::toBytes(m_ctx.request.target);
    char real[PATH_MAX];
    m_realTarget = ::realpath(m_target.constData(), real) ? QByteArray(real) : m_target;

    std::vector<std::pair<std::int64_t, std::int64_t>> sizes;
    for (const QString &source : m_ctx.request.sources) {
        std::int64_t items = 0;
        std::int64_t bytes = 0;
        try {
            SafeCopy::measureTree(ExactName::toBytes(source), items, bytes, [this] { m_ctx.checkCancel(); });
        } catch (const FileError &) {
            // Only the figures suffer; the item itself is asked about when its turn comes.
        }
        sizes.emplace_back(std::max<std::int64_t>(items, 1), bytes);
        m_ctx.progress.itemsTotal += sizes.back().first;
        m_ctx.progress.bytesTotal += bytes;
    }
    std::int64_t items = 0;
    std::int64_t bytes = 0;
    auto &reports = m_ctx.result.items;
    for (qsizetype i = 0; i < m_ctx.request.sources.size(); ++i) {
        const FileOperationResult before = m_ctx.result;
        reports.push_back(FileItemReport{m_ctx.request.sources[i], QString(), FileItemOutcome::Cancelled});
        QByteArray placed;
        try {
            m_ctx.checkCancel();
            placed = transferTop(ExactName::toBytes(m_ctx.request.sources[i]));
        } catch (const OperationCancelled &) {
            for (qsizetype j = i + 1; j < m_ctx.request.sources.size(); ++j)
                reports.push_back(FileItemReport{m_ctx.request.sources[j], QString(), FileItemOutcome::Cancelled});
            throw;
        } catch (const FileError &) {
            reports.back().outcome = FileItemOutcome::Failed;
            throw;
        }
        FileItemReport &report = reports.back();
        report.target = placed.isEmpty() ? QString() : FileOperationContext::display(placed);
        if (m_ctx.result.failed > before.failed)
            report.outcome = FileItemOutcome::Failed;
        else if (m_ctx.result.skipped > before.skipped)
            report.outcome = FileItemOutcome::Skipped;
        else if (m_ctx.result.done > before.done)
            report.outcome = FileItemOutcome::Complete;
        else
            report.outcome = FileItemOutcome::Failed;
        // A rename moves a whole tree at once; the figures catch up here.
        items += sizes[std::size_t(i)].first;
        bytes += sizes[std::size_t(i)].second;
        m_ctx.progress.itemsDone = items;
        m_ctx.progress.bytesDone = bytes;
    }
}

QByteArray FileOperationTransfer::transferTop(const QByteArray &src)
{
    m_ctx.progress.setCurrentName(FileOperationContext::display(src));
    if (m_move && !m_ctx.mayRemove(src))
        return {};
    SafeCopy::Stat st;
    const bool found = m_ctx.attempt(src, [&] {
        st = SafeCopy::lstatPath(src);
        if (!st.exists)
            throw FileError{ENOENT, src};
    });
    if (!found)
        return {};
    if (st.isDir() && isInsideSource(st)) {
        m_ctx.refuse(m_ctx.text(m_move ? T::IntoItselfMove : T::IntoItselfCopy)
                         .arg(FileOperationContext::display(src), FileOperationContext::display(m_target)));
        return {};
    }
    QByteArray name = SafeCopy::fileName(src);
    struct stat parent;
    struct stat target;
    if (statFollow(SafeCopy::parentOf(src), parent) && statFollow(m_target, target) && parent.st_dev == target.st_dev
        && parent.st_ino == target.st_ino) {
        if (m_move) {
            m_ctx.refuse(m_ctx.text(T::AlreadyThere)
                             .arg(FileOperationContext::display(name), FileOperationContext::display(m_target)));
            return {};
        }
        // A copy into its own folder is a copy under a new name.
        if (!m_ctx.attempt(src, [&] { name = SafeCopy::freeName(m_target, name, st.isDir()); }))
            return {};
    }
    m_linked.clear(); // links are kept within one tree
    QByteArray placed;
    try {
        const bool done = transfer(src, st, m_target, name, &placed);
        finishMoves();
        if (!done)
            return {};
        ++m_ctx.result.done;
    } catch (const CopyIntoItself &) {
        // A folder the operation made turned up among the sources: the target is the
        // source seen through a bind mount. Refused at the first level, as cp does.
        m_ctx.refuse(m_ctx.text(m_move ? T::IntoItselfMove : T::IntoItselfCopy)
                         .arg(FileOperationContext::display(src), FileOperationContext::display(m_target)));
        return {};
    }
    return placed;
}

bool FileOperationTransfer::isInsideSource(const SafeCopy::Stat &source) const
{
    // Compared by device and inode, so that a link or a second mount of the same folder
    // cannot hide that the target lies inside the source.
    for (QByteArray p = m_realTarget;; p = SafeCopy::parentOf(p)) {
        struct stat st;
        if (::stat(p.constData(), &st) == 0 && st.st_dev == source.st.st_dev && st.st_ino == source.st.st_ino)
            return true;
        if (p == "/" || p == ".")
            return false;
    }
}

// A link whose target is the item it would replace: replacing would leave a link to
// itself and the item gone.
static bool linksTo(const QByteArray &src, const SafeCopy::Stat &st, const SafeCopy::Stat &dstSt)
{
    struct stat target {};
    return S_ISLNK(st.st.st_mode) && ::stat(src.constData(), &target) == 0 && target.st_dev == dstSt.st.st_dev
           && target.st_ino == dstSt.st.st_ino;
}

bool FileOperationTransfer::transfer(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dstDir,
                                     QByteArray name, QByteArray *placed)
{
    QByteArray dst = joinPath(dstDir, name);
    SafeCopy::Stat dstSt;
    if (!m_ctx.attempt(dst, [&] { dstSt = SafeCopy::lstatPath(dst); }))
        return false;
    if (dstSt.exists) {
        if (dstSt.sameItem(st) || linksTo(src, st, dstSt)) {
            m_ctx.refuse(m_ctx.text(T::OntoItself)
                             .arg(FileOperationContext::display(src), FileOperationContext::display(dst)));
            return false;
        }
        switch (decide(src, st, dst, dstSt)) {
        case Decision::Skip:
            ++m_ctx.result.skipped;
            return false;
        case Decision::Rename:
            if (!m_ctx.attempt(dst, [&] { name = SafeCopy::freeName(dstDir, name, st.isDir()); }))
                return false;
            dst = joinPath(dstDir, name);
            break;
        case Decision::Replace:
            if (placed)
                *placed = dst;
            if (st.isDir() && dstSt.isDir())
                return merge(src, dst);
            if (st.isDir() || dstSt.isDir()) {
                m_ctx.refuse(m_ctx.text(T::KindMismatch)
                                 .arg(FileOperationContext::display(src), FileOperationContext::display(dst)));
                return false;
            }
            if (!m_ctx.attempt(src, [&] { replaceLeaf(src, st, dst); }))
                return false;
            m_ctx.progress.addItems(1);
            return true;
        }
    }
    if (placed)
        *placed = dst;
    return m_move ? moveNew(src, st, dst) : copyNew(src, st, dst, nullptr);
}

FileOperationTransfer::Decision FileOperationTransfer::decide(const QByteArray &src, const SafeCopy::Stat &st,
                                                              const QByteArray &dst, const SafeCopy::Stat &dstSt)
{
    if (m_ctx.hasFlag(FileOperationFlag::RenameOnCollision))
        return Decision::Rename;
    if (m_ctx.hasFlag(FileOperationFlag::NoConfirmation) || m_ctx.yesToAll)
        return Decision::Replace;
    const Bilingual &question = st.isDir() && dstSt.isDir() ? T::MergeFolder : T::ReplaceFile;
    const QString text = m_ctx.text(question).arg(FileOperationContext::display(SafeCopy::parentOf(dst)),
                                                  FileOperationContext::display(SafeCopy::fileName(dst)),
                                                  describe(dst, dstSt), describe(src, st));
    const PromptButton answer = m_ctx.prompter.message(
        m_ctx.title(), text, PromptIcon::Question,
        {PromptButton::Yes, PromptButton::YesToAll, PromptButton::No, PromptButton::Cancel}, PromptButton::No);
    switch (answer) {
    case PromptButton::Yes:
        return Decision::Replace;
    case PromptButton::YesToAll:
        m_ctx.yesToAll = true;
        return Decision::Replace;
    case PromptButton::No:
        return Decision::Skip;
    default:
        throw OperationCancelled{};
    }
}

QString FileOperationTransfer::describe(const QByteArray &path, const SafeCopy::Stat &st) const
{
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(QDateTime::fromSecsSinceEpoch(st.st.st_mtime), QLocale::ShortFormat);
    if (st.isDir())
        return m_ctx.text(T::FolderDescription).arg(FileOperationContext::display(path), date);
    return m_ctx.text(T::FileDescription)
        .arg(FileOperationContext::display(path), locale.toString(qlonglong(st.st.st_size)), date);
}

bool FileOperationTransfer::copyNew(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst,
                                    std::vector<QByteArray> *copied)
{
    const ByteProgress bytes = m_ctx.byteProgress();
    if (!st.isDir()) {
        if (!m_ctx.attempt(src, [&] {
                SafeCopy::copyLeaf(src, dst, st.st, SafeCopy::WriteMode::NewViaTemp, bytes, dosHook(src, dst));
            }))
            return false;
        m_ctx.progress.addItems(1);
        if (copied)
            copied->push_back(src);
        return true;
    }
    // A new folder is built under a temporary name and renamed into place when complete,
    // so that a cancelled or failed copy never looks like a finished one.
    const QByteArray temporary = SafeCopy::temporaryPath(SafeCopy::parentOf(dst));
    m_ctx.nameTemporary(temporary, dst);
    const bool made = m_ctx.attempt(dst, [&] {
        if (::mkdir(temporary.constData(), 0700) != 0)
            throw FileError{errno, dst};
        remember(temporary);
    });
    if (!made)
        return false;
    try {
        copyTreeContents(src, temporary, copied);
        const bool placed = m_ctx.attempt(src, [&] {
            SafeCopy::copyFolderMetadata(src, temporary, st.st);
            carryDos(src, temporary);
        }) && m_ctx.attempt(dst, [&] { SafeCopy::renameNoReplace(temporary, dst); });
        if (!placed) {
            discard(temporary);
            return false;
        }
    } catch (...) {
        discard(temporary);
        throw;
    }
    m_ctx.progress.addItems(1);
    if (copied)
        copied->push_back(src);
    return true;
}

void FileOperationTransfer::copyTreeContents(const QByteArray &src, const QByteArray &dst,
                                             std::vector<QByteArray> *copied)
{
    QList<QByteArray> names;
    if (!m_ctx.attempt(src, [&] { names = SafeCopy::listFolder(src); }))
        return;
    const ByteProgress bytes = m_ctx.byteProgress();
    for (const QByteArray &name : std::as_const(names)) {
        m_ctx.checkCancel();
        const QByteArray from = joinPath(src, name);
        const QByteArray to = joinPath(dst, name);
        SafeCopy::Stat st;
        const bool found = m_ctx.attempt(from, [&] {
            st = SafeCopy::lstatPath(from);
            if (!st.exists)
                throw FileError{ENOENT, from};
        });
        if (!found)
            continue;
        if (st.isDir()) {
            if (m_created.count({st.st.st_dev, st.st.st_ino}))
                throw CopyIntoItself{};
            // Another volume, or a second view of this one, is not part of the folder:
            // it is reported and left where it is.
            if (SafeCopy::isMountPoint(from)) {
                m_ctx.attempt(from, [&] { throw FileError{EBUSY, from}; });
                continue;
            }
            const bool made = m_ctx.attempt(from, [&] {
                if (::mkdir(to.constData(), 0700) != 0 && errno != EEXIST)
                    throw FileError{errno, to};
                remember(to);
            });
            if (!made)
                continue;
            copyTreeContents(from, to, copied);
            if (!m_ctx.attempt(from, [&] {
                    SafeCopy::copyFolderMetadata(from, to, st.st);
                    carryDos(from, to);
                }))
                continue;
        } else if (linkAgain(st, to)) {
            // A second name of a file already copied stays a second name of the copy.
        } else if (!m_ctx.attempt(from, [&] {
                       SafeCopy::copyLeaf(from, to, st.st, SafeCopy::WriteMode::Direct, bytes, dosHook(from, to));
                   })) {
            continue;
        } else {
            noteLinked(st, to);
        }
        m_ctx.progress.addItems(1);
        if (copied)
            copied->push_back(from);
    }
}

void FileOperationTransfer::carryDosBetween(int in, const struct stat &a, int out, const struct stat &b,
                                            const QByteArray &from, const QByteArray &to)
{
    const std::pair<dev_t, dev_t> volumes{a.st_dev, b.st_dev};
    auto stores = m_stores.find(volumes);
    if (stores == m_stores.end())
        stores = m_stores
                     .emplace(volumes, std::make_pair(attributeStoreFor(ExactName::fromBytes(from)),
                                                      attributeStoreFor(ExactName::fromBytes(to))))
                     .first;
    try {
        copyDosInformation(in, stores->second.first, out, stores->second.second);
    } catch (const RuntimeError &) {
        // The data and the permissions are the copy; what the target volume cannot
        // keep of the DOS information does not undo it.
    }
}

SafeCopy::LeafHook FileOperationTransfer::dosHook(const QByteArray &from, const QByteArray &to)
{
    return [this, from, to](int in, int out) {
        struct stat a;
        struct stat b;
        if (::fstat(in, &a) == 0 && ::fstat(out, &b) == 0)
            carryDosBetween(in, a, out, b, from, to);
    };
}

void FileOperationTransfer::carryDos(const QByteArray &from, const QByteArray &to)
{
    const int in = ::open(from.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    const int out = in < 0 ? -1 : ::open(to.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    struct stat a;
    struct stat b;
    if (out >= 0 && ::fstat(in, &a) == 0 && ::fstat(out, &b) == 0 && (S_ISREG(a.st_mode) || S_ISDIR(a.st_mode)))
        carryDosBetween(in, a, out, b, from, to);
    if (out >= 0)
        ::close(out);
    if (in >= 0)
        ::close(in);
}

bool FileOperationTransfer::linkAgain(const SafeCopy::Stat &st, const QByteArray &to)
{
    if (!S_ISREG(st.st.st_mode) || st.st.st_nlink < 2)
        return false;
    const auto first = m_linked.find({st.st.st_dev, st.st.st_ino});
    return first != m_linked.end() && ::link(first->second.constData(), to.constData()) == 0;
}

void FileOperationTransfer::noteLinked(const SafeCopy::Stat &st, const QByteArray &to)
{
    if (S_ISREG(st.st.st_mode) && st.st.st_nlink > 1)
        m_linked.emplace(std::make_pair(st.st.st_dev, st.st.st_ino), to);
}

void FileOperationTransfer::remember(const QByteArray &folder)
{
    struct stat st;
    if (::lstat(folder.constData(), &st) == 0)
        m_created.insert({st.st_dev, st.st_ino});
}

bool FileOperationTransfer::moveNew(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst)
{
    bool otherVolume = false;
    const bool renamed = m_ctx.attempt(src, [&] {
        try {
            SafeCopy::renameNoReplace(src, dst);
        } catch (const FileError &e) {
            if (e.err != EXDEV)
                throw;
            otherVolume = true;
        }
    });
    if (!renamed)
        return false;
    if (!otherVolume)
        return true;
    // Across volumes: the sources go only once their copy is complete and in place.
    std::vector<QByteArray> copied;
    if (!copyNew(src, st, dst, &copied))
        return false;
    // The originals go once the copies of the whole top-level item are flushed.
    m_pending.insert(m_pending.end(), copied.begin(), copied.end());
    m_needsFlush = true;
    return true;
}

bool FileOperationTransfer::merge(const QByteArray &src, const QByteArray &dst)
{
    // The merged folder counts as done only when every item in it was; otherwise the
    // items left out are what the result reports.
    const int leftOutBefore = m_ctx.result.failed + m_ctx.result.skipped;
    QList<QByteArray> names;
    if (!m_ctx.attempt(src, [&] { names = SafeCopy::listFolder(src); }))
        return false;
    for (const QByteArray &name : std::as_const(names)) {
        m_ctx.checkCancel();
        const QByteArray from = joinPath(src, name);
        SafeCopy::Stat st;
        const bool found = m_ctx.attempt(from, [&] {
            st = SafeCopy::lstatPath(from);
            if (!st.exists)
                throw FileError{ENOENT, from};
        });
        if (found)
            transfer(from, st, dst, name);
    }
    // The emptied folder goes after its items, which may still wait for the flush of
    // a move across volumes; it stays, as it should, while skipped items remain in it.
    if (m_move)
        m_pending.push_back(src);
    return m_ctx.result.failed + m_ctx.result.skipped == leftOutBefore;
}

void FileOperationTransfer::finishMoves()
{
    if (m_pending.empty())
        return;
    std::vector<QByteArray> pending;
    pending.swap(m_pending);
    // Once per top-level item: the copies must be on the other volume's disk before
    // the originals go.
    if (m_needsFlush && !m_ctx.attempt(m_target, [&] { SafeCopy::flushVolumeOf(joinPath(m_target, "x")); }))
        return;
    m_needsFlush = false;
    removeSources(pending);
}

void FileOperationTransfer::replaceLeaf(const QByteArray &src, const SafeCopy::Stat &st, const QByteArray &dst)
{
    if (m_move) {
        struct stat folder;
        if (statFollow(SafeCopy::parentOf(dst), folder) && folder.st_dev == st.st.st_dev) {
            try {
                SafeCopy::renameReplace(src, dst);
                return;
            } catch (const FileError &e) {
                if (e.err != EXDEV)
                    throw;
            }
        }
    }
    SafeCopy::copyLeaf(src, dst, st.st, SafeCopy::WriteMode::ReplaceViaTemp, m_ctx.byteProgress(), dosHook(src, dst));
    if (m_move && ::unlink(src.constData()) != 0 && errno != ENOENT)
        throw FileError{errno, src};
}

void FileOperationTransfer::removeSources(const std::vector<QByteArray> &copied)
{
    // Only what was copied goes: items skipped, or added to the source meanwhile, stay.
    for (const QByteArray &path : copied) {
        m_ctx.attempt(path, [&] {
            if (::unlink(path.constData()) == 0 || errno == ENOENT)
                return;
            if (errno != EISDIR)
                throw FileError{errno, path};
            // A folder still holding such items stays, with them.
            if (::rmdir(path.constData()) != 0 && errno != ENOTEMPTY && errno != EEXIST && errno != ENOENT)
                throw FileError{errno, path};
        });
    }
}
