#include "Zelmar_Dialog_ShowLoadErrors.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "Zelmar_HelpHeader.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

constexpr int RecordNoRole = Qt::UserRole;

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// An entry: the record number in a cell as wide as the header's first column, the error
// text 4 pixels right of it; both on one line, shortened with an ellipsis.
class TLoadErrorDelegate : public QStyledItemDelegate {
public:
    TLoadErrorDelegate(QHeaderView* header, QObject* parent)
        : QStyledItemDelegate(parent), FHeader(header) {}

    // No width of its own: an entry is as wide as the list, and a long text is shortened
    // rather than drawn past the visible part.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {1, TZelmar_DialogLoadErrors::EntryHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        GuardedVoid("TZelmar_DialogLoadErrors.ListBoxDrawItem", [&] {
            const bool selected = option.state & QStyle::State_Selected;
            const QPalette& palette = option.palette;
            painter->save();
            painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
            painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
            painter->setFont(option.font);
            const QRect inner = option.rect.adjusted(2, 2, -2, -2);
            const int numberWidth = FHeader->sectionSize(0);
            const QRect numberCell(inner.left(), inner.top(), numberWidth, inner.height());
            const QRect textCell(numberCell.right() + 1 + 4, inner.top(),
                                 inner.right() - numberCell.right() - 4, inner.height());
            const QFontMetrics metrics(option.font);
            const auto draw = [&](const QRect& cell, const QString& text) {
                if (cell.width() <= 0) return;
                painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                  metrics.elidedText(text, Qt::ElideRight, cell.width()));
            };
            draw(numberCell, QString::number(index.data(RecordNoRole).toInt()));
            draw(textCell, index.data(Qt::DisplayRole).toString());
            painter->restore();
        });
    }

private:
    QHeaderView* FHeader;
};

}  // namespace

TZelmar_DialogLoadErrors::TZelmar_DialogLoadErrors(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Zelmar_DialogLoadErrors"));
    setWindowTitle(Shown("Zelmar_DialogLoadErros##  Ladefehler"));
    HelpHeader = new TZelmarHelpHeader(this);
    HelpHeader->SetTitle(Shown("Zelmar_DialogLoadErros##  Ladefehler anzeigen"));
    HelpHeader->SetInfoText(
        Shown("Zelmar_DialogLoadErros##  Hier sind die Details zu den Ladefehlern einzusehen."));

    HeaderControl = new QHeaderView(Qt::Horizontal, this);
    HeaderControl->setObjectName(QStringLiteral("HeaderControl"));
    auto* columns = new QStandardItemModel(0, 2, HeaderControl);
    columns->setHorizontalHeaderLabels(
        {Shown("Zelmar_DialogLoadErros##  Index"), Shown("Zelmar_DialogLoadErros##  Error Text")});
    HeaderControl->setModel(columns);
    HeaderControl->setSectionsClickable(false);
    HeaderControl->setHighlightSections(false);
    HeaderControl->setStretchLastSection(false);
    HeaderControl->setSectionResizeMode(QHeaderView::Interactive);
    HeaderControl->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    HeaderControl->resizeSection(0, 75);
    HeaderControl->resizeSection(1, 5000);
    // Alone, without a view under it, a header would take any height it is given.
    HeaderControl->setFixedHeight(HeaderControl->fontMetrics().height() +
                                  2 * HeaderControl->style()->pixelMetric(QStyle::PM_HeaderMargin) +
                                  4);

    ListBox = new QListWidget(this);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    ListBox->setItemDelegate(new TLoadErrorDelegate(HeaderControl, ListBox));
    ListBox->setUniformItemSizes(true);
    ListBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Clicks only: the list takes a current entry of its own when it gets the focus, and
    // opening the dialog must not move the sheet.
    connect(ListBox, &QListWidget::itemClicked, this, [this] { ListBoxClick(); });
    connect(HeaderControl, &QHeaderView::sectionResized, ListBox->viewport(),
            [this] { ListBox->viewport()->update(); });

    BtnOK = new QPushButton(Shown("Zelmar_DialogLoadErros##  OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* list = new QVBoxLayout;
    list->setSpacing(0);
    list->addWidget(HeaderControl);
    list->addWidget(ListBox, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BtnOK);
    bottom->addStretch(1);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->addLayout(list, 1);
    body->addLayout(bottom);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(HelpHeader);
    layout->addLayout(body, 1);
    resize(560, 380);
}

std::vector<TZelmar_DialogLoadErrors::TEntry> TZelmar_DialogLoadErrors::BuildIndexList(
    const TZelmarRecordRefs& loadErrors) const {
    return Guarded<std::vector<TEntry>>("TZelmar_DialogLoadErrors.BuildIndexList", {}, [&] {
        std::vector<TEntry> entries;
        if (!OnGetIndex) return entries;
        for (int i = 0; i < loadErrors.GetCount(); ++i) {
            const TZelmarSDFileData* record = loadErrors.GetObject(i);
            if (record == nullptr) continue;
            // A record no longer in the sheet gets 0.
            entries.push_back({loadErrors.GetText(i), OnGetIndex(record) + 1});
        }
        return entries;
    });
}

void TZelmar_DialogLoadErrors::SortIndexList(std::vector<TEntry>& entries) {
    GuardedVoid("TZelmar_DialogLoadErrors.SortIndexList", [&] {
        // Highest number first. Stable, so errors of records gone from the sheet (all 0) keep
        // their order; and not quadratic, as a badly damaged file may have very many.
        std::stable_sort(entries.begin(), entries.end(),
                         [](const TEntry& a, const TEntry& b) { return a.RecordNo > b.RecordNo; });
    });
}

void TZelmar_DialogLoadErrors::Init(const TZelmarRecordRefs& loadErrors) {
    GuardedVoid("TZelmar_DialogLoadErrors.Init", [&] {
        std::vector<TEntry> entries = BuildIndexList(loadErrors);
        SortIndexList(entries);
        const QSignalBlocker quiet(ListBox);
        ListBox->clear();
        for (const TEntry& entry : entries) {
            auto* item = new QListWidgetItem(TextFromBytes(entry.Text), ListBox);
            item->setData(RecordNoRole, entry.RecordNo);
            item->setToolTip(item->text());
        }
    });
}

std::vector<TZelmar_DialogLoadErrors::TEntry> TZelmar_DialogLoadErrors::Entries() const {
    std::vector<TEntry> entries;
    for (int i = 0; i < ListBox->count(); ++i) {
        const QListWidgetItem* item = ListBox->item(i);
        entries.push_back({item->text().toStdString(), item->data(RecordNoRole).toInt()});
    }
    return entries;
}

void TZelmar_DialogLoadErrors::ListBoxClick() {
    GuardedVoid("TZelmar_DialogLoadErrors.ListBoxClick", [&] {
        const QListWidgetItem* item = ListBox->currentItem();
        if (!OnGotoIndex || item == nullptr) return;
        OnGotoIndex(item->data(RecordNoRole).toInt());
    });
}

void TZelmar_DialogLoadErrors::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ListBox->viewport()->update();
}
