#pragma once
// Shared by the record list's units; not part of its interface.

#include <mutex>

#include "vesk_MulDiv.h"
#include "vesk_Trace.h"

namespace sdfiledata_internal {

// position * 100 / total, rounded; 0 when that cannot be computed.
inline int Percent(int position, int total) {
    const int percent = platform::MulDiv(position, 100, total);
    return percent < 0 ? 0 : percent;
}

constexpr const char* kCriticalSection = "CriticalSection";
constexpr const char* kCritSectFields = "CritSectFields";

// Holds one of the list's two locks for a scope; every acquisition and release is traced
// under the operation's name, so that lock waits can be read from the trace.
class TTracedLock {
public:
    TTracedLock(std::recursive_mutex& mutex, const char* source, const char* lockName)
        : FMutex(mutex), FSource(source), FLockName(lockName) {
        TraceMessage(FSource, tlSuccess, "Entering %s", FLockName);
        FMutex.lock();
        TraceMessage(FSource, tlSuccess, "%s Entered", FLockName);
    }
    ~TTracedLock() {
        TraceMessage(FSource, tlSuccess, "Leaving %s", FLockName);
        FMutex.unlock();
        TraceMessage(FSource, tlSuccess, "%s Leaved", FLockName);
    }
    TTracedLock(const TTracedLock&) = delete;
    TTracedLock& operator=(const TTracedLock&) = delete;

private:
    std::recursive_mutex& FMutex;
    const char* FSource;
    const char* FLockName;
};

}  // namespace sdfiledata_internal
