// The whole-picture drawings: thermometer, empty graph page, full live page and the overview
// of a recording, each with the repaint it causes; the live page and the overview also with
// the window zoomed to 3 times, its pictures held at ratio 3.
#include <benchmark/benchmark.h>

#include "bench/lesson.h"
#include "display/graph.h"
#include "display/thermometer.h"

namespace {

// Times `draw` and the repaint that follows it, in the lesson as it stands.
void TimeDrawing(benchmark::State& state, void (*draw)(), double zoom = 1) {
    TheLesson();
    Lesson::zoom(zoom);
    for (auto _ : state) {
        draw();
        Lesson::paint();
    }
}

void BM_DrawThermometer(benchmark::State& state) {
    TimeDrawing(state, Vexo::DrawThermometer);
}
BENCHMARK(BM_DrawThermometer);

void BM_DrawGraphFrame(benchmark::State& state) {
    TimeDrawing(state, Vexo::DrawGraphFrame);
}
BENCHMARK(BM_DrawGraphFrame);

// A page of 300 ticks redrawn from the recording, as after a change of range.
void RedrawPage(benchmark::State& state, double zoom) {
    TheLesson();
    Lesson::record(599);
    Vexo::PageStartTick = 300;
    TimeDrawing(state, Vexo::RedrawPage, zoom);
}
void BM_RedrawPage(benchmark::State& state) {
    RedrawPage(state, 1);
}
BENCHMARK(BM_RedrawPage);
void BM_RedrawPage_3x(benchmark::State& state) {
    RedrawPage(state, 3);
}
BENCHMARK(BM_RedrawPage_3x);

// The whole recording on one page, as drawn when the measurement stops.
void DrawOverview(benchmark::State& state, double zoom) {
    TheLesson();
    Lesson::record(static_cast<int>(state.range(0)));
    TimeDrawing(state, Vexo::DrawOverview, zoom);
}
void BM_DrawOverview(benchmark::State& state) {
    DrawOverview(state, 1);
}
BENCHMARK(BM_DrawOverview)->Arg(300)->Arg(2000)->Arg(10000);
void BM_DrawOverview_3x(benchmark::State& state) {
    DrawOverview(state, 3);
}
BENCHMARK(BM_DrawOverview_3x)->Arg(10000);

}  // namespace
