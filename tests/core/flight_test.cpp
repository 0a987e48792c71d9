#include "ball/flight.h"

#include <gtest/gtest.h>

#include "game/events.h"
#include "recording_platform.h"

namespace quondra {
namespace {

// A game in play with gravity 4; the players stay at their start places,
// far from the net and the walls.
struct Flight : ::testing::Test {
    Flight() {
        ClickPlay(frm);
        g.platform.log.clear();
    }
    void Ball(float left, float top, double vx, double vy) {
        frm.shpBall.Left = left;
        frm.shpBall.Top = top;
        frm.BallVelX = vx;
        frm.BallVelY = vy;
    }
    testing::Game g;
    FrmGame& frm = g.frm;
};

struct WallCase {
    const char* what;
    float left;
    double vx;
    float leftAfter;
    double vxAfter;
};

class Walls : public Flight, public ::testing::WithParamInterface<WallCase> {};

TEST_P(Walls, ReverseWhenTheNextMoveWouldReachAWall) {
    const WallCase c = GetParam();
    Ball(c.left, 2000, c.vx, 0);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Left, c.leftAfter) << c.what;
    EXPECT_EQ(frm.BallVelX, c.vxAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Walls,
    ::testing::Values(
        WallCase{"beyond the left wall", 10, -30, 40, 30},
        WallCase{"exactly at the left wall", 30, -30, 60, 30},
        WallCase{"short of the left wall", 31, -30, 1, -30},
        // The left sum is a double: 1e-7 is above 0 although 29.9999999 rounds to 30 in single.
        WallCase{"a hair short of the left wall", 30, -29.9999999, static_cast<float>(30 - 29.9999999),
                 -29.9999999},
        WallCase{"right edge exactly at the outer width", 12300, 30, 12270, -30},
        WallCase{"right edge short of the outer width", 12299, 30, 12329, 30},
        // The right sum is rounded to single: 12824.9999999 becomes 12825.
        WallCase{"right edge a hair short, rounded onto it", 12300, 29.9999999, 12270, -29.9999999}));

struct AfterWallCase {
    float left;
    double vx;
    float second;
};

class AfterAWall : public Flight, public ::testing::WithParamInterface<AfterWallCase> {};

TEST_P(AfterAWall, TheBallFliesOnAwayFromTheWallOnTheNextTick) {
    Ball(GetParam().left, 2000, GetParam().vx, 0);
    tmrBall_Timer(frm);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Left, GetParam().second);
    EXPECT_EQ(frm.BallVelX, -GetParam().vx);
}

INSTANTIATE_TEST_SUITE_P(Walls, AfterAWall,
                         ::testing::Values(AfterWallCase{10, -30, 70}, AfterWallCase{12300, 30, 12240}));

TEST_F(Flight, GravityActsAfterTheMoveSoABallAtRestWaitsOneTick) {
    Ball(5000, 2000, 0, 0);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Top, 2000);
    EXPECT_EQ(frm.BallVelY, 4);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Top, 2004);
}

TEST_F(Flight, ABallRestingOnTheGroundLineHasNotComeDown) {
    Ball(3000, 7185 - 4, 0, 4);  // ends the tick exactly on the ground
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Top, 7185);
    EXPECT_TRUE(frm.tmrBall.Enabled());
    tmrBall_Timer(frm);
    EXPECT_FALSE(frm.tmrBall.Enabled());
    EXPECT_EQ(frm.lblRed.Caption, "1");
}

TEST_F(Flight, TheTickEndsWithTheCollisionStep) {
    Ball(1920.5f, 6460, 0, 10);  // the move takes it into Yellow
    tmrBall_Timer(frm);
    EXPECT_DOUBLE_EQ(frm.BallVelY, -10);  // 14 reflected, less the extra step of gravity
    EXPECT_EQ(frm.shpBall.Top, 6465.5f);
}

struct NetTopCase {
    float random;
    double vyAfter;
    std::int32_t landing;  // ties to even from x.5
};

class NetTop : public Flight, public ::testing::WithParamInterface<NetTopCase> {};

TEST_P(NetTop, BouncesLosingGravityPlusOrMinusOne) {
    // After the move and gravity BallVelY is 40 and the bottom is 10 above the net top.
    Ball(6200, 6840 - 495 - 36 - 10, 5, 36);
    g.platform.randoms.push_back(GetParam().random);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.NetTopBounce, kTrue);
    EXPECT_EQ(frm.BallVelY, GetParam().vyAfter);
    EXPECT_EQ(frm.BallVelX, 5);
    EXPECT_EQ(frm.shpBall.Top, 6335);  // the position is not corrected
    EXPECT_TRUE(g.platform.randoms.empty());
    EXPECT_EQ(frm.LandingX, GetParam().landing);
}

INSTANTIATE_TEST_SUITE_P(Branches, NetTop,
                         ::testing::Values(NetTopCase{0.0f, -37, 6544}, NetTopCase{0.49f, -37, 6544},
                                           NetTopCase{0.5f, -35, 6540}, NetTopCase{0.99f, -35, 6540}));

struct OverlapCase {
    const char* what;
    float left;  // after the move; the next move adds 5
    bool bounces;
};

class NetTopOverlap : public Flight, public ::testing::WithParamInterface<OverlapCase> {};

TEST_P(NetTopOverlap, OnlyABallOverTheNetAfterItsNextMoveBouncesOnItsTop) {
    Ball(GetParam().left - 5, 6299, 5, 36);
    g.platform.randoms.push_back(0.2f);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.NetTopBounce == kTrue, GetParam().bounces) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, NetTopOverlap,
                         ::testing::Values(OverlapCase{"right edge over the net", 5800, true},
                                           OverlapCase{"left edge over the net", 6400, true},
                                           OverlapCase{"spanning the net", 6000, true},
                                           OverlapCase{"right edge reaching the left face", 5740, false},
                                           OverlapCase{"left edge reaching the right face", 6490, false}));

struct LowBounceCase {
    float random;
    double vyAfter;
};

class LowNetTopBounce : public Flight, public ::testing::WithParamInterface<LowBounceCase> {};

TEST_P(LowNetTopBounce, NeitherRisesNorTurnsOnAFace) {
    // BallVelY is 3 at the net test and the bottom 1 above the net top; the
    // right edge after the next move lies inside the net.
    for (const double vx : {5.0, -5.0}) {
        Ball(vx > 0 ? 5795 : 6405, 6345, vx, -1);
        g.platform.randoms.push_back(GetParam().random);
        tmrBall_Timer(frm);
        EXPECT_EQ(frm.NetTopBounce, kTrue) << vx;
        EXPECT_EQ(frm.BallVelY, GetParam().vyAfter) << vx;
        EXPECT_EQ(frm.BallVelX, vx) << vx;  // a face would have turned it
    }
}

INSTANTIATE_TEST_SUITE_P(Branches, LowNetTopBounce,
                         ::testing::Values(LowBounceCase{0.2f, 0}, LowBounceCase{0.7f, 2}));

struct FaceCase {
    const char* what;
    float left;
    float top;
    double vx;
    double vxAfter;
    std::int32_t landing;  // 0: no bounce, so no prediction
};

class Faces : public Flight, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(Faces, TurnTheBallOneTickBeforeItWouldEnterTheNet) {
    const FaceCase c = GetParam();
    Ball(c.left, c.top, c.vx, 0);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.BallVelX, c.vxAfter) << c.what;
    EXPECT_EQ(frm.shpBall.Left, static_cast<float>(c.left + c.vx)) << c.what;  // turned, not pushed back
    EXPECT_EQ(frm.LandingX, c.landing) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Faces,
    ::testing::Values(FaceCase{"left face: right edge would be inside", 5700, 6900, 30, -30, 6038},
                      FaceCase{"left face: right edge would reach it", 5685, 6900, 30, 30, 0},
                      FaceCase{"left face: right edge would reach the right face", 5940, 6900, 30, 30, 0},
                      FaceCase{"left face: moving away", 5800, 6900, -30, -30, 0},
                      FaceCase{"left face: above the net top", 5700, 6000, 30, 30, 0},
                      FaceCase{"right face: left edge would be inside", 6540, 6900, -30, 30, 6698},
                      FaceCase{"right face: left edge would reach it", 6555, 6900, -30, -30, 0},
                      FaceCase{"right face: left edge would reach the left face", 6300, 6900, -30, -30, 0},
                      FaceCase{"right face: moving away", 6400, 6900, 30, 30, 0},
                      FaceCase{"a vertical ball over the net", 6100, 6900, 0, 0, 0}));

}  // namespace
}  // namespace quondra
