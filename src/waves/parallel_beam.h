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

// Where the ray of a parallel beam at angle φ and height h (−200 ≤ h ≤ 200) starts on the view. Its line
// is the one through (−200 − h·tan φ, h / cos φ) along the beam. The ray starts where its line meets a
// plane square to the beam that lies ahead of every such point (at φ = 0 the plane x = −200) when that
// point is on view, otherwise where its line enters the view, so that every line that crosses the view
// is drawn, at any angle. path is the distance along the beam from that plane to the start (negative
// behind it): the beam's fronts are square to it, so starts with equal path lie on one front. A line that
// misses the view starts on the plane, off the view, and draws nothing.
struct BeamStart {
    double x = 0, y = 0;
    double path = 0;
};
BeamStart beamStart(const Surface& view, double h, double angle);

// Redraws the bench scene (through redrawScene, which gives the scene as the redraw leaves it, the blades
// fitted to the lens; without it the beam goes through the scene given) and draws the parallel beam of
// desmi1 + 1 rays at angle φ, then its waves when a wave box is ticked. Returns false, drawing nothing,
// when tan φ is not finite.
bool parallelbeam(Surface&, RayRecords&, const BenchScene&, const std::function<BenchScene()>& redrawScene,
                  double angle);

} // namespace lens::waves
