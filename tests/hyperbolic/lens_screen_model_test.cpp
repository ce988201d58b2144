#include "hyperbolic/lens_screen_model.h"
#include "surface/recording_device.h"
#include "surface/shared_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace lens;
using namespace lens::hyperbolic;

namespace {

struct LensScreen {
    RecordingDevice device{1080, 960};
    Surface view{device};
    LineControl upper{130, 200, 130, 10}, lower{130, -200, 130, -10};
    BladeDrag drag;
    LensScreen() { view.Scale(-120, 120, 150, -120); }
};

} // namespace

TEST(LensScreenModel, TheHyperbolaAndTheIndexGuard)
{
    EXPECT_NEAR(semiAxisFor(2.5), 27.4955, 1e-4);
    EXPECT_NEAR(semiAxisFor(1.5), 12 * std::sqrt(1.25), 1e-12);
    for (double n : {1.0, 0.99, -3.0, std::numeric_limits<double>::quiet_NaN(), 1e300})
        EXPECT_TRUE(std::isfinite(semiAxisFor(n))) << n;
    EXPECT_EQ(semiAxisFor(1.0), 0);
    EXPECT_FALSE(indexTooSmall(1.0));
    EXPECT_TRUE(indexTooSmall(0.99));
}

// A press picks up a blade strictly within 2.25 units across and 2 beyond its ends, else places
// the source unless the index is too small; the pointer follows.
TEST(LensScreenModel, PressesPickUpBladesOrPlaceTheSource)
{
    struct Case {
        double x, y, n;
        PressOutcome outcome;
        bool upper, lower;
    } cases[] = {
        {130 + 2.2, 9, 1.5, PressOutcome::dragStarted, true, false},
        {130, 201.9, 1.5, PressOutcome::dragStarted, true, false},
        {130, 8, 1.5, PressOutcome::sourcePlaced, false, false}, // exactly on the bound is off the blade
        {130 + 2.25, 50, 1.5, PressOutcome::sourcePlaced, false, false},
        {130, -9, 1.5, PressOutcome::dragStarted, false, true},
        {130, 0, 1.5, PressOutcome::sourcePlaced, false, false}, // in the opening
        {60, -30, 0.99, PressOutcome::refusedIndex, false, false},
        {130, 50, 0.99, PressOutcome::dragStarted, true, false}, // blades move whatever the index
    };
    for (const Case& c : cases) {
        LensScreen s;
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(pressOnLensScreen(s.drag, s.upper, s.lower, s.view, c.x, c.y, c.n), c.outcome);
        EXPECT_EQ(s.drag.dragupper, c.upper);
        EXPECT_EQ(s.drag.draglower, c.lower);
        EXPECT_EQ(pointerOnLensScreen(s.drag, s.upper, s.lower, s.view, 0, 0), c.upper || c.lower ? 2 : 1);
    }
}

TEST(LensScreenModel, ReleasesMoveTheDiaphragm)
{
    struct Case {
        bool upper;
        double x, y;
        double upperTip, lowerTip;
    } cases[] = {
        {true, 100, 30, 30, -10},   // an ordinary drop
        {true, 90, -50, -26, -50},  // below the lower tip: 24 units stay open above the drop
        {false, 110, 40, 64, 40},   // the lower blade above the upper one takes it 24 units up
    };
    for (const Case& c : cases) {
        LensScreen s;
        (c.upper ? s.drag.dragupper : s.drag.draglower) = true;
        EXPECT_TRUE(releaseOnLensScreen(s.drag, s.upper, s.lower, s.view, c.x, c.y));
        EXPECT_FALSE(s.drag.dragupper || s.drag.draglower);
        for (double x : {s.upper.X1, s.upper.X2, s.lower.X1, s.lower.X2})
            EXPECT_EQ(x, c.x);
        EXPECT_DOUBLE_EQ(s.upper.Y2, c.upperTip);
        EXPECT_DOUBLE_EQ(s.lower.Y2, c.lowerTip);
        EXPECT_EQ(s.upper.Y1, c.upper ? 120 : 200);
        EXPECT_EQ(s.lower.Y1, c.upper ? -200 : -120);
    }
    LensScreen idle;
    EXPECT_FALSE(releaseOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view, 0, 0));
    // One drag at a time: a press on the other blade while one is held starts no second drag.
    idle.drag.dragupper = true;
    EXPECT_EQ(pressOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view, idle.lower.X1, idle.lower.Y2, 1.5),
              PressOutcome::dragStarted);
    EXPECT_FALSE(idle.drag.draglower);
    idle.drag = {};
    idle.drag.dragupper = true;
    EXPECT_FALSE(releaseOnLensScreen(idle.drag, idle.upper, idle.lower, idle.view,
                                     std::numeric_limits<double>::quiet_NaN(), 0));
    EXPECT_EQ(idle.upper.X1, 130);
}

namespace {

// The screen's model on a recording of the screen's coordinates, with the lens opened from the menu.
struct Screen {
    RecordingDevice device{1080, 960};
    Surface view{device};
    SharedValues shared;
    LensScreenModel model{shared};
    explicit Screen(bool biconvex = false, double n = 1.5)
    {
        view.Scale(-120, 120, 150, -120);
        shared.lensindex = n;
        model.openLens(view, biconvex);
    }
    std::size_t in(Rgb colour) const { return device.segmentsIn(colour).size(); }
    // Every segment drawn, in order, with its colour: two pictures drawn alike give equal lists.
    using Drawn = std::tuple<double, double, double, double, std::uint32_t, int>;
    std::vector<Drawn> picture() const
    {
        std::vector<Drawn> all;
        for (const RecordingDevice::Segment& s : device.segments)
            all.emplace_back(s.x1, s.y1, s.x2, s.y2, s.pen.colour.value(), s.pen.width);
        return all;
    }
};

constexpr Rgb cyan = RGB(0, 255, 255), magenta = RGB(255, 0, 255);

} // namespace

TEST(LensScreenModel, TheMenusButtonsDrawTheLensWithItsFanFromTheSource)
{
    for (auto [biconvex, caption] : {std::pair{false, "Επιπεδόκυρτος φακός του Ιμπν Σαχλ "},
                                     std::pair{true, "Αμφίκυρτος φακός του Ιμπν Σαχλ με δύο υπερβολές"}}) {
        Screen s(biconvex);
        EXPECT_EQ(s.model.scene().caption, caption);
        EXPECT_EQ(s.shared.biconvexlens, biconvex);
        EXPECT_EQ(s.model.scene().in.light.x, 108);
        EXPECT_EQ(s.model.scene().in.light.y, 25);
        EXPECT_GT(s.in(colours::red), 10) << "the outline";
        EXPECT_GT(s.in(colours::blue), 10) << "rays from the source";
        EXPECT_EQ(s.device.nonFinite, 0) << s.device.firstNonFinite;
    }
}

// A command that cannot draw says why, and leaves the picture, the source, the lens and the beam alone.
TEST(LensScreenModel, CommandsThatCannotDrawSayWhyAndChangeNothing)
{
    struct Row {
        double n;
        std::string (*command)(Screen&);
        const char* message;
    } rows[] = {
        {1.5, [](Screen& s) { return s.model.beamAnswered(s.view, "abc"); }, "not an angle"},
        {0.9, [](Screen& s) { return s.model.press(s.view, -60, 0); }, "δώσε μεγαλύτερο δείκτη"},
        {0.9, [](Screen& s) { return s.model.waves(s.view); }, "δώσε μεγαλύτερο δείκτη"},
        {0.9, [](Screen& s) { return s.model.beamAnswered(s.view, "10"); }, "give a bigger value"},
        {0.9, [](Screen& s) { return s.model.openLens(s.view, true); }, "give a bigger value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        Screen s;
        s.shared.lensindex = row.n;
        s.device.reset();
        const std::string message = row.command(s);
        EXPECT_NE(message.find(row.message), std::string::npos) << message;
        EXPECT_EQ(s.device.count(), 0u);
        EXPECT_EQ(s.device.clears, 0);
        EXPECT_EQ(s.model.source().x, 108);
        EXPECT_FALSE(s.shared.biconvexlens);
    }
}

TEST(LensScreenModel, APressMovesTheSourceTheWavesAddFrontsABeamStartsAfresh)
{
    Screen s;
    s.device.reset();
    s.model.press(s.view, -60, 0);
    EXPECT_EQ(s.device.clears, 1) << "a fresh picture";
    EXPECT_EQ(s.model.source().x, -60);
    EXPECT_EQ(s.model.scene().in.light.x, -60);
    EXPECT_GT(s.model.scene().raycount, 0) << "a source left of the lens sends rays through it";
    EXPECT_GT(s.in(cyan), 0) << "rays inside the glass";
    const std::size_t black = s.in(colours::black);
    s.model.waves(s.view);
    EXPECT_EQ(s.device.clears, 1) << "the waves are drawn over the picture";
    EXPECT_GT(s.in(colours::black), black + 20);

    s.model.beamAnswered(s.view, "30");
    EXPECT_EQ(s.device.clears, 2);
    EXPECT_GT(s.model.scene().raycount, 10);
    EXPECT_EQ(s.device.nonFinite, 0) << s.device.firstNonFinite;
}

// The option acts at the next drawing: only waves leaves the glass without rays, only rays draws no fronts.
TEST(LensScreenModel, TheLightOptionActsAtTheNextDrawing)
{
    using Light = LensScreenModel::Light;
    std::map<Light, std::pair<std::size_t, std::size_t>> drawn; // rays in the glass, blue rays and fronts
    for (Light light : {Light::onlyWaves, Light::onlyRays, Light::raysAndWaves}) {
        Screen s;
        s.device.reset();
        s.model.choose(light);
        EXPECT_EQ(s.device.count(), 0u) << "choosing draws nothing";
        s.model.press(s.view, -60, 0);
        drawn[light] = {s.in(cyan), s.in(colours::blue)};
    }
    EXPECT_EQ(drawn[Light::onlyWaves].first, 0u);
    EXPECT_GT(drawn[Light::onlyWaves].second, 0u) << "the fronts";
    EXPECT_GT(drawn[Light::onlyRays].first, 0u);
    EXPECT_EQ(drawn[Light::raysAndWaves].first, drawn[Light::onlyRays].first);
    EXPECT_GT(drawn[Light::raysAndWaves].second, drawn[Light::onlyRays].second) << "the fronts over the rays";
}

TEST(LensScreenModel, ABladeDraggedAndDroppedRedrawsTheSceneThroughTheNewOpening)
{
    Screen s;
    s.device.reset();
    s.model.press(s.view, 130.5, 50);
    EXPECT_TRUE(s.model.drag().dragupper);
    EXPECT_EQ(s.model.move(s.view, 0, 0), 2) << "the cross-hair through the drag";
    EXPECT_EQ(s.device.count(), 0u) << "picking up draws nothing";
    s.model.release(s.view, 100, -50);
    EXPECT_FALSE(s.model.drag().dragupper);
    EXPECT_EQ(s.model.upperBlade().X1, 100);
    EXPECT_EQ(s.model.scene().in.diaphragm.x, 100);
    EXPECT_EQ(s.model.scene().in.diaphragm.lowerTip, -50);
    EXPECT_EQ(s.model.source().x, 108) << "the source stays";
    EXPECT_EQ(s.device.clears, 1);

    // The lower blade dropped above the upper one's tip closes the opening where the rays pass.
    const std::size_t stopped = s.in(magenta);
    s.model.press(s.view, 100, -100);
    ASSERT_TRUE(s.model.drag().draglower);
    s.model.release(s.view, 100, 60);
    EXPECT_GT(s.in(magenta), stopped) << "stopped rays are drawn in magenta";
    EXPECT_EQ(s.model.lowerBlade().Y2, 60);
}

// The drawings since the last clear are drawn again exactly as they were; after a change of the index,
// exactly as the same commands draw them with the new lens.
TEST(LensScreenModel, ThePictureIsDrawnAgainAsItWasOrWithTheNewIndex)
{
    for (bool biconvex : {false, true}) {
        SCOPED_TRACE(biconvex ? "biconvex" : "plano-convex");
        Screen s(biconvex);
        s.device.reset();
        s.model.press(s.view, -60, 10);
        s.model.waves(s.view);
        const auto drawn = s.picture();
        s.device.reset();
        s.model.redrawPicture(s.view);
        EXPECT_EQ(s.picture(), drawn);
        EXPECT_EQ(s.device.clears, 1);

        Screen two(biconvex, 2.0);
        two.model.press(two.view, -60, 10);
        two.model.waves(two.view);
        two.device.reset();
        two.model.redrawPicture(two.view);
        s.shared.lensindex = 2.0;
        s.device.reset();
        s.model.indexChanged(s.view);
        EXPECT_EQ(s.model.scene().in.lensindex, 2.0);
        EXPECT_EQ(s.picture(), two.picture());
        EXPECT_NE(s.picture(), drawn);

        // A too small index leaves the picture alone.
        s.shared.lensindex = 0.9;
        s.device.reset();
        s.model.indexChanged(s.view);
        EXPECT_EQ(s.device.count(), 0u);

        // The clear leaves the outline alone; a new picture forgets it too.
        s.shared.lensindex = 2.0;
        s.device.reset();
        s.model.clearPicture(s.view);
        EXPECT_GT(s.in(colours::red), 10);
        EXPECT_EQ(s.in(cyan) + s.in(colours::blue) + s.in(colours::black), 0u);
        s.model.newPicture(s.view);
        EXPECT_FALSE(s.model.hasPicture());
        s.device.reset();
        s.model.clearPicture(s.view);
        s.model.indexChanged(s.view);
        EXPECT_EQ(s.device.count(), 0u);
    }
}
