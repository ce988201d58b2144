#pragma once

#include <QSize>

class QWidget;

namespace lens {

// Twips: 1440 to the inch, through the display's logical resolution.
int twipsToPixels(double twips, const QWidget* widget);
double pixelsToTwips(double pixels, const QWidget* widget);
// The display's size in twips (the available area, without panels).
QSize displayTwips(const QWidget* widget);

// Whether a window manager maps, frames and may resize the windows (not so on the offscreen and
// minimal platforms, where a window has at once the geometry it asks for).
bool hasWindowManager();

} // namespace lens
