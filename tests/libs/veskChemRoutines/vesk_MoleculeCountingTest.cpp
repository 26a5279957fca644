// Formula and mass counted from a plain connection table (V2000 or V3000) without RDKit's
// molecule must be exactly what RDKit's molecule gives: every common element with every charge
// and bond pattern up to six neighbours, and every molecule of the shared SD files; and the
// SMILES of those molecules are RDKit's own canonical SMILES.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include "vesk_Molecule.h"
#include "vesk_SDRecord.h"

namespace fs = std::filesystem;

namespace {

struct TResult {
    bool ok = false;
    std::string formula;
    double mass = 0.0;
    std::string error;
};

TResult Count(const std::string& block, int flags) {
    vesk::Molecule molecule(block, flags);
    TResult result;
    result.ok =
        molecule.Formula(result.formula, result.error) && molecule.Mass(result.mass, result.error);
    return result;
}

// Both ways agree, to the last bit of the mass. True when the table was counted without RDKit.
bool ExpectSameCounts(const std::string& block, const std::string& what) {
    const TResult counted = Count(block, 0);
    const TResult rdkit = Count(block, vesk::Molecule::kRDKitOnly);
    EXPECT_EQ(counted.ok, rdkit.ok) << what;
    EXPECT_EQ(counted.formula, rdkit.formula) << what;
    EXPECT_EQ(counted.mass, rdkit.mass) << what;
    EXPECT_EQ(counted.error, rdkit.error) << what;
    return vesk::Molecule(block, 0).CountsPlainly();
}

// A centre atom bonded to one carbon per bond order, with the centre's charge on an M  CHG line.
std::string Star(const std::string& symbol, int charge, const std::vector<int>& orders) {
    char line[96];
    std::string text = "star\n  test\n\n";
    std::snprintf(line, sizeof line, "%3zu%3zu  0  0  0  0  0  0  0  0999 V2000\n",
                  orders.size() + 1, orders.size());
    text += line;
    auto atom = [&](const std::string& element) {
        std::snprintf(line, sizeof line,
                      "    0.0000    0.0000    0.0000 %-3s 0  0  0  0  0  0  0  0  0  0  0  0\n",
                      element.c_str());
        text += line;
    };
    atom(symbol);
    for (std::size_t k = 0; k < orders.size(); ++k) atom("C");
    for (std::size_t k = 0; k < orders.size(); ++k) {
        std::snprintf(line, sizeof line, "%3d%3zu%3d  0  0  0  0\n", 1, k + 2, orders[k]);
        text += line;
    }
    if (charge != 0) {
        std::snprintf(line, sizeof line, "M  CHG  1   1%4d\n", charge);
        text += line;
    }
    return text + "M  END\n";
}

// The same as a V3000 table.
std::string Star3000(const std::string& symbol, int charge, const std::vector<int>& orders) {
    std::string text = "star\n  test\n\n  0  0  0     0  0            999 V3000\n";
    text += "M  V30 BEGIN CTAB\nM  V30 COUNTS " + std::to_string(orders.size() + 1) + " " +
            std::to_string(orders.size()) + " 0 0 0\nM  V30 BEGIN ATOM\n";
    text += "M  V30 1 " + symbol + " 0.0 0.0 0.0 0" +
            (charge != 0 ? " CHG=" + std::to_string(charge) : std::string()) + "\n";
    for (std::size_t k = 0; k < orders.size(); ++k)
        text += "M  V30 " + std::to_string(k + 2) + " C 1.5 -0.75 0.0 0\n";
    text += "M  V30 END ATOM\n";
    if (!orders.empty()) {
        text += "M  V30 BEGIN BOND\n";
        for (std::size_t k = 0; k < orders.size(); ++k) {
            text += "M  V30 " + std::to_string(k + 1) + " " + std::to_string(orders[k]) + " 1 " +
                    std::to_string(k + 2) + "\n";
        }
        text += "M  V30 END BOND\n";
    }
    return text + "M  V30 END CTAB\nM  END\n";
}

// Bond orders of up to six neighbours, each order sequence once (non-decreasing).
void Patterns(std::vector<int>& orders, std::vector<std::vector<int>>& out) {
    out.push_back(orders);
    if (orders.size() == 6) return;
    for (int order = orders.empty() ? 1 : orders.back(); order <= 3; ++order) {
        orders.push_back(order);
        Patterns(orders, out);
        orders.pop_back();
    }
}

}  // namespace

TEST(MoleculeCounting, EveryChargeAndBondPatternOfTheCommonElements) {
    std::vector<int> start;
    std::vector<std::vector<int>> patterns;
    Patterns(start, patterns);
    int counted = 0;
    for (const char* symbol : {"C", "H", "N", "O", "S", "F", "Cl", "Br", "P", "I"}) {
        for (int charge = -3; charge <= 3; ++charge) {
            for (const auto& orders : patterns) {
                std::string what =
                    std::string(symbol) + " charge " + std::to_string(charge) + " bonds";
                for (const int order : orders) what += " " + std::to_string(order);
                if (ExpectSameCounts(Star(symbol, charge, orders), what)) ++counted;
                if (ExpectSameCounts(Star3000(symbol, charge, orders), what + " (V3000)"))
                    ++counted;
            }
        }
    }
    // Hydrogen with a charge goes to RDKit; everything else is counted plainly.
    EXPECT_EQ(counted, 2 * (10 * 7 - 6) * static_cast<int>(patterns.size()));
}

TEST(MoleculeCounting, OtherTablesStayWithRDKit) {
    for (const std::string& block : {Star("Na", 1, {}), Star("B", 0, {1, 1}), Star("Se", 0, {1}),
                                     Star("N", 4, {1}), Star3000("S", -5, {})}) {
        EXPECT_FALSE(ExpectSameCounts(block, block));
    }
    // Isotopes, radicals and fixed valences are RDKit's too.
    std::string isotope = Star("C", 0, {1});
    isotope.insert(isotope.find("M  END"), "M  ISO  1   1  13\n");
    std::string radical = Star("C", 0, {1});
    radical.insert(radical.find("M  END"), "M  RAD  1   1   2\n");
    for (const std::string& block : {isotope, radical})
        EXPECT_FALSE(ExpectSameCounts(block, block));
    // V3000 details beyond the plain subset.
    std::string mass = Star3000("C", 0, {1});
    mass.insert(mass.find(" 0.0 0.0 0.0 0\n") + 14, " MASS=13");
    std::string continued = Star3000("C", 0, {1});
    continued.insert(continued.find("M  V30 2 C"), "M  V30 -\n");
    std::string sgroup = Star3000("C", 0, {1});
    sgroup.insert(sgroup.find("M  V30 END CTAB"),
                  "M  V30 BEGIN SGROUP\nM  V30 1 SUP 0 ATOMS=(1 1)\nM  V30 END SGROUP\n");
    for (const std::string& block : {mass, continued, sgroup})
        EXPECT_FALSE(ExpectSameCounts(block, block));
    std::string stereo = Star3000("C", 0, {1, 1});
    stereo.insert(stereo.find("M  V30 END CTAB"),
                  "M  V30 BEGIN COLLECTION\nM  V30 MDLV30/STEABS ATOMS=(1 1)\n"
                  "M  V30 END COLLECTION\n");
    EXPECT_TRUE(ExpectSameCounts(stereo, stereo));
    EXPECT_TRUE(ExpectSameCounts(Star("C", 0, {}), "methane"));
    EXPECT_FALSE(vesk::Molecule(Star("C", 0, {}), vesk::Molecule::kSanitize).CountsPlainly());
}

// Cut anywhere, a table is still read as RDKit reads it (usually not at all).
TEST(MoleculeCounting, TablesCutShortAgreeToo) {
    for (const std::string& block : {Star("N", 1, {1, 2}), Star3000("N", 1, {1, 2})}) {
        for (std::size_t size = 0; size < block.size(); ++size)
            ExpectSameCounts(block.substr(0, size), block.substr(0, size));
    }
}

// Calls visit(molecule block, where) for every record of the shared files that splits.
template <typename TVisit>
int ForEachSharedMolBlock(const fs::path& corpus, TVisit visit) {
    int molecules = 0;
    for (const auto& entry : fs::recursive_directory_iterator(corpus)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name == "MANIFEST.tsv" || name == "NOTES.md") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
        // Records split at "$$$$" lines; a file without them is one record.
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find("\n$$$$", start);
            end = end == std::string::npos ? bytes.size() : bytes.find('\n', end + 1);
            if (end == std::string::npos) end = bytes.size();
            vesk::SDRecord record;
            std::string why;
            const std::string_view text(bytes.data() + start, end - start);
            if (vesk::SplitSDRecord(text, record, why)) {
                visit(record.molBlock, name + " at byte " + std::to_string(start));
                ++molecules;
            }
            start = end + 1;
        }
    }
    return molecules;
}

TEST(MoleculeCounting, EveryMoleculeOfTheSharedFiles) {
    const fs::path corpus = VESK_SDF_CORPUS_DIR;
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no shared SD files at " << corpus;
    const int molecules = ForEachSharedMolBlock(
        corpus,
        [](const std::string& block, const std::string& where) { ExpectSameCounts(block, where); });
    EXPECT_GT(molecules, 100);
}

// The SMILES the library hands out is RDKit's canonical SMILES of the record, wherever RDKit's
// own reader takes the molecule block as it stands.
TEST(MoleculeCounting, SmilesOfTheSharedFilesAreRDKitsCanonicalSmiles) {
    const fs::path corpus = VESK_SDF_CORPUS_DIR;
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no shared SD files at " << corpus;
    int compared = 0;
    ForEachSharedMolBlock(corpus, [&](const std::string& block, const std::string& where) {
        std::unique_ptr<RDKit::RWMol> mol;
        try {
            mol.reset(RDKit::MolBlockToMol(block, true, true, true));
        } catch (const std::exception&) {
            return;  // RDKit cannot read it: nothing to hold ours against
        }
        if (!mol || mol->getNumAtoms() == 0) return;
        std::string smiles, error;
        ASSERT_TRUE(vesk::Molecule(block, 0).Smiles(smiles, error)) << where << ": " << error;
        EXPECT_EQ(smiles, RDKit::MolToSmiles(*mol, true)) << where;
        ++compared;
    });
    EXPECT_GT(compared, 1000);
}
