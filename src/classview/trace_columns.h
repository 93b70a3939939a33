// One trace as the class's graph draws it: for each pixel column the lowest and the highest
// degrees of the ticks that fall into it, so that no peak is lost and 10 000 ticks cost no
// more to draw than the graph's width. Kept from one drawing to the next and extended by the
// ticks that arrived since; made anew only when the graph's width or time span changes, or a
// tick already taken changes.
#pragma once

#include <vector>

#include "classview/tick_series.h"

namespace ClassView {

class TraceColumns {
  public:
    // Brings the columns up to `series` on a graph `width` pixels wide that spans the ticks
    // 0 .. span - 1. Tick t falls into column floor(t * width / span).
    void follow(const TickSeries& series, double width, int span);
    int columns() const { return static_cast<int>(low_.size()); }
    // The lowest and highest degrees in `column`; NaN where no tick falls into it.
    float low(int column) const { return low_[static_cast<size_t>(column)]; }
    float high(int column) const { return high_[static_cast<size_t>(column)]; }

  private:
    std::vector<float> low_, high_;
    double width_ = -1;
    int span_ = 0;
    int taken_ = 0;  // the ticks below it are in the columns
    int edits_ = -1;
};

// The ticks the graph's time axis spans for a lesson whose last tick is `lastTick`: at least
// 300 (two and a half minutes), else the next of a few round lengths, so that the axis, and
// with it every column, stays put while the lesson grows into it.
int TimeSpan(int lastTick);

}  // namespace ClassView
