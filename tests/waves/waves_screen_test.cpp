// The bench's waves drawn into its real retained image: the picture it opens with, and the fast drawing of
// the lens outline against the literal one, pixel for pixel.

#include "app/app.h"
#include "bench/bench_screen.h"
#include "../app/bench_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "../app/scripted_dialogs.h"

#include <gtest/gtest.h>

using namespace lens;

namespace {

struct WaveBench : Bench {
    // The picture of one drawing from a fresh scene, with the outline drawn as asked.
    QImage draw(waves::OutlineRedraw outlines, const std::function<void()>& drawing)
    {
        bench->model.setOutlineRedraw(outlines);
        bench->surface().Cls();
        bench->anaschediasi();
        drawing();
        return bench->canvas().image().copy();
    }
    // Saves the window as a PNG when LENSBENCH_PICTURES names a folder (for the README's pictures).
    void save(const char* name)
    {
        const QByteArray folder = qgetenv("LENSBENCH_PICTURES");
        if (!folder.isEmpty())
            bench->grab().save(QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromLatin1(name)));
    }
};

} // namespace

TEST(BenchWaves, TheBenchOpensWithTheParallelBeamThroughTheLens)
{
    WaveBench b;
    EXPECT_TRUE(b.bench->model.light().beam);
    // Above the lens the upper blade stops the beam's rays; lower down they meet the left face (circle B).
    EXPECT_EQ(b.at(-150, 100), spherical::rayColours::blade);
    EXPECT_EQ(b.at(-150, 40), spherical::rayColours::kindB);
    EXPECT_EQ(b.at(-150, 30), b.bench->surface().BackColor); // between two rays 20 units apart
    b.save("beam.png");
}

TEST(BenchWaves, OutlineDrawnOnceGivesTheSamePictureAsEveryStep)
{
    WaveBench b;
    BenchScreen& v = *b.bench;
    v.Check1->setChecked(true);
    v.desmi1->setValue(150); // the densest fan: 573 rays
    struct Scene {
        const char* name;
        std::function<void()> drawing;
        Rgb front; // the colour of its wavefronts
    };
    const Scene scenes[] = {
        {"fan from a point left of the lens", [&] { v.desmiapopigi(-200, 0); }, waves::waveColours::exitDot},
        {"fan from a point off the axis", [&] { v.desmiapopigi(-220, 60); }, waves::waveColours::exitDot},
        {"fan from inside the glass", [&] { v.desmiapopigi(-20, 10); }, waves::waveColours::exitDot},
        {"parallel beam with its waves", [&] { v.parallelbeam(0.2); }, waves::waveColours::beamFront},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        v.model.fanFrom(v.surface(), -200, 0); // the source shines again, not the beam
        const QImage literal = b.draw(waves::OutlineRedraw::everyStep, scene.drawing);
        v.model.fanFrom(v.surface(), -200, 0); // the source shines again, not the beam
        const QImage fast = b.draw(waves::OutlineRedraw::once, scene.drawing);
        ASSERT_EQ(literal.size(), fast.size());
        // The picture has its fronts on it, and every pixel is the same.
        EXPECT_GT(pixelsOf(fast, scene.front), 200);
        EXPECT_TRUE(literal == fast);
    }
    v.model.fanFrom(v.surface(), -200, 0);
    b.draw(waves::OutlineRedraw::once, [&] { v.desmiapopigi(-200, 0); });
    b.save("waves.png");
}

namespace {

struct AnimationBench : WaveBench {
    // A Shift+click fan from (x, y) with "SHOW WAVES AND RAYS" ticked.
    void fan(double x, double y)
    {
        bench->Check1->setChecked(true);
        Surface& s = bench->surface();
        QTest::mouseClick(&bench->canvas(), Qt::LeftButton, Qt::ShiftModifier, QPoint(int(s.pixelX(x)), int(s.pixelY(y))));
    }
    QImage picture() { return bench->canvas().image().copy(); }
};

} // namespace

TEST(BenchWavesInTime, EachTimerCountsItsTicksAndStopsWhenItsCountIsUp)
{
    AnimationBench b;
    BenchScreen& v = *b.bench;
    b.fan(-200, 0);
    ASSERT_GT(v.model.records().raycount, 40);
    struct Row {
        const char* name;
        std::function<void()> start;
        Timer& timer;
        std::function<void()> tick;
        std::function<int()> count;
        int stopsAt;   // the tick that disables the timer
        int lastDrawn; // ticks after this one leave the picture as it is
    };
    ScriptedDialogs cancelled; // answers no prompt
    v.dialogs = &cancelled;
    const auto count1 = [&] { return v.model.tickcount1(); };
    const auto count2 = [&] { return v.model.tickcount2(); };
    const Row rows[] = {
        {"WAVES IN  TIME  XPONIKA", [&] { v.kymatachronika->trigger(); }, v.Timer1, [&] { v.Timer1_Timer(); },
         count1, 502, 240},
        {"// WAVES  KYMATA", [&] { v.parallilakymata->trigger(); }, v.Timer2, [&] { v.Timer2_Timer(); }, count2, 241, 240},
        // The bundle's prompt sets Timer1 to 1500 ms; cancelled, it leaves the timer running on the redrawn lens.
        {"Timer1 at 1500 ms", [&] { v.kymatachronika->trigger(); v.EPANALIPSI->trigger(); }, v.Timer1,
         [&] { v.Timer1_Timer(); }, count1, 2, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.start();
        QImage before = b.picture();
        for (int tick = 1; tick < row.stopsAt; ++tick) {
            row.tick();
            ASSERT_TRUE(row.timer.enabled()) << tick;
            ASSERT_EQ(row.count(), tick);
            const QImage now = b.picture();
            ASSERT_EQ(now != before, tick <= row.lastDrawn) << tick;
            before = now;
        }
        row.tick();
        EXPECT_FALSE(row.timer.enabled());
        EXPECT_EQ(row.count(), 0);
        EXPECT_TRUE(b.picture() == before);
    }
    // The finished animation: red front, every tenth front kept in dark blue, and nothing erased to
    // white on a bench whose background is the window colour.
    b.fan(-200, 0); // the cancelled prompt left no ray recorded
    v.kymatachronika->trigger();
    for (int tick = 1; tick <= 240; ++tick)
        v.Timer1_Timer();
    const QImage done = b.picture();
    ASSERT_NE(b.background(), colours::white);
    EXPECT_GT(pixelsOf(done, waves::animationColours::front), 200);
    EXPECT_GT(pixelsOf(done, waves::animationColours::keptFront), 23 * 100);
    EXPECT_EQ(pixelsOf(done, colours::white), 0);
    b.save("waves-in-time.png");
    // A resize draws the last frame again: its front and its kept fronts.
    v.redrawScene();
    EXPECT_NEAR(pixelsOf(b.picture(), waves::animationColours::front), pixelsOf(done, waves::animationColours::front), 100);
    EXPECT_GT(pixelsOf(b.picture(), waves::animationColours::keptFront), 23 * 100);
}

TEST(BenchWavesInTime, NoTickDrawsOnAPictureItDidNotStart)
{
    AnimationBench b;
    BenchScreen& v = *b.bench;
    ScriptedDialogs dialogs;
    v.dialogs = &dialogs;
    // With no ray recorded (the bundle's prompt, cancelled, leaves none) a tick counts and draws nothing.
    v.EPANALIPSI->trigger();
    ASSERT_EQ(v.model.records().raycount, 0);
    v.kymatachronika->trigger();
    QImage before = b.picture();
    v.Timer1_Timer();
    EXPECT_EQ(v.model.tickcount1(), 1);
    EXPECT_TRUE(b.picture() == before);
    // A Shift+press, the bundle (whose Timer2 ticks once at 1550 ms), a check box that clears: the
    // timers go on as their counts say, but the new picture stays as it was drawn.
    struct Row { const char* name; std::function<void()> command; };
    const Row rows[] = {
        {"Shift+press", [&] { b.fan(-220, 20); }},
        {"bundle", [&] { dialogs.answers = {QStringLiteral("10")}; v.EPANALIPSI->trigger(); }},
        {"SHOW ONLY WAVES", [&] { v.Check2->setChecked(true); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        b.fan(-200, 0);
        v.kymatachronika_Click();
        v.Timer1_Timer();
        row.command();
        before = b.picture();
        v.Timer1_Timer();
        v.Timer2_Timer();
        EXPECT_TRUE(b.picture() == before);
    }
    // Hiding the bench ends a running animation.
    v.kymatachronika->trigger();
    v.Timer1_Timer();
    v.hide();
    EXPECT_FALSE(v.Timer1.running());
    EXPECT_EQ(v.model.tickcount1(), 0);
}

TEST(BenchWavesInTime, TheOutlineDrawnOnceGivesTheLiteralPicture)
{
    AnimationBench b;
    BenchScreen& v = *b.bench;
    QImage pictures[2];
    for (const auto outline : {waves::OutlineRedraw::everyStep, waves::OutlineRedraw::once}) {
        v.model.setTickOutline(outline);
        v.model.stopAnimation();
        b.fan(-200, 0);
        v.kymatachronika->trigger();
        for (int tick = 1; tick <= 137; ++tick)
            v.Timer1_Timer();
        pictures[outline == waves::OutlineRedraw::once] = b.picture();
    }
    EXPECT_GT(pixelsOf(pictures[1], waves::animationColours::front), 200);
    EXPECT_TRUE(pictures[0] == pictures[1]);
}

namespace {

// Prints through the bench's own printer set-up into a PDF file instead of the preview.
struct PdfDialogs : ScriptedDialogs {
    QString file;
    QRectF paint, paper; // the page's drawing area and the whole sheet, in points
    void printPage(QWidget*, QPrinter& printer, const std::function<void(QPrinter&)>& draw) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        paint = printer.pageLayout().paintRectPoints();
        paper = printer.pageLayout().fullRectPoints();
        draw(printer);
    }
};

// The PDF rendered at 72 dots to the inch (one pixel a point), without smoothing, so colours stay exact.
QImage rendered(const QString& pdf)
{
    const QString base = pdf + QStringLiteral("-page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-aa"),
                                                   QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                                                   QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, base});
    return QImage(base + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(BenchPrint, ThePageShowsTheLensFanConstructionsAndWavesAsTheBoxesSay)
{
    AnimationBench b;
    BenchScreen& v = *b.bench;
    PdfDialogs dialogs;
    v.dialogs = &dialogs;
    QTemporaryDir folder;
    b.fan(-200, 30);
    const int recorded = v.model.records().raycount;
    struct Row { const char* name; bool check1, check2, rays, constructions; };
    const Row rows[] = {
        {"no box", false, false, true, true},
        {"SHOW WAVES AND RAYS", true, false, true, true},
        {"SHOW ONLY WAVES", false, true, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        v.Check1->setChecked(row.check1);
        v.Check2->setChecked(row.check2);
        v.Check1->setChecked(row.check1);
        ASSERT_EQ(v.Check1->isChecked(), row.check1);
        const QImage benchBefore = b.picture();
        dialogs.file = folder.filePath(QString::fromLatin1(row.name).replace(QLatin1Char(' '), QLatin1Char('_')) + ".pdf");
        v.ektyposi->click();
        ASSERT_TRUE(QFile::exists(dialogs.file));
        // One landscape page, and the bench's own picture and ray table untouched.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {dialogs.file});
        ASSERT_TRUE(info.waitForFinished());
        const QString text = QString::fromLocal8Bit(info.readAllStandardOutput());
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << text.toStdString();
        EXPECT_TRUE(b.picture() == benchBefore);
        EXPECT_EQ(v.model.records().raycount, recorded);

        const QImage page = rendered(dialogs.file);
        ASSERT_EQ(page.size(), dialogs.paper.size().toSize());
        EXPECT_GT(page.width(), page.height());
        // Rendered pixel to user point: the page's 1200 units span its drawing area's width plus height.
        const double unit = (dialogs.paint.width() + dialogs.paint.height()) / 1200;
        auto user = [&](int x, int y) {
            return QPointF((x + 0.5 - dialogs.paint.center().x()) / unit, (dialogs.paint.center().y() - y - 0.5) / unit);
        };
        const QRgb red = qRgb(255, 0, 0) & RGB_MASK, green = qRgb(0, 255, 0) & RGB_MASK, blue = qRgb(0, 0, 255) & RGB_MASK;
        QRectF faces;
        int redPixels = 0, redAtSource = 0, bluePixels = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb c = page.pixel(x, y) & RGB_MASK;
                const QPointF p = user(x, y);
                if (c == green)
                    faces = faces.isNull() ? QRectF(p, QSizeF(0.01, 0.01)) : faces.united(QRectF(p, QSizeF(0.01, 0.01)));
                redPixels += c == red;
                redAtSource += c == red && std::hypot(p.x() + 200, p.y() - 30) < 8;
                bluePixels += c == blue;
            }
        // The lens's two faces in green between its vertices (−70 and 50) and its rim (±87.4).
        EXPECT_NEAR(faces.left(), -70, 4);
        EXPECT_NEAR(faces.right(), 50, 4);
        EXPECT_NEAR(faces.top(), -87.4, 4);
        EXPECT_NEAR(faces.bottom(), 87.4, 4);
        // Rays leave from the source; the first front lies 25 units from it.
        EXPECT_EQ(redAtSource > 10, row.rays) << redAtSource;
        EXPECT_GT(redPixels, 500);
        EXPECT_EQ(bluePixels > 100, row.constructions) << bluePixels;
        if (QByteArray folderName = qgetenv("LENSBENCH_PICTURES"); !folderName.isEmpty() && row.check1)
            page.save(QDir(QString::fromLocal8Bit(folderName)).filePath(QStringLiteral("printed-page.png")));
    }
    // In parallel-beam mode the page ends with the beam's waves, with no box ticked too.
    v.Check1->setChecked(false);
    v.Check2->setChecked(false);
    v.Check1->setChecked(false);
    dialogs.answers = {QStringLiteral("0")};
    v.EPANALIPSI->trigger();
    dialogs.file = folder.filePath(QStringLiteral("beam.pdf"));
    v.ektyposi->click();
    const QImage beamPage = rendered(dialogs.file);
    EXPECT_GT(pixelsOf(beamPage, waves::waveColours::beamFront), 100);
    EXPECT_GT(pixelsOf(beamPage, RGB(255, 0, 0)), 500); // the fan is printed too
    // A PDF that cannot be written gives a message that says why, not a page.
    dialogs.file = QStringLiteral("/nonexistent-folder/page.pdf");
    v.ektyposi->click();
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.messages.back().contains(QStringLiteral("does not exist")));
}

TEST(BenchPrint, ThePreviewShowsTheWorksheetWhileItsBoxIsTicked)
{
    AnimationBench b;
    BenchScreen& v = *b.bench;
    ScriptedDialogs dialogs; // the real preview
    v.dialogs = &dialogs;
    b.fan(-200, 0);
    QImage shown[3];
    bool offered = false;
    QTimer::singleShot(0, &v, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        auto* pages = preview->findChild<QPrintPreviewWidget*>();
        QCheckBox* worksheet = nullptr;
        for (QCheckBox* box : preview->findChildren<QCheckBox*>())
            if (box->text() == QStringLiteral("Φύλλο εργασίας / Worksheet"))
                worksheet = box;
        offered = worksheet && pages;
        if (offered) {
            pages->fitToWidth();
            for (QImage& picture : shown) {
                picture = pages->grab().toImage();
                worksheet->click();
            }
        }
        preview->reject();
    });
    v.ektyposi->click();
    ASSERT_TRUE(offered);
    // Ticked, the page shows blanks in place of the numbers; cleared, the numbers again.
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_EQ(shown[0], shown[2]);
}
