#include "hyperbolic/elsahl_screen.h"

#include <QAction>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lens {

namespace {
const QString indexMessage = QStringLiteral("`Ακυρος Δείκτης Διάθλασηςgive a bigger value");
const QString biggerIndexMessage = QStringLiteral("δώσε μεγαλύτερο δείκτη");
} // namespace

ElSahlScreen::ElSahlScreen(SharedValues& shared) : shared_(shared)
{
    setCaption(QStringLiteral("Φακός Ιμπν Σαχλ 2 υπεροβλές"));
    surface().BackColor = colours::white;
    surface().Cls();

    kymataYESNO = new QRadioButton(QStringLiteral("ONLY WAVES"));
    RAYSANDWAVES = new QRadioButton(QStringLiteral("RAYS WAVES"));
    onlyrays = new QRadioButton(QStringLiteral("Only Rays"));
    placeTwips(kymataYESNO, 120, 0, 1455, 375);
    placeTwips(RAYSANDWAVES, 1560, 0, 1335, 375);
    placeTwips(onlyrays, 2880, 0, 1215, 375);
    for (QRadioButton* option : {kymataYESNO, RAYSANDWAVES, onlyrays}) {
        option->setAutoFillBackground(true);
        option->setFont(controlFont(QStringLiteral("Arial"), 7.5));
    }
    RAYSANDWAVES->setChecked(true);
    setTabOrder(kymataYESNO, RAYSANDWAVES);
    setTabOrder(RAYSANDWAVES, onlyrays);
    // The choice takes effect at the next drawing; nothing is redrawn here.
    QObject::connect(kymataYESNO, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kymataYESNO->setChecked(true);
            RAYSANDWAVES->setChecked(false);
        }
    });
    QObject::connect(RAYSANDWAVES, &QRadioButton::toggled, this, [this](bool on) {
        if (on) {
            kymataYESNO->setChecked(false);
            RAYSANDWAVES->setChecked(true);
        }
    });

    Line1 = &canvas().addLine();
    Line2 = &canvas().addLine();
    for (LineControl* blade : {Line1, Line2}) {
        blade->BorderColor = RGB(0, 0, 192);
        blade->BorderWidth = 3;
    }
    // Form load: the diaphragm at x = 130 with an opening from −10 to 10.
    *Line1 = LineControl{130, 200, 130, 10, RGB(0, 0, 192), 3, true};
    *Line2 = LineControl{130, -200, 130, -10, RGB(0, 0, 192), 3, true};

    parallilidesmifotos = addMenuItem(QStringLiteral("PARALLILI  DESMH"), [this] { parallilidesmifotos_Click(); });
    TELOS = addMenuItem(QStringLiteral("END"), [this] {
        if (onEnd)
            onEnd();
    });
    kymatikosahl = addMenuItem(QStringLiteral("WAVES"), [this] { kymatikosahl_Click(); });
    BACKFAKO = addMenuItem(QStringLiteral("BACK TO MENU"), [this] { BACKFAKO_Click(); });

    canvas().onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    canvas().onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    canvas().onMouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
    setScale();
}

void ElSahlScreen::setScale() { surface().Scale(-120, 120, 150, -120); }

double ElSahlScreen::semiAxisB() const
{
    const double c = 12 * shared_.lensindex;
    return std::sqrt(std::max(0.0, c * c - 144.0));
}

void ElSahlScreen::fillInputs()
{
    scene.in.lensindex = shared_.lensindex;
    scene.in.sourcex = shared_.sourcex;
    scene.in.sourcey = shared_.sourcey;
    scene.in.kymataYESNO = kymataYESNO->isChecked();
    scene.in.onlyrays = onlyrays->isChecked();
    scene.in.diaphragmX = Line1->X1;
    scene.in.upperTip = Line1->Y2;
    scene.in.lowerTip = Line2->Y2;
}

void ElSahlScreen::drawScene()
{
    fillInputs();
    const double b = semiAxisB();
    if (shared_.biconvexlens)
        hyperbolic::drawbiconvexlens(surface(), scene, 12, b, shared_.sourcex, shared_.sourcey);
    else
        hyperbolic::drawsahllens(surface(), scene, 12, b, shared_.sourcex, shared_.sourcey);
    if (!scene.caption.empty())
        setCaption(QString::fromStdString(scene.caption));
    canvas().update();
}

void ElSahlScreen::redraw()
{
    surface().Cls();
    drawScene();
}

void ElSahlScreen::openFromMenu(bool biconvex)
{
    // A square two thirds of the display wide, but never taller than the display can show.
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const double side = std::min(pixelsToTwips(area.width(), this) / 1.5, pixelsToTwips(area.height(), this));
    setWindowTwips(0, 0, side, side);
    setScale();
    *Line1 = LineControl{130, 200, 130, 10, Line1->BorderColor, Line1->BorderWidth, true};
    *Line2 = LineControl{130, -200, 130, -10, Line2->BorderColor, Line2->BorderWidth, true};
    Show();
    setWindowTwips(0, 0, side, side); // again, now that the window's frame is known
    if (indexTooSmall()) {
        message(indexMessage);
        return;
    }
    shared_.sourcex = 12 * 9;
    shared_.sourcey = 25;
    shared_.biconvexlens = biconvex;
    // A fresh picture: the other lens, or an earlier drawing, must not show through.
    redraw();
}

bool ElSahlScreen::onBlade(const LineControl& blade, double x, double y) const
{
    const Surface& s = surface();
    const double dx = s.ScaleWidth() / 120, dy = std::fabs(s.ScaleHeight()) / 120;
    const double lower = std::min(blade.Y1, blade.Y2), upper = std::max(blade.Y1, blade.Y2);
    return blade.X1 - dx < x && x < blade.X1 + dx && lower - dy < y && y < upper + dy;
}

void ElSahlScreen::Form_MouseDown(int, int, double x, double y)
{
    setScale();
    if (onBlade(*Line1, x, y)) {
        dragupper = true;
        return;
    }
    if (onBlade(*Line2, x, y)) {
        draglower = true;
        return;
    }
    if (indexTooSmall()) {
        message(biggerIndexMessage);
        return;
    }
    surface().Cls();
    shared_.sourcex = x;
    shared_.sourcey = y;
    drawScene();
}

void ElSahlScreen::Form_MouseMove(int, int, double x, double y)
{
    const bool overBlade = onBlade(*Line1, x, y) || dragupper || onBlade(*Line2, x, y) || draglower;
    setMousePointer(overBlade ? 2 : 1);
}

void ElSahlScreen::Form_MouseUp(int, int, double x, double y)
{
    setScale();
    const Surface& s = surface();
    if (dragupper) {
        Line1->X1 = Line1->X2 = Line2->X1 = Line2->X2 = x;
        double ym = y;
        if (ym < Line2->Y2) {
            // The upper blade may not end below the lower one: leave a tenth of the height open above the drop.
            ym = y + std::fabs(s.ScaleHeight() / 10);
            Line2->Y2 = ym - std::fabs(s.ScaleHeight() / 10);
        }
        Line1->Y1 = s.ScaleTop();
        Line1->Y2 = ym;
        dragupper = false;
        redraw();
    } else if (draglower) {
        Line1->X1 = Line1->X2 = Line2->X1 = Line2->X2 = x;
        Line2->Y1 = s.ScaleTop() + s.ScaleHeight();
        Line2->Y2 = y;
        draglower = false;
        redraw();
    }
}

void ElSahlScreen::kymatikosahl_Click()
{
    if (indexTooSmall()) {
        message(biggerIndexMessage);
        return;
    }
    drawScene(); // over what is there
    hyperbolic::redrawwavefronts(surface(), scene, shared_.parallelmode);
    canvas().update();
}

void ElSahlScreen::parallilidesmifotos_Click()
{
    const auto answer = input(QStringLiteral("DIRECTION IN  RESPECT TO HORIZONTAL"), QStringLiteral("Angle in °"));
    if (!answer)
        return; // cancelled: nothing changes
    if (indexTooSmall()) {
        message(indexMessage);
        return;
    }
    const hyperbolic::BeamAnswer beam = hyperbolic::beamslopefromanswer(answer->toStdString());
    switch (beam.kind) {
    case hyperbolic::AngleAnswer::empty:
    case hyperbolic::AngleAnswer::notANumber:
        return; // an empty answer or text that is no number draws nothing and changes nothing
    case hyperbolic::AngleAnswer::vertical:
        message(QStringLiteral("Κατακόρυφη δέσμη (±90°) δεν σχεδιάζεται: δώσε άλλη γωνία.\nA vertical beam (±90°) cannot be drawn: give another angle."));
        return;
    case hyperbolic::AngleAnswer::tooLarge:
        message(QStringLiteral("Πολύ μεγάλη γωνία (πέρα από ±1000000°): δώσε άλλη γωνία.\nThe angle is too large (beyond ±1000000°): give another angle."));
        return;
    case hyperbolic::AngleAnswer::beam:
        break;
    }
    const double slope = beam.slope;
    shared_.bundleangle = beam.degrees * std::numbers::pi / 180;
    fillInputs();
    surface().Cls();
    const double b = semiAxisB();
    if (shared_.biconvexlens)
        hyperbolic::biconvexparallelbeam(surface(), scene, 12, b, slope);
    else
        hyperbolic::sahlparallelbeam(surface(), scene, 12, b, slope);
    if (!scene.caption.empty())
        setCaption(QString::fromStdString(scene.caption));
    canvas().update();
}

void ElSahlScreen::BACKFAKO_Click()
{
    surface().Cls();
    if (showMenu)
        showMenu();
    Hide();
}

} // namespace lens
