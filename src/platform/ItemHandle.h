#pragma once

#include "platform/Xattr.h"

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

// A file or folder held open by an O_PATH descriptor while its attributes and times
// are read or changed, so that every step acts on the same item even if its name
// is replaced meanwhile, and an item without read permission can still be handled.
class ItemHandle
{
public:
    enum class Links { Follow, Refuse };
    // Throws RuntimeError when the item cannot be reached, and for a symbolic link
    // or an item that is neither file nor folder when `links` is Refuse.
    ItemHandle(const QString &path, Links links);
    ~ItemHandle();
    ItemHandle(const ItemHandle &) = delete;
    ItemHandle &operator=(const ItemHandle &) = delete;

    const QString &path() const { return m_path; }
    int fd() const { return m_fd; }
    const struct stat &stat() const { return m_stat; }
    // Re-reads the status after a change.
    void refresh();
    bool isFolder() const { return S_ISDIR(m_stat.st_mode); }
    bool dotName() const { return m_dotName; }
    // "/proc/self/fd/N": a path for the calls that take no descriptor.
    const char *fdPath() const { return m_fdPath.constData(); }
    XattrTarget target() const { return XattrTarget::ofPath(m_fdPath.constData()); }
    // chmod through the descriptor; returns 0 or the errno.
    int setMode(mode_t mode) const;

private:
    QString m_path;
    int m_fd = -1;
    QByteArray m_fdPath;
    struct stat m_stat {};
    bool m_dotName = false;
};

// The path of an open descriptor, for the calls that take no descriptor.
QByteArray fdPath(int fd);
