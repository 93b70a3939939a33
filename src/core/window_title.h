// The main window's title: "けるびら", with a mark for each thing the user must know about
// this run, in a fixed order. Whoever knows a thing sets its mark; the window shows the title.
#pragma once

#include <QString>
#include <functional>

namespace Vexo {

enum class TitleMark {
    Demo,         // "（デモ）": against the simulated box
    NoTable,      // "（校正表なし）": the calibration table in use holds only zeros
    NoAnswer,     // "（「ざんぽ」の応答なし）": the box has stopped answering
    NotRecorded,  // "（記録できません）": the lesson cannot be recorded
    ClassJoined,  // "（クラスに接続）": the lesson reaches the class's broker
    ClassTrying,  // "（クラスに接続中…）": the class's broker is not reached yet, or not again
    ClassFault,   // why the class's broker is not reached, e.g. "（クラス：パスワードが違います）"
};

// Sets or clears `mark`; `text` takes the place of the mark's own words when not empty.
void SetTitleMark(TitleMark mark, bool on, const QString& text = {});
// The title with the marks that are set.
QString WindowTitleText();
// Called with the title whenever it changes; the main window sets it.
extern std::function<void(const QString&)> ShowTitle;
// No mark set (tests).
void ResetTitleMarks();

}  // namespace Vexo
