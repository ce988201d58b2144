#include "hyperbolic/lens_parts.h"

#include "optics/ray_path.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace lens::hyperbolic {

void TracedRay::add(double x1, double y1, double x2, double y2, Rgb colour)
{
    // A line with a non-finite end is never part of the picture.
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (segmentCount >= static_cast<int>(segments.size()))
        return;
    segments[static_cast<std::size_t>(segmentCount++)] = RaySegment{x1, y1, x2, y2, colour};
}

void TracedRay::stopAt(RayEnd why, double x, double y, int dotWidth, bool inForeColor)
{
    end = why;
    hasStopDot = std::isfinite(x) && std::isfinite(y);
    if (!hasStopDot)
        return;
    stopx = x;
    stopy = y;
    stopWidth = dotWidth;
    stopInForeColor = inForeColor;
    stopDotAt = segmentCount;
}

namespace parts {

namespace {
// The outline loops step x by a/50 from the vertex to 4a: 150 points. The cap only guards against
// a step that rounds to nothing.
constexpr int outlinePointCap = 1000;
// Relative distance from the vertex within which a point counts as the vertex itself.
constexpr double vertexSlack = 1e-9;
// Relative slack for a point on the end of a face's span.
constexpr double faceSlack = 1e-9;

double halfHeight(const HyperbolicLens& lens, double x)
{
    const double under = x * x / (lens.a * lens.a) - 1;
    return under > 0 ? lens.b * std::sqrt(under) : 0.0;
}

// Where the construction line at height yj meets the curved face.
double faceXAtHeight(const HyperbolicLens& lens, double yj)
{
    return lens.b > 0 ? lens.a * std::sqrt(1 + yj * yj / (lens.b * lens.b)) : lens.a;
}
} // namespace

double glassIndex(const SceneInputs& in) { return std::isfinite(in.lensindex) && in.lensindex > 0 ? in.lensindex : 1.0; }

double sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }

int recordedRows(const HyperbolicScene& scene) { return std::clamp(scene.raycount, 0, rayTableLast + 1); }

double drawLeftFace(Surface& surface, const HyperbolicLens& lens)
{
    const double a = lens.a;
    const double step = a / 50;
    double upperX = a, upperY = 0, lowerX = a, lowerY = 0;
    double y = 0;
    int points = 0;
    for (double x = a; x <= 4 * a && points < outlinePointCap; x += step, ++points) {
        y = halfHeight(lens, x);
        surface.Line(x, y, upperX, upperY, colours::red);
        surface.Line(x, -y, lowerX, lowerY, colours::red);
        upperX = lowerX = x;
        upperY = y;
        lowerY = -y;
    }
    return y;
}

double drawRightFace(Surface& surface, const HyperbolicLens& lens)
{
    const double a = lens.a;
    const double step = -a / 50;
    double upperX = 7 * a, upperY = 0, lowerX = 7 * a, lowerY = 0;
    double y = 0;
    int points = 0;
    for (double x = -a; x >= -4 * a && points < outlinePointCap; x += step, ++points) {
        y = halfHeight(lens, x);
        surface.Line(x + 8 * a, y, upperX, upperY, colours::red);
        surface.Line(x + 8 * a, -y, lowerX, lowerY, colours::red);
        upperX = lowerX = x + 8 * a;
        upperY = y;
        lowerY = -y;
    }
    return y;
}

// The construction lines run at the nine heights j·h, j = −4 … 4; draw gets the left face's x there.
template <typename Draw>
void atConstructionHeights(const HyperbolicLens& lens, double h, Draw draw)
{
    for (int j = -4; j <= 4; ++j)
        draw(faceXAtHeight(lens, j * h), j * h);
}

void drawPlanoConvexOutline(Surface& surface, const HyperbolicLens& lens, bool constructionLines)
{
    const double a = lens.a;
    surface.DrawWidth = 3;
    const double y = drawLeftFace(surface, lens);
    // The plane face stands at 4a, a little right of the curve's last point.
    surface.Line(4 * a, y, 4 * a, -y, colours::red);
    const double h = std::fabs(y - (-y)) / 10;
    surface.DrawWidth = 1;
    if (!constructionLines)
        return;
    // Horizontal lines meet the curved face and go on to the far focus: the lens's focusing property.
    atConstructionHeights(lens, h, [&](double xj, double yj) {
        surface.Line(10 * a, yj, xj, yj);
        surface.Line(xj, yj, -lens.c, 0);
    });
}

void drawBiconvexOutline(Surface& surface, const HyperbolicLens& lens, bool constructionLines)
{
    const double a = lens.a;
    surface.DrawWidth = 3;
    drawLeftFace(surface, lens);
    const double y = drawRightFace(surface, lens);
    const double h = 2 * y / 10;
    surface.DrawWidth = 1;
    if (!constructionLines)
        return;
    atConstructionHeights(lens, h, [&](double xj, double yj) {
        surface.Line(xj, yj, -lens.c, 0);
        surface.Line(8 * a - xj, yj, 8 * a + lens.c, 0);
        surface.Line(xj, yj, 8 * a - xj, yj);
    });
}

} // namespace parts

void markfoci(Surface& surface, double a, double b, double n, bool biconvex)
{
    const HyperbolicLens lens = lensShape(a, b, n);
    if (!lens.usable || !(lens.b > 0))
        return;
    constexpr Rgb colour = RGB(55, 0, 0);
    const int width = surface.DrawWidth, fill = surface.FillStyle;
    const Rgb fillColour = surface.FillColor, fore = surface.ForeColor;
    // A few pixels on the screen, in its units, growing with the text of the projector view.
    const double radius = surface.ScaleWidth() / 200 * std::clamp(surface.TextScale, 1, 8);
    surface.DrawWidth = 1;
    surface.FillStyle = solidFill;
    surface.FillColor = colour;
    surface.ForeColor = colour;
    for (const double x : {-lens.c, 8 * lens.a + lens.c}) {
        surface.Circle(x, 0, std::fabs(radius), colour);
        surface.CurrentX = x + std::fabs(radius);
        surface.CurrentY = -std::fabs(radius);
        surface.Print("F");
        if (!biconvex)
            break;
    }
    surface.DrawWidth = width;
    surface.FillStyle = fill;
    surface.FillColor = fillColour;
    surface.ForeColor = fore;
}

namespace parts {

std::optional<FaceNormal> branchNormal(const HyperbolicLens& lens, double x, double y)
{
    const double a = lens.a;
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    // In units of a, so that a point far out on the branch (up to ±DBL_MAX) does not overflow.
    const double u = x / a;
    const double under = u * u - 1;
    if (!(under > 0)) {
        // A ray that grazes the vertex lands there only up to rounding; the face is upright at the
        // vertex and its normal is the axis. A point truly inside the vertex has no normal.
        if (std::fabs(x) >= a * (1 - vertexSlack))
            return FaceNormal{};
        return std::nullopt;
    }
    // mt = b·x / (a²·√(x²/a² − 1)) = (b/a)·u/√(u² − 1), which tends to ±b/a far out, where u² overflows.
    double mt = std::isfinite(under) ? (lens.b / a) * (u / std::sqrt(under)) : (lens.b / a) * (u > 0 ? 1 : -1);
    if (!(y > 0))
        mt = -mt;
    FaceNormal normal;
    if (mt == 0) {
        // A flat face (no glass) has a vertical normal; it has no slope to draw.
        normal.angle = std::numbers::pi / 2;
        normal.slope = std::numeric_limits<double>::infinity();
        return normal;
    }
    normal.slope = -1 / mt;
    normal.angle = std::atan(normal.slope);
    return normal;
}

void addNormal(TracedRay& ray, const HyperbolicLens& lens, double x, double y, const FaceNormal& normal)
{
    const double dx = 25 * lens.normalStep;
    ray.add(x, y, x + dx, y + normal.slope * dx, colours::red);
    ray.add(x, y, x - dx, y - normal.slope * dx, colours::red);
}

bool onLeftFaceSpan(const HyperbolicLens& lens, std::optional<double> x)
{
    const double slack = faceSlack * lens.a;
    return x && *x >= lens.a - slack && *x <= 4 * lens.a + slack;
}

bool onRightFaceSpan(const HyperbolicLens& lens, std::optional<double> x)
{
    const double slack = faceSlack * lens.a;
    return x && *x >= 4 * lens.a - slack && *x <= 7 * lens.a + slack;
}

std::optional<double> crossingOnFace(std::optional<double> first, std::optional<double> second, bool onFace1,
                                     bool onFace2, double x0, double y0, double s, double k)
{
    if (onFace1 && onFace2) {
        const double d1 = pointdistance(x0, y0, *first, s * *first + k);
        const double d2 = pointdistance(x0, y0, *second, s * *second + k);
        return d1 <= d2 ? first : second;
    }
    if (onFace2)
        return second;
    return first;
}

bool crossesForward(double dx1, double dy1, double dx2, double dy2, double normalAngle)
{
    const double nx = std::cos(normalAngle), ny = std::sin(normalAngle);
    return (dx1 * nx + dy1 * ny) * (dx2 * nx + dy2 * ny) > 0;
}

namespace {
// Where a line of slope s from (x0, y0) meets the blades' vertical, when that lies outside the opening.
std::optional<double> closedBladeHeight(const SceneInputs& in, double x0, double y0, double s)
{
    const double yd = s * (in.diaphragm.x - x0) + y0;
    if (yd > in.diaphragm.upperTip || yd < in.diaphragm.lowerTip)
        return yd;
    return std::nullopt;
}
} // namespace

bool stoppedByDiaphragm(TracedRay& ray, const SceneInputs& in, double x0, double y0, double s, double x1, double y1)
{
    const double xd = in.diaphragm.x;
    // Only blades on the side of the source where the ray meets the lens can stop it.
    if (sign(x1 - x0) != sign(xd - x0))
        return false;
    const double yd = s * (xd - x0) + y0;
    if (!(pointdistance(x0, y0, x1, y1) >= pointdistance(x0, y0, xd, yd)))
        return false;
    if (!closedBladeHeight(in, x0, y0, s))
        return false;
    ray.stopAt(RayEnd::stoppedBeforeLens, xd, yd, 4, false);
    ray.add(x0, y0, xd, yd, colours::magenta);
    return true;
}

bool stoppedAfterLens(TracedRay& ray, const SceneInputs& in, double xe, double ye, double dx, double dy, int dotWidth,
                      bool dotInForeColor)
{
    const double xd = in.diaphragm.x;
    // The blades stand ahead only on the side the light now travels to; light along them never crosses them.
    if (dx == 0 || sign(xd - xe) != sign(dx))
        return false;
    const std::optional<double> yd = closedBladeHeight(in, xe, ye, dy / dx);
    if (!yd)
        return false;
    ray.stopAt(RayEnd::stoppedAfterLens, xd, *yd, dotWidth, dotInForeColor);
    ray.add(xe, ye, xd, *yd, colours::magenta);
    return true;
}

void missLens(TracedRay& ray, const SceneInputs& in, double x0, double y0, double s, double x1)
{
    ray.end = RayEnd::missedLens;
    const double xFar = x0 + 100 * (x1 - x0);
    // Blades that the drawn line reaches, beyond the face line, stop it as they stop a ray before the lens.
    const double xd = in.diaphragm.x;
    if (sign(x1 - x0) != 0 && sign(xd - x0) == sign(x1 - x0) && std::fabs(xd - x0) <= std::fabs(xFar - x0)) {
        if (const std::optional<double> yd = closedBladeHeight(in, x0, y0, s)) {
            ray.stopAt(RayEnd::stoppedBeforeLens, xd, *yd, 4, false);
            ray.add(x0, y0, xd, *yd, colours::magenta);
            return;
        }
    }
    ray.add(x0, y0, xFar, y0 + 100 * s * (x1 - x0), colours::blue);
}

void drawTracedRay(Surface& surface, const SceneInputs& in, const TracedRay& ray)
{
    const auto drawDot = [&] {
        surface.DrawWidth = ray.stopWidth;
        surface.PSet(ray.stopx, ray.stopy, ray.stopInForeColor ? surface.ForeColor : colours::magenta);
        surface.DrawWidth = 1;
    };
    for (int i = 0; i < ray.segmentCount; ++i) {
        if (ray.hasStopDot && ray.stopDotAt == i)
            drawDot();
        if (!in.waves.onlyWaves) {
            const RaySegment& seg = ray.segments[static_cast<std::size_t>(i)];
            surface.Line(seg.x1, seg.y1, seg.x2, seg.y2, seg.colour);
        }
    }
    if (ray.hasStopDot && ray.stopDotAt >= ray.segmentCount)
        drawDot();
}

void takeRecordedRay(Surface& surface, HyperbolicScene& scene, double xs, double ys)
{
    beamwavepoints(surface, scene, xs, ys, scene.raycount);
    ++scene.raycount;
}

bool writeRayRow(HyperbolicScene& scene, const TracedRay& ray, double startx, double starty)
{
    const int i = scene.raycount;
    if (ray.end != RayEnd::leftLens || !HyperbolicScene::inRayTable(i))
        return false;
    for (double v : {ray.entryx, ray.entryy, ray.exitx, ray.exity, ray.dirx, ray.diry, startx, starty})
        if (!std::isfinite(v))
            return false;
    const auto row = static_cast<std::size_t>(i);
    scene.sahlentryx[row] = ray.entryx;
    scene.sahlentryy[row] = ray.entryy;
    scene.sahlexitx[row] = ray.exitx;
    scene.sahlexity[row] = ray.exity;
    scene.sahldirx[row] = static_cast<float>(ray.dirx);
    scene.sahldiry[row] = static_cast<float>(ray.diry);
    scene.raystartx[row] = startx;
    scene.raystarty[row] = starty;
    return true;
}

void fillWavePoints(HyperbolicScene& scene, double sx, double sy, int i, double startPath)
{
    if (!HyperbolicScene::inRayTable(i) || !std::isfinite(sx) || !std::isfinite(sy))
        return;
    const auto row = static_cast<std::size_t>(i);
    const double ex = scene.sahlentryx[row], ey = scene.sahlentryy[row];
    const double xx = scene.sahlexitx[row], xy = scene.sahlexity[row];
    // The direction after the lens is kept in single precision; it is made a unit vector in double
    // precision so that the points after the lens keep their optical path exactly.
    const float fx = scene.sahldirx[row], fy = scene.sahldiry[row];
    const double length = std::sqrt(static_cast<double>(fx) * fx + static_cast<double>(fy) * fy);
    if (length == 0 || !std::isfinite(length) || !std::isfinite(ex) || !std::isfinite(ey) || !std::isfinite(xx) ||
        !std::isfinite(xy))
        return;
    const double n = glassIndex(scene.in);

    const double d1 = pointdistance(sx, sy, ex, ey);
    const double d2 = pointdistance(ex, ey, xx, xy);
    const double u1x = d1 > 0 ? (ex - sx) / d1 : 0.0, u1y = d1 > 0 ? (ey - sy) / d1 : 0.0;
    const double u2x = d2 > 0 ? (xx - ex) / d2 : 0.0, u2y = d2 > 0 ? (xy - ey) / d2 : 0.0;
    const double u3x = fx / length, u3y = fy / length;
    // d1 in air, then d2 counted n times.
    const optics::RayPath path{sx, sy, d1, n * d2, ex, ey, xx, xy, u1x, u1y, u2x, u2y, u3x, u3y, n};

    scene.setWavePoint(i, 0, sx, sy);
    // Each point lies at optical path 15·k from the front the ray counts from (startPath before its start),
    // on whichever leg that path ends; a step may cross both faces when the glass is thin.
    for (int k = 1; k <= wavePointsPerRay; ++k) {
        const optics::Direction p = path.at(opticalStep * k - startPath);
        scene.setWavePoint(i, k, p.x, p.y);
    }
}

bool fanNeighbours(const HyperbolicScene& scene, int i)
{
    if (!HyperbolicScene::inRayTable(i) || !HyperbolicScene::inRayTable(i + 1))
        return false;
    return scene.fanposition[static_cast<std::size_t>(i + 1)] == scene.fanposition[static_cast<std::size_t>(i)] + 1;
}

void drawFronts(Surface& surface, const HyperbolicScene& scene, int first, int last, std::optional<Rgb> colour)
{
    first = std::max(first, 0);
    last = std::min(last, recordedRows(scene) - 1);
    const Rgb pen = colour.value_or(surface.ForeColor);
    for (int k = 1; k <= wavePointsPerRay; ++k)
        for (int i = first; i < last; ++i)
            if (fanNeighbours(scene, i))
                surface.Line(scene.waveX(i, k), scene.waveY(i, k), scene.waveX(i + 1, k), scene.waveY(i + 1, k), pen);
}

void traceScene(Surface& surface, HyperbolicScene& scene, const std::function<std::optional<SceneRay>(int)>& nextRay,
                const std::function<void(int)>& onRecorded)
{
    for (int j = 0;; ++j) {
        const std::optional<SceneRay> next = nextRay(j);
        if (!next)
            break;
        drawTracedRay(surface, scene.in, next->ray);
        if (next->ray.end == RayEnd::endsScene)
            return; // no more rays and no fronts; the rays recorded so far stay
        if (writeRayRow(scene, next->ray, next->xs, next->ys)) {
            scene.setFanPosition(j, next->path);
            if (onRecorded)
                onRecorded(j);
            takeRecordedRay(surface, scene, next->xs, next->ys);
        }
    }
    surface.DrawWidth = 1;
    if (!scene.in.waves.onlyRays)
        drawFronts(surface, scene, 1, recordedRows(scene) - 1, colours::blue);
}

} // namespace parts
} // namespace lens::hyperbolic
