// The bench's waves drawn into its real retained image: the picture it opens with, and the fast drawing of
// the lens outline against the literal one, pixel for pixel.

#include "app/app.h"
#include "bench/bench_screen.h"
#include "../app/bench_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace lens;

namespace {

struct WaveBench : Bench {
    // The picture of one drawing from a fresh scene, with the outline drawn as asked.
    QImage draw(waves::OutlineRedraw outlines, const std::function<void()>& drawing)
    {
        bench->outlineRedraw = outlines;
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
    EXPECT_TRUE(b.app.shared.parallelmode);
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
        b.app.shared.parallelmode = false;
        const QImage literal = b.draw(waves::OutlineRedraw::everyStep, scene.drawing);
        b.app.shared.parallelmode = false;
        const QImage fast = b.draw(waves::OutlineRedraw::once, scene.drawing);
        ASSERT_EQ(literal.size(), fast.size());
        // The picture has its fronts on it, and every pixel is the same.
        int frontPixels = 0;
        for (int y = 0; y < fast.height(); ++y)
            for (int x = 0; x < fast.width(); ++x)
                frontPixels += (fast.pixel(x, y) & RGB_MASK) == (qRgb(scene.front.r, scene.front.g, scene.front.b) & RGB_MASK);
        EXPECT_GT(frontPixels, 200);
        EXPECT_TRUE(literal == fast);
    }
    b.app.shared.parallelmode = false;
    b.draw(waves::OutlineRedraw::once, [&] { v.desmiapopigi(-200, 0); });
    b.save("waves.png");
}
