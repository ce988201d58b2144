#include "bench/bench_model.h"

#include "surface/number_text.h"
#include "waves/aberration_picture.h"
#include "waves/cardinal_points.h"
#include "waves/parallel_beam.h"
#include "waves/point_fan.h"
#include "waves/print_bench.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens::bench {

namespace {

std::size_t slot(ReadOut r) { return static_cast<std::size_t>(r); }

} // namespace

double raystepFor(int desmi1, int arvimaton)
{
    if (desmi1 <= 0)
        return 0;
    return std::numbers::pi / (double(desmi1) / arvimaton);
}

double rayCountShown(double raystep)
{
    if (!(raystep > 0))
        return 0;
    return std::floor(360 / raystep);
}

double diaphragmXFor(const Surface& view, int hscroll)
{
    return view.ScaleLeft() + view.ScaleWidth() / 2 + (view.ScaleWidth() / 2) * hscroll / 100.0;
}

double upperTipFor(const Surface& view, int vscroll)
{
    return view.ScaleTop() + view.ScaleHeight() / 2 + (view.ScaleHeight() / 2) * vscroll / 100.0;
}

double lowerTipFor(const Surface& view, int vscroll)
{
    return view.ScaleTop() + view.ScaleHeight() / 2 + view.ScaleHeight() * vscroll / 100.0;
}

double upperBladeTop(const Surface& view) { return view.ScaleTop(); }
double lowerBladeBottom(const Surface& view) { return view.ScaleTop() + view.ScaleHeight(); }

BarRange rangeOf(Bar bar)
{
    switch (bar) {
    case Bar::desmi1: return {2, 150, 10, 20};
    case Bar::deiktisdiathlasis: return {40, 250, 10, 150};
    case Bar::aktina1: return {50, 500, 40, 100};
    case Bar::aktina2: return {0, 500, 1, 90};
    case Bar::kentrokykloy: return {0, 500, 40, 20};
    case Bar::kentrokykloy2: return {-500, 0, 40, -50};
    case Bar::arvimaton: return {5, 150, 1, 30};
    case Bar::HScroll1: return {-100, 100, 5, 0};
    case Bar::VScroll1: return {-100, 0, 10, 0};
    case Bar::VScroll2: return {0, 100, 10, 0};
    }
    return {0, 0, 1, 0};
}

BenchModel::BenchModel() : recordsStore_(std::make_unique<waves::RayRecords>()), records_(*recordsStore_)
{
    for (int b = 0; b < barCount; ++b)
        bars_[std::size_t(b)] = rangeOf(Bar(b)).start;
    pigi_.kind = ShapeControl::circle;
    pigi_.filled = true;
    Shape1_.Visible = Shape2_.Visible = false;
}

// ---------------------------------------------------------------------------------------------
// The controls and their handlers.

void BenchModel::setValue(Surface& s, Bar bar, int v)
{
    const BarRange range = rangeOf(bar);
    v = std::clamp(v, range.min, range.max);
    int& held = bars_[static_cast<std::size_t>(bar)];
    if (held == v)
        return;
    held = v;
    changed(s, bar);
}

void BenchModel::setTicked(Surface& s, Box box, bool on)
{
    bool& held = box == Box::Check1 ? check1_ : check2_;
    if (held == on)
        return;
    held = on;
    if (box == Box::Check1)
        check1Click(s);
    else
        check2Click(s);
}

void BenchModel::writeReadOut(ReadOut r, std::string text, std::string font, double points)
{
    readOuts_[slot(r)] = {std::move(text), std::move(font), points};
}

void BenchModel::changed(Surface& s, Bar bar)
{
    const int v = value(bar);
    switch (bar) {
    case Bar::desmi1:
        raystep_ = raystepFor(v, value(Bar::arvimaton));
        writeReadOut(ReadOut::Text1, "Number of Rays Αριθμός ακτινών= " + fixedText(rayCountShown(raystep_), 2),
                     "Times New Roman Greek");
        redrawLive(s); // the picture keeps up with its read-outs
        break;
    case Bar::arvimaton:
        readOuts_[slot(ReadOut::Label3)].text = "Πολλαπλασιαστής ακτίνων" + fixedText(v, 0);
        raystep_ = raystepFor(value(Bar::desmi1), v);
        redrawLive(s);
        break;
    case Bar::deiktisdiathlasis:
        writeReadOut(ReadOut::Text2, "Index of Refraction Δείκτης Διάθλασης= " + fixedText(lens().refindex, 2),
                     "Times New Roman Greek");
        redrawLive(s);
        break;
    case Bar::aktina1:
        writeReadOut(ReadOut::Text6, "Ακτίνα1 =" + fixedText(v, 0), "Times New Roman");
        redrawLive(s);
        break;
    case Bar::aktina2:
        readOuts_[slot(ReadOut::Text5)].text = "Ακτίνα2 =" + fixedText(v, 0);
        redrawLive(s);
        break;
    case Bar::kentrokykloy:
        readOuts_[slot(ReadOut::Text7)].text = "Κέντρο δεξί κύκλου=" + fixedText(v, 0);
        redrawLive(s);
        break;
    case Bar::kentrokykloy2:
        redrawLive(s);
        break;
    case Bar::HScroll1:
        Line1_.X1 = Line1_.X2 = Line2_.X1 = Line2_.X2 = diaphragmXFor(s, v);
        redrawLive(s);
        break;
    case Bar::VScroll1:
        Line1_.BorderColor = RGB(250, 0, 0);
        Line1_.BorderWidth = 4;
        Line1_.Y1 = upperBladeTop(s);
        Line1_.Y2 = upperTipFor(s, v);
        if (!fitting_)
            redrawLive(s);
        break;
    case Bar::VScroll2:
        Line2_.Y1 = lowerBladeBottom(s);
        Line2_.Y2 = lowerTipFor(s, v);
        if (!fitting_)
            redrawLive(s);
        break;
    }
}

void BenchModel::check1Click(Surface& s)
{
    setTicked(s, Box::Check2, false);
    setValue(s, Bar::desmi1, 140);
}

void BenchModel::check2Click(Surface& s)
{
    newLensPicture(s);
    setTicked(s, Box::Check1, false);
    setValue(s, Bar::desmi1, 100);
}

void BenchModel::load(Surface& s, double sourceWidth, double sourceHeight, double markerWidth, double markerHeight)
{
    raystep_ = raystepFor(value(Bar::desmi1), value(Bar::arvimaton));
    writeReadOut(ReadOut::Text1, "Number of Rays Αριθμός ακτινών= " + fixedText(rayCountShown(raystep_), 2),
                 "Times New Roman");
    writeReadOut(ReadOut::Text2, "Index of Refraction Δείκτης Διάθλασης= " + fixedText(lens().refindex, 2),
                 "Times New Roman");
    pigi_.Width = sourceWidth, pigi_.Height = sourceHeight;
    centreOn(pigi_, -200, 0);
    light_.x = -200, light_.y = 0;
    for (ShapeControl* marker : {&Shape1_, &Shape2_})
        marker->Width = markerWidth, marker->Height = markerHeight;

    Line1_.BorderColor = Line2_.BorderColor = RGB(100, 100, 0);
    Line1_.BorderWidth = Line2_.BorderWidth = 4;
    Line1_.Y1 = upperBladeTop(s);
    Line1_.Y2 = upperTipFor(s, value(Bar::VScroll1));
    Line2_.Y1 = lowerBladeBottom(s);
    Line2_.Y2 = lowerTipFor(s, value(Bar::VScroll2));
    Line1_.X1 = Line1_.X2 = Line2_.X1 = Line2_.X2 = diaphragmXFor(s, value(Bar::HScroll1));

    readOuts_[slot(ReadOut::Label3)].text = "Πολλαπλασιαστής ακτίνων" + fixedText(value(Bar::arvimaton), 0);
    readOuts_[slot(ReadOut::Text5)].text = "Ακτίνα2=" + fixedText(value(Bar::aktina2), 0);
    readOuts_[slot(ReadOut::Text6)].text = "Ακτίνα1=" + fixedText(value(Bar::aktina1), 0);
    readOuts_[slot(ReadOut::Text7)].text = "Κέντρο δεξί κύκλου=" + fixedText(value(Bar::kentrokykloy), 0);

    anaschediasi(s);
    if (parallelbeam(s, 0))
        scenes_.push_back({Scene::beam, 0, 0, 0});
    loaded_ = true;
}

// ---------------------------------------------------------------------------------------------
// The lens and the picture.

spherical::LensState BenchModel::lens() const
{
    return spherical::lensFrom(controls());
}

spherical::BenchControls BenchModel::controls() const
{
    spherical::BenchControls c;
    c.deiktisdiathlasis = value(Bar::deiktisdiathlasis);
    c.kentrokykloy = value(Bar::kentrokykloy);
    c.kentrokykloy2 = value(Bar::kentrokykloy2);
    c.aktina1 = value(Bar::aktina1);
    c.aktina2 = value(Bar::aktina2);
    c.line1X2 = Line1_.X2;
    c.line1Y2 = Line1_.Y2;
    return c;
}

spherical::Diaphragm BenchModel::diaphragm() const { return {Line1_.X1, Line1_.Y2, Line2_.Y2}; }

waves::BenchScene BenchModel::scene() const
{
    waves::BenchScene v;
    v.lens = lens();
    v.diaphragm = diaphragm();
    v.light = light_;
    v.waves = {check1_, check2_, false};
    v.desmi1 = value(Bar::desmi1);
    v.raystep = raystep_;
    v.outlines = outlineRedraw_;
    return v;
}

void BenchModel::anaschediasi(Surface& s)
{
    animationOnView_ = false;
    // The fitted blades move their hidden scroll bars first, whose handlers run as a user's change
    // would, and then take their exact place on the lens surface.
    spherical::anaschediasi(s, controls(), [&](const spherical::DiaphragmFit& fit) { applyBladeFit(s, fit); });
}

void BenchModel::applyBladeFit(Surface& s, const spherical::DiaphragmFit& fit)
{
    // The scroll bars follow the blades; the redraw that fits them goes on to draw the picture.
    ++fitting_;
    if (fit.upper) {
        setValue(s, Bar::VScroll1, fit.upper->scrollValue);
        Line1_.Y2 = fit.upper->y;
    }
    if (fit.lower) {
        setValue(s, Bar::VScroll2, fit.lower->scrollValue);
        Line2_.Y2 = fit.lower->y;
    }
    --fitting_;
}

void BenchModel::redrawLive(Surface& s)
{
    if (!loaded_)
        return;
    animationOnView_ = false; // a change of the lens or the light ends the animation's picture
    redrawPicture(s);
}

void BenchModel::clearPicture(Surface& s)
{
    ruler_.reset();
    measuring_ = false;
    stopAnimation();
    paused_ = 0;
    newLensPicture(s);
}

void BenchModel::newLensPicture(Surface& s)
{
    scenes_.clear();
    shownAberration_.reset();
    s.Cls();
    anaschediasi(s);
}

void BenchModel::drawOverLens(Surface& s, const Scene& scene)
{
    // The same construction again draws nothing new: it is kept once.
    const bool again = scene.kind == Scene::construction &&
                       std::any_of(scenes_.begin(), scenes_.end(), [&](const Scene& kept) {
                           return kept.kind == Scene::construction && kept.x == scene.x && kept.y == scene.y;
                       });
    if (!again)
        scenes_.push_back(scene);
    draw(s, scene);
}

void BenchModel::draw(Surface& s, const Scene& scene)
{
    switch (scene.kind) {
    // Each drawing again as the light it was, whatever light the bench has shown since: a beam's waves
    // as a beam's, a fan's as a point source's.
    case Scene::beam:
        drawBeam(s, scene.angle);
        break;
    case Scene::fan: {
        waves::BenchScene fan = this->scene();
        fan.light.beam = false, fan.light.x = scene.x, fan.light.y = scene.y;
        waves::fanFromPoint(s, records_, fan, scene.x, scene.y);
        break;
    }
    case Scene::construction:
        // Kept only when its source stood on view; drawn again with its fan while that point is on view,
        // whatever light has been drawn since (a resize or a lens change keeps what the picture showed).
        if (spherical::strictlyInView(s, scene.x, scene.y))
            waves::cardinalpoints(s, lens(), controls(), scene.x, scene.y);
        break;
    }
}

void BenchModel::redrawPicture(Surface& s)
{
    // The blades reach from the edges of the view, which a resize has moved.
    Line1_.Y1 = upperBladeTop(s);
    Line2_.Y1 = lowerBladeBottom(s);
    if (animationOnView_) {
        waves::redrawWaveFrame(s, animation_);
        return;
    }
    s.Cls();
    anaschediasi(s);
    const std::vector<Scene> drawn = scenes_; // a scene may start a new picture while it draws
    for (const Scene& scene : drawn)
        draw(s, scene);
    drawMeasurements(s);
}

std::optional<waves::Aberration> BenchModel::measuredAberration() const
{
    // The light of the last beam or fan on view, through the lens and the stop as they stand now.
    for (auto scene = scenes_.rbegin(); scene != scenes_.rend(); ++scene) {
        if (scene->kind == Scene::beam)
            return waves::measureAberration(lens(), diaphragm(), {true, 0, 0, scene->angle});
        if (scene->kind == Scene::fan)
            return waves::measureAberration(lens(), diaphragm(), {false, scene->x, scene->y, 0});
    }
    return std::nullopt;
}

std::vector<waves::NumberLine> BenchModel::numbers(const Surface&) const
{
    std::optional<std::pair<double, double>> source;
    if (!light_.beam)
        source = std::pair{light_.x, light_.y};
    std::vector<waves::NumberLine> lines = waves::lensNumbers(lens(), source);
    // What the picture shows was measured as it was drawn; it is not traced again.
    if (const auto a = aberrationShown_ ? shownAberration_ : measuredAberration()) {
        const auto more = waves::aberrationNumbers(*a);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    return lines;
}

void BenchModel::showAberration(Surface& s, bool shown)
{
    if (aberrationShown_ == shown)
        return;
    aberrationShown_ = shown;
    redrawLive(s);
}

void BenchModel::drawMeasurements(Surface& s)
{
    shownAberration_.reset();
    if (aberrationShown_) {
        shownAberration_ = measuredAberration();
        if (shownAberration_)
            waves::drawAberration(s, *shownAberration_);
    }
    drawRuler(s);
}

double Ruler::length() const { return std::hypot(x2 - x1, y2 - y1); }

double Ruler::degrees() const
{
    double a = std::atan2(y2 - y1, x2 - x1) * 180 / std::numbers::pi;
    if (a > 90)
        a -= 180;
    else if (a <= -90)
        a += 180;
    return a;
}

std::string rulerText(const Ruler& r) { return fixedText(r.length(), 2) + " · " + fixedText(r.degrees(), 1) + "°"; }

void BenchModel::drawRuler(Surface& s)
{
    if (!ruler_)
        return;
    const Ruler& r = *ruler_;
    // The pen, colour and font the picture's own drawing left, given back after the ruler.
    const Rgb colour = s.ForeColor;
    const int width = s.DrawWidth, style = s.DrawStyle;
    const double x = s.CurrentX, y = s.CurrentY, size = s.FontSize;
    const std::string font = s.FontName;
    constexpr Rgb ink = RGB(160, 60, 0);
    s.DrawWidth = 2;
    s.DrawStyle = solidStyle;
    s.Line(r.x1, r.y1, r.x2, r.y2, ink);
    // Ticks across both ends, a hundredth of the view's height each way.
    const double length = r.length(), tick = std::fabs(s.ScaleHeight()) / 100;
    const double nx = length > 0 ? -(r.y2 - r.y1) / length : 0, ny = length > 0 ? (r.x2 - r.x1) / length : 1;
    for (auto [ex, ey] : {std::pair{r.x1, r.y1}, std::pair{r.x2, r.y2}})
        s.Line(ex - tick * nx, ey - tick * ny, ex + tick * nx, ey + tick * ny, ink);
    s.FontName = "Arial";
    s.FontSize = 10;
    s.ForeColor = ink;
    s.CurrentX = (r.x1 + r.x2) / 2 + 2 * tick * nx;
    s.CurrentY = (r.y1 + r.y2) / 2 + 2 * tick * ny;
    s.Print(rulerText(r));
    s.ForeColor = colour;
    s.DrawWidth = width, s.DrawStyle = style;
    s.CurrentX = x, s.CurrentY = y;
    s.FontSize = size, s.FontName = font;
}

// ---------------------------------------------------------------------------------------------
// Lessons.

BenchLesson BenchModel::lesson() const
{
    const UserPoint marker = centreOf(pigi_);
    return {bars_, check1_, check2_, diaphragm(), light_, marker.x, marker.y, scenes_, ruler_};
}

void BenchModel::openLesson(Surface& s, const BenchLesson& lesson)
{
    stopAnimation();
    paused_ = 0;
    animationOnView_ = false;
    // The bars as a user would set them, their read-outs and blades following, but nothing drawn yet.
    const bool loaded = loaded_;
    loaded_ = false;
    for (int b = 0; b < barCount; ++b)
        setValue(s, Bar(b), lesson.bars[std::size_t(b)]);
    loaded_ = loaded;
    check1_ = lesson.check1, check2_ = lesson.check2;
    Line1_.X1 = Line1_.X2 = Line2_.X1 = Line2_.X2 = lesson.diaphragm.x;
    Line1_.Y2 = lesson.diaphragm.upperTip;
    Line2_.Y2 = lesson.diaphragm.lowerTip;
    light_ = lesson.light;
    centreOn(pigi_, lesson.markerX, lesson.markerY);
    scenes_ = lesson.scenes;
    ruler_ = lesson.ruler;
    measuring_ = false;
    redrawPicture(s);
}

} // namespace lens::bench
