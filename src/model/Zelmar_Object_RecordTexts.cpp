#include "Zelmar_Object_RecordTexts.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "Zelmar_Numbers.h"
#include "vesk_ChemRoutines.h"

// ---- TZelmarNamePool ----------------------------------------------------------------------

TZelmarNamePool& TZelmarNamePool::Shared() {
    static TZelmarNamePool pool;
    return pool;
}

std::uint32_t TZelmarNamePool::Intern(std::string_view name) {
    std::lock_guard<std::mutex> lock(FMutex);
    const auto found = FIndex.find(name);
    if (found != FIndex.end()) return found->second;
    const auto index = static_cast<std::uint32_t>(FNames.size());
    FNames.emplace_back(name);
    FIndex.emplace(FNames.back(), index);
    return index;
}

std::uint32_t TZelmarNamePool::Find(std::string_view name) const {
    // Sorting and searching ask for one name a million times in a row: the last answer
    // found is remembered per thread (an index, once given, never changes).
    thread_local const TZelmarNamePool* lastPool = nullptr;
    thread_local std::string lastName;
    thread_local std::uint32_t lastIndex = kNone;
    if (lastPool == this && lastName == name) return lastIndex;
    std::uint32_t index = kNone;
    {
        std::lock_guard<std::mutex> lock(FMutex);
        const auto found = FIndex.find(name);
        if (found != FIndex.end()) index = found->second;
    }
    if (index != kNone) {
        lastPool = this;
        lastName.assign(name);
        lastIndex = index;
    }
    return index;
}

std::string_view TZelmarNamePool::Name(std::uint32_t index) const {
    std::lock_guard<std::mutex> lock(FMutex);
    return index < FNames.size() ? std::string_view(FNames[index]) : std::string_view();
}

// ---- TZelmarRecordTexts -------------------------------------------------------------------

struct TZelmarRecordTexts::TBlock {
    std::atomic<std::uint32_t> Refs{1};
    std::uint32_t OrgSize = 0;
    std::uint32_t ByteCount = 0;
    std::uint32_t ItemCount = 0;
    std::uint32_t LineCount = 0;
    TSpan Mol;

    TItem* Items() { return reinterpret_cast<TItem*>(this + 1); }
    TSpan* Lines() { return reinterpret_cast<TSpan*>(Items() + ItemCount); }
    char* Bytes() { return reinterpret_cast<char*>(Lines() + LineCount); }
    const TItem* Items() const { return reinterpret_cast<const TItem*>(this + 1); }
    const TSpan* Lines() const { return reinterpret_cast<const TSpan*>(Items() + ItemCount); }
    const char* Bytes() const { return reinterpret_cast<const char*>(Lines() + LineCount); }
};

// A record's content while it is being built or edited: pieces below Org.size() lie in the
// original text, the others in Side.
struct TZelmarRecordTexts::TParts {
    std::string_view Org;
    std::string Side;
    std::vector<TItem> Items;
    std::vector<TSpan> Lines;
    TSpan Mol;

    TSpan AddToSide(std::string_view bytes) {
        if (bytes.empty()) return TSpan();
        const auto offset = static_cast<std::uint32_t>(Org.size() + Side.size());
        Side.append(bytes);
        return {offset, static_cast<std::uint32_t>(bytes.size())};
    }
    std::uint32_t LinesEnd(std::size_t item) const {
        return item + 1 < Items.size() ? Items[item + 1].FirstLine
                                       : static_cast<std::uint32_t>(Lines.size());
    }
    bool InSide(TSpan span) const { return span.Length > 0 && span.Offset >= Org.size(); }
    // The block, with only the side bytes some piece still refers to.
    TBlock* Make() const {
        static_assert(alignof(TBlock) >= alignof(TItem) && alignof(TItem) == alignof(TSpan));
        std::size_t sideSize = InSide(Mol) ? Mol.Length : 0;
        for (const TSpan& line : Lines)
            if (InSide(line)) sideSize += line.Length;
        const std::size_t size = sizeof(TBlock) + Items.size() * sizeof(TItem) +
                                 Lines.size() * sizeof(TSpan) + Org.size() + sideSize;
        auto* block = new (::operator new(size)) TBlock;
        block->OrgSize = static_cast<std::uint32_t>(Org.size());
        block->ByteCount = static_cast<std::uint32_t>(Org.size() + sideSize);
        block->ItemCount = static_cast<std::uint32_t>(Items.size());
        block->LineCount = static_cast<std::uint32_t>(Lines.size());
        std::uninitialized_copy(Items.begin(), Items.end(), block->Items());
        std::uninitialized_copy(Lines.begin(), Lines.end(), block->Lines());
        // A record made in the program has no original text (and a null view of it).
        if (!Org.empty()) std::memcpy(block->Bytes(), Org.data(), Org.size());
        std::size_t at = Org.size();
        auto place = [&](TSpan& span) {
            if (!InSide(span)) return;
            std::memcpy(block->Bytes() + at, Side.data() + (span.Offset - Org.size()), span.Length);
            span.Offset = static_cast<std::uint32_t>(at);
            at += span.Length;
        };
        block->Mol = Mol;
        place(block->Mol);
        for (std::uint32_t k = 0; k < block->LineCount; ++k) place(block->Lines()[k]);
        return block;
    }
};

namespace {

// Where `piece` starts in `text` at or after `from`, at the start of a line; npos if not.
std::size_t FindLineAt(std::string_view text, std::size_t from, std::string_view piece) {
    while (from <= text.size()) {
        if (text.compare(from, piece.size(), piece) == 0) return from;
        const std::size_t lineEnd = text.find('\n', from);
        if (lineEnd == std::string_view::npos) break;
        from = lineEnd + 1;
    }
    return std::string_view::npos;
}

}  // namespace

TZelmarRecordTexts::~TZelmarRecordTexts() {
    Adopt(nullptr);
}

TZelmarRecordTexts::TZelmarRecordTexts(const TZelmarRecordTexts& other) {
    *this = other;
}

TZelmarRecordTexts& TZelmarRecordTexts::operator=(const TZelmarRecordTexts& other) {
    if (&other == this) return *this;
    if (other.FBlock != nullptr) other.FBlock->Refs.fetch_add(1, std::memory_order_relaxed);
    Adopt(other.FBlock);
    FFormula = other.FFormula;
    FMolweight = other.FMolweight;
    FMolUnreadable = other.FMolUnreadable;
    FLoaded = other.FLoaded;
    FMolChanged = other.FMolChanged;
    FDataChanged = other.FDataChanged;
    return *this;
}

void TZelmarRecordTexts::Adopt(TBlock* block) {
    TBlock* old = FBlock;
    FBlock = block;
    if (old != nullptr && old->Refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        old->~TBlock();
        ::operator delete(old);
    }
}

void TZelmarRecordTexts::Clear() {
    Adopt(nullptr);
    FFormula.clear();
    FMolweight = 0.0;
    FMolUnreadable = FLoaded = FMolChanged = FDataChanged = false;
}

void TZelmarRecordTexts::MakeEmpty() {
    Clear();
    FLoaded = true;
}

void TZelmarRecordTexts::KeepText(std::string_view text) {
    Clear();
    if (text.empty()) return;
    TParts parts;
    parts.Org = text;
    Adopt(parts.Make());
}

void TZelmarRecordTexts::TakeRecord(const TveskSDFileRecord& record) {
    Clear();
    TParts parts;
    parts.Org = record.Text();
    const std::string_view text = parts.Org;
    // The library's molecule block is the record's first lines as they stand, unless it
    // changed their line ends; then it goes to the side store.
    const std::string_view mol = record.MolText();
    const std::size_t molAt = text.find(mol);
    std::size_t cursor = 0;
    if (molAt != std::string_view::npos) {
        parts.Mol = {static_cast<std::uint32_t>(molAt), static_cast<std::uint32_t>(mol.size())};
        cursor = molAt + mol.size();
    } else {
        parts.Mol = parts.AddToSide(mol);
    }

    std::size_t lineCount = 0;
    for (const auto& item : record.Items()) lineCount += item.LineCount;
    parts.Items.reserve(record.Items().size());
    parts.Lines.reserve(lineCount);
    TZelmarNamePool& names = TZelmarNamePool::Shared();
    for (const auto& item : record.Items()) {
        parts.Items.push_back(
            {names.Intern(item.Name), static_cast<std::uint32_t>(parts.Lines.size())});
        for (std::size_t k = 0; k < item.LineCount; ++k) {
            const std::string_view line = record.Line(item, k);
            const std::size_t at = line.empty() ? 0 : FindLineAt(text, cursor, line);
            if (at == std::string_view::npos) {
                parts.Lines.push_back(parts.AddToSide(line));
                continue;
            }
            parts.Lines.push_back(
                {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(line.size())});
            if (!line.empty()) cursor = at + line.size();
        }
    }
    Adopt(parts.Make());
    if (record.HasFormula()) SetFormulaAndMolweight(std::string(record.Formula()), record.Mass());
    FMolUnreadable = !record.MoleculeError().empty();
    FLoaded = true;
}

TZelmarRecordTexts::TParts TZelmarRecordTexts::Parts() const {
    TParts parts;
    if (FBlock == nullptr) return parts;
    // Pieces keep their offsets: the side store follows the original text as in the block.
    parts.Org = std::string_view(FBlock->Bytes(), FBlock->OrgSize);
    parts.Side.assign(FBlock->Bytes() + FBlock->OrgSize, FBlock->ByteCount - FBlock->OrgSize);
    parts.Items.assign(FBlock->Items(), FBlock->Items() + FBlock->ItemCount);
    parts.Lines.assign(FBlock->Lines(), FBlock->Lines() + FBlock->LineCount);
    parts.Mol = FBlock->Mol;
    return parts;
}

std::string_view TZelmarRecordTexts::Piece(TSpan span) const {
    if (FBlock == nullptr || span.Length == 0) return std::string_view();
    return std::string_view(FBlock->Bytes() + span.Offset, span.Length);
}

std::string_view TZelmarRecordTexts::OrgText() const {
    return FBlock == nullptr ? std::string_view()
                             : std::string_view(FBlock->Bytes(), FBlock->OrgSize);
}

std::string_view TZelmarRecordTexts::MolString() const {
    return FBlock == nullptr ? std::string_view() : Piece(FBlock->Mol);
}

void TZelmarRecordTexts::SetMolString(std::string_view text) {
    TParts parts = Parts();
    parts.Mol = parts.AddToSide(text);
    Adopt(parts.Make());
    FFormula.clear();
    FMolweight = 0.0;
    FMolUnreadable = false;
    FLoaded = true;
    FMolChanged = true;
}

int TZelmarRecordTexts::DataCount() const {
    return FBlock == nullptr ? 0 : static_cast<int>(FBlock->ItemCount);
}

std::string_view TZelmarRecordTexts::DataName(int item) const {
    if (item < 0 || item >= DataCount()) return std::string_view();
    return TZelmarNamePool::Shared().Name(FBlock->Items()[item].Name);
}

std::uint32_t TZelmarRecordTexts::DataNameIndex(int item) const {
    if (item < 0 || item >= DataCount()) return TZelmarNamePool::kNone;
    return FBlock->Items()[item].Name;
}

int TZelmarRecordTexts::FindData(std::string_view name) const {
    if (DataCount() == 0) return -1;
    return FindDataByIndex(TZelmarNamePool::Shared().Find(name));
}

int TZelmarRecordTexts::FindDataByIndex(std::uint32_t nameIndex) const {
    if (nameIndex == TZelmarNamePool::kNone) return -1;
    const int count = DataCount();
    for (int i = 0; i < count; ++i)
        if (FBlock->Items()[i].Name == nameIndex) return i;
    return -1;
}

int TZelmarRecordTexts::LineCount(int item) const {
    if (item < 0 || item >= DataCount()) return 0;
    const std::uint32_t end =
        item + 1 < DataCount() ? FBlock->Items()[item + 1].FirstLine : FBlock->LineCount;
    return static_cast<int>(end - FBlock->Items()[item].FirstLine);
}

std::string_view TZelmarRecordTexts::Line(int item, int line) const {
    if (line < 0 || line >= LineCount(item)) return std::string_view();
    return Piece(
        FBlock->Lines()[FBlock->Items()[item].FirstLine + static_cast<std::uint32_t>(line)]);
}

std::vector<std::string> TZelmarRecordTexts::DataLines(int item) const {
    std::vector<std::string> lines;
    const int count = LineCount(item);
    lines.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) lines.emplace_back(Line(item, k));
    return lines;
}

void TZelmarRecordTexts::SetDataLines(std::string_view name,
                                      const std::vector<std::string>& lines) {
    const int found = FindData(name);
    if (found >= 0 && LineCount(found) == static_cast<int>(lines.size())) {
        bool same = true;
        for (std::size_t k = 0; k < lines.size() && same; ++k)
            same = Line(found, static_cast<int>(k)) == lines[k];
        if (same) return;
    }
    TParts parts = Parts();
    if (found < 0)
        parts.Items.push_back({TZelmarNamePool::Shared().Intern(name),
                               static_cast<std::uint32_t>(parts.Lines.size())});
    const std::size_t at = found < 0 ? parts.Items.size() - 1 : static_cast<std::size_t>(found);
    const std::uint32_t first = parts.Items[at].FirstLine;
    const std::uint32_t oldCount = parts.LinesEnd(at) - first;
    std::vector<TSpan> spans;
    spans.reserve(lines.size());
    for (const std::string& line : lines) spans.push_back(parts.AddToSide(line));
    parts.Lines.erase(parts.Lines.begin() + first, parts.Lines.begin() + first + oldCount);
    parts.Lines.insert(parts.Lines.begin() + first, spans.begin(), spans.end());
    for (std::size_t later = at + 1; later < parts.Items.size(); ++later)
        parts.Items[later].FirstLine =
            parts.Items[later].FirstLine - oldCount + static_cast<std::uint32_t>(lines.size());
    Adopt(parts.Make());
    FDataChanged = true;
}

void TZelmarRecordTexts::DeleteData(std::string_view name) {
    const int found = FindData(name);
    if (found < 0) return;
    TParts parts = Parts();
    const auto at = static_cast<std::size_t>(found);
    const std::uint32_t first = parts.Items[at].FirstLine;
    const std::uint32_t count = parts.LinesEnd(at) - first;
    parts.Lines.erase(parts.Lines.begin() + first, parts.Lines.begin() + first + count);
    parts.Items.erase(parts.Items.begin() + found);
    for (std::size_t later = at; later < parts.Items.size(); ++later)
        parts.Items[later].FirstLine -= count;
    Adopt(parts.Make());
    FDataChanged = true;
}

void TZelmarRecordTexts::RenameData(std::string_view from, std::string_view to) {
    const int found = FindData(from);
    if (found < 0 || from == to) return;
    TParts parts = Parts();
    parts.Items[static_cast<std::size_t>(found)].Name = TZelmarNamePool::Shared().Intern(to);
    Adopt(parts.Make());
    FDataChanged = true;
}

void TZelmarRecordTexts::AppendNamesTo(std::vector<std::string>& names) const {
    for (int i = 0; i < DataCount(); ++i) {
        const std::string_view name = DataName(i);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
    }
}

void TZelmarRecordTexts::SetFormulaAndMolweight(std::string formula, double molweight) {
    FFormula = std::move(formula);
    // Rounded once, here: what is shown is what sorts, searches and compares.
    FMolweight = RoundWeight(molweight);
}

void TZelmarRecordTexts::FillEntry(TveskSDFileEntry& entry) const {
    entry.ClearEntry();
    for (int i = 0; i < DataCount(); ++i) {
        TveskSDFileEntryData* item = entry.AddData(std::string(DataName(i)));
        if (item != nullptr) item->Lines = DataLines(i);
    }
    if (FLoaded) entry.SetMolString(std::string(MolString()));
    entry.SetOrgText(std::string(OrgText()));
    entry.SetChangeMarks(FMolChanged, FDataChanged);
}

std::size_t TZelmarRecordTexts::OwnBytes() const {
    if (FBlock == nullptr) return 0;
    return sizeof(TBlock) + FBlock->ItemCount * sizeof(TItem) + FBlock->LineCount * sizeof(TSpan) +
           (FBlock->ByteCount - FBlock->OrgSize);
}
