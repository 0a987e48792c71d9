#pragma once

#include <cstdint>

#include "scene/handler.h"

namespace quondra {

// Red's waiting place (a target for its centre) and how near a target counts as there.
inline constexpr std::int16_t kAIHomeX = 9600;
inline constexpr std::int16_t kAIDeadZone = 100;

// The computer opponent: switches Red's movement timers towards its target.
void tmrAI_Timer(FrmGame& frm);

}  // namespace quondra
