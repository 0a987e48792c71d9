#include "game/events.h"

#include "ball/flight.h"
#include "ball/rally.h"
#include "game/keyboard.h"
#include "game/keys.h"
#include "game/startup.h"
#include "players/movement.h"
#include "players/opponent.h"

namespace quondra {
namespace {

using OptionKeyHandler = void (*)(FrmGame&, std::int16_t, std::int16_t);

OptionKeyHandler KeyHandlerOf(const FrmGame& frm, const OptionButton* option) {
    if (option == &frm.optLow) return optLow_KeyDown;
    if (option == &frm.optMedium) return optMedium_KeyDown;
    if (option == &frm.optHigh) return optHigh_KeyDown;
    if (option == &frm.optSlow) return optSlow_KeyDown;
    if (option == &frm.optAverage) return optAverage_KeyDown;
    if (option == &frm.optFast) return optFast_KeyDown;
    if (option == &frm.optComputer) return optComputer_KeyDown;
    return optHuman_KeyDown;
}

constexpr std::int16_t kNoShift = 0;

}  // namespace

void Load(FrmGame& frm) {
    Guarded(frm, [&] {
        Form_Load(frm);
        // The window opens with the Play button, first in the tab order, focused.
        frm.ActiveControl = &frm.cmdPlay;
    });
}

FocusRef KeyTarget(const FrmGame& frm) {
    if (auto* const* b = std::get_if<Button*>(&frm.ActiveControl); b && IsShown(**b)) return *b;
    if (auto* const* o = std::get_if<OptionButton*>(&frm.ActiveControl); o && IsShown(**o)) return *o;
    return {};
}

void KeyDown(FrmGame& frm, std::int16_t keyCode) {
    Guarded(frm, [&] {
        const FocusRef target = KeyTarget(frm);
        if (std::holds_alternative<Button*>(target)) {
            cmdPlay_KeyDown(frm, keyCode, kNoShift);
            // The toolkit presses a focused button by Enter or Space.
            if (keyCode == kKeyEnter || keyCode == kKeySpace) cmdPlay_Click(frm);
        } else if (auto* const* o = std::get_if<OptionButton*>(&target)) {
            KeyHandlerOf(frm, *o)(frm, keyCode, kNoShift);
        } else {
            Form_KeyDown(frm, keyCode, kNoShift);
        }
    });
}

void KeyUp(FrmGame& frm, std::int16_t keyCode) {
    Guarded(frm, [&] {
        if (std::holds_alternative<std::monostate>(KeyTarget(frm))) Form_KeyUp(frm, keyCode, kNoShift);
    });
}

void ClickPlay(FrmGame& frm) {
    Guarded(frm, [&] {
        frm.ActiveControl = &frm.cmdPlay;
        cmdPlay_Click(frm);
    });
}

void ClickOption(FrmGame& frm, OptionButton& option) {
    Guarded(frm, [&] {
        frm.ActiveControl = &option;
        SelectOption(frm, option);
    });
}

void FireTimer(FrmGame& frm, const Timer& timer) {
    if (&timer == &frm.tmrDelay) tmrDelay_Timer(frm);
    else if (&timer == &frm.tmrAI) tmrAI_Timer(frm);
    else if (&timer == &frm.tmrRight2) tmrRight2_Timer(frm);
    else if (&timer == &frm.tmrLeft2) tmrLeft2_Timer(frm);
    else if (&timer == &frm.tmrRight1) tmrRight1_Timer(frm);
    else if (&timer == &frm.tmrLeft1) tmrLeft1_Timer(frm);
    else if (&timer == &frm.tmrBall) tmrBall_Timer(frm);
}

void RunPeriods(FrmGame& frm, std::int64_t periods) {
    RunPeriods(frm, periods, [] {});
}

}  // namespace quondra
