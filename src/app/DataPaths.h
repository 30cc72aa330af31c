#pragma once

#include <QString>

struct AppState;

// The folder that holds the settings and data files: $TIDYHALL_HOME when set; else
// the executable's folder when it is writable (a portable copy); else
// $XDG_CONFIG_HOME/tidyhall, created on first use.
QString ResolveDataFolder(const QString &executableFolder);

// Builds the data-file paths of the state from the data folder, in a fixed order.
void BuildDataPaths(AppState &state, const QString &dataFolder);

// The comments file of a volume: the comments stem, the volume's key ("_" for "/",
// "_media_usb" for "/media/usb") and ".txt".
QString CommentsFileFor(const AppState &state, const QString &volumeKey);
