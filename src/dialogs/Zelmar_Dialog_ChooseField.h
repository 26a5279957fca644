#pragma once
// Picks the field for the duplicate search and whether tetrahedral stereochemistry counts.
// Use: create with the sheet's EnumSelectableFields, exec(); on Accepted read
// GetCurrentField() (null: the molecule field) and ConsiderStereoChem().

#include <QDialog>
#include <functional>

#include "Zelmar_Object_Fields.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class TZelmarFieldListDelegate;
class TZelmarHelpHeader;

class TZelmarDialogChooseFields : public QDialog {
    Q_OBJECT
public:
    // Appends (text, field) for each field to offer; the fields stay the sheet's.
    using TEnumFieldsEvent = std::function<void(TZelmarFieldRefs& fields)>;

    // Throws std::invalid_argument "No Enum Proc defined" without an enumerator.
    TZelmarDialogChooseFields(QWidget* owner, TEnumFieldsEvent enumFields);

    // The field of the selected entry; null when none is selected.
    TZelmarField* GetCurrentField() const;
    // Only for the molecule field: the box is disabled for every other field.
    bool ConsiderStereoChem() const;

    TZelmarHelpHeader* HelpHeader;
    QLabel* LabelFields;
    QListWidget* LbFieldList;
    QCheckBox* CbConsiderStereoChem;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    TZelmarFieldListDelegate* FieldDelegate;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillListBox();
    void LbFieldListClick();

    TEnumFieldsEvent FEnumFields;
    TZelmarFieldRefs FFields;
};
