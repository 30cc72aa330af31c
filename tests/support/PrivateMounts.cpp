#include "PrivateMounts.h"

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

QString enterPrivateMountNamespace()
{
    if (::unshare(CLONE_NEWNS) != 0)
        return QStringLiteral("no private mount namespace (unshare: %1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("cannot make the mounts private: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    return {};
}
