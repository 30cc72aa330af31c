#include "inspect/ArchiveCheck.h"

#include "inspect/ArchiveTexts.h"
#include "mainwin/CountLine.h"
#include "mainwin/Wildcard.h"
#include "platform/DosAttribRecord.h"
#include "platform/DosAttributes.h"
#include "platform/DosInfoStore.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"
#include "platform/Xattr.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

// getxattrat (Linux 6.13) reads an attribute relative to the folder's descriptor, so
// the kernel does not walk the whole path again for every entry of a large tree.
// Returns -1 with errno, or -2 where the kernel lacks the call.
ssize_t readDosAttribAt(int dirFd, const char *name, char *buffer, std::size_t size)
{
    static bool available = true;
    if (!available)
        return -2;
    struct
    {
        std::uint64_t value;
        std::uint32_t size;
        std::uint32_t flags;
    } args{std::uint64_t(reinterpret_cast<std::uintptr_t>(buffer)), std::uint32_t(size), 0};
    const unsigned flags = AT_SYMLINK_NOFOLLOW | (name[0] ? 0 : AT_EMPTY_PATH);
    const long n = ::syscall(SYS_getxattrat, dirFd, name, flags, "user.DOSATTRIB", &args, sizeof args);
    if (n < 0 && (errno == ENOSYS || errno == EINVAL)) {
        available = false;
        return -2;
    }
    return n;
}

StoredDosInfo storedAt(int dirFd, const char *name, const QByteArray &path, AttributeStore store)
{
    StoredDosInfo stored;
    if (store == AttributeStore::None) {
        stored.state = StoredDosInfo::Unsupported;
        return stored;
    }
    if (store == AttributeStore::DosAttribXattr) {
        char buffer[DosAttribMaxSize + 1];
        const ssize_t n = readDosAttribAt(dirFd, name, buffer, sizeof buffer);
        if (n != -2) {
            if (n >= 0) {
                const std::optional<DosAttribRecord> rec = decodeDosAttrib(QByteArrayView(buffer, n));
                stored.state = rec ? StoredDosInfo::Present : StoredDosInfo::Unreadable;
                if (rec) {
                    stored.attributes = rec->attributes;
                    stored.changeTime = rec->hasChangeTime() ? rec->changeTime : 0;
                }
            } else if (errno == ENODATA) {
                stored.state = StoredDosInfo::Absent;
            } else {
                stored.state = isUnsupportedXattrError(errno) ? StoredDosInfo::Unsupported : StoredDosInfo::Unreadable;
            }
            return stored;
        }
    }
    return readStoredDosInfo(XattrTarget::ofPath(path.constData()), store);
}

bool archiveSet(int dirFd, const char *name, const QByteArray &path, const struct stat &st, bool dotName,
                AttributeStore store)
{
    return interpretDosInfo(storedAt(dirFd, name, path, store), store, st, dotName).archive;
}

} // namespace

bool ArchiveCheckPatternIsValid(const QString &pattern)
{
    for (const QChar c : pattern)
        if (c == QLatin1Char('/') || c.category() == QChar::Other_Control)
            return false;
    return true;
}

ArchiveCheckResult RunArchiveCheck(const QString &start, const QString &pattern, const ArchiveCheckObserver &observer)
{
    ArchiveCheckResult result;
    TreeWalk walk;
    if (!walk.start(start))
        throw RuntimeError::fromErrno(walk.error(), ExactName::shown(start));
    const AttributeStore store = attributeStoreFor(walk.folderPath());
    const Wildcard wildcard(pattern);

    const auto found = [&](const QString &path) {
        result.found.append(path);
        if (observer.itemFound)
            observer.itemFound(path);
    };
    // The root of a volume is the drive itself, not an item that could be archived.
    bool skipFolder = walk.rootIsMountPoint();
    QString folder = walk.folderPath();
    do {
        if (observer.folderEntered)
            observer.folderEntered(folder);
        const QByteArray &bytes = walk.folderBytes();
        if (!skipFolder) {
            const QByteArray self = bytes.size() > 1 ? bytes.chopped(1) : bytes;
            const bool dotName = self.mid(self.lastIndexOf('/') + 1).startsWith('.');
            if (archiveSet(walk.folderFd(), "", self, walk.folderStat(), dotName, store)) {
                ++result.folders;
                found(folder.size() > 1 ? folder.chopped(1) : folder);
            }
        }
        skipFolder = false;
        for (const TreeWalk::Entry &entry : walk.entries()) {
            if (!S_ISREG(entry.st.st_mode))
                continue;
            if (!wildcard.matchesEverything() && !wildcard.matches(ExactName::fromBytes(entry.name)))
                continue;
            const QByteArray path = bytes + entry.name;
            if (!archiveSet(walk.folderFd(), entry.name.constData(), path, entry.st, entry.name.startsWith('.'), store))
                continue;
            ++result.files;
            result.bytes += entry.st.st_size;
            found(ExactName::fromBytes(path));
        }
        if (observer.stopRequested && observer.stopRequested()) {
            result.stopped = true;
            break;
        }
    } while (walk.nextFolder(folder));
    result.notices = walk.notices();
    return result;
}

QString ArchiveSummary(std::int64_t folders, std::int64_t files, std::int64_t bytes, bool greek)
{
    return ArchiveTexts::SummaryFolders.in(greek) + groupedNumber(folders) + QStringLiteral(". ")
           + ArchiveTexts::SummaryFiles.in(greek) + groupedNumber(files) + QStringLiteral(". ")
           + ArchiveTexts::SummaryBytes.in(greek) + groupedNumber(bytes) + QStringLiteral(".");
}

QString ArchiveDriveRootOf(const QString &currentPath)
{
    const Volume volume = volumeOf(currentPath);
    return volume.isValid() ? volume.mountPoint : QStringLiteral("/");
}
