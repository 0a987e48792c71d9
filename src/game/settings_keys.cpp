// The key handlers of the settings screen's controls. Shift is ignored: the
// codes are virtual keys, the same with or without Shift and Caps Lock.
#include "game/frm_game.h"
#include "game/keys.h"
#include "game/startup.h"

namespace quondra {
namespace {

void EndOnQuitKey(FrmGame& frm, std::int16_t keyCode) {
    if (keyCode == kKeyX || keyCode == kKeyQ) EndProgram(frm);
}

// The eight option buttons share one behaviour.
void OptionKeyDown(FrmGame& frm, std::int16_t keyCode) {
    if (keyCode == kKeyEnter) cmdPlay_Click(frm);
    EndOnQuitKey(frm, keyCode);
}

}  // namespace

void cmdPlay_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { EndOnQuitKey(frm, keyCode); }
void optLow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optMedium_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optHigh_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optSlow_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optAverage_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optFast_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optComputer_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }
void optHuman_KeyDown(FrmGame& frm, std::int16_t keyCode, std::int16_t) { OptionKeyDown(frm, keyCode); }

}  // namespace quondra
