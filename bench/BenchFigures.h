#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <sys/resource.h>
#include <vector>

// The figures every benchmark prints: medians of its runs, milliseconds, peak memory,
// and the timing of a command run beside ours.

extern char **environ;

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

// The process's peak resident memory so far, in KiB: the high-water mark of its own
// memory. (getrusage's figure would do in a process of its own, but a program started
// by vfork and exec inherits its parent's peak there.)
inline long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').constFirst().toLong();
    }
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The wall time of a command run to its end, its output going to `output`.
inline double runProcess(const std::vector<std::string> &arguments, const char *output = "/dev/null")
{
    std::vector<char *> argv;
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return milliseconds(timer);
}

// Ours and the reference timed in turn, pair by pair: the ratio of each pair, so a busy
// moment of the machine weighs on both sides of one pair and moves no other.
struct PairedRatio
{
    double median = 0;
    double min = 0;
    double max = 0;
};

inline PairedRatio pairedRatio(const std::vector<double> &ours, const std::vector<double> &theirs)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < ours.size() && i < theirs.size(); ++i)
        if (theirs[i] > 0)
            ratios.push_back(ours[i] / theirs[i]);
    if (ratios.empty())
        return {};
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    return {median(ratios), *low, *high};
}
