#include "platform/SafeRename.h"

#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FolderHandle
{
public:
    explicit FolderHandle(const QString &path)
        : m_fd(::open(ExactName::toBytes(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd < 0)
            throw RuntimeError::fromErrno(errno, ExactName::shown(path));
    }
    ~FolderHandle() { ::close(m_fd); }
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

bool statAt(int dfd, const QByteArray &name, struct stat &st)
{
    return ::fstatat(dfd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool sameItem(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// For volumes that cannot rename without replacing (FUSE, NFS): the new name is
// first taken by an empty placeholder of the same kind, created exclusively, so
// that nothing else can appear under it; the rename then replaces only that
// placeholder. Some volumes (fusefat) refuse to rename onto a folder at all: there
// the placeholder goes again and the name is checked just before the rename, the
// best such a volume allows.
int renameOverPlaceholder(int dfd, const QByteArray &from, const QByteArray &to, const struct stat &source)
{
    const bool folder = S_ISDIR(source.st_mode);
    if (folder) {
        if (::mkdirat(dfd, to.constData(), 0700) != 0)
            return errno;
    } else {
        const int fd = ::openat(dfd, to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return errno;
        ::close(fd);
    }
    struct stat holder {};
    if (!statAt(dfd, to, holder))
        return errno;
    if (::renameat(dfd, from.constData(), dfd, to.constData()) == 0)
        return 0;
    const int err = errno;
    struct stat now {};
    if (statAt(dfd, to, now) && sameItem(now, holder))
        ::unlinkat(dfd, to.constData(), folder ? AT_REMOVEDIR : 0);
    if (err == ENOENT || err == ENOSPC || err == EROFS)
        return err;
    if (statAt(dfd, to, now))
        return EEXIST;
    if (::renameat(dfd, from.constData(), dfd, to.constData()) != 0)
        return errno;
    return 0;
}

// One rename step that never replaces; returns 0 or the errno.
int moveNoReplace(int dfd, const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(dfd, from.constData(), dfd, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP)
        return err;
    struct stat source {};
    if (!statAt(dfd, from, source))
        return errno;
    struct stat target {};
    if (statAt(dfd, to, target))
        return EEXIST;
    if (errno != ENOENT)
        return errno;
    // A hard link takes the name atomically where the volume has them.
    if (!S_ISDIR(source.st_mode) && ::linkat(dfd, from.constData(), dfd, to.constData(), 0) == 0) {
        if (::unlinkat(dfd, from.constData(), 0) != 0) {
            const int unlinkErr = errno;
            ::unlinkat(dfd, to.constData(), 0);
            return unlinkErr;
        }
        return 0;
    } else if (!S_ISDIR(source.st_mode) && errno == EEXIST) {
        return EEXIST;
    }
    return renameOverPlaceholder(dfd, from, to, source);
}

// On a volume that folds letter case the other spelling reaches the item itself,
// though some such volumes (fusefat) give it another inode number: then the
// listing decides. No entry is spelled exactly `to`, and the one entry that
// matches it regardless of case is `from`.
bool foldsToItself(int dfd, const QString &from, const QString &to)
{
    const int listFd = ::openat(dfd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return false;
    DIR *dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return false;
    }
    int matches = 0;
    bool fromSeen = false;
    bool toSeen = false;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = ExactName::fromBytes(entry->d_name);
        if (name.compare(to, Qt::CaseInsensitive) != 0)
            continue;
        ++matches;
        fromSeen = fromSeen || name == from;
        toSeen = toSeen || name == to;
    }
    ::closedir(dir);
    return matches == 1 && fromSeen && !toSeen;
}

QByteArray temporaryName()
{
    return ".tidyhall-rename-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

} // namespace

TypedNameProblem checkTypedName(const QString &name)
{
    if (name.isEmpty())
        return TypedNameProblem::Empty;
    if (name.contains(QChar(u'\0')))
        return TypedNameProblem::HasNul;
    if (name.contains(QLatin1Char('/')))
        return TypedNameProblem::HasSlash;
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return TypedNameProblem::DotOrDotDot;
    return TypedNameProblem::None;
}

void renameWithoutReplacing(const QString &folderPath, const QString &oldName, const QString &newName)
{
    const QString shownFolder = ExactName::shown(folderPath);
    const QString shownOld = shownFolder + QLatin1Char('/') + ExactName::shown(oldName);
    const QString shownNew = shownFolder + QLatin1Char('/') + ExactName::shown(newName);
    if (checkTypedName(oldName) != TypedNameProblem::None)
        throw RuntimeError::fromErrno(EINVAL, shownOld);
    if (checkTypedName(newName) != TypedNameProblem::None)
        throw RuntimeError::fromErrno(EINVAL, shownNew);

    const FolderHandle folder(folderPath);
    const QByteArray from = ExactName::toBytes(oldName);
    const QByteArray to = ExactName::toBytes(newName);
    struct stat source {};
    if (!statAt(folder.fd(), from, source))
        throw RuntimeError::fromErrno(errno, shownOld);
    if (from == to)
        return;

    int err = moveNoReplace(folder.fd(), from, to);
    if (err == 0)
        return;
    struct stat target {};
    const bool caseOnly = oldName.compare(newName, Qt::CaseInsensitive) == 0;
    if (err != EEXIST || !caseOnly || !statAt(folder.fd(), to, target)
        || !(sameItem(source, target) || foldsToItself(folder.fd(), oldName, newName)))
        throw RuntimeError::fromErrno(err, err == EEXIST ? shownNew : shownOld);

    // A case-insensitive volume finds the item itself under the new spelling, and
    // the kernel treats a rename onto itself as done. Going through a free
    // temporary name changes the spelling for real.
    QByteArray temporary;
    for (int attempt = 0; attempt < 20; ++attempt) {
        temporary = temporaryName();
        err = moveNoReplace(folder.fd(), from, temporary);
        if (err != EEXIST)
            break;
    }
    if (err)
        throw RuntimeError::fromErrno(err, shownOld);
    err = moveNoReplace(folder.fd(), temporary, to);
    if (err) {
        moveNoReplace(folder.fd(), temporary, from);
        throw RuntimeError::fromErrno(err, shownNew);
    }
}
