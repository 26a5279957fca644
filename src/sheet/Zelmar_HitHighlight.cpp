#include "Zelmar_HitHighlight.h"

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

TZelmarHitHighlight::TZelmarHitHighlight(std::string queryMolFile, bool considerStereo)
    : FQuery(std::move(queryMolFile)), FConsiderStereo(considerStereo) {}

TZelmarHitHighlight::~TZelmarHitHighlight() = default;

bool TZelmarHitHighlight::Start() {
    return Guarded("TZelmarHitHighlight.Start", false, [&] {
        if (FStarted) return FEngine != nullptr;
        FStarted = true;
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
        FEngine = std::move(engine);
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

bool TZelmarHitHighlight::Find(const TZelmarSDFileData* record, std::string_view molText,
                               TveskChemView2Highlight& highlight) {
    highlight = {};
    return Guarded("TZelmarHitHighlight.Find", false, [&] {
        if (!FEngine || record == nullptr) return false;
        const auto found = FHits.find(record);
        if (found == FHits.end()) return false;
        THit& hit = found->second;
        // The size first: most edits change it, and it costs nothing.
        if (hit.MolSize != molText.size() || hit.MolHash != ZelmarMolTextHash(molText))
            return false;
        if (!hit.Known) {
            hit.Known = true;
            ++FMatchesMade;
            hit.Found = FEngine->QueryMatch(std::string(molText), hit.Atoms, hit.Bonds) == 1;
        }
        if (!hit.Found) return false;
        highlight.Atoms = hit.Atoms;
        highlight.Bonds = hit.Bonds;
        highlight.Colour = Colour;
        return true;
    });
}
