#include "surface/qt/screen_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace lens {

namespace {
Dialogs defaultDialogs;
// The frame the window manager drew around the last window it framed: the best guess for a
// window that has not been framed yet.
QMargins lastFrame;
// How long the geometry must stay unchanged before a placement counts as settled.
constexpr int settleMilliseconds = 150;
// How often a placement asks again for its geometry, and how long it waits for the window to be
// exposed, before it takes what it has.
constexpr int placementRequests = 3;
constexpr int placementWaits = 40;
} // namespace

QRect coverAvailableArea(const QRect& available, const QMargins& frame, int)
{
    return available.marginsRemoved(frame);
}

ScreenWindow::ScreenWindow(QWidget* parent) : QMainWindow(parent), dialogs(&defaultDialogs), canvas_(new Canvas(this))
{
    setCentralWidget(canvas_);
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(settleMilliseconds);
    QObject::connect(&settleTimer_, &QTimer::timeout, this, [this] { settle(); });
    canvas_->onResized = [this] { clientResized(); };
    setUpCommands();
    showScrollBarFocus(this);
}

QString ScreenWindow::pictureName() const
{
    QString name = windowTitle().simplified().toLower();
    name.replace(QLatin1Char(' '), QLatin1Char('-'));
    return name.isEmpty() ? QStringLiteral("lens-bench") : name;
}

void ScreenWindow::savePicture()
{
    const QString file = dialogs->saveFileName(this, pictureName() + QStringLiteral(".png"));
    if (file.isEmpty())
        return;
    if (const FileWrite written = writePicture(file); !written)
        message(QStringLiteral("Η εικόνα δεν αποθηκεύτηκε.\nThe picture was not saved.\n\n") + written.message);
}

FileWrite ScreenWindow::writePicture(const QString& file)
{
    const bool svg = file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? canvas_->svg(redrawScene) : canvas_->png();
    if (bytes.isEmpty())
        return {FileWrite::failed, QStringLiteral("Η εικόνα δεν μπόρεσε να σχηματιστεί.\nThe picture could not be made.")};
    return writeWhole(file, bytes);
}

void ScreenWindow::copyPicture() { QGuiApplication::clipboard()->setImage(canvas_->keptPicture()); }

void ScreenWindow::setWindowTwips(std::optional<double> left, std::optional<double> top, double width,
                                  double height)
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    // The frame the window system adds around the client area (zero before the first show).
    const int extraW = isVisible() ? frame.width() - inner.width() : 0;
    const int extraH = isVisible() ? frame.height() - inner.height() : 0;
    resize(std::max(1, twipsToPixels(width, this) - extraW), std::max(1, twipsToPixels(height, this) - extraH));
    if (left || top) {
        const QPoint at(left ? twipsToPixels(*left, this) : frame.x(), top ? twipsToPixels(*top, this) : frame.y());
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        move(at + (screen ? screen->availableGeometry().topLeft() : QPoint()));
    }
    layOutClientArea();
}

void ScreenWindow::layOutClientArea()
{
    // A hidden window is not laid out until it is shown; place the client area now so that its
    // size can be measured and the picture sized to it.
    const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    if (menuWidget())
        menuWidget()->setGeometry(0, 0, width(), menu);
    canvas_->setGeometry(0, menu, width(), std::max(1, height() - menu));
    canvas_->syncImageSize();
}

void ScreenWindow::setClientTwips(double width, double height)
{
    const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    resize(twipsToPixels(width, this), twipsToPixels(height, this) + menu);
    layOutClientArea();
    // The window keeps this size, grown with the view, unless it is placed by a rule.
    fixedClient_ = QSizeF(width, height);
    if (viewScale() != 1)
        applyViewScale();
}

QSizeF ScreenWindow::clientTwips()
{
    return QSizeF(pixelsToTwips(canvas_->width(), this), pixelsToTwips(canvas_->height(), this));
}

void ScreenWindow::Show()
{
    show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        raise();
    activateWindow();
}

void ScreenWindow::Hide() { hide(); }

QMargins ScreenWindow::frameMarginsNow() const
{
    if (isVisible() && windowHandle()) {
        const QMargins frame = windowHandle()->frameMargins();
        if (!frame.isNull())
            return frame;
    }
    return lastFrame;
}

QRect ScreenWindow::wantedGeometry() const
{
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
    return placementRule_(area, frameMarginsNow(), menu);
}

void ScreenWindow::applyPlacement()
{
    const QRect want = wantedGeometry();
    if (geometry() != want)
        setGeometry(want);
    layOutClientArea();
}

void ScreenWindow::showPlaced(PlacementRule rule, std::function<void()> whenPlaced)
{
    placementRule_ = std::move(rule);
    fixedClient_.reset();
    whenPlaced_ = std::move(whenPlaced);
    placing_ = true;
    placementTries_ = 0;
    placementRequests_ = 0;
    applyPlacement();
    Show();
    if (!hasWindowManager()) {
        // Nothing will change the geometry asked for once the frame is counted: it is final now.
        applyPlacement();
        settle();
        return;
    }
    settleTimer_.start();
}

void ScreenWindow::settle()
{
    if (!placing_)
        return;
    const bool waiting = hasWindowManager() && isVisible() && windowHandle() && !windowHandle()->isExposed();
    if (waiting && ++placementTries_ < placementWaits) {
        settleTimer_.start();
        return;
    }
    if (hasWindowManager() && isVisible()) {
        const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        if (!frame.isNull())
            lastFrame = frame;
        // The frame is known now: ask once more for the geometry that counts it.
        const QRect want = wantedGeometry();
        if (geometry() != want && placementRequests_++ < placementRequests) {
            setGeometry(want);
            settleTimer_.start();
            return;
        }
    }
    placing_ = false;
    layOutClientArea();
    drawnSize_ = canvas_->size();
    if (whenPlaced_)
        whenPlaced_();
}

void ScreenWindow::clientResized()
{
    placeControls(); // they grow as far as the picture has room for them
    if (placing_ || !isVisible() || canvas_->size() == drawnSize_ || drawnSize_.isEmpty())
        return;
    drawnSize_ = canvas_->size();
    if (redrawScene)
        redrawScene();
    canvas_->update();
}

void ScreenWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (event->size().width() != event->oldSize().width())
        fitMenuBar();
    if (placing_)
        settleTimer_.start(); // the window manager is still at work
}

void ScreenWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (placing_)
        settleTimer_.start();
}

void ScreenWindow::message(const QString& text) { dialogs->messageBox(this, text); }

std::optional<QString> ScreenWindow::input(const QString& prompt, const QString& title, const QString& defaultAnswer)
{
    return dialogs->inputBox(this, prompt, title, defaultAnswer);
}

} // namespace lens
