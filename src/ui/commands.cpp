// The five command buttons of the main window and its close request. The run state is the
// caption of Start: "ストップ" while a measurement runs, "スタート" while it is stopped.
#include <QLabel>
#include <QPushButton>

#include "core/lesson.h"
#include "core/lesson_events.h"
#include "core/vexo.h"
#include "device/device_link.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/message_box.h"
#include "platform/surface.h"
#include "platform/window_timer.h"
#include "ui/commands.h"
#include "ui/fsettei.h"
#include "ui/run_state.h"
#include "ui/zanpo.h"

namespace Vexo {

namespace {

const QString QuitQuestion = QStringLiteral("本当に終了しますか？");
const QString ResetQuestion = QStringLiteral("データをけしますか？");
const QString ExplanationTitle = QStringLiteral("プログラムのせつめい");

// The explanation: five lines, each ended by a carriage return alone.
QString ExplanationText() {
    const QChar cr(13);
    return QStringLiteral("せってい：めもりのつけかた、センサーの") + cr +
           QStringLiteral("　　　　　しゅるいをきめます。") + cr +
           QStringLiteral("リセット：そくていデータをけします。") + cr +
           QStringLiteral("スタート：そくていをはじめます。") + cr +
           QStringLiteral("おわり　：しゅうりょうします。") + cr;
}

}  // namespace

// Hides the window and ends the program. Every timer is stopped first, so that no tick
// that is already due can run once the end has been asked for.
void EndNow() {
    for (WindowTimer* timer : {Timer1, Timer2, Timer3, Timer4}) timer->setEnabled(false);
    MainWindow->hide();
    EndProgram();
}

namespace {

// The quit question, shared by the quit button and the close request. Returns true when
// the user chose to stay.
bool AskToQuit() {
    Timer2->setEnabled(false);
    StepBackTicks();
    if (MsgBox(QuitQuestion, vbYesNo, AppTitle) == vbYes) {
        EndNow();
        return false;
    }
    if (MeasurementRuns()) {
        ResumeGraphTimer();
        RedrawPage();
    } else {
        DrawOverview();
    }
    return true;
}

}  // namespace

void StepBackTicks() {
    ElapsedTicks = ElapsedTicks - 1;
    if (ElapsedTicks <= 0) ElapsedTicks = 0;
}

void BlankGraph() {
    Picture2->FilledBox(QPointF(0, 0), QPointF(399, 399), RGB(0, 0, 0));
}

void Start_Click() {
    Zanpo& w = *MainWindow;
    if (!MeasurementRuns()) {
        if (StartRefusedWithoutBox()) return;
        StepBackTicks();
        w.Start->setText(RunningCaption);
        w.DataReset->setVisible(false);
        // The live page's axis under the trace, also when nothing is recorded yet and the
        // overview is what the graph shows.
        if (ElapsedTicks != 0)
            RedrawPage();
        else
            DrawGraphFrame();
        TellLessonStarted();
        ResumeGraphTimer();
    } else {
        w.Start->setText(StoppedCaption);
        Timer2->setEnabled(false);
        StepBackTicks();
        w.DataReset->setVisible(true);
        DrawOverview();
        TellLessonStopped();
    }
}

void DataReset_Click() {
    Zanpo& w = *MainWindow;
    if (MsgBox(ResetQuestion, vbYesNo, AppTitle) == vbYes) {
        ElapsedTicks = 0;
        LessonTicks = 0;  // the lesson is over; the next start records a new one
        PageStartTick = 0;
        w.Label3->setText(QString());
        DrawThermometer();
        DrawGraphFrame();
        w.Start->setText(StoppedCaption);
        TellLessonErased();
    } else {
        DrawOverview();
    }
}

void Setumei_Click() {
    Timer2->setEnabled(false);
    StepBackTicks();
    MsgBox(ExplanationText(), vbOKOnly, ExplanationTitle);
    RepaintAfterDialog(GraphResume::RedrawFirst);
}

void Settei_Click() {
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
    StepBackTicks();
    MainWindow->hide();
    BlankGraph();
    Fsettei& dialog = TheSettingsDialog();
    dialog.openOver(*MainWindow);
    FillSettingsDialog();
}

void Owari_Click() {
    AskToQuit();
}

void Form_Unload(int16_t& cancel) {
    if (AskToQuit()) cancel = -1;
}

}  // namespace Vexo
