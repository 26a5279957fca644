// The objects behind the handles: a molecule text with what has been read from
// it, and a comparison of a query with a target.
#pragma once

#include "Prepared.h"
#include "TargetCache.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace veskSearch {

// Limits on reading a target before it is parsed: a text that fails them is
// not read at all (answer "no").
struct TextScreen {
    const PreparedQuery* substructure = nullptr;
    const MolSummary* exact = nullptr;
};

// Whether the quick screens may answer "no" before a molecule is read and matched.
// Process-wide; on unless switched off to check them.
bool screensOn();
void setScreens(bool on);

// One text opened on a molecule handle. Immutable text; what is read from it is
// filled in on first use and kept, so the query is read once per opened text.
// Shared between handles, hence the lock.
class MolText {
public:
    explicit MolText(std::string text);

    const std::string& text() const { return text_; }

    // The text read as a target (from the shared cache when it was read before);
    // null when the screen refuses the text before reading it. Without stereo a reading
    // without stereo perception will do.
    std::shared_ptr<const PreparedTarget> target(const TextScreen& screen, bool stereo = true);
    // The target molecule itself; call after target() gave a readable result.
    std::shared_ptr<const RDKit::ROMol> targetMolecule();
    // Canonical SMILES of the target form; empty for empty or unreadable molecules.
    std::string smiles(bool stereo);
    // The text behind GetExactMatchKey: 1 with *key set, 0 for no atoms, -1 unreadable.
    int32_t exactKey(bool stereo, std::string* key);
    // The text behind GetPolicyMatchKey, the same answers; policy 0 is exactKey.
    int32_t policyKey(unsigned policy, bool stereo, std::string* key);
    std::shared_ptr<const PreparedQuery> query();

private:
    const std::string text_;
    // Made on first use: a text the screens reject is never looked up.
    const TextKey& keyLocked();
    TextKey key_;
    bool hasKey_ = false;
    std::mutex mutex_;
    std::shared_ptr<const PreparedTarget> target_;
    std::string smiles_[2];
    bool hasSmiles_[2] = {false, false};
    std::shared_ptr<const PreparedQuery> query_;
};

class Comparison {
public:
    // Callers hold this while they use the object.
    std::mutex mutex;
    std::shared_ptr<MolText> query;
    std::shared_ptr<MolText> target;
    bool stereo = false;
    bool highlighting = false;

    // 1 found, 0 not found, -1 when query or target is missing.
    int32_t substructure();
    bool exact();
    // Target molfile with the match marked (malloc'ed) or null; see the header.
    char* highlighted(int32_t* marked);
};

}  // namespace veskSearch
