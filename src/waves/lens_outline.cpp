// The outline of the lens as two arcs: the part of each circle that lies inside the other disc.

#include "waves/lens_outline.h"

#include <cmath>
#include <numbers>

namespace lens::waves {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;

double wrapped(double angle)
{
    const double a = std::fmod(angle, twoPi);
    return a < 0 ? a + twoPi : a;
}

} // namespace

std::optional<LensArcs> lensFaceArcs(const spherical::LensState& lens)
{
    const double xA = lens.xcentreA, rA = lens.radiusA, xB = lens.xcentreB, rB = lens.radiusB;
    const spherical::SimeiaTomis rim = spherical::tomikyklon(xA, xB, rA, rB);
    if (!rim.yparxei || !(rA > 0) || !(rB > 0))
        return std::nullopt;
    const double rimx = rim.x1, rimy = std::fabs(rim.y1);
    if (!(rimy > 0))
        return std::nullopt; // circles that only touch bound no glass
    // Each face is the arc about the direction towards the other centre, out to the upper rim point and
    // symmetrically below the axis.
    auto face = [&](double xc, double xOther) {
        const double towards = xOther > xc ? 0.0 : std::numbers::pi;
        const double rimAngle = std::atan2(rimy, rimx - xc);
        const double half = std::fabs(rimAngle - towards);
        return std::pair{wrapped(towards - half), wrapped(towards + half)};
    };
    const auto [aStart, aEnd] = face(xA, xB);
    const auto [bStart, bEnd] = face(xB, xA);
    LensArcs arcs{aStart, aEnd, bStart, bEnd};
    if (!std::isfinite(arcs.arcAstart + arcs.arcAend + arcs.arcBstart + arcs.arcBend))
        return std::nullopt;
    return arcs;
}

void drawLensOutline(Surface& surface, const spherical::LensState& lens, const LensArcs& arcs)
{
    surface.DrawWidth = 2;
    surface.DrawStyle = solidStyle;
    surface.Circle(lens.xcentreA, 0, lens.radiusA, colours::black, arcs.arcAstart, arcs.arcAend, 1);
    surface.Circle(lens.xcentreB, 0, lens.radiusB, colours::black, arcs.arcBstart, arcs.arcBend, 1);
    surface.DrawWidth = 1;
    surface.DrawStyle = solidStyle;
    surface.DrawWidth = 2;
}

} // namespace lens::waves
