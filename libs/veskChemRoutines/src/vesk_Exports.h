#pragma once
// What the library's C entry points share: the objects behind the handles that more than one
// kind of call uses, copying texts out to the caller's buffers, Guard (no exception crosses the
// boundary) and the checks of handles and arguments.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_Handles.h"
#include "vesk_SDRecord.h"

namespace vesk {

// ---- objects behind the handles ----

struct DataEntryObject {
    std::mutex mutex;
    // Shared with lists and other handles while unchanged; copied before a change.
    std::shared_ptr<SDDataItem> item;
};

struct DataListObject {
    std::mutex mutex;
    std::vector<std::shared_ptr<SDDataItem>> items;
};

// ---- text out-buffers ----

// Length of the longest prefix of `text` that fits `room` bytes without cutting a UTF-8
// character in two. Bytes that are not UTF-8 (Latin-1 values) are cut anywhere.
inline std::size_t FittingPrefix(std::string_view text, std::size_t room) {
    if (text.size() <= room) return text.size();
    std::size_t lead = room;
    int back = 0;
    while (lead > 0 && back < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) {
        --lead;
        ++back;
    }
    if (back > 0) {
        auto c = static_cast<unsigned char>(text[lead]);
        std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (length > 1 && lead + length > room) return lead;
    }
    return room;
}

// Copies as much as fits, always zero-terminated; true when all of it fitted.
inline bool CopyOut(std::string_view text, char* buffer, std::int32_t size) noexcept {
    if (!buffer || size <= 0) return text.empty();
    std::size_t room = static_cast<std::size_t>(size) - 1;
    std::size_t n = FittingPrefix(text, room);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n == text.size();
}

inline bool CopyToCaller(std::string_view text, char* buffer, std::int32_t size, const char* what,
                         std::string& error) {
    if (!buffer) {
        error = std::string("no buffer for the ") + what;
        return false;
    }
    if (CopyOut(text, buffer, size)) return true;
    error = std::string("the ") + what + " (" + std::to_string(text.size()) +
            " bytes) does not fit the buffer of " + std::to_string(size < 0 ? 0 : size) + " bytes";
    return false;
}

template <typename Body>
std::int32_t Guard(char* errBuf, std::int32_t errSize, Body&& body) noexcept {
    bool ok = false;
    std::string error;
    try {
        ok = body(error);
    } catch (const std::bad_alloc&) {
        ok = false;
        error.clear();
        CopyOut("out of memory", errBuf, errSize);
        return 0;
    } catch (const std::exception& e) {
        ok = false;
        try {
            error = std::string("internal error: ") + e.what();
        } catch (...) {
            error.clear();
        }
    } catch (...) {
        ok = false;
        error.clear();
    }
    if (ok) {
        CopyOut("", errBuf, errSize);
        return 1;
    }
    CopyOut(error.empty() ? std::string_view("internal error") : std::string_view(error), errBuf,
            errSize);
    return 0;
}

// ---- argument checks ----

template <typename T>
bool Out(T* pointer, const char* what, std::string& error) {
    if (pointer) return true;
    error = std::string("the ") + what + " out argument is NULL";
    return false;
}

template <typename T>
std::shared_ptr<T> Lookup(std::uintptr_t handle, const char* kind, std::string& error) {
    std::shared_ptr<T> object = handle ? Handles<T>().Find(handle) : nullptr;
    if (!object) error = std::string("invalid ") + kind + " handle " + std::to_string(handle);
    return object;
}

template <typename T>
bool Release(std::uintptr_t handle, const char* kind, std::string& error) {
    if (handle && Handles<T>().Remove(handle)) return true;
    error = std::string("invalid ") + kind + " handle " + std::to_string(handle);
    return false;
}

inline bool Reserved(std::int32_t value, const char* name, std::string& error) {
    if (value == 0) return true;
    error = std::string(name) + " must be 0";
    return false;
}

inline bool Index(std::int32_t index, std::size_t count, const char* what, std::string& error) {
    if (index >= 0 && static_cast<std::size_t>(index) < count) return true;
    error = std::string(what) + " index " + std::to_string(index) + " is out of range (0.." +
            std::to_string(static_cast<long long>(count) - 1) + ")";
    return false;
}

inline bool IsBlankText(const char* text) {
    for (const char* p = text; *p; ++p) {
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
    }
    return true;
}

}  // namespace vesk
