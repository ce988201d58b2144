#include "bench/bench_legend.h"

#include "spherical/spherical_lens.h"
#include "waves/bench_scene.h"
#include "waves/aberration_picture.h"
#include "waves/cardinal_points.h"

namespace lens::bench {

std::vector<LegendEntry> legendEntries()
{
    using E = LegendEntry;
    namespace cc = waves::cardinalColours;
    namespace wc = waves::waveColours;
    namespace sc = spherical::sceneColours;
    return {
        {E::dot, colours::black, 12, "Εστίες λεπτού φακού / thin-lens foci"},
        {E::dashDotLine, colours::black, 1, "Λεπτός φακός / thin lens"},
        {E::dot, cc::focal, 15, "F1, F2: εστίες παχέος φακού / focal points"},
        {E::dottedLine, colours::black, 1, "H1, H2: κύρια επίπεδα / principal planes"},
        {E::dot, cc::nodal, 15, "N1, N2: κομβικά σημεία / nodal points"},
        {E::cross, colours::black, 3, "Είδωλο λεπτού φακού / thin-lens image"},
        {E::cross, cc::image, 3, "Είδωλο παχέος φακού / thick-lens image"},
        {E::line, cc::construction, 2, "Κατασκευή λεπτού φακού / thin-lens construction"},
        {E::line, cc::thick, 2, "Κατασκευή παχέος φακού / thick-lens construction"},
        {E::ring, sc::centre, 1, "Κέντρα των κύκλων / centres of the circles"},
        {E::disc, sc::focus, 1, "Εστίες του φακού / the lens's foci"},
        {E::dot, wc::airDot, 3, "Χρονικά σημάδια πριν από τον φακό / time marks before the lens"},
        {E::dot, wc::glassDot, 3, "Χρονικά σημάδια μέσα στο γυαλί / time marks in the glass"},
        {E::dot, wc::afterDot, 3, "Χρονικά σημάδια μετά τον φακό / time marks after the lens"},
        {E::line, wc::exitDot, 2, "Μέτωπα κύματος / wavefronts"},
        {E::line, waves::aberrationColours::bracket, 2,
         "Σφαιρική εκτροπή: οριακή ως παραξονική εστία, κύκλος ελάχιστης σύγχυσης / spherical aberration"},
    };
}

} // namespace lens::bench
