#include "app/app.h"
#include "bench/bench_screen.h"
#include "bench_fixture.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace lens;

namespace {


const Rgb glass = spherical::sceneColours::glass;

} // namespace

TEST(BenchAtStart, TheDefaultLensIsDrawnTintedWithItsMarks)
{
    Bench b;
    EXPECT_DOUBLE_EQ(b.bench->model.lens().refindex, 1.5);
    EXPECT_DOUBLE_EQ(b.bench->model.lens().xcentreA, -50);
    EXPECT_DOUBLE_EQ(b.bench->model.lens().radiusB, 90);
    // Glass inside the lens, background outside it.
    EXPECT_EQ(b.at(-1.4, 50), glass);
    EXPECT_EQ(b.at(-30, -20), glass);
    EXPECT_EQ(b.at(-200, 150), b.background());
    EXPECT_EQ(b.at(120, 250), b.background()); // above the opening beam, whose rays cross the axis here
    // Dark focus marks at X ∓ f, and the centre marks stay visible inside the glass.
    EXPECT_TRUE(b.near(-96.165, 0, spherical::sceneColours::focus));
    EXPECT_TRUE(b.near(93.308, 0, spherical::sceneColours::focus));
    EXPECT_TRUE(b.near(-50 + 3, 0, spherical::sceneColours::centre));
    EXPECT_TRUE(b.near(20 - 3, 0, spherical::sceneColours::centre));
    // The outlines of both circles.
    EXPECT_TRUE(b.near(50, 0, colours::black));
    EXPECT_TRUE(b.near(-70, 0, colours::black));
}

TEST(BenchAtStart, TheBladesEndOnTheLensSurfaceAndTheirScrollBarsFollow)
{
    Bench b;
    BenchScreen& v = *b.bench;
    EXPECT_DOUBLE_EQ(v.Line1->X1, 0);
    EXPECT_DOUBLE_EQ(v.Line2->X2, 0);
    EXPECT_NEAR(v.Line1->Y2, 86.6025, 1e-4);
    EXPECT_NEAR(v.Line2->Y2, -86.6025, 1e-4);
    EXPECT_DOUBLE_EQ(v.Line1->Y1, v.surface().ScaleTop());
    EXPECT_DOUBLE_EQ(v.Line2->Y1, v.surface().ScaleTop() + v.surface().ScaleHeight());
    const Surface& s = v.surface();
    auto scrollFor = [&](double y) {
        return int(std::floor(2 * 100 * ((y - s.ScaleTop()) - s.ScaleHeight() / 2) / s.ScaleHeight()));
    };
    EXPECT_EQ(v.VScroll1->value(), scrollFor(86.6025));
    EXPECT_EQ(v.VScroll2->value(), scrollFor(-86.6025));
    EXPECT_EQ(v.Line2->BorderColor, RGB(100, 100, 0));
    EXPECT_EQ(v.Line1->BorderWidth, 4);
    EXPECT_EQ(v.Line2->BorderWidth, 4);
    // The source sits at (−200, 0).
    EXPECT_DOUBLE_EQ(b.app.vitrosa().model.light().x, -200);
    EXPECT_DOUBLE_EQ(centreOf(*v.pigi).x, -200);
}

TEST(BenchAtStart, ReadOutsAndTheFanStep)
{
    Bench b;
    BenchScreen& v = *b.bench;
    EXPECT_NEAR(v.model.raystep(), 4.712389, 1e-6);
    EXPECT_EQ(v.Text1->text(), QStringLiteral("Number of Rays Αριθμός ακτινών= 76.00"));
    EXPECT_EQ(v.Text2->text(), QStringLiteral("Index of Refraction Δείκτης Διάθλασης= 1.50"));
    EXPECT_EQ(v.Label3->text(), QStringLiteral("Πολλαπλασιαστής ακτίνων30"));
    EXPECT_EQ(v.Text6->text(), QStringLiteral("Ακτίνα1=100"));
    EXPECT_EQ(v.Text5->text(), QStringLiteral("Ακτίνα2=90"));
    EXPECT_EQ(v.Text7->text(), QStringLiteral("Κέντρο δεξί κύκλου=20"));
    EXPECT_FALSE(v.aktina1->isVisible());
    EXPECT_FALSE(v.VScroll1->isVisible());
    EXPECT_TRUE(v.desmi1->isVisible());
    EXPECT_TRUE(v.deiktisdiathlasis->isVisible());

    struct Row {
        int desmi1;
        double step;
        const char* readOut;
    };
    for (const Row& row : {Row{150, 0.628319, "572.00"}, Row{2, 47.1239, "7.00"}, Row{140, 0.673198, "534.00"},
                           Row{100, 0.942478, "381.00"}}) {
        v.desmi1->setValue(row.desmi1);
        EXPECT_NEAR(v.model.raystep(), row.step, 1e-4);
        EXPECT_EQ(v.Text1->text(), QStringLiteral("Number of Rays Αριθμός ακτινών= ") + QString::fromLatin1(row.readOut));
    }
}

TEST(BenchScrollBars, TheIndexRedrawsThePictureAndItsReadOutTogether)
{
    // Five clicks on the right arrow: the read-out and the rays change at once, and agree.
    Bench b;
    BenchScreen& v = *b.bench;
    const QImage before = v.canvas().image().copy();
    for (int click = 0; click < 5; ++click)
        v.deiktisdiathlasis->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_DOUBLE_EQ(v.model.lens().refindex, 1.55);
    EXPECT_EQ(v.Text2->text(), QStringLiteral("Index of Refraction Δείκτης Διάθλασης= 1.55"));
    EXPECT_NE(v.canvas().image(), before);
    QImage again = v.canvas().image().copy();
    v.model.redrawPicture(v.surface());
    EXPECT_EQ(v.canvas().image(), again) << "the picture already is the one for n = 1.55";
}

TEST(BenchScrollBars, AHiddenLensBarRefreshesTheWholeLensAndRedraws)
{
    Bench b;
    BenchScreen& v = *b.bench;
    v.aktina1->setValue(200);
    EXPECT_DOUBLE_EQ(v.model.lens().radiusA, 200);
    EXPECT_DOUBLE_EQ(v.model.lens().radiusB, 90);
    EXPECT_EQ(v.Text6->text(), QStringLiteral("Ακτίνα1 =200"));
    EXPECT_TRUE(b.near(150, 0, colours::black)) << "circle A now reaches x = 150";
    v.kentrokykloy->setValue(40);
    EXPECT_DOUBLE_EQ(v.model.lens().xcentreB, 40);
    EXPECT_EQ(v.Text7->text(), QStringLiteral("Κέντρο δεξί κύκλου=40"));
    EXPECT_TRUE(b.near(-50, 0, colours::black)) << "circle B's left edge at 40 − 90";
}

TEST(BenchScrollBars, ALensWithoutOverlapIsNotTinted)
{
    Bench b;
    BenchScreen& v = *b.bench;
    v.aktina2->setValue(0); // circle B vanishes: no rim, no lens
    EXPECT_DOUBLE_EQ(v.model.lens().radiusB, 0);
    EXPECT_NE(b.at(-1.4, 50), glass);
    EXPECT_NE(b.at(-50, 50), glass);
    EXPECT_NE(b.at(300, 200), glass);
}

TEST(BenchScrollBars, AThinLensIsTintedInsideAndNeverOutside)
{
    Bench b;
    BenchScreen& v = *b.bench;
    // Circles that overlap in a lens only about 40 units high at its rim plane.
    v.kentrokykloy2->setValue(-190);
    v.aktina1->setValue(200);
    v.kentrokykloy->setValue(200);
    v.aktina2->setValue(200);
    const auto rim = spherical::tomikyklon(-190, 200, 200, 200);
    ASSERT_TRUE(rim.yparxei);
    ASSERT_LT(rim.y1, 50);
    EXPECT_EQ(b.at(rim.x1, rim.y1 / 2), glass);
    EXPECT_EQ(b.at(rim.x1, 70), b.background());
    EXPECT_EQ(b.at(-300, 200), b.background());
}

TEST(BenchScrollBars, TheDiaphragmBarsMoveTheBlades)
{
    Bench b;
    BenchScreen& v = *b.bench;
    const Surface& s = v.surface();
    v.HScroll1->setValue(50);
    EXPECT_DOUBLE_EQ(v.Line1->X1, s.ScaleWidth() / 4);
    EXPECT_DOUBLE_EQ(v.Line2->X2, s.ScaleWidth() / 4);
    v.VScroll1->setValue(-100);
    EXPECT_DOUBLE_EQ(v.Line1->Y2, s.ScaleTop());
    EXPECT_EQ(v.Line1->BorderColor, RGB(250, 0, 0));
    v.VScroll2->setValue(50);
    EXPECT_DOUBLE_EQ(v.Line2->Y2, s.ScaleTop() + s.ScaleHeight());
}

// The real bench driven with Qt Test's mouse: presses pick up and drop the lens's parts, a plain
// press draws the image construction of the source on view, and the check boxes end as their nested handlers leave them.
TEST(BenchMouse, DragsDropsTheConstructionAndTheCheckBoxes)
{
    Bench b;
    BenchScreen& v = *b.bench;
    Surface& s = v.surface();
    auto at = [&](double x, double y) { return QPoint(int(std::lround(s.pixelX(x))), int(std::lround(s.pixelY(y)))); };

    // With the source put on view by a Shift+press, a plain press on empty space draws the cardinal
    // points of the default lens for it: F1 red at −142, N1 green at −22.
    QTest::mouseClick(&v.canvas(), Qt::LeftButton, Qt::ShiftModifier, at(-250, 200));
    QTest::mouseClick(&v.canvas(), Qt::LeftButton, {}, at(250, -150));
    EXPECT_FALSE(v.model.drag().any());
    EXPECT_TRUE(b.near(-142, 0, RGB(255, 0, 0)));
    EXPECT_TRUE(b.near(-22, 0, RGB(5, 250, 0)));

    // Centre A dragged to a positive x lands at 0.
    QTest::mousePress(&v.canvas(), Qt::LeftButton, {}, at(-50, 0));
    EXPECT_TRUE(v.model.drag().dragCentreA);
    QTest::mouseMove(&v.canvas(), at(40, 0));
    QApplication::processEvents(); // moves are handed on once the events that arrived are handled
    EXPECT_TRUE(v.Shape1->Visible);
    QTest::mouseRelease(&v.canvas(), Qt::LeftButton, {}, at(40, 0));
    EXPECT_EQ(v.kentrokykloy2->value(), 0);
    EXPECT_DOUBLE_EQ(v.model.lens().xcentreA, 0);
    EXPECT_FALSE(v.Shape1->Visible);

    // The edge of circle A dropped near its centre gives the smallest radius.
    QTest::mousePress(&v.canvas(), Qt::LeftButton, {}, at(100, 150));
    EXPECT_TRUE(v.model.drag().dragRadiusA);
    QTest::mouseRelease(&v.canvas(), Qt::LeftButton, {}, at(10, 150));
    EXPECT_EQ(v.aktina1->value(), 50);

    v.Check1->setChecked(true); // alone it stays ticked
    EXPECT_TRUE(v.Check1->isChecked());
    EXPECT_EQ(v.desmi1->value(), 140);
    v.Check2->setChecked(true); // ticked while Check1 is: both end unticked
    EXPECT_FALSE(v.Check1->isChecked());
    EXPECT_FALSE(v.Check2->isChecked());
    EXPECT_EQ(v.desmi1->value(), 100);
    v.Check2->setChecked(true);
    v.Check1->setChecked(true);
    EXPECT_FALSE(v.Check1->isChecked());
    EXPECT_FALSE(v.Check2->isChecked());
    EXPECT_EQ(v.desmi1->value(), 140);
}

TEST(BenchCommands, ShiftPressFiresTheFanAndTheBundleAsksForItsAngle)
{
    ScriptedDialogs dialogs;
    LensBenchApp app{&dialogs};
    app.endProgram = [] {};
    app.Main();
    BenchScreen& v = app.vitrosa();
    Surface& s = v.surface();
    const QPoint left(int(s.pixelX(-250)), int(s.pixelY(30)));

    v.Check1->setChecked(true); // rays and waves: the fan is recorded
    QTest::mouseClick(&v.canvas(), Qt::LeftButton, Qt::ShiftModifier, left);
    EXPECT_GT(v.model.records().raycount, 0);
    EXPECT_NEAR(v.model.light().x, -250, 1);
    EXPECT_NEAR(centreOf(*v.pigi).x, -250, 1);
    EXPECT_FALSE(v.model.light().beam);
    QTest::mouseClick(&v.canvas(), Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(5, 300));
    EXPECT_NEAR(v.model.light().x, -250, 1); // Shift with Ctrl is no Shift press

    dialogs.answers = {QStringLiteral("30"), QStringLiteral("90"), QStringLiteral("abc"), std::nullopt};
    v.EPANALIPSI->trigger();
    EXPECT_DOUBLE_EQ(v.model.light().angle, std::numbers::pi / 6);
    EXPECT_TRUE(v.model.light().beam);
    EXPECT_TRUE(v.Timer2.enabled());
    EXPECT_EQ(v.Timer2.interval(), 1550);
    EXPECT_FALSE(v.kymatachronika->isEnabled());
    EXPECT_TRUE(v.parallilakymata->isEnabled());
    EXPECT_EQ(dialogs.prompts.back(), QStringLiteral("Give angle with horizontal direction: -90<φ<90 | "));
    for (int i = 0; i < 3; ++i)
        v.EPANALIPSI->trigger(); // 90° and text: refused with a message; Cancel: nothing
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_DOUBLE_EQ(v.model.light().angle, std::numbers::pi / 6);

    v.kymatachronika->setEnabled(true);
    v.kymatachronika->trigger();
    EXPECT_TRUE(v.Timer1.enabled() && !v.Timer2.enabled());
    EXPECT_EQ(v.Timer1.interval(), 1);
    v.parallilakymata->trigger();
    EXPECT_TRUE(v.Timer2.enabled() && !v.Timer1.enabled());
    EXPECT_EQ(v.Timer1.interval(), 2000);
    v.TELIOMA->trigger(); // "END" with a timer running
}

TEST(BenchAtStart, AScaleBarOfAHundredUnitsStandsOverThePictureClearOfTheControls)
{
    Bench b;
    BenchScreen& v = *b.bench;
    b.bench->Form_MouseDown(1, 1, -250, 30); // a new picture: the bar takes its corner anew
    const QRect bar = v.canvas().scaleBarOnView();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_GE(bar.width(), std::fabs(v.surface().pixelX(100) - v.surface().pixelX(0)));
    const double ratio = v.canvas().pixelRatio();
    for (const QWidget* control : v.canvas().findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisible()) {
            const QRect r = control->geometry();
            EXPECT_FALSE(bar.intersects(QRect(int(r.x() * ratio), int(r.y() * ratio), int(r.width() * ratio),
                                              int(r.height() * ratio))))
                << control->metaObject()->className();
        }
    EXPECT_EQ(pixelsOf(v.canvas().image().copy(bar), colours::black), 0) << "over the picture, not in it";
}
