#include "x11_keyboard.h"

#include <QGuiApplication>
#include <QWidget>
#include <array>

#include "game/keys.h"
#include "key_map.h"

// The X headers define names such as KeyPress and None as macros: they come last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <xcb/xproto.h>

namespace quondra::qt {
namespace {

Display* X11Display() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

constexpr std::uint8_t kSentEventBit = 0x80;
constexpr int kBitsPerByte = 8;
// XQueryKeymap's answer: a bit for each of the 256 key codes.
constexpr std::size_t kKeymapBytes = 32;

// The key code that types a virtual key in the keyboard map now; a letter the
// layout lacks (another script) sits at its place on a US keyboard, as the
// game reads that letter's key events.
KeyCode KeyCodeOf(Display* display, std::int16_t code) {
    const std::optional<std::uint32_t> place = LetterScanCode(code);
    KeySym sym = NoSymbol;
    if (place) sym = XK_a + (code - kKeyA);
    else if (code == kKeyLeft) sym = XK_Left;
    else if (code == kKeyRight) sym = XK_Right;
    else if (code == kKeyUp) sym = XK_Up;
    else if (code == kKeyDown) sym = XK_Down;
    if (sym == NoSymbol) return 0;
    if (const KeyCode keyCode = XKeysymToKeycode(display, sym); keyCode != 0) return keyCode;
    return place ? static_cast<KeyCode>(*place) : 0;
}

}  // namespace

std::map<std::int16_t, bool> KeysDownNow(std::span<const std::int16_t> codes) {
    std::map<std::int16_t, bool> down;
    Display* display = X11Display();
    if (display == nullptr) return down;
    // As the server holds the keys at this request.
    std::array<char, kKeymapBytes> keymap{};
    XQueryKeymap(display, keymap.data());
    for (const std::int16_t code : codes) {
        const KeyCode keyCode = KeyCodeOf(display, code);
        if (keyCode == 0) continue;
        down[code] = (keymap[keyCode / kBitsPerByte] >> (keyCode % kBitsPerByte) & 1) != 0;
    }
    return down;
}

bool UseDetectableAutoRepeat() {
    Display* display = X11Display();
    if (display == nullptr) return false;
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(display, True, &supported) == True && supported == True;
}

CloseRequestFilter::CloseRequestFilter(const QWidget& window, std::function<void()> closed)
    : window_(window), closed_(std::move(closed)) {
    if (Display* display = X11Display()) {
        // Both in one request: each answer is a wait on the server before the first frame.
        std::array<char, sizeof("WM_PROTOCOLS")> protocols{"WM_PROTOCOLS"};
        std::array<char, sizeof("WM_DELETE_WINDOW")> deleteWindow{"WM_DELETE_WINDOW"};
        std::array<char*, 2> names{protocols.data(), deleteWindow.data()};
        std::array<Atom, 2> atoms{};
        if (XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data()) != 0) {
            protocols_ = atoms[0];
            deleteWindow_ = atoms[1];
        }
    }
}

bool CloseRequestFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (protocols_ == 0 || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = event->response_type & ~kSentEventBit;
    if (type == XCB_DESTROY_NOTIFY) {
        // Another client destroyed the window: the game cannot go on without it.
        if (static_cast<const xcb_destroy_notify_event_t*>(message)->window == window_.winId()) closed_();
        return false;
    }
    if (type != XCB_CLIENT_MESSAGE) return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->window != window_.winId() || client->type != protocols_ || client->format != 32 ||
        client->data.data32[0] != deleteWindow_)
        return false;
    closed_();
    return true;
}

}  // namespace quondra::qt
