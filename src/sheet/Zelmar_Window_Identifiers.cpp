// The sheet's identifier columns (SMILES, InChI, InChIKey): switched on and off per sheet, their
// values made in the background, and a column taken over as a data field of its own.
#include <QElapsedTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "Zelmar_FilterBar.h"
#include "Zelmar_IdentifierFiller.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Translater.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

namespace {

// One batch takes about this long, so that typing and scrolling never wait noticeably.
constexpr qint64 kBatchMs = 30;
constexpr int kSmallestBatch = 4;
constexpr int kLargestBatch = 512;
// While the sheet is busy the filler looks again this much later.
constexpr int kBusyRetryMs = 100;

std::vector<TZelmarFieldKind> ShownIdentifierKinds(TZelmarSDFileDataList& list) {
    std::vector<TZelmarFieldKind> kinds;
    for (const TZelmarFieldKind kind : {ecsdtSmiles, ecsdtInchi, ecsdtInchiKey}) {
        const TZelmarField* field = list.GetIdentifierField(kind);
        if (field != nullptr && field->Visible) kinds.push_back(kind);
    }
    return kinds;
}

bool MissesAny(const TZelmarSDFileData* record, const std::vector<TZelmarFieldKind>& kinds) {
    if (record == nullptr) return false;
    std::string value;
    return std::any_of(kinds.begin(), kinds.end(), [&](TZelmarFieldKind kind) {
        return !ZelmarKeptIdentifier(*record, kind, value);
    });
}

// Wide enough for a usual identifier: InChIKeys are 27 characters.
int DefaultWidth(TZelmarFieldKind kind) {
    return kind == ecsdtInchiKey ? 230 : 260;
}

}  // namespace

// ---- TZelmarIdentifierFiller -----------------------------------------------------------------

TZelmarIdentifierFiller::TZelmarIdentifierFiller(TZelmarWindow* sheet)
    : QObject(sheet), FSheet(sheet) {
    FTimer.setSingleShot(true);
    connect(&FTimer, &QTimer::timeout, this, [this] { Step(); });
}

void TZelmarIdentifierFiller::Wanted(int) {
    if (!FGaveUp && !FTimer.isActive()) FTimer.start(0);
}

void TZelmarIdentifierFiller::Restart() {
    FGaveUp = false;
    FNextRecord = 0;
    FTimer.start(0);
}

void TZelmarIdentifierFiller::Step() {
    GuardedVoid("TZelmarIdentifierFiller.Step", [&] {
        TZelmarSDFileDataList* list = FSheet->List();
        if (list == nullptr) return;
        const std::vector<TZelmarFieldKind> kinds = ShownIdentifierKinds(*list);
        if (kinds.empty()) return;
        // A sort or search in progress lets events run: it has the records now. While the
        // user types into a cell, no batch holds up the keys.
        if (!FSheet->IsIdle() || FSheet->Editing()) {
            FTimer.start(kBusyRetryMs);
            return;
        }
        std::vector<TZelmarSDFileData*> batch;
        TZelmarSheetGrid* grid = FSheet->Grid();
        const int top = std::max(1, grid->TopRow());
        const int below = grid->rowAt(grid->viewport()->height() - 1);
        // rowAt counts model rows, which start at grid row 1; -1 below the last row.
        const int bottom = below < 0 ? grid->RowCount() - 1 : below + 1;
        for (int row = top; row <= bottom && static_cast<int>(batch.size()) < FBatchSize; ++row) {
            TZelmarSDFileData* record = FSheet->Cells()->GetRecordForGridRow(row);
            if (MissesAny(record, kinds)) batch.push_back(record);
        }
        // The rest of the sheet once the loader is done with the file: reading records on
        // demand meanwhile would compete with it.
        const int count = list->GetCount();
        if (!FSheet->Loading()) {
            for (; FNextRecord < count && static_cast<int>(batch.size()) < FBatchSize;
                 ++FNextRecord) {
                TZelmarSDFileData* record = list->GetSDFileData(FNextRecord);
                if (MissesAny(record, kinds) &&
                    std::find(batch.begin(), batch.end(), record) == batch.end())
                    batch.push_back(record);
            }
        }
        if (batch.empty()) {
            // While loading, the rest waits for the end of it.
            if (FSheet->Loading()) FTimer.start(kBusyRetryMs);
            return;
        }
        QElapsedTimer clock;
        clock.start();
        std::vector<std::string> values;
        for (const TZelmarFieldKind kind : kinds)
            ZelmarRecordIdentifiers(batch, kind, values, nullptr);
        ++FBatches;
        // Nothing kept: the library is missing. Trying again would only spin.
        if (MissesAny(batch.front(), kinds)) {
            FGaveUp = true;
            return;
        }
        const qint64 took = std::max<qint64>(1, clock.elapsed());
        FBatchSize = std::clamp(static_cast<int>(FBatchSize * kBatchMs / took), kSmallestBatch,
                                kLargestBatch);
        grid->RepaintAll();
        FTimer.start(0);
    });
}

// ---- TZelmarWindow ---------------------------------------------------------------------------

bool TZelmarWindow::HasIdentifierColumn(TZelmarFieldKind kind) const {
    return FList->GetIdentifierField(kind) != nullptr;
}

void TZelmarWindow::SetIdentifierColumn(TZelmarFieldKind kind, bool show) {
    GuardedVoid("TZelmarWindow.SetIdentifierColumn", [&] {
        if (!ZelmarIsIdentifierKind(kind) || HasIdentifierColumn(kind) == show) return;
        FGrid->CloseEditor();
        SaveColWidths();
        if (!FList->ShowIdentifierColumn(kind, show)) return;
        if (TZelmarField* field = FList->GetIdentifierField(kind))
            if (field->ColWidth <= 0) field->ColWidth = DefaultWidth(kind);
        InitStringGrid(-1);
        RestoreColWidths();
        PointEditAtCurrentCell();
        if (FFilterBar->isVisible()) OfferFilterFields();
        FIdentifierFiller->Restart();
        Refresh();
    });
}

void TZelmarWindow::TakeOverIdentifierColumn(int gridColumn) {
    GuardedVoid("TZelmarWindow.TakeOverIdentifierColumn", [&] {
        const TZelmarField* field = FieldOfColumn(gridColumn);
        if (field == nullptr || !ZelmarIsIdentifierKind(field->Kind) || !CanEditFields()) return;
        const TZelmarFieldKind kind = field->Kind;
        FGrid->CloseEditor();
        SaveColWidths();
        const int width = field->ColWidth;
        // Values still missing are made first, as a search makes them: with progress and Esc.
        HandleOnStartSearch();
        const std::string name =
            FList->TakeOverIdentifierColumn(kind, LoadTranslatedText("ZelmarWindow##  Felder"),
                                            [this](TZelmarSDFileDataList*, int percent) {
                                                return HandleOnSearchProgress(percent);
                                            });
        HandleOnEndSearch();
        if (name.empty()) return;
        if (TZelmarField* taken = FList->GetFieldByName(name)) taken->ColWidth = width;
        InitStringGrid(-1);
        RestoreColWidths();
        PointEditAtCurrentCell();
        if (FFilterBar->isVisible()) OfferFilterFields();
        SetModified();
        Refresh();
    });
}
