#include "ball/flight.h"

#include <gtest/gtest.h>

#include "game/events.h"
#include "test_platform.h"

namespace quondra {
namespace {

// A game in play with the ball far from both players.
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
    EXPECT_EQ(frm.shpBall.Left, c.leftAfter);
    EXPECT_EQ(frm.BallVelX, c.vxAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, Walls,
                         ::testing::Values(WallCase{10, -30, 40, 30},          // beyond the left wall
                                           WallCase{30, -30, 60, 30},          // exactly at it
                                           WallCase{31, -30, 1, -30},          // not yet
                                           WallCase{12300, 30, 12270, -30},    // right edge reaches 12825
                                           WallCase{12299, 30, 12329, 30}));   // not yet

TEST_F(Flight, GravityActsAfterTheMoveSoABallAtRestWaitsOneTick) {
    Ball(5000, 2000, 0, 0);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.shpBall.Top, 2000);
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
}

struct NetTopCase {
    float random;
    double vyAfter;
};

class NetTop : public Flight, public ::testing::WithParamInterface<NetTopCase> {};

TEST_P(NetTop, BouncesLosingGravityPlusOrMinusOne) {
    // After the move and gravity BallVelY is 40 and the bottom is 10 above the net top.
    Ball(6200, 6840 - 495 - 36 - 10, 5, 36);
    g.platform.randoms.push_back(GetParam().random);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.NetTopBounce, kTrue);
    EXPECT_EQ(frm.BallVelY, GetParam().vyAfter);
    EXPECT_EQ(frm.BallVelX, 5);  // no face reversal in the same tick
}

INSTANTIATE_TEST_SUITE_P(Branches, NetTop,
                         ::testing::Values(NetTopCase{0.0f, -37}, NetTopCase{0.49f, -37},
                                           NetTopCase{0.5f, -35}, NetTopCase{0.99f, -35}));

TEST_F(Flight, TheLeftFaceTurnsABallOneTickAhead) {
    Ball(5700, 6900, 30, 0);  // right edge 6225 after the move, 6255 the tick after
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.BallVelX, -30);
    EXPECT_EQ(frm.shpBall.Left, 5730);  // not pushed back: turned before it enters
}

TEST_F(Flight, TheRightFaceTurnsABallComingFromRed) {
    Ball(6540, 6900, -30, 0);
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.BallVelX, 30);
}

TEST_F(Flight, AVerticalBallIsNeverTurnedByAFace) {
    Ball(6100, 6900, 0, 0);  // right edge inside the net's span
    tmrBall_Timer(frm);
    EXPECT_EQ(frm.BallVelX, 0);
}

}  // namespace
}  // namespace quondra
