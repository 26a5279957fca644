// Substructure and exact answers through the C functions.
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

using namespace searchtest;

namespace {

const std::string benzene = ring().text();
const std::string benzeneAromatic = ring(true).text();
const std::string pyridine = ring(false, "N").text();
const std::string toluene = substituted("C").text();
const std::string tolueneAromatic = substituted("C", true).text();
const std::string phenol = substituted("O").text();
const std::string aniline = substituted("N").text();
const std::string chlorobenzene = substituted("Cl").text();

const std::string ethanol = Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75).atom("O", 2.6, 0)
                                .bond(1, 2, 1).bond(2, 3, 1).text();
const std::string ethanolExplicitH =
    Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75).atom("O", 2.6, 0)
        .atom("H", -0.5, 0.9).atom("H", -0.5, -0.9).atom("H", 0.4, -1).atom("H", 1.3, 1.8)
        .atom("H", 1.8, 1.6).atom("H", 3.4, 0.5)
        .bond(1, 2, 1).bond(2, 3, 1).bond(1, 4, 1).bond(1, 5, 1).bond(1, 6, 1).bond(2, 7, 1)
        .bond(2, 8, 1).bond(3, 9, 1).text();
const std::string dimethylEther = Molfile().atom("C", 0, 0).atom("O", 1.3, 0.75).atom("C", 2.6, 0)
                                      .bond(1, 2, 1).bond(2, 3, 1).text();
const std::string formaldehyde = Molfile().atom("C", 0, 0).atom("O", 1.3, 0).bond(1, 2, 2).text();
const std::string methylamine = Molfile().atom("C", 0, 0).atom("N", 1.3, 0).bond(1, 2, 1).text();
const std::string methylammonium =
    Molfile().atom("C", 0, 0).atom("N", 1.3, 0).bond(1, 2, 1).charge(2, 1).text();
const std::string methanol = Molfile().atom("C", 0, 0).atom("O", 1.3, 0).bond(1, 2, 1).text();
const std::string methanol13C =
    Molfile().atom("C", 0, 0).atom("O", 1.3, 0).bond(1, 2, 1).isotope(1, 13).text();
const std::string emptyMolecule = Molfile().text();

// 2-butanol with its centre drawn up (1) or down (6) toward O, or undefined (0).
std::string butanol(int wedge) {
    return Molfile().atom("C", 0, 0).atom("C", -1.3, -0.75).atom("C", 1.3, -0.75)
        .atom("C", 2.6, 0).atom("O", 0, 1.5)
        .bond(1, 2, 1).bond(1, 3, 1).bond(3, 4, 1).bond(1, 5, 1, wedge).text();
}
std::string butene(bool cis) {
    return Molfile().atom("C", 0, 0).atom("C", 1.3, 0).atom("C", -0.65, 1.1)
        .atom("C", 1.95, cis ? 1.1 : -1.1)
        .bond(1, 2, 2).bond(1, 3, 1).bond(2, 4, 1).text();
}
// Sodium acetate, sodium written first or last.
std::string sodiumAcetate(bool sodiumFirst) {
    Molfile m;
    int o = sodiumFirst ? 1 : 0;
    if (sodiumFirst) m.atom("Na", 4, 0);
    m.atom("C", 0, 0).atom("C", 1.3, 0.75).atom("O", 2.6, 0).atom("O", 1.3, 2.25);
    if (!sodiumFirst) m.atom("Na", 4, 0);
    return m.bond(1 + o, 2 + o, 1).bond(2 + o, 3 + o, 1).bond(2 + o, 4 + o, 2)
        .charge(3 + o, -1).charge(sodiumFirst ? 1 : 5, 1).text();
}

TEST(SubstructureTest, QueryAtomsAndListsFollowTheirMeaning) {
    Session s;
    const std::string anyAtom = substituted("A").text();
    const std::string hetero = substituted("Q").text();
    const std::string list = ring().atom("L", 0, 2.8).bond(1, 7, 1).list(7, {"N", "O"}).text();
    const std::string notList =
        ring().atom("L", 0, 2.8).bond(1, 7, 1).list(7, {"N", "O"}, true).text();
    struct Case { const std::string* query; const std::string* target; bool hit; };
    const Case cases[] = {
        {&anyAtom, &toluene, true},   {&anyAtom, &phenol, true},  {&anyAtom, &benzene, false},
        {&hetero, &phenol, true},     {&hetero, &chlorobenzene, true}, {&hetero, &toluene, false},
        {&list, &phenol, true},       {&list, &aniline, true},    {&list, &toluene, false},
        {&notList, &toluene, true},   {&notList, &chlorobenzene, true}, {&notList, &phenol, false},
        {&pyridine, &benzene, false}, {&benzene, &pyridine, false}, {&benzene, &toluene, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(s.found(*c.query, *c.target), c.hit) << *c.query << "in\n" << *c.target;
}

TEST(SubstructureTest, BondKindsAndAromaticityAgreeAcrossDrawings) {
    Session s;
    const std::string anyBond = Molfile().atom("C", 0, 0).atom("O", 1.3, 0).bond(1, 2, 8).text();
    Molfile hexane;
    for (int i = 0; i < 6; ++i) hexane.atom("C", i, 0);
    for (int i = 0; i < 6; ++i) hexane.bond(i + 1, (i + 1) % 6 + 1, 1);
    EXPECT_TRUE(s.found(benzeneAromatic, toluene));       // type 4 query, Kekule target
    EXPECT_TRUE(s.found(benzene, tolueneAromatic));       // Kekule query, type 4 target
    EXPECT_TRUE(s.found(anyBond, ethanol));
    EXPECT_TRUE(s.found(anyBond, formaldehyde));
    EXPECT_FALSE(s.found(methanol, formaldehyde));        // a plain single bond stays single
    EXPECT_FALSE(s.found(hexane.text(), benzene));        // saturated ring is not aromatic
}

TEST(SubstructureTest, HydrogensChargesAndIsotopes) {
    Session s;
    const std::string alcoholWithH =
        Molfile().atom("C", 0, 0).atom("O", 1.3, 0).atom("H", 2.2, 0.5).bond(1, 2, 1).bond(2, 3, 1).text();
    const std::string ammoniumWithH = Molfile().atom("N", 0, 0).atom("H", 1, 0).atom("H", -0.5, 0.9)
        .atom("H", -0.5, -0.9).bond(1, 2, 1).bond(1, 3, 1).bond(1, 4, 1).charge(1, 1).text();
    EXPECT_TRUE(s.found(ethanol, ethanolExplicitH));   // explicit H in the target do not hinder
    EXPECT_TRUE(s.found(ethanolExplicitH, ethanol));   // nor in the query
    EXPECT_TRUE(s.found(alcoholWithH, ethanol));
    EXPECT_FALSE(s.found(alcoholWithH, dimethylEther)); // drawn H: the O must carry one
    EXPECT_TRUE(s.found(ammoniumWithH, methylammonium));
    EXPECT_FALSE(s.found(ammoniumWithH, methylamine));  // merging the H keeps the charge
    EXPECT_FALSE(s.found(methylammonium, methylamine));
    EXPECT_TRUE(s.found(methylamine, methylammonium));  // an uncharged atom matches any charge
    EXPECT_FALSE(s.found(methanol13C, methanol));
    EXPECT_TRUE(s.found(methanol, methanol13C));
    EXPECT_TRUE(s.found(Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75).atom("O", 2.6, 0)
                            .atom("O", 1.3, 2.25).bond(1, 2, 1).bond(2, 3, 1).bond(2, 4, 2).text(),
                        sodiumAcetate(true)));
}

TEST(SubstructureTest, StereoCountsOnlyWhenConsidered) {
    Session s;
    const std::string r = butanol(1), sOpposite = butanol(6), undefined = butanol(0);
    EXPECT_TRUE(s.found(r, sOpposite));
    s.stereo(true);
    EXPECT_FALSE(s.found(r, sOpposite));
    EXPECT_TRUE(s.found(r, r));
    EXPECT_TRUE(s.found(undefined, sOpposite));
    ConsiderStereoChemistry2(s.compare, 0x100);  // only the low byte counts
    EXPECT_TRUE(s.found(r, sOpposite));
    ConsiderStereoChemistry(s.compare);
    EXPECT_FALSE(s.found(r, sOpposite));
}

TEST(ExactTest, SameStructureInEveryDrawing) {
    Session s;
    EXPECT_TRUE(s.same(benzene, benzeneAromatic));
    EXPECT_TRUE(s.same(toluene, tolueneAromatic));
    EXPECT_TRUE(s.same(ethanol, ethanolExplicitH));
    EXPECT_TRUE(s.same(ethanolExplicitH, ethanol));
    EXPECT_TRUE(s.same(sodiumAcetate(true), sodiumAcetate(false)));
    EXPECT_TRUE(s.same(ethanol, Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75).atom("O", 2.6, 0)
                                    .bond(2, 3, 1).bond(1, 2, 1).text()));
}

TEST(ExactTest, DifferencesThatCount) {
    Session s;
    EXPECT_FALSE(s.same(benzene, toluene));
    EXPECT_FALSE(s.same(toluene, benzene));
    EXPECT_FALSE(s.same(ethanol, dimethylEther));
    EXPECT_FALSE(s.same(methylamine, methylammonium));
    EXPECT_FALSE(s.same(methanol, methanol13C));
    EXPECT_FALSE(s.same(benzene, pyridine));
    EXPECT_FALSE(s.same(sodiumAcetate(true), Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75)
                             .atom("O", 2.6, 0).atom("O", 1.3, 2.25).bond(1, 2, 1).bond(2, 3, 1)
                             .bond(2, 4, 2).text()));
}

TEST(ExactTest, StereoOfCentresAndDoubleBonds) {
    Session s;
    EXPECT_TRUE(s.same(butanol(1), butanol(6)));
    EXPECT_TRUE(s.same(butene(true), butene(false)));
    s.stereo(true);
    EXPECT_FALSE(s.same(butanol(1), butanol(6)));
    EXPECT_TRUE(s.same(butanol(6), butanol(6)));
    EXPECT_FALSE(s.same(butanol(1), butanol(0)));
    EXPECT_FALSE(s.same(butene(true), butene(false)));
    EXPECT_TRUE(s.same(butene(false), butene(false)));
}

TEST(EdgeMoleculeTest, EmptyAndUnreadableMoleculesAnswerNo) {
    Session s;
    const std::string truncated = "x\n  t\n\n  5  4  0  0  0  0  0  0  0  0999 V2000\n"
                                  "    0.0000    0.0000    0.0000 C   0  0\nM  END\n";
    for (const std::string& bad : {std::string("garbage"), std::string(), truncated, emptyMolecule}) {
        EXPECT_FALSE(s.found(bad, benzene));
        EXPECT_FALSE(s.found(benzene, bad));
        EXPECT_FALSE(s.same(bad, bad));
        EXPECT_FALSE(s.same(benzene, bad));
    }
    EXPECT_EQ(OpenMolString(s.query, "garbage"), 0);
    EXPECT_EQ(OpenMolString(s.query, nullptr), 0);
    EXPECT_EQ(OpenMolString(s.query, emptyMolecule.c_str()), 1);  // a molfile, just empty
}

TEST(EdgeMoleculeTest, FailedOpenNeverLeavesThePreviousMolecule) {
    Session s;
    ASSERT_TRUE(s.found(benzene, toluene));
    EXPECT_EQ(OpenMolString(s.target, "not a molecule"), 0);
    SetTargetMolecule(s.compare, s.target);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
    EXPECT_EQ(OpenMolFile(s.target, "/nonexistent/zelmar.mol"), 0);
    SetTargetMolecule(s.compare, s.target);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
}

TEST(EdgeMoleculeTest, MoleculesWithOddValencesAreStillSearched) {
    Session s;
    Molfile m = ring().atom("C", 0, 2.8).bond(1, 7, 1);
    for (int i = 0; i < 4; ++i) m.atom("C", i - 1.5, 4.2).bond(7, 8 + i, 1);  // carbon with 5 bonds
    const std::string pentavalent = m.text();
    EXPECT_TRUE(s.found(benzeneAromatic, pentavalent));
    EXPECT_TRUE(s.found(toluene, pentavalent));
    EXPECT_FALSE(s.found(pyridine, pentavalent));
    EXPECT_TRUE(s.same(pentavalent, pentavalent));
}

TEST(EdgeMoleculeTest, CrLfAndV3000TextsReadAlike) {
    Session s;
    const std::string v3000 =
        "\n  Zelmar\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 3 2 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 2 C 1.3 0.75 0 0\n"
        "M  V30 3 O 2.6 0 0 0\nM  V30 END ATOM\nM  V30 BEGIN BOND\nM  V30 1 1 1 2\nM  V30 2 1 2 3\n"
        "M  V30 END BOND\nM  V30 END CTAB\nM  END\n";
    EXPECT_TRUE(s.found(substituted("O").text("\r\n"), phenol));
    EXPECT_TRUE(s.same(phenol, substituted("O").text("\r\n")));
    EXPECT_TRUE(s.same(v3000, ethanol));
    EXPECT_TRUE(s.found(methanol, v3000));
}

}  // namespace
