#pragma once
// Asks for one searchable field of a sheet and a text or number query with its comparison.
// Use: create with the sheet's EnumSearchableFields, exec(); on Accepted hand
// GetCurrentSearchField(), GetCurrentSearchData() and GetSearchOptions() to the sheet's search.

#include <QDialog>
#include <functional>
#include <memory>

#include "Zelmar_Object_DataCarrier.h"
#include "Zelmar_Object_Fields.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class TZelmarFieldListDelegate;
class TZelmarHelpHeader;

class TZelmarDialog_SearchAlphanumeric : public QDialog {
    Q_OBJECT
public:
    // Appends (text, field) for each field to offer; the fields stay the sheet's.
    using TEnumFieldsEvent = std::function<void(TZelmarFieldRefs& fields)>;

    // Throws std::invalid_argument "No Enum Proc defined" without an enumerator.
    TZelmarDialog_SearchAlphanumeric(QWidget* owner, TEnumFieldsEvent enumFields);
    ~TZelmarDialog_SearchAlphanumeric() override;

    // Option bits of the search engine (TZelmarSearchOption) for the chosen comparison.
    int GetSearchOptions() const;
    // The selected field, or null.
    TZelmarField* GetCurrentSearchField() const;
    // The query, owned by the dialog and refilled by each call; null while the input is not
    // complete.
    const TZelmarDataCarrier* GetCurrentSearchData();

    TZelmarHelpHeader* vwh;
    QLabel* LabelFields;
    QListWidget* LbFieldList;
    QWidget* PanelSearchString;
    QLabel* LabelSearchString;
    QLineEdit* EdSearchString;
    QRadioButton* RbExactSearch;
    QRadioButton* RbBeginWith;
    QRadioButton* RbSubstringSearch;
    QCheckBox* ChkCaseSensitive;
    QWidget* PanelSearchFloat;
    QLabel* LabelSearchFloat;
    QLineEdit* EdFloatStart;
    QLineEdit* EdFloatEnd;
    QRadioButton* RbSearchExact;
    QRadioButton* RbSearchBelow;
    QRadioButton* RbSearchOver;
    QRadioButton* RbSearchBetween;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    TZelmarFieldListDelegate* FieldDelegate;

    // A whole number edit's text as a number under the locale's rules; false for anything
    // else (also blanks only, infinities and NaN).
    static bool ParseFloat(const QString& text, double& value);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeStringPanel();
    QWidget* MakeFloatPanel();
    void InitListBox();
    void CheckButtons();
    bool ValidDialogValues() const;
    // False when the typed key must not reach the number edit.
    bool ValidateFloatField(const QLineEdit* edit, const QKeyEvent* key) const;
    TZelmarFieldKind SelectedKind() const;

    TEnumFieldsEvent FEnumFields;
    TZelmarFieldRefs FFields;
    std::unique_ptr<TZelmarDataCarrier> QueryCarrier;
};
