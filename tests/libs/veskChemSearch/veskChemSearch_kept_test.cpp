// Molecules read once are kept ready for matching, with their screen bits: a later search over
// the same texts must find exactly what the first found, and what the full comparison without
// any quick path finds, however little of it the memory budget keeps (ctest runs this program
// a second time with VESKCHEMSEARCH_MEMORY_MB=1, where nearly everything is evicted).
#include "SearchTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

using namespace searchtest;

namespace {

struct QuickPaths {
    explicit QuickPaths(bool on) { UseQuickPaths(on ? 1 : 0); }
    ~QuickPaths() { UseQuickPaths(1); }
};

// Texts no other test reads: the first search below reads every one itself.
std::vector<std::string> retitled(const std::vector<std::string>& targets, const char* title) {
    std::vector<std::string> out;
    for (const std::string& t : targets) out.push_back(title + t.substr(t.find('\n')));
    return out;
}

// One search: every target against one query, as the program's search goes through a sheet.
std::vector<char> search(Session& s, const std::string& query,
                         const std::vector<std::string>& targets) {
    s.setQuery(query);
    std::vector<char> hits;
    hits.reserve(targets.size());
    for (const std::string& t : targets) {
        s.setTarget(t);
        hits.push_back(CompareMolecules(s.compare) > 0);
    }
    return hits;
}

std::string indole() {
    Molfile m = ring();
    m.atom("N", 2.42, 1.0).atom("C", 3.3, 0).atom("C", 2.42, -1.0);
    return m.bond(2, 7, 1).bond(7, 8, 1).bond(8, 9, 2).bond(9, 3, 1).text();
}

std::vector<std::string> queries() {
    return {ring().text(),  // frequent ring
            indole(),       // rare fused ring system
            Molfile()       // amide C(=O)N
                .add({{"C", 0, 0}, {"O", 0, 1.3}, {"N", 1.2, -0.7}}, {{1, 2, 2}, {1, 3, 1}})
                .text(),
            substituted("A", true).text(),                        // query atom, aromatic bonds
            chain({"C", "O", "H"}).text(),                        // drawn hydrogen
            chain({"C", "N"}).line("M  CHG  1   2   1").text()};  // charge
}

bool loadTargets(std::vector<std::string>* targets) {
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "no_data_items.sdf",
                             "pubchem_hard_subset.sdf", "v2000_v3000_mixed.sdf",
                             "chiral_flag_examples.sdf", "substructure_targets.sdf"}) {
        std::string sd;
        if (!readData(name, &sd)) return false;
        for (std::string& m : sdMolecules(sd)) targets->push_back(std::move(m));
    }
    return true;
}

TEST(KeptMoleculeTest, LaterSearchesFindWhatTheFirstAndTheFullComparisonFind) {
    std::vector<std::string> targets;
    if (!loadTargets(&targets)) GTEST_SKIP() << "shared test files not available";
    const std::vector<std::string> fresh = retitled(targets, "kept");
    const std::vector<std::string> reference = retitled(targets, "reference");
    for (int stereo = 0; stereo < 2; ++stereo) {
        int found = 0;
        for (const std::string& q : queries()) {
            std::vector<char> full;
            {
                QuickPaths off(false);
                Session s;
                s.stereo(stereo != 0);
                full = search(s, q, reference);
            }
            Session s;
            s.stereo(stereo != 0);
            // Without stereo first the quick reading is kept; with stereo it is read again.
            const std::vector<char> first = search(s, q, fresh);
            const std::vector<char> second = search(s, q, fresh);
            const std::vector<char> third = search(s, q, fresh);
            for (std::size_t k = 0; k < targets.size(); ++k) {
                ASSERT_EQ(first[k], full[k]) << "first search, stereo " << stereo << ", query\n"
                                             << q << "target\n"
                                             << targets[k];
                ASSERT_EQ(second[k], full[k]) << "second search, stereo " << stereo << ", query\n"
                                              << q << "target\n"
                                              << targets[k];
                ASSERT_EQ(third[k], full[k]);
                found += full[k];
            }
        }
        EXPECT_GT(found, 100) << "too few hits to tell anything";
    }
}

// The program's search runs on every core over one sheet: both threads meet the same kept
// molecules (and the same evictions) and must see the answers a single thread sees.
TEST(KeptMoleculeTest, SharedByThreadsSearchingTheSameTexts) {
    std::vector<std::string> targets;
    if (!loadTargets(&targets)) GTEST_SKIP() << "shared test files not available";
    targets = retitled(targets, "threads");
    const std::vector<std::string> qs = queries();
    std::vector<std::vector<char>> expected;
    {
        Session s;
        for (const std::string& q : qs) expected.push_back(search(s, q, targets));
    }
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int n = 0; n < 2; ++n)
        threads.emplace_back([&, n] {
            Session s;
            for (int round = 0; round < 2; ++round)
                for (std::size_t k = 0; k < qs.size(); ++k) {
                    // The threads go through the queries in opposite orders.
                    const std::size_t i = n ? qs.size() - 1 - k : k;
                    mismatches += search(s, qs[i], targets) != expected[i];
                }
        });
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
