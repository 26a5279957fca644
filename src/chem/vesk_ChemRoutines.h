#pragma once
// Binding to the routines library (libveskChemRoutines.so): molecule texts, formula and mass,
// reading and writing SD files. The library is loaded at run time; every export is looked up
// by name right before each call. Every wrapper object holds its own reference to the library.
// Nothing here throws: failures come back as a false result and a LastError text.
// Qt-free.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_Library.h"

// The file the wrappers load: "libveskChemRoutines.so".
extern const char* const RoutinesLibraryName;

// Tests only: makes wrappers created from now on load this file (a path, or a bare name that
// is searched as usual) instead of RoutinesLibraryName; an empty text restores the default.
// Call it while no other thread creates wrappers.
void SetRoutinesLibraryFile(const std::string& file);

// The address of an export, or nullptr. A null handle or a missing export sets LastError
// ("library handle not set (Class: Proc)", "procedure not found in library (Class: Proc)")
// and traces it at tlFatalError; a success leaves LastError alone. Never cached.
void* GetProcAddressEx(const char* className, platform::TLibraryHandle libHandle,
                       const char* procName, std::string& lastError) noexcept;

// Each wrapper object holds its own counted reference to the library; the library stays
// loaded while any of them lives.
using TRoutinesLibraryRef = std::shared_ptr<const platform::TLibraryRef>;

class TveskSDFileManager;

// Progress in per cent. The answer is the usual "go on" of progress events; the scan of
// OpenSDFile cannot be interrupted, so it is not used there.
using TveskProgressEvent = std::function<bool(TveskSDFileManager* sender, double progress)>;
using TveskEntryCountEvent = std::function<void(TveskSDFileManager* sender, int count, int total)>;

// Checks on molecule texts, formula and mass. Every handle it opens is destroyed before the
// method returns, except the one OpenMolString hands to the caller.
class TveskMolManager {
public:
    TveskMolManager();
    ~TveskMolManager();
    TveskMolManager(const TveskMolManager&) = delete;
    TveskMolManager& operator=(const TveskMolManager&) = delete;

    platform::TLibraryHandle LibHandle() const { return FLib->Handle(); }
    bool IsLibLoaded() const { return static_cast<bool>(*FLib); }

    bool OpenMolString(const std::string& text, std::uintptr_t& molHandle);
    bool DestroyMolFile(std::uintptr_t molHandle);
    bool GetMolFormula(std::uintptr_t molHandle, std::string& formula, bool extended = false,
                       const std::string& separator = "*");
    bool GetMolMass(std::uintptr_t molHandle, double& mass);
    bool GetFormulaAndMass(const std::string& text, std::string& formula, double& mass);
    // The molecule text as canonical SMILES (empty for no atoms); false when it cannot be read.
    bool GetSmiles(const std::string& text, std::string& smiles);
    // The molecule text's standard InChI and InChIKey (empty for no atoms); false when it
    // cannot be read or the InChI library refuses it. Libraries older than these exports
    // answer false ("procedure not found in library (TveskMolManager: GetMolFileInchi)").
    bool GetInchi(const std::string& text, std::string& inchi);
    bool GetInchiKey(const std::string& text, std::string& key);
    bool CanOpenMolString(const std::string& text);
    // Opens and has a mass above 0.
    bool IsValidMolString(const std::string& text);
    // The molecule text held by the handle, byte for byte.
    bool GetMolStringFromHandle(std::uintptr_t molHandle, std::string& text);

    std::string LastError;

private:
    // GetInchi and GetInchiKey: open, call the optional export through growing buffers, close.
    bool GetIdentifier(const char* source, const char* procName, std::string& identifier,
                       const std::string& text);

    TRoutinesLibraryRef FLib;
};

// One named data item of an SD record: its name and value lines (bytes, without line ends).
// A plain value: sheets hold millions of them, so it keeps no library reference and no error
// text of its own; the entry that owns it lends both for the two calls that need the library.
class TveskSDFileEntryData {
public:
    void Clear();
    void Assign(const TveskSDFileEntryData& source);
    // Reads the library's data item. Lines read before a failure stay.
    bool GetData(const TRoutinesLibraryRef& lib, std::uintptr_t dataEntry, std::string& lastError);
    // Appends a copy of this item to the library's list.
    bool AddToDataEntryList(const TRoutinesLibraryRef& lib, std::uintptr_t dataEntryList,
                            std::string& lastError) const;

    std::string Name;
    std::vector<std::string> Lines;
};

// One record as the library hands it over in one call (TveskSDFileManager::ReadEntry): its
// bytes as the file holds them and, when it could be taken apart, its parts. The parts are
// views into this object's buffers and live as long as it does, until the next read into it.
class TveskSDFileRecord {
public:
    struct TItem {
        std::string_view Name;
        std::size_t FirstLine = 0;  // into Lines
        std::size_t LineCount = 0;
    };

    TveskSDFileRecord() = default;
    ~TveskSDFileRecord() { Release(); }
    TveskSDFileRecord(const TveskSDFileRecord&) = delete;
    TveskSDFileRecord& operator=(const TveskSDFileRecord&) = delete;

    // Takes over two buffers the library allocated (freed here) and takes the packed one
    // apart; false with the reason when the library could not take the record apart.
    bool Take(char* text, std::size_t textLength, char* packed, std::size_t packedLength,
              std::string& error);
    void Release();

    std::string_view Text() const { return {FText != nullptr ? FText : "", FTextLength}; }
    bool Unpacked() const { return FUnpacked; }
    std::string_view MolText() const { return FMolText; }
    // Formula and mass when the library computed them.
    bool HasFormula() const { return FHasFormula; }
    std::string_view Formula() const { return FFormula; }
    double Mass() const { return FMass; }
    // Why the library could not read the molecule when asked for formula and mass (atom or
    // bond lines missing or cut short); empty when it could or was not asked.
    std::string_view MoleculeError() const { return FMoleculeError; }
    const std::vector<TItem>& Items() const { return FItems; }
    std::string_view Line(const TItem& item, std::size_t k) const {
        return FLines[item.FirstLine + k];
    }

private:
    bool Unpack(std::string& error);

    char* FText = nullptr;
    std::size_t FTextLength = 0;
    char* FPacked = nullptr;
    std::size_t FPackedLength = 0;
    bool FUnpacked = false;
    std::string_view FMolText;
    bool FHasFormula = false;
    std::string_view FFormula;
    std::string_view FMoleculeError;
    double FMass = 0.0;
    std::vector<TItem> FItems;
    std::vector<std::string_view> FLines;
};

// One SD record: the molecule block and the data items in file order.
class TveskSDFileEntry {
public:
    TveskSDFileEntry();
    ~TveskSDFileEntry();
    TveskSDFileEntry(const TveskSDFileEntry&) = delete;
    TveskSDFileEntry& operator=(const TveskSDFileEntry&) = delete;

    platform::TLibraryHandle LibHandle() const { return FLib->Handle(); }
    bool IsLibLoaded() const { return static_cast<bool>(*FLib); }

    // Frees the items and empties the molecule; Title and LastError stay.
    void ClearEntry();
    void SetMolString(const std::string& text);
    // Replaces the items by the library list's items. The list stays the caller's.
    bool ReadDataEntries(std::uintptr_t dataEntryList, const std::string& titleField);
    // Takes molecule, items, formula and weight from a record the library took apart.
    void TakeRecord(const TveskSDFileRecord& record);

    int DataCount() const { return static_cast<int>(FDataItems.size()); }
    TveskSDFileEntryData* Data(int index) const;
    TveskSDFileEntryData* AddData(const std::string& name);
    // First item of exactly this name (case-sensitive), or nullptr.
    TveskSDFileEntryData* FindData(const std::string& name) const;
    bool FreeData(TveskSDFileEntryData* item);
    const std::vector<std::unique_ptr<TveskSDFileEntryData>>& DataItems() const {
        return FDataItems;
    }

    void Assign(const TveskSDFileEntry& source);
    // Appends the names not yet in the list.
    void AssignFieldNamesTo(std::vector<std::string>* list) const;

    // Cached; computed on first use. A weight of 0 counts as not computed.
    std::string GetFormula();
    double GetMolweight();
    bool GetFormulaAndMolweight();

    // Appends this record to an output file of the library (TveskSDFileWriter's Producer): a
    // record read from a file and not changed since goes out byte for byte, as does one that
    // could not be read into molecule and items; a changed one is written anew, keeping what
    // its original text says about the parts that did not change. crlf: line ends of a record
    // that has no original text.
    bool WriteToProducer(std::uintptr_t producer, bool crlf = false);

    // The record's text as it was read from its file, byte for byte; empty for a record made
    // in the program. Setting it marks the entry unchanged.
    const std::string& OrgText() const { return FOrgText; }
    void SetOrgText(std::string text);
    // Item values and names are changed in place by their owners, who say so here.
    void MarkDataChanged() { FDataChanged = true; }
    // For an entry rebuilt from a record held elsewhere: which parts differ from OrgText.
    void SetChangeMarks(bool molChanged, bool dataChanged) {
        FMolChanged = molChanged;
        FDataChanged = dataChanged;
    }
    bool IsChanged() const { return FMolChanged || FDataChanged; }

    bool Loaded() const { return FLoaded; }
    const std::string& MolString() const { return FMolString; }
    TveskMolManager& MolManager();

    std::string LastError;
    std::string Title;

private:
    TRoutinesLibraryRef FLib;
    bool FLoaded = false;
    std::string FMolString;
    std::vector<std::unique_ptr<TveskSDFileEntryData>> FDataItems;
    std::string FFormula;
    double FMolweight = 0.0;
    std::string FOrgText;
    bool FMolChanged = false;
    bool FDataChanged = false;
    std::unique_ptr<TveskMolManager> FMolManager;
};

// An SD file being read: by index (random access) or all at once (sequential).
class TveskSDFileManager {
public:
    TveskSDFileManager();
    ~TveskSDFileManager();
    TveskSDFileManager(const TveskSDFileManager&) = delete;
    TveskSDFileManager& operator=(const TveskSDFileManager&) = delete;

    platform::TLibraryHandle LibHandle() const { return FLib->Handle(); }
    bool IsLibLoaded() const { return static_cast<bool>(*FLib); }

    // Random access: scans the file (progress through onProgress, on this thread) and learns
    // TotalCount. Sequential: reads every record into Entries.
    bool OpenSDFile(const std::string& fileName, const std::string& titleField,
                    TveskProgressEvent onProgress, TveskEntryCountEvent onEntryCount,
                    bool randomAccess);
    // Reads record `index` into the entry; does nothing (true) for no entry, a loaded entry
    // or no open file. A record whose bytes were read but not understood stays not loaded and
    // keeps its bytes (OrgText).
    bool LoadEntryData(int index, TveskSDFileEntry* entry);
    // Reads record `index` in one call: its bytes and its parts, with formula and mass when
    // withFormula. False when the bytes could not be read (record.Text() empty) or the record
    // could not be taken apart (its bytes stay); LastError says why.
    bool ReadEntry(int index, TveskSDFileRecord& record, bool withFormula = true);
    // The bytes of record `index` as the file holds them.
    bool ReadEntryText(int index, std::string& text);
    bool GetProgress(double& progress);
    bool CloseSDFile();
    void ClearEntries();

    std::uintptr_t FileHandle() const { return FFileHandle; }
    bool RandomAccess() const { return FRandomAccess; }
    int EntryCount() const { return FEntryCount; }
    int TotalCount() const { return FTotalCount; }
    const std::vector<std::unique_ptr<TveskSDFileEntry>>& Entries() const { return FEntries; }
    const std::string& TitleField() const { return FTitleField; }
    TveskMolManager& MolManager();

    std::string LastError;
    TveskProgressEvent OnProgress;
    TveskEntryCountEvent OnEntryCount;

private:
    bool ReadAllEntries();
    bool DestroyRecordHandles(std::uintptr_t molHandle, std::uintptr_t dataEntryList);

    TRoutinesLibraryRef FLib;
    std::uintptr_t FFileHandle = 0;
    bool FRandomAccess = false;
    int FEntryCount = 0;
    int FTotalCount = -1;
    std::vector<std::unique_ptr<TveskSDFileEntry>> FEntries;
    std::string FTitleField;
    std::unique_ptr<TveskMolManager> FMolManager;
};

// An SD file being written; the constructor starts it, CloseFile puts it in the place of the
// named file, on disk and whole. Until then the named file is untouched; a writer destroyed
// without CloseFile (or after AbortFile) leaves it so. Check LastError right after
// construction.
class TveskSDFileWriter {
public:
    explicit TveskSDFileWriter(const std::string& fileName);
    ~TveskSDFileWriter();
    TveskSDFileWriter(const TveskSDFileWriter&) = delete;
    TveskSDFileWriter& operator=(const TveskSDFileWriter&) = delete;

    platform::TLibraryHandle LibHandle() const { return FLib->Handle(); }
    bool IsLibLoaded() const { return static_cast<bool>(*FLib); }

    bool OpenFile(const std::string& fileName);
    // The entry's error, if any, is in the entry's LastError. crlf as in WriteToProducer.
    bool WriteEntry(TveskSDFileEntry* entry, bool crlf = false);
    // A record's bytes as ReadEntryText gave them.
    bool WriteEntryText(std::string_view text);
    // Completes the file; after a failure the named file is as it was.
    bool CloseFile();
    bool AbortFile();

    std::uintptr_t Producer() const { return FProducer; }
    bool IsOpen() const { return FProducer != 0; }

    std::string LastError;

private:
    TRoutinesLibraryRef FLib;
    std::uintptr_t FProducer = 0;
};
