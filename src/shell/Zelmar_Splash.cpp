#include "Zelmar_Splash.h"

#include <QApplication>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QSplashScreen>

#include "Zelmar_Global.h"
#include "Zelmar_Translater.h"
#include "vesk_Folders.h"

namespace {

QPixmap SplashPicture() {
    QPixmap picture(420, 180);
    QPainter painter(&picture);
    QLinearGradient shade(0, 0, 0, picture.height());
    shade.setColorAt(0, QColor(0x1e, 0x3a, 0x5f));
    shade.setColorAt(1, QColor(0x10, 0x22, 0x38));
    painter.fillRect(picture.rect(), shade);
    painter.setRenderHint(QPainter::Antialiasing);
    QApplication::windowIcon().paint(&painter, QRect(28, 50, 80, 80));
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(130, 40, 280, 56), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(LoadTranslatedText("Zelmar_FormMain##  Zelmar")));
    QFont small = painter.font();
    small.setPixelSize(14);
    small.setBold(false);
    painter.setFont(small);
    painter.drawText(QRect(132, 98, 280, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(GetFileVersionString(platform::GetProgramPath())));
    return picture;
}

}  // namespace

TZelmarSplash::TZelmarSplash(QWidget* mainWindow)
    : FScreen(std::make_unique<QSplashScreen>(SplashPicture())), FMainWindow(mainWindow) {
    FScreen->setObjectName(QStringLiteral("Splash"));
    FScreen->show();
    FScreen->repaint();
}

TZelmarSplash::~TZelmarSplash() {
    FScreen->finish(FMainWindow);
}
