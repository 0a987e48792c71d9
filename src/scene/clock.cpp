#include "scene/clock.h"

#include <cmath>

namespace quondra {

Timer::Timer(std::string_view name, int interval, const Clock& clock)
    : SceneObject{name, nullptr}, clock_(&clock), interval_(interval) {}

void Timer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) nextFiring_ = clock_->Period() + PeriodsPerFiring();
    enabled_ = enabled;
}

std::int64_t Timer::PeriodsPerFiring() const {
    if (interval_ <= 15) return 1;
    return static_cast<std::int64_t>(std::ceil(interval_ / kPeriodMs));
}

}  // namespace quondra
