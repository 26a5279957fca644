// Structure pictures drawn by the renderer's workers with views of a real viewer pool, handed
// back through a dispatcher the test pumps as the user-interface thread.

#include <QtTest>
#include <memory>
#include <set>
#include <vector>

#include "SheetPaintingTest.h"
#include "SheetTestSupport.h"
#include "Zelmar_Object_DataPainter.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "vesk_ChemView2.h"
#include "vesk_Dispatcher.h"

namespace {

// A carbon chain of n atoms ending in an oxygen: every n its own picture.
std::string Chain(int n) {
    char line[96];
    std::snprintf(line, sizeof line, "%3d%3d  0  0  0  0  0  0  0  0999 V2000\n", n, n - 1);
    std::string text = std::string("chain\n  zelmar\n\n") + line;
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f    0.0000 %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n", 1.3 * i,
                      i % 2 * 0.75, i + 1 == n ? "O" : "C");
        text += line;
    }
    for (int b = 1; b < n; ++b) {
        std::snprintf(line, sizeof line, "%3d%3d  1  0\n", b, b + 1);
        text += line;
    }
    return text + "M  END\n";
}

struct TDelivery {
    TZelmarCellPictureKey Key;
    QImage Picture;
    std::vector<TZelmarPictureRenderer::TCell> Cells;
};

// A renderer over a real pool, its deliveries collected.
struct TRendering {
    TveskChemView2Pool Pool;
    platform::TQueuedUiDispatcher Dispatcher;
    std::unique_ptr<TZelmarPictureRenderer> Renderer;
    std::vector<TDelivery> Delivered;
    bool WithViews = true;

    TRendering() {
        Pool.Margins->Mode = TveskChemView2Margins::mmPercent;
        Pool.Margins->Left = Pool.Margins->Top = Pool.Margins->Right = Pool.Margins->Bottom = 5;
        Renderer = std::make_unique<TZelmarPictureRenderer>(&Dispatcher);
        Renderer->OnGetView = [this]() -> std::unique_ptr<TveskMolView2> {
            return WithViews ? Pool.CreateMolViewFromString(std::string()) : nullptr;
        };
        Renderer->OnPictureReady = [this](const TZelmarCellPictureKey& key, const QImage& picture,
                                          const std::vector<TZelmarPictureRenderer::TCell>& cells) {
            Delivered.push_back({key, picture, cells});
        };
    }
    TZelmarCellPictureKey Key(const std::string& molText, int width, int height,
                              bool selected = false) const {
        TZelmarCellPictureKey key;
        key.MolText = molText;
        key.Width = width;
        key.Height = height;
        key.Selected = selected;
        key.Settings = Pool.SettingsKey();
        return key;
    }
    bool Request(const TZelmarCellPictureKey& key, int row) {
        return Renderer->Request(key, 96, 96, 1.0, {1, row});
    }
    bool WaitAll() {
        for (int i = 0; i < 400 && Renderer->Pending() > 0; ++i)
            Dispatcher.WaitAndProcess(std::chrono::milliseconds(50));
        return Renderer->Pending() == 0;
    }
};

}  // namespace

// The settings a picture is asked with travel with the request, not with the worker's view;
// that the pictures equal those drawn in place the sheet window tests show.
void TestSheetPainting::displaySettingsTravelWithTheRequest() {
    TRendering r;
    QVERIFY2(r.Pool.PoolValid(), r.Pool.LastError.c_str());
    const TZelmarCellPictureKey shown = r.Key(Chain(3), 124, 46);
    r.Pool.MolProperties->Display->HydrogenMode = 0;
    const TZelmarCellPictureKey hidden = r.Key(Chain(3), 124, 46);
    QVERIFY(r.Request(shown, 1) && r.Request(hidden, 2) && r.Request(shown, 3));
    QVERIFY(r.WaitAll());
    // The same molecule at the same settings is drawn once for both its cells.
    QCOMPARE(r.Delivered.size(), std::size_t{2});
    const bool shownFirst = r.Delivered[0].Key.Settings == shown.Settings;
    const TDelivery& withHydrogens = r.Delivered[shownFirst ? 0 : 1];
    QCOMPARE(withHydrogens.Cells.size(), std::size_t{2});
    QCOMPARE(r.Delivered[shownFirst ? 1 : 0].Key.Settings, hidden.Settings);
    QVERIFY(r.Delivered[0].Picture != r.Delivered[1].Picture);
}

void TestSheetPainting::rowsScrolledPastAreNotDrawn() {
    TRendering r;
    // Held while the rows are asked for and scrolled past, as a fast scroll outruns the
    // workers: then only the rows still shown are drawn, on a slow machine as on a fast one.
    r.Renderer->HoldWorkers(true);
    constexpr int kRows = 60;
    for (int row = 1; row <= kRows; ++row) QVERIFY(r.Request(r.Key(Chain(row + 1), 300, 200), row));
    r.Renderer->DropRowsOutside(kRows - 5, kRows);
    QCOMPARE(r.Renderer->Pending(), 6);
    r.Renderer->HoldWorkers(false);
    QVERIFY(r.WaitAll());
    std::set<int> rows;
    for (const TDelivery& d : r.Delivered)
        for (const auto& cell : d.Cells) rows.insert(cell.Row);
    QCOMPARE(rows, (std::set<int>{kRows - 5, kRows - 4, kRows - 3, kRows - 2, kRows - 1, kRows}));
}

void TestSheetPainting::withoutAViewerTheCellIsDrawnInPlace() {
    TRendering r;
    r.WithViews = false;
    QVERIFY(!r.Request(r.Key(Chain(4), 124, 46), 1));
    QCOMPARE(r.Renderer->Workers(), 0);

    // The painter then draws the structure at once instead of a placeholder.
    TZelmarCellPictureCache cache;
    TZelmarDataPainter painter;
    painter.PictureCache = &cache;
    painter.Renderer = r.Renderer.get();
    painter.OnGetData = [](TZelmarDataPainter*, int, int, TZelmarDataCarrier& data) {
        data.SetKind(ecsdtChemistry);
        data.SetText(Chain(4));
        return true;
    };
    painter.OnGetMolViewer = [&](TZelmarDataPainter*, const std::string& text, int) {
        return r.Pool.CreateMolViewFromString(text);
    };
    painter.OnReleaseMolViewer = [](TZelmarDataPainter*, std::unique_ptr<TveskMolView2>) {};
    painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) { return r.Pool.SettingsKey(); };
    sheetTest::Picture(128, 50,
                       [&](QPainter& p) { painter.PaintTo(&p, QRect(0, 0, 128, 50), 1, 1, 0); });
    QCOMPARE(painter.PlaceholdersPainted, 0);
    QCOMPARE(cache.Count(), std::size_t{1});
}
