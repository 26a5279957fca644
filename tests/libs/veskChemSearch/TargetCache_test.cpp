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
    for (int i = 0; i < 10; ++i) cache.insert(textKey("mol" + std::to_string(i)), entry(3000));
    EXPECT_LE(cache.bytes(), 20000u);
    EXPECT_LT(cache.size(), 10u);
    EXPECT_EQ(cache.find(textKey("mol0")), nullptr);
    ASSERT_NE(cache.find(textKey("mol9")), nullptr);

    std::size_t kept = cache.size();
    int oldest = 10 - static_cast<int>(kept);
    ASSERT_NE(cache.find(textKey("mol" + std::to_string(oldest))), nullptr);  // now most recent
    cache.insert(textKey("new"), entry(3000));
    EXPECT_NE(cache.find(textKey("mol" + std::to_string(oldest))), nullptr);
    EXPECT_EQ(cache.find(textKey("mol" + std::to_string(oldest + 1))), nullptr);

    cache.setSmiles(textKey("new"), true, "c1ccccc1");
    std::string smiles;
    EXPECT_TRUE(cache.smiles(textKey("new"), true, &smiles));
    EXPECT_EQ(smiles, "c1ccccc1");
    EXPECT_FALSE(cache.smiles(textKey("new"), false, &smiles));

    cache.insert(textKey("huge"), entry(50000));  // larger than the whole bound
    EXPECT_EQ(cache.find(textKey("huge")), nullptr);
    EXPECT_LE(cache.bytes(), 20000u);
}

TEST(TargetCacheTest, KeysTellTextsApart) {
    EXPECT_EQ(textKey("M  END\n"), textKey("M  END\n"));
    EXPECT_FALSE(textKey("M  END\n") == textKey("M  END\r\n"));
    EXPECT_FALSE(textKey("") == textKey(std::string(1, '\0')));
}

}  // namespace
