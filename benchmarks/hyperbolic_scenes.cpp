// The hyperbolic-lens screen's scenes drawn offscreen on a 1080 × 1080 picture in the screen's own
// coordinates, a = 12, n = 1.5: both lenses with rays and waves from (108, 25) followed by the "WAVES"
// fronts, and both parallel beams at 20°.

#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/qt/image_device.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using namespace lens;
using namespace lens::hyperbolic;

struct LensScreen {
    QImage image{1080, 1080, QImage::Format_RGB32};
    ImageDevice device{image};
    Surface surface{device};
    HyperbolicScene scene;
    const double b = 12 * std::sqrt(1.5 * 1.5 - 1);
    const double slope20 = std::tan(20 * std::numbers::pi / 180);

    LensScreen()
    {
        surface.Scale(-120, 120, 150, -120);
        scene.in.lensindex = 1.5;
    }
};

// Draws one scene from a clear picture on every iteration and reports the rays it recorded.
void drawScene(benchmark::State& state, const std::function<void(LensScreen&)>& scene)
{
    LensScreen screen;
    for (auto _ : state) {
        screen.surface.Cls();
        scene(screen);
        screen.device.flush();
    }
    state.counters["rays"] = screen.scene.raycount;
}

void PlanoConvexWithWaves(benchmark::State& state)
{
    drawScene(state, [](LensScreen& s) {
        drawsahllens(s.surface, s.scene, 12, s.b, 108, 25);
        redrawwavefronts(s.surface, s.scene);
    });
}
BENCHMARK(PlanoConvexWithWaves)->Unit(benchmark::kMillisecond);

void BiconvexWithWaves(benchmark::State& state)
{
    drawScene(state, [](LensScreen& s) {
        drawbiconvexlens(s.surface, s.scene, 12, s.b, 108, 25);
        redrawwavefronts(s.surface, s.scene);
    });
}
BENCHMARK(BiconvexWithWaves)->Unit(benchmark::kMillisecond);

void PlanoConvexBeamAt20Degrees(benchmark::State& state)
{
    drawScene(state, [](LensScreen& s) { sahlparallelbeam(s.surface, s.scene, 12, s.b, s.slope20); });
}
BENCHMARK(PlanoConvexBeamAt20Degrees)->Unit(benchmark::kMillisecond);

void BiconvexBeamAt20Degrees(benchmark::State& state)
{
    drawScene(state, [](LensScreen& s) { biconvexparallelbeam(s.surface, s.scene, 12, s.b, s.slope20); });
}
BENCHMARK(BiconvexBeamAt20Degrees)->Unit(benchmark::kMillisecond);

} // namespace
