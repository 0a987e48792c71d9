#pragma once

#include <QAbstractNativeEventFilter>
#include <cstdint>
#include <functional>
#include <map>
#include <span>

class QWidget;

namespace quondra::qt {

// Asks the X server to send a held key's repeats as presses alone, without
// the release before each (XKB's detectable auto-repeat). True when the
// server agreed; false under any other display server.
bool UseDetectableAutoRepeat();

// Asks the X server which of these keys (letters and arrows, by
// virtual-key code) are down now, whatever window has the keyboard. Empty
// under any other display server, or for a key the keyboard map lacks.
std::map<std::int16_t, bool> KeysDownNow(std::span<const std::int16_t> codes);

// Sees the desktop's close request to a window before the toolkit does (the
// toolkit drops it while a modal box blocks the window), and the window's
// destruction by another client.
class CloseRequestFilter : public QAbstractNativeEventFilter {
public:
    CloseRequestFilter(const QWidget& window, std::function<void()> closed);
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& window_;
    std::function<void()> closed_;
    unsigned long protocols_ = 0;
    unsigned long deleteWindow_ = 0;
};

}  // namespace quondra::qt
