#include "game/named_access.h"

#include <gtest/gtest.h>

#include <string>

#include "game/frm_game.h"
#include "recording_platform.h"

namespace quondra {
namespace {

using testing::Game;

struct TypeCase {
    const char* name;
    ValueType type;
};

class NamedProperty : public ::testing::TestWithParam<TypeCase> {};

TEST_P(NamedProperty, ResolvesWithItsStoredType) {
    Game g;
    const auto property = FindProperty(g.frm, GetParam().name);
    ASSERT_TRUE(property.has_value());
    EXPECT_EQ(property->Type, GetParam().type);
    EXPECT_TRUE(property->Get);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, NamedProperty,
    ::testing::Values(TypeCase{"shpBall.Left", ValueType::Single}, TypeCase{"shpCir2.Height", ValueType::Single},
                      TypeCase{"linCol.X1", ValueType::Single}, TypeCase{"NormLine.Y2", ValueType::Single},
                      TypeCase{"imgPlayer1.Top", ValueType::Single}, TypeCase{"fraGround.Visible", ValueType::Boolean},
                      TypeCase{"lblRed.Caption", ValueType::Text}, TypeCase{"cmdPlay.Caption", ValueType::Text},
                      TypeCase{"optHuman.Value", ValueType::Boolean}, TypeCase{"tmrBall.Enabled", ValueType::Boolean},
                      TypeCase{"tmrDelay.Interval", ValueType::Long}, TypeCase{"frmGame.Width", ValueType::Single},
                      TypeCase{"frmGame.MousePointer", ValueType::Integer}, TypeCase{"BallVelX", ValueType::Double},
                      TypeCase{"Gravity", ValueType::Integer}, TypeCase{"LandingX", ValueType::Long},
                      TypeCase{"Paused", ValueType::Integer}, TypeCase{"NormalVel", ValueType::Double},
                      TypeCase{"QuitAnswer", ValueType::Integer}));

class UnknownName : public ::testing::TestWithParam<const char*> {};

TEST_P(UnknownName, FindsNothing) {
    Game g;
    EXPECT_FALSE(FindProperty(g.frm, GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Misspelt, UnknownName,
                         ::testing::Values("", "shpBall", "shpBall.", ".Left", "shpBall.Caption", "lblRed.X1",
                                           "tmrBall.Left", "frmGame.Height", "frmGame", "nothing.Left", "ballvelx",
                                           "shpBall.Left.Top", "shpball.Left"));

TEST(NamedAccess, GetReadsTheLiveValue) {
    Game g;
    const auto left = *FindProperty(g.frm, "shpCir1.Left");
    g.frm.shpCir1.Left = 2000.25f;
    EXPECT_EQ(std::get<double>(left.Get()), 2000.25);
    const auto caption = *FindProperty(g.frm, "lblYellow.Caption");
    g.frm.lblYellow.Caption = "3";
    EXPECT_EQ(std::get<std::string>(caption.Get()), "3");
}

TEST(NamedAccess, SetStoresInThePropertysOwnPrecision) {
    Game g;
    FindProperty(g.frm, "shpBall.Left")->Set(Value{0.1});
    EXPECT_EQ(g.frm.shpBall.Left, 0.1f);
    FindProperty(g.frm, "BallVelY")->Set(Value{0.1});
    EXPECT_EQ(g.frm.BallVelY, 0.1);
}

TEST(NamedAccess, SetOfAnIntegerRoundsHalvesToEvenAndSaturates) {
    Game g;
    const auto gravity = *FindProperty(g.frm, "Gravity");
    gravity.Set(Value{2.5});
    EXPECT_EQ(g.frm.Gravity, 2);
    gravity.Set(Value{70000.0});
    EXPECT_EQ(g.frm.Gravity, 32767);
}

TEST(NamedAccess, TimerIntervalIsReadOnly) {
    Game g;
    const auto interval = *FindProperty(g.frm, "tmrDelay.Interval");
    EXPECT_FALSE(interval.Set);
    EXPECT_EQ(std::get<double>(interval.Get()), 1000);
}

TEST(NamedAccess, SelectingAnOptionRunsItsClickHandlerAndClearsTheGroup) {
    Game g;
    FindProperty(g.frm, "optHuman.Value")->Set(Value{true});
    EXPECT_TRUE(g.frm.optHuman.Value);
    EXPECT_FALSE(g.frm.optComputer.Value);
    EXPECT_TRUE(g.frm.lblMoveRed.Visible);
    EXPECT_EQ(g.frm.lblQuitInfo.Top, 435);
}

TEST(NamedAccess, SelectingTheSelectedOptionRunsItsClickHandlerAgain) {
    Game g;
    g.frm.lblMoveRed.Visible = true;
    ASSERT_TRUE(g.frm.optComputer.Value);
    FindProperty(g.frm, "optComputer.Value")->Set(Value{true});
    EXPECT_FALSE(g.frm.lblMoveRed.Visible);
}

TEST(NamedAccess, EnablingATimerStartsItsCount) {
    Game g;
    FindProperty(g.frm, "tmrDelay.Enabled")->Set(Value{true});
    EXPECT_TRUE(g.frm.tmrDelay.Enabled());
    for (int period = 1; period < kPeriodsPerSecond; ++period) {
        g.frm.clock.Advance();
        EXPECT_FALSE(g.frm.tmrDelay.Due()) << period;
    }
    g.frm.clock.Advance();
    EXPECT_TRUE(g.frm.tmrDelay.Due());
}

TEST(NamedAccess, MousePointerGoesThroughThePointerService) {
    Game g;
    FindProperty(g.frm, "frmGame.MousePointer")->Set(Value{99.0});
    EXPECT_EQ(g.frm.MousePointer, kPointerHidden);
    EXPECT_EQ(g.platform.log, std::vector<std::string>{"pointer 99"});
}

}  // namespace
}  // namespace quondra
