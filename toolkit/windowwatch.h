// Notices, from the window system's own events, when one of our windows is
// destroyed from outside (a tool such as xdotool, a window manager gone
// wrong), so that its owner can treat it as closed. No polling: nothing runs
// until the window system reports something.
#pragma once

#include <QWidget>

#include <functional>

namespace tk {

// Calls onLost once, when the native window of the top-level `window` is
// destroyed by anyone but us. Watching ends with the widget. Qt's own later
// requests on the lost window fail quietly instead of printing X errors.
void watchWindow(QWidget* window, std::function<void()> onLost);

}  // namespace tk
