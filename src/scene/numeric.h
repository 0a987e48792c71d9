#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quondra {

// Conversions to the game's integer types round to nearest, ties to even.
// Out-of-range values saturate and NaN becomes 0, so no input is undefined
// behaviour even though play never produces one.
template <typename Int>
inline Int RoundTo(double value) {
    if (std::isnan(value)) return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (value <= lo) return std::numeric_limits<Int>::min();
    if (value >= hi) return std::numeric_limits<Int>::max();
    // Ties to even by hand: the library's nearbyint is an out-of-line call,
    // and conversions run many times a tick. Truncation and the remainder are
    // both exact here, since the value lies well inside 64 bits.
    std::int64_t whole = static_cast<std::int64_t>(value);
    const double rest = value - static_cast<double>(whole);
    const bool odd = (whole & 1) != 0;
    if (rest > 0.5 || (rest == 0.5 && odd)) ++whole;
    else if (rest < -0.5 || (rest == -0.5 && odd)) --whole;
    return static_cast<Int>(whole);
}

// Integer: a 16-bit conversion.
inline std::int16_t CInt(double value) { return RoundTo<std::int16_t>(value); }
// Long: a 32-bit conversion.
inline std::int32_t CLng(double value) { return RoundTo<std::int32_t>(value); }
// Single: the sum is rounded to single precision before it is compared.
// With IEEE floats a double beyond the float range lies between the largest
// float and infinity, so the cast is defined for every input (it gives the
// infinity); only a float without infinities would make it undefined.
static_assert(std::numeric_limits<float>::is_iec559 && std::numeric_limits<double>::is_iec559);
inline float CSng(double value) { return static_cast<float>(value); }

// Booleans kept in 16-bit match-state fields.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

}  // namespace quondra
