#include "Highlight.h"

#include "Comparison.h"

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/Substruct/SubstructMatch.h>

#include <memory>
#include <string>

namespace veskSearch {

namespace {

using RDKit::ROMol;
using RDKit::RWMol;

const char* const kFileIndex = "_veskFileIndex";

// The target as its file lists it, every atom and bond in file order; null if unreadable.
// Sanitized when it allows, as the search reads it, so that the same atoms match.
std::unique_ptr<RWMol> readAsListed(const std::string& text) {
    for (const bool sanitize : {true, false}) {
        try {
            std::unique_ptr<RWMol> mol(RDKit::MolBlockToMol(text, sanitize, false));
            if (!mol) return nullptr;
            if (!sanitize) {
                mol->updatePropertyCache(false);
                RDKit::MolOps::fastFindRings(*mol);
            }
            return mol;
        } catch (...) {
        }
    }
    return nullptr;
}

// The molecule the search matches against: hydrogens suppressed as the search does. Each atom
// keeps its place in the file in a property. The listed form is perceived already: taking the
// hydrogens away needs no second clean-up, only their counts moved to their neighbours.
std::unique_ptr<RWMol> searchedForm(const RWMol& listed) {
    auto mol = std::make_unique<RWMol>(listed);
    for (RDKit::Atom* atom : mol->atoms())
        atom->setProp(kFileIndex, static_cast<int>(atom->getIdx()));
    RDKit::MolOps::RemoveHsParameters ps;
    ps.showWarnings = false;
    RDKit::MolOps::removeHs(*mol, ps, false);
    mol->updatePropertyCache(false);
    if (!mol->getRingInfo()->isInitialized()) {
        try {
            RDKit::MolOps::findSSSR(*mol);
        } catch (...) {
            mol->getRingInfo()->reset();
            RDKit::MolOps::fastFindRings(*mol);
        }
    }
    return mol;
}

}  // namespace

int queryMatch(Comparison& c, std::vector<int>* atoms, std::vector<int>* bonds) {
    atoms->clear();
    bonds->clear();
    if (!c.query || !c.target) return -1;
    try {
        std::shared_ptr<const PreparedQuery> q = c.query->query();
        if (!q || !q->readable || !q->mol || q->atoms == 0) return 0;
        std::unique_ptr<RWMol> listed = readAsListed(c.target->text());
        if (!listed || listed->getNumAtoms() == 0) return 0;
        std::unique_ptr<RWMol> searched = searchedForm(*listed);

        RDKit::SubstructMatchParameters p;
        p.useChirality = c.stereo;
        p.maxMatches = 1;
        p.uniquify = false;
        const std::vector<RDKit::MatchVectType> matches =
            RDKit::SubstructMatch(*searched, *q->mol, p);
        if (matches.empty()) return 0;

        std::vector<int> byQueryAtom(q->mol->getNumAtoms(), -1);
        for (const auto& [queryAtom, targetAtom] : matches.front()) {
            int fileIndex = -1;
            searched->getAtomWithIdx(targetAtom)->getPropIfPresent(kFileIndex, fileIndex);
            if (fileIndex < 0) return 0;
            byQueryAtom[queryAtom] = fileIndex;
        }
        for (int a : byQueryAtom)
            if (a >= 0) atoms->push_back(a);
        for (const RDKit::Bond* bond : q->mol->bonds()) {
            const int a = byQueryAtom[bond->getBeginAtomIdx()];
            const int b = byQueryAtom[bond->getEndAtomIdx()];
            if (a < 0 || b < 0) continue;
            if (const RDKit::Bond* found = listed->getBondBetweenAtoms(a, b))
                bonds->push_back(static_cast<int>(found->getIdx()));
        }
        return atoms->empty() ? 0 : 1;
    } catch (...) {
        atoms->clear();
        bonds->clear();
        return 0;
    }
}

}  // namespace veskSearch
