#pragma once

#include "scene/handler.h"

namespace quondra {

// The most passes of the walk round a player's rim: one full turn.
inline constexpr int kRimWalkMaxPasses = 240;

// Rebounds the ball off Yellow, then off Red, wherever it overlaps them.
void CheckHits(FrmGame& frm);
// The tangent at the contact point, written into linCol.
void PlaceContactLine1(FrmGame& frm);
void PlaceContactLine2(FrmGame& frm);

}  // namespace quondra
