#include "classview/read_off.h"

#include <algorithm>
#include <cmath>

namespace ClassView {

Difference Between(double fromSeconds, double fromDegrees, double toSeconds, double toDegrees) {
    Difference d;
    d.seconds = toSeconds - fromSeconds;
    d.degrees = toDegrees - fromDegrees;
    if (d.seconds != 0) d.perMinute = d.degrees / d.seconds * 60;
    return d;
}

Stretch StretchOf(const DegreesAt& degreesAt, int from, int to) {
    if (from > to) std::swap(from, to);
    Stretch s;
    double sum = 0;
    for (int t = std::max(from, 0); t <= to; ++t) {
        const float d = degreesAt(t);
        if (std::isnan(d)) continue;
        s.highest = s.ticks == 0 ? d : std::max<double>(s.highest, d);
        s.lowest = s.ticks == 0 ? d : std::min<double>(s.lowest, d);
        sum += d;
        ++s.ticks;
    }
    if (s.ticks > 0) s.mean = sum / s.ticks;
    return s;
}

Summary Summarize(int ticks, const DegreesAt& degreesAt) {
    Summary s;
    int first = -1, last = -1;
    for (int t = 0; t < ticks; ++t) {
        const float d = degreesAt(t);
        if (std::isnan(d)) continue;
        if (first < 0) {
            first = t;
            s.start = s.highest = s.lowest = d;
        }
        last = t;
        s.end = d;
        s.highest = std::max<double>(s.highest, d);
        s.lowest = std::min<double>(s.lowest, d);
    }
    if (first < 0) return s;
    s.any = true;
    s.change = s.end - s.start;
    s.seconds = (last - first) / 2.0;
    return s;
}

Summary ClassMean(const std::vector<Summary>& summaries) {
    Summary mean;
    int n = 0;
    double start = 0, end = 0, highest = 0, lowest = 0, change = 0, seconds = 0;
    for (const Summary& s : summaries) {
        if (!s.any) continue;
        ++n;
        start += s.start;
        end += s.end;
        highest += s.highest;
        lowest += s.lowest;
        change += s.change;
        seconds += s.seconds;
    }
    if (n == 0) return mean;
    mean.any = true;
    mean.start = start / n;
    mean.end = end / n;
    mean.highest = highest / n;
    mean.lowest = lowest / n;
    mean.change = change / n;
    mean.seconds = seconds / n;
    return mean;
}

}  // namespace ClassView
