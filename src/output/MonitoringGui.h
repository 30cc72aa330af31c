#pragma once

#include "output/MonitoringRules.h"

class QWidget;

// Applies the states to the children of `window` found by object name: widgets get
// their visibility and enabled state, menu entries (QAction) their enabled state.
// Returns the names that were not found, so a missing control shows in a test.
QStringList ApplyControlStates(QWidget *window, const QList<ControlState> &states);

// Enters monitoring mode in the main window `window`: switches the controls, fills
// lstMonitoredPaths from the monitored list (enabled only when it holds a path),
// enables cmdStopMonitoring and remembers `dir1Path`. On LeaveAtOnce the message has
// been shown and the caller leaves as cmdStopMonitoring does.
MonitoringEntry EnterMonitoringMode(QWidget *window, Prompter &prompter, AppState &state, const QString &dir1Path);

// Leaves it: restores the normal controls, then says where to return (nullopt after a
// reported failure, "092").
std::optional<PathDestination> LeaveMonitoringMode(QWidget *window, Prompter &prompter, AppState &state,
                                                   const QString &currentVolume);

// The help topics of the main window's monitoring controls: "frmMain.lstMonitoredPaths".
QString MonitoringHelpTopic(const QString &controlName);
