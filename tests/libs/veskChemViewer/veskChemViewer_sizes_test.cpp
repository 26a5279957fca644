// Pictures at a set bond length: measured from the drawn pixels, across molecules, cell sizes
// and the lengths molfiles give their bonds.

#include <cmath>

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {

// A zigzag chain of n carbons whose bonds are bond units long, ending in last.
std::string Chain(int n, double bond, const char* last = "C") {
    std::vector<Atom> atoms;
    std::vector<Bond> bonds;
    for (int i = 0; i < n; ++i) {
        atoms.push_back({i == n - 1 ? last : "C", i * bond * 0.866, (i % 2) * bond * 0.5, 0});
        if (i > 0) bonds.push_back({i, i + 1, 1});
    }
    return Molfile(atoms, bonds);
}

// Carbons without labels: a chain's ink is its bonds alone.
TveskMolConfigRecord NoHydrogens() {
    TveskMolConfigRecord r = DefaultMolRecord();
    r.HydrogenMode = 0;
    return r;
}

struct Ink {
    TveskRect Box;
    int Width() const { return Box.Right - Box.Left; }
    int Height() const { return Box.Bottom - Box.Top; }
};

Ink InkOf(const Canvas& c) {
    Ink ink;
    c.Changes({0, 0, 0, 0}, &ink.Box);
    return ink;
}

class SizedView : public View {
public:
    SizedView(const std::string& molfile, const TveskMolConfigRecord& record) : View(molfile) {
        EXPECT_TRUE(Ok) << Err;
        EXPECT_TRUE(Configure(record)) << Err;
    }
    bool Sizes(double bond, double minLabel = 0, double lineWidth = 0) {
        return SetMolFileDrawSizes(Handle, bond, minLabel, lineWidth, Err, sizeof Err);
    }
};

}  // namespace

TEST(DrawSizes, ChainsOfAnyLengthShareTheBondLengthInEveryCell) {
    const TveskMolConfigRecord record = NoHydrogens();
    for (double bond : {14.0, 30.0}) {
        for (auto [w, h] : {std::pair{300, 120}, std::pair{420, 200}}) {
            // Chains written with the depiction's bonds and with short ones, as many files have.
            for (double units : {1.5, 0.825}) {
                SCOPED_TRACE(std::to_string(bond) + " px in " + std::to_string(w) + " x " +
                             std::to_string(h) + ", bonds of " + std::to_string(units));
                SizedView ethane(Chain(2, units), record), hexane(Chain(6, units), record);
                ASSERT_TRUE(ethane.Sizes(bond)) << ethane.Err;
                ASSERT_TRUE(hexane.Sizes(bond)) << hexane.Err;
                const Ink two = InkOf(ethane.Picture(w, h));
                const Ink six = InkOf(hexane.Picture(w, h));
                // Four bonds more, each 0.866 of its length across; line ends cancel out.
                EXPECT_NEAR(six.Width() - two.Width(), 4 * 0.866 * bond, 2.0);
                EXPECT_NEAR(six.Height() - two.Height(), 0, 1.0);
                EXPECT_NEAR(two.Width(), 0.866 * bond, 3.0);
                // Small pictures stay in the middle of the cell.
                EXPECT_NEAR(two.Box.Left + two.Box.Right, w, 2.0);
                EXPECT_NEAR(two.Box.Top + two.Box.Bottom, h, 2.0);
            }
        }
    }
}

TEST(DrawSizes, LabelsFollowTheBondNotTheFileAndLoneAtomsMatchThem) {
    // Ethanol's OH (the only ink with white bonds) written at two bond lengths.
    TveskMolConfigRecord record = DefaultMolRecord();
    record.BondColour = 0xFFFFFF;
    SizedView ethanol(Chain(3, 1.5, "O"), record), shortBonds(Chain(3, 0.825, "O"), record),
        water(Molfile({{"O", 0, 0, 0}}, {}), record);
    for (SizedView* v : {&ethanol, &shortBonds, &water}) ASSERT_TRUE(v->Sizes(40)) << v->Err;
    const Ink oh = InkOf(ethanol.Picture(300, 200));
    EXPECT_GT(oh.Height(), 10);
    EXPECT_NEAR(InkOf(shortBonds.Picture(300, 200)).Height(), oh.Height(), 1.0);
    // Water's H2O has the subscript below the line the OH does not have.
    const Ink h2o = InkOf(water.Picture(300, 200));
    EXPECT_NEAR(h2o.Height(), oh.Height(), 0.35 * oh.Height());
    EXPECT_LT(h2o.Width(), 100);

    // Labels grow with the bond length.
    ASSERT_TRUE(ethanol.Sizes(80)) << ethanol.Err;
    EXPECT_NEAR(InkOf(ethanol.Picture(400, 300)).Height(), 2.0 * oh.Height(), 0.25 * oh.Height());
}

TEST(DrawSizes, LargeMoleculesShrinkToFitWithLabelsAtTheirSmallestSize) {
    TveskMolConfigRecord record = DefaultMolRecord();
    SizedView chain(Chain(30, 1.5, "O"), record);
    const Canvas fitted = chain.Picture(200, 60);
    ASSERT_TRUE(chain.Sizes(20)) << chain.Err;
    // Thirty bonds of 20 pixels do not fit: the picture is the one fitted to the cell.
    const Ink all = InkOf(chain.Picture(200, 60));
    const Ink fit = InkOf(fitted);
    EXPECT_GT(all.Width(), 180);
    EXPECT_GT(all.Box.Left, 0);
    EXPECT_LT(all.Box.Right, 200);
    EXPECT_NEAR(all.Width(), fit.Width(), 2);
    EXPECT_NEAR(all.Height(), fit.Height(), 2);

    // Only the OH left in ink: tiny when shrunk, at least the smallest label size when set.
    record.BondColour = 0xFFFFFF;
    ASSERT_TRUE(chain.Configure(record)) << chain.Err;
    const int tiny = InkOf(chain.Picture(200, 60)).Height();
    ASSERT_TRUE(chain.Sizes(20, 12)) << chain.Err;
    const Ink label = InkOf(chain.Picture(200, 60));
    EXPECT_LT(tiny, 7);
    // Capitals are about 0.73 of the font size.
    EXPECT_GE(label.Height(), 8);
    // Held at that size the label still fits: the bonds gave way.
    EXPECT_LT(label.Box.Right, 200);
}

TEST(DrawSizes, SizesAreCheckedKeptAcrossConfigurationsAndUndone) {
    const TveskMolConfigRecord record = NoHydrogens();
    SizedView hexane(Chain(6, 1.5), record);
    const Canvas fitted = hexane.Picture(300, 120);
    ASSERT_TRUE(hexane.Sizes(20, 0, 6)) << hexane.Err;
    EXPECT_STREQ(hexane.Err, "");
    ASSERT_TRUE(hexane.Configure(record)) << hexane.Err;
    const Canvas sized = hexane.Picture(300, 120);
    EXPECT_NEAR(InkOf(sized).Width(), 5 * 0.866 * 20, 7.0);
    // Thicker lines: more ink than the same bonds at the default width.
    ASSERT_TRUE(hexane.Sizes(20)) << hexane.Err;
    EXPECT_GT(sized.Ink(), 2 * hexane.Picture(300, 120).Ink());

    const double nan = std::nan("");
    for (auto [bond, label, line] : {std::tuple{-1.0, 0.0, 0.0}, std::tuple{0.0, 5000.0, 0.0},
                                     std::tuple{0.0, 0.0, nan}, std::tuple{nan, 0.0, 0.0}}) {
        EXPECT_FALSE(hexane.Sizes(bond, label, line));
        EXPECT_EQ(Code(hexane.Err), VESK_VIEWER_ERR_ARGUMENT) << hexane.Err;
    }
    // A refused call keeps what was set.
    EXPECT_FALSE(hexane.Picture(300, 120) == fitted);
    ASSERT_TRUE(hexane.Sizes(0)) << hexane.Err;
    EXPECT_TRUE(hexane.Picture(300, 120) == fitted);

    View reaction(Rxn({Ethanol()}, {Ethanol()}), true);
    char err[256];
    EXPECT_FALSE(SetMolFileDrawSizes(reaction.Handle, 20, 0, 0, err, sizeof err));
    EXPECT_EQ(Code(err), VESK_VIEWER_ERR_HANDLE) << err;
    EXPECT_FALSE(SetMolFileDrawSizes(0, 20, 0, 0, err, sizeof err));
    EXPECT_EQ(Code(err), VESK_VIEWER_ERR_HANDLE) << err;
}
