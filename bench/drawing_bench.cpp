// The whole-picture drawings: thermometer, empty graph page, full live page and the overview
// of a recording, each with the repaint it causes.
#include <benchmark/benchmark.h>

#include "bench/lesson.h"

namespace {

// Times `draw` and the repaint that follows it, in the lesson as it stands.
void TimeDrawing(benchmark::State& state, void (*draw)()) {
    TheLesson();
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
void BM_RedrawPage(benchmark::State& state) {
    TheLesson();
    Lesson::record(599);
    Vexo::PageStartTick = 300;
    TimeDrawing(state, Vexo::RedrawPage);
}
BENCHMARK(BM_RedrawPage);

// The whole recording on one page, as drawn when the measurement stops.
void BM_DrawOverview(benchmark::State& state) {
    TheLesson();
    Lesson::record(static_cast<int>(state.range(0)));
    TimeDrawing(state, Vexo::DrawOverview);
}
BENCHMARK(BM_DrawOverview)->Arg(300)->Arg(2000)->Arg(10000);

}  // namespace
