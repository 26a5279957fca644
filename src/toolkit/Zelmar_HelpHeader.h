#pragma once
// The header band at the top of a dialog: an information picture, a bold title and a line
// or two telling what the dialog is for.

#include <QWidget>

class QLabel;

class TZelmarHelpHeader : public QWidget {
    Q_OBJECT
public:
    explicit TZelmarHelpHeader(QWidget* parent = nullptr);

    void SetTitle(const QString& title);
    void SetInfoText(const QString& text);
    QString Title() const;
    QString InfoText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* FPicture;
    QLabel* FTitle;
    QLabel* FInfo;
};
