// Molecule handles: lazy parsing, formula notation, weight, broken and empty molecules.

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

// Ethanol written with explicit hydrogens in 3D.
std::string EthanolExplicitH3D() {
    return Block({"C 0 0", "C 0 0", "O 0 0", "H 0 0", "H 0 0", "H 0 0", "H 0 0", "H 0 0",
                  "H 0 0"},
                 {"1 2 1", "2 3 1", "1 4 1", "1 5 1", "1 6 1", "2 7 1", "2 8 1", "3 9 1"}, {},
                 true);
}

}  // namespace

TEST(RoutinesMolecule, FormulaInHillOrderAndAverageWeight) {
    struct Case {
        const char* what;
        std::string block;
        const char* formula;
        double mass;
    };
    const std::vector<Case> cases = {
        {"2D", Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"}), "C2H6O", 46.069},
        {"3D with explicit H", EthanolExplicitH3D(), "C2H6O", 46.069},
        {"anion from the atom block", Block({"C 0 0", "C 0 0", "O 0 0", "O 0 5"},
                                            {"1 2 1", "2 3 2", "2 4 1"}),
         "C2H3O2-", 59.044},
        {"cation from M  CHG", Block({"N 0 0"}, {}, {"M  CHG  1   1   1"}), "H4N+", 18.039},
        {"double charge", Block({"Ca 0 0"}, {}, {"M  CHG  1   1   2"}), "Ca+2", 40.078},
        {"no carbon: alphabetical", Block({"Na 0 3", "Cl 0 5"}, {}), "ClNa", 58.443},
        {"no carbon, with hydrogen", Block({"As 0 0", "O 0 0", "O 0 0", "O 0 0", "O 0 0"},
                                           {"1 2 2", "1 3 1", "1 4 1", "1 5 1"}),
         "AsH3O4", 141.942},
        {"deuterium counts as H, weighs as D", Block({"C 0 0", "D 0 0"}, {"1 2 1"}), "CH4",
         17.0491},
        {"13C by mass difference", Block({"C 1 0"}, {}), "CH4", 17.0354},
        {"13C by M  ISO", Block({"C 0 0"}, {}, {"M  ISO  1   1  13"}), "CH4", 17.0354},
        {"radical", Block({"C 0 0", "C 0 0"}, {"1 2 1"}, {"M  RAD  1   1   2"}), "C2H5", 29.062},
        {"pentavalent carbon (unsanitizable)",
         Block({"C 0 0", "C 0 0", "C 0 0", "C 0 0", "C 0 0", "C 0 0"},
               {"1 2 1", "1 3 1", "1 4 1", "1 5 1", "1 6 1"}),
         "C6H15", 87.186},
        {"divalent fluorine (unsanitizable)", Block({"C 0 0", "F 0 0", "C 0 0"}, {"1 2 1", "2 3 1"}),
         "C2H6F", 49.068},
        {"aromatic bond type 4", Block({"C 0 0", "C 0 0", "C 0 0", "C 0 0", "C 0 0", "C 0 0"},
                                       {"1 2 4", "2 3 4", "3 4 4", "4 5 4", "5 6 4", "6 1 4"}),
         "C6H6", 78.114},
        {"no atoms", Block({}, {}), "", 0.0},
        {"the program's empty molfile",
         "\r\n  -ISIS-  07200413512D\r\n\r\n  0  0  0  0  0  0  0  0  0  0999 V2000\r\nM  END", "",
         0.0},
    };
    for (const Case& c : cases) {
        for (int32_t flags : {VESK_MOL_DEFAULT, VESK_MOL_SANITIZE}) {
            Chem chem = ChemOf(c.block, flags);
            ASSERT_TRUE(chem.ok) << c.what << ": " << chem.error;
            EXPECT_EQ(chem.formula, c.formula) << c.what << " flags " << flags;
            EXPECT_NEAR(chem.mass, c.mass, 0.001) << c.what << " flags " << flags;
        }
    }
}

// The quick connection-table reader must agree with RDKit's own reader wherever it answers.
TEST(RoutinesMolecule, QuickReaderAgreesWithRdkitReader) {
    const std::vector<std::string> blocks = {
        // atom block charge dropped by the first M  RAD line
        Block({"N 0 3", "C 0 0"}, {"1 2 1"}, {"M  RAD  1   2   2"}),
        // M  CHG first, then M  RAD: the charge stays
        Block({"N 0 0", "C 0 0"}, {"1 2 1"}, {"M  CHG  1   1   1", "M  RAD  1   2   2"}),
        Block({"C 0 4", "CL 0 0"}, {"1 2 1"}),  // charge code 4, upper-case symbol
        Block({"T 0 0", "O -1 0", "D 1 0"}, {"1 2 1", "2 3 1"}, {"M  ISO  1   2  18"}),
        Block({"Se 0 0", "O 0 0", "O 0 0"}, {"1 2 2", "1 3 2"}),
        Block({"C 0 0", "C 0 0", "N 0 0"}, {"1 2 1", "2 3 3"}),
        Block({"C 0 0", "C 0 0"}, {"1 2 1", "1 2 1"}),  // duplicate bond: both fail
        "broken\n  x\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
        "    0.0000    0.0000    0.0000 C   0  0  0  0  0  3  0  0  0  0  0  0\n"
        "    0.0000    0.0000    0.0000 N   0  0  0  0  0 15  0  0  0  0  0  0\n"
        "  1  2  1  0\nM  END\n",  // valence column
    };
    for (const std::string& block : blocks) {
        Chem quick = ChemOf(block);
        Chem rdkit = ChemOf(block, VESK_MOL_SANITIZE);
        EXPECT_EQ(quick.ok, rdkit.ok) << block << quick.error << rdkit.error;
        EXPECT_EQ(quick.formula, rdkit.formula) << block;
        EXPECT_NEAR(quick.mass, rdkit.mass, 1e-9) << block;
    }
}

TEST(RoutinesMolecule, TextIsKeptByteForByteAndParsedOnlyWhenAsked) {
    char err[256];
    const std::string text = EthanolExplicitH3D() + "trailing\r\n\xFF";
    uintptr_t mol = 0;
    ASSERT_TRUE(OpenMolString(&mol, text.c_str(), 0, 0, err, 256) & 0xFF) << err;
    EXPECT_EQ(MolText(mol), text);
    DestroyMolFile(mol, err, 256);

    // Opening does not parse, so saving a record pays nothing for its molecule; a text that is
    // no molecule fails only when chemistry is asked of it, and keeps failing the same way.
    ASSERT_TRUE(OpenMolString(&mol, "no molecule at all", 0, 0, err, 256) & 0xFF) << err;
    char formula[256] = "x";
    double mass = 7;
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(GetMolFileFormula(mol, formula, 256, err, 256) & 0xFF);
        EXPECT_NE(std::string(err).find("cannot read the molecule"), std::string::npos) << err;
        EXPECT_STREQ(formula, "");
        EXPECT_FALSE(GetMolFileMass(mol, &mass, err, 256) & 0xFF);
        EXPECT_EQ(mass, 0.0);
    }
    DestroyMolFile(mol, err, 256);
    EXPECT_FALSE(OpenMolString(&mol, "no molecule at all", VESK_MOL_PARSE_NOW, 0, err, 256) &
                 0xFF);
    EXPECT_EQ(mol, 0u);

    for (const char* empty : {"", " \r\n\t\n", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(OpenMolString(&mol, empty, 0, 0, err, 256) & 0xFF);
        EXPECT_NE(std::string(err).find("empty"), std::string::npos) << err;
    }
    EXPECT_FALSE(OpenMolString(&mol, "x", 8, 0, err, 256) & 0xFF);  // unknown flag
    EXPECT_FALSE(OpenMolString(&mol, "x", 0, 1, err, 256) & 0xFF);  // reserved not 0
}

TEST(RoutinesMolecule, FormulaPerFragment) {
    char err[256];
    std::string salt = Block({"C 0 0", "C 0 0", "O 0 0", "O 0 5", "Na 0 3", "Na 0 3", "Cl 0 5"},
                             {"1 2 1", "2 3 2", "2 4 1"});
    uintptr_t mol = 0;
    ASSERT_TRUE(OpenMolString(&mol, salt.c_str(), 0, 0, err, 256) & 0xFF);
    char formula[256];
    ASSERT_TRUE(GetMolFileFormulaEx(mol, "*", formula, 256, err, 256) & 0xFF) << err;
    EXPECT_STREQ(formula, "C2H3O2-*Na+*Na+*Cl-");
    ASSERT_TRUE(GetMolFileFormulaEx(mol, nullptr, formula, 256, err, 256) & 0xFF) << err;
    EXPECT_STREQ(formula, "C2H3O2-Na+Na+Cl-");
    ASSERT_TRUE(GetMolFileFormula(mol, formula, 256, err, 256) & 0xFF) << err;
    EXPECT_STREQ(formula, "C2H3ClNa2O2");
    DestroyMolFile(mol, err, 256);
}
