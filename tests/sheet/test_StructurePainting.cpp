// Structure cells with the real viewer library, the picture cache, and a painted sample grid.

#include <QApplication>
#include <QtTest>
#include <memory>
#include <stdexcept>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_Object_DataPainter.h"
#include "vesk_ChemRoutines.h"
#include "vesk_ChemView2.h"

using namespace sheetTest;

namespace {

std::string Chain(const char* title, const std::vector<const char*>& atoms) {
    const std::vector<std::string> symbols(atoms.begin(), atoms.end());
    return molfile_support::Chain(title, "  zelmar", symbols, 1.3, 0.75).Text();
}

const std::string Ethanol = Chain("ethanol", {"C", "C", "O"});
const std::string Hexanol = Chain("hexanol", {"C", "C", "C", "C", "C", "C", "O"});
const QColor Highlight(0, 90, 180);

// A painter of one molecule per cell with views lent by a pool, counted.
struct TStructureCells {
    TveskChemView2Pool Pool;
    TZelmarDataPainter Painter;
    TZelmarDataCarrier Value;
    int Lent = 0, Returned = 0;

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
    QImage Paint(const std::string& molfile, int width, TZelmarGridDrawState state = 0) {
        Value.SetText(molfile);
        return Picture(width, 60, [&](QPainter& p) {
            Painter.PaintTo(&p, QRect(0, 0, width, 60), 1, 1, state);
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
        const QImage selected = cells.Paint(Hexanol, 120, gdSelected | gdFocused);
        QCOMPARE(DarkPixels(selected), 0);
        // Drawn at the row's bond length, hexanol takes half the cell's width.
        QVERIFY(CountPixels(selected, selected.rect(), [](QRgb p) { return qGray(p) > 200; }) > 50);
        const QImage plain = cells.Paint(Hexanol, 120);
        QVERIFY(DarkPixels(plain) > 50);
        QCOMPARE(InkOf(plain, QRect(0, 0, 120, 2)).Count + InkOf(plain, QRect(0, 58, 120, 2)).Count,
                 0);
    }
    QCOMPARE(cells.Lent, 4);
    QCOMPARE(cells.Returned, 4);

    // A view that cannot draw is given back all the same, and a failing release stays inside.
    cells.Painter.OnReleaseMolViewer = [&](TZelmarDataPainter*, std::unique_ptr<TveskMolView2>) {
        ++cells.Returned;
        throw std::runtime_error("release failed");
    };
    const QImage nothing = cells.Paint("not a molfile\n\n\n  a  b\nM  END\n", 80);
    QCOMPARE(InkOf(nothing, nothing.rect()).Count, 0);
    QCOMPARE(cells.Returned, 5);
    cells.Painter.OnReleaseMolViewer = nullptr;  // without both events no view is borrowed
    cells.Paint(Hexanol, 80);
    QCOMPARE(cells.Lent, 5);
}

void TestSheetPainting::structuresShareOneBondLengthThatFollowsTheRowHeight() {
    TStructureCells cells;
    QVERIFY2(cells.Pool.PoolValid(), cells.Pool.LastError.c_str());
    cells.Painter.PictureCache = nullptr;
    // Without labels the ink of a chain is its bonds alone.
    cells.Pool.MolProperties->Display->HydrogenMode = 0;
    const std::string hexane = Chain("hexane", {"C", "C", "C", "C", "C", "C"});
    const std::string ethane = Chain("ethane", {"C", "C"});
    // The ink's box in device pixels of a cell painted at the pixel ratio.
    auto ink = [&](const std::string& molfile, int width, int height, qreal ratio) {
        cells.Value.SetText(molfile);
        QImage image(qCeil(width * ratio), qCeil(height * ratio),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            cells.Painter.PaintTo(&painter, QRect(0, 0, width, height), 1, 1, 0);
        }
        return InkOf(image, image.rect()).Box;
    };
    const QRect narrow = ink(hexane, 140, 60, 1);
    const QRect wide = ink(hexane, 400, 60, 1);
    QCOMPARE(wide.size(), narrow.size());
    QVERIFY(qAbs(wide.center().x() - 200) <= 1);
    QVERIFY(narrow.width() < 100);
    // Four bonds more than ethane, whatever the width of the cell.
    const int fourBonds = narrow.width() - ink(ethane, 140, 60, 1).width();
    QVERIFY(qAbs(wide.width() - ink(ethane, 400, 60, 1).width() - fourBonds) <= 1);

    // A higher row draws longer bonds: twice the row, twice the picture but for the margins.
    const QRect tall = ink(hexane, 400, 120, 1);
    const double grown = double(tall.width()) / narrow.width();
    QVERIFY2(grown > 1.9 && grown < 2.25, qPrintable(QString::number(grown)));
    // Twice the pixels: the same picture as large, drawn at the device's pixels.
    const QRect sharp = ink(hexane, 400, 60, 2);
    const double doubled = double(sharp.width()) / narrow.width();
    QVERIFY2(doubled > 1.9 && doubled < 2.1, qPrintable(QString::number(doubled)));
    QVERIFY(qAbs(sharp.height() - 2 * narrow.height()) <= 3);

    // A chain too long for the cell is shrunk into it.
    std::vector<const char*> carbons(40, "C");
    const QRect shrunk = ink(Chain("long", carbons), 140, 60, 1);
    QVERIFY(shrunk.width() > 120);
    QVERIFY(shrunk.left() >= 2 && shrunk.right() < 138);
}

void TestSheetPainting::picturesAreCachedPerMoleculeSizeStateAndSettings() {
    TStructureCells cells;
    QVERIFY2(cells.Pool.PoolValid(), cells.Pool.LastError.c_str());
    TZelmarCellPictureCache cache;
    cells.Painter.PictureCache = &cache;
    cells.Painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) {
        return cells.Pool.SettingsKey();
    };

    const QImage first = cells.Paint(Ethanol, 120);
    QCOMPARE(cells.Paint(Ethanol, 120), first);
    QCOMPARE(cells.Lent, 1);  // the second time from the cache, no view borrowed
    cells.Paint(Ethanol, 120, gdSelected);
    cells.Paint(Ethanol, 140);
    cells.Paint(Hexanol, 120);
    QCOMPARE(cells.Lent, 4);
    QCOMPARE(cache.Count(), std::size_t(4));

    // Other display settings draw anew: ethanol without its OH and CH3 labels.
    cells.Pool.MolProperties->Display->HydrogenMode = 0;
    const QImage bare = cells.Paint(Ethanol, 120);
    QCOMPARE(cells.Lent, 5);
    QVERIFY(DarkPixels(bare) < DarkPixels(first));

    // Without the settings event the borrowed view's own key finds the picture.
    cells.Painter.OnGetMolViewerSettings = nullptr;
    QCOMPARE(cells.Paint(Ethanol, 120), bare);
    QCOMPARE(cells.Lent, 6);
    QCOMPARE(cache.Count(), std::size_t(5));
    QCOMPARE(cells.Returned, cells.Lent);
}

void TestSheetPainting::cacheStaysWithinItsBound() {
    QImage picture(100, 50, QImage::Format_ARGB32_Premultiplied);
    TZelmarCellPictureCache cache(5 * static_cast<std::size_t>(picture.sizeInBytes()) + 1000);
    auto key = [](int n, const std::string& settings = "s") {
        TZelmarCellPictureKey k;
        k.MolText = "mol " + std::to_string(n);
        k.Width = 100;
        k.Height = 50;
        k.Settings = settings;
        return k;
    };
    for (int n = 0; n < 5; ++n) cache.Insert(key(n), picture);
    QVERIFY(cache.Find(key(0)) != nullptr);  // now the most recently used
    cache.Insert(key(5), picture);
    cache.Insert(key(6), picture);
    QVERIFY(cache.Find(key(0)) && !cache.Find(key(1)) && !cache.Find(key(2)) && cache.Find(key(6)));
    for (int n = 7; n < 100; ++n) cache.Insert(key(n), picture);
    QCOMPARE(cache.Count(), std::size_t(5));
    QVERIFY(cache.Bytes() <= cache.MaxBytes());
    cache.Insert(key(1000), QImage(1000, 1000, QImage::Format_ARGB32_Premultiplied));
    QVERIFY(!cache.Find(key(1000)));  // larger than the whole cache
    TZelmarCellPictureKey selected = key(99);
    selected.Selected = true;
    QVERIFY(cache.Find(key(99)) && !cache.Find(key(99, "other")) && !cache.Find(selected));
    for (int n = 0; n < 300; ++n) cache.Insert(key(n, std::to_string(n)), picture);
    QVERIFY(cache.Bytes() <= cache.MaxBytes() && cache.Find(key(299, "299")));
}

void TestSheetPainting::sampleGridPicture() {
    const std::pair<const char*, int> sources[] = {{"pubchem_sample.sdf", 0},
                                                   {"pubchem_sample.sdf", 2},
                                                   {"pubchem_sample.sdf", 9},
                                                   {"pubchem_hard_subset.sdf", 5},
                                                   {"empty_molecules.sdf", 0}};
    std::vector<std::unique_ptr<TveskSDFileEntry>> rows;
    for (const auto& [file, index] : sources) {
        TveskSDFileManager manager;
        if (!manager.OpenSDFile(std::string(ZELMAR_SDF_CORPUS_DIR) + "/" + file, "", nullptr,
                                nullptr, true)) {
            QSKIP("shared SD files not found");
        }
        rows.push_back(std::make_unique<TveskSDFileEntry>());
        QVERIFY2(manager.LoadEntryData(index, rows.back().get()), manager.LastError.c_str());
    }
    TveskChemView2Pool pool;
    QVERIFY2(pool.PoolValid(), pool.LastError.c_str());
    pool.Margins->Mode = TveskChemView2Margins::mmPercent;  // as the main window sets it
    pool.Margins->Left = pool.Margins->Top = pool.Margins->Right = pool.Margins->Bottom = 5;

    const int widths[] = {34, 32, 170, 130, 96, 190};
    const char* const captions[] = {"",    "", "Molek\xC3\xBCl", "Summenformel", "Molekulargewicht",
                                    "Name"};
    const TZelmarFieldKind kinds[] = {ecsdtDataText, ecsdtCheckbox,  ecsdtChemistry,
                                      ecsdtFormula,  ecsdtMolweight, ecsdtDataText};
    const int selectedRow = 3, headerHeight = 22, rowHeight = 78;
    TZelmarImageList boxes(13, 13);
    for (bool ticked : {false, true}) {
        QPixmap box(13, 13);
        box.fill(Qt::white);
        QPainter p(&box);
        p.drawRect(0, 0, 12, 12);
        p.setPen(QPen(QColor(0, 110, 0), 2));
        if (ticked) p.drawPolyline(QPolygon({QPoint(3, 6), QPoint(5, 9), QPoint(10, 3)}));
        p.end();
        boxes.Add(box);
    }

    TZelmarDataPainter painter;
    TZelmarCellPictureCache cache;
    painter.PictureCache = &cache;
    painter.CheckboxImages = &boxes;
    painter.OnGetData = [&](TZelmarDataPainter*, int row, int column, TZelmarDataCarrier& data) {
        TveskSDFileEntry* entry = row > 0 ? rows[static_cast<std::size_t>(row - 1)].get() : nullptr;
        data.SetKind(entry ? kinds[column] : ecsdtDataText);
        if (!entry) {
            data.SetText(captions[column]);
        } else if (kinds[column] == ecsdtChemistry) {
            data.SetText(entry->MolString());
        } else if (kinds[column] == ecsdtFormula) {
            data.SetText(entry->GetFormula());
        } else if (kinds[column] == ecsdtMolweight) {
            data.SetValue(entry->GetMolweight());
        } else if (kinds[column] == ecsdtCheckbox) {
            data.SetChecked(row != 2);
        } else if (column == 0) {
            data.SetText(std::to_string(row));
        } else {
            TveskSDFileEntryData* name = entry->FindData("PUBCHEM_IUPAC_NAME");
            if (!name) name = entry->FindData("TestSubstance_ChemicalName");
            data.SetText(name && !name->Lines.empty() ? name->Lines[0] : entry->Title);
        }
        return true;
    };
    painter.OnGetBgColor = [&](TZelmarDataPainter*, int row, int column, QColor& color,
                               TZelmarGridDrawState state) {
        color = row == 0               ? QColor(190, 205, 228)
                : column == 0          ? QColor(232, 236, 242)
                : (state & gdSelected) ? Highlight
                                       : Qt::white;
        return true;
    };
    painter.OnPaintSpecialBackground = [&](TZelmarDataPainter* sender, QPainter& canvas,
                                           const QRect& rect, const QColor& color, int column,
                                           int row) {
        if (row != 0 || (column != 0 && column != 5)) return false;
        column == 0 ? sender->PaintLeftEcke(&canvas, rect, color)
                    : sender->PaintRightEcke(&canvas, rect.adjusted(0, 0, 1, 0), color);
        return true;
    };
    painter.OnGetMolViewer = [&](TZelmarDataPainter*, const std::string& text, int) {
        return pool.CreateMolViewFromString(text);
    };
    painter.OnReleaseMolViewer = [&](TZelmarDataPainter*, std::unique_ptr<TveskMolView2> view) {
        pool.ReleaseMolView(std::move(view));
    };
    painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) { return pool.SettingsKey(); };

    const int width = 658, height = headerHeight + 1 + 5 * (rowHeight + 1);
    std::vector<QRect> structures;
    const QImage grid = Picture(
        width, height,
        [&](QPainter& p) {
            for (int row = 0, y = 0; row <= 5;
                 y += (row == 0 ? headerHeight : rowHeight) + 1, ++row) {
                QFont font = QApplication::font();
                font.setBold(row == 0);
                p.setFont(font);
                for (int column = 0, x = 0; column < 6; x += widths[column] + 1, ++column) {
                    const QRect cell(x, y, widths[column], row == 0 ? headerHeight : rowHeight);
                    painter.PaintTo(&p, cell, column, row,
                                    row == selectedRow && column > 0 ? unsigned(gdSelected) : 0u);
                    if (row > 0 && column == 2) structures.push_back(cell);
                }
            }
        },
        QColor(200, 200, 200));
    QVERIFY(grid.save(ZELMAR_SAMPLE_GRID_PNG));
    qInfo("sample grid written to %s", ZELMAR_SAMPLE_GRID_PNG);

    for (int row = 1; row <= 5; ++row) {
        const QRect inner = structures[static_cast<std::size_t>(row - 1)].adjusted(2, 2, -2, -2);
        QVERIFY(InkOf(grid, inner, row == selectedRow ? Highlight : Qt::white).Count > 100);
        if (row == selectedRow) QCOMPARE(CountPixels(grid, inner, IsDark), 0);
    }
    QCOMPARE(grid.pixel(0, 0), QApplication::palette().color(QPalette::Base).rgba());  // rounded
}
