// Asks an X window to close as a window manager's close control does: a
// WM_DELETE_WINDOW message of the WM_PROTOCOLS kind. Exit status 2 when the
// window does not take part in that protocol.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kUsage = 64;
constexpr int kNotOffered = 2;
constexpr int kNoDisplay = 3;

bool OffersDelete(Display* display, Window window, Atom deleteAtom) {
    Atom* protocols = nullptr;
    int count = 0;
    if (XGetWMProtocols(display, window, &protocols, &count) == 0) return false;
    bool found = false;
    for (int i = 0; i < count; ++i) found = found || protocols[i] == deleteAtom;
    XFree(protocols);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s WINDOW-ID\n", argv[0]);
        return kUsage;
    }
    const Window window = std::strtoul(argv[1], nullptr, 0);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return kNoDisplay;
    }
    const Atom protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!OffersDelete(display, window, deleteAtom)) {
        std::fprintf(stderr, "window 0x%lx does not offer WM_DELETE_WINDOW\n", window);
        XCloseDisplay(display);
        return kNotOffered;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocolsAtom;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(deleteAtom);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);  // flushes the request
    return 0;
}
