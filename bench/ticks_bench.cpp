// The handlers that run all lesson long: the poll tick, the graph tick and the page turn.
#include <benchmark/benchmark.h>

#include "bench/lesson.h"
#include "recording/recording.h"

namespace {

constexpr int PageTicks = 300;

// Timer1_Timer with the box's answer waiting: request written, answer read, read-out and
// liquid column updated, repainted.
void BM_PollTick(benchmark::State& state) {
    Lesson& lesson = TheLesson();
    for (auto _ : state) lesson.pollTick();
}
BENCHMARK(BM_PollTick);

// Timer2_Timer in the middle of a page with the sample's alert rules tested: sample
// recorded, seconds label, one segment of the trace, repainted.
void BM_GraphTick(benchmark::State& state) {
    Lesson& lesson = TheLesson();
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
BENCHMARK(BM_GraphTick);

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
