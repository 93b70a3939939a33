#include "classview/message_pace.h"

#include <algorithm>

namespace ClassView {

namespace {

struct Rate {
    double perSecond;
    double burst;
};

// A box gives five readings a second. Its ticks, twice a second, come again at once after the
// group's line was away: only those the view does not hold yet count (what changes nothing
// costs nothing), the few recorded since the lesson's parts went out. Every part of a lesson
// comes at once when the line returns and when the view comes late.
Rate RateOf(ClassLink::Kind kind) {
    switch (kind) {
        case ClassLink::Kind::Status:
            return {5, 10};
        case ClassLink::Kind::Reading:
            return {5, 10};
        case ClassLink::Kind::Tick:
            return {5, 60};
        case ClassLink::Kind::Lesson:
            return {1, 2 * ClassLink::LessonParts};
    }
    return {0, 0};
}

}  // namespace

bool MessagePace::take(ClassLink::Kind kind, Clock::time_point at) {
    const Rate rate = RateOf(kind);
    Bucket& b = buckets_[static_cast<size_t>(kind)];
    if (!b.used) {
        b.used = true;
        b.left = rate.burst;
    } else if (at > b.at) {
        const double seconds = std::chrono::duration<double>(at - b.at).count();
        b.left = std::min(rate.burst, b.left + seconds * rate.perSecond);
    }
    b.at = std::max(b.at, at);
    if (b.left < 1) return false;
    b.left -= 1;
    return true;
}

}  // namespace ClassView
