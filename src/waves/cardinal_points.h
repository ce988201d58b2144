#pragma once
// The paraxial image of the bench's point source: the thin-lens construction at the lens centre and
// the thick lens's cardinal points with their construction.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/bench_scene.h"

namespace lens::waves {

// Points on the axis of the lens of circles A (right face) and B (left face), user units. A value
// that the lens does not define (n = 1, a flat face) is empty.
struct CardinalPoints {
    double V1 = 0, V2 = 0; // left and right vertices
    double d = 0;          // thickness on the axis
    double c = 0;          // lens centre, halfway between the vertices
    std::optional<double> f0;                  // thin-lens focal length
    std::optional<double> f;                   // thick-lens focal length
    std::optional<double> H1, H2, N1, N2, F1, F2;
};

// The cardinal points of the lens for its index n. H1 lies h1 = d·f·(n − 1)/(n·radiusA) right of the
// left vertex and H2 h2 = d·f·(n − 1)/(n·radiusB) left of the right vertex: each principal point is
// shifted by the power of the far face.
CardinalPoints cardinalpointsof(const spherical::LensState& lens);

// The paraxial image of a source at (xs, ys), light running from the source through the lens: rightwards
// for a source left of the lens centre, leftwards for one right of it (the construction is then the mirror
// image, the right focal and principal points taking the part of the left ones). m is the lateral
// magnification (negative for an inverted image). No value where the lens or the source leaves the image
// undefined: n = 1 or a flat face for the thick lens, a source in the front focal plane (image at infinity).
struct ParaxialImage {
    double x = 0, y = 0, m = 0;
    // The light leaves the lens diverging as from the image, which lies before the back plane on the
    // light's way (a negative image distance): it is drawn back to with dashed lines.
    bool isVirtual = false;
};
// The thick lens's image: from the thick-lens equation, distances counted from the principal planes.
std::optional<ParaxialImage> thickimage(const CardinalPoints&, double xs, double ys);
// The thin lens at the centre c with focal length f0 (no lens at all, so the image is the source, when
// f0 has no value).
std::optional<ParaxialImage> thinimage(const CardinalPoints&, double xs, double ys);
// +1 when light from a source at xs crosses the lens rightwards, −1 leftwards.
int travelDirection(const CardinalPoints&, double xs);

// Draws the thin lens at the centre (dash-dot), its foci, the three blue construction rays from
// (xs, ys) and the image cross, for the lens with the centres and the index the controls give (its radii
// stay); returns that lens. For a virtual image each ray leaving the lens is continued back, dashed and
// one pixel wide in its own colour, to the image.
// Whatever the lens and source leave undefined (n = 1, a source at the centre or at a focus) is
// left out.
// The page form marks the foci with circles and draws no image cross.
spherical::LensState thinlensimage(Surface&, const spherical::LensState&, const spherical::BenchControls&, double xs,
                                   double ys, PictureForm form = PictureForm::screen);
// Draws the thin-lens construction, then the principal planes (dotted), the focal points (red), the
// nodal points (green), the cyan thick-lens construction, the image cross and the labels
// "H1", "H2", "F1", "F2", "N1", "N2". Where the thick lens's image is virtual, its three rays leaving the
// back principal plane are continued back, dashed, to that image (the thin image may be real meanwhile).
// The page form marks the focal and nodal points with circles of radius 5, draws the thick-lens
// construction in blue and marks the image with a blue circle. Reads the lens as thinlensimage does, and
// returns it.
spherical::LensState cardinalpoints(Surface&, const spherical::LensState&, const spherical::BenchControls&, double xs,
                                    double ys, PictureForm form = PictureForm::screen);
// The two constructions for a lens already read (its centres, radii and index as they stand): what
// thinlensimage and cardinalpoints draw once they have read the controls.
void thinLensConstruction(Surface&, const spherical::LensState&, double xs, double ys,
                          PictureForm form = PictureForm::screen);
void cardinalPointsConstruction(Surface&, const spherical::LensState&, double xs, double ys,
                                PictureForm form = PictureForm::screen);

namespace cardinalColours {
inline constexpr Rgb construction = RGB(0, 0, 255);
inline constexpr Rgb focal = RGB(255, 0, 0);
inline constexpr Rgb nodal = RGB(5, 250, 0);
inline constexpr Rgb thick = RGB(0, 255, 255);
inline constexpr Rgb image = RGB(0, 120, 120);
} // namespace cardinalColours

} // namespace lens::waves
