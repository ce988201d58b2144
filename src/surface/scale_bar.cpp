#include "surface/scale_bar.h"

#include <cmath>

namespace lens {

namespace {
constexpr const char* label = "100";
} // namespace

std::array<PixelBox, 4> scaleBarPlaces(const Surface& s, const PixelBox& area, double margin)
{
    const double length = std::fabs(s.ScaleX(scaleBarUnits));
    const double labelWidth = std::fabs(s.ScaleX(s.TextWidth(label)));
    const double across = std::fmax(length, labelWidth);
    // The label, then room for the bar's end marks below it.
    const double down = std::fabs(s.ScaleY(s.TextHeight(label))) * 1.5;
    const double left = area.left + margin, right = area.right - margin - across;
    const double top = area.top + margin, bottom = area.bottom - margin - down;
    return {PixelBox{left, top, left + across, top + down}, PixelBox{left, bottom, left + across, bottom + down},
            PixelBox{right, top, right + across, top + down}, PixelBox{right, bottom, right + across, bottom + down}};
}

void drawScaleBar(Surface& s, const PixelBox& box)
{
    const int width = s.DrawWidth, style = s.DrawStyle;
    const Rgb colour = s.ForeColor;
    const double cx = s.CurrentX, cy = s.CurrentY;
    const double length = std::fabs(s.ScaleX(scaleBarUnits));
    const double textHeight = std::fabs(s.ScaleY(s.TextHeight(label)));
    const double middle = (box.left + box.right) / 2;
    const double x1 = middle - length / 2, x2 = middle + length / 2;
    const double bar = box.bottom - textHeight * 0.25, mark = textHeight * 0.25;
    s.DrawWidth = 2;
    s.DrawStyle = solidStyle;
    s.Line(s.userX(x1), s.userY(bar), s.userX(x2), s.userY(bar), colours::black);
    for (const double x : {x1, x2})
        s.Line(s.userX(x), s.userY(bar - mark), s.userX(x), s.userY(bar + mark), colours::black);
    s.ForeColor = colours::black;
    s.CurrentX = s.userX(middle - std::fabs(s.ScaleX(s.TextWidth(label))) / 2);
    s.CurrentY = s.userY(box.top);
    s.Print(label);
    s.DrawWidth = width;
    s.DrawStyle = style;
    s.ForeColor = colour;
    s.CurrentX = cx;
    s.CurrentY = cy;
}

} // namespace lens
