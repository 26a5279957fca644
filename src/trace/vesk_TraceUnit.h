#pragma once
// The one implementation behind both trace units (vesk_Trace and veskTrace): a
// TveskTraceUnit holds one unit's configuration, state, lock and outputs. The units differ only
// in the options they construct it with. Not for application code: use vesk_Trace.h. Tests
// and the two unit front ends include this. Defined in vesk_TraceUnit.cpp (messages),
// vesk_TraceOutput.cpp (file, COM port, clock) and vesk_TraceConfig.cpp (configuration).

#include <locale.h>  // NOLINT(modernize-deprecated-headers): POSIX locale_t, not in <clocale>

#include <atomic>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <exception>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vesk_Trace.h"

namespace veskTraceImpl {

// Enabled levels: bit n set = level n enabled (n = 1..6).
using TLevelMask = std::uint32_t;
constexpr TLevelMask kAllLevels = 0x7E;

// Value of a unit's gate until it has read its configuration (see TveskTraceUnit::Gate).
constexpr std::uint32_t kGateUninitialised = 0x80000000u;

// Line-length cut of the second unit (its 32000-byte buffers less room for the terminator).
constexpr std::size_t kVeskTraceMaxLineChars = 31996;

// "Level" key: comma-separated keywords; NONE empties the set and ends, ALL sets 1..6 and ends,
// empty parts and unknown words are skipped; blanks and control characters trimmed; any case.
TLevelMask ParseLevels(std::string_view levels);

// One record of the encoded file output: length as "%.4X", then each byte XOR a counter
// 1..255 (wrapping back to 1) as two upper-case hex digits. Lines of 65536 characters or more
// get a longer length field, as "%.4X" gives (see the .cpp).
std::string EncodeLine(std::string_view line);

// "log options:" followed by " Information", " Success", ... for each enabled level.
std::string LogOptionsLine(TLevelMask levels);

// The keys of one INI section in file order, names and values trimmed, a value's surrounding
// pair of quotes removed. Lookups are case-insensitive; the first occurrence of a key counts.
class TIniSection {
public:
    // False when the file cannot be read; the section then has no keys.
    bool Load(const std::string& path, std::string_view section);
    bool Has(std::string_view key) const;
    std::string ReadString(std::string_view key, const std::string& defaultValue) const;
    // Whole-text integer (sign, decimal, or hex with "0x"/"$"); otherwise the default.
    long ReadInteger(std::string_view key, long defaultValue) const;
    // An integer: 0 false, anything else true; no number gives the default.
    bool ReadBool(std::string_view key, bool defaultValue) const;

private:
    const std::string* Find(std::string_view key) const;
    std::vector<std::pair<std::string, std::string>> Keys;
};

// Parses a whole text as an integer (optional sign; decimal, or hex after "0x" or "$").
bool ParseIniInteger(std::string_view text, long& value);

// The configuration file by its search order, or "" if none exists:
// module with ".ETC", program with ".ETC", "TRACE.INI" in the module's folder, in the program's.
std::string FindConfigurationFile(const std::string& modulePath, const std::string& programPath);

// The binary (program or shared library) that holds this code, found with dladdr; the program
// itself is reported as /proc/self/exe's target.
std::string DefaultModulePath();
// The running program's file (/proc/self/exe).
std::string DefaultProgramPath();

// COM<n> = /dev/ttyS<n-1>.
std::string ComDeviceName(int port);

// Local date and time in the user's formats: the LC_TIME locale named by the environment
// (LC_ALL, LC_TIME, LANG), "%x" and "%X". The C/POSIX locale's "%x" has a two-digit year in
// American order, so there (and when the environment's locale cannot be loaded) a German
// format is used instead: dd.mm.yyyy and hh:mm:ss.
class TTraceClock {
public:
    TTraceClock();
    ~TTraceClock();
    TTraceClock(const TTraceClock&) = delete;
    TTraceClock& operator=(const TTraceClock&) = delete;

    void Format(const std::tm& moment, std::string& date, std::string& time) const;
    void Now(std::string& date, std::string& time) const;

    const std::string& DateFormat() const { return DateFormatText; }
    const std::string& TimeFormat() const { return TimeFormatText; }

private:
    locale_t Locale = nullptr;
    std::string DateFormatText;
    std::string TimeFormatText;
};

class TveskTraceUnit {
public:
    // maxLineChars: message lines are cut to this length (0: no cut). gate: where the unit
    // publishes its enabled levels for the front end's one-check fast path; the enabled levels
    // while at least one output is on, otherwise 0. Without one the unit uses its own.
    explicit TveskTraceUnit(std::size_t maxLineChars = 0,
                            std::atomic<std::uint32_t>* gate = nullptr);
    // Runs the exit procedure.
    ~TveskTraceUnit();
    TveskTraceUnit(const TveskTraceUnit&) = delete;
    TveskTraceUnit& operator=(const TveskTraceUnit&) = delete;

    // Reads the configuration; empty paths stand for DefaultModulePath() and
    // DefaultProgramPath().
    void ReadConfiguration(const std::string& modulePath, const std::string& programPath) noexcept;

    void Message(const char* source, TTraceLevel level, const char* format, ...) noexcept
        VESK_TRACE_PRINTF(4, 5);
    void MessageV(const char* source, TTraceLevel level, const char* format, va_list args) noexcept
        VESK_TRACE_PRINTF(4, 0);
    void Exception(const char* source, const std::exception& e) noexcept;
    void Exception(const char* source) noexcept;
    bool LevelActive(TTraceLevel level) const noexcept;

    // The exit procedure: closing bracket, all outputs off, state cleared.
    void Shutdown() noexcept;

    // Inspection (tests, diagnostics).
    TLevelMask EnabledLevels() const noexcept { return Levels.load(std::memory_order_relaxed); }
    int ComPortNumber() const noexcept { return ComPort.load(std::memory_order_relaxed); }
    bool FileActive() const noexcept { return FileOn.load(std::memory_order_relaxed); }
    bool DebugWindowActive() const noexcept { return DebugWindow.load(std::memory_order_relaxed); }
    std::string TraceFilePath() const;
    std::string ConfigurationFile() const;
    std::uint32_t GateValue() const noexcept { return Gate.load(std::memory_order_relaxed); }
    // When set, every COM<n> is sent to this device instead of /dev/ttyS<n-1> (tests use a
    // pseudo-terminal).
    void SetComDevicePath(const std::string& path);

private:
    void ClearState();
    void PublishGate();
    void StartLogging();
    void StopLogging();
    void WriteFileLine(const std::string& line);
    void SendToComPort(const std::string& text);
    void AppendRecord(std::string& out, std::string_view line) const;
    void AppendHeader(std::string& line, TTraceLevel level, const char* source) const;

    const std::size_t MaxLineChars;
    std::atomic<std::uint32_t> OwnGate{0};
    std::atomic<std::uint32_t>& Gate;
    TTraceClock Clock;

    // Read without the lock by every call (they change only under the lock, while configuring,
    // or, for the COM port number, by dropping to 0).
    std::atomic<TLevelMask> Levels{0};
    std::atomic<std::uint8_t> LastLevel{0};
    std::atomic<bool> FileOn{false};
    std::atomic<bool> DebugWindow{false};
    std::atomic<int> ComPort{0};

    // Guarded by Lock: the file, the COM port and their settings. Recursive as a Windows
    // critical section is.
    mutable std::recursive_mutex Lock;
    bool AppendMode = false;
    bool TextOutput = false;
    std::string FilePath;
    std::string ConfigPath;
    std::string ComDeviceOverride;
};

}  // namespace veskTraceImpl
