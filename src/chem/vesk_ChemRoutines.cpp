#include "vesk_ChemRoutines.h"

#include <cxxabi.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <typeinfo>
#include <utility>

#include "vesk_Guard.h"
#include "vesk_Trace.h"

const char* const RoutinesLibraryName = "libveskChemRoutines.so";

namespace {

// ---- the exports, as the library declares them ----

using TInt = std::int32_t;
using THandle = std::uintptr_t;
using TProgressCallback = TInt (*)(TInt progress, void* userData);

// An export's name bound to its function type. Every call appends ErrBuf and its size.
template <typename Fn>
struct TExport {
    const char* Name;
};

constexpr TExport<TInt (*)(THandle*, const char*, TInt, TInt, char*, TInt)> xOpenMolString{
    "OpenMolString"};
constexpr TExport<TInt (*)(THandle, char*, TInt)> xDestroyMolFile{"DestroyMolFile"};
constexpr TExport<TInt (*)(THandle, char*, TInt, char*, TInt)> xGetMolFileFormula{
    "GetMolFileFormula"};
constexpr TExport<TInt (*)(THandle, const char*, char*, TInt, char*, TInt)> xGetMolFileFormulaEx{
    "GetMolFileFormulaEx"};
constexpr TExport<TInt (*)(THandle, double*, char*, TInt)> xGetMolFileMass{"GetMolFileMass"};
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

// ---- which file to load ----

std::string& LibraryFileOverride() {
    static std::string file;
    return file;
}
std::atomic<bool> LibraryFileOverridden{false};

std::string LibraryFile() {
    if (LibraryFileOverridden.load(std::memory_order_acquire)) return LibraryFileOverride();
    return RoutinesLibraryName;
}

// Messages name the library's file, not the folder it was looked for in.
std::string FileNamePart(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Every record and data item holds a reference to the library. They share one loaded copy
// per library file: taking a reference is then a counter step, not a trip through the
// dynamic loader (which costs more than reading a small record).
struct TSharedLibrary {
    std::mutex Mutex;
    std::string File;                                // the name it was loaded by
    std::weak_ptr<const platform::TLibraryRef> Ref;  // alive while any wrapper holds it
};

TRoutinesLibraryRef LoadRoutines(std::string& lastError) {
    static TSharedLibrary shared;
    const std::string file = LibraryFile();
    std::lock_guard<std::mutex> lock(shared.Mutex);
    if (shared.File == file) {
        if (TRoutinesLibraryRef library = shared.Ref.lock()) return library;
    }
    auto library = std::make_shared<const platform::TLibraryRef>(file);
    if (!*library) {
        lastError = "Library not loaded: " + FileNamePart(file);
        return library;
    }
    shared.File = file;
    shared.Ref = library;
    return library;
}

// ---- the unit-wide lock around the progress relay ----

// Exists from unit initialisation to finalisation; a callback outside that time runs unlocked
// (Alive is constant-initialised to false, so it is also false before the constructor ran).
// The scan's progress goes to the manager that opened the file, on the scanning thread. No
// lock is held meanwhile: a handler that waits for another thread must not hold up every
// other file being scanned.
std::int32_t OnProgressCallback(std::int32_t progress, void* userData) noexcept {
    auto* manager = static_cast<TveskSDFileManager*>(userData);
    if (manager == nullptr) return 1;
    GuardedVoid("OnProgressCallback", [&] {
        // The scan cannot be stopped halfway, so the handler's answer is not used.
        if (manager->OnProgress) manager->OnProgress(manager, static_cast<double>(progress));
    });
    return 1;
}

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

std::string TrimBlanks(const std::string& text) {
    std::string::size_type first = 0;
    std::string::size_type last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

std::string DemangledTypeName(const std::type_info& type) {
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

}  // namespace

void SetRoutinesLibraryFile(const std::string& file) {
    LibraryFileOverride() = file;
    LibraryFileOverridden.store(!file.empty(), std::memory_order_release);
}

void* GetProcAddressEx(const char* className, platform::TLibraryHandle libHandle,
                       const char* procName, std::string& lastError) noexcept {
    const char* const source = "vesk_chemRoutines.GetProcAddressEx";
    try {
        if (libHandle == nullptr) {
            lastError = std::string("library handle not set (") + className + ": " + procName + ")";
            TraceMessage(source, tlFatalError, "%s", lastError.c_str());
            return nullptr;
        }
        void* address = platform::GetProcAddress(libHandle, procName);
        if (address == nullptr) {
            lastError =
                std::string("procedure not found in library (") + className + ": " + procName + ")";
            TraceMessage(source, tlFatalError, "%s", lastError.c_str());
        }
        return address;
    } catch (const std::exception& e) {
        try {
            lastError = std::string("internal exception: ") + e.what() + " (" + className + ": " +
                        procName + ")";
        } catch (...) {
        }
        TraceException(source, e);
    } catch (...) {
        try {
            lastError = std::string("internal exception: unknown exception (") + className + ": " +
                        procName + ")";
        } catch (...) {
        }
        TraceException(source);
    }
    return nullptr;
}

// ==== TveskMolManager ========================================================================

TveskMolManager::TveskMolManager() : FLib(LoadRoutines(LastError)) {}

TveskMolManager::~TveskMolManager() = default;

bool TveskMolManager::OpenMolString(const std::string& text, std::uintptr_t& molHandle) {
    return Guarded("TveskMolManager.OpenMolString", false, [&] {
        molHandle = 0;
        if (!IsLibLoaded()) return false;
        THandle handle = 0;
        if (!Call(xOpenMolString, kMolManager, FLib, LastError, &handle, text.c_str(), 0, 0))
            return false;
        molHandle = handle;
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::DestroyMolFile(std::uintptr_t molHandle) {
    return Guarded("TveskMolManager.DestroyMolFile", false, [&] {
        if (molHandle == 0 || !IsLibLoaded()) return false;
        if (!Call(xDestroyMolFile, kMolManager, FLib, LastError, molHandle)) return false;
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::GetMolFormula(std::uintptr_t molHandle, std::string& formula, bool extended,
                                    const std::string& separator) {
    formula.clear();
    return Guarded("TveskMolManager.GetMolFormula", false, [&] {
        if (!IsLibLoaded()) return false;
        char buffer[kFormulaBufSize];
        buffer[0] = '\0';
        const bool ok = extended ? Call(xGetMolFileFormulaEx, kMolManager, FLib, LastError,
                                        molHandle, separator.c_str(), buffer, kFormulaBufSize)
                                 : Call(xGetMolFileFormula, kMolManager, FLib, LastError, molHandle,
                                        buffer, kFormulaBufSize);
        if (!ok) return false;
        formula.assign(buffer, ::strnlen(buffer, kFormulaBufSize));
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::GetMolMass(std::uintptr_t molHandle, double& mass) {
    mass = 0.0;
    return Guarded("TveskMolManager.GetMolMass", false, [&] {
        if (!IsLibLoaded()) return false;
        double value = 0.0;
        if (!Call(xGetMolFileMass, kMolManager, FLib, LastError, molHandle, &value)) return false;
        mass = value;
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::GetFormulaAndMass(const std::string& text, std::string& formula,
                                        double& mass) {
    formula.clear();
    mass = 0.0;
    return Guarded("TveskMolManager.GetFormulaAndMass", false, [&] {
        if (!IsLibLoaded()) return false;
        std::uintptr_t handle = 0;
        TFinally release([&] {
            if (handle == 0) return;
            // The error of the step that failed stays, not the clean-up's success.
            const std::string error = LastError;
            DestroyMolFile(handle);
            if (!error.empty()) LastError = error;
        });
        return OpenMolString(text, handle) && GetMolFormula(handle, formula, false, "*") &&
               GetMolMass(handle, mass);
    });
}

bool TveskMolManager::CanOpenMolString(const std::string& text) {
    return Guarded("TveskMolManager.CanOpenMolString", false, [&] {
        if (text.empty() || !IsLibLoaded()) return false;
        std::uintptr_t handle = 0;
        const bool ok = OpenMolString(text, handle);
        if (handle != 0) DestroyMolFile(handle);
        return ok;
    });
}

bool TveskMolManager::IsValidMolString(const std::string& text) {
    return Guarded("TveskMolManager.IsValidMolString", false, [&] {
        if (text.empty() || !IsLibLoaded()) return false;
        std::uintptr_t handle = 0;
        TFinally release([&] {
            if (handle != 0) DestroyMolFile(handle);
        });
        if (!OpenMolString(text, handle)) return false;
        std::string formula;
        double mass = 0.0;
        return GetFormulaAndMass(text, formula, mass) && mass > 0.0;
    });
}

bool TveskMolManager::GetMolStringFromHandle(std::uintptr_t molHandle, std::string& text) {
    text.clear();
    return Guarded("TveskMolManager.GetMolStringFromHandle", false, [&] {
        if (molHandle == 0 || !IsLibLoaded()) return false;
        char* returned = nullptr;
        // The library allocated the text with malloc; it is ours to free, whatever happens.
        TFinally release([&] { std::free(returned); });
        if (!Call(xGetMolFileOrgString, kMolManager, FLib, LastError, molHandle, &returned))
            return false;
        if (returned != nullptr) text.assign(returned);
        LastError.clear();
        return true;
    });
}

// ==== TveskSDFileEntryData ===================================================================

TveskSDFileEntryData::TveskSDFileEntryData() : FLib(LoadRoutines(LastError)) {}

TveskSDFileEntryData::~TveskSDFileEntryData() = default;

void TveskSDFileEntryData::Clear() {
    LastError.clear();
    Name.clear();
    Lines.clear();
}

void TveskSDFileEntryData::Assign(const TveskSDFileEntryData& source) {
    GuardedVoid("TveskSDFileEntryData.Assign", [&] {
        if (&source == this) return;
        Clear();
        LastError = source.LastError;
        Name = source.Name;
        Lines = source.Lines;
    });
}

bool TveskSDFileEntryData::GetData(std::uintptr_t dataEntry) {
    return Guarded("TveskSDFileEntryData.GetData", false, [&] {
        Clear();
        if (dataEntry == 0) return false;
        const auto getName = Proc(xGetSDFileDataEntryName, kEntryData, FLib, LastError);
        if (getName == nullptr || !ReadDataText(
                                      [&](char* buffer, TInt size, char* errBuf) {
                                          return getName(dataEntry, buffer, size, errBuf,
                                                         kErrBufSize);
                                      },
                                      xGetSDFileDataEntryName.Name, Name, LastError)) {
            return false;
        }
        TInt count = 0;
        if (!Call(xGetSDFileDataLineCount, kEntryData, FLib, LastError, dataEntry, &count))
            return false;
        Lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (TInt i = 0; i < count; ++i) {
            const auto getLine = Proc(xGetSDFileDataLineNo, kEntryData, FLib, LastError);
            std::string line;
            if (getLine == nullptr || !ReadDataText(
                                          [&](char* buffer, TInt size, char* errBuf) {
                                              return getLine(dataEntry, i, buffer, size, errBuf,
                                                             kErrBufSize);
                                          },
                                          xGetSDFileDataLineNo.Name, line, LastError)) {
                return false;
            }
            if (line.size() >= static_cast<std::size_t>(kDataBufSize - 1)) {
                TraceMessage("TveskSDFileEntryData.GetData", tlWarning,
                             "size of databuffer (%d) might be exceeded", kDataBufSize);
            }
            Lines.push_back(std::move(line));
        }
        return true;
    });
}

bool TveskSDFileEntryData::AddToDataEntryList(std::uintptr_t dataEntryList) {
    return Guarded("TveskSDFileEntryData.AddToDataEntryList", false, [&] {
        THandle item = 0;
        TFinally release([&] {
            std::string ignored;
            if (item != 0) Call(xDestroySDFileDataEntry, kEntryData, FLib, ignored, item);
        });
        if (!Call(xCreateSDFileDataEntry, kEntryData, FLib, LastError, &item, Name.c_str(), -1))
            return false;
        for (const std::string& line : Lines) {
            if (!Call(xAddSDFileDataLine, kEntryData, FLib, LastError, item, line.c_str()))
                return false;
        }
        return Call(xAddSDFileDataEntry, kEntryData, FLib, LastError, dataEntryList, item);
    });
}

// ==== TveskSDFileEntry =======================================================================

TveskSDFileEntry::TveskSDFileEntry()
    : FLib(LoadRoutines(LastError)), FMolManager(std::make_unique<TveskMolManager>()) {}

TveskSDFileEntry::~TveskSDFileEntry() {
    ClearEntry();
}

void TveskSDFileEntry::ClearEntry() {
    FDataItems.clear();
    FLoaded = false;
    FMolString.clear();
    FFormula.clear();
    FMolweight = 0.0;
    FOrgText.clear();
    FMolChanged = false;
    FDataChanged = false;
}

void TveskSDFileEntry::SetMolString(const std::string& text) {
    GuardedVoid("TveskSDFileEntry.SetMolString", [&] {
        FMolString = text;
        FFormula.clear();
        FMolweight = 0.0;
        FLoaded = true;
        FMolChanged = true;
    });
}

void TveskSDFileEntry::SetOrgText(std::string text) {
    FOrgText = std::move(text);
    FMolChanged = false;
    FDataChanged = false;
}

bool TveskSDFileEntry::ReadDataEntries(std::uintptr_t dataEntryList,
                                       const std::string& titleField) {
    return Guarded("TveskSDFileEntry.ReadDataEntries", false, [&] {
        ClearEntry();
        // An error left from an earlier use would end the loop below before the first item.
        LastError.clear();
        if (dataEntryList == 0) return true;
        TInt count = 0;
        if (!Call(xGetSDFileDataEntryCount, kEntry, FLib, LastError, dataEntryList, &count))
            return false;
        FDataItems.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (TInt index = 0; index < count && LastError.empty(); ++index) {
            THandle item = 0;
            TFinally release([&] {
                if (item != 0) Call(xDestroySDFileDataEntry, kEntry, FLib, LastError, item);
            });
            if (!Call(xGetSDFileDataEntryNo, kEntry, FLib, LastError, dataEntryList, &item, index))
                break;
            FDataItems.push_back(std::make_unique<TveskSDFileEntryData>());
            TveskSDFileEntryData& data = *FDataItems.back();
            data.GetData(item);
            if (!data.LastError.empty()) LastError = data.LastError;
        }
        if (!titleField.empty() && LastError.empty()) {
            if (const TveskSDFileEntryData* title = FindData(titleField)) {
                std::string text;
                for (const std::string& line : title->Lines) text += line + '\n';
                Title = TrimBlanks(text);
            }
        }
        return LastError.empty();
    });
}

bool TveskSDFileEntry::ReadPacked(const char* data, std::size_t size, std::string& error) {
    ClearEntry();
    TPackedRecord packed(data != nullptr ? data : "", data != nullptr ? size : 0);
    std::int32_t status = 0, formulaStatus = 0, items = 0;
    std::string molText, formula;
    double mass = 0.0;
    if (!packed.Int(status)) {
        error = "the library handed over no record";
        return false;
    }
    if (status != 1) {
        if (!packed.Text(error) || error.empty()) error = "the record could not be read";
        return false;
    }
    if (!packed.Text(molText) || !packed.Int(formulaStatus) || !packed.Text(formula) ||
        !packed.Double(mass) || !packed.Int(items) || items < 0) {
        error = "the library handed over a damaged record";
        return false;
    }
    FDataItems.reserve(static_cast<std::size_t>(items));
    for (std::int32_t i = 0; i < items; ++i) {
        auto item = std::make_unique<TveskSDFileEntryData>();
        std::int32_t lines = 0;
        if (!packed.Text(item->Name) || !packed.Int(lines) || lines < 0) {
            error = "the library handed over a damaged record";
            ClearEntry();
            return false;
        }
        item->Lines.resize(static_cast<std::size_t>(lines));
        for (std::string& line : item->Lines) {
            if (!packed.Text(line)) {
                error = "the library handed over a damaged record";
                ClearEntry();
                return false;
            }
        }
        FDataItems.push_back(std::move(item));
    }
    SetMolString(molText);
    if (formulaStatus == 1) {
        FFormula = std::move(formula);
        FMolweight = mass;
    }
    return true;
}

TveskSDFileEntryData* TveskSDFileEntry::Data(int index) const {
    if (index < 0 || index >= DataCount()) return nullptr;
    return FDataItems[static_cast<std::size_t>(index)].get();
}

TveskSDFileEntryData* TveskSDFileEntry::AddData(const std::string& name) {
    return Guarded("TveskSDFileEntry.AddData", static_cast<TveskSDFileEntryData*>(nullptr), [&] {
        FDataItems.push_back(std::make_unique<TveskSDFileEntryData>());
        FDataItems.back()->Name = name;
        FDataChanged = true;
        return FDataItems.back().get();
    });
}

TveskSDFileEntryData* TveskSDFileEntry::FindData(const std::string& name) const {
    for (const auto& item : FDataItems) {
        if (item->Name == name) return item.get();
    }
    return nullptr;
}

bool TveskSDFileEntry::FreeData(TveskSDFileEntryData* item) {
    return Guarded("TveskSDFileEntry.FreeData", false, [&] {
        const auto found = std::find_if(FDataItems.begin(), FDataItems.end(),
                                        [item](const auto& own) { return own.get() == item; });
        if (found != FDataItems.end()) {
            FDataItems.erase(found);
            FDataChanged = true;
        }
        return true;
    });
}

void TveskSDFileEntry::Assign(const TveskSDFileEntry& source) {
    GuardedVoid("TveskSDFileEntry.Assign", [&] {
        if (&source == this) return;
        ClearEntry();
        FLoaded = source.FLoaded;
        Title = source.Title;
        FMolString = source.FMolString;
        LastError = source.LastError;
        FFormula = source.FFormula;
        FMolweight = source.FMolweight;
        FOrgText = source.FOrgText;
        FMolChanged = source.FMolChanged;
        FDataChanged = source.FDataChanged;
        for (const auto& item : source.FDataItems) {
            FDataItems.push_back(std::make_unique<TveskSDFileEntryData>());
            FDataItems.back()->Assign(*item);
        }
    });
}

void TveskSDFileEntry::AssignFieldNamesTo(std::vector<std::string>* list) const {
    GuardedVoid("TveskSDFileEntry.AssignFieldNamesTo", [&] {
        if (list == nullptr) return;
        for (const auto& item : FDataItems) {
            if (std::find(list->begin(), list->end(), item->Name) == list->end())
                list->push_back(item->Name);
        }
    });
}

bool TveskSDFileEntry::GetFormulaAndMolweight() {
    return Guarded("TveskSDFileEntry.GetFormulaAndMolweight", false, [&] {
        TveskMolManager manager;
        return manager.GetFormulaAndMass(FMolString, FFormula, FMolweight);
    });
}

std::string TveskSDFileEntry::GetFormula() {
    return Guarded("TveskSDFileEntry.GetFormula", std::string(), [&] {
        if (FFormula.empty()) GetFormulaAndMolweight();
        return FFormula;
    });
}

double TveskSDFileEntry::GetMolweight() {
    return Guarded("TveskSDFileEntry.GetMolweight", 0.0, [&] {
        if (FMolweight == 0.0) GetFormulaAndMolweight();
        return FMolweight;
    });
}

bool TveskSDFileEntry::WriteToProducer(std::uintptr_t producer, bool crlf) {
    return Guarded("TveskSDFileEntry.WriteToProducer", false, [&] {
        // The record list reads LastError after each record as this record's save error.
        LastError.clear();
        if (!FOrgText.empty() && (!FLoaded || !IsChanged())) {
            return Call(xAddSDFileEntryText, kEntry, FLib, LastError, producer, FOrgText.data(),
                        static_cast<TInt>(FOrgText.size()));
        }
        THandle list = 0;
        if (!Call(xCreateEmptySDFileDataEntryList, kEntry, FLib, LastError, &list)) return false;
        TFinally releaseList([&] {
            std::string ignored;
            Call(xDestroySDFileDataEntryList, kEntry, FLib, ignored, list);
        });
        for (const auto& item : FDataItems) {
            // Written without one of its items, the record would pass for complete.
            if (!item->AddToDataEntryList(list)) {
                LastError = item->LastError.empty()
                                ? "data item \"" + item->Name + "\" could not be added"
                                : item->LastError;
                return false;
            }
        }
        // An empty or unreadable molecule text leaves the handle 0: the empty block is written.
        std::uintptr_t mol = 0;
        const bool keepMolecule = !FOrgText.empty() && !FMolChanged;
        if (!keepMolecule) FMolManager->OpenMolString(FMolString, mol);
        TFinally releaseMol([&] {
            if (mol != 0) FMolManager->DestroyMolFile(mol);
        });
        return Call(xAddSDFileEntryEx, kEntry, FLib, LastError, producer, mol,
                    keepMolecule ? kWriteOriginalMolecule : kWriteMolecule, list, FOrgText.data(),
                    static_cast<TInt>(FOrgText.size()), crlf ? kLineEndsCrLf : kLineEndsLf);
    });
}

// ==== TveskSDFileManager =====================================================================

TveskSDFileManager::TveskSDFileManager()
    : FLib(LoadRoutines(LastError)), FMolManager(std::make_unique<TveskMolManager>()) {
    // A missing library shows at the first call ("library handle not set").
    LastError.clear();
}

TveskSDFileManager::~TveskSDFileManager() {
    CloseSDFile();
    ClearEntries();
}

void TveskSDFileManager::ClearEntries() {
    FEntries.clear();
    FEntryCount = 0;
    FTotalCount = -1;
}

bool TveskSDFileManager::OpenSDFile(const std::string& fileName, const std::string& titleField,
                                    TveskProgressEvent onProgress,
                                    TveskEntryCountEvent onEntryCount, bool randomAccess) {
    try {
        // Opening anew over an open file would lose its handle.
        if (FFileHandle != 0 && !CloseSDFile()) return false;
        ClearEntries();
        LastError.clear();
        OnProgress = std::move(onProgress);
        OnEntryCount = std::move(onEntryCount);
        FTitleField = titleField;
        FRandomAccess = randomAccess;
        TFinally reset([&] {
            OnProgress = nullptr;
            OnEntryCount = nullptr;
            FTitleField.clear();
            FRandomAccess = false;
        });
        THandle handle = 0;
        if (!randomAccess) {
            if (!Call(xOpenSDFile, kManager, FLib, LastError, &handle, fileName.c_str()))
                return false;
            FFileHandle = handle;
            return ReadAllEntries();
        }
        if (!Call(xOpenSDFileRA3, kManager, FLib, LastError, &handle, fileName.c_str(),
                  static_cast<void*>(this), &OnProgressCallback))
            return false;
        FFileHandle = handle;
        TInt count = 0;
        if (!Call(xGetSDFileEntryCountRA, kManager, FLib, LastError, FFileHandle, &count))
            return false;
        FTotalCount = count;
        return true;
    } catch (const std::exception& e) {
        GuardedVoid("TveskSDFileManager.OpenSDFile",
                    [&] { LastError = "[" + DemangledTypeName(typeid(e)) + "]: " + e.what(); });
        TraceException("TveskSDFileManager.OpenSDFile", e);
    } catch (...) {
        GuardedVoid("TveskSDFileManager.OpenSDFile",
                    [&] { LastError = "[unknown]: unknown exception"; });
        TraceException("TveskSDFileManager.OpenSDFile");
    }
    return false;
}

bool TveskSDFileManager::DestroyRecordHandles(std::uintptr_t molHandle,
                                              std::uintptr_t dataEntryList) {
    bool ok = true;
    if (molHandle != 0) ok = Call(xDestroyMolFile, kManager, FLib, LastError, molHandle);
    if (dataEntryList != 0)
        ok = Call(xDestroySDFileDataEntryList, kManager, FLib, LastError, dataEntryList) && ok;
    return ok;
}

bool TveskSDFileManager::ReadEntryText(int index, std::string& text) {
    text.clear();
    return Guarded("TveskSDFileManager.ReadEntryText", false, [&] {
        char* bytes = nullptr;
        TInt length = 0;
        TFinally release([&] { std::free(bytes); });
        if (!Call(xGetSDFileEntryTextRA, kManager, FLib, LastError, FFileHandle, index, &bytes,
                  &length))
            return false;
        if (bytes != nullptr) text.assign(bytes, static_cast<std::size_t>(std::max(length, 0)));
        return true;
    });
}

bool TveskSDFileManager::LoadEntryData(int index, TveskSDFileEntry* entry) {
    return Guarded("TveskSDFileManager.LoadEntryData", false, [&] {
        if (entry == nullptr || entry->Loaded() || FFileHandle == 0) return true;
        // One call hands over the record's bytes and the record taken apart, with its formula
        // and mass: per-item calls would cost as much as the reading itself.
        char* text = nullptr;
        char* packed = nullptr;
        TInt textLength = 0;
        TInt packedLength = 0;
        TFinally release([&] {
            std::free(text);
            std::free(packed);
        });
        if (!Call(xReadSDFileEntryRA, kManager, FLib, LastError, FFileHandle, index, kReadFormula,
                  &text, &textLength, &packed, &packedLength))
            return false;
        std::string why;
        const bool loaded = entry->ReadPacked(packed, static_cast<std::size_t>(packedLength), why);
        if (!loaded) {
            entry->ClearEntry();
            LastError = why;
        }
        // Also a record that cannot be shown keeps its bytes, to be written back unchanged.
        entry->SetOrgText(std::string(text, static_cast<std::size_t>(textLength)));
        return loaded;
    });
}

bool TveskSDFileManager::ReadAllEntries() {
    std::string lastFailure;
    for (;;) {
        double progress = 0.0;
        if (OnProgress && GetProgress(progress)) OnProgress(this, progress);
        std::uint8_t atEnd = 0;
        if (!Call(xSDFileEndReached, kManager, FLib, LastError, FFileHandle, &atEnd)) return false;
        if (atEnd != 0) {
            FTotalCount = FEntryCount;
            if (OnEntryCount) OnEntryCount(this, FEntryCount, FEntryCount);
            return true;
        }
        THandle mol = 0;
        THandle list = 0;
        std::string failure;
        auto entry = std::make_unique<TveskSDFileEntry>();
        if (Call(xGetNextSDFileEntry, kManager, FLib, failure, FFileHandle, &mol, 0, &list)) {
            TFinally release([&] { DestroyRecordHandles(mol, list); });
            if (entry->ReadDataEntries(list, FTitleField)) {
                std::string text;
                FMolManager->GetMolStringFromHandle(mol, text);
                if (FMolManager->LastError.empty())
                    entry->SetMolString(text);
                else
                    entry->LastError = FMolManager->LastError;
            }
            lastFailure.clear();
        } else {
            // The library passes a record it cannot read; it stays as a failed entry instead
            // of ending the reading and dropping every record after it. The same failure
            // twice in a row means the reading no longer moves.
            if (failure == lastFailure) {
                LastError = failure;
                return false;
            }
            lastFailure = failure;
            entry->LastError = failure;
        }
        FEntries.push_back(std::move(entry));
        ++FEntryCount;
        if (OnEntryCount) OnEntryCount(this, FEntryCount, FTotalCount);
    }
}

bool TveskSDFileManager::GetProgress(double& progress) {
    progress = 0.0;
    return Guarded("TveskSDFileManager.GetProgress", false, [&] {
        return Call(xGetSDFileProgress, kManager, FLib, LastError, FFileHandle, &progress);
    });
}

bool TveskSDFileManager::CloseSDFile() {
    return Guarded("TveskSDFileManager.CloseSDFile", false, [&] {
        if (FFileHandle == 0) return true;
        if (!Call(xDestroySDFile, kManager, FLib, LastError, FFileHandle)) return false;
        FFileHandle = 0;
        return true;
    });
}

// ==== TveskSDFileWriter ======================================================================

TveskSDFileWriter::TveskSDFileWriter(const std::string& fileName) : FLib(LoadRoutines(LastError)) {
    OpenFile(fileName);
}

TveskSDFileWriter::~TveskSDFileWriter() {
    // A writer that was not completed leaves the target as it was.
    AbortFile();
}

bool TveskSDFileWriter::OpenFile(const std::string& fileName) {
    return Guarded("TveskSDFileWriter.OpenFile", false, [&] {
        if (IsOpen()) return true;
        THandle producer = 0;
        if (!Call(xCreateNewSDFile, kWriter, FLib, LastError, &producer, fileName.c_str()))
            return false;
        FProducer = producer;
        return IsOpen();
    });
}

bool TveskSDFileWriter::WriteEntry(TveskSDFileEntry* entry, bool crlf) {
    return Guarded("TveskSDFileWriter.WriteEntry", false, [&] {
        return entry != nullptr && IsOpen() && entry->WriteToProducer(FProducer, crlf);
    });
}

bool TveskSDFileWriter::WriteEntryText(const std::string& text) {
    return Guarded("TveskSDFileWriter.WriteEntryText", false, [&] {
        return IsOpen() && Call(xAddSDFileEntryText, kWriter, FLib, LastError, FProducer,
                                text.data(), static_cast<TInt>(text.size()));
    });
}

bool TveskSDFileWriter::CloseFile() {
    return Guarded("TveskSDFileWriter.CloseFile", false, [&] {
        if (!IsOpen()) return true;
        // The producer is gone whatever the answer: a failed completion discards the file.
        const THandle producer = FProducer;
        FProducer = 0;
        return Call(xDestroySDFileProducer, kWriter, FLib, LastError, producer);
    });
}

bool TveskSDFileWriter::AbortFile() {
    return Guarded("TveskSDFileWriter.AbortFile", false, [&] {
        if (!IsOpen()) return true;
        const THandle producer = FProducer;
        FProducer = 0;
        return Call(xAbortSDFileProducer, kWriter, FLib, LastError, producer);
    });
}
