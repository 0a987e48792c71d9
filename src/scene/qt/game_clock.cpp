#include "game_clock.h"

#include <algorithm>

namespace quondra::qt {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

GameClock::GameClock(std::function<void(std::int64_t)> run, TimeSource now)
    : run_(std::move(run)), now_(std::move(now)) {
    elapsed_.start();
    if (!now_) now_ = [this] { return elapsed_.nsecsElapsed(); };
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Wake(); });
}

void GameClock::Start() {
    running_ = true;
    Rebase();
    Arm();
}

void GameClock::Stop() {
    running_ = false;
    timer_.stop();
}

void GameClock::Rebase() {
    base_ = now_();
    periods_ = 0;
}

std::int64_t GameClock::Wake() {
    if (!running_) return 0;
    const std::int64_t now = now_();
    if (now < base_ + periods_ * kPeriodNs) {
        // The clock went backwards, behind periods already run: start the grid
        // again rather than wait until it comes back there.
        Rebase();
        Arm();
        return 0;
    }
    const std::int64_t due = (now - base_) / kPeriodNs - periods_;
    const std::int64_t run = std::clamp<std::int64_t>(due, 0, kMaxPeriodsPerWake);
    periods_ += run;
    if (due > kMaxPeriodsPerWake) {
        // A stall: drop the rest instead of bursting to catch up.
        base_ = now - (now - base_) % kPeriodNs;
        periods_ = 0;
    }
    if (run > 0) run_(run);
    Arm();
    return run;
}

std::int64_t GameClock::SinceLastPeriod(std::int64_t moment) const {
    if (!running_) return 0;
    return moment - (base_ + periods_ * kPeriodNs);
}

void GameClock::Arm() {
    if (!running_) return;
    const std::int64_t deadline = base_ + (periods_ + 1) * kPeriodNs;
    const std::int64_t wait = std::max<std::int64_t>(0, deadline - now_());
    timer_.start(static_cast<int>((wait + kNsPerMs - 1) / kNsPerMs));
}

}  // namespace quondra::qt
