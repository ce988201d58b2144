#pragma once

#include "app/lesson_file.h"
#include "surface/shared_values.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QSettings;
class QUndoStack;

namespace lens {

class BenchScreen;
class LensMenu;
class ElSahlScreen;
class SingleRayScreen;
class Dialogs;
class ScreenWindow;
class HelpWindow;

// The whole program: its shared values and its four screens, each created once and afterwards only
// shown and hidden, and the ways between them.
class LensBenchApp {
public:
    // With settings, the program starts with the index of refraction, the check boxes and the
    // projector view it had last, and keeps them as they change.
    explicit LensBenchApp(Dialogs* dialogs = nullptr, QSettings* settings = nullptr);
    ~LensBenchApp();

    // Start-up: the hyperbolic-lens screen and the lens menu are created hidden, the bench is shown.
    void Main();
    // Ends the program at once: every screen closes. Tests may replace it.
    std::function<void()> endProgram;

    SharedValues shared;
    BenchScreen& vitrosa();
    LensMenu& eisagogiko();
    ElSahlScreen& ElSahl();
    SingleRayScreen& moniaktina(); // created on first use

    void openSingleRay();

    // The lesson: the bench, its legend and the hyperbolic lenses as they stand, and all of them set as
    // a lesson left them.
    Lesson lesson();
    void openLesson(const Lesson& lesson);
    // Opens the lesson in file; a file that holds none is refused with a message and nothing changes.
    bool openLessonFile(const QString& file);
    // Saves the lesson to its file, or under a name asked for (the first time, or always with askName).
    // A failed save says why and leaves the file as it was. False when nothing was saved.
    bool saveLesson(bool askName);
    // The lesson differs from the one last saved or opened (or the bench as it opened).
    bool lessonChanged();
    const QString& lessonFile() const { return lessonFile_; }
    // END: at once, or after asking whether to save a lesson with changes (and not when cancelled).
    void endAsked();
    // Undo and redo: each step of the lesson (a drop, a click, a scroll bar's drag or step, a box, a beam,
    // a clear, a lesson opened) gives back the lesson, and so the picture, from before it.
    QUndoStack& undoStack() { return *undo_; }
    // The guide (F1) and the projector view of every screen (1, 2 or 3).
    HelpWindow& openHelp();
    void setViewScale(int scale);
    int viewScale() const { return viewScale_; }

private:
    void placeMenuBesideLensScreen();
    // Screens ask their modal questions through the app's dialogs when it was given some, and share
    // the guide and the projector view.
    void wire(ScreenWindow& screen);
    void rememberBench();
    void rememberLensMenu();
    void wireLessons(ScreenWindow& screen);
    // A step of the lesson has ended: one undo step when the lesson differs from the one shown before it.
    void lessonStepEnded();
    // Sets a lesson on the screens as one step (undo's own steps are not steps).
    void applyLesson(const Lesson& lesson);
    void showUndoable();
    Dialogs& dialogsOf(ScreenWindow& screen);

    Dialogs* dialogs_;
    QSettings* settings_;
    int viewScale_ = 1;
    QString lessonFile_;                // where the lesson was last saved or opened from
    std::optional<Lesson> keptLesson_;  // the lesson as it was then, or as the bench opened
    std::optional<Lesson> shownLesson_; // the lesson at the end of the last step
    std::unique_ptr<QUndoStack> undo_;
    bool applying_ = false;             // a lesson is being set: its redraws are no steps
    friend class LessonStep;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<BenchScreen> vitrosa_;
    std::unique_ptr<LensMenu> eisagogiko_;
    std::unique_ptr<ElSahlScreen> elsahl_;
    std::unique_ptr<SingleRayScreen> moniaktina_;
};

} // namespace lens
