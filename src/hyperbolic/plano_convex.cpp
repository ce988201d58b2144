// Ibn Sahl's plano-convex lens: a hyperbola of eccentricity n from its vertex (a, 0) to the plane face x = 4a.

#include "hyperbolic/lens_parts.h"

#include <cmath>

namespace lens::hyperbolic {

namespace {

using namespace parts;

// The ray leaves the glass at (x, y) along (dirx, diry): stopped by blades standing ahead of it outside the
// opening, or drawn on in green and recorded.
void leaveLens(TracedRay& ray, const SceneInputs& in, double x, double y, double dirx, double diry)
{
    ray.exitx = x;
    ray.exity = y;
    ray.dirx = dirx;
    ray.diry = diry;
    if (stoppedAfterLens(ray, in, x, y, dirx, diry, 4, false))
        return;
    ray.add(x, y, x + 530 * dirx, y + 530 * diry, colours::green);
    ray.end = RayEnd::leftLens;
}

// Slack for points that land on the rim up to rounding.
double slack(const HyperbolicLens& lens) { return 1e-9 * lens.a; }

// The ray came along (ix, iy) and entered through the plane face at (x1, y1) along a line of slope s:
// refract it, find where it meets the curved face and refract it out towards −x.
void throughPlaneFace(TracedRay& ray, const HyperbolicLens& lens, const SceneInputs& in, double ix, double iy,
                      double x1, double y1, double s)
{
    const double a = lens.a, b = lens.b, n = lens.n;
    ray.end = RayEnd::lostInGlass;
    const Refraction into = refractLine(0, std::atan(s), 1 / n);
    if (!into.passes || std::cos(into.psi) == 0)
        return;
    const double mg = std::sin(into.psi) / std::cos(into.psi);
    const double kg = y1 - x1 * mg;

    // The exit lies on the curved face, between the vertex and the plane face. The far crossing is that
    // point unless the line in the glass is steeper than the asymptotes; then it is the near one.
    std::optional<double> x2 = hyperbolalinefar(mg, kg, b, a);
    if (!onLeftFaceSpan(lens, x2))
        x2 = hyperbolalinenear(mg, kg, b, a);
    if (!onLeftFaceSpan(lens, x2))
        return;
    const double X2 = *x2, Y2 = mg * X2 + kg;
    // Light that met the plane face from inside the glass does not enter there.
    if (!crossesForward(ix, iy, X2 - x1, Y2 - y1, 0))
        return;
    ray.add(x1, y1, X2, Y2, colours::cyan);
    const auto normal = branchNormal(lens, X2, Y2);
    if (!normal)
        return;
    addNormal(ray, lens, X2, Y2, *normal);
    const Refraction out = refractLine(normal->angle, std::atan(mg), n);
    if (!out.passes)
        return;
    // The light crossed the lens towards −x.
    const double dirx = -std::cos(out.psi), diry = -std::sin(out.psi);
    if (!crossesForward(X2 - x1, Y2 - y1, dirx, diry, normal->angle))
        return;
    leaveLens(ray, in, X2, Y2, dirx, diry);
}

// The ray came along (ix, iy) and entered through the curved face at (x1, y1) along a line of slope s:
// refract it, carry it to the plane face and refract it out towards +x.
void throughCurvedFace(TracedRay& ray, const HyperbolicLens& lens, const SceneInputs& in, double ix, double iy,
                       double x1, double y1, double s, const FaceNormal& normal)
{
    const double a = lens.a, n = lens.n;
    ray.end = RayEnd::lostInGlass;
    addNormal(ray, lens, x1, y1, normal);
    const Refraction into = refractLine(normal.angle, std::atan(s), 1 / n);
    if (!into.passes || std::cos(into.psi) == 0)
        return;
    const double mg = std::sin(into.psi) / std::cos(into.psi);
    const double kg = y1 - x1 * mg;
    const double X2 = 4 * a, Y2 = mg * 4 * a + kg;
    // A line that reaches x = 4a beyond the rim has left the glass through the curved face again, and
    // light that met the curved face from inside the glass does not enter there.
    if (!(std::fabs(Y2) <= lens.rim + slack(lens)) || !crossesForward(ix, iy, X2 - x1, Y2 - y1, normal.angle))
        return;
    ray.add(x1, y1, X2, Y2, colours::cyan);
    const Refraction out = refractLine(0, std::atan(mg), n);
    if (!out.passes)
        return;
    const double dirx = std::cos(out.psi), diry = std::sin(out.psi);
    if (!crossesForward(X2 - x1, Y2 - y1, dirx, diry, 0))
        return;
    leaveLens(ray, in, X2, Y2, dirx, diry);
}

} // namespace

TracedRay tracePlanoConvexRay(const HyperbolicLens& lens, const SceneInputs& in, double x0, double y0, double s,
                              double k)
{
    TracedRay ray;
    const double a = lens.a, b = lens.b;
    // The line is undirected: whichever face lies nearer the source is where the light meets the lens.
    // The far crossing of the hyperbola is the curved face unless it lies beyond the plane face; then
    // the near crossing is.
    const std::optional<double> far = hyperbolalinefar(s, k, b, a);
    const std::optional<double> near = hyperbolalinenear(s, k, b, a);
    const std::optional<double> face =
        crossingOnFace(far, near, onLeftFaceSpan(lens, far), onLeftFaceSpan(lens, near), x0, y0, s, k);
    const double xh = face.value_or(0.0), yh = s * xh + k;
    const double xp = 4 * a, yp = s * 4 * a + k;
    const bool curvedFirst = pointdistance(x0, y0, xh, yh) < pointdistance(x0, y0, xp, yp);
    const double X1 = curvedFirst ? xh : xp, Y1 = curvedFirst ? yh : yp;

    if (stoppedByDiaphragm(ray, in, x0, y0, s, X1, Y1))
        return ray;
    // Beyond the rim, on the other branch (which is no part of the lens), on the branch beyond the plane
    // face, or through glass of index 1 (no lens at all), the ray passes by. In glass of index barely above
    // 1 the hyperbola is nearly flat, and a line along the axis meets it far beyond the plane face at a
    // height that rounds to within the rim.
    if (!(std::fabs(Y1) <= lens.rim) || (curvedFirst && (X1 < -a || !(X1 <= 4 * a + slack(lens)))) || lens.b == 0) {
        missLens(ray, in, x0, y0, s, X1);
        return ray;
    }
    ray.add(x0, y0, X1, Y1, colours::blue);
    ray.entryx = X1;
    ray.entryy = Y1;
    if (curvedFirst) {
        // An entry inside the vertex (in practice the 0 of a line that missed the hyperbola) has no face
        // slope: the fan ends here.
        const auto normal = branchNormal(lens, X1, Y1);
        if (!normal) {
            ray.end = RayEnd::endsScene;
            return ray;
        }
        throughCurvedFace(ray, lens, in, X1 - x0, Y1 - y0, X1, Y1, s, *normal);
    } else {
        throughPlaneFace(ray, lens, in, X1 - x0, Y1 - y0, X1, Y1, s);
    }
    return ray;
}

TracedRay tracePlanoConvexBeamRay(const HyperbolicLens& lens, const SceneInputs& in, double xs, double ys, double m)
{
    TracedRay ray;
    const double a = lens.a;
    const double X1 = 4 * a, Y1 = ys + (4 * a - xs) * m;
    // Blades standing at the start line (their place at start) lie behind every ray of the beam; blades
    // dragged between the start and the lens, or beyond it, stop the rays they meet outside the opening.
    if (stoppedByDiaphragm(ray, in, xs, ys, m, X1, Y1))
        return ray;
    if (!(std::fabs(Y1) <= lens.rim) || lens.b == 0) {
        missLens(ray, in, xs, ys, m, X1);
        return ray;
    }
    ray.add(xs, ys, X1, Y1, colours::blue);
    ray.entryx = X1;
    ray.entryy = Y1;
    throughPlaneFace(ray, lens, in, X1 - xs, Y1 - ys, X1, Y1, m);
    return ray;
}

void drawsahllens(Surface& surface, HyperbolicScene& scene, double a, double b, double x0, double y0)
{
    scene.clearRayTable();
    scene.caption = "Επιπεδόκυρτος φακός του Ιμπν Σαχλ ";
    const HyperbolicLens lens = lensShape(a, b, scene.in.lensindex);
    if (!lens.usable)
        return;
    drawPlanoConvexOutline(surface, lens, !scene.in.waves.onlyWaves);
    surface.Circle(x0, y0, 1);
    surface.Circle(lens.a, 0, 1);
    if (!std::isfinite(x0) || !std::isfinite(y0))
        return;

    // s runs 0.9, 0.87, ... by repeated addition while s ≥ −0.9: 60 rays, the last at −0.87.
    double s = 0.9;
    traceScene(surface, scene, [&](int j) -> std::optional<SceneRay> {
        if (j > 0)
            s += -0.03;
        if (!(s >= -0.9) || j >= fanCap)
            return std::nullopt;
        return SceneRay{tracePlanoConvexRay(lens, scene.in, x0, y0, s, y0 - s * x0), x0, y0, 0};
    });
}

void sahlparallelbeam(Surface& surface, HyperbolicScene& scene, double a, double b, double m)
{
    scene.clearRayTable();
    scene.clearWavePoints(1, rayTableLast);
    scene.caption = "IBN SAHL'S PLANECONVEX LENS";
    const HyperbolicLens lens = lensShape(a, b, scene.in.lensindex);
    if (!lens.usable)
        return;
    drawPlanoConvexOutline(surface, lens, true);
    surface.Circle(0, 0, 1);
    surface.Circle(lens.a, 0, 1);
    if (!std::isfinite(m))
        return;

    // Rays at heights 100 down to −100, 2 apart, from the line x = 130.
    traceScene(surface, scene, [&](int j) -> std::optional<SceneRay> {
        if (j > 100)
            return std::nullopt;
        const double ys = 100 - 2 * j;
        return SceneRay{tracePlanoConvexBeamRay(lens, scene.in, beamStartX, ys, m), beamStartX, ys,
                        startPath(beamStartX, ys, m)};
    });
}

} // namespace lens::hyperbolic
