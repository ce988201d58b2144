#pragma once

#include "app/shared_values.h"
#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/qt/screen_window.h"

#include <functional>

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

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    void kymatikosahl_Click();
    void parallilidesmifotos_Click();
    void BACKFAKO_Click();

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

    bool dragupper = false;
    bool draglower = false;
    hyperbolic::HyperbolicScene scene;

    std::function<void()> showMenu;
    std::function<void()> onEnd;

private:
    void setScale();
    bool indexTooSmall() const { return 12 * shared_.lensindex < 12; }
    double semiAxisB() const;
    void fillInputs();
    // The scene routine of the current lens from the source.
    void drawScene();
    void redraw();

    SharedValues& shared_;
};

} // namespace lens
