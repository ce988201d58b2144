#pragma once
// The rays of a fan whose image is virtual, continued back: each ray that leaves the lens diverging is
// drawn on backwards, dashed, to where its line meets the line the image lies on.
#include "spherical/spherical_lens.h"
#include "surface/surface.h"

#include <optional>

namespace lens::waves {

// The line a fan's rays are continued back to: the axis for a source on it, else the chief ray (aimed at
// the nodal point on the light's side) after the lens. A point of it and its direction.
struct BackExtensionLine {
    double x = 0, y = 0, dx = 1, dy = 0;
};

// The line for a fan from (x0, y0) through the lens when the lens's (thick-lens) image of that point is
// virtual; none when the image is real or undefined (n = 1, a source in a focal plane), when the source
// lies in the glass, or when the chief ray does not come through the lens.
std::optional<BackExtensionLine> virtualImageLine(const spherical::LensState&, double x0, double y0);

// Continues a traced ray back from where it leaves the lens to its crossing with the line: dashed, one
// pixel wide, in the given colour, within the surface's view. A ray that does not leave the lens draws
// nothing, and neither does one whose crossing is not a number or lies ahead of it (a real crossing).
// The pen is left as it was.
void drawBackExtension(Surface&, const BackExtensionLine&, const spherical::RayPath&, Rgb colour);

} // namespace lens::waves
