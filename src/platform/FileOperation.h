#pragma once

#include "platform/FileOperationProgress.h"

#include <QString>
#include <QStringList>
#include <vector>

class Prompter;

// The shell-style file operation the program hands copy, move and delete to.
enum class FileOperationKind { Move = 1, Copy = 2, Delete = 3 };

namespace FileOperationFlag {
inline constexpr int RenameOnCollision = 0x8;
inline constexpr int NoConfirmation = 0x10;
inline constexpr int AllowUndo = 0x40;
}

struct FileOperationRequest
{
    FileOperationKind operation = FileOperationKind::Copy;
    QStringList sources;  // full normal paths, exact names (see ExactName)
    QString target;       // the target folder of copy and move, a full normal path
    // Folders that, with every folder holding them, are never deleted, trashed or moved
    // away (home, the program's data folder); the root folder and mount points never are.
    QStringList protectedPaths;
    int flags = 0;        // FileOperationFlag values
    bool languageGreek = true;
};

// What became of one top-level item of a copy or move.
enum class FileItemOutcome {
    Complete,  // copied or moved whole
    Skipped,   // left by the user, or something inside it was
    Failed,    // refused or failed, itself or something inside it
    Cancelled  // the operation was cancelled before or while handling it
};

struct FileItemReport
{
    QString source;
    QString target; // the path the item arrived at (after a rename on collision); "" when none
    FileItemOutcome outcome = FileItemOutcome::Failed;
};

struct FileOperationResult
{
    int done = 0;    // items copied, moved or deleted (a merged folder counts once)
    int skipped = 0; // items the user chose to leave (No, Skip)
    int failed = 0;  // items refused or that could not be handled
    bool cancelled = false;
    // Copy and move: one report per source, in order (sources never reached are Cancelled).
    std::vector<FileItemReport> items;
};

// The paths of an item list text: full paths each followed by one NUL, the whole
// followed by a second NUL. Text after the terminating pair is ignored.
QStringList pathsFromItemListText(const QString &itemListText);

// Runs the whole operation on the calling thread, asking through `prompter`, and
// reports its progress to `progress` (which may be polled from another thread and
// whose cancel request stops the work between files and inside a large file).
FileOperationResult performFileOperation(const FileOperationRequest &request, Prompter &prompter,
                                         FileOperationProgress &progress);
FileOperationResult performFileOperation(const FileOperationRequest &request, Prompter &prompter);
