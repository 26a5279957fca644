#pragma once
// A sheet's records and the record list that owns them, their fields, the SD file being read
// and the two threads that read it: the indexing thread counts the file's entries, then the
// loader thread reads record after record while the UI thread may read any record on demand.
// The records and their lock are a TZelmarRecordStore's, the threads a TZelmarLoadingControl's.
//
// Threads: every operation runs in the UI thread, except what the loader thread reaches
// through the loading control (reading a record, LoadEntryData, SynchronizeFieldList,
// OnLoadDataProgress, OnFieldListChanged) and what the indexing thread reaches through its
// progress relay (OnIndexingProgress). Assign the events before LoadFile.
// Locks: CriticalSection guards record access with reading on demand and every change of
// the list's shape; CritSectFields guards the field list. Always CriticalSection first.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Zelmar_Object_DataCarrier.h"
#include "Zelmar_Object_DuplicateFinder.h"
#include "Zelmar_Object_FieldKinds.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_LoadingControl.h"
#include "Zelmar_Object_RecordStore.h"
#include "Zelmar_Object_RecordTexts.h"
#include "Zelmar_Object_SearchEngine.h"
#include "Zelmar_Object_Sorter.h"
#include "Zelmar_Object_StringList.h"
#include "Zelmar_Object_StructureKeys.h"
#include "Zelmar_RowFilter.h"
#include "Zelmar_UndoStack.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Dispatcher.h"
class TZelmarSearchEngine;

// The molecule stored when a molecule cell is cleared: a molfile without atoms.
extern const char* const kEmptyMolFile;

// What duplicate search, the molecule sort and copies learnt about a record's molecule: its
// constitution hash, exact-structure keys (index 1: with stereo) and SMILES, kept with the size
// and hash of the molecule text they were made from, so that a molecule edited, reloaded or
// assigned since is looked at anew.
struct TZelmarKeptStructureKeys {
    std::size_t MolSize = 0;
    std::uint64_t MolHash = 0;
    bool ConstitutionKnown = false;
    bool HasConstitution = false;
    std::uint64_t Constitution = 0;
    bool Known[2] = {false, false};
    TZelmarStructureKey Keys[2];
    // Its canonical SMILES (ZelmarRecordSmiles); empty when it has none.
    bool SmilesKnown = false;
    std::string Smiles;
    // Its standard InChI and InChIKey (Zelmar_RecordIdentifiers); empty when it has none.
    bool InchiKnown = false;
    std::string Inchi;
    bool InchiKeyKnown = false;
    std::string InchiKey;
    // Keys under duplicate policies (Zelmar_Object_PolicyKeys.h), by policy * 2 + stereo.
    std::vector<std::pair<int, TZelmarStructureKey>> PolicyKeys;
};

// One row of a sheet: an SD record's texts, its check mark and, when reading it failed, the
// reason.
class TZelmarSDFileData {
public:
    // Lazy: the entry is read later from entry number entryNo of the list's file. Not lazy:
    // the entry counts as loaded (a new record, or the target of a copy).
    explicit TZelmarSDFileData(bool lazy, int entryNo = -1);
    ~TZelmarSDFileData();
    TZelmarSDFileData(const TZelmarSDFileData&) = delete;
    TZelmarSDFileData& operator=(const TZelmarSDFileData&) = delete;

    // Empties the record's texts; it counts as not loaded.
    void Clear();
    // A copy of the source's texts and check mark (not its load error). The copy no longer
    // stands for an entry of a file; it shares the source's original bytes.
    void Assign(const TZelmarSDFileData* source);
    // The record's value for the field; sets the carrier's kind on success. False for a data
    // text field without data item, for other kinds and for null arguments.
    bool GetDataForField(const TZelmarField* field, TZelmarDataCarrier* carrier);
    // An empty carrier deletes the value (a molecule becomes the empty molfile instead).
    void SetDataForField(const TZelmarField* field, const TZelmarDataCarrier* carrier);
    // Removes the data item named like the field; true also when there is none.
    bool DeleteData(const TZelmarField* field);
    // The data item named like the field's OrigName takes the field's name.
    bool RenameData(const TZelmarField* field);
    // Key for duplicate search and mixing.
    std::string GetPrecheckForSearch(const TZelmarField* field);
    // Computed once, when first asked for (the loader asks).
    std::string GetFormula();
    double GetMolweight();
    // The formula as a text whose byte order sorts element by element, C and H first.
    std::string GetFormulaSortKey();
    // The same for any formula text ("C6H12O6" -> "C0006H0012O0006"); empty when the
    // formula has more than 50 elements.
    static std::string FormulaToSortKey(const std::string& formula);
    bool IsLoaded() const;
    // What is kept for the molecule text of this size and hash: null when nothing is; Keep
    // starts anew when the text is another (Zelmar_Object_StructureKeys.cpp).
    TZelmarKeptStructureKeys* KeptStructureKeys(std::size_t molSize, std::uint64_t molHash) const;
    TZelmarKeptStructureKeys& KeepStructureKeys(std::size_t molSize, std::uint64_t molHash);

    // Molecule, data items and the bytes the record was read from.
    const TZelmarRecordTexts& Texts() const { return FTexts; }
    TZelmarRecordTexts& Texts() { return FTexts; }
    std::string_view MolString() const { return FTexts.MolString(); }
    // The file entry this record is read from, -1 when it is not read from a file.
    int EntryNo() const { return FEntryNo; }

    bool Selected = true;
    // Put aside by the sheet's filter (TZelmarRowFilter): not shown, still the sheet's.
    bool FilteredOut = false;
    std::string LoadError;

private:
    bool ComputeFormulaAndMolweight();

    TZelmarRecordTexts FTexts;
    int FEntryNo = -1;
    std::unique_ptr<TZelmarKeptStructureKeys> FStructureKeys;
};

// (text, record) lists that do not own their records: load errors, search results,
// precheck lists.
using TZelmarRecordRefs = TZelmarStringList<TZelmarSDFileData>;

class TZelmarSDFileDataList {
public:
    using TNotifyEvent = std::function<void(TZelmarSDFileDataList* sender)>;
    // Answer false to stop the running operation.
    using TProgressEvent = std::function<bool(TZelmarSDFileDataList* sender, int percent)>;
    using TStartSaveEvent =
        std::function<bool(TZelmarSDFileDataList* sender, const std::string& newFileName,
                           const std::string& currentFileName)>;
    using TEndSaveEvent = std::function<void(TZelmarSDFileDataList* sender, bool success)>;
    using TSaveErrorEvent =
        std::function<bool(TZelmarSDFileDataList* sender, const std::string& fileName,
                           bool isRecordError, const std::string& error, int index)>;
    using TMixProgressEvent =
        std::function<bool(TZelmarSDFileDataList* sender, int done, int total)>;
    using TVerifyProgress = std::function<bool(TZelmarSDFileDataList* list, int index, int count)>;

    // The dispatcher runs the threads' end notifications in the UI thread and must outlive
    // the list; a list without one (mixing, results) cannot load a file.
    explicit TZelmarSDFileDataList(platform::TUiDispatcher* dispatcher,
                                   TNotifyEvent onStartLoadData = nullptr,
                                   TNotifyEvent onEndLoadData = nullptr,
                                   TProgressEvent onLoadDataProgress = nullptr,
                                   TNotifyEvent onStartIndexing = nullptr,
                                   TNotifyEvent onEndIndexing = nullptr,
                                   TProgressEvent onIndexingProgress = nullptr);
    // Stops the threads (waiting for a running scan to end), then frees everything.
    ~TZelmarSDFileDataList();
    TZelmarSDFileDataList(const TZelmarSDFileDataList&) = delete;
    TZelmarSDFileDataList& operator=(const TZelmarSDFileDataList&) = delete;

    // ---- records ----
    int GetCount() const;
    // Null outside 0..count-1. Reads the record first when it has not been tried yet.
    TZelmarSDFileData* GetSDFileData(int index);
    int GetIndexOfSDFileData(const TZelmarSDFileData* record) const;
    // Records that are loaded once every record has been tried (tries them all).
    int GetLoadedCount();
    TZelmarSDFileData* CreateSDFileData(bool lazy);
    // Appends the records of an SD text (pasted from another sheet or program), read as a
    // file is; a record that cannot be read is skipped and counted in failed. The records
    // appended, -1 when the text could not be read at all (error says why).
    int AppendRecordsFromText(const std::string& text, int& failed, std::string& error);
    // Removes the record for good (its undo steps are forgotten when they know it).
    void DeleteSDFileData(TZelmarSDFileData* record);
    // Removes every record and forgets the undo steps.
    void Clear();
    void SelectAll();
    void UnselectAll();
    // An undo step of its own unless one is open; the records are kept for undoing it.
    void DeleteUnselected();
    // How many records have no check mark (and so are not written by a save).
    int GetUnselectedCount() const;
    // Whether some record read so far holds bytes that are not UTF-8: then the file's values
    // are shown, and typed text is stored, as Windows-1252.
    bool HasWindows1252Text() const;
    bool HasLoadErrors() const;
    // Null until loading has finished.
    const TZelmarRecordRefs* GetLoadErrors() const;
    void DeleteFromLoadErrors(TZelmarSDFileData* record);
    void DeleteLoadErrors();
    bool DeleteData(const TZelmarField* field);
    bool RenameData(const TZelmarField* field);
    // Reads every record, asking the procedure (if given) before each; false stops.
    bool VerifyAllLoaded(const TVerifyProgress& progress);

    // The steps of the changes to the records. CreateSDFileData inside a step is noted in it.
    TZelmarUndoStack& Undo() { return *FUndo; }
    const TZelmarUndoStack& Undo() const { return *FUndo; }

    // ---- loading and saving ----
    // Starts indexing the file in the background; a list reads one file in its life.
    bool LoadFile(const std::string& fileName);
    // Starts the loader thread (once).
    void LoadData();
    // Writes the checked records; the unchecked ones are removed from the sheet. Records the
    // user did not change are written byte for byte as they were read (also those that could
    // not be read into molecule and items); a record whose bytes cannot be had fails the
    // save. The file is replaced only when the new one is complete.
    bool SaveFile(const std::string& fileName);
    // A copy of the records, or of the checked ones only, written as SaveFile writes them but
    // leaving the sheet as it is: no record removed, its file name kept, no save events. The
    // file is replaced only when complete; progress (may be empty) answers false to stop.
    bool WriteCopyTo(const std::string& fileName, bool onlyChecked, const TProgressEvent& progress,
                     std::string& error);
    // The loader stops at its next record boundary and holds no record access until
    // ContinueLoaderThread; true when it was running and is now paused.
    bool PauseLoaderThread();
    void ContinueLoaderThread();
    void TerminateLoaderThread();
    void TerminateIndexingThread();

    // ---- copies ----
    // Appends a non-lazy copy of every record; the caller owns the copies.
    bool GetCopyAsStringList(TZelmarStringList<TZelmarSDFileData>& target);
    void Assign(TZelmarSDFileDataList* other);
    void Assign(const TZelmarRecordRefs& records);
    bool Add(TZelmarSDFileDataList* other);
    void AddNewItemsFromList(const TZelmarRecordRefs& records);

    // ---- searching ----
    // Appends (empty text, record) to results for every record whose value for the field
    // matches the query under the options (TZelmarSearchOption), in record order; with
    // onlySelected, unchecked records are skipped. Fires OnStartSearch, OnSearchProgress
    // before each record and OnEndSearch. False when the progress handler stopped it (the
    // hits found until then stay in results) or on failure; true without searching when
    // field, query or results is missing.
    bool SearchDataForField(const TZelmarField* field, const TZelmarDataCarrier* query,
                            bool onlySelected, TZelmarRecordRefs* results, bool considerStereo,
                            int options);

    // ---- narrowing the sheet in place (Zelmar_Object_SDFileData_Filter.cpp) ----
    // The rows a sheet shows: every record, or those a filter left.
    TZelmarRowFilter& Rows() { return *FRows; }
    // Narrows the rows to the records whose value for the field matches what the user typed
    // (ZelmarParseFilterQuery); a null field looks for the text in every text field and the
    // formula. Checked or not, every record is looked at. An empty text shows every row.
    // False, the rows as they were, when the search was stopped, failed or the text is no
    // query for the field.
    bool FilterRows(const TZelmarField* field, const std::string& typed);
    // Narrows the rows to the records that hold the molecule as a substructure (options
    // soContains) or are that very structure (soExact).
    bool FilterRowsByStructure(const std::string& molFile, int options, bool considerStereo);

    // ---- sorting (TZelmarSorter; Zelmar_Object_SDFileData_Sort.cpp) ----
    // direction 0 toggles on the last sorted field, else 1 ascending, 2 descending. Order,
    // SortDirection and SortField change only on success. OnStartSort, then always OnEndSort
    // (for a sortable field); OnSortProgress while keys are gathered (a molecule sort reports
    // its second half through OnSearchProgress).
    bool SortForField(TZelmarField* field, std::uint8_t direction);

    // ---- duplicate search and mixing (TZelmarDuplicateFinder, TZelmarSetOperations;
    // Zelmar_Object_SDFileData_Duplicates.cpp) ----
    // (data, list, position, total) -> go on.
    using TEnumProgress =
        std::function<bool(void* data, TZelmarSDFileDataList* list, int position, int total)>;
    // (precheck key, record) of every checked record, sorted by key. total -1: the count.
    bool DoEnumChemistryEntrysForSearch(TZelmarRecordRefs* target, const TZelmarField* field,
                                        int total, const TEnumProgress& progress, void* data);
    // How many keys this list has had the search library make so far.
    std::int64_t StructureKeysMade() const { return FStructureKeys.Made(); }
    // Groups of equal values (molecules: identical structures) of the checked records, in
    // key order. Pauses a running loader meanwhile. False only when stopped or failed.
    // policy (TZelmarDuplicatePolicy bits): molecules group by their keys under it instead.
    bool SearchForDuplicates(const TZelmarField* field, bool considerStereo,
                             TZelmarRecordRefs* results, int policy = 0);
    // Both consume p and q and replace this list's records; false (list unchanged) when
    // OnMixProgress stops them or they fail. A policy compares the molecules by its keys.
    bool AddIntersectedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q, const TZelmarField* field,
                            int policy = 0, bool considerStereo = false);
    bool AddSubtractedData(TZelmarRecordRefs& p, TZelmarRecordRefs& q, const TZelmarField* field,
                           int policy = 0, bool considerStereo = false);

    // ---- identifier columns (Zelmar_Object_SDFileData_Identifiers.cpp) ----
    // The column of an identifier kind, null when the sheet does not show it.
    TZelmarField* GetIdentifierField(TZelmarFieldKind kind);
    // Shows the column (after the weight, or last) or removes it; the list of fields only,
    // no undo step and nothing to save. False for a kind that is no identifier.
    bool ShowIdentifierColumn(TZelmarFieldKind kind, bool show);
    // Makes the kind's values of every record that are not kept yet; progress in per cent
    // (false stops). False when stopped or failed.
    bool MakeIdentifiers(TZelmarFieldKind kind, const TProgressEvent& progress);
    // The column becomes a data field in its place, holding each record's value as a data
    // item, in one undo step of that name; the field's name is the kind's caption, numbered
    // ("SMILES 2") when a field bears it already. Empty when it failed or was stopped
    // (nothing changed then); else the new field's name.
    std::string TakeOverIdentifierColumn(TZelmarFieldKind kind, const std::string& stepName,
                                         const TProgressEvent& progress);

    // ---- fields (each under CritSectFields) ----
    int GetFieldCount();
    TZelmarField* GetField(int index);
    TZelmarField* GetFieldByName(const std::string& name);
    TZelmarField* GetVisibleField(int visibleIndex);
    int GetVisibleFieldCount();
    int GetFixedFieldCount();
    bool IsCheckboxVisible();
    TZelmarField* GetChemistryField();
    void EnumSearchableFields(TZelmarFieldRefs& out);
    void EnumSelectableFields(TZelmarFieldRefs& out);
    bool FillCopyOfFieldList(TZelmarFieldList& target);
    // Renames the data items of renamed fields, deletes those of removed fields, then takes
    // the new list. Inside an undo step that is part of the step; outside one it forgets the
    // undo steps.
    bool SetNewFields(const TZelmarFieldList* newList);
    // Adds a field for every data item name of the records, record by record.
    void InitFieldNamesFromData();
    // Adds fields for the record's data item names; true when fields were added.
    bool SynchronizeFieldList(TZelmarSDFileData* record);
    // Decides from the records read so far which data fields hold numbers (done when loading
    // ends); a kind the user chose stays. True when a kind changed.
    bool DetectFieldKinds();

    // ---- state ----
    // The last failure: a file that could not be read, a record that could not be read, a
    // save that could not be completed. Empty until one happens. Any thread.
    std::string GetLastError() const;
    // Worker-thread events (OnIndexingProgress, OnLoadDataProgress, OnFieldListChanged) run
    // on the worker thread by default. With this set before LoadFile they are posted through
    // the dispatcher to the UI thread instead, in order, progress only when its per cent
    // changed; a posted OnLoadDataProgress that answers false stops loading. Either way no
    // event is raised while a lock of the list is held.
    bool PostWorkerEvents = false;
    const std::string& GetFileName() const { return FFileName; }
    bool GetLoadFinished() const;
    bool GetAllLoaded() const;
    TveskSDFileManager* GetManager() const;

    // Events, first group.
    TNotifyEvent OnStartLoadData;
    TNotifyEvent OnEndLoadData;
    TProgressEvent OnLoadDataProgress;
    TStartSaveEvent OnStartSaveData;
    TEndSaveEvent OnEndSaveData;
    TProgressEvent OnSaveDataProgress;
    TSaveErrorEvent OnSaveDataError;
    TNotifyEvent OnStartSort;
    TNotifyEvent OnEndSort;
    TProgressEvent OnSortProgress;
    // State of the last successful sort.
    std::uint8_t SortDirection = 0;
    TZelmarField* SortField = nullptr;
    // Events, second group.
    TNotifyEvent OnStartSearch;
    TNotifyEvent OnEndSearch;
    TProgressEvent OnSearchProgress;
    TNotifyEvent OnStartIndexing;
    TNotifyEvent OnEndIndexing;
    TProgressEvent OnIndexingProgress;  // answer not used
    TMixProgressEvent OnMixProgress;
    TNotifyEvent OnFieldListChanged;

private:
    int AppendRecordsOfFile(const std::string& path, int& failed, std::string& error);
    // Reads the record from its file entry under CriticalSection, unless it has been tried.
    bool LoadEntryData(TZelmarSDFileData* record);
    // Raises OnFieldListChanged once for the records read since the last call that brought
    // new field names. Never called under a lock of the list.
    void AnnounceFieldListChanges();
    void SetLastError(const std::string& error);
    // FilterRows over every text field and the formula at once, for a plain ASCII text: the
    // records that contain it, case ignored. False when stopped or failed.
    bool FindTextEverywhere(const std::vector<const TZelmarField*>& fields,
                            const std::string& typed, TZelmarRecordStore::TRecordSet& found);
    // The field list becomes a copy of the fields (under CritSectFields).
    void TakeFieldList(const TZelmarFieldList& fields);
    // Line ends for records made in the program: those of the records read from the file.
    bool UsesCrLf();
    // readError: the record's content could not be had at all.
    bool WriteRecord(TveskSDFileWriter& writer, int index, bool crlf, std::string& error,
                     bool& readError);
    bool WriteRecords(const std::string& fileName);
    // The writing loop of a save and of a copy: onError(isRecordError, error, index) answers
    // whether to go on after a record that could not be written; error is the failure.
    using TWriteErrorEvent =
        std::function<bool(bool isRecordError, const std::string& error, int index)>;
    bool WriteRecordsTo(const std::string& fileName, bool onlyChecked,
                        const TProgressEvent& progress, const TWriteErrorEvent& onError,
                        std::string& error);

    // The records, their order and CriticalSection; records remember their file entry number,
    // so reordering while records are still unread reads the right ones.
    std::unique_ptr<TZelmarRecordStore> FStore;
    std::unique_ptr<TZelmarUndoStack> FUndo;
    std::unique_ptr<TZelmarRowFilter> FRows;
    std::unique_ptr<TZelmarFieldList> FFields;
    std::recursive_mutex FCritSectFields;
    // Under CritSectFields: the data item names (TZelmarNamePool indices) known to have a
    // field. Fields are only added until SetNewFields replaces them, which forgets these.
    std::vector<bool> FNamesWithField;
    std::string FFileName;
    bool FFieldsChanged = false;  // under CriticalSection, see AnnounceFieldListChanges
    // Under CriticalSection: how the values of each data item name (by its TZelmarNamePool
    // index) read as numbers, counted as each record is read, while its bytes are at hand.
    std::vector<TZelmarValueTally> FValueTallies;
    void TallyValues(const TZelmarSDFileData& record);
    mutable std::mutex FErrorMutex;
    std::string FLastError;

    // What the loading control sees of the list: its events and failures.
    class TLoadingClient final : public IZelmarLoadingClient {
    public:
        explicit TLoadingClient(TZelmarSDFileDataList& list) : FList(list) {}
        void IndexingStarted() override;
        void IndexingEnded() override;
        void LoadingStarted() override;
        void LoadingEnded() override;
        void IndexingProgress(int percent) override;
        bool LoadingProgress(int percent) override;
        void RecordRead() override;
        void Failed(const std::string& error) override;

    private:
        TZelmarSDFileDataList& FList;
    };
    TLoadingClient FLoadingClient{*this};
    // The threads, the file being read and the load errors.
    std::unique_ptr<TZelmarLoadingControl> FLoading;

    // What the sorter and the duplicate finder see of the list (Zelmar_Object_SDFileData_Sort.cpp).
    class TRecordAccess final : public IZelmarRecordAccess {
    public:
        explicit TRecordAccess(TZelmarSDFileDataList& list) : FList(list) {}
        int RecordCount() override;
        void RecordsAt(int first, int count, std::vector<TZelmarSDFileData*>& out) override;
        void ReorderRecords(const std::vector<int>& order) override;
        bool SortProgress(int percent) override;
        bool SearchProgress(int percent) override;

    private:
        TZelmarSDFileDataList& FList;
    };
    TRecordAccess FRecordAccess{*this};
    TZelmarStructureKeyMaker FStructureKeys;
    TZelmarSorter FSorter{FRecordAccess, FStructureKeys};
    TZelmarDuplicateFinder FDuplicateFinder{FRecordAccess, FStructureKeys};
};
