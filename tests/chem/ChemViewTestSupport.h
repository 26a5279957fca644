#pragma once
// Helpers of the structure viewer binding tests: molfiles, a raster surface, a pool bound to
// another library file for the length of a test.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "vesk_ChemView2.h"

namespace viewTest {

struct TAtom {
    const char* Symbol;
    double X, Y;
};
struct TBond {
    int A, B, Order;
};

inline std::string Molfile(const std::vector<TAtom>& atoms, const std::vector<TBond>& bonds) {
    char line[96];
    std::snprintf(line, sizeof line, "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n", atoms.size(),
                  bonds.size());
    std::string text = std::string("test\n  zelmar\n\n") + line;
    for (const TAtom& a : atoms) {
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n", a.X, a.Y, 0.0,
                      a.Symbol);
        text += line;
    }
    for (const TBond& b : bonds) {
        std::snprintf(line, sizeof line, "%3d%3d%3d  0\n", b.A, b.B, b.Order);
        text += line;
    }
    return text + "M  END\n";
}

// clang-format off
inline std::string Caffeine() {
    return Molfile({{"C", 2.776, 0}, {"N", 1.276, 0}, {"C", 0.3943, 1.2135}, {"N", -1.0323, 0.75},
                    {"C", -1.0323, -0.75}, {"N", -2.147, -1.7537}, {"C", -3.5736, -1.2902},
                    {"C", -1.8351, -3.2209}, {"O", -2.9499, -4.2246}, {"N", -0.4086, -3.6844},
                    {"C", -0.0967, -5.1517}, {"C", 0.7062, -2.6807}, {"O", 2.1328, -3.1443},
                    {"C", 0.3943, -1.2135}},
                   {{1, 2, 1}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 6, 1}, {6, 7, 1}, {6, 8, 1},
                    {8, 9, 2}, {8, 10, 1}, {10, 11, 1}, {10, 12, 1}, {12, 13, 2}, {12, 14, 1},
                    {14, 2, 1}, {14, 5, 2}});
}
// clang-format on

// Premultiplied ARGB32 pixels with rows padded past their width, filled with one value.
class TSurface {
public:
    TSurface(int width, int height, std::uint32_t fill)
        : Width(width),
          Height(height),
          Stride(width + 3),
          Pixels(static_cast<std::size_t>(Stride * height), fill) {}

    TveskChemView2DC DC() {
        TveskChemView2DC dc;
        dc.Pixels = Pixels.data();
        dc.Width = Width;
        dc.Height = Height;
        dc.StrideBytes = Stride * 4;
        return dc;
    }
    std::uint32_t At(int x, int y) const {
        return Pixels[static_cast<std::size_t>(y * Stride + x)];
    }

    const int Width, Height, Stride;
    std::vector<std::uint32_t> Pixels;
};

// Pools made while it lives load the given file.
class TLibraryFileScope {
public:
    explicit TLibraryFileScope(const std::string& file) { SetViewerLibraryFile(file); }
    ~TLibraryFileScope() { SetViewerLibraryFile(""); }
    TLibraryFileScope(const TLibraryFileScope&) = delete;
    TLibraryFileScope& operator=(const TLibraryFileScope&) = delete;
};

}  // namespace viewTest
