// The result sheet of a substructure search marks in each hit where the query lies.

#include <QScrollBar>

#include "Zelmar_HitHighlight.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

// The highlight answers as the painter reads them.
static_assert(int{TZelmarHitHighlight::haNone} == int{TZelmarDataPainter::hlNone} &&
                  int{TZelmarHitHighlight::haMarked} == int{TZelmarDataPainter::hlMarked} &&
                  int{TZelmarHitHighlight::haPending} == int{TZelmarDataPainter::hlPending},
              "one meaning of the answers");

bool TZelmarWindow::SetHitHighlight(const std::string& queryMolFile, bool considerStereo) {
    return Guarded("TZelmarWindow.SetHitHighlight", false, [&] {
        FPainter->OnGetStructureHighlight = nullptr;
        FHitHighlight.reset();
        if (FList == nullptr) return false;
        auto highlight =
            std::make_unique<TZelmarHitHighlight>(queryMolFile, considerStereo, &FDispatcher);
        if (!highlight->Start()) return false;
        highlight->NoteHits(*FList);
        // The cell that waited with a placeholder now gets its marked picture.
        highlight->OnMatched = [this](const TZelmarSDFileData*) {
            if (FGrid != nullptr) FGrid->viewport()->update();
        };
        FHitHighlight = std::move(highlight);
        FPainter->OnGetStructureHighlight = [this](TZelmarDataPainter*, int row, int column,
                                                   const std::string& molText,
                                                   TveskChemView2Highlight& marks) {
            return StructureHighlight(row, column, molText, marks);
        };
        if (FGrid != nullptr) FGrid->viewport()->update();
        return true;
    });
}

int TZelmarWindow::StructureHighlight(int row, int column, const std::string& molText,
                                      TveskChemView2Highlight& marks) const {
    marks = {};
    return Guarded("TZelmarWindow.StructureHighlight", static_cast<int>(TZelmarDataPainter::hlNone),
                   [&]() -> int {
                       if (!FHitHighlight || row < 1 || column < 1)
                           return TZelmarDataPainter::hlNone;
                       const TZelmarField* field = FCells->GetFieldForGridColumn(column);
                       if (field == nullptr || field->Kind != ecsdtChemistry)
                           return TZelmarDataPainter::hlNone;
                       return FHitHighlight->Find(FCells->GetRecordForGridRow(row), molText, marks);
                   });
}
