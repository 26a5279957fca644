// Selecting rows and cells as in a spreadsheet, apart from the check marks, and copying them
// for other programs: a tab-separated table with a header row, CSV, and whole rows as the
// records' own bytes.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "Zelmar_SheetActions.h"

using namespace sheetTest;

namespace {

// A click on a row's number, with the keys held.
void ClickRowNumber(TZelmarSheetGrid* grid, int row, Qt::KeyboardModifiers keys = {}) {
    const QRect cell = grid->CellRect(0, row);
    QWidget* target = grid->childAt(cell.center());
    QVERIFY(target != nullptr);
    QTest::mouseClick(target, Qt::LeftButton, keys, target->mapFrom(grid, cell.center()));
}

void ClickCellWith(TZelmarSheetGrid* grid, int column, int row, Qt::KeyboardModifiers keys) {
    QPoint at;
    QWidget* target = CellTarget(grid, column, row, at);
    QTest::mouseClick(target, Qt::LeftButton, keys, at);
}

QStringList Lines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace

class TestSheetSelection : public QObject {
    Q_OBJECT

    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;
    QTemporaryDir Dir;

    TZelmar_FormMain& Form() { return Shown->Form; }

    // Ctrl+C, once the Edit menu's Copy has seen the selection.
    void Copy() {
        auto* copy = Form().findChild<QAction*>(QStringLiteral("ActionCopy"),
                                                Qt::FindDirectChildrenOnly);
        QVERIFY(copy != nullptr);
        Form().UpdateActions();
        QTRY_VERIFY(copy->isEnabled());
        QApplication::clipboard()->clear();
        QTest::keyClick(Sheet->Grid(), Qt::Key_C, Qt::ControlModifier);
    }

private slots:
    void init() {
        Shown = new TShownForm;
        const QString file = Dir.filePath(QStringLiteral("props.sdf"));
        QFile::remove(file);
        QVERIFY(QFile::copy(DataFile("nci_aids_props.sdf"), file));
        Sheet = Open(Form(), file);
        QVERIFY(Sheet != nullptr);
        Sheet->Grid()->setFocus();
    }

    void cleanup() {
        TDialogWatcher watcher;
        for (TZelmarWindow* sheet : Form().SheetWindows())
            if (sheet->IsModified()) watcher.ExpectDiscard();
        Form().MdiArea()->closeAllSubWindows();
        delete Shown;
        Shown = nullptr;
    }

    void rowNumbersSelectRowsWithShiftAndCtrlAndTheSelectionIsNotTheCheckMarks() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        ClickRowNumber(grid, 2);
        ClickRowNumber(grid, 4, Qt::ShiftModifier);
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 3, 4}));
        ClickRowNumber(grid, 6, Qt::ControlModifier);
        ClickRowNumber(grid, 3, Qt::ControlModifier);
        QCOMPARE(grid->SelectedRows(), (std::vector<int>{2, 4, 6}));
        QVERIFY(!Sheet->IsModified());  // no check mark changed
        for (int row = 1; row <= 6; ++row) QVERIFY(Sheet->List()->GetSDFileData(row - 1)->Selected);

        // Unticked from the pop-up menu, on the selection it was opened over.
        QAction* untick = Sheet->Actions()->ActUntickSelection;
        Sheet->Actions()->UpdateActions();
        QVERIFY(untick->isEnabled());
        untick->trigger();
        for (int row = 1; row <= 6; ++row)
            QCOMPARE(Sheet->List()->GetSDFileData(row - 1)->Selected, row != 2 && row != 4 && row != 6);
        QVERIFY(Sheet->IsModified());

        // Ctrl+A in the grid selects every row.
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
        const std::vector<int> all = grid->SelectedRows();
        QCOMPARE(static_cast<int>(std::count_if(all.begin(), all.end(), [&](int row) {
                     return row <= Sheet->List()->GetCount();
                 })),
                 Sheet->List()->GetCount());
    }

    void copiedRowsPasteIntoSpreadsheetsAndAsRecords() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        ClickRowNumber(grid, 2);
        ClickRowNumber(grid, 3, Qt::ShiftModifier);
        Copy();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data != nullptr);
        const QStringList lines = Lines(data->text());
        QCOMPARE(lines.size(), 3);
        const QStringList header = lines[0].split(QLatin1Char('\t'));
        QVERIFY(header.contains(QStringLiteral("CLOGP")));
        QVERIFY(header.contains(QStringLiteral("smiles")));
        const QStringList second = lines[1].split(QLatin1Char('\t'));
        QCOMPARE(second.size(), header.size());
        QCOMPARE(second[header.indexOf(QStringLiteral("CLOGP"))].toStdString(),
                 Value(Sheet, 2, "CLOGP"));
        const QString smiles = second[header.indexOf(QStringLiteral("smiles"))];
        QVERIFY(!smiles.isEmpty() && !smiles.contains(QLatin1Char(' ')));
        QVERIFY(data->hasFormat(QStringLiteral("text/csv")));
        QCOMPARE(Lines(QString::fromUtf8(data->data(QStringLiteral("text/csv")))).size(), 3);
        // The records themselves, byte for byte as read.
        const QByteArray records = data->data(QStringLiteral("chemical/x-mdl-sdfile"));
        QCOMPARE(records.count("$$$$"), 2);
        for (int row : {2, 3}) {
            const std::string_view bytes = Sheet->List()->GetSDFileData(row - 1)->Texts().OrgText();
            QVERIFY(records.contains(QByteArray(bytes.data(), static_cast<int>(bytes.size()))));
        }
    }

    void aBlockOfCellsCopiesItsColumnsOnly() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        const int clogp = ColumnOf(Sheet, "CLOGP");
        ClickCell(grid, clogp, 1);
        ClickCellWith(grid, clogp + 1, 3, Qt::ShiftModifier);
        QVERIFY(grid->HasWideSelection());
        Copy();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        const QStringList lines = Lines(data->text());
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0].split(QLatin1Char('\t')).size(), 2);
        QCOMPARE(lines[3].split(QLatin1Char('\t'))[0].toStdString(), Value(Sheet, 3, "CLOGP"));
        QVERIFY(!data->hasFormat(QStringLiteral("chemical/x-mdl-sdfile")));
        // One cell alone is its value, as before.
        ClickCell(grid, clogp, 2);
        Copy();
        QCOMPARE(QApplication::clipboard()->text().toStdString(), Value(Sheet, 2, "CLOGP"));
    }

    // Copied rows pasted into another sheet are its new records, byte for byte; a block from
    // a spreadsheet fills the cells from the current one on.
    void pastedRecordsAndBlocksOfCells() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        ClickRowNumber(grid, 1);
        ClickRowNumber(grid, 2, Qt::ShiftModifier);
        Copy();
        TZelmarWindow* other = Open(Form(), DataFile("chembl_examples.sdf"));
        QVERIFY(other != nullptr);
        const int before = other->List()->GetCount();
        QVERIFY(other->Grid()->SelectCell(ColumnOf(other, "chembl_id"), 1));
        auto* paste = Form().findChild<QAction*>(QStringLiteral("ActionPaste"),
                                                 Qt::FindDirectChildrenOnly);
        Form().UpdateActions();
        QTRY_VERIFY(paste->isEnabled());
        paste->trigger();
        QCOMPARE(other->List()->GetCount(), before + 2);
        QVERIFY(other->IsModified());
        QCOMPARE(Value(other, before + 1, "CLOGP"), Value(Sheet, 1, "CLOGP"));
        QVERIFY(other->List()->GetFieldByName("CLOGP") != nullptr);

        // Two rows of two cells, one quoted with a line break, as Calc copies them.
        QApplication::clipboard()->setText(QStringLiteral("CHEMBL1\t\"two\nlines\"\nCHEMBL2\tx\n"));
        QVERIFY(other->Grid()->SelectCell(ColumnOf(other, "chembl_id"), 1));
        Form().UpdateActions();
        QTRY_VERIFY(paste->isEnabled());
        paste->trigger();
        QCOMPARE(Value(other, 1, "chembl_id"), std::string("CHEMBL1"));
        QCOMPARE(Value(other, 1, "chembl_pref_name"), std::string("two\r\nlines"));
        QCOMPARE(Value(other, 2, "chembl_id"), std::string("CHEMBL2"));
        QCOMPARE(Value(other, 2, "chembl_pref_name"), std::string("x"));
    }
};

QTEST_MAIN(TestSheetSelection)
#include "test_sheet_selection.moc"
