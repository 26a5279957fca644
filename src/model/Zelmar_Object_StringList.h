#pragma once
// Ordered lists of (text, object) pairs: the sheet's records, its fields, load errors, search
// results and the scratch lists of sorting and duplicate search. The text is a scratch key or
// stays empty. An item either owns its object (freed with the item) or only points to it, so
// owning lists (records, fields) and result lists share one type.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

template <typename T>
class TZelmarStringList {
public:
    struct TItem {
        std::string Text;
        T* Object = nullptr;
        std::unique_ptr<T> Owned;  // set when the item owns Object
    };
    using iterator = typename std::vector<TItem>::iterator;
    using const_iterator = typename std::vector<TItem>::const_iterator;

    int GetCount() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    bool IsValidIndex(int index) const { return index >= 0 && index < GetCount(); }

    // Null outside 0..count-1.
    T* GetObject(int index) const { return IsValidIndex(index) ? FItems[index].Object : nullptr; }
    // Empty outside 0..count-1.
    std::string GetText(int index) const {
        return IsValidIndex(index) ? FItems[index].Text : std::string();
    }
    void SetText(int index, std::string text) {
        if (IsValidIndex(index)) FItems[index].Text = std::move(text);
    }

    // Appends an item that does not own its object; returns its position.
    int AddObject(std::string text, T* object) {
        FItems.push_back(TItem{std::move(text), object, nullptr});
        return GetCount() - 1;
    }
    // Appends an item that owns its object.
    int AddOwnedObject(std::string text, std::unique_ptr<T> object) {
        T* raw = object.get();
        FItems.push_back(TItem{std::move(text), raw, std::move(object)});
        return GetCount() - 1;
    }

    // First position holding the object, or -1.
    int IndexOfObject(const T* object) const {
        for (std::size_t i = 0; i < FItems.size(); ++i)
            if (FItems[i].Object == object) return static_cast<int>(i);
        return -1;
    }

    // Removes the item; an owned object is freed.
    void Delete(int index) {
        if (IsValidIndex(index)) FItems.erase(FItems.begin() + index);
    }
    // Removes the item and hands its object over when the item owned it (else null).
    std::unique_ptr<T> Extract(int index) {
        if (!IsValidIndex(index)) return nullptr;
        std::unique_ptr<T> owned = std::move(FItems[index].Owned);
        FItems.erase(FItems.begin() + index);
        return owned;
    }
    void Exchange(int a, int b) {
        if (IsValidIndex(a) && IsValidIndex(b)) std::swap(FItems[a], FItems[b]);
    }
    // Frees the owned objects and empties the list.
    void Clear() { FItems.clear(); }
    // Removes (and frees, when owned) every item the predicate accepts, in one pass.
    template <typename Predicate>
    void RemoveIf(Predicate predicate) {
        FItems.erase(std::remove_if(FItems.begin(), FItems.end(), predicate), FItems.end());
    }
    // Removes every item the predicate accepts and hands them over, each with the position
    // it had, in ascending order; one pass.
    template <typename Predicate>
    std::vector<std::pair<int, TItem>> TakeIf(Predicate predicate) {
        std::vector<std::pair<int, TItem>> taken;
        std::vector<TItem> kept;
        kept.reserve(FItems.size());
        for (std::size_t i = 0; i < FItems.size(); ++i) {
            if (predicate(FItems[i])) {
                taken.emplace_back(static_cast<int>(i), std::move(FItems[i]));
            } else {
                kept.push_back(std::move(FItems[i]));
            }
        }
        FItems = std::move(kept);
        return taken;
    }
    // Puts items taken by TakeIf back at their positions (ascending), in one pass; a position
    // beyond the end appends.
    void PutBack(std::vector<std::pair<int, TItem>> items) {
        std::vector<TItem> merged;
        merged.reserve(FItems.size() + items.size());
        std::size_t next = 0;
        for (auto& [position, item] : items) {
            while (static_cast<int>(merged.size()) < position && next < FItems.size())
                merged.push_back(std::move(FItems[next++]));
            merged.push_back(std::move(item));
        }
        while (next < FItems.size()) merged.push_back(std::move(FItems[next++]));
        FItems = std::move(merged);
    }
    void Reserve(int count) {
        if (count > 0) FItems.reserve(static_cast<std::size_t>(count));
    }

    // For reordering algorithms (sorting moves whole items, keys and ownership with them).
    iterator begin() { return FItems.begin(); }
    iterator end() { return FItems.end(); }
    const_iterator begin() const { return FItems.begin(); }
    const_iterator end() const { return FItems.end(); }

private:
    std::vector<TItem> FItems;
};
