// The real-time clock, with a time source the test moves by hand, and the
// window that runs it only while something can move.
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cmath>

#include "game_clock.h"
#include "ui_support.h"

using quondra::qt::FramePacer;
using quondra::qt::GameClock;
using quondra::qt::GameWindow;
using namespace quondra::qt::testing;

namespace {

constexpr std::int64_t kPeriodNs = 15'625'000;

// Long enough for a 64 Hz clock to wake a dozen times.
constexpr int kIdleStretchMs = 200;

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

    // After `played` periods run on time, the time source jumps; one wake
    // follows at the jump and one a period later.
    void AJumpRunsAtMostFourPeriodsAndNeverANegativeNumber_data() {
        QTest::addColumn<std::int64_t>("played");
        QTest::addColumn<std::int64_t>("jumpNs");
        QTest::addColumn<std::int64_t>("ranAtTheJump");
        constexpr std::int64_t kHour = 3'600'000'000'000;
        constexpr std::int64_t kPeriodsAnHour = kHour / kPeriodNs;
        QTest::newRow("forward by three hours") << std::int64_t{3} << 3 * kHour << GameClock::kMaxPeriodsPerWake;
        QTest::newRow("forward by a year") << std::int64_t{3} << 8766 * kHour << GameClock::kMaxPeriodsPerWake;
        QTest::newRow("forward by four periods") << std::int64_t{3} << 4 * kPeriodNs << std::int64_t{4};
        QTest::newRow("back by half a period") << std::int64_t{3} << -kPeriodNs / 2 << std::int64_t{0};
        QTest::newRow("back by three periods of eight") << std::int64_t{8} << -3 * kPeriodNs << std::int64_t{0};
        QTest::newRow("back behind the start") << std::int64_t{3} << -10 * kPeriodNs << std::int64_t{0};
        QTest::newRow("back by an hour of two hours' play")
            << 2 * kPeriodsAnHour << -kHour << std::int64_t{0};
    }
    void AJumpRunsAtMostFourPeriodsAndNeverANegativeNumber() {
        QFETCH(std::int64_t, played);
        QFETCH(std::int64_t, jumpNs);
        QFETCH(std::int64_t, ranAtTheJump);
        FakeClock f;
        f.clock.Start();
        for (std::int64_t k = 1; k <= played; ++k) {
            f.now = k * kPeriodNs;
            f.clock.Wake();
        }
        QCOMPARE(f.ran, played);
        f.now += jumpNs;
        QCOMPARE(f.clock.Wake(), ranAtTheJump);
        QCOMPARE(f.ran, played + ranAtTheJump);
        // The next period is awaited for at most one period, wherever the jump went.
        QVERIFY(f.clock.ArmedMs() >= 0);
        QVERIFY(f.clock.ArmedMs() <= 16);
        f.now += kPeriodNs;
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

    void NothingWakesOnTheSettingsScreenInAPauseOrInTheQuitQuestionFromIt() {
        ShownGame game(nullptr);  // the real monotonic clock
        QSignalSpy wakes(&game.window.Clock().WakeTimer(), &QTimer::timeout);
        QSignalSpy frames(&game.window.Frames().Timer(), &QTimer::timeout);
        QTest::qWait(kIdleStretchMs);
        QCOMPARE(wakes.count(), 0);
        QCOMPARE(frames.count(), 0);
        QCOMPARE(game.window.Clock().ArmedMs(), -1);

        Tap(game.window, Qt::Key_Return);  // a match: now the clock runs, and frames follow the ball
        QTRY_VERIFY_WITH_TIMEOUT(wakes.count() >= 2, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(frames.count() >= 2, 2000);
        Tap(game.window, Qt::Key_Escape);  // pause
        QVERIFY(game.frm.Paused);
        QVERIFY(!game.window.Frames().Asked());
        wakes.clear();
        frames.clear();
        QTest::qWait(kIdleStretchMs);
        QCOMPARE(wakes.count(), 0);
        QCOMPARE(frames.count(), 0);

        QTimer::singleShot(kIdleStretchMs, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QTest::keyClick(box, Qt::Key_Escape);  // No
        });
        Tap(game.window, Qt::Key_Q);
        QCOMPARE(wakes.count(), 0);
        QCOMPARE(frames.count(), 0);
        QVERIFY(game.frm.Paused);
        QCOMPARE(game.window.Clock().ArmedMs(), -1);
    }

    // Between rallies the clock counts the second to the serve, but with the
    // ball resting and nobody walking no frame is drawn or asked for.
    void NoFrameIsAskedForWhileTheBallRestsAndNobodyWalks() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        Tap(game.window, Qt::Key_Return);
        auto period = [&] {
            now += kPeriodNs;
            game.window.Clock().Wake();
        };
        period();
        period();
        QVERIFY(game.window.Frames().Asked());  // the ball falls
        game.window.RunCore([&game] {
            game.frm.shpBall.Left = 4000;
            game.frm.shpBall.Top = 7180;
        });
        period();  // the ball lands: the rally is over
        QVERIFY(game.frm.tmrDelay.Enabled());
        period();
        QVERIFY(!game.window.Frames().Asked());
        QVERIFY(!game.window.Frames().Timer().isActive());
        QVERIFY(game.window.Clock().Running());
    }

    // Unseen, the window draws no frames and asks for none, and the game's
    // time runs on period for period: frames never drive the rules.
    void AHiddenWindowDrawsNothingAndItsGameRunsOnAtSixtyFourPeriodsASecond() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        Tap(game.window, Qt::Key_Return);
        game.window.hide();
        QTRY_VERIFY(!game.window.windowHandle()->isExposed());
        const std::int64_t start = game.frm.clock.Period();
        QSignalSpy painted(&game.window, &GameWindow::framePainted);
        for (int k = 0; k < 64; ++k) {
            now += kPeriodNs;
            game.window.Clock().Wake();
            game.window.PaintFrame();
        }
        QCOMPARE(game.frm.clock.Period() - start, std::int64_t{64});
        QCOMPARE(painted.count(), 0);
        QVERIFY(!game.window.Frames().Timer().isActive());
    }

    // A screen's reported rate: unknown or absurd, frames come at a rate a
    // screen has, never as fast as the timer can spin.
    void FramesArePacedAtAPlausibleRate_data() {
        QTest::addColumn<double>("reported");
        QTest::addColumn<double>("paced");
        QTest::newRow("60 Hz") << 60.0 << 60.0;
        QTest::newRow("144 Hz") << 144.0 << 144.0;
        QTest::newRow("unknown, 0") << 0.0 << FramePacer::kFallbackHz;
        QTest::newRow("1 Hz") << 1.0 << FramePacer::kFallbackHz;
        QTest::newRow("negative") << -60.0 << FramePacer::kFallbackHz;
        QTest::newRow("not a number") << std::nan("") << FramePacer::kFallbackHz;
        QTest::newRow("1000 Hz") << 1000.0 << FramePacer::kMaxHz;
        QTest::newRow("infinite") << HUGE_VAL << FramePacer::kFallbackHz;
    }
    void FramesArePacedAtAPlausibleRate() {
        QFETCH(double, reported);
        QFETCH(double, paced);
        QCOMPARE(FramePacer::PaceHz(reported), paced);
    }

    // A frame is drawn for the screen's cadence, not for when its callback
    // happened to arrive: a callback delayed by load is shown at the next
    // refresh all the same, and drawn for its arrival it would show the ball
    // too far along. A compositor that really runs slower is followed.
    void FramesAreDrawnForTheCadenceOfTheCallbacks_data() {
        QTest::addColumn<QList<double>>("arrivalsMs");
        QTest::addColumn<double>("momentMs");  // of the last arrival
        QTest::addColumn<double>("withinMs");
        const double r = 1000.0 / 60;
        QTest::newRow("on time") << QList<double>{0, r, 2 * r, 3 * r} << 3 * r << 0.01;
        QTest::newRow("one callback 4 ms late") << QList<double>{0, r, 2 * r, 3 * r + 4} << 3 * r + 2 << 0.1;
        QTest::newRow("on time after a late one") << QList<double>{0, r, 2 * r + 4, 3 * r} << 3 * r << 0.01;
        QTest::newRow("a refresh missed") << QList<double>{0, r, 3 * r + 1} << 3 * r + 0.5 << 0.1;
        QList<double> slower;
        for (int k = 0; k < 12; ++k) slower.append(20.0 * k);
        QTest::newRow("a compositor at 50 Hz") << slower << 220.0 << 0.5;
        QTest::newRow("after an idle spell") << QList<double>{0, r, 40 * r + 3} << 40 * r + 3 << 0.01;
    }
    void FramesAreDrawnForTheCadenceOfTheCallbacks() {
        QFETCH(QList<double>, arrivalsMs);
        QFETCH(double, momentMs);
        QFETCH(double, withinMs);
        std::int64_t now = 0;
        QWidget window;
        FramePacer pacer(window, [](std::int64_t) {}, [&now] { return now; });
        std::int64_t moment = 0;
        for (double ms : arrivalsMs) moment = pacer.Cadence(now = std::llround(ms * 1e6));
        QVERIFY2(std::abs(static_cast<double>(moment) / 1e6 - momentMs) <= withinMs,
                 qPrintable(QStringLiteral("drawn for %1 ms, not %2 ms").arg(static_cast<double>(moment) / 1e6).arg(momentMs)));
    }

    void ATimerEnabledWhileIdleFiresOneWholePeriodAfterTheInput() {
        std::int64_t now = 0;
        ShownGame game([&now] { return now; });
        now = 1000 * kPeriodNs + kPeriodNs / 3;  // a while on the settings screen, off the old grid
        Tap(game.window, Qt::Key_Return);        // Play enables the ball's timer
        QCOMPARE(game.window.Clock().ArmedMs(), 16);
        now += kPeriodNs - 1;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{0});
        now += 1;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{1});

        Tap(game.window, Qt::Key_Escape);  // pause: the clock stops
        QVERIFY(!game.window.Clock().Running());
        now += 500 * kPeriodNs + kPeriodNs / 2;
        const float top = game.frm.shpBall.Top;
        Tap(game.window, Qt::Key_Escape);  // resume: the time paused is not caught up
        now += kPeriodNs - 1;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{0});
        QCOMPARE(game.frm.shpBall.Top, top);
        now += 1;
        QCOMPARE(game.window.Clock().Wake(), std::int64_t{1});
    }
};

QTEST_MAIN(ClockTest)
#include "clock_test.moc"
