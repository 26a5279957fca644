#include "Zelmar_HitHighlight.h"

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

TZelmarHitHighlight::TZelmarHitHighlight(std::string queryMolFile, bool considerStereo,
                                         platform::TUiDispatcher* dispatcher)
    : FQuery(std::move(queryMolFile)), FConsiderStereo(considerStereo), FDispatcher(dispatcher) {}

TZelmarHitHighlight::~TZelmarHitHighlight() {
    GuardedVoid("TZelmarHitHighlight.Destroy", [&] {
        FLifetime.Revoke();
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FStop = true;
            FJobs.clear();
        }
        FWake.notify_all();
        if (FThread.joinable()) FThread.join();
    });
}

bool TZelmarHitHighlight::Start() {
    return Guarded("TZelmarHitHighlight.Start", false, [&] {
        if (FStarted) return FAvailable;
        FStarted = true;
        if (FDispatcher == nullptr) return false;
        auto engine = std::make_unique<TZelmarChemSearchEngine>();
        std::string error;
        engine->Init(error);
        if (!error.empty() || !engine->HasQueryMatch()) {
            TraceMessage("TZelmarHitHighlight.Start", tlInformation, "%s",
                         error.empty() ? "no GetQueryMatch: hits are not marked" : error.c_str());
            return false;
        }
        engine->SetQuery(FQuery);
        engine->SetConsiderStereo(FConsiderStereo);
        // The engine is used on the matching thread only from now on.
        FEngine = std::move(engine);
        FThread = std::thread([this] { MatchLoop(); });
        FAvailable = true;
        return true;
    });
}

void TZelmarHitHighlight::NoteHits(TZelmarSDFileDataList& list) {
    GuardedVoid("TZelmarHitHighlight.NoteHits", [&] {
        FHits.clear();
        FHits.reserve(static_cast<std::size_t>(list.GetCount()));
        for (int i = 0; i < list.GetCount(); ++i) {
            const TZelmarSDFileData* record = list.GetSDFileData(i);
            if (record == nullptr) continue;
            const std::string_view mol = record->MolString();
            THit& hit = FHits[record];
            hit.MolSize = mol.size();
            hit.MolHash = ZelmarMolTextHash(mol);
        }
    });
}

int TZelmarHitHighlight::Find(const TZelmarSDFileData* record, std::string_view molText,
                              TveskChemView2Highlight& highlight) {
    highlight = {};
    return Guarded("TZelmarHitHighlight.Find", static_cast<int>(haNone), [&]() -> int {
        if (!FAvailable || record == nullptr) return haNone;
        const auto found = FHits.find(record);
        if (found == FHits.end()) return haNone;
        THit& hit = found->second;
        // The size first: most edits change it, and it costs nothing.
        if (hit.MolSize != molText.size() || hit.MolHash != ZelmarMolTextHash(molText))
            return haNone;
        if (hit.Asked) return haPending;
        if (!hit.Known) {
            hit.Asked = true;
            ++FPending;
            {
                std::lock_guard<std::mutex> lock(FMutex);
                FJobs.push_back({record, std::string(molText), hit.MolSize, hit.MolHash});
            }
            FWake.notify_one();
            return haPending;
        }
        if (!hit.Found) return haNone;
        highlight.Atoms = hit.Atoms;
        highlight.Bonds = hit.Bonds;
        highlight.Colour = Colour;
        return haMarked;
    });
}

void TZelmarHitHighlight::MatchLoop() {
    for (;;) {
        TJob job;
        {
            std::unique_lock<std::mutex> lock(FMutex);
            FWake.wait(lock, [&] { return FStop || !FJobs.empty(); });
            if (FStop) break;
            // The newest first: the rows in view now, not those scrolled past.
            job = std::move(FJobs.back());
            FJobs.pop_back();
        }
        // Nothing leaves the thread as an exception; a failed match marks nothing.
        std::vector<std::int32_t> atoms, bonds;
        const bool found = Guarded("TZelmarHitHighlight.Match", false, [&] {
            return FEngine->QueryMatch(job.MolText, atoms, bonds) == 1;
        });
        Deliver(std::move(job), found, std::move(atoms), std::move(bonds));
    }
}

void TZelmarHitHighlight::Deliver(TJob job, bool found, std::vector<std::int32_t> atoms,
                                  std::vector<std::int32_t> bonds) {
    GuardedVoid("TZelmarHitHighlight.Deliver", [&] {
        auto result = std::make_shared<TJob>(std::move(job));
        auto marks =
            std::make_shared<std::pair<std::vector<std::int32_t>, std::vector<std::int32_t>>>(
                std::move(atoms), std::move(bonds));
        FDispatcher->Post(FLifetime.Guard([this, result, marks, found] {
            if (FPending > 0) --FPending;
            ++FMatchesMade;
            const auto it = FHits.find(result->Record);
            // Noted anew since (another hit list) or asked again: this answer is not theirs.
            if (it == FHits.end() || !it->second.Asked || it->second.MolSize != result->MolSize ||
                it->second.MolHash != result->MolHash)
                return;
            THit& hit = it->second;
            hit.Asked = false;
            hit.Known = true;
            hit.Found = found;
            hit.Atoms = std::move(marks->first);
            hit.Bonds = std::move(marks->second);
            if (OnMatched) OnMatched(result->Record);
        }));
    });
}
