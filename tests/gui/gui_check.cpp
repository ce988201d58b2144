// Starts the program on a real display with a window manager, takes screenshots of what is on the
// display and checks that the bench shows its whole default lens in the centre, that the picture
// stays whole after a resize and a maximise, and that the hyperbolic-lens screen and the lens menu
// lie side by side on the display. Exits 0 when everything holds.
#include "app/app.h"
#include "app/lens_menu.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "surface/qt/command_button.h"
#include "surface/qt/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <functional>

using namespace lens;

namespace {

int failures = 0;

void check(bool ok, const QString& what)
{
    if (!ok) {
        ++failures;
        std::fprintf(stderr, "gui check: FAILED: %s\n", qPrintable(what));
    }
}

bool waitFor(const std::function<bool()>& done, int milliseconds = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < milliseconds)
        QTest::qWait(20);
    return done();
}

// What is on the display now, in logical pixels.
QImage screenshot()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QImage shot = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    return shot.scaled(screen->geometry().size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Whether the screenshot shows a colour close to `colour` within a few pixels of a user point.
bool shows(const QImage& shot, ScreenWindow& screen, double x, double y, QColor colour, int reach = 3)
{
    const QPointF point = screen.canvas().widgetPoint(x, y);
    const QPoint at = screen.canvas().mapToGlobal(QPoint(int(std::floor(point.x())), int(std::floor(point.y()))));
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p = at + QPoint(dx, dy);
            if (!shot.rect().contains(p))
                continue;
            const QColor c = shot.pixelColor(p);
            if (std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green()) +
                    std::abs(c.blue() - colour.blue()) < 40)
                return true;
        }
    return false;
}

// The default lens: outlines of both circles, the tinted glass, the foci and the blades meeting it.
void checkBench(BenchScreen& bench, const QString& when)
{
    QTest::qWait(300); // let the window manager finish what it may still do
    const QImage shot = screenshot();
    const QColor black(0, 0, 0), glass(200, 228, 250), upper(250, 0, 0), lower(100, 100, 0);
    check(shows(shot, bench, 50, 0, black), when + ": outline of circle A at x = 50");
    check(shows(shot, bench, -70, 0, black), when + ": outline of circle B at x = -70");
    check(shows(shot, bench, -150, 0, black), when + ": outline of circle A at x = -150");
    check(shows(shot, bench, 110, 0, black), when + ": outline of circle B at x = 110");
    check(shows(shot, bench, -10, 40, glass, 0), when + ": tinted glass inside the lens");
    check(shows(shot, bench, -96.165, 0, black, 4) || shows(shot, bench, -96.165, 0, QColor(55, 0, 0), 4),
          when + ": front focus");
    check(shows(shot, bench, 93.308, 0, black, 4) || shows(shot, bench, 93.308, 0, QColor(55, 0, 0), 4),
          when + ": back focus");
    const double rim = bench.Line1->Y2;
    check(rim > 50 && rim < 90, when + ": the upper blade ends on the lens");
    check(shows(shot, bench, 0, rim + 20, upper), when + ": upper blade above the lens");
    check(shows(shot, bench, 0, -rim - 20, lower), when + ": lower blade below the lens");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Lens Bench"));
    installFontSubstitutions();
    QApplication::setFont(controlFont(QStringLiteral("Arial"), 8));

    LensBenchApp app;
    app.endProgram = [] {};
    app.Main();
    BenchScreen& bench = app.vitrosa();
    check(waitFor([&] { return !bench.placing(); }), "the bench was placed");
    const QRect area = bench.screen()->availableGeometry();

    // At start: the window fits the display with its frame, and the lens is in the centre.
    checkBench(bench, "at start");
    check(area.contains(bench.frameGeometry()), "the bench fits the display with its frame");
    check(bench.frameGeometry().height() >= area.height() - 2 && bench.frameGeometry().width() >= area.width() - 2,
          "the bench covers the display");
    const QPoint origin = bench.canvas().mapToGlobal(bench.canvas().widgetPoint(0, 0).toPoint());
    const QPoint middle = bench.canvas().mapToGlobal(bench.canvas().rect().center());
    check((origin - middle).manhattanLength() <= 3, "the lens's origin is in the centre of the picture");

    // Smaller, then maximised: the picture stays whole.
    bench.showNormal();
    bench.resize(area.width() * 3 / 4, area.height() * 3 / 4);
    waitFor([&] { return bench.canvas().width() < area.width() * 4 / 5; }, 3000);
    checkBench(bench, "after a resize");
    bench.showMaximized();
    waitFor([&] { return bench.canvas().width() > area.width() * 4 / 5; }, 3000);
    checkBench(bench, "maximised");

    // The hyperbolic-lens screen beside the lens menu.
    LensMenu& menu = app.eisagogiko();
    menu.Show();
    QTest::qWait(200);
    menu.Command2->click();
    ElSahlScreen& elsahl = app.ElSahl();
    check(waitFor([&] { return elsahl.isVisible() && !elsahl.placing(); }), "the lens screen was placed");
    QTest::qWait(300);
    const QImage shot = screenshot();
    check(shows(shot, elsahl, 48, 0, QColor(255, 0, 0)), "plano-convex lens: its plane face");
    check(area.contains(elsahl.frameGeometry()), "the lens screen fits the display with its frame");
    check(area.contains(menu.frameGeometry()), "the menu fits the display with its frame");
    check(!menu.frameGeometry().intersects(elsahl.frameGeometry()) || area.width() < 1200,
          "the lens menu and the lens screen lie side by side");
    const QSize picture = elsahl.canvas().size();
    check(std::abs(picture.width() / 270.0 - picture.height() / 240.0) < 0.01, "square units on the lens screen");

    if (failures == 0)
        std::printf("gui check: passed at %dx%d\n", area.width(), area.height());
    return failures == 0 ? 0 : 1;
}
