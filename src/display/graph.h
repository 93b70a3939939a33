// The graph on Picture2: its frame and axes, the live page fed by the graph tick, and the
// whole run drawn at once.
#pragma once

namespace Vexo {

void DrawGraphFrame();
// The graph tick: records the reading, plots it, turns the page, tests the alerts.
void Timer2_Timer();
void RecordSample(float degrees);
void PlotPagePoint(float tick);
void RedrawPage();
void DrawOverview();
void PlotOverviewPoint(float tick);

}  // namespace Vexo
