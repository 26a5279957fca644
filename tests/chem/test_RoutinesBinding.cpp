// The binding without a usable library, with a library that lacks exports, and its molecule
// operations on the real library.

#include <gtest/gtest.h>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

// Points every wrapper created during a test at another library file.
struct TLibraryFileScope {
    explicit TLibraryFileScope(const std::string& file) { SetRoutinesLibraryFile(file); }
    ~TLibraryFileScope() { SetRoutinesLibraryFile(""); }
};

const std::string kEthanol = MolBlock("ethanol", {"C", "C", "O"});
const std::string kNoAtoms = MolBlock("nothing", {});

TEST(RoutinesBinding, MissingLibraryFailsEveryCallWithItsMessage) {
    TTempDir dir;
    TTraceCapture trace(dir, "FATALERROR");
    TLibraryFileScope scope(dir.Path("libveskChemRoutines.so"));
    const std::string notLoaded = "Library not loaded: libveskChemRoutines.so";

    TveskMolManager mol;
    EXPECT_EQ(mol.LastError, notLoaded);
    std::uintptr_t handle = 1;
    std::string formula = "x";
    double mass = 1.0;
    EXPECT_FALSE(mol.OpenMolString(kEthanol, handle));
    EXPECT_EQ(handle, 0u);
    EXPECT_FALSE(mol.GetFormulaAndMass(kEthanol, formula, mass));
    EXPECT_EQ(formula + std::to_string(mass), "0.000000");
    EXPECT_FALSE(mol.IsValidMolString(kEthanol));
    EXPECT_FALSE(mol.GetMolStringFromHandle(5, formula));
    EXPECT_EQ(mol.LastError, notLoaded) << "no lookup was tried";

    TveskSDFileEntry entry;
    EXPECT_EQ(entry.LastError, notLoaded);
    entry.SetMolString(kEthanol);
    EXPECT_EQ(entry.GetMolweight(), 0.0);

    // The manager keeps no error from its constructor; its first call names the export.
    TveskSDFileManager manager;
    EXPECT_EQ(manager.LastError, "");
    EXPECT_FALSE(manager.OpenSDFile(dir.Path("any.sdf"), "", nullptr, nullptr, true));
    EXPECT_EQ(manager.LastError, "library handle not set (TveskSDFileManager: OpenSDFileRA3)");
    EXPECT_EQ(manager.TotalCount(), -1);

    TveskSDFileWriter writer(dir.Path("out.sdf"));
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.LastError, "library handle not set (TveskSDFileWriter: CreateNewSDFile)");
    EXPECT_FALSE(writer.WriteEntry(&entry));

    const auto lines = trace.Lines("library handle not set (TveskSDFileManager: OpenSDFileRA3)");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("$FATALERROR", 0), 0u);
    EXPECT_NE(lines[0].find("[vesk_chemRoutines.GetProcAddressEx]"), std::string::npos);
}

TEST(RoutinesBinding, MissingExportFailsOnlyTheCallThatNeedsIt) {
    TTempDir dir;
    TTraceCapture trace(dir, "FATALERROR");
    TLibraryFileScope scope(ZELMAR_STANDIN_LIBRARY);

    TveskSDFileManager manager;
    std::vector<double> seen;
    const auto onProgress = [&](TveskSDFileManager* sender, double progress) {
        EXPECT_EQ(sender, &manager);
        seen.push_back(progress);
        return false;  // the scan goes on all the same
    };
    ASSERT_TRUE(manager.OpenSDFile("file.sdf", "", onProgress, nullptr, true)) << manager.LastError;
    EXPECT_EQ(seen, (std::vector<double>{0, 50, 100}));
    EXPECT_EQ(manager.TotalCount(), 4)
        << "every callback, the one without user data too, said go on";

    TveskSDFileEntry entry;
    EXPECT_FALSE(manager.LoadEntryData(0, &entry));
    EXPECT_EQ(manager.LastError,
              "procedure not found in library (TveskSDFileManager: ReadSDFileEntryRA)");
    EXPECT_FALSE(entry.Loaded());
    EXPECT_EQ(trace.Lines("(TveskSDFileManager: ReadSDFileEntryRA)").size(), 1u);

    // Only the low byte counts; a failed close keeps the handle for another try.
    EXPECT_FALSE(manager.CloseSDFile());
    EXPECT_EQ(manager.LastError, "stand-in: close refused");
    EXPECT_TRUE(manager.CloseSDFile());
    EXPECT_EQ(manager.FileHandle(), 0u);

    EXPECT_FALSE(manager.OpenSDFile("missing.sdf", "", nullptr, nullptr, true));
    EXPECT_EQ(manager.LastError, "stand-in: no such file");
    EXPECT_EQ(manager.TotalCount(), -1);
}

TEST(RoutinesBinding, MoleculeChecksFormulaMassAndText) {
    TveskMolManager mol;
    ASSERT_TRUE(mol.IsLibLoaded()) << mol.LastError;
    EXPECT_FALSE(mol.IsValidMolString(""));
    EXPECT_FALSE(mol.CanOpenMolString(""));
    EXPECT_TRUE(mol.CanOpenMolString(kNoAtoms));
    EXPECT_FALSE(mol.CanOpenMolString("no molecule")) << "a text is not a molecule";
    EXPECT_FALSE(mol.IsValidMolString(kNoAtoms)) << "opens, but weighs 0";
    EXPECT_TRUE(mol.IsValidMolString(kEthanol)) << mol.LastError;

    std::string formula;
    double mass = 0;
    ASSERT_TRUE(mol.GetFormulaAndMass(kEthanol, formula, mass)) << mol.LastError;
    EXPECT_EQ(formula, "C2H6O");
    EXPECT_NEAR(mass, 46.069, 0.01);

    // The handle gives back its text byte for byte, CR LF included.
    const std::string crlf = "crlf\r\n  x\r\n\r\n" + kEthanol.substr(kEthanol.find("  3  2"));
    std::uintptr_t handle = 0;
    ASSERT_TRUE(mol.OpenMolString(crlf, handle));
    std::string text;
    EXPECT_TRUE(mol.GetMolStringFromHandle(handle, text));
    EXPECT_EQ(text, crlf);
    EXPECT_TRUE(mol.DestroyMolFile(handle));
    EXPECT_FALSE(mol.GetMolStringFromHandle(handle, text)) << "destroyed";
    EXPECT_FALSE(mol.LastError.empty());
}

TEST(RoutinesBinding, EntryFormulaCacheFollowsTheMolecule) {
    TveskSDFileEntry entry;
    entry.SetMolString(kEthanol);
    EXPECT_EQ(entry.GetFormula(), "C2H6O");
    entry.SetMolString(MolBlock("water", {"O"}));
    EXPECT_EQ(entry.GetFormula(), "H2O");
    EXPECT_NEAR(entry.GetMolweight(), 18.015, 0.01);
    entry.SetMolString(kNoAtoms);
    EXPECT_EQ(entry.GetMolweight(), 0.0);

    TveskSDFileEntry copy;
    entry.AddData("ID")->Lines = {"1"};
    copy.Assign(entry);
    ASSERT_EQ(copy.DataCount(), 1);
    EXPECT_NE(copy.Data(0), entry.Data(0)) << "items are copied, not shared";
    EXPECT_EQ(copy.Data(0)->Lines, entry.Data(0)->Lines);
}

}  // namespace
