// The start-up thread: fontconfig's configuration and the first pictures'
// pixels, made while the main thread connects to the display.
#include "toolkit/headstart.h"

#include "toolkit/pictures.h"
#include "toolkit/runtime.h"

#include <fontconfig/fontconfig.h>

#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace tk {

namespace {
std::jthread g_thread;  // joined at exit
}  // namespace

void headStart(const QStringList& pictures) {
    if (g_thread.joinable()) return;
    // Before the thread allocates its large buffers.
    returnLargeBlocks();
    std::vector<std::function<void()>> work;
    for (const QString& p : pictures) work.push_back(decodeAhead(p));
    try {
        g_thread = std::jthread([work = std::move(work)] {
            // Qt's first text asks fontconfig to load its configuration and
            // font cache, the costliest part of it; done here, it is ready
            // when Qt asks. fontconfig is thread-safe for this.
            FcInit();
            for (const auto& w : work) w();
        });
    } catch (const std::system_error&) {
        // No thread to be had: each piece of work is done where it is needed.
    }
}

}  // namespace tk
