#pragma once

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace quondra::qt {

// The virtual-key code of a Qt key event, modifiers ignored; letters by their
// place on a US keyboard, so a non-Latin layout still walks the players.
std::optional<std::int16_t> VirtualKey(const QKeyEvent& event);

}  // namespace quondra::qt
