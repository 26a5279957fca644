#include "Zelmar_ClipboardTable.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Zelmar_RecordIdentifiers.h"
#include "Zelmar_RecordSmiles.h"
#include "Zelmar_TableExport.h"
#include "vesk_Guard.h"

namespace {

// The records' bytes as the sheet's writer writes them, through a file of the writer's own.
bool SDFileOf(TZelmarSDFileDataList& list, const std::vector<int>& records, std::string& bytes) {
    TZelmarRecordRefs refs;
    for (const int index : records)
        if (TZelmarSDFileData* record = list.GetSDFileData(index)) refs.AddObject("", record);
    TZelmarSDFileDataList copy(nullptr);
    copy.Assign(refs);
    std::string path = (std::filesystem::temp_directory_path() / "zelmar-copy-XXXXXX").string();
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return false;
    ::close(fd);
    std::string error;
    const bool written = copy.WriteCopyTo(path, false, nullptr, error);
    if (written) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::remove(path.c_str());
    return written;
}

}  // namespace

std::string ZelmarClipboardTsvCell(const std::string& text) {
    return ZelmarQuotedCell(text, "\t");
}

std::vector<std::vector<std::string>> ZelmarParseTsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string cell;
    bool quoted = false;
    bool atCellStart = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == '"' && atCellStart) {
            quoted = true;
            atCellStart = false;
        } else if (c == '\t') {
            rows.back().push_back(std::move(cell));
            cell.clear();
            atCellStart = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            rows.back().push_back(std::move(cell));
            cell.clear();
            rows.emplace_back();
            atCellStart = true;
        } else {
            cell += c;
            atCellStart = false;
        }
    }
    if (!atCellStart || !cell.empty() || !rows.back().empty()) rows.back().push_back(cell);
    if (rows.back().empty()) rows.pop_back();
    return rows;
}

bool ZelmarLooksLikeSDText(const std::string& text) {
    return text.find("M  END") != std::string::npos &&
           (text.find("\n$$$$") != std::string::npos || text.rfind("$$$$", 0) == 0);
}

bool ZelmarCopyTable(TZelmarSDFileDataList& list, const std::vector<int>& records,
                     const std::vector<const TZelmarField*>& columns, bool withSDFile,
                     TZelmarCopiedTable& out, const TZelmarCopyProgress& progress) {
    return Guarded("ZelmarCopyTable", false, [&] {
        out = TZelmarCopiedTable();
        const auto addRow = [&](const std::vector<std::string>& cells) {
            for (std::size_t c = 0; c < cells.size(); ++c) {
                out.Tsv += (c > 0 ? "\t" : "") + ZelmarClipboardTsvCell(cells[c]);
                out.Csv += (c > 0 ? "," : "") + ZelmarCsvCell(cells[c]);
            }
            out.Tsv += "\n";
            out.Csv += "\r\n";
        };
        std::vector<TZelmarSDFileData*> rows;
        rows.reserve(records.size());
        for (const int index : records) rows.push_back(list.GetSDFileData(index));
        // The SMILES are the costly part: made first, on every core, with the progress.
        std::vector<std::string> smiles;
        const bool withMolecule = std::any_of(
            columns.begin(), columns.end(), [](const TZelmarField* f) { return f->IsChemistry(); });
        if (withMolecule &&
            !ZelmarRecordSmiles(rows, smiles, [&](std::size_t done, std::size_t total) {
                return !progress ||
                       progress(total == 0 ? 100 : static_cast<int>(done * 100 / total));
            }))
            return false;
        // So are identifier columns whose values are not kept yet.
        std::vector<std::string> values;
        for (const TZelmarField* field : columns)
            if (ZelmarIsIdentifierKind(field->Kind) &&
                !ZelmarRecordIdentifiers(
                    rows, field->Kind, values, [&](std::size_t done, std::size_t total) {
                        return !progress ||
                               progress(total == 0 ? 100 : static_cast<int>(done * 100 / total));
                    }))
                return false;
        std::vector<std::string> cells;
        for (const TZelmarField* field : columns)
            cells.push_back(field->IsChemistry() ? std::string(kExportSmilesColumn)
                                                 : ZelmarExportColumnName(field));
        addRow(cells);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            cells.clear();
            for (const TZelmarField* field : columns)
                cells.push_back(field->IsChemistry() ? smiles[k]
                                                     : ZelmarExportCellText(rows[k], field));
            addRow(cells);
        }
        return !withSDFile || SDFileOf(list, records, out.SDFile);
    });
}
