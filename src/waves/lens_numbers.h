#pragma once
// The thick lens in numbers, as the legend and the printed page give them: each value with its name,
// two decimals in the bench's units, x positions on the axis; and the measured spherical aberration.

#include "spherical/spherical_lens.h"
#include "waves/aberration.h"
#include "surface/surface.h"

#include <optional>
#include <string>
#include <vector>

namespace lens::waves {

// One value: a bilingual label, its name and the number (none where the lens leaves it undefined).
struct NumberLine {
    std::string label; // "Εστιακή απόσταση / focal length"
    std::string name;  // "f"
    std::optional<double> value;
};

// "label: name = 120.00", or with blank the number left as a line for a student to fill in; an undefined
// value reads "—". A line without a name is a note: its label alone.
std::string numberText(const NumberLine&, bool blank = false);

// The index n, the two circles, the thickness, f, F1, F2, H1, H2, N1, N2 of the lens; for a point source also the
// image's x and the magnification m (light running from the source through the lens).
std::vector<NumberLine> lensNumbers(const spherical::LensState& lens, std::optional<std::pair<double, double>> source);

// Its lines for the legend and the page, first a note of what the crossings are measured along.
std::vector<NumberLine> aberrationNumbers(const Aberration&);

} // namespace lens::waves
