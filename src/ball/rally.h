#pragma once

#include "scene/handler.h"

namespace quondra {

// The ball has touched the ground: stop play, rest the ball, award the point.
void RallyEnd(FrmGame& frm);
// A side has reached the winning score: announce it and bring the settings back.
void MatchEnd(FrmGame& frm);
// The serve, one second after a point.
void tmrDelay_Timer(FrmGame& frm);

}  // namespace quondra
