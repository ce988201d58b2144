#include "app/app.h"
#include "app/lens_menu.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "singleray/single_ray_screen.h"
#include "surface/qt/command_button.h"
#include "scripted_dialogs.h"
#include "waves/ray_records.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace lens;

namespace {

struct Program {
    ScriptedDialogs dialogs;
    LensBenchApp app{&dialogs};
    Program()
    {
        app.endProgram = [] {};
        app.Main();
    }
    ~Program()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
};

// Whether a colour lies within a few pixels of a user point of the screen's picture.
bool colourNear(ScreenWindow& screen, double x, double y, Rgb colour, int reach = 2)
{
    Surface& s = screen.surface();
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QRgb c = screen.canvas().pixelAt(x + dx / s.ScaleX(1), y + dy / s.ScaleY(1));
            if (RGB(qRed(c), qGreen(c), qBlue(c)) == colour)
                return true;
        }
    return false;
}

// Resizes the window's client area to a fraction of its size now and lets the events run.
void resizeBy(ScreenWindow& screen, double fraction)
{
    screen.resize(int(screen.width() * fraction), int(screen.height() * fraction));
    QApplication::processEvents();
}

} // namespace

// A screen shrunk until part of its scene is cut off and then grown again shows that part again:
// the picture covers the new client area, the unit and origin stay, and the scene is drawn anew.
TEST(ResizedScreen, ThePictureCoversTheClientAreaAndHoldsTheSceneDrawnAgain)
{
    Program p;
    p.app.eisagogiko().Show();
    QTest::mouseClick(p.app.eisagogiko().Command2, Qt::LeftButton);
    struct Case {
        ScreenWindow* screen;
        double x, y; // a point of the scene right of the middle of the view
        Rgb colour;
    };
    const Case cases[] = {
        {&p.app.vitrosa(), 50, 0, colours::black},            // outline of circle A at the lens's right edge
        {&p.app.ElSahl(), 48, 0, RGB(255, 0, 0)},              // plane face of Ibn Sahl's lens
    };
    for (const Case& c : cases) {
        ScreenWindow& screen = *c.screen;
        SCOPED_TRACE(screen.windowTitle().toStdString());
        Surface& s = screen.surface();
        const double pixelBefore = s.pixelX(c.x), unitBefore = s.ScaleX(1);
        ASSERT_TRUE(colourNear(screen, c.x, c.y, c.colour));

        resizeBy(screen, 0.5);
        EXPECT_FALSE(s.contains(c.x, c.y));
        resizeBy(screen, 2.0);
        const QImage& image = screen.canvas().image();
        EXPECT_EQ(image.size(), screen.canvas().size() * screen.canvas().devicePixelRatioF());
        EXPECT_DOUBLE_EQ(s.pixelX(c.x), pixelBefore);
        EXPECT_DOUBLE_EQ(s.ScaleX(1), unitBefore);
        EXPECT_TRUE(colourNear(screen, c.x, c.y, c.colour));

        resizeBy(screen, 1.25); // grown past where it was placed: the new area holds the scene too
        EXPECT_EQ(screen.canvas().image().size(), screen.canvas().size() * screen.canvas().devicePixelRatioF());
        EXPECT_TRUE(colourNear(screen, c.x, c.y, c.colour));
        EXPECT_DOUBLE_EQ(s.ScaleX(1), unitBefore);
    }
}

// The projector view's menu bar is fitted to the window's width as it is now, not as it was when the
// view was asked for (a remembered view is asked for before the window manager sizes the window).
TEST(ResizedScreen, TheMenuBarIsFittedAgainToTheWindowsWidth)
{
    Program p;
    ScreenWindow& bench = p.app.vitrosa();
    bench.setViewScale(3);
    auto* bar = qobject_cast<QMenuBar*>(bench.menuWidget());
    ASSERT_TRUE(bar);
    const double wide = bar->font().pointSizeF();
    resizeBy(bench, 0.5);
    EXPECT_LT(bar->font().pointSizeF(), wide);
    resizeBy(bench, 2.0);
    EXPECT_DOUBLE_EQ(bar->font().pointSizeF(), wide);
    bench.setViewScale(1);
}

TEST(Keyboard, MenuBarByF10TabThroughTheControlsEscapeCancelsAPrompt)
{
    Program p;
    BenchScreen& bench = p.app.vitrosa();
    QApplication::setActiveWindow(&bench);
    QTest::keyClick(&bench, Qt::Key_F10);
    ASSERT_NE(bench.menuBar()->activeAction(), nullptr);
    EXPECT_EQ(bench.menuBar()->activeAction()->text(), QStringLiteral("AKTINA RAY"));
    QTest::keyClick(&bench, Qt::Key_F10); // closes it
    EXPECT_EQ(bench.menuBar()->activeAction(), nullptr);
    QTest::keyClick(&bench, Qt::Key_Alt);
    ASSERT_NE(bench.menuBar()->activeAction(), nullptr);
    QTest::keyClick(bench.menuBar(), Qt::Key_Right); // the arrows walk the items
    EXPECT_EQ(bench.menuBar()->activeAction()->text(), QStringLiteral("// BUNDLE  DESMH"));
    QTest::keyClick(bench.menuBar(), Qt::Key_Escape);

    // Tab visits the scroll bars, check boxes and the button, never a read-out.
    std::vector<QWidget*> visited;
    bench.desmi1->setFocus();
    for (QWidget* w = bench.desmi1; visited.size() < 5; w = w->nextInFocusChain())
        if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
            visited.push_back(w);
    EXPECT_EQ(visited, (std::vector<QWidget*>{bench.desmi1, bench.deiktisdiathlasis, bench.Check1, bench.Check2,
                                              bench.ektyposi}));
    for (QLineEdit* readOut : {bench.Text1, bench.Text2})
        EXPECT_FALSE(readOut->focusPolicy() & Qt::TabFocus);

    // Escape at the real input box answers nothing.
    Dialogs real;
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(real.inputBox(&bench, QStringLiteral("Angle"), QStringLiteral("Angle in °"), {}).has_value());
}

// "AKTINA RAY" opens the single-ray view; a Shift drag there sends one ray, a plain one nothing;
// "Πίσω" returns to the bench.
TEST(SingleRayScreen, ShiftDragSendsOneRayAndBackReturns)
{
    Program p;
    p.app.vitrosa().singleray->trigger();
    SingleRayScreen& view = p.app.moniaktina();
    ASSERT_TRUE(view.isVisible());
    EXPECT_FALSE(p.app.vitrosa().isVisible());
    Surface& s = view.surface();
    auto at = [&](double x, double y) { return QPoint(int(std::lround(s.pixelX(x))), int(std::lround(s.pixelY(y)))); };
    QTest::mousePress(&view.canvas(), Qt::LeftButton, {}, at(-300, 20));
    QTest::mouseRelease(&view.canvas(), Qt::LeftButton, {}, at(300, 20));
    EXPECT_FALSE(view.lastRay.has_value());
    QTest::mousePress(&view.canvas(), Qt::LeftButton, Qt::ShiftModifier, at(-250, 20));
    EXPECT_NEAR(centreOf(*view.fos).x, -250, 1);
    QTest::mouseRelease(&view.canvas(), Qt::LeftButton, Qt::ShiftModifier, at(300, 20));
    ASSERT_TRUE(view.lastRay.has_value());
    EXPECT_TRUE(colourNear(view, -62, 20, waves::waveColours::singleRay, 3)); // just inside the glass
    view.Command1->click();
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(p.app.vitrosa().isVisible());
}

// The light leaves the centre of the source's marker, and the marker's centre is where the pointer put it,
// on every screen that has one: at start, after a Shift press and after a Shift drag.
TEST(SourceMarkers, TheMarkerIsCentredOnTheSource)
{
    Program p;
    BenchScreen& bench = p.app.vitrosa();
    SingleRayScreen& view = p.app.moniaktina();
    struct Row {
        const char* gesture;
        std::function<void()> act;
        const ShapeControl* marker;
        double x, y; // where the source must be
    } rows[] = {
        {"bench at start", [] {}, bench.pigi, -200, 0},
        {"bench, Shift press", [&] {
             bench.Form_MouseDown(1, 1, -250, 30);
             bench.Form_MouseUp(1, 1, -250, 30);
         }, bench.pigi, -250, 30},
        {"bench, Shift drag", [&] {
             bench.Form_MouseDown(1, 1, -250, 30);
             bench.Form_MouseMove(1, 1, -220, -40);
             bench.Form_MouseUp(1, 1, -220, -40);
         }, bench.pigi, -220, -40},
        {"single-ray view, Shift press", [&] {
             bench.singleray->trigger();
             view.Form_MouseDown(1, 1, -300, 20);
         }, view.fos, -300, 20},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.gesture);
        row.act();
        const UserPoint centre = centreOf(*row.marker);
        EXPECT_NEAR(centre.x, row.x, 1e-9);
        EXPECT_NEAR(centre.y, row.y, 1e-9);
        if (row.marker == bench.pigi) {
            EXPECT_DOUBLE_EQ(bench.model.light().x, row.x); // the fan's origin
            EXPECT_DOUBLE_EQ(bench.model.light().y, row.y);
        }
    }
}
