#pragma once

#include "scene/handler.h"

namespace quondra {

// One step of a player per tick, between two collision checks; a step that
// would cross the player's limit is refused whole.
void tmrLeft1_Timer(FrmGame& frm);
void tmrRight1_Timer(FrmGame& frm);
void tmrLeft2_Timer(FrmGame& frm);
void tmrRight2_Timer(FrmGame& frm);

}  // namespace quondra
