// The C boundary: exports, error texts, handles, bad arguments, files and threads.

#include <dlfcn.h>

#include <functional>
#include <thread>

#include "ViewerTestSupport.h"

using namespace viewertest;

// Which names are exported is checked by CheckExports.cmake against the version script.
TEST(Api, LoadsByPathAndCarriesItsVersion) {
    void* lib = dlopen(VESK_VIEWER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    EXPECT_EQ(dlsym(lib, "DrawMolFileHQ"), reinterpret_cast<void*>(&DrawMolFileHQ));
    dlclose(lib);
    // The version note: name "vesk", type 1, four 16-bit numbers 1.1.19.0.
    const std::string bytes = ReadFile(VESK_VIEWER_LIBRARY);
    const char note[] = "\x05\0\0\0\x08\0\0\0\x01\0\0\0vesk\0\0\0\0\x01\0\x01\0\x13\0\0\0";
    EXPECT_NE(bytes.find(std::string(note, sizeof note - 1)), std::string::npos);
}

TEST(Api, ErrorTextsHaveNumberTextDetailAndRespectTheBuffer) {
    char err[256];
    EXPECT_FALSE(DestroyMolFile(987654, err, sizeof err));
    EXPECT_EQ(std::string(err), "1, invalid handle, no object with handle 987654");
    View bad("this is not a molfile");
    EXPECT_FALSE(bad.Ok);
    const std::string text = bad.Err;  // "4, text, detail": the text itself holds no comma
    EXPECT_EQ(text.rfind("4, molecule not readable, ", 0), 0u) << text;
    EXPECT_GT(text.size(), std::strlen("4, molecule not readable, ")) << text;

    char small[12];
    std::memset(small, '#', sizeof small);
    EXPECT_FALSE(DestroyMolFile(987654, small, 8));
    EXPECT_STREQ(small, "1, inva");
    EXPECT_EQ(small[8], '#');
    EXPECT_FALSE(DestroyMolFile(987654, nullptr, 100));
    EXPECT_FALSE(DestroyMolFile(987654, small, 0));

    View ok(Ethanol());
    std::strcpy(ok.Err, "old text");
    double mass = 0;
    EXPECT_TRUE(GetMolFileMassAsDouble(ok.Handle, &mass, ok.Err, sizeof ok.Err));
    EXPECT_STREQ(ok.Err, "");
}

TEST(Api, UnknownDestroyedWrongKindAndNullArgumentsAreErrors) {
    View mol(Ethanol()), rxn(Rxn({Ethanol()}, {Ethanol()}), true);
    uintptr_t gone = 0;
    ASSERT_TRUE(OpenMolString(&gone, Ethanol().c_str(), nullptr, 0));
    ASSERT_TRUE(DestroyMolFile(gone, nullptr, 0));
    std::vector<uint32_t> px(40 * 40, 0);
    const TveskRasterDC dc{px.data(), 20, 20, 80};
    const TveskRect r{0, 0, 20, 20};
    TveskMolConfigRecord mr = DefaultMolRecord();
    char buf[64], err[256];
    int32_t n;
    // Every export finds its handle the same way; a few kinds of use stand for all.
    const std::vector<std::function<int32_t(uintptr_t)>> molCalls = {
        [&](uintptr_t h) { return DrawMolFileHQ(h, &dc, &r, err, 256); },
        [&](uintptr_t h) { return SetMolFileConfiguration(h, &mr, err, 256); },
        [&](uintptr_t h) { return GetMolFileFormula(h, buf, 64, err, 256); },
        [&](uintptr_t h) { return DestroyMolFile(h, err, 256); }};
    const std::vector<std::function<int32_t(uintptr_t)>> rxnCalls = {
        [&](uintptr_t h) { return DrawRxnFile(h, &dc, &r, err, 256); },
        [&](uintptr_t h) { return GetRxnFileReactantCount(h, &n, err, 256); },
        [&](uintptr_t h) { return SetRxnFileStoichiometryFactor(h, 0, 2, err, 256); },
        [&](uintptr_t h) { return DestroyRxnFile(h, err, 256); }};
    for (const auto& [calls, wrongKind] :
         {std::pair{&molCalls, rxn.Handle}, {&rxnCalls, mol.Handle}})
        for (const auto& call : *calls)
            for (uintptr_t h : {uintptr_t(0), gone, uintptr_t(0x7fffffff), wrongKind}) {
                EXPECT_FALSE(call(h)) << h;
                EXPECT_EQ(Code(err), VESK_VIEWER_ERR_HANDLE) << err;
            }
    EXPECT_EQ(mol.Text(GetMolFileFormula), "C2H6O");  // unharmed by the wrong-kind calls

    uintptr_t h = 42;
    for (int32_t result :
         {OpenMolString(&h, nullptr, err, 256), OpenMolString(nullptr, "", err, 256),
          OpenRxnFile(&h, nullptr, err, 256), SetDefaultMolFileConfiguration(nullptr, err, 256),
          DrawMolFileHQ(mol.Handle, nullptr, &r, err, 256),
          DrawMolFileHQ(mol.Handle, &dc, nullptr, err, 256),
          GetMolFileRect(mol.Handle, &r, nullptr, err, 256),
          GetMolFileMassAsDouble(mol.Handle, nullptr, err, 256),
          GetMolFileFormula(mol.Handle, nullptr, 10, err, 256)}) {
        EXPECT_FALSE(result);
        EXPECT_EQ(Code(err), VESK_VIEWER_ERR_ARGUMENT) << err;
    }
    EXPECT_EQ(h, 0u);
    // Surfaces that do not describe their pixels, and a rectangle beyond any surface.
    const TveskRect huge{-2000000000, 0, 2000000000, 10};
    for (auto [surface, rect] : {std::pair{TveskRasterDC{nullptr, 20, 20, 80}, r},
                                 {TveskRasterDC{px.data(), 20, 20, 76}, r},
                                 {TveskRasterDC{px.data(), 20, 20, 82}, r},
                                 {TveskRasterDC{px.data(), 0, 20, 80}, r},
                                 {dc, huge}}) {
        EXPECT_FALSE(DrawMolFile(mol.Handle, &surface, &rect, err, 256));
        EXPECT_EQ(Code(err), VESK_VIEWER_ERR_ARGUMENT) << err;
    }
    EXPECT_TRUE(std::all_of(px.begin(), px.end(), [](uint32_t p) { return p == 0; }));
}

TEST(Api, FilesOpenTheirFirstRecordAndMissingFilesAreNamed) {
    char err[256];
    uintptr_t h = 0;
    EXPECT_FALSE(OpenMolFile(&h, "/nonexistent/zelmar.mol", err, sizeof err));
    EXPECT_EQ(Code(err), VESK_VIEWER_ERR_FILE);
    EXPECT_NE(std::strstr(err, "/nonexistent/zelmar.mol"), nullptr) << err;

    const std::string path = ::testing::TempDir() + "viewer_two_records.sdf";
    std::ofstream(path) << Ethanol() << "> <ID>\n1\n\n$$$$\n" << Caffeine() << "$$$$\n";
    ASSERT_TRUE(OpenMolFile(&h, path.c_str(), err, sizeof err)) << err;
    char formula[32];
    EXPECT_TRUE(GetMolFileFormula(h, formula, sizeof formula, err, sizeof err));
    EXPECT_STREQ(formula, "C2H6O");
    EXPECT_TRUE(DestroyMolFile(h, err, sizeof err));
    EXPECT_FALSE(DestroyMolFile(h, err, sizeof err));
    std::remove(path.c_str());
}

TEST(Api, SeparateHandlesDrawTheSameFromSeveralThreads) {
    const std::vector<std::pair<std::string, bool>> inputs = {
        {Caffeine(), false},
        {Ethanol(), false},
        {Rxn({Ethanol()}, {Caffeine()}), true},
        {"", false}};
    std::vector<Canvas> expected;
    for (const auto& [text, reaction] : inputs)
        expected.push_back(View(text, reaction).Picture(128, 50));

    std::vector<int> mismatches(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 15; ++round) {
                const auto& [text, reaction] = inputs[(t + round) % inputs.size()];
                View v(text, reaction);
                TveskMolConfigRecord mine = DefaultMolRecord();  // the defaults are shared
                if (!reaction) v.Configure(mine);
                Canvas c(128, 50);
                if (!v.Draw(c, {0, 0, 128, 50}) || !(c == expected[(t + round) % inputs.size()]))
                    ++mismatches[t];
            }
        });
    }
    for (auto& th : threads) th.join();
    for (int t = 0; t < 4; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

// Under AddressSanitizer: fontconfig keeps its font cache for the life of the process, and
// RDKit's molfile reader loses a query atom when it gives up on a broken atom list. Neither is
// ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libRDKitFileParsers.so\n";
}

// Under ThreadSanitizer: cairo recycles clip objects through a lock-free pool whose atomics the
// sanitizer cannot see, so its memcpy of a recycled clip looks like a race between contexts.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libcairo.so\n";
}
