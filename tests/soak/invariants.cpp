#include "invariants.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ball/collision.h"
#include "game/frm_game.h"
#include "game/hits.h"

namespace quondra::soak {
namespace {

constexpr float kPlayerTop = 6960;
constexpr float kRedRightLimit = 12710;  // the outer width less 115
constexpr double kRimTolerance = 1;      // the rim placement rounds to single precision
constexpr int kMaxScore = 10;
constexpr double kRimStep = 3.14159265358979 / 120;  // 1.5 degrees, as the game turns

bool Finite(double v) { return std::isfinite(v); }

std::optional<int> ScoreOf(const std::string& caption) {
    for (int n = 0; n <= kMaxScore; ++n)
        if (caption == std::to_string(n)) return n;
    return std::nullopt;
}

bool InIntegerRange(double v) {
    return v > std::numeric_limits<std::int16_t>::min() && v < std::numeric_limits<std::int16_t>::max();
}

template <typename Object>
bool CentreInRange(const Object& o) {
    return InIntegerRange(static_cast<double>(o.Left) + o.Width / 2.0) &&
           InIntegerRange(static_cast<double>(o.Top) + o.Height / 2.0);
}

// How far the ball's centre lies inside the rim distance of a player.
double Depth(const Shape& ball, const Shape& player) {
    const double radii = (ball.Width + player.Width) / 2.0;
    return radii - Distance(ball.Left + ball.Width / 2, ball.Top + ball.Width / 2, CenterX(player),
                            CenterY(player));
}

// Between rallies the ball rests on the ground against the side of the player
// it last met. With both players at the net the gap between them is narrower
// than the ball, so resting against one puts it inside the other
// (tests/scenarios/ball_rests_in_the_gap_at_the_net.scn).
bool RestsInAGapNarrowerThanItself(const FrmGame& frm) {
    const Shape& ball = frm.shpBall;
    const double gap =
        static_cast<double>(frm.shpCir2.Left) - (static_cast<double>(frm.shpCir1.Left) + frm.shpCir1.Width);
    const bool resting =
        frm.tmrDelay.Enabled() && ball.Top == CSng(static_cast<double>(frm.fraGround.Top) - ball.Width);
    const bool againstYellow = ball.Left == CSng(CenterX(frm.shpCir1) + frm.shpCir1.Width / 2.0);
    const bool againstRed = ball.Left == CSng(CenterX(frm.shpCir2) - frm.shpCir2.Width / 2.0 - ball.Width);
    return resting && gap < ball.Width && (againstYellow || againstRed);
}

std::optional<std::string> Positions(const FrmGame& frm) {
    for (float v : {frm.shpBall.Left, frm.shpBall.Top, frm.shpCir1.Left, frm.shpCir1.Top,
                    frm.shpCir2.Left, frm.shpCir2.Top})
        if (!Finite(v)) return "a position is not finite";
    for (double v : {frm.BallVelX, frm.BallVelY})
        if (!Finite(v)) return "a velocity is not finite";
    // No division by zero or overflow anywhere in the game's arithmetic.
    for (double v : {frm.ContactAngle, frm.ContactSlope, frm.TimeToApex, frm.NetBounceDamping,
                     frm.NormalAngle, frm.NormalX, frm.NormalY, frm.NormalVel})
        if (!Finite(v)) return "a variable of the match is not finite";
    // The ball's height goes through a 16-bit conversion only at a hit, where
    // it lies beside a player; a ball bounced for minutes on an idle player
    // climbs far above the window (tests/scenarios/ball_climbs_above_the_range.scn),
    // so only its x, which every landing prediction converts, is held to the range.
    if (!InIntegerRange(static_cast<double>(frm.shpBall.Left) + frm.shpBall.Width / 2.0))
        return "the ball's centre left the 16-bit range";
    if (!CentreInRange(frm.shpCir1) || !CentreInRange(frm.shpCir2))
        return "a player's centre left the 16-bit range";
    if (RimWalkPasses(frm) >= kRimWalkMaxPasses)
        return "the walk round a player's rim did not end within " + std::to_string(kRimWalkMaxPasses - 1) +
               " passes";
    if (frm.shpCir1.Top != kPlayerTop || frm.shpCir2.Top != kPlayerTop)
        return "a player left the ground";
    const float netLeft = frm.shpNet.Left;
    const float netRight = frm.shpNet.Left + frm.shpNet.Width;
    if (!(frm.shpCir1.Left > 0 && frm.shpCir1.Left + frm.shpCir1.Width < netLeft))
        return "Yellow left its half: Left " + std::to_string(frm.shpCir1.Left);
    if (!(frm.shpCir2.Left > netRight && frm.shpCir2.Left + frm.shpCir2.Width < kRedRightLimit))
        return "Red left its half: Left " + std::to_string(frm.shpCir2.Left);
    if (frm.shpBall.Visible) {
        const double yellow = Depth(frm.shpBall, frm.shpCir1);
        const double red = Depth(frm.shpBall, frm.shpCir2);
        const bool both = yellow > 0 && red > 0;
        if (!both && (yellow > kRimTolerance || red > kRimTolerance) && !RestsInAGapNarrowerThanItself(frm))
            return "the ball lies " + std::to_string(std::max(yellow, red)) + " units inside a player";
    }
    return std::nullopt;
}

}  // namespace

std::optional<InvariantChecker::Phase> InvariantChecker::PhaseOf(const FrmGame& frm) {
    const bool ball = frm.tmrBall.Enabled(), delay = frm.tmrDelay.Enabled();
    const bool paused = frm.Paused == kTrue, settings = frm.cmdPlay.Visible;
    if (frm.Paused != kTrue && frm.Paused != kFalse) return std::nullopt;
    int holding = 0;
    Phase phase = Phase::Settings;
    auto holds = [&](bool condition, Phase p) {
        if (condition) ++holding, phase = p;
    };
    holds(settings && !ball && !delay && !paused, Phase::Settings);
    holds(!settings && ball && !delay && !paused, Phase::InPlay);
    holds(!settings && !ball && delay && !paused, Phase::BetweenRallies);
    holds(!settings && !ball && !delay && paused, Phase::Paused);
    if (holding != 1) return std::nullopt;
    return phase;
}

InvariantChecker::InvariantChecker(const FrmGame& frm) {
    yellow_ = ScoreOf(frm.lblYellow.Caption).value_or(0);
    red_ = ScoreOf(frm.lblRed.Caption).value_or(0);
    phase_ = PhaseOf(frm).value_or(Phase::Settings);
}

std::optional<std::string> InvariantChecker::CheckScores(const FrmGame& frm, const Event& cause,
                                                         Phase before, Phase now) {
    const auto yellow = ScoreOf(frm.lblYellow.Caption);
    const auto red = ScoreOf(frm.lblRed.Caption);
    if (!yellow || !red) return "a score is not the text of 0 to 10";
    const bool changed = *yellow != yellow_ || *red != red_;
    const bool matchStart = before == Phase::Settings && now == Phase::InPlay && *yellow == 0 && *red == 0;
    // New game abandons the match and clears the scores.
    const bool abandoned = cause.kind == Event::Kind::KeyDown && now == Phase::Settings &&
                           *yellow == 0 && *red == 0;
    // A rally ends in the ball's tick: the pause between rallies or, at the
    // winning point, the settings screen follows at once.
    const bool rallyEnd = cause.kind == Event::Kind::Run && before == Phase::InPlay &&
                          (now == Phase::BetweenRallies || now == Phase::Settings);
    const bool point = rallyEnd && (*yellow - yellow_) + (*red - red_) == 1 && *yellow >= yellow_ &&
                       *red >= red_;
    if (changed && !matchStart && !abandoned && !point)
        return "the score went from " + std::to_string(yellow_) + ":" + std::to_string(red_) +
               " to " + std::to_string(*yellow) + ":" + std::to_string(*red);
    if (before == Phase::Settings && now == Phase::InPlay && !matchStart)
        return "a match started without both scores at 0";
    if (point) {
        ++points_;
        if (now == Phase::Settings) ++matchesWon_;
    }
    yellow_ = *yellow, red_ = *red;
    return std::nullopt;
}

int RimWalkPasses(const FrmGame& frm) {
    const double run = static_cast<double>(frm.linCol.X2) - frm.linCol.X1;
    const double rise = static_cast<double>(frm.linCol.Y2) - frm.linCol.Y1;
    const double start = run == 0 ? std::copysign(kRimStep * 60, rise) : std::atan(rise / run);
    return static_cast<int>(std::lround(std::abs(frm.ContactAngle - start) / kRimStep));
}

std::optional<std::string> InvariantChecker::Check(const FrmGame& frm, const Event& cause) {
    const auto now = PhaseOf(frm);
    if (!now) return "not exactly one phase holds";
    if (*now == Phase::Settings)
        for (const Timer* t : frm.Timers())
            if (t->Enabled()) return std::string(t->Name) + " runs on the settings screen";
    longestRimWalk_ = std::max(longestRimWalk_, RimWalkPasses(frm));
    if (auto broken = Positions(frm)) return broken;
    const Phase before = phase_;
    phase_ = *now;
    return CheckScores(frm, cause, before, *now);
}

}  // namespace quondra::soak
