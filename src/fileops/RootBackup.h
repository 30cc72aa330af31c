#pragma once

#include <QList>
#include <QString>

struct AppState;
class Prompter;

// What the window shows while the root backup runs.
class RootBackupObserver
{
public:
    virtual ~RootBackupObserver() = default;
    // The copying begins (true: busy pointer, no input) or has ended (false).
    virtual void busy(bool on) = 0;
    // `item` is being copied; `done` of the `total` entries of the lists are finished.
    virtual void copying(int done, int total, const QString &item) = 0;
};

struct RootBackupFailure
{
    QString item;
    QString reason; // in Greek
};

enum class RootBackupEnd {
    NotStarted, // a list or the target was refused, or an error was reported: nothing changed
    Declined,   // the user answered No: nothing changed
    Stopped,    // the copy stopped part-way (a full disk, Cancel); no Archive bit was changed
    Completed
};

struct RootBackupOutcome
{
    RootBackupEnd end = RootBackupEnd::NotStarted;
    QList<RootBackupFailure> failures;
};

// The whole list-driven backup: the four lists read and checked, the target judged,
// the old target sent to the trash, the new one filled with the listed files, folders
// and comment files, the Archive bits of the attributes list cleared, and the closing
// message, which names every failure. Every message is Greek, titled "Root backup";
// an unexpected error is reported with location code "126".
RootBackupOutcome RunRootBackup(Prompter &prompter, const AppState &state, RootBackupObserver &observer);
