#include "game/hits.h"

namespace quondra {

double Distance(float x1, float y1, std::int16_t x2, std::int16_t y2) {
    // The differences are taken in extended precision, the squares summed as doubles.
    const long double dx = static_cast<long double>(x1) - static_cast<float>(x2);
    const long double dy = static_cast<long double>(y1) - static_cast<float>(y2);
    const double sum = static_cast<double>(dx * dx) + static_cast<double>(dy * dy);
    return std::sqrt(sum);
}

}  // namespace quondra
