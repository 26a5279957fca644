#pragma once
// The sheet's grid: a table model that holds no cell text, a table view that keeps the
// sheet's geometry, and headers and a delegate that paint every cell through the data
// painter. Everything outside speaks grid coordinates: row 0 is the caption row, column 0 the
// row numbers, columns 1..fixed the fixed field columns, the last row the new-record row.
// Inside, the caption row is the horizontal header and the fixed columns are drawn in the
// vertical header, so that they stay in place while the cells scroll.

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

class TZelmarDataPainter;
class TZelmarFrozenColumn;
class TZelmarSheetGrid;

class TZelmarSheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Grid rows (captions included) and the scrollable grid columns.
    void SetShape(int rows, int scrollableColumns, bool reset);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    void RepaintAll();

private:
    int FRows = 0;     // model rows: grid rows - 1
    int FColumns = 0;  // model columns: the scrollable grid columns
};

class TZelmarGridHeader : public QHeaderView {
    Q_OBJECT
public:
    TZelmarGridHeader(Qt::Orientation orientation, TZelmarSheetGrid* grid);
    QSize sizeHint() const override;
    // The logical section whose border lies under the point, or -1 (resizing, not clicking).
    bool OnSectionBorder(const QPoint& pos) const;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    // A caption cut short shows its whole text as a tool tip.
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The second press of a double click is a press too: two quick clicks sort twice.
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // A caption cell with the sort arrow right of its text.
    void PaintSortedCaption(QPainter* painter, const QRect& cell, int column, int mark) const;
    // Where the caption's text goes inside its cell, and its text.
    QRect CaptionTextRect(const QRect& cell, int mark) const;
    QString CaptionText(int column) const;
    int SortMark(int column) const;

    TZelmarSheetGrid* Grid;
};

class TZelmarGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TZelmarGridDelegate(TZelmarSheetGrid* grid);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

private:
    TZelmarSheetGrid* Grid;
};

class TZelmarSheetGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int DefaultColWidth = 128;
    static constexpr int DefaultRowHeight = 50;

    explicit TZelmarSheetGrid(TZelmarDataPainter* painter, QWidget* parent = nullptr);

    // ---- shape, in grid coordinates ----
    // Rows and columns with the caption row and the fixed columns; fixedColumns counts
    // column 0 too. Keeps the current cell and scroll position where the shape allows.
    void SetShape(int rowCount, int colCount, int fixedColumns);
    int RowCount() const { return FRowCount; }
    int ColCount() const { return FColCount; }
    int FixedCols() const { return FFixedCols; }
    int ColWidth(int column) const;
    void SetColWidth(int column, int width);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int height);
    int DefaultDataRowHeight() const;
    // All data rows take the height; row 0 keeps its own.
    void SetDefaultDataRowHeight(int height);
    // The data row last resized by the user if it differs from the others, else -1.
    int FirstRowOffDefaultHeight() const;
    int Row0Height() const { return FRow0Height; }
    int TopRow() const;
    void SetTopRow(int row);
    // Grid cell under a point of the grid widget; false outside the cells.
    bool CellAt(const QPoint& gridPos, int& column, int& row) const;
    // The cell's rectangle in grid widget coordinates (empty when not shown).
    QRect CellRect(int column, int row) const;
    void RepaintCell(int column, int row);
    void RepaintAll();
    // Makes the cell current (a scrollable cell); false for fixed cells and outside.
    bool SelectCell(int column, int row);
    int CurrentCol() const;
    int CurrentRow() const;
    // Whole rows, as a click on their numbers selects them: alone, Shift from the last
    // clicked row on, Ctrl one more or one less. Selection is not the check marks.
    void SelectRowsFrom(int row, Qt::KeyboardModifiers modifiers);
    // Grid rows with a selected cell, in order; the columns of the selected cells.
    std::vector<int> SelectedRows() const;
    std::vector<int> SelectedColumns() const;
    // More than the current cell is selected (rows or a block of cells).
    bool HasWideSelection() const;
    bool IsEditorOpen() const;
    QWidget* OpenEditor() const { return Editor; }
    QString EditorText() const;
    void CloseEditor();
    QWidget* RowHeaderWidget() const;
    QWidget* ColumnHeaderWidget() const;
    // The grid column kept in view while the cells scroll sideways (-1: none); it must be a
    // scrollable one (Zelmar_SheetGrid_Frozen.cpp).
    void SetFrozenColumn(int column);
    TZelmarFrozenColumn* FrozenColumn() const { return Frozen; }

    // Hit testing and scrolling that know the kept column.
    QModelIndex indexAt(const QPoint& point) const override;
    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // ---- the window's handlers ----
    std::function<void(int column)> OnCaptionPressed;
    std::function<void(int column, int row)> OnCellPressed;
    std::function<void(int column, int row)> OnMouseOver;  // (-1, -1): not over a data cell
    std::function<void()> OnMouseUp;
    std::function<void(int column, int row)> OnSelectCell;
    // The editor's starting text; false keeps the editor closed.
    std::function<bool(int column, int row, QString& text)> OnGetEditText;
    std::function<void(const QString& text)> OnEditTextChanged;
    std::function<void(const QString& text, bool abort)> OnEndEdit;
    std::function<void(int key)> OnKeyPress;
    // Ctrl+wheel, Ctrl+plus and Ctrl+minus: zoom in (steps > 0) or out.
    std::function<void(int steps)> OnZoom;
    // The sort arrow a caption shows: 0 none, 1 ascending, 2 descending.
    std::function<int(int column)> OnGetSortMark;

    TZelmarDataPainter* const Painter;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TZelmarGridHeader;
    friend class TZelmarGridDelegate;
    // The fixed grid column at an x position of the row header, or -1.
    int FixedColumnAt(int x) const;
    int FixedColumnLeft(int column) const;
    void PaintCorner(QWidget* corner);
    // How wide the kept column lies over the cells now (0 while it is in its own place), and
    // the caption section at an x position of the caption row with it.
    int FrozenWidth() const;
    int SectionAt(int x) const;

    TZelmarSheetModel* Model;
    TZelmarGridHeader* ColumnHeader;
    TZelmarGridHeader* RowHeader;
    QWidget* Corner = nullptr;
    QWidget* Editor = nullptr;
    TZelmarFrozenColumn* Frozen = nullptr;
    int FRowCount = 0;
    int FColCount = 0;
    int FFixedCols = 1;
    std::vector<int> FFixedWidths;  // columns 0..fixed
    int FRow0Height = 24;
    int FZoomAngle = 0;   // wheel angle not yet a zoom step
    int FRowAnchor = -1;  // the row a Shift+click on row numbers selects from
    int FLastResizedRow = -1;
};
