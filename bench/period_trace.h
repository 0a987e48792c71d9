#pragma once

#include <cstdint>
#include <functional>
#include <ostream>

#include "game/frm_game.h"

namespace quondra::qt {

// A line for every wake of the clock and for every message box, so that the
// loop's behaviour under load can be measured from outside:
//   wake T RAN PERIOD LEFT TOP   T ns on the monotonic clock, RAN periods run
//                                by this wake, PERIOD the game's period count
//                                after them, the ball's Left and Top
//   box open T PERIOD            a message box opened
//   box closed T PERIOD          it was closed
class PeriodTrace {
public:
    using TimeSource = std::function<std::int64_t()>;

    // Without `now` the system's monotonic clock serves.
    explicit PeriodTrace(std::ostream& out, TimeSource now = nullptr);

    void Wake(std::int64_t ran, const FrmGame& frm);
    void BoxOpened(const FrmGame& frm);
    void BoxClosed(const FrmGame& frm);

private:
    std::ostream& out_;
    TimeSource now_;
};

}  // namespace quondra::qt
