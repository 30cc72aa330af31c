#include "inspect/ItemProperties.h"

#include "inspect/ItemPropertiesTexts.h"
#include "inspect/ShellActions.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <QLocale>
#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString userName(uid_t uid)
{
    const passwd *pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group *gr = ::getgrgid(gid);
    return gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(gid);
}

QString timeText(const QDateTime &utc)
{
    return QLocale::system().toString(utc.toLocalTime(), QLocale::LongFormat);
}

} // namespace

ItemProperties ReadItemProperties(const QString &path)
{
    const QByteArray bytes = ExactName::toBytes(path);
    struct stat link;
    if (::lstat(bytes.constData(), &link) != 0)
        throw RuntimeError::fromErrno(errno, ExactName::shown(path));
    struct stat st = link;
    ItemProperties item;
    item.isSymlink = S_ISLNK(link.st_mode);
    if (item.isSymlink) {
        QByteArray target(4096, '\0');
        const ssize_t n = ::readlink(bytes.constData(), target.data(), target.size());
        item.linkTarget = ExactName::fromBytes(target.left(n > 0 ? n : 0));
        if (::stat(bytes.constData(), &st) != 0)
            st = link; // a dangling link: describe the link itself
    }
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    item.name = path.mid(slash + 1);
    item.location = slash <= 0 ? QStringLiteral("/") : path.left(slash);
    item.isFolder = S_ISDIR(st.st_mode);
    item.size = item.isFolder ? 0 : std::int64_t(st.st_size);
    item.owner = userName(st.st_uid);
    item.group = groupName(st.st_gid);
    item.mode = st.st_mode;
    item.mimeType = ContentTypeOf(path);
    item.times = readTimes(path);
    item.attributes = readAttributes(path);
    item.volume = volumeOf(path);
    return item;
}

QString PermissionText(mode_t mode)
{
    QString letters;
    const char rwx[] = "rwx";
    for (int i = 0; i < 9; ++i)
        letters += (mode & (0400 >> i)) ? QLatin1Char(rwx[i % 3]) : QLatin1Char('-');
    const auto special = [&](int at, mode_t bit, char set, char setOnly) {
        const bool exec = letters[at] == QLatin1Char('x');
        if (mode & bit)
            letters[at] = QLatin1Char(exec ? set : setOnly);
    };
    special(2, S_ISUID, 's', 'S');
    special(5, S_ISGID, 's', 'S');
    special(8, S_ISVTX, 't', 'T');
    return letters + QStringLiteral(" (%1)").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
}

QList<PropertyLine> PropertyLines(const ItemProperties &item, bool greek)
{
    using namespace ItemPropertiesTexts;
    const QLocale locale = QLocale::system();
    QString type = item.mimeType;
    if (item.isSymlink)
        type += QStringLiteral(", ") + LinkTo.in(greek).arg(ExactName::shown(item.linkTarget));
    const QString size = item.isFolder ? Folder.in(greek) : Bytes.in(greek).arg(locale.toString(qint64(item.size)));
    QString created = timeText(item.times.created);
    if (item.times.createdFrom == FileTimes::CreatedFrom::Modification)
        created += CreatedIsModified.in(greek);
    QStringList attributes;
    const bool set[4] = {item.attributes.hidden, item.attributes.system, item.attributes.readOnly,
                         item.attributes.archive};
    for (int i = 0; i < 4; ++i)
        if (set[i])
            attributes << AttributeNames[i].in(greek);
    QString volume = item.volume.mountPoint;
    volume += QStringLiteral(" (") + (item.volume.label.isEmpty() ? NoLabel.in(greek) : item.volume.label)
              + QStringLiteral(", ") + item.volume.fileSystemType + QStringLiteral(")");
    return {
        {Name.in(greek), ExactName::shown(item.name)},
        {Type.in(greek), type},
        {Location.in(greek), ExactName::shown(item.location)},
        {Size.in(greek), size},
        {Created.in(greek), created},
        {Accessed.in(greek), timeText(item.times.accessed)},
        {Modified.in(greek), timeText(item.times.modified)},
        {Owner.in(greek), item.owner},
        {Group.in(greek), item.group},
        {Permissions.in(greek), PermissionText(item.mode)},
        {Attributes.in(greek), attributes.join(QStringLiteral(", "))},
        {VolumeCaption.in(greek), volume},
    };
}
