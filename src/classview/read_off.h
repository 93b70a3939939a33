// Figures read off a lesson's curve, as the class view and the class's results show them:
// the difference between two points, the highest, lowest and mean of a stretch, and a whole
// lesson's start, end, highest, lowest and change. Plain arithmetic over degrees by tick
// (tick t stands at t / 2 seconds; a tick without degrees is NaN and is left out).
#pragma once

#include <functional>
#include <limits>
#include <vector>

namespace ClassView {

// The degrees of tick `tick`, NaN where there are none.
using DegreesAt = std::function<float(int tick)>;

constexpr double NoFigure = std::numeric_limits<double>::quiet_NaN();

// From one point of a trace to another: seconds and degrees between them, and the slope in
// degrees a minute (NaN when both stand at the same time).
struct Difference {
    double seconds = NoFigure;
    double degrees = NoFigure;
    double perMinute = NoFigure;
};
Difference Between(double fromSeconds, double fromDegrees, double toSeconds, double toDegrees);

// The ticks of a stretch that hold degrees: how many, their highest, lowest and mean.
struct Stretch {
    int ticks = 0;
    double highest = NoFigure;
    double lowest = NoFigure;
    double mean = NoFigure;
};
// The stretch from tick `from` to tick `to`, both included, in either order.
Stretch StretchOf(const DegreesAt& degreesAt, int from, int to);

// A lesson's figures for the class's results: its first and last degrees, its highest and
// lowest, the change from first to last, and the seconds from its first tick to its last.
struct Summary {
    bool any = false;  // the lesson holds a tick: the figures below stand
    double start = NoFigure;
    double end = NoFigure;
    double highest = NoFigure;
    double lowest = NoFigure;
    double change = NoFigure;
    double seconds = NoFigure;
};
// The figures of a lesson whose ticks run from 0 to before `ticks`.
Summary Summarize(int ticks, const DegreesAt& degreesAt);

// The class's average of each figure, over the lessons that hold a tick; `any` false when
// none does.
Summary ClassMean(const std::vector<Summary>& summaries);

}  // namespace ClassView
