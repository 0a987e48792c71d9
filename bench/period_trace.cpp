#include "period_trace.h"

#include <chrono>

namespace quondra::qt {

PeriodTrace::PeriodTrace(std::ostream& out, TimeSource now) : out_(out), now_(std::move(now)) {
    if (!now_) {
        now_ = [] {
            return std::chrono::duration_cast<std::chrono::nanoseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
    // Ball positions are floats: all their digits.
    out_.precision(9);
}

void PeriodTrace::Wake(std::int64_t ran, const FrmGame& frm) {
    // A line each time and no flush: a stopped process loses at most the tail.
    out_ << "wake " << now_() << ' ' << ran << ' ' << frm.clock.Period() << ' ' << frm.shpBall.Left << ' '
         << frm.shpBall.Top << '\n';
}

void PeriodTrace::BoxOpened(const FrmGame& frm) {
    out_ << "box open " << now_() << ' ' << frm.clock.Period() << std::endl;
}

void PeriodTrace::BoxClosed(const FrmGame& frm) {
    out_ << "box closed " << now_() << ' ' << frm.clock.Period() << std::endl;
}

}  // namespace quondra::qt
