#pragma once
// Diagnostic trace log: file, standard error ("debug window") and serial port outputs,
// configured by "<module>.ETC" or "TRACE.INI". Off unless a configuration switches it on;
// a call then costs one level check. Never throws, never shows anything.

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
void TraceMessage(const std::string& source, TTraceLevel level, const char* format, ...)
    VESK_TRACE_PRINTF(3, 4);

// "exception of type %s with message %s" at tlError; the type is the demangled C++ class name.
void TraceException(const std::string& source, const std::exception& e);
// For exceptions of unknown type (catch (...)).
void TraceException(const std::string& source);

// True when a message of this level would be written somewhere.
bool TraceLevelActive(TTraceLevel level);

// Re-reads the configuration as unit initialisation does, looking for it beside the given
// module and program files (full paths). Stops file logging first. Used by tests and by
// programs that want another configuration than the one beside the executable.
void TraceReadConfiguration(const std::string& modulePath, const std::string& programPath);

// The exit procedure: writes the closing bracket and closes the outputs. Runs automatically
// at process end; callable earlier (tests).
void TraceShutdown();

// The second, independent trace unit used by the structure search binding: same behaviour,
// its own state, lock and file handle; messages are cut at 31996 characters.
namespace veskTrace {
void TraceMessage(const std::string& source, TTraceLevel level, const char* format, ...)
    VESK_TRACE_PRINTF(3, 4);
void TraceException(const std::string& source, const std::exception& e);
void TraceException(const std::string& source);
bool TraceLevelActive(TTraceLevel level);
void TraceReadConfiguration(const std::string& modulePath, const std::string& programPath);
void TraceShutdown();
}  // namespace veskTrace
