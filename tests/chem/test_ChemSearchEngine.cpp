// The structure search binding: loading (program folder, then the search path), its trace
// lines, the four failures, the calls it makes and in which order, and the answers of the real
// library for a few molecules.
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
#include "vesk_Trace.h"

namespace {

namespace fs = std::filesystem;
using chemTest::TTempDir;

// Traces every level of the second unit into a file; Lines() ends tracing and returns the
// lines that contain the text.
class TSearchTrace {
public:
    explicit TSearchTrace(const TTempDir& dir) : Dir(dir) {
        Dir.Write("prog.ETC", "[TRACE]\nTrace=1\nLevel=ALL\nTraceFile=trace.log\nOutput=TEXT\n");
        veskTrace::TraceReadConfiguration(Dir.Path("module.so"), Dir.Path("prog"));
    }
    ~TSearchTrace() { veskTrace::TraceShutdown(); }
    std::vector<std::string> Lines(const std::string& containing) const {
        veskTrace::TraceShutdown();
        std::ifstream in(Dir.Path("trace.log"), std::ios::binary);
        std::vector<std::string> found;
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find(containing) != std::string::npos) found.push_back(line);
        }
        return found;
    }
    // Exactly one line is this message; it carries the level's tag and the source.
    void ExpectLine(const std::string& text, const std::string& tag,
                    const std::string& source = "TZelmarChemSearchEngine.Init") const {
        const std::string ending = "-[" + source + "], " + text;
        std::vector<std::string> lines;
        for (const std::string& line : Lines(text))
            if (line.size() >= ending.size() &&
                line.compare(line.size() - ending.size(), ending.size(), ending) == 0)
                lines.push_back(line);
        ASSERT_EQ(lines.size(), 1u) << text;
        EXPECT_EQ(lines[0].rfind(tag + " (", 0), 0u) << lines[0];
    }

private:
    const TTempDir& Dir;
};

// A V2000 molfile; bonds are (from, to, type, stereo).
struct TBond {
    int From, To, Type, Stereo;
};
std::string Molfile(const std::string& title, const std::vector<std::string>& atoms,
                    const std::vector<TBond>& bonds, const std::vector<double>& xy) {
    char line[96];
    std::snprintf(line, sizeof line, "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n", atoms.size(),
                  bonds.size());
    std::string text = title + "\n  test\n\n" + line;
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        std::snprintf(line, sizeof line,
                      "%10.4f%10.4f%10.4f %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n", xy[2 * i],
                      xy[2 * i + 1], 0.0, atoms[i].c_str());
        text += line;
    }
    for (const TBond& b : bonds) {
        std::snprintf(line, sizeof line, "%3d%3d%3d%3d\n", b.From, b.To, b.Type, b.Stereo);
        text += line;
    }
    return text + "M  END\n";
}

const std::vector<double> kHexagon = {0,    1.4,   1.21, 0.7,   1.21, -0.7, 0,
                                      -1.4, -1.21, -0.7, -1.21, 0.7,  0,    2.8};

std::vector<TBond> Ring(bool aromatic) {
    std::vector<TBond> bonds;
    for (int i = 0; i < 6; ++i)
        bonds.push_back({i + 1, i == 5 ? 1 : i + 2, aromatic ? 4 : (i % 2 == 0 ? 2 : 1), 0});
    return bonds;
}
std::string Benzene(bool aromatic) {
    return Molfile("benzene", {"C", "C", "C", "C", "C", "C"}, Ring(aromatic), kHexagon);
}
std::string Toluene() {
    std::vector<TBond> bonds = Ring(false);
    bonds.push_back({1, 7, 1, 0});
    return Molfile("toluene", {"C", "C", "C", "C", "C", "C", "C"}, bonds, kHexagon);
}
// Bromochlorofluoromethane with the fluorine wedged up (1) or hashed (6).
std::string HalogenMethane(int wedge) {
    return Molfile(wedge == 1 ? "up" : "down", {"C", "F", "Cl", "Br"},
                   {{1, 2, 1, wedge}, {1, 3, 1, 0}, {1, 4, 1, 0}},
                   {0, 0, 0, 1.3, 1.1, -0.7, -1.1, -0.7});
}

// The stand-in's own exports, reached through a reference of the test's own.
class TStandin {
public:
    explicit TStandin(const std::string& path) : Library(path) {
        Calls = reinterpret_cast<const char* (*)()>(Library.Proc("StandinCalls"));
        Reset = reinterpret_cast<void (*)(std::int32_t, std::int32_t, int)>(
            Library.Proc("StandinReset"));
    }
    bool Loaded() const { return Calls != nullptr && Reset != nullptr; }
    std::string Take() {
        std::string calls = Calls();
        Reset(CompareAnswer, ExactAnswer, CompareHandleFails);
        return calls;
    }
    void Answer(std::int32_t compare, std::int32_t exact, int compareHandleFails = 0) {
        CompareAnswer = compare, ExactAnswer = exact, CompareHandleFails = compareHandleFails;
        Reset(compare, exact, compareHandleFails);
    }

private:
    platform::TLibraryRef Library;
    const char* (*Calls)() = nullptr;
    void (*Reset)(std::int32_t, std::int32_t, int) = nullptr;
    std::int32_t CompareAnswer = 1, ExactAnswer = 1;
    int CompareHandleFails = 0;
};

class ChemSearchEngine : public ::testing::Test {
protected:
    void TearDown() override { SetChemSearchLibraryFile(""); }
    TTempDir Dir;
};

std::string Handle(std::uintptr_t h) {
    return std::to_string(h);
}

TEST_F(ChemSearchEngine, LoadsFromTheProgramFolderAndASecondInitOnlyLogs) {
    TSearchTrace trace(Dir);
    TZelmarChemSearchEngine engine;
    std::string error = "stale";
    engine.Init(error);
    EXPECT_EQ(error, "");
    ASSERT_TRUE(engine.Initialized());
    const std::uintptr_t handles[] = {engine.QueryMolHandle(), engine.TargetMolHandle(),
                                      engine.CompareHandle()};
    for (std::uintptr_t h : handles) EXPECT_NE(h, 0u);
    void* const library = engine.LibHandle();

    engine.Init(error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(engine.LibHandle(), library);
    EXPECT_EQ(engine.QueryMolHandle(), handles[0]);
    EXPECT_EQ(engine.CompareHandle(), handles[2]);

    trace.ExpectLine("loading library " + platform::GetProgramFolder() + "/libveskChemSearch.so",
                     "$INFORMATION");
    trace.ExpectLine("library loaded", "$SUCCESS");
    trace.ExpectLine("search engine already initialized", "$WARNING");
    EXPECT_TRUE(trace.Lines("not found").empty());
    EXPECT_TRUE(trace.Lines("cannot").empty());
}

TEST_F(ChemSearchEngine, AnswersOfTheRealLibrary) {
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    ASSERT_TRUE(engine.Initialized()) << error;

    engine.SetQuery(Benzene(false));
    EXPECT_TRUE(engine.IsSubstructureHit(Toluene()));
    EXPECT_TRUE(engine.IsSubstructureHit(Benzene(true)));
    EXPECT_FALSE(engine.IsExactHit(Toluene()));
    EXPECT_TRUE(engine.IsExactHit(Benzene(true)));
    // A candidate the library cannot read must not leave the previous one in place.
    EXPECT_FALSE(engine.IsSubstructureHit("no molecule"));
    EXPECT_FALSE(engine.IsExactHit(""));

    engine.SetQuery(Toluene());
    EXPECT_FALSE(engine.IsSubstructureHit(Benzene(false)));

    engine.SetQuery(HalogenMethane(1));
    EXPECT_TRUE(engine.IsExactHit(HalogenMethane(6)));
    EXPECT_TRUE(engine.IsSubstructureHit(HalogenMethane(6)));
    engine.SetConsiderStereo(true);
    EXPECT_FALSE(engine.IsExactHit(HalogenMethane(6)));
    EXPECT_FALSE(engine.IsSubstructureHit(HalogenMethane(6)));
    EXPECT_TRUE(engine.IsExactHit(HalogenMethane(1)));
    engine.SetConsiderStereo(false);
    EXPECT_TRUE(engine.IsExactHit(HalogenMethane(6)));
}

TEST_F(ChemSearchEngine, LibraryOnlyOnTheSearchPathLoadsAtTheSecondTry) {
    const std::string name = "libveskChemSearchOnPath.so";
    fs::create_directories(Dir.Path("shared"));
    fs::copy_file(platform::GetProgramFolder() + "/libveskChemSearch.so",
                  Dir.Path("shared/" + name));
    const char* old = std::getenv(platform::LibrarySearchListVariable);
    const std::string oldList = old != nullptr ? old : "";
    platform::PrependToLibrarySearchList(Dir.Path("shared"));
    SetChemSearchLibraryFile(name);

    TSearchTrace trace(Dir);
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    if (old != nullptr)
        setenv(platform::LibrarySearchListVariable, oldList.c_str(), 1);
    else
        unsetenv(platform::LibrarySearchListVariable);

    EXPECT_EQ(error, "");
    ASSERT_TRUE(engine.Initialized());
    const std::string path = platform::GetProgramFolder() + "/" + name;
    trace.ExpectLine("library file not found, loading anyway", "$WARNING");
    trace.ExpectLine("cannot load library at path: " + path, "$ERROR");
    trace.ExpectLine("Trying to load library at: " + name + ", ", "$INFORMATION");
    trace.ExpectLine("library loaded", "$SUCCESS");
    engine.SetQuery(Benzene(true));
    EXPECT_TRUE(engine.IsSubstructureHit(Toluene()));
}

TEST_F(ChemSearchEngine, MissingLibraryLeavesAHarmlessEngine) {
    SetChemSearchLibraryFile("libveskChemSearchNowhere.so");
    TSearchTrace trace(Dir);
    TZelmarChemSearchEngine engine;
    std::string error;
    engine.Init(error);
    EXPECT_EQ(error, "libveskChemSearchNowhere.so not found.");
    EXPECT_FALSE(engine.Initialized());
    EXPECT_EQ(engine.LibHandle(), nullptr);
    trace.ExpectLine("cannot load library", "$ERROR");
    engine.SetQuery(Benzene(false));
    engine.SetConsiderStereo(true);
    EXPECT_FALSE(engine.IsSubstructureHit(Benzene(false)));
    EXPECT_FALSE(engine.IsExactHit(Benzene(false)));
}

TEST_F(ChemSearchEngine, LibraryWithoutItsLastExportIsRefusedBeforeCreatingObjects) {
    TStandin standin(ZELMAR_STANDIN_SEARCH_PARTIAL);
    ASSERT_TRUE(standin.Loaded());
    standin.Answer(1, 1);
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_PARTIAL);
    TSearchTrace trace(Dir);
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        EXPECT_EQ(error, "Library not loaded");
        EXPECT_FALSE(engine.Initialized());
        // Uninitialised: nothing reaches the library, every test is false.
        engine.SetQuery("Q");
        engine.SetConsiderStereo(true);
        EXPECT_FALSE(engine.IsSubstructureHit("T"));
        EXPECT_FALSE(engine.IsExactHit("T"));
    }
    EXPECT_EQ(standin.Take(), "");
    const std::vector<std::string> missing = trace.Lines("cannot get entry point for");
    ASSERT_EQ(missing.size(), 1u);
    // A continuation of the previous line, which it carries the level of.
    EXPECT_EQ(missing[0], "   - cannot get entry point for CheckReactionPermutation");
}

TEST_F(ChemSearchEngine, CallsTheLibraryAsAgreedAndReadsItsAnswers) {
    TStandin standin(ZELMAR_STANDIN_SEARCH_FULL);
    ASSERT_TRUE(standin.Loaded());
    standin.Answer(1, 1);
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_FULL);
    std::string q, t;
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        ASSERT_TRUE(engine.Initialized()) << error;
        q = Handle(engine.QueryMolHandle());
        t = Handle(engine.TargetMolHandle());
        EXPECT_EQ(standin.Take(), "CreateMoleculeHandle=" + q + "\nCreateMoleculeHandle=" + t +
                                      "\nCreateCompareHandle=900\n");

        engine.SetQuery("Q1\nrest");
        engine.SetConsiderStereo(true);
        engine.SetConsiderStereo(false);
        EXPECT_EQ(standin.Take(), "OpenMolString(" + q + ",Q1)\nSetQueryMolecule(900," + q +
                                      ")\nConsiderStereoChemistry2(900,1)\n"
                                      "ConsiderStereoChemistry2(900,0)\n");

        // Substructure: greater than zero is a hit; exact: the low byte decides.
        const struct {
            std::int32_t Answer;
            bool Substructure, Exact;
        } answers[] = {{1, true, true},
                       {0, false, false},
                       {-1, false, true},
                       {2, true, true},
                       {0x100, true, false}};
        for (const auto& a : answers) {
            standin.Answer(a.Answer, a.Answer);
            EXPECT_EQ(engine.IsSubstructureHit("T1"), a.Substructure) << a.Answer;
            EXPECT_EQ(engine.IsExactHit("T2"), a.Exact) << a.Answer;
            EXPECT_EQ(standin.Take(), "OpenMolString(" + t + ",T1)\nSetTargetMolecule(900," + t +
                                          ")\nCompareMolecules(900)\nOpenMolString(" + t +
                                          ",T2)\nSetTargetMolecule(900," + t +
                                          ")\nExactMatch(900)\n");
        }
    }
    EXPECT_EQ(standin.Take(), "DestroyMoleculeHandle(" + q + ")\nDestroyMoleculeHandle(" + t +
                                  ")\nDestroyCompareHandle(900)\n");
}

TEST_F(ChemSearchEngine, FailedObjectCreationKeepsTheEngineOffAndReleasesWhatWasMade) {
    TStandin standin(ZELMAR_STANDIN_SEARCH_FULL);
    ASSERT_TRUE(standin.Loaded());
    standin.Answer(1, 1, 1);
    SetChemSearchLibraryFile(ZELMAR_STANDIN_SEARCH_FULL);
    std::string q, t;
    {
        TZelmarChemSearchEngine engine;
        std::string error;
        engine.Init(error);
        EXPECT_EQ(error, "Cannot create objects");
        EXPECT_FALSE(engine.Initialized());
        q = Handle(engine.QueryMolHandle());
        t = Handle(engine.TargetMolHandle());
        standin.Take();
        EXPECT_FALSE(engine.IsSubstructureHit("T"));
        EXPECT_EQ(standin.Take(), "");
    }
    EXPECT_EQ(standin.Take(),
              "DestroyMoleculeHandle(" + q + ")\nDestroyMoleculeHandle(" + t + ")\n");
}

}  // namespace
