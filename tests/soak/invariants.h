#pragma once

#include <optional>
#include <string>

#include "event_stream.h"

namespace quondra {
class FrmGame;
}

namespace quondra::soak {

// What must hold after every step of any game, whatever the player does.
class InvariantChecker {
public:
    explicit InvariantChecker(const FrmGame& frm);
    // Checks the game after one step: an event, or one period of a run.
    // Returns a description of the first rule broken.
    std::optional<std::string> Check(const FrmGame& frm, const Event& cause);

private:
    enum class Phase { Settings, InPlay, BetweenRallies, Paused };
    std::optional<std::string> CheckScores(const FrmGame& frm, const Event& cause, Phase before,
                                           Phase now);

    int yellow_ = 0, red_ = 0;
    Phase phase_ = Phase::Settings;
    static std::optional<Phase> PhaseOf(const FrmGame& frm);
};

}  // namespace quondra::soak
