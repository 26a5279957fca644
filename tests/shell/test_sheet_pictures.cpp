// Structure pictures of a sheet as the user sees them while scrolling a real file: a light
// placeholder first, then the picture the workers drew (the same picture as drawn in place),
// a new picture after the molecule changed, and sheets closed while pictures are on their way.
#include <QAction>
#include <QFile>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

#include "SheetWindowTestSupport.h"
#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_PictureRenderer.h"

using namespace sheetTest;

namespace {

const char* const kFile = "pubchem_sample.sdf";

// Pixels of the cell that stand out clearly from the cell's background: a structure's lines
// and labels, not the faint placeholder.
int Ink(const QImage& grid, const QRect& cell) {
    const QRect inner = cell.adjusted(3, 3, -3, -3) & grid.rect();
    const QColor background = grid.pixelColor(inner.topLeft());
    int ink = 0;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const QColor c = grid.pixelColor(x, y);
            const int difference = std::max({std::abs(c.red() - background.red()),
                                             std::abs(c.green() - background.green()),
                                             std::abs(c.blue() - background.blue())});
            if (difference > 96) ++ink;
        }
    }
    return ink;
}

QImage Cell(const QImage& grid, const QRect& cell) {
    return grid.copy(cell);
}

// The grid painted now, counting the placeholders it needed.
QImage Paint(TZelmarWindow* sheet, int& placeholders) {
    TZelmarDataPainter* painter = sheet->Painter();
    painter->PlaceholdersPainted = 0;
    const QImage image = sheet->Grid()->grab().toImage();
    placeholders = painter->PlaceholdersPainted;
    return image;
}

bool PicturesCame(TZelmarWindow* sheet) {
    return QTest::qWaitFor([&] { return sheet->Renderer()->Pending() == 0; }, 20000);
}

// The rows shown from the top row on.
int VisibleRows(TZelmarSheetGrid* grid) {
    return std::max(1, grid->viewport()->height() / grid->RowHeight(1));
}

}  // namespace

class TestSheetPictures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseOwnSettings();
    }

    void init() { TZelmarCellPictureCache::Shared().Clear(); }

    void aPlaceholderComesFirstThenThePictureDrawnInPlaceWouldShow() {
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, DataFile(kFile));
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const int column = ColumnOf(sheet, "ecsdtChemistry");
        QVERIFY(column > 0);
        const int middle = sheet->List()->GetCount() / 2;
        sheet->GotoIndex(middle);
        QApplication::processEvents();
        const int top = grid->TopRow();
        QVERIFY(top > 1);
        // One structure cell selected: its picture is white on the highlight.
        QVERIFY(grid->SelectCell(column, top + 1));
        PicturesCame(sheet);
        TZelmarCellPictureCache::Shared().Clear();

        int placeholders = 0;
        const QImage first = Paint(sheet, placeholders);
        QVERIFY(placeholders >= VisibleRows(grid) - 1);
        QVERIFY(sheet->Renderer()->Pending() > 0);
        QVERIFY(PicturesCame(sheet));
        const QImage later = Paint(sheet, placeholders);
        QCOMPARE(placeholders, 0);

        sheet->SetDrawPicturesInPlace(true);
        TZelmarCellPictureCache::Shared().Clear();
        const QImage inPlace = Paint(sheet, placeholders);
        QCOMPARE(placeholders, 0);
        for (int row = top; row < top + 3; ++row) {
            const QRect cell = grid->CellRect(column, row);
            QCOMPARE(Ink(first, cell), 0);
            QVERIFY(Ink(later, cell) > 50);
            QVERIFY2(Cell(later, cell) == Cell(inPlace, cell), qPrintable(QString::number(row)));
        }
    }

    void anEditedMoleculeShowsItsNewPictureNeverTheOldOne() {
        TShownForm shown;
        TZelmarWindow* sheet = Open(shown.Form, DataFile(kFile));
        QVERIFY(sheet != nullptr);
        TZelmarSheetGrid* grid = sheet->Grid();
        const int column = ColumnOf(sheet, "ecsdtChemistry");
        // The first molecule is the current, selected cell throughout.
        QVERIFY(grid->SelectCell(column, 1));
        int placeholders = 0;
        Paint(sheet, placeholders);
        QVERIFY(PicturesCame(sheet));
        const QRect cell = grid->CellRect(column, 1);
        const QImage before = Cell(Paint(sheet, placeholders), cell);
        QCOMPARE(placeholders, 0);

        // The first record takes the molecule of the last, whose picture was never drawn.
        TZelmarField* field = sheet->List()->GetFieldByName("ecsdtChemistry");
        TZelmarDataCarrier other;
        const int last = sheet->List()->GetCount() - 1;
        QVERIFY(sheet->List()->GetSDFileData(last)->GetDataForField(field, &other));
        sheet->List()->GetSDFileData(0)->SetDataForField(field, &other);
        sheet->RefreshSelection();
        grid->RepaintCell(column, 1);

        const QImage waiting = Cell(Paint(sheet, placeholders), cell);
        QCOMPARE(placeholders, 1);
        QVERIFY(waiting != before);
        QVERIFY(PicturesCame(sheet));
        const QImage after = Cell(Paint(sheet, placeholders), cell);
        QCOMPARE(placeholders, 0);
        QVERIFY(after != before);
        // The same molecule in the last row, current and selected as the first row's was.
        grid->SetTopRow(last + 1);
        QVERIFY(grid->SelectCell(column, last + 1));
        (void)Paint(sheet, placeholders);
        QVERIFY(PicturesCame(sheet));
        QCOMPARE(after, Cell(Paint(sheet, placeholders), grid->CellRect(column, last + 1)));
    }

    // Ctrl+wheel and Ctrl+plus/minus zoom the rows and their pictures, within 48 to 400
    // pixels; the next sheet opens at that size.
    void zoomingMakesThePicturesBiggerAndIsKept() {
        int bigHeight = 0;
        int bigWidth = 0;
        {
            TShownForm shown;
            TZelmarWindow* sheet = Open(shown.Form, DataFile(kFile));
            QVERIFY(sheet != nullptr);
            TZelmarSheetGrid* grid = sheet->Grid();
            const int column = ColumnOf(sheet, "ecsdtChemistry");
            int placeholders = 0;
            Paint(sheet, placeholders);
            QVERIFY(PicturesCame(sheet));
            const int ink = Ink(Paint(sheet, placeholders), grid->CellRect(column, 1));
            const int height = grid->RowHeight(1);
            QWheelEvent wheel(QPointF(10, 10), grid->viewport()->mapToGlobal(QPointF(10, 10)),
                              QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &wheel);
            QTest::keyClick(grid, Qt::Key_Plus, Qt::ControlModifier);
            QVERIFY(grid->RowHeight(1) > height * 3 / 2);
            Paint(sheet, placeholders);
            QVERIFY(PicturesCame(sheet));
            // The same molecule, drawn bigger: more of its lines' pixels.
            QVERIFY(Ink(Paint(sheet, placeholders), grid->CellRect(column, 1)) > ink * 3 / 2);
            for (int i = 0; i < 20; ++i) QTest::keyClick(grid, Qt::Key_Minus, Qt::ControlModifier);
            QCOMPARE(grid->RowHeight(1), TZelmarWindow::kSmallestPictureHeight);
            for (int i = 0; i < 20; ++i) QTest::keyClick(grid, Qt::Key_Plus, Qt::ControlModifier);
            QCOMPARE(grid->RowHeight(1), TZelmarWindow::kLargestPictureHeight);
            QTest::keyClick(grid, Qt::Key_Minus, Qt::ControlModifier);
            bigHeight = grid->RowHeight(1);
            bigWidth = grid->ColWidth(column);
            QVERIFY(bigWidth > TZelmarSheetGrid::DefaultColWidth);
        }
        TShownForm shown;
        TZelmarWindow* again = Open(shown.Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(again != nullptr);
        QCOMPARE(again->Grid()->RowHeight(1), bigHeight);
        QCOMPARE(again->Grid()->ColWidth(ColumnOf(again, "ecsdtChemistry")), bigWidth);
    }

    void closingSheetsWhilePicturesAreDrawnLeavesTheOthersWorking() {
        TShownForm shown;
        TZelmarWindow* closed = Open(shown.Form, DataFile(kFile));
        TZelmarWindow* kept = Open(shown.Form, DataFile("nci_aids_props.sdf"));
        QVERIFY(closed != nullptr && kept != nullptr);
        int placeholders = 0;
        // The sheet to close painted last: nothing runs between its paint and its closing.
        for (TZelmarWindow* sheet : {kept, closed}) {
            auto* child = qobject_cast<QMdiSubWindow*>(sheet->parentWidget());
            shown.Form.MdiArea()->setActiveSubWindow(child);
            sheet->GotoIndex(sheet->List()->GetCount() / 2);
            Paint(sheet, placeholders);
            QVERIFY(placeholders > 0);
        }
        QVERIFY(closed->Renderer()->Pending() > 0);
        qobject_cast<QMdiSubWindow*>(closed->parentWidget())->close();
        QTRY_COMPARE(shown.Form.SheetWindows().size(), 1);
        QVERIFY(PicturesCame(kept));
        Paint(kept, placeholders);
        QCOMPARE(placeholders, 0);

        // And the last one closed with its pictures asked for, then the whole main window.
        TZelmarCellPictureCache::Shared().Clear();
        Paint(kept, placeholders);
        QVERIFY(placeholders > 0);
        qobject_cast<QMdiSubWindow*>(kept->parentWidget())->close();
        QTRY_VERIFY(shown.Form.SheetWindows().isEmpty());
        QTest::qWait(50);
    }

    // The main window as a user sees it, in each language: a sheet scrolled to its middle with
    // its structures, and beside it a sheet whose file has a broken record. The pictures go to
    // the build folder to be looked at.
    void mainWindowWithTwoSheets_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("DE") << QStringLiteral("DE");
        QTest::newRow("EN") << QStringLiteral("EN");
    }
    void mainWindowWithTwoSheets() {
        QFETCH(QString, language);
        QTemporaryDir dir;
        const QString broken = BrokenCopy(dir, "nci_aids_props.sdf");
        QVERIFY(!broken.isEmpty());
        TZelmar_FormMain form{TCommandLine{("/LNG=" + language).toStdString()}};
        form.resize(1280, 800);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TZelmarWindow* structures = Open(form, DataFile(kFile));
        TZelmarWindow* errors = Open(form, broken);
        QVERIFY(structures != nullptr && errors != nullptr);
        QVERIFY(errors->List()->HasLoadErrors());
        QVERIFY(!structures->List()->HasLoadErrors());
        form.findChild<QAction*>(QStringLiteral("WindowTileVertical"))->trigger();
        QApplication::processEvents();
        structures->GotoIndex(structures->List()->GetCount() / 2);
        QApplication::processEvents();
        QVERIFY(PicturesCame(structures) && PicturesCame(errors));
        int placeholders = 0;
        Paint(structures, placeholders);
        QCOMPARE(placeholders, 0);
        const QImage shot = form.grab().toImage();
        QVERIFY(
            shot.save(QStringLiteral(ZELMAR_SCREENSHOT_DIR "/main_window_%1.png").arg(language)));
    }

private:
    // A copy of a real file whose second record lost the end of its molecule.
    static QString BrokenCopy(const QTemporaryDir& dir, const char* name) {
        QFile source(DataFile(name));
        if (!source.open(QIODevice::ReadOnly)) return {};
        QByteArray bytes = source.readAll();
        const qsizetype first = bytes.indexOf("$$$$");
        const qsizetype end = bytes.indexOf("M  END", first);
        if (first < 0 || end < 0) return {};
        bytes.remove(end, 6);
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile target(path);
        if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size()) return {};
        return path;
    }
};

QTEST_MAIN(TestSheetPictures)
#include "test_sheet_pictures.moc"
