#pragma once

#include <QStringList>

class QListWidget;
class QWidget;
class Prompter;
struct AppState;

// The item menu's Open, Print, Properties and Quick view.
enum class ShellAction { Open, Print, Properties, QuickView };

// Applies the action to one lstSelectedItems entry, with `owner` as the window it
// belongs to (the main window from the menu, the stepping dialog from its button).
// A failed open or print is reported with ShellExecuteErrorText under the call site's
// location code, and a missing default printer with a message of its own; the caller
// goes on either way. Unexpected errors reach the caller's error trap.
void ApplyShellAction(ShellAction action, const QString &entry, bool fromDialog, QWidget *owner, AppState &state,
                      Prompter &prompter);

// The menu command: `entries` (already in lstSelectedItems) acted on at once when
// there is one, walked through the action's stepping dialog when there are more; then
// lstSelectedItems is emptied and the main window comes back to the front, repainted
// but not re-read. Runs under the command's error trap.
void RunShellCommand(ShellAction action, QWidget *mainWindow, QListWidget *lstSelectedItems, const QStringList &entries,
                     AppState &state, Prompter &prompter);

// The error trap's location codes of each action.
struct ShellActionCodes
{
    const char *menu;          // the menu command
    const char *menuFailure;   // a failed open or print from the menu
    const char *dialogLoad;    // loading the stepping dialog
    const char *dialogButton;  // the dialog's action button
    const char *dialogFailure; // a failed open or print from the dialog
};
ShellActionCodes CodesOf(ShellAction action);
