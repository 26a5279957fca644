// Prepared molecules: what the comparisons need from a molecule text, read once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace RDKit {
class ROMol;
}

namespace veskSearch {

struct ElementCount {
    uint8_t z;   // atomic number
    uint16_t n;  // atoms of that element
};

enum BondKind { bkSingle, bkDouble, bkTriple, bkAromatic, bkOther, bkCount };

// Counts that let a comparison say "no" without touching the molecule graph.
struct MolSummary {
    uint32_t atoms = 0;
    uint32_t bonds = 0;
    std::vector<ElementCount> elements;  // every atom, sorted by atomic number
    uint32_t bondKinds[bkCount] = {};
};

// Screen bits: atoms, bonds and paths of two and three bonds, each with its elements and bond
// kinds, hashed into a fixed number of bits. A query's bit that its target lacks proves that
// the query is not there; bits are made only from what a match must reproduce exactly.
constexpr std::size_t kScreenWords = 16;
struct ScreenBits {
    uint64_t word[kScreenWords] = {};
};

// A molecule read as a target (hydrogens suppressed, aromaticity perceived), kept ready for
// matching: no conformers and no properties (which no comparison reads), its size counted
// when it is made. Immutable once built, so the cache and any number of handles and threads
// share it.
struct DrawnGraph;

struct PreparedTarget {
    // False for a text only screened so far: no molecule, only the graph its text draws.
    bool read = true;
    std::shared_ptr<const DrawnGraph> drawn;
    bool readable = false;
    // False when read without stereo perception: good only for comparisons ignoring stereo.
    bool stereo = true;
    MolSummary summary;
    ScreenBits screen;  // all bits set where the molecule cannot be screened
    std::shared_ptr<const RDKit::ROMol> mol;
    std::size_t molBytes = 0;  // heap held by mol

    std::size_t bytes() const;
};

// The heap a molecule holds (objects, graph, rings, properties), as the allocator hands it out.
// drawnAtoms: the atoms of the text it was read from, hydrogens included (0 if unknown).
std::size_t moleculeBytes(const RDKit::ROMol& mol, std::size_t drawnAtoms = 0);

// The query's graph as the text screen sees it: what each atom requires of the target
// atom it maps to, and what each bond requires of its target bond.
struct QueryGraph {
    struct Edge {
        uint32_t a, b;
        uint8_t kind;  // BondKind; bkOther: any bond
    };
    std::vector<uint8_t> element;  // atomic number; 0: any atom
    std::vector<Edge> edges;

    // The order atoms are mapped in, made once per query (planQueryGraph).
    struct Back {
        uint32_t earlier;  // position in order
        uint8_t kind;
    };
    std::vector<uint32_t> order;      // query atoms by position
    std::vector<uint32_t> degree;     // by query atom
    std::vector<uint32_t> backFirst;  // bonds of position p to earlier ones: back[backFirst[p]..]
    std::vector<Back> back;
    // The same number for every query graph with the same atoms and bonds, never for another
    // (numbered by content for the life of the process); 0 until planned.
    uint64_t id = 0;
};

// A molecule read as a query: explicit hydrogens merged into their neighbours.
struct PreparedQuery {
    bool readable = false;
    std::shared_ptr<const RDKit::ROMol> mol;
    uint32_t atoms = 0;
    uint32_t bonds = 0;
    // What any target must hold for a match: elements of atoms without query
    // features (atomic number >= 2) and kinds of bonds without query features.
    std::vector<ElementCount> plainElements;
    uint32_t plainBondKinds[bkOther] = {};
    QueryGraph graph;
    ScreenBits screen;
};

}  // namespace veskSearch
