#include "Zelmar_FieldListDelegate.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <memory>

#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_Fields.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

constexpr int kImageSize = 16;

// The picture of a kind: a hexagon for the molecule, "ab" for texts and formulas, "1.2" for
// numbers; dark on light entries, white on selected ones.
QPixmap KindPicture(int kind, bool selected) {
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = selected ? QColor(Qt::white) : QColor(0, 0, 128);
    painter.setPen(QPen(ink, 1.4));
    if (kind == 0) {
        QPainterPath ring;
        const QPointF centre(8, 8);
        for (int i = 0; i <= 6; ++i) {
            const double angle = 3.14159265358979 / 3 * i + 3.14159265358979 / 6;
            const QPointF corner(centre.x() + 6.5 * std::cos(angle),
                                 centre.y() + 6.5 * std::sin(angle));
            if (i == 0)
                ring.moveTo(corner);
            else
                ring.lineTo(corner);
        }
        painter.drawPath(ring);
        painter.drawEllipse(centre, 3.2, 3.2);
        return pixmap;
    }
    QFont font = QApplication::font();
    font.setPixelSize(kind == 1 ? 11 : 9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawRoundedRect(QRectF(0.7, 0.7, 14.6, 14.6), 2, 2);
    painter.drawText(QRect(0, 0, kImageSize, kImageSize), Qt::AlignCenter,
                     kind == 1 ? QStringLiteral("ab") : QStringLiteral("1.2"));
    return pixmap;
}

// Indexes as the painter asks for them: 0-2 molecule, text, number; 3-5 the same selected.
std::unique_ptr<TZelmarImageList> MakeFieldImages() {
    auto images = std::make_unique<TZelmarImageList>(kImageSize, kImageSize);
    for (bool selected : {false, true})
        for (int kind = 0; kind < 3; ++kind) images->Add(KindPicture(kind, selected));
    return images;
}

}  // namespace

const TZelmarFieldPainter* ZelmarFieldPainter() {
    static const std::unique_ptr<TZelmarImageList> images = MakeFieldImages();
    static const TZelmarFieldPainter painter(images.get());
    return &painter;
}

TZelmarFieldListDelegate::TZelmarFieldListDelegate(const char* source, QObject* parent)
    : QStyledItemDelegate(parent), FieldPainter(ZelmarFieldPainter()), FSource(source) {}

QSize TZelmarFieldListDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return {1, EntryHeight};
}

void TZelmarFieldListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& given,
                                     const QModelIndex& index) const {
    GuardedVoid(FSource, [&] {
        QStyleOptionViewItem option = given;
        initStyleOption(&option, index);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        const QWidget* widget = option.widget;
        QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
        painter->save();
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        QRect area = option.rect;
        if (option.features & QStyleOptionViewItem::HasCheckIndicator) {
            // Where the view looks for clicks on the check mark.
            QStyleOptionViewItem check = option;
            check.rect =
                style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, widget);
            check.state = check.state & ~QStyle::State_HasFocus;
            check.state |= option.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
            style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
            area.setLeft(check.rect.right() + 1);
        }
        painter->setFont(option.font);
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const auto* field = static_cast<const TZelmarField*>(index.data(FieldRole).value<void*>());
        if (field != nullptr && FieldPainter != nullptr) {
            FieldPainter->PaintTo(painter, field, selected, area);
        } else {
            QRect text = area.adjusted(4, 0, 0, 0);
            DrawWrappedText(painter, index.data(Qt::DisplayRole).toString(), -1,
                            dtVCenter | dtSingleLine, text);
        }
        painter->restore();
    });
}

TZelmarField* FieldOfItem(const QListWidgetItem* item) {
    if (item == nullptr) return nullptr;
    return static_cast<TZelmarField*>(
        item->data(TZelmarFieldListDelegate::FieldRole).value<void*>());
}

QListWidgetItem* AddFieldItem(QListWidget* list, TZelmarField* field) {
    auto* item = new QListWidgetItem(list);
    if (field != nullptr) item->setText(TextFromBytes(field->GetDisplayName()));
    item->setData(TZelmarFieldListDelegate::FieldRole, QVariant::fromValue<void*>(field));
    return item;
}
