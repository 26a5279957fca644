// The structure search binding: where it loads the library from and what it traces, its
// failures, and the calls it makes, checked with a stand-in that writes them down.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ChemTestSupport.h"
#include "Zelmar_ChemSearchEngine.h"
#include "vesk_Folders.h"
#include "vesk_Library.h"

namespace {

using chemTest::TTempDir;

class ChemSearchEngine : public ::testing::Test {
protected:
    void SetUp() override {
        Dir.Write("prog.ETC", "[TRACE]\nTrace=1\nLevel=ALL\nTraceFile=trace.log\nOutput=TEXT\n");
        veskTrace::TraceReadConfiguration(Dir.Path("module.so"), Dir.Path("prog"));
    }
    void TearDown() override {
        veskTrace::TraceShutdown();
        SetChemSearchLibraryFile("");
    }
    // The binding's trace lines so far, as "<tag> <text>"; continuations as written.
    std::vector<std::string> Trace() {
        veskTrace::TraceShutdown();
        std::ifstream in(Dir.Path("trace.log"), std::ios::binary);
        std::vector<std::string> lines;
        const std::string source = "-[TZelmarChemSearchEngine.Init], ";
        for (std::string line; std::getline(in, line);) {
            line = line.substr(0, line.find('\r'));
            const std::size_t at = line.find(source);
            if (at != std::string::npos)
                lines.push_back(line.substr(0, line.find(' ')) + " " +
                                line.substr(at + source.size()));
            else if (line.rfind("   - ", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }
    TTempDir Dir;
};

using TLines = std::vector<std::string>;

TEST_F(ChemSearchEngine, LoadsBesideTheProgramAndASecondInitOnlyLogs) {
    TZelmarChemSearchEngine engine;
    std::string error = "stale";
    engine.Init(error);
    ASSERT_TRUE(engine.Initialized()) << error;
    EXPECT_EQ(error, "");
    const std::uintptr_t compare = engine.CompareHandle();
    EXPECT_TRUE(engine.QueryMolHandle() != 0 && engine.TargetMolHandle() != 0 && compare != 0);
    engine.Init(error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(engine.CompareHandle(), compare);
    EXPECT_EQ(Trace(),
              TLines({"$INFORMATION loading library " + platform::GetProgramFolder() +
                          "/libveskChemSearch.so",
                      "$SUCCESS library loaded", "$WARNING search engine already initialized"}));
}

TEST_F(ChemSearchEngine, LibraryOnlyOnTheSearchPathLoadsAtTheSecondTry) {
    const std::string name = "libveskChemSearchElsewhere.so";
    std::filesystem::copy_file(platform::GetProgramFolder() + "/libveskChemSearch.so",
                               Dir.Path(name));
    const char* old = std::getenv(platform::LibrarySearchListVariable);
    const std::string oldList = old != nullptr ? old : "";
    platform::PrependToLibrarySearchList(Dir.Path(""));
    SetChemSearchLibraryFile(name);
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    old != nullptr ? setenv(platform::LibrarySearchListVariable, oldList.c_str(), 1)
                   : unsetenv(platform::LibrarySearchListVariable);
    EXPECT_TRUE(engine.Initialized()) << error;
    const std::string path = platform::GetProgramFolder() + "/" + name;
    EXPECT_EQ(Trace(), TLines({"$INFORMATION loading library " + path,
                               "$WARNING library file not found, loading anyway",
                               "$ERROR cannot load library at path: " + path,
                               "$INFORMATION Trying to load library at: " + name + ", ",
                               "$SUCCESS library loaded"}));
    // The real library answers: C-C-O is in C-C-C-O, but not the same molecule.
    engine.SetQuery(chemTest::MolBlock("q", {"C", "C", "O"}));
    EXPECT_TRUE(engine.IsSubstructureHit(chemTest::MolBlock("t", {"C", "C", "C", "O"})));
    EXPECT_FALSE(engine.IsExactHit(chemTest::MolBlock("t", {"C", "C", "C", "O"})));
    EXPECT_TRUE(engine.IsExactHit(chemTest::MolBlock("t", {"O", "C", "C"})));
}

// A missing library or export leaves an engine that calls nothing and answers false.
TEST_F(ChemSearchEngine, MissingLibraryOrExport) {
    platform::TLibraryRef standin(ZELMAR_STANDIN_SEARCH_PARTIAL);
    const auto calls = reinterpret_cast<const char* (*)()>(standin.Proc("StandinCalls"));
    ASSERT_NE(calls, nullptr);
    const std::string nowhere = "libveskChemSearchNowhere.so";
    const std::string path = platform::GetProgramFolder() + "/" + nowhere;
    const struct {
        std::string File, Error;
        TLines Trace;
    } cases[] = {
        {nowhere,
         nowhere + " not found.",
         {"$INFORMATION loading library " + path, "$WARNING library file not found, loading anyway",
          "$ERROR cannot load library at path: " + path,
          "$INFORMATION Trying to load library at: " + nowhere + ", ",
          "$ERROR cannot load library"}},
        {ZELMAR_STANDIN_SEARCH_PARTIAL,
         "Library not loaded",
         {"$INFORMATION loading library " ZELMAR_STANDIN_SEARCH_PARTIAL, "$SUCCESS library loaded",
          "   - cannot get entry point for GetExactMatchKey"}}};
    for (const auto& c : cases) {
        SetUp();
        SetChemSearchLibraryFile(c.File);
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        EXPECT_EQ(error, c.Error);
        EXPECT_FALSE(engine.Initialized());
        engine.SetQuery("q");
        engine.SetConsiderStereo(true);
        EXPECT_FALSE(engine.IsSubstructureHit("t") || engine.IsExactHit("t"));
        std::string key = "stale";
        EXPECT_EQ(engine.ExactMatchKey("t", false, key), -1);
        EXPECT_EQ(key, "");
        EXPECT_EQ(Trace(), c.Trace);
    }
    EXPECT_STREQ(calls(), "");
}

TEST_F(ChemSearchEngine, CallsAsAgreedAndReadsTheAnswers) {
    platform::TLibraryRef standin(ZELMAR_STANDIN_SEARCH_FULL);
    const auto calls = reinterpret_cast<const char* (*)()>(standin.Proc("StandinCalls"));
    const auto reset = reinterpret_cast<void (*)(std::int32_t, int)>(standin.Proc("StandinReset"));
    ASSERT_TRUE(calls != nullptr && reset != nullptr);
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_FULL);
    std::string q, t;
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        reset(1, 0);
        engine.Init(error);
        ASSERT_TRUE(engine.Initialized()) << error;
        q = std::to_string(engine.QueryMolHandle());
        t = std::to_string(engine.TargetMolHandle());
        EXPECT_EQ(calls(), "CreateMoleculeHandle=" + q + " CreateMoleculeHandle=" + t +
                               " CreateCompareHandle=900 ");
        reset(1, 0);
        engine.SetQuery("Q");
        engine.SetConsiderStereo(true);
        engine.SetConsiderStereo(false);
        EXPECT_EQ(calls(),
                  "Open(" + q + ",Q) SetQueryMolecule(900," + q +
                      ") ConsiderStereoChemistry2(900,1) ConsiderStereoChemistry2(900,0) ");
        // Substructure: above zero is a hit. Exact: only the low byte counts.
        const struct {
            std::int32_t Answer;
            bool Substructure, Exact;
        } answers[] = {{1, true, true}, {0, false, false}, {-1, false, true}, {0x100, true, false}};
        const std::string target = "SetTargetMolecule(900," + t + ") ";
        const std::string bothTests = "Open(" + t + ",S) " + target +
                                      "CompareMolecules(900) Open(" + t + ",E) " + target +
                                      "ExactMatch(900) ";
        for (const auto& a : answers) {
            reset(a.Answer, 0);
            EXPECT_EQ(engine.IsSubstructureHit("S"), a.Substructure) << a.Answer;
            EXPECT_EQ(engine.IsExactHit("E"), a.Exact) << a.Answer;
            EXPECT_EQ(calls(), bothTests);
        }
        // Keys: the text goes into the candidate molecule; 0 and -1 leave no key.
        const struct {
            std::int32_t Answer;
            bool Stereo;
            int Result;
            const char* Key;
        } keys[] = {{1, false, 1, "k"}, {1, true, 1, "k+s"}, {0, false, 0, ""}, {-1, true, -1, ""}};
        for (const auto& k : keys) {
            reset(k.Answer, 0);
            std::string key = "stale";
            EXPECT_EQ(engine.ExactMatchKey("K", k.Stereo, key), k.Result) << k.Answer;
            EXPECT_EQ(key, k.Key);
            EXPECT_EQ(calls(), "Open(" + t + ",K) GetExactMatchKey(" + t + "," +
                                   (k.Stereo ? "1" : "0") + ") ");
        }
        reset(1, 0);
    }
    EXPECT_EQ(calls(), "DestroyMoleculeHandle(" + q + ") DestroyMoleculeHandle(" + t +
                           ") DestroyCompareHandle(900) ");

    // No comparison object: off, and what was made is released.
    reset(1, 1);
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        EXPECT_EQ(error, "Cannot create objects");
        EXPECT_FALSE(engine.Initialized() || engine.IsSubstructureHit("S"));
        q = std::to_string(engine.QueryMolHandle());
        t = std::to_string(engine.TargetMolHandle());
        reset(1, 1);
    }
    EXPECT_EQ(calls(), "DestroyMoleculeHandle(" + q + ") DestroyMoleculeHandle(" + t + ") ");
}

}  // namespace
