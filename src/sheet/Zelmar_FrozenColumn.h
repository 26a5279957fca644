#pragma once
// The column a sheet keeps in view while its cells scroll sideways (the molecule): a second
// view of the grid's model over the grid's left edge, showing only that column with its
// caption. It shares the grid's model, selection and delegate, so it looks like the column
// itself; it takes no input: mouse events fall through to the grid, which finds the column
// there (TZelmarSheetGrid::indexAt). Shown only while the column would have scrolled away.

#include <QTableView>

class TZelmarSheetGrid;

class TZelmarFrozenColumn : public QTableView {
    Q_OBJECT
public:
    explicit TZelmarFrozenColumn(TZelmarSheetGrid* grid);

    // The model column shown, -1 for none.
    void SetSection(int section);
    int Section() const { return FSection; }
    // Whether it lies over the grid now.
    bool Covering() const { return isVisible(); }
    // Place, size, rows and visibility after the grid scrolled, resized or changed shape.
    void Follow();
    void SetRowHeight(int section, int height);
    void SetDefaultRowHeight(int height);

private:
    TZelmarSheetGrid* const Grid;
    int FSection = -1;
};
