#include "Zelmar_Dialog_ColumnStatistics.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_Fields.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"
#include "vesk_TextPainter.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

QString Number(double value) {
    return QString::fromStdString(FormatFloatGeneral(value, DisplayDecimalSeparator()));
}

// Files this big show a progress window while their values are read.
constexpr int kRecordsForProgress = 20000;

}  // namespace

TZelmarHistogram::TZelmarHistogram(QWidget* owner) : QWidget(owner) {
    setObjectName(QStringLiteral("Histogram"));
    setMinimumSize(240, 80);
}

void TZelmarHistogram::SetBins(std::vector<int> bins) {
    FBins = std::move(bins);
    update();
}

void TZelmarHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (FBins.empty()) return;
    const int highest = *std::max_element(FBins.begin(), FBins.end());
    if (highest <= 0) return;
    const QRect area = rect().adjusted(4, 4, -4, -4);
    const double width = static_cast<double>(area.width()) / static_cast<double>(FBins.size());
    for (std::size_t i = 0; i < FBins.size(); ++i) {
        const int height = FBins[i] * area.height() / highest;
        const QRectF bar(area.left() + i * width + 1, area.bottom() - height + 1, width - 2,
                         height);
        painter.fillRect(bar, palette().color(QPalette::Highlight));
    }
}

TZelmarDialogColumnStatistics::TZelmarDialogColumnStatistics(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("ZelmarDialogColumnStatistics"));
    LabelFigures = new QLabel(this);
    LabelFigures->setObjectName(QStringLiteral("LabelFigures"));
    LabelFigures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Histogram = new TZelmarHistogram(this);
    TableTopValues = new QTableWidget(0, 2, this);
    TableTopValues->setObjectName(QStringLiteral("TableTopValues"));
    TableTopValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TableTopValues->verticalHeader()->hide();
    TableTopValues->horizontalHeader()->setStretchLastSection(true);
    TableTopValues->setHorizontalHeaderLabels({Shown("ZelmarDialogColumnStatistics##  Wert"),
                                               Shown("ZelmarDialogColumnStatistics##  Anzahl")});
    BtnClose = new QPushButton(Shown("ZelmarDialogColumnStatistics##  Schließen"), this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->setDefault(true);
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelFigures);
    layout->addWidget(Histogram, 1);
    layout->addWidget(TableTopValues, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnClose);
    layout->addLayout(buttons);
    resize(420, 480);
}

bool TZelmarDialogColumnStatistics::Gather(TZelmarSDFileDataList& list, const TZelmarField& field) {
    return Guarded("TZelmarDialogColumnStatistics.Gather", false, [&] {
        std::unique_ptr<QProgressDialog> progress;
        if (list.GetCount() >= kRecordsForProgress) {
            progress = std::make_unique<QProgressDialog>(
                Shown("ZelmarDialogColumnStatistics##  Lese die Werte der Spalte..."),
                Shown("ZelmarDialogColumnStatistics##  Abbrechen"), 0, 100, parentWidget());
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(300);
        }
        const bool done = ZelmarColumnStatistics(
            list, field,
            [&](int percent) {
                if (!progress) return true;
                progress->setValue(percent);
                QApplication::processEvents();
                return !progress->wasCanceled();
            },
            FStatistics);
        if (done) ShowStatistics(field);
        return done;
    });
}

void TZelmarDialogColumnStatistics::ShowStatistics(const TZelmarField& field) {
    setWindowTitle(Shown("ZelmarDialogColumnStatistics##  Spaltenstatistik - %1")
                       .arg(TextFromBytes(field.GetDisplayName())));
    const TZelmarColumnStatistics& s = FStatistics;
    QString figures =
        Shown("ZelmarDialogColumnStatistics##  Datensätze: %1, leer: %2, keine Zahl: %3")
            .arg(s.Records)
            .arg(s.Empty)
            .arg(s.NotNumbers);
    if (s.Numbers > 0)
        figures += QLatin1Char('\n') +
                   Shown("ZelmarDialogColumnStatistics##  Zahlen: %1, Minimum: %2, Maximum: %3")
                       .arg(s.Numbers)
                       .arg(Number(s.Min), Number(s.Max)) +
                   QLatin1Char('\n') +
                   Shown("ZelmarDialogColumnStatistics##  Mittelwert: %1, Median: %2")
                       .arg(Number(s.Mean), Number(s.Median));
    LabelFigures->setText(figures);
    Histogram->SetBins(s.Histogram);
    Histogram->setVisible(s.Numbers > 0);
    TableTopValues->setRowCount(static_cast<int>(s.TopValues.size()));
    for (int row = 0; row < static_cast<int>(s.TopValues.size()); ++row) {
        const auto& [text, count] = s.TopValues[static_cast<std::size_t>(row)];
        TableTopValues->setItem(row, 0, new QTableWidgetItem(TextFromBytes(text)));
        auto* number = new QTableWidgetItem(QString::number(count));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        TableTopValues->setItem(row, 1, number);
    }
    TableTopValues->setVisible(!s.TopValues.empty());
}
