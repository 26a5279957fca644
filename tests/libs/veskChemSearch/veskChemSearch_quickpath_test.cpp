// The quick paths (screens, quick reading of plain targets) may only save time: every answer
// with them must be the answer the full comparison gives without them, on real files and on
// drawings made to trip them.
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace searchtest;

namespace {

// Switches the quick paths for one scope and back on afterwards.
struct Screens {
    explicit Screens(bool on) { UseQuickPaths(on ? 1 : 0); }
    ~Screens() { UseQuickPaths(1); }
};

// The targets under another title line: texts the library has not read yet.
std::vector<std::string> retitled(const std::vector<std::string>& targets,
                                  const std::string& title) {
    std::vector<std::string> out;
    for (const std::string& t : targets) out.push_back(title + t.substr(t.find('\n')));
    return out;
}

// Answers of every query against every target, substructure or exact.
std::vector<char> answers(const std::vector<std::string>& queries,
                          const std::vector<std::string>& targets, bool exact, bool stereo,
                          bool screened) {
    Screens screens(screened);
    Session s;
    s.stereo(stereo);
    std::vector<char> out;
    out.reserve(queries.size() * targets.size());
    for (const std::string& q : queries) {
        s.setQuery(q);
        for (const std::string& t : targets) {
            s.setTarget(t);
            out.push_back(exact ? (ExactMatch(s.compare) & 0xFF) != 0
                                : CompareMolecules(s.compare) > 0);
        }
    }
    return out;
}

void expectSameAnswers(const std::vector<std::string>& queries,
                       const std::vector<std::string>& targets, bool exact) {
    // Texts of their own for each way: the quick pass must read them itself, without stereo
    // first, then with stereo, which a reading without it cannot serve.
    const std::vector<std::string> fullTargets = retitled(targets, "full");
    const std::vector<std::string> quickTargets = retitled(targets, "quick");
    for (int stereo = 0; stereo < 2; ++stereo) {
        const std::vector<char> full = answers(queries, fullTargets, exact, stereo != 0, false);
        const std::vector<char> quick = answers(queries, quickTargets, exact, stereo != 0, true);
        ASSERT_EQ(full.size(), quick.size());
        int hits = 0;
        for (std::size_t k = 0; k < full.size(); ++k) {
            hits += full[k];
            EXPECT_EQ(quick[k], full[k])
                << (exact ? "exact" : "substructure") << " stereo " << stereo << ", query\n"
                << queries[k / targets.size()] << "target\n"
                << targets[k % targets.size()];
        }
        EXPECT_GT(hits, 0) << "the comparison found nothing to compare";
    }
}

bool loadTargets(std::initializer_list<const char*> files, std::vector<std::string>* targets) {
    for (const char* name : files) {
        std::string sd;
        if (!readData(name, &sd)) return false;
        for (std::string& m : sdMolecules(sd)) targets->push_back(std::move(m));
    }
    return true;
}

const std::string amide =
    chain({"N", "C", "O"}).atom("C", 1.3, -1.5).bond(2, 4, 1).text();  // N-C(-C)-O, O below
std::string amideDouble() {
    return Molfile()
        .add({{"N", 0, 0}, {"C", 1.3, 0.75}, {"O", 1.3, 2.25}, {"C", 2.6, 0}},
             {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}})
        .text();
}
std::string quinoline() {
    Molfile m = ring(false, "N");
    m.atom("C", 2.42, 1.4).atom("C", 3.63, 0.7).atom("C", 3.63, -0.7).atom("C", 2.42, -1.4);
    return m.bond(2, 7, 1).bond(7, 8, 2).bond(8, 9, 1).bond(9, 10, 2).bond(10, 3, 1).text();
}

TEST(QuickPathTest, SubstructureHitsUnchangedOnRealFiles) {
    std::vector<std::string> targets;
    if (!loadTargets({"pubchem_sample.sdf", "pubchem_hard_subset.sdf", "nci_aids_props.sdf",
                      "isis_sugars.sdf", "inchi_techman_samples.sdf", "cdk2_3d_explicit_h.sdf",
                      "v2000_v3000_mixed.sdf", "chiral_flag_examples.sdf", "crlf.sdf",
                      "substructure_targets.sdf", "no_data_items.sdf", "v3000_mostly_queries.sdf",
                      "v3000_enhanced_stereo.sdf", "v3000_utf8_values.sdf", "empty_molecules.sdf"},
                     &targets))
        GTEST_SKIP() << "shared test files not available";
    // Charges and isotopes, which the quick reader reads itself.
    const std::string methylammonium = chain({"C", "N"}).line("M  CHG  1   2   1").text();
    const std::string carboxylate = chain({"C", "C", "O"}).line("M  CHG  1   3  -1").text();
    const std::string carbon13 = chain({"C", "C"}).line("M  ISO  1   1  13").text();
    // Drawn hydrogens ask for hydrogen counts, which depend on how the target's went.
    const std::string hydroxyl = chain({"C", "O", "H"}).text();
    const std::string primaryAmine = chain({"C", "N", "H"}).atom("H", 1, -1).bond(2, 4, 1).text();
    const std::string imineH =
        Molfile().add({{"C", 0, 0}, {"N", 1, 0}, {"H", 2, 0.5}}, {{1, 2, 2}, {2, 3, 1}}).text();
    std::vector<std::string> queries = {methylammonium,
                                        carboxylate,
                                        carbon13,
                                        hydroxyl,
                                        primaryAmine,
                                        imineH,
                                        ring().text(),
                                        ring(true).text(),
                                        quinoline(),
                                        amideDouble(),
                                        amide,
                                        substituted("Cl", true).text(),
                                        substituted("O").text(),
                                        chain({"C", "C", "C", "C", "N"}).text()};
    std::string sd;
    if (readData("substructure_queries.sdf", &sd))
        for (std::string& m : sdMolecules(sd)) queries.push_back(std::move(m));
    for (const char* name : {"mol/query_A.mol", "mol/query_Q.mol", "mol/atom_list.mol",
                             "mol/not_atom_list.mol", "mol/chiral_crlf.mol"})
        if (std::string q; readData(name, &q)) queries.push_back(q);
    // Real molecules as queries: stereo centres, charges, salts and explicit hydrogens.
    for (std::size_t k = 0; k < targets.size(); k += 211) queries.push_back(targets[k]);
    expectSameAnswers(queries, targets, false);
}

TEST(QuickPathTest, ExactHitsUnchangedOnRealFiles) {
    std::vector<std::string> targets;
    if (!loadTargets({"pubchem_3d_conformers.sdf", "nci_3d.sdf", "chiral_flag_examples.sdf",
                      "v2000_v3000_mixed.sdf", "inchi_techman_samples.sdf",
                      "cdk2_3d_explicit_h.sdf", "pubchem_hard_subset.sdf"},
                     &targets))
        GTEST_SKIP() << "shared test files not available";
    std::vector<std::string> queries;
    for (std::size_t k = 0; k < targets.size(); k += 23) queries.push_back(targets[k]);
    expectSameAnswers(queries, targets, true);
}

// Drawings where a text-level reading could go wrong: bonds and charges that reading the
// molecule changes, charge written in the atom block or the property block, hydrogens
// drawn on either side. Each must be found, with and without screens.
TEST(QuickPathTest, FoundWhereReadingChangesWhatTheTextDraws) {
    const std::string aromaticFive = [] {
        Molfile m;
        for (int i = 0; i < 5; ++i) m.atom("C", i, i % 2);
        for (int i = 0; i < 5; ++i) m.bond(i + 1, (i + 1) % 5 + 1, 4);
        return m.text();
    }();
    // Cyclopentadienide: its saturated-looking carbon carries the charge.
    auto cyclopentadienide = [](bool chargeInAtomBlock) {
        Molfile m;
        for (int i = 0; i < 5; ++i) m.atom("C", i, i % 2);
        m.bond(1, 2, 2).bond(2, 3, 1).bond(3, 4, 2).bond(4, 5, 1).bond(5, 1, 1);
        if (!chargeInAtomBlock) return m.line("M  CHG  1   5  -1").text();
        std::string text = m.text();
        // Charge column 5 means -1; it is the fifth atom line's first field after the symbol.
        std::size_t line = 0;
        for (int k = 0; k < 8; ++k) line = text.find('\n', line) + 1;
        text[line + 36 + 2] = '5';
        return text;
    };
    // The same in V3000, charge among the atom's keywords.
    const std::string cyclopentadienideV3000 =
        "\n  Zelmar\n\n  0  0  0     0  0            999 V3000\n"
        "M  V30 BEGIN CTAB\nM  V30 COUNTS 5 5 0 0 0\nM  V30 BEGIN ATOM\n"
        "M  V30 1 C 0 0 0 0\nM  V30 2 C 1 1 0 0\nM  V30 3 C 2 0 0 0\nM  V30 4 C 3 1 0 0\n"
        "M  V30 5 C 4 0 0 0 -\nM  V30 CHG=-1\nM  V30 END ATOM\nM  V30 BEGIN BOND\n"
        "M  V30 1 2 1 2\nM  V30 2 1 2 3\nM  V30 3 2 3 4\nM  V30 4 1 4 5\nM  V30 5 1 5 1\n"
        "M  V30 END BOND\nM  V30 END CTAB\nM  END\n";
    const std::string azide = Molfile()
                                  .add({{"C", 0, 0}, {"N", 1, 0}, {"N", 2, 0}, {"N", 3, 0}},
                                       {{1, 2, 1}, {2, 3, 2}, {3, 4, 2}})
                                  .text();
    std::string azideTriple = Molfile()
                                  .add({{"C", 0, 0}, {"N", 1, 0}, {"N", 2, 0}, {"N", 3, 0}},
                                       {{1, 2, 1}, {2, 3, 2}, {3, 4, 3}})
                                  .text();
    const std::string nnDouble =
        Molfile().add({{"N", 0, 0}, {"N", 1, 0}, {"N", 2, 0}}, {{1, 2, 2}, {2, 3, 2}}).text();
    const std::string nitroDrawnDouble =
        Molfile()
            .add({{"C", 0, 0}, {"N", 1, 0}, {"O", 2, 0.7}, {"O", 2, -0.7}},
                 {{1, 2, 1}, {2, 3, 2}, {2, 4, 2}})
            .text();
    const std::string nitrogenOxygenSingle = chain({"C", "N", "O"}).text();
    const std::string benzeneWithExplicitH = [] {
        Molfile m = ring();
        for (int i = 0; i < 6; ++i) m.atom("H", i, 3).bond(i + 1, 7 + i, 1);
        return m.text();
    }();
    const std::string phenolDrawnH = substituted("O").atom("H", 0, 4).bond(7, 8, 1).text();

    struct Pair {
        const char* name;
        std::string query, target;
    };
    const std::vector<Pair> pairs = {
        {"charged ring carbon, property block", aromaticFive, cyclopentadienide(false)},
        {"charged ring carbon, atom block", aromaticFive, cyclopentadienide(true)},
        {"charged ring carbon, V3000 keyword on a continued line", aromaticFive,
         cyclopentadienideV3000},
        {"azide triple bond read as double", nnDouble, azideTriple},
        {"azide chain", azide, azideTriple},
        {"nitro double bond read as single", nitrogenOxygenSingle, nitroDrawnDouble},
        {"explicit hydrogens in the target", ring(true).text(), benzeneWithExplicitH},
        {"drawn hydrogen in the query", phenolDrawnH, substituted("O", true).text()},
        {"aromatic bonds drawn in the target", ring().text(), ring(true).text()},
    };
    for (const bool screened : {false, true}) {
        Screens screens(screened);
        Session s;
        for (const Pair& p : pairs)
            EXPECT_TRUE(s.found(p.query, p.target)) << p.name << (screened ? ", screened" : "");
    }
}

// What the quick reader reads itself must be what the full reading gives: charges from either
// block, isotopes, and what clean-up makes of a nitro group.
TEST(QuickPathTest, QuickReadingKeepsChargesAndIsotopes) {
    const std::string c13 = chain({"C", "C"}).line("M  ISO  1   1  13").text();
    const std::string ethanol13 = chain({"C", "C", "O"}).line("M  ISO  1   1  13").text();
    const std::string ethanol = chain({"C", "C", "O"}).text();
    const std::string ammonium = chain({"C", "N"}).line("M  CHG  1   2   1").text();
    std::string ammoniumInBlock = chain({"C", "N"}).text();
    // Second atom line, charge column: code 3 is +1.
    std::size_t line = 0;
    for (int k = 0; k < 5; ++k) line = ammoniumInBlock.find('\n', line) + 1;
    ammoniumInBlock[line + 38] = '3';
    const std::string amine = chain({"C", "N"}).text();
    // A charge line replaces the atom block's charges, also those on atoms it does not name.
    const std::string carbonCharged = chain({"C", "N"}).line("M  CHG  1   1   1").text();
    std::string bothBlocks = carbonCharged;
    line = 0;
    for (int k = 0; k < 5; ++k) line = bothBlocks.find('\n', line) + 1;
    bothBlocks[line + 38] = '3';
    const std::string nitroCharged =
        Molfile()
            .add({{"C", 0, 0}, {"N", 1, 0}, {"O", 2, 0.7}, {"O", 2, -0.7}},
                 {{1, 2, 1}, {2, 3, 2}, {2, 4, 1}})
            .line("M  CHG  2   2   1   4  -1")
            .text();
    const std::string nitroDrawnDouble =
        Molfile()
            .add({{"C", 0, 0}, {"N", 1, 0}, {"O", 2, 0.7}, {"O", 2, -0.7}},
                 {{1, 2, 1}, {2, 3, 2}, {2, 4, 2}})
            .text();
    struct Expect {
        std::string query, target;
        bool hit;
    };
    const std::vector<Expect> cases = {
        {c13, ethanol13, true},        {c13, ethanol, false},
        {ammonium, ammonium, true},    {ammonium, ammoniumInBlock, true},
        {ammonium, amine, false},      {nitroCharged, nitroDrawnDouble, true},
        {ammonium, bothBlocks, false}, {carbonCharged, bothBlocks, true},
    };
    for (const bool quick : {false, true}) {
        Screens screens(quick);
        Session s;
        for (std::size_t n = 0; n < cases.size(); ++n) {
            // A fresh title per way, so that each reads the target itself.
            const std::string target = (quick ? "quick" : "full") + cases[n].target.substr(4);
            EXPECT_EQ(s.found(cases[n].query, target), cases[n].hit)
                << "case " << n << (quick ? " quick" : "");
        }
    }
}

TEST(QuickPathTest, SwitchReportsThePreviousSetting) {
    EXPECT_EQ(UseQuickPaths(0), 1);
    EXPECT_EQ(UseQuickPaths(0x100), 0);  // only the low byte counts: still off
    EXPECT_EQ(UseQuickPaths(1), 0);
    EXPECT_EQ(UseQuickPaths(1), 1);
}

}  // namespace
