#pragma once
// Picks the field for the duplicate search, whether tetrahedral stereochemistry counts and,
// for molecules, the duplicate policy (what else "the same molecule" ignores).
// Use: create with the sheet's EnumSelectableFields, optionally SetConsiderStereoChem and
// SetPolicy with the last choice, exec(); on Accepted read GetCurrentField() (null: the
// molecule field), ConsiderStereoChem() and Policy().

#include <QDialog>
#include <functional>

#include "Zelmar_Object_Fields.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class TZelmarFieldListDelegate;
class TZelmarHelpHeader;
class TZelmarPolicyChoice;

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
    void SetConsiderStereoChem(bool flag);
    // TZelmarDuplicatePolicy bits; 0 unless the molecule field is chosen and the search
    // library makes policy keys (asked when the dialog is shown).
    int Policy() const;
    // The boxes ticked as last time; they apply only where a policy can.
    void SetPolicy(int policy);

    TZelmarHelpHeader* HelpHeader;
    QLabel* LabelFields;
    QListWidget* LbFieldList;
    QCheckBox* CbConsiderStereoChem;
    TZelmarPolicyChoice* PolicyChoice;
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
    bool FPolicyKeys = false;
};
