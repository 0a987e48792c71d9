#include "key_map.h"

#include <QKeyEvent>
#include <array>

namespace quondra::qt {
namespace {

constexpr std::int16_t kVkF1 = 112;
// X11 (evdev) key codes of the letter keys, in the order A to Z.
constexpr std::array<quint32, 26> kLetterScanCodes{38, 56, 54, 40, 26, 41, 42, 43, 31, 44, 45, 46, 58,
                                                    57, 32, 33, 24, 27, 39, 28, 30, 55, 25, 53, 29, 52};

std::optional<std::int16_t> LetterByPosition(quint32 scanCode) {
    for (std::size_t i = 0; i < kLetterScanCodes.size(); ++i)
        if (kLetterScanCodes[i] == scanCode) return static_cast<std::int16_t>('A' + i);
    return std::nullopt;
}

}  // namespace

std::optional<std::int16_t> VirtualKey(const QKeyEvent& event) {
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(kVkF1 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Space: return 32;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return 9;
        case Qt::Key_Left: return 37;
        case Qt::Key_Up: return 38;
        case Qt::Key_Right: return 39;
        case Qt::Key_Down: return 40;
        default: break;
    }
    // A letter of another script: the key's position tells which letter it is.
    if (!event.text().isEmpty() && event.text().at(0).isLetter()) return LetterByPosition(event.nativeScanCode());
    return std::nullopt;
}

}  // namespace quondra::qt
