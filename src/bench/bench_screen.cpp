#include "bench/bench_screen.h"

#include "bench/bench_model.h"
#include "bench/bench_mouse.h"
#include "hyperbolic/hyperbolic_lenses.h"
#include "surface/null_device.h"
#include "surface/qt/printer_device.h"
#include "waves/cardinal_points.h"
#include "waves/point_fan.h"
#include "waves/print_bench.h"
#include "surface/qt/format.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>
#include <memory>
#include <numbers>

namespace lens {

BenchScreen::BenchScreen(SharedValues& shared) : shared_(shared)
{
    setCaption(QStringLiteral("SPHERICAL  LENSES"));
    const QColor window = QApplication::palette().color(QPalette::Window);
    surface().BackColor = RGB(window.red(), window.green(), window.blue());
    surface().FontName = "Symbol";
    surface().FontSize = 7.5;
    surface().Cls();

    const QFont arial75 = controlFont(QStringLiteral("Arial"), 7.5);
    const QFont times75 = controlFont(QStringLiteral("Times New Roman"), 7.5);

    desmi1 = makeScrollBar(Qt::Horizontal, 2, 150, 10, 20);
    Text1 = makeReadOut(arial75);
    deiktisdiathlasis = makeScrollBar(Qt::Horizontal, 40, 250, 10, 150);
    Text2 = makeReadOut(arial75);
    Check1 = new QCheckBox(QStringLiteral("SHOW WAVES AND RAYS"));
    Check2 = new QCheckBox(QStringLiteral("SHOW ONLY WAVES"));
    Check1->setFont(times75);
    Check2->setFont(times75);
    ektyposi = new QPushButton(QStringLiteral("PRINT"));
    Label1 = new QLabel(QStringLiteral(
        "ΜΠΟΡΕΙΣ ΝΑ ΔΗΜΙΟΥΡΓΗΣΕΙΣ ΜΙΑ ΔΕΣΜΗ ΑΚΤΙΝΩΝ ΠΑΤΩΝΤΑΣ ΤΟ SHIFT KAI ΤΟ ΑΡΙΣΤΕΡΟ ΠΛΗΚΤΡΟ ΤΟΥ ΠΟΝΤΙΚΟΥ PRESS "
        "SHIFT AND MOUSE TO HAVE A BUNDLE OF RAYS"));
    Label2 = new QLabel(QStringLiteral(
        "ΜΠΟΡΕΙΣ ΝΑ ΜΕΤΑΚΙΝΗΣΕΙΣ ΤΑ ΔΙΑΦΡΑΓΜΑΤΑ ΚΑΙ ΤΑ ΚΕΝΤΡΑ ΤΩΝ ΚΥΚΛΩΝ ΜΕ ΤΟ ΠΟΝΤΙΚΙ MOVE  THE DIAPHRAGM WITH MOUSE"));
    for (QLabel* label : {Label1, Label2}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    Label2->setFont(controlFont(QApplication::font().family(), 9));

    placeTwips(desmi1, 1920, 0, 2415, 375);
    placeTwips(Text1, 4440, 0, 2775, 375);
    placeTwips(deiktisdiathlasis, 1920, 360, 2415, 375);
    placeTwips(Text2, 4440, 360, 5055, 375);
    placeTwips(Check1, 8040, 720, 2175, 375);
    placeTwips(Check2, 8040, 1080, 2175, 375);
    placeTwips(ektyposi, 8040, 2400, 2172, 492);
    placeTwips(Label1, 0, 720, 4935, 735);
    placeTwips(Label2, 4920, 720, 3015, 1215);
    setTabOrder(desmi1, deiktisdiathlasis);
    setTabOrder(deiktisdiathlasis, Check1);
    setTabOrder(Check1, Check2);
    setTabOrder(Check2, ektyposi);

    aktina1 = makeScrollBar(Qt::Horizontal, 50, 500, 40, 100);
    Text6 = makeReadOut(times75);
    aktina2 = makeScrollBar(Qt::Horizontal, 0, 500, 1, 90);
    Text5 = makeReadOut(times75);
    kentrokykloy = makeScrollBar(Qt::Horizontal, 0, 500, 40, 20);
    Text7 = makeReadOut(controlFont(QStringLiteral("Arial"), 8.25));
    kentrokykloy2 = makeScrollBar(Qt::Horizontal, -500, 0, 40, -50);
    arvimaton = makeScrollBar(Qt::Horizontal, 5, 150, 1, 30);
    Label3 = new QLabel;
    HScroll1 = makeScrollBar(Qt::Horizontal, -100, 100, 5, 0);
    VScroll1 = makeScrollBar(Qt::Vertical, -100, 0, 10, 0);
    VScroll2 = makeScrollBar(Qt::Vertical, 0, 100, 10, 0);
    Text3 = makeReadOut(arial75);
    Text4 = makeReadOut(arial75);
    placeTwips(aktina1, 120, 1680, 2775, 375);
    placeTwips(Text6, 0, 360, 1335, 375);
    placeTwips(aktina2, 120, 1320, 2775, 375);
    placeTwips(Text5, 0, 0, 1335, 375);
    placeTwips(kentrokykloy, 4200, 1440, 2655, 375);
    placeTwips(Text7, 7200, 0, 3135, 375);
    placeTwips(kentrokykloy2, 4320, 1800, 2055, 255);
    placeTwips(arvimaton, 7320, 1560, 1695, 375);
    placeTwips(Label3, 9120, 1560, 1215, 495);
    placeTwips(HScroll1, 120, 3360, 975, 255);
    placeTwips(VScroll1, 120, 2280, 255, 1095);
    placeTwips(VScroll2, 120, 3600, 255, 1215);
    placeTwips(Text3, 6600, 360, 3615, 285);
    placeTwips(Text4, 7200, 1080, 3495, 375);
    for (QWidget* hidden : std::initializer_list<QWidget*>{aktina1, Text6, aktina2, Text5, kentrokykloy, Text7,
                                                           kentrokykloy2, arvimaton, Label3, HScroll1, VScroll1,
                                                           VScroll2, Text3, Text4})
        hidden->hide();

    pigi = &canvas().addShape();
    pigi->kind = ShapeControl::circle;
    pigi->filled = true;
    Line1 = &canvas().addLine();
    Line2 = &canvas().addLine();
    Shape1 = &canvas().addShape();
    Shape2 = &canvas().addShape();
    Shape1->Visible = false;
    Shape2->Visible = false;

    Timer1.setInterval(0);
    Timer1.setEnabled(true);
    Timer2.setInterval(0);
    Timer2.setEnabled(false);
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };

    singleray = addMenuItem(QStringLiteral("AKTINA RAY"), [this] {
        if (onSingleRay)
            onSingleRay();
    });
    EPANALIPSI = addMenuItem(QStringLiteral("// BUNDLE  DESMH"), [this] { EPANALIPSI_Click(); });
    SAHLIC = addMenuItem(QStringLiteral("IBN SAHL"), [this] {
        if (onIbnSahl)
            onIbnSahl();
    });
    parallilakymata = addMenuItem(QStringLiteral("// WAVES  KYMATA"), [this] { parallilakymata_Click(); });
    kymatachronika = addMenuItem(QStringLiteral("WAVES IN  TIME  XPONIKA"), [this] { kymatachronika_Click(); });
    TELIOMA = addMenuItem(QStringLiteral("END"), [this] {
        if (onEnd)
            onEnd();
    });

    auto onChange = [this](QScrollBar* bar, void (BenchScreen::*handler)()) {
        QObject::connect(bar, &QScrollBar::valueChanged, this, [this, handler] { (this->*handler)(); });
    };
    canvas().onMouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
    canvas().onMouseMove = [this](int b, int s, double x, double y) { Form_MouseMove(b, s, x, y); };
    canvas().onMouseUp = [this](int b, int s, double x, double y) { Form_MouseUp(b, s, x, y); };
    QObject::connect(ektyposi, &QPushButton::clicked, this, [this] { ektyposi_Click(); });
    QObject::connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    QObject::connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    onChange(desmi1, &BenchScreen::desmi1_Change);
    onChange(arvimaton, &BenchScreen::arvimaton_Change);
    onChange(deiktisdiathlasis, &BenchScreen::deiktisdiathlasis_Change);
    onChange(aktina1, &BenchScreen::aktina1_Change);
    onChange(aktina2, &BenchScreen::aktina2_Change);
    onChange(kentrokykloy, &BenchScreen::kentrokykloy_Change);
    onChange(kentrokykloy2, &BenchScreen::kentrokykloy2_Change);
    onChange(HScroll1, &BenchScreen::HScroll1_Change);
    onChange(VScroll1, &BenchScreen::VScroll1_Change);
    onChange(VScroll2, &BenchScreen::VScroll2_Change);

    // What each control does, in Greek and in English.
    desmi1->setToolTip(QStringLiteral("Πλήθος ακτίνων της δέσμης και της βεντάλιας από την πηγή.\n"
                                      "Number of rays of the beam and of the fan from the source."));
    deiktisdiathlasis->setToolTip(QStringLiteral("Δείκτης διάθλασης του φακού (0.40 έως 2.50).\n"
                                                 "Index of refraction of the lens (0.40 to 2.50)."));
    Check1->setToolTip(QStringLiteral("Ακτίνες και μέτωπα κύματος στο επόμενο σχέδιο (140 ακτίνες).\n"
                                      "Rays and wavefronts in the next drawing (140 rays)."));
    Check2->setToolTip(QStringLiteral("Μόνο τα μέτωπα κύματος, χωρίς ακτίνες και κατασκευή (100 ακτίνες).\n"
                                      "Wavefronts only, no rays and no construction (100 rays)."));
    Text1->setToolTip(desmi1->toolTip());
    Text2->setToolTip(deiktisdiathlasis->toolTip());
    ektyposi->setToolTip(QStringLiteral("Προεπισκόπηση και εκτύπωση της σελίδας (ή αρχείο PDF).\n"
                                        "Preview and print the page (or write a PDF file)."));
    canvas().setToolTip(QStringLiteral(
        "Shift+κλικ: πηγή και βεντάλια ακτίνων. Σύρε ένα διάφραγμα, ένα κέντρο ή την άκρη ενός κύκλου.\n"
        "Δεξί κλικ: αποθήκευση, αντιγραφή, προβολέας. F1: οδηγός.\n"
        "Shift+click: the source and a fan of rays. Drag a blade, a centre or the edge of a circle.\n"
        "Right-click: save, copy, projector view. F1: the guide."));
    singleray->setToolTip(QStringLiteral("Μία ακτίνα μέσα από φακό δύο κύκλων.\nOne ray through a lens of two circles."));
    EPANALIPSI->setToolTip(QStringLiteral("Παράλληλη δέσμη υπό γωνία που δίνεις σε μοίρες.\n"
                                          "A parallel beam at an angle you give in degrees."));
    SAHLIC->setToolTip(QStringLiteral("Οι υπερβολικοί φακοί του Ιμπν Σαχλ.\nIbn Sahl's hyperbolic lenses."));
    parallilakymata->setToolTip(QStringLiteral("Το μέτωπο της παράλληλης δέσμης ταξιδεύει μέσα από τον φακό.\n"
                                               "The parallel beam's front travels through the lens."));
    kymatachronika->setToolTip(QStringLiteral("Το μέτωπο από την πηγή ταξιδεύει μέσα από τον φακό.\n"
                                              "The front from the source travels through the lens."));
    TELIOMA->setToolTip(QStringLiteral("Τέλος του προγράμματος.\nEnd the program."));

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
    // User coordinates with the origin at the centre and width plus height 1200 units.
    const QSizeF client = clientTwips();
    const double SW = client.width(), SH = client.height(), S = SW + SH;
    Surface& s = surface();
    s.Scale(-600 * SW / S, 600 * SH / S, 600 * SW / S, -600 * SH / S);
    s.Cls();
    redrawScene = [this] { redrawPicture(); };

    Text1->setFont(controlFont(QStringLiteral("Times New Roman"), 7.5));
    Text2->setFont(controlFont(QStringLiteral("Times New Roman"), 7.5));
    raystep = bench::raystepFor(desmi1->value(), arvimaton->value());
    Text1->setText(QStringLiteral("Number of Rays Αριθμός ακτινών= ") + formatFixed(bench::rayCountShown(raystep), 2));

    // The print button sits right of Check1, 50 × 20 user units.
    ektyposi->setGeometry(Check1->geometry().right() + 1, Check1->geometry().top(),
                          int(std::lround(std::fabs(s.ScaleX(50)))), int(std::lround(std::fabs(s.ScaleY(20)))));
    ektyposi->setFont(controlFont(QStringLiteral("TIMES NEW ROMAN"), 12));

    Text2->setText(QStringLiteral("Index of Refraction Δείκτης Διάθλασης= ") +
                   formatFixed(deiktisdiathlasis->value() / 100.0, 2));
    Text3->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));
    Text4->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));

    // The source marker keeps its design size, converted to user units.
    pigi->Width = std::fabs(s.userX(twipsToPixels(135, this)) - s.userX(0));
    pigi->Height = std::fabs(s.userY(twipsToPixels(45, this)) - s.userY(0));
    pigi->Left = -200;
    pigi->Top = 0;
    shared_.sourcex = -200;
    shared_.sourcey = 0;
    for (ShapeControl* marker : {Shape1, Shape2}) {
        marker->Width = std::fabs(s.userX(twipsToPixels(135, this)) - s.userX(0));
        marker->Height = std::fabs(s.userY(twipsToPixels(135, this)) - s.userY(0));
    }

    Line1->BorderColor = RGB(100, 100, 0);
    Line1->BorderWidth = 4;
    Line2->BorderColor = RGB(100, 100, 0);
    Line1->Y1 = bench::upperBladeTop(s);
    Line1->Y2 = bench::upperTipFor(s, VScroll1->value());
    Line2->BorderWidth = 4;
    Line2->Y1 = bench::lowerBladeBottom(s);
    Line2->Y2 = bench::lowerTipFor(s, VScroll2->value());
    const double x = bench::diaphragmXFor(s, HScroll1->value());
    Line1->X1 = Line1->X2 = Line2->X1 = Line2->X2 = x;

    Label3->setText(QStringLiteral("Πολλαπλασιαστής ακτίνων") + formatFixed(arvimaton->value(), 0));
    Text5->setText(QStringLiteral("Ακτίνα2=") + formatFixed(aktina2->value(), 0));
    Text6->setText(QStringLiteral("Ακτίνα1=") + formatFixed(aktina1->value(), 0));
    Text7->setText(QStringLiteral("Κέντρο δεξί κύκλου=") + formatFixed(kentrokykloy->value(), 0));

    anaschediasi();
    showBeam(0);
}

spherical::Diaphragm BenchScreen::diaphragm() const { return {Line1->X1, Line1->Y2, Line2->Y2}; }

void BenchScreen::anaschediasi()
{
    animationOnView_ = false;
    // The fitted blades move their hidden scroll bars first, whose handlers run as a user's change
    // would, and then take their exact place on the lens surface.
    spherical::anaschediasi(surface(), lens, controls(), [this](const spherical::DiaphragmFit& fit) { applyBladeFit(fit); });
    canvas().update();
}

void BenchScreen::applyBladeFit(const spherical::DiaphragmFit& fit)
{
    if (fit.upper) {
        VScroll1->setValue(fit.upper->scrollValue);
        Line1->Y2 = fit.upper->y;
    }
    if (fit.lower) {
        VScroll2->setValue(fit.lower->scrollValue);
        Line2->Y2 = fit.lower->y;
    }
}

void BenchScreen::lensRefresh()
{
    lensFromScrollBars();
    newLensPicture();
}

void BenchScreen::newLensPicture()
{
    drawnOverLens.clear();
    surface().Cls();
    anaschediasi();
}

void BenchScreen::drawOverLens(std::function<void()> command)
{
    drawnOverLens.push_back(command);
    command();
    canvas().update();
}

void BenchScreen::redrawPicture()
{
    // The blades reach from the edges of the view, which a resize has moved.
    const Surface& s = surface();
    Line1->Y1 = bench::upperBladeTop(s);
    Line2->Y1 = bench::lowerBladeBottom(s);
    if (animationOnView_) {
        waves::redrawWaveFrame(surface(), animation);
        canvas().update();
        return;
    }
    surface().Cls();
    anaschediasi();
    const auto commands = drawnOverLens; // a command may start a new picture while it draws
    for (const auto& command : commands)
        command();
    canvas().update();
}

void BenchScreen::desmi1_Change()
{
    raystep = bench::raystepFor(desmi1->value(), arvimaton->value());
    Text1->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));
    Text1->setText(QStringLiteral("Number of Rays Αριθμός ακτινών= ") + formatFixed(bench::rayCountShown(raystep), 2));
}

void BenchScreen::arvimaton_Change()
{
    Label3->setText(QStringLiteral("Πολλαπλασιαστής ακτίνων") + formatFixed(arvimaton->value(), 0));
    raystep = bench::raystepFor(desmi1->value(), arvimaton->value());
}

void BenchScreen::deiktisdiathlasis_Change()
{
    lens.refindex = deiktisdiathlasis->value() / 100.0;
    Text2->setFont(controlFont(QStringLiteral("Times New Roman Greek"), 7.5));
    Text2->setText(QStringLiteral("Index of Refraction Δείκτης Διάθλασης= ") + formatFixed(lens.refindex, 2));
}

void BenchScreen::aktina1_Change()
{
    Text6->setFont(controlFont(QStringLiteral("Times New Roman"), 7.5));
    Text6->setText(QStringLiteral("Ακτίνα1 =") + formatFixed(aktina1->value(), 0));
    lensRefresh();
}

void BenchScreen::aktina2_Change()
{
    Text5->setText(QStringLiteral("Ακτίνα2 =") + formatFixed(aktina2->value(), 0));
    lensRefresh();
}

void BenchScreen::kentrokykloy_Change()
{
    Text7->setText(QStringLiteral("Κέντρο δεξί κύκλου=") + formatFixed(kentrokykloy->value(), 0));
    lensRefresh();
}

void BenchScreen::kentrokykloy2_Change() { lensRefresh(); }

void BenchScreen::HScroll1_Change()
{
    const double x = bench::diaphragmXFor(surface(), HScroll1->value());
    Line1->X1 = Line1->X2 = Line2->X1 = Line2->X2 = x;
    newLensPicture();
}

void BenchScreen::VScroll1_Change()
{
    const Surface& s = surface();
    Line1->BorderColor = RGB(250, 0, 0);
    Line1->BorderWidth = 4;
    Line1->Y1 = bench::upperBladeTop(s);
    Line1->Y2 = bench::upperTipFor(s, VScroll1->value());
    newLensPicture();
}

void BenchScreen::VScroll2_Change()
{
    const Surface& s = surface();
    Line2->Y1 = bench::lowerBladeBottom(s);
    Line2->Y2 = bench::lowerTipFor(s, VScroll2->value());
    newLensPicture();
}

spherical::BenchControls BenchScreen::controls() const
{
    spherical::BenchControls c;
    c.deiktisdiathlasis = deiktisdiathlasis->value();
    c.kentrokykloy = kentrokykloy->value();
    c.kentrokykloy2 = kentrokykloy2->value();
    c.aktina1 = aktina1->value();
    c.aktina2 = aktina2->value();
    c.line1X2 = Line1->X2;
    c.line1Y2 = Line1->Y2;
    return c;
}

void BenchScreen::lensFromScrollBars()
{
    lens.xcentreB = kentrokykloy->value();
    lens.xcentreA = kentrokykloy2->value();
    lens.radiusA = aktina1->value();
    lens.radiusB = aktina2->value();
}

void BenchScreen::onlyWavesArmsTheAnimation()
{
    if (!Check2->isChecked())
        return;
    kymatachronika->setEnabled(true);
    Timer2.setInterval(1500);
    parallilakymata->setEnabled(false);
    Timer2.setEnabled(false);
    Timer1.setInterval(1500);
}

void BenchScreen::Form_MouseDown(int, int shift, double x, double y)
{
    newLensPicture();
    lensFromScrollBars();
    bench::pressOnBench(drag, surface(), *Line1, *Line2, lens, shift, x, y);
    if (drag.dragSource) {
        shared_.parallelmode = false;
        shared_.sourcex = x;
        shared_.sourcey = y;
        Timer2.setInterval(11500);
        Timer2.setEnabled(false);
        drawOverLens([this, x, y] { desmiapopigi(x, y); });
        shared_.parallelmode = false;
    }
    if (bench::shiftAlone(shift)) {
        shared_.parallelmode = false;
        pigi->Left = x;
        pigi->Top = y;
        onlyWavesArmsTheAnimation();
        shared_.sourcex = x;
        shared_.sourcey = y;
    }
    if (!Check2->isChecked()) {
        const double xs = shared_.sourcex, ys = shared_.sourcey;
        drawOverLens([this, xs, ys] { waves::cardinalpoints(surface(), lens, controls(), xs, ys); });
    }
    canvas().update();
}

void BenchScreen::Form_MouseMove(int, int, double x, double y)
{
    lensFromScrollBars();
    const bench::BenchObject over = bench::objectAt(surface(), *Line1, *Line2, lens, x, y);
    setMousePointer(bench::pointerOnBench(drag, over));
    const Surface& s = surface();
    // A centre being dragged shows its marker on the axis under the pointer.
    if (drag.dragCentreA) {
        Shape1->Visible = true;
        Shape1->Width = s.ScaleWidth() / 100;
        Shape1->Left = x - Shape1->Width / 2;
        Shape1->Top = Shape1->Height / 2;
        canvas().update();
    } else if (drag.dragCentreB) {
        Shape2->Visible = true;
        Shape2->Left = x - Shape2->Width / 2;
        Shape2->Top = Shape2->Height / 2;
        canvas().update();
    }
}

void BenchScreen::Form_MouseUp(int, int, double x, double y)
{
    lensFromScrollBars();
    const bench::BenchDrop drop = bench::releaseOnBench(drag, surface(), *Line1, *Line2, lens, x, y);
    switch (drop.kind) {
    case bench::BenchDrop::nothing:
        break;
    case bench::BenchDrop::blades:
        newLensPicture();
        break;
    case bench::BenchDrop::centreA:
        kentrokykloy2->setValue(drop.scrollValue);
        Shape1->Visible = false;
        newLensPicture();
        break;
    case bench::BenchDrop::centreB:
        kentrokykloy->setValue(drop.scrollValue);
        Shape2->Visible = false;
        newLensPicture();
        break;
    case bench::BenchDrop::radiusA:
        aktina1->setValue(drop.scrollValue);
        newLensPicture();
        break;
    case bench::BenchDrop::radiusB:
        aktina2->setValue(drop.scrollValue);
        newLensPicture();
        break;
    case bench::BenchDrop::source:
        return;
    }
    onlyWavesArmsTheAnimation();
    canvas().update();
}

void BenchScreen::Check1_Click()
{
    Check2->setChecked(false);
    desmi1->setValue(140);
}

void BenchScreen::Check2_Click()
{
    newLensPicture();
    Check1->setChecked(false);
    desmi1->setValue(100);
}

waves::BenchValues BenchScreen::waveValues() const
{
    waves::BenchValues v;
    v.deiktisdiathlasis = deiktisdiathlasis->value();
    v.desmi1 = desmi1->value();
    v.Check1 = Check1->isChecked();
    v.Check2 = Check2->isChecked();
    v.diaphragm = diaphragm();
    v.raystep = raystep;
    v.parallelmode = shared_.parallelmode;
    v.bundleangle = shared_.bundleangle;
    v.sourcex = shared_.sourcex;
    v.sourcey = shared_.sourcey;
    v.outlines = outlineRedraw;
    return v;
}

bool BenchScreen::parallelbeam(double angle)
{
    waves::BenchValues v = waveValues();
    // The scene redraw may move the blades; the beam then reads them where they stand.
    const bool drawn = waves::parallelbeam(surface(), lens, records, v, [this](waves::BenchValues& values) {
        anaschediasi();
        values.diaphragm = diaphragm();
    }, angle);
    if (!drawn) {
        message(QString::fromUtf8(waves::verticalBeamMessage.data(), qsizetype(waves::verticalBeamMessage.size())));
        return false;
    }
    shared_.parallelmode = v.parallelmode;
    canvas().update();
    return true;
}

void BenchScreen::desmiapopigi(double x0, double y0)
{
    waves::BenchValues v = waveValues();
    waves::desmiapopigi(surface(), lens, records, v, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, x0, y0);
    shared_.sourcex = v.sourcex;
    shared_.sourcey = v.sourcey;
    canvas().update();
}

void BenchScreen::showBeam(double angle)
{
    if (parallelbeam(angle))
        drawnOverLens.push_back([this, angle] { parallelbeam(angle); });
}

void BenchScreen::EPANALIPSI_Click()
{
    shared_.parallelmode = true;
    records.startBundle(0, false);
    Timer1.setInterval(1500);
    anaschediasi();
    const auto answer = input(QStringLiteral("Give angle with horizontal direction: -90<φ<90"), QString(),
                              QStringLiteral("0"));
    if (!answer)
        return; // cancelled: nothing more happens
    const hyperbolic::BeamAnswer beam = hyperbolic::beamslopefromanswer(answer->toStdString());
    switch (beam.kind) {
    case hyperbolic::AngleAnswer::empty:
    case hyperbolic::AngleAnswer::notANumber:
        return;
    case hyperbolic::AngleAnswer::vertical:
        message(QString::fromUtf8(waves::verticalBeamMessage.data(), qsizetype(waves::verticalBeamMessage.size())));
        return;
    case hyperbolic::AngleAnswer::tooLarge:
        message(QString::fromUtf8(hyperbolic::tooLargeAngleMessage.data(),
                                  qsizetype(hyperbolic::tooLargeAngleMessage.size())));
        return;
    case hyperbolic::AngleAnswer::beam:
        break;
    }
    shared_.bundleangle = beam.degrees * std::numbers::pi / 180;
    Timer1.setEnabled(false);
    showBeam(shared_.bundleangle);
    kymatachronika->setEnabled(false);
    Timer2.setInterval(1550);
    Timer2.setEnabled(true);
    parallilakymata->setEnabled(true);
    canvas().update();
}

void BenchScreen::ektyposi_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("SPHERICAL  LENSES"));
    dialogs->printPage(this, printer, [this](QPrinter& page) { printOn(page); });
}

bool BenchScreen::printOn(QPrinter& printer)
{
    PrinterDevice device(printer);
    if (!device.ready()) {
        message(QStringLiteral("Ο εκτυπωτής δεν είναι διαθέσιμος: η σελίδα δεν τυπώθηκε.\n"
                               "The printer cannot be reached: the page was not printed."));
        return false;
    }
    Surface page(device);
    // Pens and dots keep their on-screen size in points on a page of many dots to the inch.
    page.PenScale = std::max(1, int(std::lround(printer.resolution() / 96.0)));
    page.FontName = "Arial";
    // The wave rays are traced with the bench's coordinates, but nothing is drawn on its picture and its
    // ray table, which the animation reads, is left as it is.
    const Surface& bench = surface();
    NullDevice unseen(bench.device().width(), bench.device().height());
    Surface benchTrace(unseen);
    benchTrace.Scale(bench.ScaleLeft(), bench.ScaleTop(), bench.ScaleLeft() + bench.ScaleWidth(),
                     bench.ScaleTop() + bench.ScaleHeight());
    const auto table = std::make_unique<waves::RayRecords>();

    lens.xcentreB = kentrokykloy->value();
    lens.xcentreA = kentrokykloy2->value();
    lens.refindex = deiktisdiathlasis->value() / 100.0;
    waves::printbench(page, benchTrace, lens, *table, waveValues(), lens.xcentreA, lens.xcentreB, lens.radiusA,
                      lens.radiusB, shared_.sourcex, shared_.sourcey);
    device.EndDoc();
    return true;
}

void BenchScreen::parallilakymata_Click()
{
    surface().Cls();
    Timer1.setInterval(2000);
    sxediasifakoy11();
    Timer2.setInterval(1);
    Timer1.setEnabled(false);
    Timer2.setEnabled(true);
}

void BenchScreen::kymatachronika_Click()
{
    surface().Cls();
    Timer2.setInterval(2000);
    sxediasifakoy11();
    Timer2.setEnabled(false);
    Timer1.setInterval(1);
    Timer1.setEnabled(true);
}

void BenchScreen::sxediasifakoy11()
{
    lens.refindex = deiktisdiathlasis->value() / 100.0;
    lensFromScrollBars();
    // The blades, upper first, moved out of the glass onto the lens surface as the scene redraw fits
    // them; their scroll bars follow.
    const Surface& s = surface();
    const double tipX = Line1->X2, tipY = Line1->Y2;
    applyBladeFit({spherical::diafragmaano(s, tipX, tipY, lens.xcentreA, lens.radiusA, lens.xcentreB, lens.radiusB),
                   spherical::diafragmakato(s, tipX, tipY, lens.xcentreA, lens.radiusA, lens.xcentreB, lens.radiusB)});
    drawnOverLens.clear();
    waves::sxediasifakoy11(surface(), lens, records, shared_.parallelmode, shared_.sourcex, shared_.sourcey,
                           lens.refindex, animation);
    animationOnView_ = true;
    canvas().update();
}

void BenchScreen::drawTick(int j)
{
    if (!animationOnView_ || !isVisible())
        return;
    waves::drawWaveTick(surface(), animation, j, records.recorded(), tickOutline);
    canvas().update();
}

void BenchScreen::Timer1_Timer()
{
    elapsed1 = double(tickcount1) * Timer1.interval();
    ++tickcount1;
    if (elapsed1 > 500) {
        tickcount1 = 0;
        Timer1.setEnabled(false);
        return;
    }
    if (tickcount1 > waves::lastAnimationTick)
        return; // idles until the count of milliseconds stops it
    drawTick(tickcount1);
}

void BenchScreen::Timer2_Timer()
{
    elapsed2 = double(tickcount2) * Timer2.interval();
    ++tickcount2;
    if (tickcount2 > waves::lastAnimationTick) {
        Timer2.setEnabled(false);
        tickcount2 = 0;
        return;
    }
    if (elapsed2 <= 500)
        drawTick(tickcount2);
}

void BenchScreen::hideEvent(QHideEvent* event)
{
    // A hidden bench animates nothing: a running animation ends where it stands.
    for (auto [timer, count] : {std::pair{&Timer1, &tickcount1}, std::pair{&Timer2, &tickcount2}})
        if (timer->running()) {
            timer->setEnabled(false);
            *count = 0;
        }
    ScreenWindow::hideEvent(event);
}

} // namespace lens
