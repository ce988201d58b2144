// The bench's wave pictures drawn offscreen at 1920 × 1080 as a Shift+click or the bundle command draws them:
// clear, scene redraw, rays, time marks and fronts. Each reports how many full-frame image copies it costs.

#include "bench_picture.h"
#include "spherical/spherical_lens.h"
#include "surface/qt/image_device.h"
#include "surface/recording_device.h"
#include "waves/bundle_ray.h"
#include "waves/lens_outline.h"
#include "waves/parallel_beam.h"
#include "waves/parallel_waves.h"
#include "waves/point_fan.h"
#include "waves/point_source_waves.h"
#include "waves/ray_records.h"
#include "waves/single_ray.h"

#include <QImage>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <numbers>

namespace {

using namespace lens;
using Clock = std::chrono::steady_clock;

struct WaveBench : BenchPicture {
    spherical::LensState lens;
    spherical::BenchControls controls;
    waves::RayRecords records;
    waves::BenchScene values;

    WaveBench()
    {
        values.waves.wavesAndRays = true; // "SHOW WAVES AND RAYS"
        values.desmi1 = 150;
        values.raystep = std::numbers::pi / (150.0 / 30); // 0.628°: 573 rays
    }
    void redraw()
    {
        surface.Cls();
        values.diaphragm = {0, 0, 0};
        lens = spherical::anaschediasi(surface, controls, [this](const spherical::DiaphragmFit& fit) {
            if (fit.upper)
                values.diaphragm.upperTip = fit.upper->y;
            if (fit.lower)
                values.diaphragm.lowerTip = fit.lower->y;
        });
    }
};

// Milliseconds of one full-frame copy of a 1920 × 1080 image, the median of a few.
double frameCopyMs()
{
    QImage source(1920, 1080, QImage::Format_RGB32);
    source.fill(Qt::white);
    double best = 1e9;
    for (int i = 0; i < 30; ++i) {
        const auto t0 = Clock::now();
        QImage copy = source.copy();
        benchmark::DoNotOptimize(copy.bits());
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

template <typename Drawing>
void timed(benchmark::State& state, WaveBench& bench, Drawing drawing)
{
    const double copyMs = frameCopyMs();
    double totalMs = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        drawing();
        bench.device.flush();
        totalMs += std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    }
    const double perPicture = totalMs / static_cast<double>(state.iterations());
    state.counters["frame_copy_ms"] = copyMs;
    state.counters["frame_copies"] = perPicture / copyMs;
    state.counters["rays_recorded"] = bench.records.raycount;
}

void PointSourceFanWithWaves(benchmark::State& state)
{
    WaveBench bench;
    const double x0 = state.range(0), y0 = state.range(1);
    timed(state, bench, [&] {
        bench.redraw();
        bench.values.light.beam = false;
        waves::desmiapopigi(bench.surface, bench.records, bench.values, bench.lens.xcentreA,
                            bench.lens.xcentreB, bench.lens.radiusA, bench.lens.radiusB, x0, y0);
    });
}
// Left of the lens (the usual Shift+click), and inside the glass, where every ray of the fan is recorded.
BENCHMARK(PointSourceFanWithWaves)->Args({-200, 0})->Args({-20, 10})->Unit(benchmark::kMillisecond);

void ParallelBeamWithWaves(benchmark::State& state)
{
    WaveBench bench;
    bench.values.desmi1 = 20;
    timed(state, bench, [&] {
        bench.surface.Cls();
        waves::parallelbeam(bench.surface, bench.records, bench.values.withCircles(bench.lens), [&] {
                                bench.redraw();
                                return bench.values.withCircles(bench.lens);
                            }, 0);
    });
}
BENCHMARK(ParallelBeamWithWaves)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The same fan from inside the glass without painting: what the optics itself costs.
void PointSourceFanOpticsOnly(benchmark::State& state)
{
    lens::RecordingDevice device(1920, 1080);
    lens::Surface surface(device);
    constexpr double W = 1920, H = 1080, S = W + H;
    surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
    lens::spherical::LensState lens;
    lens::waves::RayRecords records;
    lens::waves::BenchScene values;
    values.waves.wavesAndRays = true;
    values.raystep = std::numbers::pi / (150.0 / 30);
    values.diaphragm = {0, 86.6, -86.6};
    for (auto _ : state) {
        device.reset();
        lens::waves::desmiapopigi(surface, records, values, lens.xcentreA, lens.xcentreB, lens.radiusA,
                                  lens.radiusB, -20, 10);
    }
    state.counters["primitives"] = static_cast<double>(device.count());
}
BENCHMARK(PointSourceFanOpticsOnly)->Unit(benchmark::kMillisecond);

} // namespace
