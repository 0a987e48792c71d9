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

}  // namespace

FramePacer::FramePacer(QWidget& window, std::function<void()> frame)
    : window_(window),
      frame_(std::move(frame)),
      callbacks_(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    elapsed_.start();
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Deliver(); });
}

double FramePacer::PaceHz(double reportedHz) {
    if (!std::isfinite(reportedHz) || reportedHz < kMinHz) return kFallbackHz;
    return std::min(reportedHz, kMaxHz);
}

void FramePacer::Ask(bool drew) {
    if (asked_) return;
    asked_ = true;
    const std::int64_t now = elapsed_.nsecsElapsed();
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
    const QScreen* screen = window_.screen();
    const double hz = PaceHz(screen != nullptr ? screen->refreshRate() : 0);
    const auto interval = static_cast<std::int64_t>(kNsPerSecond / hz);
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
    const std::int64_t early =
        lastFrame_ < 0 ? 0 : lastFrame_ + static_cast<std::int64_t>(kNsPerSecond / kMaxHz) - elapsed_.nsecsElapsed();
    if (early > 0) Arm(early);
    else Deliver();
    return true;
}

void FramePacer::Arm(std::int64_t waitNs) {
    timer_.start(static_cast<int>((waitNs + kNsPerMs - 1) / kNsPerMs));
}

void FramePacer::Deliver() {
    if (!asked_) return;
    asked_ = false;
    lastFrame_ = elapsed_.nsecsElapsed();
    frame_();
}

}  // namespace quondra::qt
