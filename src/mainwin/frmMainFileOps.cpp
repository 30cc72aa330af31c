#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "fileops/FileCommandsGui.h"
#include "app/ErrorReport.h"
#include "fileops/FileOperationProgressWidget.h"
#include "inspect/frmArchive.h"
#include "fileops/OptionsCommandsGui.h"
#include "fileops/RenameCommands.h"
#include "fileops/frmRename.h"
#include "inspect/frmAttributes.h"
#include "mainwin/ListingModel.h"
#include "output/PathList.h"
#include "platform/PathIdentity.h"
#include "output/frmRecentPaths.h"

#include <QAction>
#include <QScopeGuard>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>

// The exact names of the selected items, in listing order.
QStringList frmMain::selectedNames() const
{
    QModelIndexList rows = lvwInfo->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    const auto *model = static_cast<const ListingModel *>(lvwInfo->model());
    QStringList names;
    for (const QModelIndex &index : rows)
        names.append(model->exactName(index.row()));
    return names;
}

void frmMain::wireFileCommands()
{
    const auto link = [this] {
        return MainWindowLink{
            this, m_state, m_prompter,
            [this](const FileOperationCall &call) {
                // While the work runs, the main window takes no input and cannot be
                // closed: a second operation, or the end of the program, must not start
                // in the middle of this one.
                m_fileOperationRunning = true;
                const auto running = qScopeGuard([this] { m_fileOperationRunning = false; });
                FileOperationRequest request;
                request.operation = call.operation;
                request.sources = call.sources;
                request.target = call.target;
                request.flags = static_cast<int>(call.flags);
                request.languageGreek = m_state.LanguageGreek;
                request.protectedPaths = PathIdentity::protectedFolders(m_state.DataFolder);
                const FileOperationResult result = runFileOperation(this, request, *call.prompter);
                return FileOperationOutcome{result.cancelled, result.failed, result.items};
            },
            [this] {
                frmRecentPaths dialog(m_state, m_prompter, PathListKind::Recent, this);
                dialog.exec();
                return dialog.recalledPath();
            },
            [this] { RefreshFiles(); }};
    };
    const auto on = [this](const char *name, auto slot) {
        QAction *action = m_entries.value(QLatin1String(name));
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, slot);
    };
    on("mnuOptionsCopy", [this, link] { CopySelectedItems(link(), selectedNames()); });
    on("mnuOptionsMove", [this, link] { MoveSelectedItems(link(), selectedNames()); });
    on("mnuOptionsDelete", [this, link] { DeleteSelectedItems(link(), selectedNames()); });
    on("mnuOptionsBackup", [this, link] { BackupSelectedItems(link(), selectedNames()); });
    on("mnuOptionsArchiveBit", [this] { OpenArchiveCheckGui(this, m_state, m_prompter); });
    on("mnuOptionsRename", [this] {
        RenameHooks hooks;
        hooks.openRenameDialog = [this](const QStringList &entries) {
            frmRename dialog(entries, m_state, m_prompter, this);
            dialog.exec();
        };
        hooks.refreshFiles = [this] { RefreshFiles(); };
        RenameSelection(CollectSelection(), m_state, m_prompter, hooks);
    });
    on("mnuOptionsNewFolder", [this] { CreateNewFolder(m_state, m_prompter, [this] { RefreshFiles(); }); });
    on("mnuOptionsNewTextFile", [this] { CreateNewTextFile(m_state, m_prompter, [this] { RefreshFiles(); }); });
    on("mnuOptionsAttributes", [this] {
        bool opened = false;
        RunTrapped(m_prompter, m_state, "081", [this, &opened] {
            const QStringList entries = CollectSelection();
            if (entries.isEmpty())
                return;
            opened = true;
            frmAttributes dialog(entries, m_state, m_prompter, this);
            dialog.exec();
        });
        if (opened)
            RefreshFiles();
    });
}
