#include "ui/run_state.h"
#include "core/vexo.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/window_timer.h"
#include "ui/zanpo.h"

#include <QPushButton>

namespace Vexo {

const QString StoppedCaption = QStringLiteral("スタート");
const QString RunningCaption = QStringLiteral("ストップ");

void ResumeGraphTimer() {
    Timer2->setInterval(500);
    Timer2->setEnabled(true);
}

void RepaintAfterDialog(GraphResume order) {
    // Before the box has answered nothing may have drawn the scale yet (its factor is still
    // 0), and the start-up log went with the blanked graph: the gauge gives the graph its
    // scale.
    if (PixelsPerDegree == 0) DrawThermometer();
    const bool running = MeasurementRuns();
    if (ElapsedTicks == 0) {
        DrawGraphFrame();
        if (running) ResumeGraphTimer();
    } else if (running) {
        if (order == GraphResume::TimerFirst) ResumeGraphTimer();
        RedrawPage();
        if (order == GraphResume::RedrawFirst) ResumeGraphTimer();
    } else {
        DrawOverview();
    }
}

}  // namespace Vexo
