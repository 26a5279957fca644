// The go-to-record and load-error dialogs as the main window plugs them into its sheets:
// the command in the menu, the range check at OK, and the load-error icon of a real file
// with a record that fails to load; the field editor's names in the column headers; and the
// language of the file dialogs and message boxes.
#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "Zelmar_Dialog_EditFields.h"
#include "Zelmar_Dialog_GotoRecord.h"
#include "Zelmar_Dialog_ShowLoadErrors.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetStatusBar.h"

using namespace sheetTest;

namespace {

QAction* GotoAction(TZelmar_FormMain& form) {
    return form.findChild<QAction*>(QStringLiteral("ActGotoRecord"));
}

// Answers the go-to dialog with the text and OK, or with Cancel; remembers the count it showed.
void ExpectGoto(TDialogWatcher& watcher, const QString& text, bool ok, int* shownCount = nullptr) {
    watcher.Expect([=](QDialog* shown) {
        auto* dialog = qobject_cast<TZelmar_DialogGotoRecord*>(shown);
        if (dialog == nullptr) return shown->reject();
        if (shownCount != nullptr) *shownCount = dialog->RecordCount();
        dialog->EdRecordNo->setText(text);
        (ok ? dialog->BtnOK : dialog->BtnCancel)->click();
    });
}

// The caption, the "Look in" and file name labels and the Cancel button of the file dialog
// the action opens; the dialog is cancelled.
QStringList FileDialogTexts(QAction* action) {
    QStringList texts;
    TDialogWatcher watcher;
    watcher.Expect([&texts](QDialog* dialog) {
        texts << dialog->windowTitle();
        for (const char* name : {"lookInLabel", "fileNameLabel"})
            if (auto* label = dialog->findChild<QLabel*>(QLatin1String(name)))
                texts << label->text();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel))
                texts << cancel->text();
        dialog->reject();
    });
    action->trigger();
    if (!watcher.AllAnswered() || !watcher.Unexpected.isEmpty()) texts << QStringLiteral("?");
    return texts;
}

// A standard button that the program's own texts do not name.
QString CloseButtonText() {
    QMessageBox box(QMessageBox::Information, QString(), QString(), QMessageBox::Close);
    return box.button(QMessageBox::Close)->text();
}

}  // namespace

class TestSheetDialogs : public QObject {
    Q_OBJECT

private slots:
    void goToRecordScrollsOrSaysTheNumberIsOutOfRange() {
        TShownForm shown;
        QAction* action = GotoAction(shown.Form);
        QVERIFY(action != nullptr);
        bool inMenu = false;
        for (QAction* menu : shown.Form.menuBar()->actions())
            if (menu->menu() != nullptr && menu->menu()->actions().contains(action)) inMenu = true;
        QVERIFY(inMenu);
        shown.Form.UpdateActions();
        QVERIFY(!action->isEnabled());  // no sheet

        TZelmarWindow* sheet = Open(shown.Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(sheet != nullptr);
        const int count = sheet->List()->GetCount();
        shown.Form.UpdateActions();
        QVERIFY(action->isEnabled());

        TDialogWatcher watcher;
        int shownCount = -1;
        ExpectGoto(watcher, QStringLiteral("150"), true, &shownCount);
        action->trigger();
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(shownCount, count);
        QCOMPARE(sheet->Grid()->TopRow(), 150);

        // Near the end.
        ExpectGoto(watcher, QString::number(count - 20), true);
        action->trigger();
        QCOMPARE(sheet->Grid()->TopRow(), count - 20);

        // Cancel leaves the sheet where it is, whatever was typed.
        ExpectGoto(watcher, QStringLiteral("3"), false);
        action->trigger();
        QCOMPARE(sheet->Grid()->TopRow(), count - 20);

        // No record of that number: the dialog names the range and stays open for another
        // number; Cancel then leaves the sheet where it is.
        for (const QString& outside :
             {QStringLiteral("0"), QString::number(count + 1), QStringLiteral("-1")}) {
            bool stayedOpen = false;
            watcher.Expect([&stayedOpen, outside](QDialog* shown) {
                auto* dialog = qobject_cast<TZelmar_DialogGotoRecord*>(shown);
                if (dialog == nullptr) return shown->reject();
                dialog->EdRecordNo->setText(outside);
                dialog->BtnOK->click();
                stayedOpen = dialog->isVisible();
                dialog->BtnCancel->click();
            });
            watcher.ExpectOk();
            action->trigger();
            QVERIFY(watcher.AllAnswered());
            QVERIFY2(stayedOpen, qPrintable(outside));
            QCOMPARE(watcher.Texts.last(),
                     QStringLiteral("Bitte geben Sie eine Zahl zwischen 1 und %1 an.").arg(count));
            QCOMPARE(sheet->Grid()->TopRow(), count - 20);
        }
        QCOMPARE(watcher.Texts.size(), 3);
        QVERIFY(watcher.Unexpected.isEmpty());
    }

    // The field editor as the Edit menu opens it: typed names head their columns, also after
    // saving, and the molecule column is never headed by its internal name.
    void editedFieldNamesHeadTheirColumnsAlsoAfterSaving() {
        QTemporaryDir folder;
        const QString copy = folder.path() + "/fields.sdf";
        QVERIFY(QFile::copy(DataFile("nci_aids_props.sdf"), copy));
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, copy);
        QVERIFY(sheet != nullptr);
        shown.Form.UpdateActions();
        TDialogWatcher watcher;
        watcher.Expect([](QDialog* shownDialog) {
            auto* dialog = qobject_cast<TZelmarDialog_EditFields*>(shownDialog);
            if (dialog == nullptr) return shownDialog->reject();
            QListWidget* list = dialog->LbFieldList;
            for (int row = 0; row < list->count(); ++row) {
                list->setCurrentRow(row);
                if (list->item(row)->text() == QStringLiteral("Molekül")) {
                    dialog->EdFriendlyName->clear();
                } else if (list->item(row)->text() == QStringLiteral("CLOGP")) {
                    dialog->EdFieldName->selectAll();
                    QTest::keyClicks(dialog->EdFieldName, QStringLiteral("LOGP"));
                }
            }
            dialog->SpeedButtonNew->click();
            QTest::keyClicks(dialog->EdFieldName, QStringLiteral("BEMERKUNG"));
            dialog->BtnOk->click();
        });
        shown.Form.findChild<QAction*>(QStringLiteral("ActEditFields"))->trigger();
        QVERIFY(watcher.AllAnswered());
        for (int pass = 0; pass < 2; ++pass) {
            QStringList headers;
            for (int column = 0; column < sheet->Grid()->ColCount(); ++column)
                headers << QString::fromStdString(sheet->Cells()->GetFieldName(column));
            QVERIFY2(headers.contains(QStringLiteral("LOGP")), qPrintable(headers.join('|')));
            QVERIFY(headers.contains(QStringLiteral("BEMERKUNG")));
            QVERIFY(headers.contains(QStringLiteral("Molekül")));
            QVERIFY(!headers.contains(QStringLiteral("CLOGP")));
            QVERIFY(!headers.contains(QStringLiteral("<Neues Feld>")));
            QVERIFY(headers.filter(QStringLiteral("ecsdt")).isEmpty());
            if (pass == 0) QVERIFY(sheet->Save(false));
        }
        QVERIFY(watcher.Unexpected.isEmpty());
    }

    // Qt's own parts of the file dialogs and message boxes speak the interface language too,
    // and every file dialog has a caption of ours.
    void fileDialogsAndMessageBoxesSpeakTheChosenLanguage() {
        TShownForm shown;  // German
        TZelmarWindow* sheet = Open(shown.Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(sheet != nullptr);
        QAction* open = shown.Form.findChild<QAction*>(QStringLiteral("FileOpen"));
        QAction* saveAs = shown.Form.findChild<QAction*>(QStringLiteral("FileSaveAs"));
        QVERIFY(open != nullptr && saveAs != nullptr);
        QCOMPARE(FileDialogTexts(open),
                 (QStringList{"SD-Datei öffnen", "Suchen in:", "Datei&name:", "Abbrechen"}));
        shown.Form.UpdateActions();
        QCOMPARE(FileDialogTexts(saveAs), (QStringList{"SD-Datei speichern unter",
                                                       "Suchen in:", "Datei&name:", "Abbrechen"}));
        QCOMPARE(CloseButtonText(), QStringLiteral("Schließen"));

        shown.Form.SetNewLanguage("FRA");
        QCOMPARE(
            FileDialogTexts(open),
            (QStringList{"Ouvrir un fichier SD", "Voir dans :", "&Nom de fichier :", "Annuler"}));
        QCOMPARE(CloseButtonText(), QStringLiteral("Fermer"));
        shown.Form.SetNewLanguage("ES");  // German texts, Qt's too
        QCOMPARE(CloseButtonText(), QStringLiteral("Schließen"));
        shown.Form.SetNewLanguage("ENU");
        QCOMPARE(FileDialogTexts(open),
                 (QStringList{"Open SD file", "Look in:", "File &name:", "Cancel"}));
        QCOMPARE(CloseButtonText(), QStringLiteral("Close"));
    }

    void theLoadErrorIconListsTheFailedRecordAndAClickScrollsToIt() {
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, DataFile("malformed/missing_m_end.sdf"));
        QVERIFY(sheet != nullptr);
        QVERIFY(sheet->List()->HasLoadErrors());
        const TZelmarRecordRefs* errors = sheet->List()->GetLoadErrors();
        QCOMPARE(errors->GetCount(), 1);
        const int failed = sheet->List()->GetIndexOfSDFileData(errors->GetObject(0)) + 1;
        QCOMPARE(failed, 16);  // the record without "M  END"
        // Small enough that the failed record can become the top row.
        auto* child = qobject_cast<QMdiSubWindow*>(sheet->parentWidget());
        child->showNormal();
        child->resize(640, 260);
        QApplication::processEvents();
        QCOMPARE(sheet->Grid()->TopRow(), 1);

        TDialogWatcher watcher;
        std::vector<TZelmar_DialogLoadErrors::TEntry> listed;
        int topRowBeforeClick = -1;
        int topRowWhileOpen = -1;
        bool openAfterClick = false;
        watcher.Expect([&](QDialog* shownDialog) {
            auto* dialog = qobject_cast<TZelmar_DialogLoadErrors*>(shownDialog);
            if (dialog == nullptr) return shownDialog->reject();
            listed = dialog->Entries();
            topRowBeforeClick = sheet->Grid()->TopRow();
            if (dialog->ListBox->count() > 0) {
                const QRect first = dialog->ListBox->visualItemRect(dialog->ListBox->item(0));
                QTest::mouseClick(dialog->ListBox->viewport(), Qt::LeftButton, {}, first.center());
            }
            topRowWhileOpen = sheet->Grid()->TopRow();
            openAfterClick = dialog->isVisible();
            dialog->BtnOK->click();
        });
        TZelmarSheetStatusBar* bar = sheet->StatusBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PanelRect(1).center());
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
        QCOMPARE(listed.size(), std::size_t(1));
        QCOMPARE(listed[0].RecordNo, failed);
        QCOMPARE(listed[0].Text, errors->GetText(0));
        QVERIFY(!listed[0].Text.empty());
        QCOMPARE(topRowBeforeClick, 1);  // opening the list moves nothing
        QVERIFY(openAfterClick);
        QCOMPARE(topRowWhileOpen, failed);
        QCOMPARE(sheet->Grid()->TopRow(), failed);

        // The other panels open nothing.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->PanelRect(0).center());
        QTest::qWait(100);
        QVERIFY(watcher.Unexpected.isEmpty());
    }
};

QTEST_MAIN(TestSheetDialogs)
#include "test_sheet_dialogs.moc"
