#include "hyperbolic/lens_screen_model.h"

#include "hyperbolic/lens_parts.h"
#include "surface/blades.h"
#include "surface/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lens::hyperbolic {

double semiAxisFor(double lensindex)
{
    const double c = semiAxisA * lensindex;
    const double b2 = c * c - semiAxisA * semiAxisA;
    return std::isfinite(b2) && b2 > 0 ? std::sqrt(b2) : 0.0;
}

bool indexTooSmall(double lensindex) { return semiAxisA * lensindex < semiAxisA; }

PressOutcome pressOnLensScreen(BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                               const Surface& view, double x, double y, double lensindex)
{
    if (drag.dragupper || drag.draglower)
        return PressOutcome::dragStarted; // one drag at a time: another button's press changes nothing
    if (const auto blade = bladeAt(upper, lower, view, x, y)) {
        (*blade == Blade::upper ? drag.dragupper : drag.draglower) = true;
        return PressOutcome::dragStarted;
    }
    return indexTooSmall(lensindex) ? PressOutcome::refusedIndex : PressOutcome::sourcePlaced;
}

int pointerOnLensScreen(const BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                        const Surface& view, double x, double y)
{
    const bool over = bladeAt(upper, lower, view, x, y) || drag.dragupper || drag.draglower;
    return over ? 2 : 1;
}

bool releaseOnLensScreen(BladeDrag& drag, LineControl& upper, LineControl& lower, const Surface& view,
                         double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) {
        drag = {};
        return false;
    }
    if (!drag.dragupper && !drag.draglower)
        return false;
    dropBlade(drag.dragupper ? Blade::upper : Blade::lower, upper, lower, view, x, y);
    drag = {};
    return true;
}

namespace {
const std::string indexMessage = "`Ακυρος Δείκτης Διάθλασηςgive a bigger value";
const std::string biggerIndexMessage = "δώσε μεγαλύτερο δείκτη";
constexpr Rgb bladeColour = RGB(0, 0, 192);
} // namespace

LensScreenModel::LensScreenModel(SharedValues& shared) : shared_(shared)
{
    upper_.BorderColor = lower_.BorderColor = bladeColour;
    upper_.BorderWidth = lower_.BorderWidth = 3;
    placeDiaphragm(130); // the load's diaphragm
}

void LensScreenModel::placeDiaphragm(double x)
{
    upper_ = LineControl{x, 200, x, 10, upper_.BorderColor, upper_.BorderWidth, true};
    lower_ = LineControl{x, -200, x, -10, lower_.BorderColor, lower_.BorderWidth, true};
}

SceneInputs LensScreenModel::sceneNow() const
{
    SceneInputs in;
    in.lensindex = shared_.lensindex;
    in.light = source_;
    in.waves = {light_ == Light::raysAndWaves, light_ == Light::onlyWaves, light_ == Light::onlyRays};
    in.diaphragm = {upper_.X1, upper_.Y2, lower_.Y2};
    return in;
}

LensScreenModel::Step LensScreenModel::stepNow(Step::Kind kind) const
{
    Step step;
    step.kind = kind;
    step.in = sceneNow();
    step.biconvex = shared_.biconvexlens;
    return step;
}

void LensScreenModel::draw(Surface& view, const Step& step)
{
    steps_.push_back(step);
    scene_.in = step.in;
    const double b = semiAxisFor(step.in.lensindex);
    switch (step.kind) {
    case Step::lens:
        if (step.biconvex)
            drawbiconvexlens(view, scene_, semiAxisA, b, step.in.light.x, step.in.light.y);
        else
            drawsahllens(view, scene_, semiAxisA, b, step.in.light.x, step.in.light.y);
        break;
    case Step::fronts:
        redrawwavefronts(view, scene_);
        break;
    case Step::beam:
        if (step.biconvex)
            biconvexparallelbeam(view, scene_, semiAxisA, b, step.slope);
        else
            sahlparallelbeam(view, scene_, semiAxisA, b, step.slope);
        break;
    case Step::outline: {
        const HyperbolicLens shape = lensShape(semiAxisA, b, step.in.lensindex);
        if (step.biconvex)
            parts::drawBiconvexOutline(view, shape, false);
        else
            parts::drawPlanoConvexOutline(view, shape, false);
        break;
    }
    }
    markfoci(view, semiAxisA, b, step.in.lensindex, step.biconvex);
}

void LensScreenModel::drawScene(Surface& view)
{
    draw(view, stepNow(Step::lens));
}

void LensScreenModel::newPicture(Surface& view)
{
    steps_.clear();
    view.Cls();
}

std::string LensScreenModel::openLens(Surface& view, bool biconvex)
{
    if (indexTooSmall(shared_.lensindex))
        return indexMessage;
    source_.x = semiAxisA * 9;
    source_.y = 25;
    shared_.biconvexlens = biconvex;
    // A fresh picture: the other lens, or an earlier drawing, must not show through.
    newPicture(view);
    drawScene(view);
    return {};
}

std::string LensScreenModel::press(Surface& view, double x, double y)
{
    switch (pressOnLensScreen(drag_, upper_, lower_, view, x, y, shared_.lensindex)) {
    case PressOutcome::dragStarted:
        break;
    case PressOutcome::refusedIndex:
        return biggerIndexMessage;
    case PressOutcome::sourcePlaced:
        newPicture(view);
        source_.x = x;
        source_.y = y;
        drawScene(view);
        break;
    }
    return {};
}

int LensScreenModel::move(const Surface& view, double x, double y) const
{
    return pointerOnLensScreen(drag_, upper_, lower_, view, x, y);
}

void LensScreenModel::release(Surface& view, double x, double y)
{
    if (!releaseOnLensScreen(drag_, upper_, lower_, view, x, y))
        return;
    newPicture(view);
    drawScene(view);
}

std::string LensScreenModel::waves(Surface& view)
{
    if (indexTooSmall(shared_.lensindex))
        return biggerIndexMessage;
    drawScene(view); // over what is there
    draw(view, stepNow(Step::fronts));
    return {};
}

std::string LensScreenModel::beamAnswered(Surface& view, const std::string& answer)
{
    if (indexTooSmall(shared_.lensindex))
        return indexMessage;
    const BeamAnswer beam = beamslopefromanswer(answer);
    if (beam.kind != AngleAnswer::beam)
        return angleAnswerMessage(beam.kind); // nothing is drawn or changed
    newPicture(view);
    Step step = stepNow(Step::beam);
    step.slope = beam.slope;
    draw(view, step);
    return {};
}

void LensScreenModel::openLesson(Surface& view, bool biconvex, double x, double y)
{
    shared_.biconvexlens = biconvex;
    source_.x = x, source_.y = y;
    if (!hasPicture() || indexTooSmall(shared_.lensindex))
        return;
    newPicture(view);
    drawScene(view);
}

void LensScreenModel::indexChanged(Surface& view)
{
    if (steps_.empty() || indexTooSmall(shared_.lensindex))
        return;
    for (Step& step : steps_)
        step.in.lensindex = shared_.lensindex;
    redrawPicture(view);
}

void LensScreenModel::redrawPicture(Surface& view)
{
    const std::vector<Step> steps = std::move(steps_);
    newPicture(view);
    for (const Step& step : steps)
        draw(view, step);
}

void LensScreenModel::clearPicture(Surface& view)
{
    if (steps_.empty())
        return;
    Step step = steps_.front();
    step.kind = Step::outline;
    newPicture(view);
    draw(view, step);
}

} // namespace lens::hyperbolic
