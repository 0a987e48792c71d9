#include "game/events.h"

#include <type_traits>

#include "game/keyboard.h"
#include "game/keys.h"
#include "game/startup.h"

namespace quondra {
namespace {

constexpr std::int16_t kNoShift = 0;

}  // namespace

void Load(FrmGame& frm) {
    Guarded(frm, [&] {
        Form_Load(frm);
        // The window opens with the Play button, first in the tab order, focused.
        frm.ActiveControl = &frm.cmdPlay;
    });
}

void CloseWindow(FrmGame& frm) {
    Guarded(frm, [&] { EndProgram(frm); });
}

FocusRef KeyTarget(const FrmGame& frm) {
    if (auto* const* b = std::get_if<Button*>(&frm.ActiveControl); b && IsShown(**b)) return *b;
    if (auto* const* o = std::get_if<OptionButton*>(&frm.ActiveControl); o && IsShown(**o)) return *o;
    return {};
}

void KeyDown(FrmGame& frm, std::int16_t keyCode) {
    Guarded(frm, [&] {
        const FocusRef target = KeyTarget(frm);
        if (auto* const* b = std::get_if<Button*>(&target)) {
            (*b)->KeyDown(frm, keyCode, kNoShift);
            // The toolkit presses a focused button by Enter or Space.
            if (keyCode == kKeyEnter || keyCode == kKeySpace) (*b)->Click(frm);
        } else if (auto* const* o = std::get_if<OptionButton*>(&target)) {
            (*o)->KeyDown(frm, keyCode, kNoShift);
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

EventHandler BoundHandler(const FrmGame& frm, std::string_view name) {
    const auto underscore = name.rfind('_');
    if (underscore == std::string_view::npos) return nullptr;
    const ObjectRef* object = frm.Find(name.substr(0, underscore));
    if (object == nullptr) return nullptr;
    const std::string_view event = name.substr(underscore + 1);
    return std::visit(
        [event](auto* o) -> EventHandler {
            using T = std::remove_cvref_t<decltype(*o)>;
            if constexpr (std::is_same_v<T, Timer>) {
                if (event == "Timer") return o->Tick();
            } else if constexpr (std::is_base_of_v<Control, T>) {
                if (event == "Click") return o->Click;
            }
            return nullptr;
        },
        *object);
}

void RunPeriods(FrmGame& frm, std::int64_t periods) {
    RunPeriods(frm, periods, [] {});
}

}  // namespace quondra
