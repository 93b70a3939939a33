// The benchmark suite: the program's routines timed one call at a time, headless, with the
// repaints each call causes. Arguments are Google Benchmark's (--benchmark_filter=...).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "bench/lesson.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    EndTheLesson();
    benchmark::Shutdown();
    return 0;
}
