#include "players/opponent.h"

#include <cstdlib>

#include "game/frm_game.h"
#include "game/hits.h"

namespace quondra {
namespace {

void WalkLeft(FrmGame& frm) {
    frm.tmrLeft2.SetEnabled(true);
    frm.tmrRight2.SetEnabled(false);
}

void WalkRight(FrmGame& frm) {
    frm.tmrRight2.SetEnabled(true);
    frm.tmrLeft2.SetEnabled(false);
}

void Stand(FrmGame& frm) {
    frm.tmrLeft2.SetEnabled(false);
    frm.tmrRight2.SetEnabled(false);
}

}  // namespace

void tmrAI_Timer(FrmGame& frm) {
    const float netLeft = frm.shpNet.Left;
    const float ballLeft = frm.shpBall.Left;
    const bool ballInPlay = frm.tmrBall.Enabled();

    // While the ball is in Yellow's half and will come down there, wait at home.
    if (static_cast<double>(netLeft) > frm.LandingX && ballLeft < netLeft && ballInPlay) {
        const std::int16_t d = CInt(CenterX(frm.shpCir2) - kAIHomeX);
        if (std::abs(d) > kAIDeadZone) {
            if (CenterX(frm.shpCir2) > kAIHomeX) WalkLeft(frm);
            else WalkRight(frm);
        } else {
            Stand(frm);
        }
        return;
    }

    // Otherwise stand right under the predicted landing point.
    const std::int32_t d = CLng(static_cast<double>(CenterX(frm.shpCir2)) - frm.LandingX);
    if (std::abs(static_cast<std::int64_t>(d)) > kAIDeadZone && ballInPlay) {
        if (CenterX(frm.shpCir2) > frm.LandingX) WalkLeft(frm);
        else WalkRight(frm);
    } else {
        Stand(frm);
    }
}

}  // namespace quondra
