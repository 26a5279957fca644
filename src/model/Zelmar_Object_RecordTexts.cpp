#include "Zelmar_Object_RecordTexts.h"

#include <algorithm>
#include <utility>

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
    std::lock_guard<std::mutex> lock(FMutex);
    const auto found = FIndex.find(name);
    return found == FIndex.end() ? kNone : found->second;
}

std::string_view TZelmarNamePool::Name(std::uint32_t index) const {
    std::lock_guard<std::mutex> lock(FMutex);
    return index < FNames.size() ? std::string_view(FNames[index]) : std::string_view();
}

// ---- TZelmarRecordTexts -------------------------------------------------------------------

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

void TZelmarRecordTexts::Clear() {
    *this = TZelmarRecordTexts();
}

void TZelmarRecordTexts::MakeEmpty() {
    Clear();
    FLoaded = true;
}

void TZelmarRecordTexts::KeepText(std::string_view text) {
    Clear();
    if (!text.empty()) FOrg = std::make_shared<const std::string>(text);
}

void TZelmarRecordTexts::TakeRecord(const TveskSDFileRecord& record) {
    KeepText(record.Text());
    const std::string_view text = OrgText();
    // The library's molecule block is the record's first lines as they stand, unless it
    // changed their line ends; then it is kept aside.
    const std::string_view mol = record.MolText();
    const std::size_t molAt = text.find(mol);
    std::size_t cursor = 0;
    if (molAt != std::string_view::npos) {
        FMol = {static_cast<std::uint32_t>(molAt), static_cast<std::uint32_t>(mol.size())};
        cursor = molAt + mol.size();
    } else {
        FMol = AddToSide(mol);
    }

    std::size_t lineCount = 0;
    for (const auto& item : record.Items()) lineCount += item.LineCount;
    FItems.reserve(record.Items().size());
    FLines.reserve(lineCount);
    TZelmarNamePool& names = TZelmarNamePool::Shared();
    for (const auto& item : record.Items()) {
        FItems.push_back({names.Intern(item.Name), static_cast<std::uint32_t>(FLines.size())});
        for (std::size_t k = 0; k < item.LineCount; ++k) {
            const std::string_view line = record.Line(item, k);
            const std::size_t at = line.empty() ? 0 : FindLineAt(text, cursor, line);
            if (at == std::string_view::npos) {
                FLines.push_back(AddToSide(line));
                continue;
            }
            FLines.push_back(
                {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(line.size())});
            if (!line.empty()) cursor = at + line.size();
        }
    }
    FSide.shrink_to_fit();
    if (record.HasFormula()) {
        FFormula.assign(record.Formula());
        FMolweight = record.Mass();
    }
    FLoaded = true;
}

void TZelmarRecordTexts::Assign(const TZelmarRecordTexts& source) {
    if (&source != this) *this = source;
}

std::string_view TZelmarRecordTexts::OrgText() const {
    return FOrg ? std::string_view(*FOrg) : std::string_view();
}

std::string_view TZelmarRecordTexts::Piece(TSpan span) const {
    if (span.Length == 0) return std::string_view();
    if ((span.Offset & kSide) != 0)
        return std::string_view(FSide).substr(span.Offset & ~kSide, span.Length);
    return OrgText().substr(span.Offset, span.Length);
}

TZelmarRecordTexts::TSpan TZelmarRecordTexts::AddToSide(std::string_view bytes) {
    if (bytes.empty()) return TSpan();
    const auto offset = static_cast<std::uint32_t>(FSide.size());
    FSide.append(bytes);
    return {offset | kSide, static_cast<std::uint32_t>(bytes.size())};
}

void TZelmarRecordTexts::CompactSide() {
    std::string side;
    auto move = [&](TSpan& span) {
        if ((span.Offset & kSide) == 0 || span.Length == 0) return;
        const std::string_view bytes = Piece(span);
        span.Offset = static_cast<std::uint32_t>(side.size()) | kSide;
        side.append(bytes);
    };
    move(FMol);
    for (TSpan& line : FLines) move(line);
    FSide = std::move(side);
}

void TZelmarRecordTexts::SetMolString(std::string_view text) {
    const std::string copy(text);  // the text may be a piece of this record
    FMol = AddToSide(copy);
    CompactSide();
    FFormula.clear();
    FMolweight = 0.0;
    FLoaded = true;
    FMolChanged = true;
}

std::uint32_t TZelmarRecordTexts::LinesEnd(std::size_t item) const {
    return item + 1 < FItems.size() ? FItems[item + 1].FirstLine
                                    : static_cast<std::uint32_t>(FLines.size());
}

std::string_view TZelmarRecordTexts::DataName(int item) const {
    if (item < 0 || item >= DataCount()) return std::string_view();
    return TZelmarNamePool::Shared().Name(FItems[static_cast<std::size_t>(item)].Name);
}

int TZelmarRecordTexts::FindData(std::string_view name) const {
    if (FItems.empty()) return -1;
    const std::uint32_t index = TZelmarNamePool::Shared().Find(name);
    if (index == TZelmarNamePool::kNone) return -1;
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].Name == index) return static_cast<int>(i);
    return -1;
}

int TZelmarRecordTexts::LineCount(int item) const {
    if (item < 0 || item >= DataCount()) return 0;
    const auto at = static_cast<std::size_t>(item);
    return static_cast<int>(LinesEnd(at) - FItems[at].FirstLine);
}

std::string_view TZelmarRecordTexts::Line(int item, int line) const {
    if (line < 0 || line >= LineCount(item)) return std::string_view();
    return Piece(
        FLines[FItems[static_cast<std::size_t>(item)].FirstLine + static_cast<std::size_t>(line)]);
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
    int item = FindData(name);
    if (item >= 0 && LineCount(item) == static_cast<int>(lines.size())) {
        bool same = true;
        for (std::size_t k = 0; k < lines.size() && same; ++k)
            same = Line(item, static_cast<int>(k)) == lines[k];
        if (same) return;
    }
    if (item < 0) {
        FItems.push_back(
            {TZelmarNamePool::Shared().Intern(name), static_cast<std::uint32_t>(FLines.size())});
        item = DataCount() - 1;
    }
    const auto at = static_cast<std::size_t>(item);
    const std::uint32_t first = FItems[at].FirstLine;
    const std::uint32_t oldCount = LinesEnd(at) - first;
    std::vector<TSpan> spans;
    spans.reserve(lines.size());
    for (const std::string& line : lines) spans.push_back(AddToSide(line));
    FLines.erase(FLines.begin() + first, FLines.begin() + first + oldCount);
    FLines.insert(FLines.begin() + first, spans.begin(), spans.end());
    const auto shift = static_cast<std::int64_t>(lines.size()) - oldCount;
    for (std::size_t later = at + 1; later < FItems.size(); ++later)
        FItems[later].FirstLine = static_cast<std::uint32_t>(FItems[later].FirstLine + shift);
    CompactSide();
    FDataChanged = true;
}

void TZelmarRecordTexts::DeleteData(std::string_view name) {
    const int item = FindData(name);
    if (item < 0) return;
    const auto at = static_cast<std::size_t>(item);
    const std::uint32_t first = FItems[at].FirstLine;
    const std::uint32_t count = LinesEnd(at) - first;
    FLines.erase(FLines.begin() + first, FLines.begin() + first + count);
    FItems.erase(FItems.begin() + item);
    for (std::size_t later = at; later < FItems.size(); ++later) FItems[later].FirstLine -= count;
    CompactSide();
    FDataChanged = true;
}

void TZelmarRecordTexts::RenameData(std::string_view from, std::string_view to) {
    const int item = FindData(from);
    if (item < 0 || from == to) return;
    FItems[static_cast<std::size_t>(item)].Name = TZelmarNamePool::Shared().Intern(to);
    FDataChanged = true;
}

void TZelmarRecordTexts::AppendNamesTo(std::vector<std::string>& names) const {
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const std::string_view name = DataName(static_cast<int>(i));
        if (std::find(names.begin(), names.end(), name) == names.end()) names.emplace_back(name);
    }
}

void TZelmarRecordTexts::SetFormulaAndMolweight(std::string formula, double molweight) {
    FFormula = std::move(formula);
    FMolweight = molweight;
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
    return FSide.capacity() + FItems.capacity() * sizeof(TItem) + FLines.capacity() * sizeof(TSpan);
}
