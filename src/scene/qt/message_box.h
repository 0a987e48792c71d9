#pragma once

#include <QWidget>
#include <cstdint>
#include <string_view>

#include "scene/platform.h"

namespace quondra::qt {

// A modal box over `parent` in the game's own face, without an icon: OK for
// kMsgBoxOk, Yes (the default) and No (Escape) for kMsgBoxYesNo. Returns
// kAnswerOk, kAnswerYes or kAnswerNo once it is closed; a box closed by the
// desktop or destroyed by another program answers as its Escape would.
// `parent` still receives the desktop's close request while the box is open.
std::int16_t ShowMessageBox(QWidget* parent, std::string_view text, std::string_view title, std::int16_t style);

}  // namespace quondra::qt
