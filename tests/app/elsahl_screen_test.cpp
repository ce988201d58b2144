#include "app/app.h"
#include "scripted_dialogs.h"
#include "app/lens_menu.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "surface/qt/command_button.h"

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>


using namespace lens;

namespace {

// The hyperbolic-lens screen opened from the menu's plano-convex button.
struct LensScreen {
    ScriptedDialogs dialogs;
    LensBenchApp app{&dialogs};
    ElSahlScreen* screen = nullptr;
    explicit LensScreen(bool biconvex = false)
    {
        app.endProgram = [] {};
        app.Main();
        app.eisagogiko().Show();
        QTest::mouseClick(biconvex ? app.eisagogiko().Command1 : app.eisagogiko().Command2, Qt::LeftButton);
        screen = &app.ElSahl();
    }
    ~LensScreen()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    QPoint pixel(double x, double y)
    {
        Surface& s = screen->surface();
        return QPoint(int(std::lround(s.pixelX(x))), int(std::lround(s.pixelY(y))));
    }
    void press(double x, double y) { QTest::mousePress(&screen->canvas(), Qt::LeftButton, {}, pixel(x, y)); }
    void release(double x, double y) { QTest::mouseRelease(&screen->canvas(), Qt::LeftButton, {}, pixel(x, y)); }
    // How many pixels of the picture have this colour.
    int count(QRgb colour)
    {
        const QImage& image = screen->canvas().image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                n += (row[x] & RGB_MASK) == (colour & RGB_MASK);
        }
        return n;
    }
};

const QRgb blue = qRgb(0, 0, 255), red = qRgb(255, 0, 0), cyan = qRgb(0, 255, 255);

} // namespace

TEST(HyperbolicLensScreen, TheMenuButtonDrawsTheLensFanAndWavefronts)
{
    LensScreen s;
    EXPECT_EQ(s.screen->windowTitle(), QStringLiteral("Επιπεδόκυρτος φακός του Ιμπν Σαχλ "));
    EXPECT_GT(s.count(red), 100) << "outline";
    EXPECT_GT(s.count(blue), 100) << "rays from the source and wavefronts";

    LensScreen biconvex(true);
    EXPECT_EQ(biconvex.screen->windowTitle(), QStringLiteral("Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές"));
    EXPECT_GT(biconvex.count(red), 100);
}

// The canvas's presses and releases reach the model at the user point under the pointer.
TEST(HyperbolicLensScreen, PressesAndReleasesReachTheModelInUserUnits)
{
    LensScreen s;
    s.press(-60, 0);
    s.release(-60, 0);
    EXPECT_NEAR(s.screen->model.source().x, -60, 0.6);
    EXPECT_NEAR(s.screen->model.source().y, 0, 0.6);
    EXPECT_GT(s.count(cyan), 0) << "the new fan is on view";

    s.press(130.5, 50);
    EXPECT_TRUE(s.screen->model.drag().dragupper);
    s.release(100, -50);
    EXPECT_NEAR(s.screen->Line1->X1, 100, 0.6);
    EXPECT_NEAR(s.screen->Line2->Y2, -50, 0.6);
    EXPECT_NEAR(s.screen->model.source().x, -60, 0.6) << "the source stays";
}

TEST(HyperbolicLensScreen, TheAnglePromptDrawsTheBeamAndCancelChangesNothing)
{
    LensScreen s;
    s.dialogs.answers = {QStringLiteral("0")};
    s.screen->parallilidesmifotos->trigger();
    ASSERT_EQ(s.dialogs.prompts.size(), 1u);
    EXPECT_EQ(s.dialogs.prompts[0], QStringLiteral("DIRECTION IN  RESPECT TO HORIZONTAL | Angle in °"));
    EXPECT_EQ(s.screen->windowTitle(), QStringLiteral("IBN SAHL'S PLANECONVEX LENS"));

    // Cancel changes nothing and says nothing.
    const QImage before = s.screen->canvas().image().copy();
    s.dialogs.answers = {std::nullopt};
    s.screen->parallilidesmifotos->trigger();
    EXPECT_TRUE(s.dialogs.messages.empty());
    EXPECT_EQ(s.screen->canvas().image(), before);
}

// Both angle prompts: every answer they do not draw gets the message that fits it, in Greek and English,
// and leaves the picture and the beam's angle as they were; a degree sign after the number is allowed.
TEST(AnglePrompts, EveryAnswerThatIsNotDrawnGetsItsMessage)
{
    LensScreen s;
    BenchScreen& bench = s.app.vitrosa();
    struct Row {
        const char* answer;
        const char* lensScreen; // what the lens screen says; nullptr when it draws the beam
        const char* bench;      // the same for the bench, whose prompt asks for −90 < φ < 90
    } rows[] = {
        {"20°", nullptr, nullptr},
        {"12,5 °", nullptr, nullptr},
        {"100", nullptr, "between −90° and 90°"},
        {"-135", nullptr, "between −90° and 90°"},
        {"90", "vertical beam", "vertical beam"},
        {"1e400", "too large", "between −90° and 90°"},
        {"abc", "not an angle", "not an angle"},
        {"nan", "not an angle", "not an angle"},
        {"20°°", "not an angle", "not an angle"},
        {"1.000,5", "not an angle", "not an angle"},
        {"  ", "No angle was given", "No angle was given"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        const QString answer = QString::fromUtf8(row.answer);
        for (auto [window, command, expected] : {std::tuple<ScreenWindow*, QAction*, const char*>{s.screen, s.screen->parallilidesmifotos, row.lensScreen},
                                                  std::tuple<ScreenWindow*, QAction*, const char*>{&bench, bench.EPANALIPSI, row.bench}}) {
            SCOPED_TRACE(window->windowTitle().toStdString());
            // What a beam drawn changes: the lens screen's picture, the bench's beam angle (its prompt
            // draws the lens afresh whatever the answer).
            window->surface().Cls();
            ScreenWindow* const shown = window; // a lambda takes no structured binding before clang 16
            auto state = [&] { return std::pair{shown == s.screen ? shown->canvas().image() : QImage(), bench.model.light().angle}; };
            const auto before = state();
            s.dialogs.messages.clear();
            s.dialogs.answers = {answer};
            command->trigger();
            if (!expected) {
                EXPECT_TRUE(s.dialogs.messages.empty());
                EXPECT_NE(state(), before) << "the beam is drawn";
                continue;
            }
            ASSERT_EQ(s.dialogs.messages.size(), 1u);
            const QStringList lines = s.dialogs.messages[0].split(QLatin1Char('\n'));
            ASSERT_EQ(lines.size(), 2) << "Greek, then English";
            EXPECT_TRUE(lines[0].contains(QRegularExpression(QStringLiteral("[α-ωΑ-Ω]"))));
            EXPECT_TRUE(lines[1].contains(QString::fromUtf8(expected)));
            EXPECT_EQ(state(), before) << "nothing is drawn";
        }
    }
}

TEST(HyperbolicLensScreen, BackToMenuClearsAndHides)
{
    LensScreen s;
    s.screen->BACKFAKO->trigger();
    EXPECT_FALSE(s.screen->isVisible());
    EXPECT_TRUE(s.app.eisagogiko().isVisible());
    EXPECT_EQ(s.count(red), 0) << "the drawing is cleared";
    // Opening again puts the source and the diaphragm back.
    s.screen->model.placeDiaphragm(40);
    s.press(-3, 0);
    QTest::mouseClick(s.app.eisagogiko().Command2, Qt::LeftButton);
    EXPECT_EQ(s.screen->Line1->X1, 130);
    EXPECT_EQ(s.screen->model.source().x, 108);
}

TEST(HyperbolicLensScreen, ThePointerFollowsTheBladesAndTheModelsMessagesAreShown)
{
    LensScreen s;
    s.screen->Form_MouseMove(0, 0, 130, 100);
    EXPECT_EQ(mousePointer(), 2) << "cross-hair over a blade";
    s.screen->Form_MouseMove(0, 0, 0, 100);
    EXPECT_EQ(mousePointer(), 1);
    setMousePointer(0);

    // An index below 1 cannot come from the menu's scroll bar, but the screen still refuses it.
    s.app.shared.lensindex = 0.9;
    const QImage before = s.screen->canvas().image().copy();
    s.press(-60, 0);
    ASSERT_EQ(s.dialogs.messages.size(), 1u);
    EXPECT_EQ(s.dialogs.messages[0], QStringLiteral("δώσε μεγαλύτερο δείκτη"));
    EXPECT_EQ(s.screen->canvas().image(), before);
}

TEST(HyperbolicLensScreen, TheMenusIndexRedrawsTheOpenLensAndTheClearLeavesItAlone)
{
    LensScreen l;
    const int raysBefore = l.count(cyan);
    ASSERT_GT(raysBefore, 0);
    const QImage before = l.screen->canvas().image().copy();
    l.app.eisagogiko().deiktissahl->setValue(200);
    EXPECT_DOUBLE_EQ(l.screen->model.scene().in.lensindex, 2.0);
    EXPECT_NE(l.screen->canvas().image(), before) << "the lens and its rays for n = 2.00";
    l.screen->onClear();
    EXPECT_EQ(l.count(cyan), 0);
    EXPECT_EQ(l.count(blue), 0);
    EXPECT_GT(l.count(red), 100) << "the lens outline stays";
}
