#pragma once
// The path of a ray that has passed the glass once, as the wave points follow it: in air from its start
// to where it enters the lens, through the glass to where it leaves, and on in air. Both lens families
// record their rays in this form, and every wavefront point is a point of it at some optical path.
// Optical path is counted in air units: a length in air, n times a length in glass. Plain C++.

#include "optics/snell.h"

#include <cmath>
#include <optional>

namespace lens::optics {

struct RayPath {
    double sx = 0, sy = 0;                 // the start
    double d0 = 0;                         // start to entry, in air
    double glassPath = 0;                  // entry to exit: n × the length in glass
    double ex = 0, ey = 0, qx = 0, qy = 0; // the entry and the exit
    // Unit directions before the lens, in the glass and after it.
    double dx0 = 0, dy0 = 0, dxg = 0, dyg = 0, dx1 = 0, dy1 = 0;
    double n = 1;                          // the glass's index
    double pathAtStart = 0;                // optical path of the start from the bundle's common front
    double stop = INFINITY;                // optical path from the start at which a blade stops the light

    // The point at optical path s from the start (before the start, back along the first direction).
    Direction at(double s) const;
    // The point at optical path s from the bundle's common front; none where a blade has stopped the light.
    std::optional<Direction> reached(double s) const;
};

} // namespace lens::optics
