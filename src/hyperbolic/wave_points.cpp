// Wave points along the recorded rays of the hyperbolic lenses, and the fronts of the "WAVES" item.

#include "hyperbolic/lens_parts.h"

namespace lens::hyperbolic {

void raywavepoints(Surface& surface, HyperbolicScene& scene, int i)
{
    parts::fillWavePoints(scene, scene.in.light.x, scene.in.light.y, i, 0);
    surface.ForeColor = colours::black;
    surface.DrawWidth = 1;
}

void beamwavepoints(Surface& surface, HyperbolicScene& scene, double xs, double ys, int i)
{
    // A beam ray counts its path from the beam's common front, kept with its row.
    const double startPath = HyperbolicScene::inRayTable(i) ? scene.startpath[static_cast<std::size_t>(i)] : 0.0;
    parts::fillWavePoints(scene, xs, ys, i, startPath);
    surface.ForeColor = colours::black;
    surface.DrawWidth = 1;
}

void redrawwavefronts(Surface& surface, HyperbolicScene& scene)
{
    // Each ray from where it started: the source of a fan, the start line of a beam, whichever the
    // picture shows (for a fan this is exactly raywavepoints).
    const int rows = parts::recordedRows(scene);
    for (int i = 0; i < rows; ++i) {
        const auto row = static_cast<std::size_t>(i);
        beamwavepoints(surface, scene, scene.raystartx[row], scene.raystarty[row], i);
    }
    parts::drawFronts(surface, scene, 0, rows - 1, std::nullopt);
}

} // namespace lens::hyperbolic
