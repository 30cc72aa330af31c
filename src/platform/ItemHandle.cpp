#include "platform/ItemHandle.h"

#include "platform/AttributeErrors.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>


QByteArray fdPath(int fd)
{
    return "/proc/self/fd/" + QByteArray::number(fd);
}

ItemHandle::ItemHandle(const QString &path, Links links) : m_path(path)
{
    QByteArray bytes = ExactName::toBytes(path);
    while (bytes.size() > 1 && bytes.endsWith('/'))
        bytes.chop(1);
    const QByteArray name = bytes.mid(bytes.lastIndexOf('/') + 1);
    m_dotName = name.startsWith('.') && name != "." && name != "..";
    const int flags = O_PATH | O_CLOEXEC | (links == Links::Refuse ? O_NOFOLLOW : 0);
    m_fd = ::open(bytes.constData(), flags);
    if (m_fd < 0)
        throw RuntimeError::fromErrno(errno, path);
    m_fdPath = ::fdPath(m_fd);
    if (::fstat(m_fd, &m_stat) != 0) {
        const int err = errno;
        ::close(m_fd);
        throw RuntimeError::fromErrno(err, path);
    }
    if (links == Links::Refuse) {
        if (S_ISLNK(m_stat.st_mode)) {
            ::close(m_fd);
            throw symlinkError(path);
        }
        if (!S_ISREG(m_stat.st_mode) && !S_ISDIR(m_stat.st_mode)) {
            ::close(m_fd);
            throw notFileOrFolderError(path);
        }
    }
}

ItemHandle::~ItemHandle()
{
    ::close(m_fd);
}

void ItemHandle::refresh()
{
    if (::fstat(m_fd, &m_stat) != 0)
        throw RuntimeError::fromErrno(errno, m_path);
}

int ItemHandle::setMode(mode_t mode) const
{
    return ::chmod(m_fdPath.constData(), mode) == 0 ? 0 : errno;
}
