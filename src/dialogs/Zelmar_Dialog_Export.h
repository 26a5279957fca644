#pragma once
// Asks how a sheet is exported: the format (SD file, CSV, TSV, XLSX) and which records (all,
// or only those with a check mark). Plain data in and out; the file name is asked for later,
// with the format's suffix.

#include <QDialog>
#include <QString>

#include "Zelmar_TableExport.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

struct TZelmarExportChoice {
    TZelmarExportFormat Format = TZelmarExportFormat::Csv;
    bool OnlyChecked = false;
    // Tables only: a column of the molecules as SMILES.
    bool WithSmiles = false;
};

class TZelmar_DialogExport : public QDialog {
    Q_OBJECT
public:
    explicit TZelmar_DialogExport(QWidget* owner = nullptr);

    // Shown beside the record choices; with no checked record only "all" can be chosen.
    void SetRecordCounts(int all, int checked);
    void SetChoice(const TZelmarExportChoice& choice);
    TZelmarExportChoice Choice() const;

    // "sdf", "csv", "tsv", "xlsx".
    static QString Suffix(TZelmarExportFormat format);
    // The file dialog's filter of the format, in the interface language.
    static QString NameFilter(TZelmarExportFormat format);

    QRadioButton* RbSDFile;
    QRadioButton* RbCsv;
    QRadioButton* RbTsv;
    QRadioButton* RbXlsx;
    QRadioButton* RbAllRecords;
    QRadioButton* RbCheckedRecords;
    QCheckBox* CbSmiles;
    QLabel* LabelFormatHint;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

private:
    // The hint follows the format; an SD file keeps its molecules, so no SMILES column.
    void UpdateFormatHint();
};
