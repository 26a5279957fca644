#pragma once
// One opened molecule or reaction, prepared for drawing once, drawn many times.
// Kept free of RDKit headers so that only the two RDKit units pay their compile time.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "vcv_Records.h"

typedef struct _cairo cairo_t;

namespace vcv {

// Atoms and bonds of a molecule drawn on a band of one colour, by their 0-based place in the
// molfile; empty lists draw no band.
struct Highlight {
    std::vector<int> Atoms;
    std::vector<int> Bonds;
    uint32_t Colour = 0;  // COLORREF 0x00BBGGRR
    bool Empty() const { return Atoms.empty() && Bonds.empty(); }
};

// A rectangle in pixels relative to the drawing area's corner; X1, Y1 exclusive.
struct PixelBox {
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    bool Empty() const { return X1 <= X0 || Y1 <= Y0; }
};

class Document {
public:
    // Both fail with ERR_PARSE when the text cannot be read; blank text gives an empty document.
    static std::unique_ptr<Document> OpenMolecule(const std::string& molText);
    static std::unique_ptr<Document> OpenReaction(const std::string& rxnText);
    ~Document();

    bool IsReaction() const { return Reaction_; }
    bool IsEmpty() const;
    int ReactantCount() const { return static_cast<int>(Reactants_.size()); }
    int ProductCount() const { return static_cast<int>(Products_.size()); }

    void ApplyStyle(const DrawStyle& style);
    // Kept until changed; records applied later leave them alone.
    void SetSizes(const DrawSizes& sizes) { Sizes_ = sizes; }
    // Molecules only; fails with ERR_ARGUMENT (the highlight unchanged) for an index outside
    // the molfile's atoms or bonds. Kept until set again, also over configurations.
    void SetHighlight(Highlight highlight);

    // Draws into (0, 0, width, height) of cr, whose origin and clip the caller has set.
    void Draw(cairo_t* cr, int width, int height, bool antialias) const;
    // Pixels Draw would paint; part -1 = everything, else one component (reactants, products).
    PixelBox PaintedBox(int width, int height, bool antialias, int part) const;

    // Molecule: its formula; reaction: "2 H2 + O2 > 2 H2O". byFragments: fragment-wise.
    std::string Formula(bool byFragments) const;
    double Mass() const;         // molecule, or a reaction's reactant side
    double ProductMass() const;  // a reaction's product side
    std::string MassText(int decimals) const;
    std::string Composition() const;

    int MoleculeFactor() const;
    void RemoveMoleculeFactor();
    int Factor(int index) const;
    void SetFactor(int index, int factor);

    struct Component;

private:
    Document();
    const Component& ComponentAt(int index) const;
    Component& ComponentAt(int index);
    void DrawParts(cairo_t* cr, int width, int height, int onlyPart) const;
    // The highlight in the component's picture numbering; empty lists when there is none.
    void PictureHighlight(const Component& c, std::vector<int>& atoms,
                          std::vector<int>& bonds) const;

    bool Reaction_ = false;
    std::vector<std::unique_ptr<Component>> Reactants_;
    std::vector<std::unique_ptr<Component>> Products_;
    DrawStyle Style_;
    DrawSizes Sizes_;
    Highlight Highlight_;
    // A molecule's atoms and bonds as its molfile numbers them: highlights name them so.
    int MolfileAtoms_ = 0;
    std::vector<std::pair<int, int>> MolfileBondEnds_;
};

// Checks the surface and the rectangle, then draws doc into the rectangle of the surface.
void DrawIntoRaster(const Document& doc, const TveskRasterDC* dc, const TveskRect* rect,
                    bool antialias);
// The part of *rect that Draw would paint, in the rectangle's coordinates.
TveskRect PaintedRect(const Document& doc, const TveskRect* rect, bool antialias, int part);

}  // namespace vcv
