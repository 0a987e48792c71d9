#pragma once

#include <cstdint>

#include "game/frm_game.h"

namespace quondra::qt {

// One thing the window gave the game: a clock period, a key, a click, the
// focus moved by the toolkit, or the desktop's close. A session record
// writes each as a line of the scene console, so the console can play the
// same game again.
struct GameInput {
    enum class Kind { Period, KeyDown, KeyUp, ClickPlay, ClickOption, Focus, Close };

    Kind kind;
    std::int16_t code = 0;  // of a key
    FocusRef control;       // clicked or given the focus
};

}  // namespace quondra::qt
