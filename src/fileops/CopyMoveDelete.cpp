#include "fileops/CopyMoveDelete.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/CopyMoveTexts.h"
#include "fileops/OperationFlags.h"
#include "fileops/OptionsRules.h"
#include "platform/ExactName.h"
#include "platform/PathIdentity.h"
#include "platform/Prompter.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

bool isUnsafeName(const QString &name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
           || name.contains(QLatin1Char('/')) || name.contains(QChar(0));
}

// A recalled path may name a folder that has gone since it was saved; the service
// must never be handed a target it would have to guess about.
QString existingTargetFolder(const QString &chosen)
{
    // Made normal here, where a recalled or chosen path enters the operation.
    const QString target = FolderWithSeparator(PathIdentity::normalised(chosen));
    const auto found = target.isEmpty() ? std::nullopt : PathIdentity::followedIdentity(ExactName::toBytes(target));
    if (!found || !found->isFolder())
        throw RuntimeError(ErrorNumber::PathNotFound,
                           RuntimeError::fromErrno(ENOENT, ExactName::shown(chosen)).description);
    return target;
}

} // namespace

QStringList SelectedItemPaths(const QString &currentPath, const QStringList &names)
{
    if (!QDir::isAbsolutePath(currentPath))
        throw RuntimeError(ErrorNumber::PathNotFound, RuntimeError::fromErrno(ENOENT, currentPath).description);
    const QString folder = FolderWithSeparator(currentPath);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names) {
        if (isUnsafeName(name))
            throw RuntimeError(ErrorNumber::BadFileName,
                               RuntimeError::fromErrno(EINVAL, ExactName::shown(folder + name)).description);
        paths.append(folder + name);
    }
    return paths;
}

QString ItemListText(const QStringList &paths)
{
    QString text;
    for (const QString &path : paths)
        text += path + QChar(0);
    if (paths.isEmpty())
        text += QChar(0);
    return text + QChar(0);
}

QString CopyMoveVerificationTitle(FileOperationKind operation, bool greek)
{
    return (operation == FileOperationKind::Move ? CopyMoveTexts::MoveTitle : CopyMoveTexts::CopyTitle).in(greek);
}

QString CopyMoveVerificationText(FileOperationKind operation, const QString &target, bool greek)
{
    const bool move = operation == FileOperationKind::Move;
    return (move ? CopyMoveTexts::MoveLead : CopyMoveTexts::CopyLead).in(greek) + ExactName::shown(target)
           + CopyMoveTexts::TargetClose.in(greek) + NewLine + NewLine
           + (move ? CopyMoveTexts::MoveQuestion : CopyMoveTexts::CopyQuestion).in(greek);
}

void CopyOrMoveSelection(FileOperationKind operation, const QStringList &selectedNames, AppState &state,
                         Prompter &prompter, const FileCommandHooks &hooks)
{
    const bool move = operation == FileOperationKind::Move;
    bool handedOver = false;
    bool intoShownFolder = false;
    RunTrapped(prompter, state, move ? "075" : "074", [&] {
        const QStringList sources = SelectedItemPaths(state.CurrentPath, selectedNames);
        // Nothing selected: no target to choose and no question to answer.
        if (sources.isEmpty())
            return;
        ShowOptionsFirst(state, move ? OptionsPageOf::Move : OptionsPageOf::Copy, hooks.openOptions);
        const QString chosen =
            ChooseTarget(move ? TargetOperation::Move : TargetOperation::Copy, state, hooks.target);
        if (chosen.isEmpty())
            return;
        const QString target = existingTargetFolder(chosen);
        const bool verify = move ? state.MoveVerify : state.CopyVerify;
        if (verify
            && !prompter.askYesNo(CopyMoveVerificationTitle(operation, state.LanguageGreek),
                                  CopyMoveVerificationText(operation, chosen, state.LanguageGreek)))
            return;
        std::uint32_t flags = 0;
        if (move) {
            flags = CopyFlagsFor(state.MoveConfirm, state.MoveRename);
            state.MoveFlags = static_cast<int>(flags);
        } else {
            flags = CopyFlagsFor(state.CopyConfirm, state.CopyRename);
            state.CopyFlags = static_cast<int>(flags);
        }
        handedOver = true;
        intoShownFolder = PathIdentity::sameFolder(target, state.CurrentPath);
        hooks.run(FileOperationCall{operation, sources, target, flags, &prompter});
    });
    // Once the service has been called the file system may have changed, even when it
    // failed half-way, so the listing is brought up to date on every way out. A copy
    // into the folder shown adds items to the listing, so it refreshes too.
    if (!handedOver)
        return;
    if (move || intoShownFolder)
        hooks.refreshFiles();
    else
        hooks.bringToFront();
}

void DeleteSelection(const QStringList &selectedNames, AppState &state, Prompter &prompter,
                     const FileCommandHooks &hooks)
{
    bool handedOver = false;
    RunTrapped(prompter, state, "066", [&] {
        const QStringList sources = SelectedItemPaths(state.CurrentPath, selectedNames);
        if (sources.isEmpty())
            return;
        ShowOptionsFirst(state, OptionsPageOf::Delete, hooks.openOptions);
        const std::uint32_t flags = DeleteFlagsFor(state.DeleteOption);
        state.DeleteFlags = static_cast<int>(flags);
        handedOver = true;
        hooks.run(FileOperationCall{FileOperationKind::Delete, sources, QString(), flags, &prompter});
    });
    if (handedOver)
        hooks.refreshFiles();
}
