// The static scene of the bench: lens state from the controls, diaphragm fitting, foci, circles, glass tint.

#include "spherical/spherical_lens.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace lens::spherical {

namespace {

// The y of the lens surface straight above (or below, sign -1) a blade end that lies inside the glass.
std::optional<double> bladeOnSurface(double bx, double by, const LensState& lens, int sign)
{
    if (!insideLens(bx, by, lens))
        return std::nullopt; // outside the glass (or exactly on its surface): the blade stays
    const double xA = lens.xcentreA, rA = lens.radiusA, xB = lens.xcentreB, rB = lens.radiusB;
    const SimeiaTomis rim = tomikyklon(xA, xB, rA, rB);
    // Left of the rim the end lies under circle B's face, right of it under circle A's. Being strictly inside
    // both discs keeps the square root's argument positive.
    const double h = bx < rim.x1 ? rB * rB - (bx - xB) * (bx - xB) : rA * rA - (bx - xA) * (bx - xA);
    return sign * std::sqrt(std::max(h, 0.0));
}

// The hidden scroll bar's value for a blade end at y: the view's top edge is -100, its middle 0, its bottom +100.
int scrollValueFor(const Surface& surface, double y, int low, int high)
{
    const double top = surface.ScaleTop(), height = surface.ScaleHeight();
    const double v = std::floor(2.0 * 100.0 * ((y - top) - height / 2) / height);
    if (!std::isfinite(v))
        return low;
    return static_cast<int>(std::clamp(v, double(low), double(high)));
}

// Whether (x, y) lies inside the disc (xc, 0, r) by at least margin.
bool deepInside(double x, double y, double xc, double r, double margin)
{
    return apostasi(x, y, xc, 0) < r - margin;
}

// A seed for the glass tint, in device pixels: a pixel of the picture whose own point lies well inside the
// lens, clear of the marks on the axis.
std::optional<std::pair<int, int>> fillSeed(const Surface& surface, const LensState& lens, const SimeiaTomis& rim,
                                            double f)
{
    if (!rim.yparxei)
        return std::nullopt; // no lens to tint
    const double xA = lens.xcentreA, rA = lens.radiusA, xB = lens.xcentreB, rB = lens.radiusB;
    const double unitsPerPixel = 1.0 / std::fabs(surface.ScaleX(1.0));
    // The border pens are two pixels wide and the green polygons cut inside the circles by up to r·(1 − cos π/50).
    const double margin = 4 * unitsPerPixel + (1 - std::cos(std::numbers::pi / 50)) * std::max(rA, rB);
    const double X = rim.x1;
    const std::array<std::pair<double, double>, 4> marks{{{X - f, 0}, {X + f, 0}, {xA, 0}, {xB, 0}}};
    const double markReach = 3 + margin;
    const int width = surface.device().width(), height = surface.device().height();

    const auto seedAt = [&](double x, double y) -> std::optional<std::pair<int, int>> {
        const double px = std::nearbyint(surface.pixelX(x)), py = std::nearbyint(surface.pixelY(y));
        if (!(px >= 0 && py >= 0 && px < width && py < height))
            return std::nullopt; // off the picture: the fill would find nothing there
        // The pixel's own point must be in the glass, not only the point it was rounded from.
        const double ux = surface.userX(px), uy = surface.userY(py);
        if (!deepInside(ux, uy, xA, rA, margin) || !deepInside(ux, uy, xB, rB, margin))
            return std::nullopt;
        const bool onMark = std::any_of(marks.begin(), marks.end(), [&](const auto& m) {
            return apostasi(ux, uy, m.first, m.second) <= markReach;
        });
        if (onMark)
            return std::nullopt;
        return std::pair{static_cast<int>(px), static_cast<int>(py)};
    };

    // Between the two vertices on the axis; half the lens's thickness above it.
    const double left = std::max(xA - rA, xB - rB), right = std::min(xA + rA, xB + rB);
    const double xMid = (left + right) / 2;
    const double hMid = std::min(std::sqrt(std::max(rA * rA - (xMid - xA) * (xMid - xA), 0.0)),
                                 std::sqrt(std::max(rB * rB - (xMid - xB) * (xMid - xB), 0.0)));
    const std::array<std::pair<double, double>, 3> candidates{{{X, 50}, {X, rim.y1 / 2}, {xMid, hMid / 2}}};
    for (const auto& candidate : candidates)
        if (const auto seed = seedAt(candidate.first, candidate.second))
            return seed;
    // A lens partly off the picture: search the part of it on view.
    const double viewLeft = std::min(surface.ScaleLeft(), surface.ScaleLeft() + surface.ScaleWidth());
    const double viewRight = std::max(surface.ScaleLeft(), surface.ScaleLeft() + surface.ScaleWidth());
    const double viewLow = std::min(surface.ScaleTop(), surface.ScaleTop() + surface.ScaleHeight());
    const double viewHigh = std::max(surface.ScaleTop(), surface.ScaleTop() + surface.ScaleHeight());
    const double x0 = std::max(left, viewLeft), x1 = std::min(right, viewRight);
    const double y0 = std::max(-rim.y1, viewLow), y1 = std::min(rim.y1, viewHigh);
    if (!(x0 < x1) || !(y0 < y1))
        return std::nullopt;
    constexpr int steps = 16;
    for (int i = 1; i < steps; ++i)
        for (int j = 1; j < steps; ++j)
            if (const auto seed = seedAt(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * j / steps))
                return seed;
    return std::nullopt; // a lens thinner than its outlines, or off the picture, has nothing left to tint
}

// The upper blade's fit (sign +1) or the lower one's (sign -1), from the upper blade's end.
std::optional<BladeFit> bladeFit(const Surface& surface, double bx, double by, const LensState& lens, int sign)
{
    const std::optional<double> y = bladeOnSurface(bx, by, lens, sign);
    if (!y)
        return std::nullopt;
    // The upper blade's scroll bar runs over the view's upper half, the lower one's over its lower half.
    const int low = sign > 0 ? -100 : 0, high = sign > 0 ? 0 : 100;
    return BladeFit{*y, scrollValueFor(surface, *y, low, high)};
}

} // namespace

std::optional<BladeFit> upperBladeFit(const Surface& surface, double bx, double by, const LensState& lens)
{
    return bladeFit(surface, bx, by, lens, +1);
}

std::optional<BladeFit> lowerBladeFit(const Surface& surface, double bx, double by, const LensState& lens)
{
    return bladeFit(surface, bx, by, lens, -1);
}

std::optional<BladeFit> diafragmaano(const Surface& surface, double bx, double by, double xA, double rA, double xB,
                                     double rB)
{
    return upperBladeFit(surface, bx, by, LensState{xA, rA, xB, rB});
}

std::optional<BladeFit> diafragmakato(const Surface& surface, double bx, double by, double xA, double rA, double xB,
                                      double rB)
{
    return lowerBladeFit(surface, bx, by, LensState{xA, rA, xB, rB});
}

DiaphragmFit fitDiaphragm(const Surface& surface, double bx, double by, const LensState& lens)
{
    return {upperBladeFit(surface, bx, by, lens), lowerBladeFit(surface, bx, by, lens)};
}

LensState anaschediasi(Surface& surface, const BenchControls& controls,
                       const std::function<void(const DiaphragmFit&)>& applyFit)
{
    const LensState lens = lensFrom(controls);
    const double xA = lens.xcentreA, rA = lens.radiusA, xB = lens.xcentreB, rB = lens.radiusB;
    const double pi = std::numbers::pi;

    const double f = estiakiapostasi(rA, rB, lens.refindex).value_or(0.0);
    const SimeiaTomis rim = tomikyklon(xA, xB, rA, rB);
    const double X = rim.x1;

    // Both blades are fitted from the upper blade's end as it was when the redraw began: the lower blade
    // mirrors it. The screen moves its lines once it has both.
    const DiaphragmFit fit = fitDiaphragm(surface, controls.line1X2, controls.line1Y2, lens);
    if ((fit.upper || fit.lower) && applyFit)
        applyFit(fit);

    // The foci of the thin lens, about the rim's plane, outlined as thin as a fresh picture's pen: the
    // same lens gives the same marks whatever was drawn before it.
    surface.DrawWidth = 1;
    surface.FillStyle = solidFill;
    surface.Circle(X - f, 0, 3, sceneColours::focus);
    surface.Circle(X + f, 0, 3, sceneColours::focus);
    surface.FillStyle = noFill;

    surface.DrawWidth = 2;
    double pax = xA + rA, pay = 0, pbx = xB + rB, pby = 0;
    for (int k = 1; k <= 50; ++k) {
        const double t = 2 * pi * k / 50;
        const double nax = xA + rA * std::cos(t), nay = rA * std::sin(t);
        const double nbx = xB + rB * std::cos(t), nby = rB * std::sin(t);
        surface.Line(pax, pay, nax, nay, sceneColours::polygon);
        surface.Line(pbx, pby, nbx, nby, sceneColours::polygon);
        pax = nax, pay = nay, pbx = nbx, pby = nby;
    }

    surface.Circle(xA, 0, 3, sceneColours::centre);
    surface.Circle(xB, 0, 3, sceneColours::centre);

    surface.FontName = "Arial";

    // The black outlines bound the tint.
    surface.Circle(xA, 0, rA, sceneColours::outline);
    surface.Circle(xB, 0, rB, sceneColours::outline);

    // A pale tint over the glass only: it spreads over the seed's own colour, so the marks and polygons inside
    // the lens stay visible. The fill colour the focus marks use is left as it was.
    if (const auto seed = fillSeed(surface, lens, rim, f)) {
        const Rgb markFill = surface.FillColor;
        surface.FillStyle = solidFill;
        surface.FillColor = sceneColours::glass;
        surface.FloodFillSeedColour(seed->first, seed->second, sceneColours::outline);
        surface.FillColor = markFill;
    }
    surface.FillStyle = noFill;

    surface.Refresh();
    return lens;
}

} // namespace lens::spherical
