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

// Sets the times given (nullopt leaves a time as it is) and returns what the file
// system kept, which may be coarser (FAT keeps even seconds and access dates only).
// The creation time goes where the volume keeps one; a volume that keeps none, a
// symbolic link, a stored record that could not be read, an invalid or
// unrepresentable date, or missing rights end in RuntimeError with nothing changed.
// Changing the modification time does not by itself mark the file for backup.
FileTimes writeTimes(const QString &path, const std::optional<QDateTime> &created,
                     const std::optional<QDateTime> &accessed, const std::optional<QDateTime> &modified);
