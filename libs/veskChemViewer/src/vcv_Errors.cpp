#include "vcv_Errors.h"

#include <algorithm>
#include <cstring>

namespace vcv {

namespace {

// The error text is split at commas by its reader, so the text part must not hold one; line
// breaks from a parser's message would break a one-line display.
std::string Clean(std::string s, bool allowCommas) {
    for (char& c : s) {
        if (static_cast<unsigned char>(c) < 0x20 || (!allowCommas && c == ',')) c = ' ';
    }
    return s;
}

}  // namespace

Failure::Failure(int code, std::string text, std::string detail) : Code_(code) {
    Message_ = std::to_string(code) + ", " + Clean(std::move(text), false);
    if (!detail.empty()) Message_ += ", " + Clean(std::move(detail), true);
}

void Fail(int code, std::string text, std::string detail) {
    throw Failure(code, std::move(text), std::move(detail));
}

void WriteText(char* buffer, int32_t size, std::string_view text) noexcept {
    if (buffer == nullptr || size <= 0) return;
    const size_t n = std::min(text.size(), static_cast<size_t>(size) - 1);
    if (n > 0) std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

void WriteResult(char* buffer, int32_t size, std::string_view text) {
    if (buffer == nullptr || size <= 0) Fail(VESK_VIEWER_ERR_ARGUMENT, "no result buffer");
    if (text.size() + 1 > static_cast<size_t>(size)) {
        buffer[0] = '\0';
        Fail(VESK_VIEWER_ERR_BUFFER, "buffer too small",
             "needs " + std::to_string(text.size() + 1) + " bytes");
    }
    WriteText(buffer, size, text);
}

void ReportException(char* errBuf, int32_t errSize, const std::exception& e) noexcept {
    try {
        if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr) {
            WriteText(errBuf, errSize, "9, out of memory");
            return;
        }
        WriteText(errBuf, errSize,
                  Failure(VESK_VIEWER_ERR_INTERNAL, "internal error", e.what()).what());
    } catch (...) {
        WriteText(errBuf, errSize, "9, internal error");
    }
}

}  // namespace vcv
