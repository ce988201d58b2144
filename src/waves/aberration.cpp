// The spherical aberration measured from rays traced for the measurement: the paraxial focus as the limit
// of the crossings, the marginal rays found by bisection at the edge of the light, the circle of least
// confusion from a dense bundle refined at its edges. The rays are traced here in double precision, with
// exact boundary tests: the picture's tracer keeps directions in single precision and tests the faces
// within drawing tolerances, which is too coarse for a limit taken from rays a few hundredths of a unit
// apart.

#include "waves/aberration.h"

#include "optics/faces.h"
#include "waves/cardinal_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens::waves {

using namespace spherical;

namespace {

using Vec = optics::Direction;
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }

// The nearest point ahead of p (further than tmin along the unit direction d) where the line meets the
// lens's boundary: an arc of one circle within the other disc. circle is 0 for A, 1 for B.
struct BoundaryHit { double t = 0; int circle = -1; };
BoundaryHit boundaryHit(const optics::CircleFace (&faces)[2], Vec p, Vec d, double tmin)
{
    BoundaryHit best;
    for (int i = 0; i < 2; ++i) {
        const optics::CircleFace& other = faces[1 - i];
        const optics::Meetings m = optics::meetings(faces[i], p, d);
        for (std::size_t k = 0; k < m.count; ++k) {
            const double t = m.t[k];
            if (!(t > tmin) || (best.circle >= 0 && t >= best.t))
                continue;
            const double qx = p.x + t * d.x - other.xc, qy = p.y + t * d.y - other.yc;
            if (qx * qx + qy * qy <= other.r * other.r * (1 + 1e-12))
                best = {t, i};
        }
    }
    return best;
}

// Whether the piece of the ray from a along d, of length (or unbounded), meets a blade: it crosses the
// blades' plane outside the opening.
bool bladeStops(const Diaphragm& blades, Vec a, Vec d, double length)
{
    if (d.x == 0)
        return false;
    const double t = (blades.x - a.x) / d.x;
    if (!(t > 0) || t > length)
        return false;
    const double y = a.y + t * d.y;
    return y > blades.upperTip || y < blades.lowerTip;
}

constexpr Diaphragm noBlades{0, INFINITY, -INFINITY};

} // namespace

MeasuredRay traceMeasuredRay(const LensState& lens, const Diaphragm& diaphragm, double x0, double y0, double dx,
                             double dy)
{
    const double n = lens.refindex;
    MeasuredRay out;
    if (!tomikyklon(lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB).yparxei || !(n > 0) ||
        insideLens(x0, y0, lens))
        return out;
    const optics::CircleFace faces[2] = {{lens.xcentreA, 0, lens.radiusA}, {lens.xcentreB, 0, lens.radiusB}};
    const double scale = std::max(lens.radiusA, lens.radiusB);
    const Vec start{x0, y0};
    Vec d{dx, dy};
    const BoundaryHit in = boundaryHit(faces, start, d, 1e-12 * scale);
    if (in.circle < 0 || bladeStops(diaphragm, start, d, in.t))
        return out;
    const Vec entry{x0 + in.t * d.x, y0 + in.t * d.y};
    const auto inGlass = optics::refractedDirection(d, optics::normalAt(faces[in.circle], entry), 1 / n);
    if (!inGlass)
        return out;
    d = *inGlass;
    const BoundaryHit through = boundaryHit(faces, entry, d, 1e-9 * scale);
    if (through.circle < 0 || bladeStops(diaphragm, entry, d, through.t))
        return out;
    const Vec exit{entry.x + through.t * d.x, entry.y + through.t * d.y};
    const auto after = optics::refractedDirection(d, optics::normalAt(faces[through.circle], exit), n);
    if (!after || bladeStops(diaphragm, exit, *after, INFINITY))
        return out;
    out.leaves = true;
    out.entryX = entry.x, out.entryY = entry.y;
    out.x = exit.x, out.y = exit.y, out.dx = after->x, out.dy = after->y;
    return out;
}

std::optional<Aberration> measureAberration(const LensState& lens, const Diaphragm& diaphragm,
                                            const MeasuredLight& light)
{
    const double n = lens.refindex;
    const double pi = std::numbers::pi;
    if (!(n > 0) || n == 1 || !std::isfinite(light.x) || !std::isfinite(light.y) || !std::isfinite(light.angle))
        return std::nullopt;
    if (light.beam && !(std::fabs(light.angle) < pi / 2))
        return std::nullopt;
    const CardinalPoints cp = cardinalpointsof(lens);
    const int way = light.beam ? 1 : travelDirection(cp, light.x);
    const std::optional<double> nodal = way > 0 ? cp.N1 : cp.N2;
    if (!nodal || !std::isfinite(*nodal))
        return std::nullopt;

    // The rays of the light, by a parameter q that is 0 on the chief ray: a beam's line q units across the
    // chief ray's, or a fan's ray q radians from the chief ray. Each ray's start and unit direction.
    const double far = 4000; // a beam's rays start this far back along the beam, before the whole bench
    double chiefAngle = light.angle;
    double qLow = -pi, qHigh = pi;
    if (light.beam) {
        // The beam's lines lie within 200 / cos φ of the line through (−200, 0), across the beam.
        const double across = -(*nodal + 200) * std::sin(light.angle);
        const double half = 200 / std::cos(light.angle);
        qLow = -half - across, qHigh = half - across;
    } else {
        if (*nodal == light.x && light.y == 0)
            return std::nullopt;
        chiefAngle = std::atan2(-light.y, *nodal - light.x);
    }
    auto rayOf = [&](double q, const Diaphragm& blades) {
        if (light.beam) {
            const double c = std::cos(light.angle), s = std::sin(light.angle);
            return traceMeasuredRay(lens, blades, *nodal - q * s - far * c, q * c - far * s, c, s);
        }
        return traceMeasuredRay(lens, blades, light.x, light.y, std::cos(chiefAngle + q), std::sin(chiefAngle + q));
    };

    // The chief ray, the line every crossing is taken on; without the blades, as the paraxial rays about it.
    const MeasuredRay chief = rayOf(0, noBlades);
    if (!chief.leaves)
        return std::nullopt;
    const Vec C{chief.x, chief.y}, Dc{chief.dx, chief.dy};
    // Where a ray's line after the lens meets the chief ray's, as a distance along the chief ray from C.
    auto along = [&](const MeasuredRay& r) -> std::optional<double> {
        const Vec D{r.dx, r.dy};
        const double denominator = cross(Dc, D);
        if (denominator == 0)
            return std::nullopt;
        const double t = cross(Vec{r.x - C.x, r.y - C.y}, D) / denominator;
        return std::isfinite(t) && std::fabs(t) < 1e6 ? std::optional<double>(t) : std::nullopt;
    };
    auto xAlong = [&](double t) { return C.x + t * Dc.x; };

    // The paraxial focus: the mean crossing of the rays ±δ about the chief ray tends to it as δ², so two
    // sizes of δ give the limit (Richardson's extrapolation); δ is a ray 0.05 units off the chief ray at the lens.
    const double reach = light.beam ? 1.0 : std::max(std::hypot(*nodal - light.x, light.y), 1.0);
    const double delta = 0.05 / reach;
    auto meanCrossing = [&](double q) -> std::optional<double> {
        const auto up = along(rayOf(q, noBlades)), down = along(rayOf(-q, noBlades));
        if (!up || !down)
            return std::nullopt;
        return (*up + *down) / 2;
    };
    const auto wide = meanCrossing(delta), narrow = meanCrossing(delta / 2);
    if (!wide || !narrow)
        return std::nullopt;
    const double paraxialT = (4 * *narrow - *wide) / 3;

    // The marginal rays: on each side of the chief ray, the outermost ray that passes the blades and leaves
    // the lens, first among a scan of the light, then by bisection to the edge.
    auto passes = [&](double q) { return rayOf(q, diaphragm).leaves; };
    constexpr int scan = 2048;
    const double step = (qHigh - qLow) / scan;
    auto marginal = [&](int side) -> std::optional<double> {
        const double end = side > 0 ? qHigh : qLow;
        double inside = 0;
        bool found = passes(0);
        for (int k = 1; k <= scan; ++k) {
            const double q = side * k * step;
            if (side > 0 ? q >= end : q <= end)
                break;
            if (passes(q))
                inside = q, found = true;
        }
        if (!found)
            return std::nullopt;
        double outside = std::clamp(inside + side * step, std::min(end, 0.0), std::max(end, 0.0));
        if (passes(outside))
            return outside; // the light's own edge
        for (int i = 0; i < 60; ++i) {
            const double mid = (inside + outside) / 2;
            (passes(mid) ? inside : outside) = mid;
        }
        return inside;
    };
    const auto qUp = marginal(1), qDown = marginal(-1);
    if (!qUp && !qDown)
        return std::nullopt;

    // The rays between the marginal rays as lines after the lens: y = v + (x − u)·slope.
    struct Line { double q, u, v, slope; };
    auto lineFrom = [](double q, const MeasuredRay& r) -> std::optional<Line> {
        if (!r.leaves || !(std::fabs(r.dx) > 1e-9))
            return std::nullopt;
        return Line{q, r.x, r.y, r.dy / r.dx};
    };
    auto lineOf = [&](double q) { return lineFrom(q, rayOf(q, diaphragm)); };
    const double qTop = qUp.value_or(0), qBottom = qDown.value_or(0);
    // The k-th of count + 1 rays from the lower marginal ray to the upper, both ends exactly.
    auto across = [&](int k, int count) { return k == count ? qTop : qBottom + (qTop - qBottom) * k / count; };

    Aberration a;
    a.alongAxis = chief.dy == 0 && chief.y == 0;
    a.nodal = way > 0 ? 1 : 2;
    a.paraxialFocus = xAlong(paraxialT);
    std::vector<double> marginalX;
    const Vec perpendicularIn = [&] {
        const double c = std::cos(chiefAngle), s = std::sin(chiefAngle);
        return c >= 0 ? Vec{-s, c} : Vec{s, -c};
    }();
    const Vec chiefStart = light.beam ? Vec{chief.entryX, chief.entryY} : Vec{light.x, light.y};
    // A ray's height at the lens: a beam's line across the beam, a fan's entry point across the chief ray.
    auto entryHeight = [&](const MeasuredRay& r) {
        return dot(Vec{r.entryX - chiefStart.x, r.entryY - chiefStart.y}, perpendicularIn);
    };
    const double chiefHeight = entryHeight(chief);
    auto heightOf = [&](double q, const MeasuredRay& r) { return light.beam ? q : entryHeight(r) - chiefHeight; };
    for (const auto& q : {qUp, qDown}) {
        if (!q)
            continue;
        const MeasuredRay r = rayOf(*q, diaphragm);
        if (const auto t = along(r)) {
            marginalX.push_back(xAlong(*t));
            const double h = heightOf(*q, r);
            if (std::fabs(h) > std::fabs(a.marginalHeight))
                a.marginalHeight = h;
        }
    }
    if (marginalX.empty())
        return std::nullopt;
    a.marginalFocus = (marginalX.front() + marginalX.back()) / 2;
    a.lsa = (a.paraxialFocus - a.marginalFocus) * (Dc.x < 0 ? -1 : 1);
    a.chiefX = C.x, a.chiefY = C.y, a.chiefDx = Dc.x, a.chiefDy = Dc.y;

    // A dense bundle across the light, traced once: its lines find the circle of least confusion below, and
    // every fourth ray is a point of the aberration curve.
    constexpr int bundle = 640, curveStride = 4;
    std::vector<Line> lines;
    for (int k = 0; k <= bundle; ++k) {
        const double q = across(k, bundle);
        const MeasuredRay r = rayOf(q, diaphragm);
        if (const auto l = lineFrom(q, r))
            lines.push_back(*l);
        if (k % curveStride != 0 || !r.leaves || !(std::fabs(q) > 1e-12))
            continue;
        if (const auto t = along(r))
            a.rays.push_back({heightOf(q, r), xAlong(*t)});
    }
    if (lines.empty())
        return std::nullopt;
    std::sort(a.rays.begin(), a.rays.end(), [](const AxisCrossing& p, const AxisCrossing& q) { return p.h > q.h; });

    // The circle of least confusion, in the planes square to the axis where an image is taken. The light's
    // width there, its highest line less its lowest, is convex along the axis: its narrowest place is found by
    // narrowing an interval about the foci. The bundle finds the extreme line at each place; a golden-section
    // search between its neighbours then follows the edge of the light between the bundle's rays.
    auto vAt = [](const Line& l, double u) { return l.v + (u - l.u) * l.slope; };
    // The extreme line at x among the bundle's (sign 1 the highest, −1 the lowest), then, refined, the edge of
    // the light there between that line's neighbours.
    auto extreme = [&](double u, int sign, bool refined) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < lines.size(); ++i)
            if (sign * vAt(lines[i], u) > sign * vAt(lines[best], u))
                best = i;
        const double value = sign * vAt(lines[best], u);
        if (!refined)
            return sign * value;
        double lo = lines[best > 0 ? best - 1 : 0].q, hi = lines[std::min(best + 1, lines.size() - 1)].q;
        const double g = (std::sqrt(5.0) - 1) / 2;
        auto at = [&](double q) {
            const auto l = lineOf(q);
            return l ? sign * vAt(*l, u) : -INFINITY;
        };
        double m1 = hi - g * (hi - lo), m2 = lo + g * (hi - lo), f1 = at(m1), f2 = at(m2);
        for (int i = 0; i < 24 && hi - lo > 0; ++i) {
            if (f1 < f2)
                lo = m1, m1 = m2, f1 = f2, m2 = lo + g * (hi - lo), f2 = at(m2);
            else
                hi = m2, m2 = m1, f2 = f1, m1 = hi - g * (hi - lo), f1 = at(m1);
        }
        return sign * std::max({value, f1, f2});
    };
    auto width = [&](double u, bool refined) { return extreme(u, 1, refined) - extreme(u, -1, refined); };
    // The waist among the bundle's lines first, then with the edge followed between them close about it.
    // Both to a hundred-thousandth of a unit, two digits past those shown.
    auto narrowest = [&](double lo, double hi, bool refined) {
        for (int i = 0; i < 80 && hi - lo > 1e-5; ++i) {
            const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
            if (width(m1, refined) < width(m2, refined))
                hi = m2;
            else
                lo = m1;
        }
        return (lo + hi) / 2;
    };
    double lo = std::min(a.paraxialFocus, a.marginalFocus), hi = std::max(a.paraxialFocus, a.marginalFocus);
    const double span = std::max(hi - lo, 1.0);
    const double rough = narrowest(lo - span, hi + span, false);
    const double near = std::max(1e-3 * span, 0.05);
    a.waistX = narrowest(rough - near, rough + near, true);
    const double top = extreme(a.waistX, 1, true), bottom = extreme(a.waistX, -1, true);
    a.waistDiameter = top - bottom;
    a.waistY = (top + bottom) / 2;
    if (!std::isfinite(a.paraxialFocus) || !std::isfinite(a.marginalFocus) || !std::isfinite(a.waistX) ||
        !std::isfinite(a.waistDiameter))
        return std::nullopt;
    return a;
}

} // namespace lens::waves
