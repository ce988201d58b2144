#pragma once
// The single-ray view's drawing: a lens of two circles, the first centred at the origin, with its
// foci, and one ray sent through it. Plain C++ over the drawing surface.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"

namespace lens::singleray {

// What the view's own scroll bars hold.
struct ViewControls {
    int aktina1 = 90;            // radius of the first (left-hand) circle, centred at the origin
    int aktina2 = 100;           // radius of the second circle
    int kentrokykloy = 100;      // centre of the second circle
    int deiktisdiathlasis = 150; // index × 100
};

// Clears the view and draws the lens whose first circle has centre (xa, 0) and radius Radius1 and
// whose second has centre (xb, 0) and radius rAdiUs2: both faces in green, the foci as red circles
// about the rim's x. Faces that do not meet, or a lens without a focal length, leave them out.
void sxediasifakoy(Surface&, double Radius1, double rAdiUs2, double xa, double xb, double refindex);
// The same for a lens given whole, circle A being the first.
void drawViewLens(Surface&, const spherical::LensState&);
// The view's lens as its controls give it: circle A (radius aktina1) centred at the origin, circle B (radius
// aktina2) at kentrokykloy, the index from deiktisdiathlasis.
spherical::LensState viewLens(const ViewControls&);
// Draws the lens over the picture, the rim's two heights, and the ray from the source (x0, y0) in the
// direction from (x1, y1) to (x2, y2), traced through the lens (and the bench's diaphragm).
void miaaktina(Surface&, const spherical::LensState&, const spherical::Diaphragm& benchDiaphragm, double x0,
               double y0, double x1, double y1, double x2, double y2);

} // namespace lens::singleray
