// The lens search and the tracing of one ray through the diaphragm and the two faces of the lens.

#include "spherical/spherical_lens.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace lens::spherical {

namespace {

// A boundary point closer than this to the start, along the ray, is the start itself: the point a refracted
// ray leaves from comes back out of the intersection within rounding.
constexpr double minimumAdvance = 1e-6;

bool onCircle(double x, double y, double xc, double r, double tolerance)
{
    return std::fabs(apostasi(x, y, xc, 0) - r) < tolerance;
}

} // namespace

ProtiTomi lensHit(const LensState& lens, double dx, double dy, double x0, double y0, StartClasses classes)
{
    const double xA = lens.xcentreA, xB = lens.xcentreB, rA = lens.radiusA, rB = lens.radiusB;
    const ProtiTomi notFound{x0, y0, false, 0};
    if (!tomikyklon(xA, xB, rA, rB).yparxei)
        return notFound; // the discs do not overlap in a lens
    const double length = std::hypot(dx, dy);
    if (length == 0 || !std::isfinite(length))
        return notFound;
    const SimeiaTomis sA = tomieytheiaskyklou(xA, 0, rA, dx, dy, x0, y0);
    const SimeiaTomis sB = tomieytheiaskyklou(xB, 0, rB, dx, dy, x0, y0);
    if (!sA.yparxei || !sB.yparxei)
        return notFound; // the line misses a disc, so it misses their overlap

    // Each candidate lies on its own circle; it is a point of the lens's boundary only when it also lies in
    // the other disc. The slack covers rounding only: it is relative to the size of the coordinates.
    const double size = std::fmax(std::fmax(std::fabs(xA), std::fabs(xB)),
                                  std::fmax(std::fmax(rA, rB), std::fmax(std::fabs(x0), std::fabs(y0))));
    const double slack = 1e-9 * std::fmax(size, 1.0);
    const double candidates[4][3] = {{sA.x1, sA.y1, 1}, {sA.x2, sA.y2, 1}, {sB.x1, sB.y1, 2}, {sB.x2, sB.y2, 2}};
    double best = 0, bestX = x0, bestY = y0;
    bool found = false;
    for (const auto& c : candidates) {
        const double px = c[0], py = c[1];
        const double distA = apostasi(px, py, xA, 0), distB = apostasi(px, py, xB, 0);
        // The rim point itself lies on both circles and stays a hit: a ray aimed at the rim meets the lens there.
        const bool inOtherDisc = c[2] == 1 ? distB <= rB + slack : distA <= rA + slack;
        if (!inOtherDisc)
            continue;
        const double along = ((px - x0) * dx + (py - y0) * dy) / length;
        if (along <= minimumAdvance)
            continue; // behind the start, or the start itself
        if (!found || along < best) {
            best = along;
            bestX = px, bestY = py;
            found = true;
        }
    }
    if (!found)
        return notFound;

    ProtiTomi hit{bestX, bestY, true, 0};
    // A start inside one disc but outside the other gets kind 0 on the bench; every other start gets the
    // circle the hit is on.
    const double dA = apostasi(x0, y0, xA, 0), dB = apostasi(x0, y0, xB, 0);
    const double outside = classes == StartClasses::bench ? 1.005 : 1.0005;
    const bool insideAOnly = dA < 0.9995 * rA && dB > outside * rB;
    const bool insideBOnly = dB < 0.9995 * rB && dA > outside * rA;
    if (classes == StartClasses::singleRay || (!insideAOnly && !insideBOnly)) {
        if (onCircle(hit.x, hit.y, xA, rA, 0.0005))
            hit.eidos = 1;
        else if (onCircle(hit.x, hit.y, xB, rB, 0.0005))
            hit.eidos = 2;
    }
    return hit;
}

LensRefraction refractAtLens(double dx, double dy, double x, double y, const LensState& lens)
{
    const double xA = lens.xcentreA, xB = lens.xcentreB, rA = lens.radiusA, rB = lens.radiusB, n = lens.refindex;
    LensRefraction r;
    // Near the rim a hit lies within the tolerance of both circles; it is refracted at the one it lies on.
    const double offA = std::fabs(apostasi(x, y, xA, 0) - rA);
    const double offB = std::fabs(apostasi(x, y, xB, 0) - rB);
    if (offA < surfaceTolerance && !(offB < offA)) {
        r.circle = 1;
        r.refracted = diathlasi(dx, dy, x, y, xA, 0, rA, n);
    } else if (offB < surfaceTolerance) {
        r.circle = 2;
        r.refracted = diathlasi(dx, dy, x, y, xB, 0, rB, n);
    }
    return r;
}

ProtiTomi firstLensPoint(Surface& surface, const LensState& lens, double dx, double dy, double x0, double y0)
{
    surface.DrawWidth = 1;
    return lensHit(lens, dx, dy, x0, y0, StartClasses::bench);
}

ProtiTomi prototomi(Surface& surface, double xA, double xB, double rA, double rB, double dx, double dy, double x0,
                    double y0, int& kind)
{
    const ProtiTomi hit = firstLensPoint(surface, LensState{xA, rA, xB, rB}, dx, dy, x0, y0);
    kind = hit.eidos;
    return hit;
}

Rgb legColour(const RayLeg& leg)
{
    switch (leg.end) {
    case LegEnd::blade:
        return rayColours::blade;
    case LegEnd::viewEdge:
        return rayColours::free;
    case LegEnd::lens:
        break;
    }
    if (leg.kind == 1)
        return rayColours::kindA;
    if (leg.kind == 2)
        return rayColours::kindB;
    return rayColours::kindNone;
}

namespace {

// Traces a ray leg by leg into legs (whose size bounds the legs) and gives the number of legs and of the
// total reflections followed. With maxReflections 0 a total reflection ends the ray.
struct TraceCount { int legs = 0, reflections = 0; };
TraceCount traceLegs(std::span<RayLeg> legs, const Surface& surface, const Diaphragm& diaphragm, const LensState& lens,
                     double x0, double y0, double dx, double dy, StartClasses classes, int maxReflections)
{
    const double xA = lens.xcentreA, xB = lens.xcentreB;
    TraceCount traced;
    double x = x0, y = y0;
    bool reflectedHere = false; // the current point is a reflection on a face, inside the glass
    // The bench's five passes; a reflection inside the glass is not one of them.
    for (int pass = 0; pass <= 4 && traced.legs < static_cast<int>(legs.size());) {
        if (!strictlyInView(surface, x, y) || (dx == 0 && dy == 0) || !std::isfinite(dx) || !std::isfinite(dy))
            break;
        const Perasma blade = perasma(diaphragm.x, diaphragm.upperTip, diaphragm.lowerTip, x, y, dx, dy);
        const Simeio edge = akriothonis(surface, x, y, dx, dy);
        const ProtiTomi hit = lensHit(lens, dx, dy, x, y, classes);
        // A ray reflected into the glass meets its boundary again; one that does not was reflected at the very
        // corner of the rim, out of the other disc, or along a face: it ends there.
        if (reflectedHere && !hit.vrethike)
            break;

        RayLeg& leg = legs[static_cast<std::size_t>(traced.legs++)];
        leg.x1 = x, leg.y1 = y, leg.dx = dx, leg.dy = dy;

        const bool bladeAhead = blade.ektos && prosimo(blade.x - x) == prosimo(dx);
        if (bladeAhead && (!hit.vrethike || apostasi(blade.x, blade.y, x, y) < apostasi(hit.x, hit.y, x, y))) {
            leg.end = LegEnd::blade;
            // A blade crossing beyond the view is drawn only as far as the view's edge, which looks the same.
            const bool visible = surface.contains(blade.x, blade.y);
            leg.x2 = visible ? blade.x : edge.x;
            leg.y2 = visible ? blade.y : edge.y;
            leg.bladeBeyondView = !visible;
            break;
        }
        if (!hit.vrethike) {
            leg.end = LegEnd::viewEdge;
            leg.x2 = edge.x, leg.y2 = edge.y;
            break;
        }
        leg.end = LegEnd::lens;
        leg.x2 = hit.x, leg.y2 = hit.y;
        leg.kind = hit.eidos;
        if (hit.x == x && hit.y == y)
            break;

        const LensRefraction atHit = refractAtLens(dx, dy, hit.x, hit.y, lens);
        const Diathlasi& refracted = atHit.refracted;
        leg.circle = atHit.circle;
        if (leg.circle != 0 && !refracted.egine) {
            leg.totalReflection = true;
            if (traced.reflections >= maxReflections)
                break;
            // Law of reflection at the circle the hit lies on: the normal component of the direction turns
            // over, the tangential one stays.
            const double xc = leg.circle == 1 ? xA : xB;
            const double radius = apostasi(hit.x, hit.y, xc, 0);
            const double nx = (hit.x - xc) / radius, ny = hit.y / radius;
            const double normal = dx * nx + dy * ny;
            dx -= 2 * normal * nx;
            dy -= 2 * normal * ny;
            leg.reflected = true;
            ++traced.reflections;
            x = hit.x, y = hit.y;
            reflectedHere = true;
            continue;
        }
        reflectedHere = false;
        x = hit.x, y = hit.y;
        if (leg.circle != 0)
            dx = refracted.dx, dy = refracted.dy;
        ++pass;
    }
    return traced;
}

} // namespace

RayPath traceRay(const Surface& surface, const Diaphragm& diaphragm, const LensState& lens, double x0, double y0,
                 double dx, double dy, StartClasses classes)
{
    RayPath path;
    path.count = traceLegs(path.legs, surface, diaphragm, lens, x0, y0, dx, dy, classes, 0).legs;
    return path;
}

ReflectingRayPath traceRayReflecting(const Surface& surface, const Diaphragm& diaphragm, const LensState& lens,
                                     double x0, double y0, double dx, double dy, StartClasses classes)
{
    ReflectingRayPath path;
    const TraceCount traced =
        traceLegs(path.legs, surface, diaphragm, lens, x0, y0, dx, dy, classes, maxInternalReflections);
    path.count = traced.legs;
    path.reflections = traced.reflections;
    return path;
}

void poreiaaktinas(Surface& surface, const Diaphragm& diaphragm, double x0, double y0, double dx, double dy,
                   double xA, double xB, double rA, double rB, double n)
{
    drawBenchRay(surface, diaphragm, LensState{xA, rA, xB, rB, n}, x0, y0, dx, dy);
}

void drawBenchRay(Surface& surface, const Diaphragm& diaphragm, const LensState& lens, double x0, double y0, double dx,
                  double dy)
{
    surface.DrawWidth = 1;
    const RayPath path = traceRay(surface, diaphragm, lens, x0, y0, dx, dy);
    for (int i = 0; i < path.count; ++i) {
        const RayLeg& leg = path.legs[static_cast<std::size_t>(i)];
        if (leg.end == LegEnd::lens) {
            surface.Line(leg.x1, leg.y1, leg.x2, leg.y2, rayColours::blade);
            surface.DrawWidth = 1;
        }
        surface.Line(leg.x1, leg.y1, leg.x2, leg.y2, legColour(leg));
    }
}

} // namespace lens::spherical
