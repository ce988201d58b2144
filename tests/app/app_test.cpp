#include "app/app.h"
#include "app/handouts.h"
#include "scripted_dialogs.h"
#include "app/lens_menu.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "singleray/single_ray_screen.h"
#include "surface/qt/command_button.h"
#include "surface/qt/timer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <variant>
#include <vector>


using namespace lens;

namespace {

struct Program {
    ScriptedDialogs dialogs;
    LensBenchApp app{&dialogs};
    int ended = 0;
    Program()
    {
        app.endProgram = [this] { ++ended; };
        app.Main();
    }
    ~Program()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
};

QStringList menuCaptions(QMainWindow& window)
{
    QStringList captions;
    for (QAction* action : window.menuBar()->actions())
        captions << action->text();
    return captions;
}

} // namespace

TEST(StartUp, OnlyTheBenchIsOnViewAndItCoversTheDisplay)
{
    Program p;
    EXPECT_TRUE(p.app.vitrosa().isVisible());
    EXPECT_FALSE(p.app.eisagogiko().isVisible());
    EXPECT_FALSE(p.app.ElSahl().isVisible());
    EXPECT_EQ(p.app.vitrosa().windowTitle(), QStringLiteral("SPHERICAL  LENSES"));
    EXPECT_EQ(menuCaptions(p.app.vitrosa()),
              (QStringList{"AKTINA RAY", "// BUNDLE  DESMH", "IBN SAHL", "// WAVES  KYMATA", "WAVES IN  TIME  XPONIKA",
                           "END"}));
    const QRect display = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(p.app.vitrosa().frameGeometry(), display);
    // Origin at the centre of the client area, y upwards, width plus height 1200 units, equal units.
    Surface& s = p.app.vitrosa().surface();
    EXPECT_NEAR(s.ScaleWidth() - s.ScaleHeight(), 1200, 1e-9);
    EXPECT_NEAR(s.ScaleLeft() + s.ScaleWidth() / 2, 0, 1e-9);
    EXPECT_NEAR(s.ScaleTop() + s.ScaleHeight() / 2, 0, 1e-9);
    Canvas& canvas = p.app.vitrosa().canvas();
    EXPECT_NEAR(s.ScaleX(1), -s.ScaleY(1), 0.02 * s.ScaleX(1)) << "one unit is as long across as up";
    EXPECT_NEAR(s.pixelX(0), canvas.width() / 2.0, 1.0);
}

TEST(LensMenu, ControlsCaptionsAndFirstLabel)
{
    Program p;
    LensMenu& menu = p.app.eisagogiko();
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("CHOOSE  LENS"));
    EXPECT_EQ(menu.Command1->text(), QStringLiteral("Αμφίκυρτος ΥΠΕΡΒΟΛΙΚΟΣ BICONVEX HYPERBOLIC "));
    EXPECT_EQ(menu.Command2->text(), QStringLiteral("Επιπεδόκυρτος ΥΠΕΡΒΟΛΙΚΟΣ PLANE CONVEX HYPERBOLIC"));
    EXPECT_EQ(menu.Command3->text(), QStringLiteral("ΣΦΑΙΡΙΚΟΙ ΦΑΚΟι SPHERICAL LENSES"));
    EXPECT_EQ(menu.deiktissahl->minimum(), 100);
    EXPECT_EQ(menu.deiktissahl->maximum(), 250);
    EXPECT_EQ(menu.deiktissahl->pageStep(), 20);
    EXPECT_EQ(menu.deiktissahl->value(), 150);
    // Twips at the display's logical resolution.
    EXPECT_EQ(menu.Command2->geometry(),
              QRect(twipsToPixels(2280, &menu), twipsToPixels(600, &menu), twipsToPixels(2295, &menu),
                    twipsToPixels(855, &menu)));
    EXPECT_NEAR(menu.canvas().width(), twipsToPixels(7485, &menu), 1);
    EXPECT_NEAR(menu.canvas().height(), twipsToPixels(5520, &menu), 1);
    // Tab order: the two lens buttons, the scroll bar, then the way back.
    EXPECT_EQ(menu.Command1->nextInFocusChain(), menu.Command2);
    EXPECT_EQ(menu.Command2->nextInFocusChain(), menu.deiktissahl);

    EXPECT_EQ(menu.Label1->text(), QStringLiteral("Index of Refraction n=1.50"));
    EXPECT_DOUBLE_EQ(p.app.shared.lensindex, 1.5);
}

TEST(LensMenu, TheIndexScrollBarRaisesItsHandlerOnlyOnAChange)
{
    Program p;
    LensMenu& menu = p.app.eisagogiko();
    menu.deiktissahl->setValue(150); // no change: the start label stays
    EXPECT_EQ(menu.Label1->text(), QStringLiteral("Index of Refraction n=1.50"));
    menu.deiktissahl->setValue(203);
    EXPECT_EQ(menu.Label1->text(), QStringLiteral("INDEX  OF REFRACTION Δείκτης Διάθλασης= 2.03"));
    EXPECT_DOUBLE_EQ(p.app.shared.lensindex, 2.03);
    // A user's click in the track moves by LargeChange and says so too.
    menu.Show();
    menu.deiktissahl->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(menu.deiktissahl->value(), 183);
    EXPECT_EQ(menu.Label1->text(), QStringLiteral("INDEX  OF REFRACTION Δείκτης Διάθλασης= 1.83"));
    menu.deiktissahl->setValue(999); // beyond the range it stops at 2.50
    EXPECT_DOUBLE_EQ(p.app.shared.lensindex, 2.5);
}

TEST(Navigation, EveryWayBetweenTheScreens)
{
    Program p;
    BenchScreen& bench = p.app.vitrosa();
    LensMenu& menu = p.app.eisagogiko();
    ElSahlScreen& elsahl = p.app.ElSahl();

    // The hyperbolic screen waits with its diaphragm at x = 200.
    EXPECT_EQ(elsahl.Line1->X1, 200);
    EXPECT_EQ(elsahl.Line2->Y2, -10);

    bench.SAHLIC->trigger();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(bench.isVisible());

    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    EXPECT_TRUE(elsahl.isVisible());
    EXPECT_TRUE(menu.isVisible()) << "the menu stays on view beside the lens";
    EXPECT_FALSE(p.app.shared.biconvexlens);
    EXPECT_EQ(elsahl.Line1->X1, 130);
    EXPECT_EQ(elsahl.Line1->Y2, 10);
    EXPECT_EQ(elsahl.Line2->Y2, -10);
    EXPECT_DOUBLE_EQ(elsahl.model.source().x, 108);
    EXPECT_DOUBLE_EQ(elsahl.model.source().y, 25);

    QTest::mouseClick(menu.Command1, Qt::LeftButton);
    EXPECT_TRUE(p.app.shared.biconvexlens);

    elsahl.BACKFAKO->trigger();
    EXPECT_FALSE(elsahl.isVisible());
    EXPECT_TRUE(menu.isVisible());

    QTest::mouseClick(menu.Command3, Qt::LeftButton);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(bench.isVisible());

    bench.singleray->trigger();
    SingleRayScreen& single = p.app.moniaktina();
    EXPECT_FALSE(bench.isVisible());
    EXPECT_TRUE(single.isVisible());
    EXPECT_EQ(single.windowTitle(), QStringLiteral("ΜΙΑ ΑΚΤΙΝΑ"));
    QTest::mouseClick(single.Command1, Qt::LeftButton);
    EXPECT_FALSE(single.isVisible());
    EXPECT_TRUE(bench.isVisible());

    // Screens are created once: asking again gives the same window.
    EXPECT_EQ(&p.app.moniaktina(), &single);

    EXPECT_EQ(p.ended, 0);
    bench.TELIOMA->trigger();
    EXPECT_EQ(p.ended, 1);
    elsahl.TELOS->trigger();
    EXPECT_EQ(p.ended, 2);
}

TEST(HyperbolicScreen, SquareUnitsInAWindowThatFitsTheDisplayBesideTheMenu)
{
    Program p;
    ElSahlScreen& elsahl = p.app.ElSahl();
    LensMenu& menu = p.app.eisagogiko();
    menu.Show();
    QTest::mouseClick(menu.Command2, Qt::LeftButton);
    const QRect display = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(elsahl.frameGeometry().width(), int(display.width() / 1.5) + 1);
    EXPECT_TRUE(display.contains(elsahl.frameGeometry()));
    EXPECT_EQ(elsahl.frameGeometry().topLeft(), display.topLeft());
    // One unit is as long across as it is up: the picture has the 270 : 240 shape.
    const QSize picture = elsahl.canvas().size();
    EXPECT_NEAR(picture.width() / 270.0, picture.height() / 240.0, 1.0 / 240);
    EXPECT_TRUE(display.contains(menu.frameGeometry()));
    EXPECT_EQ(menuCaptions(elsahl), (QStringList{"PARALLILI  DESMH", "END", "WAVES", "BACK TO MENU"}));
    Surface& s = elsahl.surface();
    EXPECT_EQ(s.ScaleLeft(), -120);
    EXPECT_EQ(s.ScaleTop(), 120);
    EXPECT_EQ(s.ScaleWidth(), 270);
    EXPECT_EQ(s.ScaleHeight(), -240);
    EXPECT_TRUE(elsahl.RAYSANDWAVES->isChecked());
    EXPECT_FALSE(elsahl.kymataYESNO->isChecked());
    EXPECT_FALSE(elsahl.onlyrays->isChecked());
}

TEST(HyperbolicScreen, PlacedBesideTheMenuOnEveryDisplay)
{
    // Available areas of common displays (3840 × 2160 at scale factor 2 is 1920 × 1080 logical),
    // a window manager's frame, and the lens menu's width with its frame and the gap beside it.
    const QMargins frame(1, 24, 1, 1);
    const int menuBar = 22, menuWidth = 503 + 8;
    for (const QRect area : {QRect(0, 0, 1280, 1024), QRect(0, 0, 1366, 768), QRect(0, 0, 1920, 1080),
                             QRect(0, 0, 3840, 2160), QRect(0, 30, 1920, 1050)}) {
        const QRect client = ElSahlScreen::placement(area, frame, menuBar, menuWidth);
        const QRect outer = client.marginsAdded(frame);
        SCOPED_TRACE(area.width() * 10000 + area.height());
        EXPECT_TRUE(area.contains(outer));
        EXPECT_EQ(outer.topLeft(), area.topLeft());
        EXPECT_GE(area.right() - outer.right(), menuWidth);
        EXPECT_NEAR(client.width() / 270.0, (client.height() - menuBar) / 240.0, 1.0 / 240);
        EXPECT_GT(outer.width(), area.width() / 2); // still the larger part of the display
    }
}

TEST(HyperbolicScreen, OptionButtonsFormOneGroup)
{
    Program p;
    ElSahlScreen& elsahl = p.app.ElSahl();
    using Light = hyperbolic::LensScreenModel::Light;
    elsahl.kymataYESNO->setChecked(true);
    EXPECT_FALSE(elsahl.RAYSANDWAVES->isChecked());
    EXPECT_EQ(elsahl.model.light(), Light::onlyWaves);
    elsahl.onlyrays->setChecked(true);
    EXPECT_FALSE(elsahl.kymataYESNO->isChecked());
    EXPECT_FALSE(elsahl.RAYSANDWAVES->isChecked());
    EXPECT_EQ(elsahl.model.light(), Light::onlyRays);
    elsahl.RAYSANDWAVES->setChecked(true);
    EXPECT_FALSE(elsahl.onlyrays->isChecked());
    EXPECT_EQ(elsahl.model.light(), Light::raysAndWaves);
}

TEST(Timers, TickOnlyWhileEnabledWithAnInterval)
{
    Timer timer;
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setInterval(0);
    timer.setEnabled(true);
    QTest::qWait(80);
    EXPECT_EQ(ticks, 0) << "interval 0 never ticks";
    timer.setInterval(20);
    timer.setEnabled(false);
    QTest::qWait(80);
    EXPECT_EQ(ticks, 0) << "a disabled timer never ticks";
    timer.setEnabled(true);
    EXPECT_TRUE(timer.running());
    QTest::qWait(150);
    EXPECT_GE(ticks, 1);
    timer.setEnabled(false);
    const int stopped = ticks;
    QTest::qWait(80);
    EXPECT_EQ(ticks, stopped);
    // Never faster than the display shows a frame.
    timer.setInterval(1);
    EXPECT_GE(Timer::shortestPeriod(), 1);
}

TEST(MousePointer, IsProgramWide)
{
    setMousePointer(2);
    EXPECT_EQ(mousePointer(), 2);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    setMousePointer(9);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeHorCursor);
    setMousePointer(0);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// An option that takes one number reads it as the window's prompts do; a list's commas separate its values.
TEST(CommandLine, NumbersAreReadAsThePromptsReadThem)
{
    struct Row {
        std::vector<const char*> args;
        bool accepted;
        std::function<bool(const HandoutRequest&)> holds = [](const HandoutRequest&) { return true; };
    } rows[] = {
        {{"--beam", "12,5"}, true, [](const HandoutRequest& r) { return r.beamDegrees == 12.5; }},
        {{"--beam=20°"}, true, [](const HandoutRequest& r) { return r.beamDegrees == 20; }},
        {{"--index", "1,75"}, true, [](const HandoutRequest& r) { return r.index == 175; }},
        {{"--rays", "40°"}, true, [](const HandoutRequest& r) { return r.rays == 40; }},
        {{"--source", "-200.5,10"}, true, [](const HandoutRequest& r) { return r.source == std::pair{-200.5, 10.0}; }},
        {{"--beam", "12,5,3"}, false},
        {{"--beam", "1.000,5"}, false},
        {{"--beam", "100"}, false},
        {{"--index", "abc"}, false},
        {{"--rays", "12,5"}, false}, // a number, but not a whole one
        {{"--source", "-200,5,10"}, false},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"lensbench", "--export", "out.png"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        SCOPED_TRACE(argv.back());
        const auto parsed = parseHandout(int(argv.size()), argv.data());
        ASSERT_EQ(std::holds_alternative<HandoutRequest>(parsed), row.accepted);
        if (row.accepted) {
            EXPECT_TRUE(row.holds(std::get<HandoutRequest>(parsed)));
        } else {
            const CommandLineProblem& problem = std::get<CommandLineProblem>(parsed);
            EXPECT_FALSE(problem.greek.empty());
            EXPECT_FALSE(problem.english.empty());
        }
    }
}
