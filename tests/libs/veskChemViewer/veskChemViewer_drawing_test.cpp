// Pictures: where they go, what the configuration changes in them, and awkward molecules.

#include <cmath>
#include <set>

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {
constexpr uint32_t kBlue = 0xFF3050C0;

TveskMolConfigRecord WhiteDrawing() {
    TveskMolConfigRecord r = DefaultMolRecord();
    for (auto& f : r.Fonts1to8) f.Colour = 0xFFFFFF;
    r.Font9.Colour = r.Font10.Colour = r.Font11.Colour = r.Font12.Colour = r.Font13.Colour =
        0xFFFFFF;
    r.BondColour = 0xFFFFFF;
    return r;
}
}  // namespace

TEST(Drawing, TouchesOnlyItsRectangleOnAPaddedSurface) {
    View v(Caffeine());
    ASSERT_TRUE(v.Ok) << v.Err;
    for (bool hq : {false, true}) {
        Canvas c(160, 100);
        const TveskRect r{30, 20, 130, 70};
        ASSERT_TRUE(v.Draw(c, r, hq)) << v.Err;
        const auto [in, out] = c.Changes(r);
        EXPECT_GT(in, 150);
        EXPECT_EQ(out, 0);
        EXPECT_TRUE(c.PaddingIntact());
    }
    // Too small for the smallest label size: labels would spill over without the clip.
    Canvas tiny(40, 30);
    ASSERT_TRUE(v.Draw(tiny, {10, 10, 26, 18})) << v.Err;
    EXPECT_EQ(tiny.Changes({10, 10, 26, 18}).second, 0);
    // Hanging over the surface's corner: only the visible part is drawn, nothing beyond.
    Canvas c(60, 40);
    ASSERT_TRUE(v.Draw(c, {-60, -40, 50, 30})) << v.Err;
    EXPECT_GT(c.Changes({0, 0, 50, 30}).first, 0);
    EXPECT_EQ(c.Changes({0, 0, 50, 30}).second, 0);
    EXPECT_TRUE(c.PaddingIntact());
}

TEST(Drawing, EmptyOrInvertedRectangleDrawsNothing) {
    View v(Caffeine());
    Canvas c(50, 50);
    for (TveskRect r :
         {TveskRect{10, 10, 10, 40}, TveskRect{10, 10, 40, 10}, TveskRect{40, 40, 10, 10}}) {
        EXPECT_TRUE(v.Draw(c, r)) << v.Err;
        TveskRect painted{-1, -1, -1, -1};
        EXPECT_TRUE(GetMolFileRectHQ(v.Handle, &r, &painted, v.Err, sizeof v.Err));
        EXPECT_EQ(painted.Left, r.Left);
        EXPECT_EQ(painted.Right, r.Left);
    }
    EXPECT_EQ(c.Ink(), 0);
}

TEST(Drawing, SelectedLookIsWhiteOnTheCellBackground) {
    View v(Caffeine());
    ASSERT_TRUE(v.Configure(WhiteDrawing())) << v.Err;
    const Canvas c = v.Picture(200, 120, kBlue);
    int white = 0;
    for (uint32_t px : c.Pixels) {
        if (px == Canvas::kPad) continue;
        // White blended over blue never goes below the background in any channel.
        ASSERT_GE(Channel(px, 16), Channel(kBlue, 16));
        ASSERT_GE(Channel(px, 8), Channel(kBlue, 8));
        ASSERT_GE(Channel(px, 0), Channel(kBlue, 0));
        white += Channel(px, 16) > 240 && Channel(px, 8) > 240 && Channel(px, 0) > 240;
    }
    EXPECT_GT(white, 50);
}

TEST(Drawing, OnlyHighQualityIsAntialiased) {
    View v(Caffeine());
    auto greyLevels = [&](bool hq) {
        Canvas c(200, 120);
        EXPECT_TRUE(v.Draw(c, {0, 0, 200, 120}, hq)) << v.Err;
        std::set<uint32_t> levels(c.Pixels.begin(), c.Pixels.end());
        levels.erase(Canvas::kPad);
        return levels.size();
    };
    EXPECT_EQ(greyLevels(false), 2u);  // background and black only
    EXPECT_GT(greyLevels(true), 10u);
}

TEST(Drawing, EmptyMoleculeShowsTheConfiguredText) {
    View blank(""), zeroAtoms(Molfile({}, {}));
    ASSERT_TRUE(blank.Ok && zeroAtoms.Ok) << blank.Err << zeroAtoms.Err;
    const Canvas text = blank.Picture();
    EXPECT_GT(text.Ink(), 40);
    EXPECT_TRUE(text == zeroAtoms.Picture());

    TveskMolConfigRecord r = DefaultMolRecord();
    std::strcpy(r.EmptyStructureText, "Keine Struktur");
    ASSERT_TRUE(blank.Configure(r)) << blank.Err;
    EXPECT_FALSE(text == blank.Picture());
    r.EmptyStructureText[0] = '\0';
    ASSERT_TRUE(blank.Configure(r)) << blank.Err;
    EXPECT_EQ(blank.Picture().Ink(), 0);
}

namespace {

// CH3-NH-CH2-OH: an inner and a terminal hetero atom, terminal and inner carbons, so that each
// mode shows another set of hydrogens.
std::string MethylaminoMethanol() {
    return Molfile(
        {{"C", 0, 0, 0}, {"N", 1.299, 0.75, 0}, {"C", 2.598, 0, 0}, {"O", 3.897, 0.75, 0}},
        {{1, 2, 1}, {2, 3, 1}, {3, 4, 1}});
}

// The picture of a molecule in a hydrogen mode.
Canvas InMode(const std::string& molfile, int mode) {
    View v(molfile);
    TveskMolConfigRecord r = DefaultMolRecord();
    r.HydrogenMode = mode;
    EXPECT_TRUE(v.Configure(r)) << v.Err;
    return v.Picture();
}

}  // namespace

TEST(Drawing, EachHydrogenModeDrawsItsOwnPicture) {
    View v(MethylaminoMethanol());
    std::vector<Canvas> pictures;
    TveskMolConfigRecord r = DefaultMolRecord();
    for (int mode = 0; mode <= 4; ++mode) {
        r.HydrogenMode = mode;
        ASSERT_TRUE(v.Configure(r)) << v.Err;
        pictures.push_back(v.Picture());
        for (int earlier = 0; earlier < mode; ++earlier)
            EXPECT_FALSE(pictures[earlier] == pictures.back()) << earlier << " vs " << mode;
    }
    r.HydrogenMode = 9;  // unknown modes draw as the default
    ASSERT_TRUE(v.Configure(r)) << v.Err;
    EXPECT_TRUE(v.Picture() == pictures[3]);

    // A new default reaches handles opened afterwards.
    const TveskMolConfigRecord saved = DefaultMolRecord();
    r.HydrogenMode = 0;
    ASSERT_TRUE(SetDefaultMolFileConfiguration(&r, nullptr, 0));
    View later(MethylaminoMethanol());
    const Canvas laterPicture = later.Picture();
    ASSERT_TRUE(SetDefaultMolFileConfiguration(&saved, nullptr, 0));
    EXPECT_TRUE(laterPicture == pictures[0]);
}

TEST(Drawing, TerminalAtomsShowTheirHydrogensWhateverTheirElement) {
    // Every hetero atom of these is terminal: terminal atoms (2) show what hetero and terminal
    // atoms (3) show: CH3 and OH, NH2, =NH.
    const std::string ethanol = Ethanol();
    const std::string ethylamine = Molfile(
        {{"C", 0, 0, 0}, {"C", 1.299, 0.75, 0}, {"N", 2.598, 0, 0}}, {{1, 2, 1}, {2, 3, 1}});
    const std::string ethanimine = Molfile(
        {{"C", 0, 0, 0}, {"C", 1.299, 0.75, 0}, {"N", 2.598, 0, 0}}, {{1, 2, 1}, {2, 3, 2}});
    for (const std::string& molecule : {ethanol, ethylamine, ethanimine}) {
        const Canvas terminal = InMode(molecule, 2);
        EXPECT_TRUE(terminal == InMode(molecule, 3));
        EXPECT_FALSE(terminal == InMode(molecule, 0));
    }
    // An inner NH stays bare at terminal atoms, unlike at hetero atoms.
    const std::string dimethylamine = Molfile(
        {{"C", 0, 0, 0}, {"N", 1.299, 0.75, 0}, {"C", 2.598, 0, 0}}, {{1, 2, 1}, {2, 3, 1}});
    EXPECT_FALSE(InMode(dimethylamine, 2) == InMode(dimethylamine, 3));
    // A lone hetero atom counts as terminal: water shows as H2O.
    const std::string water = Molfile({{"O", 0, 0, 0}}, {});
    EXPECT_TRUE(InMode(water, 2) == InMode(water, 3));
}

TEST(Drawing, LabelSizeAndMappingFollowTheRecord) {
    View v(Ethanol());
    TveskMolConfigRecord r = DefaultMolRecord();
    auto ink = [&](double size) {
        r.Fonts1to8[0].Size = size;
        EXPECT_TRUE(v.Configure(r)) << v.Err;
        return v.Picture(300, 200).Ink();
    };
    EXPECT_LT(ink(24), ink(96));

    // An atom map number (atom line columns 61-63) is drawn only with mapping on.
    std::string text = Ethanol();
    text.replace(text.find(" O ") + 30, 3, "  7");
    View mapped(text);
    const Canvas off = mapped.Picture();
    r.MappingOn = -1;
    ASSERT_TRUE(mapped.Configure(r)) << mapped.Err;
    EXPECT_FALSE(off == mapped.Picture());
}

TEST(Drawing, ThreeDimensionalAndUnkekulizableMoleculesDraw) {
    // All atoms on the z axis: drawn flat they would meet in one point.
    View line(
        Molfile({{"C", 0, 0, 0}, {"C", 0, 0, 1.5}, {"O", 0, 0, 3.0}}, {{1, 2, 1}, {2, 3, 1}}));
    ASSERT_TRUE(line.Ok) << line.Err;
    TveskRect box;
    line.Picture().Changes({0, 0, 0, 0}, &box);
    EXPECT_GT(box.Right - box.Left, 60);

    // An aromatic five-ring with a bare nitrogen cannot be kekulized.
    std::vector<Atom> ring;
    for (int i = 0; i < 5; ++i)
        ring.push_back({i == 0 ? "N" : "C", std::cos(i * 1.2566), std::sin(i * 1.2566), 0});
    View odd(Molfile(ring, {{1, 2, 4}, {2, 3, 4}, {3, 4, 4}, {4, 5, 4}, {5, 1, 4}}));
    ASSERT_TRUE(odd.Ok) << odd.Err;
    EXPECT_GT(odd.Picture().Ink(), 100);
    EXPECT_EQ(odd.Text(GetMolFileFormula), "C4H4N");
}

namespace {

// The widest run of blank columns inside the box around the ink.
int WidestGap(const Canvas& c, const TveskRect& box) {
    int widest = 0, run = 0;
    for (int x = box.Left; x < box.Right; ++x) {
        bool blank = true;
        for (int y = box.Top; y < box.Bottom && blank; ++y) blank = c.At(x, y) == c.Bg;
        run = blank ? run + 1 : 0;
        widest = std::max(widest, run);
    }
    return widest;
}

}  // namespace

TEST(Drawing, MoleculesWithoutBondsHaveTheLabelsOfOthersAndFit) {
    // Chloroethane with a level C-Cl bond and white bonds: only its Cl label leaves ink.
    View ordinary(Molfile({{"C", 0, 0.75, 0}, {"C", 1.299, 0, 0}, {"Cl", 2.799, 0, 0}},
                          {{1, 2, 1}, {2, 3, 1}}));
    TveskMolConfigRecord r = DefaultMolRecord();
    r.BondColour = 0xFFFFFF;
    ASSERT_TRUE(ordinary.Configure(r)) << ordinary.Err;

    const std::string ions = "M  CHG  2   1   1   2  -1";
    struct Case {
        const char* Name;
        std::string Molecule;
        bool TwoLabels;
    };
    const std::vector<Case> cases = {
        {"NaCl 1 apart", Molfile({{"Na", 0, 0, 0}, {"Cl", 1, 0, 0}}, {}, ions), true},
        {"NaCl on one spot", Molfile({{"Na", 0, 0, 0}, {"Cl", 0, 0, 0}}, {}, ions), true},
        {"NaCl 3 apart", Molfile({{"Na", 0, 0, 0}, {"Cl", 3, 0, 0}}, {}, ions), true},
        {"Na+", Molfile({{"Na", 0, 0, 0}}, {}, "M  CHG  1   1   1"), false}};
    // A sheet row, a small row, the default picture.
    for (auto [w, h] : {std::pair{125, 50}, std::pair{90, 30}, std::pair{200, 120}}) {
        TveskRect ref;
        ordinary.Picture(w, h).Changes({0, 0, 0, 0}, &ref);
        const int labelHeight = ref.Bottom - ref.Top;
        ASSERT_GT(labelHeight, 5);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + " in " + std::to_string(w) + " x " +
                         std::to_string(h));
            View v(c.Molecule);
            ASSERT_TRUE(v.Ok) << v.Err;
            const Canvas picture = v.Picture(w, h);
            TveskRect box;
            picture.Changes({0, 0, 0, 0}, &box);
            // Ink at the border was cut off there.
            EXPECT_GT(box.Left, 0);
            EXPECT_GT(box.Top, 0);
            EXPECT_LT(box.Right, w);
            EXPECT_LT(box.Bottom, h);
            EXPECT_NEAR(box.Bottom - box.Top, labelHeight, 0.25 * labelHeight);
            // Between Na+ and Cl- a gap, not a letter run into the other label.
            if (c.TwoLabels) {
                EXPECT_GE(WidestGap(picture, box), labelHeight / 2);
            }
        }
    }
}

TEST(Drawing, PaintedRectangleHoldsEveryPaintedPixel) {
    View v(Caffeine());
    for (bool hq : {false, true}) {
        Canvas c(300, 200);
        const TveskRect r{20, 10, 280, 190};
        ASSERT_TRUE(v.Draw(c, r, hq));
        TveskRect got{};
        ASSERT_TRUE(
            (hq ? GetMolFileRectHQ : GetMolFileRect)(v.Handle, &r, &got, v.Err, sizeof v.Err));
        TveskRect px;
        c.Changes(r, &px);
        EXPECT_LE(got.Left, px.Left);
        EXPECT_LE(got.Top, px.Top);
        EXPECT_GE(got.Right, px.Right);
        EXPECT_GE(got.Bottom, px.Bottom);
        EXPECT_LE(
            px.Left - got.Left + px.Top - got.Top + got.Right - px.Right + got.Bottom - px.Bottom,
            8);
    }
}
