#include "players/opponent.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/court.h"
#include "game/events.h"
#include "game/frm_game.h"
#include "game/hits.h"
#include "recording_platform.h"

namespace quondra {
namespace {

using testing::Game;

// Both walking is no command at all: the opponent must never leave Red so.
enum class Command { WalkLeft, WalkRight, Stand, BothWalking };

const char* NameOf(Command c) {
    switch (c) {
        case Command::WalkLeft: return "walk left";
        case Command::WalkRight: return "walk right";
        case Command::Stand: return "stand";
        case Command::BothWalking: return "both walking";
    }
    return "?";
}

// Red's circle is 1455 wide, so a centre of C puts its left edge at C - 727.5.
constexpr float kRedHalfWidth = 727.5f;

struct OneTick {
    bool ballInPlay;
    float ballLeft;
    std::int32_t landingX;
    std::int16_t redCenter;
    Command expected;
};

// Reads the command back from Red's timers, whatever they held before the tick.
Command Issued(const FrmGame& frm) {
    if (frm.tmrLeft2.Enabled() && !frm.tmrRight2.Enabled()) return Command::WalkLeft;
    if (frm.tmrRight2.Enabled() && !frm.tmrLeft2.Enabled()) return Command::WalkRight;
    if (!frm.tmrLeft2.Enabled() && !frm.tmrRight2.Enabled()) return Command::Stand;
    return Command::BothWalking;
}

TEST(ComputerOpponent, IssuesTheCommandThatTheSceneCallsFor) {
    const std::vector<OneTick> table{
        {true, 1920.5f, 0, 10568, Command::WalkLeft},
        {true, 1920.5f, 0, 9668, Command::Stand},
        {true, 1920.5f, 0, 9500, Command::Stand},
        {true, 1920.5f, 0, 9498, Command::WalkRight},
        {true, 1920.5f, 6240, 9600, Command::WalkLeft},
        {true, 6240, 3000, 9600, Command::WalkLeft},
        {true, 7000, 8000, 7950, Command::Stand},
        {true, 7000, 8000, 7898, Command::WalkRight},
        {false, 1920.5f, 0, 10568, Command::Stand},
        {false, 7000, 11000, 8000, Command::Stand},
    };
    // Each case from every prior state of Red's timers, so no write can be missing.
    const std::vector<std::pair<bool, bool>> priors{{false, false}, {true, false}, {false, true}, {true, true}};
    for (const OneTick& c : table) {
        for (auto [left, right] : priors) {
            SCOPED_TRACE(::testing::Message() << "ball " << c.ballLeft << " landing " << c.landingX << " red "
                                              << c.redCenter << " prior " << left << right);
            Game g;
            g.frm.tmrBall.SetEnabled(c.ballInPlay);
            g.frm.shpBall.Left = c.ballLeft;
            g.frm.LandingX = c.landingX;
            g.frm.shpCir2.Left = c.redCenter - kRedHalfWidth;
            ASSERT_EQ(CenterX(g.frm.shpCir2), c.redCenter);
            g.frm.tmrLeft2.SetEnabled(left);
            g.frm.tmrRight2.SetEnabled(right);
            tmrAI_Timer(g.frm);
            EXPECT_STREQ(NameOf(Issued(g.frm)), NameOf(c.expected));
        }
    }
}

TEST(ComputerOpponent, MovesNothingItselfAndWritesOnlyRedsTimers) {
    Game g;
    g.frm.tmrBall.SetEnabled(true);
    g.frm.shpBall.Left = 1920.5f;
    tmrAI_Timer(g.frm);
    EXPECT_EQ(g.frm.shpCir2.Left, kRedStartLeft);
    EXPECT_FALSE(g.frm.tmrLeft1.Enabled());
    EXPECT_FALSE(g.frm.tmrRight1.Enabled());
    EXPECT_TRUE(g.platform.log.empty());
}

// Plays from the match start against the computer, one period at a time, and
// counts Red's steps until the opponent lets it stand.
struct FirstServe : Game {
    FirstServe() {
        ClickPlay(frm);  // the start-up choices: Human vs. Computer, Average speed
    }
    int StepsUntilRedStands(int maxPeriods) {
        int steps = 0;
        for (int i = 0; i < maxPeriods; ++i) {
            const float before = frm.shpCir2.Left;
            RunPeriods(frm, 1);
            if (frm.shpCir2.Left != before) ++steps;
            if (!frm.tmrLeft2.Enabled() && !frm.tmrRight2.Enabled()) break;
        }
        return steps;
    }
};

TEST(ComputerOpponent, WalksRedHomeAtTheFirstServeAndStopsInsideTheDeadZone) {
    FirstServe match;
    ASSERT_EQ(match.frm.PlayerSpeed, 50);
    EXPECT_EQ(match.StepsUntilRedStands(40), 18);
    EXPECT_EQ(match.frm.shpCir2.Left, 8940);
    EXPECT_EQ(CenterX(match.frm.shpCir2), 9668);
    RunPeriods(match.frm, 5);
    EXPECT_EQ(match.frm.shpCir2.Left, 8940);
}

// A point has just been scored with LandingX left over from the rally's last
// bounce; the serve follows one second later.
struct AfterAPoint : Game {
    explicit AfterAPoint(std::int32_t staleLandingX) {
        ClickPlay(frm);
        frm.tmrBall.SetEnabled(false);
        frm.tmrDelay.SetEnabled(true);
        frm.LandingX = staleLandingX;
    }
};

constexpr int kPeriodsOfTheServePause = 64;

TEST(ComputerOpponent, KeepsRedStillDuringThePauseBeforeTheServe) {
    AfterAPoint match(11000);
    RunPeriods(match.frm, kPeriodsOfTheServePause - 1);
    EXPECT_FALSE(match.frm.tmrLeft2.Enabled());
    EXPECT_FALSE(match.frm.tmrRight2.Enabled());
    EXPECT_EQ(match.frm.shpCir2.Left, kRedStartLeft);
}

TEST(ComputerOpponent, FollowsAStaleLandingPointOnRedsSideAtTheServe) {
    AfterAPoint match(11800);
    RunPeriods(match.frm, kPeriodsOfTheServePause + 10);
    EXPECT_TRUE(match.frm.tmrBall.Enabled());
    EXPECT_GT(match.frm.shpCir2.Left, kRedStartLeft);
}

TEST(ComputerOpponent, WalksHomeAtTheServeWhenTheStaleLandingPointIsOnYellowsSide) {
    AfterAPoint match(3000);
    RunPeriods(match.frm, kPeriodsOfTheServePause + 30);
    EXPECT_EQ(match.frm.shpCir2.Left, 8940);
    EXPECT_FALSE(match.frm.tmrLeft2.Enabled());
}

}  // namespace
}  // namespace quondra
