#include "ball/rally.h"

#include <limits>
#include <string>

#include "game/court.h"
#include "game/frm_game.h"

namespace quondra {
namespace {

// Play stops at 10, but a caption set from outside may hold the largest int:
// the count stays there rather than overflow.
void AddPoint(FrmGame& frm, Label& score) {
    const int points = Score(frm, score);
    score.Caption = std::to_string(points == std::numeric_limits<int>::max() ? points : points + 1);
}

}  // namespace

void RallyEnd(FrmGame& frm) {
    StopMovement(frm);
    frm.tmrBall.SetEnabled(false);
    frm.shpBall.Top = CSng(static_cast<double>(frm.fraGround.Top) - frm.shpBall.Width);

    // A ball whose right edge reaches the net's left face came down on Red's side.
    const float rightEdge = CSng(static_cast<double>(frm.shpBall.Left) + frm.shpBall.Width);
    AddPoint(frm, rightEdge < frm.shpNet.Left ? frm.lblRed : frm.lblYellow);

    const int yellow = Score(frm, frm.lblYellow);
    const int red = Score(frm, frm.lblRed);
    if (yellow < kWinningScore && red < kWinningScore) frm.tmrDelay.SetEnabled(true);
    if (yellow == kWinningScore || red == kWinningScore) MatchEnd(frm);
}

void MatchEnd(FrmGame& frm) {
    if (Score(frm, frm.lblRed) == kWinningScore) MsgBox(frm, "Red Wins!", "MATCH", kMsgBoxOk);
    if (Score(frm, frm.lblYellow) == kWinningScore)
        MsgBox(frm, "Yellow Wins!", "MATCH", kMsgBoxOk);
    frm.shpBall.Visible = false;
    frm.tmrBall.SetEnabled(false);
    StopMovement(frm);
    frm.tmrAI.SetEnabled(false);
    PlacePlayersAtStart(frm);
    PlaceBallAtServe(frm);
    frm.BallVelX = 0;
    frm.BallVelY = 0;
    ShowSettingsScreen(frm, true);
    ShowPlayingFieldExtras(frm, false);
    SetFocus(frm, &frm.cmdPlay);
    SetPointer(frm, kPointerArrow);
}

void tmrDelay_Timer(FrmGame& frm) {
    PlacePlayersAtStart(frm);
    PlaceBallAtServe(frm);
    frm.BallVelX = 0;
    frm.BallVelY = 0;
    frm.tmrBall.SetEnabled(true);
    frm.shpBall.Visible = true;
    if (frm.optComputer.Value) frm.tmrAI.SetEnabled(true);
    frm.tmrDelay.SetEnabled(false);
}

}  // namespace quondra
