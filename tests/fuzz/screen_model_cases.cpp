// Fuzz cases over the screens' Qt-free logic: the bench's scroll-bar model and mouse, the lens screen's
// blade drag and index guard, and the single-ray view's drawing.

#include "fuzz_support.h"

#include "bench/bench_model.h"
#include "bench/bench_mouse.h"
#include "hyperbolic/lens_screen_model.h"
#include "singleray/single_ray_view.h"

#include <sstream>
#include <string>

namespace lens::fuzz {

namespace {

// A screen's user coordinates: the bench's or the lens screen's, or any corners at all (a scale the surface
// refuses leaves the device's pixels). Returns whether they are a screen's own.
bool screenScale(Input& in, Surface& view)
{
    const double W = view.device().width(), H = view.device().height(), S = W + H;
    switch (in.pick(3)) {
    case 0: view.Scale(-600 * W / S, 600 * H / S, 600 * W / S, -600 * H / S); return true;
    case 1: view.Scale(-120, 120, 150, -120); return true;
    default: view.Scale(in.value(), in.value(), in.value(), in.value()); return false;
    }
}

LineControl blade(Input& in)
{
    LineControl line;
    line.X1 = line.X2 = in.value();
    line.Y1 = in.value();
    line.Y2 = in.value();
    return line;
}

bool finite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

void benchModel(Input& in, const Surface& view, bool screensScale, Problems& problems)
{
    const int desmi1 = in.pick(2) ? in.integerWithin(2, 150) : in.integer();
    const int arvimaton = in.pick(2) ? in.integerWithin(5, 150) : in.integer();
    const double step = bench::raystepFor(desmi1, arvimaton);
    const double shown = bench::rayCountShown(in.pick(2) ? step : in.value());
    if (desmi1 >= 2 && desmi1 <= 150 && arvimaton >= 5 && arvimaton <= 150 && !(step > 0 && std::isfinite(step)))
        problems.add("raystepFor(" + std::to_string(desmi1) + ", " + std::to_string(arvimaton) +
                     ") is no angle between rays");
    if (std::isnan(shown) || shown < 0)
        problems.add("rayCountShown gave a count that is no number of rays");
    const int hscroll = in.pick(2) ? in.integerWithin(-100, 100) : in.integer();
    const int vscroll1 = in.pick(2) ? in.integerWithin(-100, 0) : in.integer();
    const int vscroll2 = in.pick(2) ? in.integerWithin(0, 100) : in.integer();
    const double x = bench::diaphragmXFor(view, hscroll), upper = bench::upperTipFor(view, vscroll1);
    const double lower = bench::lowerTipFor(view, vscroll2);
    // Within the scroll bars' ranges the blades stay within a picture size or two of the picture.
    const bool inRange = screensScale && hscroll >= -100 && hscroll <= 100 && vscroll1 >= -100 && vscroll1 <= 0 && vscroll2 >= 0 &&
                         vscroll2 <= 100;
    if (inRange && !finite({x, upper, lower, bench::upperBladeTop(view), bench::lowerBladeBottom(view)}))
        problems.add("a blade of the bench placed at a point that is not finite");
}

void benchMouse(Input& in, const Surface& view, Problems& problems)
{
    LineControl line1 = blade(in), line2 = blade(in);
    // The bench's lens comes from its scroll bars: whole numbers however far out, never NaN.
    const auto number = [&in] {
        const double v = in.value();
        return std::isnan(v) ? 0.0 : v;
    };
    spherical::LensState lens;
    if (in.pick(2))
        lens = {number(), number(), number(), number(), in.value()};
    bench::DragFlags drag;
    const bench::BenchObject picked = bench::pressOnBench(drag, view, line1, line2, lens, in.pick(8), in.value(), in.value());
    const int flags = drag.dragLine1 + drag.dragLine2 + drag.dragCentreA + drag.dragCentreB + drag.dragRadiusA +
                      drag.dragRadiusB + drag.dragSource;
    if (flags > 1)
        problems.add("a press on the bench picked up more than one object");
    const int pointer = bench::pointerOnBench(drag, bench::objectAt(view, line1, line2, lens, in.value(), in.value()));
    if (pointer != 0 && pointer != 2 && pointer != 9)
        problems.add("the bench's pointer took shape " + std::to_string(pointer));
    (void)picked;
    const double X = in.value(), Y = in.value();
    const bench::BenchDrop drop = bench::releaseOnBench(drag, view, line1, line2, lens, X, Y);
    if (drag.any())
        problems.add("a release on the bench left an object picked up");
    const auto within = [&](int low, int high) {
        if (drop.scrollValue < low || drop.scrollValue > high)
            problems.add("a drop set a hidden scroll bar to " + std::to_string(drop.scrollValue) + ", outside " +
                         std::to_string(low) + " … " + std::to_string(high));
    };
    switch (drop.kind) {
    case bench::BenchDrop::centreA: within(-500, 0); break;
    case bench::BenchDrop::centreB: within(0, 500); break;
    case bench::BenchDrop::radiusA: within(50, 500); break;
    case bench::BenchDrop::radiusB: within(0, 500); break;
    case bench::BenchDrop::blades:
        if (line1.X1 != X || line2.X1 != X || line1.X2 != X || line2.X2 != X)
            problems.add("a blade drop left the blades apart from the drop");
        break;
    default: break;
    }
}

void lensScreen(Input& in, const Surface& view, Problems& problems)
{
    const double indexes[] = {0.4, 1.0, 1.5, 2.5, 0.99, 0, -1.5, nan, inf, 1e300};
    const double n = in.pick(2) ? indexes[in.pick(10)] : in.value();
    const double b = hyperbolic::semiAxisFor(n);
    if (!(std::isfinite(b) && b >= 0))
        problems.add("semiAxisFor gave a semi-axis that is not a finite length");
    LineControl upper = blade(in), lower = blade(in);
    if (in.pick(2)) // the blades as the screen loads them
        upper = {130, 200, 130, 10}, lower = {130, -200, 130, -10};
    hyperbolic::BladeDrag drag;
    const hyperbolic::PressOutcome outcome = hyperbolic::pressOnLensScreen(drag, upper, lower, view, in.value(), in.value(), n);
    if (outcome == hyperbolic::PressOutcome::sourcePlaced && hyperbolic::indexTooSmall(n))
        problems.add("a press placed the source with an index the screen refuses");
    if (drag.dragupper && drag.draglower)
        problems.add("a press on the lens screen picked up both blades");
    const int pointer = hyperbolic::pointerOnLensScreen(drag, upper, lower, view, in.value(), in.value());
    if (pointer != 1 && pointer != 2)
        problems.add("the lens screen's pointer took shape " + std::to_string(pointer));
    // Blades whose ends are numbers, as the screen's always are, keep their order through a drop.
    const bool upperDragged = drag.dragupper && finite({upper.Y2, lower.Y2});
    const double x = in.value(), y = in.value();
    const bool moved = hyperbolic::releaseOnLensScreen(drag, upper, lower, view, x, y);
    if (drag.dragupper || drag.draglower)
        problems.add("a release on the lens screen left a blade picked up");
    if (moved && upperDragged && !(upper.Y2 >= lower.Y2)) {
        std::ostringstream what;
        what << "the upper blade was dropped at (" << x << ", " << y << ") to end at " << upper.Y2
             << ", below the lower one's end at " << lower.Y2;
        problems.add(what.str());
    }
}

void singleRayView(Input& in, Surface& view)
{
    singleray::ViewControls controls;
    if (in.pick(2)) {
        controls.aktina1 = in.pick(2) ? in.integerWithin(0, 500) : in.integer();
        controls.aktina2 = in.pick(2) ? in.integerWithin(0, 500) : in.integer();
        controls.kentrokykloy = in.pick(2) ? in.integerWithin(0, 500) : in.integer();
        controls.deiktisdiathlasis = in.pick(2) ? in.integerWithin(40, 250) : in.integer();
    }
    const double n = in.pick(2) ? controls.deiktisdiathlasis / 100.0 : in.value();
    if (in.pick(2))
        singleray::sxediasifakoy(view, controls.aktina1, controls.aktina2, 0, controls.kentrokykloy, n);
    else
        singleray::sxediasifakoy(view, in.value(), in.value(), in.value(), in.value(), n);
    const spherical::Diaphragm blades{in.value(), in.value(), in.value()};
    // The ray from the source towards the pointer: along it, vertical (equal x), or from anywhere to anywhere.
    const double x0 = in.value(), y0 = in.value();
    const double x1 = in.pick(3) ? x0 : in.value(), y1 = in.pick(3) ? y0 : in.value();
    const double x2 = in.pick(4) ? in.value() : x1, y2 = in.value();
    singleray::miaaktina(view, spherical::withIndex(singleray::viewLens(controls), n), blades, x0, y0, x1, y1, x2, y2);
}

// The bench's model driven by a run of events: presses, drags, drops, control changes (the controls give
// only their own ranges, which the model holds them to), the bundle's answers, ticks and the clear.
void benchEvents(Input& in, Surface& view, Problems& problems)
{
    bench::BenchModel model;
    model.load(view, 5, 2, 5, 5);
    for (int event = 0, events = 1 + in.pick(12); event < events; ++event) {
        const double x = in.value(), y = in.value();
        switch (in.pick(9)) {
        case 0: model.press(view, in.pick(8), x, y); break;
        case 1: model.move(view, x, y); break;
        case 2: model.follow(view, in.pick(2), x, y); break;
        case 3: model.release(view, x, y); break;
        case 4: model.setValue(view, bench::Bar(in.pick(bench::barCount)), in.integer()); break;
        case 5: model.setTicked(view, in.pick(2) ? bench::Box::Check1 : bench::Box::Check2, in.pick(2) == 1); break;
        case 6:
            model.bundleAsked(view);
            model.bundleAnswered(view, std::to_string(x));
            break;
        case 7:
            in.pick(2) ? model.kymatachronika(view) : model.parallilakymata(view);
            // A few ticks, and now and then past the last front, where the timers stop.
            for (int tick = in.pick(8) == 0 ? 250 : in.pick(12); tick > 0; --tick)
                model.Timer1_Timer(view), model.Timer2_Timer(view);
            break;
        default:
            model.showAberration(view, in.pick(2) == 1);
            if (in.pick(2))
                model.clearPicture(view);
            break;
        }
    }
    for (int b = 0; b < bench::barCount; ++b) {
        const bench::BarRange r = bench::rangeOf(bench::Bar(b));
        if (model.value(bench::Bar(b)) < r.min || model.value(bench::Bar(b)) > r.max)
            problems.add("bench model: a scroll bar left its range");
    }
    for (const auto& line : model.numbers(view))
        if (line.value && !std::isfinite(*line.value))
            problems.add("bench model: a number that is not finite: " + line.name);
}

} // namespace

void screenModels(Input& in, Problems& problems)
{
    RecordingDevice device(1 + in.pick(1920), 1 + in.pick(1080));
    Surface view(device);
    const bool screensScale = screenScale(in, view);
    switch (in.pick(5)) {
    case 0: benchModel(in, view, screensScale, problems); break;
    case 1: benchMouse(in, view, problems); break;
    case 2: lensScreen(in, view, problems); break;
    case 3: benchEvents(in, view, problems); break;
    default: singleRayView(in, view); break;
    }
    checkDevice(device, problems);
}

} // namespace lens::fuzz
