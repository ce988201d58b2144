// One ray of a bundle drawn as time marks: a dot every 25 units of optical path, so that the k-th dots of
// all rays that left the source together lie on one wavefront; the ray's path is recorded for the waves.

#include "waves/bundle_ray.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr int airDotsBefore = 20; // the start and the marks up to 475 units from it
constexpr int dotsAfter = 19;
constexpr int mostGlassMarks = 4000;

// How far along the unit direction (dx, dy) from (x, y) the ray meets a blade of the diaphragm, as the
// drawn ray meets it; none when it crosses the blades' plane in the opening or not ahead of it.
std::optional<double> bladeAhead(const Diaphragm& blades, double x, double y, double dx, double dy)
{
    if (dx == 0 || !perasma(blades.x, blades.upperTip, blades.lowerTip, x, y, dx, dy).ektos)
        return std::nullopt;
    const double t = (blades.x - x) / dx;
    if (!(t > 0) || !std::isfinite(t))
        return std::nullopt;
    return t * std::hypot(dx, dy);
}

// The remainder of v after whole multiples of m, in [0, m).
double phase(double v, double m)
{
    const double r = std::fmod(v, m);
    return r < 0 ? r + m : r;
}

void timeMark(Surface& surface, double x, double y, Rgb colour)
{
    surface.DrawWidth = 3;
    surface.PSet(x, y, colour);
    surface.DrawWidth = 1;
}

} // namespace

void tracebundleray(Surface& surface, RayRecords& records, const BenchScene& scene, double x0, double y0,
                    double dx, double dy, double xA, double xB, double rA, double rB, double n, double startPath)
{
    BenchScene through = scene;
    through.lens = LensState{xA, rA, xB, rB, n}; // this ray's own index
    traceTimedRay(surface, records, through, x0, y0, dx, dy, startPath);
}

void traceTimedRay(Surface& surface, RayRecords& records, const BenchScene& values, double x0, double y0, double dx,
                   double dy, double startPath)
{
    const LensState& lens = values.lens;
    const double n = lens.refindex;
    const double startX = x0, startY = y0;
    if (!(n > 0) || !std::isfinite(n) || !std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0) ||
        !std::isfinite(startPath))
        return;
    if (!strictlyInView(surface, startX, startY))
        return;
    const double sAir = airStep, sGlass = airStep / n;
    const Diaphragm& blades = values.diaphragm;

    // What the ray meets first: a blade, the edge of the view or the lens.
    const Perasma blade = perasma(blades.x, blades.upperTip, blades.lowerTip, startX, startY, dx, dy);
    const Simeio edge = akriothonis(surface, startX, startY, dx, dy);
    const ProtiTomi hit = firstLensPoint(surface, lens, dx, dy, startX, startY);
    if (!hit.vrethike)
        return;
    const double toLens = apostasi(startX, startY, hit.x, hit.y);
    if (toLens > apostasi(startX, startY, edge.x, edge.y) && prosimo(edge.x - startX) == prosimo(dx))
        return; // the lens lies beyond the view
    if (blade.ektos && toLens > apostasi(startX, startY, blade.x, blade.y) && prosimo(blade.x - startX) == prosimo(dx))
        return; // a blade stands between the start and the lens

    // The first boundary point ahead is the entry, unless the ray starts in the glass (or on its surface,
    // heading in): then it is already in the glass and that point is its exit.
    const bool startsInGlass = insideLens((startX + hit.x) / 2, (startY + hit.y) / 2, lens);
    const double entryX = startsInGlass ? startX : hit.x, entryY = startsInGlass ? startY : hit.y;
    const double d0 = startsInGlass ? 0.0 : toLens;

    const int row = records.raycount;
    const bool recording = RayRecords::inTable(row) && (!values.light.beam || RayRecords::inStartTable(row));
    auto record = [&](auto& column, double v) {
        if (recording)
            column[static_cast<std::size_t>(row)] = static_cast<typename std::decay_t<decltype(column)>::value_type>(v);
    };
    record(records.entryx, entryX);
    record(records.entryy, entryY);
    record(records.dirx0, dx);
    record(records.diry0, dy);
    record(records.entrytime, d0 / lightSpeed);

    record(records.bladestop, false);

    // Marks in air: every 25 units of optical path from the bundle's front while the ray is still short of
    // the lens, the first at the start itself when the start lies on a front.
    const double sinceFront = phase(startPath, sAir);
    const double firstAir = sinceFront > 0 ? sAir - sinceFront : 0.0;
    for (int k = 0; k < airDotsBefore; ++k) {
        const double along = firstAir + k * sAir;
        if (!(along == 0 || along < d0))
            break;
        timeMark(surface, startX + along * dx, startY + along * dy, waveColours::airDot);
    }

    // Refraction into the glass; a ray that starts in the glass keeps its direction.
    double gx = dx, gy = dy;
    if (!startsInGlass) {
        if (const LensRefraction in = refractAtLens(entryX - startX, entryY - startY, entryX, entryY, lens);
            in.circle != 0) {
            if (!in.refracted.egine)
                return;
            gx = in.refracted.dx, gy = in.refracted.dy;
        }
    }
    record(records.dirxglass, gx);
    record(records.diryglass, gy);
    if (values.light.beam) {
        surface.CurrentX = -300;
        if (recording) {
            records.startx[static_cast<std::size_t>(row)] = startX;
            records.starty[static_cast<std::size_t>(row)] = startY;
            records.startpath[static_cast<std::size_t>(row)] = startPath;
        }
    }

    // The exit: the first boundary point ahead of the entry along the glass direction (the start itself for
    // a ray that grazes the rim and has no way through the glass).
    double exitX = entryX, exitY = entryY;
    if (startsInGlass) {
        exitX = hit.x, exitY = hit.y;
    } else {
        const ProtiTomi out = firstLensPoint(surface, lens, gx, gy, entryX, entryY);
        if (out.vrethike)
            exitX = out.x, exitY = out.y;
    }
    record(records.exitx, exitX);
    record(records.exity, exitY);
    const double L = apostasi(entryX, entryY, exitX, exitY);
    record(records.glasslength, L);

    // A blade stops the light wherever it stands on the way: the marks end there and the record says so.
    const double pathToExit = d0 + n * L;
    auto stoppedAt = [&](double opticalPath) {
        record(records.bladestop, true);
        record(records.bladepath, opticalPath);
    };
    const std::optional<double> bladeInGlass = bladeAhead(blades, entryX, entryY, gx, gy);
    const bool stoppedInGlass = bladeInGlass && *bladeInGlass < L;
    const double glassReach = stoppedInGlass ? *bladeInGlass : L;

    // Marks in glass continue the phase: the next mark is due after the rest of the 25 units that the ray
    // had begun in air when it reached the surface.
    const double r0 = phase(startPath + d0, sAir);
    const double toNextMark = r0 > 0 ? sAir - r0 : 0.0;
    const double a = toNextMark / sAir * sGlass;
    // However long the glass or slow the light in it, no more marks than a view could show apart.
    for (int k = 0; k < mostGlassMarks; ++k) {
        const double along = a + k * sGlass;
        if (!(along <= glassReach))
            break;
        timeMark(surface, entryX + along * gx, entryY + along * gy, waveColours::glassDot);
    }
    // Fraction of a glass spacing travelled past the last glass mark when the ray leaves.
    const double r1 = std::isfinite((L - a) / sGlass) ? ((L - a) / sGlass - std::floor((L - a) / sGlass)) : 0.0;

    if (stoppedInGlass) {
        record(records.dirx1, gx);
        record(records.diry1, gy);
        stoppedAt(d0 + n * *bladeInGlass);
    } else if (L == 0) {
        // Entry and exit coincide (a ray grazing the rim): counted, with no refraction and no marks after.
        record(records.dirx1, gx);
        record(records.diry1, gy);
    } else {
        const LensRefraction out = refractAtLens(exitX - entryX, exitY - entryY, exitX, exitY, lens);
        if (out.circle != 0 && !out.refracted.egine)
            return; // totally reflected inside the glass: not counted
        const double ox = out.circle != 0 ? out.refracted.dx : gx, oy = out.circle != 0 ? out.refracted.dy : gy;
        record(records.dirx1, ox);
        record(records.diry1, oy);
        const std::optional<double> bladeAfter = bladeAhead(blades, exitX, exitY, ox, oy);
        if (bladeAfter)
            stoppedAt(pathToExit + *bladeAfter);
        surface.DrawWidth = 1;
        const double first = (1 - r1) * sAir;
        for (int k = 0; k < dotsAfter; ++k) {
            const double s = first + k * sAir;
            if (bladeAfter && s > *bladeAfter)
                break;
            timeMark(surface, exitX + s * ox, exitY + s * oy, waveColours::afterDot);
        }
    }
    if (recording)
        ++records.raycount;
}

} // namespace lens::waves
