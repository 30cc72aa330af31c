#pragma once

#include <QString>

class QWidget;
class Prompter;
class frmFind;
struct AppState;

// The Find command (mnuOptionsFind, F3): with ShowOptions on, the options dialog at
// its Find page first; then the start folder by FindStartPoint (the folder browser
// for a choice each time; Cancel starts nothing); then the one Find window, normal or
// maximized by FindWindowSize, at that folder and in front. Errors are reported
// under 108.
void RunFindCommand(QWidget *mainWindow, AppState &state, Prompter &prompter, const QString &dir1Path,
                    frmFind &window);
