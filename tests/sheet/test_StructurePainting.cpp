// Structure cells with the real viewer library, the picture cache, and a painted sample grid.

#include <QApplication>
#include <QtTest>
#include <memory>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "Zelmar_Object_DataPainter.h"
#include "vesk_ChemRoutines.h"
#include "vesk_ChemView2.h"

using namespace sheetTest;

namespace {

const char* const Ethanol =
    "ethanol\n  zelmar\n\n  3  2  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2990    0.7500    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    2.5980    0.0000    0.0000 O   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  1  0\n  2  3  1  0\nM  END\n";

const char* const Benzene =
    "benzene\n  zelmar\n\n  6  6  0  0  0  0  0  0  0  0999 V2000\n"
    "    0.0000    1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "    0.0000   -1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "   -1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
    "  1  2  2  0\n  2  3  1  0\n  3  4  2  0\n  4  5  1  0\n  5  6  2  0\n  6  1  1  0\n"
    "M  END\n";

const QColor Highlight(0, 90, 180);

// A painter whose cells all hold one molecule, lending views from a pool and counting them.
struct TStructureCells {
    TveskChemView2Pool Pool;
    TZelmarDataPainter Painter;
    TZelmarDataCarrier Value;
    int Lent = 0;
    int Returned = 0;

    TStructureCells() {
        Value.SetKind(ecsdtChemistry);
        Painter.OnGetData = [this](TZelmarDataPainter*, int, int, TZelmarDataCarrier& data) {
            data.Assign(&Value);
            return true;
        };
        Painter.OnGetBgColor = [](TZelmarDataPainter*, int, int, QColor& color,
                                  TZelmarGridDrawState state) {
            color = (state & gdSelected) != 0 ? Highlight : QColor(Qt::white);
            return true;
        };
        Painter.OnGetMolViewer = [this](TZelmarDataPainter*, const std::string& text, int flags) {
            ++Lent;
            return flags == 0 ? Pool.CreateMolViewFromString(text) : nullptr;
        };
        Painter.OnReleaseMolViewer = [this](TZelmarDataPainter*,
                                            std::unique_ptr<TveskMolView2> view) {
            ++Returned;
            Pool.ReleaseMolView(std::move(view));
        };
    }
    QImage Paint(const std::string& molfile, int width, int height,
                 TZelmarGridDrawState state = 0) {
        Value.SetText(molfile);
        return Picture(width, height, [&](QPainter& p) {
            Painter.PaintTo(&p, QRect(0, 0, width, height), 1, 1, state);
        });
    }
};

int DarkPixels(const QImage& image) {
    return CountPixels(image, image.rect(), IsDark);
}

}  // namespace

void TestSheetPainting::selectedStructureIsWhiteAndTheNextIsNot() {
    TStructureCells cells;
    QVERIFY2(cells.Pool.PoolValid(), cells.Pool.LastError.c_str());
    TZelmarCellPictureCache cache;
    for (TZelmarCellPictureCache* used : {static_cast<TZelmarCellPictureCache*>(nullptr), &cache}) {
        cells.Painter.PictureCache = used;
        const QImage selected = cells.Paint(Benzene, 120, 60, gdSelected | gdFocused);
        QCOMPARE(DarkPixels(selected), 0);
        QVERIFY(CountPixels(selected, selected.rect(), [](QRgb p) { return qGray(p) > 200; }) >
                100);
        const QImage plain = cells.Paint(Benzene, 120, 60);
        QVERIFY(DarkPixels(plain) > 100);
        // Only the cell, 2 pixels in, carries the drawing.
        QCOMPARE(CountPixels(plain, QRect(0, 0, 120, 2), IsDark), 0);
        QCOMPARE(CountPixels(plain, QRect(0, 58, 120, 2), IsDark), 0);
    }
    QCOMPARE(cells.Lent, 4);
    QCOMPARE(cells.Returned, 4);
}

void TestSheetPainting::picturesAreCachedPerMoleculeSizeStateAndSettings() {
    TStructureCells cells;
    QVERIFY2(cells.Pool.PoolValid(), cells.Pool.LastError.c_str());
    TZelmarCellPictureCache cache;
    cells.Painter.PictureCache = &cache;
    cells.Painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) {
        return cells.Pool.SettingsKey();
    };

    const QImage first = cells.Paint(Ethanol, 120, 60);
    QCOMPARE(cells.Lent, 1);
    QCOMPARE(cells.Paint(Ethanol, 120, 60), first);
    QCOMPARE(cells.Lent, 1);  // shown from the cache, no view borrowed
    QCOMPARE(cache.Hits(), std::size_t(1));

    cells.Paint(Ethanol, 120, 60, gdSelected);
    cells.Paint(Ethanol, 140, 60);
    cells.Paint(Benzene, 120, 60);
    QCOMPARE(cells.Lent, 4);
    QCOMPARE(cache.Count(), std::size_t(4));

    // Other display settings draw anew: ethanol without its OH and CH3 labels.
    cells.Pool.MolProperties->Display->HydrogenMode = 0;
    const QImage bare = cells.Paint(Ethanol, 120, 60);
    QCOMPARE(cells.Lent, 5);
    QVERIFY(bare != first);
    QVERIFY(DarkPixels(bare) < DarkPixels(first));

    // Without the settings event the borrowed view's own key finds the picture.
    cells.Painter.OnGetMolViewerSettings = nullptr;
    const std::size_t count = cache.Count();
    QCOMPARE(cells.Paint(Ethanol, 120, 60), bare);
    QCOMPARE(cells.Lent, 6);
    QCOMPARE(cache.Count(), count);
    QCOMPARE(cells.Returned, cells.Lent);
}

void TestSheetPainting::cacheStaysWithinItsBound() {
    QImage picture(100, 50, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    const std::size_t each = static_cast<std::size_t>(picture.sizeInBytes());
    TZelmarCellPictureCache cache(5 * each + 5 * 200);
    auto key = [](int n, const std::string& settings = "s") {
        TZelmarCellPictureKey k;
        k.MolText = "mol " + std::to_string(n);
        k.Width = 100;
        k.Height = 50;
        k.Settings = settings;
        return k;
    };
    for (int n = 0; n < 5; ++n) cache.Insert(key(n), picture);
    QCOMPARE(cache.Count(), std::size_t(5));
    QVERIFY(cache.Find(key(0)) != nullptr);  // now the most recently used
    cache.Insert(key(5), picture);
    cache.Insert(key(6), picture);
    QVERIFY(cache.Find(key(0)) != nullptr);
    QVERIFY(cache.Find(key(1)) == nullptr);
    QVERIFY(cache.Find(key(2)) == nullptr);
    QVERIFY(cache.Find(key(6)) != nullptr);
    for (int n = 7; n < 100; ++n) cache.Insert(key(n), picture);
    QVERIFY(cache.Bytes() <= cache.MaxBytes());
    QCOMPARE(cache.Count(), std::size_t(5));

    // A picture larger than the whole cache is not kept; equal keys replace each other.
    QImage huge(1000, 1000, QImage::Format_ARGB32_Premultiplied);
    cache.Insert(key(1000), huge);
    QVERIFY(cache.Find(key(1000)) == nullptr);
    cache.Insert(key(99), picture);
    QCOMPARE(cache.Count(), std::size_t(5));
    QVERIFY(cache.Find(key(99, "other")) == nullptr);
    TZelmarCellPictureKey selected = key(99);
    selected.Selected = true;
    QVERIFY(cache.Find(selected) == nullptr);

    // Many different settings do not make the cache grow without end.
    for (int n = 0; n < 300; ++n) cache.Insert(key(n, "settings " + std::to_string(n)), picture);
    QVERIFY(cache.Bytes() <= cache.MaxBytes());
    QVERIFY(cache.Find(key(299, "settings 299")) != nullptr);
}

void TestSheetPainting::sampleGridPicture() {
    const std::string folder = ZELMAR_SDF_CORPUS_DIR;
    struct TSource {
        const char* File;
        int Index;
    };
    const TSource sources[] = {{"pubchem_sample.sdf", 0},
                               {"pubchem_sample.sdf", 2},
                               {"pubchem_sample.sdf", 9},
                               {"pubchem_hard_subset.sdf", 5},
                               {"empty_molecules.sdf", 0}};
    std::vector<TSDRecord> rows;
    for (const TSource& s : sources) {
        const std::vector<TSDRecord> records = ReadSDRecords(folder + "/" + s.File, s.Index + 1);
        if (static_cast<int>(records.size()) <= s.Index) QSKIP("shared SD files not found");
        rows.push_back(records[static_cast<std::size_t>(s.Index)]);
    }

    TveskChemView2Pool pool;
    QVERIFY2(pool.PoolValid(), pool.LastError.c_str());
    pool.Margins->Mode = TveskChemView2Margins::mmPercent;
    pool.Margins->Left = pool.Margins->Top = pool.Margins->Right = pool.Margins->Bottom = 5;
    TveskMolManager molecules;
    QVERIFY2(molecules.IsLibLoaded(), "routines library not found");

    struct TRowValues {
        std::string Formula;
        double Weight = 0;
        std::string Name;
    };
    std::vector<TRowValues> values;
    for (const TSDRecord& r : rows) {
        TRowValues v;
        std::uintptr_t handle = 0;
        if (molecules.OpenMolString(r.Molfile, handle)) {
            molecules.GetMolFormula(handle, v.Formula, true, "*");
            molecules.GetMolMass(handle, v.Weight);
            molecules.DestroyMolFile(handle);
        }
        v.Name = r.Item("PUBCHEM_IUPAC_NAME");
        if (v.Name.empty()) v.Name = r.Item("TestSubstance_ChemicalName");
        values.push_back(v);
    }

    const int widths[] = {34, 32, 170, 130, 96, 190};
    const char* const captions[] = {"",    "", "Molek\xC3\xBCl", "Summenformel", "Molekulargewicht",
                                    "Name"};
    const TZelmarFieldKind kinds[] = {ecsdtDataText, ecsdtCheckbox,  ecsdtChemistry,
                                      ecsdtFormula,  ecsdtMolweight, ecsdtDataText};
    const int columns = 6;
    const int headerHeight = 22;
    const int rowHeight = 78;
    const int selectedRow = 3;
    const QColor headerColor(190, 205, 228);
    const QColor gridLine(200, 200, 200);

    TZelmarImageList boxes(13, 13);
    for (bool ticked : {false, true}) {
        QPixmap box(13, 13);
        box.fill(Qt::white);
        QPainter p(&box);
        p.setPen(QColor(80, 80, 80));
        p.drawRect(0, 0, 12, 12);
        if (ticked) {
            p.setPen(QPen(QColor(0, 110, 0), 2));
            p.drawLine(3, 6, 5, 9);
            p.drawLine(5, 9, 10, 3);
        }
        p.end();
        boxes.Add(box);
    }

    TZelmarDataPainter painter;
    TZelmarCellPictureCache cache;
    painter.PictureCache = &cache;
    painter.CheckboxImages = &boxes;
    painter.OnGetData = [&](TZelmarDataPainter*, int row, int column, TZelmarDataCarrier& data) {
        if (row == 0) {
            data.SetKind(ecsdtDataText);
            data.SetText(captions[column]);
            return true;
        }
        const std::size_t r = static_cast<std::size_t>(row - 1);
        data.SetKind(kinds[column]);
        switch (kinds[column]) {
            case ecsdtChemistry:
                data.SetText(rows[r].Molfile);
                break;
            case ecsdtFormula:
                data.SetText(values[r].Formula);
                break;
            case ecsdtMolweight:
                data.SetValue(values[r].Weight);
                break;
            case ecsdtCheckbox:
                data.SetChecked(row != 2);
                break;
            default:
                data.SetText(column == 0 ? std::to_string(row) : values[r].Name);
        }
        return true;
    };
    painter.OnGetBgColor = [&](TZelmarDataPainter*, int row, int column, QColor& color,
                               TZelmarGridDrawState state) {
        if (row == 0) {
            color = headerColor;
        } else if (column == 0) {
            color = QColor(232, 236, 242);
        } else {
            color = (state & gdSelected) != 0 ? Highlight : QColor(Qt::white);
        }
        return true;
    };
    painter.OnPaintSpecialBackground = [&](TZelmarDataPainter* sender, QPainter& canvas,
                                           const QRect& rect, const QColor& color, int column,
                                           int row) {
        if (row != 0 || (column != 0 && column != columns - 1)) return false;
        if (column == 0) {
            sender->PaintLeftEcke(&canvas, rect, color);
        } else {
            sender->PaintRightEcke(&canvas, rect.adjusted(0, 0, 1, 0), color);
        }
        return true;
    };
    painter.OnGetMolViewer = [&](TZelmarDataPainter*, const std::string& text, int) {
        return pool.CreateMolViewFromString(text);
    };
    painter.OnReleaseMolViewer = [&](TZelmarDataPainter*, std::unique_ptr<TveskMolView2> view) {
        pool.ReleaseMolView(std::move(view));
    };
    painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) { return pool.SettingsKey(); };

    int totalWidth = 0;
    for (int w : widths) totalWidth += w + 1;
    const int totalHeight = headerHeight + 1 + 5 * (rowHeight + 1);
    std::vector<QRect> structureCells;
    const QImage grid = Picture(totalWidth, totalHeight, [&](QPainter& p) {
        p.fillRect(QRect(0, 0, totalWidth, totalHeight), gridLine);
        int y = 0;
        for (int row = 0; row <= 5; ++row) {
            const int height = row == 0 ? headerHeight : rowHeight;
            int x = 0;
            for (int column = 0; column < columns; ++column) {
                const QRect cell(x, y, widths[column], height);
                QFont font = QApplication::font();
                font.setBold(row == 0);
                p.setFont(font);
                const TZelmarGridDrawState state =
                    (row == selectedRow && column > 0)
                        ? unsigned(gdSelected)
                        : (row == 0 || column == 0 ? unsigned(gdFixed) : 0u);
                painter.PaintTo(&p, cell, column, row, state);
                if (row > 0 && kinds[column] == ecsdtChemistry) structureCells.push_back(cell);
                x += widths[column] + 1;
            }
            y += height + 1;
        }
    });
    const QString path = QStringLiteral(ZELMAR_SAMPLE_GRID_PNG);
    QVERIFY(grid.save(path));
    qInfo("sample grid written to %s", qPrintable(path));

    QCOMPARE(structureCells.size(), std::size_t(5));
    for (std::size_t i = 0; i < structureCells.size(); ++i) {
        const QRect inner = structureCells[i].adjusted(2, 2, -2, -2);
        const bool selected = static_cast<int>(i) + 1 == selectedRow;
        const QColor paper = selected ? Highlight : QColor(Qt::white);
        QVERIFY2(InkOf(grid, inner, paper).Count > 100, qPrintable(QString("row %1").arg(i + 1)));
        if (selected) QCOMPARE(CountPixels(grid, inner, IsDark), 0);
    }
    // The header's outer corners are rounded off.
    QCOMPARE(grid.pixel(0, 0), QApplication::palette().color(QPalette::Base).rgba());
    QCOMPARE(grid.pixel(totalWidth - 2, 0), QApplication::palette().color(QPalette::Base).rgba());
}
