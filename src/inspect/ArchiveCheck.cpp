#include "inspect/ArchiveCheck.h"

#include "inspect/ArchiveTexts.h"
#include "mainwin/CountLine.h"
#include "mainwin/Wildcard.h"
#include "platform/DosAttributes.h"
#include "platform/DosInfoStore.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"
#include "platform/Xattr.h"

#include <fcntl.h>

namespace {

bool archiveSet(int dirFd, const char *name, const QByteArray &path, const struct stat &st, bool dotName,
                AttributeStore store)
{
    // Read relative to the folder where the kernel can, so a large tree is not walked
    // path by path again.
    const StoredDosInfo stored = readStoredDosInfo(XattrTarget::ofEntry(dirFd, name, path.constData()), store);
    return interpretDosInfo(stored, store, st, dotName).archive;
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
