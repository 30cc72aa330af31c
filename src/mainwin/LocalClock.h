#pragma once

#include <cstdint>
#include <ctime>

// Converting to local time is the costliest step per entry after the stat, and the
// files of one folder mostly share a few hours. The zone offset is looked up at the
// start and the end of each hour met; when both agree (no change of offset within the
// hour) the whole hour uses it and the date is computed directly, otherwise each
// instant of that hour is asked of the C library.
class LocalClock
{
public:
    // The local date (yyyymmdd) and time (hhmmss) of `seconds` since the epoch.
    void split(std::time_t seconds, std::uint32_t &date, std::uint32_t &time);

private:
    std::int64_t m_hour = 0;
    long m_offset = 0;
    bool m_uniform = false;
    bool m_valid = false;
};
