#include "ball/landing.h"

#include "game/frm_game.h"
#include "game/hits.h"

namespace quondra {
namespace {

void PlaceMarker(FrmGame& frm) {
    frm.shpLandingSpot.Left = CSng(frm.LandingX - static_cast<double>(frm.shpLandingSpot.Width) / 2);
}

}  // namespace

void UpdateLandingSpot(FrmGame& frm, LandingForm form) {
    // Without gravity (before the first match sets it) the ball never comes
    // back to its height: there is nothing to predict, and no division by 0.
    if (frm.Gravity == 0) return;
    // The ball comes back to its height after twice the time to its apex.
    frm.TimeToApex = -frm.BallVelY / frm.Gravity;
    frm.LandingX = CLng(CenterX(frm.shpBall) + 2 * frm.TimeToApex * frm.BallVelX);
    PlaceMarker(frm);

    const double ballWidth = frm.shpBall.Width;
    const double k = static_cast<int>(form);
    if (frm.LandingX < 0) {
        frm.LandingX = CLng(k * ballWidth - frm.LandingX);
        PlaceMarker(frm);
    }
    // The right mirror lies a whole ball width inside the outer width.
    if (static_cast<double>(frm.Width) < frm.LandingX) {
        frm.LandingX = CLng(2.0 * frm.Width - frm.LandingX - 2 * ballWidth);
        PlaceMarker(frm);
    }
}

}  // namespace quondra
