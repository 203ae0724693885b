// A timer with the classic form semantics: interval 0 delivers no events even
// while enabled, and enabling (or changing the interval while enabled)
// starts the interval afresh.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace tk {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(int interval = 0, QObject* parent = nullptr);

    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    // True while events would be delivered.
    bool running() const { return enabled_ && interval_ > 0; }
    // Deliver one event now, as the clock would; false if it would not.
    bool fire();

    std::function<void()> onTimer;

private:
    void sync();
    QTimer clock_;
    int interval_;
    bool enabled_ = false;
};

}  // namespace tk
