#pragma once
// The measured spherical aberration shown on the picture: a bracket on the axis from the marginal to the
// paraxial focus, the circle of least confusion as a short bar across the axis, and a small plot of where
// each traced ray crosses the axis against its height (the aberration curve a textbook draws).

#include "surface/surface.h"
#include "waves/lens_numbers.h"

namespace lens::waves {

namespace aberrationColours {
inline constexpr Rgb bracket = RGB(160, 0, 160); // the foci's bracket and the waist
inline constexpr Rgb curve = RGB(0, 0, 0);       // the plot's frame and points
} // namespace aberrationColours

// Draws the bracket and the waist on the axis, and the plot in the lower right corner of the view
// (a quarter of its width, a third of its height). Leaves the pen at width 1.
void drawAberration(Surface&, const Aberration&);

} // namespace lens::waves
