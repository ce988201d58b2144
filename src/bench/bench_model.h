#pragma once
// The bench's screen logic that needs no window: where the hidden diaphragm scroll bars put the
// blades, and the fan's angular step with its read-out. The screen applies the results.
#include "surface/surface.h"

namespace lens::bench {

// Angle in degrees between neighbouring rays of the fan, π / (desmi1 / arvimaton); 0 when
// desmi1 is not positive (no fan).
double raystepFor(int desmi1, int arvimaton);
// The number the ray-count read-out shows, Int(360 / raystep); 0 for a step that is not positive.
double rayCountShown(double raystep);

// x of both blades for HScroll1 (−100 … 100): the view's middle plus half its width per 100.
double diaphragmXFor(const Surface& view, int hscroll);
// Lower end of the upper blade for VScroll1 (−100 … 0): the middle, up half the height per 100.
double upperTipFor(const Surface& view, int vscroll);
// Upper end of the lower blade for VScroll2 (0 … 100): the middle, down the whole height per 100.
double lowerTipFor(const Surface& view, int vscroll);
// The blades run from the view's edges: the top edge for the upper one, the bottom for the lower.
double upperBladeTop(const Surface& view);
double lowerBladeBottom(const Surface& view);

} // namespace lens::bench
