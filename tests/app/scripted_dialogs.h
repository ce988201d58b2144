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
    std::vector<QString> messages, prompts;
    std::deque<std::optional<QString>> answers;
};

} // namespace lens
