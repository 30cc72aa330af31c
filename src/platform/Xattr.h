#pragma once

#include <QByteArray>

// Extended attributes of one item, reached either through an open descriptor or
// through a path (the listing reads them by path beside its folder descriptor, so
// it never opens an entry that might be a device or a pipe).
struct XattrTarget
{
    int fd = -1;
    const char *path = nullptr; // followed when it is a link
    // The entry `name` of the folder open as `dirFd` (its `path` given too): reads go
    // relative to the folder where the kernel can (getxattrat, Linux 6.13), which spares
    // walking the whole path again for every entry of a large folder; writes, and reads
    // on older kernels, use the path. An empty name is the folder itself.
    int dirFd = -1;
    const char *name = nullptr;

    static XattrTarget ofFd(int fd) { return {fd, nullptr}; }
    static XattrTarget ofPath(const char *path) { return {-1, path}; }
    static XattrTarget ofEntry(int dirFd, const char *name, const char *path) { return {-1, path, dirFd, name}; }
};

struct XattrValue
{
    enum Status { Present, Absent, Unsupported, TooLarge, Failed };
    Status status = Absent;
    QByteArray value;
    int error = 0; // errno for Failed
};

// Reads `name`, at most `maxSize` bytes.
XattrValue readXattr(const XattrTarget &target, const char *name, int maxSize);
// Returns 0 or the errno.
int writeXattr(const XattrTarget &target, const char *name, const QByteArray &value);
int removeXattr(const XattrTarget &target, const char *name);

// True when the errno says the volume keeps no attribute of this name at all.
bool isUnsupportedXattrError(int err);

// A path that reaches `name` inside the folder open as `dirFd`, for the calls that
// have no *at() form.
QByteArray pathInFolder(int dirFd, const char *name);
