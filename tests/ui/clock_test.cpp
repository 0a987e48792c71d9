// The real-time clock, with a time source the test moves by hand.
#include <QTest>

#include "game_clock.h"

using quondra::qt::GameClock;

namespace {

constexpr std::int64_t kPeriodNs = 15'625'000;

struct FakeClock {
    std::int64_t now = 0;
    std::int64_t ran = 0;
    GameClock clock{[this](std::int64_t periods) { ran += periods; }, [this] { return now; }};
};

}  // namespace

class ClockTest : public QObject {
    Q_OBJECT

private slots:
    void WakeBeforeTheFirstDeadlineRunsNothing() {
        FakeClock f;
        f.clock.Start();
        f.now = kPeriodNs - 1;
        QCOMPARE(f.clock.Wake(), std::int64_t{0});
    }

    void ArmedWaitIsRoundedUpToTheMillisecond() {
        FakeClock f;
        f.clock.Start();
        QCOMPARE(f.clock.ArmedMs(), 16);  // 15.625 ms
        f.now = kPeriodNs + kPeriodNs / 2;
        f.clock.Wake();
        QCOMPARE(f.clock.ArmedMs(), 8);  // 7.8125 ms to the second deadline
    }

    void JitteredWakesRunSixtyFourPeriodsASecond() {
        FakeClock f;
        f.clock.Start();
        for (std::int64_t k = 1; k <= 64; ++k) {
            // Late by up to a third of a period, never early.
            f.now = k * kPeriodNs + (k * 7 % 5) * kPeriodNs / 15;
            f.clock.Wake();
        }
        QCOMPARE(f.ran, std::int64_t{64});
    }

    void AStallRunsAtMostFourPeriodsThenTheGridIsRebased() {
        FakeClock f;
        f.clock.Start();
        f.now = 100 * kPeriodNs;
        QCOMPARE(f.clock.Wake(), GameClock::kMaxPeriodsPerWake);
        f.now += kPeriodNs;
        QCOMPARE(f.clock.Wake(), std::int64_t{1});
        QCOMPARE(f.ran, std::int64_t{5});
    }

    void FourLatePeriodsAreAllCaughtUp() {
        FakeClock f;
        f.clock.Start();
        f.now = 4 * kPeriodNs;
        QCOMPARE(f.clock.Wake(), std::int64_t{4});
        f.now = 5 * kPeriodNs;
        QCOMPARE(f.clock.Wake(), std::int64_t{1});
    }

    void StoppedClockRunsNothingAndARestartDropsTheTimeStopped() {
        FakeClock f;
        f.clock.Start();
        f.now = 2 * kPeriodNs;
        f.clock.Wake();
        f.clock.Stop();
        QVERIFY(!f.clock.Running());
        QCOMPARE(f.clock.ArmedMs(), -1);
        f.now = 50 * kPeriodNs;
        QCOMPARE(f.clock.Wake(), std::int64_t{0});
        f.clock.Start();
        f.now += kPeriodNs;
        QCOMPARE(f.clock.Wake(), std::int64_t{1});
        QCOMPARE(f.ran, std::int64_t{3});
    }

    void RealTimerWakesTheClock() {
        std::int64_t ran = 0;
        GameClock clock([&](std::int64_t periods) { ran += periods; });
        clock.Start();
        QTRY_VERIFY_WITH_TIMEOUT(ran > 0, 2000);
    }
};

QTEST_MAIN(ClockTest)
#include "clock_test.moc"
