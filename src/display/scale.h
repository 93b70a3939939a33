// Helpers shared by the thermometer and the graph: the temperature-to-height mapping,
// whole-number conversion of the scale limits, the loop over scale marks, and the guards
// that keep every coordinate handed to a surface a sane number.
#pragma once

#include <cstdint>
#include <functional>

namespace Vexo {

// No sensor reports anything near this many degrees. Scale limits and readings are kept
// within it, so that limits, their difference and a limit plus 10 stay ordinary numbers.
constexpr double FarDegrees = 1e6;

// Nearest 16-bit integer, halves to even; beyond the range it saturates, NaN gives 0.
int16_t NearestInt16(double value);

// Puts a coordinate into a range every surface handles exactly: far off the picture is
// as good as anywhere further away. NaN lands far below the picture.
float Drawable(double coordinate);

// Height of temperature t in both pictures: ScaleMin at y 350, ScaleMax at y 20.
float LevelY(double degrees);

// Makes the scale range one the drawings can use: both limits numbers within reach,
// ScaleMax above ScaleMin, and a scale factor that a float holds. A sound range is left
// exactly as it is.
void MakeScaleRangeSound();

// ScaleMax - ScaleMin.
double ScaleRange();

// Calls mark(i, y) for i from ScaleMin to ScaleMax (both taken as 16-bit whole numbers)
// in the given step, with y the height of i.
void ForEachScaleMark(int step, const std::function<void(int16_t, float)>& mark);

// Index into TrendBuffer for a tick number: the nearest whole tick within the buffer.
int TickIndex(double tick);

}  // namespace Vexo
