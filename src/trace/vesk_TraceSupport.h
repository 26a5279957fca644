#pragma once
// Small helpers shared by the trace unit's source files; not for other code.

#include <cstddef>
#include <string>
#include <string_view>

namespace veskTraceImpl {

inline bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

inline std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
    return text;
}

inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

// The debugger output (standard error). One write per text, so that lines of different threads
// stay whole; Linux line ends (LF), since it is a terminal or a log, not the trace file.
void DebugOutput(std::string_view text) noexcept;

}  // namespace veskTraceImpl
