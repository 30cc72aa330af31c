#include "output/MonitoringGui.h"

#include "output/PathListWidget.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>

QStringList ApplyControlStates(QWidget *window, const QList<ControlState> &states)
{
    QStringList missing;
    for (const ControlState &s : states) {
        if (auto *w = window->findChild<QWidget *>(s.name)) {
            w->setVisible(s.visible);
            w->setEnabled(s.enabled);
        } else if (auto *a = window->findChild<QAction *>(s.name)) {
            a->setEnabled(s.enabled);
        } else {
            missing.append(s.name);
        }
    }
    return missing;
}

QString MonitoringHelpTopic(const QString &controlName)
{
    return QStringLiteral("frmMain.") + controlName;
}

MonitoringEntry EnterMonitoringMode(QWidget *window, Prompter &prompter, AppState &state, const QString &dir1Path)
{
    ApplyControlStates(window, MonitoringControlStates(true));
    auto *list = window->findChild<QListWidget *>(QStringLiteral("lstMonitoredPaths"));
    auto *stop = window->findChild<QAbstractButton *>(QStringLiteral("cmdStopMonitoring"));
    int count = 0;
    if (list && stop) {
        count = LoadPathListInto(prompter, state, PathListKind::Monitored, stop, list);
        stop->setEnabled(true);
    }
    return EnterMonitoring(prompter, state, dir1Path, count);
}

std::optional<PathDestination> LeaveMonitoringMode(QWidget *window, Prompter &prompter, AppState &state,
                                                   const QString &currentVolume)
{
    ApplyControlStates(window, MonitoringControlStates(false));
    return LeaveMonitoring(prompter, state, currentVolume);
}
