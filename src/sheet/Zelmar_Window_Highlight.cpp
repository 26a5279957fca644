// The result sheet of a substructure search marks in each hit where the query lies.

#include <QScrollBar>

#include "Zelmar_HitHighlight.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Window.h"
#include "vesk_Guard.h"

bool TZelmarWindow::SetHitHighlight(const std::string& queryMolFile, bool considerStereo) {
    return Guarded("TZelmarWindow.SetHitHighlight", false, [&] {
        FPainter->OnGetStructureHighlight = nullptr;
        FHitHighlight.reset();
        if (FList == nullptr) return false;
        auto highlight = std::make_unique<TZelmarHitHighlight>(queryMolFile, considerStereo);
        if (!highlight->Start()) return false;
        highlight->NoteHits(*FList);
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

bool TZelmarWindow::StructureHighlight(int row, int column, const std::string& molText,
                                       TveskChemView2Highlight& marks) const {
    return Guarded("TZelmarWindow.StructureHighlight", false, [&] {
        if (!FHitHighlight || row < 1 || column < 1) return false;
        const TZelmarField* field = FCells->GetFieldForGridColumn(column);
        if (field == nullptr || field->Kind != ecsdtChemistry) return false;
        return FHitHighlight->Find(FCells->GetRecordForGridRow(row), molText, marks);
    });
}
