#include "toolkit/timer.h"

#include <algorithm>

namespace tk {

Timer::Timer(int interval, QObject* parent) : QObject(parent), interval_(std::max(0, interval)) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { fire(); });
}

void Timer::setInterval(int ms) {
    interval_ = std::max(0, ms);
    sync();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    sync();
}

void Timer::sync() {
    if (running()) clock_.start(interval_);  // restarts a pending interval
    else clock_.stop();
}

bool Timer::fire() {
    if (!running()) return false;
    if (onTimer) onTimer();
    return true;
}

}  // namespace tk
