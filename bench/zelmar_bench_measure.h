#pragma once
// What every benchmark command measures: wall time, the processor time of the whole process
// (all threads: beside the wall time it shows how well the work spread over the cores) and
// the peak resident memory.

#include <sys/resource.h>

#include <chrono>

using TClock = std::chrono::steady_clock;

inline double SecondsSince(TClock::time_point start) {
    return std::chrono::duration<double>(TClock::now() - start).count();
}

// -1 when the system does not tell.
inline double CpuSeconds() {
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0) return -1.0;
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double PeakRssMb() {
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0) return -1.0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}
