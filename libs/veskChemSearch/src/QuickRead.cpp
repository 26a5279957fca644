#include "QuickRead.h"

#include "Screens.h"

#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace veskSearch {

namespace {

bool nextLine(std::string_view text, std::size_t* pos, std::string_view* line) {
    if (*pos >= text.size()) return false;
    std::size_t end = text.find('\n', *pos);
    if (end == std::string_view::npos) end = text.size();
    *line = text.substr(*pos, end - *pos);
    if (!line->empty() && line->back() == '\r') line->remove_suffix(1);
    *pos = end + 1;
    return true;
}

// A right-aligned integer field; blank or beyond the line end reads as 0. False for anything
// else, so that a text RDKit might read differently is left to it.
bool intField(std::string_view line, std::size_t from, std::size_t width, int* value) {
    *value = 0;
    if (line.size() <= from) return true;
    std::string_view f = line.substr(from, width);
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) negative = f[i++] == '-';
    bool digits = false;
    int v = 0;
    for (; i < f.size() && f[i] >= '0' && f[i] <= '9'; ++i, digits = true)
        v = v * 10 + (f[i] - '0');
    while (i < f.size() && f[i] == ' ') ++i;
    if (i != f.size() || (!digits && negative)) return false;
    *value = negative ? -v : v;
    return true;
}

// A coordinate: optional sign, digits with one decimal point, blanks around.
bool numberField(std::string_view f) {
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i < f.size() && (f[i] == '-' || f[i] == '+')) ++i;
    bool digits = false, point = false;
    for (; i < f.size(); ++i) {
        if (f[i] >= '0' && f[i] <= '9') {
            digits = true;
        } else if (f[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (i < f.size() && f[i] == ' ') ++i;
    return digits && i == f.size();
}

struct PlainAtom {
    int z = 0;
    int charge = 0;
    int isotope = 0;
};

// Atom block charge codes: 1-3 are +3..+1, 5-7 are -1..-3; 4 is a radical, not a charge.
bool chargeCode(int code, int* charge) {
    static const int kCharges[8] = {0, 3, 2, 1, 0, -1, -2, -3};
    if (code < 0 || code > 7 || code == 4) return false;
    *charge = kCharges[code];
    return true;
}

// "M  CHG" and "M  ISO": a count, then pairs of atom number and value.
bool propertyPairs(std::string_view line, int atoms, std::vector<std::pair<int, int>>* pairs) {
    int count = 0;
    if (!intField(line, 6, 3, &count) || count < 1 || count > 8) return false;
    if (line.size() < 9u + 8u * count) return false;
    for (int k = 0; k < count; ++k) {
        int atom = 0, value = 0;
        if (!intField(line, 9 + 8 * k, 4, &atom) || !intField(line, 13 + 8 * k, 4, &value))
            return false;
        if (atom < 1 || atom > atoms) return false;
        pairs->push_back({atom - 1, value});
    }
    return true;
}

// Removing hydrogens depends on stereo in one case: a hydrogen is kept when it is the only
// neighbour that can carry the geometry of a double bond at its end (an imine N-H). Texts
// with such a hydrogen, and with hydrogens that are kept anyway (charged, bonded to another
// hydrogen or to more than one atom, or to none), are left to the full reader; every other
// hydrogen goes, as it does there.
bool hydrogensGoAsTheFullReadingDoes(const std::vector<PlainAtom>& atoms,
                                     const std::vector<std::pair<int, int>>& ends,
                                     const std::vector<int>& types) {
    std::vector<int> degree(atoms.size(), 0);
    std::vector<char> doubleBonded(atoms.size(), 0);
    for (std::size_t i = 0; i < ends.size(); ++i) {
        ++degree[ends[i].first], ++degree[ends[i].second];
        // Clean-up may turn a triple bond into a double one.
        if (types[i] >= 2) doubleBonded[ends[i].first] = doubleBonded[ends[i].second] = 1;
    }
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const int a = ends[i].first, b = ends[i].second;
        if (atoms[a].z != 1 && atoms[b].z != 1) continue;
        if (atoms[a].z == 1 && atoms[b].z == 1) return false;
        const int h = atoms[a].z == 1 ? a : b;
        const int heavy = h == a ? b : a;
        if (degree[h] != 1 || types[i] != 1) return false;
        if (degree[heavy] == 2 && doubleBonded[heavy]) return false;
    }
    for (std::size_t i = 0; i < atoms.size(); ++i)
        if (atoms[i].z == 1 && (degree[i] != 1 || atoms[i].charge != 0)) return false;
    return true;
}

}  // namespace

std::unique_ptr<RDKit::RWMol> readPlainTarget(std::string_view text) {
    try {
        std::size_t pos = 0;
        std::string_view line;
        for (int i = 0; i < 4; ++i)
            if (!nextLine(text, &pos, &line)) return nullptr;
        int atoms = 0, bonds = 0, lists = 0;
        if (line.find("V3000") != std::string_view::npos || line.size() < 6 ||
            !intField(line, 0, 3, &atoms) || !intField(line, 3, 3, &bonds) ||
            !intField(line, 6, 3, &lists) || lists != 0 || atoms < 1 || bonds < 0)
            return nullptr;

        std::vector<PlainAtom> plain(static_cast<std::size_t>(atoms));
        for (PlainAtom& a : plain) {
            if (!nextLine(text, &pos, &line) || line.size() < 34) return nullptr;
            if (!numberField(line.substr(0, 10)) || !numberField(line.substr(10, 10)) ||
                !numberField(line.substr(20, 10)))
                return nullptr;
            std::string_view symbol = line.substr(31, 3);
            while (!symbol.empty() && symbol.back() == ' ') symbol.remove_suffix(1);
            if (symbol.empty() || symbol.front() == ' ') return nullptr;
            // Deuterium and tritium are isotopes, which the reading keeps as atoms.
            if (symbol == "D" || symbol == "T") return nullptr;
            a.z = elementNumber(symbol);
            if (a.z < 1) return nullptr;
            // Mass difference, charge, parity, hydrogen count, stereo care, valence, H0,
            // reaction fields, mapping, inversion, exact change: only charge is read here,
            // parity does not matter without stereo, anything else set is declined.
            int field = 0;
            if (!intField(line, 34, 2, &field) || field != 0) return nullptr;
            int code = 0;
            if (!intField(line, 36, 3, &code) || !chargeCode(code, &a.charge)) return nullptr;
            if (!intField(line, 39, 3, &field)) return nullptr;
            for (std::size_t from = 42; from < 69; from += 3)
                if (!intField(line, from, 3, &field) || field != 0) return nullptr;
        }

        std::vector<std::pair<int, int>> ends;
        static thread_local std::vector<std::pair<int, int>> seen;  // both ends, lower first
        seen.clear();
        std::vector<int> types;
        for (int i = 0; i < bonds; ++i) {
            int a = 0, b = 0, type = 0, stereo = 0, field = 0;
            if (!nextLine(text, &pos, &line) || line.size() < 9 || !intField(line, 0, 3, &a) ||
                !intField(line, 3, 3, &b) || !intField(line, 6, 3, &type) ||
                !intField(line, 9, 3, &stereo))
                return nullptr;
            if (a < 1 || b < 1 || a > atoms || b > atoms || a == b || type < 1 || type > 3)
                return nullptr;
            if (stereo != 0 && stereo != 1 && stereo != 3 && stereo != 4 && stereo != 6)
                return nullptr;
            for (std::size_t from = 12; from < 21; from += 3)
                if (!intField(line, from, 3, &field) || field != 0) return nullptr;
            seen.push_back({std::min(a, b), std::max(a, b)});
            ends.push_back({a - 1, b - 1});
            types.push_back(type);
        }

        // Two bonds between the same atoms: the full reader decides.
        std::sort(seen.begin(), seen.end());
        if (std::adjacent_find(seen.begin(), seen.end()) != seen.end()) return nullptr;
        if (!hydrogensGoAsTheFullReadingDoes(plain, ends, types)) return nullptr;

        bool propertyCharges = false;
        for (;;) {
            if (!nextLine(text, &pos, &line)) return nullptr;
            if (line.compare(0, 6, "M  END") == 0) break;
            std::vector<std::pair<int, int>> pairs;
            if (line.compare(0, 6, "M  CHG") == 0) {
                if (!propertyPairs(line, atoms, &pairs)) return nullptr;
                // The first charge line replaces every charge of the atom block.
                if (!propertyCharges)
                    for (PlainAtom& a : plain) a.charge = 0;
                for (const auto& p : pairs) {
                    if (plain[p.first].z == 1 && p.second != 0) return nullptr;
                    plain[p.first].charge = p.second;
                }
                propertyCharges = true;
            } else if (line.compare(0, 6, "M  ISO") == 0) {
                if (!propertyPairs(line, atoms, &pairs)) return nullptr;
                for (const auto& p : pairs) {
                    if (p.second < 1 || plain[p.first].z == 1) return nullptr;
                    plain[p.first].isotope = p.second;
                }
            } else {
                return nullptr;
            }
        }

        bool hasHydrogens = false;
        for (const PlainAtom& a : plain) hasHydrogens = hasHydrogens || a.z == 1;
        // Hydrogens on carbon and oxygen are simply left out: the clean-up changes nothing
        // around those atoms, and removing the hydrogens leaves the rest as it would be
        // without them (no explicit counts: nothing is aromatic or chiral yet). Others are
        // built and removed as the full reading does it.
        bool leaveOut = hasHydrogens;
        for (std::size_t i = 0; i < ends.size() && leaveOut; ++i) {
            const int a = ends[i].first, b = ends[i].second;
            if (plain[a].z != 1 && plain[b].z != 1) continue;
            const int heavy = plain[a].z == 1 ? plain[b].z : plain[a].z;
            leaveOut = heavy == 6 || heavy == 8;
        }
        std::vector<int> index(plain.size(), -1);
        auto mol = std::make_unique<RDKit::RWMol>();
        for (std::size_t i = 0; i < plain.size(); ++i) {
            const PlainAtom& a = plain[i];
            if (leaveOut && a.z == 1) continue;
            auto* atom = new RDKit::Atom(a.z);
            atom->setFormalCharge(a.charge);
            if (a.isotope) atom->setIsotope(static_cast<unsigned>(a.isotope));
            index[i] = static_cast<int>(mol->addAtom(atom, false, true));
        }
        static const RDKit::Bond::BondType kTypes[4] = {RDKit::Bond::UNSPECIFIED,
                                                        RDKit::Bond::SINGLE, RDKit::Bond::DOUBLE,
                                                        RDKit::Bond::TRIPLE};
        for (std::size_t i = 0; i < ends.size(); ++i) {
            const int a = index[ends[i].first], b = index[ends[i].second];
            if (a < 0 || b < 0) continue;
            mol->addBond(static_cast<unsigned>(a), static_cast<unsigned>(b), kTypes[types[i]]);
        }
        // As the full reading: clean-up, hydrogens removed, then everything perceived.
        if (hasHydrogens && !leaveOut) {
            unsigned failed = 0;
            RDKit::MolOps::sanitizeMol(*mol, failed, RDKit::MolOps::SANITIZE_CLEANUP);
            RDKit::MolOps::RemoveHsParameters ps;
            ps.showWarnings = false;
            RDKit::MolOps::removeHs(*mol, ps, false);
        }
        // Conjugation and hybridization serve no substructure test; whoever needs them perceives
        // them on a copy (see restoreEditable).
        unsigned failed = 0;
        RDKit::MolOps::sanitizeMol(*mol, failed,
                                   RDKit::MolOps::SANITIZE_ALL ^
                                       RDKit::MolOps::SANITIZE_SETCONJUGATION ^
                                       RDKit::MolOps::SANITIZE_SETHYBRIDIZATION);
        return mol;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace veskSearch
