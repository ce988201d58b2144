#pragma once

// The bench on one printed page: the lens, its foci, a fan of 181 rays from the source, the
// cardinal-point construction and, with a wave box ticked, the waves; in a corner, the lens in numbers.

#include "spherical/spherical_lens.h"
#include "surface/surface.h"
#include "waves/ray_records.h"

#include <string>
#include <vector>

namespace lens::waves {

inline constexpr int printedFanStep = 2; // degrees between the rays of the printed fan

// What the page says beside the drawing.
struct PageCaption {
    bool worksheet = false; // every number left as a line for the students to fill in
    std::string date;       // the day of printing as the page gives it; no date line when empty
    double dotsPerInch = 0; // the page's resolution; 0 takes 96 for each step of its PenScale
};
inline constexpr double captionPoints = 7; // the caption's type size
// The worksheet: type a pupil can read, rows 8 to 9 mm apart and blanks a pupil can write in.
inline constexpr double worksheetPoints = 10;
inline constexpr double worksheetRowMillimetres = 9;
inline constexpr double scaleBarPoints = 9; // the label of the page's scale bar

// The caption's lines: the lens's values (with the source's image and m for a fan from a point), the
// spherical aberration where the page lets it be measured (the beam at 0°; the printed fan from a source
// on the axis) and the date. The aberration's rays are traced over benchSurface, as the bench's are.
std::vector<std::string> captionLines(const Surface& benchSurface, const BenchScene&, const PageCaption& caption);

// Prints the bench on the page. The page gets user coordinates centred on the origin, y upwards, that
// follow its own aspect (1200 units across its width plus height). The wave rays are traced on
// benchSurface, a surface with the bench's coordinates, into records (which start from row 0).
// The lens has the circles given and the scene's index, the source is at (x0, y0). The caption goes to the corner of the page that the
// drawing leaves emptiest, a bar of 100 units to the emptiest of the others. The worksheet puts its rows to
// fill in below the drawing, which is scaled to show the source, the lens and the image.
void printbench(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& scene,
                double xcentreA, double xcentreB, double radiusA, double radiusB, double x0, double y0,
                const PageCaption& caption = {});
// The same page for the scene as it stands: its lens, its light and what it shows of it.
void printBenchPage(Surface& page, Surface& benchSurface, RayRecords& records, const BenchScene& scene,
                    const PageCaption& caption = {});

} // namespace lens::waves
