// The identifier columns as a user meets them: InChIKey switched on in a column's menu, the
// cells filled in the background, sorted by a click on the caption, narrowed with Ctrl+F,
// copied, taken over as a data field that is saved and undone; SMILES and InChI switched on
// and off in the molecule display dialog for the current sheet only.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_ColumnMenu.h"
#include "Zelmar_Dialog_EditMolPropertys.h"
#include "Zelmar_FilterBar.h"
#include "Zelmar_IdentifierFiller.h"
#include "Zelmar_Object_Sorter.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_SheetCells.h"
#include "vesk_ChemRoutines.h"

using namespace sheetTest;

class TestSheetIdentifiers : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;
    QString File;

    TZelmar_FormMain& Form() { return Shown->Form; }
    QAction* Action(const char* name) {
        return Form().findChild<QAction*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    }

    // Right-clicks the column's caption; the menu for that column once it shows.
    QMenu* ColumnMenuOf(int column) {
        QWidget* header = Sheet->Grid()->ColumnHeaderWidget();
        const QRect cell = Sheet->Grid()->CellRect(column, 0);
        const QPoint at = header->mapFrom(Sheet->Grid(), cell.center());
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, header->mapToGlobal(at));
        QApplication::sendEvent(header, &click);
        QMenu* menu = Sheet->ColumnMenu()->Menu();
        return QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000) ? menu : nullptr;
    }

    // The action of the column's menu or of its submenus, by object name.
    static QAction* MenuAction(QMenu* menu, const char* name) {
        for (QAction* action : menu->actions()) {
            if (action->objectName() == QLatin1String(name)) return action;
            if (action->menu() != nullptr)
                if (QAction* inner = MenuAction(action->menu(), name)) return inner;
        }
        return nullptr;
    }

    void Choose(int column, const char* name, bool expectChecked = false) {
        QMenu* menu = ColumnMenuOf(column);
        QVERIFY(menu != nullptr);
        QAction* action = MenuAction(menu, name);
        QVERIFY2(action != nullptr && action->isEnabled(), name);
        QCOMPARE(action->isChecked(), expectChecked);
        action->trigger();
        menu->hide();
    }

    void Press(const char* action, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        // The keys go where a user's would: the frame active, the grid with the keyboard.
        Form().activateWindow();
        QTRY_VERIFY(Form().isActiveWindow());
        if (QApplication::focusWidget() == nullptr) Sheet->Grid()->setFocus();
        Form().UpdateActions();
        QTRY_VERIFY2(Action(action)->isEnabled(), action);
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    int Rows() const { return Sheet->Grid()->RowCount() - 2; }  // captions, new-record row

    std::string KeptKey(int row) const {
        TZelmarSDFileData* record = Sheet->Cells()->GetRecordForGridRow(row);
        std::string key;
        return record != nullptr && ZelmarKeptIdentifier(*record, ecsdtInchiKey, key) ? key
                                                                                      : "<none>";
    }
    bool AllKept(TZelmarFieldKind kind) const {
        std::string value;
        for (int i = 0; i < Sheet->List()->GetCount(); ++i)
            if (!ZelmarKeptIdentifier(*Sheet->List()->GetSDFileData(i), kind, value)) return false;
        return true;
    }

    void DisplayDialog(const std::function<void(TZelmarDialogEditMolPropertys*)>& answer) {
        TDialogWatcher watcher;
        watcher.Expect([&](QDialog* dialog) {
            auto* typed = qobject_cast<TZelmarDialogEditMolPropertys*>(dialog);
            if (typed == nullptr) return dialog->reject();
            answer(typed);
        });
        Form().UpdateActions();
        QAction* action = Form().findChild<QAction*>(QStringLiteral("ActEditMolPropertys"));
        QVERIFY(action != nullptr && action->isEnabled());
        action->trigger();
        QVERIFY(watcher.AllAnswered());
        QVERIFY(watcher.Unexpected.isEmpty());
    }

private slots:
    void initTestCase() { UseOwnSettings(); }

    void init() {
        File = WritableCopy(Dir, "pubchem_sample.sdf");
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

    void anInchiKeyColumnIsFilledSortedFilteredCopiedAndTakenOver() {
        // A new sheet looks as before: no identifier column.
        for (const char* name : {kFieldNameSmiles, kFieldNameInchi, kFieldNameInchiKey})
            QCOMPARE(ColumnOf(Sheet, name), -1);
        const int weight = ColumnOf(Sheet, kFieldNameMolweight);
        QVERIFY(weight > 0);
        Choose(weight, "ActColumnInchiKey");
        const int column = ColumnOf(Sheet, kFieldNameInchiKey);
        QCOMPARE(column, weight + 1);
        QCOMPARE(Sheet->Cells()->GetFieldName(column), std::string("InChIKey"));

        // Nothing is made while the column appears: the window goes on at once, the cells
        // wait with their mark; the rows in view first, then the whole sheet, without anyone
        // asking.
        QCOMPARE(KeptKey(1), std::string("<none>"));
        (void)Sheet->Grid()->grab();
        QTRY_COMPARE_WITH_TIMEOUT(KeptKey(1).size(), std::size_t(27), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(AllKept(ecsdtInchiKey), 60000);
        QTRY_VERIFY(!Sheet->IdentifierFiller()->Running());
        TveskMolManager molecules;
        std::string expected;
        QVERIFY(molecules.GetInchiKey(
            std::string(Sheet->Cells()->GetRecordForGridRow(5)->MolString()), expected));
        QCOMPARE(KeptKey(5), expected);

        // Sorted by a click on the caption: nothing made anew, in text order.
        const std::int64_t made = ZelmarIdentifiersMade();
        ClickCell(Sheet->Grid(), column, 0);
        QTRY_COMPARE(Sheet->List()->SortDirection, std::uint8_t(1));
        QCOMPARE(ZelmarIdentifiersMade(), made);
        const int count = Sheet->List()->GetCount();
        for (int row = 2; row <= count; ++row)
            QVERIFY(TZelmarSorter::CompareStringKeys(KeptKey(row - 1), KeptKey(row)) <= 0);

        // Ctrl+F, the InChIKey column, the first letters of one key typed in lower case.
        const std::string key = KeptKey(40);
        int sharing = 0;
        for (int row = 1; row <= count; ++row)
            sharing += KeptKey(row).rfind(key.substr(0, 6), 0) == 0;
        Press("ActSearchFilter", Qt::Key_F, Qt::ControlModifier);
        TZelmarFilterBar* bar = Sheet->FilterBar();
        QVERIFY(bar->isVisible());
        const int index = bar->Fields()->findText(QStringLiteral("InChIKey"));
        QVERIFY(index >= 0);
        bar->Fields()->setCurrentIndex(index);
        QTest::keyClicks(bar->Edit(), QString::fromStdString(key.substr(0, 6)).toLower());
        QTRY_COMPARE(Rows(), sharing);
        for (int row = 1; row <= Rows(); ++row)
            QCOMPARE(KeptKey(row).substr(0, 6), key.substr(0, 6));

        // One cell copied is its key.
        ClickCell(Sheet->Grid(), column, 1);
        Form().UpdateActions();
        QTRY_VERIFY(Action("ActionCopy")->isEnabled());
        QApplication::clipboard()->clear();
        QTest::keyClick(Sheet->Grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().toStdString(), KeptKey(1));
        QTest::keyClick(bar->Edit(), Qt::Key_Escape);
        QTRY_COMPARE(Rows(), count);

        // Taken over: a data field in its place, the computed column gone.
        const int undoSteps = Sheet->List()->Undo().UndoCount();
        Choose(column, "ActColumnTakeOver");
        QCOMPARE(ColumnOf(Sheet, kFieldNameInchiKey), -1);
        QCOMPARE(ColumnOf(Sheet, "InChIKey"), column);
        QCOMPARE(Sheet->List()->GetFieldByName("InChIKey")->Kind, ecsdtDataText);
        for (const int row : {1, 100, count}) QCOMPARE(Value(Sheet, row, "InChIKey"), KeptKey(row));
        QVERIFY(Sheet->IsModified());
        QCOMPARE(Sheet->List()->Undo().UndoCount(), undoSteps + 1);
        QCOMPARE(Sheet->UndoName(), std::string("Felder"));
        const std::string first = Value(Sheet, 1, "InChIKey");

        {
            TDialogWatcher watcher;
            Form().UpdateActions();
            QVERIFY(Action("FileSave")->isEnabled());
            Action("FileSave")->trigger();
            QVERIFY(watcher.Unexpected.isEmpty());
        }
        QTRY_VERIFY(!Sheet->IsModified());

        // Undone: the column is the computed one again, the data field gone.
        Sheet->Grid()->setFocus();
        Press("ActionUndo", Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ColumnOf(Sheet, kFieldNameInchiKey), column);
        QCOMPARE(Sheet->List()->GetFieldByName("InChIKey"), nullptr);
        QVERIFY(Sheet->IsModified());

        // The saved file, opened again, holds the data field and shows no computed column.
        CloseAllSheetsDiscarding(Form());
        QTRY_VERIFY(Form().SheetWindows().isEmpty());
        Sheet = Open(Form(), File);
        QVERIFY(Sheet != nullptr);
        QCOMPARE(ColumnOf(Sheet, kFieldNameInchiKey), -1);
        QVERIFY(ColumnOf(Sheet, "InChIKey") > 0);
        QCOMPARE(Sheet->List()->GetFieldByName("InChIKey")->Kind, ecsdtDataText);
        QCOMPARE(Value(Sheet, 1, "InChIKey"), first);
    }

    void theDisplayDialogSwitchesColumnsOfTheCurrentSheetOnly() {
        TZelmarWindow* first = Sheet;
        TZelmarWindow* second = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(second != nullptr);
        Sheet = second;
        DisplayDialog([](TZelmarDialogEditMolPropertys* dialog) {
            QVERIFY(!dialog->CbSmiles->isChecked() && dialog->CbSmiles->isEnabled());
            dialog->CbSmiles->click();
            dialog->CbInchi->click();
            dialog->ButtonOK->click();
        });
        const int weight = ColumnOf(second, kFieldNameMolweight);
        QCOMPARE(ColumnOf(second, kFieldNameSmiles), weight + 1);
        QCOMPARE(ColumnOf(second, kFieldNameInchi), weight + 2);
        QCOMPARE(ColumnOf(second, kFieldNameInchiKey), -1);
        QCOMPARE(ColumnOf(first, kFieldNameSmiles), -1);
        QTRY_VERIFY_WITH_TIMEOUT(AllKept(ecsdtSmiles) && AllKept(ecsdtInchi), 20000);
        std::string smiles;
        QVERIFY(ZelmarKeptIdentifier(*second->List()->GetSDFileData(0), ecsdtSmiles, smiles));
        QVERIFY(!smiles.empty());

        // Opened again it shows what the sheet shows; SMILES off, cancelled changes nothing.
        DisplayDialog([](TZelmarDialogEditMolPropertys* dialog) {
            QVERIFY(dialog->CbSmiles->isChecked() && dialog->CbInchi->isChecked());
            dialog->CbInchi->click();
            dialog->ButtonCancel->click();
        });
        QVERIFY(ColumnOf(second, kFieldNameInchi) > 0);
        DisplayDialog([](TZelmarDialogEditMolPropertys* dialog) {
            dialog->CbSmiles->click();
            dialog->ButtonOK->click();
        });
        QCOMPARE(ColumnOf(second, kFieldNameSmiles), -1);
        QCOMPARE(ColumnOf(second, kFieldNameInchi), weight + 1);
        // Switching columns is no change to the file.
        QVERIFY(!second->IsModified());
    }
};

QTEST_MAIN(TestSheetIdentifiers)
#include "test_sheet_identifiers.moc"
