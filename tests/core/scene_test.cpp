#include "scene/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ball/flight.h"
#include "ball/rally.h"
#include "game/events.h"
#include "game/startup.h"
#include "players/movement.h"
#include "players/opponent.h"
#include "recording_platform.h"
#include "scene/layout.h"

namespace quondra {
namespace {

std::vector<std::string> Names(const std::vector<LightweightRef>& order) {
    std::vector<std::string> names;
    for (const auto& o : order) names.emplace_back(NameOf(o));
    return names;
}

TEST(Layout, PlacesTheCourtAsTheGameGeometryExpects) {
    Scene s;
    EXPECT_EQ(s.fraGround.Top, 7680);
    EXPECT_EQ(s.fraGround.Width, 12750);
    EXPECT_EQ(s.shpNet.Left + s.shpNet.Width / 2, kClientWidth / 2);  // the net splits the court
    EXPECT_EQ(s.shpNet.Top, 6840);
    EXPECT_EQ(s.shpCir1.Width, 1455);
    EXPECT_EQ(s.shpCir2.Width, 1455);
    EXPECT_EQ(s.shpBall.Width, 495);
    EXPECT_EQ(s.imgPlayer1.Top, 6960);
    EXPECT_EQ(s.imgPlayer2.Top, 6960);
    EXPECT_FALSE(s.shpBall.Visible);
    EXPECT_FALSE(s.lblPaused.Visible);
    EXPECT_EQ(s.lblPaused.Caption, "Game Paused");
    EXPECT_EQ(s.lblQuitInfo.Caption, "Q = Quit Program");
    EXPECT_EQ(s.cmdPlay.Caption, "Play");
}

TEST(Layout, EveryObjectHasAUniqueNameThatFindsIt) {
    Scene s;
    EXPECT_EQ(s.Objects().size(), 51u);
    for (const ObjectRef& object : s.Objects()) {
        const ObjectRef* found = s.Find(NameOf(object));
        ASSERT_NE(found, nullptr) << NameOf(object);
        EXPECT_EQ(*found, object);
    }
    EXPECT_EQ(s.Find("shpNothing"), nullptr);
}

TEST(Layout, OptionGroupsAreTheButtonsOfOneFrame) {
    Scene s;
    EXPECT_EQ(s.OptionsIn(s.fraGravity),
              (std::vector<OptionButton*>{&s.optLow, &s.optMedium, &s.optHigh}));
    EXPECT_EQ(s.OptionsIn(s.fraPlayers), (std::vector<OptionButton*>{&s.optHuman, &s.optComputer}));
    EXPECT_TRUE(s.OptionsIn(s.fraGround).empty());
}

// What the console's `do` finds by name: each handler through the object it
// is bound to, and nothing for a name no object answers to.
TEST(Layout, BindsEachHandlerToTheObjectItIsNamedAfter) {
    testing::Game g;
    const std::pair<std::string_view, EventHandler> bound[] = {
        {"tmrDelay_Timer", tmrDelay_Timer},   {"tmrAI_Timer", tmrAI_Timer},
        {"tmrRight2_Timer", tmrRight2_Timer}, {"tmrLeft2_Timer", tmrLeft2_Timer},
        {"tmrRight1_Timer", tmrRight1_Timer}, {"tmrLeft1_Timer", tmrLeft1_Timer},
        {"tmrBall_Timer", tmrBall_Timer},     {"cmdPlay_Click", cmdPlay_Click},
        {"optHuman_Click", optHuman_Click},   {"optComputer_Click", optComputer_Click},
    };
    for (const auto& [name, handler] : bound) EXPECT_EQ(BoundHandler(g.frm, name), handler) << name;
    for (std::string_view name : {"tmrBall_Tick", "optLow_Click", "cmdPlay_KeyDown", "shpBall_Timer",
                                  "tmrNothing_Timer", "tmrBall", "_Timer", "Form_Load"})
        EXPECT_EQ(BoundHandler(g.frm, name), nullptr) << name;
}

TEST(Visibility, AHiddenFrameHidesItsChildrenButKeepsTheirOwnVisible) {
    Scene s;
    EXPECT_TRUE(IsShown(s.lblMoveYellow));
    EXPECT_FALSE(IsShown(s.lblMoveRed));  // hidden on its own
    s.fraGround.Visible = false;
    EXPECT_FALSE(IsShown(s.lblMoveYellow));
    EXPECT_TRUE(s.lblMoveYellow.Visible);
    s.fraGround.Visible = true;
    EXPECT_TRUE(IsShown(s.lblMoveYellow));
    EXPECT_FALSE(IsShown(s.lblMoveRed));
}

TEST(DrawingOrder, FollowsTheLayoutUntilAnObjectIsBroughtToTheFront) {
    Scene s;
    const auto window = Names(s.DrawingOrder());
    EXPECT_EQ(window.front(), "lblPaused");
    EXPECT_EQ(window.back(), "shpBall");
    // The net is drawn above both players, Yellow above Red.
    auto at = [&](std::string_view n) { return std::find(window.begin(), window.end(), n) - window.begin(); };
    EXPECT_LT(at("shpCir2"), at("shpCir1"));
    EXPECT_LT(at("shpCir1"), at("shpNet"));

    s.BringToFront(&s.lblPaused);
    EXPECT_EQ(Names(s.DrawingOrder()).back(), "lblPaused");
    EXPECT_EQ(Names(s.DrawingOrder(&s.fraGround)),
              (std::vector<std::string>{"lblMoveRed", "lblMoveYellow", "lblTitle2", "lblBy",
                                        "lblQuitInfo", "lblNewInfo", "lblPauseInfo"}));
}

}  // namespace
}  // namespace quondra
