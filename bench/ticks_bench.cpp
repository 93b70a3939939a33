// The handlers that run all lesson long: the poll tick, the graph tick and the page turn;
// the poll and graph ticks also with the window zoomed to 3 times.
#include <benchmark/benchmark.h>

#include "bench/lesson.h"
#include "recording/recording.h"

namespace {

constexpr int PageTicks = 300;

// Timer1_Timer with the box's answer waiting: request written, answer read, read-out and
// liquid column updated, repainted.
void PollTick(benchmark::State& state, double zoom) {
    Lesson& lesson = TheLesson();
    Lesson::zoom(zoom);
    for (auto _ : state) lesson.pollTick();
}
void BM_PollTick(benchmark::State& state) {
    PollTick(state, 1);
}
BENCHMARK(BM_PollTick);
void BM_PollTick_3x(benchmark::State& state) {
    PollTick(state, 3);
}
BENCHMARK(BM_PollTick_3x);

// Timer2_Timer in the middle of a page with the sample's alert rules tested: sample
// recorded, seconds label, one segment of the trace, repainted.
void GraphTick(benchmark::State& state, double zoom) {
    Lesson& lesson = TheLesson();
    Lesson::zoom(zoom);
    Vexo::PageStartTick = 0;
    Vexo::ElapsedTicks = 100;
    int step = 0;
    for (auto _ : state) {
        // Stay mid-page: go back a hundred ticks before the page is full.
        if (Vexo::ElapsedTicks >= 250) Vexo::ElapsedTicks = 150;
        Vexo::RawValue = static_cast<int16_t>(++step % 2 ? 120 : 124);  // the latest reading
        lesson.graphTick();
    }
    state.counters["rules"] = Vexo::AlertCount;
}
void BM_GraphTick(benchmark::State& state) {
    GraphTick(state, 1);
}
BENCHMARK(BM_GraphTick);
void BM_GraphTick_3x(benchmark::State& state) {
    GraphTick(state, 3);
}
BENCHMARK(BM_GraphTick_3x);

// The same graph tick with the lesson recorded to its file in a temporary folder: one line
// written, and every hundred ticks the file cut back to where the tick stood before.
void BM_GraphTickRecorded(benchmark::State& state) {
    Lesson& lesson = TheLesson();
    lesson.recordLessons();
    int step = 0;
    for (auto _ : state) {
        if (Vexo::ElapsedTicks >= 250) Vexo::ElapsedTicks = 150;
        Vexo::RawValue = static_cast<int16_t>(++step % 2 ? 120 : 124);
        lesson.graphTick();
    }
    if (Vexo::RecordedTicks() == 0) state.SkipWithError("nothing was recorded");
    Vexo::SwitchRecordingOff();
}
BENCHMARK(BM_GraphTickRecorded);

// The graph tick that finds its page full: the page is wiped and a new one begins.
void BM_PageTurn(benchmark::State& state) {
    Lesson& lesson = TheLesson();
    Lesson::zoom(1);
    Lesson::record(Vexo::LastTick - 1);
    Vexo::PageStartTick = 0;
    for (auto _ : state) {
        if (Vexo::PageStartTick + 2 * PageTicks > Vexo::LastTick) Vexo::PageStartTick = 0;
        Vexo::ElapsedTicks = Vexo::PageStartTick + PageTicks;
        lesson.graphTick();
    }
}
BENCHMARK(BM_PageTurn);

}  // namespace
