#pragma once

#include <QString>
#include <QStringList>

// Why the root backup will not use a target folder. The old target is sent to the
// trash and a new one made in its place, so every folder whose loss or replacement
// would hurt is refused before anything is changed.
enum class RootBackupRefusal {
    None,
    Empty,
    Relative,
    Root,
    Home,
    HoldsHome,
    MountPoint,
    SymbolicLink, // trashing the link and making a real folder would send later backups elsewhere
    NotFolder,
    HoldsDataFolder,
    HoldsSource,  // the old target would take a source with it to the trash
    InsideSource  // the copy of that source would copy itself
};

struct RootBackupGuardInput
{
    QString target;      // as the list gives it
    QString home;
    QString dataFolder;
    QStringList sources; // every listed file and folder
    QStringList sourceFolders;
};

struct RootBackupVerdict
{
    RootBackupRefusal refusal = RootBackupRefusal::None;
    QString concerned;   // the source or folder the refusal names
    QString cleanTarget; // absolute and cleaned: the path the run works on
    bool exists = false; // something is there now
};

// Judges the target by the device and inode of the items, after cleaning its path,
// never by comparing texts: a second mount or a link cannot hide what it is.
RootBackupVerdict JudgeRootBackupTarget(const RootBackupGuardInput &input);

// The message of a refusal, in Greek.
QString RootBackupRefusalText(const QString &target, const RootBackupVerdict &verdict);
