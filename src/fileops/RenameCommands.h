#pragma once

#include "platform/SafeRename.h"

#include <QString>
#include <QStringList>
#include <functional>

struct AppState;
class Prompter;

// The name a new text file gets: the typed name, with ".txt" appended unless it
// already ends in ".txt" in any letter case.
QString newTextFileName(const QString &typed);

QString renamePromptText(const QString &shownName, bool greek);
QString readOnlyWarningText(const QString &shownPath, bool greek);
QString nameInUseText(const QString &shownName, bool greek);
// The message for a typed name that is refused; "" for None and Empty.
QString typedNameProblemText(TypedNameProblem problem, bool greek);

// Asks before renaming a read-only item; true when the item is not read-only or the
// user said Yes. Throws RuntimeError when the item cannot be read.
bool confirmRenameOfReadOnly(Prompter &prompter, bool greek, const QString &path);

enum class RenameAttempt {
    Renamed,   // the item now has the new name
    Unchanged, // the new name is the old one: nothing to do
    Refused    // the name cannot be used; the user was told why
};

// Renames `oldName` in `folder` to the typed `newName`, never replacing another item.
// A refused name or one in use is told to the user under the title "Rename"; any
// other failure throws RuntimeError with nothing changed.
RenameAttempt renameTyped(Prompter &prompter, bool greek, const QString &folder, const QString &oldName,
                          const QString &newName);

struct RenameHooks
{
    std::function<void(const QStringList &entries)> openRenameDialog; // frmRename, modal
    std::function<void()> refreshFiles;                               // to the front, then re-read the files
};

// The Rename command on lstSelectedItems entries (path + NUL): one item through the
// text-input box, several through the rename dialog. Errors: report "070".
void RenameSelection(const QStringList &entries, const AppState &state, Prompter &prompter, const RenameHooks &hooks);

// New folder ("079") and new text file ("080") in state.CurrentPath. Both refresh the
// files only when they created something.
void CreateNewFolder(const AppState &state, Prompter &prompter, const std::function<void()> &refreshFiles);
void CreateNewTextFile(const AppState &state, Prompter &prompter, const std::function<void()> &refreshFiles);
