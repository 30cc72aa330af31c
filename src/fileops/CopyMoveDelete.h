#pragma once

#include "fileops/FileOperationRunner.h"
#include "fileops/TargetSelection.h"

#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class Prompter;

// What the copy, move and delete commands need from the main window.
struct FileCommandHooks
{
    // Opens the options dialog at the page the state's OptionsPage names.
    std::function<void()> openOptions;
    TargetChoosers target;
    FileOperationRunner run;
    // The standard refresh of the listing after the file system changed.
    std::function<void()> refreshFiles;
    // Brings the main window to the front and repaints it.
    std::function<void()> bringToFront;
};

// The full paths of the selected items: `currentPath` joined with each name exactly
// as the folder holds it (blanks included). A name that could reach outside the
// folder ("", ".", "..", one holding "/" or NUL) throws RuntimeError (52).
QStringList SelectedItemPaths(const QString &currentPath, const QStringList &names);

// The classic source list of one file operation: each path followed by one NUL,
// the whole followed by a second NUL.
QString ItemListText(const QStringList &paths);

// The verification text of a copy or a move to `target`.
QString CopyMoveVerificationText(FileOperationKind operation, const QString &target, bool greek);
QString CopyMoveVerificationTitle(FileOperationKind operation, bool greek);

// Copy (error code 074) or move (075) of the selected items, named in listing order,
// of the folder state.CurrentPath. Errors are reported here; nothing is thrown.
void CopyOrMoveSelection(FileOperationKind operation, const QStringList &selectedNames, AppState &state,
                         Prompter &prompter, const FileCommandHooks &hooks);

// Delete (error code 066) of the selected items.
void DeleteSelection(const QStringList &selectedNames, AppState &state, Prompter &prompter,
                     const FileCommandHooks &hooks);
