#pragma once

#include "surface/colour.h"

#include <string>
#include <string_view>
#include <vector>

namespace lens {

// Pen patterns of DrawStyle. A pattern shows only at pen width 1.
enum DrawStyleCode : int { solidStyle = 0, dashedStyle = 1, dottedStyle = 2, dashDotStyle = 3 };
// FillStyle: 0 fills circles solid with FillColor, 1 leaves them empty.
enum FillStyleCode : int { solidFill = 0, noFill = 1 };

// How far outside the picture a drawing may reach the device. A segment is clipped to a band of
// segmentClipBand picture sizes (the larger of width and height) around the picture, widened by its pen's
// width; a dot or a circle's centre further than primitiveReach pixels outside is not drawn.
inline constexpr double segmentClipBand = 4;
inline constexpr double primitiveReach = 1 << 16;
// The width in pixels of the band around a picture of width × height pixels that a segment drawn with a
// pen penWidth pixels wide is clipped to.
inline double segmentClipMargin(double width, double height, int penWidth)
{
    return segmentClipBand * (width > height ? width : height) + penWidth;
}

// The pen a device draws with: the pattern is already resolved (wide pens are solid).
struct Pen {
    Rgb colour;
    int width = 1;
    int style = solidStyle;
};

struct Font {
    std::string name = "Arial";
    double size = 10; // points
};

// How a flood fill spreads from its seed.
enum class FloodMode {
    untilBorder, // every pixel that is not of the border colour
    seedColour,  // only pixels of the seed's own colour (the border still stops it)
};

// The few primitives a picture is made of, in device pixels (x right, y down).
// The surface does all the user-coordinate work; a device only paints.
class Device {
public:
    virtual ~Device() = default;

    virtual int width() const = 0;  // drawable area in pixels
    virtual int height() const = 0;

    virtual void segment(double x1, double y1, double x2, double y2, const Pen& pen) = 0;
    // An ellipse about (cx, cy) with radii rx, ry, or the arc from angle start to end
    // (radians, counter-clockwise as seen on the screen) when isArc is set.
    // A filled ellipse is painted with fillColour first.
    virtual void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end,
                         const Pen& pen, bool filled, Rgb fillColour) = 0;
    // A dot pen.width pixels across.
    virtual void dot(double x, double y, const Pen& pen) = 0;
    // Text with its top left corner at (x, y); returns the height of one line in pixels.
    virtual double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) = 0;
    // How far text written in this font reaches across and how high one line of it is, in pixels. A
    // device that paints nothing estimates it for a font at 96 dots to the inch, wide enough for
    // capitals and digits.
    struct TextExtent { double width = 0, height = 0; };
    virtual TextExtent textExtent(std::string_view utf8, const Font& font);
    virtual void clear(Rgb background) = 0;
    virtual void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) = 0;
    // Shows what has been painted (a window repaints from its retained image).
    virtual void refresh() {}
};

// Clips the segment (x1, y1)–(x2, y2) to the rectangle [left, right] × [top, bottom] (Liang–Barsky), moving
// its ends onto the part inside; false (ends unchanged or not) when no part of it lies inside.
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
                 double bottom);

// One picture's drawing state and operations in user coordinates: a screen's client area or a
// printer page. The names are the ones every drawing routine of the program uses.
class Surface {
public:
    explicit Surface(Device& device);

    // (x1, y1) becomes the top left corner and (x2, y2) the bottom right corner of the area.
    void Scale(double x1, double y1, double x2, double y2);
    // Until Scale is called the unit is the device pixel.
    double ScaleLeft() const { return userScale_ ? scaleLeft_ : 0.0; }
    double ScaleTop() const { return userScale_ ? scaleTop_ : 0.0; }
    double ScaleWidth() const;
    double ScaleHeight() const;
    bool hasUserScale() const { return userScale_; }

    // Segment in ForeColor, or in the given colour; the current point moves to (x2, y2). Only the part
    // on the picture reaches the device; a segment with an end that is not finite is not drawn.
    void Line(double x1, double y1, double x2, double y2);
    void Line(double x1, double y1, double x2, double y2, Rgb colour);
    // The −(x2, y2) form: from the current point.
    void LineTo(double x2, double y2);
    void LineTo(double x2, double y2, Rgb colour);

    // Circle of radius r (user x units) about (x, y); with start and end an arc drawn
    // counter-clockwise; aspect is the vertical radius over the horizontal one.
    void Circle(double x, double y, double r);
    void Circle(double x, double y, double r, Rgb colour);
    void Circle(double x, double y, double r, Rgb colour, double start, double end);
    void Circle(double x, double y, double r, Rgb colour, double start, double end, double aspect);

    // A dot DrawWidth pixels across.
    void PSet(double x, double y);
    void PSet(double x, double y, Rgb colour);

    // Clears to BackColor and puts the current point at (0, 0).
    void Cls();
    // Writes text at the current point; the current point moves to the start of the next line.
    void Print(std::string_view text);
    // The width and the height of text as Print would write it now, in user units (never negative).
    double TextWidth(std::string_view text) const;
    double TextHeight(std::string_view text) const;
    // Fills from device pixel (px, py) up to the border colour, with FillColor when FillStyle is
    // solid; with FillStyle 1 (no fill), or a seed off the picture, nothing is painted.
    void FloodFill(int px, int py, Rgb border);
    // The same, spreading only over pixels of the seed's colour, so lines drawn inside the
    // bounded region stay visible.
    void FloodFillSeedColour(int px, int py, Rgb border);
    void Refresh();

    // A width or height in user units as device pixels (signed: negative where the user axis
    // runs against the device axis).
    double ScaleX(double width) const;
    double ScaleY(double height) const;

    // User point to device pixel and back.
    double pixelX(double x) const;
    double pixelY(double y) const;
    double userX(double px) const;
    double userY(double py) const;
    bool contains(double x, double y) const; // inside the visible rectangle, edges included

    Device& device() { return *device_; }
    const Device& device() const { return *device_; }
    // Draws on another device from now on, with the same state (a picture written to a file).
    void setDevice(Device& device) { device_ = &device; }

    Rgb ForeColor = colours::black;
    Rgb BackColor = colours::white;
    Rgb FillColor = colours::black;
    int DrawWidth = 1;
    // Every pen width and dot size is multiplied by this (a page of many device pixels to the point,
    // or a picture for a projector); 1 draws them as the routines ask.
    int PenScale = 1;
    int TextScale = 1; // the same for the size of printed text
    int DrawStyle = solidStyle;
    int FillStyle = noFill;
    double CurrentX = 0;
    double CurrentY = 0;
    std::string FontName = "Arial";
    double FontSize = 10;

    // Boxes of the picture, in device pixels, that the window's opaque controls hide: labels written
    // into the picture move clear of them. None on a page or a picture written to a file.
    struct PixelBox {
        double left, top, right, bottom;
    };
    std::vector<PixelBox> covered;

private:
    Pen pen(Rgb colour) const;
    Font printFont() const;
    // Whether a device point is finite and near enough the picture to be handed to the device.
    bool onReach(double px, double py) const;
    bool onPicture(int px, int py) const;
    void drawCircle(double x, double y, double r, Rgb colour, bool isArc, double start, double end,
                    double aspect);

    Device* device_;
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 1;
    double scaleHeight_ = 1;
    bool userScale_ = false;
};

} // namespace lens
