// The module's variables, with the values they hold when the program starts.
#include "core/lesson.h"
#include "core/reading.h"
#include "core/start_up_log.h"
#include "core/vexo.h"
#include "core/window_title.h"

namespace Vexo {

std::array<float, LastTick + 1> TrendBuffer{};
std::array<int16_t, LastRaw + 1> ConvTable{};
std::array<int16_t, LastRaw + 1> EkionTable{};
std::array<int16_t, LastRaw + 1> KionTable{};
std::array<std::array<int16_t, 4>, MaxAlerts + 1> AlertRules{};
std::array<QString, MaxAlerts + 1> AlertTexts{};
double ScaleMax = 0;
double ScaleMin = 0;
double KionMode = 0;
double ZidouMode = 0;
double ElapsedTicks = 0;
float PageStartTick = 0;
double DrawnScaleMax = 0;
float DrawnScaleMin = 0;
int16_t RawValue = 0;
int16_t FileError = 0;
int16_t PortNumber = 0;
double ScaleLength = 0;
float PixelsPerDegree = 0;
int16_t LastLevelY = 0;
float LastShownTemp = 0;
Colour KelviraBack = 0;
Colour KelviraMemori = 0;
Colour KelviraWaku = 0;
Colour KelviraGlass = 0;
Colour KelviraGlassWaku = 0;
Colour KelviraEki = 0;
Colour KelviraMozi = 0;
Colour GrphBack = 0;
Colour GrphMemori = 0;
Colour GrphWaku = 0;
Colour GrphLine = 0;
Colour GrphTateMozi = 0;
Colour GrphYokoMozi = 0;
std::array<uint8_t, 1> RequestBytes{};
int16_t AlertCount = 0;
std::array<float, 4> LastPlotPoints{};
QString KirokuKey;
QString KirokuBase;
QString KurasuKey;
QString HanKey;
QString KodeKey;
double Bairitsu = 0;
std::function<void(double)> ApplyBairitsu;

Surface* Picture1 = nullptr;
Surface* Picture2 = nullptr;
WindowTimer* Timer1 = nullptr;
WindowTimer* Timer2 = nullptr;
WindowTimer* Timer3 = nullptr;
WindowTimer* Timer4 = nullptr;
SerialLine* MSComm1 = nullptr;

void ResetState() {
    TrendBuffer.fill(0);
    ConvTable.fill(0);
    EkionTable.fill(0);
    KionTable.fill(0);
    for (auto& row : AlertRules) row.fill(0);
    AlertTexts.fill(QString());
    ScaleMax = ScaleMin = KionMode = ZidouMode = ElapsedTicks = 0;
    PageStartTick = 0;
    DrawnScaleMax = 0;
    DrawnScaleMin = 0;
    RawValue = FileError = PortNumber = 0;
    ScaleLength = 0;
    PixelsPerDegree = 0;
    LastLevelY = 0;
    LastShownTemp = 0;
    KelviraBack = KelviraMemori = KelviraWaku = KelviraGlass = KelviraGlassWaku = 0;
    KelviraEki = KelviraMozi = GrphBack = GrphMemori = GrphWaku = GrphLine = 0;
    GrphTateMozi = GrphYokoMozi = 0;
    RequestBytes.fill(0);
    AlertCount = 0;
    LastPlotPoints.fill(0);
    KirokuKey.clear();
    KirokuBase.clear();
    KurasuKey.clear();
    HanKey.clear();
    Bairitsu = 0;
    TrendRaw.fill(0);
    LessonTicks = 0;
    StandingReading = {};
    ResetLog();
    ResetTitleMarks();
}

}  // namespace Vexo
