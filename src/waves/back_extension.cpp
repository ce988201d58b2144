#include "waves/back_extension.h"

#include "waves/aberration.h"
#include "waves/cardinal_points.h"

#include <cmath>

namespace lens::waves {

using namespace spherical;

std::optional<BackExtensionLine> virtualImageLine(const LensState& lens, double x0, double y0)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || insideLens(x0, y0, lens))
        return std::nullopt;
    const CardinalPoints p = cardinalpointsof(lens);
    const auto image = thickimage(p, x0, y0);
    if (!image || !image->isVirtual)
        return std::nullopt;
    if (y0 == 0)
        return BackExtensionLine{};
    const std::optional<double> nodal = travelDirection(p, x0) > 0 ? p.N1 : p.N2;
    if (!nodal)
        return std::nullopt;
    // The chief ray as the blades would not stop it: it is the line the image lies on, not a ray of the fan.
    const Diaphragm open{0, INFINITY, -INFINITY};
    const double length = std::hypot(*nodal - x0, y0);
    const MeasuredRay chief = traceMeasuredRay(lens, open, x0, y0, (*nodal - x0) / length, -y0 / length);
    if (!chief.leaves)
        return std::nullopt;
    return BackExtensionLine{chief.x, chief.y, chief.dx, chief.dy};
}

void drawBackExtension(Surface& s, const BackExtensionLine& line, const RayPath& path, Rgb colour)
{
    // The ray leaves the lens on its last leg, which runs from the lens to the edge of the view.
    if (path.count < 2)
        return;
    const RayLeg& last = path.legs[static_cast<std::size_t>(path.count - 1)];
    if (last.end != LegEnd::viewEdge || path.legs[static_cast<std::size_t>(path.count - 2)].end != LegEnd::lens)
        return;
    // last + t·d meets the line where t = ((P − L) × D) / (D × d), D the line's direction and d the ray's.
    const double across = line.dx * last.dy - line.dy * last.dx;
    const double t = (line.dx * (last.y1 - line.y) - line.dy * (last.x1 - line.x)) / -across;
    if (across == 0 || !std::isfinite(t) || t >= 0)
        return;
    double x1 = last.x1, y1 = last.y1, x2 = last.x1 + t * last.dx, y2 = last.y1 + t * last.dy;
    const double left = s.ScaleLeft(), right = left + s.ScaleWidth();
    const double top = s.ScaleTop(), bottom = top + s.ScaleHeight();
    if (!clipSegment(x1, y1, x2, y2, std::fmin(left, right), std::fmin(top, bottom), std::fmax(left, right),
                     std::fmax(top, bottom)))
        return;
    const int width = s.DrawWidth, style = s.DrawStyle;
    s.DrawWidth = 1;
    s.DrawStyle = dashedStyle;
    s.Line(x1, y1, x2, y2, colour);
    s.DrawStyle = style;
    s.DrawWidth = width;
}

} // namespace lens::waves
