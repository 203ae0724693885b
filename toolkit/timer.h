// A timer with the classic form semantics: interval 0 delivers no events even
// while enabled, and enabling (or changing the interval while enabled)
// starts the interval afresh. Every timer also obeys one shared hold (the
// pause), kept apart from its own Enabled and Interval.
#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <functional>

namespace tk {

// The pause: while any cause holds, no timer delivers; when the last cause
// ends, every enabled timer with an interval starts a fresh one. Causes are
// independent, so overlapping ones never restore a stale state.
class Hold : public QObject {
    Q_OBJECT
public:
    // Causes the window itself notices.
    static constexpr const char* Minimised = "minimised";
    static constexpr const char* Hidden = "hidden";
    static constexpr const char* Focus = "focus";

    void set(const QString& cause, bool on);
    bool held() const { return !causes_.isEmpty(); }
    bool heldBy(const QString& cause) const { return causes_.contains(cause); }
    // Drops every cause: the window they were about is gone.
    void clear();

signals:
    void changed();  // a cause began or ended
    void heldChanged(bool held);

private:
    QSet<QString> causes_;
};

Hold& hold();

// Holds with one cause for as long as it lives.
class HoldWhile {
public:
    explicit HoldWhile(QString cause) : cause_(std::move(cause)) { hold().set(cause_, true); }
    ~HoldWhile() { hold().set(cause_, false); }
    HoldWhile(const HoldWhile&) = delete;
    HoldWhile& operator=(const HoldWhile&) = delete;

private:
    QString cause_;
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
