#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "fileops/FileCommandsGui.h"
#include "fileops/FileOperationProgressWidget.h"
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
                return FileOperationOutcome{result.cancelled, result.failed};
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
}
