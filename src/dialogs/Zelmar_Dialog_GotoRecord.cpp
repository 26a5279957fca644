#include "Zelmar_Dialog_GotoRecord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>
#include <string>

#include "Zelmar_MessageBoxes.h"
#include "Zelmar_TextFormat.h"
#include "Zelmar_Translater.h"
#include "vesk_Guard.h"

namespace {

QString Shown(const char* stored) {
    return QString::fromStdString(LoadTranslatedText(stored));
}

// Typed characters that may reach the number field: digits, backspace and tab. Keys that
// type nothing printable (Enter, Esc, arrows, Ctrl+V) keep their usual meaning, so a pasted
// text is checked at OK instead.
bool DropsTypedText(const QKeyEvent* key) {
    const QString text = key->text();
    if (text.isEmpty()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) continue;
        if (c == QChar(8) || c == QChar(9)) continue;
        if (c.unicode() < 32 || c.unicode() == 127) continue;
        return true;
    }
    return false;
}

}  // namespace

TZelmar_DialogGotoRecord::TZelmar_DialogGotoRecord(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("Zelmar_DialogGotoRecord"));
    setWindowTitle(Shown("Zelmar_DialogGotoRecord##  Gehe zu Datensatz"));
    EdRecordNo = new QLineEdit(this);
    EdRecordNo->setObjectName(QStringLiteral("EdRecordNo"));
    EdRecordNo->installEventFilter(this);
    LabelRecordNo = new QLabel(Shown("Zelmar_DialogGotoRecord##  Datensatznummer:"), this);
    LabelRecordNo->setObjectName(QStringLiteral("LabelRecordNo"));
    LabelRecordNo->setBuddy(EdRecordNo);
    LabelRecordCountCaption =
        new QLabel(Shown("Zelmar_DialogGotoRecord##  Anzahl der Datensätze:"), this);
    LabelRecordCountCaption->setObjectName(QStringLiteral("LabelRecordCountCaption"));
    LabelRecordCount = new QLabel(QStringLiteral("0"), this);
    LabelRecordCount->setObjectName(QStringLiteral("LabelRecordCount"));
    BtnOK = new QPushButton(Shown("Zelmar_DialogGotoRecord##  OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);
    BtnCancel = new QPushButton(Shown("Zelmar_DialogGotoRecord##  Abbrechen"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    connect(BtnOK, &QPushButton::clicked, this, &TZelmar_DialogGotoRecord::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &TZelmar_DialogGotoRecord::reject);
    connect(EdRecordNo, &QLineEdit::textChanged, this, [this] { UpdateOK(); });

    auto* fields = new QGridLayout;
    fields->addWidget(LabelRecordNo, 0, 0);
    fields->addWidget(EdRecordNo, 0, 1);
    // The count follows its caption at 4 pixels, whatever the caption's length in a language.
    auto* count = new QHBoxLayout;
    count->setSpacing(4);
    count->addWidget(LabelRecordCountCaption);
    count->addWidget(LabelRecordCount);
    count->addStretch(1);
    fields->addLayout(count, 1, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    UpdateOK();
}

void TZelmar_DialogGotoRecord::SetRecordCount(int count) {
    FRecordCount = count;
    LabelRecordCount->setText(QString::number(count));
}

bool TZelmar_DialogGotoRecord::ParseRecordNo(const QString& text, int& number) {
    const QByteArray bytes = text.toLatin1();
    if (text.isEmpty() || bytes.size() != text.size()) return false;
    int pos = 0;
    const bool negative = bytes[0] == '-';
    if (bytes[0] == '-' || bytes[0] == '+') ++pos;
    if (pos == bytes.size()) return false;
    long long value = 0;
    for (; pos < bytes.size(); ++pos) {
        const char c = bytes[pos];
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        // One past the largest int is still the smallest int when negative.
        if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int>::max()) return false;
    number = static_cast<int>(value);
    return true;
}

int TZelmar_DialogGotoRecord::GetRecordNo() const {
    return Guarded("TZelmar_DialogGotoRecord.GetRecordNo", -1, [&] {
        int number = -1;
        if (ParseRecordNo(EdRecordNo->text(), number)) return number;
        TraceMessage("TZelmar_DialogGotoRecord.GetRecordNo", tlError, "'%s' is not an integer",
                     EdRecordNo->text().toStdString().c_str());
        return -1;
    });
}

void TZelmar_DialogGotoRecord::accept() {
    GuardedVoid("TZelmar_DialogGotoRecord.FormCloseQuery", [&] {
        int number = 0;
        if (!ParseRecordNo(EdRecordNo->text(), number)) {
            MessageBoxes().ShowError(FillPlaceholders(
                LoadTranslatedText("Zelmar_DialogGotoRecord##  Der eingegebene Wert '%s' ist keine "
                                   "gültige Zahl. Bitte geben Sie eine ganzzahlige "
                                   "Position an"),
                {EdRecordNo->text().toStdString()}));
            EdRecordNo->setFocus();
            return;
        }
        // A number the sheet has no record for would silently go to the first record.
        if (FRecordCount > 0 && (number < 1 || number > FRecordCount)) {
            MessageBoxes().ShowError(FillPlaceholders(
                LoadTranslatedText("Zelmar_DialogGotoRecord##  Bitte geben Sie eine Zahl "
                                   "zwischen 1 und %d an."),
                {std::to_string(FRecordCount)}));
            EdRecordNo->setFocus();
            EdRecordNo->selectAll();
            return;
        }
        QDialog::accept();
    });
}

void TZelmar_DialogGotoRecord::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    EdRecordNo->setFocus();
    UpdateOK();
}

bool TZelmar_DialogGotoRecord::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EdRecordNo && event->type() == QEvent::KeyPress &&
        DropsTypedText(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TZelmar_DialogGotoRecord::UpdateOK() {
    BtnOK->setEnabled(!EdRecordNo->text().isEmpty());
}
