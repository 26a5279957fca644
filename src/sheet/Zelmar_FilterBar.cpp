#include "Zelmar_FilterBar.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

#include "Zelmar_ActionSupport.h"

namespace {

// Long enough to type a word, short enough to feel live.
constexpr int kTypingPauseMs = 300;

}  // namespace

TZelmarFilterBar::TZelmarFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FilterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    FLabel = new QLabel(this);
    FFields = new QComboBox(this);
    FFields->setObjectName(QStringLiteral("FilterField"));
    FFields->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    FEdit = new QLineEdit(this);
    FEdit->setObjectName(QStringLiteral("FilterText"));
    FEdit->setClearButtonEnabled(true);
    FEdit->installEventFilter(this);
    FLabel->setBuddy(FEdit);
    FStructure = new QToolButton(this);
    FStructure->setObjectName(QStringLiteral("FilterStructure"));
    FStructure->setCheckable(true);
    FClose = new QToolButton(this);
    FClose->setObjectName(QStringLiteral("FilterClose"));
    FClose->setAutoRaise(true);
    FClose->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    layout->addWidget(FLabel);
    layout->addWidget(FFields);
    layout->addWidget(FEdit, 1);
    layout->addWidget(FStructure);
    layout->addWidget(FClose);

    FPause = new QTimer(this);
    FPause->setSingleShot(true);
    FPause->setInterval(kTypingPauseMs);
    connect(FPause, &QTimer::timeout, this, &TZelmarFilterBar::FilterRequested);
    connect(FEdit, &QLineEdit::textEdited, this, [this] { TextEdited(); });
    // The clear button empties the text without an edit signal of its own.
    connect(FEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty()) TextEdited();
    });
    connect(FEdit, &QLineEdit::returnPressed, this, [this] {
        FPause->stop();
        emit FilterRequested();
    });
    connect(FFields, QOverload<int>::of(&QComboBox::activated), this, [this] {
        if (!FEdit->text().trimmed().isEmpty()) emit FilterRequested();
    });
    connect(FStructure, &QToolButton::clicked, this, [this] {
        FStructure->setChecked(!FStructure->isChecked());  // the sheet says whether it filters
        emit StructureRequested();
    });
    connect(FClose, &QToolButton::clicked, this, &TZelmarFilterBar::CloseRequested);
    Retranslate();
}

void TZelmarFilterBar::Retranslate() {
    FLabel->setText(ShownText("ZelmarWindow##  &Filter:"));
    FEdit->setPlaceholderText(
        ShownText("ZelmarWindow##  Text oder Zahl, z. B. >300 oder 100..200"));
    FStructure->setText(ShownText("ZelmarWindow##  Struktur..."));
    FStructure->setToolTip(ShownText(
        "ZelmarWindow##  Zeigt nur die Datensätze, die eine gezeichnete Teilstruktur enthalten"));
    FClose->setToolTip(ShownText("ZelmarWindow##  Filter aufheben (Esc)"));
    FFields->setToolTip(ShownText("ZelmarWindow##  Das Feld, in dem gesucht wird"));
}

void TZelmarFilterBar::SetFields(const std::vector<std::pair<QString, std::string>>& fields) {
    const QString chosen = QString::fromStdString(FieldName());
    FFields->clear();
    for (const auto& [shown, name] : fields) FFields->addItem(shown, QString::fromStdString(name));
    const int kept = FFields->findData(chosen);
    FFields->setCurrentIndex(kept >= 0 ? kept : 0);
}

std::string TZelmarFilterBar::FieldName() const {
    return FFields->currentData().toString().toStdString();
}

QString TZelmarFilterBar::Text() const {
    return FEdit->text();
}

void TZelmarFilterBar::SetText(const QString& text) {
    // Set by the sheet, not typed: no filter to ask for (an emptied text would end the
    // structure filter the sheet just set).
    const QSignalBlocker quiet(FEdit);
    FEdit->setText(text);
}

void TZelmarFilterBar::Open() {
    Retranslate();
    show();
    FEdit->setFocus(Qt::ShortcutFocusReason);
    FEdit->selectAll();
}

void TZelmarFilterBar::MarkInvalid(const QString& reason) {
    const bool invalid = !reason.isEmpty();
    FEdit->setToolTip(reason);
    FEdit->setStyleSheet(invalid ? QStringLiteral("QLineEdit { background: #fbe3e3; }")
                                 : QString());
}

void TZelmarFilterBar::ShowStructureActive(bool active) {
    FStructure->setChecked(active);
}

void TZelmarFilterBar::TextEdited() {
    MarkInvalid(QString());
    FPause->start();
}

bool TZelmarFilterBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        FPause->stop();
        emit CloseRequested();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
