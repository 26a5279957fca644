#pragma once
// Helpers of the trace tests: temporary folders, files, and readers for the two line forms.

#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "ZelmarTestTempDir.h"
#include "vesk_Trace.h"

namespace traceTest {

namespace fs = std::filesystem;

using TTempDir = TTestTempDir;

inline void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline long ThreadId() {
    return static_cast<long>(::syscall(SYS_gettid));
}

// Plain-text trace file: every line ends in CR LF, no other CR or LF anywhere.
inline ::testing::AssertionResult SplitCrLfLines(const std::string& text,
                                                 std::vector<std::string>& lines) {
    lines.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            return ::testing::AssertionFailure()
                   << "text after the last CR LF: \"" << text.substr(start) << "\"";
        }
        std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) {
            return ::testing::AssertionFailure() << "stray CR or LF in line \"" << line << "\"";
        }
        lines.push_back(std::move(line));
        start = end + 2;
    }
    return ::testing::AssertionSuccess();
}

inline std::vector<std::string> TextLines(const std::string& path) {
    std::vector<std::string> lines;
    EXPECT_TRUE(SplitCrLfLines(ReadFile(path), lines)) << path;
    return lines;
}

// Encoded trace file: records of a four-digit upper-case hex length and the XOR-coded bytes,
// one after the other. Fails on anything else (a record broken by another record, say).
inline ::testing::AssertionResult DecodeRecords(const std::string& text,
                                                std::vector<std::string>& lines) {
    lines.clear();
    const auto hexValue = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;  // lower case is not the format
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (pos + 4 > text.size()) return ::testing::AssertionFailure() << "short length field";
        std::size_t length = 0;
        for (int i = 0; i < 4; ++i) {
            const int v = hexValue(text[pos + i]);
            if (v < 0) return ::testing::AssertionFailure() << "bad length digit at " << pos + i;
            length = length * 16 + static_cast<std::size_t>(v);
        }
        pos += 4;
        if (pos + 2 * length > text.size()) {
            return ::testing::AssertionFailure() << "record of " << length << " runs past the end";
        }
        std::string line;
        unsigned counter = 1;
        for (std::size_t i = 0; i < length; ++i) {
            const int high = hexValue(text[pos + 2 * i]);
            const int low = hexValue(text[pos + 2 * i + 1]);
            if (high < 0 || low < 0) {
                return ::testing::AssertionFailure() << "bad data digit at " << pos + 2 * i;
            }
            line += static_cast<char>(static_cast<unsigned>(high * 16 + low) ^ counter);
            counter = counter == 255 ? 1 : counter + 1;
        }
        pos += 2 * length;
        lines.push_back(std::move(line));
    }
    return ::testing::AssertionSuccess();
}

// One trace unit's public functions, so that every behaviour is tested on both units.
struct TTraceApi {
    const char* Name;
    void (*Message)(const char*, TTraceLevel, const char*, ...) noexcept;
    void (*MessageS)(const std::string&, TTraceLevel, const char*, ...) noexcept;
    void (*Exception)(const char*, const std::exception&) noexcept;
    void (*ExceptionS)(const std::string&, const std::exception&) noexcept;
    void (*ExceptionUnknown)(const char*) noexcept;
    bool (*LevelActive)(TTraceLevel) noexcept;
    void (*ReadConfiguration)(const std::string&, const std::string&) noexcept;
    void (*Shutdown)() noexcept;
    std::size_t MaxLineChars;  // 0: lines are not cut
};

inline const TTraceApi& VeskTraceApi() {
    static const TTraceApi api{"vesk_Trace",        &::TraceMessage,
                               &::TraceMessage,     &::TraceException,
                               &::TraceException,   &::TraceException,
                               &::TraceLevelActive, &::TraceReadConfiguration,
                               &::TraceShutdown,    0};
    return api;
}

inline const TTraceApi& SecondUnitApi() {
    static const TTraceApi api{"veskTrace",
                               &veskTrace::TraceMessage,
                               &veskTrace::TraceMessage,
                               &veskTrace::TraceException,
                               &veskTrace::TraceException,
                               &veskTrace::TraceException,
                               &veskTrace::TraceLevelActive,
                               &veskTrace::TraceReadConfiguration,
                               &veskTrace::TraceShutdown,
                               31996};
    return api;
}

}  // namespace traceTest
