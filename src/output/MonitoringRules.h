#pragma once

#include "output/PathRecall.h"

#include <QList>
#include <QRect>
#include <QString>

struct AppState;
class Prompter;

// The state of one main-window control (by its object name) in a mode.
struct ControlState
{
    QString name;
    bool visible = true;
    bool enabled = true;
};

// The controls monitoring mode changes, and their state in monitoring mode (true) or
// in normal mode (false). mnuOptionsMonitoring is a menu entry: only `enabled` applies.
QList<ControlState> MonitoringControlStates(bool monitoring);

// Where lstMonitoredPaths goes: the left, top and width of Dir1, 3120 twips high.
QRect MonitoredPathsGeometry(const QRect &dir1Geometry, double logicalDpi);

enum class MonitoringEntry { Stay, LeaveAtOnce };

// Entering, once lstMonitoredPaths has been filled with `pathCount` paths: remembers
// `dir1Path` as the folder to return to and sets the mode. With no path it shows the
// message and answers LeaveAtOnce: the caller then leaves exactly as cmdStopMonitoring
// does.
MonitoringEntry EnterMonitoring(Prompter &prompter, AppState &state, const QString &dir1Path, int pathCount);

// A click on a monitored path: where to go; nullopt after a reported failure ("091"),
// the window staying on the folder it showed.
std::optional<PathDestination> MonitoredPathClicked(Prompter &prompter, const AppState &state,
                                                    const QString &path, const QString &currentVolume);

// Leaving, after the normal controls are restored: ends the mode and says where to
// return; nullopt after a reported failure ("092").
std::optional<PathDestination> LeaveMonitoring(Prompter &prompter, AppState &state, const QString &currentVolume);
