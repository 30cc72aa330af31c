#include "platform/Volumes.h"

#include "platform/DosAttributes.h"
#include "platform/ExactName.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <sys/xattr.h>

namespace {

// Mount points and sources escape blanks, tabs, newlines and backslashes as \ooo.
QString unescapeOctal(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = digits.size() == 3;
            const int value = ok ? digits.toInt(&ok, 8) : 0;
            if (ok && value < 256) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return ExactName::fromBytes(out);
}

// /dev/disk/by-label names escape unsafe characters as \xNN.
QString unescapeHex(const QString &name)
{
    QByteArray in = ExactName::toBytes(name);
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            bool ok = false;
            const int value = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(value));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

QHash<QString, QString> labelsByDevice()
{
    QHash<QString, QString> labels;
    QDirIterator it(QStringLiteral("/dev/disk/by-label"), QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString device = it.fileInfo().canonicalFilePath();
        if (!device.isEmpty())
            labels.insert(device, unescapeHex(it.fileName()));
    }
    return labels;
}

QList<Volume> currentMounts()
{
    QFile f(QStringLiteral("/proc/self/mountinfo"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return parseMountInfo(f.readAll());
}

bool pathIsUnder(const QString &path, const QString &mountPoint)
{
    if (mountPoint == QLatin1String("/"))
        return true;
    return path == mountPoint || (path.startsWith(mountPoint) && path.at(mountPoint.size()) == QLatin1Char('/'));
}

QString resolvedPath(const QString &path)
{
    QString p = QFileInfo(path).absoluteFilePath();
    QString tail;
    // Walk up to the nearest existing folder, so that a name about to be created
    // belongs to the volume it will be created on.
    while (true) {
        const QString canonical = QFileInfo(p).canonicalFilePath();
        if (!canonical.isEmpty())
            return canonical == QLatin1String("/") ? canonical + tail.mid(1) : canonical + tail;
        const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return QStringLiteral("/") + tail.mid(1);
        tail = p.mid(slash) + tail;
        p = p.left(slash);
    }
}

} // namespace

QList<Volume> parseMountInfo(const QByteArray &mountInfo)
{
    QList<Volume> volumes;
    for (const QByteArray &line : mountInfo.split('\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype dash = fields.indexOf("-");
        if (dash < 6 || dash + 2 >= fields.size())
            continue;
        Volume v;
        v.mountPoint = unescapeOctal(fields[4]);
        v.fileSystemType = QString::fromUtf8(fields[dash + 1]);
        v.device = unescapeOctal(fields[dash + 2]);
        if (v.mountPoint.isEmpty() || v.mountPoint.at(0) != QLatin1Char('/'))
            continue;
        volumes.append(v);
    }
    return volumes;
}

bool isUserVolume(const Volume &volume)
{
    static const QStringList pseudo = {
        QStringLiteral("proc"),       QStringLiteral("sysfs"),       QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),    QStringLiteral("devtmpfs"),    QStringLiteral("devpts"),
        QStringLiteral("securityfs"), QStringLiteral("debugfs"),     QStringLiteral("tracefs"),
        QStringLiteral("pstore"),     QStringLiteral("bpf"),         QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"),  QStringLiteral("configfs"),    QStringLiteral("fusectl"),
        QStringLiteral("binfmt_misc"), QStringLiteral("autofs"),     QStringLiteral("rpc_pipefs"),
        QStringLiteral("nsfs"),       QStringLiteral("efivarfs"),    QStringLiteral("selinuxfs"),
        QStringLiteral("ramfs"),      QStringLiteral("nfsd"),        QStringLiteral("fuse.gvfsd-fuse"),
        QStringLiteral("fuse.portal"), QStringLiteral("squashfs"),   QStringLiteral("overlay.internal")};
    if (pseudo.contains(volume.fileSystemType))
        return false;
    for (const char *system : {"/proc", "/sys", "/dev"})
        if (pathIsUnder(volume.mountPoint, QLatin1String(system)))
            return false;
    // tmpfs also backs /run and the like; only the ones a user keeps files on count.
    if (volume.fileSystemType == QLatin1String("tmpfs") && pathIsUnder(volume.mountPoint, QStringLiteral("/run"))
        && !pathIsUnder(volume.mountPoint, QStringLiteral("/run/media")))
        return false;
    return true;
}

QList<Volume> listVolumes()
{
    const QHash<QString, QString> labels = labelsByDevice();
    QList<Volume> result;
    for (const Volume &v : currentMounts()) {
        if (!isUserVolume(v))
            continue;
        // A later mount on the same point hides the earlier one.
        result.removeIf([&](const Volume &seen) { return seen.mountPoint == v.mountPoint; });
        Volume withLabel = v;
        if (v.device.startsWith(QLatin1String("/dev/")))
            withLabel.label = labels.value(QFileInfo(v.device).canonicalFilePath());
        result.append(withLabel);
    }
    std::sort(result.begin(), result.end(),
              [](const Volume &a, const Volume &b) { return a.mountPoint < b.mountPoint; });
    return result;
}

Volume volumeOf(const QString &path)
{
    const QString resolved = resolvedPath(path);
    Volume best;
    for (const Volume &v : currentMounts()) {
        // Later entries are mounted over earlier ones; the longest mount point wins.
        if (pathIsUnder(resolved, v.mountPoint) && v.mountPoint.size() >= best.mountPoint.size())
            best = v;
    }
    if (best.device.startsWith(QLatin1String("/dev/")))
        best.label = labelsByDevice().value(QFileInfo(best.device).canonicalFilePath());
    return best;
}

AttributeStore attributeStoreForType(const QString &type)
{
    if (type == QLatin1String("vfat") || type == QLatin1String("msdos"))
        return AttributeStore::FatIoctl;
    if (type == QLatin1String("ntfs3"))
        return AttributeStore::Ntfs3;
    if (type == QLatin1String("ntfs") || type == QLatin1String("fuse.ntfs-3g") || type == QLatin1String("ntfs-3g"))
        return AttributeStore::Ntfs3g;
    // ntfs-3g mounts block devices as "fuseblk", the common case on desktops;
    // attributeStoreFor() asks the volume itself to be sure.
    if (type == QLatin1String("fuseblk"))
        return AttributeStore::Ntfs3g;
    if (type == QLatin1String("cifs") || type == QLatin1String("smb3"))
        return AttributeStore::Cifs;
    static const QStringList withoutStore = {
        QStringLiteral("exfat"), QStringLiteral("fuse.exfat"), QStringLiteral("fuse.fusefat"), QStringLiteral("iso9660"),
        QStringLiteral("udf"),   QStringLiteral("squashfs"),   QStringLiteral("ramfs"),        QStringLiteral("proc"),
        QStringLiteral("sysfs"), QStringLiteral("devtmpfs"),   QStringLiteral("erofs")};
    if (withoutStore.contains(type) || type.startsWith(QLatin1String("fuse")))
        return AttributeStore::None;
    // ext4, xfs, btrfs, tmpfs, overlay, nfs, ...: user.DOSATTRIB where the kernel
    // keeps user attributes; a volume that does not is found out when it answers.
    return AttributeStore::DosAttribXattr;
}

AttributeStore attributeStoreFor(const QString &path)
{
    const Volume v = volumeOf(path);
    // The mount table does not name the daemon behind a FUSE mount (ntfs-3g shows
    // as "fuseblk", or "fuse" for an image); ntfs-3g is the one that answers for
    // its NTFS attributes on the volume's root.
    if (v.fileSystemType == QLatin1String("fuse") || v.fileSystemType == QLatin1String("fuseblk")) {
        char word[4];
        const bool ntfs = ::getxattr(ExactName::toBytes(v.mountPoint).constData(), "system.ntfs_attrib_be", word,
                                     sizeof word) == sizeof word;
        return ntfs ? AttributeStore::Ntfs3g : AttributeStore::None;
    }
    return attributeStoreForType(v.fileSystemType);
}

QString volumeKey(const Volume &volume)
{
    QString key = volume.mountPoint;
    return key.replace(QLatin1Char('/'), QLatin1Char('_'));
}
