// The lesson a teacher keeps: gathered from the screens, set on them, saved and opened, and the question
// END asks when it has changes not saved.

#include "app/app.h"

#include "app/lens_menu.h"
#include "bench/bench_screen.h"
#include "hyperbolic/elsahl_screen.h"
#include "surface/qt/file_writing.h"

#include <QFileInfo>
#include <QScrollBar>
#include <QUndoStack>

#include <cmath>
#include <utility>

namespace lens {

// One step of the lesson: the lesson before it and after it. Pushing it takes no step: the screens
// already show the lesson after it.
class LessonStep final : public QUndoCommand {
public:
    LessonStep(LensBenchApp& app, Lesson before, Lesson after)
        : app_(app), before_(std::move(before)), after_(std::move(after))
    {
    }
    void undo() override { app_.applyLesson(before_); }
    void redo() override
    {
        if (pushed_)
            app_.applyLesson(after_);
        pushed_ = true;
    }

private:
    LensBenchApp& app_;
    Lesson before_, after_;
    bool pushed_ = false;
};

Dialogs& LensBenchApp::dialogsOf(ScreenWindow& screen) { return *screen.dialogs; }

void LensBenchApp::lessonStepEnded()
{
    if (applying_ || !shownLesson_)
        return;
    Lesson now = lesson();
    if (now == *shownLesson_)
        return;
    Lesson before = std::exchange(*shownLesson_, now);
    undo_->push(new LessonStep(*this, std::move(before), std::move(now)));
}

void LensBenchApp::applyLesson(const Lesson& l)
{
    applying_ = true;
    openLesson(l);
    applying_ = false;
    // Before the bench has its first picture the lesson waits for it; the bench then shows it as its start.
    if (shownLesson_)
        shownLesson_ = lesson();
}

void LensBenchApp::showUndoable()
{
    for (ScreenWindow* screen : std::initializer_list<ScreenWindow*>{vitrosa_.get(), elsahl_.get()})
        if (screen)
            screen->setUndoable(undo_->canUndo(), undo_->canRedo());
}

void LensBenchApp::wireLessons(ScreenWindow& screen)
{
    screen.onSaveLesson = [this] { saveLesson(false); };
    screen.onUndo = [this] { undo_->undo(); };
    screen.onRedo = [this] { undo_->redo(); };
    screen.setUndoable(undo_->canUndo(), undo_->canRedo());
    screen.onSaveLessonAs = [this] { saveLesson(true); };
    screen.onOpenLesson = [this, &screen] {
        const QString file = dialogsOf(screen).openLessonName(&screen);
        if (!file.isEmpty())
            openLessonFile(file);
    };
}

Lesson LensBenchApp::lesson()
{
    Lesson l;
    BenchScreen& bench = vitrosa();
    l.bench = bench.lesson();
    l.legend = bench.legendItem()->isChecked();
    // The lens menu and the lens screen as they stand, or as they would open when not made yet.
    l.lensIndex = eisagogiko_ ? eisagogiko_->deiktissahl->value() : static_cast<int>(std::lround(shared.lensindex * 100));
    l.biconvex = shared.biconvexlens;
    if (elsahl_) {
        const optics::Light& source = elsahl_->model.source();
        l.lensSourceX = source.x, l.lensSourceY = source.y;
    }
    return l;
}

void LensBenchApp::openLesson(const Lesson& l)
{
    BenchScreen& bench = vitrosa();
    // The legend as F2 leaves it, the bench's scene drawn under it.
    if (bench.legendItem()->isChecked() != l.legend)
        bench.legendItem()->trigger();
    bench.openLesson(l.bench);
    eisagogiko().deiktissahl->setValue(l.lensIndex); // its handler gives the lens screen the index
    ElSahl().openLesson(l.biconvex, l.lensSourceX, l.lensSourceY);
}

bool LensBenchApp::openLessonFile(const QString& file)
{
    BenchScreen& bench = vitrosa();
    const auto read = readLessonFile(file);
    if (const auto* problem = std::get_if<QString>(&read)) {
        dialogsOf(bench).messageBox(&bench, *problem);
        return false;
    }
    // Opening a lesson is a step too: undo gives back the bench from before it.
    applying_ = true;
    openLesson(std::get<Lesson>(read));
    applying_ = false;
    lessonStepEnded();
    lessonFile_ = QFileInfo(file).absoluteFilePath();
    keptLesson_ = lesson();
    return true;
}

bool LensBenchApp::saveLesson(bool askName)
{
    BenchScreen& bench = vitrosa();
    QString file = lessonFile_;
    if (askName || file.isEmpty()) {
        file = dialogsOf(bench).saveLessonName(&bench, file.isEmpty() ? QStringLiteral("lesson.lensbench") : file);
        if (file.isEmpty())
            return false;
        if (QFileInfo(file).suffix().isEmpty())
            file += QStringLiteral(".lensbench");
    }
    const Lesson now = lesson();
    const FileWrite written = writeWhole(file, lessonJson(now));
    if (!written) {
        dialogsOf(bench).messageBox(&bench, written.message);
        return false;
    }
    lessonFile_ = QFileInfo(file).absoluteFilePath();
    keptLesson_ = now;
    return true;
}

bool LensBenchApp::lessonChanged()
{
    // Before the bench has its first picture nothing has been changed.
    return keptLesson_ && lesson() != *keptLesson_;
}

void LensBenchApp::endAsked()
{
    if (lessonChanged()) {
        BenchScreen& bench = vitrosa();
        switch (dialogsOf(bench).askAboutChanges(&bench)) {
        case Dialogs::Unsaved::save:
            if (!saveLesson(false))
                return; // not saved (cancelled or failed): the program stays
            break;
        case Dialogs::Unsaved::discard:
            break;
        case Dialogs::Unsaved::cancel:
            return;
        }
    }
    endProgram();
}

} // namespace lens
