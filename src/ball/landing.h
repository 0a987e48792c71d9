#pragma once

#include "scene/handler.h"

namespace quondra {

// Which bounce the prediction follows; it sets how far inside the left wall
// the mirror line lies, in ball widths.
enum class LandingForm { NetBounce = 1, PlayerHit = 2 };

// Predicts where the ball's centre comes back to its present height.
void UpdateLandingSpot(FrmGame& frm, LandingForm form);

}  // namespace quondra
