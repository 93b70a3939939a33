// How fast a group's messages may change what the class view holds: no faster than the
// group's box and Kelvira could make them. The box is polled five times a second and a tick is
// recorded twice a second; Kelvira sends the reading about once a second, the status when it
// changes, the part of the lesson being recorded every five seconds, and when its line returns
// its status, every part of its lesson and the ticks the broker did not acknowledge, at once.
// Each kind has a bucket that holds such a burst and fills at the box's pace; a message that
// comes while its bucket is empty is too fast.
#pragma once

#include <array>
#include <chrono>

#include "classlink/class_messages.h"

namespace ClassView {

class MessagePace {
  public:
    using Clock = std::chrono::steady_clock;

    // True when a message of `kind` that comes `at` may be taken, its place in the bucket
    // used; false when it comes too fast.
    bool take(ClassLink::Kind kind, Clock::time_point at);

  private:
    struct Bucket {
        bool used = false;  // a fresh bucket is full
        double left = 0;
        Clock::time_point at;
    };
    std::array<Bucket, 4> buckets_;  // by kind
};

}  // namespace ClassView
