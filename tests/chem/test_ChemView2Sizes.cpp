// Draw sizes through the binding: sent with every opening and configuration, refused values
// reported, and a library without the export still drawing.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "ChemViewTestSupport.h"

using namespace viewTest;

namespace {

// Width of the columns holding ink on a white surface.
int InkWidth(const TSurface& s) {
    int left = s.Width, right = -1;
    for (int y = 0; y < s.Height; ++y) {
        for (int x = 0; x < s.Width; ++x) {
            if (s.Pixels[static_cast<std::size_t>(y * (s.Width + 3) + x)] == 0xFFFFFFFF) continue;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    return right < left ? 0 : right - left + 1;
}

int DrawnWidth(TveskMolView2& view) {
    TSurface surface(300, 150, 0xFFFFFFFF);
    EXPECT_TRUE(view.Draw(surface.DC(), {0, 0, 300, 150})) << view.Error->Message;
    return InkWidth(surface);
}

TEST(ChemView2Sizes, BondLengthReachesTheLibraryOnOpeningAndConfiguring) {
    TveskChemView2Pool pool;
    ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
    std::unique_ptr<TveskMolView2> view = pool.CreateMolViewFromString(Pyridine());
    ASSERT_TRUE(view && view->ViewerHandle() != 0);
    const int fitted = DrawnWidth(*view);
    EXPECT_GT(fitted, 100);

    // Pyridine is two bonds and a bit wide (lines and the N label come on top).
    view->DrawSizes = {20, 8, 2};
    ASSERT_TRUE(view->Configure()) << view->Error->Message;
    const int sized = DrawnWidth(*view);
    EXPECT_GT(sized, 34);
    EXPECT_LT(sized, 60);
    ASSERT_TRUE(view->OpenMolString(Pyridine())) << view->Error->Message;
    EXPECT_EQ(DrawnWidth(*view), sized);

    view->DrawSizes.BondLength = -3;
    EXPECT_FALSE(view->Configure());
    EXPECT_EQ(view->Error->Code, 2);
    EXPECT_EQ(view->Error->Text, "invalid size");
    view->DrawSizes = {};
    ASSERT_TRUE(view->Configure()) << view->Error->Message;
    EXPECT_EQ(DrawnWidth(*view), fitted);
}

TEST(ChemView2Sizes, ALibraryWithoutTheExportStillOpensAndDraws) {
    TLibraryFileScope scope(ZELMAR_STANDIN_VIEWER_FULL);
    TveskChemView2Pool pool;
    ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
    std::unique_ptr<TveskMolView2> view = pool.CreateMolView();
    ASSERT_TRUE(view);
    view->DrawSizes = {20, 8, 2};
    ASSERT_TRUE(view->OpenMolString("anything")) << view->Error->Message;
    TSurface surface(10, 10, 0);
    EXPECT_TRUE(view->Draw(surface.DC(), {0, 0, 10, 10})) << view->Error->Message;
}

}  // namespace
