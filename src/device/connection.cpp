// What the program says about the box while it has not answered: a start refused with the
// reason, and one line in the log when an open port stays silent.
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "core/window_title.h"
#include "device/device_link.h"
#include "platform/message_box.h"
#include "platform/serial_line.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

// Watch ticks (200 ms) on an open port without any answer before the log says so: 5 s.
constexpr int SilentTicksReported = 25;
// Poll ticks (200 ms) without an answer before the title says so: 2 s.
constexpr int SilentPollsMarked = 10;

QString NotConnectedAdvice() {
    const QChar cr(13);
    return QStringLiteral("ざんぽが接続されていません!") + cr + cr +
           QStringLiteral("「ざんぽ」の電源が入っているか、") + cr +
           QStringLiteral("ケーブルがつながっているか、") + cr +
           QStringLiteral("接続ポートの設定が合っているかを確認して下さい。") + cr + cr +
           QStringLiteral("「ざんぽ」が答えると、スタートできます。");
}

}  // namespace

bool ZanpoConnected() {
    return AnswerCount >= WatchAnswers;
}

bool StartRefusedWithoutBox() {
    if (ZanpoConnected()) return false;
    MsgBox(NotConnectedAdvice(), vbOKOnly, AppTitle);
    return true;
}

void NoteAnswer(bool answered) {
    if (answered) {
        PollsWithoutAnswer = 0;
        SetTitleMark(TitleMark::NoAnswer, false);
    } else if (PollsWithoutAnswer < SilentPollsMarked &&
               ++PollsWithoutAnswer == SilentPollsMarked) {
        SetTitleMark(TitleMark::NoAnswer, true);
    }
}

void WatchSilentBox() {
    if (AnswerCount > 0 || SilenceReported) return;
    if (!MSComm1->portOpen()) {
        SilentTicks = 0;  // counted from the port's opening, also a later one
        return;
    }
    if (++SilentTicks < SilentTicksReported) return;
    SilenceReported = true;
    PrintLog(QStringLiteral("「ざんぽ」の応答なし：電源・ケーブル・ポートを確認"));
}

}  // namespace Vexo
