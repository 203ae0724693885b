// Watching our top-level windows for destruction from outside (X11).
#include "toolkit/windowwatch.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>

#include <xcb/xcb.h>

#include <algorithm>
#include <vector>

namespace tk {

namespace {

class WindowWatch : public QAbstractNativeEventFilter {
public:
    void add(QWidget* window, std::function<void()> onLost) {
        auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (app && installedOn_ != app && QGuiApplication::platformName() == QLatin1String("xcb")) {
            app->installNativeEventFilter(this);
            installedOn_ = app;
        }
        std::erase_if(watched_, [](const Watched& w) { return w.window.isNull(); });
        watched_.push_back({window, std::move(onLost)});
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        const int kind = event->response_type & 0x7f;
        if (kind == 0) {
            // Qt still unmaps, repaints and finally destroys a window it
            // believes it has; those requests fail on a lost one.
            const auto* error = static_cast<const xcb_generic_error_t*>(message);
            return std::find(lost_.begin(), lost_.end(), error->resource_id) != lost_.end();
        }
        if (kind == XCB_DESTROY_NOTIFY)
            windowDestroyed(static_cast<const xcb_destroy_notify_event_t*>(message)->window);
        return false;
    }

private:
    struct Watched {
        QPointer<QWidget> window;
        std::function<void()> onLost;
    };

    // Qt destroys its own windows only after it has let go of their ids, so
    // a watched widget still holding the id lost it to someone else.
    void windowDestroyed(xcb_window_t id) {
        auto it = std::find_if(watched_.begin(), watched_.end(), [id](const Watched& w) {
            return w.window && w.window->internalWinId() == WId(id);
        });
        if (it == watched_.end()) return;
        lost_.push_back(id);
        const std::function<void()> onLost = std::move(it->onLost);
        watched_.erase(it);
        onLost();
    }

    QPointer<QCoreApplication> installedOn_;
    std::vector<Watched> watched_;
    std::vector<xcb_window_t> lost_;
};

// Never destroyed: it must not outlive Qt's event dispatcher in a static
// destructor.
WindowWatch& windowWatch() {
    static WindowWatch* watch = new WindowWatch;
    return *watch;
}

}  // namespace

void watchWindow(QWidget* window, std::function<void()> onLost) {
    windowWatch().add(window, std::move(onLost));
}

}  // namespace tk
