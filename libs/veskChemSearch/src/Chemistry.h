// The RDKit side of the library; with Reactions.cpp, Policies.cpp, QuickRead.cpp,
// ScreenBits.cpp and Prepared.cpp the only places that include RDKit headers, so that the
// rest builds quickly.
#pragma once

#include "Prepared.h"

#include <cstdint>
#include <memory>
#include <string>

namespace RDKit {
class RWMol;
}

namespace veskSearch {

// The policy flags of GetPolicyMatchKey.
constexpr unsigned kPolicySalts = 1, kPolicyCharges = 2, kPolicyIsotopes = 4, kPolicyTautomers = 8;
constexpr unsigned kPolicyAll = 15;

// Reads a molfile as a target, ready for matching, with its screen bits and its size. Never
// null; `readable` is false for texts that cannot be read. Unless stereo is wanted, plain
// texts take the quick reader (the result's `stereo` is then false).
std::shared_ptr<const PreparedTarget> prepareTarget(const std::string& text, bool stereo = true);

// A copy of the target molecule to change, fully perceived also after a quick reading; null if
// it cannot be restored (throws).
std::unique_ptr<RDKit::RWMol> restoreEditable(const PreparedTarget& target);

// The key under a policy of a readable target with atoms (Policies.cpp): 1 with *key set,
// 0 when the policy's steps leave no atoms, -1 when they cannot be applied.
int32_t policyKey(const PreparedTarget& target, unsigned policy, bool stereo, std::string* key);

// Reads a molfile as a query. Never null; `readable` is false for unreadable texts.
std::shared_ptr<const PreparedQuery> prepareQuery(const std::string& text);

bool isSubstructure(const PreparedQuery& query, const RDKit::ROMol& target, bool stereo);

// Canonical isomeric SMILES of the hydrogen-suppressed molecule, stereo removed
// when not wanted; empty when the molecule has no atoms or cannot be written.
std::string canonicalSmiles(const PreparedTarget& target, bool stereo);

// The target text as a molfile with the first match of the query marked by atom
// mapping numbers; null when there is no match. Allocated with malloc.
char* highlightMatch(const PreparedQuery& query, const RDKit::ROMol& targetMol,
                     const std::string& targetText, bool stereo, int32_t* marked);

// Same reaction regardless of the order of its components (Reactions.cpp).
bool sameReaction(const std::string& rxnText1, const std::string& rxnText2);

}  // namespace veskSearch
