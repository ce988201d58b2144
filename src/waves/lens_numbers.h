#pragma once
// The thick lens in numbers, as the legend and the printed page give them: each value with its name,
// two decimals in the bench's units, x positions on the axis; and the spherical aberration measured from
// rays the program traces through the lens.

#include "spherical/spherical_lens.h"
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
// value reads "—".
std::string numberText(const NumberLine&, bool blank = false);

// n, the two circles, the thickness, f, F1, F2, H1, H2, N1, N2 of the lens; for a point source also the
// image's x and the magnification m (light running from the source through the lens).
std::vector<NumberLine> lensNumbers(const spherical::LensState& lens, double n,
                                    std::optional<std::pair<double, double>> source);

// Where each traced ray crosses the axis after the lens, against its height at the lens (the aberration
// curve), and what follows from them.
struct AxisCrossing { double h = 0, x = 0; };
struct Aberration {
    double paraxialFocus = 0; // where a ray very close to the axis crosses it
    double marginalFocus = 0; // where the outermost ray that leaves the lens crosses it
    double marginalHeight = 0;
    double lsa = 0;           // longitudinal spherical aberration: paraxial − marginal focus
    double waistX = 0;        // the circle of least confusion: the narrowest waist of the traced bundle
    double waistDiameter = 0;
    std::vector<AxisCrossing> rays; // every traced ray that leaves the lens, by height
};

// The aberration of the bench's beam of desmi1 + 1 rays parallel to the axis (heights 200 … −200), traced
// through the diaphragm and the lens over the view; none when no ray off the axis leaves the lens.
std::optional<Aberration> beamAberration(const Surface& view, const spherical::Diaphragm&,
                                         const spherical::LensState&, double n, int desmi1);
// The same for a fan from a source on the axis at xs, raystep degrees apart; heights are those at which
// the rays meet the lens. None for a source off the axis or no ray leaving the lens.
std::optional<Aberration> fanAberration(const Surface& view, const spherical::Diaphragm&,
                                        const spherical::LensState&, double n, double xs, double ys,
                                        double raystep);
// Its lines for the legend and the page.
std::vector<NumberLine> aberrationNumbers(const Aberration&);

} // namespace lens::waves
