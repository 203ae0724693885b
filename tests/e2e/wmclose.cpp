// wmclose WINDOW_ID: asks a top-level window to close, the way a window
// manager's close button does (WM_PROTOCOLS / WM_DELETE_WINDOW).

#include <X11/Xlib.h>
#include <X11/Xatom.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wmclose WINDOW_ID\n");
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long id = std::strtoul(argv[1], &end, 0);
    if (errno != 0 || end == argv[1] || *end != '\0' || id == 0) {
        std::fprintf(stderr, "wmclose: bad window id '%s'\n", argv[1]);
        return 2;
    }

    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "wmclose: cannot open display\n");
        return 1;
    }
    const Window win = static_cast<Window>(id);
    const Atom protocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    const Atom deleteWindow = XInternAtom(dpy, "WM_DELETE_WINDOW", False);

    // Only send it if the window says it understands it, as a WM would.
    Atom* list = nullptr;
    int count = 0;
    bool supported = false;
    if (XGetWMProtocols(dpy, win, &list, &count)) {
        for (int i = 0; i < count; ++i)
            if (list[i] == deleteWindow) supported = true;
        XFree(list);
    }
    if (!supported) {
        std::fprintf(stderr, "wmclose: window 0x%lx lacks WM_DELETE_WINDOW\n", id);
        XCloseDisplay(dpy);
        return 1;
    }

    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = win;
    ev.xclient.message_type = protocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(deleteWindow);
    ev.xclient.data.l[1] = CurrentTime;
    XSendEvent(dpy, win, False, NoEventMask, &ev);
    XSync(dpy, False);
    XCloseDisplay(dpy);
    return 0;
}
