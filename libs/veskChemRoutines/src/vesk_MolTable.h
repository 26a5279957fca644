#pragma once
// A quick reader for plain V2000 connection tables: element atoms with charges, isotopes,
// radicals and valences, single, double and triple bonds, "M  CHG", "M  ISO" and "M  RAD". That
// covers nearly every record of real files, and formula and weight need no more. RDKit's own
// molfile reader costs several times as much (stereo perception, string streams), which a sheet of
// many thousand records feels. Anything beyond this subset is declined and left to RDKit's reader,
// so the results stay RDKit's.

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

struct CTabAtom {
    char symbol[4] = {0, 0, 0, 0};  // as RDKit reads it: trimmed, second letter lower-cased;
                                    // "D" and "T" stand for hydrogen 2 and 3
    int massDifference = 0;         // atom block's mass difference column
    int charge = 0;
    int isotope = -1;  // from "M  ISO"; -1 = not given
    int radicalElectrons = 0;
    int valence = 0;  // atom block's valence column; 0 = not given, 15 = zero
};

struct CTabBond {
    int first = 0;  // atom indices from 0
    int second = 0;
    int order = 1;  // 1, 2 or 3
};

struct CTab {
    std::vector<CTabAtom> atoms;
    std::vector<CTabBond> bonds;
};

enum class CTabResult {
    kPlain,   // `ctab` holds the molecule
    kOther,   // beyond this reader (or malformed): RDKit's reader decides and gives the message
    kBroken,  // bonds or property lines name atoms that do not exist; `problem` says which
};
CTabResult ReadPlainV2000(std::string_view block, CTab& ctab, std::string& problem);

// The same for the plain subset of V3000 tables: element atoms with at most a charge (CHG=),
// single, double and triple bonds (a CFG= stereo mark allowed), and stereo collections, all
// on lines of their own. True with `ctab` filled; false for anything else, also for malformed
// tables, which RDKit's reader then reports.
bool ReadPlainV3000(std::string_view block, CTab& ctab);

// The block as RDKit's reader takes it without leaking memory: that reader leaks the half-built
// molecule when it throws, and it throws on "M  ALS" lines cut short after their last element
// (trailing blanks lost), which are padded here. Old-style atom list lines that "M  ALS" lines
// supersede are left out too, so each list is read once. Any other block comes back unchanged.
std::string ForRDKitReader(std::string_view block);

}  // namespace vesk
