#pragma once

#include <cstdint>

namespace quondra {

// Virtual-key codes the game reacts to.
inline constexpr std::int16_t kKeyTab = 9;
inline constexpr std::int16_t kKeyEnter = 13;
inline constexpr std::int16_t kKeyEscape = 27;
inline constexpr std::int16_t kKeySpace = 32;
inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;
inline constexpr std::int16_t kKeyA = 65;
inline constexpr std::int16_t kKeyD = 68;
inline constexpr std::int16_t kKeyN = 78;
inline constexpr std::int16_t kKeyP = 80;
inline constexpr std::int16_t kKeyQ = 81;
inline constexpr std::int16_t kKeyX = 88;

}  // namespace quondra
