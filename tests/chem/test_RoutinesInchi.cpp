// InChI and InChIKey through the binding: against the real library, without a library, and with
// a library that lacks the exports.

#include <gtest/gtest.h>

#include "ChemTestSupport.h"
#include "vesk_ChemRoutines.h"

using namespace chemTest;

namespace {

struct TLibraryFileScope {
    explicit TLibraryFileScope(const std::string& file) { SetRoutinesLibraryFile(file); }
    ~TLibraryFileScope() { SetRoutinesLibraryFile(""); }
};

const std::string kEthanol = MolBlock("ethanol", {"C", "C", "O"});

TEST(RoutinesInchi, MoleculeTextsGiveInchiAndKeyOrTheLibrarysReason) {
    TveskMolManager mol;
    ASSERT_TRUE(mol.IsLibLoaded()) << mol.LastError;
    std::string inchi = "x", key = "x";
    ASSERT_TRUE(mol.GetInchi(kEthanol, inchi)) << mol.LastError;
    EXPECT_EQ(inchi, "InChI=1S/C2H6O/c1-2-3/h3H,2H2,1H3");
    ASSERT_TRUE(mol.GetInchiKey(kEthanol, key)) << mol.LastError;
    EXPECT_EQ(key, "LFQSCWFLJHTTHZ-UHFFFAOYSA-N");
    EXPECT_EQ(mol.LastError, "");

    EXPECT_TRUE(mol.GetInchi(MolBlock("nothing", {}), inchi));
    EXPECT_EQ(inchi, "") << "no atoms, no InChI, no failure";

    // Refused by the InChI library: its message comes through, the old result does not stay.
    key = "x";
    EXPECT_FALSE(mol.GetInchiKey(MolBlock("r group", {"C", "R#"}), key));
    EXPECT_EQ(key, "");
    EXPECT_NE(mol.LastError.find("Unknown element(s): R#"), std::string::npos) << mol.LastError;
    EXPECT_FALSE(mol.GetInchi("no molecule", inchi));
    EXPECT_FALSE(mol.LastError.empty());

    // The InChI of a long chain with every other carbon labelled does not fit the first buffer.
    molfile_support::TMolfile chain =
        molfile_support::Chain("long", "  zelmar-test", std::vector<std::string>(999, "C"), 1.3);
    for (std::size_t i = 0; i < chain.Atoms.size(); i += 2) chain.Atoms[i].MassDiff = 1;
    ASSERT_TRUE(mol.GetInchi(chain.Text(), inchi)) << mol.LastError;
    EXPECT_EQ(inchi.rfind("InChI=1S/C999H2000/c1-3-5-7-", 0), 0u) << inchi.substr(0, 40);
    EXPECT_GT(inchi.size(), 4096u);
}

TEST(RoutinesInchi, LibraryWithoutTheExportsSaysSo) {
    TTempDir dir;
    TTraceCapture trace(dir, "WARNING,FATALERROR");
    {
        TLibraryFileScope scope(ZELMAR_STANDIN_LIBRARY);
        TveskMolManager mol;
        std::string inchi = "x", key = "x";
        EXPECT_FALSE(mol.GetInchi(kEthanol, inchi));
        EXPECT_EQ(inchi, "");
        EXPECT_EQ(mol.LastError,
                  "procedure not found in library (TveskMolManager: GetMolFileInchi)");
        EXPECT_FALSE(mol.GetInchiKey(kEthanol, key));
        EXPECT_EQ(mol.LastError,
                  "procedure not found in library (TveskMolManager: GetMolFileInchiKey)");
        EXPECT_FALSE(mol.GetInchi(kEthanol, inchi));
    }
    {
        TLibraryFileScope scope(dir.Path("libveskChemRoutines.so"));
        TveskMolManager mol;
        std::string inchi;
        EXPECT_FALSE(mol.GetInchi(kEthanol, inchi));
        EXPECT_EQ(mol.LastError, "Library not loaded: libveskChemRoutines.so");
    }
    // Not a fault of the program: a warning, once, however many records ask.
    const auto lines =
        trace.Lines("procedure not found in library (TveskMolManager: GetMolFileInchi");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("$WARNING", 0), 0u) << lines[0];
}

}  // namespace
