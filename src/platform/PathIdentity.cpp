#include "platform/PathIdentity.h"

#include "platform/ExactName.h"

#include <QStringList>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace PathIdentity {

namespace {

bool normalText(qsizetype size, auto at)
{
    if (size == 0 || at(0) != '/')
        return false;
    // Component by component: none empty (a trailing "/" aside), none "." or "..".
    qsizetype start = 1;
    while (start < size) {
        qsizetype end = start;
        while (end < size && at(end) != '/')
            ++end;
        const qsizetype length = end - start;
        if (length == 0)
            return false; // "//"
        if (at(start) == '.' && (length == 1 || (length == 2 && at(start + 1) == '.')))
            return false;
        if (end == size - 1)
            return true; // one trailing "/"
        start = end + 1;
    }
    return true;
}

Identity fromStatx(const struct statx &sx)
{
    Identity id;
    id.device = makedev(sx.stx_dev_major, sx.stx_dev_minor);
    id.inode = sx.stx_ino;
    id.mode = sx.stx_mode;
    return id;
}

bool statxAt(int dirFd, const char *name, int flags, struct statx &sx)
{
    return ::statx(dirFd, name, flags | AT_NO_AUTOMOUNT, STATX_TYPE | STATX_INO | STATX_MNT_ID, &sx) == 0;
}

QByteArray parentBytes(const QByteArray &path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    const qsizetype slash = p.lastIndexOf('/');
    return slash <= 0 ? QByteArrayLiteral("/") : p.left(slash);
}

QByteArray lastComponent(const QByteArray &path)
{
    QByteArray p = path;
    while (p.size() > 1 && p.endsWith('/'))
        p.chop(1);
    return p.mid(p.lastIndexOf('/') + 1);
}

QByteArray realPath(const QByteArray &path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : QByteArray();
}

} // namespace

bool Identity::isFolder() const
{
    return S_ISDIR(mode);
}

bool Identity::isLink() const
{
    return S_ISLNK(mode);
}

bool isNormal(QStringView path)
{
    return normalText(path.size(), [&](qsizetype i) { return path[i].unicode(); });
}

bool isNormal(const QByteArray &path)
{
    return normalText(path.size(), [&](qsizetype i) { return path[i]; });
}

QString normalised(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/')))
        return {};
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    qsizetype lastUp = -1;
    for (qsizetype i = 0; i < parts.size(); ++i)
        if (parts[i] == QLatin1String(".."))
            lastUp = i;
    QString result;
    qsizetype from = 0;
    if (lastUp >= 0) {
        // ".." is the kernel's to resolve: the text cannot know what a link leads to.
        const QByteArray prefix = ExactName::toBytes(QLatin1Char('/') + parts.mid(0, lastUp + 1).join(QLatin1Char('/')));
        const QByteArray real = realPath(prefix);
        if (real.isEmpty())
            return {};
        result = ExactName::fromBytes(real);
        if (result == QLatin1String("/"))
            result.clear();
        from = lastUp + 1;
    }
    for (qsizetype i = from; i < parts.size(); ++i)
        if (parts[i] != QLatin1String("."))
            result += QLatin1Char('/') + parts[i];
    return result.isEmpty() ? QStringLiteral("/") : result;
}

std::optional<Identity> itemIdentity(const QByteArray &path)
{
    if (!path.startsWith('/')) {
        errno = EINVAL;
        return std::nullopt;
    }
    const QByteArray name = lastComponent(path);
    struct statx sx {};
    if (name == "/" || name.isEmpty()) {
        if (!statxAt(AT_FDCWD, "/", 0, sx))
            return std::nullopt;
        Identity id = fromStatx(sx);
        id.mountRoot = true;
        return id;
    }
    const int parent = ::open(parentBytes(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return std::nullopt;
    std::optional<Identity> result;
    if (statxAt(parent, name.constData(), AT_SYMLINK_NOFOLLOW, sx)) {
        Identity id = fromStatx(sx);
        if (!S_ISLNK(sx.stx_mode)) {
            if (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) {
                id.mountRoot = (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
            } else {
                // An older kernel: a mount differs from its parent in mount id or device.
                struct statx up {};
                if (statxAt(parent, "", AT_EMPTY_PATH, up))
                    id.mountRoot = ((sx.stx_mask & STATX_MNT_ID) && sx.stx_mnt_id != up.stx_mnt_id)
                                   || sx.stx_dev_major != up.stx_dev_major || sx.stx_dev_minor != up.stx_dev_minor;
            }
        }
        result = id;
    }
    const int err = errno;
    ::close(parent);
    errno = err;
    return result;
}

std::optional<Identity> followedIdentity(const QByteArray &path)
{
    struct statx sx {};
    if (!statxAt(AT_FDCWD, path.constData(), 0, sx))
        return std::nullopt;
    return fromStatx(sx);
}

bool sameFolder(const QString &a, const QString &b)
{
    const auto x = followedIdentity(ExactName::toBytes(a));
    const auto y = followedIdentity(ExactName::toBytes(b));
    return x && y && x->isFolder() && x->same(*y);
}

Protection judgeRemoval(const QByteArray &path, const QList<QByteArray> &protectedPaths)
{
    if (!isNormal(path))
        return Protection::NotNormal;
    const auto item = itemIdentity(path);
    if (!item || item->isLink())
        return Protection::None; // a missing item is reported by the step that needs it
    if (const auto root = followedIdentity("/"); root && root->same(*item))
        return Protection::Root;
    if (item->mountRoot)
        return Protection::MountPoint;
    if (!item->isFolder())
        return Protection::None;
    for (const QByteArray &kept : protectedPaths) {
        // The protected folder and every folder holding it, as the kernel resolves them.
        QByteArray p = realPath(kept);
        while (!p.isEmpty()) {
            if (const auto id = followedIdentity(p); id && id->same(*item))
                return Protection::Protected;
            if (p == "/")
                break;
            p = parentBytes(p);
        }
    }
    return Protection::None;
}

QStringList protectedFolders(const QString &dataFolder)
{
    QStringList folders;
    const QByteArray home = qgetenv("HOME");
    if (home.startsWith('/'))
        folders.append(ExactName::fromBytes(home));
    if (const passwd *pw = ::getpwuid(::getuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/') {
        const QString own = ExactName::fromBytes(QByteArray(pw->pw_dir));
        if (!folders.contains(own))
            folders.append(own);
    }
    if (dataFolder.startsWith(QLatin1Char('/')))
        folders.append(dataFolder);
    return folders;
}

} // namespace PathIdentity
