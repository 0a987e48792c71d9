#pragma once

#include <cstdint>
#include <string_view>
#include <utility>

#include "game/frm_game.h"

namespace quondra {

// What the window and the scene console feed the game. Once the program has
// ended every call does nothing.

// Runs game code, stopping at the program's end.
template <typename Fn>
void Guarded(FrmGame& frm, Fn&& fn) {
    if (frm.Ended) return;
    try {
        std::forward<Fn>(fn)();
    } catch (const ProgramEnded&) {
    }
}

void Load(FrmGame& frm);
// The desktop closed the window, or destroyed it: the program ends, also
// from inside a message box, whose own code then returns at once.
void CloseWindow(FrmGame& frm);
// A key goes to the settings control holding the focus while it is shown,
// otherwise to the window's own handlers.
void KeyDown(FrmGame& frm, std::int16_t keyCode);
void KeyUp(FrmGame& frm, std::int16_t keyCode);
// Mouse clicks: Play is pressed; an option is selected and takes the focus.
void ClickPlay(FrmGame& frm);
void ClickOption(FrmGame& frm, OptionButton& option);
// The handler named OBJECT_EVENT that the layout bound to that object (a
// timer's Timer, a control's Click); nullptr when there is none.
EventHandler BoundHandler(const FrmGame& frm, std::string_view name);

// Advances the clock, firing the due timers of each period in layout order,
// and calls afterHandler() once each handler has returned, so that checks can
// look at the game between two handlers of one period.
template <typename AfterHandler>
void RunPeriods(FrmGame& frm, std::int64_t periods, AfterHandler&& afterHandler) {
    Guarded(frm, [&] {
        for (std::int64_t i = 0; i < periods; ++i) {
            frm.clock.Advance();
            for (Timer* timer : frm.Timers()) {
                if (!timer->Due()) continue;
                timer->MarkFired();
                timer->Tick()(frm);
                afterHandler();
            }
        }
    });
}
void RunPeriods(FrmGame& frm, std::int64_t periods);
// The control that receives keys now, if any.
FocusRef KeyTarget(const FrmGame& frm);

}  // namespace quondra
