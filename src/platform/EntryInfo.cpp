#include "platform/EntryInfo.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

EntryInfo readEntryInfo(int dirFd, const char *name, AttributeStore store)
{
    Q_UNUSED(store);
    EntryInfo info;
    struct stat st {};
    if (::fstatat(dirFd, name, &st, 0) != 0) {
        const int err = errno;
        if (err != ENOENT || ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode))
            throw RuntimeError::fromErrno(err, QFile::decodeName(name));
        info.isSymlink = true;
        info.dangling = true;
        info.modifiedSeconds = st.st_mtim.tv_sec;
        info.modifiedNanoseconds = st.st_mtim.tv_nsec;
        info.hidden = name[0] == '.';
        info.archive = true;
        return info;
    }
    info.isFolder = S_ISDIR(st.st_mode);
    info.size = info.isFolder ? 0 : st.st_size;
    info.modifiedSeconds = st.st_mtim.tv_sec;
    info.modifiedNanoseconds = st.st_mtim.tv_nsec;
    info.hidden = name[0] == '.';
    info.readOnly = (st.st_mode & S_IWUSR) == 0;
    info.archive = !info.isFolder;
    return info;
}
