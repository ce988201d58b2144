#include "waves/aberration_picture.h"

#include <algorithm>
#include <cmath>

namespace lens::waves {

void drawAberration(Surface& s, const Aberration& a)
{
    using namespace aberrationColours;
    const double tick = std::fabs(s.ScaleHeight()) / 60;
    s.DrawWidth = 2;
    // The bracket: from the marginal focus to the paraxial focus, just below the axis, with its ends turned up.
    const double y = -tick;
    s.Line(a.marginalFocus, y, a.paraxialFocus, y, bracket);
    s.Line(a.marginalFocus, y, a.marginalFocus, 0, bracket);
    s.Line(a.paraxialFocus, y, a.paraxialFocus, 0, bracket);
    // The waist: as wide as the circle of least confusion, across the axis where it lies.
    s.Line(a.waistX, -a.waistDiameter / 2, a.waistX, a.waistDiameter / 2, bracket);
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
