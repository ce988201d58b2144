#include "hyperbolic/elsahl_screen.h"
#include "surface/number_text.h"

#include "hyperbolic/lens_parts.h"

#include "hyperbolic/lens_screen_model.h"

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
    placeTwips({{kymataYESNO, 120, 0, 1455, 375}, {RAYSANDWAVES, 1560, 0, 1335, 375}, {onlyrays, 2880, 0, 1215, 375}});
    for (QRadioButton* option : {kymataYESNO, RAYSANDWAVES, onlyrays}) {
        option->setAutoFillBackground(true);
        option->setFont(controlFont(QStringLiteral("Arial"), 7.5));
    }
    RAYSANDWAVES->setChecked(true);
    setTabChain({kymataYESNO, RAYSANDWAVES, onlyrays});
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

double ElSahlScreen::semiAxisB() const { return hyperbolic::semiAxisFor(shared_.lensindex); }

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

ElSahlScreen::DrawStep ElSahlScreen::stepNow(DrawStep::Kind kind) const
{
    DrawStep step;
    step.kind = kind;
    step.in = scene.in;
    step.b = semiAxisB();
    step.biconvex = shared_.biconvexlens;
    step.parallelmode = shared_.parallelmode;
    return step;
}

void ElSahlScreen::draw(const DrawStep& step)
{
    picture_.push_back(step);
    scene.in = step.in;
    switch (step.kind) {
    case DrawStep::lens:
        if (step.biconvex)
            hyperbolic::drawbiconvexlens(surface(), scene, 12, step.b, step.in.sourcex, step.in.sourcey);
        else
            hyperbolic::drawsahllens(surface(), scene, 12, step.b, step.in.sourcex, step.in.sourcey);
        break;
    case DrawStep::fronts:
        hyperbolic::redrawwavefronts(surface(), scene, step.parallelmode);
        break;
    case DrawStep::beam:
        if (step.biconvex)
            hyperbolic::biconvexparallelbeam(surface(), scene, 12, step.b, step.slope);
        else
            hyperbolic::sahlparallelbeam(surface(), scene, 12, step.b, step.slope);
        break;
    case DrawStep::outline: {
        const hyperbolic::HyperbolicLens shape = hyperbolic::lensShape(12, step.b, step.in.lensindex);
        if (step.biconvex)
            hyperbolic::parts::drawBiconvexOutline(surface(), shape, false);
        else
            hyperbolic::parts::drawPlanoConvexOutline(surface(), shape, false);
        break;
    }
    }
    hyperbolic::markfoci(surface(), 12, step.b, step.in.lensindex, step.biconvex);
    if (!scene.caption.empty())
        setCaption(QString::fromStdString(scene.caption));
    canvas().update();
}

void ElSahlScreen::newPicture()
{
    picture_.clear();
    surface().Cls();
}

void ElSahlScreen::replayPicture()
{
    setScale();
    const std::vector<DrawStep> steps = std::move(picture_);
    newPicture();
    for (const DrawStep& step : steps)
        draw(step);
}

void ElSahlScreen::drawScene()
{
    fillInputs();
    draw(stepNow(DrawStep::lens));
}

void ElSahlScreen::redraw()
{
    newPicture();
    drawScene();
}

void ElSahlScreen::openFromMenu(bool biconvex)
{
    *Line1 = LineControl{130, 200, 130, 10, Line1->BorderColor, Line1->BorderWidth, true};
    *Line2 = LineControl{130, -200, 130, -10, Line2->BorderColor, Line2->BorderWidth, true};
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

void ElSahlScreen::drawFromMenu(bool biconvex)
{
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
    return hyperbolic::onBlade(blade, surface(), x, y);
}

void ElSahlScreen::Form_MouseDown(int, int, double x, double y)
{
    setScale();
    switch (hyperbolic::pressOnLensScreen(drag, *Line1, *Line2, surface(), x, y, shared_.lensindex)) {
    case hyperbolic::PressOutcome::dragStarted:
        return;
    case hyperbolic::PressOutcome::refusedIndex:
        message(biggerIndexMessage);
        return;
    case hyperbolic::PressOutcome::sourcePlaced:
        newPicture();
        shared_.sourcex = x;
        shared_.sourcey = y;
        drawScene();
        return;
    }
}

void ElSahlScreen::Form_MouseMove(int, int, double x, double y)
{
    setMousePointer(hyperbolic::pointerOnLensScreen(drag, *Line1, *Line2, surface(), x, y));
}

void ElSahlScreen::Form_MouseUp(int, int, double x, double y)
{
    setScale();
    if (hyperbolic::releaseOnLensScreen(drag, *Line1, *Line2, surface(), x, y))
        redraw();
}

void ElSahlScreen::kymatikosahl_Click()
{
    if (indexTooSmall()) {
        message(biggerIndexMessage);
        return;
    }
    drawScene(); // over what is there
    draw(stepNow(DrawStep::fronts));
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
    const BeamAnswer beam = beamslopefromanswer(answer->toStdString());
    if (beam.kind != AngleAnswer::beam) {
        message(QString::fromStdString(angleAnswerMessage(beam.kind))); // nothing is drawn or changed
        return;
    }
    const double slope = beam.slope;
    shared_.bundleangle = beam.degrees * std::numbers::pi / 180;
    fillInputs();
    newPicture();
    DrawStep step = stepNow(DrawStep::beam);
    step.slope = slope;
    draw(step);
}

void ElSahlScreen::indexChanged()
{
    if (!isVisible() || picture_.empty() || indexTooSmall())
        return;
    // Every drawing of the picture again, with the lens the new index gives.
    for (DrawStep& step : picture_) {
        step.in.lensindex = shared_.lensindex;
        step.b = semiAxisB();
    }
    replayPicture();
}

void ElSahlScreen::clearPicture()
{
    if (picture_.empty())
        return;
    DrawStep step = picture_.front();
    step.kind = DrawStep::outline;
    newPicture();
    draw(step);
}

void ElSahlScreen::BACKFAKO_Click()
{
    newPicture();
    if (showMenu)
        showMenu();
    Hide();
}

} // namespace lens
