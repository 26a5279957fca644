#include "TargetCache.h"

#include <cstdlib>
#include <cstring>

namespace veskSearch {

namespace {

// MurmurHash64A (Austin Appleby, public domain).
uint64_t murmur64a(const void* key, std::size_t len, uint64_t seed) {
    const uint64_t m = 0xc6a4a7935bd1e995ULL;
    const int r = 47;
    uint64_t h = seed ^ (len * m);
    const auto* data = static_cast<const unsigned char*>(key);
    const unsigned char* end = data + (len / 8) * 8;
    while (data != end) {
        uint64_t k;
        std::memcpy(&k, data, 8);
        data += 8;
        k *= m;
        k ^= k >> r;
        k *= m;
        h ^= k;
        h *= m;
    }
    switch (len & 7) {
        case 7:
            h ^= uint64_t(data[6]) << 48;
            [[fallthrough]];
        case 6:
            h ^= uint64_t(data[5]) << 40;
            [[fallthrough]];
        case 5:
            h ^= uint64_t(data[4]) << 32;
            [[fallthrough]];
        case 4:
            h ^= uint64_t(data[3]) << 24;
            [[fallthrough]];
        case 3:
            h ^= uint64_t(data[2]) << 16;
            [[fallthrough]];
        case 2:
            h ^= uint64_t(data[1]) << 8;
            [[fallthrough]];
        case 1:
            h ^= uint64_t(data[0]);
            h *= m;
    }
    h ^= h >> r;
    h *= m;
    h ^= h >> r;
    return h;
}

// Bookkeeping of a list node and its index entry, beyond the payload: the list node (links,
// key, pointers, texts, size), the index node and its bucket, as the allocator hands them out.
constexpr std::size_t kNodeOverhead = 208;
// The default bound: a hundred thousand typical records kept ready for matching.
constexpr std::size_t kDefaultLimitMiB = 1536;

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
    k.h1 = murmur64a(text.data(), text.size(), 0x5a656c6d61723031ULL);
    k.h2 = murmur64a(text.data(), text.size(), 0x76657368536b3032ULL);
    k.length = text.size();
    return k;
}

TargetCache::TargetCache(std::size_t byteLimit) : limit_(byteLimit) {}

TargetCache& TargetCache::shared() {
    // Never destroyed: handles may still be released from other libraries'
    // static destructors at exit.
    static auto* cache = new TargetCache(sharedLimit());
    return *cache;
}

std::shared_ptr<const PreparedTarget> TargetCache::find(const TextKey& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = index_.find(key);
    if (it == index_.end()) return nullptr;
    lru_.splice(lru_.begin(), lru_, it->second);
    return it->second->target;
}

void TargetCache::insert(const TextKey& key, std::shared_ptr<const PreparedTarget> target,
                         bool replace) {
    if (!target) return;
    std::shared_ptr<const PreparedTarget> gone;  // released outside the lock
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = index_.find(key);
    if (it != index_.end()) {
        Node& node = *it->second;
        lru_.splice(lru_.begin(), lru_, it->second);
        if (!replace) return;
        const std::size_t bytes = kNodeOverhead + target->bytes();
        bytes_ = bytes_ - node.bytes + bytes;
        node.bytes = bytes;
        gone = std::move(node.target);
        node.target = std::move(target);
        evictLocked();
        return;
    }
    Node node;
    node.key = key;
    node.bytes = kNodeOverhead + target->bytes();
    node.target = std::move(target);
    bytes_ += node.bytes;
    lru_.push_front(std::move(node));
    index_.emplace(key, lru_.begin());
    evictLocked();
}

bool TargetCache::smiles(const TextKey& key, bool stereo, std::string* out) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = index_.find(key);
    if (it == index_.end() || !it->second->hasSmiles[stereo]) return false;
    *out = it->second->smiles[stereo];
    return true;
}

void TargetCache::setSmiles(const TextKey& key, bool stereo, const std::string& smiles) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = index_.find(key);
    if (it == index_.end() || it->second->hasSmiles[stereo]) return;
    Node& node = *it->second;
    node.smiles[stereo] = smiles;
    node.hasSmiles[stereo] = true;
    node.bytes += node.smiles[stereo].capacity();
    bytes_ += node.smiles[stereo].capacity();
    evictLocked();
}

std::size_t TargetCache::bytes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return bytes_;
}

std::size_t TargetCache::size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return index_.size();
}

void TargetCache::evictLocked() {
    while (bytes_ > limit_ && !lru_.empty()) {
        Node& last = lru_.back();
        bytes_ -= last.bytes;
        index_.erase(last.key);
        // The molecule goes when its last user lets go; handles may still hold it.
        lru_.pop_back();
    }
}

}  // namespace veskSearch
