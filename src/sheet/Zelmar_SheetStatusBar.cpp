#include "Zelmar_SheetStatusBar.h"

#include <algorithm>

#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStyle>

namespace {
constexpr int kPanelWidths[] = {25, 25, 180, 150, 50};
constexpr int kPanels = 5;
}  // namespace

TZelmarSheetStatusBar::TZelmarSheetStatusBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    setFixedHeight(Height);
    setMouseTracking(true);
    FProgress = new QProgressBar(this);
    FProgress->setObjectName(QStringLiteral("ProgressBar"));
    FProgress->setRange(0, 100);
    FProgress->setTextVisible(true);
    FProgress->hide();
    PlaceProgressBar();
}

void TZelmarSheetStatusBar::SetModified(bool modified) {
    if (FModified == modified) return;
    FModified = modified;
    update(PanelRect(0));
}

void TZelmarSheetStatusBar::SetLoadErrors(bool loadErrors) {
    if (FLoadErrors == loadErrors) return;
    FLoadErrors = loadErrors;
    update(PanelRect(1));
}

void TZelmarSheetStatusBar::SetRecordInfo(const QString& text) {
    const int before = PanelWidth(2);
    FRecordInfo = text;
    if (PanelWidth(2) == before) {
        repaint(PanelRect(2));
        return;
    }
    // The panels to its right move.
    PlaceProgressBar();
    repaint();
}

int TZelmarSheetStatusBar::PanelWidth(int panel) const {
    if (panel < 0 || panel >= kPanels) return 0;
    // The widths suit a small Windows font; a larger one widens the text panels with it, and
    // the record information is never cut.
    const int width = panel < 2
                          ? kPanelWidths[panel]
                          : kPanelWidths[panel] * std::max(6, fontMetrics().averageCharWidth()) / 6;
    if (panel != 2) return width;
    return std::max(width,
                    fontMetrics().horizontalAdvance(QStringLiteral("   ") + FRecordInfo) + 12);
}

void TZelmarSheetStatusBar::SetStatusText(const QString& text) {
    FStatusText = text;
    repaint(PanelRect(4));
}

int TZelmarSheetStatusBar::GetLeftOfStatusPanel(int panel) const {
    int left = 0;
    for (int i = 0; i < panel && i < kPanels; ++i) left += PanelWidth(i);
    return left;
}

QRect TZelmarSheetStatusBar::PanelRect(int panel) const {
    if (panel < 0 || panel >= kPanels) return QRect();
    const int left = GetLeftOfStatusPanel(panel);
    // The last panel takes the rest of the bar.
    const int width = panel == kPanels - 1 ? std::max(PanelWidth(panel), this->width() - left)
                                           : PanelWidth(panel);
    return QRect(left, 0, width, height());
}

int TZelmarSheetStatusBar::PanelAt(const QPoint& pos) const {
    for (int panel = 0; panel < kPanels; ++panel)
        if (PanelRect(panel).contains(pos)) return panel;
    return -1;
}

void TZelmarSheetStatusBar::PlaceProgressBar() {
    FProgress->setGeometry(GetLeftOfStatusPanel(3) + 2, 2, PanelWidth(3) - 2, height() - 2);
}

void TZelmarSheetStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Window));
    for (int panel = 0; panel < kPanels; ++panel) {
        const QRect frame = PanelRect(panel).adjusted(1, 2, -1, -1);
        painter.setPen(pal.color(QPalette::Mid));
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(pal.color(QPalette::Light));
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
    }
    const int icon = 16;
    auto drawIcon = [&](int panel, QStyle::StandardPixmap which, QIcon::Mode mode) {
        const QPixmap pixmap = style()->standardIcon(which, nullptr, this).pixmap(icon, icon, mode);
        const QRect area = PanelRect(panel);
        painter.drawPixmap(area.left() + (area.width() - icon) / 2,
                           area.top() + (area.height() - icon) / 2, pixmap);
    };
    drawIcon(0, QStyle::SP_DialogSaveButton, FModified ? QIcon::Normal : QIcon::Disabled);
    if (FLoadErrors) drawIcon(1, QStyle::SP_MessageBoxWarning, QIcon::Normal);
    painter.setPen(pal.color(QPalette::WindowText));
    const auto drawText = [&](int panel, const QString& text) {
        if (text.isEmpty()) return;
        const QRect area = PanelRect(panel).adjusted(3, 0, -3, 0);
        painter.drawText(
            area, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
            fontMetrics().elidedText(QStringLiteral("   ") + text, Qt::ElideRight, area.width()));
    };
    drawText(2, FRecordInfo);
    drawText(4, FStatusText);
}

void TZelmarSheetStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceProgressBar();
}

void TZelmarSheetStatusBar::mouseMoveEvent(QMouseEvent* event) {
    if (OnPanelHover) OnPanelHover(PanelAt(event->position().toPoint()));
}

void TZelmarSheetStatusBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnPanelClick)
        OnPanelClick(PanelAt(event->position().toPoint()));
}

void TZelmarSheetStatusBar::leaveEvent(QEvent*) {
    if (OnPanelHover) OnPanelHover(-1);
}
