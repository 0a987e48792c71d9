// Placeholder, being written.
#include "players/opponent.h"
#include "game/frm_game.h"

namespace quondra {

void tmrAI_Timer(FrmGame&) {}

}  // namespace quondra
