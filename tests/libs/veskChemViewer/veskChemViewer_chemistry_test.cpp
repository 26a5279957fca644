// Formula, mass, composition, stoichiometry factors and reactions.

#include <cmath>

#include "ViewerTestSupport.h"

using namespace viewertest;

namespace {

std::string MassEx(View& v, int decimals) {
    char buf[64] = "";
    v.Ok = GetMolFileMassEx(v.Handle, decimals, buf, sizeof buf, v.Err, sizeof v.Err);
    return buf;
}

double Mass(View& v) {
    double m = -1;
    EXPECT_TRUE(v.Reaction ? GetRxnFileMassAsDouble(v.Handle, &m, v.Err, sizeof v.Err)
                           : GetMolFileMassAsDouble(v.Handle, &m, v.Err, sizeof v.Err));
    return m;
}

int32_t Factor(View& v, int index = -1) {
    int32_t f = -1;
    if (index < 0)
        EXPECT_TRUE(GetMolFileStoichiometryFactor(v.Handle, &f, v.Err, sizeof v.Err)) << v.Err;
    else
        v.Ok = GetRxnFileStoichiometryFactor(v.Handle, index, &f, v.Err, sizeof v.Err);
    return f;
}

// 2 H2 + O2 -> 2 H2O, each side written as whole molecules.
std::string Knallgas() {
    const std::string twoH2 =
        Molfile({{"H", 0, 0, 0}, {"H", 0.74, 0, 0}, {"H", 3, 0, 0}, {"H", 3.74, 0, 0}},
                {{1, 2, 1}, {3, 4, 1}});
    const std::string o2 = Molfile({{"O", 0, 0, 0}, {"O", 1.2, 0, 0}}, {{1, 2, 2}});
    return Rxn({twoH2, o2}, {TwoWaters()});
}

}  // namespace

TEST(Chemistry, FormulaMassAndCompositionTexts) {
    View v(Caffeine());
    EXPECT_EQ(v.Text(GetMolFileFormula), "C8H10N4O2");
    EXPECT_EQ(v.Text(GetMolFileFormulaEx), "C8H10N4O2");
    EXPECT_NEAR(Mass(v), 194.19, 0.01);
    EXPECT_EQ(v.Text(GetMolFileMass), "194.19");
    EXPECT_EQ(MassEx(v, 0), "194");
    EXPECT_EQ(MassEx(v, 4).size(), 8u);
    MassEx(v, 10);
    EXPECT_FALSE(v.Ok);
    EXPECT_EQ(Code(v.Err), VESK_VIEWER_ERR_ARGUMENT);
    EXPECT_EQ(v.Text(GetMolFileCompositionString), "C 49.48 %; H 5.19 %; N 28.85 %; O 16.48 %");

    TveskMolConfigRecord r = DefaultMolRecord();
    std::strcpy(r.DecimalSeparator, ",");
    ASSERT_TRUE(v.Configure(r)) << v.Err;
    EXPECT_EQ(v.Text(GetMolFileMass), "194,19");
    EXPECT_EQ(v.Text(GetMolFileCompositionString).substr(0, 9), "C 49,48 %");

    // A text that does not fit fails rather than being cut, and stays inside the buffer.
    char buf[16];
    std::memset(buf, '#', sizeof buf);
    EXPECT_FALSE(GetMolFileFormula(v.Handle, buf, 9, v.Err, sizeof v.Err));
    EXPECT_TRUE(std::string(v.Err).find("6, buffer too small, needs 10 bytes") == 0) << v.Err;
    EXPECT_EQ(std::string(buf, 16), std::string("\0########", 9) + "#######");
}

TEST(Chemistry, ChargesAndExplicitHydrogens) {
    View acetate(
        Molfile({{"C", 0, 0, 0}, {"C", 1.3, 0.75, 0}, {"O", 2.6, 0, 0}, {"O", 1.3, 2.25, 0}},
                {{1, 2, 1}, {2, 3, 1}, {2, 4, 2}}, "M  CHG  1   3  -1\n"));
    EXPECT_EQ(acetate.Text(GetMolFileFormula), "C2H3O2-");
    // clang-format off
    View explicitH(Molfile({{"C", 0, 0, 0}, {"O", 1.4, 0, 0}, {"H", -0.5, 0.9, 0}, {"H", -0.5, -0.9, 0},
                            {"H", -1, 0, 0}, {"H", 1.9, 0.9, 0}},
                           {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {1, 5, 1}, {2, 6, 1}}));
    // clang-format on
    View implicitH(Molfile({{"C", 0, 0, 0}, {"O", 1.4, 0, 0}}, {{1, 2, 1}}));
    EXPECT_EQ(explicitH.Text(GetMolFileFormula), "CH4O");
    EXPECT_DOUBLE_EQ(Mass(explicitH), Mass(implicitH));
    // Folded into the labels, explicit hydrogens draw like implicit ones.
    EXPECT_TRUE(explicitH.Picture() == implicitH.Picture());
}

TEST(Chemistry, MoleculeFactorCountsIdenticalCopies) {
    View water(TwoWaters());
    EXPECT_EQ(Factor(water), 2);
    EXPECT_EQ(water.Text(GetMolFileFormula), "H4O2");
    EXPECT_EQ(water.Text(GetMolFileFormulaEx), "2H2O");
    const double both = Mass(water);
    const Canvas before = water.Picture();
    ASSERT_TRUE(RemoveMolFileStoichiometryFactor(water.Handle, water.Err, sizeof water.Err))
        << water.Err;
    EXPECT_EQ(Factor(water), 1);
    EXPECT_EQ(water.Text(GetMolFileFormula), "H2O");
    EXPECT_NEAR(Mass(water), both / 2, 1e-9);
    EXPECT_FALSE(before == water.Picture());

    // Copper sulfate pentahydrate: five waters, one sulfate, so no common factor.
    std::vector<Atom> atoms{{"Cu", 0, 0, 0},   {"S", 2, 0, 0},   {"O", 1, 0.8, 0},
                            {"O", 1, -0.8, 0}, {"O", 3, 0.8, 0}, {"O", 3, -0.8, 0}};
    for (int i = 0; i < 5; ++i) atoms.push_back({"O", 6.0 + 2 * i, 0, 0});
    View vitriol(
        Molfile(atoms, {{1, 3, 1}, {1, 4, 1}, {2, 3, 1}, {2, 4, 1}, {2, 5, 2}, {2, 6, 2}}));
    EXPECT_EQ(Factor(vitriol), 1);
    EXPECT_EQ(vitriol.Text(GetMolFileFormulaEx), "CuO4S * 5H2O");
    TveskMolConfigRecord r = DefaultMolRecord();
    std::strcpy(r.FormulaSeparator, ".");
    ASSERT_TRUE(vitriol.Configure(r));
    EXPECT_EQ(vitriol.Text(GetMolFileFormulaEx), "CuO4S.5H2O");

    View empty("");
    EXPECT_EQ(Factor(empty), 0);
    EXPECT_EQ(empty.Text(GetMolFileFormula), "");
}

TEST(Reactions, FactorsFormulaMassesAndLayout) {
    View rxn(Knallgas(), true);
    ASSERT_TRUE(rxn.Ok) << rxn.Err;
    int32_t reactants = 0, products = 0;
    ASSERT_TRUE(GetRxnFileReactantCount(rxn.Handle, &reactants, rxn.Err, sizeof rxn.Err));
    ASSERT_TRUE(GetRxnFileProductCount(rxn.Handle, &products, rxn.Err, sizeof rxn.Err));
    EXPECT_EQ(reactants, 2);
    EXPECT_EQ(products, 1);
    EXPECT_EQ(Factor(rxn, 0), 2);
    EXPECT_EQ(Factor(rxn, 1), 1);
    EXPECT_EQ(Factor(rxn, 2), 2);
    EXPECT_EQ(rxn.Text(GetRxnFileFormula), "2 H2 + O2 > 2 H2O");
    EXPECT_NEAR(Mass(rxn), 36.03, 0.01);
    EXPECT_EQ(rxn.Text(GetRxnFileMass), "36.03 > 36.03");

    const Canvas before = rxn.Picture(400, 120);
    ASSERT_TRUE(SetRxnFileStoichiometryFactor(rxn.Handle, 1, 3, rxn.Err, sizeof rxn.Err))
        << rxn.Err;
    ASSERT_TRUE(RemoveRxnFileStoichiometryFactor(rxn.Handle, 0, rxn.Err, sizeof rxn.Err))
        << rxn.Err;
    EXPECT_EQ(rxn.Text(GetRxnFileFormula), "H2 + 3 O2 > 2 H2O");
    EXPECT_NEAR(Mass(rxn), 2.016 + 3 * 31.998, 0.01);
    EXPECT_FALSE(before == rxn.Picture(400, 120));

    for (auto [index, factor] : {std::pair{1, 0}, {1, 1000}, {3, 2}, {-1, 2}}) {
        EXPECT_FALSE(
            SetRxnFileStoichiometryFactor(rxn.Handle, index, factor, rxn.Err, sizeof rxn.Err));
        EXPECT_EQ(Code(rxn.Err), VESK_VIEWER_ERR_ARGUMENT);
    }
    EXPECT_EQ(Factor(rxn, 1), 3);

    // Drawn left to right: reactants, then products, inside the rectangle only.
    Canvas c(420, 140);
    const TveskRect r{10, 10, 410, 130};
    ASSERT_TRUE(rxn.Draw(c, r)) << rxn.Err;
    EXPECT_GT(c.Changes(r).first, 200);
    EXPECT_EQ(c.Changes(r).second, 0);
    EXPECT_TRUE(c.PaddingIntact());

    TveskRect whole{}, a{}, b{}, p{};
    ASSERT_TRUE(GetRxnFileRectHQ(rxn.Handle, &r, &whole, rxn.Err, sizeof rxn.Err));
    ASSERT_TRUE(GetRxnFileReactantRectHQ(rxn.Handle, &r, 0, &a, rxn.Err, sizeof rxn.Err));
    ASSERT_TRUE(GetRxnFileReactantRect(rxn.Handle, &r, 1, &b, rxn.Err, sizeof rxn.Err));
    ASSERT_TRUE(GetRxnFileProductRectHQ(rxn.Handle, &r, 0, &p, rxn.Err, sizeof rxn.Err));
    EXPECT_LE(a.Right, b.Left);
    EXPECT_LE(b.Right, p.Left);
    for (const TveskRect& part : {a, b, p}) {
        EXPECT_LT(part.Left, part.Right);
        EXPECT_GE(part.Left, whole.Left);
        EXPECT_LE(part.Right, whole.Right);
    }
    EXPECT_FALSE(GetRxnFileProductRect(rxn.Handle, &r, 1, &p, rxn.Err, sizeof rxn.Err));
    EXPECT_EQ(Code(rxn.Err), VESK_VIEWER_ERR_ARGUMENT);

    View empty("", true);
    ASSERT_TRUE(empty.Ok) << empty.Err;
    EXPECT_GT(empty.Picture().Ink(), 40);  // the empty-structure text
}

TEST(Reactions, SharedReactionFiles) {
    const std::string v2 = DataFile("rxn/amide_v2000.rxn"), v3 = DataFile("rxn/amide_v3000.rxn");
    const std::string none = DataFile("rxn/no_structure.rxn");
    if (v2.empty() || v3.empty() || none.empty()) GTEST_SKIP() << "shared reaction files missing";
    View a(ReadFile(v2), true), b(ReadFile(v3), true), c(ReadFile(none), true);
    ASSERT_TRUE(a.Ok && b.Ok && c.Ok) << a.Err << b.Err << c.Err;
    EXPECT_EQ(a.Text(GetRxnFileFormula), "CH2O2 + H3N > CH3NO");
    EXPECT_EQ(b.Text(GetRxnFileFormula), a.Text(GetRxnFileFormula));
    EXPECT_GT(c.Picture(300, 100).Ink(), 100);
}

TEST(Chemistry, PubChemFormulasAndWeights) {
    const std::string path = DataFile("pubchem_sample.sdf");
    if (path.empty()) GTEST_SKIP() << "pubchem_sample.sdf missing";
    const std::string all = ReadFile(path);
    int records = 0;
    for (size_t start = 0, end; (end = all.find("$$$$", start)) != std::string::npos;
         start = end + 5) {
        const std::string rec = all.substr(start, end - start);
        auto item = [&](const std::string& name) {
            const size_t at = rec.find("<" + name + ">");
            const size_t from = rec.find('\n', at) + 1;
            return rec.substr(from, rec.find('\n', from) - from);
        };
        View v(rec);
        ASSERT_TRUE(v.Ok) << v.Err;
        std::string formula = item("PUBCHEM_MOLECULAR_FORMULA");
        EXPECT_EQ(v.Text(GetMolFileFormula), formula) << "record " << records;
        EXPECT_NEAR(Mass(v), std::stod(item("PUBCHEM_MOLECULAR_WEIGHT")), 0.05)
            << "record " << records;
        ++records;
    }
    EXPECT_EQ(records, 245);
}

TEST(Chemistry, EveryShippedMolfileOpensOrFailsCleanly) {
    const std::string manifest = DataFile("MANIFEST.tsv");
    if (manifest.empty()) GTEST_SKIP() << "shared corpus missing";
    std::istringstream lines(ReadFile(manifest));
    int opened = 0, failed = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::string file = line.substr(0, line.find('\t'));
        if (file.rfind("malformed/", 0) != 0 && file.rfind("mol/", 0) != 0) continue;
        uintptr_t h = 0;
        char err[256];
        if (!OpenMolFile(&h, DataFile(file).c_str(), err, sizeof err)) {
            EXPECT_EQ(Code(err), VESK_VIEWER_ERR_PARSE) << file << ": " << err;
            ++failed;
            continue;
        }
        Canvas c(128, 50);
        const TveskRasterDC dc = c.Dc();
        const TveskRect r{0, 0, 128, 50};
        EXPECT_TRUE(DrawMolFileHQ(h, &dc, &r, err, sizeof err)) << file << ": " << err;
        EXPECT_TRUE(DestroyMolFile(h, err, sizeof err));
        ++opened;
    }
    EXPECT_GT(opened, 20);
    EXPECT_GT(failed, 0);
}
