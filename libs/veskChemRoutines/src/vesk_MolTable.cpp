#include "vesk_MolTable.h"

#include <algorithm>
#include <string>

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

// Reads the atom numbers and the order; `plain` false when the bond needs RDKit's reader.
bool ReadBond(std::string_view line, CTabBond& bond, bool& plain) {
    if (line.size() < 9) return false;
    int a = 0, b = 0, order = 0, stereo = 0, unused = 0, topology = 0;
    if (!Field(line, 0, 3, a) || !Field(line, 3, 3, b) || !Field(line, 6, 3, order)) return false;
    plain = Field(line, 9, 3, stereo) && Field(line, 12, 3, unused) &&
            Field(line, 15, 3, topology) && order >= 1 && order <= 3 && topology == 0;
    bond.first = a - 1;
    bond.second = b - 1;
    bond.order = order;
    return true;
}

// "M  CHG", "M  ISO", "M  RAD": count, then pairs of 4-column fields (atom number, value).
// Atom numbers are checked by the caller.
bool ReadPropertyPairs(std::string_view line, std::vector<std::pair<int, int>>& pairs) {
    int count = 0;
    if (line.size() < 9 || !Field(line, 6, 3, count) || count < 0 || count > 8) return false;
    if (line.size() < 9 + static_cast<std::size_t>(count) * 8) return false;
    pairs.clear();
    for (int k = 0; k < count; ++k) {
        int atom = 0, value = 0;
        std::size_t pos = 9 + static_cast<std::size_t>(k) * 8;
        if (!Field(line, pos, 4, atom) || !Field(line, pos + 4, 4, value)) return false;
        if (line.substr(pos + 4, 4) == "    ") return false;
        pairs.emplace_back(atom - 1, value);
    }
    return true;
}

}  // namespace

CTabResult ReadPlainV2000(std::string_view block, CTab& ctab, std::string& problem) {
    ctab.atoms.clear();
    ctab.bonds.clear();
    LineCursor cursor(block);
    std::string_view line;
    for (int i = 0; i < 4; ++i) {
        if (!cursor.Next(line)) return CTabResult::kOther;
    }
    if (line.size() < 39 || line.substr(34, 5) != "V2000") return CTabResult::kOther;
    int atomCount = 0, bondCount = 0, listCount = 0;
    if (!Field(line, 0, 3, atomCount) || !Field(line, 3, 3, bondCount) ||
        !Field(line, 6, 3, listCount) || atomCount < 0 || bondCount < 0) {
        return CTabResult::kOther;
    }

    // Everything is read even after a detail that only RDKit's reader handles: bonds and
    // property lines naming atoms that do not exist make that reader throw in a way that
    // leaks the half-built molecule, so they are reported from here.
    bool plain = listCount == 0;
    ctab.atoms.resize(static_cast<std::size_t>(atomCount));
    for (CTabAtom& atom : ctab.atoms) {
        if (!cursor.Next(line)) return CTabResult::kOther;
        plain = ReadAtom(line, atom) && plain;
    }
    ctab.bonds.resize(static_cast<std::size_t>(bondCount));
    std::vector<std::pair<int, int>> seen;
    seen.reserve(ctab.bonds.size());
    for (std::size_t k = 0; k < ctab.bonds.size(); ++k) {
        CTabBond& bond = ctab.bonds[k];
        bool plainBond = false;
        if (!cursor.Next(line) || !ReadBond(line, bond, plainBond)) return CTabResult::kOther;
        plain = plain && plainBond;
        if (bond.first < 0 || bond.second < 0 || bond.first >= atomCount ||
            bond.second >= atomCount || bond.first == bond.second) {
            problem = "bond " + std::to_string(k + 1) + " joins atoms " +
                      std::to_string(bond.first + 1) + " and " + std::to_string(bond.second + 1) +
                      " of " + std::to_string(atomCount);
            return CTabResult::kBroken;
        }
        seen.emplace_back(std::min(bond.first, bond.second), std::max(bond.first, bond.second));
    }
    std::sort(seen.begin(), seen.end());
    auto twice = std::adjacent_find(seen.begin(), seen.end());
    if (twice != seen.end()) {
        problem = "atoms " + std::to_string(twice->first + 1) + " and " +
                  std::to_string(twice->second + 1) + " are bonded twice";
        return CTabResult::kBroken;
    }

    bool firstChargeLine = true;
    std::vector<std::pair<int, int>> pairs;
    while (cursor.Next(line)) {
        std::string_view tag = line.substr(0, 6);
        if (tag == "M  END") return plain ? CTabResult::kPlain : CTabResult::kOther;
        // Lines RDKit's reader passes over unread: an alias or group text, skipped lines.
        int skip = !line.empty() && (line[0] == 'A' || line[0] == 'G') ? 1 : 0;
        if (tag == "S  SKP" && !Field(line, 6, 3, skip)) return CTabResult::kOther;
        if (skip > 0) {
            plain = false;
            while (skip-- > 0) cursor.Next(line);
            continue;
        }
        bool known = tag == "M  CHG" || tag == "M  RAD" || tag == "M  ISO";
        if (!known || !ReadPropertyPairs(line, pairs)) {
            plain = false;
            continue;
        }
        for (const auto& pair : pairs) {
            if (pair.first < 0 || pair.first >= atomCount) {
                problem = std::string(tag) + " names atom " + std::to_string(pair.first + 1) +
                          " of " + std::to_string(atomCount);
                return CTabResult::kBroken;
            }
        }
        if (!plain) continue;
        if (tag == "M  ISO") {
            for (const auto& [atom, value] : pairs) {
                if (value == 0) plain = false;
                if (value > 0) ctab.atoms[atom].isotope = value;
            }
            continue;
        }
        // The first charge or radical line replaces every charge of the atom block.
        if (firstChargeLine) {
            for (CTabAtom& atom : ctab.atoms) atom.charge = 0;
            firstChargeLine = false;
        }
        for (const auto& [atom, value] : pairs) {
            if (tag == "M  CHG") {
                ctab.atoms[atom].charge = value;
            } else if (value < 1 || value > 3) {
                plain = false;
            } else {
                // singlet and triplet carry two unpaired electrons, doublet one
                ctab.atoms[atom].radicalElectrons = value == 2 ? 1 : 2;
            }
        }
    }
    return CTabResult::kOther;  // no "M  END"
}

namespace {

// The blank-separated words of a V3000 line after "M  V30 ".
std::size_t SplitWords(std::string_view text, std::string_view* words, std::size_t capacity) {
    std::size_t count = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ') ++at;
        if (at == text.size()) break;
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (count == capacity) return capacity + 1;
        words[count++] = text.substr(at, end - at);
        at = end;
    }
    return count;
}

// A whole word as a plain decimal integer (optional '-').
bool WordInt(std::string_view word, int& value) {
    bool negative = false;
    if (!word.empty() && word[0] == '-') {
        negative = true;
        word.remove_prefix(1);
    }
    if (word.empty() || word.size() > 9) return false;
    int v = 0;
    for (const char c : word) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = negative ? -v : v;
    return true;
}

// A coordinate as V3000 writers give it: digits with an optional sign and one decimal point.
bool WordNumber(std::string_view word) {
    if (!word.empty() && (word[0] == '-' || word[0] == '+')) word.remove_prefix(1);
    bool digit = false;
    bool point = false;
    for (const char c : word) {
        if (c >= '0' && c <= '9') {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// The next "M  V30 " line's words; false at the end, for another line, or a continued one.
bool NextV30(LineCursor& cursor, std::string_view* words, std::size_t capacity,
             std::size_t& count) {
    std::string_view line;
    if (!cursor.Next(line) || line.substr(0, 7) != "M  V30 " || line.back() == '-') return false;
    count = SplitWords(line.substr(7), words, capacity);
    return count > 0 && count <= capacity;
}

}  // namespace

bool ReadPlainV3000(std::string_view block, CTab& ctab) {
    ctab.atoms.clear();
    ctab.bonds.clear();
    LineCursor cursor(block);
    std::string_view line;
    for (int i = 0; i < 4; ++i) {
        if (!cursor.Next(line)) return false;
    }
    if (line.size() < 39 || line.substr(34, 5) != "V3000") return false;
    constexpr std::size_t kWords = 12;
    std::string_view w[kWords];
    std::size_t n = 0;
    auto is = [&](std::string_view a, std::string_view b) {
        return n == 2 && w[0] == a && w[1] == b;
    };
    int atomCount = 0, bondCount = 0;
    if (!NextV30(cursor, w, kWords, n) || !is("BEGIN", "CTAB")) return false;
    if (!NextV30(cursor, w, kWords, n) || n < 3 || w[0] != "COUNTS" || !WordInt(w[1], atomCount) ||
        !WordInt(w[2], bondCount) || atomCount < 0 || bondCount < 0) {
        return false;
    }
    // Sgroups and 3D objects, counted in the rest of the line, are RDKit's.
    for (std::size_t k = 3; k < n && k < 5; ++k) {
        if (w[k] != "0") return false;
    }
    if (atomCount > 0) {
        if (!NextV30(cursor, w, kWords, n) || !is("BEGIN", "ATOM")) return false;
        ctab.atoms.resize(static_cast<std::size_t>(atomCount));
        for (int i = 0; i < atomCount; ++i) {
            int index = 0, map = 0;
            if (!NextV30(cursor, w, kWords, n) || n < 6 || !WordInt(w[0], index) ||
                index != i + 1 || w[1].size() > 2 || !WordNumber(w[2]) || !WordNumber(w[3]) ||
                !WordNumber(w[4]) || !WordInt(w[5], map)) {
                return false;
            }
            CTabAtom& atom = ctab.atoms[static_cast<std::size_t>(i)];
            w[1].copy(atom.symbol, w[1].size());
            for (std::size_t k = 6; k < n; ++k) {
                if (w[k].substr(0, 4) != "CHG=" || !WordInt(w[k].substr(4), atom.charge))
                    return false;
            }
        }
        if (!NextV30(cursor, w, kWords, n) || !is("END", "ATOM")) return false;
    }
    if (bondCount > 0) {
        if (!NextV30(cursor, w, kWords, n) || !is("BEGIN", "BOND")) return false;
        ctab.bonds.resize(static_cast<std::size_t>(bondCount));
        std::vector<std::pair<int, int>> seen;
        seen.reserve(ctab.bonds.size());
        for (int k = 0; k < bondCount; ++k) {
            int index = 0, order = 0, a = 0, b = 0;
            if (!NextV30(cursor, w, kWords, n) || n < 4 || !WordInt(w[0], index) ||
                index != k + 1 || !WordInt(w[1], order) || order < 1 || order > 3 ||
                !WordInt(w[2], a) || !WordInt(w[3], b) || a < 1 || b < 1 || a > atomCount ||
                b > atomCount || a == b) {
                return false;
            }
            int stereo = 0;
            for (std::size_t m = 4; m < n; ++m) {
                if (w[m].substr(0, 4) != "CFG=" || !WordInt(w[m].substr(4), stereo)) return false;
            }
            ctab.bonds[static_cast<std::size_t>(k)] = CTabBond{a - 1, b - 1, order};
            seen.emplace_back(std::min(a, b), std::max(a, b));
        }
        std::sort(seen.begin(), seen.end());
        if (std::adjacent_find(seen.begin(), seen.end()) != seen.end()) return false;
        if (!NextV30(cursor, w, kWords, n) || !is("END", "BOND")) return false;
    }
    if (!NextV30(cursor, w, kWords, n)) return false;
    // Stereo groups say nothing about the formula.
    if (is("BEGIN", "COLLECTION")) {
        do {
            if (!NextV30(cursor, w, kWords, n)) return false;
        } while (!is("END", "COLLECTION"));
        if (!NextV30(cursor, w, kWords, n)) return false;
    }
    if (!is("END", "CTAB")) return false;
    return cursor.Next(line) && line.substr(0, 6) == "M  END";
}

namespace {

// An "M  ALS" line is 16 columns and 4 per element; writers that drop trailing blanks cut it.
std::string PaddedAtomListLine(std::string_view line) {
    int count = 0;
    std::string padded(line);
    std::string lineEnd;
    while (!padded.empty() && (padded.back() == '\n' || padded.back() == '\r')) {
        lineEnd.insert(lineEnd.begin(), padded.back());
        padded.pop_back();
    }
    if (!Field(padded, 10, 3, count) || count <= 0 || count > 16) return std::string(line);
    const std::size_t full = 16 + 4 * static_cast<std::size_t>(count);
    if (padded.size() < full) padded.resize(full, ' ');
    return padded + lineEnd;
}

}  // namespace

std::string ForRDKitReader(std::string_view block) {
    std::vector<std::size_t> starts;  // each line's first byte
    for (std::size_t at = 0; at < block.size();) {
        starts.push_back(at);
        const std::size_t nl = block.find('\n', at);
        at = nl == std::string_view::npos ? block.size() : nl + 1;
    }
    auto lineAt = [&](std::size_t i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] : block.size();
        return block.substr(starts[i], end - starts[i]);
    };
    bool hasAtomLists = false;
    for (std::size_t i = 0; i < starts.size() && !hasAtomLists; ++i)
        hasAtomLists = lineAt(i).substr(0, 6) == "M  ALS";
    if (!hasAtomLists || starts.size() < 4) return std::string(block);

    // The old-style list lines follow the bonds; the counts line says how many there are.
    int atoms = 0, bonds = 0, lists = 0;
    const std::string_view counts = lineAt(3);
    std::size_t skipFrom = starts.size(), skipTo = starts.size();
    std::string countsLine(counts);
    if (counts.size() >= 39 && counts.substr(34, 5) == "V2000" && Field(counts, 0, 3, atoms) &&
        Field(counts, 3, 3, bonds) && Field(counts, 6, 3, lists) && lists > 0 && atoms >= 0 &&
        bonds >= 0) {
        skipFrom = 4 + static_cast<std::size_t>(atoms) + static_cast<std::size_t>(bonds);
        skipTo = std::min(starts.size(), skipFrom + static_cast<std::size_t>(lists));
        countsLine.replace(6, 3, "  0");
    }
    std::string text;
    text.reserve(block.size() + 64);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (i >= skipFrom && i < skipTo) continue;
        const std::string_view line = lineAt(i);
        if (i == 3)
            text += countsLine;
        else if (line.substr(0, 6) == "M  ALS")
            text += PaddedAtomListLine(line);
        else
            text.append(line.data(), line.size());
    }
    return text;
}

}  // namespace vesk
