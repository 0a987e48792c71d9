#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "ball/collision.h"
#include "ball/landing.h"
#include "bench_platform.h"
#include "game/events.h"
#include "game/frm_game.h"
#include "game/hits.h"
#include "game/keys.h"

namespace quondra::bench {
namespace {

constexpr std::int64_t kMatchPeriodLimit = 10'000'000;
constexpr double kRimStep = 3.14159265358979 / 120;
// Where the scripted Yellow waits, and how far left of the landing point it
// stands so that the ball comes off it towards the net.
constexpr int kYellowHomeX = 2168;
constexpr int kYellowLeadX = 100;
constexpr int kYellowDeadZone = 60;

struct Game {
    Game() {
        Load(frm);
        ClickPlay(frm);  // Human vs. Computer, Medium gravity, Average speed
    }
    BenchPlatform platform;
    FrmGame frm{platform};
};

// One period of play with the ball, the opponent and both of Yellow's
// movement timers running.
void PeriodInPlay(benchmark::State& state) {
    Game g;
    auto& frm = g.frm;
    for (auto _ : state) {
        if (!frm.tmrBall.Enabled() && !frm.tmrDelay.Enabled()) ClickPlay(frm);
        frm.tmrLeft1.SetEnabled(true);
        frm.tmrRight1.SetEnabled(true);
        RunPeriods(frm, 1);
    }
}
BENCHMARK(PeriodInPlay);

// Puts the ball where CheckHits finds what the benchmark asks for.
void PlaceBall(FrmGame& frm, float left, float top, double vx, double vy) {
    frm.shpBall.Left = left;
    frm.shpBall.Top = top;
    frm.BallVelX = vx;
    frm.BallVelY = vy;
}

void CheckHitsNoOverlap(benchmark::State& state) {
    Game g;
    for (auto _ : state) {
        PlaceBall(g.frm, 5000, 3000, 10, 10);
        CheckHits(g.frm);
    }
}
BENCHMARK(CheckHitsNoOverlap);

void CheckHitsRebound(benchmark::State& state) {
    Game g;
    for (auto _ : state) {
        PlaceBall(g.frm, 2420.5f, 6640.5f, 0, 50);  // an oblique hit on Yellow
        CheckHits(g.frm);
    }
}
BENCHMARK(CheckHitsRebound);

void CheckHitsRimWalk(benchmark::State& state) {
    Game g;
    g.frm.shpCir1.Left = 4740;  // Yellow against the net
    for (auto _ : state) {
        PlaceBall(g.frm, 5600, 6900, 40, 30);  // low on the net side of Yellow
        CheckHits(g.frm);
    }
}
BENCHMARK(CheckHitsRimWalk);

void UpdateLandingSpotAfterAHit(benchmark::State& state) {
    Game g;
    for (auto _ : state) {
        PlaceBall(g.frm, 2752.5f, 5000, 20, -40);
        UpdateLandingSpot(g.frm, LandingForm::PlayerHit);
        benchmark::DoNotOptimize(g.frm.LandingX);
    }
}
BENCHMARK(UpdateLandingSpotAfterAHit);

// Holds the walking key of one direction down or up, as a player would.
void HoldKey(FrmGame& frm, std::int16_t key, const Timer& walk, bool wanted) {
    if (wanted && !walk.Enabled()) KeyDown(frm, key);
    if (!wanted && walk.Enabled()) KeyUp(frm, key);
}

// A scripted Yellow: under the landing point while the ball comes down on its
// side, at home otherwise.
void PlayYellow(FrmGame& frm) {
    // The serve falls straight down, before any landing point is predicted.
    const int landing = frm.BallVelX == 0 ? CenterX(frm.shpBall) : frm.LandingX;
    const bool ballOnOurSide = frm.tmrBall.Enabled() && landing < frm.shpNet.Left;
    const int target = ballOnOurSide ? landing - kYellowLeadX : kYellowHomeX;
    const int d = CenterX(frm.shpCir1) - target;
    HoldKey(frm, kKeyA, frm.tmrLeft1, d > kYellowDeadZone);
    HoldKey(frm, kKeyD, frm.tmrRight1, d < -kYellowDeadZone);
}

// Whole matches against the computer with the scripted Yellow.
void HeadlessMatch(benchmark::State& state) {
    std::int64_t periods = 0, yellowWins = 0;
    for (auto _ : state) {
        Game g;
        auto& frm = g.frm;
        std::int64_t run = 0;
        while (!frm.cmdPlay.Visible && run < kMatchPeriodLimit) {
            PlayYellow(frm);
            RunPeriods(frm, 1);
            ++run;
        }
        periods += run;
        yellowWins += frm.lblYellow.Caption == "10";
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["matches/s"] = benchmark::Counter(n, benchmark::Counter::kIsRate);
    state.counters["periods/match"] = static_cast<double>(periods) / n;
    state.counters["yellow won"] = static_cast<double>(yellowWins) / n;
}
BENCHMARK(HeadlessMatch)->Unit(benchmark::kMillisecond);

// Scaling: one period whose ball walks the whole way round Yellow's rim. A
// net as wide and tall as the court keeps every pass heading into it.
void PeriodWithRimWalk(benchmark::State& state) {
    Game g;
    auto& frm = g.frm;
    frm.shpCir1.Left = 4740;
    frm.shpNet.Left = 0;
    frm.shpNet.Width = 2 * kOuterWidth;
    frm.shpNet.Top = -100000;
    double passes = 0;
    for (auto _ : state) {
        frm.tmrBall.SetEnabled(true);
        PlaceBall(frm, 5600, 6900, -40, 30);
        RunPeriods(frm, 1);
        // The walk starts on the contact line's angle, a right angle past the normal's.
        passes = std::round((frm.NormalAngle + kRimStep * 60 - frm.ContactAngle) / kRimStep);
    }
    state.counters["rim passes"] = passes;
}
BENCHMARK(PeriodWithRimWalk);

// Scaling: one period in which all seven timers are due, the delay timer
// first. Only the period is timed; the clock is wound on to it untimed.
void PeriodWithAllTimersDue(benchmark::State& state) {
    Game g;
    auto& frm = g.frm;
    const std::int64_t delayPeriods = frm.tmrDelay.PeriodsPerFiring();
    for (auto _ : state) {
        for (Timer* t : frm.Timers()) t->SetEnabled(false);
        for (Timer* t : frm.Timers()) t->SetEnabled(true);
        for (std::int64_t i = 1; i < delayPeriods; ++i) frm.clock.Advance();
        const auto start = std::chrono::steady_clock::now();
        RunPeriods(frm, 1);
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.counters["timers"] = static_cast<double>(frm.Timers().size());
}
BENCHMARK(PeriodWithAllTimersDue)->UseManualTime();

}  // namespace
}  // namespace quondra::bench

BENCHMARK_MAIN();
