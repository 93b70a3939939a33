// The live graph: each graph tick records the reading, plots it on the current page of
// 300 ticks, turns the page when it is full and redraws it when the range has changed.
#include <algorithm>
#include <cmath>

#include "core/lesson.h"
#include "core/lesson_events.h"
#include "core/readout.h"
#include "core/vexo.h"
#include "display/alerts.h"
#include "display/glyphs.h"
#include "display/graph.h"
#include "display/scale.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

constexpr int PageTicks = 300;
constexpr double PixelsPerTick = 1.1;
constexpr double PageLeft = 50;
// The live trace is three pixels thick: the line itself and one each 0.8 above and below.
constexpr double TraceOffset = 0.8;

}  // namespace

void Timer2_Timer() {
    // The reading the last poll left, as it was taken: the graph tick does not poll.
    const float degrees = StandingReading.degrees;
    Readout->showSeconds(QStringLiteral("  ") +
                         SignedText(static_cast<long long>(std::floor(ElapsedTicks / 2))) +
                         QStringLiteral("秒"));
    RecordSample(degrees);
    if (ElapsedTicks > 2 && AlertCount > 0) CheckAlerts();
}

void RecordSample(float degrees) {
    const int tick = TickIndex(ElapsedTicks);
    const int raw = ReadingForTick().raw;
    TrendBuffer[tick] = degrees * 100;
    TrendRaw[tick] = static_cast<int16_t>(raw);
    LessonTicks = tick + 1;
    TellTickRecorded({tick, tick / 2.0, degrees, raw});
    // A range changed anywhere (automatic widening, settings) reaches the graph here.
    if (DrawnScaleMax != ScaleMax) {
        DrawnScaleMax = ScaleMax;
        RedrawPage();
    }
    // Compared as stored: a limit that a float cannot hold exactly must not count as a
    // change on every tick.
    if (DrawnScaleMin != static_cast<float>(ScaleMin)) {
        DrawnScaleMin = static_cast<float>(ScaleMin);
        RedrawPage();
    }
    if (ElapsedTicks - PageStartTick >= PageTicks && ElapsedTicks > 1) {
        PageStartTick = static_cast<float>(ElapsedTicks);
        DrawGraphFrame();
    }
    PlotPagePoint(static_cast<float>(ElapsedTicks));
    ElapsedTicks = std::min(ElapsedTicks + 1, double(LastTick));
}

void PlotPagePoint(float tick) {
    const double degrees = TrendBuffer[TickIndex(tick)] / 100.0;
    const float x = Drawable((tick - PageStartTick) * PixelsPerTick + PageLeft);
    const float y = LevelY(degrees);
    if (tick == PageStartTick) {
        Picture2->PSet(QPointF(x, y), KelviraEki);
    } else {
        const float px = LastPlotPoints[0], py = LastPlotPoints[1];
        Picture2->Line(QPointF(px, py + TraceOffset), QPointF(x, y + TraceOffset), KelviraEki);
        Picture2->Line(QPointF(px, py), QPointF(x, y), KelviraEki);
        Picture2->Line(QPointF(px, py - TraceOffset), QPointF(x, y - TraceOffset), KelviraEki);
    }
    LastPlotPoints[0] = x;
    LastPlotPoints[1] = y;
}

void RedrawPage() {
    DrawGraphFrame();
    for (double t = PageStartTick; t <= ElapsedTicks; t += 1) PlotPagePoint(static_cast<float>(t));
}

}  // namespace Vexo
