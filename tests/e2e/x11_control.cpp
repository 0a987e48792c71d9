// What a desktop does to a game's window and keyboard, for the end-to-end
// tests:
//   close WINDOW-ID    the close control: a WM_DELETE_WINDOW message of the
//                      WM_PROTOCOLS kind (status 2 when the window does not
//                      take part in that protocol);
//   destroy WINDOW-ID  another client destroys the window;
//   repeat on|off      the keyboard's auto-repeat, as `xset r on|off` sets it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

int Close(Display* display, Window window) {
    const Atom protocolsAtom = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom deleteAtom = XInternAtom(display, "WM_DELETE_WINDOW", False);
    if (!OffersDelete(display, window, deleteAtom)) {
        std::fprintf(stderr, "window 0x%lx does not offer WM_DELETE_WINDOW\n", window);
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
    return 0;
}

int Repeat(Display* display, bool on) {
    XKeyboardControl control{};
    control.auto_repeat_mode = on ? AutoRepeatModeOn : AutoRepeatModeOff;
    XChangeKeyboardControl(display, KBAutoRepeatMode, &control);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s close|destroy WINDOW-ID | repeat on|off\n", argv[0]);
        return kUsage;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "cannot open the display\n");
        return kNoDisplay;
    }
    const char* command = argv[1];
    int status = kUsage;
    if (std::strcmp(command, "repeat") == 0) {
        status = Repeat(display, std::strcmp(argv[2], "off") != 0);
    } else {
        const Window window = std::strtoul(argv[2], nullptr, 0);
        if (std::strcmp(command, "close") == 0) status = Close(display, window);
        if (std::strcmp(command, "destroy") == 0) {
            XDestroyWindow(display, window);
            status = 0;
        }
    }
    XCloseDisplay(display);  // flushes the request
    return status;
}
