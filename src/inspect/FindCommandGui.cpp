#include "inspect/FindCommandGui.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/OptionsRules.h"
#include "fileops/TargetFolderDialogGui.h"
#include "inspect/FindRules.h"
#include "inspect/FindTexts.h"
#include "inspect/frmFind.h"

void RunFindCommand(QWidget *mainWindow, AppState &state, Prompter &prompter, const QString &dir1Path,
                    frmFind &window)
{
    RunTrapped(prompter, state, "108", [&] {
        ShowOptionsFirst(state, OptionsPageOf::Find, [&] { OpenOptionsDialog(mainWindow, state, prompter); });
        const QString folder = ChooseFindStart(state.FindStartPoint, dir1Path, [&] {
            return BrowseForFolder(mainWindow, FindTexts::StartPointPrompt.in(state.LanguageGreek), state, prompter);
        });
        if (folder.isEmpty())
            return;
        window.prepare(folder);
        if (state.FindWindowSize == 2)
            window.showMaximized();
        else
            window.showNormal();
        window.raise();
        window.activateWindow();
    });
}
