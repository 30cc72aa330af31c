#include "mainwin/frmMain.h"

#include "app/AppState.h"
#include "mainwin/FolderListWidget.h"
#include "output/MonitoringGui.h"
#include "output/PathList.h"
#include "output/PathListWidget.h"
#include "output/PathRecall.h"
#include "output/frmRecentPaths.h"
#include "fileops/OptionsCommandsGui.h"
#include "platform/ExactName.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QToolButton>

void frmMain::wirePaths()
{
    const auto on = [this](const char *name, auto slot) {
        QAction *action = m_entries.value(QLatin1String(name));
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, slot);
    };
    on("mnuSavePathInitial", [this] { saveInitialPath(); });
    on("mnuSavePathRecent", [this] { savePathToList(int(PathListKind::Recent)); });
    on("mnuSavePathMonitor", [this] { savePathToList(int(PathListKind::Monitored)); });
    on("mnuRecallPathInitial", [this] { recallInitialPath(); });
    on("mnuRecallPathRecent", [this] { recallPathFromList(int(PathListKind::Recent)); });
    on("mnuRecallPathMonitor", [this] { recallPathFromList(int(PathListKind::Monitored)); });
    on("mnuOptionsMonitoring", [this] { startMonitoring(); });
    connect(cmdStopMonitoring, &QToolButton::clicked, this, [this] { stopMonitoring(); });
    connect(lstMonitoredPaths, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { monitoredPathClicked(ExactName::fromText(item->text())); });
    InstallListItemTip(lstMonitoredPaths);
}

QString frmMain::shownVolume() const
{
    return Drive1->currentData().toString();
}

void frmMain::goToDestination(const PathDestination &destination, const char *code)
{
    runTrapped(code, [&] {
        Dir1->setPath(destination.folder);
        selectDriveOf(destination.folder);
    });
}

void frmMain::saveInitialPath()
{
    SaveInitialPath(m_prompter, m_state, Dir1->path());
}

void frmMain::savePathToList(int kind)
{
    const SaveOutcome outcome =
        SavePathToList(m_prompter, m_state, PathListKind(kind), Dir1->highlightedPath());
    cmdRecentPath->setEnabled(RecallPathEnabledAfter(outcome, cmdRecentPath->isEnabled()));
}

void frmMain::recallInitialPath()
{
    if (const auto destination = RecallInitialPath(m_prompter, m_state, shownVolume()))
        goToDestination(*destination, "124");
}

void frmMain::recallPathFromList(int kind)
{
    const auto listKind = PathListKind(kind);
    QString recalled;
    {
        frmRecentPaths dialog(m_state, m_prompter, listKind, this);
        dialog.exec();
        recalled = dialog.recalledPath();
    }
    BringWindowToFrontGui(this);
    if (const auto destination =
            DestinationOfRecalledPath(m_prompter, m_state, listKind, recalled, shownVolume()))
        goToDestination(*destination, listKind == PathListKind::Recent ? "055" : "088");
}

void frmMain::startMonitoring()
{
    m_state.MonitoringMode = true;
    const MonitoringEntry entry = EnterMonitoringMode(this, m_prompter, m_state, Dir1->path());
    // The stop button covers the exit button.
    cmdEnd->hide();
    if (entry == MonitoringEntry::LeaveAtOnce)
        stopMonitoring();
}

void frmMain::stopMonitoring()
{
    const auto destination = LeaveMonitoringMode(this, m_prompter, m_state, shownVolume());
    cmdEnd->show();
    m_state.MonitoringMode = false;
    if (destination)
        goToDestination(*destination, "092");
}

void frmMain::monitoredPathClicked(const QString &path)
{
    if (const auto destination = MonitoredPathClicked(m_prompter, m_state, path, shownVolume()))
        goToDestination(*destination, "091");
}
