#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace lens {

// A timer with an Interval in milliseconds and an Enabled flag: it ticks every Interval while
// enabled, and never while Interval is 0. A tick never comes faster than the display can show.
class Timer {
public:
    Timer();

    void setInterval(int milliseconds);
    void setEnabled(bool enabled);
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    bool running() const { return timer_.isActive(); }
    // The shortest period a tick is given: one frame of the display.
    static int shortestPeriod();

    std::function<void()> onTimer;

private:
    void update();

    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
};

} // namespace lens
