// Writing SD files: the record layout, what is normalised, what is refused, and data items.

#include <regex>

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kBlock = Block({"C 0 0", "O 0 0"}, {"1 2 1"});
const char* const kEmptyBlock =
    "\n  -ISIS-  07200413512D\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\nM  END\n";

// Owns the handles one record needs for writing.
class Entry {
public:
    explicit Entry(const std::string& molText = "") {
        if (!molText.empty()) {
            EXPECT_TRUE(OpenMolString(&mol, molText.c_str(), 0, 0, err, 256) & 0xFF) << err;
        }
        EXPECT_TRUE(CreateEmptySDFileDataEntryList(&list, err, 256) & 0xFF);
    }
    ~Entry() {
        if (mol) DestroyMolFile(mol, err, 256);
        DestroySDFileDataEntryList(list, err, 256);
    }
    Entry& Add(const std::string& name, const std::vector<std::string>& lines) {
        uintptr_t item = 0;
        EXPECT_TRUE(CreateSDFileDataEntry(&item, name.c_str(), VESK_ZERO_TERMINATED, err, 256));
        for (const std::string& line : lines) {
            EXPECT_TRUE(AddSDFileDataLine(item, line.c_str(), err, 256) & 0xFF) << err;
        }
        EXPECT_TRUE(AddSDFileDataEntry(list, item, err, 256) & 0xFF) << err;
        DestroySDFileDataEntry(item, err, 256);
        return *this;
    }
    uintptr_t mol = 0;
    uintptr_t list = 0;
    char err[256] = "";
};

// Writes the entries to a fresh file; `results` gets each AddSDFileEntry outcome.
std::string WriteFile(const TempDir& dir, const std::vector<Entry*>& entries,
                      std::vector<bool>* results = nullptr, int32_t writeMolecule = 1) {
    std::string file = dir.Path("out.sdf");
    char err[256];
    uintptr_t producer = 0;
    EXPECT_TRUE(CreateNewSDFile(&producer, file.c_str(), err, 256) & 0xFF) << err;
    for (Entry* e : entries) {
        bool ok = AddSDFileEntry(producer, e->mol, writeMolecule, 0, e->list, 0, err, 256) & 0xFF;
        if (results) results->push_back(ok);
        else EXPECT_TRUE(ok) << err;
    }
    EXPECT_TRUE(DestroySDFileProducer(producer, err, 256) & 0xFF) << err;
    return ReadBytes(file);
}

}  // namespace

TEST(RoutinesWriting, RecordLayoutWithLfLineEnds) {
    TempDir dir;
    // CR LF line ends, and what a MOL file may carry after its block.
    std::string crlfWithTail = std::regex_replace(kBlock, std::regex("\n"), "\r\n") +
                               "$$$$\r\n> <junk after the block>\r\n";
    Entry first(crlfWithTail);
    first.Add("NAME", {"line 1", "line 2\r"}).Add("EMPTY", {}).Add("Blanks", {"a", " ", "", "b"});
    Entry second;  // no molecule
    second.Add("X", {"y"});
    EXPECT_EQ(WriteFile(dir, {&first, &second}),
              kBlock + "> <NAME>\nline 1\nline 2\n\n> <EMPTY>\n\n> <Blanks>\na\nb\n\n$$$$\n" +
                  kEmptyBlock + "> <X>\ny\n\n$$$$\n");
    // Writing the empty block on purpose, whatever the handle holds.
    std::string emptyFirst = std::string(kEmptyBlock) + "> <NAME>\n";
    EXPECT_EQ(WriteFile(dir, {&first}, nullptr, VESK_WRITE_EMPTY_MOLECULE)
                  .substr(0, emptyFirst.size()),
              emptyFirst);
}

TEST(RoutinesWriting, RecordsThatWouldNotReadBackAreRefusedWhole) {
    TempDir dir;
    Entry good(kBlock);
    Entry dollarValue(kBlock);
    dollarValue.Add("A", {"$$$$ "});
    Entry badName(kBlock);
    badName.Add("a>b", {"1"});
    const std::size_t counts = kBlock.find("\n\n") + 2;  // a "$$$$" line before the counts line
    Entry dollarInMol(kBlock.substr(0, counts) + "$$$$\n" + kBlock.substr(counts));
    Entry noMEnd(kBlock.substr(0, kBlock.find("M  END")));  // gets its "M  END"
    std::vector<bool> results;
    std::string written = WriteFile(dir, {&good, &dollarValue, &badName, &dollarInMol, &noMEnd},
                                    &results);
    EXPECT_EQ(results, (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(written, kBlock + "$$$$\n" + kBlock + "$$$$\n");
}

TEST(RoutinesWriting, WrittenRecordsReadBackUnchanged) {
    TempDir dir;
    const std::string v3000 =
        "\n  test\n\n  0  0  0     0  0            999 V3000\nM  V30 BEGIN CTAB\n"
        "M  V30 COUNTS 1 0 0 0 0\nM  V30 BEGIN ATOM\nM  V30 1 C 0 0 0 0\nM  V30 END ATOM\n"
        "M  V30 END CTAB\nM  END\n";
    Entry a(kBlock), b(v3000), c;
    a.Add("\xC3\xA4 name", {"> looks like a header", "\xB1 5 \xE2\x82\xAC", "$$$$x"});
    b.Add("n", {"1"}).Add("n", {"2"});
    std::string file = dir.Write("out.sdf", WriteFile(dir, {&a, &b, &c}));
    std::vector<Record> records = ReadFile(file);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].molBlock, kBlock);
    EXPECT_EQ(records[0].items, (std::vector<Item>{{"\xC3\xA4 name",
                                                    {"> looks like a header",
                                                     "\xB1 5 \xE2\x82\xAC", "$$$$x"}}}));
    EXPECT_EQ(records[1].molBlock, v3000);
    EXPECT_EQ(records[1].items, (std::vector<Item>{{"n", {"1"}}, {"n", {"2"}}}));
    EXPECT_EQ(records[2].molBlock, kEmptyBlock);
    EXPECT_TRUE(records[2].items.empty());
}

TEST(RoutinesWriting, CreateReplacesAndReportsErrors) {
    TempDir dir;
    std::string file = dir.Write("old.sdf", std::string(5000, 'x'));
    char err[256];
    uintptr_t producer = 0;
    ASSERT_TRUE(CreateNewSDFile(&producer, file.c_str(), err, 256) & 0xFF) << err;
    ASSERT_TRUE(DestroySDFileProducer(producer, err, 256) & 0xFF) << err;
    EXPECT_EQ(ReadBytes(file), "");

    for (const std::string& bad : {dir.Path("no/such/folder.sdf"), dir.Path("")}) {
        EXPECT_FALSE(CreateNewSDFile(&producer, bad.c_str(), err, 256) & 0xFF);
        EXPECT_EQ(producer, 0u);
        EXPECT_NE(std::string(err).find("cannot create"), std::string::npos) << err;
    }
    // A full disk shows as a failed write, not as success.
    if (access("/dev/full", W_OK) == 0) {
        ASSERT_TRUE(CreateNewSDFile(&producer, "/dev/full", err, 256) & 0xFF) << err;
        Entry e(kBlock);
        bool allAdded = true;
        for (int i = 0; i < 20000 && allAdded; ++i) {
            allAdded = AddSDFileEntry(producer, e.mol, 1, 0, 0, 0, err, 256) & 0xFF;
        }
        bool closed = DestroySDFileProducer(producer, err, 256) & 0xFF;
        EXPECT_FALSE(allAdded && closed);
        EXPECT_NE(std::string(err).find("No space"), std::string::npos) << err;
    }
}

TEST(RoutinesWriting, DataItemsAreCopiedNotShared) {
    char err[256];
    uintptr_t list = 0, item = 0, fromList = 0;
    ASSERT_TRUE(CreateEmptySDFileDataEntryList(&list, err, 256) & 0xFF);
    ASSERT_TRUE(CreateSDFileDataEntry(&item, "NAMEtail", 4, err, 256) & 0xFF);
    ASSERT_TRUE(AddSDFileDataLine(item, "a\r\nb\n", err, 256) & 0xFF);  // two lines
    ASSERT_TRUE(AddSDFileDataEntry(list, item, err, 256) & 0xFF);
    ASSERT_TRUE(AddSDFileDataLine(item, "added later", err, 256) & 0xFF);
    ASSERT_TRUE(GetSDFileDataEntryNo(list, &fromList, 0, err, 256) & 0xFF);
    ASSERT_TRUE(AddSDFileDataLine(fromList, "through another handle", err, 256) & 0xFF);
    EXPECT_EQ(ReadItems(list), (std::vector<Item>{{"NAME", {"a", "b"}}}));
    int32_t count = 0;
    ASSERT_TRUE(GetSDFileDataLineCount(item, &count, err, 256) & 0xFF);
    EXPECT_EQ(count, 3);
    ASSERT_TRUE(GetSDFileDataLineCount(fromList, &count, err, 256) & 0xFF);
    EXPECT_EQ(count, 3);
    // Item handles outlive their list.
    ASSERT_TRUE(DestroySDFileDataEntryList(list, err, 256) & 0xFF);
    char name[16];
    EXPECT_TRUE(GetSDFileDataEntryName(fromList, name, 16, err, 256) & 0xFF);
    EXPECT_STREQ(name, "NAME");
    DestroySDFileDataEntry(item, err, 256);
    DestroySDFileDataEntry(fromList, err, 256);
    EXPECT_FALSE(CreateSDFileDataEntry(&item, "x", -2, err, 256) & 0xFF);
}
