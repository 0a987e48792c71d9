#pragma once

#include "scene/handler.h"

namespace quondra {

// One step of the ball's flight: walls, move, gravity, ground, net, then CheckHits.
void tmrBall_Timer(FrmGame& frm);

}  // namespace quondra
