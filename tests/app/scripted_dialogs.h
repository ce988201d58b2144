#pragma once

#include "surface/qt/screen_window.h"

#include <deque>
#include <optional>
#include <vector>

namespace lens {

// Answers the program's modal boxes in the user's place and keeps what they said.
class ScriptedDialogs : public Dialogs {
public:
    void messageBox(QWidget*, const QString& text) override { messages.push_back(text); }
    std::optional<QString> inputBox(QWidget*, const QString& prompt, const QString& title, const QString&) override
    {
        prompts.push_back(prompt + QStringLiteral(" | ") + title);
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer;
        answer.swap(answers.front());
        answers.pop_front();
        return answer;
    }
    // The lesson's file dialogs give the names queued (empty: cancelled); a lesson with changes is left
    // unsaved unless told otherwise.
    QString saveLessonName(QWidget*, const QString& suggested) override
    {
        suggestedLessons.push_back(suggested);
        return next(lessonNames);
    }
    QString openLessonName(QWidget*) override { return next(lessonNames); }
    Unsaved askAboutChanges(QWidget*) override
    {
        ++changesAsked;
        return onChanges;
    }
    std::vector<QString> messages, prompts, suggestedLessons;
    std::deque<std::optional<QString>> answers;
    std::deque<QString> lessonNames;
    Unsaved onChanges = Unsaved::discard;
    int changesAsked = 0;

private:
    static QString next(std::deque<QString>& names)
    {
        if (names.empty())
            return {};
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

} // namespace lens
