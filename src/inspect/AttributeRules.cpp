#include "inspect/AttributeRules.h"

#include "inspect/AttributesTexts.h"
#include "platform/DosAttributes.h"
#include "platform/FileTimes.h"
#include "platform/RuntimeError.h"

#include <QLocale>
#include <QTimeZone>
#include <cerrno>
#include <ctime>

namespace {

// The earliest instant a creation time can hold (NT time starts in 1601).
constexpr int EarliestCreationYear = 1601;

std::tm tmFromParts(const DateParts &p, int isDst)
{
    std::tm t{};
    t.tm_year = p.year - 1900;
    t.tm_mon = p.month - 1;
    t.tm_mday = p.day;
    t.tm_hour = p.hour;
    t.tm_min = p.minute;
    t.tm_sec = p.second;
    t.tm_isdst = isDst;
    return t;
}

DateParts partsFromTm(const std::tm &t)
{
    return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
}

DateParts partsOfTimeT(std::time_t seconds)
{
    std::tm t{};
    ::localtime_r(&seconds, &t);
    return partsFromTm(t);
}

const Bilingual &fieldCaption(DateField field)
{
    switch (field) {
    case DateField::Created:
        return AttributesTexts::NewDateC;
    case DateField::Modified:
        return AttributesTexts::NewDateM;
    case DateField::Accessed:
        break;
    }
    return AttributesTexts::NewDateA;
}

// Whether the volume kept the chosen time, within what it can keep: FAT rounds
// modification times to even seconds and keeps a date only for the last access.
bool keptAsChosen(const QDateTime &chosen, const QDateTime &kept, DateField field)
{
    if (!kept.isValid())
        return false;
    if (field == DateField::Accessed)
        return localParts(kept).year == localParts(chosen).year && localParts(kept).month == localParts(chosen).month
               && localParts(kept).day == localParts(chosen).day;
    return qAbs(chosen.msecsTo(kept)) < 2000;
}

} // namespace

QString describeAttributes(const DosAttributes &a, bool greek)
{
    using namespace AttributesTexts;
    QString text = (a.directory ? Folder : File).in(greek);
    const bool set[4] = {a.hidden, a.system, a.readOnly, a.archive};
    for (int i = 0; i < 4; ++i) {
        if (!set[i])
            continue;
        text += Separator.in(greek) + PropertyNames[i].in(greek);
        if (i == 0 && a.directory)
            text += HiddenFolderEnding.in(greek);
    }
    return text;
}

DateParts localParts(const QDateTime &instant)
{
    return partsOfTimeT(std::time_t(instant.toSecsSinceEpoch()));
}

DateProblem instantFromLocalParts(const DateParts &parts, QDateTime &instant)
{
    if (!QDate::isValid(parts.year, parts.month, parts.day))
        return parts.year >= 1 && parts.month >= 1 && parts.month <= 12 && parts.day >= 1 && parts.day <= 31
                   ? DateProblem::NoSuchDay
                   : DateProblem::OutOfRange;
    if (parts.hour < 0 || parts.hour > 23 || parts.minute < 0 || parts.minute > 59 || parts.second < 0
        || parts.second > 59)
        return DateProblem::OutOfRange;
    // Ask the C library under both daylight-saving assumptions and keep what comes
    // back as the very parts asked for: none means a skipped time, two an hour that
    // repeats, of which the earlier is taken.
    std::optional<std::time_t> found;
    for (int isDst : {0, 1}) {
        std::tm t = tmFromParts(parts, isDst);
        errno = 0;
        const std::time_t seconds = std::mktime(&t);
        if (seconds == std::time_t(-1) && errno != 0)
            continue;
        if (partsOfTimeT(seconds) == parts && (!found || seconds < *found))
            found = seconds;
    }
    if (!found)
        return DateProblem::InGap;
    instant = QDateTime::fromSecsSinceEpoch(*found, QTimeZone::utc());
    return DateProblem::None;
}

QString longDateTimeText(const QDateTime &instant, bool withTime)
{
    const QLocale locale = QLocale::system();
    const DateParts p = localParts(instant);
    const QString date = locale.toString(QDate(p.year, p.month, p.day), QLocale::LongFormat);
    if (!withTime)
        return date;
    return date + QStringLiteral(" - ") + locale.toString(QTime(p.hour, p.minute, p.second), QLocale::LongFormat);
}

DateSaveOutcome saveDates(const QString &path, const DateChoice &choice)
{
    DateSaveOutcome outcome;
    struct Chosen
    {
        DateField field;
        std::optional<DateParts> parts;
        QDateTime instant;
    };
    Chosen chosen[3] = {{DateField::Created, choice.created, {}},
                        {DateField::Modified, choice.modified, {}},
                        {DateField::Accessed, choice.accessed, {}}};
    if (chosen[2].parts) {
        chosen[2].parts->hour = 0;
        chosen[2].parts->minute = 0;
        chosen[2].parts->second = 0;
    }
    for (Chosen &c : chosen) {
        if (!c.parts)
            continue;
        DateProblem problem = instantFromLocalParts(*c.parts, c.instant);
        if (problem == DateProblem::None && c.field == DateField::Created && c.parts->year < EarliestCreationYear)
            problem = DateProblem::OutOfRange;
        if (problem != DateProblem::None) {
            outcome.field = c.field;
            outcome.problem = problem;
            return outcome;
        }
    }

    if (chosen[0].parts && !keepsCreationTime(path)) {
        outcome.createdNotKept = true;
        chosen[0].parts.reset();
    }
    const auto wanted = [](const Chosen &c) { return c.parts ? std::optional<QDateTime>(c.instant) : std::nullopt; };
    if (!chosen[0].parts && !chosen[1].parts && !chosen[2].parts) {
        outcome.saved = true;
        return outcome;
    }
    const FileTimes before = readTimes(path);
    const FileTimes kept = writeTimes(path, wanted(chosen[0]), wanted(chosen[2]), wanted(chosen[1]));
    const QDateTime keptOf[3] = {kept.created, kept.modified, kept.accessed};
    for (int i = 0; i < 3; ++i) {
        if (!chosen[i].parts || keptAsChosen(chosen[i].instant, keptOf[i], chosen[i].field))
            continue;
        // The volume cannot hold this time: put back what was there.
        try {
            writeTimes(path, chosen[0].parts ? std::optional<QDateTime>(before.created) : std::nullopt,
                       chosen[2].parts ? std::optional<QDateTime>(before.accessed) : std::nullopt,
                       chosen[1].parts ? std::optional<QDateTime>(before.modified) : std::nullopt);
        } catch (const RuntimeError &) {
        }
        outcome.field = chosen[i].field;
        outcome.problem = DateProblem::OutOfRange;
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}

QString dateRefusalText(const DateSaveOutcome &outcome, bool greek)
{
    using namespace AttributesTexts;
    const Bilingual &tail = outcome.problem == DateProblem::NoSuchDay ? NoSuchDayTail
                            : outcome.problem == DateProblem::InGap   ? InGapTail
                                                                      : OutOfRangeTail;
    return FieldHead.in(greek) + fieldCaption(outcome.field).in(greek) + tail.in(greek);
}

QString fileDatesText(const FileTimes &times, bool greek)
{
    using namespace AttributesTexts;
    const QString tab = QStringLiteral("\t");
    return CreatedLabel.in(greek) + tab + tab + longDateTimeText(times.created) + NewLine + ModifiedLabel.in(greek)
           + tab + longDateTimeText(times.modified) + NewLine + AccessedLabel.in(greek) + tab
           + longDateTimeText(times.accessed, false);
}

QString folderDatesText(const QDateTime &modified, bool greek)
{
    return AttributesTexts::FolderDateLabel.in(greek) + QStringLiteral("\t") + longDateTimeText(modified);
}
