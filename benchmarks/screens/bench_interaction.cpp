// The bench as a user drives it, on an offscreen display of 1920 × 1080: a Shift+press with the
// default controls (scene redraw, the 76-ray fan, the cardinal points, and the release) and a blade
// drop (clear and redraw), each through the screen's own mouse handlers.

#include "app/app.h"
#include "bench/bench_screen.h"
#include "surface/qt/fonts.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using namespace lens;

LensBenchApp* program = nullptr;

void ShiftPressFiresTheFan(benchmark::State& state)
{
    BenchScreen& bench = program->vitrosa();
    for (auto _ : state) {
        bench.Form_MouseDown(1, 1, -250, 30);
        bench.Form_MouseUp(1, 1, -250, 30);
        benchmark::DoNotOptimize(bench.canvas().image().constBits());
    }
    state.counters["width"] = bench.canvas().width();
}
BENCHMARK(ShiftPressFiresTheFan)->Unit(benchmark::kMillisecond);

void BladeDrop(benchmark::State& state)
{
    BenchScreen& bench = program->vitrosa();
    const double x = bench.Line1->X1 + 0.5 * bench.surface().ScaleWidth() / 120;
    for (auto _ : state) {
        state.PauseTiming(); // the press that picks the blade up is timed on its own above
        bench.Form_MouseDown(1, 0, x, 200);
        state.ResumeTiming();
        bench.Form_MouseUp(1, 0, x, 120);
        benchmark::DoNotOptimize(bench.canvas().image().constBits());
    }
}
BENCHMARK(BladeDrop)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // A display of 1920 × 1080 without a window manager.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"windowFrameMargins": false, "screens": [{"name": "bench", "x": 0, "y": 0,
            "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication application(argc, argv);
    installFontSubstitutions();
    auto app = std::make_unique<LensBenchApp>();
    app->endProgram = [] {};
    app->Main();
    program = app.get();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
