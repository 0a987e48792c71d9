#pragma once

#include <cstdint>

#include "scene/handler.h"

namespace quondra {

// The window's own key handlers: the keys of a match.
void Form_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);
void Form_KeyUp(FrmGame& frm, std::int16_t keyCode, std::int16_t shift);

// The commands they run.
void Pause(FrmGame& frm);
void Resume(FrmGame& frm);
void QuitDuringPlay(FrmGame& frm);
void QuitWhilePaused(FrmGame& frm);
void NewGame(FrmGame& frm);

}  // namespace quondra
