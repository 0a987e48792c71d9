// Placeholder, being written.
#include "game/keyboard.h"
#include "game/frm_game.h"

namespace quondra {

void Form_KeyDown(FrmGame&, std::int16_t, std::int16_t) {}
void Form_KeyUp(FrmGame&, std::int16_t, std::int16_t) {}
void Pause(FrmGame&) {}
void Resume(FrmGame&) {}
void QuitDuringPlay(FrmGame&) {}
void QuitWhilePaused(FrmGame&) {}
void NewGame(FrmGame&) {}

}  // namespace quondra
