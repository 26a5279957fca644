#include "Zelmar_RecordSmiles.h"

#include <memory>
#include <string_view>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_StructureKeys.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"

bool ZelmarRecordSmiles(const std::vector<TZelmarSDFileData*>& records,
                        std::vector<std::string>& smiles,
                        const std::function<bool(std::size_t done, std::size_t total)>& progress) {
    return Guarded("ZelmarRecordSmiles", false, [&] {
        smiles.assign(records.size(), std::string());
        // What is kept is looked up here, on this thread; the helpers only make texts.
        std::vector<std::size_t> missing;
        std::vector<TZelmarKeptStructureKeys*> kept(records.size(), nullptr);
        for (std::size_t k = 0; k < records.size(); ++k) {
            TZelmarSDFileData* record = records[k];
            if (record == nullptr) continue;
            const std::string_view text = record->MolString();
            kept[k] = &record->KeepStructureKeys(text.size(), ZelmarMolTextHash(text));
            if (kept[k]->SmilesKnown)
                smiles[k] = kept[k]->Smiles;
            else
                missing.push_back(k);
        }
        const unsigned workers = ZelmarWorkThreads();
        std::vector<std::unique_ptr<TveskMolManager>> managers;
        for (unsigned worker = 0; worker < workers; ++worker)
            managers.push_back(std::make_unique<TveskMolManager>());
        std::vector<char> made(missing.size(), 0);
        const bool complete = ZelmarRunInParts(
            missing.size(),
            [&](std::size_t first, std::size_t end, unsigned worker) {
                for (std::size_t j = first; j < end; ++j) {
                    const std::size_t k = missing[j];
                    made[j] = managers[worker]->GetSmiles(std::string(records[k]->MolString()),
                                                          smiles[k]);
                }
            },
            [&](std::size_t done) { return !progress || progress(done, missing.size()); }, workers);
        // A molecule that cannot be read is kept as having none; a stopped run keeps what
        // was made.
        for (std::size_t j = 0; j < missing.size(); ++j) {
            if (!made[j] && !complete) continue;
            TZelmarKeptStructureKeys& keep = *kept[missing[j]];
            if (!made[j]) smiles[missing[j]].clear();
            keep.Smiles = smiles[missing[j]];
            keep.SmilesKnown = true;
        }
        return complete;
    });
}
