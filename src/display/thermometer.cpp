// The glass thermometer on Picture1: the whole gauge for the current range, and the
// liquid column that follows each reading.
#include <cmath>

#include "core/lesson_events.h"
#include "core/vexo.h"
#include "display/glyphs.h"
#include "display/graph_area.h"
#include "display/scale.h"
#include "platform/surface.h"

namespace Vexo {

namespace {

// Left and right of the tube's interior, where the column is painted, and its bottom.
constexpr double ColumnLeft = 36;
constexpr double ColumnRight = 44;
constexpr int16_t TubeBottom = 365;

void DrawScaleMarks(double left, double right, int step, bool numbered, bool placePen) {
    ForEachScaleMark(step, [&](int16_t i, float y) {
        Picture1->Line(QPointF(left, y), QPointF(right, y), KelviraMemori);
        if (!numbered) return;
        if (placePen) Picture1->PSet(QPointF(52, y), KelviraBack);
        DrawGaugeNumber(i, KelviraMozi);
    });
}

}  // namespace

void DrawThermometer() {
    MakeScaleRangeSound();
    LastLevelY = 0;
    LastShownTemp = 0.0F;

    Picture1->Box(QPointF(0, 0), QPointF(99, 399), KelviraWaku);
    Picture1->FilledBox(QPointF(1, 1), QPointF(98, 398), KelviraBack);
    Picture1->Circle(QPointF(40, 370), 8, KelviraGlassWaku);
    Picture1->Circle(QPointF(40, 370), 7, KelviraEki);

    ScaleLength = 330;
    PixelsPerDegree = static_cast<float>(ScaleLength / ScaleRange());

    // Long marks end where their number starts, so the line itself places the pen.
    DrawScaleMarks(28, 52, 10, true, false);
    DrawScaleMarks(30, 50, 5, ScaleRange() < 60, true);
    if (ScaleRange() < 50) DrawScaleMarks(32, 48, 1, ScaleRange() < 20, true);

    Picture1->Box(QPointF(35, 7), QPointF(45, 365), KelviraGlassWaku);
    Picture1->FilledBox(QPointF(36, 8), QPointF(44, 365), KelviraGlass);
    Picture1->FilledBox(QPointF(36, 350), QPointF(44, 365), KelviraEki);

    Picture1->PSet(QPointF(5, 80), KelviraBack);
    DrawMark(QStringLiteral("C"), KelviraMozi);
    // Every change of range or sensor draws the gauge anew: the listeners hear it from here.
    TellScaleShown({ScaleMin, ScaleMax, IsTrue(KionMode)});
}

void ShowTemperature(float& degrees) {
    // Not a reading at all: leave the column as it stands.
    if (std::isnan(degrees)) return;
    double t = std::fmax(-FarDegrees, std::fmin(FarDegrees, degrees));

    if (t < ScaleMin) {
        if (IsTrue(ZidouMode)) {
            ScaleMin = static_cast<float>(std::floor((t - 5) / 10) * 10);
            DrawThermometer();
            RedrawGraphForRange();
        } else {
            t = ScaleMin;
        }
    }
    if (t > ScaleMax) {
        if (IsTrue(ZidouMode)) {
            ScaleMax = static_cast<float>(std::floor((t + 10) / 10) * 10);
            DrawThermometer();
            RedrawGraphForRange();
        } else {
            t = ScaleMax;
        }
    }
    degrees = static_cast<float>(t);

    // The level is rounded once, and the strip painted to exactly the row kept as the last
    // level: a level halfway between two rows would otherwise leave a row of glass in the
    // column when it rises again.
    // On a freshly drawn gauge the whole column is painted, from the tube's bottom up to the
    // reading, whatever its sign; glass already stands above it.
    const int16_t level = NearestInt16(LevelY(degrees));
    const bool fresh = LastLevelY == 0;
    if (fresh || degrees != LastShownTemp) {
        const Colour colour = fresh || degrees > LastShownTemp ? KelviraEki : KelviraGlass;
        Picture1->FilledBox(QPointF(ColumnLeft, level),
                            QPointF(ColumnRight, fresh ? TubeBottom : LastLevelY), colour);
    }

    LastLevelY = level;
    LastShownTemp = degrees;
}

}  // namespace Vexo
