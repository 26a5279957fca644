// Exports of a sheet: CSV and TSV as zelmar-tool writes them, XLSX read back from its zip,
// SD copies byte for byte, and targets that are replaced only by a complete file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "LoadingTestSupport.h"
#include "Zelmar_TableExport.h"

using namespace loading_support;

namespace {

// NAME: commas, quotes, line breaks (LF and CR LF in the file), tabs and Windows-1252 bytes
// (0xE4 a umlaut, 0x80 the euro sign). ACT: a column of numbers with one qualified value and
// one record without it; NAME's "0815" is a text all the same. "Code, intern": a field name that
// needs quotes.
const std::vector<std::vector<std::string>> kNames = {{"Aceton, rein"},   {"sagt \"hallo\""},
                                                      {"zwei", "Zeilen"}, {"Tab\there"},
                                                      {"\xE4ther \x80"},  {"0815"}};
const std::vector<std::string> kActs = {"10", ">10", "2.5", "", "-3", "1E2"};

std::string RecordText(int i, const std::string& lineEnd) {
    TItems items = {{"NAME", kNames[i]}};
    if (!kActs[i].empty()) items.push_back({"ACT", {kActs[i]}});
    items.push_back({"Code, intern", {"K" + std::to_string(i)}});
    std::string text = SDRecord(MolBlock("m" + std::to_string(i), {"C", "O"}), items);
    if (lineEnd == "\n") return text;
    std::string crlf;
    for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

class Export : public ::testing::Test {
protected:
    void SetUp() override {
        // Record 2 with CR LF line ends: its two value lines keep them in CSV (RFC 4180 allows
        // any line break inside quotes) and become one cell line break (LF) in XLSX.
        for (int i = 0; i < static_cast<int>(kNames.size()); ++i) {
            Records.push_back(RecordText(i, i == 2 ? "\r\n" : "\n"));
            Bytes += Records.back();
        }
        File = Dir.Write("made.sdf", Bytes);
        ASSERT_TRUE(Sheet.Load(File));
        ASSERT_EQ(Sheet.List->GetCount(), 6);
        ASSERT_TRUE(Sheet.List->GetFieldByName("ACT")->IsNumericData());
    }

    std::string Exported(TZelmarExportFormat format, bool onlyChecked, const std::string& name) {
        TZelmarExportOptions options;
        options.Format = format;
        options.OnlyChecked = onlyChecked;
        std::string error;
        EXPECT_EQ(ZelmarExportSheet(*Sheet.List, options, Dir.Path(name), nullptr, error),
                  TZelmarExportResult::Written)
            << error;
        return ReadText(Dir.Path(name));
    }

    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Dir.Root()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TTempDir Dir;
    TSheet Sheet;
    std::string File;
    std::string Bytes;
    std::vector<std::string> Records;
};

TEST_F(Export, CsvAndTsvQuoteAndFlattenAsSpreadsheetsReadThem) {
    const std::string csv =
        "NAME,ACT,\"Code, intern\",formula,weight\r\n"
        "\"Aceton, rein\",10,K0,CH4O,32.042\r\n"
        "\"sagt \"\"hallo\"\"\",>10,K1,CH4O,32.042\r\n"
        "\"zwei\r\nZeilen\",2.5,K2,CH4O,32.042\r\n"
        "Tab\there,,K3,CH4O,32.042\r\n"
        "\xC3\xA4ther \xE2\x82\xAC,-3,K4,CH4O,32.042\r\n"
        "0815,1E2,K5,CH4O,32.042\r\n";
    EXPECT_EQ(Exported(TZelmarExportFormat::Csv, false, "all.csv"), csv);
    const std::string tsv =
        "NAME\tACT\tCode, intern\tformula\tweight\n"
        "Aceton, rein\t10\tK0\tCH4O\t32.042\n"
        "sagt \"hallo\"\t>10\tK1\tCH4O\t32.042\n"
        "zwei Zeilen\t2.5\tK2\tCH4O\t32.042\n"
        "Tab here\t\tK3\tCH4O\t32.042\n"
        "\xC3\xA4ther \xE2\x82\xAC\t-3\tK4\tCH4O\t32.042\n"
        "0815\t1E2\tK5\tCH4O\t32.042\n";
    EXPECT_EQ(Exported(TZelmarExportFormat::Tsv, false, "all.tsv"), tsv);

    // Unticked records are left out only when asked; the sheet keeps them.
    Sheet.List->GetSDFileData(1)->Selected = false;
    Sheet.List->GetSDFileData(4)->Selected = false;
    EXPECT_EQ(Exported(TZelmarExportFormat::Csv, true, "ticked.csv"),
              "NAME,ACT,\"Code, intern\",formula,weight\r\n"
              "\"Aceton, rein\",10,K0,CH4O,32.042\r\n"
              "\"zwei\r\nZeilen\",2.5,K2,CH4O,32.042\r\n"
              "Tab\there,,K3,CH4O,32.042\r\n"
              "0815,1E2,K5,CH4O,32.042\r\n");
    EXPECT_EQ(Exported(TZelmarExportFormat::Csv, false, "again.csv"), csv);
    EXPECT_EQ(Sheet.List->GetCount(), 6);
}

TEST_F(Export, TheToolWritesTheSameTables) {
    for (const char* format : {"csv", "tsv"}) {
        const std::string tool = Dir.Path(std::string("tool.") + format);
        const std::string command = std::string("LANG=C LC_ALL=C '") + ZELMAR_TOOL_PATH +
                                    "' export '" + File + "' -o '" + tool + "' 2>/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << format;
        EXPECT_EQ(ReadText(tool), Exported(format == std::string("csv") ? TZelmarExportFormat::Csv
                                                                        : TZelmarExportFormat::Tsv,
                                           false, std::string("sheet.") + format))
            << format;
    }
}

// The cells of an XLSX sheet, read back with Python's zipfile: "B2" -> "n:10" for a number,
// "s:text" for a shared string, with "*" after the type when the cell's font is bold.
const char* const kReadXlsx = R"(
import sys, zipfile, xml.etree.ElementTree as ET
m = '{http://schemas.openxmlformats.org/spreadsheetml/2006/main}'
z = zipfile.ZipFile(sys.argv[1])
strings = [''.join(t.text or '' for t in si.iter(m + 't'))
           for si in ET.fromstring(z.read('xl/sharedStrings.xml')).findall(m + 'si')]
styles = ET.fromstring(z.read('xl/styles.xml'))
fonts = styles.find(m + 'fonts')
xfs = styles.find(m + 'cellXfs')
for c in ET.fromstring(z.read('xl/worksheets/sheet1.xml')).iter(m + 'c'):
    t = c.get('t', 'n')
    v = c.find(m + 'v').text
    font = fonts[int(xfs[int(c.get('s', '0'))].get('fontId', '0'))]
    bold = '*' if font.find(m + 'b') is not None else ''
    text = strings[int(v)] if t == 's' else v
    sys.stdout.buffer.write((c.get('r') + '\x1f' + t + bold + ':' + text + '\x1e').encode())
)";

std::map<std::string, std::string> XlsxCells(const TTempDir& dir, const std::string& path) {
    const std::string script = dir.Write("read_xlsx.py", kReadXlsx);
    const std::string command = "python3 '" + script + "' '" + path + "'";
    std::map<std::string, std::string> cells;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return cells;
    std::string out;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, got);
    if (::pclose(pipe) != 0) return cells;
    for (std::size_t start = 0, end; (end = out.find('\x1e', start)) != std::string::npos;
         start = end + 1) {
        const std::string cell = out.substr(start, end - start);
        const std::size_t split = cell.find('\x1f');
        cells[cell.substr(0, split)] = cell.substr(split + 1);
    }
    return cells;
}

TEST_F(Export, XlsxHoldsNumbersAsNumbersAndEverythingElseAsText) {
    Sheet.List->GetSDFileData(3)->Selected = false;
    std::map<std::string, std::string> cells;
    Exported(TZelmarExportFormat::Xlsx, false, "all.xlsx");
    cells = XlsxCells(Dir, Dir.Path("all.xlsx"));
    const std::map<std::string, std::string> expected = {
        {"A1", "s*:NAME"},
        {"B1", "s*:ACT"},
        {"C1", "s*:Code, intern"},
        {"D1", "s*:formula"},
        {"E1", "s*:weight"},
        {"A2", "s:Aceton, rein"},
        {"B2", "n:10"},
        {"C2", "s:K0"},
        {"D2", "s:CH4O"},
        {"E2", "n:32.042"},
        {"A3", "s:sagt \"hallo\""},
        {"B3", "s:>10"},
        {"A4", "s:zwei\nZeilen"},
        {"B4", "n:2.5"},
        {"A5", "s:Tab\there"},
        {"A6", "s:\xC3\xA4ther \xE2\x82\xAC"},
        {"B6", "n:-3"},
        {"A7", "s:0815"},
        {"B7", "n:100"},
    };
    for (const auto& [cell, value] : expected) EXPECT_EQ(cells[cell], value) << cell;
    // Record 4 has no ACT: its cell is left empty, not written as 0 or "".
    EXPECT_EQ(cells.count("B5"), 0u);
    EXPECT_EQ(cells.size(), 5u * 7u - 1u);

    // Only the ticked records: row 5 is the sixth record now.
    cells.clear();
    Exported(TZelmarExportFormat::Xlsx, true, "ticked.xlsx");
    cells = XlsxCells(Dir, Dir.Path("ticked.xlsx"));
    EXPECT_EQ(cells["A5"], "s:\xC3\xA4ther \xE2\x82\xAC");
    EXPECT_EQ(cells["A6"], "s:0815");
    EXPECT_EQ(cells.count("A7"), 0u);
}

TEST_F(Export, ASmilesColumnComesLastInEveryTableFormat) {
    // Record 5's molecule cannot be read: it has no SMILES, as it has no formula or weight.
    const std::string broken = Dir.Write(
        "broken.sdf", Records[0] + "broken\n\n\n  9  9  0  0  0  0            999 V2000\n" +
                          "M  END\n> <NAME>\nbad\n\n$$$$\n");
    TSheet sheet;
    ASSERT_TRUE(sheet.Load(broken));
    ASSERT_EQ(sheet.List->GetCount(), 2);
    TZelmarExportOptions options;
    options.WithSmiles = true;
    options.Columns = {sheet.List->GetFieldByName("NAME")};
    std::string error;
    options.Format = TZelmarExportFormat::Csv;
    ASSERT_EQ(ZelmarExportSheet(*sheet.List, options, Dir.Path("s.csv"), nullptr, error),
              TZelmarExportResult::Written)
        << error;
    EXPECT_EQ(ReadText(Dir.Path("s.csv")), "NAME,smiles\r\n\"Aceton, rein\",CO\r\nbad,\r\n");
    options.Format = TZelmarExportFormat::Tsv;
    ASSERT_EQ(ZelmarExportSheet(*sheet.List, options, Dir.Path("s.tsv"), nullptr, error),
              TZelmarExportResult::Written);
    EXPECT_EQ(ReadText(Dir.Path("s.tsv")), "NAME\tsmiles\nAceton, rein\tCO\nbad\t\n");
    options.Format = TZelmarExportFormat::Xlsx;
    ASSERT_EQ(ZelmarExportSheet(*sheet.List, options, Dir.Path("s.xlsx"), nullptr, error),
              TZelmarExportResult::Written);
    const std::map<std::string, std::string> cells = XlsxCells(Dir, Dir.Path("s.xlsx"));
    EXPECT_EQ(cells, (std::map<std::string, std::string>{{"A1", "s*:NAME"},
                                                          {"B1", "s*:smiles"},
                                                          {"A2", "s:Aceton, rein"},
                                                          {"B2", "s:CO"},
                                                          {"A3", "s:bad"}}));
}

TEST_F(Export, SDCopiesKeepTheRecordsBytesAndLeaveTheSheetAsItIs) {
    EXPECT_EQ(Exported(TZelmarExportFormat::SDFile, false, "all.sdf"), Bytes);
    Sheet.List->GetSDFileData(1)->Selected = false;
    Sheet.List->GetSDFileData(4)->Selected = false;
    EXPECT_EQ(Exported(TZelmarExportFormat::SDFile, true, "ticked.sdf"),
              Records[0] + Records[2] + Records[3] + Records[5]);
    // Unlike a save, the copy removes no record and does not become the sheet's file.
    EXPECT_EQ(Sheet.List->GetCount(), 6);
    EXPECT_EQ(Sheet.List->GetFileName(), File);
    EXPECT_FALSE(Sheet.List->GetSDFileData(1)->Selected);
}

TEST_F(Export, AStoppedOrFailedExportLeavesTheTargetAsItWas) {
    for (const TZelmarExportFormat format : {TZelmarExportFormat::SDFile, TZelmarExportFormat::Csv,
                                             TZelmarExportFormat::Tsv, TZelmarExportFormat::Xlsx}) {
        const std::string target = Dir.Write("target.out", "old content");
        TZelmarExportOptions options;
        options.Format = format;
        std::string error;
        int calls = 0;
        // Stopped halfway: after some records have been written.
        EXPECT_EQ(ZelmarExportSheet(
                      *Sheet.List, options, target, [&](int) { return ++calls < 4; }, error),
                  TZelmarExportResult::Stopped)
            << static_cast<int>(format);
        EXPECT_EQ(calls, 4);
        EXPECT_EQ(ReadText(target), "old content");
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"made.sdf", "target.out"}));

        EXPECT_EQ(
            ZelmarExportSheet(*Sheet.List, options, Dir.Path("missing/target.out"), nullptr, error),
            TZelmarExportResult::Failed);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"made.sdf", "target.out"}));
    }
}

}  // namespace
