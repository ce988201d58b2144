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

Rim rimOf(double Radius1, double rAdiUs2, double xb)
{
    const spherical::SimeiaTomis t = spherical::tomikyklonschetiki(xb, Radius1, rAdiUs2);
    Rim rim;
    rim.exists = t.yparxei;
    rim.x = t.x1;
    rim.y = t.y1 >= 0 ? t.y1 : t.y2;
    rim.otherY = t.y1 >= 0 ? t.y2 : t.y1;
    return rim;
}

void facesAndFoci(Surface& s, double Radius1, double rAdiUs2, double xa, double xb, double refindex)
{
    const Rim rim = rimOf(Radius1, rAdiUs2, xb - xa);
    const auto a1 = spherical::toxoimitono(rim.y / Radius1), a2 = spherical::toxoimitono(rim.y / rAdiUs2);
    if (rim.exists && a1 && a2) {
        s.DrawWidth = 5;
        s.Circle(xa, 0, Radius1, face, 2 * std::numbers::pi - *a1, *a1);
        s.Circle(xb, 0, rAdiUs2, face, std::numbers::pi - *a2, std::numbers::pi + *a2);
        s.DrawWidth = 1;
    }
    if (const auto f = spherical::estiakiapostasi(Radius1, rAdiUs2, refindex); f && rim.exists) {
        s.Circle(xa + rim.x - *f, 0, 3, focus);
        s.Circle(xa + rim.x + *f, 0, 3, focus);
    }
}

} // namespace

void sxediasifakoy(Surface& s, double Radius1, double rAdiUs2, double xa, double xb, double refindex)
{
    s.Cls();
    facesAndFoci(s, Radius1, rAdiUs2, xa, xb, refindex);
}

void miaaktina(Surface& s, const ViewControls& c, double refindex, const spherical::Diaphragm& benchDiaphragm,
               double x0, double y0, double x1, double y1, double x2, double y2)
{
    // Circle A of the view is centred at the origin.
    const spherical::LensState lens = spherical::lensFrom({c.deiktisdiathlasis, c.kentrokykloy, 0, c.aktina1, c.aktina2});
    const double xcentreB = lens.xcentreB, radiusA = lens.radiusA, radiusB = lens.radiusB;
    facesAndFoci(s, radiusA, radiusB, 0, xcentreB, refindex);
    const Rim rim = rimOf(radiusA, radiusB, xcentreB);
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
    waves::aktinamoni(s, benchDiaphragm, x0, y0, dx, dy, 0, xcentreB, radiusA, radiusB, lens.refindex);
}

} // namespace lens::singleray
