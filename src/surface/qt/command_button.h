#pragma once

#include <QPushButton>

namespace lens {

// A push button whose caption wraps over several lines to fit the button, as the captions of
// this program's buttons are written for. text() keeps the caption exactly as given.
class CommandButton : public QPushButton {
public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lens
