// Lesson files: what a teacher saves opens as the same picture, a file that holds no lesson changes
// nothing, and END asks only when there is something to lose.

#include "app/app.h"
#include "app/handouts.h"
#include "app/lesson_file.h"
#include "bench/bench_page.h"
#include "bench/bench_screen.h"
#include "bench/lens_dialog.h"
#include "surface/recording_device.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace lens;

namespace {

struct LessonBench {
    ScriptedDialogs dialogs;
    LensBenchApp app{&dialogs};
    BenchScreen* bench = nullptr;
    bool ended = false;
    QTemporaryDir folder;
    LessonBench()
    {
        app.endProgram = [this] { ended = true; };
        app.Main();
        bench = &app.vitrosa();
    }
    ~LessonBench()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->hide();
    }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QImage picture() { return bench->canvas().image().copy(); }
    // A lesson a teacher might prepare: a thicker lens of another glass, the upper blade lowered, waves
    // and rays, a fan from above the axis.
    void prepare()
    {
        bench->deiktisdiathlasis->setValue(165);
        bench->aktina1->setValue(80);
        bench->Check1->setChecked(true);
        bench->Form_MouseDown(1, 1, -250, 40);
        bench->Form_MouseUp(1, 1, -250, 40);
        bench->Form_MouseDown(1, 2, 100, -100); // a ruler
        bench->Form_MouseMove(1, 2, 160, -20);
        bench->Form_MouseUp(1, 2, 160, -20);
    }
};

QByteArray readAll(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Lesson, ASavedLessonOpensAsTheSamePictureWithTheSameValues)
{
    LessonBench b;
    b.prepare();
    const QImage prepared = b.picture();
    const Lesson saved = b.app.lesson();
    b.dialogs.lessonNames = {b.file("optics")};
    ASSERT_TRUE(b.app.saveLesson(false));
    EXPECT_EQ(b.app.lessonFile(), b.file("optics.lensbench")) << "the suffix is added";
    const QByteArray json = readAll(b.app.lessonFile());
    EXPECT_TRUE(json.startsWith("{\n    \"format\": \"lensbench-lesson\",\n    \"version\": 1,")) << json.left(80).data();
    EXPECT_FALSE(b.app.lessonChanged());

    // Another lesson over it, then the saved one again: the same values and every pixel the same.
    b.bench->onClear();
    b.bench->deiktisdiathlasis->setValue(120);
    b.bench->Check2->setChecked(true);
    EXPECT_TRUE(b.app.lessonChanged());
    ASSERT_TRUE(b.app.openLessonFile(b.app.lessonFile()));
    EXPECT_EQ(b.app.lesson(), saved);
    EXPECT_EQ(b.picture(), prepared);
    EXPECT_EQ(b.bench->deiktisdiathlasis->value(), 165);
    EXPECT_TRUE(b.bench->Check1->isChecked());
    EXPECT_FALSE(b.app.lessonChanged());
    // Saving again goes to the same file without asking.
    b.bench->aktina1->setValue(90);
    ASSERT_TRUE(b.app.saveLesson(false));
    EXPECT_EQ(b.dialogs.suggestedLessons.size(), 1u);
}

TEST(Lesson, TheExportedLessonIsTheSceneItWasSavedFrom)
{
    // The bench as the command line draws it, a fan from (−250, 40) through glass of index 1.65, saved as
    // a lesson and exported from it.
    QTemporaryDir folder;
    HandoutRequest direct;
    direct.file = folder.filePath(QStringLiteral("direct.png")).toStdString();
    direct.source = std::pair{-250.0, 40.0};
    direct.index = 165;
    ASSERT_EQ(writeHandout(direct), 0);

    RecordingDevice device(1920, 1080);
    Surface s(device);
    bench::BenchModel model;
    loadBench(model, s, 1920, 1080, nullptr, 1);
    model.setValue(s, bench::Bar::deiktisdiathlasis, 165);
    model.fanFrom(s, -250, 40);
    Lesson lesson;
    lesson.bench = model.lesson();
    const QString lessonFile = folder.filePath(QStringLiteral("fan.lensbench"));
    QFile out(lessonFile);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(lessonJson(lesson));
    out.close();

    HandoutRequest fromLesson;
    fromLesson.file = folder.filePath(QStringLiteral("lesson.png")).toStdString();
    fromLesson.lesson = lessonFile.toStdString();
    ASSERT_EQ(writeHandout(fromLesson), 0);
    EXPECT_EQ(QImage(QString::fromStdString(fromLesson.file)), QImage(QString::fromStdString(direct.file)));
    // An option given with the lesson overrides its value.
    fromLesson.index = 150;
    ASSERT_EQ(writeHandout(fromLesson), 0);
    EXPECT_NE(QImage(QString::fromStdString(fromLesson.file)), QImage(QString::fromStdString(direct.file)));
}

TEST(Lesson, AFileThatHoldsNoLessonIsRefusedByNameAndChangesNothing)
{
    LessonBench b;
    b.prepare();
    const QByteArray good = lessonJson(b.app.lesson());
    auto with = [&](const char* from, const char* to) {
        QByteArray bytes = good;
        return bytes.replace(from, to);
    };
    struct Row { const char* name; QByteArray bytes; const char* says; };
    const Row rows[] = {
        {"not JSON", "PNG\x89 not a lesson", "not a JSON file"},
        {"cut short", good.left(good.size() / 2), "not a JSON file"},
        {"another format", with("lensbench-lesson", "ray-optics"), "not a Lens Bench lesson"},
        {"another version", with("\"version\": 1", "\"version\": 2"), "version \"2\""},
        {"a bar beyond its range", with("\"aktina1\": 80", "\"aktina1\": 700"), "\"bench.bars.aktina1\" is 700"},
        {"a fraction on a bar", with("\"aktina1\": 80", "\"aktina1\": 80.5"), "\"bench.bars.aktina1\" is 80.5"},
        {"a box that is no box", with("\"showOnlyWaves\": false", "\"showOnlyWaves\": 0"), "\"bench.showOnlyWaves\" is 0"},
        {"a vertical beam", with("\"beamDegrees\": 0", "\"beamDegrees\": 90"), "\"bench.light.beamDegrees\" is 90"},
        {"a drawing of no kind", with("\"kind\": \"fan\"", "\"kind\": \"laser\""), "\"bench.scenes[0].kind\" is \"laser\""},
        {"the lens screen's index", with("\"deiktissahl\": 150", "\"deiktissahl\": 99"), "\"lenses.deiktissahl\" is 99"},
        {"a key missing", with("\"legend\"", "\"legends\""), "\"legend\" is —"},
        {"a ruler off the bench", with("\"x2\": 160", "\"x2\": 9000"), "\"bench.ruler.x2\" is 9000"},
    };
    const Lesson before = b.app.lesson();
    const QImage picture = b.picture();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = b.file("bad.lensbench");
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(row.bytes);
        out.close();
        b.dialogs.messages.clear();
        EXPECT_FALSE(b.app.openLessonFile(file));
        ASSERT_EQ(b.dialogs.messages.size(), 1u);
        const QStringList lines = b.dialogs.messages[0].split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2) << "Greek, then English";
        EXPECT_TRUE(lines[1].contains(QString::fromUtf8(row.says))) << lines[1].toStdString();
        EXPECT_EQ(b.app.lesson(), before);
        EXPECT_EQ(b.picture(), picture);

        // The command line refuses it with status 2 and writes nothing.
        HandoutRequest request;
        request.file = b.file("out.png").toStdString();
        request.lesson = file.toStdString();
        EXPECT_EQ(writeHandout(request), 2);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(request.file)));
    }
    // A folder is no lesson either, and is never opened.
    EXPECT_FALSE(b.app.openLessonFile(b.folder.path()));
}

TEST(Lesson, EndAsksOnlyWhenTheLessonHasChangesNotSaved)
{
    struct Row { const char* name; bool change; Dialogs::Unsaved answer; int asked; bool ends, saved; };
    const Row rows[] = {
        {"nothing changed", false, Dialogs::Unsaved::cancel, 0, true, false},
        {"changed, not saved", true, Dialogs::Unsaved::discard, 1, true, false},
        {"changed, cancelled", true, Dialogs::Unsaved::cancel, 1, false, false},
        {"changed, saved", true, Dialogs::Unsaved::save, 1, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LessonBench b;
        if (row.change)
            b.prepare();
        b.dialogs.onChanges = row.answer;
        b.dialogs.lessonNames = {b.file("end.lensbench")};
        b.bench->TELIOMA->trigger();
        EXPECT_EQ(b.dialogs.changesAsked, row.asked);
        EXPECT_EQ(b.ended, row.ends);
        EXPECT_EQ(QFile::exists(b.file("end.lensbench")), row.saved);
    }
}

TEST(Undo, EachChangeIsOneStepAndUndoGivesBackThePictureBeforeIt)
{
    LessonBench b;
    BenchScreen& v = *b.bench;
    QUndoStack& stack = b.app.undoStack();
    struct Row { const char* change; std::function<void()> act; };
    const Row rows[] = {
        {"a source carried by a Shift+drag", [&] {
             v.Form_MouseDown(1, 1, -250, 30);
             v.Form_MouseMove(1, 1, -240, 20);
             v.Form_MouseMove(1, 1, -230, 10);
             v.Form_MouseUp(1, 1, -230, 10);
         }},
        {"the source moved from the keyboard", [&] { QTest::keyClick(&v, Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier); }},
        {"a radius stepped by an arrow", [&] { v.aktina1->triggerAction(QAbstractSlider::SliderSingleStepAdd); }},
        {"the index dragged on its bar", [&] {
             v.deiktisdiathlasis->setSliderDown(true);
             v.deiktisdiathlasis->setValue(160);
             v.deiktisdiathlasis->setValue(175);
             v.deiktisdiathlasis->setSliderDown(false);
         }},
        {"the ray count changed", [&] { v.desmi1->setValue(60); }},
        {"the upper blade dragged", [&] {
             v.Form_MouseDown(1, 0, v.Line1->X1, 150);
             v.Form_MouseMove(1, 0, 60, 120);
             v.Form_MouseUp(1, 0, 60, 120);
         }},
        {"a box ticked", [&] { v.Check1->setChecked(true); }},
        {"a beam drawn", [&] {
             b.dialogs.answers = {QStringLiteral("20")};
             v.EPANALIPSI->trigger();
         }},
        {"the picture cleared", [&] { v.onClear(); }},
    };
    std::vector<QImage> pictures{b.picture()};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        const int steps = stack.count();
        row.act();
        EXPECT_EQ(stack.count(), steps + 1);
        pictures.push_back(b.picture());
        EXPECT_NE(pictures.back(), pictures[pictures.size() - 2]);
    }
    // Back through every step to the opening picture, and forward again to the last.
    for (std::size_t i = pictures.size() - 1; i > 0; --i) {
        SCOPED_TRACE(rows[i - 1].change);
        stack.undo();
        EXPECT_EQ(b.picture(), pictures[i - 1]);
    }
    EXPECT_FALSE(stack.canUndo());
    for (std::size_t i = 1; i < pictures.size(); ++i) {
        SCOPED_TRACE(rows[i - 1].change);
        stack.redo();
        EXPECT_EQ(b.picture(), pictures[i]);
    }
    // A change after an undo drops the steps undone.
    stack.undo();
    v.desmi1->setValue(30);
    EXPECT_FALSE(stack.canRedo());
}

TEST(LensValues, TypedValuesShowTheLensAsTypedAndApplyAsTheControlsWould)
{
    LessonBench typed, dragged;
    BenchScreen& v = *typed.bench;
    LensDialog dialog(lensValuesOf(v.model), v.surface());
    EXPECT_TRUE(dialog.derived->text().contains(QStringLiteral("d = 120.00"))) << dialog.derived->text().toStdString();
    dialog.radiusA->setValue(80);
    dialog.index->setValue(1.65);
    EXPECT_TRUE(dialog.derived->text().contains(QStringLiteral("d = 100.00"))) << "as it is typed";
    dialog.radiusA->setValue(9999);
    EXPECT_EQ(dialog.radiusA->value(), 500) << "held to the control's range";
    dialog.radiusA->setValue(80);
    dialog.sourceX->setValue(-250);
    dialog.sourceY->setValue(40);
    const int steps = typed.app.undoStack().count();
    v.applyLensValues(dialog.values());
    EXPECT_EQ(typed.app.undoStack().count(), steps + 1) << "one step";

    // The same by the controls: the bars, then a Shift+click at the source.
    BenchScreen& w = *dragged.bench;
    w.aktina1->setValue(80);
    w.deiktisdiathlasis->setValue(165);
    w.Form_MouseDown(1, 1, -250, 40);
    w.Form_MouseUp(1, 1, -250, 40);
    EXPECT_EQ(typed.app.lesson(), dragged.app.lesson());
    EXPECT_EQ(typed.picture(), dragged.picture());
}
