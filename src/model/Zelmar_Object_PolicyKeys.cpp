// Policy keys: what is kept with a record is used as it is; the rest is made in one run over
// both work threads, each thread with its own search binding (a binding serves one thread).
#include "Zelmar_Object_PolicyKeys.h"

#include <atomic>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "Zelmar_ChemSearchEngine.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_Guard.h"
#include "vesk_Trace.h"

namespace {

std::atomic<std::int64_t> GPolicyKeysMade{0};

// Policy keys are SMILES-like texts, which never start with a control character.
const char* const kExactMark = "\x01exact:";

const char* const kPolicyWords[] = {"salts", "charges", "isotopes", "tautomers"};

int Slot(int policy, bool considerStereo) {
    return policy * 2 + (considerStereo ? 1 : 0);
}

TZelmarStructureKey* FindKept(TZelmarKeptStructureKeys& kept, int slot) {
    for (auto& entry : kept.PolicyKeys)
        if (entry.first == slot) return &entry.second;
    return nullptr;
}

TZelmarStructureKey KeyOf(bool answered, int result, std::string&& text) {
    TZelmarStructureKey key;
    if (!answered || result < 0) return key;  // unreadable, never grouped
    if (result == 0) {
        key.Kind = TZelmarStructureKey::skEmpty;
        return key;
    }
    key.Kind = TZelmarStructureKey::skKey;
    key.Text = std::move(text);
    return key;
}

}  // namespace

bool ZelmarPolicyKeysAvailable() {
    return Guarded("ZelmarPolicyKeysAvailable", false, [] {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        return engine.HasPolicyKeys();
    });
}

std::int64_t ZelmarPolicyKeysMade() {
    return GPolicyKeysMade.load();
}

bool ZelmarMakePolicyKeys(const std::vector<TZelmarSDFileData*>& records, int policy,
                          bool considerStereo, std::vector<const TZelmarStructureKey*>& keys,
                          const TZelmarPolicyKeyProgress& progress) {
    return Guarded("ZelmarMakePolicyKeys", false, [&] {
        const std::size_t count = records.size();
        keys.assign(count, nullptr);
        if ((policy & ~kZelmarAllPolicies) != 0) return false;
        const int slot = Slot(policy, considerStereo);
        // What the records keep, started anew for a molecule edited since.
        std::vector<TZelmarKeptStructureKeys*> kept(count, nullptr);
        std::vector<std::size_t> missing;
        std::vector<std::string_view> texts;
        for (std::size_t k = 0; k < count; ++k) {
            TZelmarSDFileData* record = records[k];
            if (record == nullptr) continue;
            const std::string_view text = record->MolString();
            kept[k] = &record->KeepStructureKeys(text.size(), ZelmarMolTextHash(text));
            if (FindKept(*kept[k], slot) == nullptr) {
                missing.push_back(k);
                texts.push_back(text);
            }
        }
        // A text the sheet holds more than once (copies, merged files) is keyed once.
        std::vector<std::size_t> sameAs(missing.size());
        std::vector<std::size_t> unique;
        {
            std::unordered_map<std::string_view, std::size_t> first;
            first.reserve(missing.size());
            for (std::size_t j = 0; j < missing.size(); ++j) {
                const auto found = first.emplace(texts[j], unique.size());
                if (found.second) unique.push_back(j);
                sameAs[j] = found.first->second;
            }
        }
        if (!missing.empty()) {
            const unsigned workers = ZelmarWorkThreads();
            std::vector<std::unique_ptr<TZelmarChemSearchEngine>> engines;
            for (unsigned worker = 0; worker < workers; ++worker) {
                engines.push_back(std::make_unique<TZelmarChemSearchEngine>());
                std::string error;
                engines.back()->Init(error);
                // Without policy keys every molecule would look unreadable: a failure, not
                // an empty result.
                if (!engines.back()->HasPolicyKeys()) {
                    TraceMessage("ZelmarMakePolicyKeys", tlError, "%s",
                                 ("no duplicate policy keys: " + error).c_str());
                    return false;
                }
            }
            std::vector<TZelmarStructureKey> made(unique.size());
            const bool complete = ZelmarRunInParts(
                unique.size(),
                [&](std::size_t first, std::size_t end, unsigned worker) {
                    std::string text;
                    for (std::size_t u = first; u < end; ++u) {
                        const std::size_t j = unique[u];
                        int result = -1;
                        const bool answered = engines[worker]->PolicyMatchKey(
                            std::string(texts[j]), policy, considerStereo, result, text);
                        // A molecule the policy's steps cannot be applied to is still the
                        // same as its identical copies: it keeps its exact key, marked so that
                        // it never equals a policy key.
                        if (answered && result < 0 &&
                            engines[worker]->PolicyMatchKey(std::string(texts[j]), 0,
                                                            considerStereo, result, text) &&
                            result > 0)
                            text.insert(0, kExactMark);
                        made[u] = KeyOf(answered, result, std::move(text));
                        text.clear();
                    }
                    GPolicyKeysMade += static_cast<std::int64_t>(end - first);
                },
                [&](std::size_t done) { return !progress || progress(done, unique.size()); },
                workers);
            if (!complete) return false;
            for (std::size_t j = 0; j < missing.size(); ++j) {
                TZelmarKeptStructureKeys& entry = *kept[missing[j]];
                // A record listed twice is kept once.
                if (FindKept(entry, slot) == nullptr)
                    entry.PolicyKeys.emplace_back(slot, made[sameAs[j]]);
            }
        } else if (progress && !progress(0, 0)) {
            return false;
        }
        // Pointers last: adding keys may have moved the kept ones.
        for (std::size_t k = 0; k < count; ++k)
            if (kept[k] != nullptr) keys[k] = FindKept(*kept[k], slot);
        return true;
    });
}

bool ZelmarParsePolicy(const std::string& words, int& policy, std::string& bad) {
    policy = 0;
    bad.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = words.find(',', start);
        const std::string word =
            words.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int bit = 0;
        for (int i = 0; i < 4; ++i)
            if (word == kPolicyWords[i]) bit = 1 << i;
        if (bit == 0) {
            bad = word;
            policy = 0;
            return false;
        }
        policy |= bit;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

std::string ZelmarPolicyWords(int policy) {
    std::string words;
    for (int i = 0; i < 4; ++i)
        if ((policy & (1 << i)) != 0)
            words += (words.empty() ? "" : ",") + std::string(kPolicyWords[i]);
    return words;
}
