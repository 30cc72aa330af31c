#include "fileops/RootBackupLists.h"

#include "app/AppState.h"
#include "fileops/RootBackupTexts.h"
#include "output/PathList.h"
#include "platform/ExactName.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <sys/stat.h>

namespace T = RootBackupTexts;

namespace {

// Messages of the root backup are Greek, whatever the interface language.
QString greek(const Bilingual &text)
{
    return text.in(true);
}

QString checkedPath(const QString &text, int line, const QString &fileName)
{
    const QString path = ExactName::fromText(text);
    if (!path.startsWith(QLatin1Char('/')))
        throw RuntimeError(ErrorNumber::BadFileName,
                           greek(T::NotFullPath).arg(QString::number(line), fileName, ExactName::shown(path)));
    return path;
}

bool statOf(const QString &path, struct stat &st);

QStringList readList(const QString &file)
{
    struct stat st;
    if (!statOf(file, st))
        throw RuntimeError(ErrorNumber::FileNotFound, greek(T::ListMissing).arg(file));
    return ReadListFileLines(file);
}

bool statOf(const QString &path, struct stat &st)
{
    return ::stat(ExactName::toBytes(path).constData(), &st) == 0;
}

// A destination named twice, or one that is a file to be saved, would lose data: the
// second copy would replace the first, or a source would be overwritten before (or
// instead of) being saved.
void checkDestinations(const QList<RootBackupFileCopy> &copies, const QString &fileName)
{
    QHash<QString, int> seen;
    for (const RootBackupFileCopy &copy : copies) {
        const QString clean = QDir::cleanPath(copy.destination);
        if (const auto it = seen.constFind(clean); it != seen.constEnd())
            throw RuntimeError(ErrorNumber::FileAlreadyExists,
                               greek(T::SameDestination)
                                   .arg(QString::number(copy.line), fileName, QString::number(it.value()),
                                        ExactName::shown(copy.destination)));
        seen.insert(clean, copy.line);
        struct stat dst;
        if (!statOf(copy.destination, dst))
            continue;
        for (const RootBackupFileCopy &other : copies) {
            struct stat src;
            if (statOf(other.source, src) && src.st_dev == dst.st_dev && src.st_ino == dst.st_ino)
                throw RuntimeError(ErrorNumber::FileAlreadyExists,
                                   greek(T::OntoSource)
                                       .arg(QString::number(copy.line), fileName, ExactName::shown(copy.source)));
        }
    }
}

} // namespace

QString RootBackupTargetOfLines(const QStringList &lines)
{
    return lines.isEmpty() ? QString() : ExactName::fromText(lines.first());
}

QList<RootBackupEntry> RootBackupPathsOfLines(const QStringList &lines, const QString &fileName)
{
    QList<RootBackupEntry> entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].trimmed();
        if (!text.isEmpty())
            entries.append({checkedPath(text, int(i + 1), fileName), int(i + 1)});
    }
    return entries;
}

QList<RootBackupFileCopy> RootBackupCopiesOfLines(const QStringList &lines, const QString &fileName)
{
    QList<RootBackupFileCopy> copies;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString text = lines[i].trimmed();
        if (text.isEmpty())
            continue;
        const int line = int(i + 1);
        const qsizetype bar = text.indexOf(QLatin1Char('|'));
        if (bar < 0)
            throw RuntimeError(ErrorNumber::BadFileName, greek(T::NoBar).arg(QString::number(line), fileName));
        copies.append({checkedPath(text.left(bar).trimmed(), line, fileName),
                       checkedPath(text.mid(bar + 1).trimmed(), line, fileName), line});
    }
    return copies;
}

RootBackupLists ReadRootBackupLists(const AppState &state)
{
    const auto name = [](const QString &file) { return QFileInfo(file).fileName(); };
    RootBackupLists lists;
    lists.target = RootBackupTargetOfLines(readList(state.SpecialTargetFolderFile));
    lists.files = RootBackupCopiesOfLines(readList(state.SpecialSourceFilesFile), name(state.SpecialSourceFilesFile));
    lists.folders
        = RootBackupPathsOfLines(readList(state.SpecialSourceFoldersFile), name(state.SpecialSourceFoldersFile));
    lists.attributes
        = RootBackupPathsOfLines(readList(state.SpecialAttributesFile), name(state.SpecialAttributesFile));
    checkDestinations(lists.files, name(state.SpecialSourceFilesFile));
    return lists;
}
