#pragma once

#include <cstdint>
#include <string_view>

#include "scene/objects.h"

namespace quondra {

// The game's time base: 64 periods a second, the reference platform's timer
// granularity. Both the real window and the scene console advance it in
// whole periods, so a script reproduces the game exactly.
inline constexpr double kPeriodMs = 15.625;
inline constexpr int kPeriodsPerSecond = 64;

class Clock {
public:
    std::int64_t Period() const { return period_; }
    void Advance() { ++period_; }

private:
    std::int64_t period_ = 0;
};

// A scene timer. Enabling a stopped timer starts its count, so it fires one
// whole interval later; disabling cancels the count.
class Timer : public SceneObject {
public:
    Timer(std::string_view name, int interval, EventHandler tick, const Clock& clock);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    int Interval() const { return interval_; }
    EventHandler Tick() const { return tick_; }
    // Periods between two firings: intervals up to 15 ms fire every period.
    std::int64_t PeriodsPerFiring() const;

    // Due in the clock's current period. Firing re-arms the count before the
    // handler runs, so a handler that disables its own timer cancels it.
    bool Due() const { return enabled_ && nextFiring_ <= clock_->Period(); }
    void MarkFired() { nextFiring_ = clock_->Period() + PeriodsPerFiring(); }

private:
    const Clock* clock_;
    int interval_;
    EventHandler tick_;
    bool enabled_ = false;
    std::int64_t nextFiring_ = 0;
};

}  // namespace quondra
