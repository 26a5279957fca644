// Substructure and exact answers through the C functions.
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

using namespace searchtest;

namespace {

const std::string benzene = ring().text(), benzeneAromatic = ring(true).text();
const std::string pyridine = ring(false, "N").text();
const std::string toluene = substituted("C").text();
const std::string tolueneAromatic = substituted("C", true).text();
const std::string phenol = substituted("O").text(), aniline = substituted("N").text();
const std::string chlorobenzene = substituted("Cl").text();
const std::string ethanol = chain({"C", "C", "O"}).text();
const std::string ethanolExplicitH =
    chain({"C", "C", "O"})
        .add({{"H", -0.5, 0.9},
              {"H", -0.5, -0.9},
              {"H", 0.3, -1},
              {"H", 1.3, 1.8},
              {"H", 1.8, 1.6},
              {"H", 3.4, 0.5}},
             {{1, 4, 1}, {1, 5, 1}, {1, 6, 1}, {2, 7, 1}, {2, 8, 1}, {3, 9, 1}})
        .text();
const std::string dimethylEther = chain({"C", "O", "C"}).text();
const std::string methanol = chain({"C", "O"}).text();
const std::string methanol13C = chain({"C", "O"}).line("M  ISO  1   1  13").text();
const std::string methylamine = chain({"C", "N"}).text();
const std::string methylammonium = chain({"C", "N"}).line("M  CHG  1   2   1").text();
const std::string propane = chain({"C", "C", "C"}).text();
const std::string propene =
    Molfile().add({{"C", 0, 0}, {"C", 1, 0}, {"C", 2, 0.7}}, {{1, 2, 2}, {2, 3, 1}}).text();

// Acetic acid, as the anion alone, or as sodium salt with Na written first or last.
std::string acetic(bool anion, bool sodium = false, bool sodiumFirst = false) {
    Molfile m;
    const int o = sodium && sodiumFirst ? 1 : 0;
    if (o) m.atom("Na", 4, 0);
    m.add({{"C", 0, 0}, {"C", 1.3, 0.75}, {"O", 2.6, 0}, {"O", 1.3, 2.25}},
          {{1 + o, 2 + o, 1}, {2 + o, 3 + o, 1}, {2 + o, 4 + o, 2}});
    if (sodium && !o) m.atom("Na", 4, 0);
    char chg[40];
    std::snprintf(chg, sizeof chg, "M  CHG  2 %3d  -1 %3d   1", 3 + o, o ? 1 : 5);
    if (sodium || anion) m.line(sodium ? chg : "M  CHG  1   3  -1");
    return m.text();
}
const std::string acetate = acetic(true);

// 2-butanol with the bond to O up (1), down (6) or plain (0); or, when onH, with an
// explicit H on the centre carrying the wedge instead.
std::string butanol(int wedge, bool onH = false) {
    Molfile m;
    m.add({{"C", 0, 0}, {"C", -1.3, -0.75}, {"C", 1.3, -0.75}, {"C", 2.6, 0}, {"O", 0, 1.5}},
          {{1, 2, 1}, {1, 3, 1}, {3, 4, 1}, {1, 5, 1, onH ? 0 : wedge}});
    if (onH) m.add({{"H", 0.9, 0.9}}, {{1, 6, 1, wedge}});
    return m.text();
}
std::string butene(bool cis) {
    return Molfile()
        .add({{"C", 0, 0}, {"C", 1.3, 0}, {"C", -0.65, 1.1}, {"C", 1.95, cis ? 1.1 : -1.1}},
             {{1, 2, 2}, {1, 3, 1}, {2, 4, 1}})
        .text();
}

struct Case {
    std::string query, target;
    bool hit;
};

void expectSubstructure(const std::vector<Case>& cases) {
    Session s;
    for (const Case& c : cases)
        EXPECT_EQ(s.found(c.query, c.target), c.hit) << c.query << "in\n" << c.target;
}

TEST(SubstructureTest, QueryAtomsAndLists) {
    auto listed = [](const char* als) {
        return ring().add({{"L", 0, 2.8}}, {{1, 7, 1}}).line(als).text();
    };
    const std::string list = listed("M  ALS   7  2 F N   O   ");
    const std::string notList = listed("M  ALS   7  2 T N   O");  // trailing blanks stripped
    const std::string any = substituted("A").text(), hetero = substituted("Q").text();
    // clang-format off
    expectSubstructure({
        {any, toluene, true}, {any, phenol, true}, {any, benzene, false},
        {hetero, phenol, true}, {hetero, chlorobenzene, true}, {hetero, toluene, false},
        {list, phenol, true}, {list, aniline, true}, {list, toluene, false},
        {notList, toluene, true}, {notList, chlorobenzene, true}, {notList, phenol, false},
        {pyridine, benzene, false}, {benzene, pyridine, false}, {benzene, toluene, true}});
    // clang-format on
}

TEST(SubstructureTest, BondsAromaticityAndQueryProperties) {
    auto cc = [](int type) { return Molfile().add({{"C", 0, 0}, {"C", 1, 0}}, {{1, 2, type}}); };
    auto co = [](int type) { return Molfile().add({{"C", 0, 0}, {"O", 1, 0}}, {{1, 2, type}}); };
    Molfile cyclohexane;
    for (int i = 0; i < 6; ++i) cyclohexane.atom("C", i, i % 2).bond(i + 1, (i + 1) % 6 + 1, 1);
    const std::string methylcyclohexane = cyclohexane.add({{"C", 0, 2}}, {{1, 7, 1}}).text();
    const std::string radical = cc(1).line("M  RAD  1   1   2").text();
    const std::string threeSubstituents = ring().line("M  SUB  1   1   3").text();
    const std::string twoRingBonds = cc(1).line("M  RBC  1   1   2").text();
    const std::string unsaturated = cc(1).line("M  UNS  1   1   1").text();
    // clang-format off
    expectSubstructure({
        {benzeneAromatic, toluene, true}, {benzene, tolueneAromatic, true},
        {cyclohexane.text(), benzene, false},
        {co(8).text(), ethanol, true}, {co(8).text(), co(2).text(), true},  // any bond
        {co(1).text(), co(2).text(), false},  // a plain single bond stays single
        {cc(6).text(), benzene, true}, {cc(6).text(), propane, true},    // single or aromatic
        {cc(7).text(), propene, true}, {cc(7).text(), propane, false},   // double or aromatic
        {threeSubstituents, toluene, true}, {threeSubstituents, benzene, false},
        {twoRingBonds, methylcyclohexane, true}, {twoRingBonds, propane, false},
        {unsaturated, propene, true}, {unsaturated, propane, false},
        {radical, cc(1).text(), false}, {cc(1).text(), radical, true}});
    // clang-format on
}

TEST(SubstructureTest, HydrogensChargesIsotopesAndSalts) {
    const std::string alcoholWithH = chain({"C", "O", "H"}).text();
    const std::string ammoniumWithH =
        Molfile()
            .add({{"N", 0, 0}, {"H", 1, 0}, {"H", -0.5, 0.9}, {"H", -0.5, -0.9}},
                 {{1, 2, 1}, {1, 3, 1}, {1, 4, 1}})
            .line("M  CHG  1   1   1")
            .text();
    // clang-format off
    expectSubstructure({
        {ethanol, ethanolExplicitH, true}, {ethanolExplicitH, ethanol, true},
        {alcoholWithH, ethanol, true},
        {alcoholWithH, dimethylEther, false},  // a drawn H: the O must carry one
        {ammoniumWithH, methylammonium, true},
        {ammoniumWithH, methylamine, false},   // merging the H keeps the charge
        {methylammonium, methylamine, false}, {methylamine, methylammonium, true},
        {methanol13C, methanol, false}, {methanol, methanol13C, true},
        {acetate, acetic(false, true), true}, {acetic(false), acetic(false, true), true},
        {acetate, acetic(false), false}});
    // clang-format on
}

TEST(ExactTest, SameStructureInEveryDrawingAndNothingMore) {
    Session s;
    const std::string ethanolReordered =
        Molfile()
            .add({{"O", 2.6, 0}, {"C", 0, 0}, {"C", 1.3, 0.75}}, {{3, 1, 1}, {2, 3, 1}})
            .text();
    for (const auto& [a, b] : {std::pair{benzene, benzeneAromatic},
                               {toluene, tolueneAromatic},
                               {ethanolExplicitH, ethanol},
                               {ethanol, ethanolReordered},
                               {acetic(false, true, true), acetic(false, true)}})
        EXPECT_TRUE(s.same(a, b)) << a << "vs\n" << b;
    for (const auto& [a, b] : {std::pair{toluene, benzene},
                               {ethanol, dimethylEther},
                               {methylamine, methylammonium},
                               {methanol, methanol13C},
                               {benzene, pyridine},
                               {acetic(false, true), acetate}})
        EXPECT_FALSE(s.same(a, b)) << a << "vs\n" << b;
}

TEST(StereoTest, CountsOnlyWhenConsidered) {
    // Substructure and exact answers without and with stereo.
    struct Row {
        std::string query, target;
        int subOff, subOn, exactOff, exactOn;
    };
    const Row rows[] = {{butanol(1), butanol(6), 1, 0, 1, 0},
                        {butanol(6), butanol(6), 1, 1, 1, 1},
                        {butanol(0), butanol(6), 1, 1, 1, 0},
                        {butanol(6, true), butanol(1), 1, 1, 1, 1},  // H down = O up
                        {butanol(6, true), butanol(6), 1, 0, 1, 0},
                        {butanol(6), butanol(1, true), 1, 1, 1, 1},
                        {butene(true), butene(false), 1, 0, 1, 0},
                        {butene(false), butene(false), 1, 1, 1, 1}};
    Session s;
    for (const Row& r : rows)
        for (int on = 0; on < 2; ++on) {
            // Both entry points, and flags tested on their low byte only.
            on ? ConsiderStereoChemistry(s.compare) : ConsiderStereoChemistry2(s.compare, 0x100);
            EXPECT_EQ(s.found(r.query, r.target), (on ? r.subOn : r.subOff) == 1) << on << r.query;
            EXPECT_EQ(s.same(r.query, r.target), (on ? r.exactOn : r.exactOff) == 1)
                << on << r.query;
        }
}

// The key's equality must be ExactMatch's, pair by pair, with and without stereo.
TEST(ExactKeyTest, EqualKeysExactlyWhereExactMatchSaysSame) {
    const std::vector<std::string> mols = {benzene,
                                           benzeneAromatic,
                                           pyridine,
                                           toluene,
                                           tolueneAromatic,
                                           phenol,
                                           aniline,
                                           ethanol,
                                           ethanolExplicitH,
                                           dimethylEther,
                                           methanol,
                                           methanol13C,
                                           methylamine,
                                           methylammonium,
                                           propane,
                                           propene,
                                           acetic(false, true, true),
                                           acetic(false, true),
                                           acetate,
                                           butanol(0),
                                           butanol(1),
                                           butanol(6),
                                           butanol(6, true),
                                           butanol(1, true),
                                           butene(true),
                                           butene(false),
                                           substituted("O").text("\r\n")};
    Session s;
    for (int stereo = 0; stereo < 2; ++stereo) {
        s.stereo(stereo != 0);
        std::vector<std::string> keys;
        for (const auto& m : mols) {
            const auto [status, key] = exactKey(m, stereo != 0);
            ASSERT_EQ(status, 1) << m;
            ASSERT_FALSE(key.empty());
            keys.push_back(key);
        }
        int same = 0;
        for (std::size_t a = 0; a < mols.size(); ++a)
            for (std::size_t b = 0; b < mols.size(); ++b) {
                const bool exact = s.same(mols[a], mols[b]);
                same += exact && a != b;
                EXPECT_EQ(keys[a] == keys[b], exact) << stereo << "\n" << mols[a] << mols[b];
            }
        // Drawings that agree only without stereo must make the two settings differ.
        EXPECT_GT(same, stereo ? 10 : 20);
    }
    EXPECT_NE(exactKey(butanol(1), true).second, exactKey(butanol(6), true).second);
    EXPECT_EQ(exactKey(butanol(1), false).second, exactKey(butanol(6), false).second);
}

TEST(ExactKeyTest, EmptyUnreadableAndUnknownMolecules) {
    EXPECT_EQ(exactKey(Molfile().text(), false), std::make_pair(0, std::string()));
    EXPECT_EQ(exactKey(Molfile().text(), true), std::make_pair(0, std::string()));
    const std::string truncated =
        "x\n  t\n\n  5  4  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  0\nM  END\n";
    for (const std::string& bad : {std::string("garbage"), std::string(), truncated})
        EXPECT_EQ(exactKey(bad, false), std::make_pair(-1, std::string()));

    const uintptr_t fresh = CreateMoleculeHandle();  // holds no text yet
    const uintptr_t compare = CreateCompareHandle();
    for (uintptr_t h : {fresh, compare, uintptr_t(0), uintptr_t(0xdeadbeef)}) {
        char* key = reinterpret_cast<char*>(1);
        EXPECT_EQ(GetExactMatchKey(h, 0, &key), -1);
        EXPECT_EQ(key, nullptr);
    }
    OpenMolString(fresh, benzene.c_str());
    EXPECT_EQ(GetExactMatchKey(fresh, 0, nullptr), -1);
    char* key = nullptr;
    EXPECT_EQ(GetExactMatchKey(fresh, 0x100, &key), 1);  // flag read on its low byte
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(std::string(key), exactKey(benzene, false).second);
    std::free(key);
    DestroyMoleculeHandle(fresh);
    DestroyCompareHandle(compare);
}

TEST(EdgeMoleculeTest, EmptyAndUnreadableMoleculesAnswerNo) {
    Session s;
    const std::string empty = Molfile().text();
    const std::string truncated =
        "x\n  t\n\n  5  4  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  0\nM  END\n";
    for (const std::string& bad : {std::string("garbage"), std::string(), truncated, empty}) {
        EXPECT_FALSE(s.found(bad, benzene));
        EXPECT_FALSE(s.found(benzene, bad));
        EXPECT_FALSE(s.same(bad, bad));
    }
    EXPECT_EQ(OpenMolString(s.query, "garbage"), 0);
    EXPECT_EQ(OpenMolString(s.query, nullptr), 0);
    EXPECT_EQ(OpenMolString(s.query, empty.c_str()), 1);  // a molfile, just empty
}

TEST(EdgeMoleculeTest, FailedOpenNeverLeavesThePreviousMolecule) {
    Session s;
    ASSERT_TRUE(s.found(benzene, toluene));
    EXPECT_EQ(OpenMolString(s.target, "not a molecule"), 0);
    SetTargetMolecule(s.compare, s.target);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
    OpenMolString(s.target, toluene.c_str());
    EXPECT_EQ(OpenMolFile(s.target, "/nonexistent/zelmar.mol"), 0);
    SetTargetMolecule(s.compare, s.target);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
}

TEST(EdgeMoleculeTest, OddValencesCrLfAndV3000) {
    Session s;
    Molfile m = substituted("C");
    for (int i = 0; i < 4; ++i) m.atom("C", i - 1.5, 4.2).bond(7, 8 + i, 1);  // a C with 5 bonds
    const std::string pentavalent = m.text();
    EXPECT_TRUE(s.found(benzeneAromatic, pentavalent));
    EXPECT_FALSE(s.found(pyridine, pentavalent));
    EXPECT_TRUE(s.same(pentavalent, pentavalent));
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
