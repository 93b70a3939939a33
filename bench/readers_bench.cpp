// The start-up readers on full-size files: the customization file with every key and the
// most message rules it can hold, and the two calibration tables of 256 values.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bench/lesson.h"
#include "config/calibration.h"
#include "config/config_file.h"
#include "config/customization.h"
#include "platform/surface.h"

namespace {

// The sample customization file with rules added up to the limit.
QByteArray FullCustomization() {
    QFile sample(SamplesDir() + QStringLiteral("/VEXO.TXT"));
    sample.open(QIODevice::ReadOnly);
    QByteArray content = sample.readAll();
    for (int rule = 5; rule <= Vexo::MaxAlerts; ++rule)
        content += (rule % 2 ? "U" : "D") + QByteArray::number(rule) + "T5C" +
                   QByteArray::number(rule % 16) + "\r\n\x82\xA0\x82\xC2\x82\xA2\x81\x49\r\n";
    return content;
}

// Runs `read` in a folder holding the full-size files, from the top of an empty log.
template <typename Read>
void InFullSizeFolder(benchmark::State& state, Read read) {
    TheLesson();
    Lesson::zoom(1);
    QTemporaryDir dir;
    CopySamples(dir.path());
    QFile custom(dir.filePath("VEXO.TXT"));
    custom.open(QIODevice::WriteOnly | QIODevice::Truncate);
    custom.write(FullCustomization());
    custom.close();
    const QString home = QDir::currentPath();
    QDir::setCurrent(dir.path());
    for (auto _ : state) {
        Vexo::Picture2->setPen(QPointF(0, 0));
        read();
    }
    QDir::setCurrent(home);
    Lesson::paint();
}

void BM_ReadCustomization(benchmark::State& state) {
    InFullSizeFolder(state, [] { Vexo::ReadCustomization(); });
    state.counters["rules"] = Vexo::AlertCount;
}
BENCHMARK(BM_ReadCustomization);

// Both tables, as start-up reads them.
void BM_ReadCalibration(benchmark::State& state) {
    InFullSizeFolder(state, [] { Vexo::ReadCalibration(); });
}
BENCHMARK(BM_ReadCalibration);

// One table's values from its bytes, without the file.
void BM_ReadTable(benchmark::State& state) {
    QFile file(SamplesDir() + QStringLiteral("/KION.CSV"));
    file.open(QIODevice::ReadOnly);
    const QByteArray content = file.readAll();
    std::array<int16_t, 256> table{};
    for (auto _ : state) benchmark::DoNotOptimize(Vexo::ReadTable(content, table));
}
BENCHMARK(BM_ReadTable);

}  // namespace
