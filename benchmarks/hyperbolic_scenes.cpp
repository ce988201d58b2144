// The hyperbolic-lens screen's scenes drawn offscreen on a 1080 × 1080 picture in the screen's own
// coordinates, a = 12, n = 1.5: both lenses with rays and waves from (108, 25) followed by the "WAVES"
// fronts, and both parallel beams at 20°.

#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/qt/image_device.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
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

void PlanoConvexWithWaves(benchmark::State& state)
{
    LensScreen screen;
    for (auto _ : state) {
        screen.surface.Cls();
        drawsahllens(screen.surface, screen.scene, 12, screen.b, 108, 25);
        redrawwavefronts(screen.surface, screen.scene, false);
        screen.device.flush();
    }
    state.counters["rays"] = screen.scene.raycount;
}
BENCHMARK(PlanoConvexWithWaves)->Unit(benchmark::kMillisecond);

void BiconvexWithWaves(benchmark::State& state)
{
    LensScreen screen;
    for (auto _ : state) {
        screen.surface.Cls();
        drawbiconvexlens(screen.surface, screen.scene, 12, screen.b, 108, 25);
        redrawwavefronts(screen.surface, screen.scene, false);
        screen.device.flush();
    }
    state.counters["rays"] = screen.scene.raycount;
}
BENCHMARK(BiconvexWithWaves)->Unit(benchmark::kMillisecond);

void PlanoConvexBeamAt20Degrees(benchmark::State& state)
{
    LensScreen screen;
    for (auto _ : state) {
        screen.surface.Cls();
        sahlparallelbeam(screen.surface, screen.scene, 12, screen.b, screen.slope20);
        screen.device.flush();
    }
    state.counters["rays"] = screen.scene.raycount;
}
BENCHMARK(PlanoConvexBeamAt20Degrees)->Unit(benchmark::kMillisecond);

void BiconvexBeamAt20Degrees(benchmark::State& state)
{
    LensScreen screen;
    for (auto _ : state) {
        screen.surface.Cls();
        biconvexparallelbeam(screen.surface, screen.scene, 12, screen.b, screen.slope20);
        screen.device.flush();
    }
    state.counters["rays"] = screen.scene.raycount;
}
BENCHMARK(BiconvexBeamAt20Degrees)->Unit(benchmark::kMillisecond);

} // namespace
