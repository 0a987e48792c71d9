#include "players/movement.h"

#include "ball/collision.h"
#include "game/frm_game.h"

namespace quondra {
namespace {

// Red's right limit lies this far inside the window's outer width.
constexpr double kRightLimitInset = 115;

// One tick of a movement timer: the step is taken whole or not at all, never
// during the pause between rallies, and the ball is checked on both sides of it.
template <typename LimitHolds>
void Walk(FrmGame& frm, Shape& player, double step, LimitHolds limitHolds) {
    CheckHits(frm);
    const double speed = static_cast<float>(frm.PlayerSpeed);
    if (limitHolds(speed) && !frm.tmrDelay.Enabled()) player.Left = CSng(player.Left + step * speed);
    CheckHits(frm);
}

}  // namespace

void tmrLeft1_Timer(FrmGame& frm) {
    Shape& p = frm.shpCir1;
    Walk(frm, p, -1, [&](double speed) { return CSng(p.Left - speed) > 0; });
}

void tmrRight1_Timer(FrmGame& frm) {
    Shape& p = frm.shpCir1;
    Walk(frm, p, +1, [&](double speed) {
        return CSng(static_cast<double>(p.Left) + p.Width + speed) < frm.shpNet.Left;
    });
}

void tmrLeft2_Timer(FrmGame& frm) {
    Shape& p = frm.shpCir2;
    Walk(frm, p, -1, [&](double speed) {
        return CSng(static_cast<double>(frm.shpNet.Left) + frm.shpNet.Width) < CSng(p.Left - speed);
    });
}

void tmrRight2_Timer(FrmGame& frm) {
    Shape& p = frm.shpCir2;
    Walk(frm, p, +1, [&](double speed) {
        return CSng(static_cast<double>(p.Left) + p.Width + speed) < CSng(frm.Width - kRightLimitInset);
    });
}

}  // namespace quondra
