#include "surface/qt/timer.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace lens {

Timer::Timer()
{
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimer)
            onTimer();
    });
}

int Timer::shortestPeriod()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
    return std::max(1, int(std::ceil(1000.0 / rate)));
}

void Timer::setInterval(int milliseconds)
{
    interval_ = std::max(0, milliseconds);
    update();
}

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    update();
}

void Timer::update()
{
    if (enabled_ && interval_ > 0) {
        const int period = std::max(interval_, shortestPeriod());
        if (!timer_.isActive() || timer_.interval() != period)
            timer_.start(period);
    } else {
        timer_.stop();
    }
}

} // namespace lens
