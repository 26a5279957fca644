#include "Chemistry.h"

#include "Comparison.h"
#include "QuickRead.h"
#include "ScreenBits.h"
#include "Screens.h"

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/GraphMol.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/QueryAtom.h>
#include <GraphMol/QueryOps.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <GraphMol/Substruct/SubstructMatch.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace veskSearch {

namespace {

using RDKit::Atom;
using RDKit::Bond;
using RDKit::ROMol;
using RDKit::RWMol;

const char* const kDrawnHs = "_veskDrawnHs";

// Atom list lines whose trailing blanks were stripped ("M  ALS   1  3 T F   N   O")
// are common; RDKit rejects them, and leaks the half-built atom when it does.
// Padding each entry to its four columns lets them be read as meant.
std::string padAtomListLines(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 64);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end > pos && text[end - 1] == '\r' ? end - 1 : end;
        std::string line = text.substr(pos, stop - pos);
        if (line.compare(0, 6, "M  ALS") == 0 && line.size() >= 13) {
            const std::string count = line.substr(10, 3);
            if (count.find_first_not_of(" 0123456789") == std::string::npos &&
                count.find_first_of("0123456789") != std::string::npos) {
                std::size_t wanted = 16 + 4 * std::stoul(count);
                if (line.size() < wanted) line.resize(wanted, ' ');
            }
        }
        out += line;
        out.append(text, stop, end - stop);  // the CR, if any
        if (end < text.size()) out += '\n';
        pos = end + 1;
    }
    return out;
}

// RDKit reports bad input by throwing several unrelated types (and returns null
// for an empty text); all of them mean "cannot read this".
std::unique_ptr<RWMol> parseMolfile(const std::string& text, bool sanitize, bool removeHs) {
    try {
        if (text.find("M  ALS") != std::string::npos)
            return std::unique_ptr<RWMol>(
                RDKit::MolBlockToMol(padAtomListLines(text), sanitize, removeHs));
        return std::unique_ptr<RWMol>(RDKit::MolBlockToMol(text, sanitize, removeHs));
    } catch (...) {
        return nullptr;
    }
}

void findRings(RWMol& mol) {
    try {
        RDKit::MolOps::symmetrizeSSSR(mol);
    } catch (...) {
        mol.getRingInfo()->reset();
        RDKit::MolOps::fastFindRings(mol);
    }
}

// For molecules the full clean-up rejects (odd valences, aromatic rings that
// cannot be kekulized): they are still worth searching, with as much perception
// as they allow.
bool perceivePartially(RWMol& mol, bool removeHs) {
    try {
        mol.updatePropertyCache(false);
        if (removeHs) {
            RDKit::MolOps::RemoveHsParameters ps;
            ps.showWarnings = false;
            RDKit::MolOps::removeHs(mol, ps, false);
            mol.updatePropertyCache(false);
        }
        findRings(mol);
    } catch (...) {
        return false;
    }
    try {
        RDKit::MolOps::setAromaticity(mol);
    } catch (...) {
        // Bonds keep the kinds the text gave them.
    }
    return true;
}

BondKind kindOf(Bond::BondType type) {
    switch (type) {
        case Bond::SINGLE:
            return bkSingle;
        case Bond::DOUBLE:
            return bkDouble;
        case Bond::TRIPLE:
            return bkTriple;
        case Bond::AROMATIC:
            return bkAromatic;
        default:
            return bkOther;
    }
}

std::vector<ElementCount> toCounts(const std::array<uint32_t, 256>& perElement, unsigned from) {
    std::vector<ElementCount> out;
    for (unsigned z = from; z < perElement.size(); ++z)
        if (perElement[z])
            out.push_back({static_cast<uint8_t>(z),
                           static_cast<uint16_t>(std::min<uint32_t>(perElement[z], 0xFFFF))});
    return out;
}

MolSummary summarize(const ROMol& mol) {
    MolSummary s;
    s.atoms = mol.getNumAtoms();
    s.bonds = mol.getNumBonds();
    std::array<uint32_t, 256> perElement{};
    for (const Atom* atom : mol.atoms())
        if (atom->getAtomicNum() >= 0 && atom->getAtomicNum() < 256)
            ++perElement[atom->getAtomicNum()];
    s.elements = toCounts(perElement, 0);
    for (const Bond* bond : mol.bonds()) ++s.bondKinds[kindOf(bond->getBondType())];
    return s;
}

bool hasQueryFeatures(const ROMol& mol) {
    for (const Atom* atom : mol.atoms())
        if (atom->hasQuery()) return true;
    for (const Bond* bond : mol.bonds())
        if (bond->hasQuery()) return true;
    return false;
}

unsigned hydrogenNeighbours(const ROMol& mol, const Atom* atom) {
    unsigned n = 0;
    for (const Atom* nb : mol.atomNeighbors(atom)) n += nb->getAtomicNum() == 1;
    return n;
}

// A drawn hydrogen means "this atom carries at least one H", not "an H atom must
// be there": targets carry their hydrogens implicitly. RDKit's removeHs keeps a
// centre's configuration right when one of its H goes, which mergeQueryHs does
// not, so the H are removed that way and put back as H-count conditions.
// plainElement[i] receives the element an atom made into such a query still requires.
void mergeDrawnHydrogens(RWMol& mol, std::vector<uint8_t>* plainElement) {
    bool any = false;
    for (Atom* atom : mol.atoms()) {
        atom->setProp<unsigned>(kDrawnHs, hydrogenNeighbours(mol, atom));
        any = any || atom->getAtomicNum() == 1;
    }
    if (any) {
        RDKit::MolOps::RemoveHsParameters ps;
        ps.showWarnings = false;
        RDKit::MolOps::removeHs(mol, ps, false);
        mol.updatePropertyCache(false);
    }
    plainElement->assign(mol.getNumAtoms(), 0);
    for (unsigned idx = 0; idx < mol.getNumAtoms(); ++idx) {
        Atom* atom = mol.getAtomWithIdx(idx);
        auto drawn = atom->getProp<unsigned>(kDrawnHs);
        atom->clearProp(kDrawnHs);
        unsigned merged = drawn - std::min(drawn, hydrogenNeighbours(mol, atom));
        if (!merged) continue;
        if (!atom->hasQuery()) {
            if (atom->getAtomicNum() > 0 && atom->getAtomicNum() < 256)
                (*plainElement)[idx] = static_cast<uint8_t>(atom->getAtomicNum());
            RDKit::QueryAtom query(*atom);  // keeps element, charge, isotope, radicals
            mol.replaceAtom(idx, &query);
            atom = mol.getAtomWithIdx(idx);
        }
        for (unsigned i = 0; i < merged; ++i) {
            auto* notThisMany = RDKit::makeAtomHCountQuery(static_cast<int>(i));
            notThisMany->setNegation(true);
            atom->expandQuery(notThisMany, Queries::COMPOSITE_AND);
        }
    }
}

// An atom without query features asks for its element and nothing looser; an atom with
// them may ask for anything, so the screen lets it match any atom unless it was made a
// query only to carry drawn hydrogens. Bonds alike.
QueryGraph queryGraph(const ROMol& mol, const std::vector<uint8_t>& plainElement) {
    QueryGraph g;
    g.element.assign(mol.getNumAtoms(), 0);
    for (const Atom* atom : mol.atoms()) {
        const unsigned idx = atom->getIdx();
        if (!atom->hasQuery() && atom->getAtomicNum() > 0 && atom->getAtomicNum() < 256)
            g.element[idx] = static_cast<uint8_t>(atom->getAtomicNum());
        else if (idx < plainElement.size())
            g.element[idx] = plainElement[idx];
    }
    for (const Bond* bond : mol.bonds())
        g.edges.push_back(
            {bond->getBeginAtomIdx(), bond->getEndAtomIdx(),
             static_cast<uint8_t>(bond->hasQuery() ? bkOther : kindOf(bond->getBondType()))});
    return g;
}

std::unique_ptr<RWMol> restoreCopy(const PreparedTarget& target) {
    if (!target.mol) return nullptr;
    return std::make_unique<RWMol>(*target.mol);
}

// What no comparison reads goes before a molecule is kept: coordinates, and the properties
// the reading leaves on the molecule, its atoms and bonds (names, parities, perception notes).
// Molecules with query features keep theirs, which may describe the features.
void trimForKeeping(RWMol& mol) {
    mol.clearConformers();
    if (hasQueryFeatures(mol)) return;
    mol.getDict().reset();
    for (Atom* atom : mol.atoms()) atom->getDict().reset();
    for (Bond* bond : mol.bonds()) bond->getDict().reset();
}

// The atom count of a V2000 counts line; 0 for anything else.
std::size_t drawnAtoms(const std::string& text) {
    std::size_t pos = 0;
    for (int i = 0; i < 3 && pos != std::string::npos; ++i) pos = text.find('\n', pos) + 1;
    if (pos == 0 || pos + 6 > text.size() || text.compare(pos, 0, "") != 0) return 0;
    const std::size_t end = text.find('\n', pos);
    if (text.find("V3000", pos) < end) return 0;
    std::size_t n = 0;
    for (std::size_t k = pos; k < pos + 3; ++k) {
        if (text[k] == ' ') continue;
        if (text[k] < '0' || text[k] > '9') return 0;
        n = n * 10 + static_cast<std::size_t>(text[k] - '0');
    }
    return n;
}

RDKit::SubstructMatchParameters matchParameters(bool stereo) {
    RDKit::SubstructMatchParameters p;
    p.useChirality = stereo;
    p.maxMatches = 1;
    p.uniquify = false;
    return p;
}

}  // namespace

std::shared_ptr<const PreparedTarget> prepareTarget(const std::string& text, bool stereo) {
    try {
        auto out = std::make_shared<PreparedTarget>();
        std::unique_ptr<RWMol> mol;
        if (!stereo && screensOn()) mol = readPlainTarget(text);
        out->stereo = !mol;
        if (!mol) mol = parseMolfile(text, true, true);
        if (!mol) {
            mol = parseMolfile(text, false, false);
            if (mol && !perceivePartially(*mol, true)) mol.reset();
        }
        if (!mol) return out;
        out->summary = summarize(*mol);
        trimForKeeping(*mol);
        targetScreen(*mol, &out->screen);
        out->molBytes = moleculeBytes(*mol, drawnAtoms(text));
        out->mol.reset(mol.release());
        out->readable = true;
        return out;
    } catch (...) {
        return std::make_shared<PreparedTarget>();
    }
}

std::unique_ptr<RWMol> restoreEditable(const PreparedTarget& target) {
    std::unique_ptr<RWMol> mol = restoreCopy(target);
    // The quick reading leaves these to whoever changes the molecule (see readPlainTarget).
    if (mol && !target.stereo) {
        RDKit::MolOps::setConjugation(*mol);
        RDKit::MolOps::setHybridization(*mol);
    }
    return mol;
}

std::shared_ptr<const PreparedQuery> prepareQuery(const std::string& text) {
    try {
        auto out = std::make_shared<PreparedQuery>();
        std::unique_ptr<RWMol> mol = parseMolfile(text, true, false);
        if (!mol) {
            mol = parseMolfile(text, false, false);
            if (mol && !perceivePartially(*mol, false)) mol.reset();
        }
        if (!mol) return out;
        std::vector<uint8_t> plainElement;
        mergeDrawnHydrogens(*mol, &plainElement);
        if (!mol->getRingInfo()->isInitialized()) findRings(*mol);
        out->graph = queryGraph(*mol, plainElement);
        planQueryGraph(&out->graph);
        queryScreen(out->graph, &out->screen);

        out->atoms = mol->getNumAtoms();
        out->bonds = mol->getNumBonds();
        std::array<uint32_t, 256> perElement{};
        for (const Atom* atom : mol->atoms())
            if (!atom->hasQuery() && atom->getAtomicNum() >= 2 && atom->getAtomicNum() < 256)
                ++perElement[atom->getAtomicNum()];
        out->plainElements = toCounts(perElement, 2);
        for (const Bond* bond : mol->bonds()) {
            BondKind kind = kindOf(bond->getBondType());
            if (!bond->hasQuery() && kind != bkOther) ++out->plainBondKinds[kind];
        }
        out->mol.reset(mol.release());
        out->readable = true;
        return out;
    } catch (...) {
        return std::make_shared<PreparedQuery>();
    }
}

bool isSubstructure(const PreparedQuery& query, const ROMol& target, bool stereo) {
    if (!query.mol) return false;
    try {
        return !RDKit::SubstructMatch(target, *query.mol, matchParameters(stereo)).empty();
    } catch (...) {
        return false;
    }
}

std::string canonicalSmiles(const PreparedTarget& target, bool stereo) {
    try {
        std::unique_ptr<RWMol> mol = restoreCopy(target);
        if (!mol || mol->getNumAtoms() == 0) return {};
        for (Atom* atom : mol->atoms()) atom->setAtomMapNum(0);
        if (!stereo) RDKit::MolOps::removeStereochemistry(*mol);
        return RDKit::MolToSmiles(*mol, true);
    } catch (...) {
        return {};
    }
}

char* highlightMatch(const PreparedQuery& query, const ROMol& targetMol,
                     const std::string& targetText, bool stereo, int32_t* marked) {
    *marked = 0;
    if (!query.mol) return nullptr;
    try {
        std::vector<RDKit::MatchVectType> matches =
            RDKit::SubstructMatch(targetMol, *query.mol, matchParameters(stereo));
        if (matches.empty()) return nullptr;

        // The molecule as drawn, hydrogens included, for the answer.
        bool kekulize = true;
        std::unique_ptr<RWMol> drawn = parseMolfile(targetText, true, false);
        if (!drawn) {
            kekulize = false;
            drawn = parseMolfile(targetText, false, false);
            if (!drawn) return nullptr;
            drawn->updatePropertyCache(false);
        }

        // The searched molecule lacks only hydrogens, the rest in the same order.
        std::vector<int> toDrawn(targetMol.getNumAtoms(), -1);
        unsigned j = 0;
        for (unsigned i = 0; i < targetMol.getNumAtoms(); ++i) {
            const Atom* a = targetMol.getAtomWithIdx(i);
            while (j < drawn->getNumAtoms()) {
                const Atom* d = drawn->getAtomWithIdx(j++);
                if (d->getAtomicNum() == a->getAtomicNum() &&
                    (a->getAtomicNum() != 1 || d->getIsotope() == a->getIsotope())) {
                    toDrawn[i] = static_cast<int>(j - 1);
                    break;
                }
                if (d->getAtomicNum() != 1) return nullptr;  // not the same atoms after all
            }
        }

        for (Atom* atom : drawn->atoms()) atom->setAtomMapNum(0);
        int32_t count = 0;
        for (const auto& pair : matches.front()) {
            int d = toDrawn[pair.second];
            if (d < 0) continue;
            drawn->getAtomWithIdx(d)->setAtomMapNum(pair.first + 1);
            ++count;
        }
        if (count == 0) return nullptr;
        std::string block = RDKit::MolToMolBlock(*drawn, true, -1, kekulize);
        char* out = static_cast<char*>(std::malloc(block.size() + 1));
        if (!out) return nullptr;
        std::memcpy(out, block.c_str(), block.size() + 1);
        *marked = count;
        return out;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace veskSearch
