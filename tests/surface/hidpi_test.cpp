// The screen's picture on a display of two device pixels to a logical pixel (QT_SCALE_FACTOR=2): pens
// are whole device pixels, text keeps its size, and user points map to the widget as at ratio 1.

#include "surface/qt/canvas.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

#ifdef LENS_CHECKED
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

using namespace lens;

namespace {

// Rows of the picture's column x that hold the colour.
int rowsOf(const QImage& image, int x, Rgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += (image.pixel(x, y) & RGB_MASK) == (qRgb(colour.r, colour.g, colour.b) & RGB_MASK);
    return n;
}

} // namespace

TEST(HighDensityDisplay, PensAreWholeDevicePixelsAndTextKeepsItsSize)
{
    Canvas canvas;
    canvas.resize(400, 300);
    canvas.show();
    if (canvas.devicePixelRatioF() != 2)
        GTEST_SKIP() << "the platform gave no device-pixel ratio of 2";
    canvas.syncImageSize();
    Surface& s = canvas.surface();
    s.Scale(0, 0, 400, 300); // one user unit to a logical pixel
    EXPECT_EQ(canvas.image().size(), QSize(800, 600));

    // A one-pixel line is two device pixels wide, and twice that in the projector view at 2×.
    for (int view = 1; view <= 2; ++view) {
        SCOPED_TRACE(view);
        canvas.setViewScale(view);
        s.Cls();
        s.Line(10, 100, 390, 100, colours::red);
        EXPECT_EQ(rowsOf(canvas.image(), 400, colours::red), 2 * view);
    }
    // The window shows the picture pixel for pixel.
    QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shown.setDevicePixelRatio(1);
    EXPECT_TRUE(shown == canvas.picture().convertToFormat(QImage::Format_RGB32));
    canvas.setViewScale(1);

    // Text is as many logical pixels high as on a display of ratio 1.
    QImage plain(100, 100, QImage::Format_RGB32);
    ImageDevice atOne(plain);
    s.FontSize = 13;
    EXPECT_NEAR(s.TextHeight("H1"), atOne.textExtent("H1", Font{"Arial", 13}).height, 1.0);

    const QPointF at = canvas.widgetPoint(123, 45);
    EXPECT_NEAR(at.x(), 123, 1e-9);
    EXPECT_NEAR(canvas.userAt(at).y(), 45, 1e-9);
}

int main(int argc, char** argv)
{
    setenv("QT_SCALE_FACTOR", "2", 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
