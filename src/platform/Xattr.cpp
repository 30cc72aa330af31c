#include "platform/Xattr.h"

#include <QVarLengthArray>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

#ifndef SYS_getxattrat
#define SYS_getxattrat 464
#endif

// Cleared the first time the kernel turns the call down; read by every worker of a
// listing at once, hence atomic.
std::atomic<bool> getxattratAvailable{true};

// getxattrat on the entry, following a link as getxattr does. Returns -2 where the
// kernel lacks the call.
ssize_t getxattrAt(const XattrTarget &target, const char *attribute, char *buffer, std::size_t size)
{
    if (!getxattratAvailable.load(std::memory_order_relaxed))
        return -2;
    struct
    {
        std::uint64_t value;
        std::uint32_t size;
        std::uint32_t flags;
    } args{std::uint64_t(reinterpret_cast<std::uintptr_t>(buffer)), std::uint32_t(size), 0};
    const unsigned flags = target.name[0] ? 0 : AT_EMPTY_PATH;
    const long n = ::syscall(SYS_getxattrat, target.dirFd, target.name, flags, attribute, &args, sizeof args);
    if (n < 0 && (errno == ENOSYS || errno == EINVAL)) {
        // EINVAL: a kernel that knows the number but not this form; either way the
        // path does it from now on.
        getxattratAvailable.store(false, std::memory_order_relaxed);
        return -2;
    }
    return n;
}

} // namespace

bool isUnsupportedXattrError(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

XattrValue readXattr(const XattrTarget &target, const char *name, int maxSize)
{
    // Read into the stack first: most items of a listing have nothing stored, and the
    // listing asks once per item.
    QVarLengthArray<char, 512> buffer(maxSize);
    ssize_t n = -2;
    if (target.fd >= 0)
        n = ::fgetxattr(target.fd, name, buffer.data(), size_t(maxSize));
    else if (target.dirFd >= 0 && target.name)
        n = getxattrAt(target, name, buffer.data(), size_t(maxSize));
    if (n == -2)
        n = ::getxattr(target.path, name, buffer.data(), size_t(maxSize));
    XattrValue result;
    if (n >= 0) {
        result.value = QByteArray(buffer.constData(), qsizetype(n));
        result.status = XattrValue::Present;
        return result;
    }
    const int err = errno;
    if (err == ENODATA)
        result.status = XattrValue::Absent;
    else if (isUnsupportedXattrError(err))
        result.status = XattrValue::Unsupported;
    else if (err == ERANGE || err == E2BIG)
        result.status = XattrValue::TooLarge;
    else {
        result.status = XattrValue::Failed;
        result.error = err;
    }
    return result;
}

int writeXattr(const XattrTarget &target, const char *name, const QByteArray &value)
{
    const int rc = target.fd >= 0 ? ::fsetxattr(target.fd, name, value.constData(), size_t(value.size()), 0)
                                  : ::setxattr(target.path, name, value.constData(), size_t(value.size()), 0);
    return rc == 0 ? 0 : errno;
}

int removeXattr(const XattrTarget &target, const char *name)
{
    const int rc = target.fd >= 0 ? ::fremovexattr(target.fd, name) : ::removexattr(target.path, name);
    return rc == 0 || errno == ENODATA ? 0 : errno;
}

QByteArray pathInFolder(int dirFd, const char *name)
{
    return "/proc/self/fd/" + QByteArray::number(dirFd) + '/' + name;
}
