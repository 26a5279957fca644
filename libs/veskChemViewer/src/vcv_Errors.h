#pragma once
// Failures inside the library and the one guard that turns them into the C error text.

#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <string_view>

#include "veskChemViewer.h"

namespace vcv {

// A failure with the number, text and detail the caller sees in its error buffer.
class Failure : public std::exception {
public:
    Failure(int code, std::string text, std::string detail = {});
    const char* what() const noexcept override { return Message_.c_str(); }
    int Code() const { return Code_; }

private:
    int Code_;
    std::string Message_;
};

[[noreturn]] void Fail(int code, std::string text, std::string detail = {});

// Copies text into a caller's buffer, cut to size - 1 bytes and zero-terminated.
void WriteText(char* buffer, int32_t size, std::string_view text) noexcept;

// Writes a result text, or fails with ERR_BUFFER when text and zero do not fit.
void WriteResult(char* buffer, int32_t size, std::string_view text);

void ReportException(char* errBuf, int32_t errSize, const std::exception& e) noexcept;

// Runs one export's body: 1 and an empty error text on success, 0 and the error text on any
// failure. Nothing is thrown past it.
template <typename Body>
int32_t Guard(char* errBuf, int32_t errSize, Body&& body) noexcept {
    try {
        body();
        WriteText(errBuf, errSize, {});
        return 1;
    } catch (const Failure& f) {
        WriteText(errBuf, errSize, f.what());
    } catch (const std::exception& e) {
        ReportException(errBuf, errSize, e);
    } catch (...) {
        WriteText(errBuf, errSize, "9, internal error, unknown exception");
    }
    return 0;
}

}  // namespace vcv
