#pragma once

#include "platform/EntryInfo.h"
#include "platform/Volumes.h"

#include <QString>
#include <cstdint>

// The DOS attribute bits, as Windows, Samba and FAT number them.
namespace DosAttribute {
inline constexpr std::uint32_t ReadOnly = 0x01;
inline constexpr std::uint32_t Hidden = 0x02;
inline constexpr std::uint32_t System = 0x04;
inline constexpr std::uint32_t Directory = 0x10;
inline constexpr std::uint32_t Archive = 0x20;
// The four the user can change.
inline constexpr std::uint32_t Changeable = ReadOnly | Hidden | System | Archive;
}

struct DosAttributes
{
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
    bool archive = false;
    bool directory = false;
    // Something is stored for the item that could not be read: the stored bits are
    // unknown, the others follow from permissions, name and times.
    bool storedUnknown = false;

    std::uint32_t bits() const;
    static DosAttributes fromBits(std::uint32_t bits);
};

// The attributes of a file or folder; a symbolic link gives those of its target.
// Throws RuntimeError when the item cannot be reached.
DosAttributes readAttributes(const QString &path);

// Sets Read-only, Hidden, System and Archive as `wanted` says (Directory is the
// item's own) and returns what the item reads afterwards: a name that begins with
// "." stays hidden. Throws RuntimeError, with nothing changed, for a symbolic link,
// an item whose stored attributes could not be read, an item the user may not
// change, and an attribute the volume cannot keep.
DosAttributes writeAttributes(const QString &path, const DosAttributes &wanted);

// Marks the item as backed up: Archive cleared, the other attributes kept.
void clearArchive(const QString &path);

// True when the item is hidden by its name alone, whatever is stored.
bool hiddenByName(const QString &path);

// What a copy could carry over to its target.
struct DosCopyResult
{
    bool attributesKept = true;
    bool creationTimeKept = true;
};

// Gives the copy open as `toFd` (any descriptor, O_PATH ones included) the attributes and creation time of `fromFd`, each
// on its volume's store. The copy reads Archive set, as a new file does. Never
// throws for what the target volume cannot keep: the result says so. Throws
// RuntimeError when the target refuses a change it could keep (permissions).
DosCopyResult copyDosInformation(int fromFd, AttributeStore fromStore, int toFd, AttributeStore toStore);
DosCopyResult copyDosInformation(const QString &from, const QString &to);
