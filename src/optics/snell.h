#pragma once
// Snell's law, the one refraction both lens families use: in its angle form (the angle from the
// normal) and its vector form (the direction itself), side by side, each with total internal
// reflection. Plain C++; the lens faces and the ray records stand on it.

#include <optional>

namespace lens::optics {

// The arcsine of s, for |s| ≤ 1; none beyond, or for a value that is not a number.
std::optional<double> arcsine(double s);

// The angle of the refracted ray from the normal, for a ray meeting a face at `incidence` from the
// normal, where ratio is the index it leaves over the index it enters (n1 / n2): sin θ2 = ratio · sin θ1.
// None when the light is totally reflected (|ratio · sin θ1| > 1) or ratio is not a number.
std::optional<double> refractedAngle(double incidence, double ratio);

struct Direction {
    double x = 0, y = 0;
};

// The refracted direction for a unit direction d meeting a face whose unit normal is normal (either
// way round), with ratio = n1 / n2 as above: the tangential part of d scaled by ratio, the normal part
// what keeps the direction a unit one. None on total internal reflection.
std::optional<Direction> refractedDirection(Direction d, Direction normal, double ratio);

} // namespace lens::optics
