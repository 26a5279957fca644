#pragma once
// Helpers of the structure viewer binding tests: a molfile, a raster surface, a pool bound to
// another library file for the length of a test.

#include <cstdint>
#include <string>
#include <vector>

#include "vesk_ChemView2.h"

namespace viewTest {

inline std::string Pyridine() {
    return "pyridine\n  zelmar\n\n  6  6  0  0  0  0  0  0  0  0999 V2000\n"
           "    0.0000    1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "    1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "    1.2124   -0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "    0.0000   -1.4000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "   -1.2124   -0.7000    0.0000 N   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "   -1.2124    0.7000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\n"
           "  1  2  2  0\n  2  3  1  0\n  3  4  2  0\n  4  5  1  0\n  5  6  2  0\n  6  1  1  0\n"
           "M  END\n";
}

// Premultiplied ARGB32 pixels with rows padded past their width, all set to one value.
struct TSurface {
    TSurface(int width, int height, std::uint32_t fill)
        : Width(width),
          Height(height),
          Pixels(static_cast<std::size_t>((width + 3) * height), fill) {}
    TveskChemView2DC DC() {
        TveskChemView2DC dc;
        dc.Pixels = Pixels.data();
        dc.Width = Width;
        dc.Height = Height;
        dc.StrideBytes = (Width + 3) * 4;
        return dc;
    }
    int Width, Height;
    std::vector<std::uint32_t> Pixels;
};

// Pools made while it lives load the given file.
struct TLibraryFileScope {
    explicit TLibraryFileScope(const std::string& file) { SetViewerLibraryFile(file); }
    ~TLibraryFileScope() { SetViewerLibraryFile(""); }
};

}  // namespace viewTest
