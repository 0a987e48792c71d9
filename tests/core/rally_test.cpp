#include "ball/rally.h"

#include <gtest/gtest.h>

#include "game/events.h"
#include "test_platform.h"

namespace quondra {
namespace {

struct Rally : ::testing::Test {
    Rally() {
        ClickPlay(frm);
        g.platform.log.clear();
    }
    // Brings the ball down at `left` by its own flight.
    void ComeDownAt(float left) {
        frm.shpBall.Left = left;
        frm.shpBall.Top = 7180;
        frm.BallVelX = 0;
        frm.BallVelY = 10;
        RunPeriods(frm, 1);
    }
    testing::Game g;
    FrmGame& frm = g.frm;
};

struct PointCase {
    float left;
    const char* yellow;
    const char* red;
};

class Point : public Rally, public ::testing::WithParamInterface<PointCase> {};

TEST_P(Point, GoesToTheSideTheBallDidNotComeDownOn) {
    // Far from both players: Yellow stays at 1440, Red at 9840.
    ComeDownAt(GetParam().left);
    EXPECT_EQ(frm.lblYellow.Caption, GetParam().yellow);
    EXPECT_EQ(frm.lblRed.Caption, GetParam().red);
    EXPECT_EQ(frm.shpBall.Top, 7185);
    EXPECT_TRUE(frm.shpBall.Visible);
    EXPECT_FALSE(frm.tmrBall.Enabled());
    EXPECT_TRUE(frm.tmrDelay.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Boundary, Point,
                         ::testing::Values(PointCase{4000, "0", "1"},
                                           PointCase{6240 - 495 - 0.5f, "0", "1"},  // right edge 6239.5
                                           PointCase{6240 - 495, "1", "0"},         // touching the net's face line
                                           PointCase{6300, "1", "0"},               // under the net
                                           PointCase{8000, "1", "0"}));

TEST_F(Rally, TheServeComesSixtyFourPeriodsLaterAboveYellowWhoeverScored) {
    frm.tmrLeft1.SetEnabled(true);
    ComeDownAt(8000);  // Yellow's point
    EXPECT_FALSE(frm.tmrLeft1.Enabled());
    frm.shpCir1.Left = 3000;
    RunPeriods(frm, 63);
    EXPECT_EQ(frm.shpBall.Top, 7185);
    RunPeriods(frm, 1);
    EXPECT_EQ(frm.shpCir1.Left, 1440);
    EXPECT_EQ(frm.shpCir2.Left, 9840);
    EXPECT_EQ(frm.shpBall.Left, 1920.5f);
    EXPECT_EQ(frm.shpBall.Top, 1500);
    EXPECT_EQ(frm.BallVelY, 0);
    EXPECT_TRUE(frm.tmrBall.Enabled());
    EXPECT_TRUE(frm.tmrAI.Enabled());
    EXPECT_FALSE(frm.tmrDelay.Enabled());
}

TEST_F(Rally, TheTenthPointEndsTheMatchAndKeepsTheScore) {
    frm.lblYellow.Caption = "9";
    frm.lblRed.Caption = "9";
    ComeDownAt(4000);
    EXPECT_EQ(g.platform.log.front(), "msgbox \"Red Wins!\" \"MATCH\" 0 -> 1");
    EXPECT_EQ(frm.lblRed.Caption, "10");
    EXPECT_EQ(frm.lblYellow.Caption, "9");
    EXPECT_FALSE(frm.shpBall.Visible);
    for (const Timer* t : frm.Timers()) EXPECT_FALSE(t->Enabled()) << t->Name;
    EXPECT_TRUE(frm.cmdPlay.Visible);
    EXPECT_TRUE(frm.fraGravity.Visible);
    EXPECT_FALSE(frm.lblTitle2.Visible);
    EXPECT_EQ(frm.shpBall.Top, 1500);
    EXPECT_EQ(frm.MousePointer, kPointerArrow);
    EXPECT_EQ(NameOf(frm.ActiveControl), "cmdPlay");
    ClickPlay(frm);
    EXPECT_EQ(frm.lblRed.Caption, "0");
}

TEST_F(Rally, YellowWinsWithTheOtherMessage) {
    frm.lblYellow.Caption = "9";
    ComeDownAt(8000);
    EXPECT_EQ(g.platform.log.front(), "msgbox \"Yellow Wins!\" \"MATCH\" 0 -> 1");
}

}  // namespace
}  // namespace quondra
