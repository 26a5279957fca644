// Trace unit vesk_Trace: the front end every part of the program logs through.
// The behaviour lives in TveskTraceUnit; this file holds the unit's one instance, its
// initialisation before main and its exit procedure.

#include "vesk_Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "vesk_TraceUnit.h"

namespace {

using veskTraceImpl::TveskTraceUnit;

// Constant-initialised, so valid before any static initialiser runs: the one check of a call
// while tracing is off. The unit stores its enabled levels here while an output is on, else 0;
// until the unit exists it holds kGateUninitialised, so that a call from another file's static
// initialiser creates the unit (reading the configuration) instead of being lost.
std::atomic<std::uint32_t> gGate{veskTraceImpl::kGateUninitialised};

TveskTraceUnit& Unit() noexcept;

void ExitProcedure() {
    Unit().Shutdown();
}

TveskTraceUnit& Unit() noexcept {
    // Built in static storage and never destroyed, on purpose: traces from static destructors
    // and from threads still running at exit must find a live unit (off after the exit
    // procedure) and a live lock. No heap: nothing here can fail.
    alignas(TveskTraceUnit) static unsigned char storage[sizeof(TveskTraceUnit)];
    static TveskTraceUnit* const unit = [] {
        auto* created = ::new (static_cast<void*>(storage)) TveskTraceUnit(0, &gGate);
        created->ReadConfiguration({}, {});
        std::atexit(ExitProcedure);
        return created;
    }();
    return *unit;
}

// Unit initialisation, once per process, before main.
const bool gInitialised = (Unit(), true);

bool Off() noexcept {
    return gGate.load(std::memory_order_relaxed) == 0;
}

}  // namespace

void TraceMessage(const char* source, TTraceLevel level, const char* format, ...) noexcept {
    if (Off()) return;
    va_list args;
    va_start(args, format);
    Unit().MessageV(source, level, format, args);
    va_end(args);
}

void TraceMessage(const std::string& source, TTraceLevel level, const char* format, ...) noexcept {
    if (Off()) return;
    va_list args;
    va_start(args, format);
    Unit().MessageV(source.c_str(), level, format, args);
    va_end(args);
}

void TraceException(const char* source, const std::exception& e) noexcept {
    if (!Off()) Unit().Exception(source, e);
}

void TraceException(const std::string& source, const std::exception& e) noexcept {
    if (!Off()) Unit().Exception(source.c_str(), e);
}

void TraceException(const char* source) noexcept {
    if (!Off()) Unit().Exception(source);
}

void TraceException(const std::string& source) noexcept {
    if (!Off()) Unit().Exception(source.c_str());
}

bool TraceLevelActive(TTraceLevel level) noexcept {
    return !Off() && Unit().LevelActive(level);
}

void TraceReadConfiguration(const std::string& modulePath,
                            const std::string& programPath) noexcept {
    Unit().ReadConfiguration(modulePath, programPath);
}

void TraceShutdown() noexcept {
    Unit().Shutdown();
}
