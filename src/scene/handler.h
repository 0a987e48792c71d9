#pragma once

#include <cstdint>

namespace quondra {

// The window whose handlers and procedures the game is made of.
class FrmGame;

// The shapes of the handlers the layout binds to objects: a timer's tick or a
// control's click, and a control's key-down.
using EventHandler = void (*)(FrmGame&);
using KeyHandler = void (*)(FrmGame&, std::int16_t keyCode, std::int16_t shift);

}  // namespace quondra
