#pragma once
// The diaphragm's two blades as both lens screens drag them: line controls standing on one x, the
// upper hanging from the view's top edge to its tip, the lower rising from the bottom edge to its tip.

#include "surface/controls.h"
#include "surface/surface.h"

#include <optional>

namespace lens {

enum class Blade { upper, lower };

// Whether (x, y) lies on a vertical blade: strictly within ScaleWidth/120 across it and
// |ScaleHeight|/120 beyond its ends. Both screens pick their blades up by this test.
bool onBlade(const LineControl& blade, const Surface& view, double x, double y);
// The blade under (x, y), the upper one tested first; none off both.
std::optional<Blade> bladeAt(const LineControl& upper, const LineControl& lower, const Surface& view, double x,
                             double y);

// Drops the dragged blade with its tip at (x, y); both blades move to x. The lower tip always stays
// below the upper one: a blade dropped past the other's tip takes the other along, a tenth of the
// view's height beyond itself, so the opening never closes into one line.
void dropBlade(Blade dragged, LineControl& upper, LineControl& lower, const Surface& view, double x, double y);

} // namespace lens
