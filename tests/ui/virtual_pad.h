#pragma once

#include <SDL.h>

namespace quondra::qt::testing {

// A virtual pad with every standard button and axis, so that SDL maps it as a
// game controller; opened for setting its buttons and stick. Needs SDL's
// joystick part started (a PadInput does that); nullptr when SDL refuses.
inline SDL_Joystick* AttachVirtualPad() {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Quondra test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    return index < 0 ? nullptr : SDL_JoystickOpen(index);
}

}  // namespace quondra::qt::testing
