// The main window's title: "けるびら", with what the user must know about this run.
#pragma once

#include <QString>

namespace App {

// "けるびら", or "けるびら（デモ）" in a demonstration.
QString WindowTitle();

}  // namespace App
