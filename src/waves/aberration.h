#pragma once
// The spherical aberration of the bench's lens, stop and light, measured from rays traced for the
// measurement in double precision, whatever rays a picture happens to draw. Crossings are taken with the
// chief ray, the ray aimed at the nodal point on the light's side (the axis for a source on it): a ray's
// crossing is where its line after the lens meets the chief ray's, given as its x.

#include "spherical/spherical_lens.h"

#include <optional>
#include <vector>

namespace lens::waves {

// The light whose aberration is measured: a point source at (x, y), or a beam at an angle to the axis
// (the bench's beam of lines 400 units wide across the line through (−200, 0)).
using MeasuredLight = optics::Light;

// One ray's crossing with the chief ray, against its height at the lens (the aberration curve).
struct AxisCrossing { double h = 0, x = 0; };

struct Aberration {
    bool alongAxis = true;    // the chief ray is the axis
    int nodal = 1;            // the chief ray is aimed at N1, or at N2 for light running leftwards
    double paraxialFocus = 0; // the limit of the crossings as the ray's height goes to zero
    double marginalFocus = 0; // the mean of the crossings of the upper and the lower marginal ray
    double marginalHeight = 0; // the marginal ray's height at the lens (the larger of the two)
    double lsa = 0;           // longitudinal spherical aberration: paraxial less marginal focus, along the light
    double waistX = 0;        // the circle of least confusion: the light's narrowest waist square to the axis,
    double waistY = 0;        // the middle of it,
    double waistDiameter = 0; // and its width
    // The chief ray after the lens: a point on it and its unit direction, for drawing along it.
    double chiefX = 0, chiefY = 0, chiefDx = 1, chiefDy = 0;
    std::vector<AxisCrossing> rays; // a sample of the light's rays, by height, for the curve
    // The point of the chief ray at x.
    double chiefYAt(double x) const { return chiefDx != 0 ? chiefY + (x - chiefX) * chiefDy / chiefDx : chiefY; }
};

// The aberration of the light through the diaphragm and the lens (of its own index); none where there is no focus
// to measure: no lens, n = 1, a chief ray that misses the lens or is lost in it, a source in the glass, no
// ray off the chief ray that passes, or light that leaves parallel.
std::optional<Aberration> measureAberration(const spherical::LensState& lens, const spherical::Diaphragm& diaphragm,
                                            const MeasuredLight& light);

// How one ray of the measurement went: through the lens (with where it met the lens and its line after
// it), or not.
struct MeasuredRay {
    bool leaves = false;
    double entryX = 0, entryY = 0;
    double x = 0, y = 0, dx = 0, dy = 0; // where it leaves the lens, and its unit direction after it
};
// Traces the ray from (x0, y0) along the unit direction (dx, dy) through the lens in double precision by
// Snell's law in vector form; a blade stops it before, in or after the lens; total internal reflection or
// a miss ends it.
MeasuredRay traceMeasuredRay(const spherical::LensState& lens, const spherical::Diaphragm& diaphragm, double x0,
                             double y0, double dx, double dy);

} // namespace lens::waves
