#include "display/scale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "core/vexo.h"

namespace Vexo {

namespace {

// Pixels this far off a 400-pixel picture are off it for good, and well within what the
// surface turns into whole pixels.
constexpr double FarPixels = 1e5;
constexpr double DefaultMax = 100;
constexpr double DefaultMin = -10;

}  // namespace

int16_t NearestInt16(double value) {
    if (std::isnan(value)) return 0;
    // The default rounding mode rounds halves to even.
    return static_cast<int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

float Drawable(double coordinate) {
    if (std::isnan(coordinate)) return static_cast<float>(FarPixels);
    return static_cast<float>(std::clamp(coordinate, -FarPixels, FarPixels));
}

float LevelY(double degrees) {
    return Drawable(350.0 - (degrees - ScaleMin) * PixelsPerDegree);
}

double ScaleRange() {
    return ScaleMax - ScaleMin;
}

void MakeScaleRangeSound() {
    if (std::isnan(ScaleMax)) ScaleMax = DefaultMax;
    if (std::isnan(ScaleMin)) ScaleMin = DefaultMin;
    ScaleMax = std::clamp(ScaleMax, -FarDegrees, FarDegrees);
    ScaleMin = std::clamp(ScaleMin, -FarDegrees, FarDegrees);
    if (ScaleMax < ScaleMin) std::swap(ScaleMax, ScaleMin);
    // Equal limits, or limits so close that the scale factor overflows a float, leave no
    // scale to draw: give the range the smallest width the program ever chooses itself.
    const double range = ScaleMax - ScaleMin;
    if (!(range > 0 && 330.0 / range <= FLT_MAX)) ScaleMax = ScaleMin + 10;
}

void ForEachScaleMark(int step, const std::function<void(int16_t, float)>& mark) {
    const int last = NearestInt16(ScaleMax);
    for (int i = NearestInt16(ScaleMin); i <= last; i += step)
        mark(static_cast<int16_t>(i), LevelY(i));
}

int TickIndex(double tick) {
    if (std::isnan(tick)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(tick), 0.0, double(LastTick)));
}

}  // namespace Vexo
