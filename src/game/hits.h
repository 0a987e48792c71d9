#pragma once

#include <cmath>
#include <cstdint>

#include "scene/numeric.h"

namespace quondra {

// Centre of any object with Left/Top/Width/Height, rounded ties-to-even.
template <typename Object>
std::int16_t CenterX(const Object& obj) {
    return CInt(static_cast<double>(obj.Left) + static_cast<double>(obj.Width) / 2);
}

template <typename Object>
std::int16_t CenterY(const Object& obj) {
    return CInt(static_cast<double>(obj.Top) + static_cast<double>(obj.Height) / 2);
}

double Distance(float x1, float y1, std::int16_t x2, std::int16_t y2);

// Scene units: far more than the rounding of a distance between on-screen points.
inline constexpr double kOverlapRejectMargin = 1;

// True when two circles inscribed in their boxes overlap; touching is not
// overlapping. The first object's centre keeps its fraction while the
// second's is rounded: callers pass the ball first.
template <typename A, typename B>
bool CirclesOverlap(const A& a, const B& b) {
    const double ra = static_cast<double>(a.Width) / 2;
    const double rb = static_cast<double>(b.Width) / 2;
    const float ax = CSng(a.Left + ra);
    const float ay = CSng(a.Top + ra);
    // Most calls find the two far apart on one axis. The differences are exact
    // in double, and the distance below can fall short of either by far less
    // than the margin, so leaving early never changes the answer.
    const double reach = ra + rb + kOverlapRejectMargin;
    const std::int16_t bx = CInt(b.Left + rb);
    if (std::abs(static_cast<double>(ax) - bx) > reach) return false;
    const std::int16_t by = CInt(b.Top + rb);
    if (std::abs(static_cast<double>(ay) - by) > reach) return false;
    return Distance(ax, ay, bx, by) < ra + rb;
}

}  // namespace quondra
