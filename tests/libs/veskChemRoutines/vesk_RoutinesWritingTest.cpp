// Writing SD files: the record layout, what is normalised, what is refused, and data items.

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kBlock = Block({"C 0 0", "O 0 0"}, {"1 2 1"});
const std::string kEmptyBlock =
    "\n  -ISIS-  07200413512D\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n";

Record Rec(const std::string& block, const std::vector<Item>& items = {}) {
    return Record{true, "", block, items};
}

}  // namespace

TEST(RoutinesWriting, RecordLayoutWithLfLineEnds) {
    TempDir dir;
    // CR LF line ends, and what a MOL file may carry after its block.
    Record first =
        Rec(CrLf(kBlock) + "$$$$\r\n> <j>\r\n",
            {{"NAME", {"line 1", "line 2\r"}}, {"EMPTY", {}}, {"Blanks", {"a", " ", "", "b"}}});
    EXPECT_EQ(WriteRecords(dir.Path("o.sdf"), {first, Rec("", {{"X", {"y"}}})}),
              kBlock + "> <NAME>\nline 1\nline 2\n\n> <EMPTY>\n\n> <Blanks>\na\n \nb\n\n$$$$\n" +
                  kEmptyBlock + "> <X>\ny\n\n$$$$\n");
    EXPECT_EQ(WriteRecords(dir.Path("o.sdf"), {first}, nullptr, VESK_WRITE_EMPTY_MOLECULE)
                  .substr(0, kEmptyBlock.size()),
              kEmptyBlock);
}

TEST(RoutinesWriting, RecordsThatWouldNotReadBackAreRefusedWhole) {
    TempDir dir;
    const std::size_t counts = kBlock.find("\n\n") + 2;
    std::vector<bool> results;
    EXPECT_EQ(
        WriteRecords(dir.Path("o.sdf"),
                     {Rec(kBlock), Rec(kBlock, {{"A", {"$$$$ "}}}), Rec(kBlock, {{"a>b", {"1"}}}),
                      Rec(kBlock.substr(0, counts) + "$$$$\n" + kBlock.substr(counts)),
                      Rec(kBlock.substr(0, kBlock.find("M  END")))},  // gets "M  END"
                     &results),
        kBlock + "$$$$\n" + kBlock + "$$$$\n");
    EXPECT_EQ(results, (std::vector<bool>{true, false, false, false, true}));
}

TEST(RoutinesWriting, WrittenRecordsReadBackUnchanged) {
    TempDir dir;
    const std::string v3000 =
        "\n  test\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 END ATOM\n"
        "M  V30 END CTAB\nM  END\n";
    const std::vector<Record> records = {
        Rec(kBlock, {{"\xC3\xA4 name", {"> looks like a header", "\xB1 5 \xE2\x82\xAC", "$$$$x"}}}),
        Rec(v3000, {{"n", {"1"}}, {"n", {"2"}}}), Rec(kEmptyBlock)};
    WriteRecords(dir.Path("o.sdf"), {records[0], records[1], Rec("")});
    std::vector<Record> back = ReadFile(dir.Path("o.sdf"));
    ASSERT_EQ(back.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back[i].molBlock, records[i].molBlock);
        EXPECT_EQ(back[i].items, records[i].items);
    }
}

TEST(RoutinesWriting, CreateReplacesAndReportsErrors) {
    TempDir dir;
    std::string file = dir.Write("old.sdf", std::string(5000, 'x'));
    EXPECT_EQ(WriteRecords(file, {}), "");
    char err[256];
    uintptr_t producer = 0;
    for (const std::string& bad : {dir.Path("no/such/folder.sdf"), dir.Path("")}) {
        EXPECT_FALSE(OK(CreateNewSDFile(&producer, bad.c_str(), err, 256)));
        EXPECT_EQ(producer, 0u);
        EXPECT_TRUE(std::string(err).find("cannot create") != std::string::npos ||
                    std::string(err).find("not a regular file") != std::string::npos)
            << err;
    }
}

TEST(RoutinesWriting, DataItemsAreCopiedNotShared) {
    char err[256], name[16];
    uintptr_t list = 0, item = 0, fromList = 0;
    int32_t count = 0;
    ASSERT_TRUE(OK(CreateEmptySDFileDataEntryList(&list, err, 256)) &&
                OK(CreateSDFileDataEntry(&item, "NAMEtail", 4, err, 256)) &&
                OK(AddSDFileDataLine(item, "a\r\nb\n", err, 256)) &&  // two lines
                OK(AddSDFileDataEntry(list, item, err, 256)) &&
                OK(AddSDFileDataLine(item, "added later", err, 256)) &&
                OK(GetSDFileDataEntryNo(list, &fromList, 0, err, 256)) &&
                OK(AddSDFileDataLine(fromList, "through another handle", err, 256)));
    EXPECT_EQ(ReadItems(list), (std::vector<Item>{{"NAME", {"a", "b"}}}));
    EXPECT_TRUE(OK(GetSDFileDataLineCount(item, &count, err, 256)) && count == 3);
    EXPECT_TRUE(OK(GetSDFileDataLineCount(fromList, &count, err, 256)) && count == 3);
    // Item handles outlive their list.
    ASSERT_TRUE(OK(DestroySDFileDataEntryList(list, err, 256)));
    EXPECT_TRUE(OK(GetSDFileDataEntryName(fromList, name, 16, err, 256)));
    EXPECT_STREQ(name, "NAME");
    DestroySDFileDataEntry(item, err, 256);
    DestroySDFileDataEntry(fromList, err, 256);
    EXPECT_FALSE(OK(CreateSDFileDataEntry(&item, "x", -2, err, 256)));
}
