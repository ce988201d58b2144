#include "bench/bench_model.h"

#include <cmath>
#include <numbers>

namespace lens::bench {

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

} // namespace lens::bench
