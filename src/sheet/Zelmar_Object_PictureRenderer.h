#pragma once
// Structure pictures of grid cells drawn by a few worker threads, so that scrolling over rows
// never drawn before does not wait for the viewer. Each worker owns one molecule view and
// draws into a QImage; finished pictures reach the user-interface thread through the
// dispatcher, never a widget. Requests of cells scrolled out of view are dropped before they
// are drawn. All operations are for the user-interface thread.

#include <QImage>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "Zelmar_Object_DataPainter.h"
#include "vesk_Dispatcher.h"

class TveskMolView2;

class TZelmarPictureRenderer {
public:
    struct TCell {
        int Column = 0;
        int Row = 0;
    };
    // A view for a new worker, made with the program's viewer pool; none when there is none.
    // Workers start with the first request after it is set.
    using TGetViewEvent = std::function<std::unique_ptr<TveskMolView2>()>;
    // A picture is ready for these cells (they may show something else by now).
    using TPictureReadyEvent = std::function<void(
        const TZelmarCellPictureKey& key, const QImage& picture, const std::vector<TCell>& cells)>;

    // No more workers than cores in any case.
    static constexpr int DefaultWorkerCount = 2;

    explicit TZelmarPictureRenderer(platform::TUiDispatcher* dispatcher,
                                    int workerCount = DefaultWorkerCount);
    // Waits for the pictures being drawn; queued ones are dropped.
    ~TZelmarPictureRenderer();
    TZelmarPictureRenderer(const TZelmarPictureRenderer&) = delete;
    TZelmarPictureRenderer& operator=(const TZelmarPictureRenderer&) = delete;

    // Queues the picture for the cell, or adds the cell to the same picture already asked for.
    // False when no worker can draw (no viewer): the caller draws the picture itself.
    // dotsPerInch: the target's resolution in device pixels; ratio: its device pixel ratio.
    bool Request(const TZelmarCellPictureKey& key, int dotsPerInchX, int dotsPerInchY, qreal ratio,
                 TCell cell);
    // Cells outside the rows leave the queue; a picture left without cells is not drawn.
    // Pictures being drawn finish.
    void DropRowsOutside(int firstRow, int lastRow);
    // While held, workers begin no new picture (those being drawn finish): what is asked for
    // and dropped meanwhile settles before anything more is drawn, whatever the speed.
    void HoldWorkers(bool hold);
    // Pictures asked for and not yet delivered.
    int Pending() const { return static_cast<int>(FPending.size()); }
    int Workers() const { return static_cast<int>(FThreads.size()); }

    TGetViewEvent OnGetView;
    TPictureReadyEvent OnPictureReady;

private:
    struct TJob;
    void StartWorkers();
    void WorkerLoop(std::unique_ptr<TveskMolView2> view);
    std::shared_ptr<TJob> TakeJob();
    void Deliver(const std::shared_ptr<TJob>& job, const QImage& picture);

    platform::TUiDispatcher* const FDispatcher;
    const int FWorkerCount;
    bool FStarted = false;
    // User-interface thread: every picture asked for and not delivered, by its identity.
    std::unordered_map<std::string, std::shared_ptr<TJob>> FPending;

    std::mutex FMutex;  // guards FQueue, FStop and FHeld
    std::condition_variable FWake;
    std::deque<std::shared_ptr<TJob>> FQueue;
    bool FStop = false;
    bool FHeld = false;
    std::vector<std::thread> FThreads;
    // Declared last: revoked first, so no delivery runs into a renderer being destroyed.
    platform::TLifetime FLifetime;
};
