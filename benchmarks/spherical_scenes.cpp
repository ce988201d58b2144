// The spherical bench's heavy scenes drawn offscreen at 1920 × 1080: the scene redraw with its glass tint,
// and a fan of rays from the source traced through the default lens.

#include "spherical/spherical_lens.h"
#include "surface/qt/image_device.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

using namespace lens;
using namespace lens::spherical;

struct Bench {
    static constexpr double W = 1920, H = 1080, S = W + H;
    QImage image{1920, 1080, QImage::Format_RGB32};
    ImageDevice device{image};
    Surface surface{device};
    LensState lens;
    BenchControls controls;

    Bench()
    {
        surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
        surface.BackColor = colours::windowBackground;
    }

    // Clears and redraws the scene; returns the diaphragm as the redraw leaves it.
    Diaphragm redraw()
    {
        Diaphragm d{controls.line1X2, controls.line1Y2, controls.line1Y2};
        surface.Cls();
        lens = anaschediasi(surface, controls, [&d](const DiaphragmFit& fit) {
            if (fit.upper)
                d.upperTip = fit.upper->y;
            if (fit.lower)
                d.lowerTip = fit.lower->y;
        });
        return d;
    }
};

void SceneRedraw(benchmark::State& state)
{
    Bench bench;
    for (auto _ : state) {
        bench.redraw();
        bench.device.flush();
    }
}
BENCHMARK(SceneRedraw)->Unit(benchmark::kMillisecond);

void RayFan(benchmark::State& state)
{
    Bench bench;
    const Diaphragm diaphragm = bench.redraw();
    const LensState& l = bench.lens;
    const int rays = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int k = 0; k < rays; ++k) {
            const double t = 2 * std::numbers::pi * k / rays - std::numbers::pi;
            poreiaaktinas(bench.surface, diaphragm, -200, 0, std::cos(t), std::sin(t), l.xcentreA, l.xcentreB,
                          l.radiusA, l.radiusB, l.refindex);
        }
        bench.device.flush();
    }
    state.counters["per_ray"] = benchmark::Counter(static_cast<double>(rays),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(RayFan)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
