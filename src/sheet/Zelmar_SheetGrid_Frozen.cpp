// The grid's column kept in view while the cells scroll sideways, and the grid's hit testing
// and scrolling that know about it.
#include <QHeaderView>
#include <QScrollBar>

#include "Zelmar_FrozenColumn.h"
#include "Zelmar_SheetGrid.h"

TZelmarFrozenColumn::TZelmarFrozenColumn(TZelmarSheetGrid* grid) : QTableView(grid), Grid(grid) {
    setObjectName(QStringLiteral("FrozenColumn"));
    setModel(grid->model());
    setSelectionModel(grid->selectionModel());
    // A delegate of its own: the grid's tells its views about the grid's editors.
    setItemDelegate(new TZelmarGridDelegate(grid));
    setHorizontalHeader(new TZelmarGridHeader(Qt::Horizontal, grid));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(grid->DefaultDataRowHeight());
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(grid->verticalScrollMode());
    setWordWrap(false);
    // A line on its right edge, as between any two columns, marks where the cells pass under.
    setStyleSheet(QStringLiteral("TZelmarFrozenColumn { border-right: 2px solid palette(mid); }"));
    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { verticalScrollBar()->setValue(value); });
    connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Follow(); });
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (section == FSection) {
                    horizontalHeader()->resizeSection(section, size);
                    Follow();
                }
            });
    connect(grid->model(), &QAbstractItemModel::modelReset, this, [this] { SetSection(FSection); });
    // Columns come and go with the field list: only the kept one stays shown.
    for (auto change : {&QAbstractItemModel::columnsInserted, &QAbstractItemModel::columnsRemoved})
        connect(grid->model(), change, this, [this] { SetSection(FSection); });
    hide();
}

void TZelmarFrozenColumn::SetSection(int section) {
    FSection = section;
    const int columns = model()->columnCount();
    for (int column = 0; column < columns; ++column) setColumnHidden(column, column != section);
    if (section >= 0 && section < columns)
        horizontalHeader()->resizeSection(section, Grid->horizontalHeader()->sectionSize(section));
    Follow();
}

void TZelmarFrozenColumn::SetRowHeight(int section, int height) {
    verticalHeader()->resizeSection(section, height);
}

void TZelmarFrozenColumn::SetDefaultRowHeight(int height) {
    verticalHeader()->setDefaultSectionSize(height);
}

void TZelmarFrozenColumn::Follow() {
    QHeaderView* captions = Grid->horizontalHeader();
    const bool scrolledAway = FSection >= 0 && FSection < model()->columnCount() &&
                              Grid->columnViewportPosition(FSection) < 0;
    if (!scrolledAway) {
        hide();
        return;
    }
    const int width = captions->sectionSize(FSection);
    horizontalHeader()->setFixedHeight(captions->height());
    setGeometry(Grid->viewport()->x(), captions->y(), width + 2,
                captions->height() + Grid->viewport()->height());
    verticalScrollBar()->setValue(Grid->verticalScrollBar()->value());
    show();
    raise();
}

// ---- the grid's side ----

void TZelmarSheetGrid::SetFrozenColumn(int column) {
    const int section = column >= FFixedCols && column < FColCount ? column - FFixedCols : -1;
    if (Frozen->Section() != section) Frozen->SetSection(section);
    Frozen->Follow();
}

int TZelmarSheetGrid::FrozenWidth() const {
    return Frozen->Covering() ? ColumnHeader->sectionSize(Frozen->Section()) : 0;
}

int TZelmarSheetGrid::SectionAt(int x) const {
    if (x >= 0 && x < FrozenWidth()) return Frozen->Section();
    return ColumnHeader->logicalIndexAt(x);
}

QModelIndex TZelmarSheetGrid::indexAt(const QPoint& point) const {
    if (point.x() >= 0 && point.x() < FrozenWidth()) {
        const int row = rowAt(point.y());
        return row < 0 ? QModelIndex() : Model->index(row, Frozen->Section());
    }
    return QTableView::indexAt(point);
}

QRect TZelmarSheetGrid::visualRect(const QModelIndex& index) const {
    QRect rect = QTableView::visualRect(index);
    if (index.isValid() && Frozen->Covering() && index.column() == Frozen->Section())
        rect.moveLeft(0);
    return rect;
}

void TZelmarSheetGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // The kept column is always in view: going to one of its cells scrolls only up or down.
    const bool kept = index.isValid() && Frozen->Covering() && index.column() == Frozen->Section();
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (kept) {
        horizontalScrollBar()->setValue(sideways);
        return;
    }
    // A cell that would lie under the kept column comes out right of it.
    const int left = columnViewportPosition(index.column());
    const int covered = FrozenWidth() - left;
    if (index.isValid() && covered > 0 && index.column() != Frozen->Section())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - covered);
}

void TZelmarSheetGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    Frozen->Follow();
}
