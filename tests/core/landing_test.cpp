#include "ball/landing.h"

#include <gtest/gtest.h>

#include "ball/collision.h"
#include "game/hits.h"
#include "recording_platform.h"

namespace quondra {
namespace {

// Puts the ball's rounded centre at x and sets the velocities.
void Aim(FrmGame& frm, float centreX, double vx, double vy, std::int16_t gravity) {
    frm.shpBall.Left = centreX - frm.shpBall.Width / 2;
    frm.BallVelX = vx;
    frm.BallVelY = vy;
    frm.Gravity = gravity;
}

struct LandingCase {
    const char* what;
    float centreX;
    double vx, vy;
    LandingForm form;
    std::int32_t landing;
};

class Landing : public ::testing::TestWithParam<LandingCase> {};

TEST_P(Landing, PredictsAndMirrorsAtEachWallOnce) {
    const LandingCase c = GetParam();
    testing::Game g;
    Aim(g.frm, c.centreX, c.vx, c.vy, 4);
    UpdateLandingSpot(g.frm, c.form);
    EXPECT_EQ(g.frm.LandingX, c.landing) << c.what;
    EXPECT_EQ(g.frm.shpLandingSpot.Left, static_cast<float>(c.landing) - 187.5f) << c.what;
}

// With gravity 4 the time to the apex is -vy / 4 and the ball travels 2 * that * vx.
INSTANTIATE_TEST_SUITE_P(
    Cases, Landing,
    ::testing::Values(LandingCase{"worked example", 3000, 20, -40, LandingForm::NetBounce, 3400},
                      LandingCase{"straight up predicts its own centre", 5000, 0, -40, LandingForm::PlayerHit, 5000},
                      LandingCase{"a falling ball lands behind it", 3000, 20, 40, LandingForm::NetBounce, 2600},
                      LandingCase{"-500 after a net bounce", 1000, -150, -20, LandingForm::NetBounce, 995},
                      LandingCase{"-500 after a player hit", 1000, -150, -20, LandingForm::PlayerHit, 1490},
                      LandingCase{"13000 at the right wall", 12000, 100, -20, LandingForm::NetBounce, 11660},
                      LandingCase{"exactly the outer width stays", 12000, 82.5, -20, LandingForm::NetBounce, 12825},
                      LandingCase{"-20000 mirrored at both walls", 0, -1000, -40, LandingForm::NetBounce, 4165},
                      LandingCase{"-20000 after a player hit", 0, -1000, -40, LandingForm::PlayerHit, 3670},
                      LandingCase{"30000 mirrored past the left wall stays there", 5000, 1250, -40,
                                  LandingForm::NetBounce, -5340},
                      LandingCase{"ties go to even: 1000.5", 1000, 0.05, -20, LandingForm::NetBounce, 1000},
                      LandingCase{"ties go to even: 1001.5", 1001, 0.05, -20, LandingForm::NetBounce, 1002}));

TEST(Landing, TheMarkerOfTheWorkedExampleIsCentredOnIt) {
    testing::Game g;
    Aim(g.frm, 3000, 20, -40, 4);
    UpdateLandingSpot(g.frm, LandingForm::NetBounce);
    EXPECT_DOUBLE_EQ(g.frm.TimeToApex, 10);
    EXPECT_EQ(g.frm.shpLandingSpot.Left, 3212.5f);
    EXPECT_FALSE(g.frm.shpLandingSpot.Visible);
}

TEST(Landing, APredictionBeyond32BitsSaturatesInsteadOfWrapping) {
    for (const double vx : {1e300, -1e300}) {
        testing::Game g;
        Aim(g.frm, 3000, vx, -40, 4);
        UpdateLandingSpot(g.frm, LandingForm::NetBounce);
        // Held at the largest Long (after the left mirror too), then folded once at the right wall.
        EXPECT_EQ(g.frm.LandingX, 2 * 12825 - 2147483647 - 990) << vx;
    }
}

TEST(Landing, AReboundOffAPlayerMirrorsTwoBallWidthsInsideTheLeftWall) {
    testing::Game g;
    auto& frm = g.frm;
    // Falling fast onto Yellow's left shoulder: sent far to the left and up.
    Aim(frm, 1568, 0, 300, 4);
    frm.shpBall.Top = 6740.5f;
    CheckHits(frm);
    const double unmirrored = CenterX(frm.shpBall) + 2 * (-frm.BallVelY / 4) * frm.BallVelX;
    ASSERT_LT(unmirrored, 0);
    EXPECT_EQ(frm.LandingX, CLng(990 - unmirrored));
}

TEST(Landing, BeforeAnyMatchHasSetGravityThePredictionIsLeftAsItStands) {
    testing::Game g;
    Aim(g.frm, 3000, 20, -40, 0);
    g.frm.LandingX = 1234;
    UpdateLandingSpot(g.frm, LandingForm::NetBounce);
    EXPECT_EQ(g.frm.LandingX, 1234);
    EXPECT_EQ(g.frm.TimeToApex, 0);
    EXPECT_EQ(g.frm.shpLandingSpot.Left, 2160);
}

}  // namespace
}  // namespace quondra
