#pragma once
// One open sheet: the content of a child window of the main window's frame. It owns the
// sheet's record list, its data painter and its grid, shows loading progress in its status
// bar, saves with a backup of the previous file and asks before it closes with changes.
// The main window and the dialogs reach the sheet's data only through these operations.
// UI thread only; the record list's worker-thread events are handed over to it.

#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "Zelmar_HitHighlight.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_QtDispatcher.h"

class QLabel;
class TZelmarHintManager;
class TZelmarSheetActions;
class TZelmarColumnMenu;
class TZelmarIdentifierFiller;
class TZelmarFilterBar;
class TZelmarPictureRenderer;
class TZelmarSheetCells;
class TZelmarSheetGrid;
class TZelmarSheetStatusBar;

class TZelmarWindow : public QWidget {
    Q_OBJECT
public:
    using TUpdateDataExchangeEvent =
        std::function<void(TZelmarWindow* sender, TZelmarSDFileData* record, TZelmarField* field)>;
    using TChangeExternalDataEvent =
        std::function<void(TZelmarWindow* sender, const std::string& text, bool editChemistry,
                           bool abort, bool finish, bool start)>;

    // Throws std::invalid_argument "No Hint Manager defined" without a hint manager.
    TZelmarWindow(QWidget* owner, TZelmarHintManager* hintManager);
    ~TZelmarWindow() override;

    void SetOnGetMolViewer(TZelmarDataPainter::TGetMolViewerEvent event);
    void SetOnReleaseMolViewer(TZelmarDataPainter::TReleaseMolViewerEvent event);
    void SetOnGetMolViewerSettings(TZelmarDataPainter::TGetMolViewerSettingsEvent event);

    // ---- the sheet as a document ----
    bool LoadFile(const std::string& fileName);
    void ShowStringGrid();
    bool Save(bool askForName);
    bool SaveAs();
    void Refresh();
    void RefreshSelection();
    void SetModified();
    bool IsModified() const { return FModified; }
    void AbortEdit();
    void AssignSDFileData(const TZelmarRecordRefs& records);
    void SetNewFields(const TZelmarFieldList* fields);
    bool FillCopyOfFieldList(TZelmarFieldList& target);
    void EnumSearchableFields(TZelmarFieldRefs& out);
    void EnumSelectableFields(TZelmarFieldRefs& out);
    bool SearchFor(const TZelmarField* field, const TZelmarDataCarrier* query,
                   TZelmarRecordRefs* results, bool considerStereo, int options);
    // field none: the molecule field. policy: TZelmarDuplicatePolicy bits, 0 exact structure.
    bool SearchForDuplicates(const TZelmarField* field, bool considerStereo,
                             TZelmarRecordRefs* results, int policy = 0);
    bool SearchForChemistry(const std::string& molFile, int options, TZelmarRecordRefs* results,
                            bool considerStereo);
    // A substructure search's result sheet: the records it holds now are the hits, and their
    // structures show where the query lies (Zelmar_Window_Highlight.cpp). False when the search
    // library cannot tell; nothing is marked then.
    bool SetHitHighlight(const std::string& queryMolFile, bool considerStereo);
    TZelmarHitHighlight* HitHighlight() const { return FHitHighlight.get(); }
    void ShowLoadErrors();
    void DoGotoRecord();
    // Makes grid row n (= record number n) the top row.
    void GotoIndex(int n);
    int HandleOnGetSDFileDataIndex(const TZelmarSDFileData* record) const;
    // Whether the window's caption, the sheet's name.
    std::string Caption() const;
    void SetCaption(const std::string& caption);
    // The main window's frame tells a sheet when it becomes the active one or stops being it.
    void Activated();
    void Deactivated();

    // ---- record commands: the pop-up menu's and the main window's ----
    void SelectAll();
    void UnselectAll();
    void DeleteUnselected();
    void DoDeleteLoadErrors();
    void AddRecord();
    // The current cell; in the new-record row, clear, paste and import create the record.
    void ClearCell();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    // Ask for the file in the MOL file dialogs first.
    void ImportMolFile();
    void ExportMolFile();
    bool ImportMolFileFrom(const std::string& path);
    bool ExportMolFileTo(const std::string& path);
    // Whether the current cell shows no value (or is no record's cell).
    bool IsCellEmpty() const;

    // ---- narrowing the sheet in place: the filter bar (Zelmar_Window_Filter.cpp) ----
    // Shows the bar above the grid, ready for typing (Ctrl+F).
    void OpenFilterBar();
    // The filter goes, every record is shown again and the bar hides.
    void CloseFilterBar();
    bool IsFiltered() const;
    bool CanFilter() const { return IsIdle() && FList != nullptr && FList->GetCount() > 0; }
    TZelmarFilterBar* FilterBar() const { return FFilterBar; }
    // The structure filter's query, drawn in a dialog of a layer above the sheet: false when
    // cancelled.
    // options: TZelmarSearchOption, substructure or exact structure.
    std::function<bool(TZelmarWindow* sheet, std::string& molFile, int& options,
                       bool& considerStereo)>
        OnAskFilterStructure;

    // ---- undo and redo of the changes to the records ----
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    // What Undo and Redo would take back or do again ("Zelle CLOGP"); empty for nothing.
    std::string UndoName() const;
    std::string RedoName() const;
    // The cell edit begun in the grid was kept: one step from the cell's state at its start.
    void EditFinished();

    // ---- busy states and the enabling queries ----
    bool Loading() const { return FLoading; }
    bool Indexing() const { return FIndexing; }
    bool Sorting() const { return FSorting; }
    bool Searching() const { return FSearching; }
    bool Saving() const { return FSaving; }
    bool Editing() const { return FEditing; }
    bool CanCloseNow() const;
    bool IsIdle() const;
    bool CanSearch() const { return IsIdle(); }
    bool CanNewRecord() const { return IsIdle(); }
    bool CanEditFields() const { return IsIdle() && !FLoading; }
    bool CanSelectAll() const { return IsIdle() && !FLoading; }
    bool CanSave() const;
    bool CanSaveAs() const;
    bool CanDeleteLoadErrors() const;
    bool CanGotoRecord() const;
    bool CanClearCell() const;
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;
    bool CanImportMolFile() const;
    bool CanExportMolFile() const;

    // ---- the grid's operations ----
    void InitStringGrid(int rows);
    void SynchronizeStringGridHeights();
    void RestrictStringGridWidths();
    void SaveColWidths();
    void RestoreColWidths();
    void NewSelected(int column, int row);
    // Records or fields may have been freed (a save, a new field list): the edit transaction
    // is pointed at what the current cell shows now.
    void PointEditAtCurrentCell();
    // The active sheet of its frame.
    bool IsCurrentSheet() const;
    // The grid leaves and comes back (while a file is indexed) with the keyboard.
    void HideGrid();
    void ShowGrid();
    int SelectedCol() const { return FSelectedCol; }
    int SelectedRow() const { return FSelectedRow; }

    TZelmarSDFileDataList* List() const { return FList.get(); }
    TZelmarSheetGrid* Grid() const { return FGrid; }
    TZelmarSheetStatusBar* StatusBar() const { return FStatusBar; }
    TZelmarSheetCells* Cells() const { return FCells.get(); }
    TZelmarSheetActions* Actions() const { return FActions; }
    TZelmarColumnMenu* ColumnMenu() const { return FColumnMenu; }
    // The field shown in a grid column, null for none.
    TZelmarField* FieldOfColumn(int gridColumn) const;
    // A data field's values as numbers or as text, and a text field's natural order: the
    // user's choice, kept over later decisions of the loader; a sorted column sorts again.
    void SetColumnNumbers(int gridColumn, bool numbers);
    // The height of the rows and so of the structure pictures, 48 to 400 pixels (the
    // molecule column widens with it); Zoom steps it by a quarter up or down.
    void SetPictureHeight(int height);
    int PictureHeight() const;
    void Zoom(int steps);
    static constexpr int kSmallestPictureHeight = 48;
    static constexpr int kLargestPictureHeight = 400;
    // Ticks or unticks the selected rows (the current one when none is selected).
    void TickSelectedRows(bool ticked);
    void SetColumnNaturalOrder(int gridColumn, bool natural);
    void ShowColumnStatistics(int gridColumn);
    TZelmarDataPainter* Painter() const { return FPainter.get(); }
    // ---- identifier columns: SMILES, InChI, InChIKey (Zelmar_Window_Identifiers.cpp) ----
    // Per sheet, off by default; shown after the weight, never saved.
    bool HasIdentifierColumn(TZelmarFieldKind kind) const;
    void SetIdentifierColumn(TZelmarFieldKind kind, bool show);
    // The identifier column becomes a data field holding every record's value, in one undo
    // step of the field changes ("Als Datenfeld übernehmen").
    void TakeOverIdentifierColumn(int gridColumn);
    TZelmarIdentifierFiller* IdentifierFiller() const { return FIdentifierFiller; }
    // Draws the structure pictures off the user-interface thread; none draws them in place.
    TZelmarPictureRenderer* Renderer() const { return FRenderer.get(); }
    void SetDrawPicturesInPlace(bool inPlace);

    TUpdateDataExchangeEvent OnUpdateDataExchange;
    TChangeExternalDataEvent OnChangeExternalData;

    // The go-to-record and load-error dialogs belong to a layer above the sheet; the main
    // window plugs them in. OnAskRecordNo: false when cancelled.
    using TAskRecordNoEvent = std::function<bool(QWidget* owner, int recordCount, int& recordNo)>;
    using TShowLoadErrorsEvent = std::function<void(
        QWidget* owner, const TZelmarRecordRefs& errors,
        std::function<int(const TZelmarSDFileData*)> getIndex, std::function<void(int)> gotoIndex)>;
    TAskRecordNoEvent OnAskRecordNo;
    TShowLoadErrorsEvent OnShowLoadErrorsDialog;
    // The statistics window of a column, and where the user's column choices are kept: told
    // of each change, and asked for the file's choices when its loading has ended.
    std::function<void(TZelmarWindow* sheet, TZelmarField* field)> OnShowColumnStatistics;
    std::function<void(TZelmarWindow* sheet, const TZelmarField* field)> OnColumnChoiceChanged;
    std::function<void(TZelmarWindow* sheet)> OnApplyColumnChoices;
    // The user zoomed: the new picture height, for the next sheets too.
    std::function<void(int height)> OnPictureHeightChanged;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateRecordList();
    void ColumnChoiceChanged(TZelmarField* field);
    bool SelectedIsMoleculeCell() const;
    // Records on the clipboard (an SD file, as its own format or as text); empty for none.
    std::string ClipboardRecords() const;
    bool ClipboardHasRecords() const;
    // Paste of records (an SD text) and of a block of cells (tab-separated).
    void PasteRecords(const std::string& text);
    void PasteBlock(const std::string& text);
    // Which data fields hold numbers, by the records read so far and the user's choices.
    void DecideColumnKinds();
    void WireGrid();
    void WirePictures();
    // The painter's answer for a cell (TZelmarDataPainter::THighlightAnswer).
    int StructureHighlight(int row, int column, const std::string& molText,
                           TveskChemView2Highlight& marks) const;
    void DropPicturesOutOfView();
    void WireStatusBar();
    bool CheckValidInputFile(const std::string& fileName);
    void CloseSheet();
    void StatusText(const std::string& text);
    // Shows the value; StatusProgress also lets pending events run.
    void ShowProgress(int value);
    bool StatusProgress(int value);
    void ShowProgressBar(bool show);
    void ShowRecordInfo(int loaded, int total);
    void UpdateStatusIcons();
    void SetFirstExistingDataForDataExchange();
    void UpdateAfterNewOrDeleteRecord();
    void ShowRecordGroups(const TZelmarRecordRefs& records);
    void InitNewSDFileData(TZelmarSDFileData* record);
    void SetBusyCursor(bool busy);

    // record commands
    bool GetSelectedDataAndField(TZelmarSDFileData*& record, TZelmarField*& field) const;
    TZelmarField* SelectedField() const;
    bool InNewRecordRow() const;
    void SetAllSelected(bool selected);
    // In the new-record row: a new record for a command that writes into it; none elsewhere.
    TZelmarSDFileData* RecordForCommand(bool withEmptyMolecule);
    void WriteCell(TZelmarSDFileData* record, TZelmarField* field, const TZelmarDataCarrier& data);
    std::string GetCellText(bool clear);
    void CopyTextToClipboard(const std::string& text);
    std::string GetTextFromClipboard() const;
    static std::string ReadMolFileLines(const std::string& path);

    // record-list events
    void HandleOnStartIndexing();
    void HandleOnIndexingProgress(int percent);
    void HandleOnEndIndexing();
    void HandleOnStartLoadData();
    void HandleOnLoadDataProgress(int percent);
    void HandleOnEndLoadData();
    void HandleOnFieldListChanged();
    bool HandleOnStartSaveData(const std::string& newName, const std::string& oldName);
    bool HandleOnSaveDataError(const std::string& fileName, bool isRecordError,
                               const std::string& error, int index);
    void HandleOnEndSaveData(bool success);
    void HandleOnStartSort();
    bool HandleOnSortProgress(int percent);
    void HandleOnEndSort();
    void HandleOnStartSearch();
    bool HandleOnSearchProgress(int percent);
    void HandleOnEndSearch();

    // saving and closing
    bool DoSave(const std::string& fileName);
    std::string ExecSaveDialog();
    bool MakeBackup(const std::string& fileName);
    void RestoreBackup();
    bool ShowLoadErrorWarningBeforeSave();
    bool AskSaveWithoutUnselected();
    bool FormCloseQuery();
    TSaveAnswer AskSaveChanges();

    // grid events
    void DoSortColumn(int column);
    void DoToggleCheckbox(int column, int row);
    void MouseOverData(int column, int row);
    void StatusBarHover(int panel);
    void StringGridSelectCell(int column, int row);
    bool StringGridGetEditText(int column, int row, QString& text);
    void NewEditString(const QString& text);
    void EndEditString(const QString& text, bool abort);
    void ChemistryEditStarted();
    void GridKeyPress(int key);
    bool ValuesAreWindows1252();
    void ForgetValuesEncoding();
    void ShowPopupMenu(const QPoint& gridPos);
    // The filter bar's query in force: text and field, or the drawn structure.
    void WireFilterBar();
    void ApplyFilter();
    void FilterByStructure();
    void AfterFilterChanged();
    // The fields the filter bar offers, again after the field list changed.
    void OfferFilterFields();

    TZelmarHintManager* const FHintManager;
    TQtUiDispatcher FDispatcher;
    std::unique_ptr<TZelmarSDFileDataList> FList;
    std::unique_ptr<TZelmarSheetCells> FCells;
    std::unique_ptr<TZelmarDataPainter> FPainter;
    std::unique_ptr<TZelmarImageList> FCheckboxImages;
    // After the painter and the dispatcher: it goes first and they outlive its workers.
    std::unique_ptr<TZelmarPictureRenderer> FRenderer;
    TZelmarIdentifierFiller* FIdentifierFiller = nullptr;  // owned as well
    QWidget* FMainPanel = nullptr;
    QLabel* FLabelNoData = nullptr;
    QLabel* FLabelIndexing = nullptr;
    TZelmarSheetGrid* FGrid = nullptr;
    TZelmarSheetStatusBar* FStatusBar = nullptr;
    TZelmarSheetActions* FActions = nullptr;   // the pop-up menu, owned by the window
    TZelmarColumnMenu* FColumnMenu = nullptr;  // the column headers' menu, owned as well
    TZelmarFilterBar* FFilterBar = nullptr;
    std::unique_ptr<TZelmarHitHighlight> FHitHighlight;
    bool FFilteredByStructure = false;

    int FSelectedCol = -1;
    int FSelectedRow = -1;
    bool FEditing = false;
    bool FEditCreatedRecord = false;
    // The cell being edited as it was when the edit began, for the edit's undo step.
    struct TEditStart {
        TZelmarSDFileData* Record = nullptr;
        const TZelmarField* Field = nullptr;
        TZelmarRecordTexts Texts;
        bool Selected = false;
        bool Created = false;
        std::string Value;
    };
    TEditStart FEditStart;
    void NoteEditStart(TZelmarSDFileData* record, const TZelmarField* field);
    // The name of a step that changes a cell of the field.
    std::string CellStepName(const TZelmarField* field) const;
    // Repaints, and the modified mark follows the save point.
    void AfterUndoOrRedo();
    // Typed text is stored in the encoding the file's values are shown in.
    bool FEditAsWindows1252 = false;
    bool FValuesAreWindows1252 = false;
    bool FValuesEncodingKnown = false;
    bool FEscapeInGrid = false;
    bool FEscapePressed = false;
    bool FLoading = false;
    bool FIndexing = false;
    bool FSorting = false;
    bool FKindsDecidedEarly = false;
    bool FSearching = false;
    bool FCopying = false;
    bool FSaving = false;
    // The user cancelled the last save in one of its questions.
    bool FSaveCancelled = false;
    bool FModified = false;
    bool FShownOnce = false;
    std::atomic<int> FLastProgress{0};
    QElapsedTimer FProgressShown;  // since StatusProgress last showed the progress
    std::atomic<int> FLastIndexingProgress{-1};
    // Where MakeBackup moved the file being saved over; empty when it moved nothing.
    std::string FBackupOf;
    std::string FBackupName;
    // The last clipboard text checked for being a molecule, and the answer.
    mutable std::string FPasteCheckedText;
    mutable bool FPasteCheckedIsMolecule = false;
};
