#include "bench/bench_model.h"
#include "surface/recording_device.h"
#include "waves/aberration_picture.h"
#include "waves/cardinal_points.h"

#include <algorithm>

#include <gtest/gtest.h>

using namespace lens;
using namespace lens::bench;

TEST(BenchModel, TheFanStepAndItsReadOut)
{
    struct Case {
        int desmi1, arvimaton;
        double step, shown;
    } cases[] = {
        {20, 30, 4.712389, 76}, {150, 30, 0.628319, 572}, {140, 30, 0.673198, 534},
        {100, 30, 0.942478, 381}, {2, 30, 47.12389, 7},  {0, 30, 0, 0},
    };
    for (const Case& c : cases) {
        const double step = raystepFor(c.desmi1, c.arvimaton);
        EXPECT_NEAR(step, c.step, 1e-6) << c.desmi1;
        EXPECT_EQ(rayCountShown(step), c.shown) << c.desmi1;
    }
}

TEST(BenchModel, HiddenScrollBarsPlaceTheBlades)
{
    // A 4:3 client area: about 685.7 × 514.3 units about the origin.
    RecordingDevice device(1600, 1200);
    Surface view(device);
    const double w = 1200 * 4 / 7.0, h = 1200 * 3 / 7.0;
    view.Scale(-w / 2, h / 2, w / 2, -h / 2);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, 0), 0);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, 100), w / 2);
    EXPECT_DOUBLE_EQ(diaphragmXFor(view, -50), -w / 4);
    EXPECT_DOUBLE_EQ(upperTipFor(view, 0), 0);
    EXPECT_DOUBLE_EQ(upperTipFor(view, -100), h / 2);  // half the height per 100, up to the top edge
    EXPECT_DOUBLE_EQ(lowerTipFor(view, 50), -h / 2);    // the whole height per 100: 50 is the bottom edge
    EXPECT_DOUBLE_EQ(lowerTipFor(view, 100), -h);       // beyond it, off the view
    EXPECT_DOUBLE_EQ(upperBladeTop(view), h / 2);
    EXPECT_DOUBLE_EQ(lowerBladeBottom(view), -h / 2);
}

namespace {

// The bench's model on a recording picture of 1920 × 1080 pixels, loaded as the screen loads it.
struct LoadedBench {
    BenchModel model;
    RecordingDevice device{1920, 1080};
    Surface s{device};
    LoadedBench()
    {
        s.Scale(-384, 216, 384, -216);
        model.load(s, 5, 2, 5, 5);
    }
};

} // namespace

TEST(BenchModel, EventsChangeTheStateAndTheScenesAsTheBenchDoes)
{
    LoadedBench b;
    BenchModel& m = b.model;
    ASSERT_EQ(m.scenes().size(), 1u); // the opening beam
    EXPECT_TRUE(m.light().beam);
    EXPECT_NEAR(m.Line1().Y2, 86.6025, 1e-4) << "the upper blade fitted to the lens";

    // Ticking "SHOW ONLY WAVES" with "SHOW WAVES AND RAYS" ticked leaves both clear (the nested handlers),
    // 100 rays and a clear picture.
    m.setTicked(b.s, Box::Check1, true);
    EXPECT_EQ(m.value(Bar::desmi1), 140);
    m.setTicked(b.s, Box::Check2, true);
    EXPECT_FALSE(m.ticked(Box::Check1));
    EXPECT_FALSE(m.ticked(Box::Check2));
    EXPECT_EQ(m.value(Bar::desmi1), 100);
    EXPECT_TRUE(m.scenes().empty());

    // Shift+press on empty space: the source there, the fan and the image construction drawn over the lens.
    m.setTicked(b.s, Box::Check1, true);
    m.press(b.s, 1, -250, 30);
    ASSERT_EQ(m.scenes().size(), 2u);
    EXPECT_EQ(m.scenes()[0].kind, Scene::fan);
    EXPECT_EQ(m.scenes()[1].kind, Scene::construction);
    EXPECT_FALSE(m.light().beam);
    EXPECT_DOUBLE_EQ(centreOf(m.pigi()).x, -250);
    EXPECT_GT(m.records().raycount, 10);
    m.release(b.s, -250, 30);
    EXPECT_FALSE(m.drag().any());

    // A resize draws the same picture again from the scenes.
    b.device.reset();
    m.redrawPicture(b.s);
    const std::size_t again = b.device.count();
    b.device.reset();
    m.redrawPicture(b.s);
    EXPECT_EQ(b.device.count(), again);
    EXPECT_GT(again, 1000u);

    // Centre A dragged: its marker follows the pointer, the drop sets its hidden scroll bar and the lens.
    m.press(b.s, 0, -50, 0);
    EXPECT_TRUE(m.drag().dragCentreA);
    m.press(b.s, 1, 300, -150); // another button meanwhile, Shift held: one drag at a time, no fan
    EXPECT_FALSE(m.drag().dragSource);
    EXPECT_EQ(m.move(b.s, -30, 40), 2);
    EXPECT_TRUE(m.Shape1().Visible);
    EXPECT_NEAR(m.Shape1().Left + m.Shape1().Width / 2, -30, 1e-9);
    m.release(b.s, -30.4, 40);
    EXPECT_EQ(m.value(Bar::kentrokykloy2), -30);
    EXPECT_DOUBLE_EQ(m.lens().xcentreA, -30);
    EXPECT_FALSE(m.Shape1().Visible);
    EXPECT_EQ(m.scenes().size(), 2u) << "the drop draws the fan again with the new lens";

    // A fan asked for on circle A's edge (a handout's source) starts there; the edge is not picked up.
    const double edge = m.lens().xcentreA + m.lens().radiusA;
    m.fanFrom(b.s, edge, 100);
    ASSERT_EQ(m.scenes().size(), 2u);
    EXPECT_EQ(m.scenes()[0].kind, Scene::fan);
    EXPECT_DOUBLE_EQ(m.scenes()[0].x, edge);
    EXPECT_DOUBLE_EQ(centreOf(m.pigi()).x, edge);
    EXPECT_FALSE(m.drag().any());
    EXPECT_EQ(m.value(Bar::aktina1), 100);
}

TEST(BenchModel, ThePictureFollowsDragsAndControlsLive)
{
    LoadedBench b;
    BenchModel& m = b.model;
    m.press(b.s, 1, -250, 30);
    // Shift held while the button is down carries the source: the fan and its construction follow.
    ASSERT_TRUE(m.followsPointer(1));
    EXPECT_FALSE(m.followsPointer(0));
    b.device.reset();
    m.follow(b.s, 1, -220, -40);
    EXPECT_DOUBLE_EQ(m.light().x, -220);
    EXPECT_DOUBLE_EQ(centreOf(m.pigi()).y, -40);
    for (const Scene& scene : m.scenes())
        EXPECT_TRUE(scene.x == -220 && scene.y == -40);
    EXPECT_GT(b.device.segments.size(), 50u) << "the fan drawn from the new place";
    m.release(b.s, -220, -40);

    // Ctrl+drag measures, over a blade too, and picks nothing up; the ruler stays while the source and the
    // lens move, until the picture is cleared.
    m.press(b.s, 2, m.Line1().X1, 150);
    EXPECT_FALSE(m.drag().any());
    ASSERT_TRUE(m.followsPointer(2));
    m.follow(b.s, 2, m.Line1().X1 + 30, 190);
    m.release(b.s, m.Line1().X1 + 30, 190);
    ASSERT_TRUE(m.ruler());
    EXPECT_DOUBLE_EQ(m.ruler()->length(), 50);
    EXPECT_NEAR(m.ruler()->degrees(), 53.13, 0.01);
    EXPECT_NEAR(Ruler({0, 0, -30, 40}).degrees(), -53.13, 0.01) << "a line has no direction";
    b.device.reset();
    m.setValue(b.s, Bar::aktina1, 120);
    EXPECT_TRUE(std::any_of(b.device.texts.begin(), b.device.texts.end(),
                            [](const auto& t) { return t.text == "50.00 · 53.1°"; }));

    // The keyboard carries it the same way, held on view.
    m.moveSource(b.s, 10, 1);
    EXPECT_EQ(m.scenes().size(), 2u);
    for (const Scene& scene : m.scenes())
        EXPECT_TRUE(scene.x == -210 && scene.y == -39);
    m.moveSource(b.s, -1000, 0);
    EXPECT_TRUE(spherical::strictlyInView(b.s, m.light().x, m.light().y));
    EXPECT_NEAR(m.light().x, b.s.ScaleLeft(), 1);
    EXPECT_TRUE(m.ruler());

    // A change of n or of the number of rays draws the picture again at once, with the same scenes.
    for (auto [bar, v] : {std::pair{Bar::deiktisdiathlasis, 170}, std::pair{Bar::desmi1, 60}}) {
        b.device.reset();
        m.setValue(b.s, bar, v);
        EXPECT_GT(b.device.segments.size(), 50u);
        EXPECT_EQ(m.scenes().size(), 2u);
    }
    EXPECT_DOUBLE_EQ(m.lens().refindex, 1.7);

    // A blade dragged moves with the pointer before the drop; the clear command leaves the lens alone.
    m.press(b.s, 0, m.Line1().X1, 150);
    ASSERT_TRUE(m.drag().dragLine1);
    m.follow(b.s, 0, 120, 150);
    EXPECT_DOUBLE_EQ(m.Line1().X1, 120);
    EXPECT_DOUBLE_EQ(m.Line2().X1, 120);
    m.release(b.s, 120, 150);
    EXPECT_TRUE(m.ruler()) << "moving the lens and the blades keeps the ruler";
    m.clearPicture(b.s);
    EXPECT_TRUE(m.scenes().empty());
    EXPECT_FALSE(m.ruler());
}

TEST(BenchModel, TheAnimationTicksUntilItsTimerStops)
{
    LoadedBench b;
    BenchModel& m = b.model;
    m.setTicked(b.s, Box::Check1, true);
    m.press(b.s, 1, -200, 0);
    m.kymatachronika(b.s);
    EXPECT_TRUE(m.animationOnView());
    EXPECT_TRUE(m.Timer1().running());
    int ticks = 0;
    while (m.Timer1().running() && ticks < 1000) {
        m.Timer1_Timer(b.s);
        ++ticks;
    }
    EXPECT_EQ(ticks, 502); // 240 fronts, then idle until 500 ms have been counted
    EXPECT_EQ(m.animation().shownTick, 240);
    // Paused, the front stands; "." steps it one tick; resumed, it runs on.
    m.kymatachronika(b.s);
    m.Timer1_Timer(b.s);
    m.pauseOrResume();
    EXPECT_TRUE(m.paused());
    EXPECT_FALSE(m.Timer1().running());
    m.stepWhilePaused(b.s);
    EXPECT_EQ(m.animation().shownTick, 2);
    m.pauseOrResume();
    EXPECT_TRUE(m.Timer1().running());
    // Hidden, the bench stops a running animation where it stands.
    m.parallilakymata(b.s);
    m.Timer2_Timer(b.s);
    m.stopAnimation();
    EXPECT_FALSE(m.Timer2().running());
    EXPECT_EQ(m.tickcount2(), 0);
}

TEST(BenchModel, TheMeasuredAberrationFollowsTheBlades)
{
    LoadedBench b;
    BenchModel& m = b.model;
    b.device.reset();
    m.showAberration(b.s, true);
    EXPECT_FALSE(b.device.segmentsIn(waves::aberrationColours::bracket).empty());
    const auto open = m.measuredAberration();
    ASSERT_TRUE(open.has_value());
    EXPECT_NEAR(open->marginalFocus, 59.02, 5e-3);
    // The upper blade dropped at x = −100 near the axis, then the lower one dragged up towards it: the outer
    // rays are stopped and the aberration shrinks while the drag goes on.
    m.press(b.s, 0, m.Line1().X1, 150);
    ASSERT_TRUE(m.drag().dragLine1);
    m.follow(b.s, 0, -100, 30);
    m.release(b.s, -100, 30);
    m.press(b.s, 0, m.Line2().X1, (m.Line2().Y1 + m.Line2().Y2) / 2);
    ASSERT_TRUE(m.drag().dragLine2);
    m.follow(b.s, 0, -100, -30);
    const auto closed = m.measuredAberration();
    ASSERT_TRUE(closed.has_value());
    EXPECT_LT(closed->lsa, open->lsa);
    EXPECT_LT(closed->waistDiameter, open->waistDiameter);
    const auto lines = m.numbers(b.s);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const waves::NumberLine& l) { return l.name == "LSA"; }));
}

TEST(BenchModel, TheWindowAndItsPageGiveTheLightsAberrationWhateverTheRayCount)
{
    // The aberration is the light's, not the drawing's: the window and its printed page give the same numbers
    // for any number of rays drawn, and for a click a fraction of a unit off the axis the paraxial focus is the
    // image the line above it gives.
    LoadedBench b;
    BenchModel& m = b.model;
    m.showAberration(b.s, true);
    std::vector<std::string> first;
    for (const int desmi1 : {5, 20, 40}) {
        SCOPED_TRACE(desmi1);
        m.setValue(b.s, Bar::desmi1, desmi1);
        m.press(b.s, 1, -200, 0.3);
        m.release(b.s, -200, 0.3);
        std::vector<std::string> shown;
        std::string image, paraxial;
        for (const waves::NumberLine& line : m.numbers(b.s)) {
            const std::string text = waves::numberText(line);
            if (line.name == "image")
                image = text.substr(text.find(" = "));
            if (line.name == "paraxial focus")
                paraxial = text.substr(text.find(" = "));
            if (line.name.find("focus") != std::string::npos || line.name == "LSA" || line.name.find("waist") == 0)
                shown.push_back(text);
        }
        ASSERT_EQ(shown.size(), 5u);
        EXPECT_FALSE(image.empty());
        EXPECT_EQ(paraxial, image);
        if (first.empty())
            first = shown;
        EXPECT_EQ(shown, first);
        RecordingDevice paper(1123, 794);
        Surface page(paper);
        m.printPage(page, b.s);
        for (const std::string& text : shown)
            EXPECT_TRUE(std::any_of(paper.texts.begin(), paper.texts.end(),
                                    [&](const RecordingDevice::Text& t) { return t.text == text; })) << text;
    }
}

TEST(BenchModel, TheImageConstructionIsDrawnOnlyForASourceOnView)
{
    // With the opening beam on view no point source is: a press anywhere draws no image of one. With
    // Shift the source comes on view where the press was, and the construction starts from it.
    struct Row { const char* what; int shift; double x, y; bool construction; };
    const Row rows[] = {
        {"a plain click on empty space", 0, 300, -150, false},
        {"a press on the upper blade", 0, 0, 150, false},
        {"a press on circle A's edge", 0, 50, 150, false},
        {"Shift on empty space", 1, -250, 30, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        LoadedBench b;
        b.device.reset();
        b.model.press(b.s, row.shift, row.x, row.y);
        b.model.release(b.s, row.x, row.y);
        b.device.reset();
        b.model.redrawPicture(b.s); // what the scenes kept draw, as after a resize
        const bool labelled = std::any_of(b.device.texts.begin(), b.device.texts.end(),
                                          [](const RecordingDevice::Text& t) { return t.text == "H1"; });
        EXPECT_EQ(labelled, row.construction);
        const auto thick = b.device.segmentsIn(waves::cardinalColours::thick);
        EXPECT_EQ(!thick.empty(), row.construction);
        if (!thick.empty()) {
            // The construction's first ray sets out from the object: the centre of the source's marker.
            EXPECT_NEAR(b.s.userX(thick[0].x1), centreOf(b.model.pigi()).x, 0.5);
            EXPECT_NEAR(b.s.userY(thick[0].y1), centreOf(b.model.pigi()).y, 0.5);
        }
    }
}

// A tip dragged toward the axis closes the diaphragm evenly; in the glass it rests on the lens's surface.
TEST(BenchModel, ATipDraggedTowardTheAxisClosesBothTips)
{
    struct Row { const char* name; bool lower; double x, y, upperTip, lowerTip; bool onGlass; };
    const Row rows[] = {
        {"the upper tip in air, beyond the lens", false, 150, 30, 30, -30, false},
        {"the lower tip in air", true, 150, -45, 45, -45, false},
        {"the lower tip into the glass", true, 0, -30, 86.6025, -86.6025, true},
        {"the upper blade carried sideways", false, -150, 120, 120, -120, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LoadedBench b;
        BenchModel& m = b.model;
        const LineControl& blade = row.lower ? m.Line2() : m.Line1();
        m.press(b.s, 0, blade.X1, row.lower ? -150 : 150);
        m.follow(b.s, 0, row.x, row.y);
        EXPECT_EQ(m.tipOnGlass(), row.onGlass);
        m.release(b.s, row.x, row.y);
        EXPECT_NEAR(m.Line1().Y2, row.upperTip, 1e-4);
        EXPECT_NEAR(m.Line2().Y2, row.lowerTip, 1e-4);
        EXPECT_DOUBLE_EQ(m.Line1().X1, row.x);
        EXPECT_DOUBLE_EQ(m.Line2().X1, row.x);
    }
}
