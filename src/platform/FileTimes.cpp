#include "platform/FileTimes.h"

#include "platform/AttributeErrors.h"
#include "platform/DosAttributes.h"
#include "platform/DosInfoStore.h"
#include "platform/ItemHandle.h"
#include "platform/NtTime.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

timespec toTimespec(const statx_timestamp &t)
{
    timespec ts{};
    ts.tv_sec = t.tv_sec;
    ts.tv_nsec = t.tv_nsec;
    return ts;
}

FileTimes readFrom(const ItemHandle &item, AttributeStore store)
{
    struct statx stx {};
    if (::statx(AT_FDCWD, item.fdPath(), 0, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0)
        throw RuntimeError::fromErrno(errno, item.path());
    FileTimes times;
    times.accessed = dateTimeFromTimespec(toTimespec(stx.stx_atime));
    times.modified = dateTimeFromTimespec(toTimespec(stx.stx_mtime));
    const StoredDosInfo stored = readStoredDosInfo(item.target(), store);
    if (stored.state == StoredDosInfo::Present && stored.createTime) {
        times.created = dateTimeFromNtTime(stored.createTime);
        times.createdFrom = FileTimes::CreatedFrom::Stored;
    } else if (stx.stx_mask & STATX_BTIME) {
        times.created = dateTimeFromTimespec(toTimespec(stx.stx_btime));
        times.createdFrom = FileTimes::CreatedFrom::BirthTime;
    } else {
        times.created = times.modified;
    }
    return times;
}

timespec checkedTimespec(const std::optional<QDateTime> &t, const QString &path)
{
    timespec ts{};
    if (!t) {
        ts.tv_nsec = UTIME_OMIT;
        return ts;
    }
    if (!t->isValid())
        throw dateOutOfRangeError(path);
    return timespecFromDateTime(*t);
}

// Where this item's DOS information can really go: nowhere when the volume turned
// out to keep none, or (NTFS, SMB) when it gave the item no record to write into.
AttributeStore effectiveStore(AttributeStore volumeStore, const StoredDosInfo &before)
{
    if (before.state == StoredDosInfo::Unsupported)
        return AttributeStore::None;
    if ((volumeStore == AttributeStore::Ntfs3g || volumeStore == AttributeStore::Cifs)
        && before.state != StoredDosInfo::Present)
        return AttributeStore::None;
    return volumeStore;
}

} // namespace

bool keepsCreationTime(const QString &path)
{
    const ItemHandle item(path, ItemHandle::Links::Follow);
    const AttributeStore volumeStore = attributeStoreFor(path);
    const StoredDosInfo stored = readStoredDosInfo(item.target(), volumeStore);
    return stored.state != StoredDosInfo::Unreadable && storeKeepsCreationTime(effectiveStore(volumeStore, stored));
}

FileTimes readTimes(const QString &path)
{
    const ItemHandle item(path, ItemHandle::Links::Follow);
    return readFrom(item, attributeStoreFor(path));
}

FileTimes writeTimes(const QString &path, const std::optional<QDateTime> &created,
                     const std::optional<QDateTime> &accessed, const std::optional<QDateTime> &modified)
{
    ItemHandle item(path, ItemHandle::Links::Refuse);
    timespec ts[2] = {checkedTimespec(accessed, path), checkedTimespec(modified, path)};
    std::uint64_t newCreated = 0;
    if (created) {
        newCreated = created->isValid() ? ntTimeFromDateTime(*created) : 0;
        if (!newCreated)
            throw dateOutOfRangeError(path);
    }

    const AttributeStore volumeStore = attributeStoreFor(path);
    const StoredDosInfo before = readStoredDosInfo(item.target(), volumeStore);
    const AttributeStore store = effectiveStore(volumeStore, before);
    if (created && before.state == StoredDosInfo::Unreadable)
        throw unreadableRecordError(path);
    if (created && !storeKeepsCreationTime(store))
        throw cannotKeepCreationTimeError(path);

    // A file marked as backed up stays so when only its times change: the record
    // notes the new modification time as the moment of marking.
    const DosAttributes current = interpretDosInfo(before, volumeStore, item.stat(), item.dotName());
    const bool markedByChangeTime = store == AttributeStore::DosAttribXattr
                                    && before.state == StoredDosInfo::Present && !current.archive
                                    && !item.isFolder();
    // A file that reads Archive set only because it changed after its last marking
    // would read as backed up once its modification time moves before that marking:
    // the bit is stored first, so the file still goes with the next backup.
    const bool archiveByChange = store == AttributeStore::DosAttribXattr && before.state == StoredDosInfo::Present
                                 && current.archive && !(before.attributes & DosAttribute::Archive)
                                 && !item.isFolder();
    const bool rewrite = created || (modified && (markedByChangeTime || archiveByChange));

    bool modeChanged = false;
    const mode_t originalMode = item.stat().st_mode & 07777;
    if (rewrite) {
        std::uint32_t bits = before.state == StoredDosInfo::Present
                                 ? before.attributes
                                 : (item.isFolder() ? DosAttribute::Directory : DosAttribute::Archive);
        if (modified && archiveByChange)
            bits |= DosAttribute::Archive;
        std::uint64_t createTime = newCreated;
        std::uint64_t changeTime = 0;
        if (store == AttributeStore::DosAttribXattr) {
            if (!createTime)
                createTime = before.createTime ? before.createTime
                                               : birthOrModificationNtTime(item.fdPath(), item.stat());
            changeTime = before.changeTime;
            if (markedByChangeTime)
                changeTime = modified ? ntTimeFromTimespec(ts[1]) : modificationNtTime(item.stat());
        }
        int err = writeStoredDosInfo(item.target(), store, bits, createTime, changeTime);
        if (err == EACCES && store != AttributeStore::Ntfs3g && !(originalMode & S_IWUSR)
            && item.stat().st_uid == ::geteuid() && item.setMode(originalMode | S_IWUSR) == 0) {
            modeChanged = true;
            err = writeStoredDosInfo(item.target(), store, bits, createTime, changeTime);
        }
        if (modeChanged)
            item.setMode(originalMode);
        if (err && isUnsupportedXattrError(err) && created)
            throw cannotKeepCreationTimeError(path);
        if (err)
            throw RuntimeError::fromErrno(err, path);
    }

    if ((accessed || modified) && ::utimensat(AT_FDCWD, item.fdPath(), ts, 0) != 0) {
        const int err = errno;
        if (rewrite)
            restoreStoredDosInfo(item.target(), store, before);
        throw RuntimeError::fromErrno(err, path);
    }
    return readFrom(item, volumeStore);
}
