// Small molfiles written by the tests, and handles that clean up after themselves.
#pragma once

#include "veskChemSearch.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace searchtest {

class Molfile {
public:
    Molfile& atom(const std::string& symbol, double x, double y, double z = 0) {
        char line[96];
        std::snprintf(line, sizeof line, "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0",
                      x, y, z, symbol.c_str());
        atoms_.push_back(line);
        return *this;
    }
    Molfile& bond(int a, int b, int type, int stereo = 0) {
        char line[40];
        std::snprintf(line, sizeof line, "%3d%3d%3d%3d  0  0  0", a, b, type, stereo);
        bonds_.push_back(line);
        return *this;
    }
    Molfile& charge(int atom, int c) { return prop("CHG", atom, c); }
    Molfile& isotope(int atom, int mass) { return prop("ISO", atom, mass); }
    // Atom list on an atom written as "L"; exclude makes it a NOT list.
    Molfile& list(int atom, const std::vector<std::string>& symbols, bool exclude = false) {
        char head[32];
        std::snprintf(head, sizeof head, "M  ALS %3d%3d %c ", atom, int(symbols.size()),
                      exclude ? 'T' : 'F');
        std::string line = head;
        for (const std::string& s : symbols) line += (s + "    ").substr(0, 4);
        props_.push_back(line);
        return *this;
    }
    std::string text(const char* eol = "\n") const {
        char counts[64];
        std::snprintf(counts, sizeof counts, "%3d%3d  0  0  0  0  0  0  0  0999 V2000",
                      int(atoms_.size()), int(bonds_.size()));
        std::string out = std::string("test") + eol + "  Zelmar" + eol + eol + counts + eol;
        for (const auto& l : atoms_) out += l + eol;
        for (const auto& l : bonds_) out += l + eol;
        for (const auto& l : props_) out += l + eol;
        return out + "M  END" + eol;
    }

private:
    Molfile& prop(const char* name, int atom, int value) {
        char line[40];
        std::snprintf(line, sizeof line, "M  %s  1 %3d %3d", name, atom, value);
        props_.push_back(line);
        return *this;
    }
    std::vector<std::string> atoms_, bonds_, props_;
};

// A benzene ring on atoms 1-6, Kekule (bond types 1/2) or aromatic (type 4),
// with substituents on atom 1 (and following atoms) added by the caller.
inline Molfile ring(bool aromatic = false, const char* sixth = "C") {
    Molfile m;
    const double xy[6][2] = {{0, 1.4}, {1.21, 0.7}, {1.21, -0.7}, {0, -1.4}, {-1.21, -0.7}, {-1.21, 0.7}};
    for (int i = 0; i < 6; ++i) m.atom(i == 5 ? sixth : "C", xy[i][0], xy[i][1]);
    for (int i = 0; i < 6; ++i) m.bond(i + 1, (i + 1) % 6 + 1, aromatic ? 4 : (i % 2 ? 1 : 2));
    return m;
}
inline Molfile substituted(const char* symbol, bool aromatic = false) {
    return ring(aromatic).atom(symbol, 0, 2.8).bond(1, 7, 1);
}

// Handles for one comparison, released at the end of the scope.
class Session {
public:
    Session() : query(CreateMoleculeHandle()), target(CreateMoleculeHandle()), compare(CreateCompareHandle()) {}
    ~Session() {
        DestroyMoleculeHandle(query);
        DestroyMoleculeHandle(target);
        DestroyCompareHandle(compare);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void setQuery(const std::string& text) {
        OpenMolString(query, text.c_str());
        SetQueryMolecule(compare, query);
    }
    void setTarget(const std::string& text) {
        OpenMolString(target, text.c_str());
        SetTargetMolecule(compare, target);
    }
    void stereo(bool on) { ConsiderStereoChemistry2(compare, on ? 1 : 0); }
    bool found(const std::string& q, const std::string& t) {
        setQuery(q);
        setTarget(t);
        return CompareMolecules(compare) > 0;
    }
    bool same(const std::string& q, const std::string& t) {
        setQuery(q);
        setTarget(t);
        return (ExactMatch(compare) & 0xFF) != 0;
    }

    uintptr_t query, target, compare;
};

// The shared corpus of real files, when this machine has it.
inline std::string dataPath(const std::string& name) {
    const char* dir = std::getenv("ZELMAR_SDF_DATA");
    return std::string(dir ? dir : ZELMAR_SDF_DATA_DEFAULT) + "/" + name;
}
inline bool readData(const std::string& name, std::string* out) {
    std::ifstream in(dataPath(name), std::ios::binary);
    if (!in) return false;
    std::stringstream ss;
    ss << in.rdbuf();
    *out = ss.str();
    return true;
}
// The molfile part of each record of an SD file.
inline std::vector<std::string> sdMolecules(const std::string& sd) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < sd.size()) {
        std::size_t end = sd.find("M  END", pos);
        if (end == std::string::npos) break;
        end = sd.find('\n', end);
        end = end == std::string::npos ? sd.size() : end + 1;
        out.push_back(sd.substr(pos, end - pos));
        std::size_t next = sd.find("$$$$", end);
        if (next == std::string::npos) break;
        next = sd.find('\n', next);
        pos = next == std::string::npos ? sd.size() : next + 1;
    }
    return out;
}

}  // namespace searchtest
