#include "platform/WorkerThreads.h"

#include <exception>
#include <sched.h>
#include <thread>
#include <vector>

int usableProcessors()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    if (::sched_getaffinity(0, sizeof set, &set) == 0) {
        const int count = CPU_COUNT(&set);
        if (count > 0)
            return count;
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return hardware > 0 ? int(hardware) : 1;
}

void runOnWorkers(int workers, const std::function<void(int worker)> &work)
{
    if (workers <= 1) {
        work(0);
        return;
    }
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(workers));
    const auto guarded = [&](int worker) {
        try {
            work(worker);
        } catch (...) {
            failures[std::size_t(worker)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(std::size_t(workers - 1));
    try {
        for (int w = 1; w < workers; ++w)
            threads.emplace_back(guarded, w);
    } catch (const std::system_error &) {
        // No more threads to be had: those started and this one share the work.
    }
    guarded(0);
    for (std::thread &thread : threads)
        thread.join();
    for (const std::exception_ptr &failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}
