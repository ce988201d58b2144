#pragma once

#include <QString>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace lens {

// The modal boxes of the program. Screens ask through this, so tests can answer in their place.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with the text and an OK button.
    virtual void messageBox(QWidget* parent, const QString& text);
    // A modal box with a prompt and a title; returns what was typed, or nothing on Cancel.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                            const QString& defaultAnswer);
    // The page on the printer: a preview, drawn by paint, from which the print dialog sends it to a
    // printer or a PDF file (or nothing, when the user closes it).
    virtual void printPage(QWidget* parent, QPrinter& printer, const std::function<void(QPrinter&)>& paint);
    // The platform's save dialog for a picture (PNG or SVG); empty when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& suggested);
    // The platform's dialogs for a lesson file (.lensbench): the name to save it under, and the lesson to
    // open; empty when cancelled.
    virtual QString saveLessonName(QWidget* parent, const QString& suggested);
    virtual QString openLessonName(QWidget* parent);
    // Whether a lesson with changes not saved is saved first, left unsaved, or the command given up.
    enum class Unsaved { save, discard, cancel };
    virtual Unsaved askAboutChanges(QWidget* parent);
};

} // namespace lens
