#include "vesk_Molecule.h"

#include <GraphMol/Atom.h>
#include <GraphMol/Descriptors/MolDescriptors.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/PeriodicTable.h>
#include <GraphMol/RWMol.h>

#include <exception>
#include <map>
#include <vector>

#include "vesk_MolTable.h"

namespace vesk {

struct Molecule::Parsed {
    std::unique_ptr<RDKit::RWMol> mol;
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

// Hill order: carbon, hydrogen, then the rest alphabetically; without carbon every element
// alphabetically, hydrogen included (RDKit's own formula always puts H second, which gives
// "H3AsO4" where chemists and PubChem write "AsH3O4"). Isotopes count as their element; the net
// charge follows as "+", "-2", ...
std::string HillFormula(const RDKit::ROMol& mol) {
    const RDKit::PeriodicTable* table = RDKit::PeriodicTable::getTable();
    std::map<std::string, unsigned int> counts;
    unsigned int hydrogens = 0;
    int charge = 0;
    for (const RDKit::Atom* atom : mol.atoms()) {
        ++counts[table->getElementSymbol(atom->getAtomicNum())];
        hydrogens += atom->getTotalNumHs();
        charge += atom->getFormalCharge();
    }
    if (hydrogens) counts["H"] += hydrogens;
    std::string formula;
    auto put = [&](const std::string& symbol, unsigned int count) {
        formula += symbol;
        if (count > 1) formula += std::to_string(count);
    };
    auto carbon = counts.find("C");
    if (carbon != counts.end()) {
        put("C", carbon->second);
        counts.erase(carbon);
        auto hydrogen = counts.find("H");
        if (hydrogen != counts.end()) {
            put("H", hydrogen->second);
            counts.erase(hydrogen);
        }
    }
    for (const auto& [symbol, count] : counts) put(symbol, count);
    if (charge != 0) {
        formula += charge > 0 ? '+' : '-';
        if (charge > 1 || charge < -1) formula += std::to_string(charge > 0 ? charge : -charge);
    }
    return formula;
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
            CTabResult read = ReadPlainV2000(text_, ctab, problem);
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

bool Molecule::Formula(std::string& formula, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureParsedLocked(error)) return false;
    formula = HillFormula(*parsed_->mol);
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
        formula += HillFormula(*fragments[i]);
    }
    return true;
}

bool Molecule::Mass(double& mass, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureParsedLocked(error)) return false;
    mass = RDKit::Descriptors::calcAMW(*parsed_->mol);
    return true;
}

}  // namespace vesk
