// Tables on the clipboard: what Zelmar puts there reads back as the same cells, and blocks
// copied from spreadsheets read as their rows and cells.
#include <gtest/gtest.h>

#include "Zelmar_ClipboardTable.h"

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
    EXPECT_TRUE(ZelmarLooksLikeSDText("m\n\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n$$$$\n"));
    EXPECT_FALSE(ZelmarLooksLikeSDText("CCO\t46.07\n"));
}
