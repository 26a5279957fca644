#pragma once
// V2000 molecule blocks written by the tests: header, counts line, atoms, bonds, property
// lines and "M  END", in the fixed columns the format asks for. Every test program builds its
// molecules through this one writer.

#include <cstdio>
#include <string>
#include <vector>

namespace molfile_support {

struct TAtom {
    std::string Symbol;
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;
    int MassDiff = 0;
    int Charge = 0;  // the atom line's charge code (3 = +1, 5 = -1, ...)
};

struct TBond {
    int From = 1;
    int To = 2;
    int Order = 1;
    int Stereo = 0;  // 1 wedge up, 6 down
};

struct TMolfile {
    std::string Title = "test";
    std::string Program = "  test";  // the header's second line
    std::vector<TAtom> Atoms;
    std::vector<TBond> Bonds;
    std::vector<std::string> Properties;  // lines such as "M  CHG  1   2   1"
    // Bond lines carry four numbers ("  1  2  1  0"), or seven with three zeros more.
    bool LongBondLines = false;

    std::string Text(const std::string& eol = "\n") const {
        char line[128];
        std::snprintf(line, sizeof line, "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000",
                      Atoms.size(), Bonds.size());
        std::string text = Title + eol + Program + eol + eol + line + eol;
        for (const TAtom& atom : Atoms) {
            std::snprintf(line, sizeof line,
                          "%10.4f%10.4f%10.4f %-3s%2d%3d  0  0  0  0  0  0  0  0  0  0", atom.X,
                          atom.Y, atom.Z, atom.Symbol.c_str(), atom.MassDiff, atom.Charge);
            text += line + eol;
        }
        for (const TBond& bond : Bonds) {
            std::snprintf(line, sizeof line, "%3d%3d%3d%3d%s", bond.From, bond.To, bond.Order,
                          bond.Stereo, LongBondLines ? "  0  0  0" : "");
            text += line + eol;
        }
        for (const std::string& property : Properties) text += property + eol;
        return text + "M  END" + eol;
    }
};

// Atoms in a row, `step` apart along x (every second one `zigzag` up), each bonded singly to
// the next.
inline TMolfile Chain(const std::string& title, const std::string& program,
                      const std::vector<std::string>& symbols, double step, double zigzag = 0.0) {
    TMolfile molfile;
    molfile.Title = title;
    molfile.Program = program;
    for (std::size_t i = 0; i < symbols.size(); ++i) {
        TAtom atom;
        atom.Symbol = symbols[i];
        atom.X = step * static_cast<double>(i);
        atom.Y = i % 2 == 1 ? zigzag : 0.0;
        molfile.Atoms.push_back(atom);
    }
    for (std::size_t i = 1; i < symbols.size(); ++i)
        molfile.Bonds.push_back({static_cast<int>(i), static_cast<int>(i + 1), 1, 0});
    return molfile;
}

}  // namespace molfile_support
