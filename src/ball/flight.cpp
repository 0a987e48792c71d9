// Placeholder, being written.
#include "ball/flight.h"
#include "game/frm_game.h"

namespace quondra {

void tmrBall_Timer(FrmGame&) {}

}  // namespace quondra
