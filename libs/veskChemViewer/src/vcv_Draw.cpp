// Drawing documents with RDKit's cairo drawer onto the caller's pixels.

#include <GraphMol/MolDraw2D/MolDraw2DCairo.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "vcv_Component.h"
#include "vcv_Errors.h"

namespace vcv {

namespace {

// RDKit 2022.09 throws a caller's cairo context away on the first draw and draws into an image
// of its own; marking its initialisation as done keeps it drawing where we point it.
class CallerSurfaceDrawer final : public RDKit::MolDraw2DCairo {
public:
    CallerSurfaceDrawer(int width, int height, cairo_t* cr) : MolDraw2DCairo(width, height, cr) {
        needs_init_ = false;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);  // what RDKit's own initialisation sets
    }
};

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

RDKit::DrawColour ToColour(uint32_t colorref) {
    return {(colorref & 0xFF) / 255.0, ((colorref >> 8) & 0xFF) / 255.0,
            ((colorref >> 16) & 0xFF) / 255.0};
}

void SetSource(cairo_t* cr, uint32_t colorref) {
    const RDKit::DrawColour c = ToColour(colorref);
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// A size from the record relative to its default; nonsense sizes draw at the default.
double Relative(double size, double standard) {
    if (!(size > 0) || !std::isfinite(size)) return 1.0;
    return std::clamp(size / standard, 0.25, 4.0);
}

void SetQuality(cairo_t* cr, bool antialias) {
    const cairo_antialias_t aa = antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE;
    cairo_set_antialias(cr, aa);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_antialias(fo, aa);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
}

bool IsUtf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t len = c < 0x80         ? 1
                           : (c >> 5) == 6  ? 2
                           : (c >> 4) == 14 ? 3
                           : (c >> 3) == 30 ? 4
                                            : 0;
        if (len == 0 || i + len > s.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        }
        i += len;
    }
    return true;
}

// Record texts are bytes; cairo wants UTF-8, so anything else is taken as Latin-1.
std::string AsUtf8(const std::string& s) {
    if (IsUtf8(s)) return s;
    std::string out;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void SelectFont(cairo_t* cr, const FontStyle& f) {
    const std::string face = f.Face.empty() ? "sans-serif" : AsUtf8(f.Face);
    cairo_select_font_face(cr, face.c_str(),
                           f.Italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           f.Bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
}

// One line of text centred on (cx, cy), shrunk to fit maxW x maxH.
void CentredText(cairo_t* cr, const std::string& text, const FontStyle& f, double px, double cx,
                 double cy, double maxW, double maxH) {
    if (text.empty() || !(px > 0)) return;
    const std::string utf8 = AsUtf8(text);
    cairo_save(cr);
    SelectFont(cr, f);
    cairo_set_font_size(cr, px);
    cairo_text_extents_t ext;
    cairo_text_extents(cr, utf8.c_str(), &ext);
    if (ext.width > 0 && ext.height > 0) {
        const double fit = std::min({1.0, maxW / ext.width, maxH / ext.height});
        if (fit < 1.0) {
            px *= fit;
            if (px < 2.0) {  // unreadable: better nothing than a smudge
                cairo_restore(cr);
                return;
            }
            cairo_set_font_size(cr, px);
            cairo_text_extents(cr, utf8.c_str(), &ext);
        }
        SetSource(cr, f.Colour);
        cairo_move_to(cr, cx - ext.width / 2 - ext.x_bearing, cy - ext.height / 2 - ext.y_bearing);
        cairo_show_text(cr, utf8.c_str());
    }
    cairo_restore(cr);
}

void DrawEmptyText(cairo_t* cr, int w, int h, const DrawStyle& st) {
    const double px = std::clamp(h * 0.3, 6.0, 16.0) * Relative(st.EmptyText.Size, 32.0);
    CentredText(cr, st.EmptyStructureText, st.EmptyText, px, w / 2.0, h / 2.0, w * 0.9, h * 0.9);
}

// The bond length of RDKit's depictions, in coordinate units.
constexpr double kDepictionBond = 1.5;

// RDKit's own limits of label sizes are 6 and 40 pixels. A picture at a given bond length
// keeps its labels in proportion however large it gets.
double MinLabelPx(const DrawSizes& sizes) {
    return sizes.MinLabelSize > 0 ? sizes.MinLabelSize : 6.0;
}
double MaxLabelPx(const DrawSizes& sizes) {
    return std::max({40.0, MinLabelPx(sizes), std::ceil(sizes.BondLength)});
}

void SetOptions(RDKit::MolDrawOptions& o, const DrawStyle& st, const DrawSizes& sizes) {
    o.clearBackground = false;           // the caller paints the cell
    o.includeMetadata = false;           // PNG metadata costs a pickle and a molblock per draw
    o.prepareMolsBeforeDrawing = false;  // done once when the molecule was opened
    const RDKit::DrawColour label = ToColour(st.Labels.Colour);
    const RDKit::DrawColour bond = ToColour(st.BondColour);
    o.atomColourPalette.clear();
    o.atomColourPalette[-1] = label;
    o.atomColourPalette[6] = bond;  // carbon: bare bonds
    o.symbolColour = bond;
    o.annotationColour = label;
    o.legendColour = label;
    o.variableAttachmentColour = bond;
    o.baseFontSize = 0.6 * Relative(st.Labels.Size, 48.0);
    o.minFontSize = static_cast<int>(std::lround(MinLabelPx(sizes)));
    o.maxFontSize = static_cast<int>(std::lround(MaxLabelPx(sizes)));
    if (sizes.LineWidth > 0) o.bondLineWidth = sizes.LineWidth;
}

// At scale s (pixels per coordinate unit) RDKit makes labels about 0.6 s high.
double LabelPx(double s, double labelRel, const DrawSizes& sizes) {
    return std::clamp(0.6 * labelRel * s, MinLabelPx(sizes), MaxLabelPx(sizes));
}

// Without bonds RDKit fits the labels alone and draws them at its largest font, far larger
// than the labels of any molecule with bonds in the same picture. Such molecules get at most
// the scale RDKit gives the smallest of those, a chain of two bonds of the depiction's length
// 1.5, which it fits with about half a label beyond the outer atoms.
double ScaleWithoutBonds(int w, int h, const DrawStyle& st, const DrawSizes& sizes) {
    constexpr double chainW = 2 * 1.5 * 0.866, chainH = 1.5 * 0.5;
    const double labelRel = Relative(st.Labels.Size, 48.0);
    auto fits = [&](double s) {
        const double lp = LabelPx(s, labelRel, sizes);
        return chainW * s + 2.2 * lp <= w && chainH * s + lp <= h;
    };
    double lo = 0.0, hi = 4.0 * std::max(w, h);
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    return std::max(lo, 1e-3);
}

// Atoms and bonds of a picture drawn on a band of colour; none when Atoms and Bonds are empty.
struct Marks {
    std::vector<int> Atoms;
    std::vector<int> Bonds;
    uint32_t Colour = 0;
    bool Empty() const { return Atoms.empty() && Bonds.empty(); }
};

// Draws the molecule into (0, 0, w, h) of cr; gives the scale RDKit chose. With at, the
// pixel position of every picture atom as drawn.
double DrawPlain(cairo_t* cr, const Document::Component& c, int w, int h, const DrawStyle& st,
                 const DrawSizes& sizes, double maxScale,
                 std::vector<RDGeom::Point2D>* at = nullptr) {
    CallerSurfaceDrawer drawer(w, h, cr);
    SetOptions(drawer.drawOptions(), st, sizes);
    // RDKit sizes labels per coordinate unit; at a set bond length they follow the bond, so
    // that a file drawn with short bonds does not get larger labels.
    if (sizes.BondLength > 0 && c.MeanBond > 0) {
        drawer.drawOptions().baseFontSize *= c.MeanBond / kDepictionBond;
    }
    if (maxScale > 0) drawer.drawOptions().fixedBondLength = maxScale;
    drawer.drawMolecule(*c.Picture);
    if (at != nullptr) {
        at->clear();
        for (unsigned i = 0; i < c.Picture->getNumAtoms(); ++i)
            at->push_back(drawer.getDrawCoords(static_cast<int>(i)));
    }
    return drawer.scale();
}

// Bands along the marked bonds and discs on the marked atoms, in one opaque colour. RDKit's
// own highlights cost three times a plain picture; these cost next to nothing.
void PaintMarks(cairo_t* cr, const Document::Component& c, const Marks& marks,
                const std::vector<RDGeom::Point2D>& at, double scale) {
    const double bondPx = scale * (c.MeanBond > 0 ? c.MeanBond : kDepictionBond);
    const double band = std::clamp(0.28 * bondPx, 3.0, 40.0);
    cairo_save(cr);
    SetSource(cr, marks.Colour);
    cairo_set_line_width(cr, band);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int b : marks.Bonds) {
        const RDKit::Bond* bond = c.Picture->getBondWithIdx(b);
        const auto& p = at[bond->getBeginAtomIdx()];
        const auto& q = at[bond->getEndAtomIdx()];
        cairo_move_to(cr, p.x, p.y);
        cairo_line_to(cr, q.x, q.y);
    }
    cairo_stroke(cr);
    for (int a : marks.Atoms) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, at[a].x, at[a].y, band * 0.75, 0, 2 * M_PI);
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

// The molecule, and under it its marks: drawn aside first, since where the atoms lie is known
// only once RDKit has laid the picture out.
double DrawMoleculeOnce(cairo_t* cr, const Document::Component& c, int w, int h,
                        const DrawStyle& st, const DrawSizes& sizes, double maxScale,
                        const Marks& marks) {
    if (marks.Empty()) return DrawPlain(cr, c, w, h, st, sizes, maxScale);
    SurfacePtr rec(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
    std::vector<RDGeom::Point2D> at;
    double scale = 0;
    {
        ContextPtr aside(cairo_create(rec.get()));
        cairo_set_antialias(aside.get(), cairo_get_antialias(cr));
        cairo_font_options_t* fo = cairo_font_options_create();
        cairo_get_font_options(cr, fo);
        cairo_set_font_options(aside.get(), fo);
        cairo_font_options_destroy(fo);
        scale = DrawPlain(aside.get(), c, w, h, st, sizes, maxScale, &at);
    }
    if (at.size() == c.Picture->getNumAtoms()) PaintMarks(cr, c, marks, at, scale);
    cairo_set_source_surface(cr, rec.get(), 0, 0);
    cairo_paint(cr);
    return scale;
}

// RDKit lays a shrunk picture out as if its labels shrank with it; held at their smallest
// size they stick out of the area and are cut off. Such a picture is drawn aside and drawn
// again smaller until its ink fits; one that fits at once is just replayed.
void DrawMoleculeWithinArea(cairo_t* cr, const Document::Component& c, int w, int h,
                            const DrawStyle& st, const DrawSizes& sizes, double maxScale,
                            const Marks& marks) {
    constexpr int kAttempts = 6;
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_get_font_options(cr, fo);
    for (int attempt = 1;; ++attempt) {
        SurfacePtr rec(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr));
        double scale = 0;
        {
            ContextPtr aside(cairo_create(rec.get()));
            cairo_set_antialias(aside.get(), cairo_get_antialias(cr));
            cairo_set_font_options(aside.get(), fo);
            // Measured without the marks: bands and circles reach past the atoms, and a
            // picture that shrank for them would no longer compare with its neighbours.
            scale = DrawMoleculeOnce(aside.get(), c, w, h, st, sizes, maxScale, Marks());
        }
        double x0 = 0, y0 = 0, iw = 0, ih = 0;
        cairo_recording_surface_ink_extents(rec.get(), &x0, &y0, &iw, &ih);
        const bool fits =
            iw <= 0 || ih <= 0 || (x0 >= 1 && y0 >= 1 && x0 + iw <= w - 1 && y0 + ih <= h - 1);
        if (fits || attempt == kAttempts || !(scale > 0)) {
            if (marks.Empty()) {
                cairo_set_source_surface(cr, rec.get(), 0, 0);
                cairo_paint(cr);
            } else {
                DrawMoleculeOnce(cr, c, w, h, st, sizes, maxScale, marks);
            }
            break;
        }
        // The labels keep their size, so the bonds give up a little more than the overhang.
        maxScale = scale * 0.95 * std::min({1.0, w / iw, h / ih});
    }
    cairo_font_options_destroy(fo);
}

// Whether the molecule fits the area at the scale with room to spare for a label such as H3C
// on either side: RDKit then draws at that scale, labels held at their smallest size included,
// and drawing aside to measure is not needed.
bool SurelyFits(const Document::Component& c, int w, int h, const DrawStyle& st,
                const DrawSizes& sizes, double scale) {
    if (!(scale > 0)) return false;
    const double norm = sizes.BondLength > 0 && c.MeanBond > 0 ? c.MeanBond / kDepictionBond : 1.0;
    const double lp = LabelPx(scale * norm, Relative(st.Labels.Size, 48.0), sizes);
    return (c.MaxX - c.MinX) * scale + 2 * 2.5 * lp <= 0.9 * w &&
           (c.MaxY - c.MinY) * scale + 2 * 1.2 * lp <= 0.9 * h;
}

void DrawMolecule(cairo_t* cr, const Document::Component& c, double x, double y, double w, double h,
                  const DrawStyle& st, const DrawSizes& sizes, double maxScale,
                  const Marks& marks = Marks()) {
    const int iw = std::max(1, static_cast<int>(std::lround(w)));
    const int ih = std::max(1, static_cast<int>(std::lround(h)));
    cairo_save(cr);
    cairo_translate(cr, x, y);
    if (sizes.MinLabelSize > 0 && !SurelyFits(c, iw, ih, st, sizes, maxScale)) {
        DrawMoleculeWithinArea(cr, c, iw, ih, st, sizes, maxScale, marks);
    } else {
        DrawMoleculeOnce(cr, c, iw, ih, st, sizes, maxScale, marks);
    }
    cairo_restore(cr);
}

// A reaction in one row: [factor] molecule + ... -> [factor] molecule + ..., one scale for all.
struct ReactionLayout {
    struct Slot {
        double FactorX = 0, FactorW = 0, X = 0, W = 0;
        bool Drawn = false;
    };
    std::vector<Slot> Slots;  // reactants, then products
    std::vector<double> Pluses;
    double ArrowX = 0, ArrowW = 0;
    double Scale = 0;  // pixels per coordinate unit
    double Bond = 1.5;
    double FactorPx = 0;
    double LabelPx = 0;
};

ReactionLayout LayOut(const std::vector<const Document::Component*>& comps, int reactants, int w,
                      int h, const DrawStyle& st, const DrawSizes& sizes) {
    ReactionLayout L;
    L.Slots.resize(comps.size());
    double bondSum = 0;
    int bondCount = 0;
    for (const auto* c : comps) {
        if (c->MeanBond > 0) {
            bondSum += c->MeanBond;
            ++bondCount;
        }
    }
    if (bondCount > 0) L.Bond = bondSum / bondCount;
    const double bond = L.Bond;
    const double labelRel = Relative(st.Labels.Size, 48.0);
    const double factorRatio = Relative(st.Factors.Size, 72.0) * 1.5;

    int perSide[2] = {0, 0};
    double maxExtentY = 0;
    for (size_t i = 0; i < comps.size(); ++i) {
        if (comps[i]->Empty()) continue;
        L.Slots[i].Drawn = true;
        maxExtentY = std::max(maxExtentY, comps[i]->MaxY - comps[i]->MinY);
        ++perSide[static_cast<int>(i) < reactants ? 0 : 1];
    }
    const int pluses = std::max(perSide[0] - 1, 0) + std::max(perSide[1] - 1, 0);

    // Every molecule needs room for labels beyond its outermost atoms.
    auto labelPx = [&](double s) { return LabelPx(s, labelRel, sizes); };
    auto factorW = [&](const Document::Component& c, double lp) {
        if (c.Factor <= 1) return 0.0;
        return (std::to_string(c.Factor).size() * 0.62 + 0.5) * lp * factorRatio;
    };
    auto plusW = [&](double s, double lp) { return std::max(0.8 * bond * s, 1.2 * lp); };
    auto arrowW = [&](double s, double lp) { return std::max(2.0 * bond * s, 3.0 * lp); };
    auto molW = [&](const Document::Component& c, double s, double lp) {
        return (c.MaxX - c.MinX) * s + 2.2 * lp;
    };
    auto fits = [&](double s) {
        const double lp = labelPx(s);
        double total = pluses * plusW(s, lp) + arrowW(s, lp);
        for (size_t i = 0; i < comps.size(); ++i) {
            if (L.Slots[i].Drawn) total += molW(*comps[i], s, lp) + factorW(*comps[i], lp);
        }
        return total <= w && maxExtentY * s + 1.6 * lp <= h;
    };
    // Every width grows with the scale: the largest scale that fits is found by halving.
    double lo = 0.0, hi = 4.0 * std::max(w, h) / bond;
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    const double s = std::max(lo, 1e-3);
    const double lp = labelPx(s);
    L.Scale = s;
    L.FactorPx = lp * factorRatio;
    L.LabelPx = lp;

    double total = pluses * plusW(s, lp) + arrowW(s, lp);
    for (size_t i = 0; i < comps.size(); ++i) {
        if (L.Slots[i].Drawn) total += molW(*comps[i], s, lp) + factorW(*comps[i], lp);
    }
    double x = (w - total) / 2;
    int drawnOnSide = 0;
    for (size_t i = 0; i <= comps.size(); ++i) {
        if (static_cast<int>(i) == reactants) {
            L.ArrowX = x;
            L.ArrowW = arrowW(s, lp);
            x += L.ArrowW;
            drawnOnSide = 0;
        }
        if (i == comps.size()) break;
        auto& slot = L.Slots[i];
        if (!slot.Drawn) continue;
        if (drawnOnSide++ > 0) {
            L.Pluses.push_back(x + plusW(s, lp) / 2);
            x += plusW(s, lp);
        }
        slot.FactorX = x;
        slot.FactorW = factorW(*comps[i], lp);
        x += slot.FactorW;
        slot.X = x;
        slot.W = molW(*comps[i], s, lp);
        x += slot.W;
    }
    return L;
}

void DrawPlus(cairo_t* cr, double cx, double cy, double arm, double lw) {
    cairo_set_line_width(cr, lw);
    cairo_move_to(cr, cx - arm, cy);
    cairo_line_to(cr, cx + arm, cy);
    cairo_move_to(cr, cx, cy - arm);
    cairo_line_to(cr, cx, cy + arm);
    cairo_stroke(cr);
}

void DrawArrow(cairo_t* cr, double x0, double x1, double y, double head, double lw) {
    cairo_set_line_width(cr, lw);
    cairo_move_to(cr, x0, y);
    cairo_line_to(cr, x1 - head * 0.5, y);
    cairo_stroke(cr);
    cairo_move_to(cr, x1, y);
    cairo_line_to(cr, x1 - head, y - head * 0.45);
    cairo_line_to(cr, x1 - head, y + head * 0.45);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void CheckSurface(const TveskRasterDC& dc) {
    if (dc.Pixels == nullptr || dc.Width <= 0 || dc.Height <= 0 || dc.Width > 32767 ||
        dc.Height > 32767 || dc.StrideBytes % 4 != 0 ||
        static_cast<int64_t>(dc.StrideBytes) < static_cast<int64_t>(dc.Width) * 4) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "invalid device context",
             std::to_string(dc.Width) + " x " + std::to_string(dc.Height) + " stride " +
                 std::to_string(dc.StrideBytes));
    }
}

// Width and height of a rectangle; false when it holds no pixel.
bool RectSize(const TveskRect& r, int& w, int& h) {
    const int64_t w64 = static_cast<int64_t>(r.Right) - r.Left;
    const int64_t h64 = static_cast<int64_t>(r.Bottom) - r.Top;
    if (w64 <= 0 || h64 <= 0) return false;
    if (w64 > 65536 || h64 > 65536) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "rectangle too large",
             std::to_string(w64) + " x " + std::to_string(h64));
    }
    w = static_cast<int>(w64);
    h = static_cast<int>(h64);
    return true;
}

}  // namespace

void Document::DrawParts(cairo_t* cr, int w, int h, int onlyPart) const {
    if (IsEmpty()) {
        if (onlyPart < 0) DrawEmptyText(cr, w, h, Style_);
        return;
    }
    if (!Reaction_) {
        const Component& c = *Reactants_.front();
        // RDKit's fixed "bond length" is pixels per coordinate unit; molfiles differ in the
        // length of their bonds, pictures should not. Atoms alone count at the depiction's 1.5.
        double maxScale = -1;
        if (Sizes_.BondLength > 0)
            maxScale = Sizes_.BondLength / (c.MeanBond > 0 ? c.MeanBond : kDepictionBond);
        if (c.Picture->getNumBonds() == 0) {
            const double fit = ScaleWithoutBonds(w, h, Style_, Sizes_);
            maxScale = maxScale > 0 ? std::min(maxScale, fit) : fit;
        }
        Marks marks;
        if (!Highlight_.Empty()) {
            PictureHighlight(c, marks.Atoms, marks.Bonds);
            marks.Colour = Highlight_.Colour;
        }
        DrawMolecule(cr, c, 0, 0, w, h, Style_, Sizes_, maxScale, marks);
        return;
    }
    std::vector<const Component*> comps;
    for (const auto& c : Reactants_) comps.push_back(c.get());
    for (const auto& c : Products_) comps.push_back(c.get());
    const ReactionLayout L = LayOut(comps, ReactantCount(), w, h, Style_, Sizes_);
    for (size_t i = 0; i < comps.size(); ++i) {
        const auto& slot = L.Slots[i];
        if (!slot.Drawn || (onlyPart >= 0 && static_cast<size_t>(onlyPart) != i)) continue;
        if (comps[i]->Factor > 1) {
            CentredText(cr, std::to_string(comps[i]->Factor), Style_.Factors, L.FactorPx,
                        slot.FactorX + slot.FactorW / 2, h / 2.0, slot.FactorW, h);
        }
        DrawMolecule(cr, *comps[i], slot.X, 0, slot.W, h, Style_, Sizes_, L.Scale);
    }
    if (onlyPart >= 0) return;
    const double lw = std::clamp(L.LabelPx * 0.1, 1.0, 3.0);
    cairo_save(cr);
    SetSource(cr, Style_.BondColour);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (double px : L.Pluses) DrawPlus(cr, px, h / 2.0, std::min(L.LabelPx * 0.4, h * 0.2), lw);
    const double x0 = L.ArrowX + L.ArrowW * 0.12, x1 = L.ArrowX + L.ArrowW * 0.88;
    DrawArrow(cr, x0, x1, h / 2.0, std::min((x1 - x0) * 0.3, std::max(5.0, L.LabelPx * 0.6)), lw);
    cairo_restore(cr);
}

void Document::Draw(cairo_t* cr, int width, int height, bool antialias) const {
    SetQuality(cr, antialias);
    try {
        DrawParts(cr, width, height, -1);
    } catch (const Failure&) {
        throw;
    } catch (const std::exception& e) {
        Fail(VESK_VIEWER_ERR_DRAW, "drawing failed", e.what());
    }
}

PixelBox Document::PaintedBox(int width, int height, bool antialias, int part) const {
    if (part >= 0) ComponentAt(part);  // range check
    cairo_rectangle_t bounds{0, 0, static_cast<double>(width), static_cast<double>(height)};
    SurfacePtr rec(cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &bounds));
    {
        ContextPtr cr(cairo_create(rec.get()));
        SetQuality(cr.get(), antialias);
        try {
            DrawParts(cr.get(), width, height, part);
        } catch (const Failure&) {
            throw;
        } catch (const std::exception& e) {
            Fail(VESK_VIEWER_ERR_DRAW, "drawing failed", e.what());
        }
    }
    double x = 0, y = 0, w = 0, h = 0;
    cairo_recording_surface_ink_extents(rec.get(), &x, &y, &w, &h);
    PixelBox box;
    if (w <= 0 || h <= 0) return box;
    box.X0 = std::clamp(static_cast<int>(std::floor(x)), 0, width);
    box.Y0 = std::clamp(static_cast<int>(std::floor(y)), 0, height);
    box.X1 = std::clamp(static_cast<int>(std::ceil(x + w)), 0, width);
    box.Y1 = std::clamp(static_cast<int>(std::ceil(y + h)), 0, height);
    return box;
}

void DrawIntoRaster(const Document& doc, const TveskRasterDC* dc, const TveskRect* rect,
                    bool antialias) {
    if (dc == nullptr || rect == nullptr) {
        Fail(VESK_VIEWER_ERR_ARGUMENT, "missing argument", "device context or rectangle is NULL");
    }
    CheckSurface(*dc);
    int w = 0, h = 0;
    if (!RectSize(*rect, w, h)) return;
    if (rect->Right <= 0 || rect->Bottom <= 0 || rect->Left >= dc->Width ||
        rect->Top >= dc->Height) {
        return;  // nothing of it on the surface
    }
    SurfacePtr surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(dc->Pixels), CAIRO_FORMAT_ARGB32, dc->Width, dc->Height,
        dc->StrideBytes));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        Fail(VESK_VIEWER_ERR_DRAW, "surface not usable",
             cairo_status_to_string(cairo_surface_status(surface.get())));
    }
    cairo_status_t status;
    {
        ContextPtr cr(cairo_create(surface.get()));
        cairo_rectangle(cr.get(), rect->Left, rect->Top, w, h);
        cairo_clip(cr.get());
        cairo_translate(cr.get(), rect->Left, rect->Top);
        doc.Draw(cr.get(), w, h, antialias);
        status = cairo_status(cr.get());
    }
    cairo_surface_flush(surface.get());
    if (status != CAIRO_STATUS_SUCCESS) {
        Fail(VESK_VIEWER_ERR_DRAW, "drawing failed", cairo_status_to_string(status));
    }
}

TveskRect PaintedRect(const Document& doc, const TveskRect* rect, bool antialias, int part) {
    if (rect == nullptr) Fail(VESK_VIEWER_ERR_ARGUMENT, "missing argument", "rectangle is NULL");
    TveskRect result{rect->Left, rect->Top, rect->Left, rect->Top};
    int w = 0, h = 0;
    if (!RectSize(*rect, w, h)) {
        if (part >= 0) doc.Factor(part);  // range check still applies
        return result;
    }
    const PixelBox b = doc.PaintedBox(w, h, antialias, part);
    if (b.Empty()) return result;
    return {rect->Left + b.X0, rect->Top + b.Y0, rect->Left + b.X1, rect->Top + b.Y1};
}

}  // namespace vcv
