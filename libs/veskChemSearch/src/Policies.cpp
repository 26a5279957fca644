// Keys under a duplicate policy: MolStandardize's steps applied to the prepared target, then
// a canonical text of what is left.
#include "Chemistry.h"

#include <GraphMol/GraphMol.h>
#include <GraphMol/MolHash/MolHash.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/MolStandardize/Charge.h>
#include <GraphMol/MolStandardize/Fragment.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <memory>
#include <numeric>
#include <vector>

namespace veskSearch {

namespace {

using RDKit::Atom;
using RDKit::ROMol;
using RDKit::RWMol;

// The standardizers hold their query patterns and are not meant to be shared between
// threads; one set per thread is made once.
struct Standardizers {
    RDKit::MolStandardize::LargestFragmentChooser largest{true};
    RDKit::MolStandardize::Uncharger uncharger;
};

Standardizers& standardizers() {
    thread_local Standardizers s;
    return s;
}

std::unique_ptr<RWMol> editable(ROMol* made) {
    std::unique_ptr<ROMol> owned(made);
    return std::make_unique<RWMol>(*owned);
}

// Labelled hydrogens stay atoms when a molfile is read; once plain they must go like the
// molecule's other hydrogens, or D and H forms would still differ.
void dropIsotopes(RWMol& mol) {
    bool hydrogens = false;
    for (Atom* atom : mol.atoms()) {
        atom->setIsotope(0);
        hydrogens = hydrogens || atom->getAtomicNum() == 1;
    }
    if (!hydrogens) return;
    RDKit::MolOps::RemoveHsParameters ps;
    ps.showWarnings = false;
    RDKit::MolOps::removeHs(mol, ps, false);
    mol.updatePropertyCache(false);
}

// The standardizers copy the molecule and, for salts, write a SMILES of every fragment to
// break ties; most molecules have nothing for them to do, which is cheaper to see.
// Counted here by joining the bonded atoms: RDKit's getMolFrags leaves a little memory behind
// on every call.
bool severalFragments(const ROMol& mol) {
    const unsigned atoms = mol.getNumAtoms();
    std::vector<unsigned> root(atoms);
    std::iota(root.begin(), root.end(), 0u);
    const auto find = [&](unsigned a) {
        while (root[a] != a) a = root[a] = root[root[a]];
        return a;
    };
    unsigned fragments = atoms;
    for (const RDKit::Bond* bond : mol.bonds()) {
        const unsigned a = find(bond->getBeginAtomIdx());
        const unsigned b = find(bond->getEndAtomIdx());
        if (a != b) {
            root[a] = b;
            --fragments;
        }
    }
    return fragments > 1;
}

bool anyCharge(const ROMol& mol) {
    for (const Atom* atom : mol.atoms())
        if (atom->getFormalCharge() != 0) return true;
    return false;
}

}  // namespace

int32_t policyKey(const PreparedTarget& target, unsigned policy, bool stereo, std::string* key) {
    try {
        std::unique_ptr<RWMol> mol = restoreEditable(target);
        if (!mol) return -1;
        if (mol->getNumAtoms() == 0) return 0;
        for (Atom* atom : mol->atoms()) atom->setAtomMapNum(0);
        if (!stereo) RDKit::MolOps::removeStereochemistry(*mol);
        Standardizers& s = standardizers();
        if ((policy & kPolicySalts) && severalFragments(*mol))
            mol = editable(s.largest.choose(*mol));
        if ((policy & kPolicyCharges) && anyCharge(*mol))
            mol = editable(s.uncharger.uncharge(*mol));
        if (policy & kPolicyIsotopes) dropIsotopes(*mol);
        if (mol->getNumAtoms() == 0) return 0;
        // The canonical tautomer costs milliseconds a molecule (and far more for some); the
        // hash of the hydrogen pool on heteroatoms takes as long as a SMILES.
        *key =
            (policy & kPolicyTautomers)
                ? RDKit::MolHash::MolHash(mol.get(), RDKit::MolHash::HashFunction::HetAtomTautomer)
                : RDKit::MolToSmiles(*mol, true);
        return key->empty() ? -1 : 1;
    } catch (...) {
        key->clear();
        return -1;
    }
}

}  // namespace veskSearch
