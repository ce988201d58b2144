#pragma once

#include "surface/qt/canvas.h"
#include "surface/qt/controls_qt.h"
#include "surface/qt/dialogs.h"
#include "surface/qt/file_writing.h"
#include "surface/qt/window_units.h"
#include "surface/controls.h"

#include <QFont>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QKeyEvent;

namespace lens {

class Legend;

// Where a screen wants its client area (menu bar included), in global pixels, given the display's
// available area, the frame the window system draws around the window and the menu bar's height.
using PlacementRule = std::function<QRect(const QRect& available, const QMargins& frame, int menuHeight)>;

// The client area of a window that covers the available area with its frame.
QRect coverAvailableArea(const QRect& available, const QMargins& frame, int menuHeight);

// A window whose client area is a Canvas, with controls placed in twips and an optional menu bar.
// Each screen is created once and then only shown and hidden.
//
// A window manager gives a window its final size only after it has been mapped, and may resize it
// again when it adds its frame. A screen therefore shows itself through showPlaced(): its first
// picture is drawn once the window has the size the placement rule asks for (or the window
// manager has settled on another), never into a picture of a size the window will not keep.
class ScreenWindow : public QMainWindow {
public:
    explicit ScreenWindow(QWidget* parent = nullptr);

    Canvas& canvas() { return *canvas_; }
    Surface& surface() { return canvas_->surface(); }
    const Surface& surface() const { return canvas_->surface(); }

    // Places a child control of the client area, in twips. The placement and the control's font are
    // those of the normal view: the projector view multiplies both. Labels, boxes, option buttons and
    // read-outs get an opaque background of the window colour, so no ray runs through their text.
    void placeTwips(QWidget* control, double left, double top, double width, double height);
    // Where a control was placed, in twips (an empty rectangle for one that was not).
    QRectF twipsOf(const QWidget* control) const;
    // Gives a placed control its font of the normal view; the projector view shows it larger. A
    // font set directly with QWidget::setFont counts the same way.
    void setControlFont(QWidget* control, const QFont& font);
    // Sizes a placed label again for the text it now holds (a paragraph's box follows its text).
    void fitText(QWidget* control);
    // Places several, each at (left, top) with its width and height in twips.
    struct Placement { QWidget* control; double left, top, width, height; };
    void placeTwips(std::initializer_list<Placement> placements);
    // Tab walks through the controls in this order.
    void setTabChain(std::initializer_list<QWidget*> controls);
    // Gives each control or menu item its tooltip (UTF-8 text).
    static void setToolTips(std::initializer_list<std::pair<QObject*, const char*>> tips);
    // Window placement in twips; width and height are those of the whole window.
    void setWindowTwips(std::optional<double> left, std::optional<double> top, double width, double height);
    // Sizes the window so its client area (below the menu bar) is width × height twips.
    void setClientTwips(double width, double height);
    // The client area's size now, in twips.
    QSizeF clientTwips();

    QAction* addMenuItem(const QString& caption, std::function<void()> onClick);
    // Highlights the first item of the menu bar for the keyboard (F10, or Alt alone).
    void openMenuBar();

    void Show();
    void Hide();

    // Shows the window where the rule puts it; whenPlaced runs once the size is final.
    void showPlaced(PlacementRule rule, std::function<void()> whenPlaced);
    // True while a placement waits for the window manager.
    bool placing() const { return placing_; }
    // The frame the window system draws around this window (the last one seen on any screen
    // while this one has not been framed yet).
    QMargins frameMarginsNow() const;
    // The name a saved picture gets unless the user changes it.
    QString pictureName() const;

    // The screen's current picture, drawn again from scratch after the user resized the window.
    std::function<void()> redrawScene;

    // The picture as a file or on the clipboard (Ctrl+S, Ctrl+C, and the canvas's context menu).
    void savePicture();
    // Writes the picture: SVG for a name ending in .svg, PNG otherwise; the old file stays whole when
    // the new one cannot be written, and the result says why.
    FileWrite writePicture(const QString& file);
    void copyPicture();
    // The projector view: pens, dots and printed text of the picture drawn 1, 2 or 3 times as wide, and
    // the scene drawn again; the menu bar, the controls and the legend grow by the same factor, or as
    // far as the controls still fit the window. Hit tests and fills work in user units and are not changed.
    void setViewScale(int scale);
    int viewScale() const { return canvas_->viewScale(); }
    static constexpr int largestViewScale = 3;
    // How many times their normal size the controls are shown now.
    double controlScale() const { return controlScale_; }

    // A legend of the marks of the picture in its emptiest corner below the controls, hidden until F2
    // or the context menu's item shows it; pictureChanged places it again. Screens without one offer the item disabled.
    void setLegend(const QString& title, std::vector<LegendEntry> entries);
    Legend* legend() const { return legend_; }
    void showLegend(bool shown);
    // The legend's lines of values under its marks, placed again for their size.
    void setLegendNotes(const QStringList& notes);
    // The picture was drawn again: a legend on view moves to the corner that is now the emptiest.
    void pictureChanged();
    // A scale bar of 100 units over the screen's picture, placed anew at each change of the picture.
    void showScaleBarOnView(bool shown) { scaleBarOnView_ = shown; }
    // Runs when the legend is shown or hidden.
    std::function<void(bool)> onLegendShown;
    QAction* legendItem() const { return legendItem_; }
    // Wired by the application: the projector keys ask for a scale for every screen; F1 and the menu's
    // help items open the guide and the About box.
    std::function<void(int)> onViewScaleAsked;
    std::function<void()> onHelp, onAbout;
    // Draws the screen's lens alone again (Delete over the picture, and the context menu); none on a screen
    // without a lens.
    std::function<void()> onClear;
    // The lesson's commands (Ctrl+Shift+S, Ctrl+O and the context menu); none on a screen a lesson does not keep.
    std::function<void()> onSaveLesson, onSaveLessonAs, onOpenLesson;
    // Undo and redo of the lesson's changes (Ctrl+Z; Ctrl+Shift+Z and Ctrl+Y; the context menu), offered
    // while there is a step to take.
    std::function<void()> onUndo, onRedo;
    // "Φακός… / Lens…" (Ctrl+L and the context menu): the screen's values typed in; none where there is none.
    std::function<void()> onTypeValues;
    void setUndoable(bool canUndo, bool canRedo);
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    Dialogs* dialogs = nullptr; // never null once the app has set it up

protected:
    void message(const QString& text);
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultAnswer = {});

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A key for the whole window, before the control that has the keyboard sees it: true when the window
    // takes it (press is false for the override check that comes first).
    virtual bool windowKey(const QKeyEvent&, bool /*press*/) { return false; }

private:
    Canvas* canvas_;

    // Window placement (screen_window.cpp).
    void layOutClientArea();
    void applyPlacement();
    void settle();
    void clientResized();
    QRect wantedGeometry() const;
    PlacementRule placementRule_;
    std::function<void()> whenPlaced_;
    bool placing_ = false;
    int placementTries_ = 0;    // waits for the window to be exposed
    int placementRequests_ = 0; // geometry asked for again once the frame was known
    QTimer settleTimer_;
    QSize drawnSize_; // the client size the current picture was drawn for
    std::optional<QSizeF> fixedClient_; // twips, for a window that is not placed by a rule

    // Keys and menus (window_menus.cpp).
    // The picture's commands, their keys and the context menu; F10 and Alt for the menu bar.
    void setUpCommands();
    // Offers only the steps of the view scale that would change the view.
    void showViewScale();
    QAction* thicker_ = nullptr;
    QAction* thinner_ = nullptr;
    QAction* normal_ = nullptr;
    bool altAlone_ = false;
    bool altOpensMenu_ = false; // Alt alone opens the menu bar here; the style does not

    // The projector view (projector_view.cpp).
    // Fonts and placements of the view scale: the menu bar's font, a window of fixed size grown, the
    // controls and the legend.
    void applyViewScale();
    void fitMenuBar();
    void placeControls();
    void placeLegend();
    // Tells the picture which of its parts the controls hide.
    void noteCoveredPicture();
    // The control scale at which the placed controls still fit the picture, at most the view scale.
    double fittingControlScale() const;
    struct PlacedControl {
        QPointer<QWidget> control;
        QRectF twips;   // in the normal view
        QFont font;     // in the normal view
        QFont shown;    // as last applied
    };
    PlacedControl* placed(const QWidget* control);
    // Gives a control its font and place at the control scale of the moment.
    void showControl(PlacedControl& entry);
    std::vector<PlacedControl> placed_;
    double controlScale_ = 1;
    int controlsBand_ = 0; // pixels: the bottom of the lowest control that is not a paragraph
    bool applyingView_ = false;
    std::optional<QFont> menuFont_; // the menu bar's, in the normal view
    Legend* legend_ = nullptr;
    QFont legendFont_;
    QAction* legendItem_ = nullptr;
    bool scaleBarOnView_ = false;
    QAction* undoItem_ = nullptr;
    QAction* redoItem_ = nullptr;
};

} // namespace lens
