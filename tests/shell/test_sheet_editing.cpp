// Working in a sheet's grid: sorting by caption clicks, check boxes, in-place text edits and
// the new-record row, the sizing rules, molecule hints, and refusals while a sort runs.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "Zelmar_Hint_Molecule.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_SheetCells.h"

using namespace sheetTest;

class TestSheetEditing : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;
    TZelmarWindow* Sheet = nullptr;

    // Drags the border below (or right of) a header section by the distance.
    static void DragBorder(QHeaderView* header, int section, int distance) {
        QWidget* target = header->viewport();
        const bool vertical = header->orientation() == Qt::Vertical;
        const int edge =
            header->sectionViewportPosition(section) + header->sectionSize(section) - 1;
        const QPoint from = vertical ? QPoint(5, edge) : QPoint(edge, 5);
        const QPoint to = vertical ? from + QPoint(0, distance) : from + QPoint(distance, 0);
        QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), target->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, to);
    }

    QLineEdit* Editor() const { return qobject_cast<QLineEdit*>(Sheet->Grid()->OpenEditor()); }

private slots:
    void init() {
        Shown = new TShownForm;
        Sheet = Open(Shown->Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(Sheet != nullptr);
        Sheet->Grid()->setFocus();
    }

    void cleanup() {
        // Leave without the save question.
        if (Sheet != nullptr && Sheet->IsModified()) {
            TDialogWatcher watcher;
            watcher.ExpectDiscard();
            Shown->Form.MdiArea()->closeAllSubWindows();
        }
        delete Shown;
        Shown = nullptr;
        Sheet = nullptr;
    }

    void aCaptionClickSortsAndASecondClickSortsTheOtherWay() {
        const int column = ColumnOf(Sheet, "CLOGP");
        QVERIFY(column > 0);
        ClickCell(Sheet->Grid(), column, 0);
        const std::string first = Value(Sheet, 1, "CLOGP");
        const std::string last = Value(Sheet, 200, "CLOGP");
        QVERIFY(first != last);
        ClickCell(Sheet->Grid(), column, 0);
        QCOMPARE(Value(Sheet, 1, "CLOGP"), last);
        QCOMPARE(Value(Sheet, 200, "CLOGP"), first);
        // The row-number column has no field: nothing happens.
        ClickCell(Sheet->Grid(), 0, 0);
        QCOMPARE(Value(Sheet, 1, "CLOGP"), last);
    }

    void aCheckBoxClickTogglesTheMarkAndOtherCellsChangeNothing() {
        ClickCell(Sheet->Grid(), ColumnOf(Sheet, "CLOGP"), 3);
        QVERIFY(!Sheet->IsModified());
        ClickCell(Sheet->Grid(), 1, 3);
        QVERIFY(!Sheet->List()->GetSDFileData(2)->Selected);
        QVERIFY(Sheet->IsModified());
        ClickCell(Sheet->Grid(), 1, 3);
        QVERIFY(Sheet->List()->GetSDFileData(2)->Selected);
    }

    void aTextEditWritesThroughAndEscapeRestores() {
        const int column = ColumnOf(Sheet, "CLOGP");
        const std::string before = Value(Sheet, 2, "CLOGP");
        QVERIFY(Sheet->Grid()->SelectCell(column, 2));
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Editor()->text().toStdString(), before);
        Editor()->selectAll();
        QTest::keyClicks(Editor(), "4.25");
        QCOMPARE(Value(Sheet, 2, "CLOGP"), std::string("4.25"));  // written through at once
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
        QVERIFY(Sheet->IsModified());
        QCOMPARE(Value(Sheet, 2, "CLOGP"), std::string("4.25"));

        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(Editor() != nullptr);
        Editor()->end(false);
        QTest::keyClicks(Editor(), "99");
        QCOMPARE(Value(Sheet, 2, "CLOGP"), std::string("4.2599"));
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Value(Sheet, 2, "CLOGP"), std::string("4.25"));
    }

    void typingInTheNewRecordRowMakesARecordAndEscapeTakesItAway() {
        const int column = ColumnOf(Sheet, "CLOGP");
        TZelmarSheetGrid* grid = Sheet->Grid();
        QVERIFY(grid->SelectCell(column, grid->RowCount() - 1));
        QTest::keyClicks(grid, "7");
        QVERIFY(Editor() != nullptr);
        QCOMPARE(Sheet->List()->GetCount(), 201);
        QCOMPARE(grid->RowCount(), 203);
        QCOMPARE(Value(Sheet, 201, "CLOGP"), std::string("7"));
        QTest::keyClick(Editor(), Qt::Key_Escape);
        QTRY_COMPARE(Sheet->List()->GetCount(), 200);
        QCOMPARE(grid->RowCount(), 202);

        // Finished with Enter, the record stays, with an empty molecule.
        QVERIFY(grid->SelectCell(column, grid->RowCount() - 1));
        QTest::keyClicks(grid, "8");
        QVERIFY(Editor() != nullptr);
        QTest::keyClick(Editor(), Qt::Key_Return);
        QTRY_VERIFY(Editor() == nullptr);
        QCOMPARE(Sheet->List()->GetCount(), 201);
        QCOMPARE(Value(Sheet, 201, "CLOGP"), std::string("8"));
        QVERIFY(Sheet->IsModified());
    }

    // Without an editor page the molecule editor opens with its no-editor layout: OK is
    // disabled, and leaving it changes nothing.
    void aMoleculeCellOpensTheMoleculeEditorNotAnInPlaceEditor() {
        const int column = ColumnOf(Sheet, kFieldNameChemistry);
        QVERIFY(column > 0);
        const std::string molecule = Value(Sheet, 1, kFieldNameChemistry);
        QVERIFY(Sheet->Grid()->SelectCell(column, 1));
        TDialogWatcher watcher;
        bool okEnabled = true;
        QString title;
        watcher.Expect([&](QDialog* dialog) {
            title = dialog->windowTitle();
            okEnabled = dialog->findChild<QPushButton*>("BtnOK")->isEnabled();
            dialog->reject();
        });
        QTest::keyClick(Sheet->Grid(), Qt::Key_F2);
        QVERIFY(watcher.AllAnswered());
        QCOMPARE(title, QStringLiteral("Molekül Bearbeiten"));
        QVERIFY(!okEnabled);
        QVERIFY(Editor() == nullptr);
        QCOMPARE(Value(Sheet, 1, kFieldNameChemistry), molecule);
        QCOMPARE(Sheet->List()->GetCount(), 200);
        QVERIFY(!Sheet->IsModified());
    }

    void dataRowsShareOneHeightOfAtLeast24AndColumnsAreAtLeast64Wide() {
        TZelmarSheetGrid* grid = Sheet->Grid();
        auto* rows = qobject_cast<QHeaderView*>(grid->verticalHeader());
        DragBorder(rows, 1, 30 - grid->RowHeight(2));  // row 2 to 30 pixels
        QCOMPARE(grid->RowHeight(2), 30);
        QCOMPARE(grid->RowHeight(7), 30);
        QCOMPARE(grid->RowHeight(0), 24);
        DragBorder(rows, 2, 10 - grid->RowHeight(3));  // too low: all rows 24
        QCOMPARE(grid->RowHeight(3), 24);
        QCOMPARE(grid->RowHeight(150), 24);
        DragBorder(rows, 0, 80 - grid->RowHeight(1));
        QCOMPARE(grid->RowHeight(1), 80);
        QCOMPARE(grid->RowHeight(2), 80);
        QCOMPARE(grid->RowHeight(0), 24);

        const int column = ColumnOf(Sheet, "CLOGP");
        auto* columns = grid->horizontalHeader();
        const int section = column - grid->FixedCols();
        DragBorder(columns, section, 20 - grid->ColWidth(column));
        QCOMPARE(grid->ColWidth(column), 64);
        DragBorder(columns, section, 200 - grid->ColWidth(column));
        QCOMPARE(grid->ColWidth(column), 200);
        // Widths go into the fields for the field dialog.
        TZelmarFieldList copy;
        QVERIFY(Sheet->FillCopyOfFieldList(copy));
        QCOMPARE(copy.GetFieldByName("CLOGP")->ColWidth, 200);
    }

    void aMoleculeHintFollowsTheStructureUnderTheMouse() {
        TZelmarHintManager* hints = Shown->Form.HintManager();
        const int column = ColumnOf(Sheet, kFieldNameChemistry);
        MoveOverCell(Sheet->Grid(), column, 1);
        QTRY_VERIFY(hints->MoleculeWindow() != nullptr && hints->MoleculeWindow()->isVisible());
        const TZelmarMoleculeHintInfo& info = hints->MoleculeWindow()->Info();
        QCOMPARE(info.MolFile, Value(Sheet, 1, kFieldNameChemistry));
        QCOMPARE(info.Width, Sheet->width() * 2 / 3);
        QCOMPARE(info.Height, Sheet->height() * 2 / 3);
        QVERIFY(!info.Caption.isEmpty());
        MoveOverCell(Sheet->Grid(), column, 2);
        QTRY_COMPARE(hints->MoleculeWindow()->Info().MolFile, Value(Sheet, 2, kFieldNameChemistry));
        QVERIFY(hints->MoleculeWindow()->isVisible());
        MoveOverCell(Sheet->Grid(), ColumnOf(Sheet, "CLOGP"), 2);
        QTRY_VERIFY(!hints->MoleculeWindow()->isVisible());
    }

    void nothingReentersWhileASortRuns() {
        int sorts = 0;
        auto started = Sheet->List()->OnStartSort;
        Sheet->List()->OnStartSort = [&](TZelmarSDFileDataList* list) {
            ++sorts;
            started(list);
        };
        const int column = ColumnOf(Sheet, "CLOGP");
        bool checked = false, sortingSeen = false, saved = true, closed = true;
        QPoint at;
        QWidget* caption = CellTarget(Sheet->Grid(), column, 0, at);
        QTimer::singleShot(0, this, [&] {
            checked = true;
            sortingSeen = Sheet->Sorting();
            ClickCell(Sheet->Grid(), column, 0);  // a second sort
            saved = Sheet->Save(false);
            closed = Shown->Form.MdiArea()->subWindowList().first()->close();
        });
        QTest::mouseClick(caption, Qt::LeftButton, Qt::NoModifier, at);
        QVERIFY(checked);
        QVERIFY(sortingSeen);
        QCOMPARE(sorts, 1);
        QVERIFY(!saved);
        QVERIFY(!closed);
        QVERIFY(!Sheet->Sorting());
        QCOMPARE(Shown->Form.SheetWindows().size(), 1);
    }
};

QTEST_MAIN(TestSheetEditing)
#include "test_sheet_editing.moc"
