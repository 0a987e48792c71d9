#include "game/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/events.h"
#include "game/keys.h"
#include "scene/numeric.h"
#include "recording_platform.h"

namespace quondra {
namespace {

using testing::Game;
using testing::RecordingPlatform;

TEST(FormLoad, SeedsTheRandomSourceBeforeBringingTheBallToTheFront) {
    constexpr double kSeed = 43200.25;
    RecordingPlatform platform;
    platform.timeOfDay = kSeed;
    FrmGame frm(platform);
    Form_Load(frm);
    const std::vector<std::string> expected{"randomize " + std::to_string(kSeed), "front shpBall"};
    EXPECT_EQ(platform.log, expected);
}

TEST(FormLoad, BringsTheBallInFrontOfWhateverWasThere) {
    RecordingPlatform platform;
    FrmGame frm(platform);
    frm.BringToFront(&frm.lblPaused);
    Form_Load(frm);
    EXPECT_EQ(NameOf(frm.DrawingOrder().back()), "shpBall");
}

TEST(FormLoad, PutsBothPlayersOnTheGroundAtTheirStartPlaces) {
    Game g;
    EXPECT_EQ(g.frm.shpCir1.Top, 6960);
    EXPECT_EQ(g.frm.shpCir1.Left, 1440);
    EXPECT_EQ(g.frm.shpCir2.Top, 6960);
    EXPECT_EQ(g.frm.shpCir2.Left, 9840);
}

TEST(FormLoad, ClearsTheVelocitiesAndFlagsWhateverTheyHeld) {
    RecordingPlatform platform;
    FrmGame frm(platform);
    frm.BallVelX = 3, frm.BallVelY = -4, frm.NetTopBounce = kTrue, frm.Paused = kTrue;
    Form_Load(frm);
    EXPECT_EQ(frm.BallVelX, 0);
    EXPECT_EQ(frm.BallVelY, 0);
    EXPECT_EQ(frm.NetTopBounce, kFalse);
    EXPECT_EQ(frm.Paused, kFalse);
}

TEST(FormLoad, HidesTheWorkingGeometryAndKeepsTheBallHiddenInFront) {
    Game g;
    EXPECT_FALSE(g.frm.shpLandingSpot.Visible);
    EXPECT_FALSE(g.frm.linCol.Visible);
    EXPECT_FALSE(g.frm.NormLine.Visible);
    EXPECT_FALSE(g.frm.shpBall.Visible);
    const auto order = g.frm.DrawingOrder();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(NameOf(order.back()), "shpBall");
}

TEST(FormLoad, SelectsOneDefaultInEachGroup) {
    Game g;
    const std::vector<const OptionButton*> selected{&g.frm.optComputer, &g.frm.optMedium, &g.frm.optAverage};
    for (const Frame* frame : {&g.frm.fraPlayers, &g.frm.fraGravity, &g.frm.fraSpeed}) {
        int count = 0;
        for (const OptionButton* o : g.frm.OptionsIn(*frame)) {
            const bool isDefault = std::find(selected.begin(), selected.end(), o) != selected.end();
            EXPECT_EQ(o->Value, isDefault) << o->Name;
            count += o->Value ? 1 : 0;
        }
        EXPECT_EQ(count, 1) << frame->Name;
    }
}

TEST(FormLoad, RunsTheComputerClickHandlerSoTheHintsMoveUp) {
    // The stored layout puts the quit hint on the lower row; start-up moves it.
    RecordingPlatform platform;
    FrmGame frm(platform);
    ASSERT_EQ(frm.lblQuitInfo.Top, 435);
    Form_Load(frm);
    EXPECT_EQ(frm.lblQuitInfo.Top, 90);
    EXPECT_FALSE(frm.lblMoveRed.Visible);
}

struct MatchStartCase {
    const char* gravityOption;
    const char* speedOption;
    const char* playersOption;
    std::int16_t gravity;
    std::int16_t speed;
    bool computer;
};

OptionButton& Option(FrmGame& frm, std::string_view name) {
    return *std::get<OptionButton*>(*frm.Find(name));
}

class MatchStart : public ::testing::TestWithParam<MatchStartCase> {};

TEST_P(MatchStart, TakesTheSettingsFromTheSelectedOptions) {
    const MatchStartCase c = GetParam();
    Game g;
    SelectOption(g.frm, Option(g.frm, c.gravityOption));
    SelectOption(g.frm, Option(g.frm, c.speedOption));
    SelectOption(g.frm, Option(g.frm, c.playersOption));
    cmdPlay_Click(g.frm);
    EXPECT_EQ(g.frm.Gravity, c.gravity);
    EXPECT_EQ(g.frm.PlayerSpeed, c.speed);
    EXPECT_EQ(g.frm.tmrAI.Enabled(), c.computer);
    EXPECT_TRUE(g.frm.tmrBall.Enabled());
}

INSTANTIATE_TEST_SUITE_P(EveryOption, MatchStart,
                         ::testing::Values(MatchStartCase{"optLow", "optSlow", "optHuman", 2, 30, false},
                                           MatchStartCase{"optMedium", "optAverage", "optComputer", 4, 50, true},
                                           MatchStartCase{"optHigh", "optFast", "optComputer", 6, 80, true},
                                           MatchStartCase{"optHigh", "optSlow", "optHuman", 6, 30, false},
                                           MatchStartCase{"optLow", "optFast", "optComputer", 2, 80, true}));

TEST(MatchStart, NeverDisablesTheComputerOpponent) {
    Game g;
    g.frm.tmrAI.SetEnabled(true);
    SelectOption(g.frm, g.frm.optHuman);
    cmdPlay_Click(g.frm);
    EXPECT_TRUE(g.frm.tmrAI.Enabled());
}

TEST(MatchStart, LeavesTheBallsVelocityAsItFindsIt) {
    Game g;
    g.frm.BallVelX = 12.5;
    g.frm.BallVelY = -3;
    cmdPlay_Click(g.frm);
    EXPECT_EQ(g.frm.BallVelX, 12.5);
    EXPECT_EQ(g.frm.BallVelY, -3);
}

TEST(MatchStart, CentresTheBallOverYellowsRoundedCentre) {
    Game g;
    g.frm.shpCir1.Left = 3000;  // centre 3727.5 rounds to 3728
    cmdPlay_Click(g.frm);
    EXPECT_EQ(g.frm.shpBall.Left, 3480.5f);
    EXPECT_EQ(g.frm.shpBall.Top, 1500);
    EXPECT_TRUE(g.frm.shpBall.Visible);
}

TEST(MatchStart, SwapsTheSettingsScreenForThePlayingFieldAndHidesThePointer) {
    Game g;
    g.frm.lblRed.Caption = "7";
    g.frm.lblYellow.Caption = "10";
    cmdPlay_Click(g.frm);
    for (bool shown : {g.frm.imgTitle.Visible, g.frm.fraGravity.Visible, g.frm.fraSpeed.Visible,
                       g.frm.fraPlayers.Visible, g.frm.lblGravity.Visible, g.frm.lblPlayers.Visible,
                       g.frm.lblSpeed.Visible, g.frm.cmdPlay.Visible})
        EXPECT_FALSE(shown);
    EXPECT_TRUE(g.frm.lblPauseInfo.Visible);
    EXPECT_TRUE(g.frm.lblNewInfo.Visible);
    EXPECT_TRUE(g.frm.lblTitle2.Visible);
    EXPECT_EQ(g.frm.lblRed.Caption, "0");
    EXPECT_EQ(g.frm.lblYellow.Caption, "0");
    EXPECT_EQ(g.frm.MousePointer, kPointerHidden);
    EXPECT_EQ(g.platform.log, std::vector<std::string>{"pointer 99"});
}

struct OptionKeyCase {
    const char* option;
    void (*KeyDown)(FrmGame&, std::int16_t, std::int16_t);
};

class OptionKeys : public ::testing::TestWithParam<OptionKeyCase> {};

TEST_P(OptionKeys, EnterStartsTheMatch) {
    Game g;
    GetParam().KeyDown(g.frm, kKeyEnter, 0);
    EXPECT_TRUE(g.frm.tmrBall.Enabled());
    EXPECT_FALSE(g.frm.cmdPlay.Visible);
}

TEST_P(OptionKeys, QAndXEndTheProgramWithoutAQuestion) {
    for (std::int16_t key : {kKeyQ, kKeyX}) {
        Game g;
        EXPECT_THROW(GetParam().KeyDown(g.frm, key, 0), ProgramEnded);
        EXPECT_TRUE(g.frm.Ended);
        EXPECT_EQ(g.platform.log, std::vector<std::string>{"end"});
    }
}

TEST_P(OptionKeys, OtherKeysDoNothing) {
    Game g;
    for (std::int16_t key : {kKeySpace, kKeyTab, kKeyLeft, kKeyA, kKeyN, kKeyEscape})
        GetParam().KeyDown(g.frm, key, 0);
    EXPECT_FALSE(g.frm.tmrBall.Enabled());
    EXPECT_TRUE(g.platform.log.empty());
}

INSTANTIATE_TEST_SUITE_P(EveryOption, OptionKeys,
                         ::testing::Values(OptionKeyCase{"optLow", optLow_KeyDown},
                                           OptionKeyCase{"optMedium", optMedium_KeyDown},
                                           OptionKeyCase{"optHigh", optHigh_KeyDown},
                                           OptionKeyCase{"optSlow", optSlow_KeyDown},
                                           OptionKeyCase{"optAverage", optAverage_KeyDown},
                                           OptionKeyCase{"optFast", optFast_KeyDown},
                                           OptionKeyCase{"optComputer", optComputer_KeyDown},
                                           OptionKeyCase{"optHuman", optHuman_KeyDown}),
                         [](const auto& info) { return std::string(info.param.option); });

TEST(PlayButtonKeys, QAndXEndTheProgramButEnterIsLeftToTheToolkit) {
    Game g;
    cmdPlay_KeyDown(g.frm, kKeyEnter, 0);
    EXPECT_FALSE(g.frm.tmrBall.Enabled());
    EXPECT_THROW(cmdPlay_KeyDown(g.frm, kKeyQ, 0), ProgramEnded);
    Game h;
    EXPECT_THROW(cmdPlay_KeyDown(h.frm, kKeyX, 0), ProgramEnded);
    EXPECT_TRUE(h.frm.Ended);
}

TEST(PlayerModeHints, FollowTheSelectedModeBackAndForth) {
    Game g;
    optHuman_Click(g.frm);
    EXPECT_TRUE(g.frm.lblMoveRed.Visible);
    EXPECT_EQ(g.frm.lblQuitInfo.Top, 435);
    optComputer_Click(g.frm);
    EXPECT_FALSE(g.frm.lblMoveRed.Visible);
    EXPECT_EQ(g.frm.lblQuitInfo.Top, 90);
}

}  // namespace
}  // namespace quondra
