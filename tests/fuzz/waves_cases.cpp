// Fuzz cases over the bench's waves: bundle rays, the parallel beam and its waves, the point-source waves,
// the fan from a point, the single-ray tracer, the recorded paths, the lens outline, the cardinal points,
// the printed page and the waves in time. Every call into the waves routines is made here.
//
// Where a routine's work grows with a value (the rays of a fan or beam, the time marks in a lens of large
// radius or index) that value stays within what the bench's controls can give, the index up to four times
// its largest; everything else also takes values far beyond the controls.

#include "fuzz_support.h"

#include "bench/bench_model.h"
#include "spherical/spherical_lens.h"
#include "surface/null_device.h"
#include "waves/cardinal_points.h"
#include "waves/print_bench.h"
#include "waves/wave_animation.h"
#include "waves/bundle_ray.h"
#include "waves/lens_outline.h"
#include "waves/parallel_beam.h"
#include "waves/parallel_waves.h"
#include "waves/point_fan.h"
#include "waves/point_source_waves.h"
#include "waves/ray_records.h"
#include "waves/single_ray.h"

#include <functional>
#include <memory>
#include <numbers>

namespace lens::fuzz {

namespace {

using namespace waves;
using spherical::LensState;

// The bench's picture: 1200 units across its width plus height, centred on the origin, y upwards.
void benchScale(Surface& surface)
{
    const double W = surface.device().width(), H = surface.device().height(), S = W + H;
    surface.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S);
}

// A radius the hidden scroll bars can give (0 to 500), or one that costs nothing however far it lies.
double radius(Input& in, bool anyValue)
{
    switch (in.pick(anyValue ? 5 : 4)) {
    case 0: return 0;
    case 1: return 500;
    case 2: return in.within(0, 500);
    case 3: return in.pick(2) ? 50.0 : 90.0;
    default: return in.value();
    }
}

// A lens of two circles: the bench's at start, radius 0, equal centres, one disc inside the other, circles
// that do not meet, or centres anywhere.
LensState benchLens(Input& in, bool anyRadius)
{
    LensState lens;
    switch (in.pick(6)) {
    case 0: break;
    case 1: lens.radiusB = 0; break;
    case 2: lens.xcentreA = lens.xcentreB = in.within(-500, 500); break;
    case 3: lens = {-10, 200, 0, 50, 1.5}; break;
    case 4: lens = {-500, 50, 500, 50, 1.5}; break;
    default:
        lens.xcentreA = in.value();
        lens.xcentreB = in.value();
        lens.radiusA = radius(in, anyRadius);
        lens.radiusB = radius(in, anyRadius);
        break;
    }
    lens.refindex = in.pick(2) ? in.within(0.4, 2.5) : in.value();
    return lens;
}

// The index × 100 of the bench's scroll bar, at its ends, within it, or beyond it up to 10.
int indexControl(Input& in)
{
    const int beyond[] = {40, 250, 100, 0, -150, 1, 1000};
    return in.pick(2) ? in.integerWithin(40, 250) : beyond[in.pick(7)];
}

// An index handed to a tracer itself: the control's range, 1, up to four times its largest, or an index
// that is no number of a glass at all.
double tracingIndex(Input& in)
{
    const double beyond[] = {0.4, 2.5, 1.0, 10.0, 0, -1.5, 1e-300, nan, inf, -inf};
    return in.pick(2) ? in.within(0.4, 2.5) : beyond[in.pick(10)];
}

// An angle in radians: along the axis, ±90°, a half turn, or any value at all.
double angle(Input& in)
{
    const double pi = std::numbers::pi;
    const double some[] = {0, pi / 2, -pi / 2, pi, 20 * pi / 180, -45 * pi / 180};
    return in.pick(2) ? some[in.pick(6)] : in.value();
}

// Sources: on a face, at a centre, at a focus, at the rim, at the bench's start place, or anywhere.
void source(Input& in, const LensState& lens, double& x0, double& y0)
{
    const spherical::SimeiaTomis rim = spherical::tomikyklon(lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB);
    const double f = spherical::estiakiapostasi(lens.radiusA, lens.radiusB, lens.refindex).value_or(0.0);
    switch (in.pick(7)) {
    case 0: x0 = lens.xcentreA + lens.radiusA, y0 = 0; break;
    case 1: x0 = lens.xcentreB, y0 = 0; break;
    case 2: x0 = rim.x1 - f, y0 = 0; break;
    case 3: x0 = rim.x1, y0 = rim.y1; break;
    case 4: x0 = -200, y0 = 0; break;
    case 5: x0 = in.within(-600, 600), y0 = in.within(-300, 300); break;
    default: x0 = in.value(), y0 = in.value(); break;
    }
}

BenchScene benchValues(Input& in)
{
    BenchScene v;
    v.lens.refindex = indexControl(in) / 100.0;
    const int beamRays[] = {2, 150, 20, 0, 1, -5};
    v.desmi1 = in.pick(2) ? in.integerWithin(2, 150) : beamRays[in.pick(6)];
    v.waves.wavesAndRays = in.pick(2) == 1;
    v.waves.onlyWaves = in.pick(3) == 0;
    if (in.pick(2))
        v.diaphragm = {in.value(), in.value(), in.value()};
    // The fan's step: from the two scroll bars (0.1047° to 235.6°), or a step that gives no fan or one ray.
    const double steps[] = {0, -4.7, nan, inf, 360, 400, 1e300};
    v.raystep = in.pick(3) ? bench::raystepFor(in.integerWithin(2, 150), in.integerWithin(5, 150)) : steps[in.pick(7)];
    v.light.beam = in.pick(3) == 0;
    v.light.angle = angle(in);
    v.outlines = in.pick(4) == 0 ? OutlineRedraw::everyStep : OutlineRedraw::once;
    return v;
}

// A ray table filled with whatever the bytes say, rather than by a tracer.
void scramble(Input& in, RayRecords& records)
{
    const int counts[] = {0, 1, 2, 151, 450, 451, rayTableLast + 1, rayTableLast + 2, -3};
    records.raycount = counts[in.pick(9)];
    for (std::size_t r = 0; r < 8; ++r) {
        records.entryx[r] = in.value(), records.entryy[r] = in.value();
        records.dirx0[r] = in.value(), records.diry0[r] = in.value();
        records.exitx[r] = in.value(), records.exity[r] = in.value();
        records.dirx1[r] = in.value(), records.diry1[r] = in.value();
        records.dirxglass[r] = static_cast<float>(in.within(-1, 1));
        records.diryglass[r] = static_cast<float>(in.within(-1, 1));
        records.startx[r] = in.value(), records.starty[r] = in.value();
    }
}

// Rows of a table filled by the tracers lie within it and hold finite values.
void checkRecords(const RayRecords& records, Problems& problems)
{
    if (records.raycount < 0 || records.raycount > rayTableLast + 1) {
        problems.add("raycount " + std::to_string(records.raycount) + " outside the ray record table");
        return;
    }
    for (int i = 0; i < records.raycount; ++i) {
        const auto r = static_cast<std::size_t>(i);
        for (double v : {records.entryx[r], records.entryy[r], records.exitx[r], records.exity[r], records.dirx1[r],
                         records.diry1[r], records.glasslength[r], records.entrytime[r]})
            if (!std::isfinite(v)) {
                problems.add("bench ray " + std::to_string(i) + " recorded with a value that is not finite");
                return;
            }
    }
}

void checkCardinalPoints(const CardinalPoints& p, Problems& problems)
{
    for (const auto& v : {p.f0, p.f, p.H1, p.H2, p.N1, p.N2, p.F1, p.F2})
        if (v && !std::isfinite(*v))
            problems.add("cardinalpointsof gave a point that is not finite");
}

} // namespace

void waveRoutines(Input& in, Problems& problems)
{
    RecordingDevice device(960, 540);
    Surface surface(device);
    benchScale(surface);
    if (in.pick(8) == 0)
        surface.Scale(in.value(), in.value(), in.value(), in.value());
    const auto records = std::make_unique<RayRecords>();
    const int routine = in.pick(10);
    // The tracing routines' work grows with the radii; the others take radii of any size.
    const bool tracing = routine <= 5;
    LensState lens = benchLens(in, !tracing);
    BenchScene values = benchValues(in);
    double x0 = 0, y0 = 0;
    source(in, lens, x0, y0);
    const double xA = lens.xcentreA, xB = lens.xcentreB, rA = lens.radiusA, rB = lens.radiusB;
    bool traced = true; // the table was filled by tracers, not scrambled

    switch (routine) {
    case 0: {
        // Bundle rays one after another into the same table.
        for (int k = 0; k < 4; ++k) {
            const double t = angle(in);
            double sx = x0, sy = y0;
            const double dx = in.pick(4) ? std::cos(t) : in.value(), dy = in.pick(4) ? std::sin(t) : in.value();
            tracebundleray(surface, *records, values, sx, sy, dx, dy, xA, xB, rA, rB, tracingIndex(in));
        }
        break;
    }
    case 1:
        if (in.pick(2)) {
            parallelwaves(surface, *records, values.withCircles(lens), angle(in));
        } else {
            RecordingDevice pageDevice(1 + in.pick(3000), 1 + in.pick(3000));
            Surface page(pageDevice);
            page.Scale(-600, 600, 600, -600);
            parallelwaves(page, surface, *records, values.withCircles(lens), angle(in));
            checkDevice(pageDevice, problems);
        }
        break;
    case 2: {
        // The bench's redraw between the scene and the beam: the scene routine with the lens from the controls.
        const spherical::BenchControls controls{static_cast<int>(std::lround(values.lens.refindex * 100)), in.integerWithin(0, 500),
                                                in.integerWithin(-500, 0), in.integerWithin(50, 500),
                                                in.integerWithin(0, 500), in.value(), in.value()};
        std::function<BenchScene()> redraw;
        if (in.pick(3) != 0)
            redraw = [&] { return values.withCircles(spherical::anaschediasi(surface, controls, {})); };
        (void)parallelbeam(surface, *records, values.withCircles(lens), redraw, angle(in));
        break;
    }
    case 3:
        desmiapopigi(surface, *records, values, xA, xB, rA, rB, x0, y0);
        break;
    case 4: {
        // The page over a recording device of a printer's size or none at all; the rays traced on the bench's
        // coordinates without a picture.
        const int sizes[][2] = {{794, 1123}, {4960, 7016}, {1, 1}, {0, 0}, {3000, 200}};
        const auto& size = sizes[in.pick(5)];
        RecordingDevice pageDevice(size[0], size[1]);
        Surface page(pageDevice);
        page.PenScale = 1 + in.pick(8);
        NullDevice unseen(960, 540);
        Surface benchTrace(unseen);
        benchScale(benchTrace);
        printbench(page, benchTrace, *records, values, xA, xB, rA, rB, x0, y0);
        checkDevice(pageDevice, problems);
        if (page.DrawWidth != 1)
            problems.add("printbench left the page's pen at width " + std::to_string(page.DrawWidth));
        break;
    }
    case 5: {
        // The waves in time after a fan or a beam, or over a scrambled table.
        if (in.pick(4) == 0) {
            scramble(in, *records);
            traced = false;
        } else if (values.light.beam) {
            parallelwaves(surface, *records, values.withCircles(lens), values.light.angle);
        } else {
            values.waves.wavesAndRays = true;
            desmiapopigi(surface, *records, values, xA, xB, rA, rB, x0, y0);
        }
        WaveAnimation animation;
        const LensState animated = withIndex(lens, in.pick(2) ? values.index() : in.value());
        sxediasifakoy11(surface, animated, *records, values.light.beam, x0, y0, animation);
        const int ticks[] = {1, 2, 10, 11, lastAnimationTick, lastAnimationTick + 1, 0, -1};
        for (int k = 0; k < 3; ++k) {
            const int j = in.pick(2) ? in.integerWithin(1, lastAnimationTick) : ticks[in.pick(8)];
            const int rays = in.pick(2) ? animation.rays : in.integer();
            drawWaveTick(surface, animation, j, rays, in.pick(2) ? OutlineRedraw::once : OutlineRedraw::everyStep);
        }
        redrawWaveFrame(surface, animation);
        break;
    }
    case 6: {
        // The point-source waves and the recorded paths over a scrambled table.
        scramble(in, *records);
        traced = false;
        kymataapopigi(surface, *records, values.withCircles(lens), x0, y0, in.pick(2) ? PictureForm::screen : PictureForm::page);
        if (const auto path = recordedPath(*records, in.integer() % 8, x0, y0, in.value())) {
            const RayPathPoint p = path->at(in.value());
            surface.PSet(p.x, p.y);
        }
        break;
    }
    case 7: {
        int kind = 0;
        const double t = angle(in);
        const double dx = in.pick(4) ? std::cos(t) : in.value(), dy = in.pick(4) ? std::sin(t) : in.value();
        const spherical::ProtiTomi hit = prototomimoni(xA, xB, rA, rB, dx, dy, x0, y0, kind);
        if (hit.vrethike && !(std::isfinite(hit.x) && std::isfinite(hit.y)))
            problems.add("prototomimoni found a point that is not finite");
        if (kind < 0 || kind > 2)
            problems.add("prototomimoni gave a kind of boundary point other than 0, 1 or 2");
        aktinamoni(surface, values.diaphragm, x0, y0, dx, dy, xA, xB, rA, rB, tracingIndex(in));
        break;
    }
    case 8: {
        if (const auto arcs = lensFaceArcs(lens)) {
            for (double a : {arcs->arcAstart, arcs->arcAend, arcs->arcBstart, arcs->arcBend})
                if (!(a >= 0 && a <= 2 * std::numbers::pi))
                    problems.add("lensFaceArcs gave an angle outside 0..2π");
            drawLensOutline(surface, lens, *arcs);
        }
        break;
    }
    default: {
        checkCardinalPoints(cardinalpointsof(in.pick(2) ? lens : withIndex(lens, in.value())), problems);
        const spherical::BenchControls controls{static_cast<int>(std::lround(values.lens.refindex * 100)), in.integer(), in.integer(), in.integer(),
                                                in.integer(),             in.value(),   in.value()};
        const PictureForm form = in.pick(2) ? PictureForm::screen : PictureForm::page;
        if (in.pick(2))
            thinlensimage(surface, lens, controls, x0, y0, form);
        else
            cardinalpoints(surface, lens, controls, x0, y0, form);
        break;
    }
    }
    if (traced)
        checkRecords(*records, problems);
    checkDevice(device, problems);
}

} // namespace lens::fuzz
