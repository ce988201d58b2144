// Distances, arcsine, focal length, intersections, view exits and refraction at a circle.

#include "spherical/spherical_lens.h"

#include "optics/points.h"
#include "optics/snell.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace lens::spherical {

namespace {

bool finite(double v) { return std::isfinite(v); }

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!finite(v))
            return false;
    return true;
}

// Whether v is finite and fits in single precision, where the records keep it.
bool fitsSingle(double v) { return std::fabs(v) <= std::numeric_limits<float>::max(); }

// v in single precision; beyond its range an infinity of the same sign (a plain cast would be undefined).
float single(double v)
{
    if (std::isnan(v))
        return std::numeric_limits<float>::quiet_NaN();
    if (!fitsSingle(v))
        return v > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

} // namespace

LensState lensFrom(const BenchControls& c)
{
    return {double(c.kentrokykloy2), double(c.aktina1), double(c.kentrokykloy), double(c.aktina2),
            c.deiktisdiathlasis / 100.0};
}

bool strictlyInView(const Surface& surface, double x, double y)
{
    const double xL = surface.ScaleLeft(), xR = xL + surface.ScaleWidth();
    const double yT = surface.ScaleTop(), yB = yT + surface.ScaleHeight();
    return std::fmin(xL, xR) < x && x < std::fmax(xL, xR) && std::fmin(yT, yB) < y && y < std::fmax(yT, yB);
}

bool insideLens(double x, double y, const LensState& lens)
{
    return apostasi(x, y, lens.xcentreA, 0) < lens.radiusA && apostasi(x, y, lens.xcentreB, 0) < lens.radiusB;
}

double apostasi(double x1, double y1, double x2, double y2) { return optics::distance(x1, y1, x2, y2); }

std::optional<double> toxoimitono(double s) { return optics::arcsine(s); }

int prosimo(double v)
{
    if (v > 0)
        return 1;
    if (v < 0)
        return -1;
    return 0;
}

std::optional<double> estiakiapostasi(double rA, double rB, double n)
{
    if (rA == 0 || rB == 0)
        return std::nullopt;
    const double power = (n - 1.0) * (1.0 / rA + 1.0 / rB);
    if (power == 0 || !finite(power))
        return std::nullopt;
    const double f = 1.0 / power;
    if (!finite(f))
        return std::nullopt;
    return f;
}

SimeiaTomis tomikyklon(double xA, double xB, double rA, double rB)
{
    SimeiaTomis r;
    if (!allFinite({xA, xB, rA, rB}))
        return r;
    const double d = xB - xA;
    if (d == 0)
        return r;
    const double a = 0.5 * (d + (rA * rA - rB * rB) / d);
    const double h2 = rA * rA - a * a;
    if (!(h2 >= 0) || !finite(a))
        return r;
    const double x = xA + a;
    const double y = std::sqrt(h2);
    return {x, y, x, -y, true};
}

SimeiaTomis tomikyklonschetiki(double d, double r1, double r2)
{
    SimeiaTomis r;
    if (d == 0 || !allFinite({d, r1, r2}))
        return r; // concentric circles: no points, and no division by d
    const double d2 = d * d, s1 = r1 * r1, s2 = r2 * r2;
    // Sixteen times the squared area of the triangle of sides d, r1, r2.
    const double q = -d2 * d2 + 2 * d2 * (s1 + s2) - s2 * s2 - s1 * s1 + 2 * s1 * s2;
    if (!(q >= 0))
        return r;
    const double a = (d2 + s1 - s2) / (2 * d);
    const double h = std::sqrt(q) / (2 * d);
    if (!finite(a) || !finite(h))
        return r;
    return {a, h, a, -h, true};
}

SimeiaTomis tomieytheiaskyklou(double xc, double yc, double R, double dx, double dy, double x0, double y0)
{
    SimeiaTomis r;
    if (!allFinite({xc, yc, R, dx, dy, x0, y0}))
        return r;
    if (dx == 0) {
        const double h = R * R - (x0 - xc) * (x0 - xc);
        if (!(h > 0))
            return r;
        r = {x0, yc + std::sqrt(h), x0, yc - std::sqrt(h), false};
        if (!allFinite({r.y1, r.y2}))
            return {}; // a circle too large for its points to be numbers
        r.yparxei = !(apostasi(r.x1, r.y1, xc, yc) > R || apostasi(r.x2, r.y2, xc, yc) > R);
        return r;
    }
    // The line in parametric form about its nearest point to the centre. The slope form y = m·x + c loses
    // every digit for a nearly vertical ray (a beam at 90° has dx ≈ 6e-17), this form loses none.
    const double len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    const double wx = x0 - xc, wy = y0 - yc;
    const double along = wx * ux + wy * uy;
    const double across = wx * uy - wy * ux; // signed distance of the line from the centre
    const double disc = R * R - across * across;
    if (!(disc > 0)) // a tangent counts as a miss
        return {x0, y0, x0, y0, false};
    const double half = std::sqrt(disc);
    const double fx = x0 - along * ux, fy = y0 - along * uy;
    // The point of larger x first, as the root with +Sqr of the quadratic in x.
    const double s = ux > 0 ? half : -half;
    r = {fx + s * ux, fy + s * uy, fx - s * ux, fy - s * uy, false};
    if (!allFinite({r.x1, r.y1, r.x2, r.y2}))
        return {x0, y0, x0, y0, false}; // a circle too large for its points to be numbers
    r.yparxei = !(apostasi(r.x1, r.y1, xc, yc) > 1.00005 * R || apostasi(r.x2, r.y2, xc, yc) > 1.000005 * R);
    return r;
}

Monadiaio monadiaio(double x1, double y1, double x2, double y2, double len)
{
    if (len == 0)
        return {};
    const double ux = (x1 - x2) / len, uy = (y1 - y2) / len;
    if (!fitsSingle(ux) || !fitsSingle(uy))
        return {};
    return {static_cast<float>(ux), static_cast<float>(uy)};
}

std::optional<double> gonia(double ax, double ay, double bx, double by)
{
    const double la = std::sqrt(ax * ax + ay * ay);
    const double lb = std::sqrt(bx * bx + by * by);
    const double norm = la * lb;
    if (norm == 0 || !finite(norm))
        return std::nullopt;
    return toxoimitono((ax * bx + ay * by) / norm);
}

double schetikosdeiktis(double dx, double dy, double x, double y, double xc, double yc, double R, double n)
{
    const Monadiaio normal = monadiaio(x, y, xc, yc, R);
    if (normal.ux * dx + normal.uy * dy < 0)
        return n; // going into the disc
    return n == 0 ? 0.0 : 1.0 / n;
}

Diathlasi diathlasi(double dx, double dy, double x, double y, double xc, double yc, double R, double n)
{
    if (R == 0 || !allFinite({dx, dy, x, y, xc, yc, R, n}))
        return {};
    const double tx = (y - yc) / R, ty = -(x - xc) / R;
    const double nx = (x - xc) / R, ny = (y - yc) / R;
    const double pt = dx * tx + dy * ty;
    const double pn = dx * nx + dy * ny;
    const std::optional<double> a1 = gonia(dx, dy, tx, ty);
    const double q = schetikosdeiktis(dx, dy, x, y, xc, yc, R, n);
    if (!a1 || q == 0 || !finite(q))
        return {}; // no direction, or no index to refract by
    // Snell's law with the index the light leaves over the one it enters, 1 / q.
    const std::optional<double> refracted = optics::refractedAngle(*a1, 1 / q);
    if (!refracted)
        return {}; // total internal reflection
    const double a2 = *refracted;
    const double st = prosimo(pt) * std::fabs(std::sin(a2));
    const double sn = prosimo(pn) * std::fabs(std::cos(a2));
    const double ox = st * tx + sn * nx, oy = st * ty + sn * ny;
    // A direction the record cannot hold (a point so far from the centre that the tangent overflows single
    // precision) is no refraction.
    if (!fitsSingle(ox) || !fitsSingle(oy))
        return {};
    return {static_cast<float>(ox), static_cast<float>(oy), true};
}

Simeio akriothonis(const Surface& surface, double x0, double y0, double dx, double dy)
{
    const double xL = surface.ScaleLeft(), xR = surface.ScaleLeft() + surface.ScaleWidth();
    const double yT = surface.ScaleTop(), yB = surface.ScaleTop() + surface.ScaleHeight();
    const Simeio start{single(x0), single(y0)};
    if (!allFinite({x0, y0, dx, dy}))
        return start;

    double px = x0, py = y0;
    if (dx != 0 && dy != 0) {
        const double sideX = dx > 0 ? xR : xL;
        const double edgeY = dy > 0 ? yT : yB;
        // Products before quotients, so a start on an edge gives 0 and never 0·∞.
        const double ax = sideX, ay = y0 + (sideX - x0) * dy / dx;
        const double bx = x0 + (edgeY - y0) * dx / dy, by = edgeY;
        px = ax, py = ay;
        if (apostasi(ax, ay, x0, y0) > apostasi(bx, by, x0, y0))
            px = bx, py = by; // a tie keeps the side edge
    } else if (dx == 0 && dy != 0) {
        py = dy > 0 ? yT : yB;
    } else if (dy == 0 && dx != 0) {
        px = dx > 0 ? xR : xL;
    }
    const Simeio exit{single(px), single(py)};
    if (!std::isfinite(exit.x) || !std::isfinite(exit.y))
        return start;
    return exit;
}

Perasma perasma(double xe, double ytop, double ybot, double x0, double y0, double dx, double dy)
{
    const Perasma inside{single(x0), single(y0), false};
    if (dx == 0) {
        if (y0 > ytop || y0 < ybot)
            return {single(xe), single(y0), true};
        return inside;
    }
    const double yat = y0 + dy * (xe - x0) / dx;
    if (!std::isfinite(single(yat)))
        return inside; // the crossing lies beyond any coordinate we can draw: the ray never gets there
    if (yat > ytop || yat < ybot)
        return {single(xe), single(yat), true};
    return inside;
}

} // namespace lens::spherical
