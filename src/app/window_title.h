// The main window's title: "けるびら", with what the user must know about this run.
#pragma once

#include <QString>

namespace App {

// "けるびら", with "（デモ）" in a demonstration and "（記録できません）" while the lesson
// cannot be recorded.
QString WindowTitle(bool notRecorded = false);

}  // namespace App
