// Exact-structure keys: constitutions first (cheap), full keys only where constitutions
// collide within a block; both kept with the records.
#include "Zelmar_Object_StructureKeys.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Zelmar_Object_SDFileData.h"
#include "vesk_Guard.h"

std::uint64_t ZelmarMolTextHash(std::string_view text) {
    return static_cast<std::uint64_t>(std::hash<std::string_view>()(text));
}

TZelmarKeptStructureKeys* TZelmarSDFileData::KeptStructureKeys(std::size_t molSize,
                                                               std::uint64_t molHash) const {
    TZelmarKeptStructureKeys* kept = FStructureKeys.get();
    return kept != nullptr && kept->MolSize == molSize && kept->MolHash == molHash ? kept : nullptr;
}

TZelmarKeptStructureKeys& TZelmarSDFileData::KeepStructureKeys(std::size_t molSize,
                                                               std::uint64_t molHash) {
    if (!FStructureKeys) FStructureKeys = std::make_unique<TZelmarKeptStructureKeys>();
    TZelmarKeptStructureKeys& kept = *FStructureKeys;
    if (kept.MolSize != molSize || kept.MolHash != molHash) {
        kept = TZelmarKeptStructureKeys();
        kept.MolSize = molSize;
        kept.MolHash = molHash;
    }
    return kept;
}

bool TZelmarStructureKeyMaker::Make(const std::vector<TZelmarSDFileData*>& records,
                                    const std::vector<std::pair<int, int>>& blocks,
                                    bool considerStereo,
                                    std::vector<const TZelmarStructureKey*>& keys,
                                    const TKeyProgress& progress) {
    return Guarded("TZelmarStructureKeyMaker.Make", false, [&] {
        const std::size_t count = records.size();
        keys.assign(count, nullptr);
        std::vector<TZelmarKeptStructureKeys*> kept(count, nullptr);
        std::vector<std::string_view> texts(count);
        for (std::size_t k = 0; k < count; ++k) {
            TZelmarSDFileData* record = records[k];
            if (record == nullptr) continue;
            texts[k] = record->MolString();
            kept[k] = &record->KeepStructureKeys(texts[k].size(), ZelmarMolTextHash(texts[k]));
        }

        // Constitutions first: cheap, and most molecules of a block differ in theirs.
        std::vector<std::size_t> missing;
        std::vector<std::string_view> missingTexts;
        for (std::size_t k = 0; k < count; ++k)
            if (kept[k] != nullptr && !kept[k]->ConstitutionKnown) {
                missing.push_back(k);
                missingTexts.push_back(texts[k]);
            }
        // Constitutions count one share of the progress, keys ten.
        const std::size_t guess = missing.size() * 11;
        std::vector<std::uint64_t> hashes;
        std::vector<bool> known;
        if (!ZelmarConstitutionHashes(missingTexts, hashes, known, [&](std::size_t done) {
                return !progress || progress(done, guess);
            }))
            return false;
        for (std::size_t j = 0; j < missing.size(); ++j) {
            TZelmarKeptStructureKeys& entry = *kept[missing[j]];
            entry.ConstitutionKnown = true;
            entry.HasConstitution = known[j];
            entry.Constitution = hashes[j];
        }

        // Keys only where another record of the block has the same constitution, or where a
        // constitution is unknown.
        std::vector<char> wanted(count, 0);
        std::unordered_map<std::uint64_t, int> shared;
        for (const auto& block : blocks) {
            shared.clear();
            bool allKnown = true;
            for (int k = block.first; k < block.second; ++k) {
                const TZelmarKeptStructureKeys* entry = kept[static_cast<std::size_t>(k)];
                if (entry == nullptr) continue;
                if (!entry->HasConstitution)
                    allKnown = false;
                else
                    ++shared[entry->Constitution];
            }
            for (int k = block.first; k < block.second; ++k) {
                const TZelmarKeptStructureKeys* entry = kept[static_cast<std::size_t>(k)];
                wanted[static_cast<std::size_t>(k)] =
                    entry != nullptr && (!allKnown || shared[entry->Constitution] > 1);
            }
        }

        missing.clear();
        missingTexts.clear();
        for (std::size_t k = 0; k < count; ++k) {
            if (!wanted[k]) continue;
            if (kept[k]->Known[considerStereo])
                keys[k] = &kept[k]->Keys[considerStereo];
            else {
                missing.push_back(k);
                missingTexts.push_back(texts[k]);
            }
        }
        const std::size_t before = hashes.size();
        const std::size_t total = before + 10 * missing.size();
        std::vector<TZelmarStructureKey> made;
        if (!ZelmarStructureKeys(missingTexts, considerStereo, made, [&](std::size_t done) {
                return !progress || progress(before + 10 * done, total);
            }))
            return false;
        FMade += static_cast<std::int64_t>(missing.size());
        for (std::size_t j = 0; j < missing.size(); ++j) {
            TZelmarKeptStructureKeys& keep = *kept[missing[j]];
            keep.Keys[considerStereo] = std::move(made[j]);
            keep.Known[considerStereo] = true;
            keys[missing[j]] = &keep.Keys[considerStereo];
        }
        return true;
    });
}

std::vector<std::vector<int>> ZelmarIdenticalGroups(
    const std::vector<const TZelmarStructureKey*>& keys, int first, int end) {
    std::vector<std::vector<int>> groups;
    std::unordered_map<std::string_view, std::size_t> byKey;
    for (int k = first; k < end; ++k) {
        const TZelmarStructureKey* key = keys[static_cast<std::size_t>(k)];
        if (key == nullptr || key->Kind == TZelmarStructureKey::skUnreadable) {
            groups.push_back({k});
            continue;
        }
        // A real key is never empty, so the empty text stands for "no atoms".
        const std::string_view text = key->Kind == TZelmarStructureKey::skKey
                                          ? std::string_view(key->Text)
                                          : std::string_view();
        const auto found = byKey.emplace(text, groups.size());
        if (found.second)
            groups.push_back({k});
        else
            groups[found.first->second].push_back(k);
    }
    return groups;
}
