// The module Vexo: every piece of state the windows, timers and routines share. There are no
// owners and no accessors: routines read and write these variables directly, one event
// handler at a time. Each routine is declared in the header of its own room (config/,
// device/, display/, ui/); the seams by which a routine reaches what stands above it are
// core's other headers.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "platform/colour.h"

class Surface;
class WindowTimer;
class SerialLine;

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
// Kurasu=, Han= and Kode=: the class the group joins, the group's name and the class's join
// code, as written.
extern QString KurasuKey;
extern QString HanKey;
extern QString KodeKey;
extern double Bairitsu;
extern std::function<void(double factor)> ApplyBairitsu;

// --- The platform objects the routines draw on and talk through ------------------------
// Bound by the main window when it is built; tests bind headless stand-ins instead.
extern Surface* Picture1;    // thermometer, 100 x 400
extern Surface* Picture2;    // graph and start-up log, 400 x 400
extern WindowTimer* Timer1;  // poll of the device
extern WindowTimer* Timer2;  // graph tick
extern WindowTimer* Timer3;  // ends an alert message
extern WindowTimer* Timer4;  // connection watch
extern SerialLine* MSComm1;

// Every variable back to its value at program start (tests, soak); the device's own counters
// have their own reset (device/device_link.h).
void ResetState();

}  // namespace Vexo
