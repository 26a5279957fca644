#include "Zelmar_Window.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QProgressBar>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <charconv>
#include <stdexcept>
#include <unordered_map>

#include "Zelmar_ColumnMenu.h"
#include "Zelmar_FilterBar.h"
#include "Zelmar_IdentifierFiller.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "Zelmar_SheetActions.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_SheetStatusBar.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "vesk_ChemView2.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const std::string& stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// Images 0 (a cleared box) and 1 (a ticked one), drawn by the style.
std::unique_ptr<TZelmarImageList> MakeCheckboxImages(QWidget* widget) {
    auto images = std::make_unique<TZelmarImageList>(16, 16);
    for (bool ticked : {false, true}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QStyleOptionButton option;
        option.initFrom(widget);
        option.rect = QRect(1, 1, 14, 14);
        option.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
        widget->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, widget);
        painter.end();
        images->Add(pixmap);
    }
    return images;
}

QLabel* MakeInfoLabel(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMargin(10);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    return label;
}

}  // namespace

TZelmarWindow::TZelmarWindow(QWidget* owner, TZelmarHintManager* hintManager)
    : QWidget(owner), FHintManager(hintManager) {
    if (hintManager == nullptr) throw std::invalid_argument("No Hint Manager defined");
    setObjectName(QStringLiteral("ZelmarWindow"));
    resize(604, 392);
    CreateRecordList();
    FCells = std::make_unique<TZelmarSheetCells>(FList.get());
    FPainter = std::make_unique<TZelmarDataPainter>();
    FCheckboxImages = MakeCheckboxImages(this);
    FPainter->CheckboxImages = FCheckboxImages.get();
    FCells->Wire(*FPainter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FMainPanel = new QWidget(this);
    FMainPanel->setObjectName(QStringLiteral("MainPanel"));
    FMainPanel->setAutoFillBackground(true);
    FMainPanel->setBackgroundRole(QPalette::Base);
    auto* panelLayout = new QGridLayout(FMainPanel);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    FGrid = new TZelmarSheetGrid(FPainter.get(), FMainPanel);
    FLabelNoData = MakeInfoLabel(
        Shown("ZelmarWindow##  Es sind derzeitig keine Daten verfügbar, die angezeigt werden "
              "könnten. "),
        "LabelNoData", FMainPanel);
    FLabelIndexing =
        MakeInfoLabel(Shown("ZelmarWindow##  Bitte warten."), "LabelIndexing", FMainPanel);
    // One cell for all three: whichever is visible fills the panel.
    panelLayout->addWidget(FGrid, 0, 0);
    panelLayout->addWidget(FLabelNoData, 0, 0);
    panelLayout->addWidget(FLabelIndexing, 0, 0);
    FFilterBar = new TZelmarFilterBar(this);
    FFilterBar->hide();
    layout->addWidget(FFilterBar);
    layout->addWidget(FMainPanel, 1);
    FStatusBar = new TZelmarSheetStatusBar(this);
    layout->addWidget(FStatusBar);
    FLabelIndexing->hide();
    FActions = new TZelmarSheetActions(this);
    FColumnMenu = new TZelmarColumnMenu(this);
    FIdentifierFiller = new TZelmarIdentifierFiller(this);
    FCells->OnIdentifierMissing = [this](int row) { FIdentifierFiller->Wanted(row); };
    WireGrid();
    WirePictures();
    WireStatusBar();
    WireFilterBar();
    InitStringGrid(-1);
}

TZelmarWindow::~TZelmarWindow() {
    // The threads stop first; nothing they post may reach a half-gone window.
    FRenderer.reset();
    FList.reset();
    FPainter.reset();
}

void TZelmarWindow::CreateRecordList() {
    FList = std::make_unique<TZelmarSDFileDataList>(
        &FDispatcher, [this](TZelmarSDFileDataList*) { HandleOnStartLoadData(); },
        [this](TZelmarSDFileDataList*) { HandleOnEndLoadData(); },
        [this](TZelmarSDFileDataList*, int percent) {
            HandleOnLoadDataProgress(percent);
            return true;
        },
        [this](TZelmarSDFileDataList*) { HandleOnStartIndexing(); },
        [this](TZelmarSDFileDataList*) { HandleOnEndIndexing(); },
        [this](TZelmarSDFileDataList*, int percent) {
            HandleOnIndexingProgress(percent);
            return true;
        });
    FList->OnFieldListChanged = [this](TZelmarSDFileDataList*) { HandleOnFieldListChanged(); };
    FList->OnStartSaveData = [this](TZelmarSDFileDataList*, const std::string& newName,
                                    const std::string& oldName) {
        return HandleOnStartSaveData(newName, oldName);
    };
    FList->OnSaveDataProgress = [this](TZelmarSDFileDataList*, int percent) {
        return StatusProgress(percent);
    };
    FList->OnSaveDataError = [this](TZelmarSDFileDataList*, const std::string& fileName,
                                    bool isRecordError, const std::string& error, int index) {
        return HandleOnSaveDataError(fileName, isRecordError, error, index);
    };
    FList->OnEndSaveData = [this](TZelmarSDFileDataList*, bool success) {
        HandleOnEndSaveData(success);
    };
    FList->OnStartSort = [this](TZelmarSDFileDataList*) { HandleOnStartSort(); };
    FList->OnSortProgress = [this](TZelmarSDFileDataList*, int percent) {
        return HandleOnSortProgress(percent);
    };
    FList->OnEndSort = [this](TZelmarSDFileDataList*) { HandleOnEndSort(); };
    FList->OnStartSearch = [this](TZelmarSDFileDataList*) { HandleOnStartSearch(); };
    FList->OnSearchProgress = [this](TZelmarSDFileDataList*, int percent) {
        return HandleOnSearchProgress(percent);
    };
    FList->OnEndSearch = [this](TZelmarSDFileDataList*) { HandleOnEndSearch(); };
}

void TZelmarWindow::SetOnGetMolViewer(TZelmarDataPainter::TGetMolViewerEvent event) {
    FPainter->OnGetMolViewer = std::move(event);
    // Each picture worker gets a view of its own from the same pool.
    FRenderer->OnGetView = [this]() -> std::unique_ptr<TveskMolView2> {
        if (!FPainter->OnGetMolViewer) return nullptr;
        return FPainter->OnGetMolViewer(FPainter.get(), std::string(), 0);
    };
}

void TZelmarWindow::SetOnReleaseMolViewer(TZelmarDataPainter::TReleaseMolViewerEvent event) {
    FPainter->OnReleaseMolViewer = std::move(event);
}

void TZelmarWindow::SetOnGetMolViewerSettings(
    TZelmarDataPainter::TGetMolViewerSettingsEvent event) {
    FPainter->OnGetMolViewerSettings = std::move(event);
}

// ---- opening ----

bool TZelmarWindow::LoadFile(const std::string& fileName) {
    return Guarded("TZelmarWindow.LoadFile", false, [&] {
        ShowStringGrid();
        if (!CheckValidInputFile(fileName)) return false;
        return FList->LoadFile(fileName);
    });
}

bool TZelmarWindow::CheckValidInputFile(const std::string& fileName) {
    const QString name = QString::fromStdString(fileName).trimmed();
    if (!name.isEmpty() && name.size() >= 4 && name.right(4).toUpper() == QLatin1String(".SDF"))
        return true;
    MessageBoxes().ShowError(FillPlaceholders(
        LoadTranslatedText("ZelmarWindow##  Ungültiger Dateiname: %s<BR>Aktuelles Fenster wird "
                           "geschlossen."),
        {fileName}));
    CloseSheet();
    return false;
}

void TZelmarWindow::CloseSheet() {
    // Inside the frame the child window closes; it asks this window first.
    if (QWidget* frame = parentWidget(); frame != nullptr && frame->inherits("QMdiSubWindow")) {
        frame->close();
    } else {
        close();
    }
}

void TZelmarWindow::ShowStringGrid() {
    FMainPanel->show();
    ShowGrid();
    FLabelNoData->hide();
}

namespace {
// The widget has the keyboard, or gets it when its frame is active again.
bool HoldsKeyboard(const QWidget* widget) {
    return widget->hasFocus() || widget->window()->focusWidget() == widget;
}
}  // namespace

// A focused widget that is hidden hands the focus to the next one in the frame, perhaps the
// grid of another sheet, which would then become the current sheet: while the grid is away the
// sheet keeps the focus itself, also for the time its frame is not the active window.
void TZelmarWindow::HideGrid() {
    if (HoldsKeyboard(FGrid)) setFocus(Qt::OtherFocusReason);
    FGrid->hide();
}

void TZelmarWindow::ShowGrid() {
    if (!FGrid->isHidden()) return;
    const bool focused = HoldsKeyboard(this);
    FGrid->show();
    if (focused || IsCurrentSheet()) FGrid->setFocus(Qt::OtherFocusReason);
}

std::string TZelmarWindow::Caption() const {
    return windowTitle().toStdString();
}

void TZelmarWindow::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void TZelmarWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FShownOnce) return;
    FShownOnce = true;
    FStatusBar->PlaceProgressBar();
    if (!FLoading && FList->GetCount() == 0 && FList->GetFileName().empty() &&
        !FGrid->isVisible()) {
        FLabelNoData->show();
    }
}

void TZelmarWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FEscapePressed = true;
    QWidget::keyPressEvent(event);
}

// ---- record-list events ----

void TZelmarWindow::HandleOnStartIndexing() {
    GuardedVoid("TZelmarWindow.HandleOnStartIndexing", [&] {
        FEscapeInGrid = false;
        HideGrid();
        FLabelIndexing->show();
        FLabelNoData->hide();
        FLoading = FIndexing = true;
        StatusText(FillPlaceholders(LoadTranslatedText("ZelmarWindow##  Indiziere SD-Datei: %s"),
                                    {FList->GetFileName()}));
        ShowProgressBar(true);
    });
}

void TZelmarWindow::HandleOnIndexingProgress(int percent) {
    // Worker thread: only the value travels, and only when it changed.
    if (FLastIndexingProgress.exchange(percent) == percent) return;
    FDispatcher.Post([this, percent] { ShowProgress(percent); });
}

void TZelmarWindow::HandleOnEndIndexing() {
    GuardedVoid("TZelmarWindow.HandleOnEndIndexing", [&] {
        if (FSelectedCol == -1 || FSelectedRow == -1) FSelectedCol = FSelectedRow = 1;
        NewSelected(FSelectedCol, FSelectedRow);
        SetFirstExistingDataForDataExchange();
        SynchronizeStringGridHeights();
        RestrictStringGridWidths();
        StatusText("");
        ShowProgressBar(false);
    });
    FEscapeInGrid = FEscapePressed = false;
    FLabelIndexing->hide();
    FLabelNoData->hide();
    FIndexing = false;
}

void TZelmarWindow::HandleOnStartLoadData() {
    GuardedVoid("TZelmarWindow.HandleOnStartLoadData", [&] {
        FEscapeInGrid = false;
        StatusText(FillPlaceholders(LoadTranslatedText("ZelmarWindow##  Lade SD-Datei: %s"),
                                    {FList->GetFileName()}));
        FLastProgress = 0;
        ShowProgress(0);
        ShowProgressBar(true);
        InitStringGrid(FList->GetCount() + 1);
        ShowRecordInfo(0, FList->GetCount());
        if (FGrid->CurrentRow() < 0) FGrid->SelectCell(FGrid->FixedCols(), 1);
    });
}

void TZelmarWindow::HandleOnLoadDataProgress(int percent) {
    if (FLastProgress.exchange(percent) == percent) return;
    FDispatcher.Post([this, percent] {
        ShowProgress(percent);
        if (FLoading) ShowRecordInfo(FList->GetLoadedCount(), FList->GetCount());
        // A big file shows its columns of numbers as such long before it has loaded; the
        // kinds are decided once more at the end, from every record.
        constexpr int kEarlyKindsPercent = 2;
        if (FLoading && !FKindsDecidedEarly && percent >= kEarlyKindsPercent) {
            FKindsDecidedEarly = true;
            DecideColumnKinds();
        }
    });
}

void TZelmarWindow::DecideColumnKinds() {
    FList->DetectFieldKinds();
    // The kinds the loader decided give way to those the user chose for this file.
    if (OnApplyColumnChoices) OnApplyColumnChoices(this);
    Refresh();
}

void TZelmarWindow::HandleOnEndLoadData() {
    GuardedVoid("TZelmarWindow.HandleOnEndLoadData", [&] {
        SetBusyCursor(true);
        FLoading = false;
        DecideColumnKinds();
        const int loaded = FList->GetLoadedCount();
        TraceMessage("TZelmarWindow.HandleOnEndLoadData", tlInformation,
                     "%d of %d records loaded from %s", loaded, FList->GetCount(),
                     Caption().c_str());
        ShowRecordInfo(loaded, FList->GetCount());
        StatusText("");
        ShowProgressBar(false);
        UpdateStatusIcons();
        FEscapeInGrid = FEscapePressed = false;
        InitStringGrid(-1);
        if (loaded == 0) {
            SetBusyCursor(false);
            QMessageBox box(
                QMessageBox::Critical, Shown("ZelmarWindow##  Fehlermeldung"),
                QString::fromStdString(FillPlaceholders(
                    LoadTranslatedText(
                        "ZelmarWindow##  Es konnte kein Record aus der Datei: \"%s\" geladen "
                        "werden.<BR>Möglicherweise ist die Datei beschädigt. <BR>Das aktuelle "
                        "Fenster wird geschlossen."),
                    {Caption()})),
                QMessageBox::Ok, window());
            box.setObjectName(QStringLiteral("NoRecordMessage"));
            box.exec();
            QMetaObject::invokeMethod(
                this, [this] { CloseSheet(); }, Qt::QueuedConnection);
        }
    });
    SetBusyCursor(false);
}

void TZelmarWindow::HandleOnFieldListChanged() {
    // Any thread: the grid is rebuilt later, on the UI thread. The dispatcher goes with the
    // window, so a call still queued when the window closes is dropped.
    FDispatcher.Post([this] { InitStringGrid(-1); });
}

void TZelmarWindow::HandleOnStartSort() {
    FEscapeInGrid = false;
    StatusText(
        LoadTranslatedText("ZelmarWindow##  Sortiere Daten. Drücken Sie ESC, um abzubrechen"));
    ShowProgress(0);
    ShowProgressBar(true);
    FSorting = true;
    SetBusyCursor(true);
}

bool TZelmarWindow::HandleOnSortProgress(int percent) {
    StatusProgress(percent);
    const bool go = !FEscapeInGrid;
    FEscapeInGrid = false;
    return go;
}

void TZelmarWindow::HandleOnEndSort() {
    StatusText("");
    ShowProgressBar(false);
    FSorting = false;
    SetBusyCursor(false);
    FEscapeInGrid = FEscapePressed = false;
}

void TZelmarWindow::HandleOnStartSearch() {
    FEscapeInGrid = false;
    StatusText(LoadTranslatedText(
        "ZelmarWindow##  Suche läuft. Drücken Sie ESC, um die Suche abzubrechen."));
    ShowProgress(0);
    ShowProgressBar(true);
    FSearching = true;
    SetBusyCursor(true);
}

bool TZelmarWindow::HandleOnSearchProgress(int percent) {
    StatusProgress(percent);
    return !FEscapePressed;
}

void TZelmarWindow::HandleOnEndSearch() {
    SetBusyCursor(false);
    FSearching = false;
    if (FLoading) {
        StatusText(FillPlaceholders(LoadTranslatedText("ZelmarWindow##  Lade SD-Datei: %s"),
                                    {FList->GetFileName()}));
    } else {
        StatusText("");
        ShowProgressBar(false);
    }
    FEscapeInGrid = FEscapePressed = false;
}

// ---- queries ----

bool TZelmarWindow::CanCloseNow() const {
    return !FSearching && !FIndexing && !FSorting && !FSaving;
}

bool TZelmarWindow::IsIdle() const {
    return !FSearching && !FSorting && !FSaving && !FIndexing && !FCopying;
}

bool TZelmarWindow::CanSave() const {
    return CanSaveAs() && FModified;
}

bool TZelmarWindow::CanSaveAs() const {
    return !FSorting && !FSaving && !FIndexing && !FLoading;
}

bool TZelmarWindow::CanDeleteLoadErrors() const {
    return Guarded("TZelmarWindow.CanDeleteLoadErrors", false,
                   [&] { return IsIdle() && FList->HasLoadErrors(); });
}

bool TZelmarWindow::CanGotoRecord() const {
    return FList != nullptr && !FIndexing && FList->GetCount() > 1;
}

// ---- data handed in and out ----

void TZelmarWindow::SetFirstExistingDataForDataExchange() {
    GuardedVoid("TZelmarWindow.SetFirstExistingDataForDataExchange", [&] {
        if (!OnUpdateDataExchange || FList->GetCount() == 0) return;
        TZelmarField* field = FList->GetVisibleField(FList->GetFixedFieldCount());
        TZelmarSDFileData* record = FCells->GetRecordForGridRow(1);
        if (field != nullptr && record != nullptr) OnUpdateDataExchange(this, record, field);
    });
}

void TZelmarWindow::AssignSDFileData(const TZelmarRecordRefs& records) {
    ForgetValuesEncoding();
    GuardedVoid("TZelmarWindow.AssignSDFileData", [&] {
        FList->Assign(records);
        ShowRecordGroups(records);
        InitStringGrid(-1);
        SynchronizeStringGridHeights();
        RestrictStringGridWidths();
    });
    ShowRecordInfo(FList->GetLoadedCount(), FList->GetCount());
    SetModified();
    SetFirstExistingDataForDataExchange();
}

void TZelmarWindow::SetNewFields(const TZelmarFieldList* fields) {
    GuardedVoid("TZelmarWindow.SetNewFields", [&] {
        FGrid->CloseEditor();
        bool changed = false;
        {
            TZelmarUndoStep step(FList->Undo(), LoadTranslatedText("ZelmarWindow##  Felder"));
            changed = FList->SetNewFields(fields);
        }
        if (changed) {
            SetModified();
            RestoreColWidths();
            // Kinds chosen in the field dialog are kept for the file like those of the menu.
            for (int i = 0; i < FList->GetFieldCount() && OnColumnChoiceChanged; ++i)
                if (FList->GetField(i)->KindChosen) OnColumnChoiceChanged(this, FList->GetField(i));
        } else {
            MessageBoxes().ShowError(
                "ZelmarWindow##  Die Änderungen an den Feldern konnten nicht vorgenommen werden.");
        }
    });
    InitStringGrid(-1);
    PointEditAtCurrentCell();
    if (FFilterBar->isVisible()) OfferFilterFields();
}

bool TZelmarWindow::FillCopyOfFieldList(TZelmarFieldList& target) {
    return Guarded("TZelmarWindow.FillCopyOfFieldList", false, [&] {
        SaveColWidths();
        return FList->FillCopyOfFieldList(target);
    });
}

void TZelmarWindow::EnumSearchableFields(TZelmarFieldRefs& out) {
    FList->EnumSearchableFields(out);
}

void TZelmarWindow::EnumSelectableFields(TZelmarFieldRefs& out) {
    FList->EnumSelectableFields(out);
}

bool TZelmarWindow::SearchFor(const TZelmarField* field, const TZelmarDataCarrier* query,
                              TZelmarRecordRefs* results, bool considerStereo, int options) {
    return Guarded("TZelmarWindow.SearchFor", false, [&] {
        if (!IsIdle()) return false;
        return FList->SearchDataForField(field, query, true, results, considerStereo, options);
    });
}

bool TZelmarWindow::SearchForDuplicates(const TZelmarField* field, bool considerStereo,
                                        TZelmarRecordRefs* results, int policy) {
    return Guarded("TZelmarWindow.SearchForDuplicates", false, [&] {
        if (!IsIdle()) return false;
        const TZelmarField* target = field != nullptr ? field : FList->GetChemistryField();
        return FList->SearchForDuplicates(target, considerStereo, results, policy);
    });
}

bool TZelmarWindow::SearchForChemistry(const std::string& molFile, int options,
                                       TZelmarRecordRefs* results, bool considerStereo) {
    return Guarded("TZelmarWindow.SearchForChemistry", false, [&] {
        TZelmarField* field = FList->GetChemistryField();
        if (field == nullptr) return false;
        TZelmarDataCarrier query;
        query.SetKind(field->Kind);
        query.SetText(molFile);
        return SearchFor(field, &query, results, considerStereo, options);
    });
}

int TZelmarWindow::HandleOnGetSDFileDataIndex(const TZelmarSDFileData* record) const {
    return Guarded("TZelmarWindow.HandleOnGetSDFileDataIndex", -1, [&] {
        if (FList == nullptr) return -1;
        return FList->Rows().RowOfListIndex(FList->GetIndexOfSDFileData(record));
    });
}

void TZelmarWindow::ShowRecordGroups(const TZelmarRecordRefs& records) {
    // A duplicate search numbers the group of each record in its text; the list holds the
    // copies in the same order.
    std::unordered_map<const TZelmarSDFileData*, int> groups;
    for (int i = 0; i < records.GetCount() && i < FList->GetCount(); ++i) {
        const std::string& text = records.GetText(i);
        int group = 0;
        const auto end = text.data() + text.size();
        if (text.empty() || std::from_chars(text.data(), end, group).ptr != end) return;
        groups.emplace(FList->GetSDFileData(i), group);
    }
    FCells->SetRecordGroups(std::move(groups));
}

void TZelmarWindow::UpdateAfterNewOrDeleteRecord() {
    ForgetValuesEncoding();
    GuardedVoid("TZelmarWindow.UpdateAfterNewOrDeleteRecord", [&] {
        FCells->ForgetGoneRecords();
        InitStringGrid(-1);
        Refresh();
        if (!FLoading && !FIndexing) ShowRecordInfo(FList->GetLoadedCount(), FList->GetCount());
        SetModified();
    });
    // The edit transaction may point at a record that is gone now: once the current event
    // (perhaps that transaction's own) has ended, point it at what the current cell shows.
    QMetaObject::invokeMethod(
        this, [this] { NewSelected(FGrid->CurrentCol(), FGrid->CurrentRow()); },
        Qt::QueuedConnection);
}

void TZelmarWindow::InitNewSDFileData(TZelmarSDFileData* record) {
    GuardedVoid("TZelmarWindow.InitNewSDFileData", [&] {
        TZelmarField* molecule = FList->GetChemistryField();
        if (molecule == nullptr || record == nullptr) return;
        TZelmarDataCarrier empty;
        empty.SetKind(molecule->Kind);
        empty.SetText("");
        record->SetDataForField(molecule, &empty);
    });
}

void TZelmarWindow::DoDeleteLoadErrors() {
    GuardedVoid("TZelmarWindow.DoDeleteLoadErrors", [&] {
        if (!CanDeleteLoadErrors()) return;
        FList->DeleteLoadErrors();
        UpdateAfterNewOrDeleteRecord();
    });
}

void TZelmarWindow::AbortEdit() {
    GuardedVoid("TZelmarWindow.AbortEdit", [&] {
        FEditStart = TEditStart();
        if (!FEditCreatedRecord) return;
        FEditCreatedRecord = false;
        const int count = FList->GetCount();
        FList->DeleteSDFileData(count > 0 ? FList->GetSDFileData(count - 1) : nullptr);
        UpdateAfterNewOrDeleteRecord();
    });
}

void TZelmarWindow::Activated() {
    NewSelected(FSelectedCol, FSelectedRow);
}

void TZelmarWindow::Deactivated() {
    FGrid->CloseEditor();
}
