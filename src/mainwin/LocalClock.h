#pragma once

#include <cstdint>
#include <ctime>

// Converting to local time is the costliest step per entry after the stat. Zone
// offsets change only at whole quarter hours (UTC) in every zone in use since 1970,
// so the offset is looked up once per quarter hour and the calendar date computed
// directly.
class LocalClock
{
public:
    // The local date (yyyymmdd) and time (hhmmss) of `seconds` since the epoch.
    void split(std::time_t seconds, std::uint32_t &date, std::uint32_t &time);

private:
    std::int64_t m_quarter = 0;
    long m_offset = 0;
    bool m_valid = false;
};
