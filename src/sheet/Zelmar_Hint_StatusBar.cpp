#include "Zelmar_Hint_StatusBar.h"

#include <QPainter>

#include "Zelmar_Hint_Molecule.h"

TZelmar_HintWndStatusbar::TZelmar_HintWndStatusbar()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("StatusBarHint"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont hintFont = font();
    hintFont.setPointSize(10);
    setFont(hintFont);
}

void TZelmar_HintWndStatusbar::ActivateHintData(const QString& text, const QPoint& bottomLeft) {
    FText = text;
    const QRect textRect =
        fontMetrics().boundingRect(QRect(0, 0, 300, 1000), Qt::TextWordWrap, text);
    const QSize size(textRect.width() + 8, textRect.height() + 4);
    setGeometry(KeepOnDesktop(QRect(QPoint(bottomLeft.x(), bottomLeft.y() - size.height()), size)));
    show();
    raise();
    update();
}

void TZelmar_HintWndStatusbar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, FText);
}
