// The cost of painting the scene with the game's own painter into an image
// at device-pixel ratios 1, 2 and 3, offscreen.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "bench_platform.h"
#include "dirty_region.h"
#include "pixels.h"
#include "game/events.h"
#include "game/frm_game.h"
#include "scene_painter.h"

namespace quondra::bench {
namespace {

using qt::kClientHeightPx;
using qt::kClientWidthPx;
constexpr int kPlayPeriods = 40;  // far enough into the first rally for the ball to fly

struct PaintedGame {
    explicit PaintedGame(int ratio)
        : image(kClientWidthPx * ratio, kClientHeightPx * ratio, QImage::Format_ARGB32_Premultiplied) {
        image.setDevicePixelRatio(ratio);
        Load(frm);
        ClickPlay(frm);
        RunPeriods(frm, kPlayPeriods);
    }

    // What the window and its frame panels paint inside `area` (window pixels).
    void Paint(const QRect& area) {
        QPainter p(&image);
        p.setClipRect(area);
        p.fillRect(area, qt::ToQColor(frm.BackColor));
        painter.PaintAll(p, frm, nullptr, area);
        for (const Frame* frame : frm.Frames()) {
            if (!IsShown(*frame)) continue;
            const QRect panel = qt::PixelRect(frame->Left, frame->Top, frame->Width, frame->Height);
            const QRect inside = area.intersected(panel).translated(-panel.topLeft());
            if (inside.isEmpty()) continue;
            p.save();
            p.translate(panel.topLeft());
            p.setClipRect(inside);
            p.fillRect(inside, qt::ToQColor(frame->BackColor));
            painter.PaintAll(p, frm, frame, inside);
            p.restore();
        }
    }

    BenchPlatform platform;
    FrmGame frm{platform};
    qt::ScenePainter painter;
    QImage image;
};

// The whole window, as on the first frame or after an uncovering.
void PaintWholeScene(benchmark::State& state) {
    PaintedGame g(static_cast<int>(state.range(0)));
    const QRect all(0, 0, kClientWidthPx, kClientHeightPx);
    for (auto _ : state) {
        g.Paint(all);
        benchmark::ClobberMemory();
    }
    state.counters["device px"] = static_cast<double>(g.image.width()) * g.image.height();
}
BENCHMARK(PaintWholeScene)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// One period's repaint in play: the old and new places of what moved.
void PaintOnePeriod(benchmark::State& state) {
    PaintedGame g(static_cast<int>(state.range(0)));
    const std::vector<qt::Footprint> before = qt::TakeFootprint(g.frm, nullptr);
    RunPeriods(g.frm, 1);
    const QRegion changed = qt::ChangedArea(before, qt::TakeFootprint(g.frm, nullptr));
    for (auto _ : state) {
        g.Paint(changed.boundingRect());
        benchmark::ClobberMemory();
    }
    state.counters["window px"] = static_cast<double>(changed.boundingRect().width()) *
                                  changed.boundingRect().height();
}
BENCHMARK(PaintOnePeriod)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quondra::bench

int main(int argc, char** argv) {
    // No display is needed: fonts and images work on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
