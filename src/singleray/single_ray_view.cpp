#include "singleray/single_ray_view.h"

#include "waves/single_ray.h"

#include <cmath>
#include <numbers>

namespace lens::singleray {

namespace {

constexpr Rgb face = RGB(0, 255, 0);
constexpr Rgb focus = RGB(255, 0, 0);

// The rim relative to the first centre: its x and the height that is not negative.
struct Rim {
    double x = 0, y = 0, otherY = 0;
    bool exists = false;
};

Rim rimOf(const spherical::LensState& lens)
{
    const spherical::SimeiaTomis t =
        spherical::tomikyklonschetiki(lens.xcentreB - lens.xcentreA, lens.radiusA, lens.radiusB);
    Rim rim;
    rim.exists = t.yparxei;
    rim.x = t.x1;
    rim.y = t.y1 >= 0 ? t.y1 : t.y2;
    rim.otherY = t.y1 >= 0 ? t.y2 : t.y1;
    return rim;
}

// The faces and foci of the lens whose first (left-hand) circle is A and second B.
void facesAndFoci(Surface& s, const spherical::LensState& lens)
{
    const double Radius1 = lens.radiusA, rAdiUs2 = lens.radiusB, xa = lens.xcentreA, xb = lens.xcentreB;
    const Rim rim = rimOf(lens);
    const auto a1 = spherical::toxoimitono(rim.y / Radius1), a2 = spherical::toxoimitono(rim.y / rAdiUs2);
    if (rim.exists && a1 && a2) {
        s.DrawWidth = 5;
        s.Circle(xa, 0, Radius1, face, 2 * std::numbers::pi - *a1, *a1);
        s.Circle(xb, 0, rAdiUs2, face, std::numbers::pi - *a2, std::numbers::pi + *a2);
        s.DrawWidth = 1;
    }
    if (const auto f = spherical::estiakiapostasi(Radius1, rAdiUs2, lens.refindex); f && rim.exists) {
        s.Circle(xa + rim.x - *f, 0, 3, focus);
        s.Circle(xa + rim.x + *f, 0, 3, focus);
    }
}

} // namespace

void sxediasifakoy(Surface& s, double Radius1, double rAdiUs2, double xa, double xb, double refindex)
{
    drawViewLens(s, spherical::LensState{xa, Radius1, xb, rAdiUs2, refindex});
}

void drawViewLens(Surface& s, const spherical::LensState& lens)
{
    s.Cls();
    facesAndFoci(s, lens);
}

spherical::LensState viewLens(const ViewControls& c)
{
    // Circle A of the view is centred at the origin.
    return spherical::lensFrom({c.deiktisdiathlasis, c.kentrokykloy, 0, c.aktina1, c.aktina2});
}

void miaaktina(Surface& s, const spherical::LensState& lens, const spherical::Diaphragm& benchDiaphragm, double x0,
               double y0, double x1, double y1, double x2, double y2)
{
    facesAndFoci(s, lens);
    const Rim rim = rimOf(lens);
    if (rim.exists) {
        s.Line(-200, rim.y, 200, rim.y, colours::black);
        s.Line(-200, rim.otherY, 200, rim.otherY, colours::black);
    }
    s.FontName = "Arial Greek";
    double dx = x2 - x1, dy = y2 - y1;
    if (x2 == x1) {
        dx = 0;
        dy = y2 > y1 ? 50 : -50;
    }
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return;
    waves::drawSingleRay(s, benchDiaphragm, lens, x0, y0, dx, dy);
}

} // namespace lens::singleray
