#include "output/PrintPaths.h"

#include "platform/ExactName.h"

#include <unistd.h>

namespace {

QChar separatorOf(const QString &separator)
{
    return separator.isEmpty() ? QLatin1Char('/') : separator.front();
}

} // namespace

QString StripTrailingSeparator(const QString &path, const QString &separator)
{
    return path.endsWith(separatorOf(separator)) ? path.chopped(1) : path;
}

QString LastPathComponent(const QString &path, const QString &separator, bool fromTheEnd)
{
    const QChar sep = separatorOf(separator);
    const qsizetype at = fromTheEnd ? path.lastIndexOf(sep) : path.indexOf(sep);
    return at < 0 ? QString() : path.mid(at + 1);
}

bool IsVolumeTop(const QString &currentPath, const QString &mountPoint)
{
    const QString path = currentPath == QLatin1String("/") ? currentPath : StripTrailingSeparator(currentPath);
    return !mountPoint.isEmpty() && path == mountPoint;
}

QString ProposedPrintFileName(const QString &currentPath, const QString &volumeKeyOfPath, const QString &prefix)
{
    QString stem = LastPathComponent(StripTrailingSeparator(currentPath));
    if (stem.isEmpty())
        stem = volumeKeyOfPath;
    if (stem.isEmpty())
        stem = QStringLiteral("_");
    return prefix + stem + QStringLiteral(".txt");
}

QString InitialPrintFolder(const QString &currentPath, const QString &homeFolder)
{
    const QString folder = currentPath == QLatin1String("/") ? currentPath : StripTrailingSeparator(currentPath);
    if (!folder.isEmpty() && !ExactName::hasOddBytes(folder)
        && ::access(ExactName::toBytes(folder).constData(), W_OK | X_OK) == 0)
        return folder;
    return homeFolder;
}
