#pragma once
// Asks for the number of the record to show at the top of a sheet. Record numbers count
// from 1; with a record count set, OK takes only 1..count.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TZelmar_DialogGotoRecord : public QDialog {
    Q_OBJECT
public:
    explicit TZelmar_DialogGotoRecord(QWidget* owner = nullptr);

    // Shown beside its caption; set before showing.
    void SetRecordCount(int count);
    int RecordCount() const { return FRecordCount; }
    // The entered number, or -1 when the text is no integer.
    int GetRecordNo() const;

    // A whole text as a signed 32-bit decimal number; false for anything else.
    static bool ParseRecordNo(const QString& text, int& number);

    QLineEdit* EdRecordNo;
    QLabel* LabelRecordNo;
    QLabel* LabelRecordCountCaption;
    QLabel* LabelRecordCount;
    QPushButton* BtnOK;
    QPushButton* BtnCancel;

public slots:
    // OK closes only with a number of a record; otherwise it says why and the dialog stays
    // open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateOK();

    int FRecordCount = 0;
};
