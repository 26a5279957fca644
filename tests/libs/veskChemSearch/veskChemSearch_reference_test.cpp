// The library against RDKit's own substructure answer on real files, cold and
// from the cache. Its quick pre-checks must never lose a hit.
#include "SearchTestSupport.h"

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/Substruct/SubstructMatch.h>

#include <gtest/gtest.h>

#include <memory>

using namespace searchtest;

namespace {

std::unique_ptr<RDKit::RWMol> read(const std::string& text, bool asQuery) {
    try {
        std::unique_ptr<RDKit::RWMol> m(RDKit::MolBlockToMol(text, true, !asQuery));
        if (m && asQuery) RDKit::MolOps::mergeQueryHs(*m);
        return m;
    } catch (...) {
        return nullptr;
    }
}

// Hits of every query in every target: RDKit directly (-1 where RDKit cannot
// read the target) and the library, twice.
void compareWithRdkit(const std::vector<std::string>& queries,
                      const std::vector<std::string>& targets, bool stereo) {
    std::vector<std::unique_ptr<RDKit::RWMol>> targetMols;
    for (const auto& t : targets) targetMols.push_back(read(t, false));
    Session s;
    s.stereo(stereo);
    int hits = 0;
    for (const auto& q : queries) {
        auto queryMol = read(q, true);
        if (!queryMol || queryMol->getNumAtoms() == 0) continue;
        RDKit::SubstructMatchParameters p;
        p.useChirality = stereo;
        p.maxMatches = 1;
        std::vector<int> cold;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            int mine = s.found(q, targets[i]);
            cold.push_back(mine);
            if (!targetMols[i]) continue;
            int reference = !RDKit::SubstructMatch(*targetMols[i], *queryMol, p).empty();
            hits += reference;
            EXPECT_EQ(mine, reference) << "query\n" << q << "target " << i;
        }
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(s.found(q, targets[i]), cold[i]) << "second pass, target " << i;
    }
    EXPECT_GT(hits, 0);
}

const std::string quinoline = [] {
    Molfile m = ring(false, "N");
    // Second ring fused on the bond between atoms 2 and 3.
    m.atom("C", 2.42, 1.4).atom("C", 3.63, 0.7).atom("C", 3.63, -0.7).atom("C", 2.42, -1.4);
    return m.bond(2, 7, 1).bond(7, 8, 2).bond(8, 9, 1).bond(9, 10, 2).bond(10, 3, 1).text();
}();
const std::string amide = Molfile()
                              .atom("N", 0, 0)
                              .atom("C", 1.3, 0.75)
                              .atom("O", 1.3, 2.25)
                              .atom("C", 2.6, 0)
                              .bond(1, 2, 1)
                              .bond(2, 3, 2)
                              .bond(2, 4, 1)
                              .text();

TEST(ReferenceTest, SharedQueriesAndTargets) {
    std::string q, t;
    if (!readData("substructure_queries.sdf", &q) || !readData("substructure_targets.sdf", &t))
        GTEST_SKIP() << "shared test files not available";
    compareWithRdkit(sdMolecules(q), sdMolecules(t), false);
    compareWithRdkit(sdMolecules(q), sdMolecules(t), true);
}

TEST(ReferenceTest, CommonQueriesOnRealFiles) {
    std::vector<std::string> targets;
    for (const char* name :
         {"pubchem_sample.sdf", "library_formula_weight.sdf", "pubchem_hard_subset.sdf",
          "cdk2_3d_explicit_h.sdf", "inchi_techman_samples.sdf"}) {
        std::string sd;
        if (!readData(name, &sd)) GTEST_SKIP() << "shared test files not available";
        for (auto& m : sdMolecules(sd)) targets.push_back(std::move(m));
    }
    std::vector<std::string> queries = {ring().text(), quinoline, amide,
                                        substituted("Cl", true).text()};
    for (const char* name : {"mol/query_A.mol", "mol/query_Q.mol", "mol/atom_list.mol"})
        if (std::string q; readData(name, &q)) queries.push_back(q);
    compareWithRdkit(queries, targets, false);
    compareWithRdkit(queries, targets, true);
}

// Keys against ExactMatch on every pair of real records: conformers of one compound, the
// same compounds from two sources, stereo drawn in many ways, isotopes and charges.
TEST(ReferenceTest, ExactKeysAgreeWithExactMatchOnRealFiles) {
    std::vector<std::string> mols;
    for (const char* name : {"chiral_flag_examples.sdf", "v2000_v3000_mixed.sdf",
                             "inchi_techman_samples.sdf", "pubchem_3d_conformers.sdf", "nci_3d.sdf",
                             "nci_aids_props.sdf", "cdk2_3d_explicit_h.sdf"}) {
        std::string sd;
        if (!readData(name, &sd)) GTEST_SKIP() << "shared test files not available";
        for (auto& m : sdMolecules(sd)) mols.push_back(std::move(m));
    }
    Session s;
    for (int stereo = 0; stereo < 2; ++stereo) {
        s.stereo(stereo != 0);
        std::vector<std::pair<int, std::string>> keys;
        for (const auto& m : mols) keys.push_back(exactKey(m, stereo != 0));
        int same = 0, keyed = 0;
        for (std::size_t a = 0; a < mols.size(); ++a) {
            keyed += keys[a].first == 1;
            for (std::size_t b = a + 1; b < mols.size(); ++b) {
                const bool keysEqual = keys[a].first == 1 && keys[a] == keys[b];
                const bool exact = s.same(mols[a], mols[b]);
                same += exact;
                EXPECT_EQ(keysEqual, exact) << stereo << " records " << a << ", " << b;
            }
        }
        EXPECT_GT(keyed, static_cast<int>(mols.size()) * 9 / 10);
        EXPECT_GT(same, 0);
    }
}

}  // namespace
