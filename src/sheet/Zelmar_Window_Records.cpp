// The sheet's record commands: check marks, adding and deleting records, the current cell's
// clipboard commands and the MOL file import and export. The pop-up menu and the main
// window's menus both call these, and both enable them through the Can... queries.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>

#include <charconv>

#include "Zelmar_ClipboardTable.h"
#include "Zelmar_FileDialogs.h"
#include "Zelmar_MessageBoxes.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

// Records on the clipboard, as other chemistry programs put them there too.
const char* const kSDFileFormat = "chemical/x-mdl-sdfile";

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// The import (open) or export (save) dialog for a MOL file; empty when cancelled.
std::string AskMolFileName(QWidget* owner, bool save) {
    return AskMolFileName(
        owner, save,
        save ? Shown("ZelmarWindow##  MOL-Datei exportieren")
             : Shown("ZelmarWindow##  MOL-Datei importieren"),
        Shown("ZelmarWindow##  MOL-Dateien (*.mol)|*.mol|Alle Dateien (*.*)|*.*"),
        save ? QStringLiteral("ExportMolDialog") : QStringLiteral("ImportMolDialog"));
}

}  // namespace

bool TZelmarWindow::GetSelectedDataAndField(TZelmarSDFileData*& record,
                                            TZelmarField*& field) const {
    record = nullptr;
    field = nullptr;
    if (FList == nullptr || FGrid == nullptr) return false;
    field = FCells->GetFieldForGridColumn(FGrid->CurrentCol());
    record = FCells->GetRecordForGridRow(FGrid->CurrentRow());
    return record != nullptr && field != nullptr;
}

TZelmarField* TZelmarWindow::SelectedField() const {
    if (FCells == nullptr || FGrid == nullptr) return nullptr;
    return FCells->GetFieldForGridColumn(FGrid->CurrentCol());
}

bool TZelmarWindow::InNewRecordRow() const {
    return FGrid != nullptr && FGrid->CurrentRow() == FGrid->RowCount() - 1;
}

// ---- check marks and whole records ----

void TZelmarWindow::SetAllSelected(bool selected) {
    SetBusyCursor(true);
    GuardedVoid(selected ? "TZelmarWindow.SelectAll" : "TZelmarWindow.UnselectAll", [&] {
        TZelmarUndoStack& undo = FList->Undo();
        TZelmarUndoStep step(
            undo, LoadTranslatedText(selected ? "ZelmarWindow##  Alle Datensätze selektieren"
                                              : "ZelmarWindow##  Alle Datensätze deselektieren"));
        for (int index = 0; index < FList->GetCount(); ++index)
            undo.NoteCheck(FList->GetSDFileData(index));
        if (selected) {
            FList->SelectAll();
        } else {
            FList->UnselectAll();
        }
    });
    FGrid->RepaintAll();
    SetBusyCursor(false);
    SetModified();
}

void TZelmarWindow::TickSelectedRows(bool ticked) {
    if (!CanSelectAll()) return;
    GuardedVoid("TZelmarWindow.TickSelectedRows", [&] {
        std::vector<int> rows = FGrid->SelectedRows();
        if (rows.empty() && FGrid->CurrentRow() > 0) rows.push_back(FGrid->CurrentRow());
        bool changed = false;
        TZelmarUndoStep step(
            FList->Undo(),
            LoadTranslatedText(ticked ? "ZelmarWindow##  Häkchen für Auswahl setzen"
                                      : "ZelmarWindow##  Häkchen für Auswahl entfernen"));
        for (const int row : rows) {
            TZelmarSDFileData* record = FCells->GetRecordForGridRow(row);
            if (record == nullptr || record->Selected == ticked) continue;
            FList->Undo().NoteCheck(record);
            record->Selected = ticked;
            changed = true;
        }
        FGrid->RepaintAll();
        if (changed) SetModified();
    });
}

void TZelmarWindow::SelectAll() {
    if (CanSelectAll()) SetAllSelected(true);
}

void TZelmarWindow::UnselectAll() {
    if (CanSelectAll()) SetAllSelected(false);
}

void TZelmarWindow::DeleteUnselected() {
    if (!CanSelectAll()) return;
    SetBusyCursor(true);
    GuardedVoid("TZelmarWindow.DeleteUnselected", [&] {
        TZelmarUndoStep step(
            FList->Undo(), LoadTranslatedText("ZelmarWindow##  Deselektierte Datensätze löschen"));
        FList->DeleteUnselected();
    });
    UpdateAfterNewOrDeleteRecord();
    SetBusyCursor(false);
}

void TZelmarWindow::AddRecord() {
    if (!CanNewRecord()) return;
    GuardedVoid("TZelmarWindow.AddRecord", [&] {
        FGrid->CloseEditor();
        TZelmarUndoStep step(FList->Undo(), LoadTranslatedText("ZelmarWindow##  Neuer Datensatz"));
        if (TZelmarSDFileData* record = FList->CreateSDFileData(false)) InitNewSDFileData(record);
    });
    UpdateAfterNewOrDeleteRecord();
}

TZelmarSDFileData* TZelmarWindow::RecordForCommand(bool withEmptyMolecule) {
    if (!InNewRecordRow()) return nullptr;
    TZelmarSDFileData* record = FList->CreateSDFileData(false);
    if (record != nullptr && withEmptyMolecule) InitNewSDFileData(record);
    return record;
}

// ---- the current cell ----

bool TZelmarWindow::IsCellEmpty() const {
    return Guarded("TZelmarWindow.IsCellEmpty", true, [&] {
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        if (!GetSelectedDataAndField(record, field)) return true;
        TZelmarDataCarrier data;
        record->GetDataForField(field, &data);
        return data.Empty();
    });
}

bool TZelmarWindow::CanClearCell() const {
    const TZelmarField* field = SelectedField();
    return IsIdle() && field != nullptr && field->IsEditable();
}

bool TZelmarWindow::CanCut() const {
    return CanClearCell() && !IsCellEmpty();
}

bool TZelmarWindow::CanCopy() const {
    return FGrid->HasWideSelection() || !IsCellEmpty();
}

bool TZelmarWindow::CanPaste() const {
    return Guarded("TZelmarWindow.CanPaste", false, [&] {
        if (!IsIdle()) return false;
        // Records go in wherever the current cell is.
        if (!SelectedIsMoleculeCell() && ClipboardHasRecords()) return true;
        const std::string text = GetTextFromClipboard();
        const TZelmarField* field = SelectedField();
        if (field == nullptr || !field->IsEditable()) return false;
        if (text.empty()) return false;
        if (field->Kind != ecsdtChemistry) return true;
        // Asked on every idle update: parse each clipboard text only once.
        if (text != FPasteCheckedText) {
            FPasteCheckedText = text;
            TveskMolManager molecules;
            FPasteCheckedIsMolecule = molecules.CanOpenMolString(text);
        }
        return FPasteCheckedIsMolecule;
    });
}

bool TZelmarWindow::CanImportMolFile() const {
    const TZelmarField* field = SelectedField();
    return IsIdle() && field != nullptr && field->Kind == ecsdtChemistry;
}

bool TZelmarWindow::CanExportMolFile() const {
    TZelmarSDFileData* record = nullptr;
    TZelmarField* field = nullptr;
    return GetSelectedDataAndField(record, field) && field->Kind == ecsdtChemistry;
}

void TZelmarWindow::WriteCell(TZelmarSDFileData* record, TZelmarField* field,
                              const TZelmarDataCarrier& data) {
    FGrid->CloseEditor();
    {
        // Joins the step of a command that made the record first.
        TZelmarUndoStep step(FList->Undo(), CellStepName(field));
        FList->Undo().NoteContent(record);
        record->SetDataForField(field, &data);
    }
    UpdateAfterNewOrDeleteRecord();
    NewSelected(FGrid->CurrentCol(), FGrid->CurrentRow());
}

void TZelmarWindow::ClearCell() {
    GuardedVoid("TZelmarWindow.ClearCell", [&] {
        if (!CanClearCell()) return;
        TZelmarUndoStep step(FList->Undo(), CellStepName(SelectedField()));
        RecordForCommand(false);
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        if (!GetSelectedDataAndField(record, field)) {
            UpdateAfterNewOrDeleteRecord();
            return;
        }
        TZelmarDataCarrier cleared;
        WriteCell(record, field, cleared);
    });
}

std::string TZelmarWindow::GetCellText(bool clear) {
    return Guarded<std::string>("TZelmarWindow.GetCellText", std::string(), [&] {
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        TZelmarDataCarrier data;
        if (!GetSelectedDataAndField(record, field) || !record->GetDataForField(field, &data))
            return std::string();
        std::string text;
        if (field->Kind == ecsdtMolweight) {
            // Not printf: the user's locale must not turn the decimal point into a comma.
            char number[64];
            const auto end = std::to_chars(number, number + sizeof number, data.Value(),
                                           std::chars_format::general, 15);
            text.assign(number, end.ptr);
        } else if (data.IsText()) {
            text = data.Text();
        }
        if (clear) WriteCell(record, field, TZelmarDataCarrier());
        return text;
    });
}

void TZelmarWindow::CutToClipboard() {
    if (CanCut()) CopyTextToClipboard(GetCellText(true));
}

void TZelmarWindow::CopyToClipboard() {
    if (!CanCopy()) return;
    if (!FGrid->HasWideSelection()) {
        CopyTextToClipboard(GetCellText(false));
        return;
    }
    GuardedVoid("TZelmarWindow.CopyToClipboard", [&] {
        // The selected rows under the selected columns; whole rows also as records.
        std::vector<int> records;
        for (const int row : FGrid->SelectedRows()) {
            const int index = FList->Rows().ListIndex(row - 1);
            if (index >= 0) records.push_back(index);
        }
        std::vector<const TZelmarField*> columns;
        for (const int column : FGrid->SelectedColumns()) {
            const TZelmarField* field = FCells->GetFieldForGridColumn(column);
            if (field != nullptr && field->Kind != ecsdtCheckbox) columns.push_back(field);
        }
        if (records.empty() || columns.empty()) return;
        const bool wholeRows = static_cast<int>(FGrid->SelectedColumns().size()) ==
                               FGrid->ColCount() - FGrid->FixedCols();
        // Many molecules take a while: the window shows how far it got and Esc stops it.
        FCopying = true;
        FEscapeInGrid = FEscapePressed = false;
        StatusText(LoadTranslatedText(
            "ZelmarWindow##  Kopiere Daten. Drücken Sie ESC, um das Kopieren abzubrechen."));
        ShowProgress(0);
        ShowProgressBar(true);
        SetBusyCursor(true);
        TZelmarCopiedTable table;
        const bool made =
            ZelmarCopyTable(*FList, records, columns, wholeRows, table, [this](int percent) {
                StatusProgress(percent);
                return !FEscapePressed && !FEscapeInGrid;
            });
        SetBusyCursor(false);
        ShowProgressBar(false);
        StatusText("");
        FCopying = false;
        FEscapeInGrid = FEscapePressed = false;
        if (!made) return;
        auto* data = new QMimeData;
        data->setText(QString::fromStdString(table.Tsv));
        data->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(table.Csv));
        if (!table.SDFile.empty())
            data->setData(QLatin1String(kSDFileFormat), QByteArray::fromStdString(table.SDFile));
        QApplication::clipboard()->setMimeData(data);
    });
}

void TZelmarWindow::PasteFromClipboard() {
    GuardedVoid("TZelmarWindow.PasteFromClipboard", [&] {
        if (!CanPaste()) return;
        // Records copied from a sheet or another program are added as new records; a
        // molecule cell still takes one molecule file as its molecule.
        const std::string records = SelectedIsMoleculeCell() ? std::string() : ClipboardRecords();
        if (!records.empty()) {
            PasteRecords(records);
            return;
        }
        const std::string copied = GetTextFromClipboard();
        // A block of cells (from a spreadsheet or a web page's table) fills the cells from
        // the current one on; text without tabs, also of several lines, is one value.
        if (copied.find('\t') != std::string::npos) {
            PasteBlock(copied);
            return;
        }
        // Pasted text, like typed text, takes the encoding of the file's values.
        const std::string text =
            BytesFromText(QString::fromStdString(copied), ValuesAreWindows1252());
        TZelmarUndoStep step(FList->Undo(), CellStepName(SelectedField()));
        if (InNewRecordRow() && RecordForCommand(true) == nullptr) return;
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        if (!GetSelectedDataAndField(record, field)) return;
        TZelmarDataCarrier data;
        data.SetKind(field->Kind);
        data.SetText(text);
        WriteCell(record, field, data);
    });
}

// Asked on every idle update: the formats only, not the records' bytes.
bool TZelmarWindow::ClipboardHasRecords() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && (data->hasFormat(QLatin1String(kSDFileFormat)) ||
                               ZelmarLooksLikeSDText(GetTextFromClipboard()));
}

std::string TZelmarWindow::ClipboardRecords() const {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) return {};
    if (data->hasFormat(QLatin1String(kSDFileFormat)))
        return data->data(QLatin1String(kSDFileFormat)).toStdString();
    const std::string text = GetTextFromClipboard();
    return ZelmarLooksLikeSDText(text) ? text : std::string();
}

bool TZelmarWindow::SelectedIsMoleculeCell() const {
    const TZelmarField* field = SelectedField();
    return field != nullptr && field->Kind == ecsdtChemistry;
}

void TZelmarWindow::PasteRecords(const std::string& text) {
    FGrid->CloseEditor();
    SetBusyCursor(true);
    int failed = 0;
    std::string error;
    int added = 0;
    {
        TZelmarUndoStep step(FList->Undo(), LoadTranslatedText("ZelmarWindow##  Einfügen"));
        added = FList->AppendRecordsFromText(text, failed, error);
    }
    SetBusyCursor(false);
    if (added > 0) UpdateAfterNewOrDeleteRecord();
    if (added < 0 || failed > 0)
        MessageBoxes().ShowError(FillPlaceholders(
            LoadTranslatedText("ZelmarWindow##  %d eingefügte Datensätze konnten nicht gelesen "
                               "werden."),
            {std::to_string(added < 0 ? 1 : failed)}));
}

void TZelmarWindow::PasteBlock(const std::string& text) {
    const std::vector<std::vector<std::string>> rows = ZelmarParseTsv(text);
    const int firstColumn = FGrid->CurrentCol();
    const int firstRow = FGrid->CurrentRow();
    if (rows.empty() || firstColumn < 0 || firstRow < 1) return;
    FGrid->CloseEditor();
    TZelmarUndoStep step(FList->Undo(), LoadTranslatedText("ZelmarWindow##  Einfügen"));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        TZelmarSDFileData* record = FCells->GetRecordForGridRow(firstRow + static_cast<int>(r));
        if (record == nullptr) break;  // as far as the sheet's records go
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            TZelmarField* field = FCells->GetFieldForGridColumn(firstColumn + static_cast<int>(c));
            // Computed columns and molecules are not filled from a table's text.
            if (field == nullptr || field->Kind != ecsdtDataText) continue;
            TZelmarDataCarrier data;
            data.SetKind(field->Kind);
            data.SetText(BytesFromText(QString::fromStdString(rows[r][c]), ValuesAreWindows1252()));
            FList->Undo().NoteContent(record);
            record->SetDataForField(field, &data);
        }
    }
    UpdateAfterNewOrDeleteRecord();
}

void TZelmarWindow::CopyTextToClipboard(const std::string& text) {
    GuardedVoid("TZelmarWindow.CopyTextToClipboard",
                [&] { QApplication::clipboard()->setText(TextFromBytes(text)); });
}

std::string TZelmarWindow::GetTextFromClipboard() const {
    return Guarded<std::string>("TZelmarWindow.GetTextFromClipboard", std::string(), [&] {
        // Paste is enabled on every idle update: ask the clipboard (perhaps another program)
        // for its text again only after it changed, so a slow owner never stalls the window.
        static std::string text;
        static bool stale = true;
        static const QMetaObject::Connection watch = QObject::connect(
            QApplication::clipboard(), &QClipboard::dataChanged, [] { stale = true; });
        (void)watch;
        if (stale) {
            text = QApplication::clipboard()->text().toStdString();
            stale = false;
        }
        return text;
    });
}

// ---- MOL files ----

void TZelmarWindow::ImportMolFile() {
    if (!CanImportMolFile()) return;
    const std::string path = AskMolFileName(this, false);
    if (!path.empty()) ImportMolFileFrom(path);
}

bool TZelmarWindow::ImportMolFileFrom(const std::string& path) {
    return Guarded("TZelmarWindow.ImportMolFile", false, [&] {
        if (!CanImportMolFile()) return false;
        TZelmarUndoStep step(FList->Undo(), CellStepName(SelectedField()));
        RecordForCommand(false);
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        if (!GetSelectedDataAndField(record, field)) {
            UpdateAfterNewOrDeleteRecord();
            return false;
        }
        TZelmarDataCarrier data;
        data.SetKind(field->Kind);
        data.SetText(ReadMolFileLines(path));
        WriteCell(record, field, data);
        return true;
    });
}

std::string TZelmarWindow::ReadMolFileLines(const std::string& path) {
    // Lines joined with CR LF, as molecules are kept; an unreadable file gives an empty text.
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return std::string();
    QList<QByteArray> lines = file.readAll().split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty()) lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    return lines.join("\r\n").toStdString();
}

void TZelmarWindow::ExportMolFile() {
    if (!CanExportMolFile()) return;
    const std::string path = AskMolFileName(this, true);
    if (!path.empty()) ExportMolFileTo(path);
}

bool TZelmarWindow::ExportMolFileTo(const std::string& path) {
    return Guarded("TZelmarWindow.ExportMolFile", false, [&] {
        TZelmarSDFileData* record = nullptr;
        TZelmarField* field = nullptr;
        TZelmarDataCarrier data;
        if (!GetSelectedDataAndField(record, field) || field->Kind != ecsdtChemistry ||
            !record->GetDataForField(field, &data))
            return false;
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
        // A molfile is lines of text: written with the platform's line ends, ending in one.
        QByteArray text = QByteArray::fromStdString(data.Text());
        text.replace("\r\n", "\n");
        if (!text.endsWith('\n')) text += '\n';
        return file.write(text) == text.size() && file.flush();
    });
}
