#pragma once

#include "platform/WorkerThreads.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// Sorts [first, last) by `less` on every processor the program may use: each worker
// sorts a run of its own, then the runs are merged pairwise. `less` must be a strict
// weak order that reads nothing the sort changes; it is called from several threads.
// Each worker gets at least 16,384 elements: shorter ranges are sorted on the calling
// thread, where starting threads costs more than it saves.
template<typename Iterator, typename Less>
void parallelSort(Iterator first, Iterator last, Less less, int mostWorkers = usableProcessors())
{
    constexpr std::ptrdiff_t LeastPerWorker = 16384;
    const std::ptrdiff_t count = last - first;
    const int workers = int(std::min<std::ptrdiff_t>(mostWorkers, count / LeastPerWorker));
    if (workers < 2) {
        std::sort(first, last, less);
        return;
    }
    std::vector<Iterator> bounds;
    for (int w = 0; w <= workers; ++w)
        bounds.push_back(first + count * w / workers);
    runOnWorkers(workers, [&](int worker) { std::sort(bounds[worker], bounds[worker + 1], less); });
    while (bounds.size() > 2) {
        std::vector<Iterator> merged{bounds.front()};
        for (std::size_t i = 2; i < bounds.size(); i += 2) {
            std::inplace_merge(bounds[i - 2], bounds[i - 1], bounds[i], less);
            merged.push_back(bounds[i]);
        }
        if (bounds.size() % 2 == 0)
            merged.push_back(bounds.back());
        bounds.swap(merged);
    }
}
