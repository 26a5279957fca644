#include "Zelmar_ClipboardTable.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "Zelmar_TableExport.h"
#include "vesk_ChemRoutines.h"
#include "vesk_Guard.h"

namespace {

std::string CellText(TZelmarSDFileData* record, const TZelmarField* field,
                     TveskMolManager& molecules) {
    if (!field->IsChemistry()) return ZelmarExportCellText(record, field);
    TZelmarDataCarrier value;
    std::string smiles;
    if (record != nullptr && record->GetDataForField(field, &value))
        molecules.GetSmiles(value.Text(), smiles);
    return smiles;
}

// The records' bytes as the sheet's writer writes them, through a file of the writer's own.
bool SDFileOf(TZelmarSDFileDataList& list, const std::vector<int>& records, std::string& bytes) {
    TZelmarRecordRefs refs;
    for (const int index : records)
        if (TZelmarSDFileData* record = list.GetSDFileData(index)) refs.AddObject("", record);
    TZelmarSDFileDataList copy(nullptr);
    copy.Assign(refs);
    std::string path = "/tmp/zelmar-copy-XXXXXX";
    if (const char* folder = std::getenv("TMPDIR")) path = std::string(folder) + "/zelmar-copy-XXXXXX";
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
    if (text.find_first_of("\t\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

bool ZelmarCopyTable(TZelmarSDFileDataList& list, const std::vector<int>& records,
                     const std::vector<const TZelmarField*>& columns, bool withSDFile,
                     TZelmarCopiedTable& out) {
    return Guarded("ZelmarCopyTable", false, [&] {
        out = TZelmarCopiedTable();
        TveskMolManager molecules;
        const auto addRow = [&](const std::vector<std::string>& cells) {
            for (std::size_t c = 0; c < cells.size(); ++c) {
                out.Tsv += (c > 0 ? "\t" : "") + ZelmarClipboardTsvCell(cells[c]);
                out.Csv += (c > 0 ? "," : "") + ZelmarCsvCell(cells[c]);
            }
            out.Tsv += "\n";
            out.Csv += "\r\n";
        };
        std::vector<std::string> cells;
        for (const TZelmarField* field : columns)
            cells.push_back(field->IsChemistry() ? std::string(kExportSmilesColumn)
                                                 : ZelmarExportColumnName(field));
        addRow(cells);
        for (const int index : records) {
            TZelmarSDFileData* record = list.GetSDFileData(index);
            cells.clear();
            for (const TZelmarField* field : columns)
                cells.push_back(CellText(record, field, molecules));
            addRow(cells);
        }
        return !withSDFile || SDFileOf(list, records, out.SDFile);
    });
}
