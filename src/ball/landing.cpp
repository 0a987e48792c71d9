// Placeholder, being written.
#include "ball/landing.h"
#include "game/frm_game.h"

namespace quondra {

void UpdateLandingSpot(FrmGame&, LandingForm) {}

}  // namespace quondra
