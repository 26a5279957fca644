#include "TargetCache.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace veskSearch {

namespace {

// MurmurHash3, x64 128-bit variant (Austin Appleby, public domain): two 64-bit halves in one
// pass over the text.
uint64_t rotl(uint64_t x, int r) {
    return (x << r) | (x >> (64 - r));
}

uint64_t fmix(uint64_t k) {
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    k *= 0xc4ceb9fe1a85ec53ULL;
    k ^= k >> 33;
    return k;
}

void murmur3x64(const void* key, std::size_t len, uint64_t seed, uint64_t* out1, uint64_t* out2) {
    const auto* data = static_cast<const unsigned char*>(key);
    const std::size_t blocks = len / 16;
    uint64_t h1 = seed, h2 = seed;
    const uint64_t c1 = 0x87c37b91114253d5ULL, c2 = 0x4cf5ad432745937fULL;
    for (std::size_t i = 0; i < blocks; ++i) {
        uint64_t k1, k2;
        std::memcpy(&k1, data + i * 16, 8);
        std::memcpy(&k2, data + i * 16 + 8, 8);
        k1 *= c1, k1 = rotl(k1, 31), k1 *= c2, h1 ^= k1;
        h1 = rotl(h1, 27), h1 += h2, h1 = h1 * 5 + 0x52dce729;
        k2 *= c2, k2 = rotl(k2, 33), k2 *= c1, h2 ^= k2;
        h2 = rotl(h2, 31), h2 += h1, h2 = h2 * 5 + 0x38495ab5;
    }
    const unsigned char* tail = data + blocks * 16;
    uint64_t k1 = 0, k2 = 0;
    const std::size_t rest = len & 15;
    for (std::size_t i = rest; i > 8; --i) k2 ^= uint64_t(tail[i - 1]) << (8 * (i - 9));
    if (rest > 8) k2 *= c2, k2 = rotl(k2, 33), k2 *= c1, h2 ^= k2;
    for (std::size_t i = std::min<std::size_t>(rest, 8); i > 0; --i)
        k1 ^= uint64_t(tail[i - 1]) << (8 * (i - 1));
    if (rest > 0) k1 *= c1, k1 = rotl(k1, 31), k1 *= c2, h1 ^= k1;
    h1 ^= len, h2 ^= len;
    h1 += h2, h2 += h1;
    h1 = fmix(h1), h2 = fmix(h2);
    h1 += h2, h2 += h1;
    *out1 = h1, *out2 = h2;
}

// Bookkeeping of a list node and its index entry, beyond the payload: the list node (links,
// key, pointers, texts, size), the index node and its bucket, as the allocator hands them out.
constexpr std::size_t kNodeOverhead = 208;
// The default bound: a hundred thousand typical records kept ready for matching.
constexpr std::size_t kDefaultLimitMiB = 1536;
// Parts of the shared cache: a few per core of a desktop machine.
constexpr std::size_t kSharedShards = 16;

// VESKCHEMSEARCH_MEMORY_MB (whole MiB, 0 allowed) replaces the default when it is a number.
std::size_t sharedLimit() {
    const char* text = std::getenv("VESKCHEMSEARCH_MEMORY_MB");
    if (text && *text) {
        char* end = nullptr;
        const unsigned long long mib = std::strtoull(text, &end, 10);
        if (end && *end == '\0' && text[0] != '-' && mib < (std::size_t(1) << 24))
            return static_cast<std::size_t>(mib) << 20;
    }
    return kDefaultLimitMiB << 20;
}

}  // namespace

TextKey textKey(std::string_view text) {
    TextKey k;
    murmur3x64(text.data(), text.size(), 0x5a656c6d61723031ULL, &k.h1, &k.h2);
    k.length = text.size();
    return k;
}

TargetCache::TargetCache(std::size_t byteLimit, std::size_t shards) : limit_(byteLimit) {
    shards = std::max<std::size_t>(shards, 1);
    for (std::size_t k = 0; k < shards; ++k) {
        shards_.push_back(std::make_unique<Shard>());
        shards_.back()->limit = byteLimit / shards;
    }
}

TargetCache& TargetCache::shared() {
    // Never destroyed: handles may still be released from other libraries'
    // static destructors at exit.
    static auto* cache = new TargetCache(sharedLimit(), kSharedShards);
    return *cache;
}

std::shared_ptr<const PreparedTarget> TargetCache::find(const TextKey& key) {
    Shard& shard = shardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto it = shard.index.find(key);
    if (it == shard.index.end()) return nullptr;
    shard.lru.splice(shard.lru.begin(), shard.lru, it->second);
    return it->second->target;
}

void TargetCache::insert(const TextKey& key, std::shared_ptr<const PreparedTarget> target,
                         bool replace) {
    if (!target) return;
    Shard& shard = shardOf(key);
    std::shared_ptr<const PreparedTarget> gone;  // released outside the lock
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto it = shard.index.find(key);
    if (it != shard.index.end()) {
        Node& node = *it->second;
        shard.lru.splice(shard.lru.begin(), shard.lru, it->second);
        if (!replace) return;
        const std::size_t bytes = kNodeOverhead + target->bytes();
        shard.bytes = shard.bytes - node.bytes + bytes;
        node.bytes = bytes;
        gone = std::move(node.target);
        node.target = std::move(target);
        shard.evictLocked();
        return;
    }
    Node node;
    node.key = key;
    node.bytes = kNodeOverhead + target->bytes();
    node.target = std::move(target);
    shard.bytes += node.bytes;
    shard.lru.push_front(std::move(node));
    shard.index.emplace(key, shard.lru.begin());
    shard.evictLocked();
}

bool TargetCache::smiles(const TextKey& key, bool stereo, std::string* out) {
    Shard& shard = shardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto it = shard.index.find(key);
    if (it == shard.index.end() || !it->second->hasSmiles[stereo]) return false;
    *out = it->second->smiles[stereo];
    return true;
}

void TargetCache::setSmiles(const TextKey& key, bool stereo, const std::string& smiles) {
    Shard& shard = shardOf(key);
    std::lock_guard<std::mutex> lock(shard.mutex);
    auto it = shard.index.find(key);
    if (it == shard.index.end() || it->second->hasSmiles[stereo]) return;
    Node& node = *it->second;
    node.smiles[stereo] = smiles;
    node.hasSmiles[stereo] = true;
    node.bytes += node.smiles[stereo].capacity();
    shard.bytes += node.smiles[stereo].capacity();
    shard.evictLocked();
}

std::size_t TargetCache::bytes() const {
    std::size_t n = 0;
    for (const auto& shard : shards_) {
        std::lock_guard<std::mutex> lock(shard->mutex);
        n += shard->bytes;
    }
    return n;
}

std::size_t TargetCache::size() const {
    std::size_t n = 0;
    for (const auto& shard : shards_) {
        std::lock_guard<std::mutex> lock(shard->mutex);
        n += shard->index.size();
    }
    return n;
}

void TargetCache::Shard::evictLocked() {
    while (bytes > limit && !lru.empty()) {
        Node& last = lru.back();
        bytes -= last.bytes;
        index.erase(last.key);
        // The molecule goes when its last user lets go; handles may still hold it.
        lru.pop_back();
    }
}

}  // namespace veskSearch
