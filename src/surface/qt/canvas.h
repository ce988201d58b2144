#pragma once

#include "surface/controls.h"
#include "surface/qt/image_device.h"
#include "surface/scale_bar.h"
#include "surface/surface.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace lens {

// Shift state of a mouse event: 1 Shift, 2 Ctrl, 4 Alt, summed.
int shiftState(Qt::KeyboardModifiers modifiers);

// A screen's client area: a drawing surface over a retained image, with line controls and
// shape markers painted on top, and mouse events in the surface's user coordinates.
//
// The retained image has the display's device pixels (the widget's size times its device-pixel
// ratio, and as many more dots to the inch, so text keeps its size), and the surface draws in those
// pixels: pens are widened by the ratio, rounded, so lines keep their weight on a high-density
// display. The widget's own coordinates (mouse events, child controls) are logical pixels;
// widgetPoint and userAt convert.
class Canvas : public QWidget {
public:
    using MouseHandler = std::function<void(int button, int shift, double x, double y)>;

    explicit Canvas(QWidget* parent = nullptr);

    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    const QImage& image();
    QRgb pixelAt(double x, double y); // colour of the retained image under a user point
    // Device pixels of the picture to one logical pixel of the widget.
    double pixelRatio() const { return ratio_; }
    // A user point in the widget's coordinates, and a point of the widget in user coordinates.
    QPointF widgetPoint(double x, double y) const;
    QPointF userAt(QPointF widget) const;

    // The projector view: every pen, dot and printed text of the picture drawn this many times as
    // wide (1 to 3). Pens are widened by the device-pixel ratio, rounded, on top of it.
    void setViewScale(int scale);
    int viewScale() const { return viewScale_; }

    LineControl& addLine();
    ShapeControl& addShape();
    // Paints overlays that a screen's model owns; they must outlive the canvas's use of them.
    void showOverlay(const LineControl& line);
    void showOverlay(const ShapeControl& shape);

    // Makes the retained image match the widget's size now (it follows resizes by itself). The
    // user coordinates keep their origin at the top left corner and their unit, so what is drawn
    // stays where it is and the new area extends the view.
    void syncImageSize();

    // The picture as the window shows it, line controls and markers included.
    QImage picture();
    // A child widget over the picture (a legend) that saved and copied pictures show where it stands,
    // whenever it is shown.
    void showInPicture(QWidget* widget);
    // The picture as it is saved and copied: what the window shows, those widgets included, and a bar of
    // 100 user units in the corner the drawing leaves emptiest.
    QImage keptPicture();
    // The scale bar over the picture on the screen, in the corner the drawing leaves emptiest of those
    // clear of the boxes covered (the controls, in device pixels); drawn over the picture, not in it.
    void showScaleBar();
    // Where that bar stands, in the picture's pixels; empty when none is shown.
    QRect scaleBarOnView() const { return liveBar_.isNull() ? QRect() : QRect(liveBarAt_, liveBar_.size()); }
    // The kept picture as SVG: drawScene draws the current scene again from scratch, into the SVG instead
    // of the window; the controls, the widgets and the bar follow on top. Empty when the SVG could not be made.
    QByteArray svg(const std::function<void()>& drawScene);
    // The kept picture as PNG.
    QByteArray png();

    MouseHandler onMouseDown, onMouseMove, onMouseUp;
    // A right-button press opens this menu (at the global position) instead of reaching the handlers.
    std::function<void(const QPoint& global)> onContextMenu;
    std::function<void()> onResized; // after the image has followed a resize of the widget

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct PointerEvent { int button, shift; double x, y; };
    PointerEvent pointerEvent(QMouseEvent* event) const;
    void dispatch(const MouseHandler& handler, QMouseEvent* event);
    void flushMove(); // hands on the move waiting to be handled, if any
    // Paints the overlays with a painter that counts the picture's pixels.
    void drawControls(QPainter& p) const;
    // Renders the widgets shown in the picture where they stand, at the picture's pixels.
    void drawWidgets(QPainter& p) const;
    // The picture shown with the widgets over it.
    QImage pictureWithWidgets();
    // The scale bar's places on a surface dressed like the canvas's (see scaleBarPlaces).
    std::array<PixelBox, 4> scaleBarPlaces(const Surface& dressed) const;
    // Which place the bar takes on the picture shown (the one with the fewest pixels off the back
    // colour, of those clear of the boxes covered); none on a picture without user coordinates or too
    // small for it.
    std::optional<std::size_t> scaleBarCorner(const QImage& shown);
    // The same among places given, leaving out those that meet a box covered.
    std::optional<std::size_t> emptiestPlace(const QImage& shown, const std::array<PixelBox, 4>& places,
                                             const std::vector<PixelBox>& covered);
    // Gives copy this canvas's coordinates, pens and text size, and the bar's font.
    void dressLike(Surface& copy) const;
    void applyScales();

    QImage image_;
    QImage liveBar_;   // the scale bar over the picture on the screen, and where it stands
    QPoint liveBarAt_;
    struct LiveBarKey {
        QRect pixels;
        double unitPixels = 0;
        int penScale = 0, textScale = 0;
        bool operator==(const LiveBarKey&) const = default;
    };
    LiveBarKey liveBarKey_; // what the bar was drawn for
    ImageDevice device_;
    Surface surface_;
    std::deque<LineControl> ownLines_;   // deque: references handed out stay valid
    std::deque<ShapeControl> ownShapes_;
    std::vector<const LineControl*> lines_;   // painted in this order, lines first
    std::vector<const ShapeControl*> shapes_;
    std::vector<QPointer<QWidget>> inPicture_;
    std::optional<PointerEvent> pendingMove_; // the latest move, not handed on yet
    bool repaintAsked_ = false; // a repaint is on its way for what has been drawn since the last one
    double ratio_ = 1;          // the display's device pixels to a logical pixel
    int viewScale_ = 1;
};

} // namespace lens
