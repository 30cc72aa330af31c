#include "inspect/FindRules.h"

#include "inspect/FindTexts.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"
#include "platform/Volumes.h"

#include <sys/stat.h>

std::optional<Bilingual> FindInputProblem(const FindCriteria &criteria)
{
    if (!criteria.pattern.isEmpty() && criteria.pattern.trimmed().isEmpty())
        return FindTexts::BlankPattern;
    if (criteria.modifiedFrom && criteria.modifiedTo && *criteria.modifiedTo < *criteria.modifiedFrom)
        return FindTexts::DateRangeReversed;
    return std::nullopt;
}

QList<QByteArray> TextNeedles(const QString &text)
{
    if (text.isEmpty())
        return {};
    QList<QByteArray> needles{text.toUtf8()};
    // A character the code page lacks comes back as "?": then the text has no such form.
    const QByteArray legacy = encodeWindows1253(text);
    if (decodeWindows1253(legacy) == text && legacy != needles.first())
        needles.append(legacy);
    return needles;
}

bool ModifiedInRange(const QDate &modified, const std::optional<QDate> &from, const std::optional<QDate> &to)
{
    return (!from || modified >= *from) && (!to || modified <= *to);
}

bool KindWanted(FindKinds kinds, bool isFolder)
{
    return kinds == FindKinds::Both || (kinds == FindKinds::Folders) == isFolder;
}

QString AttributeLetters(bool hidden, bool system, bool readOnly, bool archive)
{
    QString letters;
    if (hidden)
        letters += QLatin1Char('H');
    if (system)
        letters += QLatin1Char('S');
    if (readOnly)
        letters += QLatin1Char('R');
    if (archive)
        letters += QLatin1Char('A');
    return letters;
}

QString FindStartFolder(int findStartPoint, const QString &dir1Path)
{
    switch (findStartPoint) {
    case 1:
        return volumeOf(dir1Path).mountPoint;
    case 2:
        return dir1Path;
    default:
        return {};
    }
}

QString ChooseFindStart(int findStartPoint, const QString &dir1Path, const std::function<QString()> &browse)
{
    const QString folder = FindStartFolder(findStartPoint, dir1Path);
    return folder.isEmpty() ? browse() : folder;
}

bool SameFolder(const QString &a, const QString &b)
{
    struct stat sa {}, sb {};
    return ::stat(ExactName::toBytes(a).constData(), &sa) == 0 && ::stat(ExactName::toBytes(b).constData(), &sb) == 0
           && S_ISDIR(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
