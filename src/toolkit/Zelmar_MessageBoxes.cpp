#include "Zelmar_MessageBoxes.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "Zelmar_Translater.h"

namespace {

int ShowBox(QMessageBox::Icon icon, const std::string& message, QMessageBox::StandardButtons buttons) {
    // A busy cursor left by a long operation must not stay over the box.
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();

    QMessageBox box(icon, QApplication::applicationName(),
                    QString::fromStdString(LoadTranslatedText(message)), buttons);
    box.setTextFormat(Qt::PlainText);
    box.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        box.move(frame.topLeft());
    }
    return box.exec();
}

}  // namespace

void TMessageBoxes::ShowError(const std::string& message) const {
    ShowBox(QMessageBox::Critical, message, QMessageBox::Ok);
}

void TMessageBoxes::ShowWarning(const std::string& message) const {
    ShowBox(QMessageBox::Warning, message, QMessageBox::Ok);
}

void TMessageBoxes::ShowInformation(const std::string& message) const {
    ShowBox(QMessageBox::Information, message, QMessageBox::Ok);
}

bool TMessageBoxes::AskQuestion(const std::string& message) const {
    return ShowBox(QMessageBox::Question, message, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

const TMessageBoxes& MessageBoxes() {
    static const TMessageBoxes instance;
    return instance;
}
