// Marked atoms and bonds: where their colour appears, that clearing takes it away, and what is
// refused.

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {

constexpr uint32_t kMark = 0x0040A0FF;       // COLORREF: red FF, green A0, blue 40
constexpr uint32_t kMarkPixel = 0xFFFFA040;  // the same as an opaque ARGB pixel

// Pixels of exactly the marking colour, and the box around them.
int MarkPixels(const Canvas& c, TveskRect* box = nullptr) {
    int n = 0;
    TveskRect b{c.W, c.H, 0, 0};
    for (int y = 0; y < c.H; ++y)
        for (int x = 0; x < c.W; ++x) {
            if (c.At(x, y) != kMarkPixel) continue;
            ++n;
            b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1),
                 std::max(b.Bottom, y + 1)};
        }
    if (box) *box = b;
    return n;
}

int32_t Mark(View& v, std::vector<int32_t> atoms, std::vector<int32_t> bonds,
             uint32_t colour = kMark) {
    return SetMolFileHighlight(v.Handle, atoms.data(), static_cast<int32_t>(atoms.size()),
                               bonds.data(), static_cast<int32_t>(bonds.size()), colour, v.Err,
                               sizeof v.Err);
}

// Propane drawn from left to right, then a hydroxy group on the right end.
std::string Propanol() {
    return Molfile(
        {{"C", 0, 0, 0}, {"C", 1.299, 0.75, 0}, {"C", 2.598, 0, 0}, {"O", 3.897, 0.75, 0}},
        {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}});
}

}  // namespace

TEST(Highlight, MarkedPartShowsItsColourWhereItIsAndClearingRemovesIt) {
    View v(Propanol());
    ASSERT_TRUE(v.Ok) << v.Err;
    const Canvas plain = v.Picture(240, 100);
    EXPECT_EQ(MarkPixels(plain), 0);

    for (bool hq : {true, false}) {
        // The C-O end: colour only in the right half of the picture.
        ASSERT_TRUE(Mark(v, {2, 3}, {2})) << v.Err;
        Canvas right(240, 100);
        ASSERT_TRUE(v.Draw(right, {0, 0, 240, 100}, hq)) << v.Err;
        TveskRect box{};
        EXPECT_GT(MarkPixels(right, &box), 40);
        EXPECT_GE(box.Left, 240 / 2 - 10);
        // The first carbon alone: a circle at the left end, no band to the right.
        ASSERT_TRUE(Mark(v, {0}, {})) << v.Err;
        Canvas left(240, 100);
        ASSERT_TRUE(v.Draw(left, {0, 0, 240, 100}, hq)) << v.Err;
        EXPECT_GT(MarkPixels(left, &box), 10);
        EXPECT_LE(box.Right, 240 / 3);
    }
    // Clearing gives the unmarked picture back, pixel for pixel.
    ASSERT_TRUE(Mark(v, {1, 2}, {1}));
    ASSERT_TRUE(SetMolFileHighlight(v.Handle, nullptr, 0, nullptr, 0, kMark, v.Err, sizeof v.Err))
        << v.Err;
    EXPECT_TRUE(v.Picture(240, 100) == plain);
}

TEST(Highlight, BandsLieUnderBondsThatKeepTheirColourAlsoInTheSelectedLook) {
    View v(Propanol());
    TveskMolConfigRecord white = DefaultMolRecord();
    for (auto& f : white.Fonts1to8) f.Colour = 0xFFFFFF;
    white.BondColour = 0xFFFFFF;
    ASSERT_TRUE(Mark(v, {0, 1, 2, 3}, {0, 1, 2})) << v.Err;
    // Kept over a configuration set afterwards.
    ASSERT_TRUE(v.Configure(white)) << v.Err;
    const Canvas c = v.Picture(240, 100, 0xFF3050C0);
    int whiteInk = 0;
    for (uint32_t px : c.Pixels) whiteInk += px == 0xFFFFFFFF;
    EXPECT_GT(MarkPixels(c), 100);
    EXPECT_GT(whiteInk, 20);  // the bonds themselves stay visible on the band
}

TEST(Highlight, IndicesCountInMolfileOrderAlsoWithHydrogensFoldedAway) {
    // Methanol written hydrogens first: the oxygen is molfile atom 4, drawn on the right.
    const std::string methanol = Molfile({{"H", -0.5, 0.9, 0},
                                          {"H", -0.5, -0.9, 0},
                                          {"H", -1.0, 0, 0},
                                          {"C", 0, 0, 0},
                                          {"O", 1.5, 0, 0},
                                          {"H", 2.0, 0.9, 0}},
                                         {{1, 4, 1}, {2, 4, 1}, {3, 4, 1}, {4, 5, 1}, {5, 6, 1}});
    View v(methanol);
    ASSERT_TRUE(v.Ok) << v.Err;
    ASSERT_TRUE(Mark(v, {4}, {})) << v.Err;
    TveskRect box{};
    const Canvas oxygen = v.Picture(200, 100);
    ASSERT_GT(MarkPixels(oxygen, &box), 10);
    EXPECT_GE(box.Left, 200 / 2 - 10);
    // The C-O bond is bond 3; the bonds to hydrogens in labels and the hydrogens draw no band.
    ASSERT_TRUE(Mark(v, {}, {3})) << v.Err;
    EXPECT_GT(MarkPixels(v.Picture(200, 100)), 20);
    ASSERT_TRUE(Mark(v, {0, 1, 2, 5}, {0, 4})) << v.Err;
    EXPECT_EQ(MarkPixels(v.Picture(200, 100)), 0);
}

TEST(Highlight, BadArgumentsAreRefusedAndLeaveTheMarksAsTheyWere) {
    View v(Propanol());
    ASSERT_TRUE(Mark(v, {3}, {})) << v.Err;
    const Canvas marked = v.Picture(240, 100);
    ASSERT_GT(MarkPixels(marked), 0);

    EXPECT_FALSE(Mark(v, {4}, {}));  // four atoms: 0 to 3
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_NE(std::string(v.Err).find("atom 4"), std::string::npos) << v.Err;
    EXPECT_FALSE(Mark(v, {-1}, {}));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_FALSE(Mark(v, {}, {3}));  // three bonds: 0 to 2
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    const int32_t one = 1;
    EXPECT_FALSE(SetMolFileHighlight(v.Handle, nullptr, 1, nullptr, 0, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_FALSE(SetMolFileHighlight(v.Handle, &one, -1, nullptr, 0, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_FALSE(SetMolFileHighlight(v.Handle, &one, 1, nullptr, 2, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_TRUE(v.Picture(240, 100) == marked);

    // Reactions and stale handles are no molecules to mark; the empty molecule has no atoms.
    View rxn(Rxn({Ethanol()}, {Ethanol()}), true);
    ASSERT_TRUE(rxn.Ok) << rxn.Err;
    EXPECT_FALSE(SetMolFileHighlight(rxn.Handle, &one, 1, nullptr, 0, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_HANDLE);
    uintptr_t gone = 0;
    ASSERT_TRUE(OpenMolString(&gone, Ethanol().c_str(), nullptr, 0));
    ASSERT_TRUE(DestroyMolFile(gone, nullptr, 0));
    EXPECT_FALSE(SetMolFileHighlight(gone, nullptr, 0, nullptr, 0, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_HANDLE);
    View empty("");
    ASSERT_TRUE(empty.Ok) << empty.Err;
    const int32_t zero = 0;
    EXPECT_FALSE(
        SetMolFileHighlight(empty.Handle, &zero, 1, nullptr, 0, kMark, v.Err, sizeof v.Err));
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_TRUE(
        SetMolFileHighlight(empty.Handle, nullptr, 0, nullptr, 0, kMark, v.Err, sizeof v.Err))
        << v.Err;
}
