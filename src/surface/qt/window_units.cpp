#include "surface/qt/window_units.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace lens {

namespace {
double dpi(const QWidget* widget) { return widget ? widget->logicalDpiX() : 96.0; }
} // namespace

int twipsToPixels(double twips, const QWidget* widget) { return int(std::lround(twips * dpi(widget) / 1440.0)); }
double pixelsToTwips(double pixels, const QWidget* widget) { return pixels * 1440.0 / dpi(widget); }

QSize displayTwips(const QWidget* widget)
{
    QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return QSize(int(std::lround(pixelsToTwips(area.width(), widget))),
                 int(std::lround(pixelsToTwips(area.height(), widget))));
}

bool hasWindowManager()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace lens
