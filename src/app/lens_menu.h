#pragma once

#include "surface/shared_values.h"
#include "surface/qt/screen_window.h"

#include <functional>

class QLabel;
class QScrollBar;

namespace lens {

class CommandButton;

// The lens menu "CHOOSE  LENS": the two hyperbolic lenses, their index of refraction, and the way
// back to the spherical bench.
class LensMenu : public ScreenWindow {
public:
    explicit LensMenu(SharedValues& shared);

    void Form_Load();
    // The index of refraction the scroll bar gives (it holds hundredths).
    double index() const;
    void deiktissahl_Change();

    CommandButton* Command1; // biconvex hyperbolic lens
    CommandButton* Command2; // plano-convex hyperbolic lens
    QScrollBar* deiktissahl;
    QLabel* Label1;
    CommandButton* Command3; // back to the spherical bench

    // Wired by the application: open the hyperbolic-lens screen (true for the biconvex lens),
    // and show the bench.
    std::function<void(bool biconvex)> openLens;
    std::function<void()> showBench;

private:
    SharedValues& shared_;
};

} // namespace lens
