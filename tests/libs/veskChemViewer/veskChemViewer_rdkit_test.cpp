// Watches the RDKit behaviour the library works around: MolDraw2DCairo given a cairo context
// throws it away on the first draw. The library keeps the caller's context by marking RDKit's
// initialisation as done. When this test fails, RDKit keeps the context itself and that
// override in vcv_Draw.cpp can go.

#include <GraphMol/FileParsers/FileParsers.h>
#include <GraphMol/MolDraw2D/MolDraw2DCairo.h>
#include <cairo.h>

#include "ViewerTestSupport.h"

using namespace viewertest;

TEST(RdkitCairo, PlainDrawerStillDiscardsTheCallersContext) {
    std::unique_ptr<RDKit::RWMol> mol(RDKit::MolBlockToMol(Caffeine()));
    ASSERT_TRUE(mol);
    Canvas plain(200, 120);
    cairo_surface_t* s = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(plain.Pixels.data()), CAIRO_FORMAT_ARGB32, plain.W,
        plain.H, plain.Stride * 4);
    cairo_t* cr = cairo_create(s);
    {
        RDKit::MolDraw2DCairo drawer(plain.W, plain.H, cr);
        drawer.drawOptions().clearBackground = false;
        drawer.drawMolecule(*mol);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    EXPECT_EQ(plain.Ink(), 0) << "RDKit now draws into the caller's context";

    // The library draws the same molecule onto the same kind of surface.
    View v(Caffeine());
    EXPECT_GT(v.Picture().Ink(), 200);
}
