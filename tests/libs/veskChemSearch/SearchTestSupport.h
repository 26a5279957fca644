// Small molfiles written by the tests, and handles that clean up after themselves.
#pragma once

#include "ZelmarMolfileBuilder.h"
#include "veskChemSearch.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace searchtest {

class Molfile {
public:
    struct AtomAt {
        const char* symbol;
        double x, y;
    };
    struct BondOf {
        BondOf(int from, int to, int bondType, int wedge = 0)  // wedge 1 up, 6 down
            : a(from), b(to), type(bondType), stereo(wedge) {}
        int a, b, type, stereo;
    };
    Molfile& add(std::initializer_list<AtomAt> atoms, std::initializer_list<BondOf> bonds = {}) {
        for (const AtomAt& a : atoms) atom(a.symbol, a.x, a.y);
        for (const BondOf& b : bonds) bond(b.a, b.b, b.type, b.stereo);
        return *this;
    }
    Molfile& atom(const char* symbol, double x, double y) {
        molfile_.Atoms.push_back({symbol, x, y, 0.0, 0, 0});
        return *this;
    }
    Molfile& bond(int a, int b, int type, int stereo = 0) {
        molfile_.Bonds.push_back({a, b, type, stereo});
        return *this;
    }
    // A property line as written in the file ("M  CHG  1   2   1").
    Molfile& line(const std::string& raw) {
        molfile_.Properties.push_back(raw);
        return *this;
    }
    std::string text(const char* eol = "\n") const { return molfile_.Text(eol); }

private:
    molfile_support::TMolfile molfile_ = [] {
        molfile_support::TMolfile molfile;
        molfile.Program = "  Zelmar";
        molfile.LongBondLines = true;
        return molfile;
    }();
};

// Benzene ring on atoms 1-6, Kekule or with aromatic bonds (type 4).
inline Molfile ring(bool aromatic = false, const char* sixth = "C") {
    Molfile m;
    const double xy[6][2] = {{0, 1.4},  {1.21, 0.7},   {1.21, -0.7},
                             {0, -1.4}, {-1.21, -0.7}, {-1.21, 0.7}};
    for (int i = 0; i < 6; ++i) m.atom(i == 5 ? sixth : "C", xy[i][0], xy[i][1]);
    for (int i = 0; i < 6; ++i) m.bond(i + 1, (i + 1) % 6 + 1, aromatic ? 4 : (i % 2 ? 1 : 2));
    return m;
}
// The ring with one substituent, atom 7 on atom 1.
inline Molfile substituted(const char* symbol, bool aromatic = false) {
    return ring(aromatic).atom(symbol, 0, 2.8).bond(1, 7, 1);
}
// A chain of atoms joined by single bonds.
inline Molfile chain(std::initializer_list<const char*> symbols) {
    Molfile m;
    int n = 0;
    for (const char* s : symbols) {
        m.atom(s, 1.3 * n, n % 2 ? 0.75 : 0);
        if (n++) m.bond(n - 1, n, 1);
    }
    return m;
}

// Handles for one comparison, released at the end of the scope.
struct Session {
    uintptr_t query = CreateMoleculeHandle(), target = CreateMoleculeHandle();
    uintptr_t compare = CreateCompareHandle();
    Session() = default;
    Session(const Session&) = delete;
    ~Session() {
        DestroyMoleculeHandle(query), DestroyMoleculeHandle(target), DestroyCompareHandle(compare);
    }
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
        return setQuery(q), setTarget(t), CompareMolecules(compare) > 0;
    }
    bool same(const std::string& q, const std::string& t) {
        return setQuery(q), setTarget(t), (ExactMatch(compare) & 0xFF) != 0;
    }
};

// GetExactMatchKey on a fresh handle: (status, key); the key is empty unless status is 1.
inline std::pair<int, std::string> exactKey(const std::string& text, bool stereo) {
    const uintptr_t mol = CreateMoleculeHandle();
    OpenMolString(mol, text.c_str());
    char* key = reinterpret_cast<char*>(1);
    const int status = GetExactMatchKey(mol, stereo ? 1 : 0, &key);
    std::pair<int, std::string> out(status, key ? key : "");
    std::free(key);
    DestroyMoleculeHandle(mol);
    return out;
}

// The shared corpus of real files, when this machine has it.
inline std::string dataPath(const std::string& name) {
    const char* dir = std::getenv("ZELMAR_SDF_DATA");
    return std::string(dir ? dir : ZELMAR_SDF_DATA_DEFAULT) + "/" + name;
}
inline bool readData(const std::string& name, std::string* out) {
    std::ifstream in(dataPath(name), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    *out = ss.str();
    return in.is_open() && !out->empty();
}
// The molfile part of each record of an SD file.
inline std::vector<std::string> sdMolecules(const std::string& sd) {
    std::vector<std::string> out;
    for (std::size_t pos = 0, end; (end = sd.find("M  END", pos)) != std::string::npos;) {
        end = std::min(sd.find('\n', end), sd.size() - 1) + 1;
        out.push_back(sd.substr(pos, end - pos));
        pos = sd.find("$$$$", end);
        if (pos == std::string::npos) break;
        pos = std::min(sd.find('\n', pos), sd.size() - 1) + 1;
    }
    return out;
}

}  // namespace searchtest
