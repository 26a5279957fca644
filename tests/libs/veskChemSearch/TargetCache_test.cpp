// The cache's bound and eviction order (compiled from its source: not exported).
#include "TargetCache.h"

#include <gtest/gtest.h>

using veskSearch::PreparedTarget;
using veskSearch::TargetCache;
using veskSearch::textKey;

namespace {

std::shared_ptr<const PreparedTarget> entry(std::size_t pickleBytes) {
    auto t = std::make_shared<PreparedTarget>();
    t->readable = true;
    t->pickle.assign(pickleBytes, 'x');
    return t;
}

TEST(TargetCacheTest, StaysWithinItsBoundDroppingLeastRecentlyUsed) {
    TargetCache cache(20000);
    auto key = [](int i) { return textKey("mol" + std::to_string(i)); };
    for (int i = 0; i < 10; ++i) cache.insert(key(i), entry(3000));
    const int oldest = 10 - static_cast<int>(cache.size());
    EXPECT_GT(oldest, 0);
    EXPECT_LE(cache.bytes(), 20000u);
    EXPECT_EQ(cache.find(key(oldest - 1)), nullptr);
    ASSERT_NE(cache.find(key(oldest)), nullptr);  // now the most recently used
    cache.insert(key(10), entry(3000));
    EXPECT_NE(cache.find(key(oldest)), nullptr);
    EXPECT_EQ(cache.find(key(oldest + 1)), nullptr);

    std::string smiles;
    cache.setSmiles(key(10), true, "c1ccccc1");
    EXPECT_TRUE(cache.smiles(key(10), true, &smiles) && smiles == "c1ccccc1");
    EXPECT_FALSE(cache.smiles(key(10), false, &smiles));
    cache.insert(key(11), entry(50000));  // larger than the whole bound
    EXPECT_EQ(cache.find(key(11)), nullptr);
    EXPECT_LE(cache.bytes(), 20000u);
    EXPECT_FALSE(textKey("M  END\n") == textKey("M  END\r\n"));
}

}  // namespace
