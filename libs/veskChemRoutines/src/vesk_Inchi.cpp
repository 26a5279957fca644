#include "vesk_Inchi.h"

#include <inchi_api.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "vesk_SDRecord.h"

namespace vesk {

namespace {

// One atom as the table gives it, before it becomes the library's inchi_Atom.
struct TableAtom {
    std::string symbol;
    double x = 0, y = 0, z = 0;
    int massDifference = 0;  // V2000 column, relative to the library's rounded average mass
    int mass = 0;            // absolute isotope mass; 0 = none
    int charge = 0;
    int radical = INCHI_RADICAL_NONE;
    int valence = -1;  // -1 = not given: the library adds hydrogens by its own rules
    bool aliased = false;
};

struct TableBond {
    int first = 0, second = 0;  // atom indices from 0
    int type = INCHI_BOND_TYPE_SINGLE;
    int stereo = INCHI_BOND_STEREO_NONE;  // seen from `first`
};

struct Table {
    std::vector<TableAtom> atoms;
    std::vector<TableBond> bonds;
};

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A fixed-width integer field; blank or beyond the line's end is 0.
bool Field(std::string_view line, std::size_t pos, std::size_t width, int& value) {
    value = 0;
    if (pos >= line.size()) return true;
    std::string_view f = Trimmed(line.substr(pos, width));
    if (f.empty()) return true;
    if (f.front() == '+') f.remove_prefix(1);
    const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), value);
    return ec == std::errc() && end == f.data() + f.size();
}

// Decimal point in every locale.
bool Number(std::string_view text, double& value) {
    std::string_view f = Trimmed(text);
    if (!f.empty() && f.front() == '+') f.remove_prefix(1);
    if (f.empty()) return false;
    const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), value);
    return ec == std::errc() && end == f.data() + f.size();
}

// "CL" and "cl" are chlorine, as the InChI program reads them.
std::string ElementName(std::string_view s) {
    std::string name(Trimmed(s));
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (i == 0 && c >= 'a' && c <= 'z') name[i] = static_cast<char>(c - 'a' + 'A');
        if (i > 0 && c >= 'A' && c <= 'Z') name[i] = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

std::string Numbered(const char* what, std::size_t index) {
    return std::string(what) + " " + std::to_string(index + 1);
}

bool CheckBondType(int type, std::size_t index, std::string& error) {
    if (type >= INCHI_BOND_TYPE_SINGLE && type <= INCHI_BOND_TYPE_ALTERN) return true;
    // Query bonds (any, single or double, ...) have no InChI.
    error = Numbered("bond", index) +
            " has a bond type the InChI does not know: " + std::to_string(type);
    return false;
}

bool CheckAtoms(const Table& table, const TableBond& bond, std::size_t index, std::string& error) {
    const int count = static_cast<int>(table.atoms.size());
    if (bond.first >= 0 && bond.second >= 0 && bond.first < count && bond.second < count &&
        bond.first != bond.second) {
        return true;
    }
    error = Numbered("bond", index) + " joins atoms " + std::to_string(bond.first + 1) + " and " +
            std::to_string(bond.second + 1) + " of " + std::to_string(count);
    return false;
}

// ---- V2000 ----

bool ReadV2000Atom(std::string_view line, TableAtom& atom) {
    int chargeCode = 0, valence = 0;
    if (line.size() < 31 || !Number(line.substr(0, 10), atom.x) ||
        !Number(line.substr(10, 10), atom.y) || !Number(line.substr(20, 10), atom.z) ||
        !Field(line, 34, 2, atom.massDifference) || !Field(line, 36, 3, chargeCode) ||
        !Field(line, 48, 3, valence)) {
        return false;
    }
    atom.symbol = ElementName(line.substr(31, 3));
    if (atom.symbol.empty() || chargeCode < 0 || chargeCode > 7) return false;
    if (chargeCode == 4)
        atom.radical = INCHI_RADICAL_DOUBLET;
    else if (chargeCode != 0)
        atom.charge = 4 - chargeCode;
    // The InChI program takes the column literally, 15 too (which the format calls zero).
    if (valence > 0) atom.valence = valence;
    return true;
}

bool ReadV2000Bond(std::string_view line, TableBond& bond) {
    int stereo = 0;
    if (!Field(line, 0, 3, bond.first) || !Field(line, 3, 3, bond.second) ||
        !Field(line, 6, 3, bond.type) || !Field(line, 9, 3, stereo) || line.size() < 9) {
        return false;
    }
    --bond.first;
    --bond.second;
    if (bond.type == INCHI_BOND_TYPE_SINGLE && (stereo == 1 || stereo == 4 || stereo == 6))
        bond.stereo = stereo;
    else if (bond.type == INCHI_BOND_TYPE_DOUBLE && stereo == 3)
        bond.stereo = INCHI_BOND_STEREO_DOUBLE_EITHER;
    return true;
}

// "M  CHG", "M  RAD", "M  ISO": a count, then pairs of 4-column fields (atom number, value).
bool ReadPairs(std::string_view line, std::vector<std::pair<int, int>>& pairs) {
    int count = 0;
    pairs.clear();
    if (!Field(line, 6, 3, count) || count < 0 || count > 8) return false;
    for (int k = 0; k < count; ++k) {
        int atom = 0, value = 0;
        const std::size_t pos = 9 + static_cast<std::size_t>(k) * 8;
        if (pos >= line.size() || !Field(line, pos, 4, atom) || !Field(line, pos + 4, 4, value))
            return false;
        pairs.emplace_back(atom - 1, value);
    }
    return true;
}

bool ReadV2000(LineCursor& cursor, std::string_view counts, Table& table, std::string& error) {
    int atomCount = 0, bondCount = 0;
    // Both counts must be there: a blank line is no table of nothing.
    const auto given = [&](std::size_t pos) {
        return pos + 3 <= counts.size() && !Trimmed(counts.substr(pos, 3)).empty();
    };
    if (!given(0) || !given(3) || !Field(counts, 0, 3, atomCount) ||
        !Field(counts, 3, 3, bondCount) || atomCount < 0 || bondCount < 0) {
        error = "the counts line cannot be read";
        return false;
    }
    std::string_view line;
    table.atoms.resize(static_cast<std::size_t>(atomCount));
    for (std::size_t i = 0; i < table.atoms.size(); ++i) {
        if (!cursor.Next(line) || !ReadV2000Atom(line, table.atoms[i])) {
            error = Numbered("atom", i) + " cannot be read";
            return false;
        }
    }
    table.bonds.resize(static_cast<std::size_t>(bondCount));
    for (std::size_t k = 0; k < table.bonds.size(); ++k) {
        TableBond& bond = table.bonds[k];
        if (!cursor.Next(line) || !ReadV2000Bond(line, bond)) {
            error = Numbered("bond", k) + " cannot be read";
            return false;
        }
        if (!CheckAtoms(table, bond, k, error) || !CheckBondType(bond.type, k, error)) return false;
    }
    // The first charge or radical line replaces the atom block's charges and radicals, the
    // first isotope line its mass differences.
    bool chargesReplaced = false, massesReplaced = false;
    std::vector<std::pair<int, int>> pairs;
    while (cursor.Next(line)) {
        const std::string_view tag = line.substr(0, std::min<std::size_t>(6, line.size()));
        if (tag == "M  END") return true;
        if (tag.substr(0, 3) == "A  ") {
            // The InChI program hands a short alias to the library as the element, which reads
            // it as an element with hydrogens ("NH2", "DS", "NH3+"; "OMe" is none), and gives
            // the atom neither implicit hydrogens nor the atom block's values; longer ones it
            // passes over.
            int atom = 0;
            std::string_view alias;
            if (!Field(line, 3, 3, atom) || !cursor.Next(alias)) break;
            alias = Trimmed(alias);
            if (atom >= 1 && atom <= atomCount && !alias.empty() && alias.size() < ATOM_EL_LEN) {
                TableAtom& target = table.atoms[static_cast<std::size_t>(atom - 1)];
                target.symbol = std::string(alias);
                target.aliased = true;
                target.massDifference = target.mass = 0;
            }
            continue;
        }
        if (tag.substr(0, 3) == "G  ") {
            cursor.Next(line);
            continue;
        }
        if (tag == "S  SKP") {
            int skip = 0;
            Field(line, 6, 3, skip);
            while (skip-- > 0 && cursor.Next(line)) {
            }
            continue;
        }
        const bool charges = tag == "M  CHG", radicals = tag == "M  RAD", masses = tag == "M  ISO";
        if (!charges && !radicals && !masses) continue;
        if (!ReadPairs(line, pairs)) {
            error = "a property line cannot be read: " + std::string(Trimmed(line));
            return false;
        }
        for (const auto& [atom, value] : pairs) {
            if (atom < 0 || atom >= atomCount) {
                error = std::string(tag) + " names atom " + std::to_string(atom + 1) + " of " +
                        std::to_string(atomCount);
                return false;
            }
        }
        if ((charges || radicals) && !chargesReplaced) {
            chargesReplaced = true;
            for (TableAtom& atom : table.atoms) {
                atom.charge = 0;
                atom.radical = INCHI_RADICAL_NONE;
            }
        }
        if (masses && !massesReplaced) {
            massesReplaced = true;
            for (TableAtom& atom : table.atoms) atom.massDifference = 0;
        }
        for (const auto& [atom, value] : pairs) {
            TableAtom& target = table.atoms[static_cast<std::size_t>(atom)];
            if (charges) target.charge = value;
            if (radicals) target.radical = value >= 0 && value <= 3 ? value : 0;
            if (masses) target.mass = value > 0 ? value : 0;
        }
    }
    return true;  // old blocks end without "M  END"
}

// ---- V3000 ----

// The words of one logical "M  V30" line (continuation lines joined); a parenthesised list or
// a quoted text stays one word.
std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && text[at] == ' ') ++at;
        if (at == text.size()) break;
        std::size_t end = at;
        int depth = 0;
        bool quoted = false;
        while (end < text.size() && (quoted || depth > 0 || text[end] != ' ')) {
            const char c = text[end];
            if (c == '"') quoted = !quoted;
            if (!quoted && c == '(') ++depth;
            if (!quoted && c == ')' && depth > 0) --depth;
            ++end;
        }
        words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

bool NextV30(LineCursor& cursor, std::string& logical) {
    logical.clear();
    std::string_view line;
    while (cursor.Next(line)) {
        if (line.substr(0, 6) == "M  END") return false;
        if (line.substr(0, 6) != "M  V30") continue;
        std::string_view part = line.size() > 7 ? line.substr(7) : std::string_view();
        if (!part.empty() && part.back() == '-') {
            logical.append(part.data(), part.size() - 1);
            continue;
        }
        logical.append(part.data(), part.size());
        return true;
    }
    return false;
}

bool WholeInt(std::string_view word, int& value) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return !word.empty() && ec == std::errc() && end == word.data() + word.size();
}

// "CHG=-1" and the like.
bool WordValue(std::string_view word, std::string_view key, int& value) {
    return word.size() > key.size() && word.substr(0, key.size()) == key &&
           WholeInt(word.substr(key.size()), value);
}

bool ReadV3000(LineCursor& cursor, Table& table, std::string& error) {
    std::string logical;
    std::map<int, int> indexOf;  // the table's atom numbers need not run from 1
    enum { kNone, kAtoms, kBonds } block = kNone;
    bool counted = false;
    while (NextV30(cursor, logical)) {
        const std::vector<std::string_view> w = Words(logical);
        if (w.empty()) continue;
        if (w[0] == "BEGIN" || w[0] == "END") {
            const bool begin = w[0] == "BEGIN";
            if (w.size() > 1 && w[1] == "ATOM") block = begin ? kAtoms : kNone;
            if (w.size() > 1 && w[1] == "BOND") block = begin ? kBonds : kNone;
            // Stereo groups and super atoms say nothing the standard InChI reads.
            if (w.size() > 1 && w[1] == "CTAB" && !begin) break;
            continue;
        }
        if (w[0] == "COUNTS") {
            counted = true;
            continue;
        }
        if (block == kAtoms) {
            TableAtom atom;
            int number = 0;
            const std::size_t i = table.atoms.size();
            if (w.size() < 5 || !WholeInt(w[0], number) || !Number(w[2], atom.x) ||
                !Number(w[3], atom.y) || !Number(w[4], atom.z) ||
                !indexOf.emplace(number, static_cast<int>(i)).second) {
                error = Numbered("atom", i) + " cannot be read";
                return false;
            }
            atom.symbol = ElementName(w[1]);
            for (std::size_t k = 6; k < w.size(); ++k) {
                int value = 0;
                if (WordValue(w[k], "CHG=", value)) atom.charge = value;
                if (WordValue(w[k], "RAD=", value))
                    atom.radical = value >= 0 && value <= 3 ? value : 0;
                if (WordValue(w[k], "MASS=", value)) atom.mass = value > 0 ? value : 0;
                if (WordValue(w[k], "VAL=", value)) atom.valence = value == -1 ? 0 : value;
            }
            table.atoms.push_back(std::move(atom));
        } else if (block == kBonds) {
            TableBond bond;
            int number = 0, first = 0, second = 0;
            const std::size_t k = table.bonds.size();
            if (w.size() < 4 || !WholeInt(w[0], number) || !WholeInt(w[1], bond.type) ||
                !WholeInt(w[2], first) || !WholeInt(w[3], second)) {
                error = Numbered("bond", k) + " cannot be read";
                return false;
            }
            const auto a = indexOf.find(first), b = indexOf.find(second);
            bond.first = a == indexOf.end() ? -1 : a->second;
            bond.second = b == indexOf.end() ? -1 : b->second;
            if (bond.first < 0 || bond.second < 0) {
                error = Numbered("bond", k) + " names atom " +
                        std::to_string(bond.first < 0 ? first : second) + ", which is not there";
                return false;
            }
            if (!CheckAtoms(table, bond, k, error) || !CheckBondType(bond.type, k, error))
                return false;
            for (std::size_t m = 4; m < w.size(); ++m) {
                int cfg = 0;
                if (!WordValue(w[m], "CFG=", cfg)) continue;
                // 1 wedge, 2 either, 3 hash; on a double bond 2 is unknown geometry.
                if (bond.type == INCHI_BOND_TYPE_SINGLE)
                    bond.stereo = cfg == 1 ? 1 : cfg == 2 ? 4 : cfg == 3 ? 6 : 0;
                else if (bond.type == INCHI_BOND_TYPE_DOUBLE && cfg == 2)
                    bond.stereo = INCHI_BOND_STEREO_DOUBLE_EITHER;
            }
            table.bonds.push_back(bond);
        }
    }
    if (!counted) {
        error = "the V3000 table has no COUNTS line";
        return false;
    }
    return true;
}

bool ReadTable(std::string_view block, Table& table, std::string& error) {
    LineCursor cursor(block);
    std::string_view line;
    for (int i = 0; i < 4; ++i) {
        if (!cursor.Next(line)) {
            error = "the text ends before the counts line";
            return false;
        }
    }
    if (line.size() >= 39 && line.substr(34, 5) == "V3000") return ReadV3000(cursor, table, error);
    return ReadV2000(cursor, line, table, error);
}

// ---- the library's input ----

bool Fill(const Table& table, std::vector<inchi_Atom>& atoms, std::string& error) {
    atoms.assign(table.atoms.size(), inchi_Atom{});
    if (table.atoms.size() >= 1024) {
        error = "the InChI takes at most 1023 atoms, the molecule has " +
                std::to_string(table.atoms.size());
        return false;
    }
    std::vector<int> bondOrders(table.atoms.size(), 0);
    for (std::size_t i = 0; i < table.atoms.size(); ++i) {
        const TableAtom& a = table.atoms[i];
        inchi_Atom& out = atoms[i];
        out.x = a.x;
        out.y = a.y;
        out.z = a.z;
        std::string name = a.symbol;
        int mass = a.mass;
        // Hydrogen isotopes by their own letters.
        if (!a.aliased && (name == "D" || name == "T")) {
            if (mass == 0 && a.massDifference == 0) mass = name == "D" ? 2 : 3;
            name = "H";
        }
        if (name.size() >= ATOM_EL_LEN) name.resize(ATOM_EL_LEN - 1);
        std::memcpy(out.elname, name.c_str(), name.size() + 1);
        if (mass > 0)
            out.isotopic_mass = static_cast<AT_NUM>(mass);
        else if (a.massDifference != 0)
            out.isotopic_mass = static_cast<AT_NUM>(ISOTOPIC_SHIFT_FLAG + a.massDifference);
        if (!a.aliased) {
            out.charge = static_cast<S_CHAR>(a.charge);
            out.radical = static_cast<S_CHAR>(a.radical);
        }
        out.num_iso_H[0] = a.aliased ? 0 : -1;
    }
    for (const TableBond& b : table.bonds) {
        // Each bond once, in the list of the atom its stereo mark starts from when there is room.
        int from = b.first, to = b.second, stereo = b.stereo;
        if (atoms[static_cast<std::size_t>(from)].num_bonds >= MAXVAL) {
            std::swap(from, to);
            if (stereo != INCHI_BOND_STEREO_DOUBLE_EITHER) stereo = -stereo;
        }
        inchi_Atom& owner = atoms[static_cast<std::size_t>(from)];
        if (owner.num_bonds >= MAXVAL) {
            error = "atom " + std::to_string(from + 1) + " has more bonds than the InChI takes (" +
                    std::to_string(MAXVAL) + ")";
            return false;
        }
        owner.neighbor[owner.num_bonds] = static_cast<AT_NUM>(to);
        owner.bond_type[owner.num_bonds] = static_cast<S_CHAR>(b.type);
        owner.bond_stereo[owner.num_bonds] = static_cast<S_CHAR>(stereo);
        ++owner.num_bonds;
        const int order = b.type == INCHI_BOND_TYPE_ALTERN ? 1 : b.type;
        bondOrders[static_cast<std::size_t>(b.first)] += order;
        bondOrders[static_cast<std::size_t>(b.second)] += order;
    }
    // A valence given for an atom fixes its hydrogens: what the bonds leave of it.
    for (std::size_t i = 0; i < table.atoms.size(); ++i) {
        const int valence = table.atoms[i].valence;
        if (valence >= 0 && !table.atoms[i].aliased)
            atoms[i].num_iso_H[0] = static_cast<S_CHAR>(std::max(0, valence - bondOrders[i]));
    }
    return true;
}

// The InChI library keeps state between calls; the program calls from more than one thread.
std::mutex& InchiLibraryMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string Message(const char* text, int code) {
    std::string message = text ? std::string(Trimmed(text)) : std::string();
    if (message.empty())
        message = "the InChI library made no InChI (code " + std::to_string(code) + ")";
    return message;
}

}  // namespace

bool StdInchi(std::string_view block, std::string& inchi, std::string& error) {
    inchi.clear();
    Table table;
    std::string problem;
    if (!ReadTable(block, table, problem)) {
        error = "cannot read the molecule: " + problem;
        return false;
    }
    if (table.atoms.empty()) return true;
    std::vector<inchi_Atom> atoms;
    if (!Fill(table, atoms, problem)) {
        error = "no InChI for the molecule: " + problem;
        return false;
    }
    // The InChI program's time limit per structure.
    char options[] = "-AuxNone -W60";
    inchi_Input input{};
    input.atom = atoms.data();
    input.num_atoms = static_cast<AT_NUM>(atoms.size());
    input.szOptions = options;
    inchi_Output output{};
    std::lock_guard<std::mutex> lock(InchiLibraryMutex());
    const int code = GetStdINCHI(&input, &output);
    const bool made =
        (code == inchi_Ret_OKAY || code == inchi_Ret_WARNING) && output.szInChI && *output.szInChI;
    if (made)
        inchi = output.szInChI;
    else
        error = "no InChI for the molecule: " + Message(output.szMessage, code);
    FreeStdINCHI(&output);
    return made;
}

bool StdInchiKey(const std::string& inchi, std::string& key, std::string& error) {
    key.clear();
    if (inchi.empty()) return true;
    char buffer[32] = {0};
    int code = 0;
    {
        std::lock_guard<std::mutex> lock(InchiLibraryMutex());
        code = GetStdINCHIKeyFromStdINCHI(inchi.c_str(), buffer);
    }
    if (code != INCHIKEY_OK) {
        error = "no InChIKey for the InChI (code " + std::to_string(code) + ")";
        return false;
    }
    key = buffer;
    return true;
}

}  // namespace vesk
