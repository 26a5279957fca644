#include "Zelmar_Dialog_Export.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

QRadioButton* MakeRadio(QWidget* owner, const char* objectName, const char* caption) {
    // Without a caption: the record choices get theirs with the counts.
    auto* button = new QRadioButton(caption != nullptr ? Shown(caption) : QString(), owner);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

}  // namespace

TZelmar_DialogExport::TZelmar_DialogExport(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Zelmar_DialogExport"));
    setWindowTitle(Shown("Zelmar_DialogExport##  Exportieren"));
    auto* formats = new QGroupBox(Shown("Zelmar_DialogExport##  Format"), this);
    RbSDFile = MakeRadio(formats, "RbSDFile", "Zelmar_DialogExport##  &SD-Datei (*.sdf)");
    RbCsv =
        MakeRadio(formats, "RbCsv", "Zelmar_DialogExport##  &CSV, durch Kommas getrennt (*.csv)");
    RbTsv = MakeRadio(formats, "RbTsv",
                      "Zelmar_DialogExport##  &TSV, durch Tabulatoren getrennt (*.tsv)");
    RbXlsx = MakeRadio(formats, "RbXlsx", "Zelmar_DialogExport##  E&xcel-Arbeitsmappe (*.xlsx)");
    LabelFormatHint = new QLabel(formats);
    LabelFormatHint->setObjectName(QStringLiteral("LabelFormatHint"));
    LabelFormatHint->setWordWrap(true);
    LabelFormatHint->setEnabled(false);
    auto* formatGroup = new QButtonGroup(this);
    auto* formatLayout = new QVBoxLayout(formats);
    for (QRadioButton* button : {RbSDFile, RbCsv, RbTsv, RbXlsx}) {
        formatGroup->addButton(button);
        formatLayout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this] { UpdateFormatHint(); });
    }
    formatLayout->addWidget(LabelFormatHint);
    CbSmiles = new QCheckBox(Shown("Zelmar_DialogExport##  SMILES-Spalte &hinzufügen"), formats);
    CbSmiles->setObjectName(QStringLiteral("CbSmiles"));
    formatLayout->addWidget(CbSmiles);

    auto* records = new QGroupBox(Shown("Zelmar_DialogExport##  Datensätze"), this);
    RbAllRecords = MakeRadio(records, "RbAllRecords", nullptr);
    RbCheckedRecords = MakeRadio(records, "RbCheckedRecords", nullptr);
    auto* recordGroup = new QButtonGroup(this);
    auto* recordLayout = new QVBoxLayout(records);
    for (QRadioButton* button : {RbAllRecords, RbCheckedRecords}) {
        recordGroup->addButton(button);
        recordLayout->addWidget(button);
    }

    BtnOK = new QPushButton(Shown("Zelmar_DialogExport##  OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(Shown("Zelmar_DialogExport##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formats);
    layout->addWidget(records);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(400);
    SetRecordCounts(0, 0);
    SetChoice(TZelmarExportChoice());
}

void TZelmar_DialogExport::SetRecordCounts(int all, int checked) {
    RbAllRecords->setText(QString::fromStdString(FillPlaceholders(
        LoadTranslatedText("Zelmar_DialogExport##  &Alle (%d)"), {std::to_string(all)})));
    RbCheckedRecords->setText(QString::fromStdString(
        FillPlaceholders(LoadTranslatedText("Zelmar_DialogExport##  Nur die &markierten (%d)"),
                         {std::to_string(checked)})));
    // Exporting no record at all is never what was meant.
    RbCheckedRecords->setEnabled(checked > 0);
    if (checked == 0) RbAllRecords->setChecked(true);
}

void TZelmar_DialogExport::SetChoice(const TZelmarExportChoice& choice) {
    switch (choice.Format) {
        case TZelmarExportFormat::SDFile:
            RbSDFile->setChecked(true);
            break;
        case TZelmarExportFormat::Csv:
            RbCsv->setChecked(true);
            break;
        case TZelmarExportFormat::Tsv:
            RbTsv->setChecked(true);
            break;
        case TZelmarExportFormat::Xlsx:
            RbXlsx->setChecked(true);
            break;
    }
    CbSmiles->setChecked(choice.WithSmiles);
    const bool onlyChecked = choice.OnlyChecked && RbCheckedRecords->isEnabled();
    (onlyChecked ? RbCheckedRecords : RbAllRecords)->setChecked(true);
    UpdateFormatHint();
}

TZelmarExportChoice TZelmar_DialogExport::Choice() const {
    TZelmarExportChoice choice;
    choice.Format = RbSDFile->isChecked() ? TZelmarExportFormat::SDFile
                    : RbTsv->isChecked()  ? TZelmarExportFormat::Tsv
                    : RbXlsx->isChecked() ? TZelmarExportFormat::Xlsx
                                          : TZelmarExportFormat::Csv;
    choice.OnlyChecked = RbCheckedRecords->isEnabled() && RbCheckedRecords->isChecked();
    choice.WithSmiles = CbSmiles->isEnabled() && CbSmiles->isChecked();
    return choice;
}

QString TZelmar_DialogExport::Suffix(TZelmarExportFormat format) {
    switch (format) {
        case TZelmarExportFormat::SDFile:
            return QStringLiteral("sdf");
        case TZelmarExportFormat::Tsv:
            return QStringLiteral("tsv");
        case TZelmarExportFormat::Xlsx:
            return QStringLiteral("xlsx");
        case TZelmarExportFormat::Csv:
            break;
    }
    return QStringLiteral("csv");
}

QString TZelmar_DialogExport::NameFilter(TZelmarExportFormat format) {
    switch (format) {
        case TZelmarExportFormat::SDFile:
            return Shown("Zelmar_DialogExport##  SD-Dateien (*.sdf)");
        case TZelmarExportFormat::Tsv:
            return Shown("Zelmar_DialogExport##  TSV-Dateien (*.tsv)");
        case TZelmarExportFormat::Xlsx:
            return Shown("Zelmar_DialogExport##  Excel-Arbeitsmappen (*.xlsx)");
        case TZelmarExportFormat::Csv:
            break;
    }
    return Shown("Zelmar_DialogExport##  CSV-Dateien (*.csv)");
}

// What the chosen format keeps, so nobody expects molecules in a table.
void TZelmar_DialogExport::UpdateFormatHint() {
    CbSmiles->setEnabled(!RbSDFile->isChecked());
    LabelFormatHint->setText(
        RbSDFile->isChecked()
            ? Shown("Zelmar_DialogExport##  Die Datensätze mit Molekül und allen Datenfeldern; "
                    "unveränderte genau so, wie sie gelesen wurden.")
            : Shown("Zelmar_DialogExport##  Eine Tabelle: die Datenfelder, Summenformel und "
                    "Molekulargewicht; das Molekül auf Wunsch als SMILES."));
}
