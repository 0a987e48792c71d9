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
    // Periods are run through `run`; `now` gives monotonic nanoseconds.
    explicit GameClock(std::function<void(std::int64_t)> run,
                       std::function<std::int64_t()> now = nullptr);

    void Start();
    void Stop();
    // Runs the whole periods whose deadlines have passed (at most
    // kMaxPeriodsPerWake; the rest are dropped) and returns how many ran.
    std::int64_t Wake();
    // Starts the deadline grid anew from now, dropping elapsed periods.
    void Rebase();

    static constexpr std::int64_t kMaxPeriodsPerWake = 4;

private:
    void Arm();

    std::function<void(std::int64_t)> run_;
    std::function<std::int64_t()> now_;
    QElapsedTimer elapsed_;
    QTimer timer_;
    std::int64_t base_ = 0;     // when period 0 of the grid began
    std::int64_t periods_ = 0;  // periods run since the base
    bool running_ = false;
};

}  // namespace quondra::qt
