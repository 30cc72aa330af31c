#include "platform/EntryInfo.h"

#include "platform/DosAttributes.h"
#include "platform/DosInfoStore.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/Xattr.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

void fillTimesAndSize(EntryInfo &info, const struct stat &st)
{
    info.isFolder = S_ISDIR(st.st_mode);
    info.size = S_ISREG(st.st_mode) ? st.st_size : 0;
    info.modifiedSeconds = st.st_mtim.tv_sec;
    info.modifiedNanoseconds = st.st_mtim.tv_nsec;
}

} // namespace

// One fstatat for an ordinary entry (two for a link), and one extended-attribute
// read through the folder's descriptor for files and folders on volumes that keep
// attributes. Devices, pipes and sockets are never opened.
EntryInfo readEntryInfo(int dirFd, const char *name, AttributeStore store)
{
    return readEntryInfo(dirFd, QByteArray(), name, store);
}

EntryInfo readEntryInfo(int dirFd, const QByteArray &folderPath, const char *name, AttributeStore store)
{
    EntryInfo info;
    struct stat st {};
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        throw RuntimeError::fromErrno(errno, ExactName::fromBytes(name));
    const bool dotName = name[0] == '.';
    if (S_ISLNK(st.st_mode)) {
        info.isSymlink = true;
        struct stat target {};
        if (::fstatat(dirFd, name, &target, 0) != 0) {
            const int err = errno;
            if (err != ENOENT && err != ELOOP && err != ENOTDIR && err != EACCES)
                throw RuntimeError::fromErrno(err, ExactName::fromBytes(name));
            // A link to nothing is listed as an empty file that was never backed up.
            info.dangling = true;
            fillTimesAndSize(info, st);
            info.size = 0;
            info.hidden = dotName;
            info.archive = true;
            return info;
        }
        st = target;
    }
    fillTimesAndSize(info, st);

    StoredDosInfo stored;
    if (store == AttributeStore::None || (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) {
        stored.state = StoredDosInfo::Unsupported;
    } else {
        const QByteArray path = folderPath.isEmpty() ? pathInFolder(dirFd, name) : folderPath + name;
        stored = readStoredDosInfo(XattrTarget::ofEntry(dirFd, name, path.constData()), store);
    }
    const DosAttributes a = interpretDosInfo(stored, store, st, dotName);
    info.hidden = a.hidden;
    info.system = a.system;
    info.readOnly = a.readOnly;
    info.archive = a.archive;
    info.attributesUnknown = a.storedUnknown;
    return info;
}
