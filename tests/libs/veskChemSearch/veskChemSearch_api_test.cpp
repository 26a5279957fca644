// Handles, files, highlighting, reactions and concurrent use of the C functions.
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace searchtest;

namespace {

const std::string phenol = substituted("O").text();
const std::string toluene = substituted("C").text();
const std::string benzene = ring().text();

TEST(HandleTest, UnknownStaleAndWrongKindHandlesAreHarmless) {
    uintptr_t mol = CreateMoleculeHandle();
    uintptr_t cmp = CreateCompareHandle();
    ASSERT_NE(mol, 0u);
    ASSERT_NE(cmp, 0u);
    EXPECT_NE(mol, cmp);
    EXPECT_EQ(CompareMolecules(cmp), -1);  // nothing set yet
    EXPECT_EQ(CompareMolecules(0), -1);
    EXPECT_EQ(CompareMolecules(mol), -1);  // a molecule handle is no compare handle
    EXPECT_EQ(OpenMolString(cmp, benzene.c_str()), 0);
    EXPECT_EQ(SetQueryMolecule(cmp, cmp), 0);
    EXPECT_EQ(ExactMatch(0xdeadbeef), 0);
    EXPECT_EQ(ConsiderStereoChemistry2(0, 1), 0);
    EXPECT_EQ(SetQueryHighlighting(0, 1), 0);
    char* text = reinterpret_cast<char*>(1);
    EXPECT_EQ(GetHighlightedMolecule(0, &text), 0);
    EXPECT_EQ(text, nullptr);

    // A compare handle keeps its molecules when the molecule handle goes away.
    ASSERT_EQ(OpenMolString(mol, benzene.c_str()), 1);
    ASSERT_EQ(SetQueryMolecule(cmp, mol), 1);
    ASSERT_EQ(SetTargetMolecule(cmp, mol), 1);
    EXPECT_EQ(DestroyMoleculeHandle(mol), 1);
    EXPECT_EQ(DestroyMoleculeHandle(mol), 0);
    EXPECT_EQ(CompareMolecules(cmp), 1);
    EXPECT_EQ(OpenMolString(mol, toluene.c_str()), 0);
    // Setting a destroyed molecule clears the slot instead of keeping the old one.
    EXPECT_EQ(SetTargetMolecule(cmp, mol), 0);
    EXPECT_EQ(CompareMolecules(cmp), -1);
    EXPECT_EQ(DestroyCompareHandle(cmp), 1);
    EXPECT_EQ(DestroyCompareHandle(cmp), 0);
    EXPECT_EQ(CompareMolecules(cmp), -1);
}

TEST(HandleTest, NewMoleculeHandleHoldsNothingReadable) {
    Session s;
    SetQueryMolecule(s.compare, s.query);
    s.setTarget(benzene);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
    EXPECT_EQ(ExactMatch(s.compare), 0);
}

TEST(FileTest, OpenMolFileReadsMolfiles) {
    Session s;
    const auto path = std::filesystem::temp_directory_path() /
                      ("zelmar_search_" + std::to_string(::getpid()) + ".mol");
    { std::ofstream(path, std::ios::binary) << phenol; }
    EXPECT_EQ(OpenMolFile(s.query, path.c_str()), 1);
    SetQueryMolecule(s.compare, s.query);
    s.setTarget(phenol);
    EXPECT_EQ(ExactMatch(s.compare), 1);
    std::filesystem::remove(path);
    EXPECT_EQ(OpenMolFile(s.query, path.c_str()), 0);
    EXPECT_EQ(OpenMolFile(s.query, std::filesystem::temp_directory_path().c_str()), 0);
    EXPECT_EQ(OpenMolFile(s.query, nullptr), 0);
    SetQueryMolecule(s.compare, s.query);
    EXPECT_EQ(ExactMatch(s.compare), 0);
}

TEST(FileTest, SharedQueryMolfiles) {
    Session s;
    if (OpenMolFile(s.query, dataPath("mol/query_A.mol").c_str()) != 1)
        GTEST_SKIP() << "shared test files not available";
    SetQueryMolecule(s.compare, s.query);
    // query_A: a benzene ring carrying any non-hydrogen atom.
    s.setTarget(phenol);
    EXPECT_EQ(CompareMolecules(s.compare), 1);
    s.setTarget(benzene);
    EXPECT_EQ(CompareMolecules(s.compare), 0);
    ASSERT_EQ(OpenMolFile(s.query, dataPath("mol/atom_list.mol").c_str()), 1);
    SetQueryMolecule(s.compare, s.query);  // ring with one position from C, N, P
    s.setTarget(ring(false, "N").text());
    EXPECT_EQ(CompareMolecules(s.compare), 1);
    s.setTarget(ring(false, "O").text());
    EXPECT_EQ(CompareMolecules(s.compare), 0);
}

// Mapping number of each atom line of a V2000 molfile.
std::vector<int> atomMaps(const std::string& molfile) {
    std::vector<std::string> lines;
    std::stringstream ss(molfile);
    for (std::string l; std::getline(ss, l);) lines.push_back(l);
    std::vector<int> maps;
    int atoms = std::stoi(lines.at(3).substr(0, 3));
    for (int i = 0; i < atoms; ++i) maps.push_back(std::stoi(lines.at(4 + i).substr(60, 3)));
    return maps;
}

TEST(HighlightTest, MarksTheMatchedAtomsOfTheDrawnTarget) {
    Session s;
    const std::string alcoholWithH = Molfile().atom("C", 0, 0).atom("C", 1.3, 0.75)
        .atom("O", 2.6, 0).atom("H", -0.5, 0.9).atom("H", 3.4, 0.5)
        .bond(1, 2, 1).bond(2, 3, 1).bond(1, 4, 1).bond(3, 5, 1).text();
    s.setQuery(Molfile().atom("O", 0, 0).atom("C", 1.3, 0).bond(1, 2, 1).text());
    s.setTarget(alcoholWithH);
    char* text = nullptr;
    EXPECT_EQ(GetHighlightedMolecule(s.compare, &text), 0);  // highlighting is off
    EXPECT_EQ(text, nullptr);
    ASSERT_EQ(SetQueryHighlighting(s.compare, 1), 1);
    ASSERT_EQ(GetHighlightedMolecule(s.compare, &text), 2);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(atomMaps(text), (std::vector<int>{0, 2, 1, 0, 0}));  // H atoms stay
    std::free(text);
    s.setTarget(toluene);
    EXPECT_EQ(GetHighlightedMolecule(s.compare, &text), 0);
    EXPECT_EQ(text, nullptr);
}

// The amide-forming reaction: acid + amine -> amide, components in the given order.
std::string amideReaction(bool swapReactants, bool reverse = false) {
    const std::string acid = Molfile().atom("C", 0, 0).atom("O", 1, 0).atom("O", 0, 1)
        .bond(1, 2, 1).bond(1, 3, 2).text();
    const std::string amine = Molfile().atom("N", 0, 0).text();
    const std::string amide = Molfile().atom("N", 0, 0).atom("C", 1, 0).atom("O", 1, 1)
        .bond(1, 2, 1).bond(2, 3, 2).text();
    std::string left = swapReactants ? "$MOL\n" + amine + "$MOL\n" + acid : "$MOL\n" + acid + "$MOL\n" + amine;
    std::string right = "$MOL\n" + amide;
    return reverse ? "$RXN\n\n  Zelmar\n\n  1  2\n" + right + left
                   : "$RXN\n\n  Zelmar\n\n  2  1\n" + left + right;
}

TEST(ReactionTest, SameReactionInAnyOrderOfComponents) {
    EXPECT_EQ(CheckReactionPermutation(amideReaction(false).c_str(), amideReaction(true).c_str()), 1);
    EXPECT_EQ(CheckReactionPermutation(amideReaction(false).c_str(), amideReaction(false, true).c_str()), 0);
    EXPECT_EQ(CheckReactionPermutation(amideReaction(false).c_str(), "garbage"), 0);
    EXPECT_EQ(CheckReactionPermutation(nullptr, amideReaction(false).c_str()), 0);
    std::string v2000, v3000;
    if (!readData("rxn/amide_v2000.rxn", &v2000) || !readData("rxn/amide_v3000.rxn", &v3000))
        GTEST_SKIP() << "shared test files not available";
    EXPECT_EQ(CheckReactionPermutation(v2000.c_str(), v3000.c_str()), 1);
    // The same chemistry written by hand, without atom maps.
    EXPECT_EQ(CheckReactionPermutation(v2000.c_str(), amideReaction(true).c_str()), 1);
    EXPECT_EQ(CheckReactionPermutation(v3000.c_str(), amideReaction(false, true).c_str()), 0);
}

TEST(ThreadTest, SeparateHandleSetsOnSeveralThreads) {
    const std::vector<std::string> targets = {benzene, phenol, toluene, ring(false, "N").text(),
                                              substituted("Cl").text(), substituted("N", true).text()};
    const std::vector<std::string> queries = {benzene, substituted("A").text(), phenol,
                                              substituted("Q").text()};
    std::vector<int> expected;
    {
        Session s;
        for (const auto& q : queries)
            for (const auto& t : targets) expected.push_back(s.found(q, t) + 2 * s.same(q, t));
    }
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int n = 0; n < 4; ++n)
        threads.emplace_back([&, n] {
            Session s;
            for (int round = 0; round < 25; ++round) {
                std::size_t i = 0;
                for (const auto& q : queries)
                    for (const auto& t : targets) {
                        // Each thread also reads texts nobody else has seen.
                        std::string own = t + (round % 2 ? "" : std::string(n + 1, ' '));
                        if (s.found(q, own) + 2 * s.same(q, own) != expected[i++]) ++mismatches;
                    }
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
