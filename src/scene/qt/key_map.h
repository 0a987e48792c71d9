#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace quondra::qt {

// The virtual-key code of a Qt key event, modifiers ignored. Letters and
// digits that the layout or Shift turns into other characters (a Cyrillic
// letter, "!" for 1) are known by their place on a US keyboard.
std::optional<std::int16_t> VirtualKey(const QKeyEvent& event);
// The X11 key code of a letter's place on a US keyboard, for a layout
// that has no key typing that letter.
std::optional<std::uint32_t> LetterScanCode(std::int16_t code);

}  // namespace quondra::qt
