#include "Screens.h"

#include <algorithm>
#include <mutex>
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
// Symbols are at most two letters, so a table indexed by both bytes answers at once.
int atomicNumber(std::string_view symbol) {
    static const auto* table = [] {
        auto* t = new int8_t[1 << 16];
        std::fill(t, t + (1 << 16), int8_t(-1));
        auto put = [t](const char* s, int z) {
            const auto a = static_cast<unsigned char>(s[0]);
            const auto b = static_cast<unsigned char>(s[1]);  // 0 for one letter
            t[a << 8 | b] = static_cast<int8_t>(z);
        };
        for (int z = 1; z < kElements; ++z) put(kSymbols[z], z);
        put("D", 1);
        put("T", 1);
        return t;
    }();
    if (symbol.empty() || symbol.size() > 2) return -1;
    const auto a = static_cast<unsigned char>(symbol[0]);
    const auto b = symbol.size() == 2 ? static_cast<unsigned char>(symbol[1]) : 0u;
    return table[a << 8 | b];
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

// A connection table as drawn, hydrogens included: the molecule a comparison reads has
// these atoms or fewer, and no bond that is not here.
struct TextGraph : DrawnGraph {
    std::vector<uint8_t> mayBeAromatic;
    struct Raw {
        uint32_t a, b;
        int type;
    };
    std::vector<Raw> bonds;  // as read; a, b 0-based
    std::vector<uint32_t> fill;

    void clear(std::size_t atoms) {
        element.assign(atoms, 0);
        mayBeAromatic.assign(atoms, 0);
        bonds.clear();
    }
    // Carbon without charge, radical, valence or hydrogen marks and with single bonds only
    // is saturated: never aromatic. Everything else might be.
    void setAtom(std::size_t i, int z, bool marked) {
        element[i] = z > 0 ? static_cast<uint8_t>(z) : 0;
        mayBeAromatic[i] = z != 6 || marked;
    }
    void link();
};

void TextGraph::link() {
    const std::size_t atoms = element.size();
    first.assign(atoms + 1, 0);
    for (const Raw& r : bonds) {
        ++first[r.a + 1], ++first[r.b + 1];
        if (r.type != 1) mayBeAromatic[r.a] = mayBeAromatic[r.b] = 1;
    }
    for (std::size_t i = 0; i < atoms; ++i) first[i + 1] += first[i];
    neighbour.assign(first[atoms], 0);
    kinds.assign(first[atoms], 0);
    fill.assign(first.begin(), first.end() - 1);
    for (const Raw& r : bonds) {
        const bool aromatic = mayBeAromatic[r.a] && mayBeAromatic[r.b];
        uint8_t k = kAny;
        switch (r.type) {
            case 1:
                k = kS | (aromatic ? kA : 0);
                break;
            case 2:
                k = kD | kS | kA;
                break;
            case 3:
                k = kT | kD;
                break;
            case 4:
                k = kS | kD | kA;
                break;
            default:
                break;
        }
        neighbour[fill[r.a]] = r.b, kinds[fill[r.a]++] = k;
        neighbour[fill[r.b]] = r.a, kinds[fill[r.b]++] = k;
    }
}

int fieldValue(std::string_view line, std::size_t from, std::size_t width) {
    if (line.size() <= from) return 0;
    int value = 0;
    return parseCount(line.substr(from, width), &value) ? value : -1;
}

// Charge, hydrogen count or valence set in an atom line: anything but blanks and zeros.
bool marked(std::string_view line, std::size_t from) {
    for (std::size_t k = from; k < from + 3 && k < line.size(); ++k)
        if (line[k] != ' ' && line[k] != '0') return true;
    return false;
}

bool readV2000Graph(std::string_view text, std::size_t pos, std::string_view counts, TextGraph* g) {
    int atoms = 0;
    int bonds = 0;
    if (counts.size() < 6 || !parseCount(counts.substr(0, 3), &atoms) ||
        !parseCount(counts.substr(3, 3), &bonds))
        return false;
    // Atom lists change what atoms mean (the property block is checked below).
    if (fieldValue(counts, 6, 3) != 0) return false;
    g->clear(atoms);
    std::string_view line;
    for (int i = 0; i < atoms; ++i) {
        if (!nextLine(text, &pos, &line) || line.size() < 32) return false;
        g->setAtom(i, atomicNumber(trim(line.substr(31, 3))),
                   marked(line, 36) || marked(line, 42) || marked(line, 48));
    }
    for (int i = 0; i < bonds; ++i) {
        int a = 0, b = 0, type = 0;
        if (!nextLine(text, &pos, &line) || line.size() < 9 || !parseCount(line.substr(0, 3), &a) ||
            !parseCount(line.substr(3, 3), &b) || !parseCount(line.substr(6, 3), &type))
            return false;
        if (a < 1 || b < 1 || a > atoms || b > atoms || a == b) return false;
        g->bonds.push_back({static_cast<uint32_t>(a - 1), static_cast<uint32_t>(b - 1), type});
    }
    // Charges and radicals set in the property block; atom lists and zero-order bonds
    // change what atoms and bonds mean.
    while (nextLine(text, &pos, &line) && line.compare(0, 6, "M  END") != 0) {
        if (line.compare(0, 6, "M  ALS") == 0 || line.compare(0, 6, "M  ZBO") == 0) return false;
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
    return true;
}

// The next V3000 statement with continuation lines joined, without its "M  V30 " prefix.
bool nextV30(std::string_view text, std::size_t* pos, std::string* statement) {
    statement->clear();
    std::string_view line;
    while (nextLine(text, pos, &line)) {
        if (line.compare(0, 7, "M  V30 ") != 0) return false;
        line.remove_prefix(7);
        if (!line.empty() && line.back() == '-') {
            statement->append(line.data(), line.size() - 1);
            continue;
        }
        statement->append(line.data(), line.size());
        return true;
    }
    return false;
}

void splitWords(std::string_view s, std::vector<std::string_view>* words) {
    words->clear();
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i] == ' ') ++i;
        std::size_t j = i;
        while (j < s.size() && s[j] != ' ') ++j;
        if (j > i) words->push_back(s.substr(i, j - i));
        i = j;
    }
}

bool parseIndex(std::string_view word, uint32_t* value) {
    if (word.empty() || word.size() > 7) return false;
    uint32_t v = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    *value = v;
    return true;
}

// One CTAB with plain atoms; lists, quoted values and templates are not read here.
bool readV3000Graph(std::string_view text, std::size_t pos, TextGraph* g) {
    if (text.find("BEGIN RGROUP") != std::string_view::npos ||
        text.find("BEGIN TEMPLATE") != std::string_view::npos ||
        text.find('"') != std::string_view::npos)
        return false;
    static thread_local std::string statement;
    static thread_local std::vector<std::string_view> words;
    static thread_local std::vector<uint32_t> position;  // by atom index in the file
    uint32_t atoms = 0;
    uint32_t bonds = 0;
    enum { none, atomBlock, bondBlock } block = none;
    uint32_t atomCount = 0;
    bool counted = false, atomsRead = false, bondsRead = false;
    for (;;) {
        std::size_t before = pos;
        std::string_view line;
        if (!nextLine(text, &before, &line)) return false;
        if (line.compare(0, 6, "M  END") == 0) break;
        if (!nextV30(text, &pos, &statement)) return false;
        splitWords(statement, &words);
        if (words.empty()) return false;
        if (block == none) {
            if (words[0] == "COUNTS") {
                if (words.size() < 3 || !parseIndex(words[1], &atoms) ||
                    !parseIndex(words[2], &bonds))
                    return false;
                if (counted) return false;
                g->clear(atoms);
                position.clear();
                counted = true;
            } else if (words[0] == "BEGIN" && words.size() > 1 && words[1] == "ATOM") {
                if (!counted || atomsRead) return false;
                block = atomBlock;
            } else if (words[0] == "BEGIN" && words.size() > 1 && words[1] == "BOND") {
                if (!atomsRead || bondsRead) return false;
                block = bondBlock;
            }
            continue;
        }
        if (words[0] == "END") {
            if (block == atomBlock) {
                if (atomCount != atoms) return false;
                atomsRead = true;
            } else {
                if (g->bonds.size() != bonds) return false;
                bondsRead = true;
            }
            block = none;
            continue;
        }
        if (block == atomBlock) {
            // index type x y z aamap [KEY=value ...]
            uint32_t index = 0;
            if (words.size() < 6 || !parseIndex(words[0], &index) || index == 0) return false;
            if (words[1].front() == '[' || words[1] == "NOT") return false;
            if (atomCount >= atoms || index > 10 * atoms + 1000) return false;
            g->setAtom(atomCount, atomicNumber(words[1]), words.size() > 6);
            if (index >= position.size()) position.resize(index + 1, 0);
            if (position[index] != 0) return false;
            position[index] = ++atomCount;
        } else {
            // index type atom1 atom2 [KEY=value ...]
            uint32_t index = 0, type = 0, a = 0, b = 0;
            if (words.size() < 4 || !parseIndex(words[0], &index) || !parseIndex(words[1], &type) ||
                !parseIndex(words[2], &a) || !parseIndex(words[3], &b))
                return false;
            if (a >= position.size() || b >= position.size() || !position[a] || !position[b] ||
                a == b)
                return false;
            g->bonds.push_back({position[a] - 1, position[b] - 1, static_cast<int>(type)});
        }
    }
    return atomsRead && (bonds == 0 || bondsRead);
}

bool readTextGraph(std::string_view text, TextGraph* g) {
    std::size_t pos = 0;
    std::string_view line;
    for (int i = 0; i < 4; ++i)
        if (!nextLine(text, &pos, &line)) return false;
    const bool read = line.find("V3000") != std::string_view::npos
                          ? readV3000Graph(text, pos, g)
                          : readV2000Graph(text, pos, line, g);
    if (!read) return false;
    g->link();
    return true;
}

// Partial mappings tried before the screen gives up and lets the full comparison decide.
constexpr long kMostSteps = 20000;

class GraphSearch {
public:
    GraphSearch(const QueryGraph& q, const DrawnGraph& t) : q_(q), t_(t) {}

    // 1 mapped, 0 no mapping, -1 gave up.
    int run() {
        map_.assign(q_.order.size(), 0);
        used_.assign(t_.element.size(), 0);
        return extend(0);
    }

private:
    bool fits(uint32_t queryAtom, uint32_t targetAtom) const {
        const uint8_t want = q_.element[queryAtom];
        const uint8_t have = t_.element[targetAtom];
        return !used_[targetAtom] && (want == 0 || have == 0 || want == have) &&
               t_.first[targetAtom + 1] - t_.first[targetAtom] >= q_.degree[queryAtom];
    }

    bool bondFits(uint32_t from, uint32_t to, uint8_t kind) const {
        for (uint32_t k = t_.first[from]; k < t_.first[from + 1]; ++k)
            if (t_.neighbour[k] == to) return kind >= bkOther || (t_.kinds[k] >> kind) & 1u;
        return false;
    }

    int tryAt(std::size_t p, uint32_t target) {
        if (++steps_ > kMostSteps) return -1;
        if (!fits(q_.order[p], target)) return 0;
        for (uint32_t k = q_.backFirst[p]; k < q_.backFirst[p + 1]; ++k)
            if (!bondFits(target, map_[q_.back[k].earlier], q_.back[k].kind)) return 0;
        map_[p] = target;
        used_[target] = 1;
        const int found = extend(p + 1);
        used_[target] = 0;
        return found;
    }

    int extend(std::size_t p) {
        if (p == q_.order.size()) return 1;
        if (q_.backFirst[p] < q_.backFirst[p + 1]) {
            const uint32_t from = map_[q_.back[q_.backFirst[p]].earlier];
            for (uint32_t k = t_.first[from]; k < t_.first[from + 1]; ++k)
                if (const int r = tryAt(p, t_.neighbour[k])) return r;
            return 0;
        }
        for (uint32_t target = 0; target < t_.element.size(); ++target)
            if (const int r = tryAt(p, target)) return r;
        return 0;
    }

    const QueryGraph& q_;
    const DrawnGraph& t_;
    long steps_ = 0;
    // Kept between targets of one thread, so that a screen allocates nothing.
    static thread_local std::vector<uint32_t> map_;  // by position: target atom
    static thread_local std::vector<uint8_t> used_;
};

thread_local std::vector<uint32_t> GraphSearch::map_;
thread_local std::vector<uint8_t> GraphSearch::used_;

}  // namespace

int elementNumber(std::string_view symbol) {
    return atomicNumber(symbol);
}

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

void planQueryGraph(QueryGraph* q) {
    {
        // Numbered by content: elements and bonds decide everything planned from them.
        std::string content(q->element.begin(), q->element.end());
        for (const QueryGraph::Edge& e : q->edges) {
            content.append(reinterpret_cast<const char*>(&e.a), sizeof e.a);
            content.append(reinterpret_cast<const char*>(&e.b), sizeof e.b);
            content.push_back(static_cast<char>(e.kind));
        }
        static std::mutex mutex;
        static auto* numbers = new std::unordered_map<std::string, uint64_t>;
        std::lock_guard<std::mutex> lock(mutex);
        auto it = numbers->emplace(std::move(content), numbers->size() + 1).first;
        q->id = it->second;
    }
    const std::size_t n = q->element.size();
    std::vector<std::vector<uint32_t>> adjacent(n);
    for (const QueryGraph::Edge& e : q->edges) {
        adjacent[e.a].push_back(e.b);
        adjacent[e.b].push_back(e.a);
    }
    q->degree.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) q->degree[i] = static_cast<uint32_t>(adjacent[i].size());
    // Breadth first, each part from a named heteroatom where it has one: fewest candidates.
    auto hetero = [q](std::size_t i) { return q->element[i] > 1 && q->element[i] != 6; };
    std::vector<int> position(n, -1);
    q->order.clear();
    while (q->order.size() < n) {
        std::size_t start = n;
        for (std::size_t i = 0; i < n; ++i)
            if (position[i] < 0 && (start == n || (hetero(i) && !hetero(start)))) start = i;
        position[start] = static_cast<int>(q->order.size());
        q->order.push_back(static_cast<uint32_t>(start));
        for (std::size_t k = q->order.size() - 1; k < q->order.size(); ++k)
            for (const uint32_t nb : adjacent[q->order[k]])
                if (position[nb] < 0) {
                    position[nb] = static_cast<int>(q->order.size());
                    q->order.push_back(nb);
                }
    }
    // Bonds back to earlier positions; the first of each is the one candidates come through.
    std::vector<std::vector<QueryGraph::Back>> back(n);
    for (const QueryGraph::Edge& e : q->edges) {
        const int pa = position[e.a], pb = position[e.b];
        if (pa == pb) continue;
        back[std::max(pa, pb)].push_back({static_cast<uint32_t>(std::min(pa, pb)), e.kind});
    }
    q->backFirst.assign(n + 1, 0);
    q->back.clear();
    for (std::size_t p = 0; p < n; ++p) {
        std::sort(back[p].begin(), back[p].end(),
                  [](const QueryGraph::Back& x, const QueryGraph::Back& y) {
                      return x.earlier < y.earlier;
                  });
        q->back.insert(q->back.end(), back[p].begin(), back[p].end());
        q->backFirst[p + 1] = static_cast<uint32_t>(q->back.size());
    }
}

bool textAdmitsGraph(const QueryGraph& query, std::string_view targetText,
                     std::shared_ptr<const DrawnGraph>* rejected) {
    if (query.element.empty() || query.order.size() != query.element.size()) return true;
    static thread_local TextGraph target;
    if (!readTextGraph(targetText, &target)) return true;
    // Not graphAdmits: the graph of this thread's last text must not answer for this one.
    if (target.element.size() >= query.element.size() && GraphSearch(query, target).run() != 0)
        return true;
    if (rejected) {
        auto kept = std::make_shared<DrawnGraph>();
        kept->rejectedBy = query.id;
        kept->element = target.element;
        kept->first = target.first;
        kept->neighbour = target.neighbour;
        kept->kinds = target.kinds;
        *rejected = std::move(kept);
    }
    return false;
}

bool graphAdmits(const QueryGraph& query, const DrawnGraph& target) {
    if (query.element.empty() || query.order.size() != query.element.size()) return true;
    if (target.element.size() < query.element.size()) return false;
    if (query.id != 0 && target.rejectedBy.load(std::memory_order_relaxed) == query.id)
        return false;
    if (GraphSearch(query, target).run() != 0) return true;
    target.rejectedBy.store(query.id, std::memory_order_relaxed);
    return false;
}

std::size_t DrawnGraph::bytes() const {
    auto block = [](std::size_t n) { return n ? ((n + 8 + 15) & ~std::size_t(15)) : 0; };
    return block(sizeof(DrawnGraph) + 16) + block(element.capacity()) + block(kinds.capacity()) +
           block(first.capacity() * 4) + block(neighbour.capacity() * 4);
}

}  // namespace veskSearch
