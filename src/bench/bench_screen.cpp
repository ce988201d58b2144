#include "bench/bench_screen.h"

#include "bench/bench_page.h"
#include "bench/bench_legend.h"
#include "surface/null_device.h"
#include "surface/qt/printer_device.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>

namespace lens {

using bench::Bar;
using bench::Box;
using bench::ReadOut;

namespace {

// Where each scroll bar stands, in twips (left, top, width, height), and whether it is on view.
struct BarPlace { Bar bar; Qt::Orientation orientation; double left, top, width, height; bool shown; };
constexpr BarPlace barPlaces[] = {
    {Bar::desmi1, Qt::Horizontal, 1920, 0, 2415, 375, true},
    {Bar::deiktisdiathlasis, Qt::Horizontal, 1920, 360, 2415, 375, true},
    {Bar::aktina1, Qt::Horizontal, 120, 1680, 2775, 375, false},
    {Bar::aktina2, Qt::Horizontal, 120, 1320, 2775, 375, false},
    {Bar::kentrokykloy, Qt::Horizontal, 4200, 1440, 2655, 375, false},
    {Bar::kentrokykloy2, Qt::Horizontal, 4320, 1800, 2055, 255, false},
    {Bar::arvimaton, Qt::Horizontal, 7320, 1560, 1695, 375, false},
    {Bar::HScroll1, Qt::Horizontal, 120, 3360, 975, 255, false},
    {Bar::VScroll1, Qt::Vertical, 120, 2280, 255, 1095, false},
    {Bar::VScroll2, Qt::Vertical, 120, 3600, 255, 1215, false},
};

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

} // namespace

BenchScreen::BenchScreen()
{
    setCaption(QStringLiteral("SPHERICAL  LENSES"));
    dressBenchPicture(surface());

    const QFont arial75 = controlFont(QStringLiteral("Arial"), 7.5);
    const QFont times75 = controlFont(QStringLiteral("Times New Roman"), 7.5);
    for (const BarPlace& p : barPlaces) {
        const bench::BarRange r = bench::rangeOf(p.bar);
        QScrollBar* scroll = makeScrollBar(p.orientation, r.min, r.max, r.largeChange, r.start);
        bars_[static_cast<std::size_t>(p.bar)] = scroll;
        placeTwips(scroll, p.left, p.top, p.width, p.height);
        scroll->setVisible(p.shown);
        // A change the user (or the application) makes goes to the model; the model's own changes come
        // back here as the values it holds, and stop there.
        QObject::connect(scroll, &QScrollBar::valueChanged, this, [this, b = p.bar](int value) {
            if (value != model.value(b)) {
                model.setValue(surface(), b, value);
                show_();
            }
        });
        QObject::connect(scroll, &QScrollBar::sliderReleased, this, [this] { settled(); });
    }
    desmi1 = bar(Bar::desmi1), deiktisdiathlasis = bar(Bar::deiktisdiathlasis), aktina1 = bar(Bar::aktina1);
    aktina2 = bar(Bar::aktina2), kentrokykloy = bar(Bar::kentrokykloy), kentrokykloy2 = bar(Bar::kentrokykloy2);
    arvimaton = bar(Bar::arvimaton), HScroll1 = bar(Bar::HScroll1), VScroll1 = bar(Bar::VScroll1);
    VScroll2 = bar(Bar::VScroll2);

    Text1 = makeReadOut(arial75);
    Text2 = makeReadOut(arial75);
    Text6 = makeReadOut(times75);
    Text5 = makeReadOut(times75);
    Text7 = makeReadOut(controlFont(QStringLiteral("Arial"), 8.25));
    Text3 = makeReadOut(arial75);
    Text4 = makeReadOut(arial75);
    Label3 = new QLabel;
    readOuts_ = {Text1, Text2, Text5, Text6, Text7, Label3};
    Check1 = new QCheckBox(QStringLiteral("SHOW WAVES AND RAYS"));
    Check2 = new QCheckBox(QStringLiteral("SHOW ONLY WAVES"));
    ektyposi = new QPushButton(QStringLiteral("PRINT"));
    Label1 = new QLabel(QStringLiteral(
        "ΜΠΟΡΕΙΣ ΝΑ ΔΗΜΙΟΥΡΓΗΣΕΙΣ ΜΙΑ ΔΕΣΜΗ ΑΚΤΙΝΩΝ ΠΑΤΩΝΤΑΣ ΤΟ SHIFT KAI ΤΟ ΑΡΙΣΤΕΡΟ ΠΛΗΚΤΡΟ ΤΟΥ ΠΟΝΤΙΚΟΥ PRESS "
        "SHIFT AND MOUSE TO HAVE A BUNDLE OF RAYS"));
    Label2 = new QLabel(QStringLiteral(
        "ΜΠΟΡΕΙΣ ΝΑ ΜΕΤΑΚΙΝΗΣΕΙΣ ΤΑ ΔΙΑΦΡΑΓΜΑΤΑ ΚΑΙ ΤΑ ΚΕΝΤΡΑ ΤΩΝ ΚΥΚΛΩΝ ΜΕ ΤΟ ΠΟΝΤΙΚΙ MOVE  THE DIAPHRAGM WITH MOUSE"));
    Check1->setFont(times75);
    Check2->setFont(times75);
    for (QLabel* label : {Label1, Label2}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    Label2->setFont(controlFont(QApplication::font().family(), 9));
    placeTwips({{Text1, 4440, 0, 2775, 375}, {Text2, 4440, 360, 5055, 375}, {Text6, 0, 360, 1335, 375},
                {Text5, 0, 0, 1335, 375}, {Text7, 7200, 0, 3135, 375}, {Label3, 9120, 1560, 1215, 495},
                {Text3, 6600, 360, 3615, 285}, {Text4, 7200, 1080, 3495, 375}, {Check1, 8040, 720, 2175, 375},
                {Check2, 8040, 1080, 2175, 375}, {ektyposi, 8040, 2400, 2172, 492}, {Label1, 0, 720, 4935, 735},
                {Label2, 4920, 720, 3015, 1215}});
    for (QWidget* hidden : std::initializer_list<QWidget*>{Text6, Text5, Text7, Label3, Text3, Text4})
        hidden->hide();
    setTabChain({desmi1, deiktisdiathlasis, Check1, Check2, ektyposi});
    for (auto [box, which] : {std::pair{Check1, Box::Check1}, std::pair{Check2, Box::Check2}})
        QObject::connect(box, &QCheckBox::toggled, this, [this, which = which](bool on) {
            if (on != model.ticked(which)) {
                model.setTicked(surface(), which, on);
                show_();
            }
        });
    QObject::connect(ektyposi, &QPushButton::clicked, this, [this] { ektyposi_Click(); });

    for (const ShapeControl* shape : {pigi, Shape1, Shape2})
        canvas().showOverlay(*shape);
    for (const LineControl* line : {Line1, Line2})
        canvas().showOverlay(*line);
    canvas().onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    canvas().onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    canvas().onMouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };

    auto call = [](const std::function<void()>& f) {
        return [&f] {
            if (f)
                f();
        };
    };
    singleray = addMenuItem(QStringLiteral("AKTINA RAY"), call(onSingleRay));
    EPANALIPSI = addMenuItem(QStringLiteral("// BUNDLE  DESMH"), [this] { EPANALIPSI_Click(); });
    SAHLIC = addMenuItem(QStringLiteral("IBN SAHL"), call(onIbnSahl));
    parallilakymata = addMenuItem(QStringLiteral("// WAVES  KYMATA"), [this] { parallilakymata_Click(); });
    kymatachronika = addMenuItem(QStringLiteral("WAVES IN  TIME  XPONIKA"), [this] { kymatachronika_Click(); });
    TELIOMA = addMenuItem(QStringLiteral("END"), call(onEnd));

    giveToolTips();
    setLegend(QString::fromUtf8(bench::legendTitle), bench::legendEntries());
    // With the legend, the lens in numbers and its measured aberration, on the picture as well.
    onLegendShown = [this](bool shown) {
        model.showAberration(surface(), shown);
        show_();
    };

    onClear = [this] { forward(&bench::BenchModel::clearPicture); };
    onTypeValues = [this] { openLensDialog(); };
    showScaleBarOnView(true);
    show_();
    setClientTwips(11055, 8505);
}

void BenchScreen::Form_Load()
{
    // The whole display, frame included. The coordinates and the first picture wait until the
    // window manager has given the window its size: they are measured on that client area.
    showPlaced(coverAvailableArea, [this] { loadOnceSized(); });
}

void BenchScreen::loadOnceSized()
{
    // The bench's user coordinates for the client area as it now is; the model loads the bench on them.
    const QSizeF client = clientTwips();
    Surface& s = surface();
    const double ratio = canvas().pixelRatio();
    loadBench(model, s, client.width(), client.height(), this, ratio);
    redrawScene = [this] {
        model.redrawPicture(surface());
        show_();
    };
    // The print button sits right of Check1, 50 × 20 user units (in the normal view).
    const QRectF check = twipsOf(Check1);
    placeTwips(ektyposi, check.right(), check.top(), pixelsToTwips(std::fabs(s.ScaleX(50)) / ratio, this),
               pixelsToTwips(std::fabs(s.ScaleY(20)) / ratio, this));
    ektyposi->setFont(controlFont(QStringLiteral("TIMES NEW ROMAN"), 12));
    Text3->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));
    Text4->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));
    show_();
    loaded_ = true;
    if (pendingLesson_) {
        const bench::BenchLesson lesson = std::move(*pendingLesson_);
        pendingLesson_.reset();
        openLesson(lesson);
    }
    if (onLoaded)
        onLoaded();
}

void BenchScreen::openLesson(const bench::BenchLesson& lesson)
{
    if (!loaded_) {
        pendingLesson_ = lesson;
        return;
    }
    model.openLesson(surface(), lesson);
    show_();
}

void BenchScreen::forward(void (bench::BenchModel::*command)(Surface&))
{
    (model.*command)(surface());
    show_();
}

void BenchScreen::show_()
{
    for (int b = 0; b < bench::barCount; ++b)
        bars_[std::size_t(b)]->setValue(model.value(Bar(b)));
    Check1->setChecked(model.ticked(Box::Check1));
    Check2->setChecked(model.ticked(Box::Check2));
    for (int r = 0; r < bench::readOutCount; ++r) {
        const bench::ReadOutText& out = model.readOut(ReadOut(r));
        // Only a read-out the model has changed is written again: show_ runs on every frame of a drag.
        if (out == shownReadOuts_[std::size_t(r)])
            continue;
        shownReadOuts_[std::size_t(r)] = out;
        QWidget* w = readOuts_[std::size_t(r)];
        if (!out.font.empty())
            setControlFont(w, controlFont(fromUtf8(out.font), out.points));
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(fromUtf8(out.text));
        else if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(fromUtf8(out.text));
            fitText(label);
        }
    }
    for (auto [timer, state] : {std::pair{&Timer1, &model.Timer1()}, std::pair{&Timer2, &model.Timer2()}}) {
        timer->setInterval(state->interval);
        timer->setEnabled(state->enabled);
    }
    parallilakymata->setEnabled(model.parallilakymataEnabled());
    kymatachronika->setEnabled(model.kymatachronikaEnabled());
    if (model.aberrationShown() && !model.animationOnView()) {
        setLegendNotes(benchLegendNotes(model, surface()));
    }
    if (!model.animationOnView())
        pictureChanged(); // a legend on view stays where it hides the least of the new picture
    canvas().update();
    settled();
}

void BenchScreen::applyLensValues(const LensValues& v)
{
    ++inCommand_;
    Surface& s = surface();
    const LensValues before = lensValuesOf(model);
    for (auto [b, value] : {std::pair{Bar::kentrokykloy2, v.centreA}, std::pair{Bar::aktina1, v.radiusA},
                            std::pair{Bar::kentrokykloy, v.centreB}, std::pair{Bar::aktina2, v.radiusB},
                            std::pair{Bar::deiktisdiathlasis, v.index}})
        model.setValue(s, b, value);
    if (v.diaphragm != before.diaphragm)
        model.placeBlades(s, v.diaphragm.x, v.diaphragm.upperTip, v.diaphragm.lowerTip);
    if (v.light != before.light) {
        if (v.light.beam) {
            model.bundleAsked(s);
            model.bundleDrawn(s, v.light.angle);
        } else {
            model.fanFrom(s, v.light.x, v.light.y);
        }
    }
    show_();
    --inCommand_;
    settled();
}

LensDialog* BenchScreen::openLensDialog()
{
    auto* dialog = new LensDialog(lensValuesOf(model), surface(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->onApply = [this](const LensValues& values) { applyLensValues(values); };
    dialog->open();
    return dialog;
}

void BenchScreen::settled()
{
    if (!onSettled || !loaded_ || inCommand_ > 0 || model.drag().any() || model.measuring())
        return;
    for (const QScrollBar* scroll : bars_)
        if (scroll->isSliderDown())
            return; // the bar's drag is one step, ended when it is let go
    onSettled();
}

void BenchScreen::anaschediasi() { forward(&bench::BenchModel::anaschediasi); }

bool BenchScreen::parallelbeam(double angle)
{
    const bool drawn = model.parallelbeam(surface(), angle);
    show_();
    return drawn;
}

void BenchScreen::desmiapopigi(double x0, double y0)
{
    model.desmiapopigi(surface(), x0, y0);
    show_();
}

void BenchScreen::restoreBoxes(bool wavesAndRays, bool onlyWaves)
{
    model.restoreBoxes(wavesAndRays, onlyWaves);
    show_();
}

void BenchScreen::Form_MouseDown(int, int shift, double x, double y)
{
    model.press(surface(), shift, x, y);
    show_();
}

void BenchScreen::Form_MouseMove(int, int shift, double x, double y)
{
    setMousePointer(model.move(surface(), x, y));
    if (model.drag().dragCentreA || model.drag().dragCentreB)
        canvas().update();
    if (model.followsPointer(shift)) {
        model.follow(surface(), shift, x, y);
        show_();
        if (model.tipOnGlass())
            QToolTip::showText(QCursor::pos(),
                               QStringLiteral("Μέσα στο γυαλί η άκρη του διαφράγματος μένει πάνω στην επιφάνεια του φακού.\n"
                                              "Inside the glass the diaphragm's tip rests on the lens's surface."),
                               &canvas());
        else
            QToolTip::hideText();
    }
}

void BenchScreen::Form_MouseUp(int, int, double x, double y)
{
    model.release(surface(), x, y);
    show_();
}

bool BenchScreen::windowKey(const QKeyEvent& key, bool press)
{
    // While the front travels, Space pauses and resumes it, whichever control has the keyboard (a focused
    // check box would otherwise toggle and the front run on), and "." steps it one tick while it is paused.
    const bool pause = key.key() == Qt::Key_Space && model.animating();
    const bool step = key.key() == Qt::Key_Period && model.paused();
    // Ctrl+arrow moves the source one bench unit, ten with Shift too.
    const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool arrow = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right || key.key() == Qt::Key_Up ||
                       key.key() == Qt::Key_Down;
    if (arrow && (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))) {
        if (press) {
            const double unit = mods & Qt::ShiftModifier ? 10 : 1;
            const double dx = key.key() == Qt::Key_Left ? -unit : key.key() == Qt::Key_Right ? unit : 0;
            const double dy = key.key() == Qt::Key_Up ? unit : key.key() == Qt::Key_Down ? -unit : 0;
            model.moveSource(surface(), dx, dy);
            show_();
        }
        return true;
    }
    if (!pause && !step)
        return false;
    if (press && !key.isAutoRepeat()) {
        if (pause)
            model.pauseOrResume();
        else
            model.stepWhilePaused(surface());
        show_();
    }
    return true;
}

void BenchScreen::EPANALIPSI_Click()
{
    // The question and its answer are one step of the lesson.
    ++inCommand_;
    model.bundleAsked(surface());
    show_();
    const auto answer = input(QStringLiteral("Give angle with horizontal direction: -90<φ<90"), QString(),
                              QStringLiteral("0"));
    std::string said;
    if (answer) { // cancelled: nothing more happens
        said = model.bundleAnswered(surface(), answer->toStdString());
        show_();
    }
    --inCommand_;
    settled();
    if (!said.empty())
        message(fromUtf8(said));
}

void BenchScreen::ektyposi_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle().simplified()); // a file name without the caption's double blank
    // The preview offers the worksheet beside its own buttons; its print button prints what it shows.
    bool worksheet = false;
    dialogs->printPage(this, printer, [this, &worksheet](QPrinter& page) {
        if (auto* preview = findChild<QPrintPreviewDialog*>(QString(), Qt::FindDirectChildrenOnly))
            offerWorksheet(*preview, worksheet);
        printOn(page, worksheet);
    });
}

bool BenchScreen::printOn(QPrinter& printer, bool worksheet)
{
    if (const FileWrite printed = printBenchPage(model, surface(), printer, worksheet); !printed) {
        message(printed.message);
        return false;
    }
    show_();
    return true;
}

void BenchScreen::parallilakymata_Click() { forward(&bench::BenchModel::parallilakymata); }

void BenchScreen::kymatachronika_Click() { forward(&bench::BenchModel::kymatachronika); }

void BenchScreen::Timer1_Timer() { forward(&bench::BenchModel::Timer1_Timer); }

void BenchScreen::Timer2_Timer() { forward(&bench::BenchModel::Timer2_Timer); }

void BenchScreen::showEvent(QShowEvent* event)
{
    model.setOnView(true);
    ScreenWindow::showEvent(event);
}

void BenchScreen::hideEvent(QHideEvent* event)
{
    // A hidden bench animates nothing: a running animation ends where it stands.
    model.setOnView(false);
    model.stopAnimation();
    show_();
    ScreenWindow::hideEvent(event);
}

} // namespace lens
