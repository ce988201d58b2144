#include "waves/aberration_picture.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lens::waves {

void drawAberration(Surface& s, const Aberration& a)
{
    using namespace aberrationColours;
    const double tick = std::fabs(s.ScaleHeight()) / 60;
    s.DrawWidth = 2;
    // The bracket: from the marginal focus to the paraxial focus along the chief ray, just below it, with its
    // ends turned up to it; the waist square to the axis where it lies, as wide as the circle of least confusion.
    const double ux = a.chiefDx, uy = a.chiefDy; // along the chief ray
    const double nx = uy, ny = -ux;              // across it, below for light running rightwards
    const double side = ux < 0 ? -1 : 1;
    auto at = [&](double x, double offset) {
        const double y = a.chiefYAt(x);
        return std::pair{x + side * offset * nx, y + side * offset * ny};
    };
    const auto [m0x, m0y] = at(a.marginalFocus, 0);
    const auto [m1x, m1y] = at(a.marginalFocus, tick);
    const auto [p0x, p0y] = at(a.paraxialFocus, 0);
    const auto [p1x, p1y] = at(a.paraxialFocus, tick);
    s.Line(m1x, m1y, p1x, p1y, bracket);
    s.Line(m1x, m1y, m0x, m0y, bracket);
    s.Line(p1x, p1y, p0x, p0y, bracket);
    s.Line(a.waistX, a.waistY - a.waistDiameter / 2, a.waistX, a.waistY + a.waistDiameter / 2, bracket);
    s.DrawWidth = 1;

    // The plot: height against the crossing, in the lower right corner.
    const double left = s.ScaleLeft(), width = s.ScaleWidth(), top = s.ScaleTop(), height = s.ScaleHeight();
    const double x0 = left + 0.73 * width, x1 = left + 0.98 * width;
    const double y0 = top + 0.97 * height, y1 = top + 0.64 * height; // bottom and top of the frame (y up)
    double hMax = 0, xMin = std::min(a.marginalFocus, a.paraxialFocus), xMax = std::max(a.marginalFocus, a.paraxialFocus);
    for (const AxisCrossing& r : a.rays) {
        hMax = std::max(hMax, std::fabs(r.h));
        xMin = std::min(xMin, r.x), xMax = std::max(xMax, r.x);
    }
    if (!(hMax > 0) || !(xMax > xMin) || !std::isfinite(xMax - xMin))
        return;
    const double pad = 0.1 * (xMax - xMin);
    xMin -= pad, xMax += pad;
    auto px = [&](double x) { return x0 + (x - xMin) / (xMax - xMin) * (x1 - x0); };
    auto py = [&](double h) { return (y0 + y1) / 2 + h / (1.1 * hMax) * (y1 - y0) / 2; };
    s.Line(x0, y0, x1, y0, curve);
    s.Line(x1, y0, x1, y1, curve);
    s.Line(x1, y1, x0, y1, curve);
    s.Line(x0, y1, x0, y0, curve);
    s.Line(x0, py(0), x1, py(0), curve);
    // The foci as marks on the plot's axis, in the bracket's colour.
    for (const double x : {a.marginalFocus, a.paraxialFocus})
        s.Line(px(x), py(0) - tick / 2, px(x), py(0) + tick / 2, bracket);
    s.DrawWidth = 3;
    for (const AxisCrossing& r : a.rays)
        s.PSet(px(r.x), py(r.h), curve);
    s.DrawWidth = 1;
    const Rgb fore = s.ForeColor;
    // The axes' names, short enough for any text size: the height up the left side, the crossing along the axis.
    s.ForeColor = curve;
    s.CurrentX = x0;
    s.CurrentY = y1;
    s.Print(" h");
    s.CurrentX = x1 - 0.06 * (x1 - x0);
    s.CurrentY = py(0);
    s.Print("x");
    s.ForeColor = fore;
}

} // namespace lens::waves
