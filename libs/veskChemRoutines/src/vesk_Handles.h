#pragma once
// Handles handed across the C interface. Each kind of object has its own table of live handles,
// so a stale, foreign or mistyped handle is found missing instead of being dereferenced. Values
// come from one counter and are never reused. Lookups hand out shared ownership: an object
// destroyed by one thread stays alive until calls still running on it in other threads return.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace vesk {

inline std::uintptr_t NextHandleValue() {
    // Starts well above small integers that a confused caller might pass.
    static std::atomic<std::uintptr_t> next{0x10000};
    return next.fetch_add(1, std::memory_order_relaxed);
}

template <typename T>
class HandleTable {
public:
    std::uintptr_t Add(std::shared_ptr<T> object) {
        std::uintptr_t handle = NextHandleValue();
        std::lock_guard<std::mutex> lock(mutex_);
        objects_.emplace(handle, std::move(object));
        return handle;
    }

    std::shared_ptr<T> Find(std::uintptr_t handle) const {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(handle);
        return it == objects_.end() ? nullptr : it->second;
    }

    std::shared_ptr<T> Remove(std::uintptr_t handle) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = objects_.find(handle);
        if (it == objects_.end()) return nullptr;
        std::shared_ptr<T> object = std::move(it->second);
        objects_.erase(it);
        return object;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_map<std::uintptr_t, std::shared_ptr<T>> objects_;
};

// One table per kind for the life of the process. Never destroyed, so threads still calling in
// while the process exits find a valid table.
template <typename T>
HandleTable<T>& Handles() {
    static auto* table = new HandleTable<T>;
    return *table;
}

}  // namespace vesk
