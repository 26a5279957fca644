#include "Zelmar_MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "Zelmar_Translater.h"

namespace {

QString Shown(const char* message) {
    return QString::fromStdString(LoadTranslatedText(message));
}

// Our own button texts, so that the boxes speak the interface language whatever Qt's own
// translation says.
void NameButtons(QMessageBox& box) {
    static const struct {
        QMessageBox::StandardButton Button;
        const char* Text;
    } names[] = {
        {QMessageBox::Ok, "MessageBoxes##  OK"},
        {QMessageBox::Yes, "MessageBoxes##  &Ja"},
        {QMessageBox::No, "MessageBoxes##  &Nein"},
        {QMessageBox::Save, "MessageBoxes##  &Speichern"},
        {QMessageBox::Discard, "MessageBoxes##  Nicht s&peichern"},
        {QMessageBox::Cancel, "MessageBoxes##  Abbrechen"},
    };
    for (const auto& name : names) {
        if (QAbstractButton* button = box.button(name.Button)) button->setText(Shown(name.Text));
    }
}

int ShowBox(QMessageBox::Icon icon, const std::string& message,
            QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton escape = QMessageBox::NoButton) {
    // A busy cursor left by a long operation must not stay over the box.
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();

    QMessageBox box(icon, QApplication::applicationName(),
                    QString::fromStdString(LoadTranslatedText(message)), buttons);
    box.setTextFormat(Qt::PlainText);
    NameButtons(box);
    if (escape != QMessageBox::NoButton) box.setEscapeButton(escape);
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

bool TMessageBoxes::AskOkCancel(const std::string& message) const {
    return ShowBox(QMessageBox::Question, message, QMessageBox::Ok | QMessageBox::Cancel,
                   QMessageBox::Cancel) == QMessageBox::Ok;
}

TSaveAnswer TMessageBoxes::AskSave(const std::string& message) const {
    switch (ShowBox(QMessageBox::Warning, message,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    QMessageBox::Cancel)) {
        case QMessageBox::Save:
            return TSaveAnswer::Save;
        case QMessageBox::Discard:
            return TSaveAnswer::Discard;
        default:
            return TSaveAnswer::Cancel;
    }
}

const TMessageBoxes& MessageBoxes() {
    static const TMessageBoxes instance;
    return instance;
}
