#pragma once

#include <QString>
#include <functional>
#include <span>

struct AppState;

// The settings the operation options dialog edits, as its controls hold them.
struct OperationOptions
{
    int deleteOption = 1;
    bool copyVerify = true;
    bool copyConfirm = true;
    bool copyRename = false;
    bool moveVerify = true;
    bool moveConfirm = true;
    bool moveRename = false;
    bool showOptions = true;
    bool selectTarget = true;
    bool backupVerify = true;
    bool backupQueryBefore = true;
    bool backupQueryAfter = true;
    bool backupQueryIfNotFound = true;
    int backupTargetFolderAction = 1; // 7: no box checked
    int backupSourceFolderAction = 5; // 6: no box checked
    int findStartPoint = 2;
    int findWindowSize = 1;
};

// The pages of the dialog, which each operation opens at.
namespace OptionsPageOf {
inline constexpr int Delete = 0;
inline constexpr int Copy = 1;
inline constexpr int Move = 2;
inline constexpr int Backup = 3;
inline constexpr int Find = 4;
}

// Boxes the backup steps offer, and the values stored when none of them is checked.
inline constexpr int TargetFolderBoxCount = 6;
inline constexpr int SourceFolderBoxCount = 5;
inline constexpr int TargetFolderNothingChosen = 7;
inline constexpr int SourceFolderNothingChosen = 6;

OperationOptions OptionsFromState(const AppState &state);

// Stores every option into the settings file with one atomic write and then into the
// state. When the file cannot be written it throws RuntimeError and changes nothing.
void StoreOptions(AppState &state, const OperationOptions &options);

// A click that leaves box `clicked` checked clears every other box of its group;
// clearing a box leaves the group as it is.
void KeepExclusive(std::span<bool> boxes, std::size_t clicked);

// The stored action for a group of exclusive boxes: 1 + the index of the checked
// box, or `nothingChosen` when none is checked.
int ActionFromBoxes(std::span<const bool> boxes, int nothingChosen);

// The box to check for a stored action, or -1 when the action names no box.
int BoxForAction(int action, int boxCount);

// The option button to select for a stored value counted from 1; a value out of
// range selects the first, so that a group never ends up with nothing selected.
int ButtonForValue(int value, int buttonCount);

// The caption of the Backup page while step `step` (0 to 2) of its inner strip shows.
QString BackupPageCaption(int step, bool greek);

// The page the dialog opens at; reading it sets it back to the Delete page.
int TakeOptionsPage(AppState &state);

// Delete, copy, move, backup and find start with this: when the options are to be
// shown first, the dialog is opened at the operation's page. The operation goes on
// however the dialog was closed.
void ShowOptionsFirst(AppState &state, int page, const std::function<void()> &openOptions);
