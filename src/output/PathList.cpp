#include "output/PathList.h"

#include "app/AppState.h"
#include "platform/Bilingual.h"
#include "app/ErrorReport.h"
#include "output/PathListTexts.h"
#include "platform/AtomicFile.h"
#include "platform/ExactName.h"
#include "platform/LegacyText.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

// errno still holds the reason of the call that just failed inside QFile.
bool isBlank(const QString &line)
{
    for (const QChar c : line)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return false;
    return true;
}

} // namespace

QString PathListFile(const AppState &state, PathListKind kind)
{
    return kind == PathListKind::Recent ? state.RecentPathsFile : state.MonitoredPathsFile;
}

QStringList SplitListLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QStringList ReadListFileLines(const QString &file)
{
    QFile f(file);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        throw RuntimeError::fromFile(f, file);
    errno = 0;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw RuntimeError::fromFile(f, file);
    return SplitListLines(decodeTextFile(bytes));
}

void WriteListFileLines(const QString &file, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        // One path per line: a name with a line break would come back as two paths.
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            throw RuntimeError(ErrorNumber::BadFileName, PathListTexts::LineBreakInPath, line);
        bytes += line.toUtf8() + NewLine.toLatin1();
    }
    writeFileAtomically(file, bytes);
}

QStringList PathsOfLines(const QStringList &lines)
{
    QStringList paths;
    for (const QString &line : lines)
        if (!isBlank(line))
            paths.append(line);
    return paths;
}

void CreateListFileIfMissing(const QString &file)
{
    QFile f(file);
    // NewOnly: never truncate a list that appeared after the check.
    errno = 0;
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return;
    if (errno == EEXIST) {
        if (QFileInfo(file).isDir())
            throw RuntimeError::fromErrno(EISDIR, file);
        return;
    }
    throw RuntimeError::fromFile(f, file);
}

bool PrependUniqueLine(const QString &file, const QString &path)
{
    QStringList lines = QFileInfo::exists(file) ? ReadListFileLines(file) : QStringList();
    if (lines.contains(path))
        return false;
    lines.prepend(path);
    WriteListFileLines(file, lines);
    return true;
}

bool EnsureListFile(Prompter &prompter, const AppState &state, PathListKind kind)
{
    return RunTrapped(prompter, state, "052", [&] { CreateListFileIfMissing(PathListFile(state, kind)); });
}

std::optional<QStringList> LoadPathList(Prompter &prompter, const AppState &state, PathListKind kind)
{
    std::optional<QStringList> paths;
    RunTrapped(prompter, state, "053", [&] {
        const QString file = PathListFile(state, kind);
        if (QFileInfo::exists(file))
            paths = PathsOfLines(ReadListFileLines(file));
    });
    return paths;
}

QString AlreadySavedText(PathListKind kind, const QString &path, bool greek)
{
    using namespace PathListTexts;
    const QString rest = kind == PathListKind::Recent
                             ? AlreadySavedRecent.in(greek)
                             : AlreadySavedMonitoredHead.in(greek) + AlreadySavedMonitoredTail.in(greek);
    return PathWord.in(greek) + NewLine + path + NewLine + rest;
}

QString AlreadySavedTitle(PathListKind kind, bool greek)
{
    using namespace PathListTexts;
    return kind == PathListKind::Recent ? AlreadySavedRecentTitle.in(greek) : SaveMonitoredTitle.in(greek);
}

QString SaveQuestionText(PathListKind kind, const QString &path, bool greek)
{
    using namespace PathListTexts;
    const QString tail = kind == PathListKind::Recent
                             ? SaveQuestionRecentTail.in(greek)
                             : SaveQuestionMonitoredHead.in(greek) + SaveQuestionMonitoredTail.in(greek);
    return SaveQuestionHead.in(greek) + NewLine + path + NewLine + tail;
}

QString SaveQuestionTitle(PathListKind kind, bool greek)
{
    using namespace PathListTexts;
    return kind == PathListKind::Recent ? SaveRecentTitle.in(greek) : SaveMonitoredTitle.in(greek);
}

SaveOutcome SavePathToList(Prompter &prompter, const AppState &state, PathListKind kind, const QString &exactPath)
{
    // The list is a UTF-8 text file: a byte that is not UTF-8 goes in escaped.
    const QString path = ExactName::toText(exactPath);
    SaveOutcome outcome = SaveOutcome::Failed;
    const bool greek = state.LanguageGreek;
    RunTrapped(prompter, state, "054", [&] {
        if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r')))
            throw RuntimeError(ErrorNumber::BadFileName, PathListTexts::LineBreakInPath, path);
        const QString file = PathListFile(state, kind);
        CreateListFileIfMissing(file);
        if (ReadListFileLines(file).contains(path)) {
            prompter.inform(AlreadySavedTitle(kind, greek), AlreadySavedText(kind, path, greek), PromptIcon::Critical);
            outcome = SaveOutcome::AlreadySaved;
            return;
        }
        if (!prompter.askYesNo(SaveQuestionTitle(kind, greek), SaveQuestionText(kind, path, greek))) {
            outcome = SaveOutcome::Declined;
            return;
        }
        // Read again: the question may have stood open while the list was edited.
        if (!PrependUniqueLine(file, path)) {
            prompter.inform(AlreadySavedTitle(kind, greek), AlreadySavedText(kind, path, greek), PromptIcon::Critical);
            outcome = SaveOutcome::AlreadySaved;
            return;
        }
        outcome = SaveOutcome::Saved;
    });
    return outcome;
}
