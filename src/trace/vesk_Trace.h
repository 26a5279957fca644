#pragma once
// Diagnostic trace log: file, standard error ("debug window") and serial port outputs,
// configured by "<module>.ETC" or "TRACE.INI". Off unless a configuration switches it on;
// a call then costs one level check. Never throws, never shows anything.
//
// Every function comes twice: with the source as `const char*` and as `std::string`. A string
// literal picks the `const char*` form, so a call while tracing is off builds no std::string
// (no allocation) before the one check; a `std::string` source picks the other form. A null
// source counts as empty.

#include <cstdint>
#include <exception>
#include <string>

enum TTraceLevel : std::uint8_t {
    tlInformation = 1,
    tlSuccess = 2,
    tlWarning = 3,
    tlError = 4,
    tlFatalError = 5,
    tlDebug = 6,
    tlContinue = 7,
};

#define VESK_TRACE_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

// Writes one message if its level is enabled. The format is a printf format written by
// the programmer; user data (file names, values) always goes in as an argument ("%s").
// The source ("Class.Method", may be empty) is never interpreted as a format.
void TraceMessage(const std::string& source, TTraceLevel level, const char* format, ...) noexcept
    VESK_TRACE_PRINTF(3, 4);
void TraceMessage(const char* source, TTraceLevel level, const char* format, ...) noexcept
    VESK_TRACE_PRINTF(3, 4);

// "exception of type %s with message %s" at tlError; the type is the demangled C++ class name.
void TraceException(const std::string& source, const std::exception& e) noexcept;
void TraceException(const char* source, const std::exception& e) noexcept;
// For exceptions of unknown type (catch (...)). Called inside a handler it still names the
// exception being handled (its C++ type, and its message if it is a std::exception); outside
// a handler it writes type "unknown" with message "unknown exception".
void TraceException(const std::string& source) noexcept;
void TraceException(const char* source) noexcept;

// True when a message of this level would be written somewhere.
bool TraceLevelActive(TTraceLevel level) noexcept;

// Re-reads the configuration as unit initialisation does, looking for it beside the given
// module and program files (full paths). Stops file logging first. Used by tests and by
// programs that want another configuration than the one beside the executable. An empty
// path stands for the real one (the binary holding the unit, /proc/self/exe).
void TraceReadConfiguration(const std::string& modulePath, const std::string& programPath) noexcept;

// The exit procedure: writes the closing bracket and closes the outputs; tracing is off
// afterwards until the configuration is read again. Runs automatically at process end;
// callable earlier (tests).
void TraceShutdown() noexcept;

// The second, independent trace unit used by the structure search binding: same behaviour,
// its own state, lock and file handle; message lines are cut at 31996 characters.
namespace veskTrace {
void TraceMessage(const std::string& source, TTraceLevel level, const char* format, ...) noexcept
    VESK_TRACE_PRINTF(3, 4);
void TraceMessage(const char* source, TTraceLevel level, const char* format, ...) noexcept
    VESK_TRACE_PRINTF(3, 4);
void TraceException(const std::string& source, const std::exception& e) noexcept;
void TraceException(const char* source, const std::exception& e) noexcept;
void TraceException(const std::string& source) noexcept;
void TraceException(const char* source) noexcept;
bool TraceLevelActive(TTraceLevel level) noexcept;
void TraceReadConfiguration(const std::string& modulePath, const std::string& programPath) noexcept;
void TraceShutdown() noexcept;
}  // namespace veskTrace
