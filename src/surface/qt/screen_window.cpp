#include "surface/qt/screen_window.h"

#include "surface/qt/file_dialogs.h"
#include "surface/qt/fonts.h"
#include "surface/qt/legend.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
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

#include <algorithm>
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

// The font `scale` times as large.
QFont scaledFont(const QFont& font, double scale)
{
    if (scale == 1)
        return font;
    QFont larger = font;
    if (font.pointSizeF() > 0)
        larger.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        larger.setPixelSize(int(std::lround(font.pixelSize() * scale)));
    return larger;
}

// A label of wrapped text.
bool isParagraph(const QWidget* control)
{
    const auto* label = qobject_cast<const QLabel*>(control);
    return label && label->wordWrap();
}

// Whether every item of a menu bar as wide as the window stands in view.
bool menuItemsFit(QMenuBar& bar, int width)
{
    bar.resize(width, bar.sizeHint().height());
    const QList<QAction*> items = bar.actions();
    return std::all_of(items.begin(), items.end(), [&](QAction* item) {
        const QRect at = bar.actionGeometry(item);
        return !item->isVisible() || (!at.isEmpty() && at.right() < width);
    });
}

// The legend grows with the view until it takes this share of the picture's width.
constexpr double legendShareAcross = 0.4;
// A window of fixed size grows with the view only so far that it takes at most this share of the
// display's width (the lens menu stays beside the lens screen, which keeps at least half of it) and
// of its height.
constexpr double fixedWindowShareAcross = 0.45, fixedWindowShareDown = 0.9;

// QScrollBar inverts its keys for a vertical bar's sake, so on a horizontal one Left would move the
// thumb towards the right arrow. Here the arrow keys go the way the arrow buttons do.
class ScrollBar final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (orientation() == Qt::Horizontal && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
            const bool towardsMinimum = (event->key() == Qt::Key_Left) != isRightToLeft();
            triggerAction(towardsMinimum ? SliderSingleStepSub : SliderSingleStepAdd);
            event->accept();
            return;
        }
        QScrollBar::keyPressEvent(event);
    }
};
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
    // The user's Pictures folder (made if it is missing, as on a fresh account), else the home folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::homePath();
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
    auto* bar = new ScrollBar(orientation);
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
    altOpensMenu_ = !style()->styleHint(QStyle::SH_MenuBar_AltKeyNavigation, nullptr, this);
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
    // A clean slate: the screen's lens alone again. Delete does it while the pointer is over the picture.
    QAction* clear = new QAction(QStringLiteral("Καθαρισμός εικόνας / Clear the picture"), this);
    QObject::connect(clear, &QAction::triggered, this, [this] {
        if (onClear)
            onClear();
    });
    auto* clearKey = new QShortcut(QKeySequence::Delete, this);
    QObject::connect(clearKey, &QShortcut::activated, this, [this] {
        if (onClear && canvas_->underMouse())
            onClear();
    });
    legendItem_ = new QAction(QStringLiteral("Υπόμνημα / Legend"), this);
    legendItem_->setShortcut(QKeySequence(Qt::Key_F2));
    legendItem_->setCheckable(true);
    legendItem_->setEnabled(false); // until the screen gives its legend
    QObject::connect(legendItem_, &QAction::triggered, this, [this](bool shown) { showLegend(shown); });
    addAction(legendItem_);
    showViewScale();
    canvas_->onContextMenu = [this, save, copy, clear, guide, about](const QPoint& at) {
        QMenu menu(this);
        if (onClear)
            menu.addAction(clear);
        menu.setFont(scaledFont(menu.font(), viewScale()));
        menu.addActions({save, copy});
        menu.addSeparator();
        menu.addActions({thicker_, thinner_, normal_, legendItem_});
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
    if (const FileWrite written = writePicture(file); !written)
        message(QStringLiteral("Η εικόνα δεν αποθηκεύτηκε.\nThe picture was not saved.\n\n") + written.message);
}

FileWrite ScreenWindow::writePicture(const QString& file)
{
    // Refused before the picture is made: a FIFO there would otherwise hold the window until read.
    if (const QString refusal = targetRefusal(file); !refusal.isEmpty())
        return {FileWrite::refused, refusal};
    const bool svg = file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const QByteArray bytes = svg ? canvas_->svg(redrawScene) : canvas_->png();
    if (bytes.isEmpty())
        return {FileWrite::failed, QStringLiteral("Η εικόνα δεν μπόρεσε να σχηματιστεί.\nThe picture could not be made.")};
    return writeWhole(file, bytes);
}

void ScreenWindow::copyPicture() { QGuiApplication::clipboard()->setImage(canvas_->keptPicture()); }

void ScreenWindow::setViewScale(int scale)
{
    scale = std::clamp(scale, 1, largestViewScale);
    if (scale == viewScale())
        return;
    canvas_->setViewScale(scale);
    showViewScale();
    applyViewScale();
    if (redrawScene && !placing_)
        redrawScene();
    canvas_->update();
}

void ScreenWindow::applyViewScale()
{
    const int view = viewScale();
    if (auto* bar = qobject_cast<QMenuBar*>(menuWidget())) {
        if (!menuFont_)
            menuFont_ = bar->font();
        // The menu bar's text grows as far as every item stays in one row: an item behind the overflow
        // arrow is one the class does not see.
        for (double grow = view;; grow = std::max(1.0, grow - 0.1)) {
            bar->setFont(scaledFont(*menuFont_, grow));
            if (grow == 1 || menuItemsFit(*bar, width()))
                break;
        }
    }
    if (fixedClient_) {
        // A small window of its own size (the lens menu) grows, as far as the display allows.
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const double across = twipsToPixels(fixedClient_->width(), this);
        const double down = twipsToPixels(fixedClient_->height(), this);
        const double grow = std::clamp(std::min({double(view), fixedWindowShareAcross * area.width() / across,
                                                 fixedWindowShareDown * area.height() / down}),
                                       1.0, double(view));
        const int menu = menuWidget() ? menuWidget()->sizeHint().height() : 0;
        resize(twipsToPixels(fixedClient_->width() * grow, this), twipsToPixels(fixedClient_->height() * grow, this) + menu);
    }
    layOutClientArea();
    placeControls();
}

double ScreenWindow::fittingControlScale() const
{
    const double view = viewScale();
    double right = 0, bottom = 0;
    for (const PlacedControl& entry : placed_)
        if (entry.control && entry.control->isVisibleTo(canvas_)) {
            right = std::max(right, entry.twips.right());
            bottom = std::max(bottom, entry.twips.bottom());
        }
    if (view == 1 || right <= 0 || bottom <= 0)
        return view;
    // The controls grow as far as the picture is wide and high enough for them.
    const double fit = std::min(pixelsToTwips(canvas_->width(), this) / right, pixelsToTwips(canvas_->height(), this) / bottom);
    return std::clamp(fit, 1.0, view);
}

ScreenWindow::PlacedControl* ScreenWindow::placed(const QWidget* control)
{
    for (PlacedControl& entry : placed_)
        if (entry.control == control)
            return &entry;
    return nullptr;
}

QRectF ScreenWindow::twipsOf(const QWidget* control) const
{
    for (const PlacedControl& entry : placed_)
        if (entry.control == control)
            return entry.twips;
    return {};
}

void ScreenWindow::setControlFont(QWidget* control, const QFont& font)
{
    PlacedControl* entry = placed(control);
    if (!entry) {
        control->setFont(font);
        return;
    }
    if (entry->font == font && control->font() == entry->shown)
        return;
    entry->font = font;
    const bool before = std::exchange(applyingView_, true);
    entry->shown = scaledFont(font, controlScale_);
    control->setFont(entry->shown);
    applyingView_ = before;
}

void ScreenWindow::placeControls()
{
    const bool before = std::exchange(applyingView_, true);
    controlScale_ = fittingControlScale();
    // The band the controls other than paragraphs take at the top of the picture.
    controlsBand_ = 0;
    for (const PlacedControl& entry : placed_)
        if (entry.control && entry.control->isVisibleTo(canvas_) && !isParagraph(entry.control))
            controlsBand_ = std::max(controlsBand_, twipsToPixels(entry.twips.bottom() * controlScale_, this));
    for (PlacedControl& entry : placed_)
        showControl(entry);
    noteCoveredPicture();
    placeLegend();
    applyingView_ = before;
}

void ScreenWindow::showControl(PlacedControl& entry)
{
    QWidget* control = entry.control;
    if (!control)
        return;
    const double k = controlScale_;
    const QRectF& t = entry.twips;
    const int across = twipsToPixels(t.width() * k, this);
    const int top = twipsToPixels(t.top() * k, this);
    int down = twipsToPixels(t.height() * k, this);
    double fontScale = k;
    auto* label = qobject_cast<QLabel*>(control);
    if (label && label->wordWrap() && !label->text().isEmpty()) {
        // A paragraph's opaque box holds its whole text and ends with it, so it hides no more of the
        // picture than it must. In the projector view its text grows only as far as the paragraph still
        // ends within the band of the other controls (or its own box), so it never covers the picture's
        // labels and blades below them; it is never smaller than in the normal view.
        const int limit = std::max(controlsBand_, twipsToPixels(t.bottom() * k, this)) - top;
        auto heightAt = [&](double scale) {
            label->setFont(scaledFont(entry.font, scale));
            return label->heightForWidth(across);
        };
        const bool before = std::exchange(applyingView_, true);
        while (fontScale > 1 && heightAt(fontScale) > limit)
            fontScale = std::max(1.0, fontScale - 0.1);
        applyingView_ = before;
    }
    const bool before = std::exchange(applyingView_, true);
    entry.shown = scaledFont(entry.font, fontScale);
    control->setFont(entry.shown);
    applyingView_ = before;
    if (label && label->wordWrap() && !label->text().isEmpty())
        down = label->heightForWidth(across);
    control->setGeometry(twipsToPixels(t.left() * k, this), top, across, down);
}

void ScreenWindow::setLegend(const QString& title, std::vector<LegendEntry> entries)
{
    delete legend_;
    legend_ = new Legend(title, std::move(entries), canvas_);
    canvas_->showInPicture(legend_); // what the screen shows is in the file
    legendFont_ = legendFont();
    legend_->setToolTip(QStringLiteral("Τι σημαίνει κάθε σημάδι της εικόνας. F2: απόκρυψη.\n"
                                       "What each mark of the picture means. F2: hide."));
    legend_->setVisible(legendItem_->isChecked());
    legendItem_->setEnabled(true);
    placeLegend();
}

void ScreenWindow::showLegend(bool shown)
{
    if (!legend_)
        return;
    legendItem_->setChecked(shown);
    legend_->setVisible(shown);
    if (shown) {
        placeLegend();
        legend_->raise();
    }
    if (onLegendShown)
        onLegendShown(shown);
}

void ScreenWindow::setLegendNotes(const QStringList& notes)
{
    if (!legend_ || notes == legend_->notes())
        return;
    legend_->setNotes(notes);
    placeLegend();
}

void ScreenWindow::pictureChanged()
{
    if (legend_ && legend_->isVisible())
        placeLegend();
}

void ScreenWindow::placeLegend()
{
    if (!legend_)
        return;
    // The picture below the controls' band is where the legend may stand.
    int controlsBottom = 0;
    for (const PlacedControl& entry : placed_)
        if (entry.control && entry.control->isVisibleTo(canvas_))
            controlsBottom = std::max(controlsBottom, entry.control->geometry().bottom() + 1);
    const QRect room = QRect(0, controlsBottom, canvas_->width(), canvas_->height() - controlsBottom)
                           .marginsRemoved(QMargins(legendMargin, legendMargin, legendMargin, legendMargin));
    // It grows with the view as the controls do; a legend that the picture has no room for gets a smaller
    // font, as far as it must to stand whole in view, but never below half the normal one.
    const double roomAcross = legendShareAcross * canvas_->width();
    QSize size;
    for (double k = controlScale_;; k = std::max(0.5, k - 0.05)) {
        legend_->setFont(scaledFont(legendFont_, k));
        size = legend_->sizeHint();
        if (k == 0.5 || (size.height() <= room.height() && size.width() <= roomAcross))
            break;
    }
    legend_->setGeometry(emptiestCorner(canvas_->image(), canvas_->pixelRatio(), surface().BackColor, room, size));
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
    // A font given to a placed control is its font of the normal view; the view shows it scaled.
    if (event->type() == QEvent::FontChange && !applyingView_) {
        auto* control = qobject_cast<QWidget*>(watched);
        if (PlacedControl* entry = control ? placed(control) : nullptr; entry && control->font() != entry->shown)
            setControlFont(control, control->font());
    }
    if (event->type() == QEvent::ToolTip && watched == menuWidget()) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QAction* item = menuBar()->actionAt(help->pos());
        if (item && !item->toolTip().isEmpty() && item->toolTip() != item->text())
            QToolTip::showText(help->globalPos(), item->toolTip(), menuBar());
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        // A key the whole window answers, whichever of its controls has the keyboard.
        if (widget && widget->window() == this && windowKey(*key, event->type() == QEvent::KeyPress)) {
            event->accept();
            return true;
        }
    }
    // Alt pressed and released with nothing in between, in this window.
    if (altOpensMenu_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
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
    if (control->parentWidget() != canvas_)
        control->setParent(canvas_);
    PlacedControl* entry = placed(control);
    if (!entry) {
        entry = &placed_.emplace_back();
        entry->control = control;
        entry->font = entry->shown = control->font();
        control->installEventFilter(this);
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) {
            control->setBackgroundRole(QPalette::Window);
            control->setAutoFillBackground(true);
        }
    }
    entry->twips = QRectF(left, top, width, height);
    showControl(*entry);
}

void ScreenWindow::fitText(QWidget* control)
{
    if (PlacedControl* entry = placed(control)) {
        showControl(*entry);
        noteCoveredPicture();
    }
}

void ScreenWindow::noteCoveredPicture()
{
    const double ratio = canvas_->pixelRatio();
    std::vector<Surface::PixelBox>& covered = surface().covered;
    covered.clear();
    for (const PlacedControl& entry : placed_)
        if (entry.control && entry.control->isVisibleTo(canvas_)) {
            const QRect g = entry.control->geometry();
            covered.push_back({g.left() * ratio, g.top() * ratio, (g.right() + 1) * ratio, (g.bottom() + 1) * ratio});
        }
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
    // The window keeps this size, grown with the view, unless it is placed by a rule.
    fixedClient_ = QSizeF(width, height);
    if (viewScale() != 1)
        applyViewScale();
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
