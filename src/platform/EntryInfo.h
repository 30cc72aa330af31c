#pragma once

#include <QByteArray>
#include <cstdint>
#include <ctime>

// Where a volume keeps the DOS attributes and the creation time of its items.
enum class AttributeStore {
    DosAttribXattr, // user.DOSATTRIB (ext4, xfs, btrfs, ...)
    FatIoctl,       // vfat: the kernel's FAT attribute ioctls
    Ntfs3g,         // ntfs-3g: system.ntfs_attrib_be / system.ntfs_crtime_be
    Ntfs3,          // the ntfs3 kernel driver: system.ntfs_attrib
    Cifs,           // SMB client: user.cifs.dosattrib / user.cifs.creationtime
    None            // nothing can be stored (exFAT, tmpfs without user xattrs, ...)
};

// What the listing needs of one folder entry.
struct EntryInfo
{
    bool isFolder = false;
    bool isSymlink = false; // the entry is a link; the rest describes its target
    bool dangling = false;  // a link whose target is missing: listed as a file of size 0
    std::int64_t size = 0;  // 0 for folders
    std::time_t modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
    bool archive = false;
    // Something is stored for the entry that could not be read: the four flags
    // above then follow from permissions, name and times alone.
    bool attributesUnknown = false;
};

// Reads one entry of the folder open as `dirFd`, with as few system calls as the
// volume allows. Throws RuntimeError when the entry cannot be read (it vanished, no
// permission, ...).
EntryInfo readEntryInfo(int dirFd, const char *name, AttributeStore store);

// The same, for a folder whose path is known (`folderPath` as bytes, ending with "/"):
// the attribute read then resolves a plain path, which costs less than going through
// the descriptor's /proc entry. The listing reads every entry this way.
EntryInfo readEntryInfo(int dirFd, const QByteArray &folderPath, const char *name, AttributeStore store);
