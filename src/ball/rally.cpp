// Placeholder, being written.
#include "ball/rally.h"
#include "game/frm_game.h"

namespace quondra {

void RallyEnd(FrmGame&) {}
void MatchEnd(FrmGame&) {}
void tmrDelay_Timer(FrmGame&) {}

}  // namespace quondra
