// The thick lens in numbers and the spherical aberration measured from traced rays.

#include "waves/lens_numbers.h"

#include "surface/number_text.h"
#include "waves/cardinal_points.h"
#include "waves/point_fan.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace lens::waves {

using namespace spherical;

namespace {

constexpr double paraxialHeight = 0.4; // the height of the ray that stands for the paraxial rays

// A ray that has crossed both faces and runs on to the edge of the view: where its last leg starts and
// which way it goes. None for a ray stopped by a blade, lost to total internal reflection, or missing the lens.
struct Leaving { double x, y, dx, dy, entryY; };
std::optional<Leaving> leaving(const RayPath& path)
{
    int refractions = 0;
    double entryY = 0;
    for (int i = 0; i < path.count; ++i) {
        const RayLeg& leg = path.legs[std::size_t(i)];
        if (leg.totalReflection || leg.end == LegEnd::blade)
            return std::nullopt;
        if (leg.end == LegEnd::lens && leg.circle != 0 && refractions++ == 0)
            entryY = leg.y2;
    }
    if (path.count < 1 || refractions < 2)
        return std::nullopt;
    const RayLeg& last = path.legs[std::size_t(path.count - 1)];
    if (last.end != LegEnd::viewEdge)
        return std::nullopt;
    return Leaving{last.x1, last.y1, last.dx, last.dy, entryY};
}

// Where the line of a leaving ray crosses the axis; none for a ray that runs along it or parallel to it.
std::optional<double> axisCrossing(const Leaving& r)
{
    if (r.dy == 0 || r.y == 0)
        return std::nullopt;
    const double x = r.x - r.y * r.dx / r.dy;
    return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

// The measurements from the leaving rays (with their heights) and the paraxial probe's crossing.
std::optional<Aberration> measure(const std::vector<std::pair<double, Leaving>>& rays, std::optional<double> paraxial)
{
    Aberration a;
    for (const auto& [h, r] : rays)
        if (const auto x = axisCrossing(r); x && h != 0)
            a.rays.push_back({h, *x});
    if (!paraxial || a.rays.empty())
        return std::nullopt;
    std::sort(a.rays.begin(), a.rays.end(), [](const AxisCrossing& p, const AxisCrossing& q) { return p.h > q.h; });
    const auto outermost = std::max_element(a.rays.begin(), a.rays.end(), [](const AxisCrossing& p, const AxisCrossing& q) {
        return std::fabs(p.h) < std::fabs(q.h) || (std::fabs(p.h) == std::fabs(q.h) && p.h < q.h);
    });
    a.paraxialFocus = *paraxial;
    a.marginalFocus = outermost->x;
    a.marginalHeight = outermost->h;
    a.lsa = a.paraxialFocus - a.marginalFocus;

    // The bundle's width across the axis is convex in x (the highest line less the lowest): its narrowest
    // place is found by narrowing an interval about the foci.
    auto width = [&](double x) {
        double top = -INFINITY, bottom = INFINITY;
        for (const auto& pair : rays) {
            const Leaving& r = pair.second;
            if (r.dx == 0)
                continue;
            const double y = r.y + (x - r.x) * r.dy / r.dx;
            top = std::max(top, y), bottom = std::min(bottom, y);
        }
        return top - bottom;
    };
    double lo = std::min(a.paraxialFocus, a.marginalFocus), hi = std::max(a.paraxialFocus, a.marginalFocus);
    const double reach = std::max(hi - lo, 1.0);
    lo -= reach, hi += reach;
    for (int i = 0; i < 200; ++i) {
        const double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        if (width(m1) < width(m2))
            hi = m2;
        else
            lo = m1;
    }
    a.waistX = (lo + hi) / 2;
    a.waistDiameter = width(a.waistX);
    return a;
}

} // namespace

std::string numberText(const NumberLine& line, bool blank)
{
    std::string value = "—";
    if (blank) {
        value = "________";
    } else if (line.value && std::isfinite(*line.value)) {
        value = fixedText(*line.value, 2);
    }
    return line.label + ": " + line.name + " = " + value;
}

std::vector<NumberLine> lensNumbers(const LensState& lens, double n, std::optional<std::pair<double, double>> source)
{
    const CardinalPoints p = cardinalpointsof(lens, n);
    std::vector<NumberLine> lines = {{"Δείκτης διάθλασης / index of refraction", "n", n}};
    for (const auto& [name, centre, radius] : {std::tuple{"A", lens.xcentreA, lens.radiusA},
                                               std::tuple{"B", lens.xcentreB, lens.radiusB}}) {
        lines.push_back({std::string("Κέντρο κύκλου ") + name + " / centre of circle " + name, std::string("x") + name, centre});
        lines.push_back({std::string("Ακτίνα κύκλου ") + name + " / radius of circle " + name, std::string("r") + name, radius});
    }
    lines.push_back({"Πάχος / thickness", "d", p.d});
    lines.push_back({"Εστιακή απόσταση / focal length", "f", p.f});
    // The pairs of cardinal points, left (1) and right (2).
    struct Pair { const char *greek, *english, *name; std::optional<double> first, second; };
    for (const Pair& pair : {Pair{"Εστία", "focal point", "F", p.F1, p.F2}, Pair{"Κύριο σημείο", "principal point", "H", p.H1, p.H2},
                             Pair{"Κομβικό σημείο", "nodal point", "N", p.N1, p.N2}})
        for (const auto& [which, value] : {std::pair{"1", pair.first}, std::pair{"2", pair.second}})
            lines.push_back({std::string(pair.greek) + " " + which + " / " + pair.english + " " + which,
                             std::string(pair.name) + which, value});
    if (source) {
        const auto image = thickimage(p, source->first, source->second);
        lines.push_back({"Είδωλο / image", "image", image ? std::optional<double>(image->x) : std::nullopt});
        lines.push_back({"Μεγέθυνση / magnification", "m", image ? std::optional<double>(image->m) : std::nullopt});
    }
    return lines;
}

std::optional<Aberration> beamAberration(const Surface& view, const Diaphragm& diaphragm, const LensState& lens,
                                         double n, int desmi1)
{
    if (desmi1 < 1)
        return std::nullopt;
    const int intervals = std::min(desmi1, 4000);
    auto trace = [&](double h) {
        return leaving(traceRay(view, diaphragm, -200, h, 1, 0, lens.xcentreA, lens.xcentreB, lens.radiusA,
                                lens.radiusB, n));
    };
    std::vector<std::pair<double, Leaving>> rays;
    for (int k = 0; k <= intervals; ++k) {
        const double h = 200 - k * (400.0 / intervals);
        if (const auto r = trace(h))
            rays.push_back({h, *r});
    }
    // A ray a thousandth of the beam's width (400 units) off the axis stands for the paraxial rays.
    std::optional<double> paraxial;
    if (const auto probe = trace(paraxialHeight))
        paraxial = axisCrossing(*probe);
    return measure(rays, paraxial);
}

std::optional<Aberration> fanAberration(const Surface& view, const Diaphragm& diaphragm, const LensState& lens,
                                        double n, double xs, double ys, double raystep)
{
    if (std::fabs(ys) > 1 || !(raystep > 0) || !std::isfinite(xs))
        return std::nullopt; // the axis crossings measure the aberration of a source on the axis only
    const double pi = std::numbers::pi;
    const double towards = xs < (lens.xcentreB - lens.radiusB + lens.xcentreA + lens.radiusA) / 2 ? 0 : pi;
    auto trace = [&](double angle) {
        return leaving(traceRay(view, diaphragm, xs, ys, std::cos(angle), std::sin(angle), lens.xcentreA,
                                lens.xcentreB, lens.radiusA, lens.radiusB, n));
    };
    std::vector<std::pair<double, Leaving>> rays;
    const int count = fanRayCount(raystep);
    for (int j = 0; j < count; ++j)
        if (const auto r = trace(pi * (-180 + j * raystep) / 180))
            rays.push_back({r->entryY, *r});
    // The paraxial probe meets the lens as far off the axis as the beam's.
    const double toLens = std::max(std::fabs(xs - (lens.xcentreB - lens.radiusB)), 1.0);
    std::optional<double> paraxial;
    if (const auto probe = trace(towards + paraxialHeight / toLens))
        paraxial = axisCrossing(*probe);
    return measure(rays, paraxial);
}

std::vector<NumberLine> aberrationNumbers(const Aberration& a)
{
    return {
        {"Παραξονική εστία / paraxial focus", "paraxial focus", a.paraxialFocus},
        {"Οριακή εστία / marginal focus", "marginal focus", a.marginalFocus},
        {"Διαμήκης σφαιρική εκτροπή / longitudinal spherical aberration", "LSA", a.lsa},
        {"Κύκλος ελάχιστης σύγχυσης / circle of least confusion", "waist x", a.waistX},
        {"Κύκλος ελάχιστης σύγχυσης / circle of least confusion", "waist diameter", a.waistDiameter},
    };
}

} // namespace lens::waves
