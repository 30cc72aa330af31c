#pragma once

#include <QDateTime>
#include <optional>

// The three time stamps of an item, in UTC.
struct FileTimes
{
    // Where the creation time came from: the DOS information the volume keeps, the
    // file system's birth time, or (neither being there) the modification time.
    enum class CreatedFrom { Stored, BirthTime, Modification };

    QDateTime created;
    QDateTime accessed;
    QDateTime modified;
    CreatedFrom createdFrom = CreatedFrom::Modification;
};

// The times of a file or folder; a symbolic link gives those of its target.
// Throws RuntimeError when the item cannot be reached.
FileTimes readTimes(const QString &path);

// True when writeTimes can keep a creation time for the item: its volume keeps one
// (the DOS information record, NTFS, an SMB share) and what is stored is readable.
// FAT keeps one too, but no Linux call can set it. Throws RuntimeError when the item
// cannot be reached.
bool keepsCreationTime(const QString &path);

// Sets the times given (nullopt leaves a time as it is) and returns what the file
// system kept, which may be coarser (FAT keeps even seconds and access dates only).
// The creation time goes where the volume keeps one; a volume that keeps none, a
// symbolic link, a stored record that could not be read, an invalid or
// unrepresentable date, or missing rights end in RuntimeError with nothing changed.
// Changing the modification time never marks the file as backed up, nor clears the
// mark of a file that needs backing up (its Archive bit is stored set first).
FileTimes writeTimes(const QString &path, const std::optional<QDateTime> &created,
                     const std::optional<QDateTime> &accessed, const std::optional<QDateTime> &modified);
