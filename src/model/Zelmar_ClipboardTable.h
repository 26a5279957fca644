#pragma once
// Rows or a block of cells of a sheet as other programs take them from the clipboard: a
// tab-separated table (what spreadsheets paste), the same as CSV, and for whole rows the
// records as an SD file with their own bytes. A header row names the columns; formula and
// weight are as shown (weights with a point), the molecule is its SMILES. Qt-free.

#include <functional>
#include <string>
#include <vector>

#include "Zelmar_Object_SDFileData.h"

struct TZelmarCopiedTable {
    std::string Tsv;
    std::string Csv;
    std::string SDFile;  // empty unless asked for
};

// A spreadsheet's tab-separated cell: quoted, quotes doubled, when it holds a tab, a quote or
// a line break, so that a value of several lines stays one cell.
std::string ZelmarClipboardTsvCell(const std::string& text);

// A tab-separated block as spreadsheets and browser tables copy it: rows of cells, quoted
// cells unquoted (they may hold tabs and line breaks), CR LF or LF between rows, no row for a
// final line break.
std::vector<std::vector<std::string>> ZelmarParseTsv(const std::string& text);

// Whether a text is an SD file's records rather than a table or a value.
bool ZelmarLooksLikeSDText(const std::string& text);

// Per cent done, while the molecules' SMILES are made; false stops.
using TZelmarCopyProgress = std::function<bool(int percent)>;

// The records at the list positions, in that order, under the columns. False when stopped or
// on failure.
bool ZelmarCopyTable(TZelmarSDFileDataList& list, const std::vector<int>& records,
                     const std::vector<const TZelmarField*>& columns, bool withSDFile,
                     TZelmarCopiedTable& out, const TZelmarCopyProgress& progress = nullptr);
