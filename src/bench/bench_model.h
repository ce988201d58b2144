#pragma once
// The bench "SPHERICAL  LENSES" without its window: the values of its scroll bars and check boxes, the
// lens, the source, the blades and markers, the modes, the timers and the scenes drawn since the last
// clear, and what a press, a move, a release, a change of a control and a timer's tick do. The screen
// forwards its events here, shows the values in its controls and paints the overlays; the tests drive
// the same functions without a window.
#include "bench/bench_mouse.h"
#include "spherical/spherical_lens.h"
#include "surface/controls.h"
#include "surface/surface.h"
#include "waves/bench_scene.h"
#include "waves/lens_numbers.h"
#include "waves/print_bench.h"
#include "waves/ray_records.h"
#include "waves/wave_animation.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace lens::bench {

// Angle in degrees between neighbouring rays of the fan, π / (desmi1 / arvimaton); 0 when
// desmi1 is not positive (no fan).
double raystepFor(int desmi1, int arvimaton);
// The number the ray-count read-out shows, Int(360 / raystep); 0 for a step that is not positive.
double rayCountShown(double raystep);

// x of both blades for HScroll1 (−100 … 100): the view's middle plus half its width per 100.
double diaphragmXFor(const Surface& view, int hscroll);
// Lower end of the upper blade for VScroll1 (−100 … 0): the middle, up half the height per 100.
double upperTipFor(const Surface& view, int vscroll);
// Upper end of the lower blade for VScroll2 (0 … 100): the middle, down the whole height per 100.
double lowerTipFor(const Surface& view, int vscroll);
// The blades run from the view's edges: the top edge for the upper one, the bottom for the lower.
double upperBladeTop(const Surface& view);
double lowerBladeBottom(const Surface& view);

// The bench's scroll bars: the two on view and the hidden ones that hold the lens and the diaphragm.
enum class Bar { desmi1, deiktisdiathlasis, aktina1, aktina2, kentrokykloy, kentrokykloy2, arvimaton, HScroll1,
                 VScroll1, VScroll2 };
inline constexpr int barCount = 10;
struct BarRange { int min, max, largeChange, start; };
BarRange rangeOf(Bar);

enum class Box { Check1, Check2 };

// The read-outs the bench writes, with the font a change gives them (none: the font stays).
enum class ReadOut { Text1, Text2, Text5, Text6, Text7, Label3 };
inline constexpr int readOutCount = 6;
struct ReadOutText {
    std::string text, font;
    double points = 7.5;
    bool operator==(const ReadOutText&) const = default;
};

// A timer as the bench sets it: Interval in milliseconds and Enabled.
struct TimerState {
    int interval = 0;
    bool enabled = false;
    bool running() const { return enabled && interval > 0; }
};

// A drawing over the lens since the last clear, with the inputs it had, so that it can be drawn again.
struct Scene {
    enum Kind { beam, fan, construction } kind = beam;
    double angle = 0;    // a beam's angle, radians
    double x = 0, y = 0; // the source of a fan or of the image construction
    bool operator==(const Scene&) const = default;
};

// A measuring line over the picture, from (x1, y1) to (x2, y2) in bench units.
struct Ruler {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double length() const;
    // The line's angle to the axis in degrees, within (−90°, 90°]: a line has no direction.
    double degrees() const;
    bool operator==(const Ruler&) const = default;
};
// The ruler's label: its length in bench units and its angle to the axis.
std::string rulerText(const Ruler&);

// The bench as a lesson keeps it: every scroll bar, the two boxes, the blades where they stand (a tip
// fitted to the glass lies between its bar's steps), the light, the source's marker and the scenes drawn
// over the lens since the last clear.
struct BenchLesson {
    std::array<int, barCount> bars{};
    bool check1 = false, check2 = false;
    optics::Stop diaphragm{};
    optics::Light light{};
    double markerX = 0, markerY = 0; // the centre of the source's marker
    std::vector<Scene> scenes;
    std::optional<Ruler> ruler;
    bool operator==(const BenchLesson&) const = default;
};

class BenchModel {
    std::unique_ptr<waves::RayRecords> recordsStore_; // the table is large: kept on the heap (made first)

public:
    BenchModel();

    int value(Bar bar) const { return bars_[static_cast<std::size_t>(bar)]; }
    bool ticked(Box box) const { return box == Box::Check1 ? check1_ : check2_; }
    // Sets a control as code or the user does: held within its range; when the value changes, its handler runs.
    void setValue(Surface&, Bar, int value);
    void setTicked(Surface&, Box, bool ticked);
    // Ticks the boxes as saved settings left them, without their handlers (the bench is not drawn yet).
    void restoreBoxes(bool check1, bool check2) { check1_ = check1, check2_ = check2; }

    // The bench as it stands, as a lesson keeps it, and the bench set as a lesson left it: the scroll bars
    // (with their read-outs), the boxes without their handlers, the blades, the light and the scenes, drawn
    // again on a clear picture. A running animation ends.
    BenchLesson lesson() const;
    void openLesson(Surface&, const BenchLesson&);

    // The load step, once the window has its size and the screen has set the user coordinates: the
    // read-outs, the source at (−200, 0), the blades, the scene and the opening beam. The marker sizes are
    // the design sizes in user units.
    void load(Surface&, double sourceWidth, double sourceHeight, double markerWidth, double markerHeight);

    // The bench's scene, the one place where its controls become optics: the lens with its index as the
    // scroll bars give it, the blades, the light, the wave boxes and the fan's and beam's ray counts.
    waves::BenchScene scene() const;
    spherical::LensState lens() const;
    spherical::BenchControls controls() const;
    spherical::Diaphragm diaphragm() const;
    // The light: the source where it stands and the beam's angle, and which of them shines.
    const optics::Light& light() const { return light_; }

    // The scene redraw: the lens from the scroll bars, the blades fitted to it, foci, centres, outlines, glass.
    void anaschediasi(Surface&);
    // Clears the picture and draws the lens alone; the scenes drawn over it are forgotten.
    void newLensPicture(Surface&);
    // The lens and every scene drawn over it since the last clear, from a clear picture (after a resize).
    void redrawPicture(Surface&);

    void press(Surface&, int shift, double x, double y);
    // The source moved to (x, y) with its fan and construction, on a new picture of the lens, as a Shift+press
    // on empty space draws them; also where the point lies on a blade, a centre or an edge.
    void fanFrom(Surface&, double x, double y);
    // The pointer shape for (x, y): 0 default, 2 cross-hair, 9 west-east arrow; a dragged centre's marker follows.
    int move(const Surface&, double x, double y);
    // A Ctrl+press measures instead of picking anything up: a ruler from there to where the pointer is
    // let go, kept over the picture (while the source or the lens moves) until the picture is cleared.
    bool measuring() const { return measuring_; }
    // The dragged blade's tip is in the glass, where it rests on the surface instead.
    bool tipOnGlass() const { return tipOnGlass_; }
    const std::optional<Ruler>& ruler() const { return ruler_; }
    // Whether a move with this Shift state changes the picture live: the source carried with Shift held, or
    // a blade, centre or edge being dragged.
    bool followsPointer(int shift) const;
    // The live picture for the pointer at (x, y): the fan (with its waves and construction) from there, or
    // the lens and blades as the drop there would leave them, with the scenes drawn over them again.
    void follow(Surface&, int shift, double x, double y);
    void release(Surface&, double x, double y);
    // The source moved by (dx, dy) from the keyboard, held on view: its fan, waves and construction go
    // with it as with a Shift+drag (a fan is drawn from there when none is on view).
    void moveSource(Surface&, double dx, double dy);
    // Both blades at x with their tips at upperTip and lowerTip, as drops there leave them: a tip in the
    // glass goes onto the lens's surface. The picture is drawn again.
    void placeBlades(Surface&, double x, double upperTip, double lowerTip);
    // The lens alone again: the scenes drawn over it are forgotten and a running animation ends.
    void clearPicture(Surface&);

    // The wave animation runs (or stands paused), and pausing, resuming and stepping it by one tick.
    bool animating() const { return animationOnView_ && (Timer1_.running() || Timer2_.running() || paused_ != 0); }
    bool paused() const { return paused_ != 0; }
    void pauseOrResume();
    void stepWhilePaused(Surface&);

    // The parallel beam at the angle (radians); false when it is vertical and nothing is drawn.
    bool parallelbeam(Surface&, double angle);
    // The fan from (x0, y0) with its waves, as the boxes say.
    void desmiapopigi(Surface&, double x0, double y0);
    // "// BUNDLE  DESMH": what happens before the prompt, and the answer typed (or none on Cancel).
    // Returns the message to show, empty when there is none.
    void bundleAsked(Surface&);
    std::string bundleAnswered(Surface&, const std::string& answer);
    // The rest of the command once the answer is an angle (radians), as the Lens dialog and the command
    // line give it: the beam drawn over the picture; the vertical beam's message when nothing is drawn.
    std::string bundleDrawn(Surface&, double angle);

    // "// WAVES  KYMATA" and "WAVES IN  TIME  XPONIKA": the wave start procedure and a timer started.
    void parallilakymata(Surface&);
    void kymatachronika(Surface&);
    void Timer1_Timer(Surface&);
    void Timer2_Timer(Surface&);
    // The bench was hidden: a running animation ends where it stands.
    void stopAnimation();
    // The lens in numbers (with the image for a fan from a point) and the aberration of the light of the last
    // beam or fan on view, when there is one.
    std::vector<waves::NumberLine> numbers(const Surface&) const;
    std::optional<waves::Aberration> measuredAberration() const;
    // Shows the measured aberration on the picture (with the legend): drawn again at once.
    void showAberration(Surface&, bool shown);

    // The printed page, the wave rays traced over benchTrace (a surface with the bench's coordinates)
    // into a table of its own, so the bench's picture and its animation are left alone.
    void printPage(Surface& page, Surface& benchTrace, const waves::PageCaption& caption = {});

    // What the bench holds, as the screen shows it and the page and the handouts read it.
    double raystep() const { return raystep_; }                 // angle between the rays of a fan, degrees
    const DragFlags& drag() const { return drag_; }
    const LineControl& Line1() const { return Line1_; } // upper blade
    const LineControl& Line2() const { return Line2_; } // lower blade
    const ShapeControl& pigi() const { return pigi_; }  // the source
    const ShapeControl& Shape1() const { return Shape1_; } // the markers of dragged centres
    const ShapeControl& Shape2() const { return Shape2_; }
    const ReadOutText& readOut(ReadOut r) const { return readOuts_[static_cast<std::size_t>(r)]; }
    const TimerState& Timer1() const { return Timer1_; }
    const TimerState& Timer2() const { return Timer2_; }
    // The two wave menu items.
    bool parallilakymataEnabled() const { return parallilakymataEnabled_; }
    bool kymatachronikaEnabled() const { return kymatachronikaEnabled_; }
    // Ticks counted since each timer last stopped.
    int tickcount1() const { return tickcount1_; }
    int tickcount2() const { return tickcount2_; }
    const waves::RayRecords& records() const { return records_; }
    const waves::WaveAnimation& animation() const { return animation_; }
    // The picture is the wave animation's, drawn by its start procedure.
    bool animationOnView() const { return animationOnView_; }
    const std::vector<Scene>& scenes() const { return scenes_; } // drawn over the lens since the last clear
    // The bracket, the waist and the aberration curve are over the picture.
    bool aberrationShown() const { return aberrationShown_; }

    // The bench is on view or hidden; a hidden bench draws no ticks.
    void setOnView(bool onView) { onView_ = onView; }
    // How the lens outline is drawn again under the wavefronts: while a picture is drawn, and on each tick.
    void setOutlineRedraw(waves::OutlineRedraw outlines) { outlineRedraw_ = outlines; }
    void setTickOutline(waves::OutlineRedraw outline) { tickOutline_ = outline; }

private:
    void changed(Surface&, Bar);
    void check1Click(Surface&);
    void check2Click(Surface&);
    void writeReadOut(ReadOut, std::string text, std::string font = {}, double points = 7.5);
    void applyBladeFit(Surface&, const spherical::DiaphragmFit&);
    void onlyWavesArmsTheAnimation();
    // What a Shift+press on empty space does: the fan drawn from (x, y), and the source moved there.
    void fanAt(Surface&, double x, double y);
    void sourceAt(double x, double y);
    void carrySource(Surface&, double x, double y);
    void drawOverLens(Surface&, const Scene&);
    // The beam at the angle, its waves a beam's, leaving the bench's light as it is.
    bool drawBeam(Surface&, double angle);
    void draw(Surface&, const Scene&);
    void sxediasifakoy11(Surface&);
    void drawTick(Surface&, int j);
    // What is drawn over the scenes: the measured aberration when it is shown.
    void drawMeasurements(Surface&);
    void drawRuler(Surface&);
    // What a press or a fan ends with: the construction (unless "SHOW ONLY WAVES") and the measurements.
    void constructionAndMeasurements(Surface&);
    // Whether the point source stands on view at (x, y): no beam shown instead, the source there with
    // its marker shown, and the point inside the view. The image construction is drawn only for such a source.
    bool sourceOnViewAt(const Surface&, double x, double y) const;

    // Draws the picture again with the values of the moment, once the bench has been loaded.
    void redrawLive(Surface&);

    std::array<int, barCount> bars_{};
    bool check1_ = false, check2_ = false;
    bool loaded_ = false;
    int fitting_ = 0; // the blades are being fitted: their scroll bars follow, the redraw under way goes on
    int paused_ = 0;  // the timer (1 or 2) of a paused animation, 0 when none is paused

    optics::Light light_{false, -200, 0, 0}; // the source where it stands, the beam, and which of them shines
    double raystep_ = 0;        // angle between the rays of a fan, degrees
    DragFlags drag_;
    LineControl Line1_, Line2_;  // upper and lower blade
    ShapeControl pigi_, Shape1_, Shape2_; // the source, and the markers of dragged centres
    std::array<ReadOutText, readOutCount> readOuts_;
    TimerState Timer1_{0, true}, Timer2_{0, false};
    bool parallilakymataEnabled_ = true, kymatachronikaEnabled_ = true; // the two wave menu items
    // Ticks counted since each timer last stopped, and that count times the interval (ms).
    int tickcount1_ = 0, tickcount2_ = 0;
    double elapsed1_ = 0, elapsed2_ = 0;
    waves::RayRecords& records_;
    waves::WaveAnimation animation_;
    bool animationOnView_ = false; // the picture is the wave animation's, drawn by its start procedure
    bool onView_ = true;           // the bench is on view (a hidden bench draws no ticks)
    std::vector<Scene> scenes_;    // drawn over the lens since the last clear
    waves::OutlineRedraw outlineRedraw_ = waves::OutlineRedraw::once;
    waves::OutlineRedraw tickOutline_ = waves::OutlineRedraw::once;
    bool aberrationShown_ = false; // the bracket, the waist and the aberration curve over the picture
    std::optional<Ruler> ruler_;
    bool measuring_ = false;       // a Ctrl+drag is drawing the ruler
    bool tipOnGlass_ = false;      // the dragged blade's tip is in the glass
    std::optional<waves::Aberration> shownAberration_; // what they show, measured when they were drawn
};

} // namespace lens::bench
