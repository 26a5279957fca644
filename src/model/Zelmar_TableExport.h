#pragma once
// A sheet written for other programs: as an SD file (the records' own bytes), as a table in
// CSV or TSV (the same bytes zelmar-tool export writes) or as an XLSX workbook. A table has a
// header row of column names and one row per record, cells as the sheet shows them: texts as
// UTF-8, weights rounded as shown with a decimal point. Every format replaces its target only
// when it is complete. Qt-free; the UI thread, like every operation on a record list.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Zelmar_Object_SDFileData.h"

enum class TZelmarExportFormat { SDFile, Csv, Tsv, Xlsx };

struct TZelmarExportOptions {
    TZelmarExportFormat Format = TZelmarExportFormat::SDFile;
    // Only the records with a check mark, instead of all.
    bool OnlyChecked = false;
    // The columns of a table; empty: ZelmarExportColumns of the list.
    std::vector<const TZelmarField*> Columns;
    // A table's last column "smiles": each molecule as canonical SMILES, computed by the
    // routines library (empty for a molecule it cannot read).
    bool WithSmiles = false;
};

enum class TZelmarExportResult { Written, Stopped, Failed };

// Per cent done; false stops the export, and the target stays as it was.
using TZelmarExportProgress = std::function<bool(int percent)>;

// The data fields in the sheet's order, then formula, weight and the identifier columns shown.
std::vector<const TZelmarField*> ZelmarExportColumns(TZelmarSDFileDataList& list);
// A column's name in the header row: a data field's name, "formula", "weight", "molecule",
// "smiles", "inchi" or "inchikey";
// empty for the check box and for none.
std::string ZelmarExportColumnName(const TZelmarField* field);
// The cell as the sheet shows it, as UTF-8; a weight rounded as shown, with a point; empty
// when the record has no value.
std::string ZelmarExportCellText(TZelmarSDFileData* record, const TZelmarField* field);

// Quoted when it holds the separator, a quote or a line break; quotes doubled.
std::string ZelmarQuotedCell(std::string_view text, std::string_view separator);
// RFC 4180: quoted when it holds a comma, a quote or a line break; quotes doubled.
std::string ZelmarCsvCell(std::string_view text);
// Without tabs and line breaks: each becomes one blank (CR LF too).
std::string ZelmarTsvCell(std::string_view text);

// The header of the SMILES column, lower case like the other computed columns, so that it
// does not clash with a data field "SMILES" that many files have.
inline constexpr const char* kExportSmilesColumn = "smiles";

// The rows of a table, one per record, in order; false when progress stopped it or the
// routines library for SMILES could not be loaded (error says so).
class TZelmarTableRows {
public:
    TZelmarTableRows(TZelmarSDFileDataList& list, std::vector<const TZelmarField*> columns,
                     bool onlyChecked, bool withSmiles);
    ~TZelmarTableRows();
    // The header's texts.
    std::vector<std::string> Header() const;
    // Calls row(record number, cells) for each row, cells as the sheet shows them; the
    // SMILES cell last.
    bool ForEach(const TZelmarExportProgress& progress,
                 const std::function<bool(int record, const std::vector<std::string>& cells)>& row,
                 std::string& error);
    const std::vector<const TZelmarField*>& Columns() const { return FColumns; }

private:
    TZelmarSDFileDataList& FList;
    std::vector<const TZelmarField*> FColumns;
    bool FOnlyChecked;
    bool FWithSmiles;
};

// The table as CSV (lines ended by CR LF) or TSV (LF). False when progress stopped it or
// the SMILES could not be made (error says why, empty when stopped).
bool ZelmarMakeTextTable(TZelmarSDFileDataList& list,
                         const std::vector<const TZelmarField*>& columns, bool tsv,
                         bool onlyChecked, const TZelmarExportProgress& progress,
                         std::string& table, bool withSmiles = false, std::string* error = nullptr);

// Writes all of the bytes to the descriptor, also when write takes them in parts; false with
// errno set on failure.
bool ZelmarWriteAll(int fd, std::string_view bytes);

// Writes the bytes to a temporary file beside path and renames it over path, so that path
// holds either its old content or all of the bytes. False with errno's value on failure.
bool ZelmarWriteFileWhole(const std::string& path, std::string_view bytes, int& errorNumber);

// For writers that write a file by its name: a new empty file beside path (its descriptor,
// -1 with errno on failure), and putting it in path's place (removed on failure).
int ZelmarMakeTemporaryBeside(const std::string& path, std::string& temporary);
bool ZelmarPutTemporaryInPlace(const std::string& temporary, const std::string& path,
                               int& errorNumber);

// The table as an XLSX workbook of one sheet: a bold header row; the values of numeric data
// fields that are plain numbers and the weights as numbers, everything else as text.
TZelmarExportResult ZelmarWriteXlsx(TZelmarTableRows& rows, const std::string& path,
                                    const TZelmarExportProgress& progress, std::string& error);

// Writes the sheet to path in the chosen format. error: why it failed, in English or as the
// system says it (the caller names the file).
TZelmarExportResult ZelmarExportSheet(TZelmarSDFileDataList& list,
                                      const TZelmarExportOptions& options, const std::string& path,
                                      const TZelmarExportProgress& progress, std::string& error);
