// The grid's headers: the caption row (with the sort arrow and the tool tip of a cut caption)
// and the row header, which draws the row numbers and the fixed columns.
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_SheetGrid.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {
// Room for the sort arrow at the right of a sorted column's caption, and the arrow's width.
constexpr int kSortArrowSpace = 12;
constexpr int kSortArrowWidth = 7;
}  // namespace

TZelmarGridHeader::TZelmarGridHeader(Qt::Orientation orientation, TZelmarSheetGrid* grid)
    : QHeaderView(orientation, grid), Grid(grid) {
    setSectionResizeMode(QHeaderView::Interactive);
    setMinimumSectionSize(1);
    setHighlightSections(false);
    setMouseTracking(true);
}

QSize TZelmarGridHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    if (orientation() == Qt::Horizontal) {
        size.setHeight(Grid->FRow0Height);
    } else {
        int width = 0;
        for (int w : Grid->FFixedWidths) width += w;
        size.setWidth(width);
    }
    return size;
}

bool TZelmarGridHeader::OnSectionBorder(const QPoint& pos) const {
    const int at = orientation() == Qt::Horizontal ? pos.x() : pos.y();
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int before = logicalIndexAt(at - grip);
    const int after = logicalIndexAt(at + grip);
    return before != after && (before != -1 || after != -1) ? true : false;
}

void TZelmarGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    GuardedVoid("TZelmarWindow.StringGrid1DrawCell", [&] {
        const QColor line = palette().color(QPalette::Mid);
        if (orientation() == Qt::Horizontal) {
            const QRect cell = rect.adjusted(0, 0, -1, -1);
            const int column = logicalIndex + Grid->FFixedCols;
            painter->fillRect(rect, line);
            const int mark = SortMark(column);
            if (mark == 0) {
                Grid->Painter->PaintTo(painter, cell, column, 0, gdFixed);
            } else {
                PaintSortedCaption(painter, cell, column, mark);
            }
            return;
        }
        painter->fillRect(rect, line);
        for (int column = 0; column < Grid->FFixedCols; ++column) {
            const QRect cell(rect.left() + Grid->FixedColumnLeft(column), rect.top(),
                             Grid->FFixedWidths[static_cast<std::size_t>(column)] - 1,
                             rect.height() - 1);
            Grid->Painter->PaintTo(painter, cell, column, logicalIndex + 1, gdFixed);
        }
    });
}

int TZelmarGridHeader::SortMark(int column) const {
    return Grid->OnGetSortMark ? Grid->OnGetSortMark(column) : 0;
}

QRect TZelmarGridHeader::CaptionTextRect(const QRect& cell, int mark) const {
    // The painter's inset for cell contents; a sorted column leaves room for its arrow.
    QRect text = cell.adjusted(2, 2, -2, -2);
    if (mark != 0) text.setRight(text.right() - kSortArrowSpace);
    return text;
}

QString TZelmarGridHeader::CaptionText(int column) const {
    TZelmarDataCarrier data;
    TZelmarDataPainter* painter = Grid->Painter;
    if (!painter->OnGetData || !painter->OnGetData(painter, 0, column, data)) return {};
    QString text = TextFromBytes(data.Text());
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void TZelmarGridHeader::PaintSortedCaption(QPainter* painter, const QRect& cell, int column,
                                           int mark) const {
    TZelmarDataPainter* cells = Grid->Painter;
    cells->PaintBackGround(painter, cell, column, 0, gdFixed);
    const QRect text = CaptionTextRect(cell, mark);
    TZelmarDataCarrier data;
    if (cells->OnGetData && cells->OnGetData(cells, 0, column, data))
        cells->PaintData(painter, text, true, &data, gdFixed);
    // A small triangle, pointing up for ascending and down for descending order.
    const int left = text.right() + 1 + (kSortArrowSpace - kSortArrowWidth) / 2;
    const int middle = cell.center().y();
    const int half = kSortArrowWidth / 2;
    QPolygon arrow;
    if (mark == 2) {
        arrow << QPoint(left, middle - 2) << QPoint(left + kSortArrowWidth, middle - 2)
              << QPoint(left + half, middle + 2);
    } else {
        arrow << QPoint(left, middle + 2) << QPoint(left + kSortArrowWidth, middle + 2)
              << QPoint(left + half, middle - 2);
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::ButtonText));
    painter->drawPolygon(arrow);
    painter->restore();
}

bool TZelmarGridHeader::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip || orientation() != Qt::Horizontal)
        return QHeaderView::viewportEvent(event);
    GuardedVoid("TZelmarWindow.CaptionToolTip", [&] {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int section = Grid->SectionAt(help->pos().x());
        const int column = section + Grid->FFixedCols;
        const QString caption = section >= 0 ? CaptionText(column) : QString();
        const QRect cell(sectionViewportPosition(section), 0, sectionSize(section) - 1,
                         viewport()->height() - 1);
        const QRect text = CaptionTextRect(cell, SortMark(column));
        if (!caption.isEmpty() &&
            viewport()->fontMetrics().horizontalAdvance(caption) > text.width()) {
            QToolTip::showText(help->globalPos(), caption, viewport(), cell);
        } else {
            QToolTip::hideText();
        }
    });
    return true;
}

void TZelmarGridHeader::mousePressEvent(QMouseEvent* event) {
    // Borders resize; anywhere else a press is the sheet's own (sorting, check boxes).
    if (event->button() != Qt::LeftButton || OnSectionBorder(event->position().toPoint())) {
        QHeaderView::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (orientation() == Qt::Horizontal) {
        const int section = Grid->SectionAt(pos.x());
        if (section >= 0 && Grid->OnCaptionPressed)
            Grid->OnCaptionPressed(section + Grid->FFixedCols);
    } else {
        const int section = logicalIndexAt(pos.y());
        const int column = Grid->FixedColumnAt(pos.x());
        // The row numbers select rows; the other fixed columns (the check box) are cells.
        if (section >= 0 && column == 0) Grid->SelectRowsFrom(section + 1, event->modifiers());
        if (section >= 0 && column >= 0 && Grid->OnCellPressed)
            Grid->OnCellPressed(column, section + 1);
    }
    event->accept();
}

void TZelmarGridHeader::mouseReleaseEvent(QMouseEvent* event) {
    QHeaderView::mouseReleaseEvent(event);
    if (Grid->OnMouseUp) Grid->OnMouseUp();
}

void TZelmarGridHeader::mouseMoveEvent(QMouseEvent* event) {
    QHeaderView::mouseMoveEvent(event);
    if (!Grid->OnMouseOver || event->buttons() != Qt::NoButton) return;
    const QPoint pos = event->position().toPoint();
    if (orientation() == Qt::Vertical) {
        const int section = logicalIndexAt(pos.y());
        const int column = Grid->FixedColumnAt(pos.x());
        if (section >= 0 && column >= 0) {
            Grid->OnMouseOver(column, section + 1);
            return;
        }
    }
    Grid->OnMouseOver(-1, -1);
}
