#include "surface/qt/canvas.h"

#include <QTimer>

#include "surface/qt/svg_device.h"

#include <QBuffer>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace lens {

namespace {

// The sum of the codes of the flags that are set.
template <typename Flags, typename Flag>
int codeOf(Flags flags, std::initializer_list<std::pair<Flag, int>> codes)
{
    int code = 0;
    for (const auto& [flag, value] : codes)
        if (flags & flag)
            code |= value;
    return code;
}

} // namespace

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return codeOf(modifiers, {std::pair{Qt::ShiftModifier, 1}, {Qt::ControlModifier, 2}, {Qt::AltModifier, 4}});
}

namespace {
int buttonCode(Qt::MouseButtons buttons)
{
    return codeOf(buttons, {std::pair{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}});
}
} // namespace

Canvas::Canvas(QWidget* parent)
    : QWidget(parent), image_(1, 1, QImage::Format_RGB32), device_(image_), surface_(device_)
{
    setMouseTracking(true); // moves arrive with no button held too
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A picture is thousands of primitives: one repaint is asked for all that a handler draws.
    device_.changed = [this] {
        if (repaintAsked_)
            return;
        repaintAsked_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                repaintAsked_ = false;
                update();
            },
            Qt::QueuedConnection);
    };
    image_.fill(Qt::white);
}

const QImage& Canvas::image()
{
    device_.flush();
    return image_;
}

QRgb Canvas::pixelAt(double x, double y)
{
    device_.flush();
    const double fx = std::floor(surface_.pixelX(x)), fy = std::floor(surface_.pixelY(y));
    if (!(fx >= 0 && fy >= 0 && fx < image_.width() && fy < image_.height()))
        return 0;
    const int px = int(fx), py = int(fy);
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height())
        return 0;
    return image_.pixel(px, py) & RGB_MASK;
}

LineControl& Canvas::addLine()
{
    LineControl& line = ownLines_.emplace_back();
    lines_.push_back(&line);
    return line;
}

ShapeControl& Canvas::addShape()
{
    ShapeControl& shape = ownShapes_.emplace_back();
    shapes_.push_back(&shape);
    return shape;
}

QPointF Canvas::widgetPoint(double x, double y) const
{
    return {surface_.pixelX(x) / ratio_, surface_.pixelY(y) / ratio_};
}

QPointF Canvas::userAt(QPointF widget) const
{
    return {surface_.userX(widget.x() * ratio_), surface_.userY(widget.y() * ratio_)};
}

void Canvas::setViewScale(int scale)
{
    viewScale_ = std::max(1, scale);
    applyScales();
}

void Canvas::applyScales()
{
    // Pens are whole device pixels. Text keeps its size by itself: the image has as many more dots to
    // the inch as it has pixels to a logical one.
    surface_.PenScale = viewScale_ * std::max(1, int(std::lround(ratio_)));
    surface_.TextScale = viewScale_;
}

void Canvas::showOverlay(const LineControl& line) { lines_.push_back(&line); }
void Canvas::showOverlay(const ShapeControl& shape) { shapes_.push_back(&shape); }

void Canvas::syncImageSize()
{
    const qreal ratio = devicePixelRatioF();
    const QSize want(std::max(1, int(std::lround(width() * ratio))), std::max(1, int(std::lround(height() * ratio))));
    if (image_.size() == want && ratio_ == ratio)
        return;
    device_.flush();
    // A user unit keeps its length in logical pixels, also when the window moves to a display of
    // another ratio.
    const double change = ratio_ / ratio;
    const double unitX = surface_.ScaleWidth() / device_.width() * change;
    const double unitY = surface_.ScaleHeight() / device_.height() * change;
    const bool scaled = surface_.hasUserScale();
    // The retained drawing survives a resize; new area takes the back colour.
    QImage grown(want, QImage::Format_RGB32);
    grown.fill(toQColor(surface_.BackColor));
    {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    grown.setDotsPerMeterX(int(std::lround(grown.dotsPerMeterX() * ratio)));
    grown.setDotsPerMeterY(int(std::lround(grown.dotsPerMeterY() * ratio)));
    image_ = grown;
    ratio_ = ratio;
    applyScales();
    if (scaled) {
        const double left = surface_.ScaleLeft(), top = surface_.ScaleTop();
        surface_.Scale(left, top, left + unitX * device_.width(), top + unitY * device_.height());
    }
}

void Canvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    syncImageSize();
    if (onResized)
        onResized();
}

void Canvas::paintEvent(QPaintEvent*)
{
    device_.flush();
    QPainter p(this);
    if (ratio_ != 1)
        p.scale(1 / ratio_, 1 / ratio_); // the picture's pixels are the display's own
    p.drawImage(0, 0, image_);
    if (!liveBar_.isNull())
        p.drawImage(liveBarAt_, liveBar_);
    drawControls(p);
}

QImage Canvas::picture()
{
    device_.flush();
    QImage shown = image_.copy();
    QPainter p(&shown);
    drawControls(p);
    return shown;
}

void Canvas::showInPicture(QWidget* widget) { inPicture_.emplace_back(widget); }

void Canvas::drawWidgets(QPainter& p) const
{
    for (const QPointer<QWidget>& widget : inPicture_)
        if (widget && widget->isVisibleTo(this)) {
            p.save();
            p.translate(widget->x() * ratio_, widget->y() * ratio_);
            p.scale(ratio_, ratio_);
            widget->render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
            p.restore();
        }
}

void Canvas::dressLike(Surface& copy) const
{
    copy.Scale(surface_.ScaleLeft(), surface_.ScaleTop(), surface_.ScaleLeft() + surface_.ScaleWidth(),
               surface_.ScaleTop() + surface_.ScaleHeight());
    copy.PenScale = surface_.PenScale;
    copy.TextScale = surface_.TextScale;
    copy.BackColor = surface_.BackColor;
    copy.FontName = "Arial";
    copy.FontSize = 9;
}

std::array<PixelBox, 4> Canvas::scaleBarPlaces(const Surface& dressed) const
{
    const double margin = 8 * ratio_ * viewScale_;
    return lens::scaleBarPlaces(dressed, {0, 0, double(device_.width()), double(device_.height())}, margin);
}

std::optional<std::size_t> Canvas::scaleBarCorner(const QImage& shown)
{
    if (!surface_.hasUserScale())
        return std::nullopt;
    QImage scratch(1, 1, QImage::Format_RGB32);
    scratch.setDotsPerMeterX(shown.dotsPerMeterX());
    scratch.setDotsPerMeterY(shown.dotsPerMeterY());
    ImageDevice measure(scratch);
    Surface dressed(measure);
    dressLike(dressed);
    return emptiestPlace(shown, scaleBarPlaces(dressed), {});
}

std::optional<std::size_t> Canvas::emptiestPlace(const QImage& shown, const std::array<PixelBox, 4>& places,
                                                 const std::vector<PixelBox>& covered)
{
    std::optional<std::size_t> best;
    long long fewest = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const PixelBox& box = places[i];
        if (!(box.left >= 0 && box.top >= 0 && box.right < shown.width() && box.bottom < shown.height()))
            continue;
        if (std::any_of(covered.begin(), covered.end(), [&](const PixelBox& c) { return c.meets(box); }))
            continue;
        const QRect pixels(QPoint(int(box.left), int(box.top)), QPoint(int(box.right), int(box.bottom)));
        const long long ink = drawnPixelsIn(shown, pixels, surface_.BackColor);
        if (!best || ink < fewest)
            best = i, fewest = ink;
    }
    return best;
}

void Canvas::showScaleBar()
{
    const QRect shownBefore = scaleBarOnView();
    if (!surface_.hasUserScale()) {
        liveBar_ = QImage();
        liveBarKey_ = {};
        return update(shownBefore);
    }
    device_.flush();
    Surface dressed(device_); // measures only: nothing is drawn on the picture
    dressLike(dressed);
    const std::array<PixelBox, 4> places = scaleBarPlaces(dressed);
    // Clear of the opaque controls over the picture and of the widgets shown in it (the legend).
    std::vector<PixelBox> covered;
    for (const Surface::PixelBox& c : surface_.covered)
        covered.push_back({c.left, c.top, c.right, c.bottom});
    for (const QPointer<QWidget>& widget : inPicture_)
        if (widget && widget->isVisibleTo(this)) {
            const QRect g = widget->geometry();
            covered.push_back({g.left() * ratio_, g.top() * ratio_, (g.right() + 1) * ratio_, (g.bottom() + 1) * ratio_});
        }
    const auto corner = emptiestPlace(image_, places, covered);
    if (!corner) {
        liveBar_ = QImage();
        liveBarKey_ = {};
        return update(shownBefore);
    }
    const PixelBox box = places[*corner];
    const QRect pixels(QPoint(int(box.left), int(box.top)), QPoint(int(std::ceil(box.right)), int(std::ceil(box.bottom))));
    // Drawn again only where its place or its scale has changed: this runs on every live frame.
    const LiveBarKey key{pixels, surface_.ScaleX(scaleBarUnits), surface_.PenScale, surface_.TextScale};
    if (!(key == liveBarKey_)) {
        liveBarKey_ = key;
        // The bar drawn on a clear image of its own box, at the picture's scale.
        liveBar_ = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        liveBar_.fill(Qt::transparent);
        liveBar_.setDevicePixelRatio(1);
        {
            ImageDevice device(liveBar_);
            Surface over(device);
            dressLike(over);
            over.Scale(surface_.userX(pixels.left()), surface_.userY(pixels.top()),
                       surface_.userX(pixels.left() + pixels.width()), surface_.userY(pixels.top() + pixels.height()));
            drawScaleBar(over, {box.left - pixels.left(), box.top - pixels.top(), box.right - pixels.left(),
                                box.bottom - pixels.top()});
            device.flush();
        }
        liveBarAt_ = pixels.topLeft();
        update(shownBefore);
    }
    update(scaleBarOnView());
}

QImage Canvas::pictureWithWidgets()
{
    QImage shown = picture().convertToFormat(QImage::Format_RGB32);
    QPainter p(&shown);
    drawWidgets(p);
    return shown;
}

QImage Canvas::keptPicture()
{
    QImage kept = pictureWithWidgets();
    if (const auto corner = scaleBarCorner(kept)) {
        ImageDevice device(kept);
        Surface over(device);
        dressLike(over);
        drawScaleBar(over, scaleBarPlaces(over)[*corner]);
    }
    return kept;
}

QByteArray Canvas::svg(const std::function<void()>& drawScene)
{
    // The bar takes the corner it takes on the kept picture of the same scene.
    const std::optional<std::size_t> corner = scaleBarCorner(pictureWithWidgets());
    device_.flush();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    SvgDevice svg(bytes, device_.width(), device_.height(), image_, ratio_);
    if (!svg.ready())
        return {};
    surface_.setDevice(svg);
    if (drawScene)
        drawScene();
    surface_.setDevice(device_);
    drawControls(svg.painter());
    drawWidgets(svg.painter());
    if (corner) {
        Surface over(svg);
        dressLike(over);
        drawScaleBar(over, scaleBarPlaces(over)[*corner]);
    }
    return svg.finish() ? bytes.data() : QByteArray();
}

QByteArray Canvas::png()
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    return keptPicture().save(&bytes, "PNG") ? bytes.data() : QByteArray();
}

void Canvas::drawControls(QPainter& p) const
{
    for (const LineControl* overlay : lines_) {
        const LineControl& line = *overlay;
        if (!line.Visible)
            continue;
        QPen pen(toQColor(line.BorderColor));
        // A border width counts logical pixels, as a control's size does.
        pen.setWidthF(line.BorderWidth <= 1 ? 0 : line.BorderWidth * ratio_);
        p.setPen(pen);
        p.drawLine(QPointF(surface_.pixelX(line.X1), surface_.pixelY(line.Y1)),
                   QPointF(surface_.pixelX(line.X2), surface_.pixelY(line.Y2)));
    }
    for (const ShapeControl* overlay : shapes_) {
        const ShapeControl& shape = *overlay;
        if (!shape.Visible)
            continue;
        const double x = surface_.pixelX(shape.Left), y = surface_.pixelY(shape.Top);
        const double w = std::fabs(surface_.ScaleX(shape.Width)), h = std::fabs(surface_.ScaleY(shape.Height));
        p.setPen(QPen(toQColor(shape.BorderColor), 0));
        p.setBrush(shape.filled ? QBrush(toQColor(shape.FillColor)) : QBrush(Qt::NoBrush));
        if (shape.kind == ShapeControl::circle) {
            // A circle marker is the largest circle centred in its box, never smaller than a few
            // pixels so that the light source can be seen on a projector.
            const double d = std::max(std::min(w, h), 6.0 * ratio_);
            p.drawEllipse(QRectF(x + (w - d) / 2, y + (h - d) / 2, d, d));
        } else {
            const double least = 2.0 * ratio_;
            p.drawRect(QRectF(x, y, std::max(w, least), std::max(h, least)));
        }
    }
}

Canvas::PointerEvent Canvas::pointerEvent(QMouseEvent* event) const
{
    const QPointF pos = event->position();
    const int button = buttonCode(event->button() != Qt::NoButton ? Qt::MouseButtons(event->button()) : event->buttons());
    const QPointF at = userAt(pos);
    return {button, shiftState(event->modifiers()), at.x(), at.y()};
}

void Canvas::dispatch(const MouseHandler& handler, QMouseEvent* event)
{
    flushMove(); // the last position a drag reached comes before the press or release
    if (!handler)
        return;
    const PointerEvent e = pointerEvent(event);
    handler(e.button, e.shift, e.x, e.y);
}

void Canvas::flushMove()
{
    if (!pendingMove_)
        return;
    const PointerEvent e = *pendingMove_;
    pendingMove_.reset();
    if (onMouseMove)
        onMouseMove(e.button, e.shift, e.x, e.y);
}

void Canvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && onContextMenu) {
        onContextMenu(event->globalPosition().toPoint());
        return;
    }
    dispatch(onMouseDown, event);
}

void Canvas::mouseMoveEvent(QMouseEvent* event)
{
    // Moves come faster than a live picture is drawn: only the latest position is handed on, once the
    // events that have arrived are handled, so a drag is never more than a frame behind the pointer and
    // never builds up a backlog.
    const bool scheduled = pendingMove_.has_value();
    pendingMove_ = pointerEvent(event);
    if (!scheduled)
        QTimer::singleShot(0, this, [this] { flushMove(); });
}

void Canvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && onContextMenu)
        return;
    dispatch(onMouseUp, event);
}

} // namespace lens
