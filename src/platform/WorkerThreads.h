#pragma once

#include <functional>

// The number of processors this process may run on: its affinity mask, so a program
// started under `taskset` or in a cgroup with fewer processors uses only those.
int usableProcessors();

// Runs `work(worker)` on `workers` threads at once, the calling thread being worker 0,
// and returns when every one has finished. The threads are plain std::threads, joined
// here, so ThreadSanitizer sees their synchronisation. An exception that leaves `work`
// on any thread is thrown again here after all have finished (the lowest worker's
// first). With one worker, `work(0)` simply runs on the calling thread.
void runOnWorkers(int workers, const std::function<void(int worker)> &work);
