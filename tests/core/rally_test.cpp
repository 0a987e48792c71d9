#include "ball/rally.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/events.h"
#include "recording_platform.h"

namespace quondra {
namespace {

constexpr float kLeftOfNet = 4000;   // far from Yellow, wholly on its side
constexpr float kRightOfNet = 8000;  // far from Red, on its side

// Brings the ball down at `left` by its own flight, in one period.
void ComeDownAt(FrmGame& frm, float left) {
    frm.shpBall.Left = left;
    frm.shpBall.Top = 7180;
    frm.BallVelX = 0;
    frm.BallVelY = 10;
    RunPeriods(frm, 1);
}

struct Rally : ::testing::Test {
    Rally() {
        ClickPlay(frm);
        g.platform.log.clear();
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
    ComeDownAt(frm, GetParam().left);
    EXPECT_EQ(frm.lblYellow.Caption, GetParam().yellow);
    EXPECT_EQ(frm.lblRed.Caption, GetParam().red);
    EXPECT_EQ(frm.shpBall.Top, 7185);
    EXPECT_EQ(frm.shpBall.Left, GetParam().left);
    EXPECT_TRUE(frm.shpBall.Visible);
    EXPECT_FALSE(frm.tmrBall.Enabled());
    EXPECT_TRUE(frm.tmrDelay.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Boundary, Point,
                         ::testing::Values(PointCase{kLeftOfNet, "0", "1"},
                                           PointCase{6240 - 495 - 0.5f, "0", "1"},  // right edge 6239.5
                                           PointCase{6240 - 495, "1", "0"},         // touching the net's face line
                                           PointCase{6300, "1", "0"},               // under the net
                                           PointCase{kRightOfNet, "1", "0"}));

TEST_F(Rally, StopsTheMovementTimersAndTheBallButNotTheComputer) {
    for (Timer* t : {&frm.tmrLeft1, &frm.tmrRight1, &frm.tmrLeft2, &frm.tmrRight2}) t->SetEnabled(true);
    frm.shpBall.Left = kLeftOfNet;
    RallyEnd(frm);
    for (const Timer* t : {&frm.tmrLeft1, &frm.tmrRight1, &frm.tmrLeft2, &frm.tmrRight2, &frm.tmrBall})
        EXPECT_FALSE(t->Enabled()) << t->Name;
    EXPECT_TRUE(frm.tmrAI.Enabled());
}

TEST_F(Rally, TheRestOfTheTickStillRunsAndLeavesTheBallOnTheGroundBesideYellow) {
    // Coming down against Yellow's right side: the collision step of the same
    // tick rebounds it, then rests it on the ground against the circle.
    ComeDownAt(frm, 2800);
    EXPECT_EQ(frm.lblRed.Caption, "1");
    EXPECT_EQ(frm.shpBall.Left, 2168 + 727.5f);
    EXPECT_EQ(frm.shpBall.Top, 7185);
    EXPECT_FALSE(frm.tmrBall.Enabled());
    EXPECT_TRUE(frm.tmrDelay.Enabled());
}

struct ServeCase {
    const char* scorer;
    float left;
};

class Serve : public Rally, public ::testing::WithParamInterface<ServeCase> {};

TEST_P(Serve, ComesSixtyFourPeriodsAfterThePointAboveYellow) {
    ComeDownAt(frm, GetParam().left);
    frm.shpCir1.Left = 3000;  // wherever the players were left
    frm.shpCir2.Left = 8000;
    RunPeriods(frm, 63);
    EXPECT_EQ(frm.shpBall.Top, 7185) << GetParam().scorer;
    EXPECT_TRUE(frm.tmrDelay.Enabled()) << GetParam().scorer;
    RunPeriods(frm, 1);
    EXPECT_EQ(frm.shpCir1.Left, 1440);
    EXPECT_EQ(frm.shpCir2.Left, 9840);
    EXPECT_EQ(frm.shpBall.Left, 1920.5f) << GetParam().scorer;
    EXPECT_EQ(frm.shpBall.Top, 1500);
    EXPECT_EQ(frm.BallVelX, 0);
    EXPECT_EQ(frm.BallVelY, 0);
    EXPECT_TRUE(frm.shpBall.Visible);
    EXPECT_TRUE(frm.tmrBall.Enabled());
    EXPECT_TRUE(frm.tmrAI.Enabled());
    EXPECT_FALSE(frm.tmrDelay.Enabled());
    RunPeriods(frm, 2);
    EXPECT_EQ(frm.shpBall.Top, 1504);  // at rest, then falling straight down
    EXPECT_EQ(frm.shpBall.Left, 1920.5f);
}

INSTANTIATE_TEST_SUITE_P(Scorers, Serve,
                         ::testing::Values(ServeCase{"Yellow", kRightOfNet}, ServeCase{"Red", kLeftOfNet}));

TEST_F(Rally, TheServeStartsTheComputerAgainWhenItWasStopped) {
    ComeDownAt(frm, kLeftOfNet);
    frm.tmrAI.SetEnabled(false);
    tmrDelay_Timer(frm);
    EXPECT_TRUE(frm.tmrAI.Enabled());
}

TEST(Serve, AgainstAHumanLeavesTheComputerStopped) {
    testing::Game g;
    ClickOption(g.frm, g.frm.optHuman);
    ClickPlay(g.frm);
    ComeDownAt(g.frm, kLeftOfNet);
    RunPeriods(g.frm, 64);
    EXPECT_TRUE(g.frm.tmrBall.Enabled());
    EXPECT_FALSE(g.frm.tmrAI.Enabled());
}

// Records what the scene looks like while the winner's box is open.
struct WatchingPlatform : testing::RecordingPlatform {
    std::int16_t MsgBox(std::string_view text, std::string_view title, std::int16_t style) override {
        if (frm != nullptr) {
            ballTimerWhileOpen = frm->tmrBall.Enabled();
            computerWhileOpen = frm->tmrAI.Enabled();
            settingsWhileOpen = frm->cmdPlay.Visible;
            ballTopWhileOpen = frm->shpBall.Top;
        }
        return RecordingPlatform::MsgBox(text, title, style);
    }
    const FrmGame* frm = nullptr;
    bool ballTimerWhileOpen = true, computerWhileOpen = false, settingsWhileOpen = true;
    float ballTopWhileOpen = 0;
};

struct MatchEndCase {
    const char* yellowBefore;
    const char* redBefore;
    float left;
    const char* box;
    const char* yellowAfter;
    const char* redAfter;
};

class MatchEnd : public ::testing::TestWithParam<MatchEndCase> {};

TEST_P(MatchEnd, TheTenthPointAnnouncesTheWinnerAndBringsTheSettingsBack) {
    const MatchEndCase c = GetParam();
    WatchingPlatform platform;
    FrmGame frm{platform};
    Load(frm);
    ClickPlay(frm);
    platform.frm = &frm;
    platform.log.clear();
    frm.lblYellow.Caption = c.yellowBefore;
    frm.lblRed.Caption = c.redBefore;
    ComeDownAt(frm, c.left);

    // The box opens with the ball stopped on the ground and the settings not yet back.
    EXPECT_FALSE(platform.ballTimerWhileOpen);
    EXPECT_TRUE(platform.computerWhileOpen);
    EXPECT_FALSE(platform.settingsWhileOpen);
    EXPECT_EQ(platform.ballTopWhileOpen, 7185);
    const std::vector<std::string> services{std::string("msgbox \"") + c.box + "\" \"MATCH\" 0 -> 1",
                                            "focus cmdPlay", "pointer 0"};
    EXPECT_EQ(platform.log, services);

    EXPECT_EQ(frm.lblYellow.Caption, c.yellowAfter);  // the final score stays on screen
    EXPECT_EQ(frm.lblRed.Caption, c.redAfter);
    EXPECT_FALSE(frm.shpBall.Visible);
    EXPECT_EQ(frm.shpBall.Left, 1920.5f);  // at the serve place, untouched by the rest of the tick
    EXPECT_EQ(frm.shpBall.Top, 1500);
    EXPECT_EQ(frm.BallVelX, 0);
    EXPECT_EQ(frm.BallVelY, 0);
    EXPECT_EQ(frm.shpCir1.Left, 1440);
    EXPECT_EQ(frm.shpCir2.Left, 9840);
    for (const Timer* t : frm.Timers()) EXPECT_FALSE(t->Enabled()) << t->Name;
    EXPECT_TRUE(frm.cmdPlay.Visible && frm.imgTitle.Visible && frm.fraGravity.Visible &&
                frm.fraSpeed.Visible && frm.fraPlayers.Visible && frm.lblGravity.Visible &&
                frm.lblPlayers.Visible && frm.lblSpeed.Visible);
    EXPECT_FALSE(frm.lblTitle2.Visible || frm.lblNewInfo.Visible || frm.lblPauseInfo.Visible);
    EXPECT_EQ(frm.MousePointer, kPointerArrow);
    EXPECT_EQ(NameOf(frm.ActiveControl), "cmdPlay");

    RunPeriods(frm, 128);  // no serve follows
    EXPECT_FALSE(frm.shpBall.Visible);
    EXPECT_EQ(frm.shpBall.Top, 1500);

    ClickPlay(frm);
    EXPECT_EQ(frm.lblYellow.Caption, "0");
    EXPECT_EQ(frm.lblRed.Caption, "0");
}

INSTANTIATE_TEST_SUITE_P(Winners, MatchEnd,
                         ::testing::Values(MatchEndCase{"9", "9", kLeftOfNet, "Red Wins!", "9", "10"},
                                           MatchEndCase{"9", "9", kRightOfNet, "Yellow Wins!", "10", "9"},
                                           MatchEndCase{"7", "9", kLeftOfNet, "Red Wins!", "7", "10"}));

TEST_F(Rally, NinePointsIsNotYetAWin) {
    frm.lblYellow.Caption = "8";
    ComeDownAt(frm, kRightOfNet);
    EXPECT_EQ(frm.lblYellow.Caption, "9");
    EXPECT_TRUE(g.platform.log.empty());
    EXPECT_TRUE(frm.tmrDelay.Enabled());
    EXPECT_FALSE(frm.cmdPlay.Visible);
}

}  // namespace
}  // namespace quondra
