#pragma once
// The hyperbolic-lens screen's logic that needs no window: the hyperbola from the index, the
// index guard, the blade hit test, the press, move and release of a blade drag, and the screen's
// model over them.
#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/controls.h"
#include "surface/shared_values.h"
#include "surface/surface.h"

#include <string>
#include <vector>

namespace lens::hyperbolic {

inline constexpr double semiAxisA = 12; // the hyperbola's semi-axis along the optical axis

// The other semi-axis, b = 12·√(n² − 1); 0 for n ≤ 1 or an index that is not a number.
double semiAxisFor(double lensindex);
// The guard before a hyperbolic lens is drawn: 12·n < 12.
bool indexTooSmall(double lensindex);


struct BladeDrag {
    bool dragupper = false;
    bool draglower = false;
};

// What a press on the screen does.
enum class PressOutcome {
    dragStarted,   // on a blade, or while one is dragged: the drag flag is set and nothing else happens
    refusedIndex,  // the index is too small: the message is shown, nothing is drawn
    sourcePlaced,  // the source moves to the pointer and the scene is drawn anew
};
PressOutcome pressOnLensScreen(BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                               const Surface& view, double x, double y, double lensindex);
// The pointer shape while the mouse moves: 2 (cross-hair) over a blade or during a drag, else 1.
int pointerOnLensScreen(const BladeDrag& drag, const LineControl& upper, const LineControl& lower,
                        const Surface& view, double x, double y);
// Drops a dragged blade at (x, y) as dropBlade does. Returns whether a blade moved, and so whether the
// scene is drawn again.
bool releaseOnLensScreen(BladeDrag& drag, LineControl& upper, LineControl& lower, const Surface& view,
                         double x, double y);

// The lens screen without its window: the lens shown, the source, the blades and their drag, the light
// option for the next drawing and the drawings made since the last clear, with what a press, a move, a
// release, a menu command and a change of the index do. The screen forwards its events here, shows the
// messages and the caption, and paints the blades over the picture; the tests drive the same operations
// without a window. The lens's index and its kind live in the shared values.
class LensScreenModel {
public:
    // The option buttons: what the next drawing shows.
    enum class Light { raysAndWaves, onlyWaves, onlyRays };

    explicit LensScreenModel(SharedValues& shared);
    LensScreenModel(const LensScreenModel&) = delete;
    LensScreenModel& operator=(const LensScreenModel&) = delete;

    const LineControl& upperBlade() const { return upper_; }
    const LineControl& lowerBlade() const { return lower_; }
    const BladeDrag& drag() const { return drag_; }
    // The scene of the last drawing: its inputs, its ray table and the caption it left ("" before any).
    const HyperbolicScene& scene() const { return scene_; }
    // Whether anything has been drawn since the last clear.
    bool hasPicture() const { return !steps_.empty(); }
    Light light() const { return light_; }
    // The point source the fans start from.
    const optics::Light& source() const { return source_; }

    // Both blades at x, hanging from y = ±200 to an opening from −10 to 10.
    void placeDiaphragm(double x);
    // The option takes effect at the next drawing; nothing is drawn here.
    void choose(Light light) { light_ = light; }

    // Each operation below draws on view and returns the message to show, empty when there is none.

    // A lens button of the menu (true for the biconvex lens): the source back at (108, 25) and the lens
    // with its fan on a fresh picture.
    std::string openLens(Surface& view, bool biconvex);
    // A press on a blade picks it up (one drag at a time); elsewhere the source moves to (x, y) and the
    // scene is drawn on a fresh picture.
    std::string press(Surface& view, double x, double y);
    // The pointer shape at (x, y): 2 (cross-hair) over a blade or during a drag, else 1.
    int move(const Surface& view, double x, double y) const;
    // Drops a dragged blade at (x, y); the scene is drawn again on a fresh picture with the new opening.
    void release(Surface& view, double x, double y);
    // "WAVES": the scene drawn again over what is there, with the wavefronts of its rays.
    std::string waves(Surface& view);
    // "PARALLILI  DESMH" answered (a Cancel never comes here): a beam at the angle typed, on a fresh picture.
    std::string beamAnswered(Surface& view, const std::string& answer);
    // A lesson's lens and source: on a picture already drawn, the lens drawn again from there afresh.
    void openLesson(Surface& view, bool biconvex, double x, double y);
    // The index in the shared values changed: every drawing since the last clear again with the new lens.
    void indexChanged(Surface& view);
    // Every drawing since the last clear again on a clear picture, with the same inputs (after a resize).
    void redrawPicture(Surface& view);
    // The lens outline alone again; the rays and fronts are forgotten.
    void clearPicture(Surface& view);
    // A clear picture with nothing remembered, as leaving the screen leaves it.
    void newPicture(Surface& view);

private:
    // One drawing of the picture with the inputs it was drawn from, so that it can be drawn again.
    struct Step {
        enum Kind { lens, fronts, beam, outline } kind = lens;
        SceneInputs in;
        bool biconvex = false;
        double slope = 0;
    };
    // The scene as the controls give it, the one place where they become optics: the index from the
    // shared values, the source, the option buttons and the blades.
    SceneInputs sceneNow() const;
    Step stepNow(Step::Kind kind) const;
    void draw(Surface& view, const Step& step);
    // The scene routine of the current lens from the source, over what is there.
    void drawScene(Surface& view);

    SharedValues& shared_;
    LineControl upper_, lower_;
    BladeDrag drag_;
    Light light_ = Light::raysAndWaves;
    optics::Light source_{false, semiAxisA * 9, 25, 0}; // the point source, where the lens buttons put it
    HyperbolicScene scene_;
    std::vector<Step> steps_;
};

} // namespace lens::hyperbolic
