#include "Zelmar_Object_PictureRenderer.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "vesk_ChemView2.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

// One text per distinct picture: the same molecule at the same size and settings is drawn once
// however many cells show it.
std::string JobId(const TZelmarCellPictureKey& key) {
    std::string id;
    id.reserve(key.MolText.size() + key.Settings.size() + 32);
    id += std::to_string(key.Width);
    id += 'x';
    id += std::to_string(key.Height);
    id += key.Selected ? 's' : 'n';
    for (double size : {key.Sizes.BondLength, key.Sizes.MinLabelSize, key.Sizes.LineWidth}) {
        id += std::to_string(size);
        id += ';';
    }
    if (!key.Highlight.Empty()) {
        id += 'h';
        id += std::to_string(key.Highlight.Colour);
        for (const auto* list : {&key.Highlight.Atoms, &key.Highlight.Bonds}) {
            id += ':';
            for (std::int32_t i : *list) id += std::to_string(i) + ',';
        }
    }
    id += key.Settings;
    id += key.MolText;
    return id;
}

// Workers yield to the user-interface thread, whose frames are what the user waits for: a few
// nice levels for this thread only (Linux keeps one per thread). Not being allowed is no
// reason to stop.
void LowerOwnPriority() {
    constexpr int kSteps = 5;
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, tid);
    if (errno != 0) return;
    (void)::setpriority(PRIO_PROCESS, tid, std::min(19, current + kSteps));
}

}  // namespace

struct TZelmarPictureRenderer::TJob {
    std::string Id;
    TZelmarCellPictureKey Key;
    int DotsPerInchX = 96;
    int DotsPerInchY = 96;
    qreal Ratio = 1.0;
    // User-interface thread only.
    std::vector<TCell> Cells;
};

TZelmarPictureRenderer::TZelmarPictureRenderer(platform::TUiDispatcher* dispatcher, int workerCount)
    : FDispatcher(dispatcher),
      FWorkerCount(std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1,
                              std::max(1, workerCount))) {}

TZelmarPictureRenderer::~TZelmarPictureRenderer() {
    GuardedVoid("TZelmarPictureRenderer.Destroy", [&] {
        FLifetime.Revoke();
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FStop = true;
            FQueue.clear();
        }
        FWake.notify_all();
        for (std::thread& thread : FThreads) {
            if (thread.joinable()) thread.join();
        }
    });
}

void TZelmarPictureRenderer::StartWorkers() {
    // Without the event the owner has no viewers yet: asked again with the next request.
    if (!OnGetView || FDispatcher == nullptr) return;
    FStarted = true;
    for (int i = 0; i < FWorkerCount; ++i) {
        std::unique_ptr<TveskMolView2> view = OnGetView();
        if (!view) break;
        // The view is used and freed on its worker only.
        FThreads.emplace_back([this, v = std::move(view)]() mutable { WorkerLoop(std::move(v)); });
    }
}

bool TZelmarPictureRenderer::Request(const TZelmarCellPictureKey& key, int dotsPerInchX,
                                     int dotsPerInchY, qreal ratio, TCell cell) {
    return Guarded("TZelmarPictureRenderer.Request", false, [&] {
        if (!FStarted) StartWorkers();
        if (FThreads.empty() || key.Width <= 0 || key.Height <= 0) return false;
        std::string id = JobId(key);
        if (const auto found = FPending.find(id); found != FPending.end()) {
            std::vector<TCell>& cells = found->second->Cells;
            const bool known = std::any_of(cells.begin(), cells.end(), [&](const TCell& c) {
                return c.Column == cell.Column && c.Row == cell.Row;
            });
            if (!known) cells.push_back(cell);
            return true;
        }
        auto job = std::make_shared<TJob>();
        job->Id = id;
        job->Key = key;
        job->DotsPerInchX = dotsPerInchX;
        job->DotsPerInchY = dotsPerInchY;
        job->Ratio = ratio;
        job->Cells.push_back(cell);
        FPending.emplace(std::move(id), job);
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FQueue.push_back(std::move(job));
        }
        FWake.notify_one();
        return true;
    });
}

void TZelmarPictureRenderer::DropRowsOutside(int firstRow, int lastRow) {
    GuardedVoid("TZelmarPictureRenderer.DropRowsOutside", [&] {
        std::lock_guard<std::mutex> lock(FMutex);
        auto outside = [&](const TCell& c) { return c.Row < firstRow || c.Row > lastRow; };
        for (auto it = FQueue.begin(); it != FQueue.end();) {
            std::vector<TCell>& cells = (*it)->Cells;
            cells.erase(std::remove_if(cells.begin(), cells.end(), outside), cells.end());
            if (!cells.empty()) {
                ++it;
                continue;
            }
            FPending.erase((*it)->Id);
            it = FQueue.erase(it);
        }
    });
}

void TZelmarPictureRenderer::HoldWorkers(bool hold) {
    GuardedVoid("TZelmarPictureRenderer.HoldWorkers", [&] {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FHeld = hold;
        }
        if (!hold) FWake.notify_all();
    });
}

std::shared_ptr<TZelmarPictureRenderer::TJob> TZelmarPictureRenderer::TakeJob() {
    std::unique_lock<std::mutex> lock(FMutex);
    FWake.wait(lock, [&] { return FStop || (!FHeld && !FQueue.empty()); });
    if (FStop) return nullptr;
    std::shared_ptr<TJob> job = std::move(FQueue.front());
    FQueue.pop_front();
    return job;
}

namespace {

// Draws the job's molecule with the settings it was asked with; a transparent picture when
// the viewer fails, so that the cell stops waiting (the painter draws nothing then, too).
QImage DrawPicture(TveskMolView2& view, const TZelmarCellPictureKey& key, int dpiX, int dpiY,
                   qreal ratio, std::string& appliedSettings) {
    static const char* const source = "TZelmarPictureRenderer.Draw";
    QImage picture(key.Width, key.Height, QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull()) return picture;
    picture.fill(Qt::transparent);
    picture.setDevicePixelRatio(ratio);
    // A selected picture changes the view's colours: the next job applies its settings anew.
    const std::string wanted = key.Settings + (key.Selected ? "s" : "n");
    if (wanted != appliedSettings) {
        appliedSettings.clear();
        if (!view.ApplySettingsKey(key.Settings)) return picture;
        if (key.Selected) SetSelectedLook(view);
        appliedSettings = wanted;
    }
    view.DrawSizes = key.Sizes;  // sent when opening, as the marks are
    view.Highlight = key.Highlight;
    if (!view.OpenMolString(key.MolText)) {
        TraceMessage(source, tlWarning, "%s", view.Error->Message.c_str());
        return picture;
    }
    TveskChemView2DC dc;
    dc.Pixels = reinterpret_cast<std::uint32_t*>(picture.bits());
    dc.Width = picture.width();
    dc.Height = picture.height();
    dc.StrideBytes = static_cast<std::int32_t>(picture.bytesPerLine());
    dc.PixelsPerInchX = dpiX;
    dc.PixelsPerInchY = dpiY;
    if (!view.Draw(dc, {0, 0, dc.Width, dc.Height}))
        TraceMessage(source, tlWarning, "%s", view.Error->Message.c_str());
    view.CloseView();
    return picture;
}

}  // namespace

void TZelmarPictureRenderer::WorkerLoop(std::unique_ptr<TveskMolView2> view) {
    LowerOwnPriority();
    std::string appliedSettings;
    for (;;) {
        const std::shared_ptr<TJob> job = Guarded<std::shared_ptr<TJob>>(
            "TZelmarPictureRenderer.TakeJob", nullptr, [&] { return TakeJob(); });
        if (!job) break;
        // Nothing leaves the worker as an exception; a failed picture is delivered empty.
        QImage picture;
        GuardedVoid("TZelmarPictureRenderer.WorkerLoop", [&] {
            picture = DrawPicture(*view, job->Key, job->DotsPerInchX, job->DotsPerInchY, job->Ratio,
                                  appliedSettings);
        });
        Deliver(job, picture);
    }
    view.reset();
}

void TZelmarPictureRenderer::Deliver(const std::shared_ptr<TJob>& job, const QImage& picture) {
    GuardedVoid("TZelmarPictureRenderer.Deliver", [&] {
        FDispatcher->Post(FLifetime.Guard([this, job, picture] {
            const auto found = FPending.find(job->Id);
            if (found == FPending.end() || found->second != job) return;
            FPending.erase(found);
            if (OnPictureReady && !picture.isNull()) OnPictureReady(job->Key, picture, job->Cells);
        }));
    });
}
