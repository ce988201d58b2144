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
    kymatachronikaEnabled_ = true;
    Timer2_.interval = 1500;
    parallilakymataEnabled_ = false;
    Timer2_.enabled = false;
    Timer1_.interval = 1500;
}

void BenchModel::press(Surface& s, int shift, double x, double y)
{
    if (drag_.any() || measuring_)
        return; // one drag at a time: another button's press while one is held changes nothing
    if (shift & 2) { // Ctrl: the ruler
        measuring_ = true;
        ruler_ = Ruler{x, y, x, y};
        redrawLive(s);
        return;
    }
    paused_ = 0;
    // A press on a blade, a centre or an edge picks it up over the picture as it stands, so that the drag
    // and the drop show the scenes with the lens as it moves; a press elsewhere starts a new picture.
    if (objectAt(s, Line1_, Line2_, lens(), x, y) != BenchObject::none) {
        animationOnView_ = false;
        redrawPicture(s);
    } else {
        newLensPicture(s);
    }
    pressOnBench(drag_, s, Line1_, Line2_, lens(), shift, x, y);
    if (drag_.dragSource)
        fanAt(s, x, y);
    if (shiftAlone(shift))
        sourceAt(x, y);
    constructionAndMeasurements(s);
}

void BenchModel::fanFrom(Surface& s, double x, double y)
{
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
    if (!check2_ && sourceOnViewAt(s, light_.x, light_.y))
        drawOverLens(s, {Scene::construction, 0, light_.x, light_.y});
    drawMeasurements(s);
}

bool BenchModel::sourceOnViewAt(const Surface& s, double x, double y) const
{
    // The marker goes wherever the source is moved, so the construction's object is the source's place.
    return !light_.beam && pigi_.Visible && x == light_.x && y == light_.y &&
           spherical::strictlyInView(s, x, y);
}

void BenchModel::fanAt(Surface& s, double x, double y)
{
    light_.beam = false;
    light_.x = x, light_.y = y;
    Timer2_.interval = 11500;
    Timer2_.enabled = false;
    drawOverLens(s, {Scene::fan, 0, x, y});
    light_.beam = false;
}

void BenchModel::sourceAt(double x, double y)
{
    light_.beam = false;
    centreOn(pigi_, x, y);
    onlyWavesArmsTheAnimation();
    light_.x = x, light_.y = y;
}

int BenchModel::move(const Surface& s, double x, double y)
{
    const int pointer = pointerOnBench(drag_, objectAt(s, Line1_, Line2_, lens(), x, y));
    // A centre being dragged shows its marker on the axis under the pointer.
    if (drag_.dragCentreA) {
        Shape1_.Visible = true;
        Shape1_.Width = s.ScaleWidth() / 100;
        Shape1_.Left = x - Shape1_.Width / 2;
        Shape1_.Top = Shape1_.Height / 2;
    } else if (drag_.dragCentreB) {
        Shape2_.Visible = true;
        Shape2_.Left = x - Shape2_.Width / 2;
        Shape2_.Top = Shape2_.Height / 2;
    }
    return pointer;
}

void BenchModel::release(Surface& s, double x, double y)
{
    tipOnGlass_ = false;
    if (measuring_) {
        measuring_ = false;
        if (std::isfinite(x) && std::isfinite(y))
            ruler_->x2 = x, ruler_->y2 = y;
        redrawLive(s);
        return;
    }
    const BenchDrop drop = releaseOnBench(drag_, s, Line1_, Line2_, lens(), x, y);
    if (drop.kind == BenchDrop::source)
        return;
    if (const auto bar = barOf(drop.kind))
        setValue(s, *bar, drop.scrollValue);
    if (drop.kind == BenchDrop::centreA)
        Shape1_.Visible = false;
    if (drop.kind == BenchDrop::centreB)
        Shape2_.Visible = false;
    // The drop draws the picture again with the lens and blades where they now stand.
    if (drop.kind != BenchDrop::nothing)
        redrawLive(s);
    onlyWavesArmsTheAnimation();
}

void BenchModel::placeBlades(Surface& s, double x, double upperTip, double lowerTip)
{
    const spherical::LensState glass = lens();
    Line1_.X1 = Line1_.X2 = Line2_.X1 = Line2_.X2 = x;
    Line1_.Y1 = upperBladeTop(s), Line1_.Y2 = upperTip;
    Line2_.Y1 = lowerBladeBottom(s), Line2_.Y2 = lowerTip;
    // Each tip fitted on its own: the glass is symmetric about the axis, so the lower tip is fitted as the
    // mirror image of a point above it would be.
    applyBladeFit(s, {spherical::upperBladeFit(s, x, upperTip, glass), spherical::lowerBladeFit(s, x, -lowerTip, glass)});
    redrawLive(s);
}

bool BenchModel::followsPointer(int shift) const
{
    return measuring_ || (drag_.dragSource && shiftAlone(shift)) || drag_.dragLine1 || drag_.dragLine2 || drag_.dragCentreA ||
           drag_.dragCentreB || drag_.dragRadiusA || drag_.dragRadiusB;
}

void BenchModel::follow(Surface& s, int shift, double x, double y)
{
    if (!followsPointer(shift))
        return;
    if (measuring_) {
        ruler_->x2 = x, ruler_->y2 = y;
        redrawLive(s);
        return;
    }
    if (drag_.dragSource) {
        carrySource(s, x, y);
        return;
    }
    // Where the drop here would put the object, without ending the drag. A blade's tip taken into the
    // glass rests on the lens's surface, and the pointer says so.
    tipOnGlass_ = (drag_.dragLine1 || drag_.dragLine2) && spherical::insideLens(x, y, lens());
    DragFlags stillDragging = drag_;
    const BenchDrop drop = releaseOnBench(stillDragging, s, Line1_, Line2_, lens(), x, y);
    if (const auto bar = barOf(drop.kind))
        setValue(s, *bar, drop.scrollValue); // its handler draws the picture again with the new lens
    else if (drop.kind == BenchDrop::blades)
        redrawLive(s);
}

void BenchModel::carrySource(Surface& s, double x, double y)
{
    // The source goes to (x, y), and the fan and its construction with it.
    centreOn(pigi_, x, y);
    light_.x = x, light_.y = y;
    for (Scene& scene : scenes_)
        if (scene.kind == Scene::fan || scene.kind == Scene::construction)
            scene.x = x, scene.y = y;
    redrawLive(s);
}

void BenchModel::moveSource(Surface& s, double dx, double dy)
{
    if (drag_.any() || !loaded_)
        return;
    // Held inside the view, a hair within its edges, so that the source stays on view.
    const double left = s.ScaleLeft(), right = left + s.ScaleWidth();
    const double top = s.ScaleTop(), bottom = top + s.ScaleHeight();
    const double marginX = std::fabs(s.ScaleWidth()) * 1e-3, marginY = std::fabs(s.ScaleHeight()) * 1e-3;
    const double x = std::clamp(light_.x + dx, std::min(left, right) + marginX, std::max(left, right) - marginX);
    const double y = std::clamp(light_.y + dy, std::min(top, bottom) + marginY, std::max(top, bottom) - marginY);
    const bool fanOnView = std::any_of(scenes_.begin(), scenes_.end(), [](const Scene& scene) {
        return scene.kind == Scene::fan;
    });
    if (fanOnView && !light_.beam) {
        paused_ = 0;
        carrySource(s, x, y);
    } else {
        fanFrom(s, x, y); // a beam on view gives way to the source's fan, as a Shift+click there
    }
}

// ---------------------------------------------------------------------------------------------
// Beams, fans and the bundle command.

bool BenchModel::parallelbeam(Surface& s, double angle)
{
    const bool drawn = drawBeam(s, angle);
    if (drawn)
        light_.beam = true;
    return drawn;
}

bool BenchModel::drawBeam(Surface& s, double angle)
{
    // The scene redraw may move the blades; the beam then reads them where they stand. Its waves are a
    // beam's whatever light the bench shows (parallelwaves traces them as one).
    return waves::parallelbeam(s, records_, scene(), [&] {
        anaschediasi(s);
        return scene();
    }, angle);
}

void BenchModel::desmiapopigi(Surface& s, double x0, double y0)
{
    waves::fanFromPoint(s, records_, scene(), x0, y0);
    light_.x = x0, light_.y = y0;
}

void BenchModel::bundleAsked(Surface& s)
{
    light_.beam = true;
    records_.startBundle(0, false);
    Timer1_.interval = 1500;
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
    return bundleDrawn(s, beam.degrees * std::numbers::pi / 180);
}

std::string BenchModel::bundleDrawn(Surface& s, double angle)
{
    light_.angle = angle;
    Timer1_.enabled = false;
    if (!parallelbeam(s, light_.angle))
        return std::string(waves::verticalBeamMessage);
    scenes_.push_back({Scene::beam, light_.angle, 0, 0});
    drawMeasurements(s);
    kymatachronikaEnabled_ = false;
    Timer2_ = {1550, true};
    parallilakymataEnabled_ = true;
    return {};
}

void BenchModel::printPage(Surface& page, Surface& benchTrace, const waves::PageCaption& caption)
{
    const auto table = std::make_unique<waves::RayRecords>();
    waves::printBenchPage(page, benchTrace, *table, scene(), caption);
}

// ---------------------------------------------------------------------------------------------
// The wavefronts in time.

void BenchModel::parallilakymata(Surface& s)
{
    paused_ = 0;
    s.Cls();
    Timer1_.interval = 2000;
    sxediasifakoy11(s);
    Timer2_.interval = 1;
    Timer1_.enabled = false;
    Timer2_.enabled = true;
}

void BenchModel::kymatachronika(Surface& s)
{
    paused_ = 0;
    s.Cls();
    Timer2_.interval = 2000;
    sxediasifakoy11(s);
    Timer2_.enabled = false;
    Timer1_ = {1, true};
}

void BenchModel::sxediasifakoy11(Surface& s)
{
    const spherical::LensState glass = lens();
    // The blades, upper first, moved out of the glass onto the lens surface as the scene redraw fits
    // them; their scroll bars follow.
    const double tipX = Line1_.X2, tipY = Line1_.Y2;
    applyBladeFit(s, spherical::fitDiaphragm(s, tipX, tipY, glass));
    scenes_.clear();
    waves::sxediasifakoy11(s, glass, records_, light_.beam, light_.x, light_.y, animation_);
    animationOnView_ = true;
}

void BenchModel::drawTick(Surface& s, int j)
{
    if (animationOnView_ && onView_)
        waves::drawWaveTick(s, animation_, j, records_.recorded(), tickOutline_);
}

void BenchModel::Timer1_Timer(Surface& s)
{
    elapsed1_ = double(tickcount1_) * Timer1_.interval;
    ++tickcount1_;
    if (elapsed1_ > 500) {
        tickcount1_ = 0;
        Timer1_.enabled = false;
        return;
    }
    if (tickcount1_ > waves::lastAnimationTick)
        return; // idles until the count of milliseconds stops it
    drawTick(s, tickcount1_);
}

void BenchModel::Timer2_Timer(Surface& s)
{
    elapsed2_ = double(tickcount2_) * Timer2_.interval;
    ++tickcount2_;
    if (tickcount2_ > waves::lastAnimationTick) {
        Timer2_.enabled = false;
        tickcount2_ = 0;
        return;
    }
    if (elapsed2_ <= 500)
        drawTick(s, tickcount2_);
}

void BenchModel::pauseOrResume()
{
    if (paused_ != 0) {
        (paused_ == 1 ? Timer1_ : Timer2_).enabled = true;
        paused_ = 0;
    } else if (animationOnView_ && Timer1_.running()) {
        Timer1_.enabled = false;
        paused_ = 1;
    } else if (animationOnView_ && Timer2_.running()) {
        Timer2_.enabled = false;
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
    if (paused_ != 0 && (paused_ == 1 ? tickcount1_ : tickcount2_) == 0)
        paused_ = 0; // the count is up: nothing is left to resume
}

void BenchModel::stopAnimation()
{
    if (paused_ != 0)
        (paused_ == 1 ? tickcount1_ : tickcount2_) = 0;
    paused_ = 0;
    for (auto [timer, count] : {std::pair{&Timer1_, &tickcount1_}, std::pair{&Timer2_, &tickcount2_}})
        if (timer->running()) {
            timer->enabled = false;
            *count = 0;
        }
}

} // namespace lens::bench

