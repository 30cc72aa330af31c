#pragma once

#include <QByteArray>
#include <QList>
#include <cstdint>
#include <functional>
#include <sys/stat.h>

// The low-level steps of copy, move and delete, on byte paths so that names which are
// not valid UTF-8 survive untouched. Every failure throws FileError with the errno and
// the path concerned; the caller decides whether to retry, skip or stop.

// The error number of a file that grew, shrank or was written to while it was copied.
inline constexpr int ChangedWhileCopied = 100001;

struct FileError
{
    int err = 0;
    QByteArray path;
};

// Thrown from a progress callback to stop the work between two chunks of data.
struct OperationCancelled
{
};

// Called after each chunk of data with the number of bytes just written; may throw
// OperationCancelled.
using ByteProgress = std::function<void(std::int64_t)>;

namespace SafeCopy {

QByteArray joinPath(const QByteArray &dir, const QByteArray &name);
QByteArray fileName(const QByteArray &path);
QByteArray parentOf(const QByteArray &path);

// Writes everything pending for the volume holding `path` to its disk, so that the
// originals of a move across volumes can go without risk. Throws FileError.
void flushVolumeOf(const QByteArray &path);

// "name (2).ext" for number 2; a folder or a name whose only dot leads it keeps
// its whole name before the number. Trimmed to fit the 255-byte name limit.
QByteArray numberedName(const QByteArray &name, int number, bool isFolder);
// The first numbered name (from 2) that is free in `dir`.
QByteArray freeName(const QByteArray &dir, const QByteArray &name, bool isFolder);
// A name in `dir` for work in progress, hidden and unlikely to exist; not created.
QByteArray temporaryPath(const QByteArray &dir);
bool isTemporaryName(const QByteArray &name);

struct Stat
{
    bool exists = false;
    struct stat st {};
    bool isDir() const { return exists && S_ISDIR(st.st_mode); }
    bool sameItem(const Stat &o) const { return exists && o.exists && st.st_dev == o.st.st_dev && st.st_ino == o.st.st_ino; }
};
// lstat; a missing item is `exists == false`, any other failure throws.
Stat lstatPath(const QByteArray &path);

// Renames without ever replacing: EEXIST when `to` exists. Where the volume cannot
// rename that way, a file is linked and unlinked, and a folder is checked and renamed.
void renameNoReplace(const QByteArray &from, const QByteArray &to);
// Renames over an existing item in one step (the user agreed to replace it).
void renameReplace(const QByteArray &from, const QByteArray &to);

enum class WriteMode {
    Direct,        // create `to` itself with O_EXCL (inside a folder that is itself temporary)
    NewViaTemp,    // write a temporary file, rename it into place without replacing
    ReplaceViaTemp // write a temporary file, flush it, rename it over the existing item
};

// Copies one item that is not a folder (file, symbolic link as a link, FIFO or device),
// with permissions, POSIX ACLs, times and user.* extended attributes (the DOS record
// aside, which each volume keeps in its own way), holes and all. Nothing is left at `to` or
// under a temporary name when it fails or is cancelled.
// `withCopy`, when given, is called for a regular file with both descriptors open once
// the data, permissions and times are in place (the DOS information goes there).
using LeafHook = std::function<void(int from, int to)>;
void copyLeaf(const QByteArray &from, const QByteArray &to, const struct stat &fromStat, WriteMode mode,
              const ByteProgress &progress, const LeafHook &withCopy = {});

// The mode that grants no more than an access ACL (its xattr form) does, for a target
// that cannot keep the ACL: the group bits of an item with an ACL show the mask, which
// may grant the owning group more than its own entry did ("group::---", "mask::rw-").
mode_t modeWithinAcl(mode_t mode, const QByteArray &acl);

// Copies the permissions, user.* extended attributes and times of a folder, after its
// contents are in place.
void copyFolderMetadata(const QByteArray &from, const QByteArray &to, const struct stat &fromStat);

// Deletes for good, a folder with everything inside it, never following symbolic links
// and never entering another volume or a mount (EBUSY there). `removed` is called once
// for every item removed, the folder itself last, and may throw OperationCancelled to stop.
// A large tree is removed by several threads at once, one per independent sub-folder:
// `removed` may then be called from several threads at the same time, and must be safe
// for that (reading an atomic cancel flag is). The first error or cancel stops every
// thread and is thrown here, on the calling thread, once all have stopped; what was
// not reached yet is left in place, so removing again removes the rest.
void removeTree(const QByteArray &path, const std::function<void()> &removed = {});
// Removes a half-built copy the operation made itself, read-only folders in it included.
void removeOwnTree(const QByteArray &path);
// `workers` 0 chooses by the processors usable and the size of the tree; 1 keeps the
// whole removal on the calling thread; more shares it among that many threads.
void removeTreeAs(const QByteArray &path, const std::function<void()> &removed, bool ours, int workers = 0);

// The names in a folder (without "." and "..").
QList<QByteArray> listFolder(const QByteArray &path);

// Counts the items of a tree and the bytes of its files, without following links or
// entering mounts. `step` is called at each folder and may throw OperationCancelled.
void measureTree(const QByteArray &path, std::int64_t &items, std::int64_t &bytes,
                 const std::function<void()> &step = {});

// True when the item itself (a link is never one) is the top of a mount, a bind mount
// of the same volume included.
bool isMountPoint(const QByteArray &path);
bool isMountPointAt(int dirFd, const QByteArray &name);

// Bytes of storage a tree occupies (as `du -B1` counts them).
std::int64_t diskUsage(const QByteArray &path);

} // namespace SafeCopy
