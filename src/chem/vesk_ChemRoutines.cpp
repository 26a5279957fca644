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

#include "vesk_ChemRoutinesCalls.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

const char* const RoutinesLibraryName = "libveskChemRoutines.so";

namespace routines_binding {

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

}  // namespace routines_binding

using namespace routines_binding;

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

bool TveskMolManager::GetSmiles(const std::string& text, std::string& smiles) {
    smiles.clear();
    return Guarded("TveskMolManager.GetSmiles", false, [&] {
        if (!IsLibLoaded()) return false;
        std::uintptr_t handle = 0;
        TFinally release([&] {
            if (handle != 0) DestroyMolFile(handle);
        });
        if (!OpenMolString(text, handle)) return false;
        // Big molecules (peptides, polymers) have long SMILES: a second try with room.
        for (const std::size_t size : {std::size_t{4096}, std::size_t{1} << 20}) {
            std::string buffer(size, '\0');
            if (Call(xGetMolFileSmiles, kMolManager, FLib, LastError, handle, &buffer[0],
                     static_cast<TInt>(size))) {
                smiles.assign(buffer.c_str());
                LastError.clear();
                return true;
            }
        }
        return false;
    });
}

bool TveskMolManager::GetInchi(const std::string& text, std::string& inchi) {
    return GetIdentifier("TveskMolManager.GetInchi", xGetMolFileInchi, inchi, text);
}

bool TveskMolManager::GetInchiKey(const std::string& text, std::string& key) {
    return GetIdentifier("TveskMolManager.GetInchiKey", xGetMolFileInchiKey, key, text);
}

bool TveskMolManager::GetIdentifier(const char* source, const char* procName,
                                    std::string& identifier, const std::string& text) {
    identifier.clear();
    return Guarded(source, false, [&] {
        if (!IsLibLoaded()) return false;
        // An older library is no fault: it says so once, not for every record of a sheet.
        const auto proc =
            reinterpret_cast<TIdentifierProc>(platform::GetProcAddress(FLib->Handle(), procName));
        if (proc == nullptr) {
            LastError = std::string("procedure not found in library (") + kMolManager + ": " +
                        procName + ")";
            static std::atomic<bool> traced{false};
            if (!traced.exchange(true)) TraceMessage(source, tlWarning, "%s", LastError.c_str());
            return false;
        }
        std::uintptr_t handle = 0;
        TFinally release([&] {
            if (handle == 0) return;
            const std::string error = LastError;
            DestroyMolFile(handle);
            LastError = error;
        });
        if (!OpenMolString(text, handle)) return false;
        // InChIs of big molecules run to kilobytes: a second try with room.
        for (const std::size_t size : {std::size_t{4096}, std::size_t{1} << 20}) {
            std::string buffer(size, '\0');
            TErrBuf err;
            if (Succeeded(
                    proc(handle, &buffer[0], static_cast<TInt>(size), err.Text, kErrBufSize))) {
                identifier.assign(buffer.c_str());
                LastError.clear();
                return true;
            }
            LastError = err.Message(procName);
        }
        return false;
    });
}

bool TveskMolManager::CanOpenMolString(const std::string& text) {
    return Guarded("TveskMolManager.CanOpenMolString", false, [&] {
        if (text.empty() || !IsLibLoaded()) return false;
        // The library reads a molecule's atoms only when asked for them: ask at once, so a
        // text that is no molecule does not count as one.
        THandle handle = 0;
        const bool ok = Call(xOpenMolString, kMolManager, FLib, LastError, &handle, text.c_str(),
                             kParseMoleculeNow, 0);
        if (handle != 0) DestroyMolFile(handle);
        if (ok) LastError.clear();
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

void TveskSDFileEntryData::Clear() {
    Name.clear();
    Lines.clear();
}

void TveskSDFileEntryData::Assign(const TveskSDFileEntryData& source) {
    GuardedVoid("TveskSDFileEntryData.Assign", [&] {
        if (&source == this) return;
        Name = source.Name;
        Lines = source.Lines;
    });
}

bool TveskSDFileEntryData::GetData(const TRoutinesLibraryRef& lib, std::uintptr_t dataEntry,
                                   std::string& lastError) {
    return Guarded("TveskSDFileEntryData.GetData", false, [&] {
        Clear();
        if (dataEntry == 0) return false;
        const auto getName = Proc(xGetSDFileDataEntryName, kEntryData, lib, lastError);
        if (getName == nullptr || !ReadDataText(
                                      [&](char* buffer, TInt size, char* errBuf) {
                                          return getName(dataEntry, buffer, size, errBuf,
                                                         kErrBufSize);
                                      },
                                      xGetSDFileDataEntryName.Name, Name, lastError)) {
            return false;
        }
        TInt count = 0;
        if (!Call(xGetSDFileDataLineCount, kEntryData, lib, lastError, dataEntry, &count))
            return false;
        Lines.reserve(static_cast<std::size_t>(std::max(count, 0)));
        for (TInt i = 0; i < count; ++i) {
            const auto getLine = Proc(xGetSDFileDataLineNo, kEntryData, lib, lastError);
            std::string line;
            if (getLine == nullptr || !ReadDataText(
                                          [&](char* buffer, TInt size, char* errBuf) {
                                              return getLine(dataEntry, i, buffer, size, errBuf,
                                                             kErrBufSize);
                                          },
                                          xGetSDFileDataLineNo.Name, line, lastError)) {
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

bool TveskSDFileEntryData::AddToDataEntryList(const TRoutinesLibraryRef& lib,
                                              std::uintptr_t dataEntryList,
                                              std::string& lastError) const {
    return Guarded("TveskSDFileEntryData.AddToDataEntryList", false, [&] {
        THandle item = 0;
        TFinally release([&] {
            std::string ignored;
            if (item != 0) Call(xDestroySDFileDataEntry, kEntryData, lib, ignored, item);
        });
        if (!Call(xCreateSDFileDataEntry, kEntryData, lib, lastError, &item, Name.c_str(), -1))
            return false;
        for (const std::string& line : Lines) {
            if (!Call(xAddSDFileDataLine, kEntryData, lib, lastError, item, line.c_str()))
                return false;
        }
        return Call(xAddSDFileDataEntry, kEntryData, lib, lastError, dataEntryList, item);
    });
}

// ==== TveskSDFileEntry =======================================================================

TveskSDFileEntry::TveskSDFileEntry() : FLib(LoadRoutines(LastError)) {}

TveskMolManager& TveskSDFileEntry::MolManager() {
    // Made when first needed: most records never write or check their molecule themselves.
    if (!FMolManager) FMolManager = std::make_unique<TveskMolManager>();
    return *FMolManager;
}

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
            std::string error;
            if (!FDataItems.back()->GetData(FLib, item, error))
                LastError = error.empty()
                                ? "data item " + std::to_string(index + 1) + " could not be read"
                                : error;
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

void TveskSDFileEntry::TakeRecord(const TveskSDFileRecord& record) {
    ClearEntry();
    FDataItems.reserve(record.Items().size());
    for (const TveskSDFileRecord::TItem& from : record.Items()) {
        auto item = std::make_unique<TveskSDFileEntryData>();
        item->Name.assign(from.Name);
        item->Lines.reserve(from.LineCount);
        for (std::size_t k = 0; k < from.LineCount; ++k)
            item->Lines.emplace_back(record.Line(from, k));
        FDataItems.push_back(std::move(item));
    }
    SetMolString(std::string(record.MolText()));
    if (record.HasFormula()) {
        FFormula.assign(record.Formula());
        FMolweight = record.Mass();
    }
}

// ==== TveskSDFileRecord ======================================================================

void TveskSDFileRecord::Release() {
    std::free(FText);
    std::free(FPacked);
    FText = FPacked = nullptr;
    FTextLength = FPackedLength = 0;
    FUnpacked = false;
    FMolText = FFormula = FMoleculeError = std::string_view();
    FHasFormula = false;
    FMass = 0.0;
    FItems.clear();
    FLines.clear();
}

bool TveskSDFileRecord::Take(char* text, std::size_t textLength, char* packed,
                             std::size_t packedLength, std::string& error) {
    Release();
    FText = text;
    FTextLength = text != nullptr ? textLength : 0;
    FPacked = packed;
    FPackedLength = packed != nullptr ? packedLength : 0;
    FUnpacked = Unpack(error);
    if (!FUnpacked) {
        FItems.clear();
        FLines.clear();
    }
    return FUnpacked;
}

bool TveskSDFileRecord::Unpack(std::string& error) {
    TPackedRecord packed(FPacked != nullptr ? FPacked : "", FPackedLength);
    std::int32_t status = 0, formulaStatus = 0, items = 0;
    if (!packed.Int(status)) {
        error = "the library handed over no record";
        return false;
    }
    if (status != 1) {
        if (!packed.Text(error) || error.empty()) error = "the record could not be read";
        return false;
    }
    const char* const damaged = "the library handed over a damaged record";
    if (!packed.View(FMolText) || !packed.Int(formulaStatus) || !packed.View(FFormula) ||
        !packed.Double(FMass) || !packed.Int(items) || items < 0) {
        error = damaged;
        return false;
    }
    FHasFormula = formulaStatus == 1;
    if (!FHasFormula) {
        // Status 0: the library could not read the molecule and says why in place of the
        // formula; -1: it was not asked.
        if (formulaStatus == 0)
            FMoleculeError = FFormula.empty() ? "the molecule cannot be read" : FFormula;
        FFormula = std::string_view();
        FMass = 0.0;
    }
    // Each item takes at least eight bytes: a bound that a damaged count cannot pass.
    FItems.reserve(std::min<std::size_t>(static_cast<std::size_t>(items), FPackedLength / 8));
    for (std::int32_t i = 0; i < items; ++i) {
        TItem item;
        std::int32_t lines = 0;
        if (!packed.View(item.Name) || !packed.Int(lines) || lines < 0) {
            error = damaged;
            return false;
        }
        item.FirstLine = FLines.size();
        item.LineCount = static_cast<std::size_t>(lines);
        for (std::int32_t k = 0; k < lines; ++k) {
            std::string_view line;
            if (!packed.View(line)) {
                error = damaged;
                return false;
            }
            FLines.push_back(line);
        }
        FItems.push_back(item);
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
            std::string error;
            if (!item->AddToDataEntryList(FLib, list, error)) {
                LastError =
                    error.empty() ? "data item \"" + item->Name + "\" could not be added" : error;
                return false;
            }
        }
        // An empty or unreadable molecule text leaves the handle 0: the empty block is written.
        std::uintptr_t mol = 0;
        const bool keepMolecule = !FOrgText.empty() && !FMolChanged;
        if (!keepMolecule) MolManager().OpenMolString(FMolString, mol);
        TFinally releaseMol([&] {
            if (mol != 0) MolManager().DestroyMolFile(mol);
        });
        return Call(xAddSDFileEntryEx, kEntry, FLib, LastError, producer, mol,
                    keepMolecule ? kWriteOriginalMolecule : kWriteMolecule, list, FOrgText.data(),
                    static_cast<TInt>(FOrgText.size()), crlf ? kLineEndsCrLf : kLineEndsLf);
    });
}
