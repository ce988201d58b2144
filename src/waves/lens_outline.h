#pragma once

// The outline of the lens as the wave pictures draw it over their fronts: the two faces as arcs.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"

#include <optional>

namespace lens::waves {

// The arcs of the two circles that bound the lens, as angles from each circle's centre
// (counter-clockwise, within 0..2π): circle A's face and circle B's face.
struct LensArcs { double arcAstart = 0, arcAend = 0, arcBstart = 0, arcBend = 0; };

// The arcs of the lens as it is now; no value when the circles do not cross (no lens outline to draw).
std::optional<LensArcs> lensFaceArcs(const spherical::LensState& lens);
// Draws the lens outline in black, pen width 2, solid; leaves pen width 2.
void drawLensOutline(Surface&, const spherical::LensState& lens, const LensArcs& arcs);

} // namespace lens::waves
