#pragma once
// What the marks of the bench's picture mean: the legend that F2 shows over the picture.
#include "surface/controls.h"

#include <vector>

namespace lens::bench {

inline constexpr const char* legendTitle = "Υπόμνημα / Legend";
// Every mark of the picture with its colour as the drawing routines use it.
std::vector<LegendEntry> legendEntries();

} // namespace lens::bench
