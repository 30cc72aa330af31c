#pragma once

#include "fileops/CopyMoveDelete.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <ctime>

struct AppState;
class Prompter;

// The item menu's Backup (error code 084): each selected item, in listing order, is
// copied into a chosen target folder through the file-operation service, with the
// three steps of the backup options around each copy. The source is trashed, deleted
// or marked as backed up only after its copy is complete and on the target's disk.
void BackupSelection(const QStringList &selectedNames, AppState &state, Prompter &prompter,
                     const FileCommandHooks &hooks);

// The verification text for `target`.
QString BackupVerificationText(const QString &target, bool greek);

// Clears the Archive attribute of `path` and of everything below it, keeping the
// other attributes. Links, pipes, sockets and devices cannot carry the attribute and
// are passed over, and so is a file modified after `copyBegan` (it changed during its
// copy, so the backup does not hold what it now holds). What the walk could not reach
// is returned, one line each; a failed attribute change throws RuntimeError.
QStringList MarkAsBackedUp(const QString &path, const struct timespec &copyBegan, bool greek);
