#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "event_stream.h"

namespace quondra {
class FrmGame;
}

namespace quondra::soak {

// How many passes the last walk round a player's rim made, read back from
// where it ended: each pass turns the contact angle one step on from the
// contact line's.
int RimWalkPasses(const FrmGame& frm);

// What must hold after every step of any game, whatever the player does.
class InvariantChecker {
public:
    explicit InvariantChecker(const FrmGame& frm);
    // Checks the game after one step: an event, or one period of a run.
    // Returns a description of the first rule broken.
    std::optional<std::string> Check(const FrmGame& frm, const Event& cause);

    // What the play reached so far, to show that the checks met it.
    std::uint64_t Points() const { return points_; }
    std::uint64_t MatchesWon() const { return matchesWon_; }
    int LongestRimWalk() const { return longestRimWalk_; }

private:
    enum class Phase { Settings, InPlay, BetweenRallies, Paused };
    std::optional<std::string> CheckScores(const FrmGame& frm, const Event& cause, Phase before,
                                           Phase now);

    int yellow_ = 0, red_ = 0;
    std::uint64_t points_ = 0, matchesWon_ = 0;
    int longestRimWalk_ = 0;
    Phase phase_ = Phase::Settings;
    static std::optional<Phase> PhaseOf(const FrmGame& frm);
};

}  // namespace quondra::soak
