#include "vesk_Molecule.h"

#include <GraphMol/Atom.h>
#include <GraphMol/Descriptors/MolDescriptors.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/PeriodicTable.h>
#include <GraphMol/RWMol.h>

#include <exception>
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
        try {
            number = table->getAtomicNumber(a.symbol);
        } catch (...) {
            return nullptr;
        }
        if (number <= 0) return nullptr;
        auto atom = std::make_unique<RDKit::Atom>(number);
        atom->setFormalCharge(a.charge);
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
        if (mol->getBondBetweenAtoms(b.first, b.second)) return nullptr;
        mol->addBond(static_cast<unsigned int>(b.first), static_cast<unsigned int>(b.second),
                     kTypes[b.order]);
    }
    return mol;
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
            if (flags_ & kSanitize) {
                try {
                    mol.reset(RDKit::MolBlockToMol(text_, true, false, true));
                } catch (...) {
                    // Unsanitizable: formula and weight still come from the atoms as read.
                    mol.reset();
                }
            } else {
                CTab ctab;
                if (ReadPlainV2000(text_, ctab)) mol = BuildPlain(ctab);
            }
            if (!mol) mol.reset(RDKit::MolBlockToMol(text_, false, false, true));
            if (mol) {
                // Not strict: valence errors must not cost the formula.
                mol->updatePropertyCache(false);
                parsed_ = std::make_unique<Parsed>();
                parsed_->mol = std::move(mol);
            } else {
                parseError_ = "the molecule text holds no molecule";
            }
        } catch (const std::exception& e) {
            parseError_ = "cannot read the molecule: " + Describe(e);
        } catch (...) {
            parseError_ = "cannot read the molecule";
        }
    }
    if (!parsed_) error = parseError_;
    return parsed_ != nullptr;
}

bool Molecule::Parse(std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    return EnsureParsedLocked(error);
}

bool Molecule::Formula(std::string& formula, std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!EnsureParsedLocked(error)) return false;
    formula = RDKit::Descriptors::calcMolFormula(*parsed_->mol);
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
        formula += RDKit::Descriptors::calcMolFormula(*fragments[i]);
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
