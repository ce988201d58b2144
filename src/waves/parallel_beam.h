#pragma once

// The parallel beam of the bench: its rays' start plane, the beam drawn through the lens and its waves.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

#include <functional>
#include <string_view>

namespace lens::waves {

// The answer to a beam angle whose tangent is not finite: the same text the hyperbolic-lens screen gives.
inline constexpr std::string_view verticalBeamMessage =
    "Κατακόρυφη δέσμη (±90°) δεν σχεδιάζεται: δώσε άλλη γωνία.\nA vertical beam (±90°) cannot be drawn: give another angle.";

// Where the ray of a parallel beam at angle φ and height h (−200 ≤ h ≤ 200) starts. Its line is the
// one through (−200 − h·tan φ, h / cos φ) along the beam; its start is moved along that line onto one
// plane perpendicular to the beam, the same for every h, so all rays set out with the same optical path
// and the time marks and fronts of a tilted beam are true wavefronts. At φ = 0 the plane is x = −200.
RayPathPoint beamStart(double h, double angle);

// Redraws the bench scene (through redrawScene, which also refreshes the diaphragm in the values) and
// draws the parallel beam of desmi1 + 1 rays at angle φ, then its waves when a wave box is ticked.
// Sets parallelmode. Returns false, drawing nothing and changing nothing, when tan φ is not finite.
bool parallelbeam(Surface&, spherical::LensState&, RayRecords&, BenchValues&,
                  const std::function<void(BenchValues&)>& redrawScene, double angle);

} // namespace lens::waves
