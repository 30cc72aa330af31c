#pragma once

#include "output/MonitoringRules.h"

class QWidget;

// Applies the states to the children of `window` found by object name: widgets get
// their visibility and enabled state, menu entries (QAction) their enabled state.
// Returns the names that were not found, so a missing control shows in a test.
QStringList ApplyControlStates(QWidget *window, const QList<ControlState> &states);

// The help topics of the main window's monitoring controls: "frmMain.lstMonitoredPaths".
QString MonitoringHelpTopic(const QString &controlName);
