// The trace unit itself: reading its configuration, formatting a message's line and handing
// it to the outputs (vesk_TraceOutput.cpp), exceptions, and the exit procedure.
#include "vesk_TraceUnit.h"

#include <cxxabi.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <typeinfo>

#include "vesk_TraceSupport.h"

namespace veskTraceImpl {

namespace {

namespace fs = std::filesystem;

const char* const kTags[] = {"",       "$INFORMATION", "$SUCCESS", "$WARNING",
                             "$ERROR", "$FATALERROR",  "$DEBUG"};
constexpr const char* kContinuationPrefix = "   - ";

// The Linux thread id, as Windows' GetCurrentThreadId: small, decimal, matches ps/gdb.
long CurrentThreadId() {
    thread_local const long id = static_cast<long>(::syscall(SYS_gettid));
    return id;
}

std::string Demangle(const char* mangled) {
    if (mangled == nullptr) return "unknown";
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return (status == 0 && demangled) ? std::string(demangled.get()) : std::string(mangled);
}

}  // namespace

// ---- the unit -----------------------------------------------------------------------------

TveskTraceUnit::TveskTraceUnit(std::size_t maxLineChars, std::atomic<std::uint32_t>* gate)
    : MaxLineChars(maxLineChars), Gate(gate ? *gate : OwnGate) {}

TveskTraceUnit::~TveskTraceUnit() {
    Shutdown();
}

std::string TveskTraceUnit::TraceFilePath() const {
    std::lock_guard<std::recursive_mutex> guard(Lock);
    return FilePath;
}

std::string TveskTraceUnit::ConfigurationFile() const {
    std::lock_guard<std::recursive_mutex> guard(Lock);
    return ConfigPath;
}

void TveskTraceUnit::SetComDevicePath(const std::string& path) {
    std::lock_guard<std::recursive_mutex> guard(Lock);
    ComDeviceOverride = path;
}

// Under the lock.
void TveskTraceUnit::ClearState() {
    Gate.store(0, std::memory_order_relaxed);
    Levels.store(0, std::memory_order_relaxed);
    LastLevel.store(0, std::memory_order_relaxed);
    FileOn.store(false, std::memory_order_relaxed);
    DebugWindow.store(false, std::memory_order_relaxed);
    ComPort.store(0, std::memory_order_relaxed);
    AppendMode = false;
    TextOutput = false;
    FilePath.clear();
    ConfigPath.clear();
}

// Under the lock: the front end's fast path sees the levels only while some output is on.
void TveskTraceUnit::PublishGate() {
    const bool anyOutput = FileOn.load(std::memory_order_relaxed) ||
                           DebugWindow.load(std::memory_order_relaxed) ||
                           ComPort.load(std::memory_order_relaxed) > 0;
    Gate.store(anyOutput ? Levels.load(std::memory_order_relaxed) : 0, std::memory_order_relaxed);
}

void TveskTraceUnit::ReadConfiguration(const std::string& modulePath,
                                       const std::string& programPath) noexcept {
    try {
        std::lock_guard<std::recursive_mutex> guard(Lock);
        if (FileOn.load(std::memory_order_relaxed)) StopLogging();
        ClearState();

        const std::string module = modulePath.empty() ? DefaultModulePath() : modulePath;
        const std::string program = programPath.empty() ? DefaultProgramPath() : programPath;
        const std::string config = FindConfigurationFile(module, program);
        if (config.empty()) return;  // no configuration: tracing stays off
        ConfigPath = config;

        TIniSection ini;
        ini.Load(config, "TRACE");
        const bool trace = ini.ReadBool("Trace", false);
        const std::string levels = ini.ReadString("Level", "NONE");
        std::string file = ini.ReadString("TraceFile", "");
        const bool append = ini.ReadBool("Append", false);
        const std::string output = ini.ReadString("Output", "");
        const bool debugWindow = ini.ReadBool("DebugWindow", false);
        long comPort = ini.ReadInteger("COMPort", 0);
        // Any relative path (not only a bare name) is taken from the configuration's folder: a
        // trace file must not move with the working directory.
        if (!file.empty() && fs::path(file).is_relative()) {
            file = (fs::path(config).parent_path() / file).lexically_normal().string();
        }
        if (!trace) return;

        const TLevelMask mask = ParseLevels(levels);
        if (comPort < 0) comPort = 0;  // only ports above 0 are sent to
        if ((file.empty() && comPort == 0 && !debugWindow) || mask == 0) return;

        Levels.store(mask, std::memory_order_relaxed);
        AppendMode = append;
        TextOutput = EqualsNoCase(output, "TEXT");
        ComPort.store(static_cast<int>(comPort), std::memory_order_relaxed);
        if (!file.empty()) {
            FilePath = file;
            StartLogging();
        }
        DebugWindow.store(debugWindow, std::memory_order_relaxed);
        PublishGate();
    } catch (...) {
        // A configuration that cannot be read leaves tracing off; nothing is reported.
    }
}

void TveskTraceUnit::AppendHeader(std::string& line, TTraceLevel level, const char* source) const {
    if (level == tlContinue) {
        line += kContinuationPrefix;
        return;
    }
    std::string date;
    std::string time;
    Clock.Now(date, time);
    line += kTags[level];
    line += " (";
    line += std::to_string(CurrentThreadId());
    line += ") (";
    line += date;
    line += ' ';
    line += time;
    line += ')';
    if (source != nullptr && *source != '\0') {
        line += "-[";
        line += source;
        line += "], ";
    } else {
        line += '-';
    }
}

bool TveskTraceUnit::LevelActive(TTraceLevel level) const noexcept {
    const TLevelMask mask = Levels.load(std::memory_order_relaxed);
    const unsigned effective =
        level == tlContinue ? static_cast<unsigned>(LastLevel.load(std::memory_order_relaxed))
                            : static_cast<unsigned>(level);
    if (effective < 1 || effective > 6 || (mask & (1u << effective)) == 0) return false;
    return FileOn.load(std::memory_order_relaxed) || DebugWindow.load(std::memory_order_relaxed) ||
           ComPort.load(std::memory_order_relaxed) > 0;
}

void TveskTraceUnit::Message(const char* source, TTraceLevel level, const char* format,
                             ...) noexcept {
    va_list args;
    va_start(args, format);
    MessageV(source, level, format, args);
    va_end(args);
}

void TveskTraceUnit::MessageV(const char* source, TTraceLevel level, const char* format,
                              va_list args) noexcept {
    try {
        // 1. Enabled? Every other level becomes the last level, enabled or not.
        const bool enabled = LevelActive(level);
        if (level != tlContinue) LastLevel.store(level, std::memory_order_relaxed);
        if (!enabled) return;

        // 2a. Header and source go in as text; only the caller's format is a format. (The
        // old formatting put the source into the format string: a "%s" in a source would read an
        // argument that is not there.)
        std::string line;
        line.reserve(256);
        AppendHeader(line, level, source);
        // 2b. Format the caller's format with its arguments; most messages fit the first try.
        if (format == nullptr) format = "";
        char first[512];
        va_list copy;
        va_copy(copy, args);
        const int length = std::vsnprintf(first, sizeof first, format, copy);
        va_end(copy);
        if (length < 0) return;  // the message is dropped silently
        if (static_cast<std::size_t>(length) < sizeof first) {
            line.append(first, static_cast<std::size_t>(length));
        } else {
            const std::size_t start = line.size();
            line.resize(start + static_cast<std::size_t>(length));
            // Writes the terminating zero onto line[size()], which std::string allows.
            std::vsnprintf(&line[start], static_cast<std::size_t>(length) + 1, format, args);
        }
        if (MaxLineChars != 0 && line.size() > MaxLineChars) line.resize(MaxLineChars);

        // 2c, 2e. File and COM port under the unit's lock.
        if (FileOn.load(std::memory_order_relaxed) || ComPort.load(std::memory_order_relaxed) > 0) {
            std::lock_guard<std::recursive_mutex> guard(Lock);
            if (FileOn.load(std::memory_order_relaxed)) WriteFileLine(line);
            if (ComPort.load(std::memory_order_relaxed) > 0) SendToComPort(line + "\r\n");
        }
        // 2d. The debugger output without the lock.
        if (DebugWindow.load(std::memory_order_relaxed)) {
            line += '\n';
            DebugOutput(line);
        }
    } catch (const std::bad_alloc&) {
        DebugOutput("error allocating trace buffer\n");
    } catch (...) {
        // 3. Swallowed: the caller never sees a failure of the trace.
    }
}

void TveskTraceUnit::Exception(const char* source, const std::exception& e) noexcept {
    try {
        if (!LevelActive(tlError)) {
            LastLevel.store(tlError, std::memory_order_relaxed);
            return;
        }
        const std::string type = Demangle(typeid(e).name());
        const char* what = e.what();
        Message(source, tlError, "exception of type %s with message %s", type.c_str(),
                what ? what : "");
    } catch (...) {
    }
}

void TveskTraceUnit::Exception(const char* source) noexcept {
    try {
        if (!LevelActive(tlError)) {
            LastLevel.store(tlError, std::memory_order_relaxed);
            return;
        }
        std::string type = "unknown";
        // Inside a handler (the usual catch (...)) the exception being handled is still known.
        if (const std::exception_ptr current = std::current_exception()) {
            try {
                std::rethrow_exception(current);
            } catch (const std::exception& e) {
                Exception(source, e);
                return;
            } catch (...) {
                if (const std::type_info* info = abi::__cxa_current_exception_type()) {
                    type = Demangle(info->name());
                }
            }
        }
        Message(source, tlError, "exception of type %s with message %s", type.c_str(),
                "unknown exception");
    } catch (...) {
    }
}

void TveskTraceUnit::Shutdown() noexcept {
    try {
        std::lock_guard<std::recursive_mutex> guard(Lock);
        if (FileOn.load(std::memory_order_relaxed)) StopLogging();
        // The COM port is open only while one text is sent: nothing to close.
        ClearState();
    } catch (...) {
    }
}

}  // namespace veskTraceImpl
