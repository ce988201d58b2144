#pragma once
// A lens's faces as plain records, one kind per curve, with where a line meets them and their normal:
// the circle of the spherical lens, the branch of a hyperbola of Ibn Sahl's lenses, and the plane of
// the plano-convex lens's flat face. Plain C++, no drawing.

#include "optics/snell.h"

#include <array>
#include <cstddef>
#include <variant>

namespace lens::optics {

// The circle of centre (xc, yc) and radius r.
struct CircleFace {
    double xc = 0, yc = 0, r = 0;
};
// The branch x = centre + side · a · √(1 + y² / b²) of the hyperbola (x − centre)² / a² − y² / b² = 1,
// side +1 for the branch right of its centre, −1 for the left one.
struct HyperbolaFace {
    double a = 0, b = 0, centre = 0;
    int side = 1;
};
// The plane square to the axis at x.
struct PlaneFace {
    double x = 0;
};
using Face = std::variant<CircleFace, HyperbolaFace, PlaneFace>;

// Where the line p + t·d meets the face: up to two values of t, in increasing order (count of them);
// d need not be a unit vector. A line that only touches the face meets it nowhere.
struct Meetings {
    std::array<double, 2> t{};
    std::size_t count = 0;
};
Meetings meetings(const Face& face, Direction p, Direction d);

// The face's unit normal at a point on it, pointing away from the circle's centre, away from the
// hyperbola's axis of symmetry (outward of its branch) and along +x for the plane.
Direction normalAt(const Face& face, Direction q);

} // namespace lens::optics
