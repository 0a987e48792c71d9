#include "game/startup.h"

#include "game/court.h"
#include "game/frm_game.h"
#include "scene/numeric.h"

namespace quondra {
namespace {

constexpr std::int16_t kGravityLow = 2, kGravityMedium = 4, kGravityHigh = 6;
constexpr std::int16_t kSpeedSlow = 30, kSpeedAverage = 50, kSpeedFast = 80;
// The key hints' rows inside the ground strip.
constexpr float kHintUpperRow = 90;
constexpr float kHintLowerRow = 435;

}  // namespace

void Form_Load(FrmGame& frm) {
    frm.platform.Randomize(frm.platform.TimeOfDay());
    frm.BallVelY = 0;
    frm.BallVelX = 0;
    // The hidden reference pictures give the players their height on the ground.
    frm.shpCir1.Top = frm.imgPlayer1.Top;
    frm.shpCir1.Left = kYellowStartLeft;
    frm.shpCir2.Top = frm.imgPlayer2.Top;
    frm.shpCir2.Left = kRedStartLeft;
    frm.NetTopBounce = kFalse;
    frm.shpLandingSpot.Visible = false;
    frm.linCol.Visible = false;
    frm.NormLine.Visible = false;
    BringToFront(frm, &frm.shpBall);
    // The window is shown by the platform once start-up returns.
    SelectOption(frm, frm.optComputer);
    SelectOption(frm, frm.optMedium);
    SelectOption(frm, frm.optAverage);
    frm.Paused = kFalse;
}

void optHuman_Click(FrmGame& frm) {
    frm.lblQuitInfo.Top = kHintLowerRow;
    frm.lblMoveRed.Visible = true;
}

void optComputer_Click(FrmGame& frm) {
    frm.lblMoveRed.Visible = false;
    frm.lblQuitInfo.Top = kHintUpperRow;
}

void cmdPlay_Click(FrmGame& frm) {
    frm.tmrBall.SetEnabled(true);
    frm.shpBall.Visible = true;
    PlaceBallAtServe(frm);
    if (frm.optComputer.Value) frm.tmrAI.SetEnabled(true);

    if (frm.optLow.Value) frm.Gravity = kGravityLow;
    if (frm.optMedium.Value) frm.Gravity = kGravityMedium;
    if (frm.optHigh.Value) frm.Gravity = kGravityHigh;
    if (frm.optSlow.Value) frm.PlayerSpeed = kSpeedSlow;
    if (frm.optAverage.Value) frm.PlayerSpeed = kSpeedAverage;
    if (frm.optFast.Value) frm.PlayerSpeed = kSpeedFast;

    ShowSettingsScreen(frm, false);
    ShowPlayingFieldExtras(frm, true);
    frm.lblYellow.Caption = "0";
    frm.lblRed.Caption = "0";
    SetPointer(frm, kPointerHidden);
}

}  // namespace quondra
