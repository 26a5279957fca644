// Narrowing a sheet in place: the filter bar's queries run through the search engine over
// every record, and the hits become the rows shown.
#include <algorithm>
#include <string>
#include <string_view>

#include "Zelmar_Numbers.h"
#include "Zelmar_Object_SDFileData.h"
#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_WorkInParts.h"
#include "vesk_Guard.h"
#include "vesk_MulDiv.h"

namespace {

using TRecordSet = TZelmarRecordStore::TRecordSet;

void Collect(const TZelmarRecordRefs& hits, TRecordSet& shown) {
    for (int i = 0; i < hits.GetCount(); ++i) shown.insert(hits.GetObject(i));
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// upperNeedle (ASCII, upper case) in the bytes, ASCII case ignored. Bytes of UTF-8 and
// Windows-1252 characters outside ASCII are never ASCII, so the bytes need no decoding.
bool ContainsCaseBlind(std::string_view bytes, std::string_view upperNeedle) {
    return std::search(bytes.begin(), bytes.end(), upperNeedle.begin(), upperNeedle.end(),
                       [](char a, char b) { return AsciiUpper(a) == b; }) != bytes.end();
}

// computed: the record's formula and identifiers when they are searched too, else empty.
bool RecordContains(const TZelmarSDFileData& record, const std::vector<bool>& names,
                    const std::vector<std::string>& computed, std::string_view upperNeedle) {
    const TZelmarRecordTexts& texts = record.Texts();
    for (int item = 0; item < texts.DataCount(); ++item) {
        const std::uint32_t name = texts.DataNameIndex(item);
        if (name >= names.size() || !names[name]) continue;
        for (int line = 0; line < texts.LineCount(item); ++line)
            if (ContainsCaseBlind(texts.Line(item, line), upperNeedle)) return true;
    }
    for (const std::string& text : computed)
        if (ContainsCaseBlind(text, upperNeedle)) return true;
    return false;
}

}  // namespace

bool TZelmarSDFileDataList::FilterRows(const TZelmarField* field, const std::string& typed) {
    return Guarded("TZelmarSDFileDataList.FilterRows", false, [&] {
        if (typed.find_first_not_of(" \t") == std::string::npos) {
            FRows->Clear();
            return true;
        }
        std::vector<const TZelmarField*> fields;
        if (field != nullptr) {
            fields.push_back(field);
        } else {
            TZelmarFieldRefs searchable;
            EnumSearchableFields(searchable);
            for (int i = 0; i < searchable.GetCount(); ++i) {
                const TZelmarField* candidate = searchable.GetObject(i);
                if (candidate->Kind == ecsdtDataText || candidate->Kind == ecsdtFormula ||
                    ZelmarIsIdentifierKind(candidate->Kind))
                    fields.push_back(candidate);
            }
        }
        TRecordSet shown;
        if (field == nullptr && IsAscii(typed)) {
            if (!FindTextEverywhere(fields, typed, shown)) return false;
            FRows->ShowOnly(shown);
            return true;
        }
        for (const TZelmarField* each : fields) {
            // Looking at every field, a number is looked for as text, as it is written.
            const bool numbers =
                field != nullptr && (each->IsNumericData() || each->Kind == ecsdtMolweight);
            TZelmarFilterQuery parsed;
            if (!ZelmarParseFilterQuery(typed, each->Kind, numbers, DisplayDecimalSeparator(),
                                        parsed))
                return false;
            TZelmarDataCarrier query;
            query.SetKind(parsed.Kind);
            if (parsed.Kind == ecsdtMolweight) {
                query.SetValueFrom(parsed.From);
                query.SetValueTo(parsed.To);
            } else {
                query.SetText(parsed.Text);
            }
            TZelmarRecordRefs hits;
            if (!SearchDataForField(each, &query, false, &hits, false, parsed.Options))
                return false;
            Collect(hits, shown);
        }
        FRows->ShowOnly(shown);
        return true;
    });
}

bool TZelmarSDFileDataList::FilterRowsByStructure(const std::string& molFile, int options,
                                                  bool considerStereo) {
    return Guarded("TZelmarSDFileDataList.FilterRowsByStructure", false, [&] {
        const TZelmarField* field = GetChemistryField();
        if (field == nullptr) return false;
        TZelmarDataCarrier query;
        query.SetKind(ecsdtChemistry);
        query.SetText(molFile);
        TZelmarRecordRefs hits;
        if (!SearchDataForField(field, &query, false, &hits, considerStereo, options)) return false;
        TRecordSet shown;
        Collect(hits, shown);
        FRows->ShowOnly(shown);
        return true;
    });
}

bool TZelmarSDFileDataList::FindTextEverywhere(const std::vector<const TZelmarField*>& fields,
                                               const std::string& typed,
                                               TZelmarRecordStore::TRecordSet& found) {
    // The engine's "contains" with case ignored, for every field at once: the engine would
    // decode and fold each value of each field in turn, many times the work for a plain
    // ASCII text, whose case folding leaves every other character as it is.
    TZelmarFilterQuery parsed;
    if (!ZelmarParseFilterQuery(typed, ecsdtDataText, false, '.', parsed)) return false;
    std::string needle = parsed.Text;
    std::transform(needle.begin(), needle.end(), needle.begin(), AsciiUpper);
    std::vector<bool> names;
    bool formula = false;
    std::vector<TZelmarFieldKind> identifiers;
    for (const TZelmarField* field : fields) {
        if (field->Kind == ecsdtFormula) formula = true;
        if (ZelmarIsIdentifierKind(field->Kind)) identifiers.push_back(field->Kind);
        if (field->Kind != ecsdtDataText) continue;
        const std::uint32_t index = TZelmarNamePool::Shared().Find(field->Name);
        if (index == TZelmarNamePool::kNone) continue;
        if (index >= names.size()) names.resize(index + 1, false);
        names[index] = true;
    }
    if (OnStartSearch) OnStartSearch(this);
    bool completed = false;
    {
        // Also after a failure: whoever showed the search as running must see it end.
        struct TEnd {
            TZelmarSDFileDataList* List;
            ~TEnd() {
                GuardedVoid("TZelmarSDFileDataList.FindTextEverywhere", [this] {
                    if (List->OnEndSearch) List->OnEndSearch(List);
                });
            }
        } end{this};
        // Read here, on this thread; the helpers only look at the texts.
        const int count = GetCount();
        std::vector<TZelmarSDFileData*> records(static_cast<std::size_t>(count));
        std::vector<std::vector<std::string>> computed(records.size());
        for (std::size_t k = 0; k < records.size(); ++k) {
            records[k] = GetSDFileData(static_cast<int>(k));
            // Computed on first asking: asked here, not by the helpers.
            if (formula && records[k] != nullptr) computed[k].push_back(records[k]->GetFormula());
        }
        // Identifiers not kept yet are made first, on every core.
        std::vector<std::string> values;
        for (const TZelmarFieldKind kind : identifiers) {
            if (!ZelmarRecordIdentifiers(
                    records, kind, values, [&](std::size_t done, std::size_t total) {
                        return !OnSearchProgress ||
                               OnSearchProgress(
                                   this, platform::MulDiv(static_cast<int>(done), 100,
                                                          std::max(1, static_cast<int>(total))));
                    }))
                return false;
            for (std::size_t k = 0; k < records.size(); ++k)
                computed[k].push_back(std::move(values[k]));
        }
        std::vector<char> hit(records.size(), 0);
        completed = ZelmarRunInParts(
            records.size(),
            [&](std::size_t first, std::size_t last, unsigned) {
                for (std::size_t k = first; k < last; ++k)
                    hit[k] = records[k] != nullptr &&
                             RecordContains(*records[k], names, computed[k], needle);
            },
            [&](std::size_t done) {
                return !OnSearchProgress ||
                       OnSearchProgress(
                           this, platform::MulDiv(static_cast<int>(done), 100, std::max(count, 1)));
            },
            ZelmarWorkThreads());
        for (std::size_t k = 0; k < records.size(); ++k)
            if (hit[k]) found.insert(records[k]);
    }
    return completed;
}
