#pragma once

#include "surface/colour.h"

namespace lens {

// A straight segment drawn over a screen's picture, in the screen's user coordinates.
// It is not part of the drawing, so clearing the picture leaves it in place.
struct LineControl {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Rgb BorderColor = colours::black;
    int BorderWidth = 1;
    bool Visible = true;
};

// A small marker over the picture: its box has its top left corner at (Left, Top) in user
// coordinates and extends Width to the right and Height downwards on the screen.
struct ShapeControl {
    enum Kind { rectangle, circle };
    Kind kind = circle;
    double Left = 0, Top = 0, Width = 1, Height = 1;
    Rgb BorderColor = colours::black;
    bool filled = false;
    Rgb FillColor = colours::black;
    bool Visible = true;
};

} // namespace lens
