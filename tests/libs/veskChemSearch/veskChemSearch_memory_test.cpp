// What the library keeps of molecules it has read, seen from inside: the bytes it counts for a
// kept molecule are the bytes the allocator holds for it, and the cache of kept molecules
// stays within its bound, letting the least recently used go first.
#include "Chemistry.h"
#include "Prepared.h"
#include "SearchTestSupport.h"
#include "TargetCache.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

using namespace searchtest;
using veskSearch::PreparedTarget;

namespace {

std::vector<std::string> realTargets() {
    std::vector<std::string> out;
    for (const char* name : {"pubchem_sample.sdf", "nci_aids_props.sdf", "pubchem_hard_subset.sdf",
                             "v2000_v3000_mixed.sdf", "cdk2_3d_explicit_h.sdf"}) {
        std::string sd;
        if (!readData(name, &sd)) return {};
        for (std::string& m : sdMolecules(sd)) out.push_back(std::move(m));
    }
    return out;
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

TEST(KeptMemoryTest, CountedBytesAreTheBytesHeld) {
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator does not report to mallinfo2";
#endif
    const std::vector<std::string> targets = realTargets();
    if (targets.empty()) GTEST_SKIP() << "shared test files not available";
    for (const bool stereo : {false, true}) {
        // Once before measuring: whatever RDKit sets up on first use is not the molecules'.
        for (const std::string& t : targets) veskSearch::prepareTarget(t, stereo);
        std::vector<std::shared_ptr<const PreparedTarget>> kept;
        kept.reserve(targets.size());
        const std::size_t before = heapInUse();
        std::size_t counted = 0;
        for (const std::string& t : targets) {
            kept.push_back(veskSearch::prepareTarget(t, stereo));
            counted += kept.back()->bytes();
        }
        const double held = static_cast<double>(heapInUse() - before);
        ASSERT_GT(held, 0.0);
        // The shared pointers' control blocks come with make_shared: part of the count.
        EXPECT_GT(counted / held, 0.85)
            << "stereo " << stereo << ": counted " << counted << " bytes, held " << held;
        EXPECT_LT(counted / held, 1.15)
            << "stereo " << stereo << ": counted " << counted << " bytes, held " << held;
    }
}

TEST(KeptMemoryTest, CacheKeepsWithinItsBoundLeastRecentlyUsedFirst) {
    const std::vector<std::string> targets = realTargets();
    if (targets.size() < 200) GTEST_SKIP() << "shared test files not available";
    std::vector<std::shared_ptr<const PreparedTarget>> prepared;
    std::size_t largest = 0;
    for (std::size_t k = 0; k < 200; ++k) {
        prepared.push_back(veskSearch::prepareTarget(targets[k], false));
        largest = std::max(largest, prepared.back()->bytes());
    }
    const std::size_t limit = 8 * largest;
    veskSearch::TargetCache cache(limit);
    const veskSearch::TextKey first = veskSearch::textKey(targets[0]);
    cache.insert(first, prepared[0]);
    for (std::size_t k = 1; k < prepared.size(); ++k) {
        cache.insert(veskSearch::textKey(targets[k]), prepared[k]);
        EXPECT_LE(cache.bytes(), limit);
        // Used again and again: never the one to go.
        EXPECT_EQ(cache.find(first), prepared[0]) << k;
    }
    EXPECT_GT(cache.size(), 1u);
    EXPECT_LT(cache.size(), 50u);
    EXPECT_EQ(cache.find(veskSearch::textKey(targets[1])), nullptr);
    EXPECT_EQ(cache.find(veskSearch::textKey(targets[199])), prepared[199]);

    // A bound of nothing keeps nothing, yet the molecules stay usable by their holders.
    veskSearch::TargetCache none(0);
    none.insert(first, prepared[0]);
    EXPECT_EQ(none.size(), 0u);
    EXPECT_EQ(none.bytes(), 0u);
    EXPECT_TRUE(prepared[0]->mol != nullptr);
}

}  // namespace
