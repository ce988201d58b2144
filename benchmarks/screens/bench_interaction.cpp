// The bench as a user drives it, on an offscreen display of 1920 × 1080: a Shift+press with the
// default controls (scene redraw, the 76-ray fan, the cardinal points, and the release) and a blade
// drop (clear and redraw), each through the screen's own mouse handlers; the printed page written to a
// PDF; and the resident size over a thousand wave animations started one after another.

#include "app/app.h"
#include "bench/bench_screen.h"
#include "surface/qt/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <unistd.h>

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

// The page at its 181 rays with the point source's waves ("SHOW WAVES AND RAYS"), written to a PDF file.
void PrintedPageToPdf(benchmark::State& state)
{
    BenchScreen& bench = program->vitrosa();
    bench.Check1->setChecked(true);
    bench.Form_MouseDown(1, 1, -200, 0);
    bench.Form_MouseUp(1, 1, -200, 0);
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        benchmark::DoNotOptimize(bench.printOn(printer));
    }
    state.counters["pdf_kB"] = double(QFileInfo(dir.filePath(QStringLiteral("page.pdf"))).size()) / 1024;
    bench.Check1->setChecked(false);
}
BENCHMARK(PrintedPageToPdf)->Unit(benchmark::kMillisecond);

double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// A thousand wave animations, each started and run for twenty ticks: the resident size before and after.
void ThousandAnimations(benchmark::State& state)
{
    BenchScreen& bench = program->vitrosa();
    bench.Check1->setChecked(true);
    bench.Form_MouseDown(1, 1, -200, 0);
    bench.Form_MouseUp(1, 1, -200, 0);
    bench.kymatachronika_Click(); // the first tables
    const double before = residentMegabytes();
    for (auto _ : state) {
        for (int animation = 0; animation < 1000; ++animation) {
            bench.model.stopAnimation();
            bench.kymatachronika_Click();
            for (int tick = 0; tick < 20; ++tick)
                bench.Timer1_Timer();
        }
    }
    state.counters["rss_before_MB"] = before;
    state.counters["rss_after_MB"] = residentMegabytes();
    state.counters["rays"] = bench.model.records().raycount;
    bench.Check1->setChecked(false);
}
BENCHMARK(ThousandAnimations)->Iterations(1)->Unit(benchmark::kMillisecond);

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
