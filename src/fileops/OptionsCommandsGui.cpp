#include "fileops/OptionsCommandsGui.h"

#include "app/AppState.h"
#include "fileops/OptionsRules.h"
#include "fileops/frmOptions.h"

#include <QWidget>

void OpenOptionsDialog(QWidget *mainWindow, AppState &state, Prompter &prompter)
{
    {
        frmOptions dialog(state, prompter, mainWindow);
        if (dialog.loaded())
            dialog.exec();
        else
            state.OptionsPage = OptionsPageOf::Delete;
    }
    BringWindowToFrontGui(mainWindow);
}

void BringWindowToFrontGui(QWidget *mainWindow)
{
    if (!mainWindow)
        return;
    if (mainWindow->isMinimized())
        mainWindow->showNormal();
    mainWindow->raise();
    mainWindow->activateWindow();
    mainWindow->update();
}
