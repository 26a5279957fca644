// Search hits marked through the bindings: the search library says where the query lies, the
// viewer draws it on a band, a stale match never costs the picture, and libraries without the
// exports load all the same.

#include <gtest/gtest.h>

#include <memory>

#include "ChemViewTestSupport.h"
#include "ZelmarMolfileBuilder.h"
#include "Zelmar_ChemSearchEngine.h"

using namespace viewTest;

namespace {

constexpr std::uint32_t kMark = 0x0040A0FF;       // COLORREF
constexpr std::uint32_t kMarkPixel = 0xFFFFA040;  // as an opaque pixel

int MarkPixels(const TSurface& s) {
    int n = 0;
    for (int y = 0; y < s.Height; ++y)
        for (int x = 0; x < s.Width; ++x)
            n += s.Pixels[static_cast<std::size_t>(y * (s.Width + 3) + x)] == kMarkPixel;
    return n;
}

int DrawnMarks(TveskMolView2& view) {
    TSurface surface(240, 120, 0xFFFFFFFF);
    EXPECT_TRUE(view.Draw(surface.DC(), {0, 0, 240, 120})) << view.Error->Message;
    return MarkPixels(surface);
}

// Pyridine with a methyl on carbon 1: the ring atoms 0-5, bonds 0-5, the methyl atom 6.
std::string Picoline() {
    molfile_support::TMolfile m;
    m.Atoms = {{"C", 0, 1.4},        {"C", 1.2124, 0.7},  {"C", 1.2124, -0.7}, {"C", 0, -1.4},
               {"N", -1.2124, -0.7}, {"C", -1.2124, 0.7}, {"C", 0, 2.9}};
    m.Bonds = {{1, 2, 2}, {2, 3, 1}, {3, 4, 2}, {4, 5, 1}, {5, 6, 2}, {6, 1, 1}, {1, 7, 1}};
    return m.Text();
}

TEST(ChemView2Highlight, TheSearchMatchIsDrawnInTheColourAndClearedAgain) {
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    ASSERT_TRUE(engine.Initialized()) << error;
    ASSERT_TRUE(engine.HasQueryMatch());
    engine.SetQuery(Pyridine());
    std::vector<std::int32_t> atoms, bonds;
    ASSERT_EQ(engine.QueryMatch(Picoline(), atoms, bonds), 1);
    EXPECT_EQ(atoms.size(), 6u);
    EXPECT_EQ(bonds.size(), 6u);
    EXPECT_EQ(std::count(atoms.begin(), atoms.end(), 6), 0);  // the methyl is no part of it
    // Not found: 0 and nothing left over from the match before.
    engine.SetQuery(Picoline());
    EXPECT_EQ(engine.QueryMatch(Pyridine(), atoms, bonds), 0);
    EXPECT_TRUE(atoms.empty() && bonds.empty());
    engine.SetQuery(Pyridine());
    ASSERT_EQ(engine.QueryMatch(Picoline(), atoms, bonds), 1);

    TveskChemView2Pool pool;
    ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
    std::unique_ptr<TveskMolView2> view = pool.CreateMolView();
    ASSERT_TRUE(view && view->CanHighlight());
    view->Highlight = {atoms, bonds, kMark};
    ASSERT_TRUE(view->OpenMolString(Picoline())) << view->Error->Message;
    EXPECT_GT(DrawnMarks(*view), 100);
    // Cleared with the next configuration, and not carried to the next molecule opened.
    view->Highlight = {};
    ASSERT_TRUE(view->Configure()) << view->Error->Message;
    EXPECT_EQ(DrawnMarks(*view), 0);
    view->Highlight = {atoms, bonds, kMark};
    ASSERT_TRUE(view->Configure());
    EXPECT_GT(DrawnMarks(*view), 100);
    view->Highlight = {};
    ASSERT_TRUE(view->OpenMolString(Picoline())) << view->Error->Message;
    EXPECT_EQ(DrawnMarks(*view), 0);
}

TEST(ChemView2Highlight, AMatchThatNoLongerFitsTheMoleculeStillDrawsThePicture) {
    TveskChemView2Pool pool;
    std::unique_ptr<TveskMolView2> view = pool.CreateMolView();
    ASSERT_TRUE(view);
    // Atom 6 of the picoline, but pyridine has six atoms only.
    view->Highlight = {{0, 6}, {}, kMark};
    ASSERT_TRUE(view->OpenMolString(Pyridine())) << view->Error->Message;
    TSurface surface(240, 120, 0xFFFFFFFF);
    ASSERT_TRUE(view->Draw(surface.DC(), {0, 0, 240, 120})) << view->Error->Message;
    EXPECT_EQ(MarkPixels(surface), 0);
    int ink = 0;
    for (std::uint32_t px : surface.Pixels) ink += px != 0xFFFFFFFF;
    EXPECT_GT(ink, 200);
}

TEST(ChemView2Highlight, LibrariesWithoutTheExportsLoadAndMarkNothing) {
    {
        TLibraryFileScope scope(ZELMAR_STANDIN_VIEWER_FULL);
        TveskChemView2Pool pool;
        ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
        std::unique_ptr<TveskMolView2> view = pool.CreateMolView();
        ASSERT_TRUE(view);
        EXPECT_FALSE(view->CanHighlight());
        view->Highlight = {{0}, {}, kMark};
        EXPECT_TRUE(view->OpenMolString("anything")) << view->Error->Message;
    }
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_FULL);
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        ASSERT_TRUE(engine.Initialized()) << error;
        EXPECT_FALSE(engine.HasQueryMatch());
        std::vector<std::int32_t> atoms{1}, bonds{2};
        EXPECT_EQ(engine.QueryMatch(Pyridine(), atoms, bonds), -1);
        EXPECT_TRUE(atoms.empty() && bonds.empty());
    }
    SetChemSearchLibraryFile("");
    TZelmarChemSearchEngine idle;
    std::vector<std::int32_t> atoms, bonds;
    EXPECT_EQ(idle.QueryMatch(Pyridine(), atoms, bonds), -1);
}

}  // namespace
