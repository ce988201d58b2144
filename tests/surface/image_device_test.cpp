#include "surface/qt/canvas.h"
#include "surface/qt/image_device.h"
#include "surface/qt/printer_device.h"
#include "surface/surface.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

using namespace lens;

namespace {

struct ImagePicture {
    QImage image{200, 200, QImage::Format_RGB32};
    ImageDevice device{image};
    Surface surface{device};
    ImagePicture()
    {
        surface.Scale(-100, 100, 100, -100); // one unit per pixel, y up
        surface.Cls();
    }
    Rgb at(int px, int py)
    {
        device.flush();
        const QRgb c = image.pixel(px, py);
        return RGB(qRed(c), qGreen(c), qBlue(c));
    }
    // Whether a colour lies within a pixel of (px, py): thin lines fall on whole pixels.
    bool near(int px, int py, Rgb colour)
    {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(px + dx, py + dy) == colour)
                    return true;
        return false;
    }
    int countOnRow(int py, Rgb colour, int from = 0, int to = 199)
    {
        int n = 0;
        for (int x = from; x <= to; ++x)
            n += at(x, py) == colour;
        return n;
    }
};

} // namespace

TEST(ImageDevicePens, DottedDashedAndDashDotLeaveGapsWideLinesDoNot)
{
    ImagePicture p;
    p.surface.DrawStyle = dashedStyle;
    p.surface.Line(-90, 25, 90, 25, colours::black);
    p.surface.DrawStyle = dottedStyle;
    p.surface.Line(-90, 50, 90, 50, colours::black);
    p.surface.DrawStyle = dashDotStyle;
    p.surface.Line(-90, 0, 90, 0, colours::black);
    p.surface.DrawWidth = 3;
    p.surface.DrawStyle = dottedStyle;
    p.surface.Line(-90, -50, 90, -50, colours::black);

    const int dotted = p.countOnRow(50, colours::black, 10, 190);
    const int dashDot = p.countOnRow(100, colours::black, 10, 190);
    const int wide = p.countOnRow(150, colours::black, 10, 190);
    EXPECT_GT(dotted, 20);
    EXPECT_LT(dotted, 150); // gaps
    EXPECT_GT(dashDot, dotted); // dashes cover more than dots
    EXPECT_LT(dashDot, 175);
    EXPECT_EQ(wide, 181); // solid end to end
    const int dashed = p.countOnRow(75, colours::black, 10, 190);
    EXPECT_GT(dashed, dotted);
    EXPECT_LT(dashed, 175);
    // The dash-dot pattern has runs of two different lengths.
    int longest = 0, shortest = 1000, run = 0;
    for (int x = 10; x <= 190; ++x) {
        if (p.at(x, 100) == colours::black) {
            ++run;
        } else if (run > 0) {
            longest = std::max(longest, run);
            shortest = std::min(shortest, run);
            run = 0;
        }
    }
    EXPECT_GT(longest, 2 * shortest);
}

TEST(ImageDeviceDots, PenWidthIsTheDotSize)
{
    ImagePicture p;
    p.surface.PSet(-50, 0, colours::red);
    p.surface.DrawWidth = 8;
    p.surface.PSet(50, 0, colours::red);
    EXPECT_EQ(p.countOnRow(100, colours::red, 0, 99), 1);
    const int across = p.countOnRow(100, colours::red, 100, 199);
    EXPECT_GE(across, 7);
    EXPECT_LE(across, 9);
}

TEST(ImageDeviceArcs, ArcsRunCounterClockwiseFromStartToEnd)
{
    ImagePicture p;
    // A quarter from 0 to π/2 lies in the upper right quadrant (y grows upwards here).
    p.surface.Circle(0, 0, 50, colours::blue, 0, std::numbers::pi / 2);
    EXPECT_TRUE(p.near(135, 65, colours::blue)) << "upper right";
    EXPECT_FALSE(p.near(135, 135, colours::blue)) << "lower right stays empty";
    EXPECT_FALSE(p.near(65, 65, colours::blue)) << "upper left stays empty";
    // From 3π/2 to π/2 passes through 0: the right half, not the left.
    p.surface.Cls();
    p.surface.Circle(0, 0, 50, colours::blue, 3 * std::numbers::pi / 2, std::numbers::pi / 2);
    EXPECT_TRUE(p.near(150, 100, colours::blue));
    EXPECT_FALSE(p.near(50, 100, colours::blue));
}

TEST(ImageDeviceFill, FloodFillStopsAtTheBorderAndTakesDevicePixels)
{
    ImagePicture p;
    p.surface.Circle(0, 0, 40, colours::black);
    p.surface.Line(-20, -20, 20, 20, colours::green); // a line inside the circle
    p.surface.FillStyle = solidFill;
    p.surface.FillColor = RGB(200, 228, 250);
    // The seed is given in pixels, converted from user units the way the bench does it.
    const int sx = int(std::lround(0 * p.surface.ScaleX(1) - p.surface.ScaleX(p.surface.ScaleLeft())));
    const int sy = int(std::lround(10 * p.surface.ScaleY(1) - p.surface.ScaleY(p.surface.ScaleTop())));
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 90);
    p.surface.FloodFill(sx, sy, colours::black);
    EXPECT_EQ(p.at(100, 90), RGB(200, 228, 250));
    EXPECT_EQ(p.at(100, 125), RGB(200, 228, 250));
    EXPECT_EQ(p.at(100, 100), RGB(200, 228, 250)) << "a border fill paints over lines of other colours";
    EXPECT_EQ(p.at(5, 5), colours::white) << "outside the border stays";
    EXPECT_EQ(p.at(199, 199), colours::white);
}

TEST(ImageDeviceFill, SeedColourFillKeepsLinesInsideTheRegion)
{
    ImagePicture p;
    p.surface.Circle(0, 0, 40, colours::black);
    p.surface.Line(-20, 0, 20, 0, colours::green);
    p.surface.FillStyle = solidFill;
    p.surface.FillColor = RGB(200, 228, 250);
    p.surface.FloodFillSeedColour(100, 80, colours::black);
    EXPECT_EQ(p.at(100, 80), RGB(200, 228, 250));
    EXPECT_EQ(p.at(100, 120), RGB(200, 228, 250)) << "the fill goes round the line's ends";
    EXPECT_EQ(p.at(100, 100), colours::green);
    EXPECT_EQ(p.at(5, 5), colours::white);
    // A seed on the border or outside the image paints nothing.
    p.surface.FillColor = colours::red;
    p.surface.FloodFill(140, 100, colours::black);
    p.surface.FloodFill(-3, 500, colours::black);
    EXPECT_EQ(p.at(5, 5), colours::white);
}

namespace {

// The region a fill must take, found pixel by pixel: every 4-connected pixel from the device-pixel seed
// that is not of the border colour (or that is of the seed's colour), each looked at once.
QImage referenceFill(QImage image, int sx, int sy, QRgb border, QRgb fill, FloodMode mode)
{
    const int w = image.width(), h = image.height();
    if (sx < 0 || sy < 0 || sx >= w || sy >= h || (image.pixel(sx, sy) & RGB_MASK) == (border & RGB_MASK))
        return image;
    const QRgb seed = image.pixel(sx, sy) & RGB_MASK;
    auto inside = [&](QRgb c) {
        return mode == FloodMode::seedColour ? (c & RGB_MASK) == seed : (c & RGB_MASK) != (border & RGB_MASK);
    };
    std::vector<char> seen(std::size_t(w * h), 0);
    std::vector<QPoint> todo{{sx, sy}};
    seen[std::size_t(sy * w + sx)] = 1;
    while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        image.setPixel(p, fill);
        for (QPoint n : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
            if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h || seen[std::size_t(n.y() * w + n.x())] ||
                !inside(image.pixel(n)))
                continue;
            seen[std::size_t(n.y() * w + n.x())] = 1;
            todo.push_back(n);
        }
    }
    return image;
}

} // namespace

TEST(ImageDeviceFill, FillsTheRegionAPixelByPixelFillFinds)
{
    const QRgb border = qRgb(0, 0, 0), line = qRgb(0, 160, 0), paint = qRgb(200, 228, 250), back = qRgb(240, 240, 240);
    const int w = 61, h = 47;
    auto blank = [&] {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(back);
        return image;
    };
    std::vector<std::pair<const char*, QImage>> shapes;
    { // A thin ring (its stair steps meet only at corners in places) with a line and a painted patch inside.
        QImage ring = blank();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double r = std::hypot(x - 30.2, y - 23.6);
                if (std::fabs(r - 17) < 0.6)
                    ring.setPixel(x, y, border);
                else if (r < 17 && (y == 20 || (x == 27 && y > 26)))
                    ring.setPixel(x, y, y == 20 ? line : paint);
            }
        shapes.emplace_back("ring", ring);
    }
    { // A serpentine: walls two columns apart, open at the top and the bottom in turn through one-pixel gaps.
        QImage comb = blank();
        for (int x = 2; x < w - 1; x += 2)
            for (int y = 0; y < h; ++y)
                if ((x / 2) % 2 ? y != h - 1 : y != 0)
                    comb.setPixel(x, y, (x / 2) % 3 ? border : line);
        shapes.emplace_back("comb", comb);
    }
    { // Scattered border, line and paint pixels to every edge: islands, dead ends and narrow passages.
        QImage noise = blank();
        unsigned state = 12345;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                state = state * 1103515245u + 12345u;
                const unsigned roll = (state >> 16) % 100;
                if (roll < 38)
                    noise.setPixel(x, y, roll < 30 ? border : roll < 34 ? line : paint);
            }
        shapes.emplace_back("noise", noise);
    }
    const QPoint seeds[] = {{30, 23}, {0, 0}, {w - 1, h - 1}, {13, 23}, {-1, 5}, {w, 3}, {4, h}};
    for (const auto& [name, shape] : shapes)
        for (QPoint seed : seeds)
            for (FloodMode mode : {FloodMode::untilBorder, FloodMode::seedColour})
                for (const bool sameAsSeed : {false, true}) { // a fill of a colour the region holds already
                    for (const qreal ratio : {1.0, 1.5}) { // the seed in logical pixels, the fill in device pixels
                        QImage image = shape.scaled(int(w * ratio), int(h * ratio));
                        image.setDevicePixelRatio(ratio);
                        const QPoint device(int(std::floor(seed.x() * ratio)), int(std::floor(seed.y() * ratio)));
                        const bool onImage = image.rect().contains(device);
                        const QRgb fill = sameAsSeed && onImage ? image.pixel(device) : paint;
                        SCOPED_TRACE(testing::Message() << name << " seed " << seed.x() << "," << seed.y() << " mode "
                                                        << int(mode) << " same " << sameAsSeed << " ratio " << ratio);
                        const QImage expected = referenceFill(image, device.x(), device.y(), border, fill, mode);
                        ImageDevice(image).floodFill(seed.x(), seed.y(), RGB(0, 0, 0),
                                                     RGB(qRed(fill), qGreen(fill), qBlue(fill)), mode);
                        EXPECT_TRUE(image == expected);
                    }
                }
}

TEST(CanvasLines, ClsLeavesLineControlsInPlace)
{
    Canvas canvas;
    canvas.resize(200, 200);
    canvas.syncImageSize();
    canvas.surface().Scale(-100, 100, 100, -100);
    canvas.surface().BackColor = colours::white;
    canvas.surface().Cls();
    LineControl& blade = canvas.addLine();
    blade = LineControl{30, 100, 30, 10, RGB(0, 0, 192), 3, true};
    canvas.surface().Line(-50, -50, -50, 50, colours::red);
    canvas.surface().Cls();

    const QImage shown = canvas.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(130, 40)), QColor(0, 0, 192)) << "the line control survives Cls";
    EXPECT_EQ(QColor(shown.pixel(50, 100)), QColor(Qt::white)) << "the drawing does not";
    EXPECT_EQ(canvas.pixelAt(-50, 0), QColor(Qt::white).rgb() & RGB_MASK);
}

TEST(PrinterPage, TheSameOperationsDrawOnAPrinterPage)
{
    const QString file = QDir::temp().filePath(QStringLiteral("lensbench-page-test.pdf"));
    QFile::remove(file);
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        PrinterDevice page(printer);
        Surface surface(page);
        EXPECT_GT(page.width(), 1000) << "a page has printer resolution";
        surface.Scale(-600, 400, 600, -400);
        EXPECT_DOUBLE_EQ(surface.pixelX(600), page.width());
        surface.DrawWidth = 2;
        surface.Line(-500, 0, 500, 0, colours::red);
        surface.Circle(0, 0, 100, colours::black);
        surface.CurrentX = -500;
        surface.CurrentY = 300;
        surface.Print("Εστία F");
        page.EndDoc();
    }
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
    EXPECT_GT(pdf.size(), 500);
    pdf.close();
    QFile::remove(file);
}

// A wide line or dot colours exactly the pixels whose centres lie within half the pen width of
// the segment (round ends), whatever its direction.
TEST(ImageDevice, WideLinesAndDotsColourThePixelsWithinHalfTheirWidth)
{
    struct Case {
        double x1, y1, x2, y2;
        int width;
    } cases[] = {{5.3, 7.1, 30.8, 22.4, 5}, {4, 10, 36, 10, 2}, {20, 3.5, 20, 28, 4},
                 {15.2, 15.7, 15.2, 15.7, 15}, {33, 2, 3, 29, 3}, {-10, -5, 50, 40, 2}};
    for (const Case& c : cases) {
        QImage image(40, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            ImageDevice device(image);
            const Pen pen{RGB(0, 0, 255), c.width, solidStyle};
            if (c.x1 == c.x2 && c.y1 == c.y2)
                device.dot(c.x1, c.y1, pen);
            else
                device.segment(c.x1, c.y1, c.x2, c.y2, pen);
        }
        const double r = c.width / 2.0, dx = c.x2 - c.x1, dy = c.y2 - c.y1, l2 = dx * dx + dy * dy;
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const double px = x + 0.5, py = y + 0.5;
                const double t = l2 > 0 ? std::clamp(((px - c.x1) * dx + (py - c.y1) * dy) / l2, 0.0, 1.0) : 0.0;
                const double d = std::hypot(px - c.x1 - t * dx, py - c.y1 - t * dy);
                if (std::fabs(d - r) < 1e-9)
                    continue; // exactly on the edge either way is sound
                wrong += (d < r) != (image.pixel(x, y) == qRgb(0, 0, 255));
            }
        EXPECT_EQ(wrong, 0) << c.x1 << ", " << c.y1 << " width " << c.width;
    }
}
