#include "x11_keyboard.h"

#include <QGuiApplication>
#include <QWidget>

// The X headers define names such as KeyPress and None as macros: they come last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <xcb/xproto.h>

namespace quondra::qt {
namespace {

Display* X11Display() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->display() : nullptr;
}

constexpr std::uint8_t kSentEventBit = 0x80;

}  // namespace

bool UseDetectableAutoRepeat() {
    Display* display = X11Display();
    if (display == nullptr) return false;
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(display, True, &supported) == True && supported == True;
}

CloseRequestFilter::CloseRequestFilter(const QWidget& window, std::function<void()> closed)
    : window_(window), closed_(std::move(closed)) {
    if (Display* display = X11Display()) {
        protocols_ = XInternAtom(display, "WM_PROTOCOLS", False);
        deleteWindow_ = XInternAtom(display, "WM_DELETE_WINDOW", False);
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
