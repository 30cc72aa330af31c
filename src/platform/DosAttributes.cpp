#include "platform/DosAttributes.h"

#include "platform/AttributeErrors.h"
#include "platform/DosAttributeTexts.h"
#include "platform/DosInfoStore.h"
#include "platform/ItemHandle.h"
#include "platform/RuntimeError.h"
#include "platform/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

namespace {

constexpr mode_t AllWrite = S_IWUSR | S_IWGRP | S_IWOTH;

// The permissions that go with the wanted Read-only: none of the write bits, or at
// least the owner's.
mode_t modeFor(mode_t mode, bool readOnly)
{
    mode &= 07777;
    if (readOnly)
        return mode & ~AllWrite;
    return mode & S_IWUSR ? mode : mode | S_IWUSR;
}

// The drivers of FAT and of ntfs3 turn R into permissions themselves.
bool driverMapsReadOnly(AttributeStore store)
{
    return store == AttributeStore::FatIoctl || store == AttributeStore::Ntfs3;
}

// With no store, only what permissions and the name say can be had.
void checkKeepableWithoutStore(const ItemHandle &item, const DosAttributes &wanted)
{
    if (wanted.system)
        throw cannotKeepAttributeError(item.path(), DosAttributeTexts::System);
    if (wanted.hidden && !item.dotName())
        throw cannotKeepAttributeError(item.path(), DosAttributeTexts::Hidden);
    // A file that was never marked reads Archive set, a folder reads it clear.
    if (wanted.archive != !item.isFolder())
        throw cannotKeepAttributeError(item.path(), DosAttributeTexts::Archive);
}

void applyMode(const ItemHandle &item, mode_t mode)
{
    if ((item.stat().st_mode & 07777) == mode)
        return;
    if (const int err = item.setMode(mode))
        throw RuntimeError::fromErrno(err, item.path());
}

// Writes the stored information. User attributes need write permission on the item,
// so an owner without it gets it for the moment of writing; `modeChanged` says
// whether the permissions were touched.
int writeWithWriteAccess(const ItemHandle &item, AttributeStore store, std::uint32_t bits,
                         std::uint64_t createTime, std::uint64_t changeTime, bool &modeChanged)
{
    modeChanged = false;
    int err = writeStoredDosInfo(item.target(), store, bits, createTime, changeTime);
    const mode_t mode = item.stat().st_mode & 07777;
    if (err == EACCES && (store == AttributeStore::DosAttribXattr || store == AttributeStore::Cifs)
        && !(mode & S_IWUSR) && item.stat().st_uid == ::geteuid()) {
        if (item.setMode(mode | S_IWUSR) == 0) {
            modeChanged = true;
            err = writeStoredDosInfo(item.target(), store, bits, createTime, changeTime);
        }
    }
    return err;
}

DosAttributes readFrom(const ItemHandle &item, AttributeStore store)
{
    const StoredDosInfo stored = readStoredDosInfo(item.target(), store);
    return interpretDosInfo(stored, store, item.stat(), item.dotName());
}

} // namespace

std::uint32_t DosAttributes::bits() const
{
    return (readOnly ? DosAttribute::ReadOnly : 0) | (hidden ? DosAttribute::Hidden : 0)
           | (system ? DosAttribute::System : 0) | (directory ? DosAttribute::Directory : 0)
           | (archive ? DosAttribute::Archive : 0);
}

DosAttributes DosAttributes::fromBits(std::uint32_t bits)
{
    DosAttributes a;
    a.readOnly = bits & DosAttribute::ReadOnly;
    a.hidden = bits & DosAttribute::Hidden;
    a.system = bits & DosAttribute::System;
    a.directory = bits & DosAttribute::Directory;
    a.archive = bits & DosAttribute::Archive;
    return a;
}

bool hiddenByName(const QString &path)
{
    return QFileInfo(QDir::cleanPath(path)).fileName().startsWith(QLatin1Char('.'));
}

DosAttributes readAttributes(const QString &path)
{
    const ItemHandle item(path, ItemHandle::Links::Follow);
    return readFrom(item, attributeStoreFor(path));
}

DosAttributes writeAttributes(const QString &path, const DosAttributes &wanted)
{
    ItemHandle item(path, ItemHandle::Links::Refuse);
    const AttributeStore volumeStore = attributeStoreFor(path);
    const StoredDosInfo before = readStoredDosInfo(item.target(), volumeStore);
    if (before.state == StoredDosInfo::Unreadable)
        throw unreadableRecordError(path);
    const AttributeStore store = before.state == StoredDosInfo::Unsupported ? AttributeStore::None : volumeStore;
    const mode_t originalMode = item.stat().st_mode & 07777;
    const mode_t finalMode = modeFor(originalMode, wanted.readOnly);

    if (store == AttributeStore::None) {
        checkKeepableWithoutStore(item, wanted);
        applyMode(item, finalMode);
        item.refresh();
        return readFrom(item, volumeStore);
    }

    const std::uint32_t kept = before.state == StoredDosInfo::Present
                                   ? before.attributes & ~(DosAttribute::Changeable | DosAttribute::Directory | 0x80u)
                                   : 0;
    const std::uint32_t bits = kept | (wanted.bits() & DosAttribute::Changeable)
                               | (item.isFolder() ? DosAttribute::Directory : 0);
    std::uint64_t createTime = 0;
    std::uint64_t changeTime = 0;
    if (store == AttributeStore::DosAttribXattr) {
        // The record is written whole: keep the creation time it had, or freeze the
        // one the item reads now, and note when this marking happened.
        createTime = before.createTime ? before.createTime : birthOrModificationNtTime(item.fdPath(), item.stat());
        changeTime = modificationNtTime(item.stat());
    }

    bool modeChanged = false;
    const int err = writeWithWriteAccess(item, store, bits, createTime, changeTime, modeChanged);
    if (err) {
        if (modeChanged)
            item.setMode(originalMode);
        if (isUnsupportedXattrError(err)) {
            checkKeepableWithoutStore(item, wanted);
            applyMode(item, finalMode);
            item.refresh();
            return readFrom(item, volumeStore);
        }
        throw RuntimeError::fromErrno(err, path);
    }

    if (!driverMapsReadOnly(store)) {
        const mode_t target = finalMode;
        if (modeChanged || target != originalMode) {
            const int modeErr = item.setMode(target);
            // On NTFS and SMB the stored R is what counts; their permissions may be fixed.
            if (modeErr && store == AttributeStore::DosAttribXattr) {
                restoreStoredDosInfo(item.target(), store, before);
                item.setMode(originalMode);
                throw RuntimeError::fromErrno(modeErr, path);
            }
        }
    }
    item.refresh();
    return readFrom(item, volumeStore);
}

void clearArchive(const QString &path)
{
    DosAttributes a;
    {
        const ItemHandle item(path, ItemHandle::Links::Refuse);
        a = readFrom(item, attributeStoreFor(path));
    }
    if (a.storedUnknown)
        throw unreadableRecordError(path);
    a.archive = false;
    writeAttributes(path, a);
}

DosCopyResult copyDosInformation(int fromFd, AttributeStore fromStore, int toFd, AttributeStore toStore)
{
    DosCopyResult result;
    const QByteArray fromPath = fdPath(fromFd);
    const QByteArray toPath = fdPath(toFd);
    struct stat fromStat {};
    struct stat toStat {};
    if (::fstat(fromFd, &fromStat) != 0 || ::fstat(toFd, &toStat) != 0)
        throw RuntimeError::fromErrno(errno);

    const StoredDosInfo source = readStoredDosInfo(XattrTarget::ofPath(fromPath.constData()), fromStore);
    const DosAttributes read = interpretDosInfo(source, fromStore, fromStat, false);
    const bool sourceHasBits = source.state == StoredDosInfo::Present;
    const std::uint32_t storedHidden = sourceHasBits ? source.attributes & DosAttribute::Hidden : 0;
    const bool folder = S_ISDIR(toStat.st_mode);
    // A copy is a new file that has not been backed up yet.
    const std::uint32_t bits = (read.readOnly ? DosAttribute::ReadOnly : 0) | storedHidden
                               | (read.system ? DosAttribute::System : 0)
                               | (!folder || read.archive ? DosAttribute::Archive : 0)
                               | (folder ? DosAttribute::Directory : 0);
    const std::uint64_t created =
        source.createTime ? source.createTime : birthOrModificationNtTime(fromPath.constData(), fromStat);

    const XattrTarget target = XattrTarget::ofPath(toPath.constData());
    const StoredDosInfo existing = readStoredDosInfo(target, toStore);
    const AttributeStore store = existing.state == StoredDosInfo::Unsupported ? AttributeStore::None : toStore;
    const bool needsStore = (bits & (DosAttribute::Hidden | DosAttribute::System)) || (folder && read.archive);
    if (store == AttributeStore::None) {
        result.attributesKept = !needsStore;
        result.creationTimeKept = false;
        return result;
    }
    const bool keepsCreation = storeKeepsCreationTime(store);
    result.creationTimeKept = keepsCreation;
    int err = writeStoredDosInfo(target, store, bits, keepsCreation ? created : 0,
                                 store == AttributeStore::DosAttribXattr ? modificationNtTime(toStat) : 0);
    if (err == EACCES && !(toStat.st_mode & S_IWUSR) && toStat.st_uid == ::geteuid()
        && ::chmod(toPath.constData(), (toStat.st_mode & 07777) | S_IWUSR) == 0) {
        err = writeStoredDosInfo(target, store, bits, keepsCreation ? created : 0,
                                 store == AttributeStore::DosAttribXattr ? modificationNtTime(toStat) : 0);
        ::chmod(toPath.constData(), toStat.st_mode & 07777);
    }
    if (err && isUnsupportedXattrError(err)) {
        result.attributesKept = !needsStore;
        result.creationTimeKept = false;
        return result;
    }
    if (err)
        throw RuntimeError::fromErrno(err);
    return result;
}

DosCopyResult copyDosInformation(const QString &from, const QString &to)
{
    const ItemHandle source(from, ItemHandle::Links::Refuse);
    const ItemHandle target(to, ItemHandle::Links::Refuse);
    return copyDosInformation(source.fd(), attributeStoreFor(from), target.fd(), attributeStoreFor(to));
}
