#include "surface/number_text.h"
#include "surface/recording_device.h"
#include "surface/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <string>
#include <string_view>

using namespace lens;

namespace {

struct Picture {
    RecordingDevice device{540, 480};
    Surface surface{device};
    Picture() { surface.Scale(-120, 120, 150, -120); }
};

} // namespace

TEST(SurfaceScale, CornersMapToTheDeviceCornersAndHeightReadsNegative)
{
    Picture p;
    EXPECT_DOUBLE_EQ(p.surface.ScaleLeft(), -120);
    EXPECT_DOUBLE_EQ(p.surface.ScaleTop(), 120);
    EXPECT_DOUBLE_EQ(p.surface.ScaleWidth(), 270);
    EXPECT_DOUBLE_EQ(p.surface.ScaleHeight(), -240);
    EXPECT_DOUBLE_EQ(p.surface.pixelX(-120), 0);
    EXPECT_DOUBLE_EQ(p.surface.pixelY(120), 0);
    EXPECT_DOUBLE_EQ(p.surface.pixelX(150), 540);
    EXPECT_DOUBLE_EQ(p.surface.pixelY(-120), 480);
    // y grows upwards: a higher user y is a smaller pixel row.
    EXPECT_LT(p.surface.pixelY(10), p.surface.pixelY(-10));
    EXPECT_DOUBLE_EQ(p.surface.ScaleX(27), 54);
    EXPECT_DOUBLE_EQ(p.surface.ScaleY(24), -48);
    EXPECT_DOUBLE_EQ(p.surface.userX(p.surface.pixelX(33.5)), 33.5);
    EXPECT_DOUBLE_EQ(p.surface.userY(p.surface.pixelY(-71.25)), -71.25);
}

TEST(SurfaceScale, ADegenerateScaleKeepsTheOldOne)
{
    Picture p;
    p.surface.Scale(0, 0, 0, 10);
    p.surface.Scale(0, 0, std::numeric_limits<double>::infinity(), 10);
    EXPECT_DOUBLE_EQ(p.surface.ScaleWidth(), 270);
    EXPECT_DOUBLE_EQ(p.surface.ScaleHeight(), -240);
}

TEST(SurfaceDrawing, ForeColorIsTakenWhenTheLineIsDrawn)
{
    Picture p;
    p.surface.ForeColor = colours::red;
    p.surface.Line(0, 0, 10, 10);
    p.surface.ForeColor = colours::blue;
    p.surface.Line(0, 0, 10, -10, colours::green);
    p.surface.LineTo(20, 20);
    ASSERT_EQ(p.device.segments.size(), 3u);
    EXPECT_EQ(p.device.segments[0].pen.colour, colours::red);
    EXPECT_EQ(p.device.segments[1].pen.colour, colours::green);
    EXPECT_EQ(p.device.segments[2].pen.colour, colours::blue);
    // The −(x2, y2) form starts where the last line ended.
    EXPECT_DOUBLE_EQ(p.surface.userX(p.device.segments[2].x1), 10);
    EXPECT_DOUBLE_EQ(p.surface.userY(p.device.segments[2].y1), -10);
}

TEST(SurfaceDrawing, CurrentPointFollowsEveryOperation)
{
    Picture p;
    p.surface.Line(1, 2, 3, 4);
    EXPECT_EQ(p.surface.CurrentX, 3);
    EXPECT_EQ(p.surface.CurrentY, 4);
    p.surface.Circle(-5, 6, 2);
    EXPECT_EQ(p.surface.CurrentX, -5);
    EXPECT_EQ(p.surface.CurrentY, 6);
    p.surface.PSet(7, -8);
    EXPECT_EQ(p.surface.CurrentX, 7);
    EXPECT_EQ(p.surface.CurrentY, -8);
    p.surface.Cls();
    EXPECT_EQ(p.surface.CurrentX, 0);
    EXPECT_EQ(p.surface.CurrentY, 0);
    EXPECT_EQ(p.device.clears, 1);
    EXPECT_EQ(p.device.lastClearColour, colours::white);
}

TEST(SurfaceDrawing, PrintMovesToTheStartOfTheNextLine)
{
    Picture p;
    p.surface.FontName = "Arial Greek";
    p.surface.FontSize = 13;
    p.surface.CurrentX = 20;
    p.surface.CurrentY = 50;
    p.surface.Print("Εστία F");
    ASSERT_EQ(p.device.texts.size(), 1u);
    EXPECT_EQ(p.device.texts[0].text, "Εστία F");
    EXPECT_EQ(p.device.texts[0].font.name, "Arial Greek");
    EXPECT_EQ(p.device.texts[0].font.size, 13);
    EXPECT_DOUBLE_EQ(p.surface.CurrentX, p.surface.ScaleLeft());
    EXPECT_LT(p.surface.CurrentY, 50); // the next line is lower on the screen, so lower in y-up units
    const double lineHeightInPixels = p.surface.pixelY(p.surface.CurrentY) - p.surface.pixelY(50);
    EXPECT_NEAR(lineHeightInPixels, 13 * 96.0 / 72.0 * 1.15, 1e-9);
}

TEST(SurfacePens, PatternsShowOnlyAtWidthOneAndWidePensAreSolid)
{
    struct Row {
        int width, style, expectedStyle;
    };
    const Row rows[] = {{1, dottedStyle, dottedStyle}, {1, dashDotStyle, dashDotStyle}, {1, solidStyle, solidStyle},
                        {2, dottedStyle, solidStyle},  {4, dashDotStyle, solidStyle},  {15, dottedStyle, solidStyle},
                        {0, dottedStyle, dottedStyle}, {1, dashedStyle, dashedStyle}, {3, dashedStyle, solidStyle}};
    for (const Row& row : rows) {
        Picture p;
        p.surface.DrawWidth = row.width;
        p.surface.DrawStyle = row.style;
        p.surface.Line(0, 0, 50, 0);
        p.surface.Circle(0, 0, 5);
        p.surface.PSet(1, 1);
        ASSERT_EQ(p.device.segments.size(), 1u);
        EXPECT_EQ(p.device.segments[0].pen.style, row.expectedStyle) << "width " << row.width;
        EXPECT_EQ(p.device.segments[0].pen.width, std::max(1, row.width));
        EXPECT_EQ(p.device.ellipses[0].pen.style, row.expectedStyle);
        EXPECT_EQ(p.device.dots[0].pen.style, solidStyle); // a dot has no pattern
        EXPECT_EQ(p.device.dots[0].pen.width, std::max(1, row.width));
    }
}

TEST(SurfaceCircles, RadiusInXUnitsAspectArcAndFill)
{
    Picture p; // 2 pixels per unit across
    p.surface.Circle(0, 0, 10, colours::red, 0.5, 2.0, 0.5);
    p.surface.FillStyle = solidFill;
    p.surface.FillColor = RGB(55, 0, 0);
    p.surface.Circle(5, 5, 3);
    ASSERT_EQ(p.device.ellipses.size(), 2u);
    const auto& arc = p.device.ellipses[0];
    EXPECT_DOUBLE_EQ(arc.rx, 20);
    EXPECT_DOUBLE_EQ(arc.ry, 10);
    EXPECT_TRUE(arc.isArc);
    EXPECT_DOUBLE_EQ(arc.start, 0.5);
    EXPECT_DOUBLE_EQ(arc.end, 2.0);
    EXPECT_FALSE(arc.filled);
    EXPECT_TRUE(p.device.ellipses[1].filled);
    EXPECT_EQ(p.device.ellipses[1].fillColour, RGB(55, 0, 0));
    EXPECT_FALSE(p.device.ellipses[1].isArc);
}

TEST(SurfaceSafety, NonFiniteCoordinatesAreNeverHandedToTheDevice)
{
    Picture p;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    p.surface.Line(nan, 0, 1, 1);
    p.surface.Line(0, 0, inf, 1);
    p.surface.Circle(0, 0, nan);
    p.surface.PSet(0, -inf);
    EXPECT_EQ(p.device.count(), 0u);
    EXPECT_TRUE(std::isfinite(p.surface.CurrentX));
    EXPECT_TRUE(std::isfinite(p.surface.CurrentY));
}

TEST(SurfaceFill, FloodFillPaintsOnlyWithASolidFillStyle)
{
    Picture p;
    p.surface.FillStyle = noFill;
    p.surface.FloodFill(10, 10, colours::black);
    EXPECT_TRUE(p.device.fills.empty());
    p.surface.FillStyle = solidFill;
    p.surface.FillColor = RGB(200, 228, 250);
    p.surface.FloodFill(10, 12, colours::black);
    p.surface.FloodFillSeedColour(3, 4, colours::black);
    ASSERT_EQ(p.device.fills.size(), 2u);
    EXPECT_EQ(p.device.fills[0].px, 10);
    EXPECT_EQ(p.device.fills[0].py, 12);
    EXPECT_EQ(p.device.fills[0].fill, RGB(200, 228, 250));
    EXPECT_EQ(p.device.fills[0].mode, FloodMode::untilBorder);
    EXPECT_EQ(p.device.fills[1].mode, FloodMode::seedColour);
}

// Nothing that is not finite, and nothing far beyond the picture, reaches the device, whatever the user
// coordinates and the values drawn.
TEST(SurfaceBounds, OutOfRangeValuesNeverReachTheDevice)
{
    Picture p;
    Surface& s = p.surface;
    // Corners whose difference overflows are refused: the old scale stays.
    s.Scale(-1e308, 1, 1e308, -1);
    EXPECT_DOUBLE_EQ(s.ScaleWidth(), 270);
    s.Line(0, 0, 1, 1);
    s.Scale(0, 1e307, 1e307, -1e307);
    EXPECT_NEAR(s.ScaleX(1e306), 54, 1e-9); // divided before it is multiplied
    EXPECT_NEAR(s.ScaleY(-1e306), 24, 1e-9);
    s.Scale(-120, 120, 150, -120);
    // Lines to far or overflowing points are cut near the picture; the current point still moves.
    s.Line(0, 0, 1e30, 3e29);
    s.Line(0, 0, 1e300, 1e300);
    s.Line(-1e38, -1e38, 1e38, 1e38);
    s.Line(0, 0, 0, -3.7e10);
    EXPECT_EQ(s.CurrentY, static_cast<double>(static_cast<float>(-3.7e10)));
    // Text at a current point that is no number, or far away, is not written.
    s.CurrentX = std::numeric_limits<double>::quiet_NaN();
    s.Print("nan");
    s.CurrentX = 1e300;
    s.CurrentY = 0;
    s.Print("far");
    EXPECT_TRUE(std::isfinite(s.CurrentX) && std::isfinite(s.CurrentY));
    s.PSet(1e300, 0);
    s.Circle(0, 0, 1e30);
    // A seed one pixel off the picture fills nothing.
    s.FillStyle = solidFill;
    s.FloodFill(540, 10, colours::black);
    s.FloodFill(-1, 10, colours::black);

    EXPECT_EQ(p.device.nonFinite, 0) << p.device.firstNonFinite;
    EXPECT_TRUE(p.device.texts.empty());
    EXPECT_TRUE(p.device.dots.empty());
    EXPECT_TRUE(p.device.ellipses.empty());
    EXPECT_TRUE(p.device.fills.empty());
    ASSERT_EQ(p.device.segments.size(), 4u); // the line to (1e300, 1e300) has no end in single precision
    for (const auto& seg : p.device.segments)
        for (double v : {seg.x1, seg.y1, seg.x2, seg.y2})
            EXPECT_LT(std::fabs(v), 10 * 540.0);
}

// One number as a prompt or a one-number option reads it: a lone decimal comma, a degree sign after it.
TEST(NumberText, AnsweredNumbers)
{
    const struct {
        std::string_view text;
        std::optional<double> value;
    } rows[] = {
        {"12,5", 12.5},     {"12.5", 12.5},     {"20°", 20.0},       {" 20 ° ", 20.0},  {"20º", 20.0},
        {"-3,25e1", -32.5}, {"12,5°", 12.5},    {",5", 0.5},         {"1e400", std::numeric_limits<double>::infinity()},
        {"1,2,3", {}},      {"1.000,5", {}},    {"20°°", {}},        {"°", {}},         {"°20", {}},
        {"abc", {}},        {"", {}},           {"inf", {}},       {"20 deg", {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.text));
        EXPECT_EQ(answeredNumber(row.text), row.value);
    }
}

namespace {

struct AnswerCase {
    std::string_view answer;
    AngleAnswer kind;
    double slope = 0;
};

TEST(NumberText, AngleAnswers)
{
    using enum AngleAnswer;
    const AnswerCase cases[] = {
        {"45", beam, 1.0},
        {"  20 ", beam, std::tan(20 * std::numbers::pi / 180)},
        {"22,5", beam, std::tan(22.5 * std::numbers::pi / 180)},
        {"22.5", beam, std::tan(22.5 * std::numbers::pi / 180)},
        {"-30", beam, std::tan(-30 * std::numbers::pi / 180)},
        {"+0", beam, 0.0},
        {"405", beam, 1.0},
        {"-999930", beam, std::tan(-30 * std::numbers::pi / 180)},
        {"", empty},
        {"   ", empty},
        {"abc", notANumber},
        {"12abc", notANumber},
        {"1,2,3", notANumber},
        {"--5", notANumber},
        {"inf", notANumber},
        {"-Infinity", notANumber},
        {"nan", notANumber},
        {"90", vertical},
        {"-90", vertical},
        {"270", vertical},
        {"1e20", tooLarge},
        {"-1000001", tooLarge},
        {"1e400", tooLarge},
        // Too small for a double is an angle of 0; any length of digits is read; any white space is trimmed.
        {"1e-400", beam, 0.0},
        {"-0.000000000000000000000000000000000000000000000000000000000000000000000001e-350", beam, 0.0},
        {"45.00000000000000000000000000000000000000000000000000000000000000000000000000", beam, 1.0},
        {std::string_view("99999999999999999999999999999999999999999999999999999999999999999999999999999999"
                          "99999999999999999999999999999999999999999999999999999999999999999999999999999999"
                          "99999999999999999999999999999999999999999999999999999999999999999999999999999999"
                          "999999999999999999999999999999999999999999999999999999999999"),
         tooLarge},
        {"4444444444444444444444444444444444444444444444444444444444444444444444.5", tooLarge},
        {"1e99999999999999999999999", tooLarge},
        {"\u00A045", beam, 1.0},
        {"\t\u2003\u3000-30\u202F\r\n", beam, std::tan(-30 * std::numbers::pi / 180)},
        {"\uFEFF\u00A0", empty},
        {"4\u00A05", notANumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.answer));
        const BeamAnswer answer = beamslopefromanswer(c.answer);
        EXPECT_EQ(answer.kind, c.kind);
        if (c.kind == beam) {
            EXPECT_NEAR(answer.slope, c.slope, 1e-9);
        }
    }
}

} // namespace
