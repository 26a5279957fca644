// The structure viewer binding: errors, margins, the pool and its views against the real
// library (found in the program folder) and against stand-ins.

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>
#include <string>

#include "ChemViewTestSupport.h"
#include "vesk_ChemView2.h"

using namespace viewTest;

namespace {

TEST(ChemView2Error, LibraryTextsAreSplitIntoCodeTextAndDetail) {
    const struct {
        const char* Input;
        bool Result;
        int Code;
        const char* Text;
        const char* Detail;
    } cases[] = {
        {"4, parse", true, 4, "parse", ""},
        {"x4, word", true, -1, "word", ""},
        {"99999999999,big", true, -1, "big", ""},
        {"7, cannot draw, size 0 x 0, again", true, 7, "cannot draw", "size 0 x 0, again"},
        {"no comma at all", false, 0, "", ""},
    };
    TveskChemView2Error error;
    for (const auto& c : cases) {
        error.SetNoHandle();
        EXPECT_EQ(error.ParseError(c.Input), c.Result) << c.Input;
        EXPECT_EQ(error.Code, c.Code) << c.Input;
        EXPECT_EQ(error.Text, c.Text) << c.Input;
        EXPECT_EQ(error.Detail, c.Detail) << c.Input;
        EXPECT_EQ(error.Message, c.Input);
    }
    error.SetException(std::out_of_range("index 5"));
    EXPECT_EQ(error.Message, "101, Exception std::out_of_range, index 5");
}

TEST(ChemView2Margins, AllFourModes) {
    TveskChemView2DC dc;
    TveskChemView2Margins m;
    m.Left = m.Top = m.Right = m.Bottom = 5;
    auto apply = [&](std::uint8_t mode, const TveskChemView2Rect& rect = {100, 50, 300, 150}) {
        m.Mode = mode;
        const TveskChemView2Rect r = m.ApplyMargins(dc, rect);
        return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
               std::to_string(r.Right) + " " + std::to_string(r.Bottom);
    };
    EXPECT_EQ(apply(TveskChemView2Margins::mmNone), "100 50 300 150");
    EXPECT_EQ(apply(TveskChemView2Margins::mmDeviceUnits), "105 55 295 145");
    EXPECT_EQ(apply(TveskChemView2Margins::mmPercent), "110 55 290 145");      // 200 x 100
    EXPECT_EQ(apply(TveskChemView2Margins::mmMillimeters), "119 69 281 131");  // 96 dpi
    dc.PixelsPerInchX = 300;
    EXPECT_EQ(apply(TveskChemView2Margins::mmMillimeters), "159 69 241 131");
    EXPECT_EQ(apply(9), "100 50 300 150");
    m.Top = 7;  // of the height
    EXPECT_EQ(apply(TveskChemView2Margins::mmPercent), "110 57 290 145");
    EXPECT_THROW(apply(TveskChemView2Margins::mmPercent, {INT_MIN, 0, INT_MAX, 9}),
                 std::overflow_error);
    m.Left = INT_MAX;
    EXPECT_THROW(apply(TveskChemView2Margins::mmDeviceUnits), std::overflow_error);
}

class ChemView2Pool : public ::testing::Test {
protected:
    TveskChemView2Pool Pool;
    std::unique_ptr<TveskMolView2> Open(const std::string& text) {
        std::unique_ptr<TveskMolView2> view = Pool.CreateMolViewFromString(text);
        EXPECT_TRUE(view && view->ViewerHandle() != 0)
            << (view ? view->Error->Message : Pool.LastError);
        return view;
    }
};

TEST_F(ChemView2Pool, TakesTheLibrarysDefaultsAndHandsCopiesToViews) {
    ASSERT_TRUE(Pool.PoolValid()) << Pool.LastError;
    // The library's defaults are the table's, which the binding also starts from.
    TveskChemView2MolProperties own;
    own.Display->DecimalSeparator = Pool.MolProperties->Display->DecimalSeparator;
    MolConfigRecord mine, read;
    own.WriteToRecord(mine);
    Pool.MolProperties->WriteToRecord(read);
    EXPECT_EQ(mine.Bytes, read.Bytes);
    EXPECT_EQ(Pool.RxnProperties->Reaction->Arrow->Values[1], 160.0);

    Pool.Margins->Mode = TveskChemView2Margins::mmPercent;
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolView();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Margins->Mode, TveskChemView2Margins::mmPercent);
    EXPECT_EQ(view->SettingsKey(), Pool.SettingsKey());
    Pool.MolProperties->Display->HydrogenMode = 4;  // later changes stay the pool's
    EXPECT_EQ(view->Properties->Display->HydrogenMode, 3);
}

TEST_F(ChemView2Pool, WrittenDefaultsReachPoolsMadeLater) {
    Pool.MolProperties->Display->NoStructureText = "Leer";
    Pool.MolProperties->Display->Flag4 = true;
    Pool.RxnProperties->Reaction->Value = 12.5;
    ASSERT_TRUE(Pool.WriteDefaults()) << Pool.LastError;
    {
        TveskChemView2Pool later;
        EXPECT_EQ(later.MolProperties->Display->NoStructureText, "Leer");
        EXPECT_FALSE(later.MolProperties->Display->Flag4) << "the pool keeps it off";
        EXPECT_EQ(later.RxnProperties->Reaction->Value, 12.5);
    }
    TveskChemView2MolProperties mol;  // the library's defaults back for other tests
    TveskChemView2RxnProperties rxn;
    Pool.MolProperties->Assign(mol);
    Pool.RxnProperties->Assign(rxn);
    ASSERT_TRUE(Pool.WriteDefaults());
}

TEST_F(ChemView2Pool, WithoutMoleculeEveryCallSaysSo) {
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolView();
    ASSERT_TRUE(view) << Pool.LastError;
    TSurface surface(20, 20, 0);
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 20, 20}));
    EXPECT_EQ(view->Error->Code, 102);
    EXPECT_EQ(view->Error->Text, "invalid object");
    EXPECT_EQ(view->Error->Detail, "chemview object not defined or not valid");
    EXPECT_EQ(view->Error->Message,
              "102, invalid object, chemview object not defined or not valid");
    view->Error->Clear();
    EXPECT_FALSE(view->Configure());
    EXPECT_EQ(view->Error->Code, 102);
    EXPECT_TRUE(view->CloseView()) << "nothing to close";
}

TEST_F(ChemView2Pool, DrawsOnlyInsideTheRectangleLessItsMargins) {
    std::unique_ptr<TveskMolView2> view = Open(Pyridine());
    ASSERT_TRUE(view);
    view->Margins->Mode = TveskChemView2Margins::mmPercent;
    view->Margins->Left = view->Margins->Right = 10;
    view->Margins->Top = view->Margins->Bottom = 20;
    const std::uint32_t sentinel = 0x12345678;
    TSurface surface(220, 140, sentinel);
    ASSERT_TRUE(view->Draw(surface.DC(), {20, 20, 220, 120})) << view->Error->Message;
    int inside = 0, outside = 0;
    for (std::size_t i = 0; i < surface.Pixels.size(); ++i) {
        const int x = static_cast<int>(i) % (surface.Width + 3),
                  y = static_cast<int>(i) / (surface.Width + 3);
        if (surface.Pixels[i] == sentinel) continue;
        (x >= 40 && x < 200 && y >= 40 && y < 100 ? inside : outside)++;
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 200);
}

TEST_F(ChemView2Pool, FailuresCarryTheLibrarysErrorAndViewsOutliveThePool) {
    std::unique_ptr<TveskMolView2> view = Open(Pyridine());
    ASSERT_TRUE(view);
    EXPECT_FALSE(view->OpenMolString("no molfile\n\n\n  x  y  z\nM  END\n"));
    EXPECT_EQ(view->ViewerHandle(), 0u) << "the old molecule was closed first";
    EXPECT_EQ(view->Error->Code, 4) << view->Error->Message;
    EXPECT_FALSE(view->OpenMolFile("/nonexistent/" + std::string(4000, 'a')));
    EXPECT_EQ(view->Error->Code, 3) << view->Error->Message;
    EXPECT_LT(view->Error->Message.size(), 256u);

    {
        TveskChemView2Pool own;
        view = own.CreateMolViewFromString(Pyridine());
    }
    ASSERT_TRUE(view && view->ViewerHandle() != 0);
    TSurface surface(80, 60, 0);
    EXPECT_TRUE(view->Draw(surface.DC(), {0, 0, 80, 60})) << view->Error->Message;
    view.reset();  // its handle goes to a library that must still be loaded
}

TEST(ChemView2PoolLibrary, AMissingLibraryOrExportLeavesThePoolInvalid) {
    for (const char* file : {"/nonexistent/libveskChemViewer.so", ZELMAR_STANDIN_VIEWER_PARTIAL}) {
        TLibraryFileScope scope(file);
        TveskChemView2Pool pool;
        EXPECT_FALSE(pool.PoolValid()) << file;
        EXPECT_FALSE(pool.LastError.empty()) << file;
        EXPECT_FALSE(pool.CreateMolViewFromString(Pyridine()));
        EXPECT_FALSE(pool.WriteDefaults());
        EXPECT_EQ(pool.MolProperties->Fonts->Font(0).Size(), 48) << "defaults of its own";
    }
}

TEST(ChemView2PoolLibrary, UnreadableDefaultsAndSilentFailuresAreHandled) {
    TLibraryFileScope scope(ZELMAR_STANDIN_VIEWER_FULL);
    TveskChemView2Pool pool;
    ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
    // No defaults from the library: the pool keeps its own rather than a zeroed record.
    EXPECT_EQ(pool.MolProperties->Display->NoStructureText, "No-Structure");
    EXPECT_EQ(pool.MolProperties->Fonts->Font(0).Name(), "Arial");
    EXPECT_EQ(pool.RxnProperties->Reaction->Value, 30.0);

    std::unique_ptr<TveskMolView2> view = pool.CreateMolViewFromString("fail-silently");
    ASSERT_TRUE(view) << "returned although opening failed";
    EXPECT_EQ(view->Error->Code, -1) << "a failure never reads as no error";
    EXPECT_EQ(view->Error->Text, "OpenMolString failed");
    EXPECT_FALSE(view->OpenMolString("fail-loudly"));
    EXPECT_EQ(view->Error->Detail, "line 3, col 7");

    ASSERT_TRUE(view->OpenMolString("anything")) << view->Error->Message;
    TSurface surface(10, 10, 0);
    EXPECT_TRUE(view->Draw(surface.DC(), {0, 0, 10, 10})) << "low byte of 0x101";
    view->HighQuality = false;
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 10, 10})) << "low byte of 0x100";
    EXPECT_EQ(view->Error->Text, "low quality refused");
    view->Margins->Mode = TveskChemView2Margins::mmDeviceUnits;
    view->Margins->Right = INT_MIN;
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 10, 10}));
    EXPECT_EQ(view->Error->Text, "Exception std::overflow_error");
}

}  // namespace
