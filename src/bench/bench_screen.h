#pragma once

#include "surface/shared_values.h"
#include "bench/bench_mouse.h"
#include "spherical/spherical_lens.h"
#include "surface/qt/screen_window.h"
#include "surface/qt/timer.h"
#include "waves/wave_animation.h"
#include "waves/parallel_beam.h"
#include "waves/ray_records.h"

#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollBar;

namespace lens {

// The spherical-lens bench "SPHERICAL  LENSES", the first screen on view. It covers the display;
// its user coordinates put the origin at the centre with width plus height 1200 units.
class BenchScreen : public ScreenWindow {
public:
    explicit BenchScreen(SharedValues& shared);

    // Runs once, when the screen is created: sizes it to the display and shows it; once the
    // window has its size, sets the coordinates, places the source and the diaphragm and draws
    // the scene.
    void Form_Load();

    // The scene redraw of the bench: the lens from the scroll bars, the blades fitted to it,
    // foci, centres, outlines and the tinted glass.
    void anaschediasi();
    // Copies the lens scroll bars into the lens state, clears and redraws.
    void lensRefresh();
    // Clears the picture and draws the lens alone.
    void newLensPicture();
    // Runs a drawing command over the lens and keeps it, so a resize draws it again.
    void drawOverLens(std::function<void()> command);

    void desmi1_Change();
    void arvimaton_Change();
    void deiktisdiathlasis_Change();
    void aktina1_Change();
    void aktina2_Change();
    void kentrokykloy_Change();
    void kentrokykloy2_Change();
    void HScroll1_Change();
    void VScroll1_Change();
    void VScroll2_Change();

    spherical::Diaphragm diaphragm() const;
    // The control values the optics routines read.
    spherical::BenchControls controls() const;

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    void Check1_Click();
    void Check2_Click();

    bench::DragFlags drag;
    // "// BUNDLE  DESMH": a parallel beam at the angle the user types.
    void EPANALIPSI_Click();
    // "PRINT": the bench on one page, through the print preview and the print dialog.
    void ektyposi_Click();
    // Prints the page on the printer given; false, with a message, when the printer cannot be reached.
    bool printOn(QPrinter& printer);
    // "// WAVES  KYMATA" and "WAVES IN  TIME  XPONIKA": the wavefronts of the rays traced last,
    // travelling through the lens under Timer2 and Timer1.
    void parallilakymata_Click();
    void kymatachronika_Click();
    // The wave start procedure: blades fitted, a clear picture with the foci and the lens faces, and
    // every recorded ray's wave point at its start.
    void sxediasifakoy11();
    // The timers' ticks: each counts, stops its timer when its count is up, and otherwise moves the
    // front one tick on. A tick draws only on the picture its start procedure made.
    void Timer1_Timer();
    void Timer2_Timer();
    // Ticks counted since each timer last stopped, and that count times the interval (ms).
    int tickcount1 = 0, tickcount2 = 0;
    double elapsed1 = 0, elapsed2 = 0;
    waves::WaveAnimation animation;
    waves::OutlineRedraw tickOutline = waves::OutlineRedraw::once;

    // Shown controls.
    QScrollBar* desmi1;
    QLineEdit* Text1;
    QScrollBar* deiktisdiathlasis;
    QLineEdit* Text2;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QPushButton* ektyposi;
    QLabel* Label1;
    QLabel* Label2;
    ShapeControl* pigi;
    LineControl* Line1; // upper blade
    LineControl* Line2; // lower blade
    // Hidden controls: they hold the lens and the diaphragm and raise their change handlers.
    QScrollBar* aktina1;
    QLineEdit* Text6;
    QScrollBar* aktina2;
    QLineEdit* Text5;
    QScrollBar* kentrokykloy;
    QLineEdit* Text7;
    QScrollBar* kentrokykloy2;
    QScrollBar* arvimaton;
    QLabel* Label3;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QScrollBar* VScroll2;
    QLineEdit* Text3;
    QLineEdit* Text4;
    ShapeControl* Shape1;
    ShapeControl* Shape2;
    Timer Timer1;
    Timer Timer2;
    // Menu items.
    QAction* singleray;
    QAction* EPANALIPSI;
    QAction* SAHLIC;
    QAction* parallilakymata;
    QAction* kymatachronika;
    QAction* TELIOMA;

    spherical::LensState lens;   // the lens the routines draw, refreshed from the scroll bars
    double raystep = 0;          // angle between the rays of a fan, degrees

    // The bench's waves: the control values the wave routines read, the parallel beam at angle φ
    // (radians; false, with the vertical-beam message shown, when tan φ is not finite) and the fan from a point.
    waves::BenchValues waveValues() const;
    bool parallelbeam(double angle);
    void desmiapopigi(double x0, double y0);
    waves::RayRecords records;   // the ray record table
    waves::OutlineRedraw outlineRedraw = waves::OutlineRedraw::once;

    // Wired by the application.
    std::function<void()> onSingleRay;
    std::function<void()> onIbnSahl;
    std::function<void()> onEnd;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void loadOnceSized();
    // Moves the blades' ends (and their hidden scroll bars) to where the diaphragm routines fitted them.
    void applyBladeFit(const spherical::DiaphragmFit& fit);
    // Moves the wave front to tick j, when the animation's picture is the one on view.
    void drawTick(int j);
    void lensFromScrollBars();
    // With "SHOW ONLY WAVES" ticked, a press or a drop readies the animation in time.
    void onlyWavesArmsTheAnimation();
    // The parallel beam at the angle, kept with the picture so a resize draws it again.
    void showBeam(double angle);
    // The lens and every command drawn over it since, from a clear picture.
    void redrawPicture();

    std::vector<std::function<void()>> drawnOverLens;
    bool animationOnView_ = false; // the picture is the wave animation's, drawn by its start procedure
    SharedValues& shared_;
};

} // namespace lens
