// The thick lens in numbers and the lines of the measured spherical aberration.

#include "waves/lens_numbers.h"

#include "surface/number_text.h"
#include "waves/cardinal_points.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <tuple>

namespace lens::waves {

using namespace spherical;

std::string numberText(const NumberLine& line, bool blank)
{
    if (line.name.empty())
        return line.label;
    std::string value = "—";
    if (blank) {
        value = "______________";
    } else if (line.value && std::isfinite(*line.value)) {
        value = fixedText(*line.value, 2);
    }
    return line.label + ": " + line.name + " = " + value;
}

std::vector<NumberLine> lensNumbers(const LensState& lens, std::optional<std::pair<double, double>> source)
{
    const double n = lens.refindex;
    const CardinalPoints p = cardinalpointsof(lens);
    std::vector<NumberLine> lines = {{"Δείκτης διάθλασης / index of refraction", "n", n}};
    for (const auto& [name, centre, radius] : {std::tuple{"A", lens.xcentreA, lens.radiusA},
                                               std::tuple{"B", lens.xcentreB, lens.radiusB}}) {
        lines.push_back({std::string("Κέντρο κύκλου ") + name + " / centre of circle " + name, std::string("x") + name, centre});
        lines.push_back({std::string("Ακτίνα κύκλου ") + name + " / radius of circle " + name, std::string("r") + name, radius});
    }
    lines.push_back({"Πάχος / thickness", "d", p.d});
    lines.push_back({"Εστιακή απόσταση / focal length", "f", p.f});
    // The pairs of cardinal points, left (1) and right (2).
    struct Pair { const char *greek, *english, *name; std::optional<double> first, second; };
    for (const Pair& pair : {Pair{"Εστία", "focal point", "F", p.F1, p.F2}, Pair{"Κύριο σημείο", "principal point", "H", p.H1, p.H2},
                             Pair{"Κομβικό σημείο", "nodal point", "N", p.N1, p.N2}})
        for (const auto& [which, value] : {std::pair{"1", pair.first}, std::pair{"2", pair.second}})
            lines.push_back({std::string(pair.greek) + " " + which + " / " + pair.english + " " + which,
                             std::string(pair.name) + which, value});
    if (source) {
        const auto image = thickimage(p, source->first, source->second);
        lines.push_back({"Είδωλο / image", "image", image ? std::optional<double>(image->x) : std::nullopt});
        lines.push_back({"Μεγέθυνση / magnification", "m", image ? std::optional<double>(image->m) : std::nullopt});
    }
    return lines;
}

std::vector<NumberLine> aberrationNumbers(const Aberration& a)
{
    const std::string N = a.nodal == 2 ? "N2" : "N1";
    const std::string along = a.alongAxis
        ? "Τομές με τον άξονα / crossings with the axis"
        : "Τομές με την κύρια ακτίνα (προς " + N + "), ως x / crossings with the chief ray (to " + N + "), as x";
    return {
        {along, "", std::nullopt},
        {"Παραξονική εστία (h → 0) / paraxial focus (h → 0)", "paraxial focus", a.paraxialFocus},
        {"Οριακή εστία (μέσο άνω, κάτω) / marginal focus (mean of upper, lower)", "marginal focus", a.marginalFocus},
        {"Διαμήκης σφαιρική εκτροπή / longitudinal spherical aberration", "LSA", a.lsa},
        {"Κύκλος ελάχιστης σύγχυσης / circle of least confusion", "waist x", a.waistX},
        {"Κύκλος ελάχιστης σύγχυσης / circle of least confusion", "waist diameter", a.waistDiameter},
    };
}

} // namespace lens::waves
