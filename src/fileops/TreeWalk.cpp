#include "fileops/TreeWalk.h"

#include "fileops/TreeWalkTexts.h"
#include "platform/ExactName.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// One statx per entry gives the figures and whether the entry is the top of a mount
// (bind mounts of the same volume included, which the device number cannot show).
bool statEntry(int dirFd, const char *name, struct stat &st, bool &mountRoot, int flags = 0)
{
    struct statx sx {};
    if (::statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | flags, STATX_BASIC_STATS, &sx) != 0)
        return false;
    std::memset(&st, 0, sizeof st);
    st.st_mode = sx.stx_mode;
    st.st_ino = sx.stx_ino;
    st.st_dev = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    st.st_nlink = sx.stx_nlink;
    st.st_uid = sx.stx_uid;
    st.st_gid = sx.stx_gid;
    st.st_size = off_t(sx.stx_size);
    st.st_blocks = blkcnt_t(sx.stx_blocks);
    st.st_blksize = blksize_t(sx.stx_blksize);
    st.st_atim = {sx.stx_atime.tv_sec, long(sx.stx_atime.tv_nsec)};
    st.st_mtim = {sx.stx_mtime.tv_sec, long(sx.stx_mtime.tv_nsec)};
    st.st_ctim = {sx.stx_ctime.tv_sec, long(sx.stx_ctime.tv_nsec)};
    mountRoot = (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) && (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT);
    return true;
}

} // namespace

TreeWalk::~TreeWalk()
{
    close();
}

void TreeWalk::close()
{
    for (Level &level : m_levels)
        if (level.dir)
            ::closedir(level.dir);
    m_levels.clear();
    m_entries.clear();
}

void TreeWalk::note(const QByteArray &path, Problem problem, int err)
{
    m_notices.push_back(Notice{ExactName::fromBytes(path), problem, err});
}

bool TreeWalk::start(const QString &root)
{
    close();
    m_notices.clear();
    m_error = 0;
    QByteArray bytes = ExactName::toBytes(root);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    const int fd = ::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    Level level;
    bool mountRoot = false;
    if (!statEntry(fd, "", level.st, mountRoot, AT_EMPTY_PATH)) {
        m_error = errno;
        ::close(fd);
        return false;
    }
    level.dir = ::fdopendir(fd);
    if (!level.dir) {
        m_error = errno;
        ::close(fd);
        return false;
    }
    m_rootDev = level.st.st_dev;
    m_rootIsMount = mountRoot || bytes == "/";
    level.bytes = bytes == "/" ? bytes : bytes + '/';
    level.path = ExactName::fromBytes(level.bytes);
    m_levels.push_back(std::move(level));
    readLevel();
    return true;
}

void TreeWalk::readLevel()
{
    Level &level = m_levels.back();
    m_entries.clear();
    const int fd = ::dirfd(level.dir);
    errno = 0;
    while (const dirent *d = ::readdir(level.dir)) {
        const char *name = d->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        struct stat st;
        bool mountRoot = false;
        if (!statEntry(fd, name, st, mountRoot)) {
            if (errno != ENOENT) // gone meanwhile: nothing to walk
                note(level.bytes + name, Problem::Unreadable, errno);
            errno = 0;
            continue;
        }
        if (S_ISDIR(st.st_mode)) {
            if (mountRoot || st.st_dev != m_rootDev)
                note(level.bytes + name, Problem::OtherMount);
            else
                level.subs.push_back({QByteArray(name), st.st_dev, st.st_ino});
        } else {
            m_entries.push_back(Entry{QByteArray(name), st});
        }
        errno = 0;
    }
    if (errno != 0)
        note(level.bytes, Problem::Unreadable, errno);
    std::sort(level.subs.begin(), level.subs.end(), [](const Level::Sub &a, const Level::Sub &b) { return a.name < b.name; });
    std::sort(m_entries.begin(), m_entries.end(), [](const Entry &a, const Entry &b) { return a.name < b.name; });
}

bool TreeWalk::enter(const Level::Sub &sub)
{
    const Level &parent = m_levels.back();
    const QByteArray path = parent.bytes + sub.name;
    if (int(m_levels.size()) > MaxDepth) {
        note(path, Problem::TooDeep);
        return false;
    }
    const int fd = ::openat(::dirfd(parent.dir), sub.name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ELOOP || err == ENOTDIR)
            note(path, Problem::Changed);
        else if (err != ENOENT)
            note(path, Problem::Unreadable, err);
        return false;
    }
    Level level;
    if (::fstat(fd, &level.st) != 0 || level.st.st_dev != sub.dev || level.st.st_ino != sub.ino) {
        // Something else now stands under that name (or a mount was laid over it).
        note(path, level.st.st_dev != sub.dev ? Problem::OtherMount : Problem::Changed);
        ::close(fd);
        return false;
    }
    level.dir = ::fdopendir(fd);
    if (!level.dir) {
        note(path, Problem::Unreadable, errno);
        ::close(fd);
        return false;
    }
    level.bytes = path + '/';
    level.path = ExactName::fromBytes(level.bytes);
    m_levels.push_back(std::move(level));
    readLevel();
    return true;
}

bool TreeWalk::nextFolder(QString &path)
{
    while (!m_levels.empty()) {
        Level &level = m_levels.back();
        if (level.next < level.subs.size()) {
            const Level::Sub sub = level.subs[level.next++];
            if (enter(sub)) {
                path = m_levels.back().path;
                return true;
            }
            continue;
        }
        if (m_levels.size() == 1) {
            // Keep the root open so that folderPath() stays valid after the walk.
            m_entries.clear();
            return false;
        }
        ::closedir(level.dir);
        m_levels.pop_back();
    }
    return false;
}

QString describeWalkNotice(const TreeWalk::Notice &notice, bool greek)
{
    const QString shown = ExactName::shown(notice.path);
    switch (notice.problem) {
    case TreeWalk::Problem::Unreadable:
        return TreeWalkTexts::Unreadable.in(greek).arg(shown, QString::fromLocal8Bit(std::strerror(notice.err)));
    case TreeWalk::Problem::OtherMount:
        return TreeWalkTexts::OtherMount.in(greek).arg(shown);
    case TreeWalk::Problem::TooDeep:
        return TreeWalkTexts::TooDeep.in(greek).arg(shown);
    case TreeWalk::Problem::Changed:
        break;
    }
    return TreeWalkTexts::Changed.in(greek).arg(shown);
}
