// What a spreadsheet makes of our tables: LibreOffice Calc, without a window, reads the
// clipboard's TSV and CSV and the exported XLSX and writes them out again as CSV, which must
// hold the very cells we meant, one by one.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LoadingTestSupport.h"
#include "Zelmar_ClipboardTable.h"
#include "Zelmar_TableExport.h"

using namespace loading_support;

namespace {

using TCells = std::vector<std::vector<std::string>>;

// RFC 4180 as Calc writes it: quoted cells may hold separators, quotes and line breaks.
TCells ParseCsv(const std::string& text) {
    TCells rows;
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false, any = false;
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
        } else if (c == '"') {
            quoted = any = true;
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
            any = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.push_back(std::move(cell));
            rows.push_back(std::move(row));
            row.clear();
            cell.clear();
            any = false;
        } else {
            cell += c;
            any = true;
        }
    }
    if (any) {
        row.push_back(cell);
        rows.push_back(row);
    }
    return rows;
}

// A spreadsheet cell keeps a line break as LF, whatever the file had.
TCells WithCellLineFeeds(TCells rows) {
    for (auto& row : rows) {
        for (auto& cell : row) {
            std::string out;
            for (std::size_t i = 0; i < cell.size(); ++i) {
                if (cell[i] == '\r' && i + 1 < cell.size() && cell[i + 1] == '\n') continue;
                out += cell[i];
            }
            cell = out;
        }
    }
    return rows;
}

class CalcReadsTables : public ::testing::Test {
protected:
    void SetUp() override {
        if (::access(ZELMAR_SOFFICE, X_OK) != 0) {
#ifdef ZELMAR_REQUIRE_CALC
            FAIL() << "LibreOffice Calc (soffice) is missing: " << ZELMAR_SOFFICE;
#else
            GTEST_SKIP() << "LibreOffice Calc (soffice) is not installed";
#endif
        }
        // Ethanol, benzene-free chains: SMILES the routines library writes, formula and weight.
        const std::string text =
            SDRecord(MolBlock("m1", {"C", "C", "O"}), {{"NAME",
                                                        {"\xC3\x84ther Gr\xC3\xB6\xC3\x9F"
                                                         "e"}},
                                                       {"ACT", {"2.5"}}}) +
            SDRecord(MolBlock("m2", {"C", "O"}), {{"NAME", {"zwei", "Zeilen"}}, {"ACT", {"10"}}}) +
            SDRecord(MolBlock("m3", {"C", "C", "N"}), {{"NAME", {"Tab\there"}}, {"ACT", {"-3"}}}) +
            SDRecord(MolBlock("m4", {"O", "C", "C", "O"}),
                     {{"NAME", {"sagt \"hallo\", laut"}}, {"ACT", {"0.125"}}});
        ASSERT_TRUE(Sheet.Load(Dir.Write("made.sdf", text)));
        ASSERT_EQ(Sheet.List->GetCount(), 4);
    }

    // Calc reads the file with the filter options and writes every cell as it holds it.
    TCells ReadByCalc(const std::string& file, const std::string& inFilter) {
        const std::string out = Dir.Path("calc");
        std::filesystem::create_directories(out);
        // A profile of the test's own, so that runs side by side do not share one; numbers
        // read and written the English way, with a decimal point.
        const std::string command =
            "LC_ALL=C.UTF-8 LANG=C.UTF-8 '" + std::string(ZELMAR_SOFFICE) +
            "' -env:UserInstallation=file://" + Dir.Path("profile") + " --headless" +
            (inFilter.empty() ? std::string() : " --infilter='" + inFilter + "'") +
            " --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true'" +
            " --outdir '" + out + "' '" + file + "' >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        const std::string written =
            out + "/" + std::filesystem::path(file).stem().string() + ".csv";
        EXPECT_TRUE(std::filesystem::exists(written)) << command;
        return ParseCsv(ReadText(written));
    }

    // Every column of the sheet but the check box, the molecule first, as a whole row is copied.
    std::vector<const TZelmarField*> AllColumns() {
        std::vector<const TZelmarField*> columns;
        for (int i = 0; i < Sheet.List->GetFieldCount(); ++i)
            if (Sheet.List->GetField(i)->IsChemistry()) columns.push_back(Sheet.List->GetField(i));
        for (const TZelmarField* field : ZelmarExportColumns(*Sheet.List)) columns.push_back(field);
        return columns;
    }

    TTempDir Dir;
    TSheet Sheet;
};

TEST_F(CalcReadsTables, CopiedTsvAndCsvGiveCalcTheCopiedCells) {
    std::vector<int> records = {0, 1, 2, 3};
    TZelmarCopiedTable table;
    ASSERT_TRUE(ZelmarCopyTable(*Sheet.List, records, AllColumns(), false, table));
    const TCells copied = WithCellLineFeeds(ZelmarParseTsv(table.Tsv));
    ASSERT_EQ(copied.size(), 5u);
    ASSERT_EQ(copied[0], (std::vector<std::string>{"smiles", "NAME", "ACT", "formula", "weight"}));
    // What was meant, so that a table misread the same way by both sides cannot pass.
    EXPECT_EQ(copied[1], (std::vector<std::string>{"CCO",
                                                   "\xC3\x84ther Gr\xC3\xB6\xC3\x9F"
                                                   "e",
                                                   "2.5", "C2H6O", "46.069"}));
    EXPECT_EQ(copied[2][1], "zwei\nZeilen");
    EXPECT_EQ(copied[3][1], "Tab\there");
    EXPECT_EQ(copied[4][1], "sagt \"hallo\", laut");

    // Tab-separated UTF-8 text, as Calc's paste reads it; and the CSV with commas.
    const std::string tsv = Dir.Write("copied.tsv", table.Tsv);
    EXPECT_EQ(WithCellLineFeeds(ReadByCalc(tsv, "CSV:9,34,76,1,,1033")), copied);
    const std::string csv = Dir.Write("copied.csv", table.Csv);
    EXPECT_EQ(WithCellLineFeeds(ReadByCalc(csv, "CSV:44,34,76,1,,1033")), copied);
}

TEST_F(CalcReadsTables, ExportedWorkbookHoldsTheSheetsCells) {
    TZelmarExportOptions options;
    options.Format = TZelmarExportFormat::Xlsx;
    options.WithSmiles = true;
    std::string error;
    const std::string xlsx = Dir.Path("sheet.xlsx");
    ASSERT_EQ(ZelmarExportSheet(*Sheet.List, options, xlsx, nullptr, error),
              TZelmarExportResult::Written)
        << error;

    TCells expected;
    TZelmarTableRows rows(*Sheet.List, ZelmarExportColumns(*Sheet.List), false, true);
    expected.push_back(rows.Header());
    ASSERT_TRUE(rows.ForEach(
        nullptr,
        [&](int, const std::vector<std::string>& cells) {
            expected.push_back(cells);
            return true;
        },
        error))
        << error;
    ASSERT_EQ(expected.size(), 5u);
    ASSERT_EQ(expected[0],
              (std::vector<std::string>{"NAME", "ACT", "formula", "weight", "smiles"}));
    // Numbers (ACT, weight) come back as Calc writes them, which for these is as written.
    EXPECT_EQ(WithCellLineFeeds(ReadByCalc(xlsx, "")), WithCellLineFeeds(expected));
}

}  // namespace
