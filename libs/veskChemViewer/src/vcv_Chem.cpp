// Reading molecules and reactions, preparing them for drawing, and their chemistry texts.

#include <GraphMol/ChemReactions/Reaction.h>
#include <GraphMol/ChemReactions/ReactionParser.h>
#include <GraphMol/Depictor/RDDepictor.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolDraw2D/MolDraw2D.h>
#include <GraphMol/MolDraw2D/MolDraw2DUtils.h>
#include <GraphMol/MolOps.h>
#include <GraphMol/QueryOps.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>
#include <RDGeneral/FileParseException.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <numeric>

#include "vcv_Component.h"
#include "vcv_Errors.h"

namespace vcv {

namespace {

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

void EnsureRings(RDKit::RWMol& mol) {
    if (mol.getRingInfo()->isInitialized()) return;
    try {
        RDKit::MolOps::findSSSR(mol);
    } catch (const std::exception&) {
        mol.getRingInfo()->reset();
        RDKit::MolOps::fastFindRings(mol);
    }
}

// What drawing and counting need from a molecule that did not sanitize.
void MakeUsable(RDKit::RWMol& mol) {
    mol.updatePropertyCache(false);
    EnsureRings(mol);
}

// Sanitizing first keeps aromaticity and stereo perception; a molecule that fails it (bad
// valence, unkekulizable ring) is read again without and still drawn.
std::unique_ptr<RDKit::RWMol> ParseMolBlock(const std::string& text) {
    std::unique_ptr<RDKit::RWMol> mol;
    try {
        mol.reset(RDKit::MolBlockToMol(text, true, false, false));
    } catch (const RDKit::FileParseException& e) {
        Fail(VESK_VIEWER_ERR_PARSE, "molecule not readable", e.what());
    } catch (...) {
        try {
            mol.reset(RDKit::MolBlockToMol(text, false, false, false));
        } catch (const std::exception& e) {
            Fail(VESK_VIEWER_ERR_PARSE, "molecule not readable", e.what());
        } catch (...) {
            Fail(VESK_VIEWER_ERR_PARSE, "molecule not readable");
        }
        if (mol) MakeUsable(*mol);
    }
    if (!mol) Fail(VESK_VIEWER_ERR_PARSE, "molecule not readable", "no molecule block found");
    return mol;
}

std::unique_ptr<RDKit::RWMol> FromTemplate(const RDKit::ROMol& tmpl) {
    auto mol = std::make_unique<RDKit::RWMol>(tmpl);
    try {
        RDKit::MolOps::sanitizeMol(*mol);
    } catch (...) {
        mol = std::make_unique<RDKit::RWMol>(tmpl);
        MakeUsable(*mol);
    }
    return mol;
}

bool NeedsFreshCoordinates(const RDKit::ROMol& mol) {
    if (mol.getNumConformers() == 0) return true;
    const RDKit::Conformer& conf = mol.getConformer();
    if (conf.is3D()) return true;
    if (mol.getNumAtoms() < 2) return false;
    const RDGeom::Point3D& first = conf.getAtomPos(0);
    for (unsigned i = 1; i < mol.getNumAtoms(); ++i) {
        if ((conf.getAtomPos(i) - first).lengthSq() > 1e-8) return false;
    }
    return true;  // every atom on one spot: nothing to draw from
}

// Atoms without bonds are drawn at the scale of molecules with bonds; closer together than
// a bond and a third their labels ("Na+", "Cl-") run into each other.
void SpreadLoneAtoms(RDKit::RWMol& pic) {
    constexpr double apart = 2.0;
    if (pic.getNumBonds() > 0 || pic.getNumAtoms() < 2 || pic.getNumConformers() == 0) return;
    RDKit::Conformer& conf = pic.getConformer();
    double nearest = std::numeric_limits<double>::max();
    for (unsigned i = 0; i < pic.getNumAtoms(); ++i) {
        for (unsigned j = i + 1; j < pic.getNumAtoms(); ++j) {
            const RDGeom::Point3D d = conf.getAtomPos(i) - conf.getAtomPos(j);
            nearest = std::min(nearest, std::hypot(d.x, d.y));
        }
    }
    if (nearest >= apart || nearest < 1e-4) return;  // on one spot: no stretch separates them
    const double f = apart / nearest;
    for (auto& p : conf.getPositions()) {
        p.x *= f;
        p.y *= f;
    }
}

std::unique_ptr<RDKit::RWMol> MakePicture(const RDKit::RWMol& chem) {
    auto pic = std::make_unique<RDKit::RWMol>(chem);
    if (pic->getNumAtoms() == 0) return pic;
    try {
        RDKit::MolOps::RemoveHsParameters ps;
        ps.showWarnings = false;
        RDKit::MolOps::removeHs(*pic, ps, false);
    } catch (...) {
        pic = std::make_unique<RDKit::RWMol>(chem);
    }
    MakeUsable(*pic);
    if (NeedsFreshCoordinates(*pic)) pic->clearConformers();
    for (const bool kekulize : {true, false}) {
        auto attempt = std::make_unique<RDKit::RWMol>(*pic);
        try {
            RDKit::MolDraw2DUtils::prepareMolForDrawing(*attempt, kekulize, false, true, false);
            return attempt;
        } catch (...) {
        }
    }
    // Neither way prepared it: coordinates alone still give a picture.
    try {
        if (pic->getNumConformers() == 0) RDDepict::compute2DCoords(*pic);
    } catch (const std::exception& e) {
        Fail(VESK_VIEWER_ERR_PARSE, "molecule cannot be laid out", e.what());
    }
    return pic;
}

// ---- Counting atoms -------------------------------------------------------------------------

struct Tally {
    std::map<std::string, std::pair<double, double>> Elements;  // symbol -> count, mass
    int Charge = 0;

    void Add(const Tally& other, int times) {
        for (const auto& [symbol, cm] : other.Elements) {
            auto& mine = Elements[symbol];
            mine.first += cm.first * times;
            mine.second += cm.second * times;
        }
        Charge += other.Charge * times;
    }
    double Mass() const {
        double m = 0;
        for (const auto& e : Elements) m += e.second.second;
        return m;
    }
    // Hill order: carbon, hydrogen, then alphabetical; alphabetical throughout without carbon.
    std::vector<std::string> Order() const {
        std::vector<std::string> order;
        const bool carbon = Elements.count("C") != 0;
        if (carbon) {
            order.push_back("C");
            if (Elements.count("H")) order.push_back("H");
        }
        for (const auto& e : Elements) {
            if (carbon && (e.first == "C" || e.first == "H")) continue;
            order.push_back(e.first);
        }
        return order;
    }
};

Tally Count(const RDKit::ROMol& mol, const std::vector<int>* atoms = nullptr) {
    static const double hydrogenMass = RDKit::PeriodicTable::getTable()->getAtomicWeight(1);
    Tally t;
    auto add = [&](const RDKit::Atom* atom) {
        if (atom->getAtomicNum() > 0) {
            auto& e = t.Elements[atom->getSymbol()];
            e.first += 1;
            e.second += atom->getMass();
        }
        const unsigned hs = atom->getTotalNumHs();
        if (hs > 0) {
            auto& h = t.Elements["H"];
            h.first += hs;
            h.second += hs * hydrogenMass;
        }
        t.Charge += atom->getFormalCharge();
    };
    if (atoms) {
        for (int idx : *atoms) add(mol.getAtomWithIdx(idx));
    } else {
        for (const RDKit::Atom* atom : mol.atoms()) add(atom);
    }
    return t;
}

std::string FormulaOf(const Tally& t) {
    std::string f;
    for (const std::string& symbol : t.Order()) {
        const long n = std::lround(t.Elements.at(symbol).first);
        f += symbol;
        if (n != 1) f += std::to_string(n);
    }
    if (t.Charge != 0) {
        f += t.Charge > 0 ? "+" : "-";
        if (std::abs(t.Charge) > 1) f += std::to_string(std::abs(t.Charge));
    }
    return f;
}

std::string Number(double value, int decimals, const std::string& separator) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string s(buf, res.ptr);
    const size_t dot = s.find('.');
    if (dot != std::string::npos) s.replace(dot, 1, separator);
    return s;
}

std::string CompositionOf(const Tally& t, const std::string& separator) {
    const double total = t.Mass();
    std::string s;
    for (const std::string& symbol : t.Order()) {
        const double share = total > 0 ? 100.0 * t.Elements.at(symbol).second / total : 0.0;
        if (!s.empty()) s += "; ";
        s += symbol + " " + Number(share, 2, separator) + " %";
    }
    return s;
}

// ---- Fragments ------------------------------------------------------------------------------

struct FragmentGroup {
    std::vector<std::vector<int>> Fragments;  // atom indices, in file order
};

std::vector<FragmentGroup> GroupFragments(const RDKit::ROMol& mol) {
    std::vector<FragmentGroup> groups;
    if (mol.getNumAtoms() == 0) return groups;
    std::vector<std::vector<int>> frags;
    RDKit::MolOps::getMolFrags(mol, frags);
    std::map<std::string, size_t> byKey;
    for (size_t i = 0; i < frags.size(); ++i) {
        std::string key;
        try {
            key = RDKit::MolFragmentToSmiles(mol, frags[i]);
        } catch (...) {
            key = "\x01" + std::to_string(i);  // unknown: equal to no other fragment
        }
        auto [it, fresh] = byKey.emplace(key, groups.size());
        if (fresh) groups.emplace_back();
        groups[it->second].Fragments.push_back(std::move(frags[i]));
    }
    return groups;
}

int CommonCount(const std::vector<FragmentGroup>& groups) {
    int n = 0;
    for (const auto& g : groups) n = std::gcd(n, static_cast<int>(g.Fragments.size()));
    return n;
}

// Keeps 1/n of every fragment group; returns n (0 for an empty molecule).
int ReduceToUnit(std::unique_ptr<RDKit::RWMol>& chem) {
    const auto groups = GroupFragments(*chem);
    const int n = CommonCount(groups);
    if (n <= 1) return n;
    std::vector<bool> keep(chem->getNumAtoms(), false);
    for (const auto& g : groups) {
        const size_t kept = g.Fragments.size() / static_cast<size_t>(n);
        for (size_t f = 0; f < kept; ++f) {
            for (int idx : g.Fragments[f]) keep[idx] = true;
        }
    }
    auto unit = std::make_unique<RDKit::RWMol>(*chem);
    unit->beginBatchEdit();
    for (unsigned i = 0; i < keep.size(); ++i) {
        if (!keep[i]) unit->removeAtom(i);
    }
    unit->commitBatchEdit();
    unit->updatePropertyCache(false);
    EnsureRings(*unit);
    chem = std::move(unit);
    return n;
}

std::string FragmentFormula(const RDKit::ROMol& mol, const std::string& separator) {
    std::string s;
    for (const auto& g : GroupFragments(mol)) {
        if (!s.empty()) s += separator;
        if (g.Fragments.size() > 1) s += std::to_string(g.Fragments.size());
        s += FormulaOf(Count(mol, &g.Fragments.front()));
    }
    return s;
}

// The molfile reader remembers which generic symbol a query atom came from.
bool IsGenericSymbol(const std::string& type) {
    static const char* const symbols[] = {"A", "AH", "Q", "QH", "X", "XH", "M", "MH"};
    return std::any_of(std::begin(symbols), std::end(symbols),
                       [&](const char* g) { return type == g; });
}

}  // namespace

// ---- Component ------------------------------------------------------------------------------

const char* const kMolfileIndexProp = "_vcvMolfileIndex";

Document::Component::Component(std::unique_ptr<RDKit::RWMol> chem) : Chem(std::move(chem)) {
    Picture = MakePicture(*Chem);
    SpreadLoneAtoms(*Picture);
    MapNumbers.reserve(Picture->getNumAtoms());
    for (const RDKit::Atom* atom : Picture->atoms()) {
        MapNumbers.push_back(atom->getAtomMapNum());
        int index = -1;
        if (!atom->getPropIfPresent(kMolfileIndexProp, index) || index < 0) continue;
        if (static_cast<size_t>(index) >= PictureOfMolfileAtom.size())
            PictureOfMolfileAtom.resize(index + 1, -1);
        PictureOfMolfileAtom[index] = static_cast<int>(atom->getIdx());
    }
    if (Picture->getNumConformers() > 0 && Picture->getNumAtoms() > 0) {
        const auto& conf = Picture->getConformer();
        MinX = MinY = std::numeric_limits<double>::max();
        MaxX = MaxY = std::numeric_limits<double>::lowest();
        for (const auto& p : conf.getPositions()) {
            MinX = std::min(MinX, p.x);
            MaxX = std::max(MaxX, p.x);
            MinY = std::min(MinY, p.y);
            MaxY = std::max(MaxY, p.y);
        }
        MeanBond = Picture->getNumBonds() > 0 ? RDKit::MolDraw2DUtils::meanBondLength(*Picture) : 0;
    }
}

// Labels say which hydrogens are shown; RDKit draws a set display label as it stands.
void Document::Component::Relabel(int hydrogenMode, bool showMapping) {
    if (LabelMode == hydrogenMode && LabelMapping == static_cast<int>(showMapping)) return;
    for (RDKit::Atom* atom : Picture->atoms()) {
        atom->clearProp(RDKit::common_properties::_displayLabel);
        atom->clearProp(RDKit::common_properties::_displayLabelW);
        const int map = MapNumbers[atom->getIdx()];
        atom->setAtomMapNum(showMapping ? map : 0);
        // Generic query atoms read as their letters rather than RDKit's "?".
        if (atom->hasQuery() && IsGenericSymbol(atom->getQueryType())) {
            atom->setProp(RDKit::common_properties::_displayLabel, atom->getQueryType());
            continue;
        }
        // Other queries, dummies, R groups and aliases keep RDKit's own labels. Reaction
        // templates arrive as simple atomic-number queries and are labelled like atoms.
        if (RDKit::isComplexQuery(atom) || atom->getAtomicNum() == 0 ||
            atom->hasProp(RDKit::common_properties::atomLabel) ||
            atom->hasProp(RDKit::common_properties::dummyLabel)) {
            continue;
        }
        const bool carbon = atom->getAtomicNum() == 6;
        const bool terminal = atom->getDegree() <= 1;
        bool showH = false;
        switch (hydrogenMode) {
            case 0:
                showH = false;
                break;
            case 1:
                showH = !carbon;
                break;
            case 2:
                showH = terminal;  // CH3 and =CH2, and as well OH, NH2, =NH
                break;
            case 4:
                showH = true;
                break;
            default:
                showH = !carbon || terminal;
                break;  // 3: hetero and terminal atoms
        }
        const unsigned hs = atom->getTotalNumHs();
        if (carbon) {
            const bool wanted =
                hydrogenMode == 4 || (showH && hs > 0) || (atom->getDegree() == 0 && !showH);
            if (!wanted) continue;  // RDKit's own rule: a plain carbon is a bare vertex
        }
        std::string before, h, after;
        if (atom->getIsotope() != 0)
            before = "<sup>" + std::to_string(atom->getIsotope()) + "</sup>";
        if (showH && hs > 0) h = hs > 1 ? "H<sub>" + std::to_string(hs) + "</sub>" : "H";
        const int charge = atom->getFormalCharge();
        if (charge != 0) {
            after = "<sup>";
            if (std::abs(charge) > 1) after += std::to_string(std::abs(charge));
            after += charge > 0 ? "+</sup>" : "-</sup>";
        }
        if (showMapping && map != 0) after += ":" + std::to_string(map);
        const std::string symbol = atom->getSymbol();
        atom->setProp(RDKit::common_properties::_displayLabel, before + symbol + h + after);
        if (!h.empty()) {
            atom->setProp(RDKit::common_properties::_displayLabelW, h + before + symbol + after);
        }
    }
    LabelMode = hydrogenMode;
    LabelMapping = showMapping;
}

// ---- Document -------------------------------------------------------------------------------

Document::Document() = default;
Document::~Document() = default;

std::unique_ptr<Document> Document::OpenMolecule(const std::string& molText) {
    std::unique_ptr<Document> doc(new Document());
    // A molecule is a document with one component and no arrow.
    auto chem = IsBlank(molText) ? std::make_unique<RDKit::RWMol>() : ParseMolBlock(molText);
    // Read with every atom and bond in file order: the molfile's numbering. The picture folds
    // hydrogens away, so each atom carries its number into it.
    doc->MolfileAtoms_ = static_cast<int>(chem->getNumAtoms());
    for (RDKit::Atom* atom : chem->atoms())
        atom->setProp(kMolfileIndexProp, static_cast<int>(atom->getIdx()));
    for (const RDKit::Bond* bond : chem->bonds()) {
        doc->MolfileBondEnds_.emplace_back(static_cast<int>(bond->getBeginAtomIdx()),
                                           static_cast<int>(bond->getEndAtomIdx()));
    }
    doc->Reactants_.push_back(std::make_unique<Component>(std::move(chem)));
    return doc;
}

void Document::SetHighlight(Highlight highlight) {
    if (Reaction_) Fail(VESK_VIEWER_ERR_HANDLE, "invalid handle", "reactions have no highlight");
    const int bonds = static_cast<int>(MolfileBondEnds_.size());
    for (int a : highlight.Atoms) {
        if (a < 0 || a >= MolfileAtoms_) {
            Fail(VESK_VIEWER_ERR_ARGUMENT, "index out of range",
                 "atom " + std::to_string(a) + " of " + std::to_string(MolfileAtoms_));
        }
    }
    for (int b : highlight.Bonds) {
        if (b < 0 || b >= bonds) {
            Fail(VESK_VIEWER_ERR_ARGUMENT, "index out of range",
                 "bond " + std::to_string(b) + " of " + std::to_string(bonds));
        }
    }
    Highlight_ = std::move(highlight);
}

void Document::PictureHighlight(const Component& c, std::vector<int>& atoms,
                                std::vector<int>& bonds) const {
    atoms.clear();
    bonds.clear();
    auto pictureAtom = [&](int molfileAtom) {
        return molfileAtom >= 0 && static_cast<size_t>(molfileAtom) < c.PictureOfMolfileAtom.size()
                   ? c.PictureOfMolfileAtom[molfileAtom]
                   : -1;
    };
    for (int a : Highlight_.Atoms) {
        const int p = pictureAtom(a);
        if (p >= 0 && std::find(atoms.begin(), atoms.end(), p) == atoms.end()) atoms.push_back(p);
    }
    for (int b : Highlight_.Bonds) {
        if (b < 0 || static_cast<size_t>(b) >= MolfileBondEnds_.size()) continue;
        const int p = pictureAtom(MolfileBondEnds_[b].first);
        const int q = pictureAtom(MolfileBondEnds_[b].second);
        if (p < 0 || q < 0) continue;  // a bond to a hydrogen shown in a label
        const RDKit::Bond* bond = c.Picture->getBondBetweenAtoms(p, q);
        if (bond == nullptr) continue;
        const int idx = static_cast<int>(bond->getIdx());
        if (std::find(bonds.begin(), bonds.end(), idx) == bonds.end()) bonds.push_back(idx);
    }
}

std::unique_ptr<Document> Document::OpenReaction(const std::string& rxnText) {
    std::unique_ptr<Document> doc(new Document());
    doc->Reaction_ = true;
    if (IsBlank(rxnText)) return doc;
    std::unique_ptr<RDKit::ChemicalReaction> rxn;
    try {
        rxn.reset(RDKit::RxnBlockToChemicalReaction(rxnText, false, false, false));
    } catch (const std::exception& e) {
        Fail(VESK_VIEWER_ERR_PARSE, "reaction not readable", e.what());
    } catch (...) {
        Fail(VESK_VIEWER_ERR_PARSE, "reaction not readable");
    }
    if (!rxn) Fail(VESK_VIEWER_ERR_PARSE, "reaction not readable", "no reaction block found");
    auto add = [](const RDKit::MOL_SPTR_VECT& templates, auto& into) {
        for (const auto& t : templates) {
            auto chem = FromTemplate(*t);
            const int n = ReduceToUnit(chem);
            auto c = std::make_unique<Component>(std::move(chem));
            c->Factor = std::max(n, 1);
            into.push_back(std::move(c));
        }
    };
    add(rxn->getReactants(), doc->Reactants_);
    add(rxn->getProducts(), doc->Products_);
    return doc;
}

bool Document::IsEmpty() const {
    auto empty = [](const auto& c) { return c->Empty(); };
    return std::all_of(Reactants_.begin(), Reactants_.end(), empty) &&
           std::all_of(Products_.begin(), Products_.end(), empty);
}

const Document::Component& Document::ComponentAt(int index) const {
    const int r = ReactantCount();
    if (index < 0 || index >= r + ProductCount()) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "index out of range",
             std::to_string(index) + " of " + std::to_string(r + ProductCount()) + " components");
    }
    return index < r ? *Reactants_[index] : *Products_[index - r];
}

Document::Component& Document::ComponentAt(int index) {
    return const_cast<Component&>(static_cast<const Document*>(this)->ComponentAt(index));
}

void Document::ApplyStyle(const DrawStyle& style) {
    Style_ = style;
    for (auto& c : Reactants_) c->Relabel(style.HydrogenMode, style.ShowMapping);
    for (auto& c : Products_) c->Relabel(style.HydrogenMode, style.ShowMapping);
}

std::string Document::Formula(bool byFragments) const {
    if (!Reaction_) {
        const RDKit::ROMol& mol = *Reactants_.front()->Chem;
        return byFragments ? FragmentFormula(mol, Style_.FormulaSeparator) : FormulaOf(Count(mol));
    }
    if (IsEmpty()) return {};
    auto side = [&](const std::vector<std::unique_ptr<Component>>& comps) {
        std::string s;
        for (const auto& c : comps) {
            if (c->Empty()) continue;
            if (!s.empty()) s += " + ";
            if (c->Factor > 1) s += std::to_string(c->Factor) + " ";
            s += byFragments ? FragmentFormula(*c->Chem, Style_.FormulaSeparator)
                             : FormulaOf(Count(*c->Chem));
        }
        return s;
    };
    return side(Reactants_) + " > " + side(Products_);
}

namespace {
Tally SideTally(const std::vector<std::unique_ptr<Document::Component>>& comps) {
    Tally t;
    for (const auto& c : comps) t.Add(Count(*c->Chem), c->Factor);
    return t;
}
}  // namespace

double Document::Mass() const {
    return SideTally(Reactants_).Mass();
}

double Document::ProductMass() const {
    return SideTally(Products_).Mass();
}

std::string Document::MassText(int decimals) const {
    if (decimals < 0 || decimals > 9) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "decimals out of range", std::to_string(decimals));
    }
    const std::string& sep = Style_.DecimalSeparator;
    if (!Reaction_) return Number(Mass(), decimals, sep);
    return Number(Mass(), decimals, sep) + " > " + Number(ProductMass(), decimals, sep);
}

std::string Document::Composition() const {
    const std::string& sep = Style_.DecimalSeparator;
    if (!Reaction_) return CompositionOf(Count(*Reactants_.front()->Chem), sep);
    return CompositionOf(SideTally(Reactants_), sep) + " > " +
           CompositionOf(SideTally(Products_), sep);
}

int Document::MoleculeFactor() const {
    return CommonCount(GroupFragments(*Reactants_.front()->Chem));
}

void Document::RemoveMoleculeFactor() {
    auto& slot = Reactants_.front();
    auto chem = std::make_unique<RDKit::RWMol>(*slot->Chem);
    if (ReduceToUnit(chem) <= 1) return;
    auto unit = std::make_unique<Component>(std::move(chem));
    unit->Relabel(Style_.HydrogenMode, Style_.ShowMapping);
    slot = std::move(unit);
}

int Document::Factor(int index) const {
    return ComponentAt(index).Factor;
}

void Document::SetFactor(int index, int factor) {
    Component& c = ComponentAt(index);
    if (factor < 1 || factor > 999) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "factor out of range", std::to_string(factor) + " (1..999)");
    }
    c.Factor = factor;
}

}  // namespace vcv
