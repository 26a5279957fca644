// Undo and redo as a user reaches them: Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z after typing, ticking
// and deleting, the Edit menu naming the step, and the modified mark following the last save.
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "Zelmar_SheetActions.h"

using namespace sheetTest;

class TestSheetUndo : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;
    QString File;

    TZelmar_FormMain& Form() { return Shown->Form; }
    QAction* Action(const char* name) { return Form().findChild<QAction*>(name); }
    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Sheet->Grid()->OpenEditor()); }

    // A shortcut pressed where the keyboard is, once the idle update has enabled its action.
    void Press(const char* action, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        Form().UpdateActions();
        QVERIFY2(Action(action)->isEnabled(), action);
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }
    void Undo() { Press("ActionUndo", Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Press("ActionRedo", Qt::Key_Y, Qt::ControlModifier); }

    void TypeInto(int row, const char* field, const char* text) {
        QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, field), row));
        // The first key opens the editor, which takes the rest.
        QTest::keyClicks(Sheet->Grid(), QString::fromUtf8(text).left(1));
        QVERIFY(Editor() != nullptr);
        QTest::keyClicks(Editor(), QString::fromUtf8(text).mid(1));
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
    }

    QString UndoCaption() {
        Form().UpdateActions();
        return Action("ActionUndo")->text();
    }
    QString RedoCaption() {
        Form().UpdateActions();
        return Action("ActionRedo")->text();
    }

    std::vector<std::string> Column(const char* field) {
        std::vector<std::string> values;
        for (int row = 1; row <= Sheet->List()->GetCount(); ++row)
            values.push_back(Value(Sheet, row, field));
        return values;
    }

private slots:
    void init() {
        File = WritableCopy(Dir, "nci_aids_props.sdf");
        QVERIFY(!File.isEmpty());
        Shown = new TShownForm;
        Sheet = Open(Form(), File);
        QVERIFY(Sheet != nullptr);
        Sheet->Grid()->setFocus();
    }

    void cleanup() {
        CloseAllSheetsDiscarding(Form());
        delete Shown;
        Shown = nullptr;
        Sheet = nullptr;
    }

    void typedTextIsUndoneAndRedoneByTheKeysTheMenuNames() {
        const std::string before = Value(Sheet, 3, "CLOGP");
        QCOMPARE(UndoCaption(), QString("Rückgängig"));
        QVERIFY(!Action("ActionUndo")->isEnabled());
        TypeInto(3, "CLOGP", "7.25");
        QCOMPARE(Value(Sheet, 3, "CLOGP"), std::string("7.25"));
        QCOMPARE(UndoCaption(), QString("Rückgängig: Zelle CLOGP"));

        Undo();
        QCOMPARE(Value(Sheet, 3, "CLOGP"), before);
        QVERIFY(!Sheet->IsModified());  // back as loaded
        QCOMPARE(RedoCaption(), QString("Wiederherstellen: Zelle CLOGP"));
        Redo();
        QCOMPARE(Value(Sheet, 3, "CLOGP"), std::string("7.25"));
        QVERIFY(Sheet->IsModified());
        Undo();
        Press("ActionRedo", Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Value(Sheet, 3, "CLOGP"), std::string("7.25"));
    }

    void ticksAndDeletedRecordsComeBack() {
        const int checkbox = ColumnOf(Sheet, kFieldNameCheckbox);
        ClickCell(Sheet->Grid(), checkbox, 3);
        QVERIFY(!Sheet->List()->GetSDFileData(2)->Selected);
        QCOMPARE(UndoCaption(), QString("Rückgängig: Häkchen"));
        Undo();
        QVERIFY(Sheet->List()->GetSDFileData(2)->Selected);

        const int count = Sheet->List()->GetCount();
        const std::vector<std::string> values = Column("CLOGP");
        ClickCell(Sheet->Grid(), checkbox, 2);
        ClickCell(Sheet->Grid(), checkbox, 5);
        Sheet->Actions()->UpdateActions();
        Sheet->Actions()->ActDeleteUnSelected->trigger();
        QCOMPARE(Sheet->List()->GetCount(), count - 2);
        QCOMPARE(UndoCaption(), QString("Rückgängig: Deselektierte Datensätze löschen"));
        Undo();
        QCOMPARE(Sheet->List()->GetCount(), count);
        QCOMPARE(Column("CLOGP"), values);
        QCOMPARE(Sheet->Grid()->RowCount(), count + 2);  // captions and the new-record row
        QVERIFY(!Sheet->List()->GetSDFileData(1)->Selected);
        Undo();
        Undo();
        QVERIFY(Sheet->List()->GetSDFileData(1)->Selected);
        QVERIFY(!Sheet->IsModified());
    }

    void theModifiedMarkFollowsTheLastSave() {
        TypeInto(3, "CLOGP", "1");
        TDialogWatcher watcher;
        Form().UpdateActions();
        Action("FileSave")->trigger();
        QVERIFY(watcher.Unexpected.isEmpty());
        QVERIFY(!Sheet->IsModified());

        // Saving kept the step: undoing it is a change to the saved file.
        Undo();
        QVERIFY(Sheet->IsModified());
        QVERIFY(Value(Sheet, 3, "CLOGP") != "1");
        Redo();
        QVERIFY(!Sheet->IsModified());

        TypeInto(4, "CLOGP", "2");
        QVERIFY(Sheet->IsModified());
        Undo();
        QVERIFY(!Sheet->IsModified());
        QCOMPARE(Value(Sheet, 3, "CLOGP"), std::string("1"));
    }

    void theStepsAreNamedInEnglishAndFrench() {
        const char* const languages[][3] = {
            {"/LNG=EN", "Undo: Cell CLOGP", "Redo: Cell CLOGP"},
            {"/LNG=FR", "Annuler : Cellule CLOGP", "Rétablir : Cellule CLOGP"}};
        for (const auto& language : languages) {
            cleanup();
            TZelmar_FormMain form{TCommandLine{language[0]}};
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            Sheet = Open(form, File);
            QVERIFY(Sheet != nullptr);
            QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "CLOGP"), 2));
            Sheet->Grid()->setFocus();
            QTest::keyClicks(Sheet->Grid(), "3");
            QVERIFY(Editor() != nullptr);
            QTest::keyClick(Editor(), Qt::Key_Return);
            QTRY_VERIFY(Editor() == nullptr);
            auto* undo = form.findChild<QAction*>("ActionUndo");
            auto* redo = form.findChild<QAction*>("ActionRedo");
            form.UpdateActions();
            QCOMPARE(undo->text(), QString::fromUtf8(language[1]));
            undo->trigger();
            form.UpdateActions();
            QCOMPARE(redo->text(), QString::fromUtf8(language[2]));
            QVERIFY(!Sheet->IsModified());
            form.MdiArea()->closeAllSubWindows();
            Sheet = nullptr;
            Shown = new TShownForm;  // for the next round and cleanup
        }
    }
};

QTEST_MAIN(TestSheetUndo)
#include "test_sheet_undo.moc"
