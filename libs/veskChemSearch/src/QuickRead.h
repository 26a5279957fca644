// A quick reader for plain V2000 targets, for comparisons that ignore stereo chemistry.
#pragma once

#include <memory>
#include <string_view>

namespace RDKit {
class RWMol;
}

namespace veskSearch {

// The molecule of a plain V2000 text (element atoms, charges and isotopes, single, double
// and triple bonds, "M  CHG" and "M  ISO") built directly and cleaned up as RDKit's reader
// cleans it, hydrogens removed as it removes them, without the stereo perception and string
// streams that make that reader slow. Atoms, bonds, charges, hydrogen counts, rings and aromaticity
// are those of the full reading; chiral tags, double bond geometry, conjugation and
// hybridization are not perceived.
// Null for anything beyond that subset, or when the clean-up fails: the full reader
// decides then.
std::unique_ptr<RDKit::RWMol> readPlainTarget(std::string_view text);

}  // namespace veskSearch
