#pragma once

#include <cstdint>
#include <variant>

#include "game/match_state.h"
#include "scene/layout.h"
#include "scene/numeric.h"
#include "scene/platform.h"
#include "scene/scene.h"

namespace quondra {

// A control of the settings screen that can hold the keyboard focus.
using FocusRef = std::variant<std::monostate, Button*, OptionButton*>;

// The window: its scene of named objects, its match-state record and the
// platform it runs on. Handlers take it as their one argument.
class FrmGame : public Scene, public MatchState {
public:
    explicit FrmGame(Platform& platform) : platform(platform) {}

    Platform& platform;

    // The reference outer width, whatever frame the desktop draws.
    float Width = kOuterWidth;
    std::int16_t MousePointer = kPointerArrow;
    // The control holding the keyboard focus; it receives keys only while it
    // and its frames are shown.
    FocusRef ActiveControl;
    // Set once the program has been told to end; nothing runs after that.
    bool Ended = false;
    // Steps of the game's loops, whose length the scene can stretch: a pass
    // round a player's rim, a byte of a score caption read. The scene
    // console bounds a script's work with them; the game never reads them.
    std::uint64_t LoopSteps = 0;
};

// Thrown by EndProgram so that no handler code runs after the end; the entry
// points below catch it.
struct ProgramEnded {};

// The game's own calls of the platform services, keeping the scene in step.
[[noreturn]] void EndProgram(FrmGame& frm);
// A box ends the program when the window is closed while it is open; no
// game code runs on after that.
std::int16_t MsgBox(FrmGame& frm, std::string_view text, std::string_view title, std::int16_t style);
void BringToFront(FrmGame& frm, LightweightRef object);
void SetFocus(FrmGame& frm, FocusRef control);
void SetPointer(FrmGame& frm, std::int16_t style);
// Selects an option in its group, as a click on it would, and runs its click handler.
void SelectOption(FrmGame& frm, OptionButton& option);
std::string_view NameOf(const FocusRef& control);

}  // namespace quondra
