#pragma once

#include "surface/shared_values.h"
#include "hyperbolic/hyperbolic_lenses.h"
#include "hyperbolic/lens_screen_model.h"
#include "surface/qt/screen_window.h"

#include <functional>
#include <string>

class QAction;
class QRadioButton;

namespace lens {

// The hyperbolic-lens screen: Ibn Sahl's plano-convex lens or the biconvex lens of two hyperbolas,
// a point source placed by a press, a diaphragm of two blades dragged and dropped, and parallel beams.
// The widget holds the option buttons, the canvas, the menu and the prompts; everything else is the
// screen's model, to which it forwards every event before it shows the message, the caption and the
// picture.
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
    // A lesson's lens and source, drawn when the screen is on view with a picture.
    void openLesson(bool biconvex, double x, double y);
    // The lens alone again, without rays or fronts.
    void clearPicture();

    hyperbolic::LensScreenModel model;
    QRadioButton* kymataYESNO;  // "ONLY WAVES"
    QRadioButton* RAYSANDWAVES; // "RAYS WAVES"
    QRadioButton* onlyrays;     // "Only Rays"
    const LineControl* Line1 = &model.upperBlade();
    const LineControl* Line2 = &model.lowerBlade();
    QAction* parallilidesmifotos;
    QAction* TELOS;
    QAction* kymatikosahl;
    QAction* BACKFAKO;

    std::function<void()> showMenu;
    std::function<void()> onEnd;
    std::function<void()> onPlaced; // the screen has its size and its first picture
    int reserveRight = 0;           // pixels the lens menu needs right of this screen

private:
    void setScale();
    PlacementRule besideMenu() const;
    // Every drawing since the last clear again, over the window as it is now.
    void replayPicture();
    // Shows what an operation of the model left: its message, the caption and the picture.
    void show_(const std::string& message = {});

    QSize placedSize_; // the picture's size when the user coordinates were set
};

} // namespace lens
