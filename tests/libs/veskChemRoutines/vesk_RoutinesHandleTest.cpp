// Robustness at the C boundary: handles, out arguments, buffers, threads.

#include <functional>
#include <thread>

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kBlock = Block({"C 0 0", "O 0 0"}, {"1 2 1"});
char buf[256];
double d;
int32_t n;
uint8_t flag;
uintptr_t out, out2;
char* text;

using Call = std::function<int32_t(uintptr_t, char*)>;
// Exports by the kind of handle they take (the destroying ones last).
const std::map<std::string, std::vector<Call>> kCalls = {
    {"molecule",
     {[](uintptr_t h, char* e) { return GetMolFileFormula(h, buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return GetMolFileFormulaEx(h, "*", buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return GetMolFileMass(h, &d, e, 256); },
      [](uintptr_t h, char* e) { return GetMolFileInchi(h, buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return GetMolFileInchiKey(h, buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return GetMolFileOrgString(h, &text, e, 256); },
      [](uintptr_t h, char* e) { return DestroyMolFile(h, e, 256); }}},
    {"list",
     {[](uintptr_t h, char* e) { return GetSDFileDataEntryCount(h, &n, e, 256); },
      [](uintptr_t h, char* e) { return GetSDFileDataEntryNo(h, &out, 0, e, 256); },
      [](uintptr_t h, char* e) { return DestroySDFileDataEntryList(h, e, 256); }}},
    {"item",
     {[](uintptr_t h, char* e) { return GetSDFileDataEntryName(h, buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return GetSDFileDataLineNo(h, 0, buf, 256, e, 256); },
      [](uintptr_t h, char* e) { return AddSDFileDataLine(h, "x", e, 256); },
      [](uintptr_t h, char* e) { return DestroySDFileDataEntry(h, e, 256); }}},
    {"file",
     {[](uintptr_t h, char* e) { return GetSDFileEntryCountRA(h, &n, e, 256); },
      [](uintptr_t h, char* e) { return GetSDFileEntryRA(h, 0, &out, 0, &out2, e, 256); },
      [](uintptr_t h, char* e) { return SDFileEndReached(h, &flag, e, 256); },
      [](uintptr_t h, char* e) { return GetNextSDFileEntry(h, &out, 0, &out2, e, 256); },
      [](uintptr_t h, char* e) { return GetSDFileProgress(h, &d, e, 256); },
      [](uintptr_t h, char* e) { return DestroySDFile(h, e, 256); }}},
    {"producer",
     {[](uintptr_t h, char* e) { return AddSDFileEntry(h, 0, 1, 0, 0, 0, e, 256); },
      [](uintptr_t h, char* e) { return DestroySDFileProducer(h, e, 256); }}},
};

}  // namespace

TEST(RoutinesHandles, MadeUpStaleAndForeignHandlesFailWithAMessage) {
    TempDir dir;
    char err[256];
    std::map<std::string, uintptr_t> live;
    uintptr_t stale = 0;
    ASSERT_TRUE(OK(OpenMolString(&live["molecule"], kBlock.c_str(), 0, 0, err, 256)) &&
                OK(CreateEmptySDFileDataEntryList(&live["list"], err, 256)) &&
                OK(CreateSDFileDataEntry(&live["item"], "n", -1, err, 256)) &&
                OK(OpenSDFile(&live["file"], dir.Write("a.sdf", kBlock).c_str(), err, 256)) &&
                OK(CreateNewSDFile(&live["producer"], dir.Path("b.sdf").c_str(), err, 256)) &&
                OK(OpenMolString(&stale, kBlock.c_str(), 0, 0, err, 256)) &&
                OK(DestroyMolFile(stale, err, 256)));
    for (const auto& [kind, calls] : kCalls) {
        std::vector<uintptr_t> bad = {0, 1, 0xDEADBEEF, stale, ~uintptr_t{0}};
        for (const auto& [other, handle] : live) {
            if (other != kind) bad.push_back(handle);  // live, but of another kind
        }
        for (std::size_t c = 0; c < calls.size(); ++c) {
            for (uintptr_t h : bad) {
                std::strcpy(err, "unchanged");
                EXPECT_FALSE(OK(calls[c](h, err))) << kind << " call " << c << " with " << h;
                EXPECT_NE(std::string(err).find("invalid"), std::string::npos) << err;
            }
        }
        // The live handle of this kind survived all that; its destroying call works once.
        EXPECT_TRUE(OK(calls.back()(live[kind], err))) << kind << ": " << err;
        EXPECT_FALSE(OK(calls.back()(live[kind], err))) << kind;
    }
}

TEST(RoutinesHandles, NullOutArgumentsAndReservedValues) {
    char err[256];
    uintptr_t mol = 0, list = 7;
    ASSERT_TRUE(OK(OpenMolString(&mol, kBlock.c_str(), 0, 0, err, 256)));
    EXPECT_FALSE(OK(OpenMolString(nullptr, kBlock.c_str(), 0, 0, err, 256)) ||
                 OK(GetMolFileMass(mol, nullptr, err, 256)) ||
                 OK(GetMolFileOrgString(mol, nullptr, err, 256)) ||
                 OK(GetMolFileFormula(mol, nullptr, 256, err, 256)) ||
                 OK(OpenSDFileRA3(nullptr, "x", nullptr, nullptr, err, 256)) ||
                 OK(AddSDFileEntry(0, mol, 1, 1, 0, 0, err, 256)) ||
                 OK(CreateSDFileDataEntry(&list, nullptr, -1, err, 256)));
    EXPECT_EQ(list, 0u);                               // out handles are cleared on failure
    EXPECT_TRUE(OK(DestroyMolFile(mol, nullptr, 0)));  // no error buffer at all
}

TEST(RoutinesHandles, SmallBuffersFailAndAreNeverOverrun) {
    char err[256], small[6], out[16];
    uintptr_t mol = 0, item = 0;
    ASSERT_TRUE(OK(OpenMolString(&mol, kBlock.c_str(), 0, 0, err, 256)) &&
                OK(CreateSDFileDataEntry(&item, "a\xC3\xA4", -1, err, 256)));
    std::memset(out, '#', sizeof out);
    EXPECT_FALSE(OK(GetMolFileFormula(mol, out, 3, err, 256)));  // "CH4O" needs 5
    EXPECT_TRUE(std::string(out) == "CH" && out[3] == '#');
    EXPECT_NE(std::string(err).find("does not fit"), std::string::npos) << err;
    EXPECT_FALSE(OK(GetMolFileFormula(mol, out, 0, err, 256)));
    EXPECT_TRUE(OK(GetMolFileFormula(mol, out, 5, err, 256)) && std::string(out) == "CH4O");
    EXPECT_FALSE(OK(GetSDFileDataEntryName(item, out, 3, err, 256)));
    EXPECT_STREQ(out, "a");  // not half of the two-byte character
    std::memset(small, '#', sizeof small);
    EXPECT_FALSE(OK(GetSDFileDataLineNo(item, 5, out, 16, small, 5)));
    EXPECT_TRUE(std::strlen(small) == 4 && small[5] == '#');
    DestroySDFileDataEntry(item, err, 256);
    DestroyMolFile(mol, err, 256);
}

TEST(RoutinesHandles, RecordsReadFromManyThreadsAtOnce) {
    std::string file;
    for (int i = 0; i < 120; ++i) {
        std::vector<std::string> atoms(1 + i % 7, "C 0 0"), bonds;
        for (std::size_t k = 1; k < atoms.size(); ++k) {
            bonds.push_back(std::to_string(k) + " " + std::to_string(k + 1) + " 1");
        }
        file += Block(atoms, bonds) + "> <I>\n" + std::to_string(i) + "\n\n$$$$\n";
    }
    TempDir dir;
    char err[256];
    uintptr_t handle = 0, shared = 0;
    ASSERT_TRUE(
        OK(OpenSDFileRA3(&handle, dir.Write("t.sdf", file).c_str(), nullptr, nullptr, err, 256)) &&
        OK(OpenMolString(&shared, kBlock.c_str(), 0, 0, err, 256)));
    auto reader = [handle](int start) {
        char e[256], f[64];
        for (int k = 0; k < 120; ++k) {
            int i = (start + k * 7) % 120;
            uintptr_t mol = 0, list = 0;
            ASSERT_TRUE(OK(GetSDFileEntryRA(handle, i, &mol, 0, &list, e, 256))) << e;
            EXPECT_TRUE(OK(GetMolFileFormula(mol, f, 64, e, 256))) << e;
            int c = 1 + i % 7;
            EXPECT_EQ(f, "C" + (c > 1 ? std::to_string(c) : "") + "H" + std::to_string(2 * c + 2));
            EXPECT_EQ(ReadItems(list)[0].lines[0], std::to_string(i));
            DestroyMolFile(mol, e, 256);
            DestroySDFileDataEntryList(list, e, 256);
        }
    };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) threads.emplace_back(reader, t * 31);
    // One molecule asked by several threads while one of them destroys it: answers or errors.
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
    DestroySDFile(handle, err, 256);
}
