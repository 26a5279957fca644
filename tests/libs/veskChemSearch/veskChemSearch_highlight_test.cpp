// GetQueryMatch: the matched atoms and bonds in the target's own numbering, the answers that
// agree with the substructure test, and the arguments it refuses.

#include <gtest/gtest.h>

#include <set>

#include "SearchTestSupport.h"

using namespace searchtest;

namespace {

struct Match {
    int result = -2;
    std::vector<int32_t> atoms, bonds;
};

Match matchOf(Session& s) {
    Match m;
    int32_t atoms[256], bonds[256], na = -1, nb = -1;
    m.result = GetQueryMatch(s.compare, atoms, 256, bonds, 256, &na, &nb);
    m.atoms.assign(atoms, atoms + std::min(na, 256));
    m.bonds.assign(bonds, bonds + std::min(nb, 256));
    return m;
}

std::vector<int32_t> sorted(std::vector<int32_t> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// The element symbols of a molfile's atom block, in file order (V2000).
std::vector<std::string> atomSymbols(const std::string& molfile) {
    std::istringstream in(molfile);
    std::string line;
    for (int i = 0; i < 4 && std::getline(in, line); ++i) {
    }
    const int count = std::atoi(line.substr(0, 3).c_str());
    std::vector<std::string> symbols;
    for (int i = 0; i < count && std::getline(in, line); ++i) {
        std::string s = line.substr(31, 3);
        s.erase(s.find_last_not_of(' ') + 1);
        symbols.push_back(s);
    }
    return symbols;
}

}  // namespace

TEST(QueryMatch, GivesTheMatchedAtomsAndBondsInTheTargetsOwnNumbering) {
    Session s;
    s.setQuery(ring().text());
    // Phenol: the ring is atoms 0-5 and bonds 0-5; the oxygen and its bond are not matched.
    s.setTarget(substituted("O").text());
    Match m = matchOf(s);
    ASSERT_EQ(m.result, 1);
    EXPECT_EQ(sorted(m.atoms), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(sorted(m.bonds), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));

    // Explicit hydrogens listed first shift every number; an aromatic query finds the Kekule
    // ring. Methyl on the ring as C-C: the query's two atoms, in query order.
    Molfile toluene;
    toluene.atom("H", 0.9, 4.0).atom("H", -0.9, 4.0).atom("H", 0, 4.6);
    toluene.atom("C", 0, 3.0);
    const double xy[6][2] = {{0, 1.4},  {1.21, 0.7},   {1.21, -0.7},
                             {0, -1.4}, {-1.21, -0.7}, {-1.21, 0.7}};
    for (const auto& p : xy) toluene.atom("C", p[0], p[1]);
    toluene.bond(1, 4, 1).bond(2, 4, 1).bond(3, 4, 1).bond(4, 5, 1);
    for (int i = 0; i < 6; ++i) toluene.bond(5 + i, 5 + (i + 1) % 6, i % 2 ? 1 : 2);
    s.setQuery(ring(true).text());
    s.setTarget(toluene.text());
    m = matchOf(s);
    ASSERT_EQ(m.result, 1);
    EXPECT_EQ(sorted(m.atoms), (std::vector<int32_t>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(sorted(m.bonds), (std::vector<int32_t>{4, 5, 6, 7, 8, 9}));
    // A query with its own hydrogen drawn (C-O-H): the hydrogen is merged, so two atoms and
    // one bond; in ethanol written H-last the O is atom 2 and C-O bond 1.
    s.setQuery(chain({"C", "O", "H"}).text());
    s.setTarget(chain({"C", "C", "O", "H"}).text());
    m = matchOf(s);
    ASSERT_EQ(m.result, 1);
    ASSERT_EQ(m.atoms.size(), 2u);
    EXPECT_EQ(m.atoms[1], 2);  // query atom 2 (O) is target atom 2
    EXPECT_EQ(m.bonds, (std::vector<int32_t>{1}));
}

TEST(QueryMatch, NotFoundAndTooLittleRoomAndRefusedArguments) {
    Session s;
    s.setQuery(substituted("N").text());
    s.setTarget(substituted("O").text());
    Match m = matchOf(s);
    EXPECT_EQ(m.result, 0);
    EXPECT_TRUE(m.atoms.empty() && m.bonds.empty());

    s.setQuery(ring().text());
    int32_t atoms[8], bonds[8], na = -1, nb = -1;
    std::fill(std::begin(atoms), std::end(atoms), -7);
    EXPECT_EQ(GetQueryMatch(s.compare, atoms, 2, bonds, 0, &na, &nb), 1);
    EXPECT_EQ(na, 6);
    EXPECT_EQ(nb, 6);
    EXPECT_EQ(atoms[2], -7);  // nothing written past the room given
    EXPECT_GE(atoms[0], 0);

    EXPECT_EQ(GetQueryMatch(s.compare, atoms, 8, bonds, 8, nullptr, &nb), -1);
    EXPECT_EQ(GetQueryMatch(s.compare, nullptr, 8, bonds, 8, &na, &nb), -1);
    EXPECT_EQ(GetQueryMatch(s.compare, atoms, -1, bonds, 8, &na, &nb), -1);
    EXPECT_EQ(GetQueryMatch(0xDEAD, atoms, 8, bonds, 8, &na, &nb), -1);
    EXPECT_EQ(na, 0);
    Session noTarget;
    noTarget.setQuery(ring().text());
    EXPECT_EQ(GetQueryMatch(noTarget.compare, atoms, 8, bonds, 8, &na, &nb), -1);
    // Unreadable target text and an empty query: not found.
    s.setTarget("not a molfile");
    EXPECT_EQ(matchOf(s).result, 0);
    s.setQuery(Molfile().text());
    s.setTarget(ring().text());
    EXPECT_EQ(matchOf(s).result, 0);
}

// Over real records: found exactly where CompareMolecules finds, every matched atom of the
// element its query atom asks for, and every matched bond between two matched atoms.
TEST(QueryMatch, AgreesWithTheSubstructureTestOnRealRecords) {
    std::string sd;
    if (!readData("pubchem_sample.sdf", &sd)) GTEST_SKIP() << "no shared data";
    Session s;
    const std::string query = substituted("O").text();  // phenols and aryl ethers
    s.setQuery(query);
    int hits = 0;
    for (const std::string& target : sdMolecules(sd)) {
        s.setTarget(target);
        const bool found = CompareMolecules(s.compare) > 0;
        const Match m = matchOf(s);
        ASSERT_EQ(m.result == 1, found);
        if (!found) continue;
        ++hits;
        const std::vector<std::string> symbols = atomSymbols(target);
        ASSERT_EQ(m.atoms.size(), 7u);
        EXPECT_EQ(std::set<int32_t>(m.atoms.begin(), m.atoms.end()).size(), 7u);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(symbols.at(m.atoms[i]), "C");
        EXPECT_EQ(symbols.at(m.atoms[6]), "O");
        EXPECT_EQ(m.bonds.size(), 7u);
    }
    EXPECT_GT(hits, 10);
}
