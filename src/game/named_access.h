#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "scene/handler.h"

namespace quondra {

// The stored type of a property, which decides how it is parsed and printed.
enum class ValueType { Single, Double, Integer, Long, Boolean, Text };

using Value = std::variant<double, bool, std::string>;

// A property of a scene object ("shpBall.Left", "tmrBall.Enabled",
// "frmGame.Width") or a match-state field ("BallVelX"), reached by name.
// Set has the effect of the game's own code writing it: selecting an option
// runs its click handler, enabling a timer starts its count.
struct Property {
    ValueType Type;
    std::function<Value()> Get;
    std::function<void(const Value&)> Set;
};

std::optional<Property> FindProperty(FrmGame& frm, std::string_view name);

}  // namespace quondra
