// The bench's heaviest live picture, drawn again for a new source as a pointer move would draw it: the
// lens with its glass tint, the fan of 573 rays with "SHOW WAVES AND RAYS" ticked and its waves, and the
// cardinal-point construction, through the bench's model. At 1920 × 1080 and 3840 × 2160, each beside a
// full-frame copy of an image of the same size, and the glass tint's flood fill on its own. The labels need
// a GUI application: this runs on its own, on the offscreen platform.

#include "bench/bench_model.h"
#include "spherical/spherical_lens.h"
#include "surface/qt/fonts.h"
#include "surface/qt/image_device.h"
#include "surface/shared_values.h"
#include "surface/surface.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <benchmark/benchmark.h>

namespace {

using namespace lens;

// A retained picture of w × h device pixels in the bench's user coordinates (width plus height 1200 units),
// as a window keeps it at a device-pixel ratio: drawn in the display's own pixels, pens the ratio wide.
struct SizedPicture {
    QImage image;
    ImageDevice device{image};
    Surface surface{device};
    SizedPicture(int w, int h, double ratio) : image(w, h, QImage::Format_RGB32)
    {
        surface.PenScale = std::max(1, int(std::lround(ratio)));
        const double W = device.width(), H = device.height(), S = W + H;
        surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
        surface.BackColor = colours::windowBackground;
        surface.Cls();
    }
};

// The bench loaded with "SHOW WAVES AND RAYS" ticked and desmi1 at 150 (573 rays).
struct LiveBench : SizedPicture {
    SharedValues shared;
    bench::BenchModel model;
    LiveBench(int w, int h, double ratio) : SizedPicture(w, h, ratio)
    {
        model.load(surface, 5, 2, 5, 5);
        model.setTicked(surface, bench::Box::Check1, true);
        model.setValue(surface, bench::Bar::desmi1, 150);
    }
};

void FrameCopy(benchmark::State& state)
{
    QImage source(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    source.fill(Qt::white);
    for (auto _ : state) {
        QImage copy = source.copy();
        benchmark::DoNotOptimize(copy.bits());
    }
}

// A Shift+press at a source that moves half a unit each time over ten units left of the lens: the clear,
// the scene redraw with the tint, the fan with its waves and the construction.
void LiveFanWithWaves(benchmark::State& state)
{
    LiveBench bench(int(state.range(0)), int(state.range(1)), double(state.range(2)));
    int step = 0;
    for (auto _ : state) {
        const double x = -205 + 0.5 * (step++ % 20);
        bench.model.press(bench.surface, 1, x, 10);
        bench.device.flush();
        benchmark::DoNotOptimize(bench.image.constBits());
    }
    state.counters["rays_recorded"] = bench.model.records().raycount;
}

// The tint alone over the lens the scene leaves: the glass filled from one of its pixels, in turn with the
// window's colour and with the tint, so each fill covers the very region the scene's fill covers.
void GlassFill(benchmark::State& state)
{
    LiveBench bench(int(state.range(0)), int(state.range(1)), double(state.range(2)));
    bench.model.newLensPicture(bench.surface);
    bench.device.flush();
    const QRgb glass = qRgb(spherical::sceneColours::glass.r, spherical::sceneColours::glass.g,
                            spherical::sceneColours::glass.b);
    // A seed in logical pixels whose device pixel is tinted.
    const double ratio = bench.image.devicePixelRatio();
    int seedX = -1, seedY = -1;
    qint64 region = 0;
    for (int y = 0; y < bench.image.height(); ++y)
        for (int x = 0; x < bench.image.width(); ++x)
            if (bench.image.pixel(x, y) == glass) {
                ++region;
                const int lx = int(x / ratio), ly = int(y / ratio);
                if (seedX < 0 && bench.image.pixel(int(lx * ratio), int(ly * ratio)) == glass)
                    seedX = lx, seedY = ly;
            }
    if (seedX < 0) {
        state.SkipWithError("the scene left no glass tint");
        return;
    }
    bool tinted = true;
    for (auto _ : state) {
        bench.device.floodFill(seedX, seedY, spherical::sceneColours::outline,
                               tinted ? colours::windowBackground : spherical::sceneColours::glass,
                               FloodMode::seedColour);
        tinted = !tinted;
        benchmark::DoNotOptimize(bench.image.constBits());
    }
    state.counters["tint_pixels"] = double(region);
}

// Each size's copy first, then what is drawn at that size: a display of 1920 × 1080, one of 3840 × 2160 at
// scale factor 1 and the same at scale factor 2 (1920 × 1080 logical pixels).
using Bench = benchmark::internal::Benchmark;
void Full(Bench* b) { b->Args({1920, 1080, 1})->ArgNames({"w", "h", "dpr"})->Unit(benchmark::kMillisecond); }
void Uhd(Bench* b) { b->Args({3840, 2160, 1})->ArgNames({"w", "h", "dpr"})->Unit(benchmark::kMillisecond); }
void UhdScaled(Bench* b) { b->Args({3840, 2160, 2})->ArgNames({"w", "h", "dpr"})->Unit(benchmark::kMillisecond); }
BENCHMARK(FrameCopy)->Apply(Full);
BENCHMARK(LiveFanWithWaves)->Apply(Full);
BENCHMARK(GlassFill)->Apply(Full);
BENCHMARK(FrameCopy)->Apply(Uhd);
BENCHMARK(LiveFanWithWaves)->Apply(Uhd);
BENCHMARK(GlassFill)->Apply(Uhd);
BENCHMARK(LiveFanWithWaves)->Apply(UhdScaled);
BENCHMARK(GlassFill)->Apply(UhdScaled);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    lens::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
