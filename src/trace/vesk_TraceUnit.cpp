#include "vesk_TraceUnit.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <langinfo.h>
#include <link.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <thread>
#include <typeinfo>

namespace veskTraceImpl {

namespace {

namespace fs = std::filesystem;

const char* const kKeywords[] = {"",      "INFORMATION", "SUCCESS", "WARNING",
                                 "ERROR", "FATALERROR",  "DEBUG"};
const char* const kTags[] = {"",       "$INFORMATION", "$SUCCESS", "$WARNING",
                             "$ERROR", "$FATALERROR",  "$DEBUG"};
const char* const kOptionNames[] = {"",       " Information", " Success", " Warning",
                                    " Error", " FatalError",  " Debug"};
constexpr std::size_t kStarsCount = 79;
constexpr const char* kContinuationPrefix = "   - ";

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = AsciiUpper(c);
    return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// The Linux thread id, as Windows' GetCurrentThreadId: small, decimal, matches ps/gdb.
long CurrentThreadId() {
    thread_local const long id = static_cast<long>(::syscall(SYS_gettid));
    return id;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// The debugger output. One write per text, so that lines of different threads
// stay whole; Linux line ends (LF), since it is a terminal or a log, not the trace file.
void DebugOutput(std::string_view text) noexcept {
    (void)WriteAll(STDERR_FILENO, text.data(), text.size());
}

std::string Demangle(const char* mangled) {
    if (mangled == nullptr) return "unknown";
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    return (status == 0 && demangled) ? std::string(demangled.get()) : std::string(mangled);
}

constexpr int kFileMode = 0666;  // less the umask, as any created file

}  // namespace

// ---- pure helpers -------------------------------------------------------------------------

TLevelMask ParseLevels(std::string_view levels) {
    TLevelMask mask = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = levels.find(',', start);
        const std::string word = Upper(Trim(levels.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
        if (word == "NONE") return 0;
        if (word == "ALL") return kAllLevels;
        for (unsigned level = 1; level <= 6; ++level) {
            if (word == kKeywords[level]) mask |= 1u << level;
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return mask;
}

// A line of 65536 characters or more gets a length field of five or more digits, exactly as
// the "%.4x" length field does; such a record can be told apart only by a reader that knows the
// line length from elsewhere. Lines that long do not occur in practice, and cutting them would
// lose the very data a trace of a huge value is meant to show, so they are not cut.
std::string EncodeLine(std::string_view line) {
    static const char kHex[] = "0123456789ABCDEF";
    char length[32];
    const int n = std::snprintf(length, sizeof length, "%.4zX", line.size());
    std::string out;
    out.reserve(static_cast<std::size_t>(n) + 2 * line.size());
    out.append(length, static_cast<std::size_t>(n));
    unsigned counter = 1;
    for (const char c : line) {
        const unsigned value = static_cast<unsigned char>(c) ^ counter;
        out += kHex[(value >> 4) & 0xF];
        out += kHex[value & 0xF];
        counter = counter == 255 ? 1 : counter + 1;
    }
    return out;
}

std::string LogOptionsLine(TLevelMask levels) {
    std::string line = "log options:";
    for (unsigned level = 1; level <= 6; ++level) {
        if (levels & (1u << level)) line += kOptionNames[level];
    }
    return line;
}

bool ParseIniInteger(std::string_view text, long& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return false;
    long long result = 0;
    for (const char c : text) {
        int digit = 0;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return false;
        }
        result = result * base + digit;
        if (result > static_cast<long long>(INT_MAX) + 1) return false;  // 32-bit, as INI integers are
    }
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return false;
    value = static_cast<long>(result);
    return true;
}

bool TIniSection::Load(const std::string& path, std::string_view section) {
    Keys.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string raw;
    bool first = true;
    bool inSection = false;
    bool seenSection = false;  // only the first section of that name counts, as on Windows
    while (std::getline(in, raw)) {
        std::string_view line = raw;
        if (first && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);  // UTF-8 BOM
        first = false;
        line = Trim(line);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name = Trim(line.substr(
                1, close == std::string_view::npos ? std::string_view::npos : close - 1));
            if (inSection) break;
            inSection = !seenSection && EqualsNoCase(name, section);
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        if (!key.empty()) Keys.emplace_back(std::string(key), std::string(value));
    }
    return true;
}

const std::string* TIniSection::Find(std::string_view key) const {
    for (const auto& entry : Keys) {
        if (EqualsNoCase(entry.first, key)) return &entry.second;
    }
    return nullptr;
}

bool TIniSection::Has(std::string_view key) const {
    return Find(key) != nullptr;
}

std::string TIniSection::ReadString(std::string_view key, const std::string& defaultValue) const {
    const std::string* value = Find(key);
    return value ? *value : defaultValue;
}

long TIniSection::ReadInteger(std::string_view key, long defaultValue) const {
    const std::string* text = Find(key);
    long value = 0;
    return (text && ParseIniInteger(*text, value)) ? value : defaultValue;
}

bool TIniSection::ReadBool(std::string_view key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

std::string FindConfigurationFile(const std::string& modulePath, const std::string& programPath) {
    std::vector<fs::path> candidates;
    for (const std::string* path : {&modulePath, &programPath}) {
        if (path->empty()) continue;
        fs::path etc(*path);
        etc.replace_extension(".ETC");
        candidates.push_back(etc);
    }
    for (const std::string* path : {&modulePath, &programPath}) {
        if (path->empty()) continue;
        candidates.push_back(fs::path(*path).parent_path() / "TRACE.INI");
    }
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) return candidate.string();
    }
    return {};
}

std::string DefaultProgramPath() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::string DefaultModulePath() {
    Dl_info info{};
    link_map* map = nullptr;
    // Any address inside this binary will do; the link map tells a library (its path) from the
    // program itself (empty name; dladdr would give argv[0], which may be relative).
    if (::dladdr1(reinterpret_cast<void*>(&DefaultModulePath), &info,
                  reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) != 0 &&
        map != nullptr && map->l_name != nullptr && map->l_name[0] != '\0') {
        return map->l_name;
    }
    return DefaultProgramPath();
}

std::string ComDeviceName(int port) {
    return "/dev/ttyS" + std::to_string(port - 1);
}

// ---- clock --------------------------------------------------------------------------------

TTraceClock::TTraceClock() {
    Locale = ::newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr));
    const char* dateFormat = Locale ? ::nl_langinfo_l(D_FMT, Locale) : nullptr;
    const char* timeFormat = Locale ? ::nl_langinfo_l(T_FMT, Locale) : nullptr;
    if (dateFormat == nullptr || timeFormat == nullptr || *dateFormat == '\0' ||
        *timeFormat == '\0' || std::strcmp(dateFormat, "%m/%d/%y") == 0) {
        DateFormatText = "%d.%m.%Y";
        TimeFormatText = "%H:%M:%S";
    } else {
        DateFormatText = "%x";
        TimeFormatText = "%X";
    }
    if (Locale == nullptr) Locale = ::newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
    ::tzset();
}

TTraceClock::~TTraceClock() {
    if (Locale) ::freelocale(Locale);
}

void TTraceClock::Format(const std::tm& moment, std::string& date, std::string& time) const {
    // Literal formats only (-Wformat-nonliteral); Locale is only null if even "C" failed.
    const bool localeFormats = DateFormatText == "%x";
    char buffer[128];
    std::size_t n = 0;
    if (Locale != nullptr) {
        n = localeFormats ? ::strftime_l(buffer, sizeof buffer, "%x", &moment, Locale)
                          : ::strftime_l(buffer, sizeof buffer, "%d.%m.%Y", &moment, Locale);
    } else {
        n = std::strftime(buffer, sizeof buffer, "%d.%m.%Y", &moment);
    }
    date.assign(buffer, n);
    if (Locale != nullptr) {
        n = localeFormats ? ::strftime_l(buffer, sizeof buffer, "%X", &moment, Locale)
                          : ::strftime_l(buffer, sizeof buffer, "%H:%M:%S", &moment, Locale);
    } else {
        n = std::strftime(buffer, sizeof buffer, "%H:%M:%S", &moment);
    }
    time.assign(buffer, n);
}

void TTraceClock::Now(std::string& date, std::string& time) const {
    const std::time_t now = std::time(nullptr);
    std::tm moment{};
    ::localtime_r(&now, &moment);
    Format(moment, date, time);
}

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

// Under the lock: appends one line in the configured output form.
void TveskTraceUnit::AppendRecord(std::string& out, std::string_view line) const {
    if (TextOutput) {
        out.append(line);
        out += "\r\n";
    } else {
        out += EncodeLine(line);
    }
}

// Under the lock.
void TveskTraceUnit::StartLogging() {
    if (FileOn.load(std::memory_order_relaxed)) StopLogging();
    std::string date;
    std::string time;
    Clock.Now(date, time);
    std::string text;
    int flags = O_WRONLY | O_APPEND | O_CLOEXEC;
    struct stat status {};
    if (AppendMode && ::stat(FilePath.c_str(), &status) == 0) {
        AppendRecord(text, "logging started: " + date + ", " + time);
    } else {
        const std::string stars(kStarsCount, '*');
        AppendRecord(text, stars);
        AppendRecord(text, "logfile created: " + date + ", " + time);
        AppendRecord(text, LogOptionsLine(Levels.load(std::memory_order_relaxed)));
        AppendRecord(text, stars);
        flags |= O_CREAT | O_TRUNC;
    }
    // Any failure leaves the file inactive, silently.
    const int fd = ::open(FilePath.c_str(), flags, kFileMode);
    if (fd < 0) return;
    const bool written = WriteAll(fd, text.data(), text.size());
    const bool closed = ::close(fd) == 0;
    if (written && closed) FileOn.store(true, std::memory_order_relaxed);
}

// Under the lock.
void TveskTraceUnit::StopLogging() {
    if (!FileOn.load(std::memory_order_relaxed)) return;
    FileOn.store(false, std::memory_order_relaxed);
    PublishGate();
    std::string date;
    std::string time;
    Clock.Now(date, time);
    std::string text;
    if (AppendMode) {
        AppendRecord(text, "logging stopped: " + date + ", " + time);
    } else {
        const std::string stars(kStarsCount, '*');
        AppendRecord(text, "");
        AppendRecord(text, stars);
        AppendRecord(text, "logfile closed: " + date + ", " + time);
        AppendRecord(text, stars);
    }
    const int fd = ::open(FilePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kFileMode);
    bool ok = fd >= 0;
    if (ok) {
        ok = WriteAll(fd, text.data(), text.size());
        ok = (::close(fd) == 0) && ok;
    }
    if (!ok) DebugOutput("error appending logfile\n");
}

// Under the lock. The file is open only while one line is written, so every line is on disk
// at once. The whole record goes out in one write() on an O_APPEND descriptor: lines of the
// other trace unit (its own lock, same file) cannot land inside it. A file deleted while the
// program runs is created again (appending only would lose every later line).
void TveskTraceUnit::WriteFileLine(const std::string& line) {
    const int fd = ::open(FilePath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        DebugOutput("error appending tracefile\n");
        return;
    }
    std::string record;
    AppendRecord(record, line);
    bool ok = WriteAll(fd, record.data(), record.size());
    ok = (::close(fd) == 0) && ok;
    if (!ok) DebugOutput("error writing to tracefile\n");
}

// Under the lock. Opens the port for this one text , sets 8N1 keeping every
// other setting (the baud rate is whatever the device is set to), writes everything, closes.
// Linux has no SetupComm: the driver's buffers are what they are.
void TveskTraceUnit::SendToComPort(const std::string& text) {
    if (text.empty()) return;
    const int port = ComPort.load(std::memory_order_relaxed);
    if (port <= 0) return;
    const std::string device = ComDeviceOverride.empty() ? ComDeviceName(port) : ComDeviceOverride;
    // Non-blocking: opening must not wait for a carrier, writing must not hang on flow control.
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        ComPort.store(0, std::memory_order_relaxed);  // no further attempts in this run
        PublishGate();
        return;
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) == 0) {
        settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
        settings.c_cflag |= CS8;
        (void)::tcsetattr(fd, TCSANOW, &settings);
    }
    using Clock = std::chrono::steady_clock;
    constexpr auto kStallLimit = std::chrono::seconds(5);
    const char* rest = text.data();
    std::size_t left = text.size();
    auto lastProgress = Clock::now();
    while (left > 0) {
        // Write only while fewer than 100 bytes wait in the output queue.
        int queued = 0;
        const bool room = ::ioctl(fd, TIOCOUTQ, &queued) != 0 || queued < 100;
        if (room) {
            const ssize_t written = ::write(fd, rest, left);
            if (written > 0) {
                rest += written;
                left -= static_cast<std::size_t>(written);
                lastProgress = Clock::now();
                continue;
            }
            if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                break;  // a communication error drops the rest of the line
            }
        }
        if (Clock::now() - lastProgress > kStallLimit) {
            (void)::tcflush(fd, TCOFLUSH);  // stalled (flow control): drop it, do not block close
            break;
        }
        if (room) {
            pollfd wait{fd, POLLOUT, 0};
            (void)::poll(&wait, 1, 10);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    ::close(fd);
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
