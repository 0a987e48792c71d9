#include "game/keyboard.h"

#include "game/court.h"
#include "game/frm_game.h"
#include "game/keys.h"
#include "scene/numeric.h"

namespace quondra {
namespace {

bool InPlay(const FrmGame& frm) { return frm.tmrBall.Enabled(); }
bool BetweenRallies(const FrmGame& frm) { return frm.tmrDelay.Enabled(); }
bool IsPaused(const FrmGame& frm) { return frm.Paused == kTrue; }
bool IsPauseKey(std::int16_t key) { return key == kKeyEscape || key == kKeyP; }
bool IsQuitKey(std::int16_t key) { return key == kKeyQ || key == kKeyX; }

void StopMovementThenBallThenOpponent(FrmGame& frm) {
    StopMovement(frm);
    frm.tmrBall.SetEnabled(false);
    frm.tmrAI.SetEnabled(false);
}

std::int16_t AskQuit(FrmGame& frm) {
    frm.QuitAnswer = MsgBox(frm, "Are you sure you want to quit?", "Exit Program", kMsgBoxYesNo);
    if (frm.QuitAnswer == kAnswerYes) EndProgram(frm);
    return frm.QuitAnswer;
}

}  // namespace

void Form_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) {
    if (InPlay(frm)) {
        if (keyCode == kKeyA) frm.tmrLeft1.SetEnabled(true);
        if (keyCode == kKeyD) frm.tmrRight1.SetEnabled(true);
        if (!frm.tmrAI.Enabled()) {
            if (keyCode == kKeyLeft) frm.tmrLeft2.SetEnabled(true);
            if (keyCode == kKeyRight) frm.tmrRight2.SetEnabled(true);
        }
        if (IsPauseKey(keyCode) && !BetweenRallies(frm)) {
            // The same key must not resume what it has just paused.
            Pause(frm);
            return;
        }
        if (IsQuitKey(keyCode)) QuitDuringPlay(frm);
    }
    if (keyCode == kKeyN && !BetweenRallies(frm)) NewGame(frm);
    if (IsPauseKey(keyCode) && IsPaused(frm) && !BetweenRallies(frm)) Resume(frm);
    if (IsQuitKey(keyCode) && IsPaused(frm) && !BetweenRallies(frm)) QuitWhilePaused(frm);
}

void Form_KeyUp(FrmGame& frm, std::int16_t keyCode, std::int16_t) {
    if (keyCode == kKeyA) frm.tmrLeft1.SetEnabled(false);
    if (keyCode == kKeyD) frm.tmrRight1.SetEnabled(false);
    if (keyCode == kKeyLeft) frm.tmrLeft2.SetEnabled(false);
    if (keyCode == kKeyRight) frm.tmrRight2.SetEnabled(false);
}

void Pause(FrmGame& frm) {
    frm.Paused = kTrue;
    BringToFront(frm, &frm.lblPaused);
    frm.lblPaused.Visible = true;
    SetPointer(frm, kPointerArrow);
    StopMovementThenBallThenOpponent(frm);
}

void Resume(FrmGame& frm) {
    frm.Paused = kFalse;
    frm.lblPaused.Visible = false;
    SetPointer(frm, kPointerHidden);
    if (frm.optComputer.Value) frm.tmrAI.SetEnabled(true);
    frm.tmrBall.SetEnabled(true);
}

void QuitDuringPlay(FrmGame& frm) {
    frm.Paused = kTrue;
    SetPointer(frm, kPointerArrow);
    StopMovementThenBallThenOpponent(frm);
    AskQuit(frm);
    frm.Paused = kFalse;
    SetPointer(frm, kPointerHidden);
    if (frm.optComputer.Value) frm.tmrAI.SetEnabled(true);
    frm.tmrBall.SetEnabled(true);
}

void QuitWhilePaused(FrmGame& frm) { AskQuit(frm); }

void NewGame(FrmGame& frm) {
    PlacePlayersAtStart(frm);
    frm.lblRed.Caption = "0";
    frm.lblYellow.Caption = "0";
    frm.BallVelX = 0;
    frm.BallVelY = 0;
    frm.Paused = kFalse;
    frm.lblPaused.Visible = false;
    frm.shpBall.Visible = false;
    frm.tmrBall.SetEnabled(false);
    StopMovement(frm);
    frm.tmrAI.SetEnabled(false);
    ShowSettingsScreen(frm, true);
    ShowPlayingFieldExtras(frm, false);
    SetFocus(frm, &frm.cmdPlay);
    SetPointer(frm, kPointerArrow);
}

}  // namespace quondra
