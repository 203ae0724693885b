// Times a program's window from outside, in a running X server:
//   velmoria-watch [-t SECONDS] PROGRAM [ARGS...]
// starts the program and prints "map_ms frame_ms rss_kb cpu_ms wakeups":
// when its first window was mapped, when the window's pixels last changed
// (the first complete frame: every later look at it shows the same pixels),
// the program's resident memory one second after the start, the processor
// time of all its threads (those already ended too) from the start to the
// end (-t, 2 seconds by default; it is then killed, so that no clean-up
// counts), and how often its threads woke from the first second on while
// nothing happened. Drawing is followed with the DAMAGE extension and the
// window's pixels are looked at after each batch of drawing, so the watcher
// costs nothing while nothing is drawn.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <dirent.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

long residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// How often the program's threads were switched to, summed over them.
long switches(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    long n = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* e = readdir(dir)) {
            if (e->d_name[0] == '.') continue;
            std::ifstream status(tasks + "/" + e->d_name + "/status");
            std::string line;
            while (std::getline(status, line))
                if (line.find("ctxt_switches:") != std::string::npos)
                    n += std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10);
        }
        closedir(dir);
    }
    return n;
}

// A fingerprint of the pixels inside a window's rectangle on the screen.
unsigned long long look(Display* d, Window root, const XWindowAttributes& at) {
    XImage* img = XGetImage(d, root, at.x, at.y, unsigned(at.width), unsigned(at.height), AllPlanes, ZPixmap);
    if (!img) return 0;
    unsigned long long h = 1469598103934665603ull;  // FNV-1a
    for (int y = 0; y < img->height; ++y) {
        const auto* row = reinterpret_cast<const unsigned char*>(img->data + std::ptrdiff_t(y) * img->bytes_per_line);
        for (int i = 0; i < img->width * img->bits_per_pixel / 8; ++i) h = (h ^ row[i]) * 1099511628211ull;
    }
    XDestroyImage(img);
    return h;
}

struct Look {
    double ms;
    unsigned long long pixels;
};

}  // namespace

int main(int argc, char** argv) {
    double seconds = 2.0;
    int first = 1;
    if (argc > 2 && std::strcmp(argv[1], "-t") == 0) {
        seconds = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [-t SECONDS] PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "velmoria-watch: no X display\n");
        return 1;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(d, &damageEvent, &damageError)) {
        std::fprintf(stderr, "velmoria-watch: the X server has no DAMAGE extension\n");
        return 1;
    }
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    const Damage damage = XDamageCreate(d, root, XDamageReportNonEmpty);
    // Start on a still screen: a window of an earlier program may still be
    // going away.
    for (Clock::time_point quiet = Clock::now(), t = quiet; msSince(quiet) < 100 && msSince(t) < 2000;) {
        XDamageSubtract(d, damage, None, None);
        XSync(d, False);
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (!XPending(d)) poll(&fd, 1, 20);
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == damageEvent + XDamageNotify) quiet = Clock::now();
        }
    }

    pid_t pid = 0;
    const Clock::time_point t0 = Clock::now();
    if (posix_spawnp(&pid, argv[first], nullptr, nullptr, argv + first, environ) != 0) {
        std::perror("velmoria-watch: cannot start the program");
        return 1;
    }

    Window window = 0;
    XWindowAttributes at{};
    double mapMs = -1;
    long rss = -1;
    long switchesAtOne = 0;
    std::vector<Look> looks;
    bool drawn = false;  // drawing seen since the last look
    double lastDamage = 0;
    for (;;) {
        const double now = msSince(t0);
        if (rss < 0 && now >= 1000) {
            rss = residentKb(pid);
            switchesAtOne = switches(pid);
        }
        if (now >= seconds * 1000 && rss >= 0) break;
        if (int status = 0; waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "velmoria-watch: %s ended after %.0f ms\n", argv[first], now);
            return 1;
        }
        if (drawn && window) {
            looks.push_back({lastDamage, look(d, root, at)});
            drawn = false;
        }
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (!XPending(d)) poll(&fd, 1, 20);
        const double arrived = msSince(t0);
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && !window && !e.xmap.override_redirect) {
                window = e.xmap.window;
                mapMs = arrived;
                XGetWindowAttributes(d, window, &at);
            } else if (e.type == damageEvent + XDamageNotify) {
                XDamageSubtract(d, damage, None, None);
                if (!window) continue;  // not the program's drawing
                drawn = true;
                lastDamage = arrived;
            }
        }
    }
    const long wakeups = switches(pid) - switchesAtOne;
    const unsigned long long final = window ? look(d, root, at) : 0;
    if (drawn || (!looks.empty() && looks.back().pixels != final)) looks.push_back({lastDamage, final});
    kill(pid, SIGKILL);
    int status = 0;
    rusage used{};
    wait4(pid, &status, 0, &used);
    const double cpuMs = (used.ru_utime.tv_sec + used.ru_stime.tv_sec) * 1e3 +
                         (used.ru_utime.tv_usec + used.ru_stime.tv_usec) / 1e3;
    XDamageDestroy(d, damage);
    XCloseDisplay(d);
    if (!window) {
        std::fprintf(stderr, "velmoria-watch: %s showed no window\n", argv[first]);
        return 1;
    }
    // The first look from which on the pixels stayed as they ended.
    double frameMs = mapMs;
    for (auto it = looks.rbegin(); it != looks.rend() && it->pixels == final; ++it) frameMs = it->ms;
    std::printf("%.1f %.1f %ld %.1f %ld\n", mapMs, frameMs, rss, cpuMs, wakeups);
    return 0;
}
