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

// A point in a screen's user coordinates.
struct UserPoint {
    double x = 0, y = 0;
};

// The centre of a marker's box, on a screen whose y grows upwards (its box hangs below Top).
inline UserPoint centreOf(const ShapeControl& shape)
{
    return {shape.Left + shape.Width / 2, shape.Top - shape.Height / 2};
}

// Puts a marker's box so that its centre is (x, y): a point source's marker is drawn about the
// point the light leaves from, not beside it.
inline void centreOn(ShapeControl& shape, double x, double y)
{
    shape.Left = x - shape.Width / 2;
    shape.Top = y + shape.Height / 2;
}

// One line of a picture's legend: a sample of a mark, as the picture draws it, and what it means.
struct LegendEntry {
    enum Swatch {
        dot,        // a round dot `width` pixels across on the picture
        line,       // a solid line `width` pixels wide
        dottedLine, // a vertical dotted line
        dashDotLine,
        cross,      // an upright cross
        ring,       // a small circle
        disc,       // a small circle filled with its own colour
    };
    Swatch swatch = line;
    Rgb colour;
    int width = 1;
    const char* text = ""; // UTF-8, Greek and English
};

} // namespace lens
