#include "vesk_Molecule.h"

#include <GraphMol/Atom.h>
#include <GraphMol/Descriptors/MolDescriptors.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/PeriodicTable.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "vesk_Inchi.h"
#include "vesk_MolTable.h"

namespace vesk {

struct Molecule::Parsed {
    std::unique_ptr<RDKit::RWMol> mol;
};

struct Molecule::Counted {
    std::string formula;
    double mass = 0.0;
};

struct Molecule::Identifiers {
    bool made = false;
    std::string inchi, error;
    bool keyTried = false, keyMade = false;
    std::string key, keyError;
};

struct Molecule::Table {
    CTabResult result = CTabResult::kOther;
    CTab ctab;
    std::string problem;
};

namespace {

// Builds the molecule of a plain table the way RDKit's reader would, without stereo
// perception; nullptr when a detail is better left to RDKit's reader.
std::unique_ptr<RDKit::RWMol> BuildPlain(const CTab& ctab) {
    const RDKit::PeriodicTable* table = RDKit::PeriodicTable::getTable();
    auto mol = std::make_unique<RDKit::RWMol>();
    for (const CTabAtom& a : ctab.atoms) {
        int number = 0;
        unsigned int hydrogenIsotope = 0;
        if (a.symbol[0] == 'D' && a.symbol[1] == 0) {
            number = 1;
            hydrogenIsotope = 2;
        } else if (a.symbol[0] == 'T' && a.symbol[1] == 0) {
            number = 1;
            hydrogenIsotope = 3;
        } else {
            try {
                number = table->getAtomicNumber(a.symbol);
            } catch (...) {
                return nullptr;
            }
        }
        if (number <= 0) return nullptr;
        auto atom = std::make_unique<RDKit::Atom>(number);
        if (hydrogenIsotope) atom->setIsotope(hydrogenIsotope);
        atom->setFormalCharge(a.charge);
        atom->setNumRadicalElectrons(static_cast<unsigned int>(a.radicalElectrons));
        if (a.isotope >= 0) {
            atom->setIsotope(static_cast<unsigned int>(a.isotope));
        } else if (a.massDifference != 0) {
            int isotope = table->getMostCommonIsotope(number) + a.massDifference;
            if (isotope <= 0) return nullptr;
            atom->setIsotope(static_cast<unsigned int>(isotope));
        }
        mol->addAtom(atom.release(), false, true);
    }
    static const RDKit::Bond::BondType kTypes[] = {RDKit::Bond::UNSPECIFIED, RDKit::Bond::SINGLE,
                                                   RDKit::Bond::DOUBLE, RDKit::Bond::TRIPLE};
    for (const CTabBond& b : ctab.bonds) {
        mol->addBond(static_cast<unsigned int>(b.first), static_cast<unsigned int>(b.second),
                     kTypes[b.order]);
    }
    // A valence column fixes the hydrogen count: whatever the drawn bonds leave to it.
    for (std::size_t i = 0; i < ctab.atoms.size(); ++i) {
        int valence = ctab.atoms[i].valence;
        if (valence == 0) continue;
        RDKit::Atom* atom = mol->getAtomWithIdx(static_cast<unsigned int>(i));
        int drawn = atom->calcExplicitValence(false);
        atom->setNoImplicit(true);
        atom->setNumExplicitHs(
            valence == 15 || drawn > valence ? 0 : static_cast<unsigned>(valence - drawn));
    }
    return mol;
}

// What a formula and a mass need of one atom.
struct AtomCount {
    int atomicNum;
    unsigned int hydrogens;
    int charge;
};

// Hill order: carbon, hydrogen, then the rest alphabetically; without carbon every element
// alphabetically, hydrogen included (RDKit's own formula always puts H second, which gives
// "H3AsO4" where chemists and PubChem write "AsH3O4"). Isotopes count as their element; the net
// charge follows as "+", "-2", ...
std::string HillFormula(const std::vector<AtomCount>& atoms) {
    const RDKit::PeriodicTable* table = RDKit::PeriodicTable::getTable();
    // Counted by atomic number (an isotope is its element), then ordered by symbol.
    std::vector<unsigned int> byNumber(2, 0);
    int charge = 0;
    for (const AtomCount& atom : atoms) {
        const auto number = static_cast<std::size_t>(atom.atomicNum);
        if (number >= byNumber.size()) byNumber.resize(number + 1, 0);
        ++byNumber[number];
        byNumber[1] += atom.hydrogens;
        charge += atom.charge;
    }
    std::vector<std::pair<std::string, unsigned int>> counts;
    for (std::size_t number = 0; number < byNumber.size(); ++number) {
        if (byNumber[number] != 0)
            counts.emplace_back(table->getElementSymbol(static_cast<unsigned int>(number)),
                                byNumber[number]);
    }
    std::sort(counts.begin(), counts.end());
    std::string formula;
    auto put = [&](const std::string& symbol, unsigned int count) {
        formula += symbol;
        if (count > 1) formula += std::to_string(count);
    };
    const bool carbon = byNumber.size() > 6 && byNumber[6] != 0;
    if (carbon) {
        put("C", byNumber[6]);
        if (byNumber[1] != 0) put("H", byNumber[1]);
    }
    for (const auto& [symbol, count] : counts) {
        if (!carbon || (symbol != "C" && symbol != "H")) put(symbol, count);
    }
    if (charge != 0) {
        formula += charge > 0 ? '+' : '-';
        if (charge > 1 || charge < -1) formula += std::to_string(charge > 0 ? charge : -charge);
    }
    return formula;
}

std::vector<AtomCount> CountAtoms(const RDKit::ROMol& mol) {
    std::vector<AtomCount> atoms;
    atoms.reserve(mol.getNumAtoms());
    for (const RDKit::Atom* atom : mol.atoms())
        atoms.push_back({atom->getAtomicNum(), atom->getTotalNumHs(), atom->getFormalCharge()});
    return atoms;
}

// RDKit's average molecular weight (calcAMW) of atoms without isotopes, summed in the same
// order, so that the result is the same double.
double AverageWeight(const std::vector<AtomCount>& atoms) {
    const RDKit::PeriodicTable* table = RDKit::PeriodicTable::getTable();
    const double hydrogen = table->getAtomicWeight(1);
    double weight = 0.0;
    for (const AtomCount& atom : atoms) {
        weight += table->getAtomicWeight(atom.atomicNum);
        weight += atom.hydrogens * hydrogen;
    }
    return weight;
}

// The elements whose implicit hydrogens follow RDKit's rule for atoms right of boron, which
// CountPlain repeats: the smallest allowed valence, shifted by the charge, that the bonds do not
// exceed. Other elements (and isotopes, radicals, fixed valences) are left to RDKit's molecule.
int CommonElement(const char* symbol) {
    static const struct {
        const char* symbol;
        int number;
    } kElements[] = {{"C", 6}, {"H", 1},   {"N", 7},   {"O", 8},  {"S", 16},
                     {"F", 9}, {"Cl", 17}, {"Br", 35}, {"P", 15}, {"I", 53}};
    for (const auto& element : kElements) {
        if (std::strcmp(symbol, element.symbol) == 0) return element.number;
    }
    return 0;
}

// The atoms of a plain table counted as RDKit's molecule (unsanitized, property cache
// updated leniently) counts them; false when an atom is beyond CommonElement's subset.
bool CountPlain(const CTab& ctab, std::vector<AtomCount>& atoms) {
    const RDKit::PeriodicTable* table = RDKit::PeriodicTable::getTable();
    std::vector<int> bonded(ctab.atoms.size(), 0);
    for (const CTabBond& bond : ctab.bonds) {
        bonded[static_cast<std::size_t>(bond.first)] += bond.order;
        bonded[static_cast<std::size_t>(bond.second)] += bond.order;
    }
    atoms.clear();
    atoms.reserve(ctab.atoms.size());
    for (std::size_t i = 0; i < ctab.atoms.size(); ++i) {
        const CTabAtom& a = ctab.atoms[i];
        if (a.isotope >= 0 || a.massDifference != 0 || a.radicalElectrons != 0 || a.valence != 0)
            return false;
        const int number = CommonElement(a.symbol);
        if (number == 0 || (number == 1 && a.charge != 0)) return false;
        const int explicitValence = bonded[i];
        // Beyond what the comparison with RDKit's molecule covers (vesk_MoleculeCountingTest).
        if (a.charge < -3 || a.charge > 3 || explicitValence > 18) return false;
        int hydrogens = 0;
        if (number == 1 && explicitValence == 0) {
            hydrogens = 1;  // a lone hydrogen atom is H2
        } else {
            // A cation of carbon loses a hydrogen as its anion does.
            const int shift = number == 6 && a.charge > 0 ? -a.charge : a.charge;
            hydrogens = -1;
            for (const int valence : table->getValenceList(number)) {
                if (valence < 0) break;
                if (explicitValence <= valence + shift) {
                    hydrogens = valence + shift - explicitValence;
                    break;
                }
            }
            if (hydrogens < 0) hydrogens = 0;  // over-valent: no hydrogens, no error
        }
        atoms.push_back({number, static_cast<unsigned int>(hydrogens), a.charge});
    }
    return true;
}

std::string Describe(const std::exception& e) {
    std::string what = e.what();
    while (!what.empty() && (what.back() == '\n' || what.back() == ' ')) what.pop_back();
    return what.empty() ? std::string("unknown parser error") : what;
}

}  // namespace

Molecule::Molecule(std::string text, int flags) : text_(std::move(text)), flags_(flags) {}

Molecule::~Molecule() = default;

bool Molecule::EnsureParsedLocked(std::string& error) {
    if (!tried_) {
        tried_ = true;
        std::unique_ptr<RDKit::RWMol> mol;
        try {
            CTab ctab;
            std::string problem;
            // Counting may have read the table already.
            CTabResult read = CTabResult::kOther;
            if (table_) {
                read = table_->result;
                ctab = std::move(table_->ctab);
                problem = std::move(table_->problem);
                table_.reset();
            } else {
                read = ReadPlainV2000(text_, ctab, problem);
            }
            if (read == CTabResult::kBroken) {
                error = parseError_ = "cannot read the molecule: " + problem;
                return false;
            }
            if (flags_ & kSanitize) {
                try {
                    mol.reset(RDKit::MolBlockToMol(text_, true, false, true));
                } catch (...) {
                    // Unsanitizable: formula and weight still come from the atoms as read.
                    mol.reset();
                }
            } else if (read == CTabResult::kPlain) {
                mol = BuildPlain(ctab);
            }
            if (!mol) {
                mol.reset(RDKit::MolBlockToMol(ForRDKitReader(text_), false, false, true));
            }
            if (mol) {
                // Not strict: valence errors must not cost the formula.
                mol->updatePropertyCache(false);
                parsed_ = std::make_unique<Parsed>();
                parsed_->mol = std::move(mol);
            } else {
                parseError_ = "cannot read the molecule: the text holds no molecule";
            }
        } catch (const std::exception& e) {
            parseError_ = "cannot read the molecule: " + Describe(e);
        } catch (...) {
            parseError_ = "cannot read the molecule";
        }
    }
    if (parsed_) return true;
    error = parseError_;
    return false;
}

bool Molecule::Parse(std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    return EnsureParsedLocked(error);
}

bool Molecule::CountedLocked() {
    if (!countTried_) {
        countTried_ = true;
        // Sanitizing may change what RDKit counts; a parsed molecule is asked instead.
        if ((flags_ & (kSanitize | kRDKitOnly)) == 0 && !parsed_) {
            auto table = std::make_unique<Table>();
            table->result = ReadPlainV2000(text_, table->ctab, table->problem);
            std::vector<AtomCount> atoms;
            bool plain = table->result == CTabResult::kPlain && CountPlain(table->ctab, atoms);
            if (!plain && table->result == CTabResult::kOther) {
                CTab v3000;
                plain = ReadPlainV3000(text_, v3000) && CountPlain(v3000, atoms);
            }
            if (plain) {
                counted_ = std::make_unique<Counted>();
                counted_->formula = HillFormula(atoms);
                counted_->mass = AverageWeight(atoms);
            } else {
                table_ = std::move(table);  // for RDKit's molecule, read once
            }
        }
    }
    return counted_ != nullptr;
}

bool Molecule::CountsPlainly() {
    std::lock_guard<std::mutex> lock(mutex_);
    return CountedLocked();
}

bool Molecule::Formula(std::string& formula, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    // Building RDKit's molecule costs most of reading a record; plain tables need none.
    if (CountedLocked()) {
        formula = counted_->formula;
        return true;
    }
    if (!EnsureParsedLocked(error)) return false;
    formula = HillFormula(CountAtoms(*parsed_->mol));
    return true;
}

bool Molecule::FragmentFormulas(const std::string& separator, std::string& formula,
                                std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureParsedLocked(error)) return false;
    formula.clear();
    std::vector<RDKit::ROMOL_SPTR> fragments =
        RDKit::MolOps::getMolFrags(*parsed_->mol, false, nullptr, nullptr, false);
    for (std::size_t i = 0; i < fragments.size(); ++i) {
        fragments[i]->updatePropertyCache(false);
        if (i > 0) formula += separator;
        formula += HillFormula(CountAtoms(*fragments[i]));
    }
    return true;
}

bool Molecule::Mass(double& mass, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (CountedLocked()) {
        mass = counted_->mass;
        return true;
    }
    if (!EnsureParsedLocked(error)) return false;
    mass = RDKit::Descriptors::calcAMW(*parsed_->mol);
    return true;
}

bool Molecule::Smiles(std::string& smiles, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureParsedLocked(error)) return false;
    smiles.clear();
    if (parsed_->mol->getNumAtoms() == 0) return true;
    // Sanitized, the SMILES is canonical and aromatic; a molecule that cannot be sanitized
    // (a valence RDKit refuses) still has one as it was drawn.
    try {
        std::unique_ptr<RDKit::RWMol> sanitized(
            RDKit::MolBlockToMol(ForRDKitReader(text_), true, true, true));
        if (sanitized) {
            smiles = RDKit::MolToSmiles(*sanitized, true);
            return true;
        }
    } catch (const std::exception&) {
    }
    try {
        RDKit::RWMol drawn(*parsed_->mol);
        drawn.updatePropertyCache(false);
        RDKit::MolOps::fastFindRings(drawn);
        smiles = RDKit::MolToSmiles(drawn, true);
        return true;
    } catch (const std::exception& e) {
        error = std::string("no SMILES for the molecule: ") + e.what();
        return false;
    }
}

bool Molecule::EnsureInchiLocked(std::string& error) {
    if (!identifiers_) {
        identifiers_ = std::make_unique<Identifiers>();
        identifiers_->made = StdInchi(text_, identifiers_->inchi, identifiers_->error);
    }
    if (!identifiers_->made) error = identifiers_->error;
    return identifiers_->made;
}

bool Molecule::Inchi(std::string& inchi, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    inchi.clear();
    if (!EnsureInchiLocked(error)) return false;
    inchi = identifiers_->inchi;
    return true;
}

bool Molecule::InchiKey(std::string& key, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    key.clear();
    if (!EnsureInchiLocked(error)) return false;
    Identifiers& ids = *identifiers_;
    if (!ids.keyTried) {
        ids.keyTried = true;
        ids.keyMade = StdInchiKey(ids.inchi, ids.key, ids.keyError);
    }
    if (!ids.keyMade) {
        error = ids.keyError;
        return false;
    }
    key = ids.key;
    return true;
}

}  // namespace vesk
