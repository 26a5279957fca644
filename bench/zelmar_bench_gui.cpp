// zelmar_bench gui FILE: the file opened in a real sheet window (offscreen), then scrolled page
// by page with the structure column in view, as a user pages through a sheet. "--in-place"
// draws the structures while painting, as before the workers drew them.

#include <sys/resource.h>
#include <time.h>

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Zelmar_Object_HintManager.h"
#include "Zelmar_Object_PictureRenderer.h"
#include "Zelmar_SheetGrid.h"
#include "Zelmar_Window.h"
#include "vesk_ChemView2.h"
#include "zelmar_bench_measure.h"
#include "zelmar_bench_numbers.h"

namespace {

double MsSince(TClock::time_point start) {
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Processor time of the calling thread: beside the wall time of a frame it tells work from
// waiting for a core on a busy machine.
double ThreadCpuMs() {
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct TStats {
    double Mean = 0, P99 = 0, Max = 0;
};

TStats Summarise(std::vector<double> values) {
    TStats stats;
    if (values.empty()) return stats;
    std::sort(values.begin(), values.end());
    double total = 0;
    for (double v : values) total += v;
    stats.Mean = total / static_cast<double>(values.size());
    const auto rank =
        static_cast<std::size_t>(std::ceil(0.99 * static_cast<double>(values.size())));
    stats.P99 = values[std::max<std::size_t>(rank, 1) - 1];
    stats.Max = values.back();
    return stats;
}

// Runs the event loop until the condition holds; false after the time-out.
template <typename Condition>
bool PumpUntil(Condition&& done, double timeoutMs) {
    const auto start = TClock::now();
    while (!done()) {
        if (MsSince(start) > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct TOptions {
    int MaxPages = 0;      // 0: top to bottom
    bool InPlace = false;  // pictures drawn while painting, on the user-interface thread
};

bool ParseOptions(const std::vector<std::string>& args, TOptions& options) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--max-pages" && i + 1 < args.size()) {
            options.MaxPages = std::atoi(args[++i].c_str());
        } else if (args[i] == "--in-place") {
            options.InPlace = true;
        } else {
            std::fprintf(stderr, "unknown option %s\n", args[i].c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int RunGui(const std::string& file, const std::vector<std::string>& args) {
    TOptions options;
    if (!ParseOptions(args, options)) return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "zelmar_bench";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    KeepNumbersMachineReadable();

    // The viewer pool set up as the main window sets up its own.
    TveskChemView2Pool pool;
    if (!pool.PoolValid()) {
        std::fprintf(stderr, "viewer library: %s\n", pool.LastError.c_str());
        return 1;
    }
    pool.Margins->Mode = TveskChemView2Margins::mmPercent;
    pool.Margins->Left = pool.Margins->Top = pool.Margins->Right = pool.Margins->Bottom = 5;
    pool.WriteDefaults();

    TZelmarHintManager hints;
    auto window = std::make_unique<TZelmarWindow>(nullptr, &hints);
    window->SetOnGetMolViewer([&](TZelmarDataPainter*, const std::string& text, int) {
        return pool.CreateMolViewFromString(text);
    });
    window->SetOnReleaseMolViewer([&](TZelmarDataPainter*, std::unique_ptr<TveskMolView2> view) {
        pool.ReleaseMolView(std::move(view));
    });
    window->SetOnGetMolViewerSettings([&](TZelmarDataPainter*) { return pool.SettingsKey(); });
    window->SetDrawPicturesInPlace(options.InPlace);
    window->resize(1024, 768);
    window->show();
    QApplication::processEvents();
    TZelmarSheetGrid* grid = window->Grid();

    // Opening: the end of indexing and the first painted rows, counted from LoadFile.
    const auto opened = TClock::now();
    if (!window->LoadFile(file)) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        return 1;
    }
    double indexMs = -1;
    PumpUntil(
        [&] {
            if (indexMs < 0 && !window->Indexing() && grid->RowCount() > 2)
                indexMs = MsSince(opened);
            return indexMs >= 0 || (!window->Loading() && !window->Indexing());
        },
        600000);
    if (indexMs < 0) {
        std::fprintf(stderr, "%s: no records shown\n", file.c_str());
        return 1;
    }
    grid->viewport()->repaint();
    const double firstRowsMs = MsSince(opened);
    const int records = grid->RowCount() - 2;

    // The scroll passes measure painting, not the loader running beside them.
    PumpUntil([&] { return !window->Loading(); }, 3600000);
    const int page = std::max(1, grid->viewport()->height() / std::max(1, grid->RowHeight(1)));
    int pages = (records + page - 1) / page;
    if (options.MaxPages > 0) pages = std::min(pages, options.MaxPages);

    // One frame: the page scrolled into view and painted; milliseconds.
    std::vector<double> newRowsCpu;
    auto frame = [&](int top) {
        grid->SetTopRow(top);
        const auto start = TClock::now();
        const double cpu = ThreadCpuMs();
        grid->viewport()->repaint();
        newRowsCpu.push_back(ThreadCpuMs() - cpu);
        return MsSince(start);
    };
    // Until every structure of the page is painted: no picture left to come, and a frame
    // painted without a placeholder (the cells repaint themselves when their pictures come).
    TZelmarDataPainter* painter = window->Painter();
    TZelmarPictureRenderer* renderer = window->Renderer();
    auto picturesPainted = [&] {
        if (renderer != nullptr && renderer->Pending() > 0) return false;
        painter->PlaceholdersPainted = 0;
        grid->viewport()->repaint();
        return painter->PlaceholdersPainted == 0;
    };
    std::vector<double> newRows, drawnRows, picturesReady;
    for (int p = 0; p < pages; ++p) {
        const auto shown = TClock::now();
        painter->PlaceholdersPainted = 0;
        newRows.push_back(frame(1 + p * page));
        if (painter->PlaceholdersPainted > 0 && !PumpUntil(picturesPainted, 60000)) {
            std::fprintf(stderr, "pictures of page %d never came\n", p);
            return 1;
        }
        picturesReady.push_back(MsSince(shown));
        QApplication::processEvents();
    }
    const TStats freshCpu = Summarise(newRowsCpu);
    for (int p = 0; p < pages; ++p) {
        drawnRows.push_back(frame(1 + p * page));
        QApplication::processEvents();
    }

    const TStats fresh = Summarise(newRows), again = Summarise(drawnRows),
                 ready = Summarise(picturesReady);
    std::printf(
        "{\"records\":%d,\"index_s\":%.6f,\"first_rows_s\":%.6f,\"new_rows_mean_ms\":%.3f,"
        "\"new_rows_p99_ms\":%.3f,\"new_rows_max_ms\":%.3f,\"drawn_rows_mean_ms\":%.3f,"
        "\"drawn_rows_p99_ms\":%.3f,\"drawn_rows_max_ms\":%.3f,\"pictures_ready_p99_ms\":%.3f,"
        "\"peak_rss_mb\":%.1f}\n",
        records, indexMs / 1000.0, firstRowsMs / 1000.0, fresh.Mean, fresh.P99, fresh.Max,
        again.Mean, again.P99, again.Max, ready.P99, PeakRssMb());
    std::fprintf(stderr,
                 "pages %d of %d rows; new rows, processor time of the frame: mean %.3f "
                 "p99 %.3f max %.3f ms\n",
                 pages, page, freshCpu.Mean, freshCpu.P99, freshCpu.Max);
    window.reset();
    return 0;
}
