#include "platform/Trash.h"

#include "platform/Volumes.h"

#include "platform/ExactName.h"
#include "platform/PathIdentity.h"
#include "platform/SafeCopy.h"

#include <QFile>
#include <QList>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using SafeCopy::joinPath;

namespace {

constexpr int InfoSuffixLength = 10; // ".trashinfo"

[[noreturn]] void fail(const QByteArray &path, int err = errno)
{
    throw FileError{err, path};
}

// The mount point holding `realPath` (no symbolic links in it): the longest mount
// point of the process's mount table that is a whole-component prefix. Compared as
// bytes, since the item's name need not be valid UTF-8.
QByteArray mountPointOf(const QByteArray &realPath)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    QByteArray best = "/";
    if (!table.open(QIODevice::ReadOnly))
        return best;
    for (const Volume &volume : parseMountInfo(table.readAll())) {
        const QByteArray point = ExactName::toBytes(volume.mountPoint);
        const bool inside = point == "/" || realPath == point || realPath.startsWith(point + '/');
        if (inside && point.size() > best.size())
            best = point;
    }
    return best;
}

// The first mount point strictly below `realPath`, or empty: trashing the folder would
// carry the live mount into the trash with it.
QByteArray mountBelow(const QByteArray &realPath)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = realPath == "/" ? realPath : realPath + '/';
    for (const Volume &volume : parseMountInfo(table.readAll())) {
        const QByteArray point = ExactName::toBytes(volume.mountPoint);
        if (point.size() > prefix.size() && point.startsWith(prefix))
            return point;
    }
    return {};
}

QByteArray realPathOf(const QByteArray &path)
{
    char buffer[PATH_MAX];
    if (!::realpath(path.constData(), buffer))
        fail(path);
    return QByteArray(buffer);
}

bool makeFolder(const QByteArray &path)
{
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

// A trash folder must be a real folder of ours, never a link someone placed there.
bool isOwnFolder(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool prepareTrash(const QByteArray &trash)
{
    return makeFolder(trash) && isOwnFolder(trash) && makeFolder(trash + "/files") && makeFolder(trash + "/info")
           && isOwnFolder(trash + "/files") && isOwnFolder(trash + "/info");
}

void makePath(const QByteArray &path)
{
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.left(slash).constData(), 0700);
    ::mkdir(path.constData(), 0700);
}

QByteArray fitName(const QByteArray &name, int limit)
{
    if (name.size() <= limit)
        return name;
    QByteArray cut = name.left(limit);
    while (!cut.isEmpty() && (uchar(cut.back()) & 0xC0) == 0x80)
        cut.chop(1);
    if (!cut.isEmpty() && uchar(cut.back()) >= 0xC0)
        cut.chop(1);
    return cut;
}

QByteArray readWhole(const QByteArray &path)
{
    QByteArray content;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return content;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            content.append(buffer, n);
    ::close(fd);
    return content;
}

void writeAll(int fd, const QByteArray &data, const QByteArray &path)
{
    for (qsizetype done = 0; done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, std::size_t(data.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(path);
        }
        done += n;
    }
}

} // namespace

QByteArray TrashCan::percentEncode(const QByteArray &path)
{
    return path.toPercentEncoding("/");
}

QByteArray TrashCan::deletionDate(std::time_t when)
{
    std::tm local {};
    ::localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return QByteArray(text);
}

QByteArray TrashCan::homeTrashPath()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (data.isEmpty() || !data.startsWith('/'))
        data = qgetenv("HOME") + "/.local/share";
    return joinPath(data, "Trash");
}

TrashCan::Place TrashCan::homePlace()
{
    const QByteArray trash = homeTrashPath();
    makePath(SafeCopy::parentOf(trash));
    if (!prepareTrash(trash))
        return {};
    return {trash, {}};
}

TrashCan::Place TrashCan::volumePlace(const QByteArray &topdir, dev_t device)
{
    const QByteArray uid = QByteArray::number(::getuid());
    const auto onVolume = [device](const QByteArray &p) {
        struct stat st;
        return ::lstat(p.constData(), &st) == 0 && st.st_dev == device;
    };
    // $topdir/.Trash is shared: only a real folder with the sticky bit, so that users
    // cannot take each other's items.
    const QByteArray shared = joinPath(topdir, ".Trash");
    struct stat st;
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const QByteArray mine = joinPath(shared, uid);
        if (prepareTrash(mine) && onVolume(mine))
            return {mine, topdir};
    }
    const QByteArray own = joinPath(topdir, ".Trash-" + uid);
    if (prepareTrash(own) && onVolume(own))
        return {own, topdir};
    return {};
}

TrashCan::Place TrashCan::placeFor(dev_t device, const QByteArray &realPath)
{
    const auto known = m_places.constFind(device);
    if (known != m_places.constEnd())
        return *known;
    // Items of the home volume go to the home trash or nowhere; a volume trash on the
    // home volume would be one no desktop looks in.
    Place place = homePlace();
    struct stat st;
    const bool onHomeVolume
        = ::stat(SafeCopy::parentOf(homeTrashPath()).constData(), &st) == 0 && st.st_dev == device;
    if (!onHomeVolume)
        place = volumePlace(mountPointOf(realPath), device);
    m_places.insert(device, place);
    return place;
}

TrashCan::Outcome TrashCan::moveToTrash(const QByteArray &path)
{
    const SafeCopy::Stat item = SafeCopy::lstatPath(path);
    if (!item.exists)
        fail(path, ENOENT);
    const QByteArray name = SafeCopy::fileName(path);
    const QByteArray realParent = realPathOf(SafeCopy::parentOf(path));
    const QByteArray realPath = joinPath(realParent, name);
    // A mount point (a bind mount of the same volume too) is not an item of its parent;
    // trashing it, or a folder holding one, would carry another volume along.
    const auto identity = PathIdentity::itemIdentity(path);
    if (!identity)
        fail(path);
    if (identity->mountRoot)
        fail(path, EBUSY);
    if (item.isDir()) {
        const QByteArray below = mountBelow(realPath);
        if (!below.isEmpty())
            fail(below, EBUSY);
    }

    const Place place = placeFor(item.st.st_dev, realPath);
    if (place.trash.isEmpty())
        return Outcome::NoTrash;
    // An item in the trash already would leave an info record with nothing behind it.
    const QByteArray realTrash = realPathOf(place.trash);
    if (realPath == realTrash || realPath.startsWith(realTrash + '/'))
        return Outcome::AlreadyInTrash;

    QByteArray original = realPath;
    if (!place.topdir.isEmpty())
        original = realPath.mid(place.topdir == "/" ? 1 : place.topdir.size() + 1);
    const QByteArray base = fitName(name, 255 - InfoSuffixLength - 8);
    const std::time_t now = std::time(nullptr);
    const QByteArray info = "[Trash Info]\nPath=" + percentEncode(original) + "\nDeletionDate=" + deletionDate(now) + '\n';

    for (int n = 1; n < 100000; ++n) {
        const QByteArray trashName = n == 1 ? base : SafeCopy::numberedName(base, n, item.isDir());
        const QByteArray infoPath = place.trash + "/info/" + trashName + ".trashinfo";
        const int fd = ::open(infoPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            fail(infoPath);
        }
        struct stat infoStat {};
        try {
            writeAll(fd, info, infoPath);
            ::fstat(fd, &infoStat);
            if (::close(fd) != 0)
                fail(infoPath);
        } catch (...) {
            ::unlink(infoPath.constData());
            throw;
        }
        const QByteArray filesPath = place.trash + "/files/" + trashName;
        try {
            SafeCopy::renameNoReplace(path, filesPath);
        } catch (const FileError &e) {
            ::unlink(infoPath.constData());
            if (e.err == EEXIST && e.path == filesPath)
                continue;
            if (e.err == EXDEV)
                return Outcome::NoTrash;
            throw;
        }
        if (item.isDir()) {
            m_folderSizes.append({place.trash, QByteArray::number(SafeCopy::diskUsage(filesPath)) + ' '
                                                   + QByteArray::number(qint64(infoStat.st_mtime)) + ' '
                                                   + percentEncode(trashName) + '\n'});
        }
        return Outcome::Trashed;
    }
    fail(path, EEXIST);
}

void TrashCan::finish()
{
    // Each trash's cache is rewritten whole under a new name and renamed into place, so
    // a reader never sees half of it.
    QHash<QByteArray, QByteArray> added;
    for (const FolderSize &f : std::as_const(m_folderSizes))
        added[f.trash] += f.line;
    m_folderSizes.clear();
    for (auto it = added.cbegin(); it != added.cend(); ++it) {
        const QByteArray cache = it.key() + "/directorysizes";
        QByteArray content = readWhole(cache);
        if (!content.isEmpty() && !content.endsWith('\n'))
            content += '\n';
        content += it.value();
        const QByteArray temporary = SafeCopy::temporaryPath(it.key());
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            continue; // the cache is only a help for listing sizes; the items are in the trash
        bool ok = true;
        try {
            writeAll(fd, content, temporary);
        } catch (const FileError &) {
            ok = false;
        }
        ok = ::close(fd) == 0 && ok;
        if (!ok || ::rename(temporary.constData(), cache.constData()) != 0)
            ::unlink(temporary.constData());
    }
}
