// The binding without a usable library, with a library that lacks exports, and its molecule
// and entry operations.

#include <gtest/gtest.h>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

// Points every wrapper created during a test at another library file.
class TLibraryFileScope {
public:
    explicit TLibraryFileScope(const std::string& file) { SetRoutinesLibraryFile(file); }
    ~TLibraryFileScope() { SetRoutinesLibraryFile(""); }
};

const std::string kEthanol = MolBlock("ethanol", {"C", "C", "O"});
const std::string kNoAtoms = MolBlock("nothing", {});

TEST(RoutinesLibraryMissing, WrappersReportItAndFailAtOnce) {
    TTempDir dir;
    TTraceCapture trace(dir, "FATALERROR");
    TLibraryFileScope scope(dir.Path("libveskChemRoutines.so"));
    const std::string notLoaded = "Library not loaded: libveskChemRoutines.so";

    TveskMolManager mol;
    EXPECT_FALSE(mol.IsLibLoaded());
    EXPECT_EQ(mol.LastError, notLoaded);
    std::uintptr_t handle = 1;
    std::string formula = "x";
    double mass = 1.0;
    EXPECT_FALSE(mol.OpenMolString(kEthanol, handle));
    EXPECT_EQ(handle, 0u);
    EXPECT_FALSE(mol.GetFormulaAndMass(kEthanol, formula, mass));
    EXPECT_EQ(formula, "");
    EXPECT_EQ(mass, 0.0);
    EXPECT_FALSE(mol.IsValidMolString(kEthanol));
    EXPECT_FALSE(mol.CanOpenMolString(kEthanol));
    EXPECT_FALSE(mol.GetMolStringFromHandle(5, formula));
    EXPECT_EQ(mol.LastError, notLoaded) << "methods return before any lookup";

    TveskSDFileEntryData item;
    EXPECT_EQ(item.LastError, notLoaded);
    TveskSDFileEntry entry;
    EXPECT_EQ(entry.LastError, notLoaded);
    entry.SetMolString(kEthanol);
    EXPECT_EQ(entry.GetFormula(), "");
    EXPECT_EQ(entry.GetMolweight(), 0.0);

    // The manager keeps no error from its constructor; its first call names the export.
    TveskSDFileManager manager;
    EXPECT_EQ(manager.LastError, "");
    EXPECT_FALSE(manager.OpenSDFile(dir.Path("any.sdf"), "", nullptr, nullptr, true));
    EXPECT_EQ(manager.LastError, "library handle not set (TveskSDFileManager: OpenSDFileRA3)");
    EXPECT_FALSE(manager.OpenSDFile(dir.Path("any.sdf"), "", nullptr, nullptr, false));
    EXPECT_EQ(manager.LastError, "library handle not set (TveskSDFileManager: OpenSDFile)");
    EXPECT_EQ(manager.TotalCount(), -1);

    TveskSDFileWriter writer(dir.Path("out.sdf"));
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.LastError, "library handle not set (TveskSDFileWriter: CreateNewSDFile)");
    EXPECT_FALSE(writer.WriteEntry(&entry));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("out.sdf")));

    const auto lines = trace.Lines("library handle not set (TveskSDFileManager: OpenSDFileRA3)");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("$FATALERROR", 0), 0u);
    EXPECT_NE(lines[0].find("[vesk_chemRoutines.GetProcAddressEx]"), std::string::npos);
}

TEST(RoutinesLibraryStandIn, MissingExportFailsTheCallThatNeedsIt) {
    TTempDir dir;
    TTraceCapture trace(dir, "FATALERROR");
    TLibraryFileScope scope(ZELMAR_STANDIN_LIBRARY);

    TveskSDFileManager manager;
    ASSERT_TRUE(manager.IsLibLoaded());
    std::vector<double> seen;
    const auto onProgress = [&](TveskSDFileManager* sender, double progress) {
        EXPECT_EQ(sender, &manager);
        seen.push_back(progress);
        return false;  // cannot stop the scan
    };
    ASSERT_TRUE(manager.OpenSDFile("file.sdf", "", onProgress, nullptr, true)) << manager.LastError;
    EXPECT_EQ(seen, (std::vector<double>{0, 50, 100}));
    // Every callback answer was "go on", the one without user data included.
    EXPECT_EQ(manager.TotalCount(), 4);
    EXPECT_FALSE(manager.OnProgress) << "events are dropped when the open call returns";

    TveskSDFileEntry entry;
    EXPECT_FALSE(manager.LoadEntryData(0, &entry));
    EXPECT_EQ(manager.LastError,
              "procedure not found in library (TveskSDFileManager: GetSDFileEntryRA)");
    EXPECT_FALSE(entry.Loaded());
    EXPECT_EQ(trace.Lines("(TveskSDFileManager: GetSDFileEntryRA)").size(), 1u);

    // A result whose low byte is 0 fails even with higher bits set; the handle then stays.
    EXPECT_FALSE(manager.CloseSDFile());
    EXPECT_EQ(manager.LastError, "stand-in: close refused");
    EXPECT_NE(manager.FileHandle(), 0u);
    EXPECT_TRUE(manager.CloseSDFile());
    EXPECT_EQ(manager.FileHandle(), 0u);

    EXPECT_FALSE(manager.OpenSDFile("missing.sdf", "", nullptr, nullptr, true));
    EXPECT_EQ(manager.LastError, "stand-in: no such file");
    EXPECT_EQ(manager.TotalCount(), -1);

    TveskMolManager mol;
    EXPECT_FALSE(mol.CanOpenMolString(kEthanol));
    EXPECT_EQ(mol.LastError, "procedure not found in library (TveskMolManager: OpenMolString)");
}

TEST(RoutinesLookup, SuccessLeavesLastErrorAlone) {
    TveskMolManager mol;
    ASSERT_TRUE(mol.IsLibLoaded()) << mol.LastError;
    std::string error = "earlier";
    EXPECT_NE(GetProcAddressEx("TTest", mol.LibHandle(), "OpenMolString", error), nullptr);
    EXPECT_EQ(error, "earlier");
    EXPECT_EQ(GetProcAddressEx("TTest", nullptr, "OpenMolString", error), nullptr);
    EXPECT_EQ(error, "library handle not set (TTest: OpenMolString)");
}

TEST(RoutinesMolecules, ValidityFormulaMassAndText) {
    TveskMolManager mol;
    EXPECT_FALSE(mol.IsValidMolString(""));
    EXPECT_FALSE(mol.CanOpenMolString(""));
    EXPECT_FALSE(mol.IsValidMolString(kNoAtoms)) << "opens, but its mass is 0";
    EXPECT_TRUE(mol.CanOpenMolString(kNoAtoms));
    EXPECT_TRUE(mol.IsValidMolString(kEthanol)) << mol.LastError;

    std::string formula;
    double mass = 0;
    ASSERT_TRUE(mol.GetFormulaAndMass(kEthanol, formula, mass)) << mol.LastError;
    EXPECT_EQ(formula, "C2H6O");
    EXPECT_NEAR(mass, 46.069, 0.01);

    // The handle gives back the text it was opened with, byte for byte.
    const std::string crlf = "crlf\r\n  x\r\n\r\n" + kEthanol.substr(kEthanol.find("  3  2"));
    std::uintptr_t handle = 0;
    ASSERT_TRUE(mol.OpenMolString(crlf, handle));
    std::string text;
    EXPECT_TRUE(mol.GetMolStringFromHandle(handle, text));
    EXPECT_EQ(text, crlf);
    EXPECT_TRUE(mol.GetMolFormula(handle, formula, true, "."));
    EXPECT_EQ(formula, "C2H6O");
    EXPECT_TRUE(mol.DestroyMolFile(handle));
    EXPECT_FALSE(mol.DestroyMolFile(0));
    EXPECT_FALSE(mol.GetMolStringFromHandle(handle, text)) << "destroyed handle";
    EXPECT_EQ(text, "");
    EXPECT_FALSE(mol.LastError.empty());
}

TEST(RoutinesEntry, FormulaCacheFollowsTheMolecule) {
    TveskSDFileEntry entry;
    EXPECT_FALSE(entry.Loaded());
    entry.SetMolString(kEthanol);
    EXPECT_TRUE(entry.Loaded());
    EXPECT_EQ(entry.GetFormula(), "C2H6O");
    EXPECT_NEAR(entry.GetMolweight(), 46.069, 0.01);
    entry.SetMolString(MolBlock("water", {"O"}));
    EXPECT_EQ(entry.GetFormula(), "H2O");
    EXPECT_NEAR(entry.GetMolweight(), 18.015, 0.01);
    entry.SetMolString(kNoAtoms);
    EXPECT_EQ(entry.GetFormula(), "");
    EXPECT_EQ(entry.GetMolweight(), 0.0);
    entry.ClearEntry();
    EXPECT_FALSE(entry.Loaded());
    EXPECT_EQ(entry.MolString(), "");
}

TEST(RoutinesEntry, ItemsCopyFindAndFree) {
    TveskSDFileEntry entry;
    entry.SetMolString(kEthanol);
    entry.Title = "title";
    entry.AddData("ID")->Lines = {"1"};
    entry.AddData("Note")->Lines = {"a", "b"};
    entry.AddData("id")->Lines = {"lower"};
    EXPECT_EQ(entry.FindData("id")->Lines[0], "lower") << "names compare case-sensitively";
    EXPECT_EQ(entry.FindData("ID"), entry.Data(0));
    EXPECT_EQ(entry.FindData("none"), nullptr);
    EXPECT_EQ(entry.Data(3), nullptr);

    TveskSDFileEntry copy;
    copy.AddData("old");
    copy.Assign(entry);
    ASSERT_EQ(copy.DataCount(), 3);
    EXPECT_NE(copy.Data(1), entry.Data(1)) << "items are copied, not shared";
    EXPECT_EQ(copy.Data(1)->Lines, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(copy.Loaded());
    EXPECT_EQ(copy.Title, "title");
    EXPECT_EQ(copy.MolString(), kEthanol);

    std::vector<std::string> names = {"Note", "X"};
    copy.AssignFieldNamesTo(&names);
    EXPECT_EQ(names, (std::vector<std::string>{"Note", "X", "ID", "id"}));
    copy.AssignFieldNamesTo(nullptr);

    EXPECT_TRUE(copy.FreeData(copy.Data(0)));
    EXPECT_TRUE(copy.FreeData(entry.Data(0))) << "not in the list: nothing happens";
    ASSERT_EQ(copy.DataCount(), 2);
    EXPECT_EQ(copy.Data(0)->Name, "Note");
}

}  // namespace
