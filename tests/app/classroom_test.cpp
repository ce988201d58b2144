// What a teacher does with the program beyond the optics: keep a picture (PNG, SVG, clipboard), project
// it with thicker lines, read the guide, and find the last settings again.

#include "app/app.h"
#include "app/handouts.h"
#include "app/help_window.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "app/lens_menu.h"
#include "singleray/single_ray_screen.h"
#include "bench_fixture.h"
#include "scripted_dialogs.h"
#include "spherical/spherical_lens.h"
#include "surface/qt/legend.h"
#include "surface/recording_device.h"
#include "waves/cardinal_points.h"
#include "waves/point_fan.h"
#include "waves/ray_records.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>

using namespace lens;

namespace {

// The program started with the settings given, as a user would start it, and put away after.
struct StartedWith {
    ScriptedDialogs dialogs;
    LensBenchApp app;
    explicit StartedWith(QSettings& settings) : app(&dialogs, &settings)
    {
        app.endProgram = [] {};
        app.Main();
    }
    ~StartedWith()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
};

struct SavingDialogs : ScriptedDialogs {
    QString file;
    QString saveFileName(QWidget*, const QString&) override { return file; }
};

struct Classroom {
    SavingDialogs dialogs;
    LensBenchApp app{&dialogs};
    BenchScreen* bench;
    Classroom()
    {
        app.endProgram = [] {};
        app.Main();
        bench = &app.vitrosa();
        // Shortcuts reach the active window.
        bench->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(bench));
    }
    ~Classroom()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
};

} // namespace

// What is saved and copied is what the screen shows, the legend included where it stands, with a bar of 100
// units of the picture in a corner it leaves empty.
TEST(Classroom, ThePictureGoesToPngSvgAndTheClipboard)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    QTemporaryDir folder;
    const QImage window = v.canvas().picture().convertToFormat(QImage::Format_RGB32);
    const QImage shown = v.canvas().keptPicture();

    c.dialogs.file = folder.filePath(QStringLiteral("bench.png"));
    QTest::keyClick(&v, Qt::Key_S, Qt::ControlModifier);
    const QImage png = QImage(c.dialogs.file).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(png.size(), v.canvas().image().size());
    EXPECT_TRUE(png == shown);
    EXPECT_GT(pixelsOf(png, spherical::sceneColours::outline), 300);
    // The bar is the only addition, as long as 100 units, on pixels the drawing left empty.
    const QRgb back = window.pixel(0, 0);
    QRect added;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            if (png.pixel(x, y) != window.pixel(x, y)) {
                EXPECT_EQ(window.pixel(x, y), back) << x << ", " << y;
                added |= QRect(x, y, 1, 1);
            }
    EXPECT_NEAR(added.width(), std::fabs(v.surface().ScaleX(100)), 3);
    EXPECT_LT(added.height(), added.width() / 4);

    // With the legend on, the picture holds it where it stands.
    v.showLegend(true);
    QTest::keyClick(&v, Qt::Key_S, Qt::ControlModifier);
    const QImage withLegend = QImage(c.dialogs.file).convertToFormat(QImage::Format_RGB32);
    const QImage legend = v.legend()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(withLegend.copy(v.legend()->geometry()) == legend);

    // The SVG is drawn by the same routines: the two circles and the beam's rays as paths, the tint as an
    // image under them, the blades, the legend and the bar on top; the window's picture is left as it was.
    c.dialogs.file = folder.filePath(QStringLiteral("bench.svg"));
    QTest::keyClick(&v, Qt::Key_S, Qt::ControlModifier);
    QFile svg(c.dialogs.file);
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    EXPECT_GT(text.count(QStringLiteral("<path")), 20);
    EXPECT_TRUE(text.contains(QStringLiteral("<image")));
    EXPECT_TRUE(text.contains(QStringLiteral("stroke=\"#000000\""))); // the lens outline
    EXPECT_TRUE(text.contains(QStringLiteral(">100<")));
    EXPECT_TRUE(text.contains(QStringLiteral("f = 120.00")));
    EXPECT_TRUE(v.canvas().picture().convertToFormat(QImage::Format_RGB32) != window); // the aberration's marks
    v.showLegend(false);

    // A file that cannot be written gives a message.
    c.dialogs.file = QStringLiteral("/nonexistent-folder/bench.png");
    v.savePicture();
    ASSERT_EQ(c.dialogs.messages.size(), 1u);

    QApplication::clipboard()->clear();
    QTest::keyClick(&v, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32) == shown);
}

// lensbench --export --legend writes the legend the window shows for the same scene, number for number.
TEST(Classroom, TheExportedLegendGivesTheWindowsNumbers)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    v.showLegend(true);
    v.Form_MouseDown(1, 1, -200, 30);
    const QStringList notes = v.legend()->notes();
    ASSERT_GT(notes.size(), 15);

    QTemporaryDir folder;
    HandoutRequest request;
    request.file = folder.filePath(QStringLiteral("fan.svg")).toStdString();
    request.kind = HandoutRequest::svg;
    request.source = std::pair{-200.0, 30.0};
    request.legend = true;
    ASSERT_EQ(writeHandout(request), 0);
    QFile svg(QString::fromStdString(request.file));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    // The SVG writes a line in runs of one script each: the value ends the last run.
    int values = 0;
    for (const QString& note : notes)
        if (const qsizetype colon = note.lastIndexOf(QStringLiteral(": ")); note.contains(QStringLiteral(" = "))) {
            ++values;
            EXPECT_TRUE(text.contains(note.mid(colon) + QLatin1Char('<'))) << note.toStdString();
        }
    EXPECT_GT(values, 15);
}

// Counts what Qt would have written to stderr while it lives.
struct QtWarnings {
    static inline int count = 0;
    QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++count; });
    QtWarnings() { count = 0; }
    ~QtWarnings() { qInstallMessageHandler(previous); }
};

TEST(Classroom, APictureThatCannotBeWrittenGivesItsMessageAndNothingIsDrawnForIt)
{
    Classroom c;
    // A FIFO in the Pictures folder would hold the window until another program read it.
    QTemporaryDir pictures;
    QStringList files = {QStringLiteral("/nonexistent-folder/bench.png"), QStringLiteral("/nonexistent-folder/bench.svg"),
                         QStringLiteral("/nonexistent-folder/bench.pdf")};
    for (const char* name : {"fifo.png", "fifo.svg", "fifo.pdf"}) {
        files << pictures.filePath(QString::fromUtf8(name));
        ASSERT_EQ(mkfifo(files.back().toLocal8Bit().constData(), 0600), 0);
    }
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        c.dialogs.messages.clear();
        const QtWarnings warnings;
        if (file.endsWith(QStringLiteral(".pdf"))) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFileName(file);
            EXPECT_FALSE(c.bench->printOn(printer));
        } else {
            c.dialogs.file = file;
            c.bench->savePicture();
        }
        EXPECT_EQ(c.dialogs.messages.size(), 1u);
        EXPECT_EQ(QtWarnings::count, 0);
    }
}

TEST(Classroom, TheProjectorViewDrawsTheSamePrimitivesWithWiderPens)
{
    // The bench's scene, a fan with its waves and the construction, at 1×, 2× and 3×.
    std::vector<RecordingDevice> devices;
    for (int scale = 1; scale <= 3; ++scale) {
        RecordingDevice& device = devices.emplace_back(1920, 1080);
        Surface s(device);
        s.Scale(-384, 216, 384, -216);
        s.PenScale = s.TextScale = scale;
        spherical::LensState lens;
        waves::RayRecords records;
        waves::BenchScene values;
        values.waves.wavesAndRays = true;
        values.diaphragm = {0, 86.6, -86.6};
        lens = spherical::anaschediasi(s, {}, {});
        waves::desmiapopigi(s, records, values, lens.xcentreA, lens.xcentreB, lens.radiusA, lens.radiusB, -200, 20);
        waves::cardinalpoints(s, lens, {}, -200, 20);
    }
    for (int scale = 2; scale <= 3; ++scale) {
        SCOPED_TRACE(scale);
        const RecordingDevice &one = devices[0], &wide = devices[static_cast<std::size_t>(scale - 1)];
        ASSERT_EQ(wide.segments.size(), one.segments.size());
        ASSERT_EQ(wide.dots.size(), one.dots.size());
        ASSERT_EQ(wide.texts.size(), one.texts.size());
        for (std::size_t i = 0; i < one.segments.size(); ++i) {
            EXPECT_EQ(wide.segments[i].pen.width, scale * one.segments[i].pen.width);
            EXPECT_EQ(wide.segments[i].x1, one.segments[i].x1);
            EXPECT_EQ(wide.segments[i].pen.style, one.segments[i].pen.style);
        }
        for (std::size_t i = 0; i < one.dots.size(); ++i)
            EXPECT_EQ(wide.dots[i].pen.width, scale * one.dots[i].pen.width);
        for (std::size_t i = 0; i < one.texts.size(); ++i)
            EXPECT_EQ(wide.texts[i].font.size, scale * one.texts[i].font.size);
        EXPECT_EQ(wide.fills.size(), one.fills.size());
    }
    // On the screen: Ctrl++ reaches every screen, the glass is still tinted, a blade can still be
    // dragged, and Ctrl+0 gives back the picture of today.
    Classroom c;
    BenchScreen& v = *c.bench;
    const QImage normal = v.canvas().picture();
    QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(&v, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(c.app.viewScale(), 3);
    EXPECT_EQ(c.app.ElSahl().viewScale(), 3);
    const QImage thick = v.canvas().picture();
    EXPECT_GT(pixelsOf(thick, spherical::sceneColours::glass), 1000);
    EXPECT_GT(pixelsOf(thick, spherical::sceneColours::outline), 2 * pixelsOf(normal, spherical::sceneColours::outline));
    QTest::keyClick(&v, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(c.app.viewScale(), 1);
    EXPECT_TRUE(v.canvas().picture() == normal);
    QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
    const double x = v.Line1->X1;
    v.Form_MouseDown(1, 0, x, 150);
    v.Form_MouseUp(1, 0, x + 30, 150);
    EXPECT_NEAR(v.Line1->X1, x + 30, 2);
}

TEST(Classroom, F1OpensTheIllustratedGuide)
{
    Classroom c;
    QTest::keyClick(c.bench, Qt::Key_F1);
    HelpWindow& help = c.app.openHelp();
    EXPECT_TRUE(help.isVisible());
    const QString text = help.text->toPlainText();
    for (const char* words : {"Snell", "Ιμπν Σαχλ", "Shift", "H1, H2", "Ctrl+S"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(words))) << words;
    const QVariant picture =
        help.text->document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("bench-fan.png")));
    EXPECT_FALSE(picture.value<QImage>().isNull());
}

TEST(Classroom, TheLastIndexBoxesAndViewComeBack)
{
    QTemporaryDir folder;
    QSettings settings(folder.filePath(QStringLiteral("lensbench.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("bench/index"), 180);
    settings.setValue(QStringLiteral("bench/wavesAndRays"), true);
    settings.setValue(QStringLiteral("view/scale"), 2);
    settings.setValue(QStringLiteral("lenses/index"), 170);
    {
        StartedWith started(settings);
        LensBenchApp& app = started.app;
        BenchScreen& v = app.vitrosa();
        EXPECT_EQ(v.deiktisdiathlasis->value(), 180);
        EXPECT_TRUE(v.Check1->isChecked());
        EXPECT_FALSE(v.Check2->isChecked());
        EXPECT_EQ(v.desmi1->value(), 140);
        EXPECT_EQ(v.viewScale(), 2);
        // The print button takes its place once the window has its size: the view grows it with the rest.
        static_cast<void>(QTest::qWaitFor([&] { return v.ektyposi->isVisible(); }, 5000));
        EXPECT_TRUE(v.canvas().rect().contains(v.ektyposi->geometry()));
        EXPECT_DOUBLE_EQ(app.shared.lensindex, 1.7);
        v.Check2->setChecked(true);
        v.deiktisdiathlasis->setValue(120);
        app.setViewScale(1);
    }
    EXPECT_EQ(settings.value(QStringLiteral("bench/index")).toInt(), 120);
    EXPECT_FALSE(settings.value(QStringLiteral("bench/wavesAndRays")).toBool());
    EXPECT_FALSE(settings.value(QStringLiteral("bench/onlyWaves")).toBool()); // Check2's handler unticks it again
    EXPECT_EQ(settings.value(QStringLiteral("view/scale")).toInt(), 1);
}

TEST(Classroom, SettingsThatAreNotValidGiveTheDefaults)
{
    // Hand-edited or damaged files: every value that is not one the control can take is left for its default.
    const char* const files[] = {
        "[bench]\nindex=nan\nonlyWaves=nan\nwavesAndRays=-1\n[lenses]\nindex=1e308\n[view]\nscale=7\n",
        "[bench]\nindex=-150\nonlyWaves=-1\nwavesAndRays=1\n[lenses]\nindex=99\n[view]\nscale=0\n",
        "[bench]\nindex=150, 160\nonlyWaves=yes\nwavesAndRays=@Point(1 2)\n[lenses]\nindex=1.7\n[view]\nscale=2.5\n",
    };
    for (const char* text : files) {
        SCOPED_TRACE(text);
        QTemporaryDir folder;
        QFile file(folder.filePath(QStringLiteral("lensbench.ini")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        QSettings settings(file.fileName(), QSettings::IniFormat);
        StartedWith started(settings);
        LensBenchApp& app = started.app;
        BenchScreen& v = app.vitrosa();
        EXPECT_EQ(v.deiktisdiathlasis->value(), 150);
        EXPECT_FALSE(v.Check1->isChecked());
        EXPECT_FALSE(v.Check2->isChecked());
        EXPECT_EQ(app.eisagogiko().deiktissahl->value(), 150);
        EXPECT_EQ(app.viewScale(), 1);
    }
}

TEST(Classroom, EveryVisibleControlAndMenuItemHasABilingualTooltip)
{
    Classroom c;
    c.app.eisagogiko().Show();
    c.app.ElSahl().Show();
    c.app.moniaktina().Show();
    for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{c.bench, &c.app.eisagogiko(), &c.app.ElSahl(),
                                                                    &c.app.moniaktina()}) {
        SCOPED_TRACE(screen->windowTitle().toStdString());
        for (QWidget* control : screen->findChildren<QWidget*>()) {
            const bool isControl = qobject_cast<QAbstractButton*>(control) || qobject_cast<QScrollBar*>(control) ||
                                   qobject_cast<QLineEdit*>(control) || dynamic_cast<Canvas*>(control);
            const bool menuBarsOwn = qobject_cast<QMenuBar*>(control->parentWidget()); // its overflow arrow
            if (isControl && control->isVisible() && !menuBarsOwn) {
                EXPECT_TRUE(control->toolTip().contains(QLatin1Char('\n'))) << control->metaObject()->className();
            }
        }
        for (const QAction* item : screen->menuBar()->actions())
            EXPECT_TRUE(item->toolTip().contains(QLatin1Char('\n'))) << item->text().toStdString();
    }
}

TEST(Classroom, DeleteOverThePictureClearsItAndSpacePausesTheTravellingFront)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    v.Check1->setChecked(true);
    v.Form_MouseDown(1, 1, -200, 0);
    v.Form_MouseUp(1, 1, -200, 0);
    ASSERT_FALSE(v.model.scenes().empty());
    // Delete acts only with the pointer over the picture.
    QTest::mouseMove(&v.canvas(), v.canvas().rect().center());
    QTest::keyClick(&v, Qt::Key_Delete);
    EXPECT_TRUE(v.model.scenes().empty());

    v.Form_MouseDown(1, 1, -200, 0);
    v.Form_MouseUp(1, 1, -200, 0);
    v.kymatachronika->trigger();
    v.Timer1_Timer();
    v.Check1->setFocus(); // Space would tick the box: the front is paused instead
    QTest::keyClick(v.Check1, Qt::Key_Space);
    EXPECT_TRUE(v.Check1->isChecked());
    EXPECT_TRUE(v.model.paused());
    EXPECT_FALSE(v.Timer1.running());
    QTest::keyClick(v.Check1, Qt::Key_Period);
    EXPECT_EQ(v.model.animation().shownTick, 2);
    QTest::keyClick(v.Check1, Qt::Key_Space);
    EXPECT_FALSE(v.model.paused());
    EXPECT_TRUE(v.Timer1.running());
}

// No ray runs through the bench's texts: labels, boxes and read-outs stand on the window colour in
// front of the picture, where the fan with its waves draws its rays.
TEST(Classroom, RaysNeverRunOverTheControls)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    v.Check1->setChecked(true);
    v.Form_MouseDown(1, 1, -150, 60);
    const QImage shot = v.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& picture = v.canvas().image();
    const Rgb rays[] = {spherical::rayColours::blade, spherical::rayColours::free, spherical::rayColours::kindA,
                        spherical::rayColours::kindB, spherical::rayColours::kindNone, waves::waveColours::airDot,
                        waves::waveColours::glassDot, waves::waveColours::afterDot, waves::waveColours::exitDot,
                        waves::cardinalColours::construction, waves::cardinalColours::thick};
    auto rayPixels = [&](const QImage& image, QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                for (const Rgb ray : rays)
                    n += (image.pixel(x, y) & RGB_MASK) == (qRgb(ray.r, ray.g, ray.b) & RGB_MASK);
        return n;
    };
    int under = 0;
    for (QWidget* control : std::initializer_list<QWidget*>{v.Label1, v.Label2, v.Check1, v.Check2, v.Text1, v.Text2}) {
        SCOPED_TRACE(control->objectName().toStdString() + control->metaObject()->className());
        EXPECT_EQ(rayPixels(shot, QRect(control->mapTo(&v, QPoint(0, 0)), control->size())), 0);
        under += rayPixels(picture, control->geometry());
    }
    EXPECT_GT(under, 0) << "the rays do pass behind the controls";
}

// F2 and the context menu's item show and hide the legend; every colour it names is one the picture of a
// fan with its waves uses. Screens without a legend offer the item disabled.
TEST(Classroom, F2ShowsTheLegendOfTheMarks)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    ASSERT_NE(v.legend(), nullptr);
    EXPECT_FALSE(v.legend()->isVisible());
    QTest::keyClick(&v, Qt::Key_F2);
    EXPECT_TRUE(v.legend()->isVisible());
    EXPECT_TRUE(v.canvas().rect().contains(v.legend()->geometry()));
    // The opening beam: the lens in numbers and the aberration its rays show, on the picture too.
    const QString notes = v.legend()->notes().join(QLatin1Char('\n'));
    for (const char* value : {"f = 120.00", "F2 = 116.67", "H1 = -22.00", "paraxial focus = 116.67", "marginal focus = 59.02", "LSA = 57.65"})
        EXPECT_TRUE(notes.contains(QLatin1String(value))) << value;
    EXPECT_TRUE(v.model.aberrationShown());
    v.legendItem()->trigger();
    EXPECT_FALSE(v.legend()->isVisible());
    EXPECT_FALSE(c.app.ElSahl().legendItem()->isEnabled());

    v.Check1->setChecked(true);
    v.legendItem()->trigger(); // with the legend, a fan from the axis shows its aberration as well
    v.Form_MouseDown(1, 1, -250, 0);
    const QImage picture = v.canvas().image();
    for (const LegendEntry& entry : v.legend()->entries())
        EXPECT_GT(pixelsOf(picture, entry.colour), 0) << entry.text;
}

// Ctrl++ makes the whole screen larger with the pens: the menu bar, and the controls as far as the window
// has room for them, each text whole within its control and every menu item in view; paragraphs end within
// the controls' band, the picture's labels stand below it and the legend in view; Ctrl+0 gives back the
// normal screen.
TEST(Classroom, TheProjectorViewScalesTheWholeScreen)
{
    for (const QSize size : {QSize(1366, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(size.width());
        Classroom c;
        BenchScreen& v = *c.bench;
        LensMenu& menu = c.app.eisagogiko();
        menu.Show();
        v.resize(size);
        v.showLegend(true);
        const int menuHeight = v.menuBar()->sizeHint().height();
        const QRect check = v.Check1->geometry();
        const QFont checkFont = v.Check1->font();
        const int legendHeight = v.legend()->height();
        for (int scale = 1; scale <= 3; ++scale) {
            SCOPED_TRACE(scale);
            if (scale > 1)
                QTest::keyClick(&v, Qt::Key_Plus, Qt::ControlModifier);
            v.Form_MouseDown(1, 1, -250, 30); // a fan with its construction and labels
            v.Form_MouseUp(1, 1, -250, 30);
            menu.deiktissahl->setValue(menu.deiktissahl->value() + 1);
            for (QAction* item : v.menuBar()->actions()) {
                const QRect at = v.menuBar()->actionGeometry(item);
                EXPECT_TRUE(!at.isEmpty() && v.menuBar()->rect().contains(at)) << item->text().toStdString();
            }
            for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{&v, &menu})
                for (QWidget* control : screen->canvas().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                    if (!control->isVisible() || control == v.legend())
                        continue;
                    EXPECT_TRUE(screen->canvas().rect().contains(control->geometry())) << control->metaObject()->className();
                    auto* label = qobject_cast<QLabel*>(control);
                    auto* line = qobject_cast<QLineEdit*>(control);
                    if (label && label->wordWrap()) {
                        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->text().toStdString();
                    } else if (label || line) {
                        const QString text = label ? label->text() : line->text();
                        EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->width()) << text.toStdString();
                    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
                        EXPECT_LE(box->sizeHint().width(), box->width());
                        EXPECT_LE(box->sizeHint().height(), box->height());
                    }
                    // The upper blade's tip, where the opening begins, is never under a control.
                    if (screen == &v) {
                        EXPECT_FALSE(control->geometry().contains(v.canvas().widgetPoint(v.Line1->X2, v.Line1->Y2).toPoint()))
                            << control->metaObject()->className();
                    }
                }
            EXPECT_TRUE(v.canvas().rect().contains(v.legend()->geometry()));
            if (scale > 1 && size.width() == 1920) {
                EXPECT_GT(v.legend()->height(), legendHeight) << "the legend grows with the view";
            }
        }
        EXPECT_GE(v.menuBar()->sizeHint().height(), 1.5 * menuHeight);
        QTest::keyClick(&v, Qt::Key_0, Qt::ControlModifier);
        EXPECT_EQ(v.Check1->geometry(), check);
        EXPECT_EQ(v.Check1->font(), checkFont);
        EXPECT_EQ(v.menuBar()->sizeHint().height(), menuHeight);
    }
}

// The arrow keys move every scroll bar the way its arrow buttons do: Right and Down towards the maximum.
TEST(Classroom, ArrowKeysMoveScrollBarsAsTheirArrowsDo)
{
    Classroom c;
    BenchScreen& v = *c.bench;
    SingleRayScreen& ray = c.app.moniaktina();
    for (QScrollBar* bar : {v.desmi1, v.deiktisdiathlasis, v.VScroll1, c.app.eisagogiko().deiktissahl, ray.aktina1,
                            ray.aktina2, ray.deiktisdiathlasis, ray.kentrokykloy}) {
        SCOPED_TRACE(bar->toolTip().toStdString());
        const bool across = bar->orientation() == Qt::Horizontal;
        const int middle = (bar->minimum() + bar->maximum()) / 2;
        bar->setValue(middle);
        QTest::keyClick(bar, across ? Qt::Key_Right : Qt::Key_Down);
        EXPECT_EQ(bar->value(), middle + 1);
        QTest::keyClick(bar, across ? Qt::Key_Left : Qt::Key_Up);
        QTest::keyClick(bar, across ? Qt::Key_Left : Qt::Key_Up);
        EXPECT_EQ(bar->value(), middle - 1);
    }
}
