#include "bench/bench_mouse.h"

#include "surface/blades.h"

#include <algorithm>
#include <cmath>

namespace lens::bench {

namespace {

// A whole number nearest x, halves to even, held within [low, high]; low for a value that is not a number.
int wholeWithin(double x, int low, int high)
{
    if (!std::isfinite(x))
        return x > 0 ? high : low;
    return static_cast<int>(std::clamp(std::nearbyint(x), double(low), double(high)));
}

} // namespace

void dropBenchBlade(Blade dragged, LineControl& line1, LineControl& line2, const Surface& view, double X, double Y)
{
    dropBlade(dragged, line1, line2, view, X, Y);
    // A tip on its own side of the axis closes or opens the diaphragm: the other tip mirrors it, so the
    // opening stays centred on the axis. Over the glass the redraw then rests both on the lens's surface.
    if (dragged == Blade::upper && line1.Y2 >= 0)
        line2.Y2 = -line1.Y2;
    else if (dragged == Blade::lower && line2.Y2 <= 0)
        line1.Y2 = -line2.Y2;
}

BenchObject objectAt(const Surface& view, const LineControl& line1, const LineControl& line2,
                     const spherical::LensState& lens, double X, double Y)
{
    if (const auto blade = bladeAt(line1, line2, view, X, Y))
        return *blade == Blade::upper ? BenchObject::upperBlade : BenchObject::lowerBlade;
    if (std::hypot(X - lens.xcentreA, Y) < lens.radiusA / 20)
        return BenchObject::centreA;
    if (std::hypot(X - lens.xcentreB, Y) < lens.radiusB / 20)
        return BenchObject::centreB;
    if (lens.xcentreA + 0.95 * lens.radiusA < X && X < lens.xcentreA + 1.05 * lens.radiusA)
        return BenchObject::edgeA;
    if (lens.xcentreB - 1.05 * lens.radiusB < X && X < lens.xcentreB - 0.95 * lens.radiusB)
        return BenchObject::edgeB;
    return BenchObject::none;
}

BenchObject pressOnBench(DragFlags& drag, const Surface& view, const LineControl& line1, const LineControl& line2,
                         const spherical::LensState& lens, int shift, double X, double Y)
{
    const BenchObject object = objectAt(view, line1, line2, lens, X, Y);
    switch (object) {
    case BenchObject::upperBlade: drag.dragLine1 = true; break;
    case BenchObject::lowerBlade: drag.dragLine2 = true; break;
    case BenchObject::centreA: drag.dragCentreA = true; break;
    case BenchObject::centreB: drag.dragCentreB = true; break;
    case BenchObject::edgeA: drag.dragRadiusA = true; break;
    case BenchObject::edgeB: drag.dragRadiusB = true; break;
    case BenchObject::none: drag.dragSource = shiftAlone(shift); break;
    }
    return object;
}

int pointerOnBench(const DragFlags& drag, BenchObject over)
{
    if (over == BenchObject::upperBlade || drag.dragLine1 || over == BenchObject::lowerBlade || drag.dragLine2 ||
        over == BenchObject::centreA || drag.dragCentreA || over == BenchObject::centreB || drag.dragCentreB)
        return 2;
    if (over == BenchObject::edgeA || drag.dragRadiusA || over == BenchObject::edgeB || drag.dragRadiusB)
        return 9;
    return 0;
}

BenchDrop releaseOnBench(DragFlags& drag, const Surface& view, LineControl& line1, LineControl& line2,
                         const spherical::LensState& lens, double X, double Y)
{
    BenchDrop drop;
    if (!std::isfinite(X) || !std::isfinite(Y)) { // a drop nowhere leaves everything where it was
        drag = {};
        return drop;
    }
    if (drag.dragLine1) {
        drag.dragLine1 = false;
        dropBenchBlade(Blade::upper, line1, line2, view, X, Y);
        drop.kind = BenchDrop::blades;
    } else if (drag.dragCentreA) {
        drag.dragCentreA = false;
        drop.kind = BenchDrop::centreA;
        drop.scrollValue = X > 0 ? 0 : wholeWithin(X, -500, 0);
    } else if (drag.dragCentreB) {
        drag.dragCentreB = false;
        drop.kind = BenchDrop::centreB;
        drop.scrollValue = X < 0 ? 0 : wholeWithin(X, 0, 500);
    } else if (drag.dragRadiusA) {
        drag.dragRadiusA = false;
        drop.kind = BenchDrop::radiusA;
        drop.scrollValue = wholeWithin(std::trunc(std::fabs(X - lens.xcentreA)), 50, 500);
    } else if (drag.dragRadiusB) {
        drag.dragRadiusB = false;
        drop.kind = BenchDrop::radiusB;
        drop.scrollValue = wholeWithin(std::trunc(std::fabs(X - lens.xcentreB)), 0, 500);
    } else if (drag.dragLine2) {
        drag.dragLine2 = false;
        dropBenchBlade(Blade::lower, line1, line2, view, X, Y);
        drop.kind = BenchDrop::blades;
    } else if (drag.dragSource) {
        drag.dragSource = false;
        drop.kind = BenchDrop::source;
    }
    return drop;
}

} // namespace lens::bench
