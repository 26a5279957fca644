#include "Zelmar_HelpHeader.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

TZelmarHelpHeader::TZelmarHelpHeader(QWidget* parent)
    : QWidget(parent),
      FPicture(new QLabel(this)),
      FTitle(new QLabel(this)),
      FInfo(new QLabel(this)) {
    setObjectName(QStringLiteral("HelpHeader"));
    FTitle->setObjectName(QStringLiteral("HelpHeaderTitle"));
    FInfo->setObjectName(QStringLiteral("HelpHeaderInfo"));
    QFont bold = FTitle->font();
    bold.setBold(true);
    FTitle->setFont(bold);
    FInfo->setWordWrap(true);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    FPicture->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(size, size));
    FPicture->setAlignment(Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(FTitle);
    auto* indented = new QHBoxLayout;
    indented->setContentsMargins(12, 0, 0, 0);
    indented->addWidget(FInfo, 1);
    texts->addLayout(indented);
    // A band taller than its texts keeps them at the top.
    texts->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->addLayout(texts, 1);
    layout->addWidget(FPicture);
    // Texts stay dark on the white band whatever the palette.
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    FTitle->setPalette(palette);
    FInfo->setPalette(palette);
}

void TZelmarHelpHeader::SetTitle(const QString& title) {
    FTitle->setText(title);
}

void TZelmarHelpHeader::SetInfoText(const QString& text) {
    FInfo->setText(text);
}

QString TZelmarHelpHeader::Title() const {
    return FTitle->text();
}

QString TZelmarHelpHeader::InfoText() const {
    return FInfo->text();
}

void TZelmarHelpHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
}
