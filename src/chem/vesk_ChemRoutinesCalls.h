#pragma once
// What the binding's units share: the library's exports with their C types, calling them with
// an error buffer, and the small helpers around the calls. Not part of the binding's interface.

#include <cxxabi.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <typeinfo>
#include <utility>

#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"

namespace routines_binding {

// ---- the exports, as the library declares them ----

using TInt = std::int32_t;
using THandle = std::uintptr_t;
using TProgressCallback = TInt (*)(TInt progress, void* userData);

// An export's name bound to its function type. Every call appends ErrBuf and its size.
template <typename Fn>
struct TExport {
    const char* Name;
};

// OpenMolString flag: read the atoms at once (otherwise on the first question about them).
constexpr TInt kParseMoleculeNow = 1;
constexpr TExport<TInt (*)(THandle*, const char*, TInt, TInt, char*, TInt)> xOpenMolString{
    "OpenMolString"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroyMolFile{"DestroyMolFile"};
constexpr TExport<TInt (*)(THandle, char*, TInt, char*, TInt)> xGetMolFileFormula{
    "GetMolFileFormula"};
constexpr TExport<TInt (*)(THandle, const char*, char*, TInt, char*, TInt)> xGetMolFileFormulaEx{
    "GetMolFileFormulaEx"};
constexpr TExport<TInt (*)(THandle, double*, char*, TInt)> xGetMolFileMass{"GetMolFileMass"};
constexpr TExport<TInt (*)(THandle, char*, TInt, char*, TInt)> xGetMolFileSmiles{
    "GetMolFileSmiles"};
// Optional: libraries made before InChI lack them.
using TIdentifierProc = TInt (*)(THandle, char*, TInt, char*, TInt);
constexpr const char* xGetMolFileInchi = "GetMolFileInchi";
constexpr const char* xGetMolFileInchiKey = "GetMolFileInchiKey";
constexpr TExport<TInt (*)(THandle, char**, char*, TInt)> xGetMolFileOrgString{
    "GetMolFileOrgString"};
constexpr TExport<TInt (*)(THandle*, char*, TInt)> xCreateEmptySDFileDataEntryList{
    "CreateEmptySDFileDataEntryList"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroySDFileDataEntryList{
    "DestroySDFileDataEntryList"};
constexpr TExport<TInt (*)(THandle*, const char*, TInt, char*, TInt)> xCreateSDFileDataEntry{
    "CreateSDFileDataEntry"};
constexpr TExport<TInt (*)(THandle, const char*, char*, TInt)> xAddSDFileDataLine{
    "AddSDFileDataLine"};
constexpr TExport<TInt (*)(THandle, THandle, char*, TInt)> xAddSDFileDataEntry{
    "AddSDFileDataEntry"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroySDFileDataEntry{"DestroySDFileDataEntry"};
constexpr TExport<TInt (*)(THandle, TInt*, char*, TInt)> xGetSDFileDataEntryCount{
    "GetSDFileDataEntryCount"};
constexpr TExport<TInt (*)(THandle, THandle*, TInt, char*, TInt)> xGetSDFileDataEntryNo{
    "GetSDFileDataEntryNo"};
constexpr TExport<TInt (*)(THandle, char*, TInt, char*, TInt)> xGetSDFileDataEntryName{
    "GetSDFileDataEntryName"};
constexpr TExport<TInt (*)(THandle, TInt*, char*, TInt)> xGetSDFileDataLineCount{
    "GetSDFileDataLineCount"};
constexpr TExport<TInt (*)(THandle, TInt, char*, TInt, char*, TInt)> xGetSDFileDataLineNo{
    "GetSDFileDataLineNo"};
constexpr TExport<TInt (*)(THandle*, const char*, char*, TInt)> xOpenSDFile{"OpenSDFile"};
constexpr TExport<TInt (*)(THandle*, const char*, void*, TProgressCallback, char*, TInt)>
    xOpenSDFileRA3{"OpenSDFileRA3"};
constexpr TExport<TInt (*)(THandle, TInt*, char*, TInt)> xGetSDFileEntryCountRA{
    "GetSDFileEntryCountRA"};
constexpr TExport<TInt (*)(THandle, TInt, THandle*, TInt, THandle*, char*, TInt)> xGetSDFileEntryRA{
    "GetSDFileEntryRA"};
constexpr TExport<TInt (*)(THandle, std::uint8_t*, char*, TInt)> xSDFileEndReached{
    "SDFileEndReached"};
constexpr TExport<TInt (*)(THandle, THandle*, TInt, THandle*, char*, TInt)> xGetNextSDFileEntry{
    "GetNextSDFileEntry"};
constexpr TExport<TInt (*)(THandle, double*, char*, TInt)> xGetSDFileProgress{"GetSDFileProgress"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroySDFile{"DestroySDFile"};
constexpr TExport<TInt (*)(THandle*, const char*, char*, TInt)> xCreateNewSDFile{"CreateNewSDFile"};
constexpr TExport<TInt (*)(THandle, THandle, TInt, TInt, THandle, TInt, char*, TInt)>
    xAddSDFileEntry{"AddSDFileEntry"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroySDFileProducer{"DestroySDFileProducer"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xAbortSDFileProducer{"AbortSDFileProducer"};
constexpr TExport<TInt (*)(THandle, TInt, char**, TInt*, char*, TInt)> xGetSDFileEntryTextRA{
    "GetSDFileEntryTextRA"};
constexpr TExport<TInt (*)(const char*, TInt, THandle*, TInt, THandle*, char*, TInt)>
    xOpenSDFileEntryText{"OpenSDFileEntryText"};
constexpr TExport<TInt (*)(THandle, TInt, TInt, char**, TInt*, char**, TInt*, char*, TInt)>
    xReadSDFileEntryRA{"ReadSDFileEntryRA"};
constexpr TInt kReadFormula = 1;
constexpr TExport<TInt (*)(THandle, const char*, TInt, char*, TInt)> xAddSDFileEntryText{
    "AddSDFileEntryText"};
constexpr TExport<TInt (*)(THandle, THandle, TInt, THandle, const char*, TInt, TInt, char*, TInt)>
    xAddSDFileEntryEx{"AddSDFileEntryEx"};

// AddSDFileEntryEx: which molecule to write, and the line ends of a record without original.
constexpr TInt kWriteMolecule = 1;
constexpr TInt kWriteOriginalMolecule = 2;
constexpr TInt kLineEndsLf = 0;
constexpr TInt kLineEndsCrLf = 1;

constexpr std::int32_t kErrBufSize = 256;
constexpr std::int32_t kFormulaBufSize = 256;
constexpr std::int32_t kDataBufSize = 64001;
// Texts longer than a data buffer are read again through larger buffers up to this size.
constexpr std::int32_t kMaxDataBufSize = 1 << 30;

// Only the low byte of a result counts.
inline bool Succeeded(std::int32_t result) {
    return (result & 0xFF) != 0;
}

struct TErrBuf {
    char Text[kErrBufSize];
    TErrBuf() { Text[0] = '\0'; }
    // The library's message; a failure without one still gets a text, so that a caller
    // testing LastError for emptiness sees it.
    std::string Message(const char* procName) const {
        const std::size_t length = ::strnlen(Text, kErrBufSize);
        if (length > 0) return {Text, length};
        return std::string(procName) + " failed";
    }
};

// The export's address, or nullptr with the reason in lastError.
template <typename Fn>
Fn Proc(const TExport<Fn>& proc, const char* className, const TRoutinesLibraryRef& lib,
        std::string& lastError) {
    return reinterpret_cast<Fn>(GetProcAddressEx(className, lib->Handle(), proc.Name, lastError));
}

// Looks the export up and calls it with the error buffer; a failure leaves the library's
// message (or the lookup's) in lastError.
template <typename Fn, typename... Args>
bool Call(const TExport<Fn>& proc, const char* className, const TRoutinesLibraryRef& lib,
          std::string& lastError, Args... args) {
    const Fn fn = Proc(proc, className, lib, lastError);
    if (fn == nullptr) return false;
    TErrBuf err;
    if (Succeeded(fn(args..., err.Text, kErrBufSize))) return true;
    lastError = err.Message(proc.Name);
    return false;
}

// Runs its step when the scope ends, also while an exception passes.
template <typename Step>
class TFinally {
public:
    explicit TFinally(Step step) : FStep(std::move(step)) {}
    ~TFinally() { GuardedVoid("vesk_chemRoutines.Finally", FStep); }
    TFinally(const TFinally&) = delete;
    TFinally& operator=(const TFinally&) = delete;

private:
    Step FStep;
};

// The library, loaded once per file for all wrappers (the name is RoutinesLibraryName unless a
// test chose another file); lastError gets "Library not loaded: ..." when that fails.
TRoutinesLibraryRef LoadRoutines(std::string& lastError);

// The scan's progress, from the library to the manager that opened the file.
std::int32_t OnProgressCallback(std::int32_t progress, void* userData) noexcept;

// ---- reading texts through the data buffers ----

// Reads one text through a 64001-byte buffer. When the text does not fit, the library fails
// and leaves the text's cut start in the buffer; the text is then read again through a larger
// buffer instead of being lost.
template <typename Call>
bool ReadDataText(Call&& call, const char* procName, std::string& text, std::string& error) {
    thread_local std::unique_ptr<char[]> buffer;
    if (!buffer) buffer.reset(new char[kDataBufSize]);
    std::unique_ptr<char[]> larger;
    char* data = buffer.get();
    std::int32_t size = kDataBufSize;
    for (;;) {
        data[0] = '\0';
        TErrBuf err;
        if (Succeeded(call(data, size, err.Text))) {
            text.assign(data, ::strnlen(data, static_cast<std::size_t>(size)));
            return true;
        }
        // A cut text ends at most three bytes (a split UTF-8 character) before the end.
        const std::size_t got = ::strnlen(data, static_cast<std::size_t>(size));
        if (got + 4 < static_cast<std::size_t>(size) || size >= kMaxDataBufSize) {
            error = err.Message(procName);
            return false;
        }
        size = size > kMaxDataBufSize / 4 ? kMaxDataBufSize : size * 4;
        larger.reset(new char[static_cast<std::size_t>(size)]);
        data = larger.get();
    }
}

inline std::string TrimBlanks(const std::string& text) {
    std::string::size_type first = 0;
    std::string::size_type last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

inline std::string DemangledTypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type.name());
}

const char* const kMolManager = "TveskMolManager";
const char* const kEntryData = "TveskSDFileEntryData";
const char* const kEntry = "TveskSDFileEntry";
const char* const kManager = "TveskSDFileManager";
const char* const kWriter = "TveskSDFileWriter";

// Reads the record that ReadSDFileEntryRA packed; every read checks the bounds, so a short or
// damaged buffer fails instead of reading past its end.
class TPackedRecord {
public:
    TPackedRecord(const char* data, std::size_t size) : FData(data), FSize(size) {}
    bool Int(std::int32_t& value) { return Raw(&value, sizeof value); }
    bool Double(double& value) { return Raw(&value, sizeof value); }
    bool Text(std::string& text) {
        std::int32_t length = 0;
        if (!Int(length) || length < 0 || static_cast<std::size_t>(length) > FSize - FAt)
            return false;
        text.assign(FData + FAt, static_cast<std::size_t>(length));
        FAt += static_cast<std::size_t>(length);
        return true;
    }
    // The same as a view into the packed bytes.
    bool View(std::string_view& text) {
        std::int32_t length = 0;
        if (!Int(length) || length < 0 || static_cast<std::size_t>(length) > FSize - FAt)
            return false;
        text = std::string_view(FData + FAt, static_cast<std::size_t>(length));
        FAt += static_cast<std::size_t>(length);
        return true;
    }

private:
    bool Raw(void* value, std::size_t size) {
        if (size > FSize - FAt) return false;
        std::memcpy(value, FData + FAt, size);
        FAt += size;
        return true;
    }
    const char* FData;
    std::size_t FSize;
    std::size_t FAt = 0;
};

}  // namespace routines_binding
