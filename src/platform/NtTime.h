#pragma once

#include <QDateTime>
#include <cstdint>
#include <ctime>

// Windows file times: 100 ns ticks since 1601-01-01 UTC, as the DOS information
// record, NTFS and SMB keep them. 0 stands for "no time".
inline constexpr std::uint64_t NtTimeUnixEpoch = 116444736000000000ULL;

std::uint64_t ntTimeFromTimespec(const timespec &t);
timespec timespecFromNtTime(std::uint64_t nt);
QDateTime dateTimeFromNtTime(std::uint64_t nt);
// 0 for an invalid time or one before 1601.
std::uint64_t ntTimeFromDateTime(const QDateTime &t);
QDateTime dateTimeFromTimespec(const timespec &t);
timespec timespecFromDateTime(const QDateTime &t);
