#include "fileops/OptionsRules.h"

#include "app/AppState.h"
#include "app/Settings.h"
#include "fileops/OptionsTexts.h"
#include "platform/PrivateProfile.h"
#include "platform/RuntimeError.h"

#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace {

// The options are written one key at a time like every other setting, but unlike a
// passing setting they are what the user just confirmed: a key that did not reach
// the file is reported rather than lost without a word at the next start.
RuntimeError settingsWriteError(const QString &iniPath)
{
    const QFileInfo file(iniPath);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return RuntimeError(ErrorNumber::PathNotFound, RuntimeError::fromErrno(ENOENT, iniPath).description);
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return RuntimeError::fromErrno(EACCES, iniPath);
    return RuntimeError::fromErrno(EIO, iniPath);
}

void store(const QString &iniPath, const SettingKey &key, const QString &text)
{
    if (!PrivateProfile::writeString(QString::fromLatin1(key.section), QString::fromLatin1(key.key), text, iniPath))
        throw settingsWriteError(iniPath);
}

template<typename T>
void store(const QString &iniPath, const SettingKey &key, T &field, T value)
{
    field = value;
    store(iniPath, key, encodeSetting(key, value));
}

} // namespace

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

void StoreOptions(AppState &s, const OperationOptions &o)
{
    const QString ini = s.IniPath;
    store(ini, Keys::Delete, s.DeleteOption, o.deleteOption);
    store(ini, Keys::CopyVerify, s.CopyVerify, o.copyVerify);
    store(ini, Keys::CopyConfirm, s.CopyConfirm, o.copyConfirm);
    store(ini, Keys::CopyRename, s.CopyRename, o.copyRename);
    store(ini, Keys::MoveVerify, s.MoveVerify, o.moveVerify);
    store(ini, Keys::MoveConfirm, s.MoveConfirm, o.moveConfirm);
    store(ini, Keys::MoveRename, s.MoveRename, o.moveRename);
    store(ini, Keys::ShowOptions, s.ShowOptions, o.showOptions);
    store(ini, Keys::SelectTarget, s.SelectTarget, o.selectTarget);
    store(ini, Keys::BackupVerify, s.BackupVerify, o.backupVerify);
    store(ini, Keys::BackupQueryBefore, s.BackupQueryBefore, o.backupQueryBefore);
    store(ini, Keys::BackupQueryAfter, s.BackupQueryAfter, o.backupQueryAfter);
    store(ini, Keys::BackupQueryIfNotFound, s.BackupQueryIfNotFound, o.backupQueryIfNotFound);
    store(ini, Keys::BackupTargetFolderAction, s.BackupTargetFolderAction, o.backupTargetFolderAction);
    store(ini, Keys::BackupSourceFolderAction, s.BackupSourceFolderAction, o.backupSourceFolderAction);
    store(ini, Keys::FindStartPoint, s.FindStartPoint, o.findStartPoint);
    store(ini, Keys::FindWindowSizeAsWritten, s.FindWindowSize, o.findWindowSize);
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
