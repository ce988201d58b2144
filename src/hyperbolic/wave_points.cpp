// Wave points along the recorded rays of the hyperbolic lenses, and the fronts of the "WAVES" item.

#include "hyperbolic/lens_parts.h"

namespace lens::hyperbolic {

void raywavepoints(Surface& surface, HyperbolicScene& scene, int i)
{
    parts::fillWavePoints(scene, scene.in.sourcex, scene.in.sourcey, i);
    surface.ForeColor = colours::black;
    surface.DrawWidth = 1;
}

void beamwavepoints(Surface& surface, HyperbolicScene& scene, double xs, double ys, int i)
{
    parts::fillWavePoints(scene, xs, ys, i);
    surface.ForeColor = colours::black;
    surface.DrawWidth = 1;
}

void redrawwavefronts(Surface& surface, HyperbolicScene& scene, bool parallelmode)
{
    const int rows = parts::recordedRows(scene);
    for (int i = 0; i < rows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (parallelmode)
            beamwavepoints(surface, scene, scene.raystartx[row], scene.raystarty[row], i);
        else
            raywavepoints(surface, scene, i);
    }
    parts::drawFronts(surface, scene, 0, rows - 1, std::nullopt);
}

} // namespace lens::hyperbolic
