// The run state of a measurement and the graph repaint that follows a dialog.
#pragma once

#include <QString>

#include "core/readout.h"

namespace Vexo {

extern const QString StoppedCaption;  // "スタート": the caption while no measurement runs
extern const QString RunningCaption;  // "ストップ": the caption while a measurement runs


// Sets the graph tick to 500 ms and enables it.
void ResumeGraphTimer();

// Which comes first when a running measurement is resumed after a dialog: the page
// redraw (explanation, settings applied) or the graph timer (settings cancelled).
enum class GraphResume { RedrawFirst, TimerFirst };

// Repaints the graph after the explanation or the settings dialog: the empty frame when
// nothing is recorded, the live page when a measurement runs, the overview otherwise.
// A running measurement always gets its graph tick back, even with nothing recorded yet.
void RepaintAfterDialog(GraphResume order);

}  // namespace Vexo
