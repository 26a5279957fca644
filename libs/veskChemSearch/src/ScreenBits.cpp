#include "ScreenBits.h"

#include <GraphMol/GraphMol.h>

#include <algorithm>
#include <vector>

namespace veskSearch {

namespace {

// Atom labels are atomic numbers; kAnyAtom marks a query atom that may match several.
constexpr int kAnyAtom = -1;
constexpr uint8_t kAnyBond = bkOther;

// A molecule as the path walker sees it: labels and neighbours with bond kinds.
struct Walk {
    std::vector<int> label;
    std::vector<uint32_t> first;  // neighbours of atom i: [first[i], first[i + 1])
    std::vector<uint32_t> neighbour;
    std::vector<uint8_t> kind;

    void build(std::size_t atoms, const std::vector<QueryGraph::Edge>& edges) {
        first.assign(atoms + 1, 0);
        for (const QueryGraph::Edge& e : edges) ++first[e.a + 1], ++first[e.b + 1];
        for (std::size_t i = 0; i < atoms; ++i) first[i + 1] += first[i];
        neighbour.assign(first[atoms], 0);
        kind.assign(first[atoms], 0);
        std::vector<uint32_t> fill(first.begin(), first.end() - 1);
        for (const QueryGraph::Edge& e : edges) {
            neighbour[fill[e.a]] = e.b, kind[fill[e.a]++] = e.kind;
            neighbour[fill[e.b]] = e.a, kind[fill[e.b]++] = e.kind;
        }
    }
};

uint64_t mix(uint64_t h, uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    h *= 0xFF51AFD7ED558CCDULL;
    return h ^ (h >> 33);
}

// A path as labels and kinds in turn (atom, bond, atom, ...), the same whichever end it is
// read from.
void setPath(const int* atoms, const uint8_t* kinds, int bonds, ScreenBits* bits) {
    bool forward = true;
    for (int i = 0, j = bonds; i < j; ++i, --j) {
        if (atoms[i] != atoms[j]) {
            forward = atoms[i] < atoms[j];
            break;
        }
        if (i < j - 1 && kinds[i] != kinds[j - 1]) {
            forward = kinds[i] < kinds[j - 1];
            break;
        }
    }
    uint64_t h = mix(0x5A656C6D6172ULL, static_cast<uint64_t>(bonds));
    for (int k = 0; k <= bonds; ++k) {
        const int a = forward ? k : bonds - k;
        h = mix(h, static_cast<uint64_t>(atoms[a] + 2));
        if (k < bonds) h = mix(h, forward ? kinds[k] : kinds[bonds - 1 - k]);
    }
    const uint64_t bit = h % (kScreenWords * 64);
    bits->word[bit / 64] |= uint64_t(1) << (bit % 64);
}

// Every simple path of up to three bonds whose atoms and bonds all have labels.
void setPaths(const Walk& w, ScreenBits* bits) {
    const std::size_t atoms = w.label.size();
    int label[4];
    uint8_t kind[3];
    for (uint32_t a = 0; a < atoms; ++a) {
        if (w.label[a] == kAnyAtom) continue;
        label[0] = w.label[a];
        setPath(label, kind, 0, bits);
        for (uint32_t i = w.first[a]; i < w.first[a + 1]; ++i) {
            const uint32_t b = w.neighbour[i];
            if (w.label[b] == kAnyAtom || w.kind[i] == kAnyBond) continue;
            label[1] = w.label[b], kind[0] = w.kind[i];
            // Each path is met from both ends; once is enough.
            if (a < b) setPath(label, kind, 1, bits);
            for (uint32_t j = w.first[b]; j < w.first[b + 1]; ++j) {
                const uint32_t c = w.neighbour[j];
                if (c == a || w.label[c] == kAnyAtom || w.kind[j] == kAnyBond) continue;
                label[2] = w.label[c], kind[1] = w.kind[j];
                if (a < c) setPath(label, kind, 2, bits);
                for (uint32_t k = w.first[c]; k < w.first[c + 1]; ++k) {
                    const uint32_t d = w.neighbour[k];
                    if (d == a || d == b || a > d || w.label[d] == kAnyAtom ||
                        w.kind[k] == kAnyBond)
                        continue;
                    label[3] = w.label[d], kind[2] = w.kind[k];
                    setPath(label, kind, 3, bits);
                }
            }
        }
    }
}

uint8_t kindOf(RDKit::Bond::BondType type) {
    switch (type) {
        case RDKit::Bond::SINGLE:
            return bkSingle;
        case RDKit::Bond::DOUBLE:
            return bkDouble;
        case RDKit::Bond::TRIPLE:
            return bkTriple;
        case RDKit::Bond::AROMATIC:
            return bkAromatic;
        default:
            return kAnyBond;
    }
}

void setAll(ScreenBits* bits) {
    for (uint64_t& w : bits->word) w = ~uint64_t(0);
}

}  // namespace

void targetScreen(const RDKit::ROMol& mol, ScreenBits* bits) {
    *bits = ScreenBits();
    static thread_local Walk w;
    static thread_local std::vector<QueryGraph::Edge> edges;
    w.label.assign(mol.getNumAtoms(), 0);
    for (const RDKit::Atom* atom : mol.atoms()) {
        if (atom->hasQuery()) return setAll(bits);
        w.label[atom->getIdx()] = atom->getAtomicNum();
    }
    edges.clear();
    for (const RDKit::Bond* bond : mol.bonds()) {
        const uint8_t kind = kindOf(bond->getBondType());
        // An unspecified bond matches every kind: such a target is not screened.
        if (bond->hasQuery() || kind == kAnyBond) return setAll(bits);
        edges.push_back({bond->getBeginAtomIdx(), bond->getEndAtomIdx(), kind});
    }
    w.build(w.label.size(), edges);
    setPaths(w, bits);
}

void queryScreen(const QueryGraph& query, ScreenBits* bits) {
    *bits = ScreenBits();
    Walk w;
    w.label.assign(query.element.size(), kAnyAtom);
    for (std::size_t i = 0; i < query.element.size(); ++i)
        if (query.element[i] != 0) w.label[i] = query.element[i];
    w.build(w.label.size(), query.edges);
    setPaths(w, bits);
}

}  // namespace veskSearch
