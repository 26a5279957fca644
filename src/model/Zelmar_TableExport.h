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
};

enum class TZelmarExportResult { Written, Stopped, Failed };

// Per cent done; false stops the export, and the target stays as it was.
using TZelmarExportProgress = std::function<bool(int percent)>;

// The data fields in the sheet's order, then formula and weight.
std::vector<const TZelmarField*> ZelmarExportColumns(TZelmarSDFileDataList& list);
// A column's name in the header row: a data field's name, "formula", "weight" or "molecule";
// empty for the check box and for none.
std::string ZelmarExportColumnName(const TZelmarField* field);
// The cell as the sheet shows it, as UTF-8; a weight rounded as shown, with a point; empty
// when the record has no value.
std::string ZelmarExportCellText(TZelmarSDFileData* record, const TZelmarField* field);

// RFC 4180: quoted when it holds a comma, a quote or a line break; quotes doubled.
std::string ZelmarCsvCell(std::string_view text);
// Without tabs and line breaks: each becomes one blank (CR LF too).
std::string ZelmarTsvCell(std::string_view text);

// The table as CSV (lines ended by CR LF) or TSV (LF). False when progress stopped it.
bool ZelmarMakeTextTable(TZelmarSDFileDataList& list,
                         const std::vector<const TZelmarField*>& columns, bool tsv,
                         bool onlyChecked, const TZelmarExportProgress& progress,
                         std::string& table);

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
TZelmarExportResult ZelmarWriteXlsx(TZelmarSDFileDataList& list,
                                    const std::vector<const TZelmarField*>& columns,
                                    bool onlyChecked, const std::string& path,
                                    const TZelmarExportProgress& progress, std::string& error);

// Writes the sheet to path in the chosen format. error: why it failed, in English or as the
// system says it (the caller names the file).
TZelmarExportResult ZelmarExportSheet(TZelmarSDFileDataList& list,
                                      const TZelmarExportOptions& options, const std::string& path,
                                      const TZelmarExportProgress& progress, std::string& error);
