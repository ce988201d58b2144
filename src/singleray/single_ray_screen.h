#pragma once

#include "surface/qt/screen_window.h"

#include <functional>

class QLineEdit;
class QScrollBar;

namespace lens {

class CommandButton;

// The single-ray view "ΜΙΑ ΑΚΤΙΝΑ": one ray from a source marker through a lens of two circles.
class SingleRayScreen : public ScreenWindow {
public:
    SingleRayScreen();

    // Sizes the view to the display and sets its user coordinates from the display's size.
    void openFromBench();

    QScrollBar* aktina2;
    QLineEdit* Text5;
    QScrollBar* aktina1;
    QLineEdit* Text6;
    QScrollBar* deiktisdiathlasis;
    QLineEdit* Text2;
    QScrollBar* kentrokykloy;
    QLineEdit* Text7;
    CommandButton* Command1; // "Πίσω": back to the bench
    ShapeControl* fos;

    std::function<void()> onBack;
};

} // namespace lens
