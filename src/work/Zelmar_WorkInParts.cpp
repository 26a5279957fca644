#include "Zelmar_WorkInParts.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Small enough parts that stopping answers quickly, large enough that taking one costs nothing.
constexpr std::size_t kItemsPerPart = 32;
constexpr unsigned kMostWorkThreads = 2;

}  // namespace

bool ZelmarRunInParts(std::size_t count,
                      const std::function<void(std::size_t, std::size_t, unsigned)>& work,
                      const std::function<bool(std::size_t)>& progress, unsigned workers) {
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> failed{false};
    auto takePart = [&](unsigned worker) {
        if (stop.load(std::memory_order_relaxed)) return false;
        const std::size_t first = next.fetch_add(kItemsPerPart);
        if (first >= count) return false;
        const std::size_t end = std::min(count, first + kItemsPerPart);
        work(first, end, worker);
        done.fetch_add(end - first);
        return true;
    };
    if (progress && !progress(0)) return false;
    std::vector<std::thread> helpers;
    try {
        for (unsigned worker = 1; worker < workers && count > kItemsPerPart; ++worker)
            helpers.emplace_back([&takePart, &failed, &stop, worker] {
                try {
                    while (takePart(worker)) {
                    }
                } catch (...) {
                    // Nothing may leave a thread; the caller learns of it by the answer.
                    failed = true;
                    stop = true;
                }
            });
    } catch (const std::system_error&) {
        // No more threads to be had: the calling thread does the rest.
    }
    bool goOn = true;
    {
        // Joins the helpers on every way out, also when this thread's part throws.
        struct TJoin {
            std::vector<std::thread>& Threads;
            std::atomic<bool>& Stop;
            ~TJoin() {
                Stop = true;
                for (std::thread& thread : Threads) thread.join();
            }
        } join{helpers, stop};
        while (takePart(0))
            if (progress && !progress(done.load())) {
                goOn = false;
                break;
            }
    }
    return goOn && !failed.load() && done.load() == count;
}

unsigned ZelmarWorkThreads() {
    return std::min(std::max(std::thread::hardware_concurrency(), 1u), kMostWorkThreads);
}
