// The connection watch (Timer4) and the regular poll (Timer1).
#include <QByteArray>
#include <cmath>

#include "core/lesson_events.h"
#include "core/reading.h"
#include "core/readout.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "device/device_link.h"
#include "display/graph.h"
#include "display/thermometer.h"
#include "platform/serial_line.h"
#include "platform/surface.h"
#include "platform/window_timer.h"

namespace Vexo {

QString ReadoutText(float degrees) {
    const QString sign = degrees < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    return QStringLiteral(" ") + sign + QString::number(std::fabs(degrees), 'g', 7);
}

bool PollStep(float& degrees) {
    if (!PortReady()) return false;
    MSComm1->output(QByteArray(reinterpret_cast<const char*>(RequestBytes.data()),
                               static_cast<int>(RequestBytes.size())));
    // Read at once, without waiting: this is normally the answer to the previous request.
    const QByteArray answer = MSComm1->input();
    if (answer.isEmpty()) return false;
    RawValue = static_cast<uint8_t>(answer.at(0));  // the rest of the answer is dropped
    const Reading& reading = TakeReading();
    degrees = reading.degrees;
    TellReadingTaken(reading);
    Readout->showTemperature(ReadoutText(degrees));
    return true;
}

void Timer1_Timer() {
    float degrees = 0;
    const bool answered = PollStep(degrees);
    NoteAnswer(answered);
    if (answered) ShowTemperature(degrees);
}

void Timer4_Timer() {
    float degrees = 0;
    if (!PollStep(degrees)) {  // only answers count; the watch has no time limit
        WatchSilentBox();
        return;
    }
    ++AnswerCount;
    if (AnswerCount == 1) {
        PrintLog(QStringLiteral("「ざんぽ」の接続を確認しました。"));
        PrintLog(QStringLiteral("初期化継続中！・・・あと３秒"));
    }
    if (AnswerCount >= WatchAnswers) {
        if (IsTrue(ZidouMode)) {
            Timer1_Timer();
            AutoRange();
        }
        Timer4->setInterval(0);
        Timer4->setEnabled(false);
        Timer1->setInterval(200);
        Timer1->setEnabled(true);
        DrawThermometer();
        DrawGraphFrame();
    }
}

}  // namespace Vexo
