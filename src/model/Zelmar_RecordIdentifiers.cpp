#include "Zelmar_RecordIdentifiers.h"

#include <atomic>
#include <memory>
#include <string_view>

#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_Object_StructureKeys.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"

namespace {

std::atomic<std::int64_t> GMade{0};

// Where the kind's value lives in what is kept with a record.
struct TSlot {
    bool* Known = nullptr;
    std::string* Value = nullptr;
};

TSlot SlotOf(TZelmarKeptStructureKeys& kept, TZelmarFieldKind kind) {
    switch (kind) {
        case ecsdtSmiles:
            return {&kept.SmilesKnown, &kept.Smiles};
        case ecsdtInchi:
            return {&kept.InchiKnown, &kept.Inchi};
        case ecsdtInchiKey:
            return {&kept.InchiKeyKnown, &kept.InchiKey};
        default:
            return {};
    }
}

bool Make(TveskMolManager& manager, TZelmarFieldKind kind, const std::string& text,
          std::string& value) {
    GMade.fetch_add(1, std::memory_order_relaxed);
    switch (kind) {
        case ecsdtSmiles:
            return manager.GetSmiles(text, value);
        case ecsdtInchi:
            return manager.GetInchi(text, value);
        case ecsdtInchiKey:
            return manager.GetInchiKey(text, value);
        default:
            return false;
    }
}

TZelmarKeptStructureKeys& KeepFor(TZelmarSDFileData& record) {
    const std::string_view text = record.MolString();
    return record.KeepStructureKeys(text.size(), ZelmarMolTextHash(text));
}

}  // namespace

bool ZelmarRecordIdentifiers(const std::vector<TZelmarSDFileData*>& records, TZelmarFieldKind kind,
                             std::vector<std::string>& values,
                             const TZelmarIdentifierProgress& progress) {
    return Guarded("ZelmarRecordIdentifiers", false, [&] {
        values.assign(records.size(), std::string());
        if (!ZelmarIsIdentifierKind(kind)) return false;
        // What is kept is looked up here, on this thread; the helpers only make texts.
        std::vector<std::size_t> missing;
        std::vector<TSlot> slots(records.size());
        for (std::size_t k = 0; k < records.size(); ++k) {
            TZelmarSDFileData* record = records[k];
            if (record == nullptr) continue;
            slots[k] = SlotOf(KeepFor(*record), kind);
            if (*slots[k].Known)
                values[k] = *slots[k].Value;
            else
                missing.push_back(k);
        }
        if (missing.empty()) return true;
        const unsigned workers = ZelmarWorkThreads();
        std::vector<std::unique_ptr<TveskMolManager>> managers;
        for (unsigned worker = 0; worker < workers; ++worker)
            managers.push_back(std::make_unique<TveskMolManager>());
        // Without the library the values stay empty, and nothing is kept as having none.
        if (!managers.front()->IsLibLoaded()) return true;
        std::vector<char> made(missing.size(), 0);
        const bool complete = ZelmarRunInParts(
            missing.size(),
            [&](std::size_t first, std::size_t end, unsigned worker) {
                for (std::size_t j = first; j < end; ++j) {
                    const std::size_t k = missing[j];
                    made[j] = Make(*managers[worker], kind, std::string(records[k]->MolString()),
                                   values[k]);
                }
            },
            [&](std::size_t done) { return !progress || progress(done, missing.size()); }, workers);
        // A molecule that cannot be read is kept as having none; a stopped run keeps what
        // was made.
        for (std::size_t j = 0; j < missing.size(); ++j) {
            if (!made[j] && !complete) continue;
            const std::size_t k = missing[j];
            if (!made[j]) values[k].clear();
            *slots[k].Value = values[k];
            *slots[k].Known = true;
        }
        return complete;
    });
}

bool ZelmarKeptIdentifier(const TZelmarSDFileData& record, TZelmarFieldKind kind,
                          std::string& value) {
    return Guarded("ZelmarKeptIdentifier", false, [&] {
        const std::string_view text = record.MolString();
        TZelmarKeptStructureKeys* kept =
            record.KeptStructureKeys(text.size(), ZelmarMolTextHash(text));
        if (kept == nullptr) return false;
        const TSlot slot = SlotOf(*kept, kind);
        if (slot.Known == nullptr || !*slot.Known) return false;
        value = *slot.Value;
        return true;
    });
}

std::string ZelmarRecordIdentifier(TZelmarSDFileData& record, TZelmarFieldKind kind) {
    return Guarded("ZelmarRecordIdentifier", std::string(), [&] {
        std::string value;
        if (ZelmarKeptIdentifier(record, kind, value)) return value;
        std::vector<std::string> values;
        ZelmarRecordIdentifiers({&record}, kind, values, nullptr);
        return values.front();
    });
}

std::int64_t ZelmarIdentifiersMade() {
    return GMade.load(std::memory_order_relaxed);
}
