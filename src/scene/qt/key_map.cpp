#include "key_map.h"

#include <QKeyEvent>
#include <array>

#include "game/keys.h"

namespace quondra::qt {
namespace {

constexpr std::int16_t kVkLetterA = 65;
constexpr std::int16_t kVkDigit0 = 48;
constexpr std::int16_t kVkDigit1 = 49;
constexpr std::int16_t kVkF1 = 112;
// X11 (evdev + 8) key codes of the letter keys, in the order A to Z.
constexpr std::array<quint32, 26> kLetterScanCodes{38, 56, 54, 40, 26, 41, 42, 43, 31, 44, 45, 46, 58,
                                                    57, 32, 33, 24, 27, 39, 28, 30, 55, 25, 53, 29, 52};
// The digit row runs 1 to 9, then 0.
constexpr quint32 kDigitOneScanCode = 10;
constexpr quint32 kDigitZeroScanCode = 19;

std::optional<std::int16_t> ByPosition(quint32 scanCode) {
    for (std::size_t i = 0; i < kLetterScanCodes.size(); ++i)
        if (kLetterScanCodes[i] == scanCode) return static_cast<std::int16_t>(kVkLetterA + i);
    if (scanCode == kDigitZeroScanCode) return kVkDigit0;
    if (scanCode >= kDigitOneScanCode && scanCode < kDigitZeroScanCode)
        return static_cast<std::int16_t>(kVkDigit1 + (scanCode - kDigitOneScanCode));
    return std::nullopt;
}

}  // namespace

std::optional<std::uint32_t> LetterScanCode(std::int16_t code) {
    if (code < kVkLetterA || code >= kVkLetterA + std::int16_t{kLetterScanCodes.size()}) return std::nullopt;
    return kLetterScanCodes[static_cast<std::size_t>(code - kVkLetterA)];
}

std::optional<std::int16_t> VirtualKey(const QKeyEvent& event) {
    const int key = event.key();
    // Qt reports a Latin letter by its upper-case key whatever Shift and Caps Lock do.
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<std::int16_t>(kVkF1 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return kKeyEnter;
        case Qt::Key_Escape: return kKeyEscape;
        case Qt::Key_Space: return kKeySpace;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return kKeyTab;
        case Qt::Key_Left: return kKeyLeft;
        case Qt::Key_Up: return kKeyUp;
        case Qt::Key_Right: return kKeyRight;
        case Qt::Key_Down: return kKeyDown;
        default: break;
    }
    // Anything else that types a character may sit on a letter or digit key:
    // a letter of another script, or a digit key's shifted symbol.
    if (!event.text().isEmpty() && event.text().at(0).isPrint()) return ByPosition(event.nativeScanCode());
    return std::nullopt;
}

}  // namespace quondra::qt
