#pragma once
// Answers the modal dialogs a test expects, in order, and fails the test instead of hanging
// when one appears that it does not expect (that one is closed with No or Cancel).

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

class TDialogWatcher : public QObject {
public:
    using TAnswer = std::function<void(QDialog* dialog)>;

    TDialogWatcher() {
        connect(&FTimer, &QTimer::timeout, this, [this] { Look(); });
        FTimer.start(20);
    }

    void Expect(TAnswer answer) { FAnswers.push_back(std::move(answer)); }
    void ExpectButton(QMessageBox::StandardButton button) {
        Expect([button](QDialog* dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                if (QAbstractButton* b = box->button(button)) {
                    b->click();
                    return;
                }
            }
            dialog->reject();
        });
    }
    void ExpectYes() { ExpectButton(QMessageBox::Yes); }
    void ExpectNo() { ExpectButton(QMessageBox::No); }
    void ExpectOk() { ExpectButton(QMessageBox::Ok); }
    // The save question of a closing sheet: Save, Don't save.
    void ExpectSave() { ExpectButton(QMessageBox::Save); }
    void ExpectDiscard() { ExpectButton(QMessageBox::Discard); }
    // Esc pressed in the box, as a user does.
    void ExpectEscape() {
        Expect([](QDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
    }
    // A file dialog answered with the path.
    void ExpectFile(const QString& path) {
        Expect([path](QDialog* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                files->selectFile(path);
                // A visible dialog whose name field has the focus keeps its typed text, as
                // it should for a user: type the name as a user would.
                if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(path);
                QMetaObject::invokeMethod(files, "accept");
                return;
            }
            dialog->reject();
        });
    }
    void ExpectCancel() {
        Expect([](QDialog* dialog) { dialog->reject(); });
    }

    bool AllAnswered() const { return FAnswers.empty(); }
    QStringList Texts;       // the text of every message box seen
    QStringList Titles;      // and its caption
    QStringList Unexpected;  // dialogs nobody expected

private:
    void Look() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || FHandled.contains(dialog)) return;
        FHandled << dialog;
        QString text = dialog->metaObject()->className();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            Texts << box->text();
            Titles << box->windowTitle();
            text = box->text();
        }
        if (FAnswers.empty()) {
            Unexpected << text;
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (box != nullptr && box->button(QMessageBox::No) != nullptr) {
                box->button(QMessageBox::No)->click();
            } else {
                dialog->reject();
            }
            return;
        }
        TAnswer answer = std::move(FAnswers.front());
        FAnswers.pop_front();
        // Answer from the event loop, not from inside this timer's callback.
        QTimer::singleShot(0, dialog, [answer, dialog] { answer(dialog); });
    }

    QTimer FTimer;
    std::deque<TAnswer> FAnswers;
    QList<QPointer<QDialog>> FHandled;
};
