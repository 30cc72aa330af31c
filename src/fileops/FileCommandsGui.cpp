#include "fileops/FileCommandsGui.h"

#include "app/AppState.h"
#include "fileops/Backup.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/TargetFolderDialogGui.h"

TargetChoosers MakeTargetChoosers(QWidget *window, const AppState &state, std::function<QString()> recallRecentPath)
{
    TargetChoosers choosers;
    choosers.recallRecentPath = std::move(recallRecentPath);
    choosers.askTargetFolder = [window, &state](const QString &title, const QString &marker) {
        return AskTargetFolder(window, title, marker, state.LanguageGreek);
    };
    choosers.bringToFront = [window] { BringWindowToFrontGui(window); };
    return choosers;
}

FileCommandHooks MakeFileCommandHooks(const MainWindowLink &link)
{
    FileCommandHooks hooks;
    QWidget *window = link.window;
    AppState *state = &link.state;
    Prompter *prompter = &link.prompter;
    hooks.openOptions = [window, state, prompter] { OpenOptionsDialog(window, *state, *prompter); };
    hooks.target = MakeTargetChoosers(window, link.state, link.recallRecentPath);
    hooks.run = link.run;
    hooks.refreshFiles = link.refreshFiles;
    hooks.bringToFront = [window] { BringWindowToFrontGui(window); };
    return hooks;
}

void CopySelectedItems(const MainWindowLink &link, const QStringList &selectedNames)
{
    CopyOrMoveSelection(FileOperationKind::Copy, selectedNames, link.state, link.prompter, MakeFileCommandHooks(link));
}

void MoveSelectedItems(const MainWindowLink &link, const QStringList &selectedNames)
{
    CopyOrMoveSelection(FileOperationKind::Move, selectedNames, link.state, link.prompter, MakeFileCommandHooks(link));
}

void DeleteSelectedItems(const MainWindowLink &link, const QStringList &selectedNames)
{
    DeleteSelection(selectedNames, link.state, link.prompter, MakeFileCommandHooks(link));
}

void BackupSelectedItems(const MainWindowLink &link, const QStringList &selectedNames)
{
    BackupSelection(selectedNames, link.state, link.prompter, MakeFileCommandHooks(link));
}
