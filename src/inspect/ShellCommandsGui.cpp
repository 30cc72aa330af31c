#include "inspect/ShellCommandsGui.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "fileops/OptionsCommandsGui.h"
#include "inspect/ItemProperties.h"
#include "inspect/ShellActionTexts.h"
#include "inspect/ShellActions.h"
#include "inspect/frmItemProperties.h"
#include "inspect/frmSteppingDialogs.h"
#include "platform/Prompter.h"

#include <QListWidget>
#include <QScopeGuard>
#include <memory>

ShellActionCodes CodesOf(ShellAction action)
{
    switch (action) {
    case ShellAction::Open:
        return {"114", "115", "116", "117", "118"};
    case ShellAction::Print:
        return {"120", "119", "121", "123", "122"};
    case ShellAction::Properties:
        return {"065", "065", "076", "110", "110"};
    case ShellAction::QuickView:
        break;
    }
    return {"112", "112", "109", "111", "111"};
}

void ApplyShellAction(ShellAction action, const QString &entry, bool fromDialog, QWidget *owner, AppState &state,
                      Prompter &prompter)
{
    const bool greek = state.LanguageGreek;
    QString path = entry;
    if (path.endsWith(QChar(u'\0')))
        path.chop(1);
    const ShellActionCodes codes = CodesOf(action);
    const QString failureCode = QLatin1String(fromDialog ? codes.dialogFailure : codes.menuFailure);
    const auto reportFailure = [&](int result) {
        ReportRuntimeError(prompter, state, result, ShellExecuteErrorText(result, greek), failureCode);
    };

    switch (action) {
    case ShellAction::Open:
        if (const int result = ShellOpen(path); ShellResult::failed(result))
            reportFailure(result);
        break;
    case ShellAction::Print: {
        const PrintOutcome outcome = ShellPrint(path, greek);
        if (outcome.noDefaultPrinter)
            prompter.inform(state.AppTitle, ShellActionTexts::NoDefaultPrinter.in(greek), PromptIcon::Warning);
        else if (ShellResult::failed(outcome.result))
            reportFailure(outcome.result);
        break;
    }
    case ShellAction::Properties:
        if (!ShowPropertiesThroughFileManager(path)) {
            frmItemProperties window(ReadItemProperties(path), state, owner);
            window.exec();
        }
        break;
    case ShellAction::QuickView:
        ShellQuickView(state.QuickViewPath, path, greek);
        break;
    }
}

void RunShellCommand(ShellAction action, QWidget *mainWindow, QListWidget *lstSelectedItems, const QStringList &entries,
                     AppState &state, Prompter &prompter)
{
    const auto cleanUp = qScopeGuard([&] {
        lstSelectedItems->clear();
        BringWindowToFrontGui(mainWindow);
    });
    RunTrapped(prompter, state, CodesOf(action).menu, [&] {
        if (entries.size() > 1) {
            std::unique_ptr<frmStepping> dialog;
            switch (action) {
            case ShellAction::Open:
                dialog = std::make_unique<frmOpen>(entries, state, prompter, mainWindow);
                break;
            case ShellAction::Print:
                dialog = std::make_unique<frmPrintViaApplication>(entries, state, prompter, mainWindow);
                break;
            case ShellAction::Properties:
                dialog = std::make_unique<frmProperties>(entries, state, prompter, mainWindow);
                break;
            case ShellAction::QuickView:
                dialog = std::make_unique<frmQuickView>(entries, state, prompter, mainWindow);
                break;
            }
            dialog->exec();
        } else if (entries.size() == 1) {
            ApplyShellAction(action, entries.first(), false, mainWindow, state, prompter);
        }
    });
}
