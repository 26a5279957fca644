#include "Zelmar_SheetGrid.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "Zelmar_FrozenColumn.h"
#include "Zelmar_Object_DataPainter.h"
#include "vesk_Guard.h"

// ---- model ----

void TZelmarSheetModel::SetShape(int rows, int scrollableColumns, bool reset) {
    const int newRows = std::max(0, rows - 1);
    const int newColumns = std::max(0, scrollableColumns);
    if (reset) {
        beginResetModel();
        FRows = newRows;
        FColumns = newColumns;
        endResetModel();
        return;
    }
    if (newRows > FRows) {
        beginInsertRows(QModelIndex(), FRows, newRows - 1);
        FRows = newRows;
        endInsertRows();
    } else if (newRows < FRows) {
        beginRemoveRows(QModelIndex(), newRows, FRows - 1);
        FRows = newRows;
        endRemoveRows();
    }
    if (newColumns > FColumns) {
        beginInsertColumns(QModelIndex(), FColumns, newColumns - 1);
        FColumns = newColumns;
        endInsertColumns();
    } else if (newColumns < FColumns) {
        beginRemoveColumns(QModelIndex(), newColumns, FColumns - 1);
        FColumns = newColumns;
        endRemoveColumns();
    }
}

int TZelmarSheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FRows;
}

int TZelmarSheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FColumns;
}

QVariant TZelmarSheetModel::data(const QModelIndex&, int) const {
    // Cells are painted from the record list; the model holds no text.
    return QVariant();
}

Qt::ItemFlags TZelmarSheetModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void TZelmarSheetModel::RepaintAll() {
    if (FRows > 0 && FColumns > 0) emit dataChanged(index(0, 0), index(FRows - 1, FColumns - 1));
}

// ---- delegate ----

TZelmarGridDelegate::TZelmarGridDelegate(TZelmarSheetGrid* grid)
    : QStyledItemDelegate(grid), Grid(grid) {}

void TZelmarGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    GuardedVoid("TZelmarWindow.StringGrid1DrawCell", [&] {
        TZelmarGridDrawState state = 0;
        if ((option.state & QStyle::State_Selected) != 0) state |= gdSelected;
        if ((option.state & QStyle::State_HasFocus) != 0) state |= gdFocused;
        Grid->Painter->PaintTo(painter, option.rect, index.column() + Grid->FFixedCols,
                               index.row() + 1, state);
        if ((state & gdFocused) != 0) {
            painter->save();
            painter->setPen(QPen(option.palette.color(QPalette::HighlightedText), 1, Qt::DotLine));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
            painter->restore();
        }
    });
}

QWidget* TZelmarGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const {
    QString text;
    const int column = index.column() + Grid->FFixedCols;
    const int row = index.row() + 1;
    if (!Grid->OnGetEditText || !Grid->OnGetEditText(column, row, text)) return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("InplaceEditor"));
    editor->setFrame(false);
    editor->setText(text);
    connect(editor, &QLineEdit::textEdited, Grid, [grid = Grid](const QString& changed) {
        if (grid->OnEditTextChanged) grid->OnEditTextChanged(changed);
    });
    Grid->Editor = editor;
    return editor;
}

void TZelmarGridDelegate::setEditorData(QWidget*, const QModelIndex&) const {
    // The starting text is set once; repaints of the cell must not overwrite what is typed.
}

void TZelmarGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                       const QModelIndex&) const {
    // The edit transaction has written every change through already; this ends it.
    if (auto* line = qobject_cast<QLineEdit*>(editor); line != nullptr && Grid->OnEndEdit)
        Grid->OnEndEdit(line->text(), false);
}

// ---- view ----

TZelmarSheetGrid::TZelmarSheetGrid(TZelmarDataPainter* painter, QWidget* parent)
    : QTableView(parent), Painter(painter) {
    setObjectName(QStringLiteral("StringGrid1"));
    Model = new TZelmarSheetModel(this);
    ColumnHeader = new TZelmarGridHeader(Qt::Horizontal, this);
    RowHeader = new TZelmarGridHeader(Qt::Vertical, this);
    ColumnHeader->setObjectName(QStringLiteral("CaptionRow"));
    RowHeader->setObjectName(QStringLiteral("FixedColumns"));
    setHorizontalHeader(ColumnHeader);
    setVerticalHeader(RowHeader);
    setModel(Model);
    setItemDelegate(new TZelmarGridDelegate(this));
    ColumnHeader->setDefaultSectionSize(DefaultColWidth);
    RowHeader->setDefaultSectionSize(DefaultRowHeight);
    setFrameShape(QFrame::NoFrame);
    // Blocks of cells by dragging or Shift, more with Ctrl, as in spreadsheets.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    FFixedWidths = {32};
    Frozen = new TZelmarFrozenColumn(this);
    connect(RowHeader, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        FLastResizedRow = logical;
        Frozen->SetRowHeight(logical, size);
    });
    if ((Corner = findChild<QAbstractButton*>()) != nullptr) Corner->installEventFilter(this);
    SetShape(2, 2, 1);
}

void TZelmarSheetGrid::SetShape(int rowCount, int colCount, int fixedColumns) {
    fixedColumns = std::max(1, fixedColumns);
    colCount = std::max(colCount, fixedColumns + 1);
    rowCount = std::max(rowCount, 2);
    const bool reset = fixedColumns != FFixedCols;
    if (reset) {
        std::vector<int> widths(static_cast<std::size_t>(fixedColumns), 32);
        widths[0] = FFixedWidths.empty() ? 32 : FFixedWidths[0];
        FFixedWidths = widths;
    }
    FFixedCols = fixedColumns;
    FRowCount = rowCount;
    FColCount = colCount;
    Model->SetShape(rowCount, colCount - fixedColumns, reset);
    updateGeometries();
    RepaintAll();
}

int TZelmarSheetGrid::ColWidth(int column) const {
    if (column < 0 || column >= FColCount) return 0;
    if (column < FFixedCols) return FFixedWidths[static_cast<std::size_t>(column)];
    return ColumnHeader->sectionSize(column - FFixedCols);
}

void TZelmarSheetGrid::SetColWidth(int column, int width) {
    if (column < 0 || column >= FColCount || width < 0) return;
    if (column < FFixedCols) {
        if (FFixedWidths[static_cast<std::size_t>(column)] == width) return;
        FFixedWidths[static_cast<std::size_t>(column)] = width;
        updateGeometries();
        RowHeader->viewport()->update();
        if (Corner != nullptr) Corner->update();
        return;
    }
    ColumnHeader->resizeSection(column - FFixedCols, width);
}

int TZelmarSheetGrid::RowHeight(int row) const {
    if (row < 0 || row >= FRowCount) return 0;
    if (row == 0) return FRow0Height;
    return RowHeader->sectionSize(row - 1);
}

void TZelmarSheetGrid::SetRowHeight(int row, int height) {
    if (row < 0 || row >= FRowCount || height < 0) return;
    if (row == 0) {
        FRow0Height = height;
        updateGeometries();
        return;
    }
    RowHeader->resizeSection(row - 1, height);
}

int TZelmarSheetGrid::DefaultDataRowHeight() const {
    return RowHeader->defaultSectionSize();
}

void TZelmarSheetGrid::SetDefaultDataRowHeight(int height) {
    const int resized = FLastResizedRow;
    RowHeader->setDefaultSectionSize(height);
    Frozen->SetDefaultRowHeight(height);
    // Rows the user sized keep their size through a new default: give it to them too.
    if (resized >= 0 && resized < Model->rowCount() && RowHeader->sectionSize(resized) != height)
        RowHeader->resizeSection(resized, height);
    FLastResizedRow = -1;
}

int TZelmarSheetGrid::FirstRowOffDefaultHeight() const {
    if (FLastResizedRow < 0 || FLastResizedRow >= Model->rowCount()) return -1;
    if (RowHeader->sectionSize(FLastResizedRow) == RowHeader->defaultSectionSize()) return -1;
    return FLastResizedRow + 1;
}

int TZelmarSheetGrid::TopRow() const {
    const int logical = RowHeader->logicalIndexAt(0);
    return logical < 0 ? 1 : logical + 1;
}

void TZelmarSheetGrid::SetTopRow(int row) {
    if (row < 0 || row >= FRowCount) return;
    verticalScrollBar()->setValue(std::max(0, row - 1));
}

int TZelmarSheetGrid::FixedColumnLeft(int column) const {
    int left = 0;
    for (int c = 0; c < column && c < FFixedCols; ++c)
        left += FFixedWidths[static_cast<std::size_t>(c)];
    return left;
}

int TZelmarSheetGrid::FixedColumnAt(int x) const {
    int left = 0;
    for (int c = 0; c < FFixedCols; ++c) {
        const int width = FFixedWidths[static_cast<std::size_t>(c)];
        if (x >= left && x < left + width) return c;
        left += width;
    }
    return -1;
}

bool TZelmarSheetGrid::CellAt(const QPoint& gridPos, int& column, int& row) const {
    column = row = -1;
    const QRect view = viewport()->geometry();
    const QRect rows = RowHeader->geometry();
    const QRect captions = ColumnHeader->geometry();
    if (view.contains(gridPos)) {
        const QModelIndex index = indexAt(gridPos - view.topLeft());
        if (!index.isValid()) return false;
        column = index.column() + FFixedCols;
        row = index.row() + 1;
        return true;
    }
    if (rows.contains(gridPos)) {
        const QPoint p = gridPos - rows.topLeft();
        const int r = RowHeader->logicalIndexAt(p.y()), c = FixedColumnAt(p.x());
        if (r < 0 || c < 0) return false;
        column = c;
        row = r + 1;
        return true;
    }
    if (captions.contains(gridPos)) {
        const int c = SectionAt(gridPos.x() - captions.left());
        if (c < 0) return false;
        column = c + FFixedCols;
        row = 0;
        return true;
    }
    if (gridPos.x() < rows.right() && gridPos.y() < captions.bottom() && gridPos.x() >= 0 &&
        gridPos.y() >= 0) {
        column = FixedColumnAt(gridPos.x() - rows.left());
        row = 0;
        return column >= 0;
    }
    return false;
}

QRect TZelmarSheetGrid::CellRect(int column, int row) const {
    if (column < 0 || row < 0 || column >= FColCount || row >= FRowCount) return QRect();
    const QRect rows = RowHeader->geometry();
    const QRect captions = ColumnHeader->geometry();
    const QRect view = viewport()->geometry();
    int x = 0, width = 0, y = 0, height = 0;
    if (column < FFixedCols) {
        x = rows.left() + FixedColumnLeft(column);
        width = FFixedWidths[static_cast<std::size_t>(column)];
    } else {
        const int section = column - FFixedCols;
        const bool kept = Frozen->Covering() && section == Frozen->Section();
        x = view.left() + (kept ? 0 : columnViewportPosition(section));
        width = ColumnHeader->sectionSize(column - FFixedCols);
    }
    if (row == 0) {
        y = captions.top();
        height = captions.height();
    } else {
        y = view.top() + rowViewportPosition(row - 1);
        height = RowHeader->sectionSize(row - 1);
    }
    return QRect(x, y, width, height);
}

void TZelmarSheetGrid::RepaintCell(int column, int row) {
    if (column < 0 || row < 0 || column >= FColCount || row >= FRowCount) return;
    if (row == 0) {
        ColumnHeader->viewport()->update();
        if (Corner != nullptr) Corner->update();
    } else if (column < FFixedCols) {
        RowHeader->viewport()->update();
    } else {
        const QModelIndex index = Model->index(row - 1, column - FFixedCols);
        viewport()->update(visualRect(index));
        if (Frozen->Covering()) Frozen->viewport()->update(Frozen->visualRect(index));
    }
}

void TZelmarSheetGrid::RepaintAll() {
    viewport()->update();
    RowHeader->viewport()->update();
    ColumnHeader->viewport()->update();
    if (Corner != nullptr) Corner->update();
    Frozen->viewport()->update();
    Frozen->horizontalHeader()->viewport()->update();
}

bool TZelmarSheetGrid::SelectCell(int column, int row) {
    if (column < FFixedCols || row < 1 || column >= FColCount || row >= FRowCount) return false;
    setCurrentIndex(Model->index(row - 1, column - FFixedCols));
    return true;
}

int TZelmarSheetGrid::CurrentCol() const {
    return currentIndex().isValid() ? currentIndex().column() + FFixedCols : -1;
}

int TZelmarSheetGrid::CurrentRow() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : -1;
}

void TZelmarSheetGrid::SelectRowsFrom(int row, Qt::KeyboardModifiers modifiers) {
    if (row < 1 || row >= FRowCount || Model->columnCount() == 0) return;
    CloseEditor();
    const bool extend =
        (modifiers & Qt::ShiftModifier) != 0 && FRowAnchor >= 1 && FRowAnchor < FRowCount;
    const int first = extend ? std::min(FRowAnchor, row) : row;
    const int last = extend ? std::max(FRowAnchor, row) : row;
    const QItemSelection rows(Model->index(first - 1, 0),
                              Model->index(last - 1, Model->columnCount() - 1));
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::Rows;
    if ((modifiers & Qt::ControlModifier) != 0)
        how |= QItemSelectionModel::Toggle;
    else
        how |= QItemSelectionModel::ClearAndSelect;
    // The current cell moves to the clicked row and keeps its column; the selection is set
    // after it, so that moving does not replace it.
    const int column = std::max(currentIndex().column(), 0);
    selectionModel()->setCurrentIndex(Model->index(row - 1, column), QItemSelectionModel::NoUpdate);
    selectionModel()->select(rows, how);
    if (!extend) FRowAnchor = row;
    viewport()->update();
    RowHeader->viewport()->update();
}

std::vector<int> TZelmarSheetGrid::SelectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.push_back(index.row() + 1);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

std::vector<int> TZelmarSheetGrid::SelectedColumns() const {
    std::vector<int> columns;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        columns.push_back(index.column() + FFixedCols);
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    return columns;
}

bool TZelmarSheetGrid::HasWideSelection() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.size() > 1 || (selected.size() == 1 && selected.front() != currentIndex());
}

bool TZelmarSheetGrid::IsEditorOpen() const {
    return Editor != nullptr;
}

QString TZelmarSheetGrid::EditorText() const {
    auto* line = qobject_cast<QLineEdit*>(Editor);
    return line != nullptr ? line->text() : QString();
}

void TZelmarSheetGrid::CloseEditor() {
    if (Editor != nullptr) closeEditor(Editor, QAbstractItemDelegate::NoHint);
}

QWidget* TZelmarSheetGrid::RowHeaderWidget() const {
    return RowHeader->viewport();
}

QWidget* TZelmarSheetGrid::ColumnHeaderWidget() const {
    return ColumnHeader->viewport();
}

void TZelmarSheetGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid() && OnSelectCell)
        OnSelectCell(current.column() + FFixedCols, current.row() + 1);
}

void TZelmarSheetGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const bool ours = editor != nullptr && editor == Editor;
    const QString text = ours ? EditorText() : QString();
    if (ours) Editor = nullptr;
    QTableView::closeEditor(editor, hint);
    // After the editor is gone: ending an edit may change the grid's shape.
    if (ours && OnEndEdit) OnEndEdit(text, hint == QAbstractItemDelegate::RevertModelCache);
}

void TZelmarSheetGrid::keyPressEvent(QKeyEvent* event) {
    const bool zoomIn =
        event->matches(QKeySequence::ZoomIn) ||
        (event->key() == Qt::Key_Plus && (event->modifiers() & Qt::ControlModifier));
    const bool zoomOut = event->matches(QKeySequence::ZoomOut);
    if ((zoomIn || zoomOut) && OnZoom) {
        OnZoom(zoomIn ? 1 : -1);
        event->accept();
        return;
    }
    if (OnKeyPress) OnKeyPress(event->key());
    QTableView::keyPressEvent(event);
}

void TZelmarSheetGrid::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) != 0 && OnZoom) {
        // One notch of a wheel is 120; touch pads send smaller steps that add up.
        FZoomAngle += event->angleDelta().y();
        const int steps = FZoomAngle / 120;
        FZoomAngle -= steps * 120;
        if (steps != 0) OnZoom(steps);
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}

void TZelmarSheetGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnCellPressed) {
        int column = -1, row = -1;
        const QPoint at = viewport()->mapTo(this, event->position().toPoint());
        if (CellAt(at, column, row)) OnCellPressed(column, row);
    }
    QTableView::mousePressEvent(event);
}

void TZelmarSheetGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    // A check box clicked twice quickly toggles twice, as two single clicks would.
    if (event->button() == Qt::LeftButton && OnCellPressed) {
        int column = -1, row = -1;
        const QPoint at = viewport()->mapTo(this, event->position().toPoint());
        if (CellAt(at, column, row)) OnCellPressed(column, row);
    }
    QTableView::mouseDoubleClickEvent(event);
}

void TZelmarSheetGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    if (OnMouseUp) OnMouseUp();
}

void TZelmarSheetGrid::mouseMoveEvent(QMouseEvent* event) {
    QTableView::mouseMoveEvent(event);
    if (!OnMouseOver) return;
    int column = -1, row = -1;
    const QPoint at = viewport()->mapTo(this, event->position().toPoint());
    if (CellAt(at, column, row) && row > 0) {
        OnMouseOver(column, row);
    } else {
        OnMouseOver(-1, -1);
    }
}

void TZelmarSheetGrid::leaveEvent(QEvent* event) {
    QTableView::leaveEvent(event);
    if (OnMouseOver) OnMouseOver(-1, -1);
}

bool TZelmarSheetGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Corner && Corner != nullptr) {
        if (event->type() == QEvent::Paint) {
            PaintCorner(Corner);
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const int column = FixedColumnAt(mouse->position().toPoint().x());
            if (mouse->button() == Qt::LeftButton && column >= 0 && OnCaptionPressed)
                OnCaptionPressed(column);
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) return true;
    }
    return QTableView::eventFilter(watched, event);
}

void TZelmarSheetGrid::PaintCorner(QWidget* corner) {
    GuardedVoid("TZelmarWindow.StringGrid1DrawCell", [&] {
        QPainter painter(corner);
        painter.fillRect(corner->rect(), palette().color(QPalette::Mid));
        for (int column = 0; column < FFixedCols; ++column) {
            const QRect cell(FixedColumnLeft(column), 0,
                             FFixedWidths[static_cast<std::size_t>(column)] - 1,
                             corner->height() - 1);
            Painter->PaintTo(&painter, cell, column, 0, gdFixed);
        }
    });
}
