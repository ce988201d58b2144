#include "surface/qt/screen_window.h"

#include "surface/qt/file_dialogs.h"
#include "surface/qt/fonts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QLineEdit>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QShortcut>
#include <QStyle>
#include <QToolTip>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QWindow>

#include <cmath>

namespace lens {

namespace {
double dpi(const QWidget* widget) { return widget ? widget->logicalDpiX() : 96.0; }
int currentPointer = 0;
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

bool hasWindowManager()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}
} // namespace

QRect coverAvailableArea(const QRect& available, const QMargins& frame, int)
{
    return available.marginsRemoved(frame);
}

int twipsToPixels(double twips, const QWidget* widget) { return int(std::lround(twips * dpi(widget) / 1440.0)); }
double pixelsToTwips(double pixels, const QWidget* widget) { return pixels * 1440.0 / dpi(widget); }

QSize displayTwips(const QWidget* widget)
{
    QScreen* screen = widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    return QSize(int(std::lround(pixelsToTwips(area.width(), widget))),
                 int(std::lround(pixelsToTwips(area.height(), widget))));
}

void Dialogs::messageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.exec();
}

void Dialogs::printPage(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint)
{
    keepFileListsFromReadingFiles(); // the print dialog's file chooser, and the preview's "Export to PDF"
    QPrintPreviewDialog preview(&printer, parent);
    // Large enough to read the page; it opens with the whole page in view.
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preview.resize(screen->availableGeometry().size() * 3 / 4);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* page) { paint(*page); });
    preview.exec();
}

QString Dialogs::saveFileName(QWidget* parent, const QString& suggested)
{
    keepFileListsFromReadingFiles();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QString kind;
    QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("Αποθήκευση εικόνας / Save picture"),
                                                QDir(folder).filePath(suggested),
                                                QStringLiteral("PNG (*.png);;SVG (*.svg)"), &kind);
    // A name typed without a suffix takes the kind chosen in the dialog.
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += kind.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    return file;
}

std::optional<QString> Dialogs::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& defaultAnswer)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

void setMousePointer(int shape)
{
    if (shape == currentPointer)
        return;
    const Qt::CursorShape qt = shape == 2 ? Qt::CrossCursor : shape == 9 ? Qt::SizeHorCursor : Qt::ArrowCursor;
    if (shape == 0) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } else if (QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(QCursor(qt));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(qt));
    }
    currentPointer = shape;
}

int mousePointer() { return currentPointer; }

QFont controlFont(const QString& name, double points)
{
    QFont font(fontFamilyFor(name));
    font.setPointSizeF(points);
    return font;
}

QScrollBar* makeScrollBar(Qt::Orientation orientation, int min, int max, int largeChange, int value)
{
    auto* bar = new QScrollBar(orientation);
    bar->setRange(min, max);
    bar->setSingleStep(1);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus); // the arrow keys move a scroll bar that Tab reached
    return bar;
}

QLineEdit* makeReadOut(const QFont& font)
{
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus); // a read-out is not a stop of the Tab key
    box->setFont(font);
    return box;
}

ScreenWindow::ScreenWindow(QWidget* parent) : QMainWindow(parent), dialogs(&defaultDialogs), canvas_(new Canvas(this))
{
    setCentralWidget(canvas_);
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(settleMilliseconds);
    QObject::connect(&settleTimer_, &QTimer::timeout, this, [this] { settle(); });
    canvas_->onResized = [this] { clientResized(); };
    // F10 opens the menu bar, as in every desktop program; Alt alone does too, where the style
    // does not already do it.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    QObject::connect(menuKey, &QShortcut::activated, this, [this] { openMenuBar(); });
    if (!style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, this))
        QApplication::instance()->installEventFilter(this);

    // The picture's commands, on every screen: each is a key and an item of the picture's context menu.
    auto command = [this](const QString& text, const QKeySequence& key, std::function<void()> run) {
        auto* action = new QAction(text, this);
        action->setShortcut(key);
        QObject::connect(action, &QAction::triggered, this, std::move(run));
        addAction(action);
        return action;
    };
    auto askScale = [this](int scale) {
        scale = std::clamp(scale, 1, largestViewScale);
        if (onViewScaleAsked)
            onViewScaleAsked(scale);
        else
            setViewScale(scale);
    };
    QAction* save = command(QStringLiteral("Αποθήκευση εικόνας… / Save picture…"), QKeySequence::Save, [this] { savePicture(); });
    QAction* copy = command(QStringLiteral("Αντιγραφή εικόνας / Copy picture"), QKeySequence::Copy, [this] { copyPicture(); });
    thicker_ = command(QStringLiteral("Παχύτερες γραμμές για προβολέα / Thicker lines for a projector"), QKeySequence::ZoomIn,
                       [this, askScale] { askScale(viewScale() + 1); });
    thicker_->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    thinner_ = command(QStringLiteral("Λεπτότερες γραμμές / Thinner lines"), QKeySequence::ZoomOut,
                       [this, askScale] { askScale(viewScale() - 1); });
    normal_ = command(QStringLiteral("Κανονική προβολή / Normal view"), QKeySequence(Qt::CTRL | Qt::Key_0),
                      [askScale] { askScale(1); });
    QAction* guide = command(QStringLiteral("Οδηγός / Guide"), QKeySequence::HelpContents, [this] {
        if (onHelp)
            onHelp();
    });
    QAction* about = command(QStringLiteral("Σχετικά / About Lens Bench"), {}, [this] {
        if (onAbout)
            onAbout();
    });
    showViewScale();
    canvas_->onContextMenu = [this, save, copy, guide, about](const QPoint& at) {
        QMenu menu(this);
        menu.addActions({save, copy});
        menu.addSeparator();
        menu.addActions({thicker_, thinner_, normal_});
        menu.addSeparator();
        menu.addActions({guide, about});
        menu.exec(at);
    };
}

void ScreenWindow::showViewScale()
{
    // Only the steps that would change the view are offered.
    thicker_->setEnabled(viewScale() < largestViewScale);
    thinner_->setEnabled(viewScale() > 1);
    normal_->setEnabled(viewScale() != 1);
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
    if (!writePicture(file))
        message(QStringLiteral("Η εικόνα δεν αποθηκεύτηκε στο %1.\nThe picture could not be saved to %1.").arg(file));
}

bool ScreenWindow::writePicture(const QString& file)
{
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return canvas_->writeSvg(file, redrawScene);
    return canvas_->picture().save(file, "PNG");
}

void ScreenWindow::copyPicture() { QGuiApplication::clipboard()->setImage(canvas_->picture()); }

void ScreenWindow::setViewScale(int scale)
{
    scale = std::clamp(scale, 1, largestViewScale);
    if (scale == viewScale())
        return;
    canvas_->setViewScale(scale);
    showViewScale();
    if (redrawScene && !placing_)
        redrawScene();
    canvas_->update();
}

void ScreenWindow::openMenuBar()
{
    QMenuBar* bar = qobject_cast<QMenuBar*>(menuWidget());
    if (!bar || bar->actions().isEmpty())
        return;
    if (bar->activeAction()) { // a second press closes it again
        bar->setActiveAction(nullptr);
        canvas_->setFocus();
        return;
    }
    bar->setFocus(Qt::MenuBarFocusReason);
    bar->setActiveAction(bar->actions().constFirst());
}

bool ScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && watched == menuWidget()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QAction* item = menuBar()->actionAt(help->pos());
        if (item && !item->toolTip().isEmpty() && item->toolTip() != item->text())
            QToolTip::showText(help->globalPos(), item->toolTip(), menuBar());
        else
            QToolTip::hideText();
        return true;
    }
    // Alt pressed and released with nothing in between, in this window.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool here = widget && widget->window() == this && isActiveWindow();
        if (key->key() == Qt::Key_Alt && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress)
                altAlone_ = here;
            else if (altAlone_ && here) {
                altAlone_ = false;
                openMenuBar();
            }
        } else {
            altAlone_ = false;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        altAlone_ = false;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ScreenWindow::placeTwips(QWidget* control, double left, double top, double width, double height)
{
    control->setParent(canvas_);
    control->setGeometry(twipsToPixels(left, this), twipsToPixels(top, this), twipsToPixels(width, this),
                         twipsToPixels(height, this));
}

void ScreenWindow::placeTwips(std::initializer_list<Placement> placements)
{
    for (const Placement& p : placements)
        placeTwips(p.control, p.left, p.top, p.width, p.height);
}

void ScreenWindow::setTabChain(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            setTabOrder(previous, control);
        previous = control;
    }
}

void ScreenWindow::setToolTips(std::initializer_list<std::pair<QObject*, const char*>> tips)
{
    for (const auto& [object, text] : tips) {
        const QString tip = QString::fromUtf8(text);
        if (auto* widget = qobject_cast<QWidget*>(object))
            widget->setToolTip(tip);
        else if (auto* action = qobject_cast<QAction*>(object))
            action->setToolTip(tip);
    }
}

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
}

QSizeF ScreenWindow::clientTwips()
{
    return QSizeF(pixelsToTwips(canvas_->width(), this), pixelsToTwips(canvas_->height(), this));
}

QAction* ScreenWindow::addMenuItem(const QString& caption, std::function<void()> onClick)
{
    QAction* action = menuBar()->addAction(caption);
    menuBar()->installEventFilter(this); // a menu bar shows no tooltips of its own items
    QObject::connect(action, &QAction::triggered, this, [fn = std::move(onClick)] {
        if (fn)
            fn();
    });
    return action;
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
