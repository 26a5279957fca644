#pragma once
// The one place for "catch every failure, trace it under Class.Method, return a neutral
// result": every public operation wraps its body in Guarded.

#include <exception>
#include <utility>

#include "vesk_Trace.h"

template <typename Result, typename Body>
Result Guarded(const char* source, Result neutral, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        TraceException(source, e);
    } catch (...) {
        TraceException(source);
    }
    return neutral;
}

// For operations without a result.
template <typename Body>
void GuardedVoid(const char* source, Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& e) {
        TraceException(source, e);
    } catch (...) {
        TraceException(source);
    }
}
