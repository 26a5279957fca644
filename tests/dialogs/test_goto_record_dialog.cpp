// The go-to-record dialog on its own: what may be typed, when OK may be pressed, which
// numbers it takes, and what OK and Cancel give back.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_Dialog_GotoRecord.h"

class TestGotoRecordDialog : public QObject {
    Q_OBJECT

private slots:
    void typingKeepsOnlyDigitsAndOkWaitsForText() {
        TZelmar_DialogGotoRecord dialog;
        dialog.SetRecordCount(10);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTRY_VERIFY(dialog.EdRecordNo->hasFocus());
        QVERIFY(!dialog.BtnOK->isEnabled());
        QTest::keyClicks(dialog.EdRecordNo, QStringLiteral("a1-b2 x,3+"));
        QCOMPARE(dialog.EdRecordNo->text(), QStringLiteral("123"));
        QVERIFY(dialog.BtnOK->isEnabled());
        QTest::keyClick(dialog.EdRecordNo, Qt::Key_Backspace);
        QCOMPARE(dialog.EdRecordNo->text(), QStringLiteral("12"));
        dialog.EdRecordNo->clear();
        QVERIFY(!dialog.BtnOK->isEnabled());
        // Enter does not close the dialog through a disabled OK.
        QTest::keyClick(dialog.EdRecordNo, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void showsTheRecordCountBesideItsCaption() {
        TZelmar_DialogGotoRecord dialog;
        dialog.SetRecordCount(4711);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.LabelRecordCount->text(), QStringLiteral("4711"));
        QCOMPARE(dialog.LabelRecordCountCaption->text(), QStringLiteral("Anzahl der Datensätze:"));
        const QRect caption = dialog.LabelRecordCountCaption->geometry();
        QCOMPARE(dialog.LabelRecordCount->x(), caption.x() + caption.width() + 4);
        QCOMPARE(dialog.LabelRecordCount->y(), caption.y());
    }

    void okGivesTheNumberEntered() {
        for (const char* typed : {"1", "10"}) {
            TZelmar_DialogGotoRecord dialog;
            dialog.SetRecordCount(10);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTest::keyClicks(dialog.EdRecordNo, QLatin1String(typed));
            QTest::keyClick(dialog.EdRecordNo, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.GetRecordNo(), QByteArray(typed).toInt());
        }
    }

    // Without this, 0 went to the first record and the sheet refused larger numbers only
    // after the dialog had closed.
    void aNumberWithoutARecordIsRefusedWithTheRange() {
        for (const char* language : {"de", "en"}) {
            TTestLanguage dictionary(language);
            TDialogWatcher watcher;
            TZelmar_DialogGotoRecord dialog;
            dialog.SetRecordCount(10);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            for (const char* typed : {"0", "11", "00", "4294967"}) {
                watcher.ExpectOk();
                QTest::keyClicks(dialog.EdRecordNo, QLatin1String(typed));
                QTest::keyClick(dialog.EdRecordNo, Qt::Key_Return);
                QVERIFY(watcher.AllAnswered());
                QVERIFY2(dialog.isVisible(), typed);
                // The wrong number is selected: typing replaces it.
                QCOMPARE(dialog.EdRecordNo->selectedText(), QLatin1String(typed));
            }
            dialog.EdRecordNo->setText(QStringLiteral("-1"));  // as pasting puts it there
            watcher.ExpectOk();
            dialog.BtnOK->click();
            QVERIFY(dialog.isVisible());
            const QString range =
                QByteArray(language) == "en"
                    ? QStringLiteral("Please enter a number between 1 and 10.")
                    : QStringLiteral("Bitte geben Sie eine Zahl zwischen 1 und 10 an.");
            QCOMPARE(watcher.Texts, QStringList(5, range));
            QTest::keyClicks(dialog.EdRecordNo, QStringLiteral("7"));
            QTest::keyClick(dialog.EdRecordNo, Qt::Key_Return);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.GetRecordNo(), 7);
            QVERIFY(watcher.Unexpected.isEmpty());
        }
    }

    void aPastedTextThatIsNoNumberIsRefusedAtOk() {
        TDialogWatcher watcher;
        watcher.ExpectOk();
        TZelmar_DialogGotoRecord dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.EdRecordNo->setText(QStringLiteral("12a"));  // as pasting puts it there
        QVERIFY(dialog.BtnOK->isEnabled());
        dialog.BtnOK->click();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QCOMPARE(watcher.Texts, QStringList{QStringLiteral(
                                    "Der eingegebene Wert '12a' ist keine gültige Zahl. Bitte "
                                    "geben Sie eine ganzzahlige Position an")});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.GetRecordNo(), -1);
        // Mended, it closes.
        dialog.EdRecordNo->setText(QStringLiteral("12"));
        dialog.BtnOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetRecordNo(), 12);
    }

    void cancelClosesWithoutAsking() {
        TDialogWatcher watcher;
        watcher.Expect([](QDialog* shown) {
            auto* dialog = qobject_cast<TZelmar_DialogGotoRecord*>(shown);
            if (dialog == nullptr) return shown->reject();
            dialog->EdRecordNo->setText(QStringLiteral("nonsense"));
            dialog->BtnCancel->click();
        });
        TZelmar_DialogGotoRecord dialog;
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(watcher.Texts.isEmpty());
    }

    void numbersAreWholeSigned32BitDecimals_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("number");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading zeros") << "0007" << true << 7;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("one past largest") << "2147483648" << false << 0;
        QTest::newRow("far too large") << "99999999999999999999" << false << 0;
        QTest::newRow("negative") << "-5" << true << -5;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
        QTest::newRow("one below smallest") << "-2147483649" << false << 0;
        QTest::newRow("plus sign") << "+3" << true << 3;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blank before") << " 3" << false << 0;
        QTest::newRow("blank after") << "3 " << false << 0;
        QTest::newRow("letter") << "1a" << false << 0;
        QTest::newRow("hex") << "0x10" << false << 0;
        QTest::newRow("other digits") << QString::fromUtf8("\u0661\u0662") << false << 0;
    }
    void numbersAreWholeSigned32BitDecimals() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, number);
        int parsed = 0;
        QCOMPARE(TZelmar_DialogGotoRecord::ParseRecordNo(text, parsed), valid);
        if (valid) QCOMPARE(parsed, number);
        TZelmar_DialogGotoRecord dialog;
        dialog.EdRecordNo->setText(text);
        QCOMPARE(dialog.GetRecordNo(), valid ? number : -1);
    }
};

QTEST_MAIN(TestGotoRecordDialog)
#include "test_goto_record_dialog.moc"
