#include "players/movement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "game/court.h"
#include "game/events.h"
#include "game/frm_game.h"
#include "recording_platform.h"

namespace quondra {
namespace {

using testing::Game;
using TickFn = void (*)(FrmGame&);

constexpr std::int16_t kSlow = 30, kAverage = 50, kFast = 80;
constexpr int kTicksToCrossTheCourt = 1000;
constexpr float kNetLeft = 6240;
constexpr float kPlayerWidth = 1455;

// A court in play with the ball parked high above the net, out of everyone's reach.
struct Court : Game {
    explicit Court(std::int16_t speed) {
        frm.PlayerSpeed = speed;
        frm.shpBall.Left = 6000;
        frm.shpBall.Top = 0;
    }
};

enum class Who { Yellow, Red };

Shape& PlayerOf(FrmGame& frm, Who who) { return who == Who::Yellow ? frm.shpCir1 : frm.shpCir2; }

struct LimitCase {
    const char* what;
    TickFn tick;
    Who who;
    float startLeft;
    std::int16_t speed;
    float expectedLeft;
};

TEST(MovementTimers, TakeAStepOnlyWhenItKeepsTheWholeCircleInsideItsHalf) {
    const float yellowNetStop = kNetLeft - kPlayerWidth;
    const std::vector<LimitCase> cases{
        {"Yellow at 30 reaching exactly 0", tmrLeft1_Timer, Who::Yellow, 30, kSlow, 30},
        {"Yellow at 31 staying right of 0", tmrLeft1_Timer, Who::Yellow, 31, kSlow, 1},
        {"Yellow one slow step short of the net", tmrRight1_Timer, Who::Yellow, yellowNetStop - kSlow, kSlow,
         yellowNetStop - kSlow},
        {"Yellow one average step short of the net", tmrRight1_Timer, Who::Yellow, yellowNetStop - kAverage,
         kAverage, yellowNetStop - kAverage},
        {"Yellow one fast step short of the net", tmrRight1_Timer, Who::Yellow, yellowNetStop - kFast, kFast,
         yellowNetStop - kFast},
        {"Yellow a unit more than a step short of the net", tmrRight1_Timer, Who::Yellow,
         yellowNetStop - kFast - 1, kFast, yellowNetStop - 1},
        {"Red at 6525 reaching the net's right face", tmrLeft2_Timer, Who::Red, 6525, kSlow, 6525},
        {"Red at 6526 staying right of the net", tmrLeft2_Timer, Who::Red, 6526, kSlow, 6496},
        {"Red at 11225 reaching the right limit", tmrRight2_Timer, Who::Red, 11225, kSlow, 11225},
        {"Red at 11224 staying inside the right limit", tmrRight2_Timer, Who::Red, 11224, kSlow, 11254},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.what);
        Court court(c.speed);
        Shape& player = PlayerOf(court.frm, c.who);
        player.Left = c.startLeft;
        c.tick(court.frm);
        EXPECT_EQ(player.Left, c.expectedLeft);
    }
}

struct Extremes {
    std::int16_t speed;
    float yellowLeftmost, yellowRightmost, redLeftmost, redRightmost;
};

float WalkToTheLimit(Court& court, Who who, TickFn tick) {
    for (int i = 0; i < kTicksToCrossTheCourt; ++i) tick(court.frm);
    return PlayerOf(court.frm, who).Left;
}

TEST(MovementTimers, StopShortOfEachLimitByLessThanAStepFromTheStartPlaces) {
    const std::vector<Extremes> table{
        {kSlow, 30, 4770, 6510, 11250},
        {kAverage, 40, 4740, 6540, 11240},
        {kFast, 80, 4720, 6560, 11200},
    };
    for (const Extremes& e : table) {
        SCOPED_TRACE(e.speed);
        Court court(e.speed);
        EXPECT_EQ(WalkToTheLimit(court, Who::Yellow, tmrLeft1_Timer), e.yellowLeftmost);
        court.frm.shpCir1.Left = kYellowStartLeft;
        EXPECT_EQ(WalkToTheLimit(court, Who::Yellow, tmrRight1_Timer), e.yellowRightmost);
        EXPECT_EQ(WalkToTheLimit(court, Who::Red, tmrLeft2_Timer), e.redLeftmost);
        court.frm.shpCir2.Left = kRedStartLeft;
        EXPECT_EQ(WalkToTheLimit(court, Who::Red, tmrRight2_Timer), e.redRightmost);
    }
}

TEST(MovementTimers, ReadRedsRightLimitFromTheOuterWidthOnEveryTick) {
    Court court(kSlow);
    court.frm.shpCir2.Left = 11225;
    tmrRight2_Timer(court.frm);
    EXPECT_EQ(court.frm.shpCir2.Left, 11225);

    // A desktop frame 40 units wider on each side moves the limit out by 80.
    court.frm.Width = kOuterWidth + 80;
    for (int i = 0; i < 4; ++i) tmrRight2_Timer(court.frm);
    // The limit is now at 12790: three more steps fit, a fourth would reach 12800.
    EXPECT_EQ(court.frm.shpCir2.Left, 11315);
}

TEST(MovementTimers, BothKeysOfOnePlayerCancelOutAwayFromTheLimits) {
    Court court(kAverage);
    court.frm.tmrLeft1.SetEnabled(true);
    court.frm.tmrRight1.SetEnabled(true);
    RunPeriods(court.frm, 25);
    EXPECT_EQ(court.frm.shpCir1.Left, kYellowStartLeft);
}

TEST(MovementTimers, BothKeysOfOnePlayerAtALimitTakeOnlyTheStepAwayFromIt) {
    Court court(kAverage);
    court.frm.shpCir1.Left = 40;
    tmrLeft1_Timer(court.frm);
    tmrRight1_Timer(court.frm);
    EXPECT_EQ(court.frm.shpCir1.Left, 90);

    court.frm.shpCir2.Left = 11240;
    tmrRight2_Timer(court.frm);
    tmrLeft2_Timer(court.frm);
    EXPECT_EQ(court.frm.shpCir2.Left, 11190);
}

TEST(MovementTimers, MoveNobodyBetweenRallies) {
    for (TickFn tick : {tmrLeft1_Timer, tmrRight1_Timer, tmrLeft2_Timer, tmrRight2_Timer}) {
        Court court(kFast);
        court.frm.tmrDelay.SetEnabled(true);
        tick(court.frm);
        EXPECT_EQ(court.frm.shpCir1.Left, kYellowStartLeft);
        EXPECT_EQ(court.frm.shpCir2.Left, kRedStartLeft);
    }
}

// A ball resting above and right of Yellow's start place, its centre 970
// units from Yellow's centre (less than the 975 of the two radii); 80 units
// further along it is 1020 away.
constexpr float kBallOverlappingYellowLeft = 2502.5f;
constexpr float kBallTop = 6664.5f;
constexpr float kBallOverlappingAfterAFastStepRight = kBallOverlappingYellowLeft + kFast;

struct Knock : Court {
    explicit Knock(float ballLeft) : Court(kFast), placedLeft(ballLeft) {
        frm.Gravity = 4;
        frm.shpBall.Left = ballLeft;
        frm.shpBall.Top = kBallTop;
        frm.BallVelY = kFallingVelY;
    }
    bool BallKnocked() const { return frm.shpBall.Left != placedLeft || frm.BallVelY != kFallingVelY; }
    static constexpr double kFallingVelY = 5;
    float placedLeft;
};

TEST(MovementTimers, KnockTheBallThatTheStepWalksAwayFrom) {
    Knock knock(kBallOverlappingYellowLeft);
    tmrLeft1_Timer(knock.frm);
    EXPECT_TRUE(knock.BallKnocked());
}

TEST(MovementTimers, KnockTheBallThatTheStepWalksInto) {
    Knock knock(kBallOverlappingAfterAFastStepRight);
    tmrRight1_Timer(knock.frm);
    EXPECT_EQ(knock.frm.shpCir1.Left, kYellowStartLeft + kFast);
    EXPECT_TRUE(knock.BallKnocked());
}

TEST(MovementTimers, StillKnockTheBallWhileTheStepIsRefusedAtALimit) {
    constexpr float kLimit = 30;
    Knock knock(kBallOverlappingYellowLeft - (kYellowStartLeft - kLimit));
    knock.frm.PlayerSpeed = kSlow;
    knock.frm.shpCir1.Left = kLimit;
    tmrLeft1_Timer(knock.frm);
    EXPECT_EQ(knock.frm.shpCir1.Left, kLimit);
    EXPECT_TRUE(knock.BallKnocked());
}

TEST(MovementTimers, StillKnockTheBallBetweenRalliesAndRestItOnTheGround) {
    Knock knock(kBallOverlappingYellowLeft);
    knock.frm.tmrDelay.SetEnabled(true);
    tmrRight1_Timer(knock.frm);
    EXPECT_EQ(knock.frm.shpCir1.Left, kYellowStartLeft);
    EXPECT_EQ(knock.frm.shpBall.Top, knock.frm.fraGround.Top - knock.frm.shpBall.Width);
}

}  // namespace
}  // namespace quondra
