#include "classview/trace_columns.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ClassView {

void TraceColumns::follow(const TickSeries& series, double width, int span) {
    if (width != width_ || span != span_ || series.edits() != edits_ || series.size() < taken_) {
        const auto columns = static_cast<size_t>(std::max(0.0, std::ceil(width)));
        low_.assign(columns, std::numeric_limits<float>::quiet_NaN());
        high_.assign(columns, std::numeric_limits<float>::quiet_NaN());
        width_ = width;
        span_ = span;
        edits_ = series.edits();
        taken_ = 0;
    }
    if (low_.empty() || span <= 0) return;
    const double perTick = width / span;
    const int last = static_cast<int>(low_.size()) - 1;
    for (int t = taken_; t < series.size(); ++t) {
        const float d = series.at(t);
        if (std::isnan(d)) continue;
        const auto c = static_cast<size_t>(std::min(last, static_cast<int>(t * perTick)));
        if (!(low_[c] <= d)) low_[c] = d;  // NaN compares false: the column's first tick
        if (!(high_[c] >= d)) high_[c] = d;
    }
    taken_ = std::max(taken_, series.size());
}

int TimeSpan(int lastTick) {
    static constexpr int Spans[] = {300,  360,  480,  600,  720,  960,  1200, 1440, 1800, 2400,
                                    3000, 3600, 4800, 6000, 7200, 8400, 9600, 10800};
    const int ticks = lastTick + 1;
    for (const int span : Spans)
        if (ticks <= span) return span;
    return (ticks + 1199) / 1200 * 1200;
}

}  // namespace ClassView
