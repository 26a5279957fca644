#pragma once
// A molecule of a document as both RDKit units see it.

#include <GraphMol/RWMol.h>

#include <memory>
#include <vector>

#include "vcv_Document.h"

namespace vcv {

struct Document::Component {
    // As read, explicit hydrogens kept; formula, mass and fragments come from here.
    std::unique_ptr<RDKit::RWMol> Chem;
    // Hydrogens folded in, 2D coordinates, kekulized when possible, labels set by the style.
    std::unique_ptr<RDKit::RWMol> Picture;
    std::vector<int> MapNumbers;  // per Picture atom, 0 = none
    // Picture atom of each molfile atom, -1 for hydrogens folded into labels (molecules).
    std::vector<int> PictureOfMolfileAtom;
    int Factor = 1;
    double MinX = 0, MinY = 0, MaxX = 0, MaxY = 0;  // Picture coordinates
    double MeanBond = 0;
    int LabelMode = -1;     // hydrogen mode the labels were made for
    int LabelMapping = -1;  // and whether map numbers were shown

    explicit Component(std::unique_ptr<RDKit::RWMol> chem);
    bool Empty() const { return Chem->getNumAtoms() == 0; }
    void Relabel(int hydrogenMode, bool showMapping);
};

// The atom property that carries an atom's place in its molfile into the picture.
extern const char* const kMolfileIndexProp;

}  // namespace vcv
