#include <benchmark/benchmark.h>

#include "ball/collision.h"
#include "ball/landing.h"
#include "bench_platform.h"
#include "game/events.h"
#include "game/frm_game.h"

namespace quondra::bench {
namespace {

constexpr std::int64_t kMatchPeriodLimit = 10'000'000;

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

// A whole match against the computer with Yellow standing still.
void HeadlessMatch(benchmark::State& state) {
    std::int64_t periods = 0;
    for (auto _ : state) {
        Game g;
        auto& frm = g.frm;
        std::int64_t run = 0;
        while (!frm.cmdPlay.Visible && run < kMatchPeriodLimit) {
            RunPeriods(frm, 1);
            ++run;
        }
        periods += run;
    }
    state.counters["matches/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
    state.counters["periods/match"] = static_cast<double>(periods) / static_cast<double>(state.iterations());
}
BENCHMARK(HeadlessMatch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quondra::bench

BENCHMARK_MAIN();
