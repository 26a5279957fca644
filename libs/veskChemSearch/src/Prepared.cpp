#include "Prepared.h"

#include "Screens.h"

#include <GraphMol/GraphMol.h>
#include <GraphMol/QueryAtom.h>
#include <GraphMol/QueryBond.h>
#include <GraphMol/RingInfo.h>
#include <GraphMol/StereoGroup.h>
#include <GraphMol/SubstanceGroup.h>

namespace veskSearch {

namespace {

// What the allocator (glibc's) takes for a block of n bytes: an 8-byte header, 16-byte steps,
// 32 bytes at least.
std::size_t block(std::size_t n) {
    if (n == 0) return 0;
    const std::size_t b = (n + 8 + 15) & ~std::size_t(15);
    return b < 32 ? 32 : b;
}

// A vector grown by push_back holds the next power of two.
std::size_t grown(std::size_t n) {
    std::size_t c = 1;
    while (c < n) c <<= 1;
    return n ? c : 0;
}

std::size_t stringBytes(const std::string& s) {
    return s.capacity() > 15 ? block(s.capacity() + 1) : 0;
}

std::size_t dictBytes(const RDKit::Dict& dict) {
    const auto& data = dict.getData();
    std::size_t n = block(data.capacity() * sizeof(RDKit::Dict::Pair));
    for (const RDKit::Dict::Pair& p : data) {
        n += stringBytes(p.key);
        // Values beyond numbers live in blocks of their own; count them as a small one.
        switch (p.val.getTag()) {
            case RDKit::RDTypeTag::StringTag:
                n += block(sizeof(std::string)) + stringBytes(*p.val.ptrCast<std::string>());
                break;
            case RDKit::RDTypeTag::IntTag:
            case RDKit::RDTypeTag::UnsignedIntTag:
            case RDKit::RDTypeTag::DoubleTag:
            case RDKit::RDTypeTag::FloatTag:
            case RDKit::RDTypeTag::BoolTag:
            case RDKit::RDTypeTag::EmptyTag:
                break;
            default:
                n += block(64);
                break;
        }
    }
    return n;
}

std::size_t nestedBytes(const std::vector<std::vector<int>>& v) {
    std::size_t n = block(v.capacity() * sizeof(std::vector<int>));
    for (const auto& inner : v) n += block(inner.capacity() * sizeof(int));
    return n;
}

}  // namespace

std::size_t moleculeBytes(const RDKit::ROMol& mol, std::size_t drawnAtoms) {
    const std::size_t atoms = mol.getNumAtoms();
    // Removing drawn hydrogens leaves the room they took in the graph's vectors.
    const bool hydrogensWent = drawnAtoms > atoms;
    const std::size_t bonds = mol.getNumBonds();
    std::size_t n = block(sizeof(RDKit::RWMol)) + dictBytes(mol.getDict());
    // The graph: a vertex (its out-edge vector and the atom pointer) per atom, a list node
    // (two links, both ends, the bond pointer) per bond, an out-edge (neighbour, list
    // position) per bond end.
    n += block(grown(hydrogensWent ? drawnAtoms : atoms) *
               (sizeof(std::vector<int>) + sizeof(void*)));
    for (const RDKit::Atom* atom : mol.atoms()) {
        n += block(atom->hasQuery() ? sizeof(RDKit::QueryAtom) : sizeof(RDKit::Atom));
        n += dictBytes(atom->getDict());
        const unsigned ends = atom->getDegree() + (hydrogensWent ? atom->getTotalNumHs() : 0);
        n += block(grown(ends) * 2 * sizeof(void*));
        // A query tree: a few nodes of a few dozen bytes each.
        if (atom->hasQuery()) n += 4 * block(96);
    }
    for (const RDKit::Bond* bond : mol.bonds()) {
        n += block(bond->hasQuery() ? sizeof(RDKit::QueryBond) : sizeof(RDKit::Bond));
        n += block(5 * sizeof(void*));
        n += dictBytes(bond->getDict());
        if (!bond->getStereoAtoms().empty())
            n += block(sizeof(std::vector<int>)) +
                 block(bond->getStereoAtoms().capacity() * sizeof(int));
        if (bond->hasQuery()) n += 2 * block(96);
    }
    const RDKit::RingInfo* rings = mol.getRingInfo();
    if (rings) {
        n += block(sizeof(RDKit::RingInfo));
        if (rings->isInitialized()) {
            n += nestedBytes(rings->atomRings()) + nestedBytes(rings->bondRings());
            // Membership lists: one (often empty) per atom and per bond.
            n += block(atoms * sizeof(std::vector<int>)) + block(bonds * sizeof(std::vector<int>));
            for (unsigned i = 0; i < atoms; ++i)
                n += block(grown(rings->numAtomRings(i)) * sizeof(int));
            for (unsigned i = 0; i < bonds; ++i)
                n += block(grown(rings->numBondRings(i)) * sizeof(int));
        }
    }
    for (const RDKit::StereoGroup& g : mol.getStereoGroups())
        n += block(g.getAtoms().size() * sizeof(void*));
    n += RDKit::getSubstanceGroups(mol).size() * block(512);
    n += mol.getNumConformers() * (block(64) + block(atoms * 24));
    return n;
}

std::size_t PreparedTarget::bytes() const {
    return block(sizeof(PreparedTarget) + 16) +
           block(summary.elements.capacity() * sizeof(ElementCount)) + molBytes +
           (drawn ? drawn->bytes() : 0);
}

}  // namespace veskSearch
