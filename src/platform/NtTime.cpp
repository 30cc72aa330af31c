#include "platform/NtTime.h"

#include <QTimeZone>
#include <limits>

namespace {
constexpr std::int64_t TicksPerSecond = 10000000;
}

std::uint64_t ntTimeFromTimespec(const timespec &t)
{
    // Times before 1601 or past the year 30828 have no Windows file time.
    const std::int64_t minSeconds = -static_cast<std::int64_t>(NtTimeUnixEpoch / TicksPerSecond);
    const std::int64_t maxSeconds =
        static_cast<std::int64_t>((std::numeric_limits<std::int64_t>::max() - NtTimeUnixEpoch) / TicksPerSecond) - 1;
    const std::int64_t seconds = t.tv_sec;
    if (seconds < minSeconds || seconds > maxSeconds)
        return 0;
    const std::int64_t ticks = seconds * TicksPerSecond + t.tv_nsec / 100 + static_cast<std::int64_t>(NtTimeUnixEpoch);
    return ticks > 0 ? static_cast<std::uint64_t>(ticks) : 0;
}

timespec timespecFromNtTime(std::uint64_t nt)
{
    const std::int64_t sinceUnix = static_cast<std::int64_t>(nt) - static_cast<std::int64_t>(NtTimeUnixEpoch);
    std::int64_t seconds = sinceUnix / TicksPerSecond;
    std::int64_t rest = sinceUnix % TicksPerSecond;
    if (rest < 0) {
        rest += TicksPerSecond;
        --seconds;
    }
    timespec t{};
    t.tv_sec = static_cast<time_t>(seconds);
    t.tv_nsec = static_cast<long>(rest * 100);
    return t;
}

QDateTime dateTimeFromTimespec(const timespec &t)
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(t.tv_sec) * 1000 + t.tv_nsec / 1000000, Qt::UTC);
}

timespec timespecFromDateTime(const QDateTime &t)
{
    const qint64 ms = t.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    qint64 rest = ms % 1000;
    if (rest < 0) {
        rest += 1000;
        --ts.tv_sec;
    }
    ts.tv_nsec = static_cast<long>(rest * 1000000);
    return ts;
}

QDateTime dateTimeFromNtTime(std::uint64_t nt)
{
    if (nt == 0 || nt > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return {};
    return dateTimeFromTimespec(timespecFromNtTime(nt));
}

std::uint64_t ntTimeFromDateTime(const QDateTime &t)
{
    if (!t.isValid())
        return 0;
    return ntTimeFromTimespec(timespecFromDateTime(t));
}
