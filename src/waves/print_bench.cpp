// The printed page. The constructions and the point-source fronts are drawn once, after the whole fan:
// drawn once for every ray of the fan, each drawing would cover the one before with the same lines.

#include "waves/print_bench.h"

#include "surface/null_device.h"
#include "waves/bundle_ray.h"
#include "waves/cardinal_points.h"
#include "waves/lens_outline.h"
#include "waves/parallel_waves.h"
#include "waves/point_source_waves.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr Rgb printedRay = RGB(255, 0, 0);
constexpr Rgb printedFace = RGB(0, 255, 0);

// The view the printed rays are traced over: the bench's and the page's together, so that every ray whose
// front is printed (traced over the bench's view) is printed too, and runs on to the page's edge.
struct TraceView {
    NullDevice device{1, 1};
    Surface surface{device};

    TraceView(const Surface& page, const Surface& bench)
    {
        auto lowest = [](const Surface& s) { return std::fmin(s.ScaleTop(), s.ScaleTop() + s.ScaleHeight()); };
        auto highest = [](const Surface& s) { return std::fmax(s.ScaleTop(), s.ScaleTop() + s.ScaleHeight()); };
        auto leftmost = [](const Surface& s) { return std::fmin(s.ScaleLeft(), s.ScaleLeft() + s.ScaleWidth()); };
        auto rightmost = [](const Surface& s) { return std::fmax(s.ScaleLeft(), s.ScaleLeft() + s.ScaleWidth()); };
        surface.Scale(std::fmin(leftmost(page), leftmost(bench)), std::fmax(highest(page), highest(bench)),
                      std::fmax(rightmost(page), rightmost(bench)), std::fmin(lowest(page), lowest(bench)));
    }
};

// The ray from the source as the page shows it: its legs in red when it reaches the lens; a ray stopped
// by a blade or missing the lens prints nothing.
void printRay(Surface& page, const Surface& view, const Diaphragm& diaphragm, double x0, double y0, double dx, double dy,
              double xA, double xB, double rA, double rB, double n)
{
    const RayPath path = traceRay(view, diaphragm, x0, y0, dx, dy, xA, xB, rA, rB, n);
    bool meetsLens = false;
    for (int k = 0; k < path.count; ++k)
        meetsLens = meetsLens || path.legs[static_cast<std::size_t>(k)].end == LegEnd::lens;
    if (!meetsLens)
        return;
    page.DrawWidth = 1;
    for (int k = 0; k < path.count; ++k) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(k)];
        page.Line(leg.x1, leg.y1, leg.x2, leg.y2, printedRay);
    }
}

// Each face as two arcs that meet on the axis, from the axis out to each rim point.
void printFaces(Surface& page, const LensState& lens)
{
    const std::optional<LensArcs> arcs = lensFaceArcs(lens);
    if (!arcs)
        return;
    auto face = [&](double xc, double r, double start, double end) {
        const double span = end >= start ? end - start : end + 2 * std::numbers::pi - start;
        const double middle = start + span / 2;
        page.Circle(xc, 0, r, printedFace, start, std::fmod(middle, 2 * std::numbers::pi));
        page.Circle(xc, 0, r, printedFace, std::fmod(middle, 2 * std::numbers::pi), end);
    };
    page.DrawWidth = 5;
    face(lens.xcentreA, lens.radiusA, arcs->arcAstart, arcs->arcAend);
    face(lens.xcentreB, lens.radiusB, arcs->arcBstart, arcs->arcBend);
    page.DrawWidth = 1;
}

} // namespace

void printbench(Surface& page, Surface& benchSurface, const LensState& benchLens, RayRecords& records,
                const BenchValues& values, double xcentreA, double xcentreB, double radiusA, double radiusB,
                double x0, double y0)
{
    const double P = page.device().width(), Q = page.device().height();
    if (!(P > 0) || !(Q > 0))
        return;
    const double a = P / (P + Q), b = Q / (P + Q);
    page.Scale(-600 * a, 600 * b, 600 * a, -600 * b);

    LensState lens = benchLens;
    lens.xcentreA = xcentreA, lens.xcentreB = xcentreB, lens.radiusA = radiusA, lens.radiusB = radiusB;
    const SimeiaTomis rim = tomikyklon(xcentreA, xcentreB, radiusA, radiusB);
    BenchValues v = values;
    v.sourcex = x0, v.sourcey = y0;
    records.startBundle(360 / printedFanStep + 1, true);

    printFaces(page, lens);
    if (const auto f = estiakiapostasi(radiusA, radiusB, lens.refindex); f && rim.yparxei) {
        page.DrawWidth = 3;
        page.Circle(rim.x1 - *f, 0, 3, printedRay);
        page.Circle(rim.x1 + *f, 0, 3, printedRay);
        page.DrawWidth = 1;
    }

    const double n = v.index();
    const TraceView view(page, benchSurface);
    for (int degrees = -180; degrees <= 180; degrees += printedFanStep) {
        const double alpha = degrees * std::numbers::pi / 180;
        const double dx = std::cos(alpha), dy = std::sin(alpha);
        if (!v.Check2)
            printRay(page, view.surface, v.diaphragm, x0, y0, dx, dy, xcentreA, xcentreB, radiusA, radiusB, n);
        if (v.wavesWanted() && !v.parallelmode) {
            double sx = x0, sy = y0;
            const int row = records.raycount;
            tracebundleray(benchSurface, records, v, sx, sy, dx, dy, xcentreA, xcentreB, radiusA, radiusB, n);
            records.placeInBundle(row, (degrees + 180) / printedFanStep);
        }
    }
    if (!v.Check2) {
        BenchControls controls;
        controls.deiktisdiathlasis = v.deiktisdiathlasis;
        // The centres as their scroll bars hold them: whole numbers within the bars' reach.
        auto whole = [](double x) { return std::isfinite(x) ? static_cast<int>(std::lround(std::clamp(x, -1e6, 1e6))) : 0; };
        controls.kentrokykloy = whole(xcentreB);
        controls.kentrokykloy2 = whole(xcentreA);
        LensState constructed = lens;
        cardinalpoints(page, constructed, controls, x0, y0, PictureForm::page);
        thinlensimage(page, constructed, controls, x0, y0, PictureForm::page);
    }
    if (v.wavesWanted() && !v.parallelmode)
        kymataapopigi(page, lens, records, v, x0, y0, PictureForm::page);
    // A parallel beam's waves close the page, whatever the boxes say.
    if (v.parallelmode)
        parallelwaves(page, benchSurface, lens, records, v, v.bundleangle);
    page.DrawWidth = 1;
}

} // namespace lens::waves
