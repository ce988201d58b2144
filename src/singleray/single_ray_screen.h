#pragma once

#include "surface/qt/screen_window.h"

#include "singleray/single_ray_view.h"
#include "spherical/spherical_lens.h"

#include <QPointF>

#include <functional>
#include <optional>

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
    // The bench's diaphragm, which the single ray meets too.
    std::function<spherical::Diaphragm()> benchDiaphragm;

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    void aktina1_Change();
    void aktina2_Change();
    void kentrokykloy_Change();
    void deiktisdiathlasis_Change();
    // Draws the lens from the scroll bars over the picture and the ray from the source towards (x2, y2).
    void miaaktina(double x1, double y1, double x2, double y2);

    std::optional<QPointF> lastRay; // where the last ray was aimed, drawn again after a resize

private:
    singleray::ViewControls controls() const;
    // The lens the scroll bars give, circle A about the origin: the one place their values become optics.
    spherical::LensState lens() const;
    // Clears and draws the lens from the view's scroll bars.
    void lensRefresh();
    QPointF sourceCentre() const;
    void sendRay(double x, double y);
    void redrawPicture();
};

} // namespace lens
