#include "optics/faces.h"

#include <cmath>
#include <utility>

namespace lens::optics {

namespace {

// The roots of a·t² + 2·h·t + c = 0 in increasing order, a tangent (a double root) counting as none.
Meetings roots(double a, double h, double c)
{
    Meetings m;
    if (a == 0) {
        if (h != 0)
            m.t[m.count++] = -c / (2 * h);
        return m;
    }
    const double disc = h * h - a * c;
    if (!(disc > 0))
        return m;
    // The root of the larger size first, the other from the product of the roots, so that neither loses
    // its digits to a difference of nearly equal numbers.
    const double q = -(h + std::copysign(std::sqrt(disc), h));
    double t1 = q / a, t2 = q != 0 ? c / q : -t1;
    if (t1 > t2)
        std::swap(t1, t2);
    m.t = {t1, t2};
    m.count = 2;
    return m;
}

Direction unit(double x, double y)
{
    const double len = std::hypot(x, y);
    return len > 0 ? Direction{x / len, y / len} : Direction{};
}

} // namespace

Meetings meetings(const Face& face, Direction p, Direction d)
{
    if (const auto* c = std::get_if<CircleFace>(&face)) {
        const double ox = p.x - c->xc, oy = p.y - c->yc;
        return roots(d.x * d.x + d.y * d.y, d.x * ox + d.y * oy, ox * ox + oy * oy - c->r * c->r);
    }
    if (const auto* h = std::get_if<HyperbolaFace>(&face)) {
        if (!(h->a > 0) || !(h->b > 0))
            return {};
        // (x − centre)²/a² − y²/b² = 1 along the line, then only the points of the branch asked for.
        const double ia = 1 / (h->a * h->a), ib = 1 / (h->b * h->b);
        const double ox = p.x - h->centre;
        const Meetings both = roots(d.x * d.x * ia - d.y * d.y * ib, d.x * ox * ia - d.y * p.y * ib,
                                    ox * ox * ia - p.y * p.y * ib - 1);
        Meetings onBranch;
        for (std::size_t i = 0; i < both.count; ++i)
            if ((ox + both.t[i] * d.x) * h->side > 0)
                onBranch.t[onBranch.count++] = both.t[i];
        return onBranch;
    }
    const auto& plane = std::get<PlaneFace>(face);
    Meetings m;
    if (d.x != 0)
        m.t[m.count++] = (plane.x - p.x) / d.x;
    return m;
}

Direction normalAt(const Face& face, Direction q)
{
    if (const auto* c = std::get_if<CircleFace>(&face))
        return unit(q.x - c->xc, q.y - c->yc);
    if (const auto* h = std::get_if<HyperbolaFace>(&face))
        return unit((q.x - h->centre) / (h->a * h->a), -q.y / (h->b * h->b));
    return {1, 0};
}

} // namespace lens::optics
