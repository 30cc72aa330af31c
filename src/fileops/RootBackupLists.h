#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct AppState;

// One path of a list file, with the line it came from (1-based), for the messages.
struct RootBackupEntry
{
    QString path;
    int line = 0;
};

// One line of the single-files list: a source file and the full path of its copy.
struct RootBackupFileCopy
{
    QString source;
    QString destination;
    int line = 0;
};

// The four lists of the root backup, read and checked as a whole before anything is
// changed.
struct RootBackupLists
{
    QString target;
    QList<RootBackupFileCopy> files;
    QList<RootBackupEntry> folders;
    QList<RootBackupEntry> attributes;
};

// The target: the first line as it stands (not trimmed); "" for an empty file.
QString RootBackupTargetOfLines(const QStringList &lines);

// The other lists: each line trimmed of blanks, blank lines skipped, every path a full
// one. `fileName` names the file in messages. Throw RuntimeError naming the line.
QList<RootBackupEntry> RootBackupPathsOfLines(const QStringList &lines, const QString &fileName);
QList<RootBackupFileCopy> RootBackupCopiesOfLines(const QStringList &lines, const QString &fileName);

// Reads the four list files of the data folder (UTF-8 with or without BOM, UTF-16,
// Windows-1253; CR LF or LF) and checks them: a missing file, a line without the bar,
// a path that is not a full one, a destination named twice or one that is a file to be
// saved all throw RuntimeError, with nothing changed.
RootBackupLists ReadRootBackupLists(const AppState &state);
