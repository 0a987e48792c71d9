#pragma once

namespace quondra {

class FrmGame;

// One step of the ball's flight: walls, move, gravity, ground, net, then CheckHits.
void tmrBall_Timer(FrmGame& frm);

}  // namespace quondra
