// The result sheet of a substructure search marks in each hit where the query lies: in the
// grid cell, selected or not, and in the molecule hint; the source sheet stays unmarked, an
// edited molecule loses its mark at once and the undo that brings it back brings the mark
// back; a saved result sheet holds the hits' molecules as they were.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "SheetWindowTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_Hint_Molecule.h"
#include "Zelmar_HitHighlight.h"
#include "Zelmar_Object_DataExchange.h"
#include "Zelmar_Object_HintManager.h"
#include "Zelmar_Object_PictureRenderer.h"

using namespace sheetTest;

namespace {

// The marking colour as a pixel of a grabbed widget.
QRgb MarkPixel() {
    const std::uint32_t c = TZelmarHitHighlight::DefaultColour;  // 0x00BBGGRR
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int MarkPixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            n += (rgb.pixel(x, y) & 0xFFFFFF) == (MarkPixel() & 0xFFFFFF);
    return n;
}

std::string Benzene() {
    molfile_support::TMolfile m;
    const double xy[6][2] = {{0, 1.4},  {1.21, 0.7},   {1.21, -0.7},
                             {0, -1.4}, {-1.21, -0.7}, {-1.21, 0.7}};
    for (const auto& p : xy) m.Atoms.push_back({"C", p[0], p[1]});
    for (int i = 0; i < 6; ++i) m.Bonds.push_back({i + 1, (i + 1) % 6 + 1, i % 2 ? 1 : 2});
    return m.Text();
}

// Toluene: still a hit of benzene, but another molecule than the one found.
std::string Toluene() {
    molfile_support::TMolfile m;
    const double xy[6][2] = {{0, 1.4},  {1.21, 0.7},   {1.21, -0.7},
                             {0, -1.4}, {-1.21, -0.7}, {-1.21, 0.7}};
    for (const auto& p : xy) m.Atoms.push_back({"C", p[0], p[1]});
    m.Atoms.push_back({"C", 0, 2.9});
    for (int i = 0; i < 6; ++i) m.Bonds.push_back({i + 1, (i + 1) % 6 + 1, i % 2 ? 1 : 2});
    m.Bonds.push_back({1, 7, 1});
    return m.Text();
}

int MoleculeColumn(TZelmarWindow* sheet) {
    const TZelmarField* chemistry = sheet->List()->GetChemistryField();
    for (int column = 1; column < sheet->Grid()->ColCount(); ++column)
        if (sheet->List()->GetVisibleField(column - 1) == chemistry) return column;
    return -1;
}

// What the grid shows of the cell, grabbed from its viewport.
QImage GrabCell(TZelmarWindow* sheet, int column, int row) {
    TZelmarSheetGrid* grid = sheet->Grid();
    QWidget* viewport = grid->viewport();
    const QRect cell = grid->CellRect(column, row);
    const QRect inViewport(viewport->mapFrom(grid, cell.topLeft()), cell.size());
    return viewport->grab(inViewport).toImage();
}

// Marked pixels in the cell once its picture is drawn (the workers draw it meanwhile).
int MarksInCell(TZelmarWindow* sheet, int column, int row, bool expectMarks) {
    int marks = -1;
    (void)QTest::qWaitFor(
        [&] {
            marks = MarkPixels(GrabCell(sheet, column, row));
            return sheet->Renderer()->Pending() == 0 && (marks > 0) == expectMarks;
        },
        10000);
    QTest::qWait(50);
    return MarkPixels(GrabCell(sheet, column, row));
}

}  // namespace

class TestSheetHighlight : public QObject {
    Q_OBJECT

private:
    TShownForm* Shown = nullptr;
    TZelmarWindow* Source = nullptr;
    TZelmarWindow* Result = nullptr;
    TZelmar_FormMain& Form() { return Shown->Form; }

    // As the molecule search's OK does: the sheet searches, the form opens the result sheet,
    // and a substructure result marks its hits.
    TZelmarWindow* SearchSubstructure(const std::string& query) {
        TZelmarRecordRefs hits;
        if (!Source->SearchForChemistry(query, soContains, &hits, false)) return nullptr;
        TZelmarWindow* result = Form().CreateSearchResultWindow(&hits, std::string(), "origin");
        if (result == nullptr) return nullptr;
        if (!result->SetHitHighlight(query, false)) {
            qWarning("the search library cannot tell where the query lies");
            return nullptr;
        }
        if (auto* child = qobject_cast<QMdiSubWindow*>(result->parentWidget()))
            child->showMaximized();
        // Pictures large enough to tell a band from the edge of a label.
        result->SetPictureHeight(120);
        return result;
    }

    // Edits the molecule of the row the way the structure editor hands its drawing back.
    void EditMolecule(TZelmarWindow* sheet, int row, const std::string& molFile) {
        Form().DataExchange()->OnEditChemistry = [molFile](TZelmarDataExchange*, std::string& mol) {
            mol = molFile;
            return true;
        };
        ClickCell(sheet->Grid(), MoleculeColumn(sheet), row);
        QTest::keyClick(sheet->Grid(), Qt::Key_F2);
        QTRY_COMPARE(Value(sheet, row, kFieldNameChemistry), molFile);
    }

private slots:
    void initTestCase() { UseOwnSettings(); }

    void init() {
        Shown = new TShownForm;
        Source = Open(Form(), DataFile("nci_aids_props.sdf"));
        QVERIFY(Source != nullptr);
        Result = SearchSubstructure(Benzene());
        QVERIFY(Result != nullptr);
        QVERIFY(Result->List()->GetCount() > 0 &&
                Result->List()->GetCount() < Source->List()->GetCount());
    }

    void cleanup() {
        CloseAllSheetsDiscarding(Form());
        delete Shown;
        Shown = nullptr;
    }

    // Every hit is marked, the sheet it was found in is not; a selected row keeps its mark.
    void theHitsAreMarkedAndTheSourceSheetIsNot() {
        const int column = MoleculeColumn(Result);
        QVERIFY(column > 0);
        const int shown = std::min(3, Result->List()->GetCount());
        for (int row = 1; row <= shown; ++row)
            QVERIFY2(MarksInCell(Result, column, row, true) > 30, qPrintable(QString::number(row)));
        // The source's first hit, unmarked there.
        const TZelmarSDFileData* hit = Result->List()->GetSDFileData(0);
        int sourceRow = -1;
        for (int i = 0; i < Source->List()->GetCount(); ++i)
            if (Source->List()->GetSDFileData(i)->MolString() == hit->MolString())
                sourceRow = i + 1;
        QVERIFY(sourceRow > 0);
        Form().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Source->parentWidget()));
        Source->GotoIndex(sourceRow);
        QCOMPARE(MarksInCell(Source, MoleculeColumn(Source), sourceRow, false), 0);

        Form().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(Result->parentWidget()));
        ClickCell(Result->Grid(), column, 1);
        Result->SelectAll();
        QVERIFY(MarksInCell(Result, column, 1, true) > 30);
        // Each hit's match is made once, for the rows shown only.
        const std::size_t made = Result->HitHighlight()->MatchesMade();
        QVERIFY(made >= static_cast<std::size_t>(shown));
        QVERIFY(made < static_cast<std::size_t>(Result->List()->GetCount()) || made <= 20);
        Result->Grid()->viewport()->repaint();
        QCOMPARE(Result->HitHighlight()->MatchesMade(), made);
    }

    // The structure editor's answer replaces the molecule: the mark goes, even though the new
    // molecule holds the query too; undo brings the molecule and its mark back.
    void anEditedMoleculeLosesItsMarkAndUndoBringsItBack() {
        const int column = MoleculeColumn(Result);
        const std::string found = Value(Result, 1, kFieldNameChemistry);
        QVERIFY(MarksInCell(Result, column, 1, true) > 30);
        EditMolecule(Result, 1, Toluene());
        QCOMPARE(MarksInCell(Result, column, 1, false), 0);
        QVERIFY(Result->CanUndo());
        Result->Undo();
        QCOMPARE(Value(Result, 1, kFieldNameChemistry), found);
        QVERIFY(MarksInCell(Result, column, 1, true) > 30);
        Result->Redo();
        QCOMPARE(MarksInCell(Result, column, 1, false), 0);
    }

    // The hint over a hit draws its match as the cell does.
    void theMoleculeHintShowsTheMark() {
        const int column = MoleculeColumn(Result);
        QVERIFY(MarksInCell(Result, column, 1, true) > 0);
        MoveOverCell(Result->Grid(), column, 1);
        TZelmarHintManager* hints = Form().HintManager();
        QTRY_VERIFY(hints->MoleculeWindow() != nullptr && hints->MoleculeWindow()->isVisible());
        QVERIFY(!hints->CurrentMoleculeHint()->Highlight.Empty());
        QTRY_VERIFY(MarkPixels(hints->MoleculeWindow()->grab().toImage()) > 50);
    }

    // Saving writes each untouched hit as it was read: no mapping numbers, no marks.
    void aSavedResultSheetHoldsTheMoleculesAsFound() {
        QTemporaryDir folder;
        const QString file = folder.filePath("hits.sdf");
        const std::string first(Result->List()->GetSDFileData(0)->MolString());
        QVERIFY(MarksInCell(Result, MoleculeColumn(Result), 1, true) > 0);
        TDialogWatcher watcher;
        watcher.ExpectFile(file);
        QVERIFY(Result->Save(true));
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        QVERIFY(bytes.startsWith(QByteArray::fromStdString(first)));
        QCOMPARE(Result->List()->GetSDFileData(0)->MolString(), std::string_view(first));
    }
};

QTEST_MAIN(TestSheetHighlight)
#include "test_sheet_highlight.moc"
