// The single-ray view's tracer: one ray drawn leg by leg in red through the bench's diaphragm and the lens.

#include "waves/waves.h"

#include <algorithm>
#include <cmath>

namespace lens::waves {

using namespace spherical;

namespace {

// A boundary point closer than this to the start is the start itself, come back out of the intersection.
constexpr double minimumAdvance = 1e-6;

bool strictlyInView(const Surface& surface, double x, double y)
{
    const double xL = surface.ScaleLeft(), xR = xL + surface.ScaleWidth();
    const double yT = surface.ScaleTop(), yB = yT + surface.ScaleHeight();
    return std::min(xL, xR) < x && x < std::max(xL, xR) && std::min(yT, yB) < y && y < std::max(yT, yB);
}

bool onCircle(double x, double y, double xc, double r, double tolerance)
{
    return std::fabs(apostasi(x, y, xc, 0) - r) < tolerance;
}

} // namespace

ProtiTomi prototomimoni(double xA, double xB, double rA, double rB, double dx, double dy, double x0, double y0,
                        int& kind)
{
    kind = 0;
    const ProtiTomi notFound{x0, y0, false, 0};
    const double length = std::hypot(dx, dy);
    if (!tomikyklon(xA, xB, rA, rB).yparxei || length == 0 || !std::isfinite(length))
        return notFound;
    const SimeiaTomis sA = tomieytheiaskyklou(xA, 0, rA, dx, dy, x0, y0);
    const SimeiaTomis sB = tomieytheiaskyklou(xB, 0, rB, dx, dy, x0, y0);
    if (!sA.yparxei || !sB.yparxei)
        return notFound;

    // Of the crossings with both circles, those on the lens's boundary; the first of them ahead of the start.
    const double candidates[4][2] = {{sA.x1, sA.y1}, {sA.x2, sA.y2}, {sB.x1, sB.y1}, {sB.x2, sB.y2}};
    bool found = false;
    double best = 0, hx = x0, hy = y0;
    for (const auto& p : candidates) {
        const double distA = apostasi(p[0], p[1], xA, 0), distB = apostasi(p[0], p[1], xB, 0);
        const bool outsideAOnB = distA > 1.0005 * rA && distB >= 0.9995 * rB && distB <= 1.0005 * rB;
        const bool outsideBOnA = distB > 1.0005 * rB && distA >= 0.9995 * rA && distA <= 1.0005 * rA;
        if (outsideAOnB || outsideBOnA || (distA == rA && distB == rB))
            continue;
        const double along = ((p[0] - x0) * dx + (p[1] - y0) * dy) / length;
        if (along <= minimumAdvance || (found && along >= best))
            continue;
        best = along, hx = p[0], hy = p[1];
        found = true;
    }
    if (!found)
        return notFound;
    ProtiTomi hit{hx, hy, true, 0};
    if (onCircle(hx, hy, xA, rA, 0.0005))
        hit.eidos = 1;
    else if (onCircle(hx, hy, xB, rB, 0.0005))
        hit.eidos = 2;
    kind = hit.eidos;
    return hit;
}

void aktinamoni(Surface& surface, const Diaphragm& benchDiaphragm, double x0, double y0, double dx, double dy,
                double xA, double xB, double rA, double rB, double n)
{
    double x = x0, y = y0;
    for (int leg = 0; leg <= 4; ++leg) {
        if (!strictlyInView(surface, x, y) || !std::isfinite(dx) || !std::isfinite(dy) || (dx == 0 && dy == 0))
            return;
        const Perasma blade = perasma(benchDiaphragm.x, benchDiaphragm.upperTip, benchDiaphragm.lowerTip, x, y, dx, dy);
        int kind = 0;
        const ProtiTomi hit = prototomimoni(xA, xB, rA, rB, dx, dy, x, y, kind);
        const bool bladeAhead = blade.ektos && prosimo(blade.x - x) == prosimo(dx);
        if (bladeAhead && (!hit.vrethike || apostasi(blade.x, blade.y, x, y) < apostasi(hit.x, hit.y, x, y)))
            return; // stopped by a blade: this leg is not drawn
        if (!hit.vrethike) {
            const Simeio edge = akriothonis(surface, x, y, dx, dy);
            surface.Line(x, y, edge.x, edge.y, waveColours::singleRay);
            return;
        }
        surface.Line(x, y, hit.x, hit.y, waveColours::singleRay);
        if (hit.x == x && hit.y == y)
            return;
        std::optional<Diathlasi> refracted;
        if (onCircle(hit.x, hit.y, xA, rA, 0.005))
            refracted = diathlasi(dx, dy, hit.x, hit.y, xA, 0, rA, n);
        else if (onCircle(hit.x, hit.y, xB, rB, 0.005))
            refracted = diathlasi(dx, dy, hit.x, hit.y, xB, 0, rB, n);
        if (refracted && !refracted->egine)
            return; // total internal reflection
        x = hit.x, y = hit.y;
        if (kind == 0)
            return;
        if (refracted)
            dx = refracted->dx, dy = refracted->dy;
    }
}

} // namespace lens::waves
