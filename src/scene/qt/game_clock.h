#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace quondra::qt {

// Drives the game's 64 Hz clock from a monotonic clock: a one-shot precise
// timer re-armed to each period's deadline, so the rate is exactly 64 a
// second, never the 62.5 or 66.7 a repeating timer gives.
class GameClock {
public:
    // Monotonic nanoseconds; injectable so that a stall can be tested without sleeping.
    using TimeSource = std::function<std::int64_t()>;

    // Periods are run through `run`; without `now` the system's monotonic clock serves.
    explicit GameClock(std::function<void(std::int64_t)> run, TimeSource now = nullptr);

    void Start();
    void Stop();
    // Runs the whole periods whose deadlines have passed (at most
    // kMaxPeriodsPerWake; the rest are dropped) and returns how many ran.
    std::int64_t Wake();
    // Starts the deadline grid anew from now, dropping elapsed periods.
    void Rebase();

    bool Running() const { return running_; }
    // How far `moment` lies past the deadline of the last period run, in
    // nanoseconds; negative for a moment before it. 0 when stopped.
    std::int64_t SinceLastPeriod(std::int64_t moment) const;
    std::int64_t Now() const { return now_(); }
    static constexpr std::int64_t kPeriodNs = 15'625'000;
    // The wait the timer is armed with, in milliseconds; -1 when it is not armed.
    int ArmedMs() const { return timer_.isActive() ? timer_.interval() : -1; }
    // The timer that wakes the clock: its timeouts are the wakes.
    const QTimer& WakeTimer() const { return timer_; }

    static constexpr std::int64_t kMaxPeriodsPerWake = 4;

private:
    void Arm();

    std::function<void(std::int64_t)> run_;
    TimeSource now_;
    QElapsedTimer elapsed_;
    QTimer timer_;
    std::int64_t base_ = 0;     // when period 0 of the grid began
    std::int64_t periods_ = 0;  // periods run since the base
    bool running_ = false;
};

}  // namespace quondra::qt
