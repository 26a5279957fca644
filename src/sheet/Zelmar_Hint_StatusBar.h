#pragma once
// The status-bar hint: a small text tip whose bottom edge sits on the top of a sheet's status
// bar, so that it never covers the icon it explains.

#include <QWidget>

class TZelmar_HintWndStatusbar : public QWidget {
    Q_OBJECT
public:
    TZelmar_HintWndStatusbar();
    // x: the cursor's; bottom: the status bar's top edge, both on the screen.
    void ActivateHintData(const QString& text, const QPoint& bottomLeft);
    QString Text() const { return FText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString FText;
};
