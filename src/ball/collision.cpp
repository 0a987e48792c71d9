// Placeholder, being written.
#include "ball/collision.h"
#include "game/frm_game.h"

namespace quondra {

void CheckHits(FrmGame&) {}
void PlaceContactLine1(FrmGame&) {}
void PlaceContactLine2(FrmGame&) {}

}  // namespace quondra
