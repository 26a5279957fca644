// Narrowing the sheet in place: the filter bar above the grid asks, the record list filters
// (its rows), and the grid shows what is left. The existing searches keep their result sheets.
#include <QLineEdit>
#include <QTimer>

#include "Zelmar_ActionSupport.h"
#include "Zelmar_FilterBar.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

// A filter asked for while a search runs waits this long and asks again.
constexpr int kBusyRetryMs = 100;

}  // namespace

void TZelmarWindow::WireFilterBar() {
    connect(FFilterBar, &TZelmarFilterBar::FilterRequested, this, [this] { ApplyFilter(); });
    connect(FFilterBar, &TZelmarFilterBar::StructureRequested, this,
            [this] { FilterByStructure(); });
    connect(FFilterBar, &TZelmarFilterBar::CloseRequested, this, [this] { CloseFilterBar(); });
}

bool TZelmarWindow::IsFiltered() const {
    return FList != nullptr && FList->Rows().Active();
}

void TZelmarWindow::OfferFilterFields() {
    // Fields that read as text or number; the molecule has the structure button.
    std::vector<std::pair<QString, std::string>> fields{
        {ShownText("ZelmarWindow##  Alle Felder"), std::string()}};
    TZelmarFieldRefs searchable;
    FList->EnumSearchableFields(searchable);
    for (int i = 0; i < searchable.GetCount(); ++i) {
        const TZelmarField* field = searchable.GetObject(i);
        if (field->Kind == ecsdtChemistry || field->Kind == ecsdtCheckbox) continue;
        fields.emplace_back(QString::fromStdString(field->GetDisplayName()), field->Name);
    }
    FFilterBar->SetFields(fields);
}

void TZelmarWindow::OpenFilterBar() {
    GuardedVoid("TZelmarWindow.OpenFilterBar", [&] {
        if (!CanFilter()) return;
        OfferFilterFields();
        FFilterBar->Open();
    });
}

void TZelmarWindow::CloseFilterBar() {
    GuardedVoid("TZelmarWindow.CloseFilterBar", [&] {
        if (FSearching) {
            // Esc stops the running search first; the bar goes once it has.
            FEscapePressed = true;
            QTimer::singleShot(kBusyRetryMs, this, [this] { CloseFilterBar(); });
            return;
        }
        const bool wasFiltered = IsFiltered();
        FFilteredByStructure = false;
        FFilterBar->ShowStructureActive(false);
        FFilterBar->SetText(QString());
        FFilterBar->MarkInvalid(QString());
        FFilterBar->hide();
        FList->Rows().Clear();
        if (wasFiltered) AfterFilterChanged();
        FGrid->setFocus();
    });
}

void TZelmarWindow::ApplyFilter() {
    GuardedVoid("TZelmarWindow.ApplyFilter", [&] {
        if (FSearching || FSorting) {
            QTimer::singleShot(kBusyRetryMs, this, [this] { ApplyFilter(); });
            return;
        }
        if (!CanFilter()) return;
        FGrid->CloseEditor();
        const std::string name = FFilterBar->FieldName();
        const TZelmarField* field = name.empty() ? nullptr : FList->GetFieldByName(name);
        if (!name.empty() && field == nullptr) return;  // the field is gone: nothing to ask
        const std::string typed = FFilterBar->Text().toStdString();
        TZelmarFilterQuery query;
        const bool numbers =
            field != nullptr && (field->IsNumericData() || field->Kind == ecsdtMolweight);
        if (field != nullptr && !typed.empty() &&
            !ZelmarParseFilterQuery(typed, field->Kind, numbers, DisplayDecimalSeparator(),
                                    query)) {
            FFilterBar->MarkInvalid(ShownText(
                "ZelmarWindow##  Bitte eine Zahl oder einen Vergleich eingeben, z. B. 300, "
                ">300, <=5 oder 100..200"));
            return;
        }
        FFilterBar->MarkInvalid(QString());
        if (!FList->FilterRows(field, typed)) return;  // stopped: the rows stay as they were
        FFilteredByStructure = false;
        FFilterBar->ShowStructureActive(false);
        AfterFilterChanged();
    });
}

void TZelmarWindow::FilterByStructure() {
    GuardedVoid("TZelmarWindow.FilterByStructure", [&] {
        std::string molFile;
        int options = soContains;
        bool stereo = false;
        if (!CanFilter() || !OnAskFilterStructure ||
            !OnAskFilterStructure(this, molFile, options, stereo) ||
            !FList->FilterRowsByStructure(molFile, options, stereo)) {
            FFilterBar->ShowStructureActive(FFilteredByStructure);
            return;
        }
        FFilteredByStructure = true;
        FFilterBar->ShowStructureActive(true);
        FFilterBar->SetText(QString());
        FFilterBar->MarkInvalid(QString());
        AfterFilterChanged();
    });
}

void TZelmarWindow::AfterFilterChanged() {
    InitStringGrid(-1);
    SynchronizeStringGridHeights();
    Refresh();
    if (!FLoading && !FIndexing) ShowRecordInfo(FList->GetLoadedCount(), FList->GetCount());
    const int column = std::max(FGrid->CurrentCol(), FGrid->FixedCols());
    FGrid->SelectCell(column, 1);
    FGrid->SetTopRow(1);
    NewSelected(column, 1);
}
