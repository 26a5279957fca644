#include "Chemistry.h"

#include <GraphMol/ChemReactions/Reaction.h>
#include <GraphMol/ChemReactions/ReactionParser.h>
#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/GraphMol.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace veskSearch {

namespace {

using Components = std::vector<std::string>;

// Each molecule of one role as canonical SMILES fragments. A component goes
// through the same reading as a target of ExactMatch (written out and read
// back), so that reactions compare the way molecules do.
bool addComponents(const RDKit::MOL_SPTR_VECT& templates, Components* out) {
    for (const RDKit::ROMOL_SPTR& tpl : templates) {
        RDKit::RWMol mol(*tpl);
        mol.updatePropertyCache(false);
        std::string block = RDKit::MolToMolBlock(mol, true, -1, false);
        std::shared_ptr<const PreparedTarget> prepared = prepareTarget(block);
        if (!prepared->readable) return false;
        if (prepared->summary.atoms == 0) {
            out->push_back(std::string());
            continue;
        }
        std::string smiles = canonicalSmiles(*prepared, true);
        if (smiles.empty()) return false;
        std::size_t start = 0;
        for (;;) {
            std::size_t dot = smiles.find('.', start);
            out->push_back(smiles.substr(start, dot - start));
            if (dot == std::string::npos) break;
            start = dot + 1;
        }
    }
    return true;
}

std::optional<std::array<Components, 3>> reactionKey(const std::string& text) {
    std::unique_ptr<RDKit::ChemicalReaction> rxn;
    try {
        rxn.reset(RDKit::RxnBlockToChemicalReaction(text, false, false));
    } catch (...) {
        return std::nullopt;
    }
    if (!rxn) return std::nullopt;
    std::array<Components, 3> key;
    if (!addComponents(rxn->getReactants(), &key[0]) ||
        !addComponents(rxn->getProducts(), &key[1]) || !addComponents(rxn->getAgents(), &key[2]))
        return std::nullopt;
    for (Components& role : key) std::sort(role.begin(), role.end());
    return key;
}

}  // namespace

bool sameReaction(const std::string& rxnText1, const std::string& rxnText2) {
    try {
        std::optional<std::array<Components, 3>> a = reactionKey(rxnText1);
        if (!a) return false;
        std::optional<std::array<Components, 3>> b = reactionKey(rxnText2);
        return b && *a == *b;
    } catch (...) {
        return false;
    }
}

}  // namespace veskSearch
