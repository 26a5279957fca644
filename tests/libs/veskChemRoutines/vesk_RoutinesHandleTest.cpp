// Robustness at the C boundary: handles, out arguments, buffers, threads.

#include <functional>
#include <thread>

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kBlock = Block({"C 0 0", "O 0 0"}, {"1 2 1"});

using Call = std::function<int32_t(uintptr_t, char*)>;

// Every export that takes a handle, grouped by the kind of handle it wants.
std::vector<std::pair<std::string, Call>> CallsWanting(const std::string& kind) {
    static char buf[256];
    static double d;
    static int32_t n;
    static uint8_t flag;
    static uintptr_t out, out2;
    static char* text;
    std::vector<std::pair<std::string, Call>> calls;
    auto add = [&](const char* name, Call c) { calls.emplace_back(name, std::move(c)); };
    if (kind == "molecule") {
        add("GetMolFileFormula", [](uintptr_t h, char* e) { return GetMolFileFormula(h, buf, 256, e, 256); });
        add("GetMolFileFormulaEx", [](uintptr_t h, char* e) { return GetMolFileFormulaEx(h, "*", buf, 256, e, 256); });
        add("GetMolFileMass", [](uintptr_t h, char* e) { return GetMolFileMass(h, &d, e, 256); });
        add("GetMolFileOrgString", [](uintptr_t h, char* e) { return GetMolFileOrgString(h, &text, e, 256); });
        add("DestroyMolFile", [](uintptr_t h, char* e) { return DestroyMolFile(h, e, 256); });
    } else if (kind == "list") {
        add("GetSDFileDataEntryCount", [](uintptr_t h, char* e) { return GetSDFileDataEntryCount(h, &n, e, 256); });
        add("GetSDFileDataEntryNo", [](uintptr_t h, char* e) { return GetSDFileDataEntryNo(h, &out, 0, e, 256); });
        add("DestroySDFileDataEntryList", [](uintptr_t h, char* e) { return DestroySDFileDataEntryList(h, e, 256); });
    } else if (kind == "item") {
        add("GetSDFileDataEntryName", [](uintptr_t h, char* e) { return GetSDFileDataEntryName(h, buf, 256, e, 256); });
        add("GetSDFileDataLineCount", [](uintptr_t h, char* e) { return GetSDFileDataLineCount(h, &n, e, 256); });
        add("GetSDFileDataLineNo", [](uintptr_t h, char* e) { return GetSDFileDataLineNo(h, 0, buf, 256, e, 256); });
        add("AddSDFileDataLine", [](uintptr_t h, char* e) { return AddSDFileDataLine(h, "x", e, 256); });
        add("DestroySDFileDataEntry", [](uintptr_t h, char* e) { return DestroySDFileDataEntry(h, e, 256); });
    } else if (kind == "file") {
        add("GetSDFileEntryCountRA", [](uintptr_t h, char* e) { return GetSDFileEntryCountRA(h, &n, e, 256); });
        add("GetSDFileEntryRA", [](uintptr_t h, char* e) { return GetSDFileEntryRA(h, 0, &out, 0, &out2, e, 256); });
        add("SDFileEndReached", [](uintptr_t h, char* e) { return SDFileEndReached(h, &flag, e, 256); });
        add("GetNextSDFileEntry", [](uintptr_t h, char* e) { return GetNextSDFileEntry(h, &out, 0, &out2, e, 256); });
        add("GetSDFileProgress", [](uintptr_t h, char* e) { return GetSDFileProgress(h, &d, e, 256); });
        add("DestroySDFile", [](uintptr_t h, char* e) { return DestroySDFile(h, e, 256); });
    } else if (kind == "producer") {
        add("AddSDFileEntry", [](uintptr_t h, char* e) { return AddSDFileEntry(h, 0, 1, 0, 0, 0, e, 256); });
        add("DestroySDFileProducer", [](uintptr_t h, char* e) { return DestroySDFileProducer(h, e, 256); });
    }
    return calls;
}

}  // namespace

TEST(RoutinesHandles, MadeUpStaleAndForeignHandlesFailWithAMessage) {
    TempDir dir;
    char err[256];
    std::map<std::string, uintptr_t> live;
    ASSERT_TRUE(OpenMolString(&live["molecule"], kBlock.c_str(), 0, 0, err, 256) & 0xFF);
    ASSERT_TRUE(CreateEmptySDFileDataEntryList(&live["list"], err, 256) & 0xFF);
    ASSERT_TRUE(CreateSDFileDataEntry(&live["item"], "n", -1, err, 256) & 0xFF);
    ASSERT_TRUE(OpenSDFile(&live["file"], dir.Write("a.sdf", kBlock).c_str(), err, 256) & 0xFF);
    ASSERT_TRUE(CreateNewSDFile(&live["producer"], dir.Path("b.sdf").c_str(), err, 256) & 0xFF);
    uintptr_t stale = 0;
    ASSERT_TRUE(OpenMolString(&stale, kBlock.c_str(), 0, 0, err, 256) & 0xFF);
    ASSERT_TRUE(DestroyMolFile(stale, err, 256) & 0xFF);

    for (const auto& [kind, handle] : live) {
        std::vector<uintptr_t> bad = {0, 1, 0xDEADBEEF, stale, ~uintptr_t{0}};
        for (const auto& [other, otherHandle] : live) {
            if (other != kind) bad.push_back(otherHandle);  // a live handle of another kind
        }
        for (const auto& [name, call] : CallsWanting(kind)) {
            for (uintptr_t h : bad) {
                std::strcpy(err, "unchanged");
                EXPECT_EQ(call(h, err) & 0xFF, 0) << name << " with " << h;
                EXPECT_NE(std::string(err).find("invalid"), std::string::npos) << name << ": " << err;
            }
        }
    }
    // The live handles are untouched by all that and release normally.
    EXPECT_TRUE(DestroyMolFile(live["molecule"], err, 256) & 0xFF);
    EXPECT_TRUE(DestroySDFileDataEntryList(live["list"], err, 256) & 0xFF);
    EXPECT_TRUE(DestroySDFileDataEntry(live["item"], err, 256) & 0xFF);
    EXPECT_TRUE(DestroySDFile(live["file"], err, 256) & 0xFF);
    EXPECT_TRUE(DestroySDFileProducer(live["producer"], err, 256) & 0xFF);
    EXPECT_FALSE(DestroySDFile(live["file"], err, 256) & 0xFF);  // twice
}

TEST(RoutinesHandles, NullOutArgumentsAndReservedValues) {
    char err[256];
    uintptr_t mol = 0, list = 0;
    ASSERT_TRUE(OpenMolString(&mol, kBlock.c_str(), 0, 0, err, 256) & 0xFF);
    ASSERT_TRUE(CreateEmptySDFileDataEntryList(&list, err, 256) & 0xFF);
    EXPECT_FALSE(OpenMolString(nullptr, kBlock.c_str(), 0, 0, err, 256) & 0xFF);
    EXPECT_FALSE(GetMolFileMass(mol, nullptr, err, 256) & 0xFF);
    EXPECT_FALSE(GetMolFileOrgString(mol, nullptr, err, 256) & 0xFF);
    EXPECT_FALSE(GetMolFileFormula(mol, nullptr, 256, err, 256) & 0xFF);
    EXPECT_FALSE(GetSDFileDataEntryCount(list, nullptr, err, 256) & 0xFF);
    EXPECT_FALSE(CreateSDFileDataEntry(nullptr, "n", -1, err, 256) & 0xFF);
    EXPECT_FALSE(CreateSDFileDataEntry(&mol, nullptr, -1, err, 256) & 0xFF);
    EXPECT_EQ(mol, 0u);  // out handles are cleared on failure
    EXPECT_FALSE(OpenSDFileRA3(nullptr, "x", nullptr, nullptr, err, 256) & 0xFF);
    EXPECT_FALSE(CreateNewSDFile(&mol, nullptr, err, 256) & 0xFF);
    uintptr_t producer = 0;
    TempDir dir;
    ASSERT_TRUE(CreateNewSDFile(&producer, dir.Path("o.sdf").c_str(), err, 256) & 0xFF);
    EXPECT_FALSE(AddSDFileEntry(producer, 0, 1, 1, 0, 0, err, 256) & 0xFF);
    EXPECT_FALSE(AddSDFileEntry(producer, 0, 1, 0, 0, 7, err, 256) & 0xFF);
    EXPECT_TRUE(DestroySDFileProducer(producer, nullptr, 0) & 0xFF);  // no error buffer at all
    DestroySDFileDataEntryList(list, err, 256);
}

TEST(RoutinesHandles, SmallBuffersFailAndAreNeverOverrun) {
    char err[256];
    uintptr_t mol = 0, item = 0;
    ASSERT_TRUE(OpenMolString(&mol, kBlock.c_str(), 0, 0, err, 256) & 0xFF);
    char buf[16];
    std::memset(buf, '#', sizeof buf);
    EXPECT_FALSE(GetMolFileFormula(mol, buf, 3, err, 256) & 0xFF);  // "CH4O" needs 5
    EXPECT_STREQ(buf, "CH");
    EXPECT_EQ(buf[3], '#');
    EXPECT_NE(std::string(err).find("does not fit"), std::string::npos) << err;
    EXPECT_FALSE(GetMolFileFormula(mol, buf, 0, err, 256) & 0xFF);
    EXPECT_TRUE(GetMolFileFormula(mol, buf, 5, err, 256) & 0xFF);
    EXPECT_STREQ(buf, "CH4O");

    ASSERT_TRUE(CreateSDFileDataEntry(&item, "a\xC3\xA4", -1, err, 256) & 0xFF);
    std::memset(buf, '#', sizeof buf);
    EXPECT_FALSE(GetSDFileDataEntryName(item, buf, 3, err, 256) & 0xFF);
    EXPECT_STREQ(buf, "a");  // not half of the two-byte character

    char small[6];
    std::memset(small, '#', sizeof small);
    EXPECT_FALSE(GetSDFileDataLineNo(item, 5, buf, 16, small, 5) & 0xFF);
    EXPECT_EQ(std::strlen(small), 4u);
    EXPECT_EQ(small[5], '#');
    DestroySDFileDataEntry(item, err, 256);
    DestroyMolFile(mol, err, 256);
}

TEST(RoutinesHandles, RecordsReadFromManyThreadsAtOnce) {
    std::string text;
    for (int i = 0; i < 120; ++i) {
        std::vector<std::string> atoms(1 + i % 7, "C 0 0");
        std::vector<std::string> bonds;
        for (std::size_t k = 1; k < atoms.size(); ++k) bonds.push_back(std::to_string(k) + " " + std::to_string(k + 1) + " 1");
        text += Block(atoms, bonds) + "> <I>\n" + std::to_string(i) + "\n\n$$$$\n";
    }
    TempDir dir;
    char err[256];
    uintptr_t file = 0;
    ASSERT_TRUE(OpenSDFileRA3(&file, dir.Write("t.sdf", text).c_str(), nullptr, nullptr, err, 256));
    std::vector<std::string> formulas(120);
    auto reader = [&](int start, bool check) {
        char e[256];
        for (int n = 0; n < 120; ++n) {
            int i = (start + n * 7) % 120;
            uintptr_t mol = 0, list = 0;
            if (!(GetSDFileEntryRA(file, i, &mol, 0, &list, e, 256) & 0xFF)) {
                ADD_FAILURE() << e;
                continue;
            }
            char f[64];
            EXPECT_TRUE(GetMolFileFormula(mol, f, 64, e, 256) & 0xFF) << e;
            if (check) EXPECT_EQ(formulas[i], f);
            else formulas[i] = f;
            EXPECT_EQ(ReadItems(list)[0].lines[0], std::to_string(i));
            DestroyMolFile(mol, e, 256);
            DestroySDFileDataEntryList(list, e, 256);
        }
    };
    reader(0, false);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) threads.emplace_back(reader, t * 31, true);
    // One molecule asked by several threads while another destroys it: answers or clean errors.
    uintptr_t shared = 0;
    ASSERT_TRUE(OpenMolString(&shared, text.c_str(), 0, 0, err, 256) & 0xFF);
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([shared, t] {
            char e[256], f[64];
            for (int k = 0; k < 200; ++k) {
                if (t == 0 && k == 100) DestroyMolFile(shared, e, 256);
                GetMolFileFormula(shared, f, 64, e, 256);
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(formulas[6], "C7H16");
    DestroySDFile(file, err, 256);
}
