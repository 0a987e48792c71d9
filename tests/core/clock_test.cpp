#include "scene/clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/events.h"
#include "recording_platform.h"

namespace quondra {
namespace {

void NoTick(FrmGame&) {}

TEST(Timer, IntervalsUpTo15MsFireEveryPeriodAndLongerOnesRoundUp) {
    Clock clock;
    struct Case {
        int interval;
        std::int64_t periods;
    };
    for (auto [interval, periods] : {Case{1, 1}, Case{15, 1}, Case{16, 2}, Case{1000, 64},
                                     Case{1001, 65}}) {
        Timer t("t", interval, NoTick, clock);
        EXPECT_EQ(t.PeriodsPerFiring(), periods) << interval;
    }
}

TEST(Timer, FiresOneWholeIntervalAfterItIsEnabled) {
    Clock clock;
    Timer fast("fast", 1, NoTick, clock);
    Timer slow("slow", 1000, NoTick, clock);
    clock.Advance();  // period 1
    fast.SetEnabled(true);
    slow.SetEnabled(true);
    EXPECT_FALSE(fast.Due());
    clock.Advance();  // period 2
    EXPECT_TRUE(fast.Due());
    for (int i = 2; i < 65; ++i) {
        EXPECT_FALSE(slow.Due()) << "period " << clock.Period();
        clock.Advance();
    }
    EXPECT_EQ(clock.Period(), 65);
    EXPECT_TRUE(slow.Due());
}

TEST(Timer, EnablingAnEnabledTimerKeepsItsCountAndDisablingCancelsIt) {
    Clock clock;
    Timer slow("slow", 1000, NoTick, clock);
    slow.SetEnabled(true);
    for (int i = 0; i < 32; ++i) clock.Advance();
    slow.SetEnabled(true);
    for (int i = 0; i < 32; ++i) clock.Advance();
    EXPECT_TRUE(slow.Due());
    slow.SetEnabled(false);
    EXPECT_FALSE(slow.Due());
    slow.SetEnabled(true);
    EXPECT_FALSE(slow.Due());
}

// All seven timers due in one period, the serve's among them: a timer has
// fired once its count is re-armed, which shows after its handler returns.
TEST(Clock, DueTimersFireInLayoutOrder) {
    testing::Game game;
    auto& frm = game.frm;
    frm.tmrDelay.SetEnabled(true);
    RunPeriods(frm, kPeriodsPerSecond - 1);
    for (Timer* t : frm.Timers()) t->SetEnabled(true);
    std::vector<Timer*> waiting = frm.Timers();
    std::vector<std::string> fired;
    RunPeriods(frm, 1, [&] {
        std::erase_if(waiting, [&](Timer* t) {
            if (t->Due()) return false;
            fired.emplace_back(t->Name);
            return true;
        });
    });
    EXPECT_EQ(fired, (std::vector<std::string>{"tmrDelay", "tmrAI", "tmrRight2", "tmrLeft2", "tmrRight1",
                                               "tmrLeft1", "tmrBall"}));
}

TEST(Clock, TheServeTimerFiresSixtyFourPeriodsAfterItIsEnabled) {
    testing::Game game;
    auto& frm = game.frm;
    frm.tmrDelay.SetEnabled(true);  // the serve: moves the ball to the serve place
    frm.shpBall.Top = 0;
    RunPeriods(frm, 63);
    EXPECT_EQ(frm.shpBall.Top, 0);
    RunPeriods(frm, 1);
    EXPECT_EQ(frm.shpBall.Top, 1500);
    EXPECT_FALSE(frm.tmrDelay.Enabled());
}

}  // namespace
}  // namespace quondra
