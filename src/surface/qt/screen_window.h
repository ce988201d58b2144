#pragma once

#include "surface/qt/canvas.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QFont;
class QLineEdit;
class QScrollBar;

namespace lens {

// Twips: 1440 to the inch, through the display's logical resolution.
int twipsToPixels(double twips, const QWidget* widget);
double pixelsToTwips(double pixels, const QWidget* widget);
// The display's size in twips (the available area, without panels).
QSize displayTwips(const QWidget* widget);

// The modal boxes of the program. Screens ask through this, so tests can answer in their place.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with the text and an OK button.
    virtual void messageBox(QWidget* parent, const QString& text);
    // A modal box with a prompt and a title; returns what was typed, or nothing on Cancel.
    virtual std::optional<QString> inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                            const QString& defaultAnswer);
};

// The program-wide mouse pointer: 0 default, 1 arrow, 2 cross-hair, 9 west-east sizing arrow.
void setMousePointer(int shape);
int mousePointer();

// A window whose client area is a Canvas, with controls placed in twips and an optional menu bar.
// Each screen is created once and then only shown and hidden.
class ScreenWindow : public QMainWindow {
public:
    explicit ScreenWindow(QWidget* parent = nullptr);

    Canvas& canvas() { return *canvas_; }
    Surface& surface() { return canvas_->surface(); }
    const Surface& surface() const { return canvas_->surface(); }

    // Places a child control of the client area, in twips.
    void placeTwips(QWidget* control, double left, double top, double width, double height);
    // Window placement in twips; width and height are those of the whole window.
    void setWindowTwips(std::optional<double> left, std::optional<double> top, double width, double height);
    // Sizes the window so its client area (below the menu bar) is width × height twips.
    void setClientTwips(double width, double height);
    // The client area's size now, in twips.
    QSizeF clientTwips();

    QAction* addMenuItem(const QString& caption, std::function<void()> onClick);

    void Show();
    void Hide();
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    Dialogs* dialogs = nullptr; // never null once the app has set it up

protected:
    void message(const QString& text);
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultAnswer = {});

private:
    void layOutClientArea();

    Canvas* canvas_;
};

QFont controlFont(const QString& name, double points);
// A scroll bar with its range, arrow step 1, track step largeChange and start value.
QScrollBar* makeScrollBar(Qt::Orientation orientation, int min, int max, int largeChange, int value);
// A text box that only shows values.
QLineEdit* makeReadOut(const QFont& font);

} // namespace lens
