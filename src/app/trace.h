// A running account of what the main window shows, one line on stderr per visible change,
// for tests that drive the real program from outside. Off unless KELVIRA_TRACE=1.
//
// Lines read "trace <name> <value>", the value with backslashes and line breaks escaped:
//   trace Text1   23          the read-out box
//   trace Label2 きおんセンサー
//   trace Label3 ...          the elapsed seconds
//   trace Start スタート       the caption of the start button
//   trace DataReset.visible 0
//   trace Text2.visible 1
//   trace Text2 ...
//   trace Picture2 ...        every line printed into the graph surface (the start-up log)
//   trace Title けるびら       the window's title
//   trace Recorded 12         ticks in the lesson's file
//   trace Polling 1           the poll runs: the watch has handed over to it
//   trace Window shown        the window is on the screen with the start-up log, once
#pragma once

#include <QString>

class Zanpo;

// Starts tracing `window` when the environment asks for it. Call before Form_Load, so the
// start-up log is traced too.
void InstallTraceIfAsked(Zanpo& window);
// Reports, when tracing, the moment the window first stands painted on the screen. Call
// after Form_Load.
void TraceShownIfAsked(Zanpo& window);

// One trace line, without its line end.
QString TraceLine(const QString& name, const QString& value);
