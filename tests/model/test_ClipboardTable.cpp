// Tables on the clipboard: what Zelmar puts there reads back as the same cells, and blocks
// copied from spreadsheets read as their rows and cells.
#include <gtest/gtest.h>

#include "SheetTestSupport.h"
#include "Zelmar_ClipboardTable.h"
#include "vesk_ChemRoutines.h"

TEST(ClipboardTable, CellsWithTabsQuotesAndLineBreaksReadBackWhole) {
    const std::vector<std::string> cells = {"plain", "tab\there", "say \"hi\"", "two\r\nlines", ""};
    std::string row;
    for (std::size_t c = 0; c < cells.size(); ++c)
        row += (c > 0 ? "\t" : "") + ZelmarClipboardTsvCell(cells[c]);
    const auto rows = ZelmarParseTsv(row + "\n" + row + "\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], cells);
    EXPECT_EQ(rows[1], cells);
}

TEST(ClipboardTable, SpreadsheetBlocks) {
    EXPECT_EQ(ZelmarParseTsv("a\tb\r\nc\td"),
              (std::vector<std::vector<std::string>>{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(ZelmarParseTsv("a\t\n"), (std::vector<std::vector<std::string>>{{"a", ""}}));
    EXPECT_TRUE(ZelmarParseTsv("").empty());
    // A quote inside an unquoted cell is text.
    EXPECT_EQ(ZelmarParseTsv("5\" disk\tx"),
              (std::vector<std::vector<std::string>>{{"5\" disk", "x"}}));
    EXPECT_TRUE(
        ZelmarLooksLikeSDText("m\n\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n$$$$\n"));
    EXPECT_FALSE(ZelmarLooksLikeSDText("CCO\t46.07\n"));
}

// The molecule column holds each record's SMILES as the routines make it, made on more than one
// thread for a sheet of many rows; a second copy gives the same, and an edited molecule its
// new SMILES.
TEST(ClipboardTable, MoleculesAreCopiedAsTheirSmilesAlsoAgainAndAfterAnEdit) {
    TZelmarSDFileDataList list(nullptr);
    const std::vector<std::string> elements = {"C", "N", "O", "S", "Cl"};
    for (int i = 0; i < 150; ++i) {
        std::vector<std::string> atoms(static_cast<std::size_t>(1 + i % 7), "C");
        atoms.back() = elements[static_cast<std::size_t>(i) % elements.size()];
        sheet_support::AddRecord(list, testing_support::MolBlock("m", atoms),
                                 "r" + std::to_string(i));
    }
    sheet_support::AddRecord(list, "not a molecule\n", "broken");
    list.InitFieldNamesFromData();
    const TZelmarField* molecule = list.GetChemistryField();
    ASSERT_NE(molecule, nullptr);
    std::vector<int> rows(static_cast<std::size_t>(list.GetCount()));
    for (std::size_t k = 0; k < rows.size(); ++k) rows[k] = static_cast<int>(k);

    auto copiedSmiles = [&] {
        TZelmarCopiedTable table;
        EXPECT_TRUE(ZelmarCopyTable(list, rows, {molecule}, false, table));
        std::vector<std::string> cells;
        for (const auto& row : ZelmarParseTsv(table.Tsv)) cells.push_back(row.at(0));
        return cells;
    };
    const std::vector<std::string> first = copiedSmiles();
    ASSERT_EQ(first.size(), rows.size() + 1);  // the header row first
    TveskMolManager molecules;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        std::string expected;
        molecules.GetSmiles(std::string(list.GetSDFileData(static_cast<int>(k))->MolString()),
                            expected);
        EXPECT_EQ(first[k + 1], expected) << k;
    }
    EXPECT_EQ(first[2], "CN");
    EXPECT_EQ(first.back(), "");  // the broken molecule has none
    EXPECT_EQ(copiedSmiles(), first);

    sheet_support::Set(list.GetSDFileData(1), ecsdtChemistry, "",
                       testing_support::MolBlock("m", {"C", "C", "O"}));
    EXPECT_EQ(copiedSmiles()[2], "CCO");
}
