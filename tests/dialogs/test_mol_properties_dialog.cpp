// The hydrogen display dialog: the mode it is given comes back unchanged through OK, a mode
// it does not know selects nothing and gives 0, and a click chooses another mode.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_Dialog_EditMolPropertys.h"
#include "Zelmar_HelpHeader.h"

class TestMolPropertiesDialog : public QObject {
    Q_OBJECT

private slots:
    void everyModeComesBackThroughOk() {
        for (int mode = 0; mode <= 4; ++mode) {
            TZelmarDialogEditMolPropertys dialog;
            dialog.SetHydrogens(mode);
            TDialogWatcher watcher;
            watcher.Expect([](QDialog* shown) {
                auto* dialog = qobject_cast<TZelmarDialogEditMolPropertys*>(shown);
                if (dialog == nullptr) return shown->reject();
                QTest::keyClick(dialog, Qt::Key_Return);  // OK has the focus
            });
            QCOMPARE(dialog.exec(), int(QDialog::Accepted));
            QVERIFY(watcher.AllAnswered());
            QCOMPARE(dialog.GetHydrogens(), mode);
        }
    }

    void theHeteroAndTerminalModeIsTheFourthButton() {
        TZelmarDialogEditMolPropertys dialog;
        dialog.SetHydrogens(3);
        QVERIFY(dialog.RbHeteroTerminal->isChecked());
        QCOMPARE(dialog.RbHeteroTerminal->text(),
                 QStringLiteral("Anzeige an Hetero- und Terminalatomen"));
    }

    void anUnknownModeSelectsNoneAndGivesZero() {
        TZelmarDialogEditMolPropertys dialog;
        dialog.SetHydrogens(2);
        dialog.SetHydrogens(7);
        for (QRadioButton* button : dialog.findChildren<QRadioButton*>())
            QVERIFY2(!button->isChecked(), qPrintable(button->objectName()));
        QCOMPARE(dialog.GetHydrogens(), 0);
        dialog.SetHydrogens(-1);
        QCOMPARE(dialog.GetHydrogens(), 0);
    }

    void aClickChoosesAnotherModeAndCancelSaysSo() {
        TZelmarDialogEditMolPropertys dialog;
        dialog.SetHydrogens(3);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.RbAll, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, dialog.RbAll->height() / 2));
        QCOMPARE(dialog.GetHydrogens(), 4);
        QVERIFY(!dialog.RbHeteroTerminal->isChecked());
        dialog.ButtonCancel->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void englishTexts() {
        TTestLanguage english("en");
        TZelmarDialogEditMolPropertys dialog;
        dialog.SetHydrogens(3);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Setup molecule display"));
        QCOMPARE(dialog.HelpHeader->Title(), QStringLiteral("Change molecule display properties"));
        QCOMPARE(dialog.RbOff->text(), QStringLiteral("Hide"));
        QCOMPARE(dialog.ButtonCancel->text(), QStringLiteral("Cancel"));
        Shot(&dialog, QStringLiteral("mol_properties_en"));
    }

    void germanTexts() {
        TTestLanguage german("de");
        TZelmarDialogEditMolPropertys dialog;
        dialog.SetHydrogens(1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Strukturanzeige einstellen"));
        QCOMPARE(dialog.LabelHydrogens->text(), QStringLiteral("Anzeige von Wasserstoffatomen:"));
        Shot(&dialog, QStringLiteral("mol_properties_de"));
    }
};

QTEST_MAIN(TestMolPropertiesDialog)
#include "test_mol_properties_dialog.moc"
