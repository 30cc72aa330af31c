#pragma once

#include <QString>
#include <functional>

struct AppState;

// The operations that need a target folder.
enum class TargetOperation { Copy, Move, Backup };

// What the target-folder chooser reports: the folder with a trailing "/", "" on
// Cancel; `error` is 0 then, and the error's number otherwise.
struct TargetFolderAnswer
{
    QString folder;
    int error = 0;
    QString description;
};

// The windows ChooseTarget opens, supplied by the main window (tests supply stand-ins).
struct TargetChoosers
{
    // The recent-paths dialog: the recalled path, or "" when the user left it
    // without a choice.
    std::function<QString()> recallRecentPath;
    // The target-folder chooser, given its title and the marker text.
    std::function<TargetFolderAnswer(const QString &title, const QString &marker)> askTargetFolder;
    // Brings the main window to the front and repaints it after a dialog.
    std::function<void()> bringToFront;
};

QString TargetDialogTitle(TargetOperation operation, bool greek);

// The target of a copy, move or backup: a recent path when SelectTarget is on and
// the user recalls one, else the folder chosen in the target-folder chooser; ""
// means no target and ends the operation silently. An error of the chooser is thrown
// as RuntimeError for the operation's own error report.
QString ChooseTarget(TargetOperation operation, const AppState &state, const TargetChoosers &choosers);

// A folder path ending with exactly one "/" ("/" stays "/"); "" stays "".
QString FolderWithSeparator(const QString &folder);

// False for a path that came through Qt's file dialog holding U+FFFD: Qt puts it for
// every byte that is not UTF-8, so the path may name a twin of the folder shown.
bool ChooserPathIsExact(const QString &path);
