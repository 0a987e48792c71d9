#include "ball/collision.h"

#include <gtest/gtest.h>
#include <cmath>

#include "game/hits.h"
#include "recording_platform.h"

namespace quondra {
namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kStep = kPi / 120;
constexpr float kHalfBall = 247.5f;

void PlaceBall(FrmGame& frm, float left, float top, double vx, double vy) {
    frm.shpBall.Left = left;
    frm.shpBall.Top = top;
    frm.BallVelX = vx;
    frm.BallVelY = vy;
    frm.Gravity = 4;
}

double DistanceToRim(const FrmGame& frm, const Shape& p) {
    return Distance(frm.shpBall.Left + kHalfBall, frm.shpBall.Top + kHalfBall, CenterX(p), CenterY(p));
}

// The angle of the contact line the rebound started from, read back from linCol.
double StartAngle(const FrmGame& frm) {
    return std::atan((static_cast<double>(frm.linCol.Y2) - frm.linCol.Y1) /
                     (static_cast<double>(frm.linCol.X2) - frm.linCol.X1));
}

// Whether the ball, one tick ahead, runs into the net from `yellow`'s side.
bool HeadsIntoNet(const FrmGame& frm, bool yellow) {
    const float netLeft = frm.shpNet.Left, netRight = netLeft + frm.shpNet.Width;
    const double edge = yellow ? frm.shpBall.Left + 495.0 + frm.BallVelX : frm.shpBall.Left + frm.BallVelX;
    const bool inSpan = static_cast<float>(edge) > netLeft && static_cast<float>(edge) < netRight;
    const bool low = static_cast<float>(frm.shpBall.Top + 495.0 + frm.BallVelY) > frm.shpNet.Top;
    const bool towards = yellow ? frm.BallVelX > 0 : frm.BallVelX < 0;
    return inSpan && low && towards;
}

struct StraightDownCase {
    const char* who;
    bool yellow;
    double angleAfter;  // one step past the placement, away from the net
};
class StraightDown : public ::testing::TestWithParam<StraightDownCase> {};

TEST_P(StraightDown, ABallFallingOntoThePlayersCentreBouncesStraightUp) {
    const StraightDownCase c = GetParam();
    testing::Game g;
    auto& frm = g.frm;
    const Shape& player = c.yellow ? frm.shpCir1 : frm.shpCir2;
    PlaceBall(frm, CenterX(player) - kHalfBall, 6500, 0, 100);
    CheckHits(frm);
    EXPECT_EQ(frm.ContactSlope, 0) << c.who;
    // The contact line runs level, 1000 long, at the circle's top.
    EXPECT_EQ(frm.linCol.X1, CenterX(player) - 500) << c.who;
    EXPECT_EQ(frm.linCol.X2, CenterX(player) + 500) << c.who;
    EXPECT_TRUE(frm.linCol.Y1 == 7688 - 727.5f && frm.linCol.Y2 == 7688 - 727.5f) << c.who;
    EXPECT_NEAR(frm.ContactAngle, c.angleAfter, 1e-15) << c.who;
    EXPECT_NEAR(frm.BallVelY, -96, 1e-12) << c.who;
    EXPECT_NEAR(frm.BallVelX, 0, 1e-12) << c.who;
    EXPECT_EQ(frm.shpBall.Left, CenterX(player) - kHalfBall) << c.who;
    EXPECT_EQ(frm.shpBall.Top, 6465.5f) << c.who;
    EXPECT_EQ(frm.LandingX, CenterX(player)) << c.who;  // straight up comes straight down
}

INSTANTIATE_TEST_SUITE_P(Players, StraightDown,
                         ::testing::Values(StraightDownCase{"Yellow", true, -kStep},
                                           StraightDownCase{"Red", false, kStep}));

struct ObliqueCase {
    const char* who;
    bool yellow;
    float ballLeft, leftAfter;
    double vxAfter, slope;
};
class Oblique : public ::testing::TestWithParam<ObliqueCase> {};

TEST_P(Oblique, AnObliqueHitReflectsAboutTheTangent) {
    const ObliqueCase c = GetParam();
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, c.ballLeft, 6640.5f, 0, 50);
    CheckHits(frm);
    EXPECT_NEAR(frm.ContactSlope, c.slope, 1e-12) << c.who;
    EXPECT_NEAR(frm.NormalVel, -42.40, 0.01) << c.who;
    EXPECT_NEAR(frm.BallVelX, c.vxAfter, 0.01) << c.who;
    EXPECT_NEAR(frm.BallVelY, -17.91, 0.01) << c.who;
    EXPECT_NEAR(frm.shpBall.Left, c.leftAfter, 0.01) << c.who;
    EXPECT_NEAR(frm.shpBall.Top, 6613.70, 0.01) << c.who;
    EXPECT_NEAR(DistanceToRim(frm, c.yellow ? frm.shpCir1 : frm.shpCir2), 975, 0.01) << c.who;
    // The prediction uses the new velocities from where the ball now sits:
    // about 4.48 ticks to the apex, 44.94 a tick, twice.
    EXPECT_NEAR(frm.LandingX, CenterX(frm.shpBall) + (c.yellow ? 402.4 : -402.4), 1) << c.who;
}

// Yellow at 1440 has the rounded centre 2168 and Red at 9840 has 10568; the
// ball sits 500 to the net side of each and 800 above.
INSTANTIATE_TEST_SUITE_P(Players, Oblique,
                         ::testing::Values(ObliqueCase{"Yellow", true, 2420.5f, 2437.25f, 44.94, -0.625},
                                           ObliqueCase{"Red", false, 9820.5f, 9803.75f, -44.94, 0.625}));

struct TouchCase {
    float top;
    bool hit;
};
class Touch : public ::testing::TestWithParam<TouchCase> {};

TEST_P(Touch, OnlyAnOverlapIsAHitNotATouch) {
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, 2168 - kHalfBall, GetParam().top, 3, 7);
    CheckHits(frm);
    EXPECT_EQ(frm.BallVelX != 3 || frm.BallVelY != 7, GetParam().hit) << GetParam().top;
}

// Centre distances 975 (touching), 974.5 and 975.5.
INSTANTIATE_TEST_SUITE_P(Distances, Touch,
                         ::testing::Values(TouchCase{6465.5f, false}, TouchCase{6466, true},
                                           TouchCase{6465, false}));

TEST(CheckHits, ABallAlreadyMovingAwayIsReflectedBackOntoTheRim) {
    testing::Game g;
    FrmGame& frm = g.frm;
    PlaceBall(frm, 1920.5f, 6500, 0, -50);  // overlapping and rising
    CheckHits(frm);
    EXPECT_NEAR(frm.BallVelY, 54, 1e-12);  // 50 downwards, plus the extra step of gravity
    EXPECT_EQ(frm.shpBall.Top, 6465.5f);
}

TEST(CheckHits, ABallOverlappingBothIsReboundedOffYellowThenOffRedFromWhereYellowLeftIt) {
    auto setUp = [](FrmGame& frm) {
        frm.shpCir1.Left = 4740;  // both players against the net
        frm.shpCir2.Left = 6540;
        PlaceBall(frm, 6120, 7150, 0, 30);  // low between them, in both circles
    };
    testing::Game both;
    setUp(both.frm);
    ASSERT_TRUE(CirclesOverlap(both.frm.shpBall, both.frm.shpCir1) &&
                CirclesOverlap(both.frm.shpBall, both.frm.shpCir2));
    CheckHits(both.frm);

    // The same, one player at a time: Yellow alone, then Red brought in.
    testing::Game stepwise;
    auto& frm = stepwise.frm;
    setUp(frm);
    frm.shpCir2.Left = 11000;
    CheckHits(frm);
    frm.shpCir2.Left = 6540;
    ASSERT_TRUE(CirclesOverlap(frm.shpBall, frm.shpCir2));
    CheckHits(frm);

    EXPECT_TRUE(both.frm.shpBall.Left == frm.shpBall.Left && both.frm.shpBall.Top == frm.shpBall.Top);
    EXPECT_TRUE(both.frm.BallVelX == frm.BallVelX && both.frm.BallVelY == frm.BallVelY);
    EXPECT_NEAR(DistanceToRim(both.frm, both.frm.shpCir2), 975, 1);
}

struct WalkCase {
    const char* who;
    bool yellow;
    float playerLeft;
    float ballLeft;  // low on the net side of the player, heading for the net
    double vx;
};
class Walk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(Walk, TheBallIsWalkedRoundTheRimUntilItClearsTheNet) {
    const WalkCase c = GetParam();
    testing::Game g;
    auto& frm = g.frm;
    Shape& player = c.yellow ? frm.shpCir1 : frm.shpCir2;
    player.Left = c.playerLeft;
    const float struckTop = 6740.5f;
    PlaceBall(frm, c.ballLeft, struckTop, c.vx, 10);
    CheckHits(frm);

    const double direction = c.yellow ? -1 : 1;
    const double passes = (frm.ContactAngle - StartAngle(frm)) / (direction * kStep);
    EXPECT_GT(passes, 2.5) << c.who;  // the first placement alone ran into the net
    EXPECT_LT(passes, kRimWalkMaxPasses) << c.who;
    EXPECT_FALSE(HeadsIntoNet(frm, c.yellow)) << c.who;
    EXPECT_LT(frm.shpBall.Top, struckTop - 100) << c.who;  // walked up, over the top

    // One step short of the last placement the ball would still have run into the net.
    const double previous = frm.ContactAngle - 2 * direction * kStep;
    frm.shpBall.Left = static_cast<float>(975 * std::sin(previous) + CenterX(player) - kHalfBall);
    frm.shpBall.Top = static_cast<float>(CenterY(player) - 975 * std::cos(previous) - kHalfBall);
    EXPECT_TRUE(HeadsIntoNet(frm, c.yellow)) << c.who;
}

// Red's case is Yellow's mirrored about the net's centre line.
INSTANTIATE_TEST_SUITE_P(Players, Walk,
                         ::testing::Values(WalkCase{"Yellow", true, 4740, 5820.5f, 60},
                                           WalkCase{"Red", false, 6540, 6420.5f, -60}));

TEST(CheckHits, TheWalkStopsAfterOneWholeTurnWhenTheNetCanNeverBeCleared) {
    for (const bool yellow : {true, false}) {
        testing::Game g;
        auto& frm = g.frm;
        // A net spanning the whole court, taller than the window, cannot be cleared.
        frm.shpNet.Left = -30000;
        frm.shpNet.Width = 60000;
        frm.shpNet.Top = -30000;
        const Shape& player = yellow ? frm.shpCir1 : frm.shpCir2;
        const float side = yellow ? 1 : -1;  // on the player's net side, coming back at it
        PlaceBall(frm, CenterX(player) + side * 300 - kHalfBall, 6900, -side * 50, 50);
        CheckHits(frm);
        const double direction = yellow ? -1 : 1;
        const double passes = (frm.ContactAngle - StartAngle(frm)) / (direction * kStep);
        EXPECT_NEAR(passes, kRimWalkMaxPasses, 1e-6) << (yellow ? "Yellow" : "Red");
        EXPECT_NEAR(DistanceToRim(frm, player), 975, 0.01);
    }
}

TEST(CheckHits, WhereverYellowStandsTheWalkClearsTheRealNetWithinOneTurn) {
    int walks = 0;
    for (float playerLeft = 4000; playerLeft <= 4780; playerLeft += 20) {
        for (double angle = 0.2; angle < 1.5; angle += 0.05) {
            for (const double vx : {5.0, 40.0, 120.0, 400.0}) {
                testing::Game g;
                auto& frm = g.frm;
                frm.shpCir1.Left = playerLeft;
                const double r = 970;  // just inside the rim
                PlaceBall(frm, static_cast<float>(CenterX(frm.shpCir1) + r * std::sin(angle) - kHalfBall),
                          static_cast<float>(CenterY(frm.shpCir1) - r * std::cos(angle) - kHalfBall), vx, 10);
                CheckHits(frm);
                const double passes = (frm.ContactAngle - StartAngle(frm)) / -kStep;
                walks += passes > 1.5;
                ASSERT_LT(passes, kRimWalkMaxPasses) << playerLeft << " " << angle << " " << vx;
                ASSERT_FALSE(HeadsIntoNet(frm, true)) << playerLeft << " " << angle << " " << vx;
            }
        }
    }
    EXPECT_GT(walks, 0);  // the grid does reach the net
}

struct LevelCase {
    const char* what;
    bool yellow;
    float offset;  // of the ball's centre from the player's, level with it
};
class Level : public ::testing::TestWithParam<LevelCase> {};

TEST_P(Level, LevelCentresGiveALevelNormalFromThePlayerToTheBall) {
    const LevelCase c = GetParam();
    testing::Game g;
    auto& frm = g.frm;
    const Shape& player = c.yellow ? frm.shpCir1 : frm.shpCir2;
    const double towardsBall = c.offset > 0 ? 1 : -1;
    PlaceBall(frm, CenterX(player) + c.offset - kHalfBall, 7688 - kHalfBall, -towardsBall * 20, 0);
    CheckHits(frm);
    EXPECT_TRUE(std::isfinite(frm.ContactSlope)) << c.what;
    EXPECT_NEAR(frm.NormalVel, -20, 1e-9) << c.what;
    EXPECT_NEAR(frm.BallVelX, towardsBall * 20, 1e-9) << c.what;  // sent straight back
    EXPECT_NEAR(frm.BallVelY, 4, 1e-9) << c.what;                  // only the extra gravity
    // Set level beside the player, just touching it.
    EXPECT_NEAR(frm.shpBall.Left, CenterX(player) + towardsBall * 975 - kHalfBall, 0.01) << c.what;
    EXPECT_NEAR(frm.shpBall.Top, 7688 - kHalfBall, 0.01) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Sides, Level,
                         ::testing::Values(LevelCase{"left of Yellow", true, -900},
                                           LevelCase{"right of Yellow", true, 900},
                                           LevelCase{"left of Red", false, -900},
                                           LevelCase{"right of Red", false, 900}));

struct GroundCase {
    const char* what;
    bool yellow;
    float offset, expectedOffset;  // of the ball's left edge from the player's centre
};
class Ground : public ::testing::TestWithParam<GroundCase> {};

TEST_P(Ground, BetweenRalliesTheBallIsPutBackOnTheGroundBesideThePlayer) {
    const GroundCase c = GetParam();
    testing::Game g;
    auto& frm = g.frm;
    const Shape& player = c.yellow ? frm.shpCir1 : frm.shpCir2;
    frm.tmrDelay.SetEnabled(true);
    PlaceBall(frm, CenterX(player) + c.offset, 7185, 0, 20);
    CheckHits(frm);
    EXPECT_EQ(frm.shpBall.Left, CenterX(player) + c.expectedOffset) << c.what;
    EXPECT_EQ(frm.shpBall.Top, 7185) << c.what;
    // The rebound's velocities are kept: the ball was sent away from the player.
    EXPECT_EQ(frm.BallVelX > 0, c.expectedOffset > 0) << c.what;
}

// The circle's widest points lie 727.5 either side of its rounded centre.
INSTANTIATE_TEST_SUITE_P(Sides, Ground,
                         ::testing::Values(GroundCase{"left of Yellow", true, -668, -727.5f - 495},
                                           GroundCase{"right of Yellow", true, 132, 727.5f},
                                           GroundCase{"left of Red", false, -668, -727.5f - 495},
                                           GroundCase{"right of Red", false, 132, 727.5f}));

}  // namespace
}  // namespace quondra
