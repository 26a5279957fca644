// The exported C functions: handle bookkeeping and the exception barrier.
#include "veskChemSearch.h"

#include "Chemistry.h"
#include "Comparison.h"
#include "Highlight.h"
#include "Screens.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

using veskSearch::Comparison;
using veskSearch::MolText;

struct MolHandle {
    std::mutex mutex;
    std::shared_ptr<MolText> text;  // null until a text is opened
};

// Live handles. Numbers come from a counter and are never reused, so a stale
// handle can only miss, never reach another object.
class Registry {
public:
    uintptr_t add(std::shared_ptr<MolHandle> mol) {
        std::unique_lock<std::shared_mutex> lock(mutex_);
        uintptr_t h = next_++;
        mols_.emplace(h, std::move(mol));
        return h;
    }
    uintptr_t add(std::shared_ptr<Comparison> compare) {
        std::unique_lock<std::shared_mutex> lock(mutex_);
        uintptr_t h = next_++;
        compares_.emplace(h, std::move(compare));
        return h;
    }
    std::shared_ptr<MolHandle> mol(uintptr_t h) const {
        std::shared_lock<std::shared_mutex> lock(mutex_);
        auto it = mols_.find(h);
        return it == mols_.end() ? nullptr : it->second;
    }
    std::shared_ptr<Comparison> compare(uintptr_t h) const {
        std::shared_lock<std::shared_mutex> lock(mutex_);
        auto it = compares_.find(h);
        return it == compares_.end() ? nullptr : it->second;
    }
    bool removeMol(uintptr_t h) {
        std::shared_ptr<MolHandle> gone;  // released outside the lock
        std::unique_lock<std::shared_mutex> lock(mutex_);
        auto it = mols_.find(h);
        if (it == mols_.end()) return false;
        gone = std::move(it->second);
        mols_.erase(it);
        return true;
    }
    bool removeCompare(uintptr_t h) {
        std::shared_ptr<Comparison> gone;
        std::unique_lock<std::shared_mutex> lock(mutex_);
        auto it = compares_.find(h);
        if (it == compares_.end()) return false;
        gone = std::move(it->second);
        compares_.erase(it);
        return true;
    }

private:
    mutable std::shared_mutex mutex_;
    uintptr_t next_ = 0x5A10001;
    std::unordered_map<uintptr_t, std::shared_ptr<MolHandle>> mols_;
    std::unordered_map<uintptr_t, std::shared_ptr<Comparison>> compares_;
};

Registry& registry() {
    // Never destroyed: callers may release handles from their own static
    // destructors, after this library's would have run.
    static auto* r = new Registry;
    return *r;
}

// Nothing thrown inside may reach the caller.
template <class R, class F>
R guarded(R neutral, F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return neutral;
    }
}

bool lowByte(int32_t flag) {
    return (flag & 0xFF) != 0;
}

// Replaces the handle's molecule in every case, so that a rejected text can
// never leave the previous molecule in place to be compared again.
int32_t putText(uintptr_t molHandle, std::string text, bool accepted) {
    std::shared_ptr<MolHandle> h = registry().mol(molHandle);
    if (!h) return 0;
    auto mol = std::make_shared<MolText>(std::move(text));
    accepted = accepted && veskSearch::looksLikeMolfile(mol->text());
    std::lock_guard<std::mutex> lock(h->mutex);
    h->text = std::move(mol);
    return accepted ? 1 : 0;
}

// A molfile is small; anything this large is not one and is not read.
constexpr std::uintmax_t kMaxMolFileBytes = std::uintmax_t(64) << 20;

bool readFile(const char* path, std::string* out) {
    std::error_code ec;
    std::filesystem::path p(path);
    if (!std::filesystem::is_regular_file(p, ec)) return false;
    std::uintmax_t size = std::filesystem::file_size(p, ec);
    if (ec || size > kMaxMolFileBytes) return false;
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    out->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

int32_t setMolecule(uintptr_t compareHandle, uintptr_t molHandle, bool asQuery) {
    std::shared_ptr<Comparison> c = registry().compare(compareHandle);
    if (!c) return 0;
    std::shared_ptr<MolText> text;
    std::shared_ptr<MolHandle> h = registry().mol(molHandle);
    if (h) {
        std::lock_guard<std::mutex> lock(h->mutex);
        text = h->text ? h->text : std::make_shared<MolText>(std::string());
    }
    std::lock_guard<std::mutex> lock(c->mutex);
    (asQuery ? c->query : c->target) = std::move(text);
    return h ? 1 : 0;
}

template <class F>
int32_t withCompare(uintptr_t compareHandle, int32_t neutral, F&& body) {
    std::shared_ptr<Comparison> c = registry().compare(compareHandle);
    if (!c) return neutral;
    std::lock_guard<std::mutex> lock(c->mutex);
    return body(*c);
}

// GetExactMatchKey and GetPolicyMatchKey: the handle's text, a key made from it, the copy.
template <class Make>
int32_t handOutKey(uintptr_t molHandle, char** key, Make&& make) {
    if (!key) return -1;
    *key = nullptr;
    return guarded<int32_t>(-1, [&] {
        std::shared_ptr<MolHandle> h = registry().mol(molHandle);
        if (!h) return -1;
        std::shared_ptr<MolText> text;
        {
            std::lock_guard<std::mutex> lock(h->mutex);
            text = h->text;
        }
        if (!text) return -1;
        std::string made;
        const int32_t result = make(*text, &made);
        if (result != 1) return result;
        char* out = static_cast<char*>(std::malloc(made.size() + 1));
        if (!out) return -1;
        std::memcpy(out, made.c_str(), made.size() + 1);
        *key = out;
        return 1;
    });
}

}  // namespace

extern "C" {

uintptr_t VESKCHEMSEARCH_CALL CreateMoleculeHandle(void) {
    return guarded<uintptr_t>(0, [] { return registry().add(std::make_shared<MolHandle>()); });
}

int32_t VESKCHEMSEARCH_CALL DestroyMoleculeHandle(uintptr_t molHandle) {
    return guarded<int32_t>(0, [&] { return registry().removeMol(molHandle) ? 1 : 0; });
}

uintptr_t VESKCHEMSEARCH_CALL CreateCompareHandle(void) {
    return guarded<uintptr_t>(0, [] { return registry().add(std::make_shared<Comparison>()); });
}

int32_t VESKCHEMSEARCH_CALL DestroyCompareHandle(uintptr_t compareHandle) {
    return guarded<int32_t>(0, [&] { return registry().removeCompare(compareHandle) ? 1 : 0; });
}

int32_t VESKCHEMSEARCH_CALL OpenMolString(uintptr_t molHandle, const char* molText) {
    return guarded<int32_t>(0, [&] {
        return putText(molHandle, molText ? std::string(molText) : std::string(),
                       molText != nullptr);
    });
}

int32_t VESKCHEMSEARCH_CALL OpenMolFile(uintptr_t molHandle, const char* path) {
    return guarded<int32_t>(0, [&] {
        std::string text;
        bool read = path && readFile(path, &text);
        if (!read) text.clear();
        return putText(molHandle, std::move(text), read);
    });
}

int32_t VESKCHEMSEARCH_CALL SetQueryMolecule(uintptr_t compareHandle, uintptr_t molHandle) {
    return guarded<int32_t>(0, [&] { return setMolecule(compareHandle, molHandle, true); });
}

int32_t VESKCHEMSEARCH_CALL SetTargetMolecule(uintptr_t compareHandle, uintptr_t molHandle) {
    return guarded<int32_t>(0, [&] { return setMolecule(compareHandle, molHandle, false); });
}

int32_t VESKCHEMSEARCH_CALL CompareMolecules(uintptr_t compareHandle) {
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, -1, [](Comparison& c) { return c.substructure(); });
    });
}

int32_t VESKCHEMSEARCH_CALL ExactMatch(uintptr_t compareHandle) {
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, 0, [](Comparison& c) { return c.exact() ? 1 : 0; });
    });
}

int32_t VESKCHEMSEARCH_CALL ConsiderStereoChemistry(uintptr_t compareHandle) {
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, 0, [](Comparison& c) {
            c.stereo = true;
            return 1;
        });
    });
}

int32_t VESKCHEMSEARCH_CALL ConsiderStereoChemistry2(uintptr_t compareHandle, int32_t flag) {
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, 0, [flag](Comparison& c) {
            c.stereo = lowByte(flag);
            return 1;
        });
    });
}

int32_t VESKCHEMSEARCH_CALL SetQueryHighlighting(uintptr_t compareHandle, int32_t flag) {
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, 0, [flag](Comparison& c) {
            c.highlighting = lowByte(flag);
            return 1;
        });
    });
}

int32_t VESKCHEMSEARCH_CALL GetHighlightedMolecule(uintptr_t compareHandle, char** text) {
    if (!text) return 0;
    *text = nullptr;
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, 0, [text](Comparison& c) {
            int32_t marked = 0;
            *text = c.highlighted(&marked);
            return *text ? marked : 0;
        });
    });
}

int32_t VESKCHEMSEARCH_CALL GetQueryMatch(uintptr_t compareHandle, int32_t* atoms,
                                          int32_t atomCapacity, int32_t* bonds,
                                          int32_t bondCapacity, int32_t* atomCount,
                                          int32_t* bondCount) {
    if (atomCount) *atomCount = 0;
    if (bondCount) *bondCount = 0;
    if (!atomCount || !bondCount || atomCapacity < 0 || bondCapacity < 0 ||
        (atomCapacity > 0 && !atoms) || (bondCapacity > 0 && !bonds))
        return -1;
    return guarded<int32_t>(0, [&] {
        return withCompare(compareHandle, -1, [&](Comparison& c) {
            std::vector<int> matchedAtoms, matchedBonds;
            const int result = veskSearch::queryMatch(c, &matchedAtoms, &matchedBonds);
            if (result != 1) return result;
            for (std::size_t i = 0; i < matchedAtoms.size() && i < std::size_t(atomCapacity); ++i)
                atoms[i] = matchedAtoms[i];
            for (std::size_t i = 0; i < matchedBonds.size() && i < std::size_t(bondCapacity); ++i)
                bonds[i] = matchedBonds[i];
            *atomCount = static_cast<int32_t>(matchedAtoms.size());
            *bondCount = static_cast<int32_t>(matchedBonds.size());
            return 1;
        });
    });
}

int32_t VESKCHEMSEARCH_CALL CheckReactionPermutation(const char* rxnText1, const char* rxnText2) {
    return guarded<int32_t>(0, [&] {
        if (!rxnText1 || !rxnText2) return 0;
        return veskSearch::sameReaction(rxnText1, rxnText2) ? 1 : 0;
    });
}

int32_t VESKCHEMSEARCH_CALL GetExactMatchKey(uintptr_t molHandle, int32_t stereo, char** key) {
    return handOutKey(molHandle, key, [stereo](MolText& text, std::string* made) {
        return text.exactKey(lowByte(stereo), made);
    });
}

int32_t VESKCHEMSEARCH_CALL GetPolicyMatchKey(uintptr_t molHandle, int32_t policy, int32_t stereo,
                                              char** key) {
    return handOutKey(molHandle, key, [policy, stereo](MolText& text, std::string* made) {
        if (policy < 0) return -1;
        return text.policyKey(static_cast<unsigned>(policy), lowByte(stereo), made);
    });
}

int32_t VESKCHEMSEARCH_CALL UseQuickPaths(int32_t flag) {
    return guarded<int32_t>(0, [&] {
        const bool was = veskSearch::screensOn();
        veskSearch::setScreens(lowByte(flag));
        return was ? 1 : 0;
    });
}

}  // extern "C"
