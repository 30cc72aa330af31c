#pragma once

#include <QElapsedTimer>
#include <algorithm>
#include <sys/resource.h>
#include <vector>

// The figures every benchmark prints: medians of its runs, milliseconds, peak memory.

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double milliseconds(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// The process's peak resident memory so far, in KiB.
inline long peakKiB()
{
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}
