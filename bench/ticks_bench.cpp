// The handlers that run all lesson long: the poll tick, the graph tick and the page turn;
// the poll and graph ticks also with the window zoomed to 3 times.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/lesson.h"
#include "classroom/class_publisher.h"
#include "core/lesson_events.h"
#include "recording/recording.h"
#include "support/box_rig.h"
#include "support/broker.h"

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

// The same graph tick with the lesson published to a class: to a broker on 127.0.0.1, and to
// one that cannot be reached (nothing listens on its port). The network's work runs on its
// own thread; the tick only hands its message over.
void GraphTickPublished(benchmark::State& state, bool brokerUp) {
    Lesson& lesson = TheLesson();
    Lesson::zoom(1);
    std::unique_ptr<Broker> broker;
    QString url = QStringLiteral("mqtt://127.0.0.1:9/bench");  // the discard port: refused
    if (brokerUp) {
        broker = std::make_unique<Broker>();
        if (!broker->start()) return state.SkipWithError("mosquitto did not start");
        url = broker->url(QStringLiteral("bench"));
    }
    if (!Vexo::JoinClass(url, QStringLiteral("bench")).isEmpty())
        return state.SkipWithError("the class could not be joined");
    Vexo::ElapsedTicks = 0;  // a class is joined before the lesson's first tick
    Vexo::TellLessonStarted();  // the measurement's id
    if (brokerUp && !BoxRig::waitFor([] { return Vexo::ClassTicksAcknowledged() > 0; }, 10000)) {
        lesson.graphTick();  // a first tick, acknowledged once the resend begins
        if (!BoxRig::waitFor([] { return Vexo::ClassTicksAcknowledged() > 0; }, 10000))
            return state.SkipWithError("the broker acknowledged nothing");
    }
    int step = 0;
    for (auto _ : state) {
        if (Vexo::ElapsedTicks >= 250) Vexo::ElapsedTicks = 150;
        Vexo::RawValue = static_cast<int16_t>(++step % 2 ? 120 : 124);
        lesson.graphTick();
    }
    Vexo::LeaveClass();
}
void BM_GraphTickPublished_BrokerUp(benchmark::State& state) {
    GraphTickPublished(state, true);
}
BENCHMARK(BM_GraphTickPublished_BrokerUp);
void BM_GraphTickPublished_BrokerUnreachable(benchmark::State& state) {
    GraphTickPublished(state, false);
}
BENCHMARK(BM_GraphTickPublished_BrokerUnreachable);

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
