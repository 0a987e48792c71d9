#pragma once

#include <cstdint>
#include <random>

namespace quondra {

// The game's random numbers: uniform floats in [0, 1) from a seedable,
// portable generator, so a seeded run repeats on every machine.
class RandomSource {
public:
    void Seed(double seed);
    float Next();

private:
    std::mt19937 engine_{0};
};

}  // namespace quondra
