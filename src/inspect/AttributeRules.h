#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

struct DosAttributes;

// "Folder - Hidden - Archive": the kind, then each attribute set, in the order
// Hidden, System, Read only, Archive. In Greek "Κρυφό" agrees with «Φάκελλος».
QString describeAttributes(const DosAttributes &attributes, bool greek);

// A calendar date and time of day as the editor's number fields hold them.
struct DateParts
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateParts &) const = default;
};

// The local calendar parts of an instant, as the C library's local time gives them.
DateParts localParts(const QDateTime &instant);

enum class DateProblem {
    None,
    NoSuchDay,  // the month has no such day (31 April, 29 February of a common year)
    InGap,      // the clocks skip this local time (daylight saving time begins)
    OutOfRange  // no instant the program and the volumes can hold
};

// The instant whose local time is `parts`. In the hour that repeats when daylight
// saving time ends, the earlier of the two instants.
DateProblem instantFromLocalParts(const DateParts &parts, QDateTime &instant);

// "long date - long time" of an instant, in the system's formats and local time; the
// long date alone when `withTime` is false.
QString longDateTimeText(const QDateTime &instant, bool withTime = true);

enum class DateField { Created, Modified, Accessed };

// The times the user chose to save; a time not chosen stays as it is.
struct DateChoice
{
    std::optional<DateParts> created;
    std::optional<DateParts> modified;
    std::optional<DateParts> accessed; // the time of day is always 00:00:00
};

struct DateSaveOutcome
{
    bool saved = false;
    // When refused: the field and why; nothing was changed.
    DateField field = DateField::Created;
    DateProblem problem = DateProblem::None;
    // The creation time was chosen but the volume keeps none; the others were saved.
    bool createdNotKept = false;
};

// Saves the chosen times of `path`. Every date is checked first; the times are then
// written and read back, and where the volume kept another time than the one chosen
// (beyond its own precision: FAT keeps even seconds and access dates only) the old
// times are put back and the save is refused. A time that cannot be written at all
// (no permission, the item gone) throws RuntimeError.
DateSaveOutcome saveDates(const QString &path, const DateChoice &choice);

// The message for a refused date, naming its field ("Created:" ...).
QString dateRefusalText(const DateSaveOutcome &outcome, bool greek);

struct FileTimes;

// The current dates of a file (three lines, each label and its time separated by
// tabs) and of a folder (its modification time, under the label "Created or Last
// Modified:"). Lines are joined with CR LF.
QString fileDatesText(const FileTimes &times, bool greek);
QString folderDatesText(const QDateTime &modified, bool greek);
