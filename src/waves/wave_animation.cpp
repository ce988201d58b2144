// The wavefronts in time. Every wave point sits at optical path 2.5·j from its start at tick j (air
// length plus n times the glass length), so a step that crosses a face is split with the travel time
// kept: the part of the tick left at the surface continues in the new medium at its speed.

#include "waves/wave_animation.h"

#include <algorithm>
#include <cmath>

namespace lens::waves {

using namespace spherical;

namespace {

// Whether the record leads from (sx, sy) along its start direction to its entry point.
bool leadsIntoTheLens(const RecordedPath& path)
{
    const double ex = path.ex - path.sx, ey = path.ey - path.sy;
    const double along = ex * path.dx0 + ey * path.dy0, across = ex * path.dy0 - ey * path.dx0;
    return along >= -1e-9 * (1 + path.d0) && std::fabs(across) <= 1e-6 * (1 + path.d0);
}

void drawFoci(Surface& s, const WaveAnimation& a)
{
    if (!a.focalLength)
        return;
    const double f = *a.focalLength;
    s.FillStyle = solidFill;
    s.FillColor = animationColours::focus;
    s.Circle(a.rimx - f, 0, 3, animationColours::focus);
    s.Circle(a.rimx + f, 0, 3, animationColours::focus);
    s.FillStyle = noFill;
    s.DrawWidth = 1;
}

// The lens faces on top, leaving the pen at width 1 and solid.
void drawOutline(Surface& s, const WaveAnimation& a)
{
    if (a.arcs)
        drawLensOutline(s, a.lens, *a.arcs);
    s.DrawStyle = solidStyle;
    s.DrawWidth = 1;
}

// Ray i's point at tick j in one colour and the point of tick j − 1 erased, then the same for the piece
// that joins ray i to ray i − 1.
void advance(Surface& s, const WaveAnimation& a, int i, int j, Rgb colour, Rgb back)
{
    // Points and joins only where the light reaches: nothing is drawn or erased beyond a blade.
    if (a.reached(i, j))
        s.PSet(a.x(i, j), a.y(i, j), colour);
    if (a.reached(i, j - 1))
        s.PSet(a.x(i, j - 1), a.y(i, j - 1), back);
    for (const int k : a.joinedTo[static_cast<std::size_t>(i)]) {
        if (a.reached(i, j) && a.reached(k, j))
            s.Line(a.x(k, j), a.y(k, j), a.x(i, j), a.y(i, j), colour);
        if (a.reached(i, j - 1) && a.reached(k, j - 1))
            s.Line(a.x(k, j - 1), a.y(k, j - 1), a.x(i, j - 1), a.y(i, j - 1), back);
    }
}

// Ray i's point at tick j joined to ray i − 1's, nothing erased.
void front(Surface& s, const WaveAnimation& a, int i, int j, Rgb colour)
{
    if (!a.reached(i, j))
        return;
    s.PSet(a.x(i, j), a.y(i, j), colour);
    for (const int k : a.joinedTo[static_cast<std::size_t>(i)])
        if (a.reached(k, j))
            s.Line(a.x(k, j), a.y(k, j), a.x(i, j), a.y(i, j), colour);
}

} // namespace

void sxediasifakoy11(Surface& s, const LensState& lens, const RayRecords& records, bool parallelmode, double sourcex,
                     double sourcey, WaveAnimation& a)
{
    const double n = lens.refindex;
    a.lens = lens;
    a.focalLength = estiakiapostasi(lens.radiusA, lens.radiusB, lens.refindex);
    const SimeiaTomis rim = tomikyklon(lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB);
    a.rimx = rim.x1;
    a.rimy = std::max(rim.y1, rim.y2);
    a.arcs = lensFaceArcs(lens);
    a.shownTick = 0;

    s.FillStyle = solidFill;
    s.Cls();
    drawFoci(s, a);
    drawOutline(s, a);

    // Beam rays start where the beam's line put them (the start table holds rows 0..450 only, and a
    // beam records no more); every ray of a fan starts at the source.
    a.rays = parallelmode ? std::min(records.recorded(), int(RayRecords::startRows)) : records.recorded();
    const auto rows = static_cast<std::size_t>(a.rays);
    a.tickwavex.assign(rows * WaveAnimation::ticks, 0.0);
    a.tickwavey.assign(rows * WaveAnimation::ticks, 0.0);
    a.lastReached.assign(rows, WaveAnimation::ticks - 1);
    for (int i = 0; i < a.rays; ++i) {
        const auto r = static_cast<std::size_t>(i);
        const double sx = parallelmode ? records.startx[r] : sourcex;
        const double sy = parallelmode ? records.starty[r] : sourcey;
        const double dx0 = records.dirx0[r], dy0 = records.diry0[r];
        // A beam's ticks count optical path from its plane front, which a ray's start may lie off.
        const double startPath = parallelmode ? records.startpath[r] : 0.0;
        std::optional<RecordedPath> path = recordedPath(records, i, sx, sy, n);
        if (path && !leadsIntoTheLens(*path))
            path.reset();
        if (path)
            path->pathAtStart = startPath;
        const bool straight = std::isfinite(dx0) && std::isfinite(dy0) && std::isfinite(startPath);
        RayPathPoint p{sx, sy};
        for (int j = 0; j < WaveAnimation::ticks; ++j) {
            const double travelled = tickStep * j;
            if (path) {
                const std::optional<RayPathPoint> there = path->reached(travelled);
                if (!there) {
                    // Stopped by a blade: the rest of the row holds the last point reached.
                    a.lastReached[r] = j - 1;
                    for (int k = j; k < WaveAnimation::ticks; ++k) {
                        a.tickwavex[WaveAnimation::index(i, k)] = p.x;
                        a.tickwavey[WaveAnimation::index(i, k)] = p.y;
                    }
                    break;
                }
                p = *there;
            } else if (straight) {
                p = {sx + (travelled - startPath) * dx0, sy + (travelled - startPath) * dy0};
            }
            a.tickwavex[WaveAnimation::index(i, j)] = p.x;
            a.tickwavey[WaveAnimation::index(i, j)] = p.y;
        }
    }
    // Each ray's point is joined to its neighbours in the bundle that come before it (the fan's last ray
    // also to its first), never across rays that were lost.
    a.joinedTo = frontJoinsByRow(records, a.rays);
}

void drawWaveTick(Surface& s, WaveAnimation& a, int j, int rays, OutlineRedraw outline)
{
    if (j < 1 || j > lastAnimationTick)
        return;
    rays = std::clamp(rays, 0, a.rays);
    const Rgb back = s.BackColor;
    s.DrawStyle = solidStyle;
    for (int i = 0; i < rays; ++i) {
        s.DrawWidth = 2;
        advance(s, a, i, j, animationColours::front, back);
        if (outline == OutlineRedraw::everyStep || i == rays - 1)
            drawOutline(s, a);
        else
            s.DrawWidth = 1; // where the outline leaves the pen
        for (int kept = j - keptFrontEvery; kept > 0; kept -= keptFrontEvery)
            advance(s, a, i, kept, animationColours::keptFront, back);
        s.DrawWidth = 1;
    }
    a.shownTick = j;
}

void redrawWaveFrame(Surface& s, const WaveAnimation& a)
{
    s.Cls();
    drawFoci(s, a);
    const int j = std::min(a.shownTick, lastAnimationTick);
    if (j >= 1) {
        for (int i = 0; i < a.rays; ++i) {
            s.DrawWidth = 2;
            front(s, a, i, j, animationColours::front);
            s.DrawWidth = 1;
            for (int kept = j - keptFrontEvery; kept > 0; kept -= keptFrontEvery)
                front(s, a, i, kept, animationColours::keptFront);
        }
    }
    drawOutline(s, a);
}

} // namespace lens::waves
