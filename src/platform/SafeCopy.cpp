#include "platform/SafeCopy.h"

#include "platform/WorkerThreads.h"

#include <QRandomGenerator>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace SafeCopy {

namespace {

constexpr int NameMax = 255;
constexpr std::size_t ChunkBytes = 8 * 1024 * 1024; // Cancel is looked at between chunks
const QByteArray TemporaryPrefix = QByteArrayLiteral(".tidyhall-");
const QByteArray TemporarySuffix = QByteArrayLiteral(".part");

[[noreturn]] void fail(const QByteArray &path, int err = errno)
{
    throw FileError{err, path};
}

// Closes a descriptor on every path out of a function.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    void reset()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    // Closes and reports the error close itself may give (a network volume's late ENOSPC).
    int closeChecked()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

struct Entry
{
    std::string name;
    unsigned char type;
};

// The names of a folder, read completely before any of them is touched.
std::vector<Entry> readEntries(int dirFd, const QByteArray &path)
{
    const int fd = ::dup(dirFd);
    if (fd < 0)
        fail(path);
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        fail(path, err);
    }
    ::rewinddir(dir);
    std::vector<Entry> entries;
    errno = 0;
    while (const dirent *e = ::readdir(dir)) {
        if (!(e->d_name[0] == '.' && (e->d_name[1] == 0 || (e->d_name[1] == '.' && e->d_name[2] == 0))))
            entries.push_back({e->d_name, e->d_type});
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err)
        fail(path, err);
    return entries;
}

unsigned char typeOf(int dirFd, const Entry &e)
{
    if (e.type != DT_UNKNOWN)
        return e.type;
    struct stat st;
    if (::fstatat(dirFd, e.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return S_ISDIR(st.st_mode) ? DT_DIR : DT_REG;
}

// The top of a mount, bind mounts of the same volume included (st_dev cannot tell those).
bool mountRootAt(int dirFd, const char *name, int flags)
{
    struct statx sx {};
    if (::statx(dirFd, name, flags | AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_MNT_ID, &sx) != 0)
        return false;
    if (S_ISLNK(sx.stx_mode))
        return false;
    if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return false;
}

int openFolderAt(int dirFd, const char *name)
{
    return ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

bool unsupported(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

// user.* holds the DOS attributes and creation time written by Samba, Wine and this
// program; the other namespaces belong to the system or need privileges we do not ask for.
void copyUserXattrs(int in, int out, const QByteArray &path)
{
    std::vector<char> names(1024);
    ssize_t n;
    while ((n = ::flistxattr(in, names.data(), names.size())) < 0 && errno == ERANGE) {
        const ssize_t need = ::flistxattr(in, nullptr, 0);
        names.resize(need > 0 ? std::size_t(need) : names.size() * 2);
    }
    if (n <= 0)
        return;
    std::vector<char> value(256);
    for (const char *name = names.data(); name < names.data() + n; name += std::strlen(name) + 1) {
        if (std::strncmp(name, "user.", 5) != 0)
            continue;
        // The DOS record travels through each volume's own store (the service does it):
        // copied raw onto NTFS it would turn into a visible alternate data stream, and a
        // network share's virtual attributes are not attributes of the file at all.
        if (std::strcmp(name, "user.DOSATTRIB") == 0 || std::strncmp(name, "user.cifs.", 10) == 0)
            continue;
        ssize_t len;
        while ((len = ::fgetxattr(in, name, value.data(), value.size())) < 0 && errno == ERANGE) {
            const ssize_t need = ::fgetxattr(in, name, nullptr, 0);
            value.resize(need > 0 ? std::size_t(need) : value.size() * 2);
        }
        if (len < 0)
            continue; // removed meanwhile
        if (::fsetxattr(out, name, value.data(), std::size_t(len), 0) != 0) {
            if (unsupported(errno))
                return; // the target volume cannot keep them, as with cp -a
            fail(path);
        }
    }
}

QByteArray readXattr(int fd, const char *name)
{
    std::vector<char> value(256);
    ssize_t len;
    while ((len = ::fgetxattr(fd, name, value.data(), value.size())) < 0 && errno == ERANGE) {
        const ssize_t need = ::fgetxattr(fd, name, nullptr, 0);
        value.resize(need > 0 ? std::size_t(need) : value.size() * 2);
    }
    return len > 0 ? QByteArray(value.data(), len) : QByteArray();
}

} // namespace

mode_t modeWithinAcl(mode_t mode, const QByteArray &acl)
{
    constexpr int Header = 4;
    constexpr int EntrySize = 8;
    constexpr unsigned GroupObj = 0x04;
    constexpr unsigned Mask = 0x10;
    int groupObj = -1;
    int mask = 7;
    for (qsizetype at = Header; at + EntrySize <= acl.size(); at += EntrySize) {
        const auto u16 = [&](qsizetype i) { return unsigned(uchar(acl[i])) | unsigned(uchar(acl[i + 1])) << 8; };
        const unsigned tag = u16(at);
        const unsigned perm = u16(at + 2) & 7;
        if (tag == GroupObj)
            groupObj = int(perm);
        else if (tag == Mask)
            mask = int(perm);
    }
    if (groupObj < 0)
        return mode;
    return (mode & ~mode_t(070)) | mode_t((groupObj & mask) << 3);
}

namespace {

// FAT keeps no Unix modes: what it shows comes from the mount's masks.
bool keepsNoModes(int fd)
{
    struct statfs fs;
    return ::fstatfs(fd, &fs) == 0 && (fs.f_type == 0x4d44 /* MSDOS */ || fs.f_type == 0x2011BAB0 /* exFAT */);
}

// Sets the mode; where the volume refuses set-user-ID, set-group-ID or sticky (FAT),
// the copy is made without them rather than not at all.
void setMode(int out, mode_t mode, const QByteArray &path)
{
    if (::fchmod(out, mode) == 0 || unsupported(errno))
        return;
    const int err = errno;
    if ((mode & 07000) && (err == EPERM || err == EINVAL)
        && (::fchmod(out, mode & 0777) == 0 || unsupported(errno)))
        return;
    if (err == EPERM && keepsNoModes(out))
        return;
    fail(path, err);
}

void copyOwnerModeTimes(int in, int out, const struct stat &st, const QByteArray &path)
{
    // Only root can give a copy away; for anyone else the copy is theirs, as with cp -a.
    if (::geteuid() == 0)
        (void)::fchown(out, st.st_uid, st.st_gid);
    const QByteArray access = in >= 0 ? readXattr(in, "system.posix_acl_access") : QByteArray();
    const QByteArray defaults =
        in >= 0 && S_ISDIR(st.st_mode) ? readXattr(in, "system.posix_acl_default") : QByteArray();
    // Never more than the source granted, whether or not the ACL can follow.
    setMode(out, access.isEmpty() ? mode_t(st.st_mode & 07777) : modeWithinAcl(st.st_mode & 07777, access), path);
    if (!access.isEmpty()) {
        if (::fsetxattr(out, "system.posix_acl_access", access.constData(), std::size_t(access.size()), 0) == 0)
            setMode(out, st.st_mode & 07777, path); // the ACL's mask shows in the group bits again
        else if (!unsupported(errno) && errno != EINVAL)
            fail(path);
    }
    if (!defaults.isEmpty()
        && ::fsetxattr(out, "system.posix_acl_default", defaults.constData(), std::size_t(defaults.size()), 0) != 0
        && !unsupported(errno) && errno != EINVAL)
        fail(path);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(out, times) != 0 && errno != EPERM)
        fail(path);
}

void copyBytesPlain(int in, int out, const QByteArray &to, const ByteProgress &progress)
{
    std::vector<char> buffer(1024 * 1024);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(to); // the error names the copy; the caller knows the source
        }
        if (got == 0)
            return;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(out, buffer.data() + done, std::size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                fail(to);
            }
            done += put;
        }
        if (progress)
            progress(got);
    }
}

// Copies the byte range [from, end) at the same offsets.
void copyRange(int in, int out, off_t offset, off_t end, const QByteArray &from, const QByteArray &to,
               const ByteProgress &progress)
{
    std::vector<char> buffer;
    while (offset < end) {
        loff_t inOff = offset;
        loff_t outOff = offset;
        const std::size_t want = std::size_t(std::min<off_t>(end - offset, off_t(ChunkBytes)));
        ssize_t n = ::copy_file_range(in, &inOff, out, &outOff, want, 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EXDEV && errno != ENOSYS && errno != EOPNOTSUPP && errno != EINVAL && errno != EBADF)
                fail(errno == EIO ? from : to);
            if (buffer.empty())
                buffer.resize(1024 * 1024);
            n = ::pread(in, buffer.data(), std::min(want, buffer.size()), offset);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                fail(from);
            }
            for (ssize_t done = 0; done < n;) {
                const ssize_t put = ::pwrite(out, buffer.data() + done, std::size_t(n - done), offset + done);
                if (put < 0) {
                    if (errno == EINTR)
                        continue;
                    fail(to);
                }
                done += put;
            }
        }
        if (n == 0)
            return; // shorter than it said: the check after the copy tells
        offset += n;
        if (progress)
            progress(n);
    }
}

// A file with holes keeps them: only its data is copied, and the size is set at the end.
// False when the volume cannot say where the data is.
bool copySparse(int in, int out, std::int64_t size, const QByteArray &from, const QByteArray &to,
                const ByteProgress &progress)
{
    off_t offset = 0;
    std::int64_t holes = 0;
    while (offset < size) {
        const off_t data = ::lseek(in, offset, SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO)
                break; // a hole to the end
            return offset == 0 ? false : (fail(from), false);
        }
        const off_t hole = ::lseek(in, data, SEEK_HOLE);
        if (hole < 0)
            fail(from);
        holes += data - offset;
        copyRange(in, out, data, std::min<off_t>(hole, size), from, to, progress);
        offset = hole;
    }
    holes += size - std::min<std::int64_t>(offset, size);
    if (::ftruncate(out, size) != 0)
        fail(to);
    if (progress && holes > 0)
        progress(holes);
    return true;
}

void copyBytes(int in, int out, std::int64_t size, std::int64_t blocks, const QByteArray &from, const QByteArray &to,
               const ByteProgress &progress)
{
    if (size > 0 && ::ioctl(out, FICLONE, in) == 0) {
        if (progress)
            progress(size);
        return;
    }
    // Fewer blocks than bytes: holes, which must not be filled on the copy.
    if (size > 0 && blocks * 512 < size && copySparse(in, out, size, from, to, progress))
        return;
    std::int64_t copied = 0;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, ChunkBytes, 0);
        if (n < 0) {
            const int err = errno;
            if (err == EINTR)
                continue;
            const bool fallBack = err == EXDEV || err == ENOSYS || err == EOPNOTSUPP || err == EINVAL
                                  || err == EBADF || err == ETXTBSY || (err == EPERM && copied == 0);
            if (!fallBack)
                fail(err == EIO ? from : to, err);
            break;
        }
        if (n == 0) {
            if (copied == 0 && size > 0)
                break; // a file whose size says nothing (procfs): read it plainly
            return;
        }
        copied += n;
        if (progress)
            progress(n);
        if (copied >= size)
            return; // saves the call that would only say "end of file"
    }
    copyBytesPlain(in, out, to, progress);
}

void copyRegular(const QByteArray &from, const QByteArray &dest, const struct stat &st, bool flush,
                 const ByteProgress &progress, bool &created, const LeafHook &withCopy)
{
    Fd in(::open(from.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (in.get() < 0)
        fail(from);
    struct stat now;
    if (::fstat(in.get(), &now) != 0)
        fail(from);
    Fd out(::open(dest.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0)
        fail(dest);
    created = true;
    copyBytes(in.get(), out.get(), now.st_size, now.st_blocks, from, dest, progress);
    // A file written to while it was copied gives a copy that is neither the old nor
    // the new file: it is refused, so that a move never removes such an original.
    struct stat after;
    if (::fstat(in.get(), &after) != 0)
        fail(from);
    if (after.st_size != now.st_size || after.st_mtim.tv_sec != now.st_mtim.tv_sec
        || after.st_mtim.tv_nsec != now.st_mtim.tv_nsec)
        fail(from, ChangedWhileCopied);
    copyUserXattrs(in.get(), out.get(), dest);
    copyOwnerModeTimes(in.get(), out.get(), st, dest);
    if (withCopy)
        withCopy(in.get(), out.get());
    if (flush && ::fsync(out.get()) != 0)
        fail(dest);
    if (const int err = out.closeChecked())
        fail(dest, err);
}

void copyOther(const QByteArray &from, const QByteArray &dest, const struct stat &st, bool &created)
{
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(std::size_t(st.st_size) + 2);
        ssize_t n;
        while ((n = ::readlink(from.constData(), target.data(), target.size())) >= ssize_t(target.size()))
            target.resize(target.size() * 2);
        if (n < 0)
            fail(from);
        target[std::size_t(n)] = 0;
        if (::symlink(target.data(), dest.constData()) != 0)
            fail(dest);
    } else {
        if (::mknod(dest.constData(), st.st_mode & (S_IFMT | 07777), st.st_rdev) != 0)
            fail(dest);
    }
    created = true;
    if (::geteuid() == 0)
        (void)::lchown(dest.constData(), st.st_uid, st.st_gid);
    if (!S_ISLNK(st.st_mode) && ::chmod(dest.constData(), st.st_mode & 07777) != 0)
        fail(dest);
    const timespec times[2] = {st.st_atim, st.st_mtim};
    if (::utimensat(AT_FDCWD, dest.constData(), times, AT_SYMLINK_NOFOLLOW) != 0 && errno != EPERM)
        fail(dest);
}

// Never into another mount: a bind loop would never end, and another volume is not
// part of the tree. `step` is called at every folder and may throw to stop.
template<typename Visit>
void walkInside(int dirFd, const QByteArray &path, const Visit &visit, const std::function<void()> &step)
{
    if (step)
        step();
    for (const Entry &e : readEntries(dirFd, path)) {
        struct stat st;
        if (::fstatat(dirFd, e.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            continue; // gone meanwhile: nothing to count
        visit(st);
        if (S_ISDIR(st.st_mode) && !mountRootAt(dirFd, e.name.c_str(), 0)) {
            Fd sub(openFolderAt(dirFd, e.name.c_str()));
            if (sub.get() >= 0)
                walkInside(sub.get(), path, visit, step);
        }
    }
}

template<typename Visit>
void walkTree(const QByteArray &path, const Visit &visit, const std::function<void()> &step = {})
{
    const Stat s = lstatPath(path);
    if (!s.exists)
        return;
    visit(s.st);
    if (s.isDir() && !isMountPoint(path)) {
        Fd fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() >= 0)
            walkInside(fd.get(), path, visit, step);
    }
}

// A removal from a disk mostly waits for the volume: a discard for every freed extent
// on a disk mounted with "discard", a round trip on a network share. More threads than
// processors keep more of those in flight (on an ext4 disk with discards, for 19k files
// in a deep tree, 2 threads took 0.80 of rm -rf's time, 8 threads 0.65, 16 threads
// 0.58). In memory only the processors count, and more threads than those only cost
// (on tmpfs 8 threads took a tenth longer than 2, 16 a fifth).
constexpr int ThreadsForDisks = 16;

int threadsForRemoval(int dirFd)
{
    constexpr unsigned long TmpfsMagic = 0x01021994;
    constexpr unsigned long RamfsMagic = 0x858458f6;
    struct statfs fs;
    const bool inMemory = ::fstatfs(dirFd, &fs) == 0
                          && (static_cast<unsigned long>(fs.f_type) == TmpfsMagic
                              || static_cast<unsigned long>(fs.f_type) == RamfsMagic);
    return inMemory ? usableProcessors() : std::max(usableProcessors(), ThreadsForDisks);
}

// Trees smaller than this are removed on the calling thread: starting the threads
// (about 0.15 ms each here) would cost more than sharing the work saves (on tmpfs
// 8 threads break even at about a thousand items).
constexpr std::int64_t SharedFromItems = 1000;

// Counts the items of a tree, depth-first and without entering mounts or links, until
// `enough` items and two sub-folders have been seen.
void countUpTo(int dirFd, dev_t device, std::int64_t enough, std::int64_t &items, int &folders)
{
    std::vector<Entry> entries;
    try {
        entries = readEntries(dirFd, QByteArray());
    } catch (const FileError &) {
        return; // only a guess: the removal itself reports what cannot be read
    }
    items += std::int64_t(entries.size());
    for (const Entry &e : entries) {
        if (items >= enough && folders >= 2)
            return;
        if (typeOf(dirFd, e) != DT_DIR)
            continue;
        ++folders;
        Fd sub(openFolderAt(dirFd, e.name.c_str()));
        struct stat st;
        if (sub.get() < 0 || ::fstat(sub.get(), &st) != 0 || st.st_dev != device
            || mountRootAt(sub.get(), "", AT_EMPTY_PATH))
            continue;
        countUpTo(sub.get(), device, enough, items, folders);
    }
}

bool worthSharing(int dirFd, dev_t device)
{
    std::int64_t items = 0;
    int folders = 0;
    countUpTo(dirFd, device, SharedFromItems, items, folders);
    return items >= SharedFromItems && folders >= 2;
}

// A folder being emptied. It goes once its own entries are done and every sub-folder
// handed to another worker has gone; whichever worker finishes last removes it.
struct Folder
{
    Folder(int descriptor, QByteArray folderPath, std::shared_ptr<Folder> above, std::string nameInParent)
        : fd(descriptor), path(std::move(folderPath)), parent(std::move(above)), name(std::move(nameInParent))
    {
    }
    Fd fd;
    const QByteArray path;
    const std::shared_ptr<Folder> parent; // none for the top, which the caller removes
    const std::string name;
    std::atomic<int> pending{1}; // its own entries, and each sub-folder not gone yet
};

// Depth-first removal relative to descriptors. With more than one worker, a worker that
// meets a sub-folder while others wait for work hands it over instead of entering it,
// so every folder's own entries are removed by one thread (no two threads contend for
// one folder) and independent sub-trees go at once. The first error or cancel stops
// every worker at its next entry and is thrown again on the calling thread.
class TreeRemoval
{
public:
    TreeRemoval(dev_t device, const std::function<void()> &removed, bool ours, int workers)
        : m_device(device), m_removed(removed), m_ours(ours), m_workers(std::max(workers, 1))
    {
    }

    // Empties the folder open at `fd` (which stays open for the caller).
    void emptyTop(int fd, const QByteArray &path)
    {
        const int own = ::dup(fd);
        if (own < 0)
            fail(path);
        auto top = std::make_shared<Folder>(own, path, nullptr, std::string());
        if (m_workers == 1) {
            empty(top); // errors simply leave, as from any other call
            return;
        }
        runOnWorkers(m_workers, [&](int worker) { work(worker, top); });
        top.reset();
        m_queue.clear(); // what a stop left undone, with the descriptors it holds
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    struct Task
    {
        std::shared_ptr<Folder> parent;
        std::string name;
    };

    // The entries of one folder; false when the work stopped before the end.
    bool empty(const std::shared_ptr<Folder> &folder)
    {
        // Our own half-built copy may hold read-only folders copied as they were: an
        // ordinary user could not unlink inside them, so they are opened up first.
        struct stat self;
        const int dirFd = folder->fd.get();
        if (m_ours && ::fstat(dirFd, &self) == 0 && (self.st_mode & S_IRWXU) != S_IRWXU)
            (void)::fchmod(dirFd, (self.st_mode & 07777) | S_IRWXU);
        for (const Entry &e : readEntries(dirFd, folder->path)) {
            if (m_stop.load(std::memory_order_relaxed))
                return false;
            const char *name = e.name.c_str();
            if (typeOf(dirFd, e) == DT_DIR) {
                folder->pending.fetch_add(1, std::memory_order_relaxed);
                if (m_workers > 1 && m_queued.load(std::memory_order_relaxed) < m_workers)
                    handOver(folder, e.name);
                else if (!enter(folder, e.name))
                    return false;
                continue; // the sub-folder is counted as removed when it goes
            }
            if (::unlinkat(dirFd, name, 0) != 0 && errno != ENOENT)
                fail(joinPath(folder->path, name));
            if (m_removed)
                m_removed();
        }
        return finished(folder);
    }

    // Opens a sub-folder, empties it and removes it, unless another worker still holds
    // part of it (then that worker removes it).
    bool enter(const std::shared_ptr<Folder> &parent, const std::string &name)
    {
        QByteArray path = joinPath(parent->path, QByteArray(name.data(), qsizetype(name.size())));
        const int fd = openFolderAt(parent->fd.get(), name.c_str());
        if (fd < 0) {
            if (errno != ENOENT)
                fail(path);
            return finished(parent); // gone meanwhile: nothing removed, nothing counted
        }
        auto folder = std::make_shared<Folder>(fd, std::move(path), parent, name);
        // Another volume mounted inside the tree, or a bind mount of this one, is not
        // part of what was deleted: it is never entered, and the delete stops there.
        struct stat st;
        if (::fstat(fd, &st) != 0 || st.st_dev != m_device || mountRootAt(fd, "", AT_EMPTY_PATH))
            fail(folder->path, EBUSY);
        return empty(folder);
    }

    // One part of `folder` is done; the last part removes it, and so on upwards. The
    // top is left to the caller.
    bool finished(std::shared_ptr<Folder> folder)
    {
        while (folder->pending.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::shared_ptr<Folder> parent = folder->parent;
            if (!parent)
                break;
            folder->fd.reset();
            if (::unlinkat(parent->fd.get(), folder->name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
                fail(folder->path);
            if (m_removed)
                m_removed();
            folder = parent;
        }
        return !m_stop.load(std::memory_order_relaxed);
    }

    void handOver(const std::shared_ptr<Folder> &parent, const std::string &name)
    {
        {
            const std::lock_guard lock(m_mutex);
            m_queue.push_back({parent, name});
            m_queued.store(int(m_queue.size()), std::memory_order_relaxed);
        }
        m_wake.notify_one();
    }

    void guarded(const std::function<void()> &step)
    {
        try {
            step();
        } catch (...) {
            {
                const std::lock_guard lock(m_mutex);
                if (!m_failure)
                    m_failure = std::current_exception();
                m_stop.store(true, std::memory_order_relaxed);
            }
            m_wake.notify_all();
        }
    }

    // Worker 0 starts on the top folder (it counts as busy from the start, so that no
    // other worker finds the queue empty and leaves); then all take handed-over folders
    // until none is left and none is being emptied.
    void work(int worker, const std::shared_ptr<Folder> &top)
    {
        if (worker == 0)
            guarded([&] { empty(top); });
        std::unique_lock lock(m_mutex);
        if (worker == 0 && --m_busy == 0)
            m_wake.notify_all();
        for (;;) {
            m_wake.wait(lock, [&] { return m_stop.load(std::memory_order_relaxed) || !m_queue.empty() || m_busy == 0; });
            if (m_stop.load(std::memory_order_relaxed) || m_queue.empty())
                return;
            Task task = std::move(m_queue.front());
            m_queue.pop_front();
            m_queued.store(int(m_queue.size()), std::memory_order_relaxed);
            ++m_busy;
            lock.unlock();
            guarded([&] { enter(task.parent, task.name); });
            task = {};
            lock.lock();
            if (--m_busy == 0 && m_queue.empty())
                m_wake.notify_all();
        }
    }

    const dev_t m_device;
    const std::function<void()> &m_removed;
    const bool m_ours;
    const int m_workers;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Task> m_queue;
    int m_busy = 1;
    std::exception_ptr m_failure;
    std::atomic<int> m_queued{0};
    std::atomic<bool> m_stop{false};
};

} // namespace

QByteArray joinPath(const QByteArray &dir, const QByteArray &name)
{
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

QByteArray fileName(const QByteArray &path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p.mid(p.lastIndexOf('/') + 1);
}

QByteArray parentOf(const QByteArray &path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : p.left(slash);
}

QByteArray numberedName(const QByteArray &name, int number, bool isFolder)
{
    QByteArray base = name;
    QByteArray extension;
    const qsizetype dot = isFolder ? -1 : name.lastIndexOf('.');
    if (dot > 0) {
        base = name.left(dot);
        extension = name.mid(dot);
    }
    const QByteArray tag = " (" + QByteArray::number(number) + ')';
    if (base.size() + tag.size() + extension.size() > NameMax) {
        if (tag.size() + extension.size() >= NameMax)
            extension.clear();
        base.truncate(NameMax - tag.size() - extension.size());
        // Never leave half a UTF-8 character at the cut.
        while (!base.isEmpty() && (uchar(base.back()) & 0xC0) == 0x80)
            base.chop(1);
        if (!base.isEmpty() && uchar(base.back()) >= 0xC0)
            base.chop(1);
    }
    return base + tag + extension;
}

QByteArray freeName(const QByteArray &dir, const QByteArray &name, bool isFolder)
{
    for (int n = 2; n < 100000; ++n) {
        const QByteArray candidate = numberedName(name, n, isFolder);
        if (!lstatPath(joinPath(dir, candidate)).exists)
            return candidate;
    }
    throw FileError{EEXIST, joinPath(dir, name)};
}

QByteArray temporaryPath(const QByteArray &dir)
{
    const quint64 r = QRandomGenerator::global()->generate64();
    return joinPath(dir, TemporaryPrefix + QByteArray::number(r, 36) + TemporarySuffix);
}

bool isTemporaryName(const QByteArray &name)
{
    return name.startsWith(TemporaryPrefix) && name.endsWith(TemporarySuffix);
}

Stat lstatPath(const QByteArray &path)
{
    Stat s;
    if (::lstat(path.constData(), &s.st) == 0)
        s.exists = true;
    else if (errno != ENOENT)
        fail(path);
    return s;
}

void renameNoReplace(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP)
        fail(err == EEXIST ? to : from, err);
    // The volume cannot rename without replacing (FUSE, NFS). A link is just as safe for
    // anything but a folder; a folder is checked first, which leaves a short race.
    const Stat source = lstatPath(from);
    if (!source.exists)
        fail(from, ENOENT);
    if (!source.isDir()) {
        if (::link(from.constData(), to.constData()) == 0) {
            if (::unlink(from.constData()) != 0) {
                const int unlinkErr = errno;
                ::unlink(to.constData());
                fail(from, unlinkErr);
            }
            return;
        }
        if (errno == EEXIST)
            fail(to, EEXIST);
    }
    if (lstatPath(to).exists)
        fail(to, EEXIST);
    if (::rename(from.constData(), to.constData()) != 0)
        fail(from);
}

void renameReplace(const QByteArray &from, const QByteArray &to)
{
    if (::rename(from.constData(), to.constData()) != 0)
        fail(to);
}

void copyLeaf(const QByteArray &from, const QByteArray &to, const struct stat &fromStat, WriteMode mode,
              const ByteProgress &progress, const LeafHook &withCopy)
{
    QByteArray dest = to;
    if (mode != WriteMode::Direct)
        dest = temporaryPath(parentOf(to));
    bool created = false;
    try {
        if (S_ISREG(fromStat.st_mode))
            copyRegular(from, dest, fromStat, mode == WriteMode::ReplaceViaTemp, progress, created, withCopy);
        else
            copyOther(from, dest, fromStat, created);
        if (mode == WriteMode::NewViaTemp)
            renameNoReplace(dest, to);
        else if (mode == WriteMode::ReplaceViaTemp)
            renameReplace(dest, to);
    } catch (...) {
        if (created)
            ::unlink(dest.constData());
        throw;
    }
}

void copyFolderMetadata(const QByteArray &from, const QByteArray &to, const struct stat &fromStat)
{
    Fd out(::open(to.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (out.get() < 0)
        fail(to);
    Fd in(::open(from.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (in.get() >= 0)
        copyUserXattrs(in.get(), out.get(), to);
    copyOwnerModeTimes(in.get(), out.get(), fromStat, to);
}

void flushVolumeOf(const QByteArray &path)
{
    Fd fd(::open(parentOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::syncfs(fd.get()) != 0)
        fail(path);
}

void removeTree(const QByteArray &path, const std::function<void()> &removed)
{
    removeTreeAs(path, removed, false);
}

void removeOwnTree(const QByteArray &path)
{
    removeTreeAs(path, {}, true);
}

void removeTreeAs(const QByteArray &path, const std::function<void()> &removed, bool ours, int workers)
{
    const Stat s = lstatPath(path);
    if (!s.exists)
        fail(path, ENOENT);
    if (s.isDir()) {
        // A mount point belongs to another volume (or is a second view of this one):
        // deleting it would empty that volume before the last rmdir failed.
        const Stat parent = lstatPath(parentOf(path));
        if ((parent.exists && parent.st.st_dev != s.st.st_dev) || isMountPoint(path))
            fail(path, EBUSY);
        Fd fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (fd.get() < 0)
            fail(path);
        if (workers <= 0)
            workers = worthSharing(fd.get(), s.st.st_dev) ? threadsForRemoval(fd.get()) : 1;
        TreeRemoval(s.st.st_dev, removed, ours, workers).emptyTop(fd.get(), path);
        fd.reset();
        if (::rmdir(path.constData()) != 0)
            fail(path);
    } else if (::unlink(path.constData()) != 0) {
        fail(path);
    }
    if (removed)
        removed();
}

QList<QByteArray> listFolder(const QByteArray &path)
{
    Fd fd(::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        fail(path);
    QList<QByteArray> names;
    for (const Entry &e : readEntries(fd.get(), path))
        names.append(QByteArray(e.name.data(), qsizetype(e.name.size())));
    return names;
}

void measureTree(const QByteArray &path, std::int64_t &items, std::int64_t &bytes, const std::function<void()> &step)
{
    walkTree(
        path,
        [&](const struct stat &st) {
            ++items;
            if (S_ISREG(st.st_mode))
                bytes += st.st_size;
        },
        step);
}

bool isMountPoint(const QByteArray &path)
{
    Fd parent(::open(parentOf(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (parent.get() < 0)
        return false;
    return mountRootAt(parent.get(), fileName(path).constData(), 0);
}

bool isMountPointAt(int dirFd, const QByteArray &name)
{
    return mountRootAt(dirFd, name.constData(), 0);
}

std::int64_t diskUsage(const QByteArray &path)
{
    std::int64_t total = 0;
    walkTree(path, [&](const struct stat &st) { total += std::int64_t(st.st_blocks) * 512; });
    return total;
}

} // namespace SafeCopy
