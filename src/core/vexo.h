// The module Vexo: every piece of state the windows, timers and routines share,
// and the routines that work on it. There are no owners and no accessors: routines
// read and write these variables directly, one event handler at a time.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "platform/colour.h"

class Surface;
class WindowTimer;
class SerialLine;
class Zanpo;
class Fsettei;

namespace Vexo {

// Flags are true only at -1; 1 and every other value count as false.
constexpr int16_t True = -1;
constexpr int16_t False = 0;
inline bool IsTrue(double flag) {
    return flag == -1.0;
}

constexpr int LastTick = 10000;  // TrendBuffer 0..10000
constexpr int LastRaw = 255;     // tables 0..255
constexpr int MaxAlerts = 30;    // AlertRules rows 1..30 (row 0 unused)

// --- Program state, in the order the module declares it ---------------------------------
extern std::array<float, LastTick + 1> TrendBuffer;  // hundredths of a degree per graph tick
extern std::array<int16_t, LastRaw + 1> ConvTable;   // active calibration table, degrees
extern std::array<int16_t, LastRaw + 1> EkionTable;  // liquid sensor, from EKION.CSV
extern std::array<int16_t, LastRaw + 1> KionTable;   // air sensor, from KION.CSV
// Columns: 0 rising flag (-1 rising, 0 falling), 1 threshold (1/100 degree),
// 2 display time (s), 3 background palette number.
extern std::array<std::array<int16_t, 4>, MaxAlerts + 1> AlertRules;
extern std::array<QString, MaxAlerts + 1> AlertTexts;
extern double ScaleMax;      // degrees
extern double ScaleMin;      // degrees
extern double KionMode;      // flag: air sensor attached
extern double ZidouMode;     // flag: automatic range
extern double ElapsedTicks;  // next graph tick to record
extern float PageStartTick;
extern double DrawnScaleMax;
extern float DrawnScaleMin;
extern int16_t RawValue;
extern int16_t FileError;
extern int16_t PortNumber;
extern double ScaleLength;
extern float PixelsPerDegree;
extern int16_t LastLevelY;
extern float LastShownTemp;
extern Colour KelviraBack;
extern Colour KelviraMemori;
extern Colour KelviraWaku;
extern Colour KelviraGlass;
extern Colour KelviraGlassWaku;
extern Colour KelviraEki;
extern Colour KelviraMozi;
extern Colour GrphBack;
extern Colour GrphMemori;
extern Colour GrphWaku;
extern Colour GrphLine;
extern Colour GrphTateMozi;
extern Colour GrphYokoMozi;
extern std::array<uint8_t, 1> RequestBytes;
extern int16_t AlertCount;
extern std::array<float, 4> LastPlotPoints;

// The customization keys of what lies above the routines, read like every other key and
// applied by their owners: Kiroku= (the recordings' folder as written, and the folder it is
// taken from), Kurasu= and Han= (below) and Bairitsu= (the factor the window starts at; 0 when none was given, applied
// as it is read through the hook the zoom installs).
extern QString KirokuKey;
extern QString KirokuBase;
// Kurasu= and Han=: the class the group joins and the group's name, as written.
extern QString KurasuKey;
extern QString HanKey;
extern double Bairitsu;
extern std::function<void(double factor)> ApplyBairitsu;

// Set when start-up could not open the serial port; start-up then says so in the log.
extern bool DeviceMissing;
// Non-empty answers seen by the connection watch; kept from tick to tick, never reset.
extern int16_t AnswerCount;
// Poll ticks since the last attempt to open a closed port (device/reconnect.cpp).
extern int16_t ClosedPortTicks;
// Set while the open port is the fallback device, which an adapter plugged in wins over;
// and the poll ticks since the adapters were last looked for (device/reconnect.cpp).
extern bool OnFallbackPort;
extern int16_t FallbackTicks;
// Poll ticks since the box last answered, counted up to the mark in the title
// (device/connection.cpp); and whether it has answered since the last graph tick, so that a
// tick without a fresh answer is recorded as a held value.
extern int16_t PollsWithoutAnswer;
extern bool AnswerSinceTick;
// Watch ticks on an open port without an answer, and whether the log has said so
// (device/connection.cpp).
extern int16_t SilentTicks;
extern bool SilenceReported;

// --- The windows and the platform objects the routines draw on and talk through --------
// Bound by the main window when it is built; tests bind headless stand-ins instead.
extern Zanpo* MainWindow;
extern Fsettei* SettingsDialog;
extern Surface* Picture1;    // thermometer, 100 x 400
extern Surface* Picture2;    // graph and start-up log, 400 x 400
extern WindowTimer* Timer1;  // poll of the device
extern WindowTimer* Timer2;  // graph tick
extern WindowTimer* Timer3;  // ends an alert message
extern WindowTimer* Timer4;  // connection watch
extern SerialLine* MSComm1;

// --- Start-up (core/) ------------------------------------------------------------------
void Form_Load();
void InitProgram();
void ResetState();  // every variable back to its value at program start (tests, soak)

// --- Configuration files (config/) -----------------------------------------------------
void ReadCustomization();
void ReadCalibration();
double LeadingNumber(const QString& text);

// --- Device link (device/) -------------------------------------------------------------
void InitDevice();
void Timer1_Timer();
void Timer4_Timer();
void AutoRange();
void ReportMissingDevice();  // the log lines when the port could not be opened

// --- Display (display/) ----------------------------------------------------------------
void DrawThermometer();
void ShowTemperature(float& degrees);
void DrawGaugeNumber(int16_t value, Colour colour);
void DrawGraphNumber(int16_t value, Colour colour);
void DrawMark(const QString& kind, Colour colour);
void DrawGraphFrame();
void Timer2_Timer();
void RecordSample(float degrees);
void PlotPagePoint(float tick);
void RedrawPage();
void DrawOverview();
void PlotOverviewPoint(float tick);
void CheckAlerts();
void Timer3_Timer();

// --- Commands and settings (ui/) -------------------------------------------------------
void Start_Click();
void DataReset_Click();
void Setumei_Click();
void Settei_Click();
void Owari_Click();
void Form_Unload(int16_t& cancel);
void EndNow();  // what the quit question's Yes does: hide the window, end the program
void StepBackTicks();
void BlankGraph();
void Text1_GotFocus();
void Text2_GotFocus();
void Text1_KeyPress(int16_t& keyAscii);
void Text2_KeyPress(int16_t& keyAscii);
void Text1_LostFocus();
void Text2_LostFocus();
void Owaru_Click();
void FCancel_Click();

}  // namespace Vexo
