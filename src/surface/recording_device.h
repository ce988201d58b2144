#pragma once

#include "surface/surface.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace lens {

// A device that paints nothing and keeps every primitive, so tests can ask what was drawn,
// where, in which colour and with which pen. Coordinates are device pixels; a test converts
// them back with Surface::userX and Surface::userY.
class RecordingDevice final : public Device {
public:
    struct Segment {
        double x1, y1, x2, y2;
        Pen pen;
    };
    struct Ellipse {
        double cx, cy, rx, ry;
        bool isArc;
        double start, end;
        Pen pen;
        bool filled;
        Rgb fillColour;
    };
    struct Dot {
        double x, y;
        Pen pen;
    };
    struct Text {
        double x, y;
        std::string text;
        Font font;
        Rgb colour;
    };
    struct Fill {
        int px, py;
        Rgb border, fill;
        FloodMode mode;
    };

    RecordingDevice(int width, int height) : width_(width), height_(height) {}

    int width() const override { return width_; }
    int height() const override { return height_; }

    void segment(double x1, double y1, double x2, double y2, const Pen& pen) override;
    void ellipse(double cx, double cy, double rx, double ry, bool isArc, double start, double end, const Pen& pen,
                 bool filled, Rgb fillColour) override;
    void dot(double x, double y, const Pen& pen) override;
    double text(double x, double y, std::string_view utf8, const Font& font, Rgb colour) override;
    void clear(Rgb background) override;
    void floodFill(int px, int py, Rgb border, Rgb fill, FloodMode mode) override;
    void refresh() override { ++refreshes; }

    // Forgets everything recorded so far.
    void reset();
    // Segments drawn in one colour.
    std::vector<Segment> segmentsIn(Rgb colour) const;
    std::size_t count() const; // every primitive except clears and refreshes

    std::vector<Segment> segments;
    std::vector<Ellipse> ellipses;
    std::vector<Dot> dots;
    std::vector<Text> texts;
    std::vector<Fill> fills;
    int clears = 0;
    int refreshes = 0;
    // Primitives that arrived with a coordinate, radius or angle that is not finite (they are recorded too);
    // a surface must never hand one over, so a test fails on any.
    int nonFinite = 0;
    std::string firstNonFinite; // which primitive, for the test's message
    Rgb lastClearColour;

private:
    void check(const char* primitive, std::initializer_list<double> values);

    int width_;
    int height_;
};

} // namespace lens
