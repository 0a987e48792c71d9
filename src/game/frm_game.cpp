#include "game/frm_game.h"

namespace quondra {

void EndProgram(FrmGame& frm) {
    frm.Ended = true;
    frm.platform.End();
    throw ProgramEnded{};
}

std::int16_t MsgBox(FrmGame& frm, std::string_view text, std::string_view title, std::int16_t style) {
    const std::int16_t answer = frm.platform.MsgBox(text, title, style);
    if (frm.Ended) throw ProgramEnded{};
    return answer;
}

void BringToFront(FrmGame& frm, LightweightRef object) {
    frm.Scene::BringToFront(object);
    frm.platform.BringToFront(NameOf(object));
}

void SetFocus(FrmGame& frm, FocusRef control) {
    frm.ActiveControl = control;
    frm.platform.SetFocus(NameOf(control));
}

void SetPointer(FrmGame& frm, std::int16_t style) {
    frm.MousePointer = style;
    frm.platform.SetPointer(style);
}

void SelectOption(FrmGame& frm, OptionButton& option) {
    for (OptionButton* other : frm.OptionsIn(*option.Container)) other->Value = false;
    option.Value = true;
    if (option.Click != nullptr) option.Click(frm);
}

std::string_view NameOf(const FocusRef& control) {
    if (const auto* b = std::get_if<Button*>(&control)) return (*b)->Name;
    if (const auto* o = std::get_if<OptionButton*>(&control)) return (*o)->Name;
    return {};
}

}  // namespace quondra
