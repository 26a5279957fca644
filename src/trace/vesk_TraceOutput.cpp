// The trace unit's outputs: the trace file (plain or encoded records, its opening and closing
// banners), the COM port, the debugger output, and the clock their lines are stamped with.
#include <fcntl.h>
#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "vesk_TraceSupport.h"
#include "vesk_TraceUnit.h"

namespace veskTraceImpl {

namespace {

const char* const kOptionNames[] = {"",       " Information", " Success", " Warning",
                                    " Error", " FatalError",  " Debug"};
constexpr std::size_t kStarsCount = 79;
constexpr int kFileMode = 0666;  // less the umask, as any created file

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

}  // namespace

void DebugOutput(std::string_view text) noexcept {
    (void)WriteAll(STDERR_FILENO, text.data(), text.size());
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

}  // namespace veskTraceImpl
