// Process-wide store of prepared targets keyed by their text, bounded by memory and evicting
// the least recently used. Holds molecules ready for matching with their screen bits, so that
// a second search over the same records screens and matches only. The bound counts every
// entry's heap as the allocator hands it out (molecule, bits, bookkeeping); it is 1.5 GiB
// unless VESKCHEMSEARCH_MEMORY_MB gives another number of MiB when the cache is first used.
#pragma once

#include "Prepared.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace veskSearch {

// A 128-bit hash and the length: texts are not stored, and with 128 bits an accidental
// collision among millions of records is not a concern.
struct TextKey {
    uint64_t h1 = 0;
    uint64_t h2 = 0;
    uint64_t length = 0;
    bool operator==(const TextKey& o) const {
        return h1 == o.h1 && h2 == o.h2 && length == o.length;
    }
};

TextKey textKey(std::string_view text);

class TargetCache {
public:
    // shards: parts with a lock, a bound and a recency order each, so that threads looking up
    // different texts rarely wait for each other; one part is one exact least-recently-used
    // order.
    explicit TargetCache(std::size_t byteLimit, std::size_t shards = 1);
    TargetCache(const TargetCache&) = delete;
    TargetCache& operator=(const TargetCache&) = delete;

    // The one the library uses; lives until the process ends.
    static TargetCache& shared();

    std::shared_ptr<const PreparedTarget> find(const TextKey& key);
    // Keeps an entry already there (another thread read the same text meanwhile) unless
    // replace is set (a fuller reading of it).
    void insert(const TextKey& key, std::shared_ptr<const PreparedTarget> target,
                bool replace = false);
    // Canonical SMILES remembered for an entry (index 1 = with stereo).
    bool smiles(const TextKey& key, bool stereo, std::string* out);
    void setSmiles(const TextKey& key, bool stereo, const std::string& smiles);

    std::size_t bytes() const;
    std::size_t size() const;
    std::size_t limit() const { return limit_; }

private:
    struct Node {
        TextKey key;
        std::shared_ptr<const PreparedTarget> target;
        std::string smiles[2];
        bool hasSmiles[2] = {false, false};
        std::size_t bytes = 0;
    };
    struct KeyHash {
        std::size_t operator()(const TextKey& k) const { return static_cast<std::size_t>(k.h1); }
    };
    using List = std::list<Node>;
    struct Shard {
        std::size_t limit = 0;
        mutable std::mutex mutex;
        List lru;  // most recently used first
        std::unordered_map<TextKey, List::iterator, KeyHash> index;
        std::size_t bytes = 0;
        void evictLocked();
    };

    Shard& shardOf(const TextKey& key) { return *shards_[key.h2 % shards_.size()]; }

    const std::size_t limit_;
    std::vector<std::unique_ptr<Shard>> shards_;
};

}  // namespace veskSearch
