// The structure viewer binding: errors, margins, the pool and its views against the real
// library (found in the program folder) and against stand-ins.

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "ChemViewTestSupport.h"
#include "vesk_ChemView2.h"

using namespace viewTest;

namespace {

constexpr std::uint32_t kSentinel = 0x12345678;

bool IsDark(std::uint32_t pixel) {
    const std::uint32_t a = pixel >> 24;
    if (a < 128) return false;
    // Premultiplied: a colour channel at most a means full strength at a.
    const std::uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r * 255 < 160 * a && g * 255 < 160 * a && b * 255 < 160 * a;
}

TEST(ChemView2Error, LibraryTextsAreSplitIntoCodeTextAndDetail) {
    struct TCase {
        const char* Input;
        bool Result;
        int Code;
        const char* Text;
        const char* Detail;
    } cases[] = {
        {"4, parse", true, 4, "parse", ""},
        {"12,word", true, 12, "word", ""},
        {"x4, word", true, -1, "word", ""},
        {", word", true, -1, "word", ""},
        {"99999999999, big", true, -1, "big", ""},
        {"7, cannot draw, rectangle 0 x 0, again", true, 7, "cannot draw",
         "rectangle 0 x 0, again"},
        {"no comma at all", false, 0, "", ""},
        {"", false, 0, "", ""},
    };
    TveskChemView2Error error;
    for (const TCase& c : cases) {
        error.SetNoHandle();
        EXPECT_EQ(error.ParseError(c.Input), c.Result) << c.Input;
        EXPECT_EQ(error.Code, c.Code) << c.Input;
        EXPECT_EQ(error.Text, c.Text) << c.Input;
        EXPECT_EQ(error.Detail, c.Detail) << c.Input;
        EXPECT_EQ(error.Message, c.Input);
    }
    error.SetException(std::out_of_range("index 5"));
    EXPECT_EQ(error.Code, 101);
    EXPECT_EQ(error.Text, "Exception std::out_of_range");
    EXPECT_EQ(error.Message, "101, Exception std::out_of_range, index 5");
    error.Clear();
    EXPECT_EQ(error.Code, 0);
    EXPECT_TRUE(error.Message.empty() && error.Text.empty() && error.Detail.empty());
}

TEST(ChemView2Margins, AllFourModes) {
    TveskChemView2DC dc;
    const TveskChemView2Rect rect{100, 50, 300, 150};  // 200 x 100
    TveskChemView2Margins m;
    m.Left = m.Top = m.Right = m.Bottom = 5;
    auto apply = [&](std::uint8_t mode) {
        m.Mode = mode;
        const TveskChemView2Rect r = m.ApplyMargins(dc, rect);
        return std::to_string(r.Left) + " " + std::to_string(r.Top) + " " +
               std::to_string(r.Right) + " " + std::to_string(r.Bottom);
    };
    EXPECT_EQ(apply(TveskChemView2Margins::mmNone), "100 50 300 150");
    EXPECT_EQ(apply(TveskChemView2Margins::mmDeviceUnits), "105 55 295 145");
    EXPECT_EQ(apply(TveskChemView2Margins::mmPercent), "110 55 290 145");
    EXPECT_EQ(apply(TveskChemView2Margins::mmMillimeters), "119 69 281 131") << "5 mm at 96 dpi";
    dc.PixelsPerInchX = 300;
    EXPECT_EQ(apply(TveskChemView2Margins::mmMillimeters), "159 69 241 131");
    EXPECT_EQ(apply(9), "100 50 300 150") << "unknown modes change nothing";

    m.Left = 3;  // per cent of the width for left and right, of the height for top and bottom
    m.Top = 7;
    EXPECT_EQ(apply(TveskChemView2Margins::mmPercent), "106 57 290 145");

    m.Mode = TveskChemView2Margins::mmDeviceUnits;
    m.Left = INT_MAX;
    EXPECT_THROW(m.ApplyMargins(dc, rect), std::overflow_error);
    m.Mode = TveskChemView2Margins::mmPercent;
    EXPECT_THROW(m.ApplyMargins(dc, {INT_MIN, 0, INT_MAX, 10}), std::overflow_error);
}

class ChemView2Pool : public ::testing::Test {
protected:
    TveskChemView2Pool Pool;
};

TEST_F(ChemView2Pool, LoadsTheLibraryAndTakesItsDefaults) {
    ASSERT_TRUE(Pool.PoolValid()) << Pool.LastError;
    EXPECT_TRUE(Pool.LastError.empty());
    EXPECT_EQ(Pool.MolProperties->Display->HydrogenMode, 3);
    EXPECT_EQ(Pool.MolProperties->Display->NoStructureText, "No-Structure");
    EXPECT_EQ(Pool.MolProperties->Fonts->Font(0).Size(), 48);
    EXPECT_EQ(Pool.MolProperties->Fonts->Font(13).Size(), 72);
    EXPECT_FALSE(Pool.MolProperties->Display->Flag4);
    EXPECT_FALSE(Pool.RxnProperties->Display->Flag4);
    EXPECT_EQ(Pool.RxnProperties->Reaction->Arrow->Values[1], 160.0);
    EXPECT_EQ(Pool.Margins->Mode, TveskChemView2Margins::mmNone);
}

TEST_F(ChemView2Pool, WrittenDefaultsReachPoolsMadeLater) {
    ASSERT_TRUE(Pool.PoolValid()) << Pool.LastError;
    Pool.MolProperties->Display->HydrogenMode = 1;
    Pool.MolProperties->Display->NoStructureText = "Leer";
    Pool.MolProperties->Display->Flag4 = true;
    Pool.RxnProperties->Reaction->Value = 12.5;
    ASSERT_TRUE(Pool.WriteDefaults()) << Pool.LastError;
    {
        TveskChemView2Pool later;
        EXPECT_EQ(later.MolProperties->Display->HydrogenMode, 1);
        EXPECT_EQ(later.MolProperties->Display->NoStructureText, "Leer");
        EXPECT_FALSE(later.MolProperties->Display->Flag4) << "the pool forces it off";
        EXPECT_EQ(later.RxnProperties->Reaction->Value, 12.5);
    }
    // Put the library's defaults back for the other tests.
    TveskChemView2MolProperties fresh;
    TveskChemView2RxnProperties freshRxn;
    Pool.MolProperties->Assign(fresh);
    Pool.RxnProperties->Assign(freshRxn);
    ASSERT_TRUE(Pool.WriteDefaults());
}

TEST_F(ChemView2Pool, ViewsCopyPropertiesAndMargins) {
    ASSERT_TRUE(Pool.PoolValid()) << Pool.LastError;
    Pool.Margins->Mode = TveskChemView2Margins::mmPercent;
    Pool.Margins->Left = 5;
    Pool.MolProperties->Display->HydrogenMode = 0;
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolView();
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Margins->Mode, TveskChemView2Margins::mmPercent);
    EXPECT_EQ(view->Margins->Left, 5);
    EXPECT_EQ(view->Properties->Display->HydrogenMode, 0);
    EXPECT_TRUE(view->HighQuality);
    EXPECT_EQ(view->SettingsKey(), Pool.SettingsKey());
    // Later changes of the pool do not reach the view.
    Pool.MolProperties->Display->HydrogenMode = 4;
    EXPECT_EQ(view->Properties->Display->HydrogenMode, 0);
    EXPECT_NE(view->SettingsKey(), Pool.SettingsKey());
    view->Properties->Display->HydrogenMode = 4;
    EXPECT_EQ(view->SettingsKey(), Pool.SettingsKey());
    view->HighQuality = false;
    EXPECT_NE(view->SettingsKey(), Pool.SettingsKey());
    Pool.ReleaseMolView(std::move(view));
}

TEST_F(ChemView2Pool, WithoutMoleculeEveryCallSaysSo) {
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolView();
    ASSERT_TRUE(view) << Pool.LastError;
    TSurface surface(20, 20, 0);
    const std::string expected = "102, invalid object, chemview object not defined or not valid";
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 20, 20}));
    EXPECT_EQ(view->Error->Code, 102);
    EXPECT_EQ(view->Error->Text, "invalid object");
    EXPECT_EQ(view->Error->Detail, "chemview object not defined or not valid");
    EXPECT_EQ(view->Error->Message, expected);
    view->Error->Clear();
    EXPECT_FALSE(view->Configure());
    EXPECT_EQ(view->Error->Message, expected);
    EXPECT_TRUE(view->CloseView()) << "nothing to close";
    EXPECT_EQ(view->Error->Code, 0);
}

TEST_F(ChemView2Pool, DrawsInsideTheRectangleLessItsMargins) {
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolViewFromString(Caffeine());
    ASSERT_TRUE(view) << Pool.LastError;
    ASSERT_NE(view->ViewerHandle(), 0u) << view->Error->Message;
    view->Margins->Mode = TveskChemView2Margins::mmPercent;
    view->Margins->Left = view->Margins->Right = 10;
    view->Margins->Top = view->Margins->Bottom = 20;
    TSurface surface(220, 140, kSentinel);
    const TveskChemView2Rect rect{20, 20, 220, 120};  // drawn part: 40..200 x 40..100
    ASSERT_TRUE(view->Draw(surface.DC(), rect)) << view->Error->Message;
    int inside = 0, outside = 0, dark = 0;
    for (int y = 0; y < surface.Height; ++y) {
        for (int x = 0; x < surface.Stride; ++x) {
            const std::uint32_t p =
                surface.Pixels[static_cast<std::size_t>(y * surface.Stride + x)];
            const bool in = x >= 40 && x < 200 && y >= 40 && y < 100;
            if (p == kSentinel) continue;
            (in ? inside : outside)++;
            if (IsDark(p)) ++dark;
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(inside, 200);
    EXPECT_GT(dark, 50) << "black bonds by default";
}

TEST_F(ChemView2Pool, SelectedLookHasNoDarkPixels) {
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolViewFromString(Caffeine());
    ASSERT_TRUE(view && view->ViewerHandle() != 0);
    for (int i = 0; i < 13; ++i) view->Properties->Fonts->Font(i).SetColor(0x00FFFFFF);
    view->Properties->Bonds->Color = 0x00FFFFFF;
    ASSERT_TRUE(view->Configure()) << view->Error->Message;
    TSurface surface(160, 100, 0);
    ASSERT_TRUE(view->Draw(surface.DC(), {0, 0, 160, 100})) << view->Error->Message;
    int drawn = 0, dark = 0;
    for (std::uint32_t p : surface.Pixels) {
        if (p == 0) continue;
        ++drawn;
        if (IsDark(p)) ++dark;
    }
    EXPECT_GT(drawn, 200);
    EXPECT_EQ(dark, 0);
}

TEST_F(ChemView2Pool, OpeningFailuresCarryTheLibrarysError) {
    std::unique_ptr<TveskMolView2> view = Pool.CreateMolViewFromString(Caffeine());
    ASSERT_TRUE(view && view->ViewerHandle() != 0);
    EXPECT_FALSE(view->OpenMolString("no molfile\n\n\n  x  y  z\nM  END\n"));
    EXPECT_EQ(view->ViewerHandle(), 0u) << "the old molecule was closed first";
    EXPECT_EQ(view->Error->Code, 4) << view->Error->Message;
    EXPECT_FALSE(view->Error->Text.empty());

    EXPECT_FALSE(view->OpenMolFile("/nonexistent/zelmar/none.mol"));
    EXPECT_EQ(view->Error->Code, 3) << view->Error->Message;

    const std::string long_name(4000, 'a');
    EXPECT_FALSE(view->OpenMolFile("/nonexistent/" + long_name));
    EXPECT_LT(view->Error->Message.size(), 256u) << "the buffer is never overrun";

    EXPECT_TRUE(view->OpenMolString(Caffeine())) << view->Error->Message;
    EXPECT_EQ(view->Error->Code, 0);
    EXPECT_TRUE(view->CloseView());
    EXPECT_EQ(view->ViewerHandle(), 0u);
}

TEST_F(ChemView2Pool, AViewOutlivesItsPool) {
    std::unique_ptr<TveskMolView2> view;
    {
        TveskChemView2Pool own;
        view = own.CreateMolViewFromString(Caffeine());
    }
    ASSERT_TRUE(view && view->ViewerHandle() != 0);
    TSurface surface(80, 60, 0);
    EXPECT_TRUE(view->Draw(surface.DC(), {0, 0, 80, 60})) << view->Error->Message;
    view.reset();  // destroys its handle in a library that must still be loaded
}

TEST_F(ChemView2Pool, OpensTheFirstRecordOfRealFiles) {
    const std::string folder = ZELMAR_SDF_CORPUS_DIR;
    int drawn = 0;
    for (const char* name :
         {"pubchem_sample.sdf", "pubchem_3d_conformers.sdf", "crlf.sdf", "empty_molecules.sdf",
          "v3000_utf8_values.sdf", "pubchem_large_salt.sdf", "inchi_techman_samples.sdf"}) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        if (!in) continue;
        std::stringstream text;
        text << in.rdbuf();
        std::unique_ptr<TveskMolView2> view = Pool.CreateMolViewFromString(text.str());
        ASSERT_TRUE(view);
        ASSERT_NE(view->ViewerHandle(), 0u) << name << ": " << view->Error->Message;
        TSurface surface(128, 50, 0);
        ASSERT_TRUE(view->Draw(surface.DC(), {0, 0, 128, 50})) << name;
        int painted = 0;
        for (std::uint32_t p : surface.Pixels) painted += p != 0;
        EXPECT_GT(painted, 20) << name << " (an empty molecule draws its replacement text)";
        ++drawn;
    }
    if (drawn == 0) GTEST_SKIP() << "shared SD files not found in " << folder;
}

TEST(ChemView2PoolLibrary, AMissingLibraryLeavesThePoolInvalid) {
    TLibraryFileScope scope("/nonexistent/zelmar/libveskChemViewer.so");
    TveskChemView2Pool pool;
    EXPECT_FALSE(pool.PoolValid());
    EXPECT_FALSE(pool.LastError.empty());
    EXPECT_FALSE(pool.CreateMolView());
    EXPECT_FALSE(pool.CreateMolViewFromString(Caffeine()));
    EXPECT_FALSE(pool.WriteDefaults());
    EXPECT_EQ(pool.MolProperties->Fonts->Font(0).Size(), 48) << "defaults of its own";
    ASSERT_TRUE(pool.Margins);
}

TEST(ChemView2PoolLibrary, ALibraryWithoutEveryExportIsRefused) {
    TLibraryFileScope scope(ZELMAR_STANDIN_VIEWER_PARTIAL);
    TveskChemView2Pool pool;
    EXPECT_FALSE(pool.PoolValid());
    EXPECT_NE(pool.LastError.find("undefined symbol"), std::string::npos) << pool.LastError;
    EXPECT_FALSE(pool.CreateMolView());
}

TEST(ChemView2PoolLibrary, UnreadableDefaultsAndSilentFailuresAreHandled) {
    TLibraryFileScope scope(ZELMAR_STANDIN_VIEWER_FULL);
    TveskChemView2Pool pool;
    ASSERT_TRUE(pool.PoolValid()) << pool.LastError;
    // The defaults could not be read: the pool keeps its own rather than a zeroed record.
    EXPECT_EQ(pool.MolProperties->Display->HydrogenMode, 3);
    EXPECT_EQ(pool.MolProperties->Display->NoStructureText, "No-Structure");
    EXPECT_EQ(pool.MolProperties->Fonts->Font(0).Name(), "Arial");
    EXPECT_EQ(pool.RxnProperties->Reaction->Value, 30.0);

    std::unique_ptr<TveskMolView2> view = pool.CreateMolViewFromString("fail-silently");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->Error->Code, -1) << "a failure never reads as no error";
    EXPECT_EQ(view->Error->Text, "OpenMolString failed");

    EXPECT_FALSE(view->OpenMolString("fail-loudly"));
    EXPECT_EQ(view->Error->Code, 4);
    EXPECT_EQ(view->Error->Text, "cannot read");
    EXPECT_EQ(view->Error->Detail, "line 3, column 7");

    ASSERT_TRUE(view->OpenMolString("anything")) << view->Error->Message;
    TSurface surface(10, 10, 0);
    EXPECT_TRUE(view->Draw(surface.DC(), {0, 0, 10, 10})) << "only the low byte counts (0x101)";
    view->HighQuality = false;
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 10, 10})) << "0x100 is a failure";
    EXPECT_EQ(view->Error->Text, "low quality refused");

    view->Margins->Mode = TveskChemView2Margins::mmDeviceUnits;
    view->Margins->Right = INT_MIN;
    EXPECT_FALSE(view->Draw(surface.DC(), {0, 0, 10, 10}));
    EXPECT_EQ(view->Error->Code, 101);
    EXPECT_EQ(view->Error->Text, "Exception std::overflow_error");
}

}  // namespace
