// Molecule handles: lazy parsing, formula notation, weight, broken and empty molecules.

#include "vesk_RoutinesTestSupport.h"

using namespace routines_test;

namespace {

const std::string kEthanolExplicitH3D =
    Block({"C 0 0", "C 0 0", "O 0 0", "H 0 0", "H 0 0", "H 0 0", "H 0 0", "H 0 0", "H 0 0"},
          {"1 2 1", "2 3 1", "1 4 1", "1 5 1", "1 6 1", "2 7 1", "2 8 1", "3 9 1"}, {}, true);

}  // namespace

// Both with the quick reader and with RDKit's own reader and full sanitizing.
TEST(RoutinesMolecule, FormulaInHillOrderAndAverageWeight) {
    const std::string c6 = "C 0 0";
    const std::vector<std::tuple<const char*, std::string, const char*, double>> cases = {
        {"2D", Block({c6, c6, "O 0 0"}, {"1 2 1", "2 3 1"}), "C2H6O", 46.069},
        {"3D, explicit H", kEthanolExplicitH3D, "C2H6O", 46.069},
        {"anion", Block({c6, c6, "O 0 0", "O 0 5"}, {"1 2 1", "2 3 2", "2 4 1"}), "C2H3O2-",
         59.044},
        {"M  CHG", Block({"N 0 0"}, {}, {"M  CHG  1   1   1"}), "H4N+", 18.039},
        {"charge 2", Block({"Ca 0 0"}, {}, {"M  CHG  1   1   2"}), "Ca+2", 40.078},
        {"no carbon", Block({"Na 0 3", "Cl 0 5"}, {}), "ClNa", 58.443},
        {"no carbon, H sorted in",
         Block({"As 0 0", "O 0 0", "O 0 0", "O 0 0", "O 0 0"},
               {"1 2 2", "1 3 1", "1 4 1", "1 5 1"}),
         "AsH3O4", 141.942},
        {"D counts as H", Block({c6, "D 0 0"}, {"1 2 1"}), "CH4", 17.0491},
        {"13C by mass difference", Block({"C 1 0"}, {}), "CH4", 17.0354},
        {"13C by M  ISO", Block({c6}, {}, {"M  ISO  1   1  13"}), "CH4", 17.0354},
        {"radical", Block({c6, c6}, {"1 2 1"}, {"M  RAD  1   1   2"}), "C2H5", 29.062},
        {"pentavalent C",
         Block({c6, c6, c6, c6, c6, c6}, {"1 2 1", "1 3 1", "1 4 1", "1 5 1", "1 6 1"}), "C6H15",
         87.186},
        {"divalent F", Block({c6, "F 0 0", c6}, {"1 2 1", "2 3 1"}), "C2H6F", 49.068},
        {"aromatic bonds",
         Block({c6, c6, c6, c6, c6, c6}, {"1 2 4", "2 3 4", "3 4 4", "4 5 4", "5 6 4", "6 1 4"}),
         "C6H6", 78.114},
        {"no atoms", Block({}, {}), "", 0.0},
        // Details the quick connection-table reader must read as RDKit's own reader does.
        {"M  RAD drops block charges", Block({"N 0 3", c6}, {"1 2 1"}, {"M  RAD  1   2   2"}),
         "CH4N", 30.050},
        {"M  CHG, then M  RAD",
         Block({"N 0 0", c6}, {"1 2 1"}, {"M  CHG  1   1   1", "M  RAD  1   2   2"}), "CH5N+",
         31.058},
        {"charge code 4, upper-case symbol", Block({"C 0 4", "CL 0 0"}, {"1 2 1"}), "CH3Cl",
         50.488},
        {"T, D with mass difference, M  ISO",
         Block({"T 0 0", "O -1 0", "D 1 0"}, {"1 2 1", "2 3 1"}, {"M  ISO  1   2  18"}), "H2O",
         23.029},
        {"valence column",
         "v\n  x\n\n  2  1  0  0  0  0  0  0  0  0999 V2000\n"
         "    0.0000    0.0000    0.0000 C   0  0  0  0  0  3  0  0  0  0  0  0\n"
         "    0.0000    0.0000    0.0000 N   0  0  0  0  0 15  0  0  0  0  0  0\n  1  2  1  0\nM  "
         "END\n",
         "CH2N", 28.034},
        {"the program's empty molfile",
         "\r\n  -ISIS-  07200413512D\r\n\r\n  0  0  0  0  0  0  0  0  0  0999 V2000\r\nM  END", "",
         0.0},
    };
    for (const auto& [what, block, formula, mass] : cases) {
        for (int32_t flags : {VESK_MOL_DEFAULT, VESK_MOL_SANITIZE}) {
            Chem chem = ChemOf(block, flags);
            ASSERT_TRUE(chem.ok) << what << ": " << chem.error;
            EXPECT_EQ(chem.formula, formula) << what << " flags " << flags;
            EXPECT_NEAR(chem.mass, mass, 0.001) << what << " flags " << flags;
        }
    }
}

TEST(RoutinesMolecule, TextIsKeptAsGivenAndParsedOnlyWhenAsked) {
    char err[256], formula[256] = "x";
    const std::string text = kEthanolExplicitH3D + "trailing\r\n\xFF";
    uintptr_t mol = 0;
    ASSERT_TRUE(OK(OpenMolString(&mol, text.c_str(), 0, 0, err, 256))) << err;
    EXPECT_EQ(MolText(mol), text);
    DestroyMolFile(mol, err, 256);

    // Opening does not parse; a text that is no molecule fails when chemistry is asked of it,
    // every time the same way.
    ASSERT_TRUE(OK(OpenMolString(&mol, "no molecule at all", 0, 0, err, 256))) << err;
    double mass = 7;
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(OK(GetMolFileFormula(mol, formula, 256, err, 256)));
        EXPECT_NE(std::string(err).find("cannot read the molecule"), std::string::npos) << err;
        EXPECT_FALSE(OK(GetMolFileMass(mol, &mass, err, 256)));
        EXPECT_TRUE(*formula == 0 && mass == 0.0);
    }
    DestroyMolFile(mol, err, 256);
    EXPECT_FALSE(OK(OpenMolString(&mol, "no molecule", VESK_MOL_PARSE_NOW, 0, err, 256)));
    EXPECT_EQ(mol, 0u);

    for (const char* empty : {"", " \r\n\t\n", static_cast<const char*>(nullptr)}) {
        EXPECT_FALSE(OK(OpenMolString(&mol, empty, 0, 0, err, 256)));
        EXPECT_NE(std::string(err).find("empty"), std::string::npos) << err;
    }
    // Bonds or property lines naming missing atoms, a bond given twice.
    for (const std::string& broken :
         {Block({"C 0 0"}, {"1 2 1"}), Block({"C 0 0"}, {}, {"M  CHG  1   2   1"}),
          Block({"C 0 0", "C 0 0"}, {"1 2 1", "2 1 2"})}) {
        EXPECT_FALSE(ChemOf(broken).ok || ChemOf(broken, VESK_MOL_SANITIZE).ok) << broken;
    }
    EXPECT_FALSE(OK(OpenMolString(&mol, "x", 8, 0, err, 256)));  // unknown flag
    EXPECT_FALSE(OK(OpenMolString(&mol, "x", 0, 1, err, 256)));  // reserved not 0
}

TEST(RoutinesMolecule, FormulaPerFragment) {
    char err[256], formula[256];
    std::string salt = Block({"C 0 0", "C 0 0", "O 0 0", "O 0 5", "Na 0 3", "Na 0 3", "Cl 0 5"},
                             {"1 2 1", "2 3 2", "2 4 1"});
    uintptr_t mol = 0;
    ASSERT_TRUE(OK(OpenMolString(&mol, salt.c_str(), 0, 0, err, 256)));
    EXPECT_TRUE(OK(GetMolFileFormulaEx(mol, "*", formula, 256, err, 256))) << err;
    EXPECT_STREQ(formula, "C2H3O2-*Na+*Na+*Cl-");
    EXPECT_TRUE(OK(GetMolFileFormulaEx(mol, nullptr, formula, 256, err, 256))) << err;
    EXPECT_STREQ(formula, "C2H3O2-Na+Na+Cl-");
    EXPECT_TRUE(OK(GetMolFileFormula(mol, formula, 256, err, 256))) << err;
    EXPECT_STREQ(formula, "C2H3ClNa2O2");
    DestroyMolFile(mol, err, 256);
}

// Atom lists stated twice (old-style lines and the "M  ALS" lines that supersede them), and
// "M  ALS" lines cut short after their last element: read like the regular form, without a
// leak (the sanitizer builds would report one).
TEST(RoutinesMolecule, AtomListsStatedTwiceOrCutShortAreRead) {
    for (const char* flag : {"T", "F"}) {
        for (const char* tail : {"O   ", "O"}) {
            const std::string block =
                std::string("\n  test\n\n") + "  2  1  1  0  0  0            999 V2000\n" +
                "    0.0000    0.0000    0.0000 L   0  0\n" +
                "    1.0000    0.0000    0.0000 C   0  0\n" + "  1  2  1  0\n" + "  1 " + flag +
                "    2   7   8\n" + "M  ALS   1  2 " + flag + " N   " + tail + "\nM  END\n";
            Chem chem = ChemOf(block);
            EXPECT_TRUE(chem.ok) << flag << tail << ": " << chem.error;
            // As RDKit reads a list atom: its first element.
            EXPECT_EQ(chem.formula, "CH5N") << flag << tail;
        }
    }
}

// SMILES: canonical for the same molecule drawn in another atom order, empty for no atoms,
// and a text that does not fit is an error, not a cut SMILES.
TEST(RoutinesMolecule, SmilesIsCanonicalAndNeverCut) {
    char err[256], smiles[256];
    const auto smilesOf = [&](const std::string& block, int size = 256) {
        uintptr_t mol = 0;
        std::string out = "?";
        if (OK(OpenMolString(&mol, block.c_str(), 0, 0, err, 256))) {
            out = OK(GetMolFileSmiles(mol, smiles, size, err, 256)) ? smiles : "!";
            DestroyMolFile(mol, err, 256);
        }
        return out;
    };
    const std::string ethanol = smilesOf(Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"}));
    EXPECT_EQ(ethanol, "CCO");
    EXPECT_EQ(smilesOf(Block({"O 0 0", "C 0 0", "C 0 0"}, {"1 2 1", "2 3 1"})), ethanol);
    EXPECT_EQ(smilesOf(Block({}, {})), "");
    EXPECT_EQ(smilesOf(Block({"C 0 0", "C 0 0", "O 0 0"}, {"1 2 1", "2 3 1"}), 3), "!");
    EXPECT_EQ(smiles[0], '\0');
}
