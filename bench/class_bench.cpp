// The class view with a large class: 40 groups, each with a lesson of 10 000 ticks.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "bench/class_of_forty.h"
#include "classview/class_graph.h"

namespace {

// The whole graph with every trace and the legend, drawn at a projector's size.
void BM_ClassGraph(benchmark::State& state) {
    const ClassView::ClassModel model = ClassOfForty();
    QImage picture(1600, 800, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&picture);
        ClassView::DrawClassGraph(painter, picture.rect(), model, 7, 1);
    }
    state.counters["ticks"] = 40.0 * 10000;
}
BENCHMARK(BM_ClassGraph)->Unit(benchmark::kMillisecond);

}  // namespace
