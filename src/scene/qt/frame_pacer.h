#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>

class QEvent;
class QWidget;

namespace quondra::qt {

// Asks the toolkit for the window's next frame, one at a time, paced by the
// screen: on Wayland by the compositor's frame callbacks (the window's
// update requests), elsewhere by a timer at the screen's refresh rate.
// Nothing is armed unless a frame has been asked for.
//
// Each frame is drawn for a moment on the screen's cadence rather than for
// when it happens to be drawn: a callback or a timer reaches the program a
// varying while after the refresh it stands for, later under load, but the
// picture is shown at a refresh all the same. Drawn for the moment of its
// arrival, a late frame would show the ball a little too far along.
class FramePacer {
public:
    // Monotonic nanoseconds, on the same clock as the game's periods.
    using TimeSource = std::function<std::int64_t()>;
    // `frame` draws the frame for the moment it is given.
    FramePacer(QWidget& window, std::function<void(std::int64_t)> frame, TimeSource now);

    // The next frame, once, however often it is asked for before it comes.
    // `drew`: the last frame put something on screen, so the compositor
    // will call back; after a frame that drew nothing the timer paces.
    void Ask(bool drew = true);
    void Cancel();
    bool Asked() const { return asked_; }
    // An update request to the window: true when it was the pacer's, and
    // so handled here (the toolkit's own would repaint the whole window).
    bool TakeUpdateRequest();
    // The timer that paces frames where there are no frame callbacks.
    const QTimer& Timer() const { return timer_; }

    // The rate frames are paced at for a screen reporting `reportedHz`: an
    // unknown or implausibly low rate counts as 60 Hz, and no more than
    // kMaxHz are drawn, however fast the screen says it is.
    static double PaceHz(double reportedHz);
    static constexpr double kFallbackHz = 60;
    static constexpr double kMinHz = 20;
    static constexpr double kMaxHz = 240;

    // The moment a frame called back at `arrival` is drawn for: on the
    // cadence of the callbacks before it, where that cadence still holds.
    std::int64_t Cadence(std::int64_t arrival);

private:
    void Arm(std::int64_t waitNs);
    void ArmOnRefresh(std::int64_t now);
    void Deliver(std::int64_t moment);
    std::int64_t RefreshNs() const;

    QWidget& window_;
    std::function<void(std::int64_t)> frame_;
    TimeSource now_;
    QTimer timer_;
    std::int64_t lastFrame_ = -1;  // when the last frame was drawn, -1 before the first
    std::int64_t beat_ = -1;       // the moment of the last frame called back, -1 when unknown
    std::int64_t lastArrival_ = -1;
    double beatNs_ = 0;            // the callbacks' interval as measured; 0 before it is
    std::int64_t due_ = -1;        // when the last timed frame was due
    bool callbacks_;               // the compositor paces frames
    bool asked_ = false;
    bool requested_ = false;       // an update request is on its way
};

}  // namespace quondra::qt
