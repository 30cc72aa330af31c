#include "output/MonitoringRules.h"

#include "app/AppState.h"
#include "app/ErrorReport.h"
#include "output/PathListTexts.h"
#include "platform/Prompter.h"

#include <cmath>

QList<ControlState> MonitoringControlStates(bool monitoring)
{
    const bool normal = !monitoring;
    return {
        {QStringLiteral("Drive1"), normal, true},
        {QStringLiteral("Dir1"), normal, true},
        {QStringLiteral("lstMonitoredPaths"), monitoring, true},
        {QStringLiteral("cmdStopMonitoring"), monitoring, true},
        {QStringLiteral("cmdUpOneLevel"), true, normal},
        {QStringLiteral("cmdSavePath"), true, normal},
        {QStringLiteral("cmdRecentPath"), true, normal},
        {QStringLiteral("cmdRefresh"), true, normal},
        {QStringLiteral("cmdEnd"), true, normal},
        {QStringLiteral("mnuOptionsMonitoring"), true, normal},
    };
}

QRect MonitoredPathsGeometry(const QRect &dir1Geometry, double logicalDpi)
{
    const int height = static_cast<int>(std::lround(3120.0 * logicalDpi / 1440.0));
    return QRect(dir1Geometry.left(), dir1Geometry.top(), dir1Geometry.width(), height);
}

MonitoringEntry EnterMonitoring(Prompter &prompter, AppState &state, const QString &dir1Path, int pathCount)
{
    state.MonitoringMode = true;
    state.PathBeforeMonitoring = dir1Path;
    if (pathCount > 0)
        return MonitoringEntry::Stay;
    const bool greek = state.LanguageGreek;
    prompter.inform(PathListTexts::MonitoredPathsCaption.in(greek), PathListTexts::NoMonitoredPaths.in(greek),
                    PromptIcon::Critical);
    return MonitoringEntry::LeaveAtOnce;
}

std::optional<PathDestination> MonitoredPathClicked(Prompter &prompter, const AppState &state,
                                                    const QString &path, const QString &currentVolume)
{
    std::optional<PathDestination> d;
    RunTrapped(prompter, state, "091", [&] { d = ResolveRecalledPath(path, currentVolume); });
    return d;
}

std::optional<PathDestination> LeaveMonitoring(Prompter &prompter, AppState &state, const QString &currentVolume)
{
    state.MonitoringMode = false;
    std::optional<PathDestination> d;
    RunTrapped(prompter, state, "092", [&] { d = ResolveRecalledPath(state.PathBeforeMonitoring, currentVolume); });
    return d;
}
