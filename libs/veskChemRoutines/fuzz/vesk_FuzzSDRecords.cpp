// libFuzzer target for the record scanner, the record splitter, the writer's record text and
// the quick V2000 reader. Besides not crashing, it checks the properties the library relies
// on: scanning in pieces finds the same records as scanning at once, and a split record
// written and split again gives the same molecule block and items.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "vesk_MolTable.h"
#include "vesk_SDFile.h"
#include "vesk_SDRecord.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::uint64_t> Scan(std::string_view data, std::size_t piece) {
    vesk::RecordScanner scanner;
    for (std::size_t pos = 0; pos < data.size(); pos += piece) {
        scanner.Feed(data.data() + pos, std::min(piece, data.size() - pos));
    }
    scanner.Finish();
    return scanner.TakeStarts();
}

void CheckRoundTrip(std::string_view text) {
    vesk::SDRecord record;
    std::string error;
    if (!vesk::SplitSDRecord(text, record, error)) {
        Check(!error.empty());
        return;
    }
    std::string block;
    Check(vesk::MolBlockForWriting(record.molBlock, block, error));
    Check(block == record.molBlock);

    std::vector<vesk::SDDataItem> items;
    for (const vesk::SDItem& item : record.items) {
        vesk::SDDataItem& copy = items.emplace_back();
        copy.name.assign(item.name);
        for (std::string_view line : item.lines) copy.lines.emplace_back(line);
    }
    std::vector<const vesk::SDDataItem*> views;
    for (const vesk::SDDataItem& item : items) views.push_back(&item);
    std::string written;
    if (!vesk::AppendSDRecord(written, block, views, error)) return;  // e.g. '>' in a name

    vesk::SDRecord again;
    Check(vesk::SplitSDRecord(written, again, error));
    Check(again.molBlock == record.molBlock);
    Check(again.items.size() == record.items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        Check(again.items[i].name == record.items[i].name);
        Check(again.items[i].lines.size() == record.items[i].lines.size());
        for (std::size_t k = 0; k < items[i].lines.size(); ++k) {
            Check(again.items[i].lines[k] == record.items[i].lines[k]);
        }
    }
    // The written text is one record.
    Check(Scan(written, written.size()).size() == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    std::vector<std::uint64_t> whole = Scan(text, text.size() ? text.size() : 1);
    std::size_t piece = 1 + (size ? data[0] % 7 : 0);
    Check(Scan(text, piece) == whole);
    for (std::size_t i = 0; i < whole.size(); ++i) {
        Check(whole[i] < size);
        Check(whole[i] == 0 || text[whole[i] - 1] == '\n');
        if (i > 0) Check(whole[i] > whole[i - 1]);
        std::uint64_t end = i + 1 < whole.size() ? whole[i + 1] : size;
        CheckRoundTrip(text.substr(whole[i], end - whole[i]));
    }
    CheckRoundTrip(text);

    vesk::CTab ctab;
    std::string problem;
    vesk::CTabResult read = vesk::ReadPlainV2000(text, ctab, problem);
    Check((read == vesk::CTabResult::kBroken) == !problem.empty());
    if (read == vesk::CTabResult::kPlain) {
        for (const vesk::CTabBond& bond : ctab.bonds) {
            Check(bond.first >= 0 && bond.second >= 0 && bond.first != bond.second);
            Check(static_cast<std::size_t>(bond.first) < ctab.atoms.size());
            Check(static_cast<std::size_t>(bond.second) < ctab.atoms.size());
        }
    }

    std::string block;
    std::string error;
    if (vesk::MolBlockForWriting(text, block, error)) {
        // What the writer produces for any molecule text reads back as its own block.
        std::string written;
        Check(vesk::AppendSDRecord(written, block, {}, error));
        vesk::SDRecord record;
        Check(vesk::SplitSDRecord(written, record, error));
        Check(record.molBlock == block);
        Check(record.items.empty());
    }
    return 0;
}
