#pragma once
// Edits a copy of a sheet's field list: names of data fields, display names, new and deleted
// data fields, order, visibility, and the selection check-box column.
// Use: create with the sheet's FillCopyOfFieldList; if Init() is true, exec(); on Accepted
// hand Fields() to the sheet's SetNewFields (renamed fields carry Edited and OrigName).

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "Zelmar_Object_Fields.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QToolButton;
class TZelmarFieldListDelegate;
class TZelmarHelpHeader;

class TZelmarDialog_EditFields : public QDialog {
    Q_OBJECT
public:
    // Fills the given list with a copy of the sheet's fields; false when it could not.
    using TCopyFieldsEvent = std::function<bool(TZelmarFieldList& copy)>;

    // Throws std::invalid_argument "No Copy Proc defined" without a copy procedure.
    TZelmarDialog_EditFields(QWidget* owner, TCopyFieldsEvent copyFields);
    ~TZelmarDialog_EditFields() override;

    // Takes the sheet's fields; false when the dialog has nothing to show.
    bool Init();
    // The edited copy, owned by the dialog.
    TZelmarFieldList* Fields() const { return FFields.get(); }
    // The name a field gets when it is added, in the current language.
    static std::string NewFieldName();

    TZelmarHelpHeader* HelpHeader;
    QLabel* LabelFields;
    QListWidget* LbFieldList;
    QLabel* LabelFieldName;
    QLineEdit* EdFieldName;
    QLabel* LabelFriendlyName;
    QLineEdit* EdFriendlyName;
    // A data field's values as text or as numbers (index 0, 1).
    QLabel* LabelValueKind;
    QComboBox* CbValueKind;
    QCheckBox* ChkShowCheckbox;
    QToolButton* SpeedButtonNew;
    QToolButton* SpeedButtonDelete;
    QToolButton* SpeedButtonTop;
    QToolButton* SpeedButtonDown;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;
    TZelmarFieldListDelegate* FieldDelegate;

public slots:
    // OK closes only when every field has a usable name; Cancel always closes.
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillListBoxFields();
    void SetCurrentField(TZelmarField* field);
    void SetCurrentFieldData();
    void FetchCurrentFieldData();
    void SelectCurrentField();
    void EnableControls();
    // The field whose name OK must refuse, and why (a stored message); null when none.
    TZelmarField* FindUnusableName(std::string& message) const;
    void ShowField(TZelmarField* field);

    void LbFieldListClick();
    void EdFieldNameChange();
    void EditChange();
    void LbFieldListClickCheck();
    void SpeedButtonTopClick();
    void SpeedButtonDownClick();
    void SpeedButtonNewClick();
    void SpeedButtonDeleteClick();
    void Move(int by, const char* source);

    TCopyFieldsEvent FCopyFields;
    std::unique_ptr<TZelmarFieldList> FFields;
    TZelmarField* FCurrentField = nullptr;
    bool FUpdating = false;
};
