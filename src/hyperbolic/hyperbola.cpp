#include "hyperbolic/hyperbolic_lenses.h"

#include "optics/points.h"
#include "optics/snell.h"

#include "surface/number_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <cmath>
#include <numbers>
#include <string>

namespace lens::hyperbolic {

namespace {

std::size_t waveIndex(int i, int k)
{
    // Step-major: the k-th points of neighbouring rays, which a wavefront joins, lie side by side.
    return static_cast<std::size_t>(k) * HyperbolicScene::waveRays + static_cast<std::size_t>(i);
}

bool inWaveTable(const std::vector<double>& column, int i, int k)
{
    return i >= 0 && i <= waveRayLast && k >= 0 && k <= waveStepLast && waveIndex(i, k) < column.size();
}

// Both roots of the line against the hyperbola, as the far and the near helpers share them.
std::optional<double> lineHyperbolaRoot(double m, double k, double b, double a, bool far)
{
    if (!std::isfinite(m) || !std::isfinite(k) || !std::isfinite(b) || !std::isfinite(a) || !(a > 0))
        return std::nullopt;
    const double asymptote = (b / a) * (b / a);
    const double delta = b * b * ((k * k + b * b) / (a * a) - m * m);
    std::optional<double> x;
    if (m * m == asymptote) {
        // Parallel to an asymptote: one crossing, none when the line runs through the centre.
        if (m * k == 0)
            return std::nullopt;
        x = -(k * k + b * b) / (2 * m * k);
    } else if (delta < 0) {
        return std::nullopt;
    } else {
        const double d = m * m - asymptote;
        const double r = std::sqrt(delta);
        if (far)
            x = d > 0 ? (-m * k + r) / d : (-m * k - r) / d;
        else
            x = d > 0 ? (-m * k - r) / d : (-m * k + r) / d;
    }
    if (!std::isfinite(*x))
        return std::nullopt;
    return x;
}

} // namespace

double HyperbolicScene::waveX(int i, int k) const { return inWaveTable(wavex, i, k) ? wavex[waveIndex(i, k)] : 0.0; }

double HyperbolicScene::waveY(int i, int k) const { return inWaveTable(wavey, i, k) ? wavey[waveIndex(i, k)] : 0.0; }

void HyperbolicScene::setWavePoint(int i, int k, double x, double y)
{
    if (!inWaveTable(wavex, i, k) || !inWaveTable(wavey, i, k))
        return;
    wavex[waveIndex(i, k)] = x;
    wavey[waveIndex(i, k)] = y;
}

void HyperbolicScene::clearWavePoints(int first, int last)
{
    first = std::max(first, 0);
    last = std::min(last, waveRayLast);
    if (first > last)
        return;
    for (int k = 0; k <= waveStepLast; ++k) {
        for (auto* column : {&wavex, &wavey}) {
            const std::size_t from = waveIndex(first, k);
            const std::size_t to = std::min(waveIndex(last, k) + 1, column->size());
            if (from < to)
                std::fill(column->begin() + static_cast<std::ptrdiff_t>(from),
                          column->begin() + static_cast<std::ptrdiff_t>(to), 0.0);
        }
    }
}

void HyperbolicScene::clearRayTable()
{
    raycount = 0;
    sahlentryx.fill(0);
    sahlentryy.fill(0);
    sahlexitx.fill(0);
    sahlexity.fill(0);
    sahldirx.fill(0);
    sahldiry.fill(0);
    raystartx.fill(0);
    raystarty.fill(0);
    biconvexslope.fill(0);
    fanposition.fill(0);
    startpath.fill(0);
    rayrecorded = false;
}

void HyperbolicScene::setFanPosition(int position, double path)
{
    if (!inRayTable(raycount))
        return;
    fanposition[static_cast<std::size_t>(raycount)] = position;
    startpath[static_cast<std::size_t>(raycount)] = std::isfinite(path) ? path : 0.0;
}

double startPath(double xs, double ys, double m)
{
    if (!std::isfinite(m) || !std::isfinite(xs) || !std::isfinite(ys))
        return 0;
    // Along the unit direction of travel u = −(1, m)/√(1 + m²), the start points (130, ±100) span the
    // beam's depth; the one furthest along u is nearest the lens.
    const double norm = std::hypot(1.0, m);
    const double along = -(xs + m * ys) / norm;
    const double nearest = -(130 - std::fabs(m) * 100) / norm;
    return std::fmin(along - nearest, 0.0);
}

double arcsine(double x)
{
    if (std::isnan(x))
        return 0;
    return *optics::arcsine(std::clamp(x, -1.0, 1.0));
}

double pointdistance(double x1, double y1, double x2, double y2) { return optics::distance(x1, y1, x2, y2); }

std::optional<double> hyperbolalinefar(double m, double k, double b, double a)
{
    return lineHyperbolaRoot(m, k, b, a, true);
}

std::optional<double> hyperbolalinenear(double m, double k, double b, double a)
{
    return lineHyperbolaRoot(m, k, b, a, false);
}

HyperbolicLens lensShape(double a, double b, double n)
{
    HyperbolicLens lens;
    lens.usable = std::isfinite(a) && a > 0 && a < 1e100;
    lens.a = lens.usable ? a : 12;
    lens.b = (std::isfinite(b) && b > 0 && b < 1e100) ? b : 0;
    lens.n = (std::isfinite(n) && n > 0) ? n : 1;
    lens.c = std::sqrt(lens.a * lens.a + lens.b * lens.b);
    lens.rim = lens.b * std::sqrt(15.0);
    lens.normalStep = (4 * lens.a - 11.2 * lens.a) / 700;
    return lens;
}

Refraction refractLine(double phi, double theta, double q)
{
    Refraction out;
    const double cosDiff = std::cos(phi) * std::cos(theta) + std::sin(phi) * std::sin(theta);
    const double sinDiff = std::cos(phi) * std::sin(theta) - std::cos(theta) * std::sin(phi);
    // A ray along the face itself meets the normal at a right angle.
    out.incidence = cosDiff == 0 ? std::copysign(std::numbers::pi / 2, sinDiff) : std::atan(sinDiff / cosDiff);
    const std::optional<double> refracted = optics::refractedAngle(out.incidence, q);
    if (!refracted)
        return out; // totally reflected (or q unusable)
    out.refracted = *refracted;
    out.psi = phi + out.refracted;
    out.passes = true;
    return out;
}

} // namespace lens::hyperbolic
