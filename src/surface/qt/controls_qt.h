#pragma once

#include <QFont>
#include <QString>
#include <Qt>

class QLineEdit;
class QScrollBar;

namespace lens {

// The program-wide mouse pointer: 0 default, 1 arrow, 2 cross-hair, 9 west-east sizing arrow.
void setMousePointer(int shape);
int mousePointer();

QFont controlFont(const QString& name, double points);
// The font `scale` times as large (in points or in pixels, whichever it is given in).
QFont scaledFont(const QFont& font, double scale);
// A scroll bar with its range, arrow step 1, track step largeChange and start value. The arrow keys
// move it the way its arrow buttons do: Left towards the left arrow, Right towards the right one.
QScrollBar* makeScrollBar(Qt::Orientation orientation, int min, int max, int largeChange, int value);
// A text box that only shows values.
QLineEdit* makeReadOut(const QFont& font);
// A ring in the highlight colour around whichever scroll bar of window has the keyboard focus: the
// style draws none of its own, and a user moving through the controls with Tab must see where they are.
void showScrollBarFocus(QWidget* window);

} // namespace lens
