#include "fileops/OptionsRules.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "fileops/OptionsTexts.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>


OperationOptions OptionsFromState(const AppState &s)
{
    OperationOptions o;
    o.deleteOption = s.DeleteOption;
    o.copyVerify = s.CopyVerify;
    o.copyConfirm = s.CopyConfirm;
    o.copyRename = s.CopyRename;
    o.moveVerify = s.MoveVerify;
    o.moveConfirm = s.MoveConfirm;
    o.moveRename = s.MoveRename;
    o.showOptions = s.ShowOptions;
    o.selectTarget = s.SelectTarget;
    o.backupVerify = s.BackupVerify;
    o.backupQueryBefore = s.BackupQueryBefore;
    o.backupQueryAfter = s.BackupQueryAfter;
    o.backupQueryIfNotFound = s.BackupQueryIfNotFound;
    o.backupTargetFolderAction = s.BackupTargetFolderAction;
    o.backupSourceFolderAction = s.BackupSourceFolderAction;
    o.findStartPoint = s.FindStartPoint;
    o.findWindowSize = s.FindWindowSize;
    return o;
}

// The options are what the user just confirmed: they reach the file all at once or
// not at all, and the state changes only when they did, so Cancel after a failed OK
// leaves everything as it was.
void StoreOptions(AppState &s, const OperationOptions &o)
{
    QList<PrivateProfile::Entry> entries;
    const auto add = [&entries](const SettingKey &key, auto value) {
        entries.append(PrivateProfile::Entry{QString::fromLatin1(key.section), QString::fromLatin1(key.key),
                                             encodeSetting(key, value)});
    };
    add(Keys::Delete, o.deleteOption);
    add(Keys::CopyVerify, o.copyVerify);
    add(Keys::CopyConfirm, o.copyConfirm);
    add(Keys::CopyRename, o.copyRename);
    add(Keys::MoveVerify, o.moveVerify);
    add(Keys::MoveConfirm, o.moveConfirm);
    add(Keys::MoveRename, o.moveRename);
    add(Keys::ShowOptions, o.showOptions);
    add(Keys::SelectTarget, o.selectTarget);
    add(Keys::BackupVerify, o.backupVerify);
    add(Keys::BackupQueryBefore, o.backupQueryBefore);
    add(Keys::BackupQueryAfter, o.backupQueryAfter);
    add(Keys::BackupQueryIfNotFound, o.backupQueryIfNotFound);
    add(Keys::BackupTargetFolderAction, o.backupTargetFolderAction);
    add(Keys::BackupSourceFolderAction, o.backupSourceFolderAction);
    add(Keys::FindStartPoint, o.findStartPoint);
    add(Keys::FindWindowSizeAsWritten, o.findWindowSize);
    try {
        PrivateProfile::writeStrings(entries, s.IniPath);
    } catch (RuntimeError &e) {
        if (e.err == ENOENT)
            e.number = ErrorNumber::PathNotFound;
        throw;
    }
    s.DeleteOption = o.deleteOption;
    s.CopyVerify = o.copyVerify;
    s.CopyConfirm = o.copyConfirm;
    s.CopyRename = o.copyRename;
    s.MoveVerify = o.moveVerify;
    s.MoveConfirm = o.moveConfirm;
    s.MoveRename = o.moveRename;
    s.ShowOptions = o.showOptions;
    s.SelectTarget = o.selectTarget;
    s.BackupVerify = o.backupVerify;
    s.BackupQueryBefore = o.backupQueryBefore;
    s.BackupQueryAfter = o.backupQueryAfter;
    s.BackupQueryIfNotFound = o.backupQueryIfNotFound;
    s.BackupTargetFolderAction = o.backupTargetFolderAction;
    s.BackupSourceFolderAction = o.backupSourceFolderAction;
    s.FindStartPoint = o.findStartPoint;
    s.FindWindowSize = o.findWindowSize;
}

void KeepExclusive(std::span<bool> boxes, std::size_t clicked)
{
    if (clicked >= boxes.size() || !boxes[clicked])
        return;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = i == clicked;
}

int ActionFromBoxes(std::span<const bool> boxes, int nothingChosen)
{
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i])
            return static_cast<int>(i) + 1;
    return nothingChosen;
}

int BoxForAction(int action, int boxCount)
{
    return action >= 1 && action <= boxCount ? action - 1 : -1;
}

int ButtonForValue(int value, int buttonCount)
{
    return value >= 1 && value <= buttonCount ? value - 1 : 0;
}

QString BackupPageCaption(int step, bool greek)
{
    const auto index = static_cast<std::size_t>(std::clamp(step, 0, 2));
    const QString caption = OptionsTexts::BackupPageCaptions[index].in(greek);
    Q_ASSERT(caption == QLatin1Char(' ') + OptionsTexts::BackupStepPrefix.in(greek)
                            + OptionsTexts::BackupStepOfThree[index].in(greek) + QLatin1Char(' '));
    return caption;
}

int TakeOptionsPage(AppState &state)
{
    const int page = state.OptionsPage;
    state.OptionsPage = OptionsPageOf::Delete;
    return page >= OptionsPageOf::Delete && page <= OptionsPageOf::Find ? page : OptionsPageOf::Delete;
}

void ShowOptionsFirst(AppState &state, int page, const std::function<void()> &openOptions)
{
    if (!state.ShowOptions)
        return;
    state.OptionsPage = page;
    openOptions();
}
