#include "scene/clock.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace quondra {

Timer::Timer(std::string_view name, int interval, EventHandler tick, const Clock& clock)
    : SceneObject{name, nullptr}, clock_(&clock), interval_(interval), tick_(tick) {
    if (tick_ == nullptr) throw std::invalid_argument("the timer " + std::string(name) + " has no tick handler");
}

void Timer::SetEnabled(bool enabled) {
    if (enabled && !enabled_) nextFiring_ = clock_->Period() + PeriodsPerFiring();
    enabled_ = enabled;
}

std::int64_t Timer::PeriodsPerFiring() const {
    if (interval_ <= 15) return 1;
    return static_cast<std::int64_t>(std::ceil(interval_ / kPeriodMs));
}

}  // namespace quondra
