#include "scene/random_source.h"

#include <bit>
#include <cmath>

namespace quondra {

void RandomSource::Seed(double seed) {
    // Mix the whole double so that the fraction of the time of day counts.
    const auto bits = std::bit_cast<std::uint64_t>(std::isfinite(seed) ? seed : 0.0);
    std::seed_seq sequence{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    engine_.seed(sequence);
}

float RandomSource::Next() {
    // 24 random bits fill a float's mantissa exactly, so 1.0 is never reached.
    constexpr float kScale = 1.0f / 16777216.0f;
    return static_cast<float>(engine_() >> 8) * kScale;
}

}  // namespace quondra
