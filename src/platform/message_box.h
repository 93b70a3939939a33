// Message boxes through one seam: text, buttons and title in, the button pressed out.
// The program shows real boxes; tests install an answerer instead.
#pragma once

#include <QString>
#include <functional>

enum MsgBoxButtons { vbOKOnly = 0, vbYesNo = 4 };
enum MsgBoxAnswer { vbOK = 1, vbYes = 6, vbNo = 7 };

extern const QString AppTitle;  // "けるびら", shown when a box passes no title of its own

int MsgBox(const QString& prompt, int buttons, const QString& title = AppTitle);

class QWidget;

// Called with every real box before it is shown; the zoom installs one that brings the box to
// the main window's factor.
using MsgBoxShaper = std::function<void(QWidget& box)>;
void SetMsgBoxShaper(MsgBoxShaper shaper);

using MsgBoxHandler = std::function<int(const QString& prompt, int buttons, const QString& title)>;
// Replaces how boxes are answered; an empty handler restores the real boxes.
void SetMsgBoxHandler(MsgBoxHandler handler);
