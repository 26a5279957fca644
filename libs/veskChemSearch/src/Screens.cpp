#include "Screens.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace veskSearch {

namespace {

constexpr const char* kSymbols[] = {
    "",   "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si",
    "P",  "S",  "Cl", "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu",
    "Zn", "Ga", "Ge", "As", "Se", "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru",
    "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb", "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr",
    "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er", "Tm", "Yb", "Lu", "Hf", "Ta", "W",
    "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At", "Rn", "Fr", "Ra", "Ac",
    "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No", "Lr", "Rf",
    "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};
constexpr int kElements = sizeof(kSymbols) / sizeof(kSymbols[0]);

// Atomic number of a molfile atom symbol; -1 for anything that is not an element.
int atomicNumber(std::string_view symbol) {
    static const auto* table = [] {
        auto* t = new std::unordered_map<std::string_view, int>;
        for (int z = 1; z < kElements; ++z) (*t)[kSymbols[z]] = z;
        (*t)["D"] = 1;
        (*t)["T"] = 1;
        return t;
    }();
    auto it = table->find(symbol);
    return it == table->end() ? -1 : it->second;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Reads the next line (without its line end) and advances pos; false at the end.
bool nextLine(std::string_view text, std::size_t* pos, std::string_view* line) {
    if (*pos >= text.size()) return false;
    std::size_t end = text.find('\n', *pos);
    if (end == std::string_view::npos) end = text.size();
    *line = text.substr(*pos, end - *pos);
    if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
    *pos = end + 1;
    return true;
}

bool parseCount(std::string_view field, int* value) {
    field = trim(field);
    if (field.empty() || field.size() > 3) return false;
    int v = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

uint32_t countOf(const std::vector<ElementCount>& counts, uint8_t z) {
    auto it = std::lower_bound(counts.begin(), counts.end(), z,
                               [](const ElementCount& e, uint8_t v) { return e.z < v; });
    return it != counts.end() && it->z == z ? it->n : 0;
}

// The bond kinds a target bond may have once read: kekulization and aromaticity
// perception move between single, double and aromatic, clean-up turns some double bonds
// single and some triple bonds double, and nothing makes a single bond double or triple.
constexpr uint8_t kS = 1u << bkSingle, kD = 1u << bkDouble, kT = 1u << bkTriple,
                  kA = 1u << bkAromatic, kAny = 0xFF;

// A V2000 connection table as drawn, hydrogens included: the molecule a comparison reads
// has these atoms or fewer, and no bond that is not here.
struct TextGraph {
    std::vector<uint8_t> element;  // 0: not an element symbol, matches any atom
    std::vector<uint8_t> mayBeAromatic;
    std::vector<uint32_t> first;   // neighbours of atom i: [first[i], first[i + 1])
    std::vector<uint32_t> neighbour;
    std::vector<uint8_t> kinds;    // per neighbour entry: possible kinds of that bond
};

int fieldValue(std::string_view line, std::size_t from, std::size_t width) {
    if (line.size() <= from) return 0;
    int value = 0;
    return parseCount(line.substr(from, width), &value) ? value : -1;
}

bool readTextGraph(std::string_view text, TextGraph* g) {
    std::size_t pos = 0;
    std::string_view line;
    for (int i = 0; i < 4; ++i)
        if (!nextLine(text, &pos, &line)) return false;
    if (line.find("V3000") != std::string_view::npos || line.size() < 6) return false;
    int atoms = 0;
    int bonds = 0;
    if (!parseCount(line.substr(0, 3), &atoms) || !parseCount(line.substr(3, 3), &bonds))
        return false;
    // Atom lists and zero-order bonds change what atoms and bonds mean.
    if (fieldValue(line, 6, 3) != 0 || text.find("M  ALS") != std::string_view::npos ||
        text.find("M  ZBO") != std::string_view::npos)
        return false;

    g->element.assign(atoms, 0);
    // Carbon without charge, radical, valence or hydrogen marks and with single bonds only
    // is saturated: never aromatic. Everything else might be.
    g->mayBeAromatic.assign(atoms, 0);
    for (int i = 0; i < atoms; ++i) {
        if (!nextLine(text, &pos, &line) || line.size() < 32) return false;
        const int z = atomicNumber(trim(line.substr(31, 3)));
        g->element[i] = z > 0 ? static_cast<uint8_t>(z) : 0;
        const bool marked = fieldValue(line, 36, 3) != 0 || fieldValue(line, 42, 3) != 0 ||
                            fieldValue(line, 48, 3) != 0;
        g->mayBeAromatic[i] = z != 6 || marked;
    }
    struct Raw {
        int a, b, type;
    };
    std::vector<Raw> raw(bonds);
    std::vector<uint32_t> degree(atoms + 1, 0);
    for (Raw& r : raw) {
        if (!nextLine(text, &pos, &line) || line.size() < 9) return false;
        if (!parseCount(line.substr(0, 3), &r.a) || !parseCount(line.substr(3, 3), &r.b) ||
            !parseCount(line.substr(6, 3), &r.type))
            return false;
        if (r.a < 1 || r.b < 1 || r.a > atoms || r.b > atoms || r.a == r.b) return false;
        --r.a, --r.b;
        if (r.type != 1) g->mayBeAromatic[r.a] = g->mayBeAromatic[r.b] = 1;
        ++degree[r.a], ++degree[r.b];
    }
    // Charges and radicals set in the property block.
    while (nextLine(text, &pos, &line) && line.compare(0, 6, "M  END") != 0) {
        if (line.compare(0, 6, "M  CHG") != 0 && line.compare(0, 6, "M  RAD") != 0) continue;
        int entries = 0;
        if (line.size() < 9 || !parseCount(line.substr(6, 3), &entries)) return false;
        for (int k = 0; k < entries; ++k) {
            int atom = 0;
            if (line.size() < 13u + 8u * k || !parseCount(line.substr(10 + 8 * k, 3), &atom))
                return false;
            if (atom >= 1 && atom <= atoms) g->mayBeAromatic[atom - 1] = 1;
        }
    }

    g->first.assign(atoms + 1, 0);
    for (int i = 0; i < atoms; ++i) g->first[i + 1] = g->first[i] + degree[i];
    g->neighbour.assign(g->first[atoms], 0);
    g->kinds.assign(g->first[atoms], 0);
    std::vector<uint32_t> fill(g->first.begin(), g->first.end() - 1);
    for (const Raw& r : raw) {
        const bool aromatic = g->mayBeAromatic[r.a] && g->mayBeAromatic[r.b];
        uint8_t kinds = kAny;
        switch (r.type) {
            case 1:
                kinds = kS | (aromatic ? kA : 0);
                break;
            case 2:
                kinds = kD | kS | kA;
                break;
            case 3:
                kinds = kT | kD;
                break;
            case 4:
                kinds = kS | kD | kA;
                break;
            default:
                break;
        }
        g->neighbour[fill[r.a]] = r.b, g->kinds[fill[r.a]++] = kinds;
        g->neighbour[fill[r.b]] = r.a, g->kinds[fill[r.b]++] = kinds;
    }
    return true;
}

// Partial mappings tried before the screen gives up and lets the full comparison decide.
constexpr long kMostSteps = 20000;

class GraphSearch {
public:
    GraphSearch(const QueryGraph& q, const TextGraph& t) : q_(q), t_(t) {}

    // 1 mapped, 0 no mapping, -1 gave up.
    int run() {
        const std::size_t n = q_.element.size();
        buildOrder(n);
        map_.assign(n, -1);
        used_.assign(t_.element.size(), 0);
        return extend(0);
    }

private:
    struct Back {
        uint32_t earlier;  // position in order_
        uint8_t kind;
    };

    void buildOrder(std::size_t n) {
        std::vector<std::vector<std::pair<uint32_t, uint8_t>>> adjacent(n);
        for (const QueryGraph::Edge& e : q_.edges) {
            adjacent[e.a].push_back({e.b, e.kind});
            adjacent[e.b].push_back({e.a, e.kind});
        }
        degree_.assign(n, 0);
        for (std::size_t i = 0; i < n; ++i) degree_[i] = static_cast<uint32_t>(adjacent[i].size());
        // Breadth first from a named heteroatom where there is one: fewest candidates.
        std::vector<int> position(n, -1);
        order_.clear();
        while (order_.size() < n) {
            std::size_t start = n;
            for (std::size_t i = 0; i < n; ++i) {
                if (position[i] >= 0) continue;
                if (start == n) start = i;
                const bool hetero = q_.element[i] > 1 && q_.element[i] != 6;
                if (hetero && !(q_.element[start] > 1 && q_.element[start] != 6)) start = i;
            }
            position[start] = static_cast<int>(order_.size());
            order_.push_back(static_cast<uint32_t>(start));
            for (std::size_t k = order_.size() - 1; k < order_.size(); ++k)
                for (const auto& nb : adjacent[order_[k]])
                    if (position[nb.first] < 0) {
                        position[nb.first] = static_cast<int>(order_.size());
                        order_.push_back(nb.first);
                    }
        }
        back_.assign(n, {});
        parent_.assign(n, -1);
        for (const QueryGraph::Edge& e : q_.edges) {
            const int pa = position[e.a], pb = position[e.b];
            if (pa == pb) continue;
            const int later = std::max(pa, pb), earlier = std::min(pa, pb);
            back_[later].push_back({static_cast<uint32_t>(earlier), e.kind});
            if (parent_[later] < 0) parent_[later] = earlier;
        }
    }

    bool fits(uint32_t queryAtom, uint32_t targetAtom) const {
        const uint8_t want = q_.element[queryAtom];
        const uint8_t have = t_.element[targetAtom];
        return !used_[targetAtom] && (want == 0 || have == 0 || want == have) &&
               t_.first[targetAtom + 1] - t_.first[targetAtom] >= degree_[queryAtom];
    }

    bool bondFits(uint32_t from, uint32_t to, uint8_t kind) const {
        for (uint32_t k = t_.first[from]; k < t_.first[from + 1]; ++k)
            if (t_.neighbour[k] == to) return kind >= bkOther || (t_.kinds[k] >> kind) & 1u;
        return false;
    }

    int tryAt(std::size_t p, uint32_t target) {
        if (++steps_ > kMostSteps) return -1;
        const uint32_t atom = order_[p];
        if (!fits(atom, target)) return 0;
        for (const Back& b : back_[p])
            if (!bondFits(target, static_cast<uint32_t>(map_[b.earlier]), b.kind)) return 0;
        map_[p] = static_cast<int>(target);
        used_[target] = 1;
        const int found = extend(p + 1);
        used_[target] = 0;
        map_[p] = -1;
        return found;
    }

    int extend(std::size_t p) {
        if (p == order_.size()) return 1;
        if (parent_[p] >= 0) {
            const auto from = static_cast<uint32_t>(map_[parent_[p]]);
            for (uint32_t k = t_.first[from]; k < t_.first[from + 1]; ++k)
                if (const int r = tryAt(p, t_.neighbour[k])) return r;
            return 0;
        }
        for (uint32_t target = 0; target < t_.element.size(); ++target)
            if (const int r = tryAt(p, target)) return r;
        return 0;
    }

    const QueryGraph& q_;
    const TextGraph& t_;
    std::vector<uint32_t> order_;     // query atoms in the order they are mapped
    std::vector<uint32_t> degree_;    // by query atom
    std::vector<std::vector<Back>> back_;  // by position: bonds to earlier positions
    std::vector<int> parent_;         // by position: an earlier bonded position, or -1
    std::vector<int> map_;            // by position: target atom
    std::vector<uint8_t> used_;
    long steps_ = 0;
};

}  // namespace

bool looksLikeMolfile(std::string_view text) {
    std::size_t pos = 0;
    std::string_view line;
    for (int i = 0; i < 4; ++i)
        if (!nextLine(text, &pos, &line)) return false;
    int atoms = 0;
    bool countsLine = line.find("V3000") != std::string_view::npos ||
                      (line.size() >= 3 && parseCount(line.substr(0, 3), &atoms));
    return countsLine && text.find("M  END") != std::string_view::npos;
}

bool scanElementCounts(std::string_view text, std::vector<ElementCount>* counts) {
    std::size_t pos = 0;
    std::string_view line;
    for (int i = 0; i < 4; ++i)
        if (!nextLine(text, &pos, &line)) return false;
    if (line.find("V3000") != std::string_view::npos || line.size() < 6) return false;
    int atoms = 0;
    int bonds = 0;
    if (!parseCount(line.substr(0, 3), &atoms) || !parseCount(line.substr(3, 3), &bonds))
        return false;
    // Atom lists turn an atom into a query whatever its symbol says.
    if (text.find("M  ALS") != std::string_view::npos) return false;

    uint16_t perElement[kElements] = {};
    for (int i = 0; i < atoms; ++i) {
        if (!nextLine(text, &pos, &line) || line.size() < 32) return false;
        int z = atomicNumber(trim(line.substr(31, 3)));
        if (z < 0) return false;
        if (perElement[z] < UINT16_MAX) ++perElement[z];
    }
    counts->clear();
    for (int z = 2; z < kElements; ++z)
        if (perElement[z]) counts->push_back({static_cast<uint8_t>(z), perElement[z]});
    return true;
}

bool summaryAdmits(const PreparedQuery& query, const MolSummary& target) {
    if (target.atoms < query.atoms || target.bonds < query.bonds) return false;
    for (const ElementCount& e : query.plainElements)
        if (countOf(target.elements, e.z) < e.n) return false;
    // A plain bond matches a bond of its own kind or one of unspecified kind.
    uint32_t missing = 0;
    for (int k = 0; k < bkOther; ++k)
        if (query.plainBondKinds[k] > target.bondKinds[k])
            missing += query.plainBondKinds[k] - target.bondKinds[k];
    return missing <= target.bondKinds[bkOther];
}

bool textAdmitsSubstructure(const PreparedQuery& query, std::string_view targetText) {
    if (query.plainElements.empty()) return true;
    std::vector<ElementCount> counts;
    if (!scanElementCounts(targetText, &counts)) return true;
    for (const ElementCount& e : query.plainElements)
        if (countOf(counts, e.z) < e.n) return false;
    return true;
}

bool textAdmitsExact(const MolSummary& query, std::string_view targetText) {
    std::vector<ElementCount> counts;
    if (!scanElementCounts(targetText, &counts)) return true;
    std::vector<ElementCount> heavy;
    for (const ElementCount& e : query.elements)
        if (e.z >= 2) heavy.push_back(e);
    return heavy.size() == counts.size() &&
           std::equal(heavy.begin(), heavy.end(), counts.begin(),
                      [](const ElementCount& a, const ElementCount& b) {
                          return a.z == b.z && a.n == b.n;
                      });
}

}  // namespace veskSearch

namespace veskSearch {

bool textAdmitsGraph(const QueryGraph& query, std::string_view targetText) {
    if (query.element.empty()) return true;
    TextGraph target;
    if (!readTextGraph(targetText, &target)) return true;
    if (target.element.size() < query.element.size()) return false;
    return GraphSearch(query, target).run() != 0;
}

}  // namespace veskSearch
