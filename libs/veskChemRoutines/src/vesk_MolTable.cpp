#include "vesk_MolTable.h"

#include "vesk_SDRecord.h"

namespace vesk {

namespace {

// A fixed-width integer field the way RDKit reads it (blanks, an optional '-', digits, blanks);
// anything else (RDKit's reader has its own quirks with '+' and inner blanks) is declined.
bool Field(std::string_view line, std::size_t pos, std::size_t width, int& value) {
    value = 0;
    // RDKit ignores a field the line does not hold completely.
    if (pos + width > line.size()) return true;
    std::string_view f = line.substr(pos, width);
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    bool negative = false;
    if (i < f.size() && f[i] == '-') {
        negative = true;
        ++i;
    }
    std::size_t digits = 0;
    int v = 0;
    while (i < f.size() && f[i] >= '0' && f[i] <= '9') {
        v = v * 10 + (f[i] - '0');
        ++i;
        ++digits;
    }
    while (i < f.size() && f[i] == ' ') ++i;
    if (i != f.size() || (negative && digits == 0)) return false;
    value = negative ? -v : v;
    return true;
}

bool IsCoordinate(std::string_view f) {
    for (char c : f) {
        if (!((c >= '0' && c <= '9') || c == ' ' || c == '+' || c == '-' || c == '.' || c == ',')) {
            return false;
        }
    }
    return true;
}

bool ReadSymbol(std::string_view line, char (&symbol)[4]) {
    std::string_view s = line.substr(31, 3);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    // Elements (and D, T) only; query atoms, R groups and dummies go to RDKit's reader.
    if (s.empty() || s.size() > 2 || s[0] < 'A' || s[0] > 'Z') return false;
    symbol[0] = s[0];
    symbol[1] = 0;
    if (s.size() == 2) {
        char c = s[1];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c < 'a' || c > 'z') return false;
        symbol[1] = c;
    }
    symbol[2] = 0;
    return true;
}

bool ReadAtom(std::string_view line, CTabAtom& atom) {
    if (line.size() < 34) return false;
    if (!IsCoordinate(line.substr(0, 30))) return false;
    if (!ReadSymbol(line, atom.symbol)) return false;
    int chargeCode = 0, hCount = 0, unused = 0;
    if (!Field(line, 34, 2, atom.massDifference) || !Field(line, 36, 3, chargeCode) ||
        !Field(line, 39, 3, unused) || !Field(line, 42, 3, hCount) || !Field(line, 45, 3, unused) ||
        !Field(line, 48, 3, atom.valence)) {
        return false;
    }
    // Query H counts are left to RDKit's reader.
    if (hCount != 0 || atom.valence < 0 || atom.valence > 15) return false;
    // The remaining columns only carry reaction and mapping flags, but RDKit rejects the atom
    // when they are not numbers.
    if (line.size() > 51) {
        for (char c : line.substr(51)) {
            if (!((c >= '0' && c <= '9') || c == ' ' || c == '-')) return false;
        }
    }
    // Code 4 (doublet radical) means no charge; RDKit takes radicals from "M  RAD" only.
    if (chargeCode < 0 || chargeCode > 7) return false;
    atom.charge = chargeCode == 0 ? 0 : 4 - chargeCode;
    return true;
}

bool ReadBond(std::string_view line, int atomCount, CTabBond& bond) {
    if (line.size() < 9) return false;
    int a = 0, b = 0, order = 0, stereo = 0, unused = 0, topology = 0;
    if (!Field(line, 0, 3, a) || !Field(line, 3, 3, b) || !Field(line, 6, 3, order) ||
        !Field(line, 9, 3, stereo) || !Field(line, 12, 3, unused) ||
        !Field(line, 15, 3, topology)) {
        return false;
    }
    if (order < 1 || order > 3 || topology != 0) return false;
    if (a < 1 || b < 1 || a > atomCount || b > atomCount || a == b) return false;
    bond.first = a - 1;
    bond.second = b - 1;
    bond.order = order;
    return true;
}

// "M  CHG" / "M  ISO": count, then pairs of 4-column fields (atom number, value).
bool ReadPropertyPairs(std::string_view line, int atomCount,
                       std::vector<std::pair<int, int>>& pairs) {
    int count = 0;
    if (line.size() < 9 || !Field(line, 6, 3, count) || count < 0 || count > 8) return false;
    if (line.size() < 9 + static_cast<std::size_t>(count) * 8) return false;
    pairs.clear();
    for (int k = 0; k < count; ++k) {
        int atom = 0, value = 0;
        std::size_t pos = 9 + static_cast<std::size_t>(k) * 8;
        if (!Field(line, pos, 4, atom) || !Field(line, pos + 4, 4, value)) return false;
        if (line.substr(pos + 4, 4) == "    ") return false;
        if (atom < 1 || atom > atomCount) return false;
        pairs.emplace_back(atom - 1, value);
    }
    return true;
}

}  // namespace

bool ReadPlainV2000(std::string_view block, CTab& ctab) {
    ctab.atoms.clear();
    ctab.bonds.clear();
    LineCursor cursor(block);
    std::string_view line;
    for (int i = 0; i < 3; ++i) {
        if (!cursor.Next(line)) return false;
    }
    if (!cursor.Next(line)) return false;
    if (line.size() < 39 || line.substr(34, 5) != "V2000") return false;
    int atomCount = 0, bondCount = 0, listCount = 0;
    if (!Field(line, 0, 3, atomCount) || !Field(line, 3, 3, bondCount) ||
        !Field(line, 6, 3, listCount) || atomCount < 0 || bondCount < 0 || listCount != 0) {
        return false;
    }

    ctab.atoms.resize(static_cast<std::size_t>(atomCount));
    for (CTabAtom& atom : ctab.atoms) {
        if (!cursor.Next(line) || !ReadAtom(line, atom)) return false;
    }
    ctab.bonds.resize(static_cast<std::size_t>(bondCount));
    for (CTabBond& bond : ctab.bonds) {
        if (!cursor.Next(line) || !ReadBond(line, atomCount, bond)) return false;
    }

    bool firstChargeLine = true;
    std::vector<std::pair<int, int>> pairs;
    while (cursor.Next(line)) {
        if (line.substr(0, 6) == "M  END") return true;
        if (line.substr(0, 6) == "M  CHG") {
            if (!ReadPropertyPairs(line, atomCount, pairs)) return false;
            // The first charge or radical line replaces every charge of the atom block.
            if (firstChargeLine) {
                for (CTabAtom& atom : ctab.atoms) atom.charge = 0;
                firstChargeLine = false;
            }
            for (const auto& [atom, value] : pairs) ctab.atoms[atom].charge = value;
        } else if (line.substr(0, 6) == "M  RAD") {
            if (!ReadPropertyPairs(line, atomCount, pairs)) return false;
            if (firstChargeLine) {
                for (CTabAtom& atom : ctab.atoms) atom.charge = 0;
                firstChargeLine = false;
            }
            for (const auto& [atom, value] : pairs) {
                // singlet and triplet carry two unpaired electrons, doublet one
                if (value < 1 || value > 3) return false;
                ctab.atoms[atom].radicalElectrons = value == 2 ? 1 : 2;
            }
        } else if (line.substr(0, 6) == "M  ISO") {
            if (!ReadPropertyPairs(line, atomCount, pairs)) return false;
            for (const auto& [atom, value] : pairs) {
                if (value > 0) ctab.atoms[atom].isotope = value;
                if (value == 0) return false;
            }
        } else {
            return false;
        }
    }
    return false;  // no "M  END"
}

}  // namespace vesk
