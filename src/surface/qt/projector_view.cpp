#include "surface/qt/screen_window.h"

#include "surface/qt/legend.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <utility>

// The projector view of a screen window: the controls placed in twips and shown at the control
// scale of the moment, the menu bar's font, a fixed window grown, and the legend in the picture.

namespace lens {

namespace {
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
} // namespace

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
    // In the projector view a control placed anew can change how far all of them may grow (the
    // print button takes its place only once the window has its size): all are fitted again.
    if (viewScale() != 1 && !applyingView_)
        placeControls();
    else
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

void ScreenWindow::fitMenuBar()
{
    auto* bar = qobject_cast<QMenuBar*>(menuWidget());
    if (!bar)
        return;
    if (!menuFont_)
        menuFont_ = bar->font();
    // The menu bar's text grows as far as every item stays in one row: an item behind the overflow
    // arrow is one the class does not see. Fitted again whenever the window's width changes, so a view
    // asked for before the window manager has sized the window is right once it has.
    for (double grow = viewScale();; grow = std::max(1.0, grow - 0.1)) {
        bar->setFont(scaledFont(*menuFont_, grow));
        if (grow == 1 || menuItemsFit(*bar, width()))
            break;
    }
}

void ScreenWindow::applyViewScale()
{
    const int view = viewScale();
    fitMenuBar();
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
    if (scaleBarOnView_)
        canvas_->showScaleBar();
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

} // namespace lens
