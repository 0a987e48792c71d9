#include "frame_pacer.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace quondra::qt {
namespace {

constexpr double kNsPerSecond = 1e9;
constexpr std::int64_t kNsPerMs = 1'000'000;
// A gap of this many refreshes between callbacks (an idle spell, a window
// unseen) ends the cadence: the next frame starts it anew.
constexpr std::int64_t kCadenceGapRefreshes = 4;
// How fast the cadence follows: an early callback at once, since lateness is
// all the noise there is; a late one half-way, so that one delayed callback
// moves the cadence little but a compositor that has slowed down is caught up
// with in a few frames; a changing interval over a few callbacks. Measured
// under a headless compositor at 60 Hz, these drew the most frames even.
constexpr double kLateWeight = 1.0 / 2;
constexpr double kIntervalWeight = 1.0 / 4;

}  // namespace

FramePacer::FramePacer(QWidget& window, std::function<void(std::int64_t)> frame, TimeSource now)
    : window_(window),
      frame_(std::move(frame)),
      now_(std::move(now)),
      callbacks_(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    // A timed frame stands for its deadline, however late the timer fires.
    QObject::connect(&timer_, &QTimer::timeout, [this] { Deliver(due_ >= 0 ? due_ : now_()); });
}

std::int64_t FramePacer::RefreshNs() const {
    const QScreen* screen = window_.screen();
    return static_cast<std::int64_t>(kNsPerSecond / PaceHz(screen != nullptr ? screen->refreshRate() : 0));
}

std::int64_t FramePacer::Cadence(std::int64_t arrival) {
    const std::int64_t refresh = RefreshNs();
    // The compositor's own interval may differ a little from the rate the
    // screen reports; it is learned from the callbacks, within reason.
    if (beatNs_ < refresh / 2.0 || beatNs_ > refresh * 2.0) beatNs_ = static_cast<double>(refresh);
    const auto beat = static_cast<std::int64_t>(beatNs_);
    if (beat_ < 0 || arrival < beat_ || arrival - beat_ > kCadenceGapRefreshes * beat) {
        beat_ = lastArrival_ = arrival;
        return beat_;
    }
    const std::int64_t refreshes = std::max<std::int64_t>(1, (arrival - beat_ + beat / 2) / beat);
    if (refreshes == 1 && lastArrival_ >= 0) {
        const double interval = static_cast<double>(arrival - lastArrival_);
        if (interval > beatNs_ / 2 && interval < beatNs_ * 2) beatNs_ += (interval - beatNs_) * kIntervalWeight;
    }
    lastArrival_ = arrival;
    const std::int64_t expected = beat_ + refreshes * beat;
    beat_ = arrival <= expected ? arrival
                                : expected + static_cast<std::int64_t>(static_cast<double>(arrival - expected) * kLateWeight);
    return beat_;
}

double FramePacer::PaceHz(double reportedHz) {
    if (!std::isfinite(reportedHz) || reportedHz < kMinHz) return kFallbackHz;
    return std::min(reportedHz, kMaxHz);
}

void FramePacer::Ask(bool drew) {
    if (asked_) return;
    asked_ = true;
    const std::int64_t now = now_();
    if (callbacks_ && drew && window_.windowHandle() != nullptr) {
        requested_ = true;
        window_.windowHandle()->requestUpdate();
        return;
    }
    ArmOnRefresh(now);
}

void FramePacer::ArmOnRefresh(std::int64_t now) {
    // Without frame callbacks, one frame a refresh of the screen, on a grid
    // of deadlines so that a late timer does not slow the rate; after a
    // pause in motion (more than a frame behind), at once.
    const std::int64_t interval = RefreshNs();
    due_ = due_ < 0 || due_ + 2 * interval < now ? now : due_ + interval;
    Arm(std::max<std::int64_t>(0, due_ - now));
}

void FramePacer::Cancel() {
    asked_ = false;
    timer_.stop();
}

bool FramePacer::TakeUpdateRequest() {
    if (!requested_) return false;
    requested_ = false;
    if (!asked_) return true;
    // A compositor calling faster than anyone can see waits for its turn.
    const std::int64_t now = now_();
    const std::int64_t early = lastFrame_ < 0 ? 0 : lastFrame_ + static_cast<std::int64_t>(kNsPerSecond / kMaxHz) - now;
    if (early > 0) {
        due_ = now + early;
        Arm(early);
    } else {
        Deliver(Cadence(now));
    }
    return true;
}

void FramePacer::Arm(std::int64_t waitNs) {
    timer_.start(static_cast<int>((waitNs + kNsPerMs - 1) / kNsPerMs));
}

void FramePacer::Deliver(std::int64_t moment) {
    if (!asked_) return;
    asked_ = false;
    lastFrame_ = now_();
    frame_(std::min(moment, lastFrame_));
}

}  // namespace quondra::qt
