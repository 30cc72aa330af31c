#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct AppState;
class Prompter;

// The two saved path lists. The numbers are the kind numbers users of the lists know.
enum class PathListKind { Recent = 1, Monitored = 2 };

// The list file of a kind, from the data-file paths of the state.
QString PathListFile(const AppState &state, PathListKind kind);

// --- The list file format -------------------------------------------------------
// One path per line, newest first, CR LF after every line, UTF-8. Reading accepts
// CR LF, LF or a lone CR, and a file that is not valid UTF-8 is read as Windows-1253.
// These throw RuntimeError when the file cannot be read or written.

// Every line of the text, blank ones included; a final line end adds no empty line.
QStringList SplitListLines(const QString &text);
// The lines of `file`, blank ones included.
QStringList ReadListFileLines(const QString &file);
// Replaces `file` with `lines` atomically: a failure leaves the old file whole.
void WriteListFileLines(const QString &file, const QStringList &lines);
// The lines that name a path: blank lines and lines of spaces are skipped; the others
// are kept whole, untrimmed.
QStringList PathsOfLines(const QStringList &lines);
// Creates `file` empty when it does not exist.
void CreateListFileIfMissing(const QString &file);
// Puts `path` in front of the lines of `file` (a missing file counts as empty).
// Returns false and leaves the file untouched when a line equals `path` exactly.
bool PrependUniqueLine(const QString &file, const QString &path);

// --- The operations of the menus and dialogs -------------------------------------
// Each runs under its own error trap and reports a failure with its location code.

// Creates the list file empty when missing. False when it failed (reported, "052").
bool EnsureListFile(Prompter &prompter, const AppState &state, PathListKind kind);

// The paths of the list, in file order; nullopt when the file does not exist or
// could not be read (reported, "053").
std::optional<QStringList> LoadPathList(Prompter &prompter, const AppState &state, PathListKind kind);

enum class SaveOutcome { Saved, AlreadySaved, Declined, Failed };

// Saves `path` (the folder highlighted in the folder tree) in front of the list,
// after the duplicate check and the question. Failures are reported ("054").
SaveOutcome SavePathToList(Prompter &prompter, const AppState &state, PathListKind kind, const QString &path);

// The texts of the two prompts of SavePathToList.
QString AlreadySavedText(PathListKind kind, const QString &path, bool greek);
QString AlreadySavedTitle(PathListKind kind, bool greek);
QString SaveQuestionText(PathListKind kind, const QString &path, bool greek);
QString SaveQuestionTitle(PathListKind kind, bool greek);
