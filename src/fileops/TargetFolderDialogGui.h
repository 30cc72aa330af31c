#pragma once

#include "fileops/TargetSelection.h"

#include <QString>

class QFileDialog;
class QWidget;
class Prompter;
struct AppState;

// The target-folder chooser: Qt's own open-file dialog (the same on every desktop,
// and captioned in Greek by us), in which the user walks to the target folder while
// the marker text stands in the name box. The target is the folder the dialog shows
// when the user confirms, with a trailing "/"; Cancel gives "" (no target). The main
// window is brought to the front afterwards.
TargetFolderAnswer AskTargetFolder(QWidget *owner, const QString &title, const QString &marker, bool greek);

// The two halves of AskTargetFolder, apart so that each can be checked on its own.
void PrepareTargetFolderDialog(QFileDialog &dialog, const QString &title, const QString &marker, bool greek);
// The chooser names folders through Qt's own decoding, which turns bytes that are not
// UTF-8 into U+FFFD: such a path could lead to another folder, so it is refused.
TargetFolderAnswer TargetFolderFromDialog(const QFileDialog &dialog, int result, bool greek = false);

// The start-folder chooser of Find and the Archive-bit check: a folder-only dialog
// titled with `prompt`. Gives the folder without a trailing "/" ("/" for the root),
// or "" on Cancel or when what was chosen is not a folder. Errors are reported
// under code 073 and give "".
QString BrowseForFolder(QWidget *owner, const QString &prompt, const AppState &state, Prompter &prompter);

void PrepareFolderBrowser(QFileDialog &dialog, const QString &prompt, bool greek);
QString FolderFromBrowser(const QFileDialog &dialog, int result);
