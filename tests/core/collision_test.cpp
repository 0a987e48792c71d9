#include "ball/collision.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/hits.h"
#include "test_platform.h"

namespace quondra {
namespace {

void PlaceBall(FrmGame& frm, float left, float top, double vx, double vy) {
    frm.shpBall.Left = left;
    frm.shpBall.Top = top;
    frm.BallVelX = vx;
    frm.BallVelY = vy;
    frm.Gravity = 4;
}

TEST(CheckHits, ABallFallingStraightDownBouncesStraightUp) {
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, 1920.5f, 6500, 0, 100);  // centre x 2168, Yellow's rounded centre
    CheckHits(frm);
    EXPECT_EQ(frm.ContactSlope, 0);
    EXPECT_EQ(frm.linCol.X1, 2168 - 500);
    EXPECT_EQ(frm.linCol.Y1, 7688 - 727.5f);
    EXPECT_NEAR(frm.ContactAngle, -3.14159265358979 / 120, 1e-15);  // one step past the placement
    EXPECT_NEAR(frm.BallVelY, -96, 1e-12);
    EXPECT_NEAR(frm.BallVelX, 0, 1e-12);
    EXPECT_EQ(frm.shpBall.Left, 2168 - 247.5f);
    EXPECT_EQ(frm.shpBall.Top, 6465.5f);
}

TEST(CheckHits, AnObliqueHitReflectsAboutTheTangent) {
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, 2420.5f, 6640.5f, 0, 50);
    CheckHits(frm);
    EXPECT_NEAR(frm.ContactSlope, -0.625, 1e-12);
    EXPECT_NEAR(frm.NormalVel, -42.40, 0.01);
    EXPECT_NEAR(frm.BallVelX, 44.94, 0.01);
    EXPECT_NEAR(frm.BallVelY, -17.91, 0.01);
    EXPECT_NEAR(frm.shpBall.Left, 2437.25, 0.01);
    EXPECT_NEAR(frm.shpBall.Top, 6613.70, 0.01);
}

TEST(CheckHits, TouchingIsNotAHit) {
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, 2168 - 247.5f, 7688 - 975 - 247.5f, 3, 7);
    CheckHits(frm);
    EXPECT_EQ(frm.BallVelX, 3);
    EXPECT_EQ(frm.BallVelY, 7);
}

TEST(CheckHits, ABallAlreadyMovingAwayIsReflectedBack) {
    testing::Game g;
    auto& frm = g.frm;
    PlaceBall(frm, 1920.5f, 6500, 0, -50);  // overlapping and rising
    CheckHits(frm);
    EXPECT_GT(frm.BallVelY, 0);
    EXPECT_GE(Distance(frm.shpBall.Left + 247.5f, frm.shpBall.Top + 247.5f, 2168, 7688), 974.99);
}

TEST(CheckHits, TheWalkRoundTheRimTakesTheBallAwayFromTheNet) {
    for (const bool yellow : {true, false}) {
        testing::Game g;
        auto& frm = g.frm;
        frm.shpCir1.Left = 4740;  // both players against the net
        frm.shpCir2.Left = 6540;
        Shape& player = yellow ? frm.shpCir1 : frm.shpCir2;
        const double side = yellow ? 1 : -1;
        // Low on the net side, heading for the net.
        const float struckTop = 6740.5f;
        PlaceBall(frm, CenterX(player) + static_cast<float>(side * 600) - 247.5f, struckTop, side * 60, 10);
        CheckHits(frm);
        const float netLeft = frm.shpNet.Left, netRight = netLeft + frm.shpNet.Width;
        const float ahead = yellow ? frm.shpBall.Left + 495 + static_cast<float>(frm.BallVelX)
                                   : frm.shpBall.Left + static_cast<float>(frm.BallVelX);
        const bool clearOfNetSpan = !(ahead > netLeft && ahead < netRight);
        const bool aboveNet = frm.shpBall.Top + 495 + static_cast<float>(frm.BallVelY) <= frm.shpNet.Top;
        EXPECT_TRUE(clearOfNetSpan || aboveNet) << (yellow ? "Yellow" : "Red");
        // Walked round, the ball sits higher on the rim than where it struck.
        EXPECT_LT(frm.shpBall.Top, struckTop - 100) << (yellow ? "Yellow" : "Red");
    }
}

TEST(CheckHits, TheWalkRoundTheRimIsBoundedEvenWhenTheNetCannotBeCleared) {
    testing::Game g;
    auto& frm = g.frm;
    // A net as wide as the court can never be cleared: the walk must still stop.
    frm.shpNet.Left = 0;
    frm.shpNet.Width = 30000;
    frm.shpNet.Top = -30000;
    PlaceBall(frm, 2600, 6900, -50, 50);  // reflected towards the "net"
    CheckHits(frm);
    // 240 passes of 1.5 degrees: one whole turn past the contact angle.
    EXPECT_NEAR(frm.ContactAngle - std::atan(-frm.ContactSlope), -2 * 3.14159265358979, 1e-3);
}

TEST(CheckHits, LevelCentresGiveALevelNormalInsteadOfDividingByZero) {
    testing::Game g;
    auto& frm = g.frm;
    // The ball's centre level with Yellow's, to its left and overlapping.
    PlaceBall(frm, 2168 - 900 - 247.5f, 7688 - 247.5f, 20, 0);
    CheckHits(frm);
    EXPECT_TRUE(std::isfinite(frm.BallVelX) && std::isfinite(frm.BallVelY));
    EXPECT_LT(frm.BallVelX, 0);  // sent back to the left, away from the player
    EXPECT_TRUE(std::isfinite(frm.shpBall.Left) && std::isfinite(frm.shpBall.Top));
}

TEST(CheckHits, ABallOverlappingBothIsReboundedOffYellowFirst) {
    testing::Game g;
    auto& frm = g.frm;
    frm.shpCir1.Left = 4740;
    frm.shpCir2.Left = 6540;
    PlaceBall(frm, 6120, 7150, 0, 30);  // low between them, in both circles
    ASSERT_TRUE(CirclesOverlap(frm.shpBall, frm.shpCir1));
    ASSERT_TRUE(CirclesOverlap(frm.shpBall, frm.shpCir2));
    CheckHits(frm);
    // Red's rebound came last and left the ball on its rim.
    EXPECT_NEAR(Distance(frm.shpBall.Left + 247.5f, frm.shpBall.Top + 247.5f, CenterX(frm.shpCir2),
                         CenterY(frm.shpCir2)),
                975, 1);
}

TEST(CheckHits, BetweenRalliesTheBallIsPutBackOnTheGroundBesideThePlayer) {
    struct Case {
        float ballLeft;
        float expectedLeft;
    };
    // Yellow's rounded centre is 2168; its widest points are 727.5 either side.
    for (const Case c : {Case{1500, 2168 - 727.5f - 495}, Case{2300, 2168 + 727.5f}}) {
        testing::Game g;
        auto& frm = g.frm;
        frm.tmrDelay.SetEnabled(true);
        PlaceBall(frm, c.ballLeft, 7185, 0, 20);
        CheckHits(frm);
        EXPECT_EQ(frm.shpBall.Left, c.expectedLeft) << c.ballLeft;
        EXPECT_EQ(frm.shpBall.Top, 7185);
    }
}

}  // namespace
}  // namespace quondra
