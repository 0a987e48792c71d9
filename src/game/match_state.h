#pragma once

#include <cstdint>

namespace quondra {

// The window's one record of game variables, in their declared order.
// Booleans are 16-bit integers holding kTrue (-1) or kFalse (0).
struct MatchState {
    std::int16_t QuitAnswer = 0;
    double BallVelY = 0;
    double BallVelX = 0;
    double ContactAngle = 0;
    double ContactSlope = 0;
    std::int32_t LandingX = 0;
    double TimeToApex = 0;
    std::int16_t Gravity = 0;
    std::int16_t PlayerSpeed = 0;
    std::int16_t NetTopBounce = 0;
    std::int16_t Paused = 0;
    double NetBounceDamping = 0;
    double NormalAngle = 0;
    double NormalX = 0;
    double NormalY = 0;
    double NormalVel = 0;
};

}  // namespace quondra
