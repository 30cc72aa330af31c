#pragma once

#include "fileops/CopyMoveDelete.h"

#include <QStringList>
#include <functional>

class QWidget;
class Prompter;
struct AppState;

// What the main window lends the copy, move and delete commands.
struct MainWindowLink
{
    QWidget *window;
    AppState &state;
    Prompter &prompter;
    FileOperationRunner run;                   // the file-operation service
    std::function<QString()> recallRecentPath; // frmRecentPaths: the recalled path, "" when none
    std::function<void()> refreshFiles;        // mnuRefreshFiles
};

// The main window's target choosers: the recent-paths dialog, the target-folder
// chooser and the return of the main window to the front.
TargetChoosers MakeTargetChoosers(QWidget *window, const AppState &state, std::function<QString()> recallRecentPath);

FileCommandHooks MakeFileCommandHooks(const MainWindowLink &link);

// The item menu's Copy, Move and Delete (and the Delete key), on the selected items'
// names in listing order within state.CurrentPath.
void CopySelectedItems(const MainWindowLink &link, const QStringList &selectedNames);
void MoveSelectedItems(const MainWindowLink &link, const QStringList &selectedNames);
void DeleteSelectedItems(const MainWindowLink &link, const QStringList &selectedNames);
void BackupSelectedItems(const MainWindowLink &link, const QStringList &selectedNames);
