// The bench model's light: what a press, a move and a release do, the beams, fans and the bundle
// command, and the wavefronts in time. The controls, the lens and the picture are in bench_model.cpp.

#include "bench/bench_model.h"

#include "surface/number_text.h"
#include "waves/parallel_beam.h"
#include "waves/point_fan.h"
#include "waves/print_bench.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens::bench {

namespace {

// The hidden scroll bar a dropped centre or radius sets; none for the blades, the source or nothing.
std::optional<Bar> barOf(BenchDrop::Kind kind)
{
    switch (kind) {
    case BenchDrop::centreA: return Bar::kentrokykloy2;
    case BenchDrop::centreB: return Bar::kentrokykloy;
    case BenchDrop::radiusA: return Bar::aktina1;
    case BenchDrop::radiusB: return Bar::aktina2;
    case BenchDrop::nothing:
    case BenchDrop::blades:
    case BenchDrop::source:
        break;
    }
    return std::nullopt;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The mouse.

void BenchModel::onlyWavesArmsTheAnimation()
{
    if (!check2_)
        return;
    kymatachronikaEnabled = true;
    Timer2.interval = 1500;
    parallilakymataEnabled = false;
    Timer2.enabled = false;
    Timer1.interval = 1500;
}

void BenchModel::press(Surface& s, int shift, double x, double y)
{
    if (drag.any())
        return; // one drag at a time: another button's press while one is held changes nothing
    lensFromScrollBars();
    paused_ = 0;
    // A press on a blade, a centre or an edge picks it up over the picture as it stands, so that the drag
    // and the drop show the scenes with the lens as it moves; a press elsewhere starts a new picture.
    if (objectAt(s, Line1, Line2, lens, x, y) != BenchObject::none) {
        animationOnView = false;
        redrawPicture(s);
    } else {
        newLensPicture(s);
    }
    pressOnBench(drag, s, Line1, Line2, lens, shift, x, y);
    if (drag.dragSource)
        fanAt(s, x, y);
    if (shiftAlone(shift))
        sourceAt(x, y);
    constructionAndMeasurements(s);
}

void BenchModel::fanFrom(Surface& s, double x, double y)
{
    lensFromScrollBars();
    paused_ = 0;
    newLensPicture(s);
    fanAt(s, x, y);
    sourceAt(x, y);
    constructionAndMeasurements(s);
}

void BenchModel::constructionAndMeasurements(Surface& s)
{
    // Unless "SHOW ONLY WAVES", the image construction for the source as it now stands. A beam has no
    // source on view, and an image of a point nobody sees would only puzzle.
    if (!check2_ && sourceOnViewAt(s, shared.sourcex, shared.sourcey))
        drawOverLens(s, {Scene::construction, 0, shared.sourcex, shared.sourcey});
    drawMeasurements(s);
}

bool BenchModel::sourceOnViewAt(const Surface& s, double x, double y) const
{
    // The marker goes wherever the source is moved, so the construction's object is the source's place.
    return !shared.parallelmode && pigi.Visible && x == shared.sourcex && y == shared.sourcey &&
           spherical::strictlyInView(s, x, y);
}

void BenchModel::fanAt(Surface& s, double x, double y)
{
    shared.parallelmode = false;
    shared.sourcex = x, shared.sourcey = y;
    Timer2.interval = 11500;
    Timer2.enabled = false;
    drawOverLens(s, {Scene::fan, 0, x, y});
    shared.parallelmode = false;
}

void BenchModel::sourceAt(double x, double y)
{
    shared.parallelmode = false;
    centreOn(pigi, x, y);
    onlyWavesArmsTheAnimation();
    shared.sourcex = x, shared.sourcey = y;
}

int BenchModel::move(const Surface& s, double x, double y)
{
    lensFromScrollBars();
    const int pointer = pointerOnBench(drag, objectAt(s, Line1, Line2, lens, x, y));
    // A centre being dragged shows its marker on the axis under the pointer.
    if (drag.dragCentreA) {
        Shape1.Visible = true;
        Shape1.Width = s.ScaleWidth() / 100;
        Shape1.Left = x - Shape1.Width / 2;
        Shape1.Top = Shape1.Height / 2;
    } else if (drag.dragCentreB) {
        Shape2.Visible = true;
        Shape2.Left = x - Shape2.Width / 2;
        Shape2.Top = Shape2.Height / 2;
    }
    return pointer;
}

void BenchModel::release(Surface& s, double x, double y)
{
    lensFromScrollBars();
    const BenchDrop drop = releaseOnBench(drag, s, Line1, Line2, lens, x, y);
    if (drop.kind == BenchDrop::source)
        return;
    if (const auto bar = barOf(drop.kind))
        setValue(s, *bar, drop.scrollValue);
    if (drop.kind == BenchDrop::centreA)
        Shape1.Visible = false;
    if (drop.kind == BenchDrop::centreB)
        Shape2.Visible = false;
    // The drop draws the picture again with the lens and blades where they now stand.
    if (drop.kind != BenchDrop::nothing)
        redrawLive(s);
    onlyWavesArmsTheAnimation();
}

void BenchModel::placeBlades(Surface& s, double x, double upperTip, double lowerTip)
{
    lensFromScrollBars();
    Line1.X1 = Line1.X2 = Line2.X1 = Line2.X2 = x;
    Line1.Y1 = upperBladeTop(s), Line1.Y2 = upperTip;
    Line2.Y1 = lowerBladeBottom(s), Line2.Y2 = lowerTip;
    // Each tip fitted on its own: the glass is symmetric about the axis, so the lower tip is fitted as the
    // mirror image of a point above it would be.
    applyBladeFit(s, {spherical::upperBladeFit(s, x, upperTip, lens), spherical::lowerBladeFit(s, x, -lowerTip, lens)});
    redrawLive(s);
}

bool BenchModel::followsPointer(int shift) const
{
    return (drag.dragSource && shiftAlone(shift)) || drag.dragLine1 || drag.dragLine2 || drag.dragCentreA ||
           drag.dragCentreB || drag.dragRadiusA || drag.dragRadiusB;
}

void BenchModel::follow(Surface& s, int shift, double x, double y)
{
    if (!followsPointer(shift))
        return;
    if (drag.dragSource) {
        // The source goes with the pointer, and the fan and its construction with it.
        centreOn(pigi, x, y);
        shared.sourcex = x, shared.sourcey = y;
        for (Scene& scene : scenes)
            if (scene.kind == Scene::fan || scene.kind == Scene::construction)
                scene.x = x, scene.y = y;
        redrawLive(s);
        return;
    }
    lensFromScrollBars();
    // Where the drop here would put the object, without ending the drag.
    DragFlags stillDragging = drag;
    const BenchDrop drop = releaseOnBench(stillDragging, s, Line1, Line2, lens, x, y);
    if (const auto bar = barOf(drop.kind))
        setValue(s, *bar, drop.scrollValue); // its handler draws the picture again with the new lens
    else if (drop.kind == BenchDrop::blades)
        redrawLive(s);
}

// ---------------------------------------------------------------------------------------------
// Beams, fans and the bundle command.

bool BenchModel::parallelbeam(Surface& s, double angle)
{
    waves::BenchValues v = waveValues();
    // The scene redraw may move the blades; the beam then reads them where they stand.
    const bool drawn = waves::parallelbeam(s, lens, records, v, [&](waves::BenchValues& values) {
        anaschediasi(s);
        values.diaphragm = diaphragm();
        return lens;
    }, angle);
    if (drawn)
        shared.parallelmode = v.parallelmode;
    return drawn;
}

void BenchModel::desmiapopigi(Surface& s, double x0, double y0)
{
    waves::BenchValues v = waveValues();
    // The fan is traced with the index its scroll bar gives, which the lens then keeps.
    lens.refindex = v.index();
    waves::fanFromPoint(s, lens, records, v, x0, y0);
    shared.sourcex = v.sourcex;
    shared.sourcey = v.sourcey;
}

void BenchModel::bundleAsked(Surface& s)
{
    shared.parallelmode = true;
    records.startBundle(0, false);
    Timer1.interval = 1500;
    anaschediasi(s);
}

std::string BenchModel::bundleAnswered(Surface& s, const std::string& answer)
{
    BeamAnswer beam = beamslopefromanswer(answer);
    // The prompt asks for −90 < φ < 90: a number beyond it is refused as such, ±90 itself as vertical.
    const bool number = beam.kind == AngleAnswer::beam || beam.kind == AngleAnswer::vertical ||
                        beam.kind == AngleAnswer::tooLarge;
    if (number && std::fabs(beam.degrees) != 90 && !(std::fabs(beam.degrees) < 90))
        beam.kind = AngleAnswer::outsideRange;
    if (beam.kind != AngleAnswer::beam)
        return angleAnswerMessage(beam.kind);
    shared.bundleangle = beam.degrees * std::numbers::pi / 180;
    Timer1.enabled = false;
    if (!parallelbeam(s, shared.bundleangle))
        return std::string(waves::verticalBeamMessage);
    scenes.push_back({Scene::beam, shared.bundleangle, 0, 0});
    drawMeasurements(s);
    kymatachronikaEnabled = false;
    Timer2 = {1550, true};
    parallilakymataEnabled = true;
    return {};
}

void BenchModel::printPage(Surface& page, Surface& benchTrace, const waves::PageCaption& caption)
{
    const auto table = std::make_unique<waves::RayRecords>();
    lens = lensFromControls();
    waves::printBenchPage(page, benchTrace, lens, *table, waveValues(), shared.sourcex, shared.sourcey, caption);
}

// ---------------------------------------------------------------------------------------------
// The wavefronts in time.

void BenchModel::parallilakymata(Surface& s)
{
    paused_ = 0;
    s.Cls();
    Timer1.interval = 2000;
    sxediasifakoy11(s);
    Timer2.interval = 1;
    Timer1.enabled = false;
    Timer2.enabled = true;
}

void BenchModel::kymatachronika(Surface& s)
{
    paused_ = 0;
    s.Cls();
    Timer2.interval = 2000;
    sxediasifakoy11(s);
    Timer2.enabled = false;
    Timer1 = {1, true};
}

void BenchModel::sxediasifakoy11(Surface& s)
{
    lensFromScrollBars();
    // The blades, upper first, moved out of the glass onto the lens surface as the scene redraw fits
    // them; their scroll bars follow.
    const double tipX = Line1.X2, tipY = Line1.Y2;
    applyBladeFit(s, spherical::fitDiaphragm(s, tipX, tipY, lens));
    scenes.clear();
    waves::sxediasifakoy11(s, lens, records, shared.parallelmode, shared.sourcex, shared.sourcey, animation);
    animationOnView = true;
}

void BenchModel::drawTick(Surface& s, int j)
{
    if (animationOnView && onView)
        waves::drawWaveTick(s, animation, j, records.recorded(), tickOutline);
}

void BenchModel::Timer1_Timer(Surface& s)
{
    elapsed1 = double(tickcount1) * Timer1.interval;
    ++tickcount1;
    if (elapsed1 > 500) {
        tickcount1 = 0;
        Timer1.enabled = false;
        return;
    }
    if (tickcount1 > waves::lastAnimationTick)
        return; // idles until the count of milliseconds stops it
    drawTick(s, tickcount1);
}

void BenchModel::Timer2_Timer(Surface& s)
{
    elapsed2 = double(tickcount2) * Timer2.interval;
    ++tickcount2;
    if (tickcount2 > waves::lastAnimationTick) {
        Timer2.enabled = false;
        tickcount2 = 0;
        return;
    }
    if (elapsed2 <= 500)
        drawTick(s, tickcount2);
}

void BenchModel::pauseOrResume()
{
    if (paused_ != 0) {
        (paused_ == 1 ? Timer1 : Timer2).enabled = true;
        paused_ = 0;
    } else if (animationOnView && Timer1.running()) {
        Timer1.enabled = false;
        paused_ = 1;
    } else if (animationOnView && Timer2.running()) {
        Timer2.enabled = false;
        paused_ = 2;
    }
}

void BenchModel::stepWhilePaused(Surface& s)
{
    // One tick of the paused timer, which stays paused (unless the tick ends the animation).
    if (paused_ == 1)
        Timer1_Timer(s);
    else if (paused_ == 2)
        Timer2_Timer(s);
    if (paused_ != 0 && (paused_ == 1 ? tickcount1 : tickcount2) == 0)
        paused_ = 0; // the count is up: nothing is left to resume
}

void BenchModel::stopAnimation()
{
    if (paused_ != 0)
        (paused_ == 1 ? tickcount1 : tickcount2) = 0;
    paused_ = 0;
    for (auto [timer, count] : {std::pair{&Timer1, &tickcount1}, std::pair{&Timer2, &tickcount2}})
        if (timer->running()) {
            timer->enabled = false;
            *count = 0;
        }
}

} // namespace lens::bench

