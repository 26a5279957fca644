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
