// Molfiles written by the tests, a canvas with padded rows, and handles that clean up.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ZelmarMolfileBuilder.h"
#include "veskChemViewer.h"

namespace viewertest {

struct Atom {
    const char* Symbol;
    double X, Y, Z;
};
struct Bond {
    int A, B, Type;
};

inline std::string Molfile(const std::vector<Atom>& atoms, const std::vector<Bond>& bonds,
                           const std::string& props = "") {
    molfile_support::TMolfile molfile;
    molfile.Program = "  Zelmar";
    for (const Atom& a : atoms) molfile.Atoms.push_back({a.Symbol, a.X, a.Y, a.Z, 0, 0});
    for (const Bond& b : bonds) molfile.Bonds.push_back({b.A, b.B, b.Type, 0});
    // Property lines as one text, each ending with its line break.
    for (std::size_t start = 0; start < props.size();) {
        const std::size_t end = props.find('\n', start);
        molfile.Properties.push_back(props.substr(start, end - start));
        start = end == std::string::npos ? props.size() : end + 1;
    }
    return molfile.Text();
}

inline std::string Ethanol() {
    return Molfile({{"C", 0, 0, 0}, {"C", 1.299, 0.75, 0}, {"O", 2.598, 0, 0}},
                   {{1, 2, 1}, {2, 3, 1}});
}

// clang-format off
inline std::string Caffeine() {
    return Molfile({{"C", 2.776, 0, 0}, {"N", 1.276, 0, 0}, {"C", 0.3943, 1.2135, 0},
                    {"N", -1.0323, 0.75, 0}, {"C", -1.0323, -0.75, 0}, {"N", -2.147, -1.7537, 0},
                    {"C", -3.5736, -1.2902, 0}, {"C", -1.8351, -3.2209, 0}, {"O", -2.9499, -4.2246, 0},
                    {"N", -0.4086, -3.6844, 0}, {"C", -0.0967, -5.1517, 0}, {"C", 0.7062, -2.6807, 0},
                    {"O", 2.1328, -3.1443, 0}, {"C", 0.3943, -1.2135, 0}},
                   {{1, 2, 1}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 6, 1}, {6, 7, 1}, {6, 8, 1},
                    {8, 9, 2}, {8, 10, 1}, {10, 11, 1}, {10, 12, 1}, {12, 13, 2}, {12, 14, 1},
                    {14, 2, 1}, {14, 5, 2}});
}
// clang-format on

// Two separate waters, as a molfile with two fragments.
inline std::string TwoWaters() {
    return Molfile({{"O", 0, 0, 0}, {"O", 3, 0, 0}}, {});
}

inline std::string Rxn(const std::vector<std::string>& reactants,
                       const std::vector<std::string>& products) {
    char counts[16];
    std::snprintf(counts, sizeof counts, "%3zu%3zu\n", reactants.size(), products.size());
    std::string out = std::string("$RXN\n\n  Zelmar\n\n") + counts;
    for (const auto& m : reactants) out += "$MOL\n" + m;
    for (const auto& m : products) out += "$MOL\n" + m;
    return out;
}

// The error number in front of an error text, -1 if there is none.
inline int Code(const char* err) {
    return std::strchr(err, ',') ? std::atoi(err) : -1;
}

// Premultiplied ARGB32 pixels whose rows are longer than the picture, to catch stride mistakes.
class Canvas {
public:
    static constexpr uint32_t kPad = 0xDEADBEEF;
    Canvas(int w, int h, uint32_t background = 0xFFFFFFFF, int padPixels = 7)
        : W(w), H(h), Stride(w + padPixels), Bg(background), Pixels(size_t(Stride) * h, kPad) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) At(x, y) = Bg;
    }
    TveskRasterDC Dc() { return {Pixels.data(), W, H, Stride * 4}; }
    uint32_t& At(int x, int y) { return Pixels[size_t(y) * Stride + x]; }
    uint32_t At(int x, int y) const { return Pixels[size_t(y) * Stride + x]; }
    bool PaddingIntact() const {
        for (int y = 0; y < H; ++y)
            for (int x = W; x < Stride; ++x)
                if (At(x, y) != kPad) return false;
        return true;
    }
    // Changed pixels inside and outside r, and the box around all changed pixels.
    std::pair<int, int> Changes(const TveskRect& r, TveskRect* box = nullptr) const {
        int in = 0, out = 0;
        TveskRect b{W, H, 0, 0};
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if (At(x, y) == Bg) continue;
                (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom ? in : out)++;
                b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                     std::max(b.Bottom, y + 1)};
            }
        if (box) *box = b;
        return {in, out};
    }
    int Ink() const { return Changes({0, 0, 0, 0}).second; }
    bool operator==(const Canvas& o) const { return Pixels == o.Pixels; }
    int W, H, Stride;
    uint32_t Bg;
    std::vector<uint32_t> Pixels;
};

inline int Channel(uint32_t px, int shift) {
    return (px >> shift) & 0xFF;
}

// A molecule or reaction handle that is destroyed with the test.
class View {
public:
    explicit View(const std::string& text, bool reaction = false) : Reaction(reaction) {
        Ok = reaction ? OpenRxnString(&Handle, text.c_str(), Err, sizeof Err)
                      : OpenMolString(&Handle, text.c_str(), Err, sizeof Err);
    }
    ~View() {
        if (Handle == 0) return;
        Reaction ? DestroyRxnFile(Handle, nullptr, 0) : DestroyMolFile(Handle, nullptr, 0);
    }
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    bool Draw(Canvas& c, TveskRect r, bool hq = true) {
        const TveskRasterDC dc = c.Dc();
        auto draw =
            Reaction ? (hq ? DrawRxnFileHQ : DrawRxnFile) : (hq ? DrawMolFileHQ : DrawMolFile);
        return draw(Handle, &dc, &r, Err, sizeof Err);
    }
    Canvas Picture(int w = 200, int h = 120, uint32_t bg = 0xFFFFFFFF) {
        Canvas c(w, h, bg);
        EXPECT_TRUE(Draw(c, {0, 0, w, h})) << Err;
        return c;
    }
    std::string Text(int32_t (*get)(uintptr_t, char*, int32_t, char*, int32_t)) {
        char buf[512] = "";
        EXPECT_TRUE(get(Handle, buf, sizeof buf, Err, sizeof Err)) << Err;
        return buf;
    }
    bool Configure(const TveskMolConfigRecord& r) {
        return SetMolFileConfiguration(Handle, &r, Err, sizeof Err);
    }

    uintptr_t Handle = 0;
    bool Reaction;
    int32_t Ok = 0;
    char Err[256] = "";
};

inline TveskMolConfigRecord DefaultMolRecord() {
    TveskMolConfigRecord r{};
    r.Size = VESK_MOL_CONFIG_SIZE;
    r.Version = VESK_MOL_CONFIG_VERSION;
    char err[256];
    EXPECT_TRUE(GetDefaultMolFileConfiguration(&r, err, sizeof err)) << err;
    return r;
}

inline TveskRxnConfigRecord DefaultRxnRecord() {
    TveskRxnConfigRecord r{};
    r.Size = VESK_RXN_CONFIG_SIZE;
    r.Version = VESK_RXN_CONFIG_VERSION;
    r.Molecule.Size = VESK_MOL_CONFIG_SIZE;
    r.Molecule.Version = VESK_MOL_CONFIG_VERSION;
    char err[256];
    EXPECT_TRUE(GetDefaultRxnFileConfiguration(&r, err, sizeof err)) << err;
    return r;
}

// The shared SD/MOL/RXN corpus, or "" when it is not on this machine.
inline std::string DataFile(const std::string& relative) {
    const char* env = std::getenv("ZELMAR_SDF_DATA");
    const std::string path = std::string(env ? env : ZELMAR_SDF_DATA_DEFAULT) + "/" + relative;
    std::ifstream f(path);
    return f ? path : std::string();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace viewertest
