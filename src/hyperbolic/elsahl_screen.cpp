#include "hyperbolic/elsahl_screen.h"

#include <QAction>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace lens {

using Light = hyperbolic::LensScreenModel::Light;

ElSahlScreen::ElSahlScreen(SharedValues& shared) : model(shared)
{
    setCaption(QStringLiteral("Φακός Ιμπν Σαχλ 2 υπεροβλές"));
    surface().BackColor = colours::white;
    surface().Cls();

    kymataYESNO = new QRadioButton(QStringLiteral("ONLY WAVES"));
    RAYSANDWAVES = new QRadioButton(QStringLiteral("RAYS WAVES"));
    onlyrays = new QRadioButton(QStringLiteral("Only Rays"));
    placeTwips({{kymataYESNO, 120, 0, 1455, 375}, {RAYSANDWAVES, 1560, 0, 1335, 375}, {onlyrays, 2880, 0, 1215, 375}});
    for (QRadioButton* option : {kymataYESNO, RAYSANDWAVES, onlyrays}) {
        option->setAutoFillBackground(true);
        option->setFont(controlFont(QStringLiteral("Arial"), 7.5));
    }
    RAYSANDWAVES->setChecked(true);
    setTabChain({kymataYESNO, RAYSANDWAVES, onlyrays});
    // The choice takes effect at the next drawing; nothing is redrawn here.
    for (auto [option, light] : {std::pair{kymataYESNO, Light::onlyWaves}, std::pair{RAYSANDWAVES, Light::raysAndWaves},
                                 std::pair{onlyrays, Light::onlyRays}})
        QObject::connect(option, &QRadioButton::toggled, this, [this, light = light](bool on) {
            if (on)
                model.choose(light);
        });

    // The blades are the model's; the canvas paints them over the picture.
    canvas().showOverlay(*Line1);
    canvas().showOverlay(*Line2);

    parallilidesmifotos = addMenuItem(QStringLiteral("PARALLILI  DESMH"), [this] { parallilidesmifotos_Click(); });
    TELOS = addMenuItem(QStringLiteral("END"), [this] {
        if (onEnd)
            onEnd();
    });
    kymatikosahl = addMenuItem(QStringLiteral("WAVES"), [this] { kymatikosahl_Click(); });
    BACKFAKO = addMenuItem(QStringLiteral("BACK TO MENU"), [this] { BACKFAKO_Click(); });

    setToolTips({
        {kymataYESNO, "Μόνο μέτωπα κύματος στο επόμενο σχέδιο.\nWavefronts only in the next drawing."},
        {RAYSANDWAVES, "Ακτίνες και μέτωπα κύματος.\nRays and wavefronts."},
        {onlyrays, "Μόνο ακτίνες.\nRays only."},
        {parallilidesmifotos, "Παράλληλη δέσμη υπό γωνία που δίνεις σε μοίρες.\nA parallel beam at an angle you give in degrees."},
        {TELOS, "Τέλος του προγράμματος.\nEnd the program."},
        {kymatikosahl, "Τα μέτωπα κύματος των ακτίνων που σχεδιάστηκαν.\nThe wavefronts of the rays drawn."},
        {BACKFAKO, "Πίσω στο μενού των φακών.\nBack to the lens menu."},
        {&canvas(), "Πάτησε όπου θέλεις την πηγή φωτός· σύρε ένα διάφραγμα (σκούρο μπλε). Δεξί κλικ: αποθήκευση, αντιγραφή.\n"
                    "Press where the light source should be; drag a blade of the diaphragm (dark blue). Right-click: save, copy."},
    });

    onClear = [this] { clearPicture(); };
    canvas().onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    canvas().onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    canvas().onMouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
    setScale();
}

void ElSahlScreen::setScale()
{
    // (−120, 120)−(150, −120) over the picture as it was placed; a picture the user has resized
    // since keeps the same unit, so nothing moves under the pointer and circles stay round.
    const QSize now = canvas().size();
    const double wide = placedSize_.isEmpty() ? 1.0 : double(now.width()) / placedSize_.width();
    const double high = placedSize_.isEmpty() ? 1.0 : double(now.height()) / placedSize_.height();
    surface().Scale(-120, 120, -120 + 270 * wide, 120 - 240 * high);
}

int ElSahlScreen::menuBarHeight() const { return menuWidget() ? menuWidget()->sizeHint().height() : 0; }

QRect ElSahlScreen::placement(const QRect& available, const QMargins& frame, int menuHeight, int reserveRight)
{
    const int across = frame.left() + frame.right(), down = frame.top() + frame.bottom();
    int outerWidth = int(available.width() / 1.5);
    if (reserveRight > 0 && available.width() - reserveRight >= available.width() / 2)
        outerWidth = std::min(outerWidth, available.width() - reserveRight);
    int width = std::max(1, outerWidth - across);
    int picture = int(std::lround(width * 240.0 / 270.0));
    if (picture + menuHeight + down > available.height()) {
        picture = std::max(1, available.height() - menuHeight - down);
        width = int(std::lround(picture * 270.0 / 240.0));
    }
    return QRect(available.left() + frame.left(), available.top() + frame.top(), width, picture + menuHeight);
}

void ElSahlScreen::show_(const std::string& text)
{
    if (!text.empty())
        message(QString::fromStdString(text));
    if (!model.scene().caption.empty())
        setCaption(QString::fromStdString(model.scene().caption));
    canvas().update();
}

void ElSahlScreen::replayPicture()
{
    setScale();
    model.redrawPicture(surface());
    show_();
}

void ElSahlScreen::openFromMenu(bool biconvex)
{
    model.placeDiaphragm(130);
    // The coordinates and the picture wait until the window has its size on the display.
    showPlaced(besideMenu(),
               [this, biconvex] {
                   placedSize_ = canvas().size();
                   setScale();
                   redrawScene = [this] { replayPicture(); };
                   drawFromMenu(biconvex);
                   if (onPlaced)
                       onPlaced();
               });
}

PlacementRule ElSahlScreen::besideMenu() const
{
    const int reserve = reserveRight;
    return [reserve](const QRect& area, const QMargins& frame, int menu) { return placement(area, frame, menu, reserve); };
}

void ElSahlScreen::makeRoomForMenu()
{
    showPlaced(besideMenu(), [this] {
        placedSize_ = canvas().size();
        replayPicture();
        if (onPlaced)
            onPlaced();
    });
}

void ElSahlScreen::drawFromMenu(bool biconvex) { show_(model.openLens(surface(), biconvex)); }

void ElSahlScreen::Form_MouseDown(int, int, double x, double y)
{
    setScale();
    show_(model.press(surface(), x, y));
}

void ElSahlScreen::Form_MouseMove(int, int, double x, double y) { setMousePointer(model.move(surface(), x, y)); }

void ElSahlScreen::Form_MouseUp(int, int, double x, double y)
{
    setScale();
    model.release(surface(), x, y);
    show_();
}

void ElSahlScreen::kymatikosahl_Click() { show_(model.waves(surface())); }

void ElSahlScreen::parallilidesmifotos_Click()
{
    const auto answer = input(QStringLiteral("DIRECTION IN  RESPECT TO HORIZONTAL"), QStringLiteral("Angle in °"));
    if (!answer)
        return; // cancelled: nothing changes
    show_(model.beamAnswered(surface(), answer->toStdString()));
}

void ElSahlScreen::indexChanged()
{
    if (!isVisible() || !model.hasPicture())
        return;
    setScale();
    model.indexChanged(surface());
    show_();
}

void ElSahlScreen::openLesson(bool biconvex, double x, double y)
{
    if (isVisible())
        setScale();
    model.openLesson(surface(), biconvex, x, y);
    show_();
}

void ElSahlScreen::clearPicture()
{
    model.clearPicture(surface());
    show_();
}

void ElSahlScreen::BACKFAKO_Click()
{
    model.newPicture(surface());
    canvas().update();
    if (showMenu)
        showMenu();
    Hide();
}

} // namespace lens
