#include "surface/qt/controls_qt.h"

#include "surface/qt/fonts.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include <cmath>

namespace lens {

namespace {
int currentPointer = 0;

// QScrollBar inverts its keys for a vertical bar's sake, so on a horizontal one Left would move the
// thumb towards the right arrow. Here the arrow keys go the way the arrow buttons do.
class ScrollBar final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (orientation() == Qt::Horizontal && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
            const bool towardsMinimum = (event->key() == Qt::Key_Left) != isRightToLeft();
            triggerAction(towardsMinimum ? SliderSingleStepSub : SliderSingleStepAdd);
            event->accept();
            return;
        }
        QScrollBar::keyPressEvent(event);
    }
};
} // namespace

void setMousePointer(int shape)
{
    if (shape == currentPointer)
        return;
    const Qt::CursorShape qt = shape == 2 ? Qt::CrossCursor : shape == 9 ? Qt::SizeHorCursor : Qt::ArrowCursor;
    if (shape == 0) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } else if (QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(QCursor(qt));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(qt));
    }
    currentPointer = shape;
}

int mousePointer() { return currentPointer; }

QFont controlFont(const QString& name, double points)
{
    QFont font(fontFamilyFor(name));
    font.setPointSizeF(points);
    return font;
}

QFont scaledFont(const QFont& font, double scale)
{
    if (scale == 1)
        return font;
    QFont larger = font;
    if (font.pointSizeF() > 0)
        larger.setPointSizeF(font.pointSizeF() * scale);
    else if (font.pixelSize() > 0)
        larger.setPixelSize(int(std::lround(font.pixelSize() * scale)));
    return larger;
}

QScrollBar* makeScrollBar(Qt::Orientation orientation, int min, int max, int largeChange, int value)
{
    auto* bar = new ScrollBar(orientation);
    bar->setRange(min, max);
    bar->setSingleStep(1);
    bar->setPageStep(largeChange);
    bar->setValue(value);
    bar->setFocusPolicy(Qt::StrongFocus); // the arrow keys move a scroll bar that Tab reached
    return bar;
}

QLineEdit* makeReadOut(const QFont& font)
{
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus); // a read-out is not a stop of the Tab key
    box->setFont(font);
    return box;
}

namespace {

class FocusRing final : public QWidget {
public:
    explicit FocusRing(QWidget* window) : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    // Around the control, or hidden for none.
    void follow(QWidget* control)
    {
        if (!control) {
            hide();
            return;
        }
        constexpr int ring = 2;
        QWidget* holder = control->parentWidget();
        setParent(holder);
        setGeometry(control->geometry().adjusted(-ring, -ring, ring, ring) & holder->rect());
        show();
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};

} // namespace

void showScrollBarFocus(QWidget* window)
{
    auto* ring = new FocusRing(window);
    QObject::connect(qApp, &QApplication::focusChanged, ring, [window, ring](QWidget*, QWidget* now) {
        auto* bar = qobject_cast<QScrollBar*>(now);
        ring->follow(bar && bar->window() == window && bar->isVisible() ? bar : nullptr);
    });
}

} // namespace lens
