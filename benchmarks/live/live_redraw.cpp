// The bench's heaviest live picture, drawn again for a new source as a pointer move would draw it: the
// lens with its glass tint, the fan of 573 rays with "SHOW WAVES AND RAYS" ticked and its waves, and the
// cardinal-point construction, through the bench's model. At 1920 × 1080 and 3840 × 2160, each beside a
// full-frame copy of an image of the same size, and the glass tint's flood fill on its own. The labels need
// a GUI application: this runs on its own, on the offscreen platform.

#include "bench/bench_model.h"
#include "spherical/spherical_lens.h"
#include "surface/qt/fonts.h"
#include "surface/qt/image_device.h"
#include "surface/null_device.h"
#include "surface/surface.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
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
void loadLive(bench::BenchModel& model, Surface& surface)
{
    model.load(surface, 5, 2, 5, 5);
    model.setTicked(surface, bench::Box::Check1, true);
    model.setValue(surface, bench::Bar::desmi1, 150);
}
struct LiveBench : SizedPicture {
    bench::BenchModel model;
    LiveBench(int w, int h, double ratio) : SizedPicture(w, h, ratio) { loadLive(model, surface); }
};

// The source's place for move number step: half a unit further each time over ten units left of the lens.
double movedSource(int step) { return -205 + 0.5 * (step % 20); }

// A Shift+click there: the picture drawn anew from the source, and the button let go (the bench takes one
// drag at a time, so a press while the last is held would draw nothing).
void pressAndRelease(bench::BenchModel& model, Surface& surface, double x)
{
    model.press(surface, 1, x, 10);
    model.release(surface, x, 10);
}

// The live frame as a window shows it: the picture drawn for the moved source, then painted into a
// backing store of the same size (the window's paint of its retained picture).
void LiveFrameShown(benchmark::State& state)
{
    LiveBench bench(int(state.range(0)), int(state.range(1)), double(state.range(2)));
    QImage backing(bench.image.size(), QImage::Format_RGB32); // as an X11 window's backing store
    int step = 0;
    for (auto _ : state) {
        pressAndRelease(bench.model, bench.surface, movedSource(step++));
        bench.device.flush();
        QPainter paint(&backing);
        paint.drawImage(0, 0, bench.image);
        paint.end();
        benchmark::DoNotOptimize(backing.constBits());
    }
}

// The frame's floor at the same size: a clear of the picture, one full-frame paint into the backing
// store, and the same optics traced on a device that draws nothing.
void LiveFrameFloor(benchmark::State& state)
{
    const int w = int(state.range(0)), h = int(state.range(1));
    const double ratio = double(state.range(2));
    SizedPicture picture(w, h, ratio);
    QImage backing(picture.image.size(), QImage::Format_RGB32);
    NullDevice nothing(w, h);
    Surface traced(nothing);
    traced.PenScale = picture.surface.PenScale;
    traced.Scale(picture.surface.ScaleLeft(), picture.surface.ScaleTop(),
                 picture.surface.ScaleLeft() + picture.surface.ScaleWidth(),
                 picture.surface.ScaleTop() + picture.surface.ScaleHeight());
    bench::BenchModel model;
    loadLive(model, traced);
    int step = 0;
    for (auto _ : state) {
        picture.surface.Cls();
        picture.device.flush();
        pressAndRelease(model, traced, movedSource(step++));
        QPainter paint(&backing);
        paint.drawImage(0, 0, picture.image);
        paint.end();
        benchmark::DoNotOptimize(backing.constBits());
    }
}

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
        pressAndRelease(bench.model, bench.surface, movedSource(step++));
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

// The live frame as shown beside its floor, at each display the classroom has: a laptop's 1366 × 768,
// 1920 × 1080, and a 4K projector at scale factors 1 and 2.
void Shown(Bench* b)
{
    b->ArgNames({"w", "h", "dpr"})->Unit(benchmark::kMillisecond);
    for (const auto& size : {std::array<int64_t, 3>{1366, 768, 1}, {1920, 1080, 1}, {3840, 2160, 1}, {3840, 2160, 2}})
        b->Args({size[0], size[1], size[2]});
}
BENCHMARK(LiveFrameFloor)->Apply(Shown);
BENCHMARK(LiveFrameShown)->Apply(Shown);

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
