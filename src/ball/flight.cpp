#include "ball/flight.h"

#include <cmath>

#include "ball/collision.h"
#include "ball/landing.h"
#include "ball/rally.h"
#include "game/frm_game.h"

namespace quondra {
namespace {

// The net-top bounce loses Gravity - 1 or Gravity + 1, drawn at random.
double NetBounceDamping(FrmGame& frm) {
    const double r = frm.platform.Rnd();
    return 2 * (std::floor(2 * r) + 1) - 3 + frm.Gravity;
}

}  // namespace

void tmrBall_Timer(FrmGame& frm) {
    Shape& ball = frm.shpBall;
    const double w = ball.Width;

    // Walls first, so a ball that would reach one moves back from it in the same tick.
    // The right wall is the outer width: the ball turns a little past the visible edge.
    if (static_cast<double>(ball.Left) + frm.BallVelX <= 0) frm.BallVelX = -frm.BallVelX;
    if (CSng(ball.Left + w + frm.BallVelX) >= frm.Width) frm.BallVelX = -frm.BallVelX;

    ball.Left = CSng(ball.Left + frm.BallVelX);
    ball.Top = CSng(ball.Top + frm.BallVelY);
    frm.BallVelY = frm.BallVelY + frm.Gravity;

    // The rally end stops the ball's timer, but this tick still runs to its end.
    if (CSng(ball.Top + w) > frm.fraGround.Top) RallyEnd(frm);

    const double vx = frm.BallVelX;
    const float netLeft = frm.shpNet.Left;
    const float netRight = CSng(static_cast<double>(frm.shpNet.Left) + frm.shpNet.Width);
    const float netTop = frm.shpNet.Top;

    frm.NetTopBounce = kFalse;
    const float bottom = CSng(ball.Top + w);
    const float nextBottom = CSng(ball.Top + w + frm.BallVelY);
    const float nextLeft = CSng(ball.Left + vx);
    const float nextRight = CSng(ball.Left + w + vx);
    if (bottom < netTop && nextBottom > netTop && nextRight > netLeft && nextLeft < netRight) {
        frm.NetTopBounce = kTrue;
        frm.NetBounceDamping = NetBounceDamping(frm);
        frm.BallVelY = -frm.BallVelY + frm.NetBounceDamping;
        UpdateLandingSpot(frm, LandingForm::NetBounce);
    }

    // The faces are seen one tick ahead: the ball turns before it would enter the net.
    const bool belowNetTop = CSng(ball.Top + w + frm.BallVelY) > netTop;
    if (frm.NetTopBounce == kFalse && frm.BallVelX > 0 && belowNetTop) {
        const float right = CSng(ball.Left + w + frm.BallVelX);
        if (right > netLeft && right < netRight) {
            frm.BallVelX = -frm.BallVelX;
            UpdateLandingSpot(frm, LandingForm::NetBounce);
        }
    }
    if (frm.NetTopBounce == kFalse && frm.BallVelX < 0 && belowNetTop) {
        const float left = CSng(ball.Left + frm.BallVelX);
        if (left > netLeft && left < netRight) {
            frm.BallVelX = -frm.BallVelX;
            UpdateLandingSpot(frm, LandingForm::NetBounce);
        }
    }

    CheckHits(frm);
}

}  // namespace quondra
