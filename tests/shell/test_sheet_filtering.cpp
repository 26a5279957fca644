// The filter bar as a user meets it: Ctrl+F, typing a text or a comparison, the rows and the
// status bar following, Esc bringing every row back; editing, sorting and saving a narrowed
// sheet. (A drawn structure as the filter needs the editor page: the editor dialogs' tests.)
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarDialogTestSupport.h"
#include "ZelmarDialogWatcher.h"
#include "Zelmar_FilterBar.h"
#include "Zelmar_Numbers.h"
#include "Zelmar_SheetCells.h"
#include "Zelmar_SheetStatusBar.h"

using namespace sheetTest;

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestSheetFiltering : public QObject {
    Q_OBJECT

private:
    QTemporaryDir Dir;
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;
    QString File;

    TZelmar_FormMain& Form() { return Shown->Form; }
    QAction* Action(const char* name) { return Form().findChild<QAction*>(name); }
    TZelmarFilterBar* Bar() const { return Sheet->FilterBar(); }
    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Sheet->Grid()->OpenEditor()); }

    void FrameActiveAgain() {
        Form().activateWindow();
        QTRY_VERIFY(Form().isActiveWindow());
    }

    // A shortcut pressed where the keyboard is, once the idle update has enabled its action.
    void Press(const char* action, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTRY_VERIFY2(Action(action)->isEnabled(), action);
        QWidget* target = QApplication::focusWidget();
        QVERIFY(target != nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    // Ctrl+F, the field chosen in the bar's list, the text typed; the rows follow after the
    // pause in typing.
    void Filter(const QString& shownField, const QString& text) {
        Press("ActSearchFilter", Qt::Key_F, Qt::ControlModifier);
        QVERIFY(Bar()->isVisible());
        QCOMPARE(QApplication::focusWidget(), Bar()->Edit());
        const int index = Bar()->Fields()->findText(shownField);
        QVERIFY2(index >= 0, qPrintable(shownField));
        Bar()->Fields()->setCurrentIndex(index);
        QTest::keyClicks(Bar()->Edit(), text);
    }

    // The value of the record a grid row shows.
    std::string ShownValue(int row, const std::string& fieldName) {
        TZelmarSDFileData* record = Sheet->Cells()->GetRecordForGridRow(row);
        TZelmarField* field = Sheet->List()->GetFieldByName(fieldName);
        TZelmarDataCarrier data;
        if (record == nullptr || field == nullptr || !record->GetDataForField(field, &data))
            return {};
        return data.Text();
    }
    int Rows() const { return Sheet->Grid()->RowCount() - 2; }  // captions, new-record row

    int CountOfRecords(const std::function<bool(const std::string&)>& keep, const char* field) {
        int count = 0;
        for (int row = 1; row <= Sheet->List()->GetCount(); ++row)
            count += keep(Value(Sheet, row, field)) ? 1 : 0;
        return count;
    }
    static double Number(const std::string& text) {
        double value = 0.0;
        return ParseFloat(text, value) ? value : -1e300;
    }

private slots:
    void initTestCase() { UseOwnSettings(); }

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

    void aComparisonNarrowsTheSheetAndEscBringsEveryRowBack() {
        const int above =
            CountOfRecords([](const std::string& v) { return Number(v) > 3; }, "CLOGP");
        QVERIFY(above > 0 && above < 200);
        Filter("CLOGP", ">3");
        QTRY_COMPARE(Rows(), above);
        for (int row = 1; row <= Rows(); ++row) QVERIFY(Number(ShownValue(row, "CLOGP")) > 3);
        QCOMPARE(Sheet->StatusBar()->RecordInfo(), QString("%1 von 200 Einträgen").arg(above));
        Shot(Sheet, "filter-bar");

        // Typing on narrows anew; the decimal separator of the interface is a comma.
        QTest::keyClick(Bar()->Edit(), Qt::Key_Backspace);
        QTest::keyClicks(Bar()->Edit(), "3,5");
        const int aboveHalf =
            CountOfRecords([](const std::string& v) { return Number(v) > 3.5; }, "CLOGP");
        QTRY_COMPARE(Rows(), aboveHalf);

        QTest::keyClick(Bar()->Edit(), Qt::Key_Escape);
        QVERIFY(!Bar()->isVisible());
        QCOMPARE(Rows(), 200);
        QCOMPARE(Sheet->StatusBar()->RecordInfo(), QString("200 Einträge"));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Sheet->Grid()));
    }

    void aTextInAllFieldsAndAWrongNumberForTheWeight() {
        // Only the SMILES hold a carbonyl written so; case is ignored.
        const int carbonyls = CountOfRecords(
            [](const std::string& v) { return QString::fromStdString(v).contains("(=O)"); },
            "SMILES");
        QVERIFY(carbonyls > 0 && carbonyls < 200);
        Filter("Alle Felder", "(=o)");
        QTRY_COMPARE(Rows(), carbonyls);
        for (int row = 1; row <= Rows(); ++row)
            QVERIFY(QString::fromStdString(ShownValue(row, "SMILES")).contains("(=O)"));

        // The weight takes numbers only: the bar says so and the rows stay.
        Bar()->Edit()->clear();
        QTest::qWait(400);
        QCOMPARE(Rows(), 200);  // an emptied bar shows every row
        Bar()->Fields()->setCurrentIndex(Bar()->Fields()->findText("Molekulargewicht"));
        QTest::keyClicks(Bar()->Edit(), "schwer");
        QTest::keyClick(Bar()->Edit(), Qt::Key_Return);
        QVERIFY(!Bar()->Edit()->toolTip().isEmpty());
        QCOMPARE(Rows(), 200);
        Bar()->Edit()->selectAll();
        QTest::keyClicks(Bar()->Edit(), "200..300");
        QTest::keyClick(Bar()->Edit(), Qt::Key_Return);
        QVERIFY(Bar()->Edit()->toolTip().isEmpty());
        QVERIFY(Rows() > 0 && Rows() < 200);
        for (int row = 1; row <= Rows(); ++row) {
            const double weight = Sheet->Cells()->GetRecordForGridRow(row)->GetMolweight();
            QVERIFY(weight >= 200 && weight <= 300);
        }
    }

    // Edit in the narrowed sheet, sort it, save it: every record reaches the file, the edit
    // too, and the filter stays; edit again and undo.
    void editSortAndSaveANarrowedSheet() {
        Filter("CLOGP", ">3");
        QTRY_VERIFY(Rows() < 200);
        const int rows = Rows();
        QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "CLOGP"), 2));
        QTest::keyClicks(Sheet->Grid(), "9");
        QVERIFY(Editor() != nullptr);
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(ShownValue(2, "CLOGP"), std::string("9"));
        QCOMPARE(Rows(), rows);  // an edit does not throw the row out of the filter

        // Sorting orders the shown rows with the sheet.
        QTest::mouseClick(
            Sheet->Grid()->ColumnHeaderWidget(), Qt::LeftButton, {},
            Sheet->Grid()->ColumnHeaderWidget()->mapFrom(
                Sheet->Grid(), Sheet->Grid()->CellRect(ColumnOf(Sheet, "CLOGP"), 0).center()));
        QTRY_VERIFY(!Sheet->Sorting());
        QCOMPARE(Rows(), rows);
        for (int row = 2; row <= Rows(); ++row)
            QVERIFY(Number(ShownValue(row - 1, "CLOGP")) <= Number(ShownValue(row, "CLOGP")));

        Sheet->Grid()->setFocus();
        {
            TDialogWatcher watcher;
            Press("FileSave", Qt::Key_S, Qt::ControlModifier);
            QVERIFY(watcher.Unexpected.isEmpty());
        }
        FrameActiveAgain();
        QVERIFY(!Sheet->IsModified());
        const QByteArray saved = Bytes(File);
        QCOMPARE(saved.count("$$$$"), 200);
        QVERIFY(
            QRegularExpression("<CLOGP>[^\n]*\n9\n").match(QString::fromLatin1(saved)).hasMatch());
        QVERIFY(Sheet->StatusBar()->StatusText().startsWith("Gespeichert: alle 200 Einträge"));
        QCOMPARE(Rows(), rows);
        QVERIFY(Sheet->IsFiltered());

        QVERIFY(Sheet->Grid()->SelectCell(ColumnOf(Sheet, "CLOGP"), 1));
        const std::string first = ShownValue(1, "CLOGP");
        QTest::keyClicks(Sheet->Grid(), "8");
        QVERIFY(Editor() != nullptr);
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
        QVERIFY(Sheet->IsModified());
        Press("ActionUndo", Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(ShownValue(1, "CLOGP"), first);
        QVERIFY(!Sheet->IsModified());
    }
};

QTEST_MAIN(TestSheetFiltering)
#include "test_sheet_filtering.moc"
