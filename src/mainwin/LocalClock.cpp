#include "mainwin/LocalClock.h"

#include <algorithm>

namespace {
std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b) < 0 ? 1 : 0); }

// yyyymmdd of a count of days since 1970-01-01 (proleptic Gregorian calendar).
std::uint32_t civilDate(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = floorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const std::int64_t clamped = std::clamp<std::int64_t>(year, 0, 9999);
    return static_cast<std::uint32_t>(clamped * 10000 + month * 100 + day);
}

} // namespace

namespace {
long offsetAt(std::time_t seconds)
{
    std::tm local {};
    ::localtime_r(&seconds, &local);
    return local.tm_gmtoff;
}
}

void LocalClock::split(std::time_t seconds, std::uint32_t &date, std::uint32_t &time)
{
    const std::int64_t hour = floorDiv(seconds, 3600);
    if (!m_valid || hour != m_hour) {
        m_hour = hour;
        m_offset = offsetAt(std::time_t(hour * 3600));
        m_uniform = m_offset == offsetAt(std::time_t(hour * 3600 + 3599));
        m_valid = true;
    }
    const long offset = m_uniform ? m_offset : offsetAt(seconds);
    const std::int64_t localSeconds = static_cast<std::int64_t>(seconds) + offset;
    const std::int64_t days = floorDiv(localSeconds, 86400);
    const std::int64_t within = localSeconds - days * 86400;
    date = civilDate(days);
    time = static_cast<std::uint32_t>((within / 3600) * 10000 + (within / 60 % 60) * 100 + within % 60);
}
