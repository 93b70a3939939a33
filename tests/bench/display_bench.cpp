// Timing of the display's heavier drawings: a full live page replayed, the overview of a
// run at the tick cap, and the gauge with an ordinary and with a very wide range. Each is
// run with the window hidden and shown (a shown picture schedules a repaint per change).
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "../display/drawing_log.h"
#include "support/headless.h"

using namespace Vexo;

namespace {

// Median of the runs, in milliseconds.
double MedianMs(const std::function<void()>& run, int runs) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* what, const std::function<void()>& run, int runs) {
    std::printf("%-50s %9.4f ms (median of %d)\n", what, MedianMs(run, runs), runs);
}

void FillRun() {
    for (int t = 0; t <= LastTick; ++t)
        TrendBuffer[t] = float(2500 + 1500 * std::sin(t / 40.0) + (t % 7) * 10);
}

void RunAll(Headless& h, const char* state) {
    std::printf("-- window %s\n", state);
    UseStartUpDefaults();
    DrawThermometer();
    FillRun();

    PageStartTick = 0;
    ElapsedTicks = 300;
    Report(
        "RedrawPage, full page (301 ticks)", [] { RedrawPage(); }, 200);
    ElapsedTicks = LastTick;
    Report(
        "DrawOverview, 10000 ticks", [] { DrawOverview(); }, 200);
    Report(
        "DrawGraphFrame", [] { DrawGraphFrame(); }, 200);
    Report(
        "DrawThermometer, -10..100", [] { DrawThermometer(); }, 200);
    ScaleMin = 20;
    ScaleMax = 35;
    Report(
        "DrawThermometer, 20..35 (every degree numbered)", [] { DrawThermometer(); }, 200);
    ScaleMin = -32780;
    ScaleMax = 32770;
    Report(
        "DrawThermometer, -32780..32770", [] { DrawThermometer(); }, 20);
    Report(
        "DrawGraphFrame, -32780..32770", [] { DrawGraphFrame(); }, 20);
    UseStartUpDefaults();
    DrawThermometer();
    PageStartTick = 0;
    DrawnScaleMax = ScaleMax;
    DrawnScaleMin = float(ScaleMin);
    for (int r = 0; r <= LastRaw; ++r) ConvTable[r] = int16_t(r / 4 - 10);
    int n = 0;
    Report(
        "Timer2 tick, ordinary (one segment)",
        [&] {
            ElapsedTicks = 1 + n % 298;
            RawValue = int16_t(100 + n % 40);
            ++n;
            Timer2_Timer();
        },
        2000);
    float reading = 20;
    Report(
        "ShowTemperature, alternating 20 / 21",
        [&] {
            reading = reading == 20 ? 21 : 20;
            float t = reading;
            ShowTemperature(t);
        },
        2000);
    (void)h;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Headless h;
    RunAll(h, "hidden");
    h.window->show();
    QApplication::processEvents();
    RunAll(h, "shown");
    return 0;
}
