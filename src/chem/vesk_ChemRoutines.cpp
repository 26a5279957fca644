#include "vesk_ChemRoutines.h"

#include <cxxabi.h>

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

using TProgressCallback = std::int32_t (*)(std::int32_t progress, void* userData);

using TOpenMolString = std::int32_t (*)(std::uintptr_t*, const char*, std::int32_t, std::int32_t,
                                        char*, std::int32_t);
using TDestroyMolFile = std::int32_t (*)(std::uintptr_t, char*, std::int32_t);
using TGetMolFileFormula = std::int32_t (*)(std::uintptr_t, char*, std::int32_t, char*,
                                            std::int32_t);
using TGetMolFileFormulaEx = std::int32_t (*)(std::uintptr_t, const char*, char*, std::int32_t,
                                              char*, std::int32_t);
using TGetMolFileMass = std::int32_t (*)(std::uintptr_t, double*, char*, std::int32_t);
using TGetMolFileOrgString = std::int32_t (*)(std::uintptr_t, char**, char*, std::int32_t);
using TCreateEmptySDFileDataEntryList = std::int32_t (*)(std::uintptr_t*, char*, std::int32_t);
using TDestroySDFileDataEntryList = std::int32_t (*)(std::uintptr_t, char*, std::int32_t);
using TCreateSDFileDataEntry = std::int32_t (*)(std::uintptr_t*, const char*, std::int32_t, char*,
                                                std::int32_t);
using TAddSDFileDataLine = std::int32_t (*)(std::uintptr_t, const char*, char*, std::int32_t);
using TAddSDFileDataEntry = std::int32_t (*)(std::uintptr_t, std::uintptr_t, char*, std::int32_t);
using TDestroySDFileDataEntry = std::int32_t (*)(std::uintptr_t, char*, std::int32_t);
using TGetSDFileDataEntryCount = std::int32_t (*)(std::uintptr_t, std::int32_t*, char*,
                                                  std::int32_t);
using TGetSDFileDataEntryNo = std::int32_t (*)(std::uintptr_t, std::uintptr_t*, std::int32_t,
                                               char*, std::int32_t);
using TGetSDFileDataEntryName = std::int32_t (*)(std::uintptr_t, char*, std::int32_t, char*,
                                                 std::int32_t);
using TGetSDFileDataLineCount = std::int32_t (*)(std::uintptr_t, std::int32_t*, char*,
                                                 std::int32_t);
using TGetSDFileDataLineNo = std::int32_t (*)(std::uintptr_t, std::int32_t, char*, std::int32_t,
                                              char*, std::int32_t);
using TOpenSDFile = std::int32_t (*)(std::uintptr_t*, const char*, char*, std::int32_t);
using TOpenSDFileRA3 = std::int32_t (*)(std::uintptr_t*, const char*, void*, TProgressCallback,
                                        char*, std::int32_t);
using TGetSDFileEntryCountRA = std::int32_t (*)(std::uintptr_t, std::int32_t*, char*,
                                                std::int32_t);
using TGetSDFileEntryRA = std::int32_t (*)(std::uintptr_t, std::int32_t, std::uintptr_t*,
                                           std::int32_t, std::uintptr_t*, char*, std::int32_t);
using TSDFileEndReached = std::int32_t (*)(std::uintptr_t, std::uint8_t*, char*, std::int32_t);
using TGetNextSDFileEntry = std::int32_t (*)(std::uintptr_t, std::uintptr_t*, std::int32_t,
                                             std::uintptr_t*, char*, std::int32_t);
using TGetSDFileProgress = std::int32_t (*)(std::uintptr_t, double*, char*, std::int32_t);
using TDestroySDFile = std::int32_t (*)(std::uintptr_t, char*, std::int32_t);
using TCreateNewSDFile = std::int32_t (*)(std::uintptr_t*, const char*, char*, std::int32_t);
using TAddSDFileEntry = std::int32_t (*)(std::uintptr_t, std::uintptr_t, std::int32_t,
                                         std::int32_t, std::uintptr_t, std::int32_t, char*,
                                         std::int32_t);
using TDestroySDFileProducer = std::int32_t (*)(std::uintptr_t, char*, std::int32_t);

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
        if (length > 0) return std::string(Text, length);
        return std::string(procName) + " failed";
    }
};

template <typename Fn>
Fn Proc(const char* className, const platform::TLibraryRef& lib, const char* procName,
        std::string& lastError) {
    return reinterpret_cast<Fn>(GetProcAddressEx(className, lib.Handle(), procName, lastError));
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

// Every record and data item loads the library, so the search by bare name (a file check in
// each folder) runs once: later loads go to the file the search found, which the loader
// matches to the copy already in memory without touching the disk, as the platform the
// design comes from does for a module that is loaded already.
std::mutex ResolvedMutex;
std::string ResolvedFile;  // the name searched for
std::string ResolvedPath;  // the file it led to

platform::TLibraryRef LoadRoutines(std::string& lastError) {
    const std::string file = LibraryFile();
    std::string path;
    {
        std::lock_guard<std::mutex> lock(ResolvedMutex);
        if (ResolvedFile == file) path = ResolvedPath;
    }
    if (!path.empty()) {
        platform::TLibraryRef library(path);
        if (library) return library;
    }
    platform::TLibraryRef library(file);
    if (!library) {
        lastError = "Library not loaded: " + FileNamePart(file);
        return library;
    }
    // Remember the path only if loading it gives this very copy.
    path = platform::FindLibraryFile(file);
    if (!path.empty() && platform::TLibraryRef(path).Handle() == library.Handle()) {
        std::lock_guard<std::mutex> lock(ResolvedMutex);
        ResolvedFile = file;
        ResolvedPath = path;
    }
    return library;
}

// ---- the unit-wide lock around the progress relay ----

// Exists from unit initialisation to finalisation; a callback outside that time runs unlocked
// (Alive is constant-initialised to false, so it is also false before the constructor ran).
struct TRoutinesLockHolder {
    std::recursive_mutex Lock;
    std::atomic<bool> Alive{false};
    TRoutinesLockHolder() { Alive.store(true); }
    ~TRoutinesLockHolder() { Alive.store(false); }
};
TRoutinesLockHolder RoutinesLock;

std::int32_t OnProgressCallback(std::int32_t progress, void* userData) noexcept {
    if (!RoutinesLock.Alive.load()) return 1;
    std::lock_guard<std::recursive_mutex> lock(RoutinesLock.Lock);
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
            lastError = std::string("procedure not found in library (") + className + ": " +
                        procName + ")";
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
        auto open = Proc<TOpenMolString>(kMolManager, FLib, "OpenMolString", LastError);
        if (!open) return false;
        TErrBuf err;
        if (!Succeeded(open(&molHandle, text.c_str(), 0, 0, err.Text, kErrBufSize))) {
            molHandle = 0;
            LastError = err.Message("OpenMolString");
            return false;
        }
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::DestroyMolFile(std::uintptr_t molHandle) {
    return Guarded("TveskMolManager.DestroyMolFile", false, [&] {
        if (molHandle == 0 || !IsLibLoaded()) return false;
        auto destroy = Proc<TDestroyMolFile>(kMolManager, FLib, "DestroyMolFile", LastError);
        if (!destroy) return false;
        TErrBuf err;
        if (!Succeeded(destroy(molHandle, err.Text, kErrBufSize))) {
            LastError = err.Message("DestroyMolFile");
            return false;
        }
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::GetMolFormula(std::uintptr_t molHandle, std::string& formula, bool extended,
                                    const std::string& separator) {
    return Guarded("TveskMolManager.GetMolFormula", false, [&] {
        formula.clear();
        if (!IsLibLoaded()) return false;
        char buffer[kFormulaBufSize];
        buffer[0] = '\0';
        TErrBuf err;
        std::int32_t result = 0;
        const char* procName = extended ? "GetMolFileFormulaEx" : "GetMolFileFormula";
        if (extended) {
            auto get = Proc<TGetMolFileFormulaEx>(kMolManager, FLib, procName, LastError);
            if (!get) return false;
            result = get(molHandle, separator.c_str(), buffer, kFormulaBufSize, err.Text,
                         kErrBufSize);
        } else {
            auto get = Proc<TGetMolFileFormula>(kMolManager, FLib, procName, LastError);
            if (!get) return false;
            result = get(molHandle, buffer, kFormulaBufSize, err.Text, kErrBufSize);
        }
        if (!Succeeded(result)) {
            LastError = err.Message(procName);
            return false;
        }
        formula.assign(buffer, ::strnlen(buffer, kFormulaBufSize));
        LastError.clear();
        return true;
    });
}

bool TveskMolManager::GetMolMass(std::uintptr_t molHandle, double& mass) {
    return Guarded("TveskMolManager.GetMolMass", false, [&] {
        mass = 0.0;
        if (!IsLibLoaded()) return false;
        auto get = Proc<TGetMolFileMass>(kMolManager, FLib, "GetMolFileMass", LastError);
        if (!get) return false;
        TErrBuf err;
        double value = 0.0;
        if (!Succeeded(get(molHandle, &value, err.Text, kErrBufSize))) {
            LastError = err.Message("GetMolFileMass");
            return false;
        }
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
            if (handle != 0) {
                // Keep the error of the step that failed, not the clean-up's success.
                const std::string error = LastError;
                DestroyMolFile(handle);
                if (!error.empty()) LastError = error;
            }
        });
        bool ok = OpenMolString(text, handle);
        if (ok) ok = GetMolFormula(handle, formula, false, "*");
        if (ok) ok = GetMolMass(handle, mass);
        return ok;
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
        auto get = Proc<TGetMolFileOrgString>(kMolManager, FLib, "GetMolFileOrgString", LastError);
        if (!get) return false;
        char* returned = nullptr;
        // The library allocated the text with malloc; it is ours to free, whatever happens.
        TFinally release([&] { std::free(returned); });
        TErrBuf err;
        if (!Succeeded(get(molHandle, &returned, err.Text, kErrBufSize))) {
            LastError = err.Message("GetMolFileOrgString");
            return false;
        }
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
        auto getName =
            Proc<TGetSDFileDataEntryName>(kEntryData, FLib, "GetSDFileDataEntryName", LastError);
        if (!getName) return false;
        if (!ReadDataText(
                [&](char* buffer, std::int32_t size, char* errBuf) {
                    return getName(dataEntry, buffer, size, errBuf, kErrBufSize);
                },
                "GetSDFileDataEntryName", Name, LastError)) {
            return false;
        }

        auto getCount =
            Proc<TGetSDFileDataLineCount>(kEntryData, FLib, "GetSDFileDataLineCount", LastError);
        if (!getCount) return false;
        std::int32_t count = 0;
        TErrBuf err;
        if (!Succeeded(getCount(dataEntry, &count, err.Text, kErrBufSize))) {
            LastError = err.Message("GetSDFileDataLineCount");
            return false;
        }
        Lines.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
        for (std::int32_t i = 0; i < count; ++i) {
            auto getLine =
                Proc<TGetSDFileDataLineNo>(kEntryData, FLib, "GetSDFileDataLineNo", LastError);
            if (!getLine) return false;
            std::string line;
            if (!ReadDataText(
                    [&](char* buffer, std::int32_t size, char* errBuf) {
                        return getLine(dataEntry, i, buffer, size, errBuf, kErrBufSize);
                    },
                    "GetSDFileDataLineNo", line, LastError)) {
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
        auto create =
            Proc<TCreateSDFileDataEntry>(kEntryData, FLib, "CreateSDFileDataEntry", LastError);
        if (!create) return false;
        std::uintptr_t item = 0;
        TFinally release([&] {
            if (item == 0) return;
            auto destroy = Proc<TDestroySDFileDataEntry>(kEntryData, FLib,
                                                         "DestroySDFileDataEntry", LastError);
            TErrBuf err;
            if (destroy) destroy(item, err.Text, kErrBufSize);
        });
        TErrBuf err;
        if (!Succeeded(create(&item, Name.c_str(), -1, err.Text, kErrBufSize))) {
            item = 0;
            LastError = err.Message("CreateSDFileDataEntry");
            return false;
        }
        for (const std::string& line : Lines) {
            auto addLine =
                Proc<TAddSDFileDataLine>(kEntryData, FLib, "AddSDFileDataLine", LastError);
            if (!addLine) return false;
            TErrBuf lineErr;
            if (!Succeeded(addLine(item, line.c_str(), lineErr.Text, kErrBufSize))) {
                LastError = lineErr.Message("AddSDFileDataLine");
                return false;
            }
        }
        auto add = Proc<TAddSDFileDataEntry>(kEntryData, FLib, "AddSDFileDataEntry", LastError);
        if (!add) return false;
        TErrBuf addErr;
        if (!Succeeded(add(dataEntryList, item, addErr.Text, kErrBufSize))) {
            LastError = addErr.Message("AddSDFileDataEntry");
            return false;
        }
        return true;
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
}

void TveskSDFileEntry::SetMolString(const std::string& text) {
    GuardedVoid("TveskSDFileEntry.SetMolString", [&] {
        FMolString = text;
        FFormula.clear();
        FMolweight = 0.0;
        FLoaded = true;
    });
}

bool TveskSDFileEntry::ReadDataEntries(std::uintptr_t dataEntryList,
                                       const std::string& titleField) {
    return Guarded("TveskSDFileEntry.ReadDataEntries", false, [&] {
        ClearEntry();
        // An error left from an earlier use would end the loop below before the first item.
        LastError.clear();
        if (dataEntryList == 0) return true;
        auto getCount = Proc<TGetSDFileDataEntryCount>(kEntry, FLib, "GetSDFileDataEntryCount",
                                                       LastError);
        if (!getCount) return false;
        std::int32_t count = 0;
        TErrBuf err;
        if (!Succeeded(getCount(dataEntryList, &count, err.Text, kErrBufSize))) {
            LastError = err.Message("GetSDFileDataEntryCount");
            return false;
        }
        FDataItems.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
        for (std::int32_t index = 0; index < count && LastError.empty(); ++index) {
            auto getItem =
                Proc<TGetSDFileDataEntryNo>(kEntry, FLib, "GetSDFileDataEntryNo", LastError);
            if (!getItem) return false;
            std::uintptr_t item = 0;
            TFinally release([&] {
                if (item == 0) return;
                auto destroy = Proc<TDestroySDFileDataEntry>(kEntry, FLib,
                                                             "DestroySDFileDataEntry", LastError);
                TErrBuf destroyErr;
                if (destroy && !Succeeded(destroy(item, destroyErr.Text, kErrBufSize)))
                    LastError = destroyErr.Message("DestroySDFileDataEntry");
            });
            TErrBuf itemErr;
            if (!Succeeded(getItem(dataEntryList, &item, index, itemErr.Text, kErrBufSize))) {
                LastError = itemErr.Message("GetSDFileDataEntryNo");
                break;
            }
            FDataItems.push_back(std::make_unique<TveskSDFileEntryData>());
            TveskSDFileEntryData& data = *FDataItems.back();
            data.GetData(item);
            if (!data.LastError.empty()) LastError = data.LastError;
        }
        if (!titleField.empty() && LastError.empty()) {
            if (const TveskSDFileEntryData* title = FindData(titleField)) {
                std::string text;
                for (const std::string& line : title->Lines) {
                    text += line;
                    text += '\n';
                }
                Title = TrimBlanks(text);
            }
        }
        return LastError.empty();
    });
}

TveskSDFileEntryData* TveskSDFileEntry::Data(int index) const {
    if (index < 0 || index >= DataCount()) return nullptr;
    return FDataItems[static_cast<std::size_t>(index)].get();
}

TveskSDFileEntryData* TveskSDFileEntry::AddData(const std::string& name) {
    return Guarded("TveskSDFileEntry.AddData", static_cast<TveskSDFileEntryData*>(nullptr), [&] {
        auto item = std::make_unique<TveskSDFileEntryData>();
        item->Name = name;
        FDataItems.push_back(std::move(item));
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
        for (auto it = FDataItems.begin(); it != FDataItems.end(); ++it) {
            if (it->get() == item) {
                FDataItems.erase(it);
                break;
            }
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
        FDataItems.reserve(source.FDataItems.size());
        for (const auto& item : source.FDataItems) {
            auto copy = std::make_unique<TveskSDFileEntryData>();
            copy->Assign(*item);
            FDataItems.push_back(std::move(copy));
        }
    });
}

void TveskSDFileEntry::AssignFieldNamesTo(std::vector<std::string>* list) const {
    GuardedVoid("TveskSDFileEntry.AssignFieldNamesTo", [&] {
        if (list == nullptr) return;
        for (const auto& item : FDataItems) {
            bool known = false;
            for (const std::string& name : *list) {
                if (name == item->Name) {
                    known = true;
                    break;
                }
            }
            if (!known) list->push_back(item->Name);
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

bool TveskSDFileEntry::WriteToProducer(std::uintptr_t producer) {
    return Guarded("TveskSDFileEntry.WriteToProducer", false, [&] {
        // The record list reads LastError after each record as this record's save error.
        LastError.clear();
        auto createList = Proc<TCreateEmptySDFileDataEntryList>(
            kEntry, FLib, "CreateEmptySDFileDataEntryList", LastError);
        if (!createList) return false;
        std::uintptr_t list = 0;
        TErrBuf err;
        if (!Succeeded(createList(&list, err.Text, kErrBufSize))) {
            LastError = err.Message("CreateEmptySDFileDataEntryList");
            return false;
        }
        TFinally releaseList([&] {
            std::string ignored;
            auto destroy = Proc<TDestroySDFileDataEntryList>(
                kEntry, FLib, "DestroySDFileDataEntryList", ignored);
            TErrBuf destroyErr;
            if (destroy) destroy(list, destroyErr.Text, kErrBufSize);
        });
        for (const auto& item : FDataItems) {
            // A record without one of its items would be written as if complete.
            if (!item->AddToDataEntryList(list)) {
                LastError = item->LastError.empty() ? "data item \"" + item->Name +
                                                          "\" could not be added"
                                                    : item->LastError;
                return false;
            }
        }
        // An empty or unreadable molecule text leaves the handle 0: the empty block is written.
        std::uintptr_t mol = 0;
        FMolManager->OpenMolString(FMolString, mol);
        TFinally releaseMol([&] {
            if (mol != 0) FMolManager->DestroyMolFile(mol);
        });
        auto add = Proc<TAddSDFileEntry>(kEntry, FLib, "AddSDFileEntry", LastError);
        if (!add) return false;
        TErrBuf addErr;
        if (!Succeeded(add(producer, mol, 1, 0, list, 0, addErr.Text, kErrBufSize))) {
            LastError = addErr.Message("AddSDFileEntry");
            return false;
        }
        return true;
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

        TErrBuf err;
        std::uintptr_t handle = 0;
        if (randomAccess) {
            auto open = Proc<TOpenSDFileRA3>(kManager, FLib, "OpenSDFileRA3", LastError);
            if (!open) return false;
            if (!Succeeded(open(&handle, fileName.c_str(), this, &OnProgressCallback, err.Text,
                                kErrBufSize))) {
                LastError = err.Message("OpenSDFileRA3");
                return false;
            }
            FFileHandle = handle;
            auto getCount =
                Proc<TGetSDFileEntryCountRA>(kManager, FLib, "GetSDFileEntryCountRA", LastError);
            if (!getCount) return false;
            std::int32_t count = 0;
            TErrBuf countErr;
            if (!Succeeded(getCount(FFileHandle, &count, countErr.Text, kErrBufSize))) {
                LastError = countErr.Message("GetSDFileEntryCountRA");
                return false;
            }
            FTotalCount = count;
            return true;
        }
        auto open = Proc<TOpenSDFile>(kManager, FLib, "OpenSDFile", LastError);
        if (!open) return false;
        if (!Succeeded(open(&handle, fileName.c_str(), err.Text, kErrBufSize))) {
            LastError = err.Message("OpenSDFile");
            return false;
        }
        FFileHandle = handle;
        return ReadAllEntries();
    } catch (const std::exception& e) {
        GuardedVoid("TveskSDFileManager.OpenSDFile", [&] {
            LastError = "[" + DemangledTypeName(typeid(e)) + "]: " + e.what();
        });
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
    if (molHandle != 0) {
        auto destroy = Proc<TDestroyMolFile>(kManager, FLib, "DestroyMolFile", LastError);
        TErrBuf err;
        if (!destroy) {
            ok = false;
        } else if (!Succeeded(destroy(molHandle, err.Text, kErrBufSize))) {
            LastError = err.Message("DestroyMolFile");
            ok = false;
        }
    }
    if (dataEntryList != 0) {
        auto destroy = Proc<TDestroySDFileDataEntryList>(kManager, FLib,
                                                         "DestroySDFileDataEntryList", LastError);
        TErrBuf err;
        if (!destroy) {
            ok = false;
        } else if (!Succeeded(destroy(dataEntryList, err.Text, kErrBufSize))) {
            LastError = err.Message("DestroySDFileDataEntryList");
            ok = false;
        }
    }
    return ok;
}

bool TveskSDFileManager::LoadEntryData(int index, TveskSDFileEntry* entry) {
    return Guarded("TveskSDFileManager.LoadEntryData", false, [&] {
        if (entry == nullptr || entry->Loaded() || FFileHandle == 0) return true;
        auto getEntry = Proc<TGetSDFileEntryRA>(kManager, FLib, "GetSDFileEntryRA", LastError);
        if (!getEntry) return false;

        std::uintptr_t mol = 0;
        std::uintptr_t list = 0;
        bool result = true;
        {
            // The handles go in every case; a failure there fails the read.
            TFinally release([&] {
                if (!DestroyRecordHandles(mol, list)) result = false;
            });
            TErrBuf err;
            if (!Succeeded(getEntry(FFileHandle, index, &mol, 0, &list, err.Text, kErrBufSize))) {
                mol = 0;
                list = 0;
                LastError = err.Message("GetSDFileEntryRA");
                return false;
            }
            // A record whose items could not all be read is not a loaded record.
            if (!entry->ReadDataEntries(list, std::string())) {
                LastError = entry->LastError.empty() ? "data items could not be read"
                                                     : entry->LastError;
                result = false;
            } else {
                std::string text;
                FMolManager->GetMolStringFromHandle(mol, text);
                if (!FMolManager->LastError.empty()) {
                    LastError = FMolManager->LastError;
                    result = false;
                } else {
                    entry->SetMolString(text);
                }
            }
        }
        return result;
    });
}

void TveskSDFileManager::AddFailedEntry(const std::string& error) {
    auto entry = std::make_unique<TveskSDFileEntry>();
    entry->LastError = error;
    FEntries.push_back(std::move(entry));
}

bool TveskSDFileManager::ReadAllEntries() {
    std::string lastFailure;
    for (;;) {
        double progress = 0.0;
        if (OnProgress && GetProgress(progress)) OnProgress(this, progress);

        auto endReached = Proc<TSDFileEndReached>(kManager, FLib, "SDFileEndReached", LastError);
        if (!endReached) return false;
        std::uint8_t atEnd = 0;
        TErrBuf err;
        if (!Succeeded(endReached(FFileHandle, &atEnd, err.Text, kErrBufSize))) {
            LastError = err.Message("SDFileEndReached");
            return false;
        }
        if (atEnd != 0) {
            FTotalCount = FEntryCount;
            if (OnEntryCount) OnEntryCount(this, FEntryCount, FEntryCount);
            return true;
        }

        auto getNext = Proc<TGetNextSDFileEntry>(kManager, FLib, "GetNextSDFileEntry", LastError);
        if (!getNext) return false;
        std::uintptr_t mol = 0;
        std::uintptr_t list = 0;
        TErrBuf nextErr;
        if (!Succeeded(getNext(FFileHandle, &mol, 0, &list, nextErr.Text, kErrBufSize))) {
            // The library passes a record it cannot read; it is kept as a failed entry rather
            // than ending the reading and dropping every record after it. The same failure
            // twice in a row means nothing moves any more.
            const std::string failure = nextErr.Message("GetNextSDFileEntry");
            if (failure == lastFailure) {
                LastError = failure;
                return false;
            }
            lastFailure = failure;
            AddFailedEntry(failure);
            ++FEntryCount;
            if (OnEntryCount) OnEntryCount(this, FEntryCount, FTotalCount);
            continue;
        }
        lastFailure.clear();
        bool destroyed = false;
        TFinally release([&] {
            if (!destroyed) DestroyRecordHandles(mol, list);
        });
        auto entry = std::make_unique<TveskSDFileEntry>();
        if (entry->ReadDataEntries(list, FTitleField)) {
            std::string text;
            FMolManager->GetMolStringFromHandle(mol, text);
            if (FMolManager->LastError.empty())
                entry->SetMolString(text);
            else
                entry->LastError = FMolManager->LastError;
        }
        destroyed = true;
        if (!DestroyRecordHandles(mol, list) && entry->LastError.empty())
            entry->LastError = LastError;
        FEntries.push_back(std::move(entry));
        ++FEntryCount;
        if (OnEntryCount) OnEntryCount(this, FEntryCount, FTotalCount);
    }
}

bool TveskSDFileManager::GetProgress(double& progress) {
    progress = 0.0;
    return Guarded("TveskSDFileManager.GetProgress", false, [&] {
        auto get = Proc<TGetSDFileProgress>(kManager, FLib, "GetSDFileProgress", LastError);
        if (!get) return false;
        TErrBuf err;
        double value = 0.0;
        if (!Succeeded(get(FFileHandle, &value, err.Text, kErrBufSize))) {
            LastError = err.Message("GetSDFileProgress");
            return false;
        }
        progress = value;
        return true;
    });
}

bool TveskSDFileManager::CloseSDFile() {
    return Guarded("TveskSDFileManager.CloseSDFile", false, [&] {
        if (FFileHandle == 0) return true;
        auto destroy = Proc<TDestroySDFile>(kManager, FLib, "DestroySDFile", LastError);
        if (!destroy) return false;
        TErrBuf err;
        if (!Succeeded(destroy(FFileHandle, err.Text, kErrBufSize))) {
            LastError = err.Message("DestroySDFile");
            return false;
        }
        FFileHandle = 0;
        return true;
    });
}

// ==== TveskSDFileWriter ======================================================================

TveskSDFileWriter::TveskSDFileWriter(const std::string& fileName)
    : FLib(LoadRoutines(LastError)) {
    OpenFile(fileName);
}

TveskSDFileWriter::~TveskSDFileWriter() {
    CloseFile();
}

bool TveskSDFileWriter::OpenFile(const std::string& fileName) {
    return Guarded("TveskSDFileWriter.OpenFile", false, [&] {
        if (IsOpen()) return true;
        auto create = Proc<TCreateNewSDFile>(kWriter, FLib, "CreateNewSDFile", LastError);
        if (!create) return false;
        TErrBuf err;
        std::uintptr_t producer = 0;
        if (!Succeeded(create(&producer, fileName.c_str(), err.Text, kErrBufSize))) {
            LastError = err.Message("CreateNewSDFile");
            return false;
        }
        FProducer = producer;
        return IsOpen();
    });
}

bool TveskSDFileWriter::WriteEntry(TveskSDFileEntry* entry) {
    return Guarded("TveskSDFileWriter.WriteEntry", false, [&] {
        if (entry == nullptr || !IsOpen()) return false;
        return entry->WriteToProducer(FProducer);
    });
}

bool TveskSDFileWriter::CloseFile() {
    return Guarded("TveskSDFileWriter.CloseFile", false, [&] {
        if (!IsOpen()) return true;
        auto destroy =
            Proc<TDestroySDFileProducer>(kWriter, FLib, "DestroySDFileProducer", LastError);
        if (!destroy) return false;
        TErrBuf err;
        if (!Succeeded(destroy(FProducer, err.Text, kErrBufSize))) {
            LastError = err.Message("DestroySDFileProducer");
            return false;
        }
        FProducer = 0;
        return true;
    });
}
