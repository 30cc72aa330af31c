#include "fileops/TargetSelection.h"

#include "app/AppState.h"
#include "fileops/TargetSelectionTexts.h"
#include "platform/RuntimeError.h"

QString TargetDialogTitle(TargetOperation operation, bool greek)
{
    switch (operation) {
    case TargetOperation::Copy:
        return TargetTexts::TitleCopy.in(greek);
    case TargetOperation::Move:
        return TargetTexts::TitleMove.in(greek);
    case TargetOperation::Backup:
        break;
    }
    return TargetTexts::TitleBackup.in(greek);
}

QString ChooseTarget(TargetOperation operation, const AppState &state, const TargetChoosers &choosers)
{
    if (state.SelectTarget && choosers.recallRecentPath) {
        const QString recalled = choosers.recallRecentPath();
        if (choosers.bringToFront)
            choosers.bringToFront();
        if (!recalled.isEmpty())
            return recalled;
    }
    const TargetFolderAnswer answer = choosers.askTargetFolder(TargetDialogTitle(operation, state.LanguageGreek),
                                                               TargetTexts::Marker.in(state.LanguageGreek));
    if (answer.error != 0)
        throw RuntimeError(answer.error, answer.description);
    return answer.folder;
}

QString FolderWithSeparator(const QString &folder)
{
    if (folder.isEmpty())
        return folder;
    QString result = folder;
    while (result.size() > 1 && result.endsWith(QLatin1String("//")))
        result.chop(1);
    if (!result.endsWith(QLatin1Char('/')))
        result += QLatin1Char('/');
    return result;
}

bool ChooserPathIsExact(const QString &path)
{
    return !path.contains(QChar::ReplacementCharacter);
}
