#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "game_window.h"
#include "scene/layout.h"

namespace quondra::qt::testing {

// A clock that never advances: the tests step the game themselves.
inline GameClock::TimeSource FrozenTime() {
    return [] { return std::int64_t{0}; };
}

// The real window, loaded, shown and active, as the game starts.
struct ShownGame {
    explicit ShownGame(GameClock::TimeSource now = FrozenTime()) : window(std::move(now)) {
        window.Start();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    GameWindow window;
    FrmGame& frm = window.Game();
};

// A key event as the desktop delivers it to the window.
inline void SendKey(GameWindow& window, QEvent::Type type, int key, const QString& text = {},
                    bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    QCoreApplication::sendEvent(window.windowHandle(), &event);
}
inline void Press(GameWindow& window, int key) { SendKey(window, QEvent::KeyPress, key); }
inline void Release(GameWindow& window, int key) { SendKey(window, QEvent::KeyRelease, key); }
inline void Tap(GameWindow& window, int key) {
    Press(window, key);
    Release(window, key);
}

// The colour of the window's picture at a scene point (15 units to a pixel).
inline QColor ColourAt(const QImage& image, float x, float y) {
    return image.pixelColor(static_cast<int>(x / kUnitsPerPixel), static_cast<int>(y / kUnitsPerPixel));
}

// Where a scene point (units) is drawn in a window of the given size: the
// client area scaled to the largest size that fits, centred on whole pixels.
// Worked out here from the picture's own size, not by the window's code.
inline QPoint WindowPoint(QSize window, float x, float y) {
    const double clientWidth = kClientWidth / kUnitsPerPixel, clientHeight = kClientHeight / kUnitsPerPixel;
    const double scale = std::min(window.width() / clientWidth, window.height() / clientHeight);
    const double left = std::floor((window.width() - clientWidth * scale) / 2);
    const double top = std::floor((window.height() - clientHeight * scale) / 2);
    return QPoint(static_cast<int>(left + x / kUnitsPerPixel * scale), static_cast<int>(top + y / kUnitsPerPixel * scale));
}

// The window at another size, as the desktop would leave it.
inline void ResizeWindow(GameWindow& window, QSize size) {
    window.resize(size);
    QTRY_COMPARE(window.size(), size);
}

inline bool IsColour(const QColor& c, int red, int green, int blue) {
    return c.red() == red && c.green() == green && c.blue() == blue;
}

// How many pixels of a scene box have exactly the given colour.
inline int CountColour(const QImage& image, float left, float top, float width, float height, QColor colour) {
    int count = 0;
    const int x0 = static_cast<int>(left / kUnitsPerPixel), y0 = static_cast<int>(top / kUnitsPerPixel);
    const int x1 = static_cast<int>((left + width) / kUnitsPerPixel);
    const int y1 = static_cast<int>((top + height) / kUnitsPerPixel);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) ++count;
    return count;
}

}  // namespace quondra::qt::testing
