#pragma once

#include "output/PathList.h"

#include <QString>
#include <optional>

struct AppState;
class Prompter;

// Where the main window goes for a recalled path: the folder itself, on its volume.
struct PathDestination
{
    QString folder;        // cleaned absolute path, no trailing "/" except for "/"
    QString volume;        // the mount point of the volume that holds it
    bool changesVolume = false; // the drive list must first select `volume`
};

// Checks that `path` is a folder the program can list and says where to go, given the
// mount point the drive list shows now. Throws RuntimeError (76 path not found, 70
// permission denied) before anything has changed, so the window stays where it was.
PathDestination ResolveRecalledPath(const QString &path, const QString &currentVolume);

// mnuSavePathInitial: asks, then writes the path as the starting point and makes it
// the initial path in the state. True when saved; failures are reported ("125").
bool SaveInitialPath(Prompter &prompter, AppState &state, const QString &path);
QString SetInitialQuestion(const QString &path, bool greek);

// mnuRecallPathInitial: where to go for the initial path; nullopt after a reported
// failure ("124"), in which case the window must stay where it is.
std::optional<PathDestination> RecallInitialPath(Prompter &prompter, const AppState &state,
                                                 const QString &currentVolume);

// A recalled recent or monitored path, after its dialog closed: nullopt when the
// dialog was cancelled, or after a reported failure with "055" (recent) or "088"
// (monitored).
std::optional<PathDestination> DestinationOfRecalledPath(Prompter &prompter, const AppState &state,
                                                         PathListKind kind, const QString &recalledPath,
                                                         const QString &currentVolume);

// cmdRecentPath becomes enabled once a path has been saved to a list; nothing else
// about the lists changes it.
bool RecallPathEnabledAfter(SaveOutcome outcome, bool enabledBefore);
