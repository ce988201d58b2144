#pragma once
// The program started headless with the bench on view, for the screen tests that look at the
// bench's retained picture.

#include "app/app.h"
#include "bench/bench_screen.h"

#include <QApplication>

namespace lens {

// How many pixels of a picture have exactly this colour.
inline int pixelsOf(const QImage& image, Rgb colour)
{
    const QRgb wanted = qRgb(colour.r, colour.g, colour.b) & RGB_MASK;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & RGB_MASK) == wanted;
    return n;
}

struct Bench {
    LensBenchApp app;
    BenchScreen* bench = nullptr;
    Bench()
    {
        app.endProgram = [] {};
        app.Main();
        bench = &app.vitrosa();
    }
    ~Bench()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    Rgb at(double x, double y)
    {
        const QRgb c = bench->canvas().pixelAt(x, y);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    }
    // Whether the colour appears within a few pixels of a user point.
    bool near(double x, double y, Rgb colour, int reach = 3)
    {
        Surface& s = bench->surface();
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (at(x + dx / s.ScaleX(1), y + dy / s.ScaleY(1)) == colour)
                    return true;
        return false;
    }
    Rgb background() const { return bench->surface().BackColor; }
};

} // namespace lens
