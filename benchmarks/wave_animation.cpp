// The heaviest tick of the wavefronts in time, drawn offscreen at 1920 × 1080: tick 240 of a parallel beam
// of 451 recorded rays, with all 23 kept fronts drawn again. The whole animation is 240 such ticks at one
// per display frame, so a tick must leave most of a 16.7 ms frame free.

#include "bench_picture.h"
#include "waves/wave_animation.h"
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

namespace {

using namespace lens;

struct AnimationBench : BenchPicture {
    spherical::LensState lens;
    waves::RayRecords records;
    waves::WaveAnimation animation;

    AnimationBench()
    {
        // 451 beam rays across the lens's aperture, every one of them recorded.
        waves::BenchScene beam;
        beam.light.beam = true;
        beam.diaphragm = {0, 1000, -1000};
        for (int k = 0; k <= waves::startTableLast; ++k) {
            double x0 = -200, y0 = 60 - k * (120.0 / waves::startTableLast);
            waves::tracebundleray(surface, records, beam, x0, y0, 1, 0, lens.xcentreA, lens.xcentreB, lens.radiusA,
                                  lens.radiusB, lens.refindex);
        }
        waves::sxediasifakoy11(surface, lens, records, true, 0, 0, animation);
        for (int j = 1; j < waves::lastAnimationTick; ++j)
            waves::drawWaveTick(surface, animation, j, records.raycount);
    }
};

void WaveAnimationHeaviestTick(benchmark::State& state)
{
    AnimationBench bench;
    const auto outline = state.range(0) ? waves::OutlineRedraw::everyStep : waves::OutlineRedraw::once;
    for (auto _ : state) {
        waves::drawWaveTick(bench.surface, bench.animation, waves::lastAnimationTick, bench.records.raycount, outline);
        bench.device.flush();
    }
    state.counters["rays"] = bench.records.raycount;
}
// 0: the outline once where its last drawing stands (what the bench draws); 1: after every ray.
BENCHMARK(WaveAnimationHeaviestTick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void WaveAnimationStart(benchmark::State& state)
{
    AnimationBench bench;
    for (auto _ : state) {
        waves::sxediasifakoy11(bench.surface, bench.lens, bench.records, true, 0, 0, bench.animation);
        bench.device.flush();
    }
}
BENCHMARK(WaveAnimationStart)->Unit(benchmark::kMillisecond);

} // namespace
