#pragma once

#include <QElapsedTimer>
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
class FramePacer {
public:
    FramePacer(QWidget& window, std::function<void()> frame);

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

private:
    void Arm(std::int64_t waitNs);
    void ArmOnRefresh(std::int64_t now);
    void Deliver();

    QWidget& window_;
    std::function<void()> frame_;
    QTimer timer_;
    QElapsedTimer elapsed_;
    std::int64_t lastFrame_ = -1;  // ns on elapsed_, -1 before the first
    std::int64_t due_ = -1;        // when the last timed frame was due
    bool callbacks_;               // the compositor paces frames
    bool asked_ = false;
    bool requested_ = false;       // an update request is on its way
};

}  // namespace quondra::qt
