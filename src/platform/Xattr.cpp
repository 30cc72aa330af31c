#include "platform/Xattr.h"

#include <cerrno>
#include <sys/xattr.h>

bool isUnsupportedXattrError(int err)
{
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

XattrValue readXattr(const XattrTarget &target, const char *name, int maxSize)
{
    XattrValue result;
    result.value.resize(maxSize);
    const ssize_t n = target.fd >= 0 ? ::fgetxattr(target.fd, name, result.value.data(), size_t(maxSize))
                                     : ::getxattr(target.path, name, result.value.data(), size_t(maxSize));
    if (n >= 0) {
        result.value.truncate(n);
        result.status = XattrValue::Present;
        return result;
    }
    const int err = errno;
    result.value.clear();
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
