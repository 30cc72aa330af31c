#pragma once

#include "platform/EntryInfo.h"

#include <QList>
#include <QString>

// A mounted volume, the Linux counterpart of a drive.
struct Volume
{
    QString mountPoint;     // "/" or "/media/usb", never with a trailing "/" (except "/")
    QString device;         // the mount source: "/dev/sdb1", "//server/share", "tmpfs"
    QString fileSystemType; // "ext4", "vfat", "fuseblk", "cifs", ...
    QString label;          // from /dev/disk/by-label, empty when there is none

    bool isValid() const { return !mountPoint.isEmpty(); }
};

// Every mount of the table in `mountInfo` (the text of /proc/self/mountinfo), in its
// order, pseudo file systems included. Labels are not filled in.
QList<Volume> parseMountInfo(const QByteArray &mountInfo);

// True for the volumes a user keeps files on; false for proc, sysfs, cgroup and the
// other kernel interfaces, and for mounts inside /proc, /sys and /dev.
bool isUserVolume(const Volume &volume);

// The volumes the drive list shows, with their labels, in mount-point order.
QList<Volume> listVolumes();

// The volume whose mount point holds `path` (symbolic links resolved; a path that
// does not exist yet belongs to the volume of its nearest existing parent).
Volume volumeOf(const QString &path);

// Where the volume that holds `path` keeps attributes: by its file-system type,
// and for a FUSE volume by asking it.
AttributeStore attributeStoreFor(const QString &path);

// The attribute store a file-system type chooses, before the volume is asked.
AttributeStore attributeStoreForType(const QString &fileSystemType);

// The key under which per-volume files are named: the mount point with "/" as "_".
QString volumeKey(const Volume &volume);
