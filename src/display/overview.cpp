// The whole recorded run at once on Picture2, shown while no measurement runs: every tick
// from 0 to ElapsedTicks squeezed into the width of the graph.

#include <algorithm>

#include "core/vexo.h"
#include "display/glyphs.h"
#include "display/graph.h"
#include "display/graph_area.h"
#include "display/scale.h"
#include "display/temperature_grid.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

constexpr double GraphLeft = 50;
constexpr double GraphWidth = 330;
constexpr double TraceOffset = 0.8;

// Time axis by length of the run, first match wins: grid line every `grid` ticks, a
// seconds number every `label` ticks.
struct TimeSpacing {
    double below;
    int grid;
    int label;
};
constexpr TimeSpacing TimeSpacings[] = {
    {31, 2, 5},    {61, 5, 10},    {121, 5, 20},    {181, 10, 30},
    {310, 20, 60}, {610, 30, 100}, {1010, 60, 200}, {2010, 200, 500},
};
constexpr TimeSpacing LongRunSpacing = {0, 500, 1000};

// Every how many ticks a point is plotted, by length of the run, first match wins. Runs up
// to 1660 ticks keep a step of 4; 5 starts above that.
struct PlotStep {
    double upTo;
    int step;
};
constexpr PlotStep PlotSteps[] = {{330, 1}, {660, 2}, {1000, 3}, {1330, 4}, {1660, 4}, {2000, 5}};
constexpr int LongRunPlotStep = 6;

TimeSpacing SpacingFor(double ticks) {
    for (const TimeSpacing& spacing : TimeSpacings)
        if (ticks < spacing.below) return spacing;
    return LongRunSpacing;
}

int PlotStepFor(double ticks) {
    for (const PlotStep& row : PlotSteps)
        if (ticks <= row.upTo) return row.step;
    return LongRunPlotStep;
}

// Ticks across the full width: the run, but at least 10.
double SpanTicks() {
    return ElapsedTicks < 10 ? 10 : ElapsedTicks;
}

float TickX(double tick, double left) {
    return Drawable(tick / SpanTicks() * GraphWidth + left);
}

// The label step of the table where its numbers stand apart; on long runs, where they would
// touch, every second or every fifth of them.
int LabelStepApart(int label, double span) {
    int widest = 0;
    for (double t = 0; t <= span; t += label)
        widest = std::max(widest, NumberWidth(NearestInt16(t / 2)));
    for (const int every : {1, 2}) {
        if (label * every / span * GraphWidth >= widest) return label * every;
    }
    return label * 5;
}

}  // namespace

void DrawOverview() {
    WipeGraph();
    DrawTemperatureGrid();

    const TimeSpacing spacing = SpacingFor(ElapsedTicks);
    const double span = SpanTicks();
    for (double t = 0; t <= span; t += spacing.grid) {
        const float x = TickX(t, GraphLeft);
        Picture2->Line(QPointF(x, 20), QPointF(x, 350), GrphMemori);
    }
    // Numbers start 21 pixels left of their tick, as on the live page.
    const int labelStep = LabelStepApart(spacing.label, span);
    for (double t = 0; t <= span; t += labelStep) {
        Picture2->PSet(QPointF(TickX(t, GraphLeft - 21), 360), GrphBack);
        DrawGraphNumber(NearestInt16(t / 2), GrphYokoMozi);
    }

    if (ElapsedTicks == 0) return;
    const int step = PlotStepFor(ElapsedTicks);
    for (double t = 0; t <= ElapsedTicks; t += step) PlotOverviewPoint(static_cast<float>(t));
}

void PlotOverviewPoint(float tick) {
    const double degrees = TrendBuffer[TickIndex(tick)] / 100.0;
    const float x = TickX(tick, GraphLeft);
    const float y = LevelY(degrees);
    if (tick == 0) {
        Picture2->PSet(QPointF(x, y), KelviraEki);
    } else {
        const float px = LastPlotPoints[2], py = LastPlotPoints[3];
        Picture2->Line(QPointF(px, py), QPointF(x, y), KelviraEki);
        Picture2->Line(QPointF(px, py - TraceOffset), QPointF(x, y - TraceOffset), KelviraEki);
    }
    LastPlotPoints[2] = x;
    LastPlotPoints[3] = y;
}

}  // namespace Vexo
