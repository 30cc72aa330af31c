#include "platform/DosInfoStore.h"

#include "platform/DosAttribRecord.h"
#include "platform/DosAttributes.h"
#include "platform/NtTime.h"

#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr const char *DosAttribName = "user.DOSATTRIB";
constexpr const char *NtfsAttribBe = "system.ntfs_attrib_be";
constexpr const char *NtfsAttrib = "system.ntfs_attrib";
constexpr const char *NtfsCrtimeBe = "system.ntfs_crtime_be";
constexpr const char *CifsAttrib = "user.cifs.dosattrib";
constexpr const char *CifsCreationTime = "user.cifs.creationtime";

// FAT: the ioctls need a real descriptor; a path is opened for the moment.
class FatHandle
{
public:
    explicit FatHandle(const XattrTarget &target)
    {
        if (target.fd >= 0) {
            m_fd = target.fd;
        } else {
            m_fd = ::open(target.path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
            m_owned = m_fd >= 0;
            m_error = errno;
        }
    }
    ~FatHandle()
    {
        if (m_owned)
            ::close(m_fd);
    }
    FatHandle(const FatHandle &) = delete;
    FatHandle &operator=(const FatHandle &) = delete;
    int fd() const { return m_fd; }
    int error() const { return m_error; }

private:
    int m_fd = -1;
    bool m_owned = false;
    int m_error = 0;
};

StoredDosInfo fromXattrStatus(const XattrValue &v)
{
    StoredDosInfo info;
    switch (v.status) {
    case XattrValue::Present:
        info.state = StoredDosInfo::Present;
        break;
    case XattrValue::Absent:
        info.state = StoredDosInfo::Absent;
        break;
    case XattrValue::Unsupported:
        info.state = StoredDosInfo::Unsupported;
        break;
    case XattrValue::TooLarge:
    case XattrValue::Failed:
        info.state = StoredDosInfo::Unreadable;
        break;
    }
    return info;
}

StoredDosInfo readDosAttrib(const XattrTarget &target)
{
    // One byte more than any reader accepts, so that an oversized value shows.
    const XattrValue v = readXattr(target, DosAttribName, DosAttribMaxSize + 1);
    StoredDosInfo info = fromXattrStatus(v);
    if (info.state != StoredDosInfo::Present)
        return info;
    info.raw = v.value;
    const std::optional<DosAttribRecord> rec = decodeDosAttrib(v.value);
    if (!rec) {
        info.state = StoredDosInfo::Unreadable;
        return info;
    }
    info.attributes = rec->attributes;
    info.createTime = rec->hasCreateTime() ? rec->createTime : 0;
    info.changeTime = rec->hasChangeTime() ? rec->changeTime : 0;
    return info;
}

StoredDosInfo readFat(const XattrTarget &target)
{
    StoredDosInfo info;
    FatHandle h(target);
    std::uint32_t bits = 0;
    if (h.fd() < 0) {
        info.state = StoredDosInfo::Unreadable;
    } else if (::ioctl(h.fd(), FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0) {
        info.state = StoredDosInfo::Present;
        info.attributes = bits;
    } else {
        info.state = errno == ENOTTY || errno == EINVAL ? StoredDosInfo::Unsupported : StoredDosInfo::Unreadable;
    }
    return info;
}

std::optional<std::uint32_t> word32(const XattrValue &v, bool bigEndian)
{
    if (v.status != XattrValue::Present || v.value.size() != 4)
        return std::nullopt;
    return bigEndian ? qFromBigEndian<std::uint32_t>(v.value.constData())
                     : qFromLittleEndian<std::uint32_t>(v.value.constData());
}

std::uint64_t word64(const XattrValue &v, bool bigEndian)
{
    if (v.status != XattrValue::Present || v.value.size() != 8)
        return 0;
    return bigEndian ? qFromBigEndian<std::uint64_t>(v.value.constData())
                     : qFromLittleEndian<std::uint64_t>(v.value.constData());
}

StoredDosInfo readWord(const XattrTarget &target, const char *name, bool bigEndian)
{
    const XattrValue v = readXattr(target, name, 16);
    StoredDosInfo info = fromXattrStatus(v);
    if (info.state == StoredDosInfo::Present) {
        const std::optional<std::uint32_t> w = word32(v, bigEndian);
        if (w)
            info.attributes = *w;
        else
            info.state = StoredDosInfo::Unreadable;
    }
    return info;
}

StoredDosInfo readNtfs(const XattrTarget &target, AttributeStore store)
{
    // ntfs-3g and newer ntfs3 have the big-endian name; Debian 12's ntfs3 only the CPU-order one.
    StoredDosInfo info = readWord(target, NtfsAttribBe, true);
    if (info.state != StoredDosInfo::Present)
        info = readWord(target, NtfsAttrib, QSysInfo::ByteOrder == QSysInfo::BigEndian);
    if (info.state == StoredDosInfo::Absent)
        info.state = StoredDosInfo::Unsupported; // the drivers answer for every item
    if (store == AttributeStore::Ntfs3g)
        info.createTime = word64(readXattr(target, NtfsCrtimeBe, 16), true);
    return info;
}

StoredDosInfo readCifs(const XattrTarget &target)
{
    StoredDosInfo info = readWord(target, CifsAttrib, QSysInfo::ByteOrder == QSysInfo::BigEndian);
    if (info.state == StoredDosInfo::Present)
        info.createTime = word64(readXattr(target, CifsCreationTime, 16), QSysInfo::ByteOrder == QSysInfo::BigEndian);
    return info;
}

QByteArray bytes32(std::uint32_t value, bool bigEndian)
{
    QByteArray out(4, '\0');
    if (bigEndian)
        qToBigEndian(value, out.data());
    else
        qToLittleEndian(value, out.data());
    return out;
}

QByteArray bytes64(std::uint64_t value, bool bigEndian)
{
    QByteArray out(8, '\0');
    if (bigEndian)
        qToBigEndian(value, out.data());
    else
        qToLittleEndian(value, out.data());
    return out;
}

constexpr bool cpuBigEndian = QSysInfo::ByteOrder == QSysInfo::BigEndian;

} // namespace

std::uint64_t modificationNtTime(const struct stat &st)
{
    return ntTimeFromTimespec(st.st_mtim);
}

bool storeKeepsCreationTime(AttributeStore store)
{
    return store == AttributeStore::DosAttribXattr || store == AttributeStore::Ntfs3g || store == AttributeStore::Cifs;
}

DosAttributes interpretDosInfo(const StoredDosInfo &stored, AttributeStore store, const struct stat &st, bool dotName)
{
    DosAttributes a;
    a.directory = S_ISDIR(st.st_mode);
    a.storedUnknown = stored.state == StoredDosInfo::Unreadable;
    const bool present = stored.state == StoredDosInfo::Present;
    const std::uint32_t bits = present ? stored.attributes : 0;
    a.readOnly = !(st.st_mode & S_IWUSR) || (bits & DosAttribute::ReadOnly);
    a.hidden = dotName || (bits & DosAttribute::Hidden);
    a.system = bits & DosAttribute::System;
    if (a.directory) {
        a.archive = bits & DosAttribute::Archive;
    } else if (!present) {
        // Never marked as backed up, or marked in a way we cannot read: back it up.
        a.archive = true;
    } else {
        a.archive = (bits & DosAttribute::Archive)
                    || (store == AttributeStore::DosAttribXattr && stored.changeTime != 0
                        && modificationNtTime(st) > stored.changeTime);
    }
    return a;
}

StoredDosInfo readStoredDosInfo(const XattrTarget &target, AttributeStore store)
{
    switch (store) {
    case AttributeStore::DosAttribXattr:
        return readDosAttrib(target);
    case AttributeStore::FatIoctl:
        return readFat(target);
    case AttributeStore::Ntfs3g:
    case AttributeStore::Ntfs3:
        return readNtfs(target, store);
    case AttributeStore::Cifs:
        return readCifs(target);
    case AttributeStore::None:
        break;
    }
    StoredDosInfo info;
    info.state = StoredDosInfo::Unsupported;
    return info;
}

int writeStoredDosInfo(const XattrTarget &target, AttributeStore store, std::uint32_t attributes,
                       std::uint64_t createTime, std::uint64_t changeTime)
{
    switch (store) {
    case AttributeStore::DosAttribXattr:
        return writeXattr(target, DosAttribName, encodeDosAttribV3(attributes, createTime, changeTime));
    case AttributeStore::FatIoctl: {
        if (createTime)
            return EOPNOTSUPP;
        FatHandle h(target);
        if (h.fd() < 0)
            return h.error();
        std::uint32_t bits = attributes & DosAttribute::Changeable;
        return ::ioctl(h.fd(), FAT_IOCTL_SET_ATTRIBUTES, &bits) == 0 ? 0 : errno;
    }
    case AttributeStore::Ntfs3g:
    case AttributeStore::Ntfs3: {
        if (createTime && store == AttributeStore::Ntfs3)
            return EOPNOTSUPP;
        int err = writeXattr(target, NtfsAttribBe, bytes32(attributes, true));
        if (err && store == AttributeStore::Ntfs3)
            err = writeXattr(target, NtfsAttrib, bytes32(attributes, cpuBigEndian));
        if (!err && createTime)
            err = writeXattr(target, NtfsCrtimeBe, bytes64(createTime, true));
        return err;
    }
    case AttributeStore::Cifs: {
        int err = writeXattr(target, CifsAttrib, bytes32(attributes, cpuBigEndian));
        if (!err && createTime)
            err = writeXattr(target, CifsCreationTime, bytes64(createTime, cpuBigEndian));
        return err;
    }
    case AttributeStore::None:
        break;
    }
    return EOPNOTSUPP;
}

void restoreStoredDosInfo(const XattrTarget &target, AttributeStore store, const StoredDosInfo &before)
{
    if (store == AttributeStore::DosAttribXattr) {
        if (before.state == StoredDosInfo::Present || before.state == StoredDosInfo::Unreadable)
            writeXattr(target, DosAttribName, before.raw);
        else
            removeXattr(target, DosAttribName);
    } else if (before.state == StoredDosInfo::Present) {
        writeStoredDosInfo(target, store, before.attributes, before.createTime, 0);
    }
}

std::uint64_t birthOrModificationNtTime(const char *path, const struct stat &st)
{
    struct statx stx {};
    if (::statx(AT_FDCWD, path, 0, STATX_BTIME, &stx) == 0 && (stx.stx_mask & STATX_BTIME)) {
        timespec t{};
        t.tv_sec = stx.stx_btime.tv_sec;
        t.tv_nsec = stx.stx_btime.tv_nsec;
        return ntTimeFromTimespec(t);
    }
    return modificationNtTime(st);
}
