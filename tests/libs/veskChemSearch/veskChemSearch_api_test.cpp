// Handles, files, highlighting, reactions and concurrent use of the C functions.
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <unistd.h>

using namespace searchtest;

namespace {

const std::string phenol = substituted("O").text();
const std::string toluene = substituted("C").text();
const std::string benzene = ring().text();

TEST(HandleTest, UnknownStaleAndWrongKindHandlesAreHarmless) {
    uintptr_t mol = CreateMoleculeHandle(), cmp = CreateCompareHandle();
    ASSERT_TRUE(mol && cmp && mol != cmp);
    EXPECT_EQ(CompareMolecules(cmp), -1);  // nothing set yet
    SetQueryMolecule(cmp, mol);            // a new molecule handle holds nothing readable
    SetTargetMolecule(cmp, mol);
    EXPECT_EQ(CompareMolecules(cmp), 0);
    for (uintptr_t bad : {uintptr_t(0), mol, uintptr_t(0xdeadbeef)}) {
        char* text = reinterpret_cast<char*>(1);
        EXPECT_EQ(CompareMolecules(bad), -1);
        EXPECT_EQ(ExactMatch(bad) | ConsiderStereoChemistry2(bad, 1) | SetQueryHighlighting(bad, 1),
                  0);
        EXPECT_EQ(GetHighlightedMolecule(bad, &text), 0);
        EXPECT_EQ(text, nullptr);
    }
    EXPECT_EQ(OpenMolString(cmp, benzene.c_str()), 0);  // a compare handle is no molecule
    EXPECT_EQ(SetQueryMolecule(cmp, cmp), 0);

    // A compare handle keeps its molecules when the molecule handle goes away...
    ASSERT_EQ(OpenMolString(mol, benzene.c_str()), 1);
    ASSERT_EQ(SetQueryMolecule(cmp, mol) & SetTargetMolecule(cmp, mol), 1);
    EXPECT_EQ(DestroyMoleculeHandle(mol), 1);
    EXPECT_EQ(DestroyMoleculeHandle(mol), 0);
    EXPECT_EQ(CompareMolecules(cmp), 1);
    EXPECT_EQ(OpenMolString(mol, toluene.c_str()), 0);
    // ...but setting a destroyed one clears the slot rather than keeping the old molecule.
    EXPECT_EQ(SetTargetMolecule(cmp, mol), 0);
    EXPECT_EQ(CompareMolecules(cmp), -1);
    EXPECT_EQ(DestroyCompareHandle(cmp), 1);
    EXPECT_EQ(DestroyCompareHandle(cmp), 0);
    EXPECT_EQ(CompareMolecules(cmp), -1);
}

TEST(FileTest, OpenMolFileReadsMolfilesAndRejectsTheRest) {
    Session s;
    // Opened (1) plus found (2), with the query read from the file.
    auto fromFile = [&s](const char* path) {
        int opened = OpenMolFile(s.query, path);
        SetQueryMolecule(s.compare, s.query);
        s.setTarget(phenol);
        return opened + 2 * (CompareMolecules(s.compare) > 0);
    };
    const auto dir = std::filesystem::temp_directory_path();
    const auto path = dir / ("zelmar_search_" + std::to_string(::getpid()) + ".mol");
    std::ofstream(path, std::ios::binary) << phenol;
    EXPECT_EQ(fromFile(path.c_str()), 3);
    std::filesystem::remove(path);
    EXPECT_EQ(fromFile(path.c_str()), 0);
    EXPECT_EQ(fromFile(dir.c_str()), 0);
    EXPECT_EQ(fromFile(nullptr), 0);
}

// Mapping number of each atom line of a V2000 molfile.
std::vector<int> atomMaps(const std::string& molfile) {
    std::stringstream ss(molfile);
    std::vector<std::string> lines(4);
    for (auto& l : lines) std::getline(ss, l);
    std::vector<int> maps(std::stoi(lines[3].substr(0, 3)));
    for (int& m : maps) m = std::stoi((std::getline(ss, lines[0]), lines[0]).substr(60, 3));
    return maps;
}

TEST(HighlightTest, MarksTheMatchedAtomsOfTheDrawnTarget) {
    Session s;
    const std::string alcoholWithH = chain({"C", "C", "O"})
                                         .atom("H", -0.5, 0.9)
                                         .atom("H", 3.4, 0.5)
                                         .bond(1, 4, 1)
                                         .bond(3, 5, 1)
                                         .text();
    s.setQuery(chain({"O", "C"}).text());
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
    const std::string acid = "$MOL\n" + chain({"C", "O"}).atom("O", 0, 1).bond(1, 3, 2).text();
    const std::string amine = "$MOL\n" + chain({"N"}).text();
    const std::string right = "$MOL\n" + chain({"N", "C"}).atom("O", 1, 1).bond(2, 3, 2).text();
    const std::string left = swapReactants ? amine + acid : acid + amine;
    return reverse ? "$RXN\n\n  Zelmar\n\n  1  2\n" + right + left
                   : "$RXN\n\n  Zelmar\n\n  2  1\n" + left + right;
}

TEST(ReactionTest, SameReactionInAnyOrderOfComponents) {
    EXPECT_EQ(CheckReactionPermutation(amideReaction(false).c_str(), amideReaction(true).c_str()),
              1);
    EXPECT_EQ(
        CheckReactionPermutation(amideReaction(false).c_str(), amideReaction(false, true).c_str()),
        0);
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
                                              substituted("Cl").text()};
    const std::vector<std::string> queries = {benzene, substituted("A").text(), phenol};
    auto answers = [&](Session& s, const std::string& suffix) {
        std::vector<int> out;
        for (const auto& q : queries)
            for (const auto& t : targets)
                out.push_back(s.found(q, t + suffix) + 2 * s.same(q, t + suffix));
        return out;
    };
    Session single;
    const std::vector<int> expected = answers(single, "");
    // One query molecule, first read by whichever thread gets there first.
    const uintptr_t shared = CreateMoleculeHandle();
    OpenMolString(shared, phenol.c_str());
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    threads.reserve(4);
    for (int n = 0; n < 4; ++n)
        threads.emplace_back([&, n] {
            Session s;
            SetQueryMolecule(s.compare, shared);
            s.setTarget(phenol);
            mismatches += CompareMolecules(s.compare) != 1;
            // Texts shared with the other threads, and texts only this one reads.
            for (int round = 0; round < 25; ++round)
                mismatches += answers(s, round % 2 ? "" : std::string(n + 1, ' ')) != expected;
        });
    for (auto& t : threads) t.join();
    DestroyMoleculeHandle(shared);
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
