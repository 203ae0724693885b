// Classic timers and the one hold (pause) over all of them.
#include "toolkit/timer.h"

#include <algorithm>
#include <utility>

namespace tk {

// ---- Hold ------------------------------------------------------------------

Hold& hold() {
    static Hold* h = new Hold;  // outlives every timer, whatever the order of exit
    return *h;
}

void Hold::set(Cause cause, bool on) {
    const bool was = held();
    if (on == heldBy(cause)) return;
    if (on) causes_ |= bit(cause);
    else causes_ &= ~bit(cause);
    if (held() != was) emit heldChanged(held());
    emit changed();
}

void Hold::clear() {
    if (!causes_) return;
    causes_ = 0;
    emit heldChanged(false);
    emit changed();
}

// ---- Timer -----------------------------------------------------------------

namespace {
bool g_manual = false;
}

bool Timer::setManual(bool manual) { return std::exchange(g_manual, manual); }

Timer::Timer(int interval, QObject* parent) : QObject(parent), interval_(std::max(0, interval)) {
    clock_.setTimerType(Qt::PreciseTimer);
    connect(&clock_, &QTimer::timeout, this, [this] { fire(); });
    connect(&hold(), &Hold::heldChanged, this, [this] { sync(); });
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
    if (running() && !g_manual) clock_.start(interval_);  // restarts a pending interval
    else clock_.stop();
}

bool Timer::fire() {
    if (!running()) return false;
    if (onTimer) onTimer();
    return true;
}

}  // namespace tk
