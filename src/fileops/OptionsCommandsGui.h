#pragma once

class QWidget;
class Prompter;
struct AppState;

// What the main window's cmdOptions button does (and mnuOptionsOptions and
// mnuCommandsOptions, which press it): the options dialog, modal over the main
// window, which is brought to the front again when the dialog closes.
void OpenOptionsDialog(QWidget *mainWindow, AppState &state, Prompter &prompter);

// Restores a minimised main window, raises it and repaints it after a dialog.
void BringWindowToFrontGui(QWidget *mainWindow);
