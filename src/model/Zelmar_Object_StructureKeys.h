#pragma once
// Exact-structure keys for records' molecules, made only where two molecules of a block could
// be the same structure, and kept with the records so that a second sort or search of an
// unchanged sheet makes none anew.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "Zelmar_Object_SearchEngine.h"

class TZelmarSDFileData;

// Identity of a molecule text for what is kept of it with its record (keys, SMILES).
std::uint64_t ZelmarMolTextHash(std::string_view text);

class TZelmarStructureKeyMaker {
public:
    // progress(done, total) between parts; false stops.
    using TKeyProgress = std::function<bool(std::size_t done, std::size_t total)>;
    // keys[k]: the exact-structure key of records[k]'s molecule, for records whose molecule
    // may be identical to another's of their block (blocks: [first, end) in records); null for
    // the others, whose constitution alone sets them apart, and for null records. Only what is
    // missing is made, on up to two threads. The records must be loaded and stay unchanged
    // meanwhile; the keys stay valid until keys are made again. False when stopped or failed.
    bool Make(const std::vector<TZelmarSDFileData*>& records,
              const std::vector<std::pair<int, int>>& blocks, bool considerStereo,
              std::vector<const TZelmarStructureKey*>& keys, const TKeyProgress& progress);
    // How many keys the search library has made so far.
    std::int64_t Made() const { return FMade; }

private:
    std::int64_t FMade = 0;
};

// Positions first..end-1 of keys grouped by identical structure: each group in position order,
// the groups in the order of their first position. Empty molecules are one structure; a
// position without a key (unreadable molecule, or none made) is a group of its own, as exact
// comparison never matches it.
std::vector<std::vector<int>> ZelmarIdenticalGroups(
    const std::vector<const TZelmarStructureKey*>& keys, int first, int end);
