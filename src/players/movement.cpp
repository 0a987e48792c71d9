// Placeholder, being written.
#include "players/movement.h"
#include "game/frm_game.h"

namespace quondra {

void tmrLeft1_Timer(FrmGame&) {}
void tmrRight1_Timer(FrmGame&) {}
void tmrLeft2_Timer(FrmGame&) {}
void tmrRight2_Timer(FrmGame&) {}

}  // namespace quondra
