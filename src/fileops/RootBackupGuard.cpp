#include "fileops/RootBackupGuard.h"

#include "fileops/RootBackupTexts.h"
#include "platform/ExactName.h"
#include "platform/SafeCopy.h"

#include <QDir>
#include <QList>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>

namespace T = RootBackupTexts;
using R = RootBackupRefusal;

namespace {

struct Id
{
    dev_t dev = 0;
    ino_t ino = 0;
    bool operator==(const Id &o) const { return dev == o.dev && ino == o.ino; }
};

bool idOf(const QByteArray &path, Id &id, bool follow)
{
    struct stat st;
    if ((follow ? ::stat(path.constData(), &st) : ::lstat(path.constData(), &st)) != 0)
        return false;
    id = {st.st_dev, st.st_ino};
    return true;
}

QByteArray realPath(const QByteArray &path)
{
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : QByteArray();
}

// The folders a path lies in, itself first, as the system reaches them: the item itself
// (a link as a link), then every folder of its resolved parent up to the root.
QList<Id> chainOf(const QByteArray &path)
{
    QList<Id> chain;
    Id id;
    if (idOf(path, id, false))
        chain.append(id);
    if (idOf(path, id, true))
        chain.append(id);
    for (QByteArray p = realPath(SafeCopy::parentOf(path)); !p.isEmpty(); p = SafeCopy::parentOf(p)) {
        if (idOf(p, id, true))
            chain.append(id);
        if (p == "/")
            break;
    }
    return chain;
}

bool isMountPoint(const QByteArray &path, const struct stat &st)
{
    struct statx sx;
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_BASIC_STATS, &sx) == 0
        && (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0)
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    struct stat parent;
    return ::stat(SafeCopy::parentOf(path).constData(), &parent) == 0 && parent.st_dev != st.st_dev;
}

QByteArray bytes(const QString &path)
{
    return ExactName::toBytes(QDir::cleanPath(path));
}

} // namespace

RootBackupVerdict JudgeRootBackupTarget(const RootBackupGuardInput &input)
{
    RootBackupVerdict verdict;
    const auto refuse = [&](R why, const QString &concerned = {}) {
        verdict.refusal = why;
        verdict.concerned = concerned;
        return verdict;
    };
    if (input.target.trimmed().isEmpty())
        return refuse(R::Empty);
    if (!input.target.startsWith(QLatin1Char('/')))
        return refuse(R::Relative);
    verdict.cleanTarget = QDir::cleanPath(input.target);
    const QByteArray target = ExactName::toBytes(verdict.cleanTarget);

    struct stat st;
    verdict.exists = ::lstat(target.constData(), &st) == 0;
    if (verdict.exists) {
        const Id self{st.st_dev, st.st_ino};
        Id other;
        if (S_ISLNK(st.st_mode))
            return refuse(R::SymbolicLink);
        if (idOf("/", other, true) && other == self)
            return refuse(R::Root);
        if (!input.home.isEmpty() && idOf(bytes(input.home), other, true) && other == self)
            return refuse(R::Home);
        if (!S_ISDIR(st.st_mode))
            return refuse(R::NotFolder);
        if (isMountPoint(target, st))
            return refuse(R::MountPoint);
        if (!input.home.isEmpty() && chainOf(bytes(input.home)).contains(self))
            return refuse(R::HoldsHome);
        if (!input.dataFolder.isEmpty() && chainOf(bytes(input.dataFolder)).contains(self))
            return refuse(R::HoldsDataFolder, input.dataFolder);
        for (const QString &source : input.sources)
            if (chainOf(bytes(source)).contains(self))
                return refuse(R::HoldsSource, source);
    }

    // Inside a source folder, judged from the nearest folder that exists.
    QByteArray existing = target;
    while (existing != "/" && ::lstat(existing.constData(), &st) != 0)
        existing = SafeCopy::parentOf(existing);
    const QList<Id> chain = chainOf(existing);
    for (const QString &folder : input.sourceFolders) {
        Id id;
        if (idOf(bytes(folder), id, true) && chain.contains(id))
            return refuse(R::InsideSource, folder);
    }
    return verdict;
}

QString RootBackupRefusalText(const QString &target, const RootBackupVerdict &verdict)
{
    const auto greek = [](const Bilingual &b) { return b.in(true); };
    const QString concerned = ExactName::shown(verdict.concerned);
    QString why;
    switch (verdict.refusal) {
    case R::None:
        return {};
    case R::Empty:
        return greek(T::RefusedEmpty);
    case R::Relative: why = greek(T::RefusedRelative); break;
    case R::Root: why = greek(T::RefusedRoot); break;
    case R::Home: why = greek(T::RefusedHome); break;
    case R::HoldsHome: why = greek(T::RefusedHoldsHome); break;
    case R::MountPoint: why = greek(T::RefusedMount); break;
    case R::SymbolicLink: why = greek(T::RefusedLink); break;
    case R::NotFolder: why = greek(T::RefusedNotFolder); break;
    case R::HoldsDataFolder: why = greek(T::RefusedData); break;
    case R::HoldsSource: why = greek(T::RefusedHoldsSource).arg(concerned); break;
    case R::InsideSource: why = greek(T::RefusedInsideSource).arg(concerned); break;
    }
    return greek(T::RefusedHead).arg(ExactName::shown(target)) + why;
}
