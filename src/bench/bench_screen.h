#pragma once

#include "bench/bench_model.h"
#include "bench/lens_dialog.h"
#include "surface/qt/screen_window.h"
#include "surface/qt/timer.h"

#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollBar;

namespace lens {

// The spherical-lens bench "SPHERICAL  LENSES", the first screen on view. It covers the display;
// its user coordinates put the origin at the centre with width plus height 1200 units. The widget
// holds the controls, the canvas, the menu, the timers and the dialogs; everything else is the
// bench's model, to which it forwards every event before it shows what the model holds.
class BenchScreen : public ScreenWindow {
public:
    BenchScreen();

    // Runs once, when the screen is created: sizes it to the display and shows it; once the
    // window has its size, sets the coordinates and lets the model load the bench.
    void Form_Load();
    // The lesson's bench: as it stands, and set as the lesson left it (once the bench has been loaded,
    // if it has not been yet). onLoaded runs once the bench has its first picture (and the lesson
    // opened before it).
    bench::BenchLesson lesson() const { return model.lesson(); }
    void openLesson(const bench::BenchLesson& lesson);
    std::function<void()> onLoaded;
    // Runs whenever the bench has been shown with no drag under way (a drop, a click, a scroll bar let go
    // or stepped, a box, a command): where one step of the lesson ends.
    std::function<void()> onSettled;
    // The values of "Φακός… / Lens…" set as the controls would set them, as one step of the lesson: the
    // lens, the blades where they differ, and the light where it differs (a fan from the source, or the
    // beam as "// BUNDLE  DESMH" draws it).
    void applyLensValues(const LensValues& values);
    // The dialog, open beside the bench until it is closed.
    LensDialog* openLensDialog();

    void Form_MouseDown(int button, int shift, double x, double y);
    void Form_MouseMove(int button, int shift, double x, double y);
    void Form_MouseUp(int button, int shift, double x, double y);
    // "// BUNDLE  DESMH": a parallel beam at the angle the user types.
    void EPANALIPSI_Click();
    // "PRINT": the bench on one page, through the print preview (which offers the worksheet) and the print
    // dialog.
    void ektyposi_Click();
    // Prints the page, or the worksheet, on the printer given; false, with a message, when the printer
    // cannot be reached.
    bool printOn(QPrinter& printer, bool worksheet = false);
    void parallilakymata_Click();
    void kymatachronika_Click();
    void Timer1_Timer();
    void Timer2_Timer();

    // The model's drawing commands on this screen's picture, shown at once.
    void anaschediasi();
    bool parallelbeam(double angle);
    void desmiapopigi(double x0, double y0);
    spherical::Diaphragm diaphragm() const { return model.diaphragm(); }
    // Ticks the saved settings' boxes as they were, without their handlers' redraws.
    void restoreBoxes(bool wavesAndRays, bool onlyWaves);

    bench::BenchModel model;
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
    // Hidden controls: they show the lens and the diaphragm the model holds.
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
    // The overlays, as the model moves them.
    const LineControl* Line1 = &model.Line1(); // upper blade
    const LineControl* Line2 = &model.Line2(); // lower blade
    const ShapeControl* pigi = &model.pigi();
    const ShapeControl* Shape1 = &model.Shape1();
    const ShapeControl* Shape2 = &model.Shape2();
    Timer Timer1;
    Timer Timer2;
    // Menu items.
    QAction* singleray;
    QAction* EPANALIPSI;
    QAction* SAHLIC;
    QAction* parallilakymata;
    QAction* kymatachronika;
    QAction* TELIOMA;

    // Wired by the application.
    std::function<void()> onSingleRay;
    std::function<void()> onIbnSahl;
    std::function<void()> onEnd;

protected:
    bool windowKey(const QKeyEvent& key, bool press) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void loadOnceSized();
    // The tooltips of the controls, the canvas and the menu items.
    void giveToolTips();
    // Shows what the model holds: scroll bars, boxes, read-outs, timers, menu items, the picture.
    void show_();
    void settled();
    // Runs a command of the model on this screen's picture and shows the result.
    void forward(void (bench::BenchModel::*command)(Surface&));
    QScrollBar* bar(bench::Bar b) const { return bars_[static_cast<std::size_t>(b)]; }

    std::array<QScrollBar*, bench::barCount> bars_{};
    std::array<QWidget*, bench::readOutCount> readOuts_{};
    std::array<bench::ReadOutText, bench::readOutCount> shownReadOuts_{}; // as last written
    bool loaded_ = false;
    int inCommand_ = 0; // a command of several drawings under way: its step ends with it
    std::optional<bench::BenchLesson> pendingLesson_; // opened before the bench had its first picture
};

} // namespace lens
