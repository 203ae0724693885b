// A timer with the classic form semantics: interval 0 delivers no events even
// while enabled, and enabling (or changing the interval while enabled)
// starts the interval afresh. Every timer also obeys one shared hold (the
// pause), kept apart from its own Enabled and Interval.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace tk {

// The pause: while any cause holds, no timer delivers; when the last cause
// ends, every enabled timer with an interval starts a fresh one. Causes are
// independent, so overlapping ones never restore a stale state.
class Hold : public QObject {
    Q_OBJECT
public:
    enum Cause {
        Minimised,  // the window, as the window system tells it
        Hidden,
        Focus,      // another program has the keyboard
        Menu,       // a menu is open
        Box,        // a box that is not part of the game is open
        Player,     // the player's own pause
    };

    void set(Cause cause, bool on);
    bool held() const { return causes_ != 0; }
    bool heldBy(Cause cause) const { return causes_ & bit(cause); }
    // Drops every cause: the window they were about is gone.
    void clear();

signals:
    void changed();  // a cause began or ended
    void heldChanged(bool held);

private:
    static unsigned bit(Cause cause) { return 1u << cause; }
    unsigned causes_ = 0;
};

Hold& hold();

// Holds with one cause for as long as it lives.
class HoldWhile {
public:
    explicit HoldWhile(Hold::Cause cause) : cause_(cause) { hold().set(cause_, true); }
    ~HoldWhile() { hold().set(cause_, false); }
    HoldWhile(const HoldWhile&) = delete;
    HoldWhile& operator=(const HoldWhile&) = delete;

private:
    Hold::Cause cause_;
};

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(int interval = 0, QObject* parent = nullptr);

    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    // True while events would be delivered.
    bool running() const { return enabled_ && interval_ > 0 && !hold().held(); }
    // Deliver one event now, as the clock would; false if it would not.
    bool fire();
    // Tests fire timers by hand: then no clock runs for any of them.
    // Returns the previous setting.
    static bool setManual(bool manual);
    // Milliseconds to the next event, -1 when none is coming.
    int remainingTime() const { return clock_.isActive() ? clock_.remainingTime() : -1; }

    std::function<void()> onTimer;

private:
    void sync();
    QTimer clock_;
    int interval_;
    bool enabled_ = false;
};

}  // namespace tk
