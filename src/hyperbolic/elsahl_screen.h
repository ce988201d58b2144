#pragma once

#include "surface/shared_values.h"
#include "hyperbolic/hyperbolic_lenses.h"
#include "hyperbolic/lens_screen_model.h"
#include "surface/qt/screen_window.h"

#include <functional>
#include <vector>

class QAction;
class QRadioButton;

namespace lens {

// The hyperbolic-lens screen: Ibn Sahl's plano-convex lens or the biconvex lens of two hyperbolas,
// a point source placed by a press, a diaphragm of two blades dragged and dropped, and parallel beams.
class ElSahlScreen : public ScreenWindow {
public:
    explicit ElSahlScreen(SharedValues& shared);

    // Sets up and shows the screen from the lens menu (true for the biconvex lens).
    void openFromMenu(bool biconvex);
    // Steps 6 to 8 of the menu's lens buttons, once the screen has its size.
    void drawFromMenu(bool biconvex);
    // Places the screen again, leaving reserveRight free for the lens menu, and draws its picture
    // again over the new window with the whole lens in view.
    void makeRoomForMenu();

    // The client area (menu bar included) at the display's top left corner: two thirds of the
    // display wide with its frame, but leaving reserveRight pixels free at the right and never
    // taller than the display, with a picture of the 270 : 240 shape of the user coordinates so
    // that the units are square.
    static QRect placement(const QRect& available, const QMargins& frame, int menuHeight, int reserveRight);
    int menuBarHeight() const;

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    void kymatikosahl_Click();
    void parallilidesmifotos_Click();
    void BACKFAKO_Click();
    // The lens menu's index changed: the picture on view is drawn again with the new lens.
    void indexChanged();
    // The lens alone again, without rays or fronts.
    void clearPicture();

    // Whether (x, y) lies on a blade, within ScaleWidth/120 across and |ScaleHeight|/120 past its ends.
    bool onBlade(const LineControl& blade, double x, double y) const;

    QRadioButton* kymataYESNO;  // "ONLY WAVES"
    QRadioButton* RAYSANDWAVES; // "RAYS WAVES"
    QRadioButton* onlyrays;     // "Only Rays"
    LineControl* Line1;         // upper blade
    LineControl* Line2;         // lower blade
    QAction* parallilidesmifotos;
    QAction* TELOS;
    QAction* kymatikosahl;
    QAction* BACKFAKO;

    hyperbolic::BladeDrag drag; // which blade, if any, is being dragged
    hyperbolic::HyperbolicScene scene;

    std::function<void()> showMenu;
    std::function<void()> onEnd;
    std::function<void()> onPlaced; // the screen has its size and its first picture
    int reserveRight = 0;           // pixels the lens menu needs right of this screen

private:
    // One drawing command of the current picture, with the inputs it was drawn from, so that
    // the picture can be drawn again after a resize.
    struct DrawStep {
        enum Kind { lens, fronts, beam, outline } kind = lens;
        hyperbolic::SceneInputs in;
        double b = 0;
        bool biconvex = false;
        bool parallelmode = false;
        double slope = 0;
    };
    void newPicture();
    void draw(const DrawStep& step);
    DrawStep stepNow(DrawStep::Kind kind) const;
    void replayPicture();

    void setScale();
    PlacementRule besideMenu() const;
    bool indexTooSmall() const { return hyperbolic::indexTooSmall(shared_.lensindex); }
    double semiAxisB() const;
    void fillInputs();
    // The scene routine of the current lens from the source.
    void drawScene();
    void redraw();

    SharedValues& shared_;
    std::vector<DrawStep> picture_;
    QSize placedSize_; // the picture's size when the user coordinates were set
};

} // namespace lens
