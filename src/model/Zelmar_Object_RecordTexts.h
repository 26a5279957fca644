#pragma once
// A record's texts kept compactly: the bytes it was read from, and its molecule and data
// item values as pieces of those bytes. Sheets hold millions of records, so a record keeps no
// copy of what its bytes already say: a value the user did not touch is a view (offset and
// length) into them, a name is a small index into the names every record and field share,
// and only what the bytes do not hold (edited values, a molecule whose line ends the library
// changed) lives in a small side store of the record.
// Qt-free. Not guarded: the owner (the record list) serialises access.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TveskSDFileRecord;
class TveskSDFileEntry;

// The data item names of every record of the program. Append-only: an index, once given out,
// names the same text for the life of the process. Any thread.
class TZelmarNamePool {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static TZelmarNamePool& Shared();

    std::uint32_t Intern(std::string_view name);
    // kNone for a name that was never interned (then no record has an item of that name).
    std::uint32_t Find(std::string_view name) const;
    // The text stays valid for the life of the process.
    std::string_view Name(std::uint32_t index) const;

private:
    mutable std::mutex FMutex;
    std::deque<std::string> FNames;  // a deque never moves its elements
    std::unordered_map<std::string_view, std::uint32_t> FIndex;
};

class TZelmarRecordTexts {
public:
    TZelmarRecordTexts() = default;
    ~TZelmarRecordTexts();
    // Copies share the block.
    TZelmarRecordTexts(const TZelmarRecordTexts& other);
    TZelmarRecordTexts& operator=(const TZelmarRecordTexts& other);

    // Not loaded, no bytes, nothing.
    void Clear();
    // Loaded and empty: a record made in the program.
    void MakeEmpty();
    // A record read and taken apart: its bytes, molecule, items, formula and mass. Loaded,
    // unchanged.
    void TakeRecord(const TveskSDFileRecord& record);
    // A record read but not taken apart: only its bytes, not loaded.
    void KeepText(std::string_view text);
    // The same content; the bytes are shared, not copied.
    void Assign(const TZelmarRecordTexts& source) { *this = source; }

    bool Loaded() const { return FLoaded; }
    // The bytes as read from the file, empty for a record made in the program.
    std::string_view OrgText() const;
    std::string_view MolString() const;
    // Loaded and changed; formula and weight are forgotten.
    void SetMolString(std::string_view text);

    int DataCount() const;
    std::string_view DataName(int item) const;
    // The name's index in TZelmarNamePool::Shared(); kNone outside the items.
    std::uint32_t DataNameIndex(int item) const;
    // The first item of exactly this name, or -1.
    int FindData(std::string_view name) const;
    // The same by the name's index in TZelmarNamePool::Shared(), for loops over many records.
    int FindDataByIndex(std::uint32_t nameIndex) const;
    int LineCount(int item) const;
    std::string_view Line(int item, int line) const;
    std::vector<std::string> DataLines(int item) const;
    // The item of this name takes these lines (added at the end when missing); the record
    // counts as changed only when they differ.
    void SetDataLines(std::string_view name, const std::vector<std::string>& lines);
    // Removes the first item of this name, if there is one.
    void DeleteData(std::string_view name);
    // The first item named `from` takes the name `to`.
    void RenameData(std::string_view from, std::string_view to);
    // Appends the item names not yet in the list.
    void AppendNamesTo(std::vector<std::string>& names) const;

    // Empty / 0 until computed. The weight is kept rounded to 3 decimals (RoundWeight).
    const std::string& Formula() const { return FFormula; }
    double Molweight() const { return FMolweight; }
    void SetFormulaAndMolweight(std::string formula, double molweight);
    // The routines library could not read the molecule (a broken connection table): it has
    // no formula and no weight until the molecule is replaced.
    bool MolUnreadable() const { return FMolUnreadable; }
    void SetMolUnreadable() { FMolUnreadable = true; }

    bool MolChanged() const { return FMolChanged; }
    bool IsChanged() const { return FMolChanged || FDataChanged; }
    // The routines binding's entry with the same content and change marks, for writing.
    void FillEntry(TveskSDFileEntry& entry) const;

    // Asks the processor to fetch the block's header and first items: loops over many records
    // in an order that is not the order of memory call it a few records ahead.
    void Prefetch() const {
        if (FBlock == nullptr) return;
        __builtin_prefetch(FBlock);
        __builtin_prefetch(reinterpret_cast<const char*>(FBlock) + 64);
    }

    // The same for the value of the named item, once the block is at hand.
    void PrefetchData(std::string_view name) const {
        const int item = FindData(name);
        if (item >= 0 && LineCount(item) > 0) __builtin_prefetch(Line(item, 0).data());
    }

    // Bytes of the block beyond the original text: tables and side store.
    std::size_t OwnBytes() const;

    struct TSpan {  // a piece of the block's bytes
        std::uint32_t Offset = 0;
        std::uint32_t Length = 0;
    };
    struct TItem {
        std::uint32_t Name = TZelmarNamePool::kNone;
        std::uint32_t FirstLine = 0;  // its lines run up to the next item's first
    };
    struct TBlock;
    struct TParts;

private:
    // Replaces the block (the old one is released).
    void Adopt(TBlock* block);
    TParts Parts() const;
    std::string_view Piece(TSpan span) const;

    // One allocation, never changed once made, shared by copies: a header, the item and
    // line tables, then the bytes: the original text followed by the side store.
    TBlock* FBlock = nullptr;
    std::string FFormula;
    double FMolweight = 0.0;
    bool FMolUnreadable = false;
    bool FLoaded = false;
    bool FMolChanged = false;
    bool FDataChanged = false;
};
