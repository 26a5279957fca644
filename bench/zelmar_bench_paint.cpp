// zelmar_bench paint FILE: a grid's structure column scrolled row by row, painted through the
// data painter with views from the viewer pool, with and without the cell picture cache.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_DataPainter.h"
#include "vesk_ChemRoutines.h"
#include "vesk_ChemView2.h"
#include "zelmar_bench_numbers.h"

int RunPaint(const std::string& file) {
    constexpr int kVisible = 40, kSteps = 100, kWidth = 128, kHeight = 50;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zelmar_bench";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    KeepNumbersMachineReadable();

    TveskSDFileManager manager;
    if (!manager.OpenSDFile(file, "", nullptr, nullptr, true)) {
        std::fprintf(stderr, "cannot open %s: %s\n", file.c_str(), manager.LastError.c_str());
        return 1;
    }
    std::vector<std::string> molfiles;
    for (int i = 0; i < std::min(manager.TotalCount(), kVisible + kSteps); ++i) {
        TveskSDFileEntry entry;
        if (manager.LoadEntryData(i, &entry)) molfiles.push_back(entry.MolString());
    }
    if (static_cast<int>(molfiles.size()) < kVisible + 1) {
        std::fprintf(stderr, "%s: fewer than %d readable records\n", file.c_str(), kVisible + 1);
        return 1;
    }
    TveskChemView2Pool pool;
    if (!pool.PoolValid()) {
        std::fprintf(stderr, "viewer library: %s\n", pool.LastError.c_str());
        return 1;
    }
    pool.Margins->Mode = TveskChemView2Margins::mmPercent;
    pool.Margins->Left = pool.Margins->Top = pool.Margins->Right = pool.Margins->Bottom = 5;

    TZelmarCellPictureCache cache;
    TZelmarDataPainter painter;
    painter.PictureCache = &cache;
    painter.OnGetData = [&](TZelmarDataPainter*, int row, int, TZelmarDataCarrier& data) {
        data.SetKind(ecsdtChemistry);
        data.SetText(molfiles[static_cast<std::size_t>(row) % molfiles.size()]);
        return true;
    };
    painter.OnGetMolViewer = [&](TZelmarDataPainter*, const std::string& text, int) {
        return pool.CreateMolViewFromString(text);
    };
    painter.OnReleaseMolViewer = [&](TZelmarDataPainter*, std::unique_ptr<TveskMolView2> view) {
        pool.ReleaseMolView(std::move(view));
    };
    painter.OnGetMolViewerSettings = [&](TZelmarDataPainter*) { return pool.SettingsKey(); };

    QImage screen(kWidth, kVisible * kHeight, QImage::Format_ARGB32_Premultiplied);
    // One frame: the visible rows from `top` on; milliseconds.
    auto frame = [&](int top) {
        const auto start = std::chrono::steady_clock::now();
        screen.fill(Qt::white);
        QPainter canvas(&screen);
        for (int row = 0; row < kVisible; ++row) {
            painter.PaintTo(&canvas, QRect(0, row * kHeight, kWidth, kHeight), 1, top + row, 0);
        }
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    const double cold = frame(0);
    const double warm = frame(0);
    const int steps = std::min<int>(kSteps, static_cast<int>(molfiles.size()) - kVisible);
    double total = 0, worst = 0;
    for (int top = 1; top <= steps; ++top) {
        const double ms = frame(top);
        total += ms;
        worst = std::max(worst, ms);
    }
    painter.PictureCache = nullptr;
    const double uncached = frame(0);
    std::printf(
        "{\"cells\":%d,\"cell\":\"%dx%d\",\"cold_screen_ms\":%.2f,\"cached_screen_ms\":%.2f,"
        "\"scroll_frame_ms_mean\":%.2f,\"scroll_frame_ms_max\":%.2f,\"uncached_screen_ms\":%.2f,"
        "\"cache_entries\":%zu,\"cache_mb\":%.2f}\n",
        kVisible, kWidth, kHeight, cold, warm, total / steps, worst, uncached, cache.Count(),
        static_cast<double>(cache.Bytes()) / (1024.0 * 1024.0));
    return 0;
}
