#pragma once
// Long work on many items shared with helper threads: the items in small parts, taken in turn,
// so that stopping answers quickly and no thread waits for another's last part. Qt-free.

#include <cstddef>
#include <functional>

// How many threads such work uses: the processors, at most two.
unsigned ZelmarWorkThreads();

// Runs work(first, end, worker) over [0, count) part by part on up to `workers` threads;
// worker 0 is the calling thread, which alone calls progress(done) between its parts (false
// stops). Nothing leaves a helper as an exception: a failing part makes the answer false.
// True when every part was done.
bool ZelmarRunInParts(std::size_t count,
                      const std::function<void(std::size_t, std::size_t, unsigned)>& work,
                      const std::function<bool(std::size_t)>& progress, unsigned workers);
