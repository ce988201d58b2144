#pragma once
// What the wave tests share: the bench's recording picture, its diaphragms, the dots drawn in a colour,
// and the bench values for an index.

#include "waves/bench_scene.h"

#include "../spherical/bench_surface.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace lens::waves {
namespace {

using spherical::benchtest::BenchSurface;
using spherical::Diaphragm;
using spherical::LensState;
constexpr double pi = std::numbers::pi;
const Diaphragm fitted{0, 86.60254037844386, -86.60254037844386}; // the blades fitted to the default lens
const Diaphragm open{0, 1000, -1000};                            // blades far out of the way

struct Point { double x, y; };
inline std::vector<Point> dotsIn(const BenchSurface& b, Rgb colour, int width = 0)
{
    std::vector<Point> out;
    for (const auto& d : b.device.dots)
        if (d.pen.colour == colour && (width == 0 || d.pen.width == width))
            out.push_back({b.surface.userX(d.x), b.surface.userY(d.y)});
    return out;
}

inline BenchScene valuesFor(double n, Diaphragm d = fitted)
{
    BenchScene v;
    v.lens.refindex = static_cast<int>(std::lround(n * 100)) / 100.0; // as the scroll bar of hundredths holds it
    v.diaphragm = d;
    return v;
}
// The scene through another lens whole, or with the source elsewhere.
inline BenchScene through(BenchScene v, const LensState& lens)
{
    v.lens = lens;
    return v;
}
inline BenchScene atSource(BenchScene v, double x, double y)
{
    v.light.x = x, v.light.y = y;
    return v;
}

} // namespace
} // namespace lens::waves
