#include "game/keyboard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/court.h"
#include "game/events.h"
#include "game/keys.h"
#include "recording_platform.h"

namespace quondra {
namespace {

using testing::Game;

const std::string kQuitNo = "msgbox \"Are you sure you want to quit?\" \"Exit Program\" 4 -> 7";
const std::string kQuitYes = "msgbox \"Are you sure you want to quit?\" \"Exit Program\" 4 -> 6";

enum class Opponent { Human, Computer };

// A match just started from the settings screen, with an empty service log.
struct Match : Game {
    explicit Match(Opponent opponent = Opponent::Human, std::initializer_list<OptionButton FrmGame::*> choices = {}) {
        if (opponent == Opponent::Human) ClickOption(frm, frm.optHuman);
        for (OptionButton FrmGame::*choice : choices) ClickOption(frm, frm.*choice);
        ClickPlay(frm);
        platform.log.clear();
    }
    void Press(std::int16_t key) { KeyDown(frm, key); }
    void Release(std::int16_t key) { KeyUp(frm, key); }
    std::vector<bool> MovementTimers() const {
        return {frm.tmrLeft1.Enabled(), frm.tmrRight1.Enabled(), frm.tmrLeft2.Enabled(), frm.tmrRight2.Enabled()};
    }
};

const std::vector<bool> kAllStopped{false, false, false, false};

TEST(Keyboard, MovementKeysStartTheirTimersInPlayAndTheirReleaseStopsThem) {
    Match m;
    for (std::int16_t key : {kKeyA, kKeyD, kKeyLeft, kKeyRight}) m.Press(key);
    EXPECT_EQ(m.MovementTimers(), (std::vector<bool>{true, true, true, true}));
    m.Release(kKeyD);
    m.Release(kKeyLeft);
    EXPECT_EQ(m.MovementTimers(), (std::vector<bool>{true, false, false, true}));
}

TEST(Keyboard, ModifiersAreIgnored) {
    constexpr std::int16_t kShiftCtrlAlt = 7;
    Match m;
    Form_KeyDown(m.frm, kKeyP, kShiftCtrlAlt);
    EXPECT_EQ(m.frm.Paused, kTrue);
}

TEST(Keyboard, EscapeAndPPauseDuringPlay) {
    for (std::int16_t key : {kKeyEscape, kKeyP}) {
        SCOPED_TRACE(key);
        Match m(Opponent::Computer);
        m.Press(kKeyA);
        m.Press(key);
        EXPECT_EQ(m.frm.Paused, kTrue);
        EXPECT_TRUE(m.frm.lblPaused.Visible);
        EXPECT_EQ(NameOf(m.frm.DrawingOrder().back()), "lblPaused");
        EXPECT_EQ(m.frm.MousePointer, kPointerArrow);
        EXPECT_EQ(m.MovementTimers(), kAllStopped);
        EXPECT_FALSE(m.frm.tmrBall.Enabled());
        EXPECT_FALSE(m.frm.tmrAI.Enabled());
        EXPECT_EQ(m.platform.log, (std::vector<std::string>{"front lblPaused", "pointer 0"}));
    }
}

TEST(Keyboard, EitherPauseKeyResumesWhatEitherPaused) {
    const std::vector<std::pair<std::int16_t, std::int16_t>> pairs{
        {kKeyEscape, kKeyEscape}, {kKeyEscape, kKeyP}, {kKeyP, kKeyEscape}, {kKeyP, kKeyP}};
    for (Opponent opponent : {Opponent::Human, Opponent::Computer}) {
        for (auto [pause, resume] : pairs) {
            SCOPED_TRACE(std::to_string(pause) + " then " + std::to_string(resume));
            Match m(opponent);
            m.Press(pause);
            m.Press(resume);
            EXPECT_EQ(m.frm.Paused, kFalse);
            EXPECT_FALSE(m.frm.lblPaused.Visible);
            EXPECT_EQ(m.frm.MousePointer, kPointerHidden);
            EXPECT_TRUE(m.frm.tmrBall.Enabled());
            EXPECT_EQ(m.frm.tmrAI.Enabled(), opponent == Opponent::Computer);
        }
    }
}

TEST(Keyboard, AHeldKeyWalksAgainAfterAResumeOnlyFromItsNextKeyDown) {
    Match m;
    m.Press(kKeyD);
    m.Press(kKeyEscape);
    m.Press(kKeyEscape);
    RunPeriods(m.frm, 3);
    EXPECT_EQ(m.frm.shpCir1.Left, kYellowStartLeft);
    m.Press(kKeyD);
    RunPeriods(m.frm, 3);
    EXPECT_EQ(m.frm.shpCir1.Left, kYellowStartLeft + 3 * m.frm.PlayerSpeed);
}

TEST(Keyboard, QuitKeysThenNoGoOnWithTheRallyWithoutShowingThePause) {
    for (std::int16_t key : {kKeyQ, kKeyX}) {
        SCOPED_TRACE(key);
        Match m;
        RunPeriods(m.frm, 2);
        const float topBefore = m.frm.shpBall.Top;
        m.platform.answers.push_back(kAnswerNo);
        m.Press(key);
        EXPECT_EQ(m.platform.log, (std::vector<std::string>{"pointer 0", kQuitNo, "pointer 99"}));
        EXPECT_EQ(m.frm.QuitAnswer, kAnswerNo);
        EXPECT_EQ(m.frm.Paused, kFalse);
        EXPECT_FALSE(m.frm.lblPaused.Visible);
        EXPECT_EQ(m.frm.shpBall.Top, topBefore);
        RunPeriods(m.frm, 1);
        EXPECT_GT(m.frm.shpBall.Top, topBefore);
    }
}

TEST(Keyboard, NoToTheQuestionRestartsTheOpponentButNoMovementTimer) {
    Match m(Opponent::Computer);
    m.Press(kKeyA);
    m.platform.answers.push_back(kAnswerNo);
    m.Press(kKeyQ);
    EXPECT_TRUE(m.frm.tmrAI.Enabled());
    EXPECT_EQ(m.MovementTimers(), kAllStopped);
    RunPeriods(m.frm, 3);
    EXPECT_EQ(m.frm.shpCir1.Left, kYellowStartLeft);
}

TEST(Keyboard, QuitWhilePausedThenNoStaysPausedUntilEscape) {
    Match m;
    m.Press(kKeyP);
    m.platform.log.clear();
    m.platform.answers.push_back(kAnswerNo);
    m.Press(kKeyX);
    EXPECT_EQ(m.platform.log, std::vector<std::string>{kQuitNo});
    EXPECT_EQ(m.frm.Paused, kTrue);
    EXPECT_TRUE(m.frm.lblPaused.Visible);
    EXPECT_EQ(m.frm.MousePointer, kPointerArrow);
    EXPECT_FALSE(m.frm.tmrBall.Enabled());
    m.Press(kKeyEscape);
    EXPECT_TRUE(m.frm.tmrBall.Enabled());
}

TEST(Keyboard, YesEndsTheProgramWithNothingRunAfterIt) {
    Match playing;
    playing.platform.answers.push_back(kAnswerYes);
    playing.Press(kKeyQ);
    EXPECT_EQ(playing.platform.log, (std::vector<std::string>{"pointer 0", kQuitYes, "end"}));
    EXPECT_EQ(playing.frm.QuitAnswer, kAnswerYes);
    EXPECT_EQ(playing.frm.Paused, kTrue);
    EXPECT_FALSE(playing.frm.tmrBall.Enabled());
    EXPECT_TRUE(playing.frm.Ended);

    Match paused;
    paused.Press(kKeyEscape);
    paused.platform.log.clear();
    paused.platform.answers.push_back(kAnswerYes);
    paused.Press(kKeyQ);
    paused.Press(kKeyEscape);
    RunPeriods(paused.frm, 1);
    EXPECT_EQ(paused.platform.log, (std::vector<std::string>{kQuitYes, "end"}));
    EXPECT_TRUE(paused.frm.lblPaused.Visible);
}

TEST(Keyboard, EveryKeyDownIsIgnoredBetweenRallies) {
    for (std::int16_t key : {kKeyA, kKeyD, kKeyLeft, kKeyRight, kKeyEscape, kKeyP, kKeyQ, kKeyX, kKeyN}) {
        SCOPED_TRACE(key);
        Match m;
        m.frm.tmrBall.SetEnabled(false);
        m.frm.tmrDelay.SetEnabled(true);
        m.frm.lblYellow.Caption = "3";
        m.Press(key);
        EXPECT_TRUE(m.platform.log.empty());
        EXPECT_EQ(m.MovementTimers(), kAllStopped);
        EXPECT_EQ(m.frm.Paused, kFalse);
        EXPECT_FALSE(m.frm.tmrBall.Enabled());
        EXPECT_TRUE(m.frm.tmrDelay.Enabled());
        EXPECT_EQ(m.frm.lblYellow.Caption, "3");
    }
}

TEST(Keyboard, MovementKeyUpsStopTheirTimerInEveryPhase) {
    Match m;
    m.frm.tmrBall.SetEnabled(false);
    m.frm.tmrDelay.SetEnabled(true);
    for (Timer* t : {&m.frm.tmrLeft1, &m.frm.tmrRight1, &m.frm.tmrLeft2, &m.frm.tmrRight2}) t->SetEnabled(true);
    for (std::int16_t key : {kKeyA, kKeyD, kKeyLeft, kKeyRight}) m.Release(key);
    EXPECT_EQ(m.MovementTimers(), kAllStopped);
}

TEST(Keyboard, ArrowsMoveNothingAgainstTheComputerButTheirReleaseStopsRedUntilItsNextTick) {
    Match m(Opponent::Computer);
    m.Press(kKeyRight);
    EXPECT_FALSE(m.frm.tmrRight2.Enabled());

    RunPeriods(m.frm, 2);
    ASSERT_TRUE(m.frm.tmrLeft2.Enabled());
    const float redLeft = m.frm.shpCir2.Left;
    m.Release(kKeyLeft);
    EXPECT_FALSE(m.frm.tmrLeft2.Enabled());
    RunPeriods(m.frm, 1);
    EXPECT_TRUE(m.frm.tmrLeft2.Enabled());
    // Re-enabled in that period, the timer first fires in the next.
    EXPECT_EQ(m.frm.shpCir2.Left, redLeft);
}

void PlayOnThenNewGame(Match& m, bool pauseFirst) {
    m.frm.lblYellow.Caption = "4";
    m.frm.lblRed.Caption = "7";
    m.Press(kKeyD);
    m.Press(kKeyLeft);
    RunPeriods(m.frm, 5);
    if (pauseFirst) m.Press(kKeyEscape);
    m.platform.log.clear();
    m.Press(kKeyN);
}

TEST(Keyboard, NewGameDuringPlayOrPauseBringsBackTheSettingsWithThePreviousChoices) {
    for (bool pauseFirst : {false, true}) {
        SCOPED_TRACE(pauseFirst ? "paused" : "in play");
        Match m(Opponent::Human, {&FrmGame::optFast, &FrmGame::optHigh});
        PlayOnThenNewGame(m, pauseFirst);
        EXPECT_EQ(m.frm.lblYellow.Caption, "0");
        EXPECT_EQ(m.frm.lblRed.Caption, "0");
        EXPECT_EQ(m.frm.shpCir1.Left, kYellowStartLeft);
        EXPECT_EQ(m.frm.shpCir2.Left, kRedStartLeft);
        EXPECT_EQ(m.frm.BallVelX, 0);
        EXPECT_EQ(m.frm.BallVelY, 0);
        EXPECT_EQ(m.frm.Paused, kFalse);
        EXPECT_FALSE(m.frm.shpBall.Visible);
        EXPECT_FALSE(m.frm.lblPaused.Visible);
        EXPECT_EQ(m.MovementTimers(), kAllStopped);
        EXPECT_FALSE(m.frm.tmrBall.Enabled());
        EXPECT_FALSE(m.frm.tmrAI.Enabled());
        EXPECT_TRUE(m.frm.cmdPlay.Visible);
        EXPECT_TRUE(m.frm.fraSpeed.Visible);
        EXPECT_FALSE(m.frm.lblTitle2.Visible);
        EXPECT_TRUE(m.frm.optHuman.Value);
        EXPECT_TRUE(m.frm.optFast.Value);
        EXPECT_TRUE(m.frm.optHigh.Value);
        EXPECT_EQ(m.platform.log, (std::vector<std::string>{"focus cmdPlay", "pointer 0"}));
        EXPECT_EQ(NameOf(KeyTarget(m.frm)), "cmdPlay");
    }
}

TEST(Keyboard, NewGameLeavesTheServeTimerAlone) {
    Match m;
    m.frm.tmrDelay.SetEnabled(true);
    NewGame(m.frm);
    EXPECT_TRUE(m.frm.tmrDelay.Enabled());
}

}  // namespace
}  // namespace quondra
