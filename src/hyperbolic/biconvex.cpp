// The biconvex lens: the right-hand branch of the hyperbola from (a, 0) to x = 4a, and its mirror image
// about x = 4a (the left-hand branch shifted by 8a) from x = 4a to (7a, 0).

#include "hyperbolic/lens_parts.h"

#include <cmath>

namespace lens::hyperbolic {

namespace {

using namespace parts;

// Normal of the left face at (x, y); empty inside its vertex, where the ray ends.
std::optional<FaceNormal> leftFaceNormal(const HyperbolicLens& lens, double x, double y)
{
    return branchNormal(lens, x, y);
}

// Normal of the right face at (x, y); an entry inside its vertex takes the axis as normal, an exit there ends the ray.
std::optional<FaceNormal> rightFaceNormal(const HyperbolicLens& lens, double x, double y, bool exiting)
{
    const auto normal = branchNormal(lens, x - 8 * lens.a, y);
    if (normal || exiting)
        return normal;
    return FaceNormal{};
}

} // namespace

TracedRay biconvexRayPath(const HyperbolicLens& lens, const SceneInputs& in, double x0, double y0, double s,
                            double k)
{
    TracedRay ray;
    const double a = lens.a, b = lens.b, n = lens.n;

    // Candidate entries on both faces; the one nearer the source is where the light meets the lens. On each
    // face the crossing named first is taken unless only the other one lies on the face.
    const std::optional<double> leftFar = hyperbolalinefar(s, k, b, a);
    const std::optional<double> leftNear = hyperbolalinenear(s, k, b, a);
    const bool leftOn1 = onLeftFaceSpan(lens, leftFar), leftOn2 = onLeftFaceSpan(lens, leftNear);
    const std::optional<double> left = crossingOnFace(leftFar, leftNear, leftOn1, leftOn2, x0, y0, s, k);
    // The right face is the left-hand branch about (8a, 0): in its own x the line is y = s·x + (k + 8a·s).
    const auto shifted = [&](std::optional<double> x) { return x ? std::optional<double>(*x + 8 * a) : x; };
    const std::optional<double> rightNear = shifted(hyperbolalinenear(s, k + 8 * a * s, b, a));
    const std::optional<double> rightFar = shifted(hyperbolalinefar(s, k + 8 * a * s, b, a));
    const bool rightOn1 = onRightFaceSpan(lens, rightNear), rightOn2 = onRightFaceSpan(lens, rightFar);
    const std::optional<double> right = crossingOnFace(rightNear, rightFar, rightOn1, rightOn2, x0, y0, s, k);
    const double x1 = left.value_or(0.0), y1 = s * x1 + k;
    const double x2 = right.value_or(8 * a), y2 = s * x2 + k;
    const bool leftFirst = pointdistance(x0, y0, x1, y1) < pointdistance(x0, y0, x2, y2);
    const double X1 = leftFirst ? x1 : x2, Y1 = leftFirst ? y1 : y2;

    if (stoppedByDiaphragm(ray, in, x0, y0, s, X1, Y1))
        return ray;
    // A candidate from a line that missed its hyperbola, or off the face, is no entry point: the ray passes
    // by, as it does beyond the rim or through glass of index 1.
    const bool onFace = leftFirst ? (leftOn1 || leftOn2) : (rightOn1 || rightOn2);
    if (!onFace || !(std::fabs(Y1) <= lens.rim) || b == 0) {
        missLens(ray, in, x0, y0, s, X1);
        return ray;
    }
    ray.add(x0, y0, X1, Y1, colours::blue);
    ray.entryx = X1;
    ray.entryy = Y1;

    const auto entryNormal = leftFirst ? leftFaceNormal(lens, X1, Y1) : rightFaceNormal(lens, X1, Y1, false);
    if (!entryNormal) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    addNormal(ray, lens, X1, Y1, *entryNormal);
    const Refraction into = refractLine(entryNormal->angle, std::atan(s), 1 / n);
    if (!into.passes || std::cos(into.psi) == 0) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    const double mg = std::sin(into.psi) / std::cos(into.psi);
    const double kg = Y1 - X1 * mg;

    // The exit lies on the other face. The crossing named first is it unless the line in the glass is
    // steeper than the asymptotes; then it is the other crossing of the same branch.
    std::optional<double> exitX;
    if (leftFirst) {
        exitX = shifted(hyperbolalinenear(mg, kg + 8 * a * mg, b, a));
        if (!onRightFaceSpan(lens, exitX))
            exitX = shifted(hyperbolalinefar(mg, kg + 8 * a * mg, b, a));
        if (!onRightFaceSpan(lens, exitX))
            exitX.reset();
    } else {
        exitX = hyperbolalinefar(mg, kg, b, a);
        if (!onLeftFaceSpan(lens, exitX))
            exitX = hyperbolalinenear(mg, kg, b, a);
        if (!onLeftFaceSpan(lens, exitX))
            exitX.reset();
    }
    // A line that meets the other face nowhere on its span (a steep chord in weak glass meets the entry face
    // again) has no exit this lens can draw: the ray ends in the glass.
    if (!exitX) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    const double X2 = *exitX, Y2 = mg * X2 + kg;
    // Light that met the face from inside the glass, or whose exit lies behind it, does not cross the lens.
    if (!crossesForward(X1 - x0, Y1 - y0, X2 - X1, Y2 - Y1, entryNormal->angle)) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    ray.add(X1, Y1, X2, Y2, colours::cyan);
    const auto exitNormal = leftFirst ? rightFaceNormal(lens, X2, Y2, true) : leftFaceNormal(lens, X2, Y2);
    if (!exitNormal) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    addNormal(ray, lens, X2, Y2, *exitNormal);
    const Refraction out = refractLine(exitNormal->angle, std::atan(mg), n);
    if (!out.passes || std::cos(out.psi) == 0) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    // Out of the right face the light goes on towards +x, out of the left face towards −x.
    const double travel = leftFirst ? 1.0 : -1.0;
    const double dirx = travel * std::cos(out.psi), diry = travel * std::sin(out.psi);
    if (!crossesForward(X2 - X1, Y2 - Y1, dirx, diry, exitNormal->angle)) {
        ray.end = RayEnd::lostInGlass;
        return ray;
    }
    ray.exitx = X2;
    ray.exity = Y2;
    ray.dirx = dirx;
    ray.diry = diry;

    // Blades beyond the exit point, on the way the light goes: a wide dot in the fore colour marks the stop.
    if (stoppedAfterLens(ray, in, X2, Y2, dirx, diry, 5, true))
        return ray;
    ray.add(X2, Y2, X2 + 130 * dirx, Y2 + 130 * diry, colours::green);
    ray.end = RayEnd::leftLens;
    return ray;
}

void tracebiconvexray(Surface& surface, HyperbolicScene& scene, double a, double b, double x0, double y0, double s,
                      double k)
{
    const HyperbolicLens lens = lensShape(a, b, scene.in.lensindex);
    if (!lens.usable)
        return;
    const TracedRay ray = biconvexRayPath(lens, scene.in, x0, y0, s, k);
    drawTracedRay(surface, scene.in, ray);
    if (writeRayRow(scene, ray, x0, y0))
        scene.rayrecorded = true;
}

namespace {

// The fan's or the beam's rays through the biconvex lens, each ray of slope s from (x0, y0).
SceneRay biconvexSceneRay(const HyperbolicLens& lens, const SceneInputs& in, double x0, double y0, double s, double path)
{
    return {biconvexRayPath(lens, in, x0, y0, s, y0 - s * x0), x0, y0, path};
}

} // namespace

void drawbiconvexlens(Surface& surface, HyperbolicScene& scene, double a, double b, double x0, double y0)
{
    scene.clearRayTable();
    scene.caption = "Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές";
    const HyperbolicLens lens = lensShape(a, b, scene.in.lensindex);
    if (!lens.usable)
        return;
    drawBiconvexOutline(surface, lens, !scene.in.waves.onlyWaves);
    surface.Circle(x0, y0, 1);
    if (!std::isfinite(x0) || !std::isfinite(y0))
        return;

    // s runs 0.9, 0.86, ... by repeated addition while s ≥ −0.9: 45 rays, the last at −0.86.
    double s = 0.9;
    traceScene(
        surface, scene,
        [&](int j) -> std::optional<SceneRay> {
            if (j > 0)
                s += -0.04;
            if (!(s >= -0.9) || j >= fanCap)
                return std::nullopt;
            return biconvexSceneRay(lens, scene.in, x0, y0, s, 0);
        },
        [&](int) {
            if (scene.raycount <= biconvexSlopeLast)
                scene.biconvexslope[static_cast<std::size_t>(scene.raycount)] = static_cast<float>(s);
        });
}

void biconvexparallelbeam(Surface& surface, HyperbolicScene& scene, double a, double b, double m)
{
    scene.clearRayTable();
    scene.caption = "Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές";
    const HyperbolicLens lens = lensShape(a, b, scene.in.lensindex);
    if (!lens.usable)
        return;
    drawBiconvexOutline(surface, lens, true);
    surface.Circle(0, 0, 1);
    if (!std::isfinite(m))
        return;

    // Rays at heights 100 down to −100, 1 apart, from the line x = 130.
    traceScene(surface, scene, [&](int j) -> std::optional<SceneRay> {
        if (j > 200)
            return std::nullopt;
        const double ys = 100 - j;
        return biconvexSceneRay(lens, scene.in, beamStartX, ys, m, startPath(beamStartX, ys, m));
    });
}

} // namespace lens::hyperbolic
