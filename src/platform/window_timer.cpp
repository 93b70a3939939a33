#include "platform/window_timer.h"

#include <algorithm>

void WindowTimer::setInterval(int ms) {
    interval_ = std::clamp(ms, 0, MaxInterval);
    changed();
}

void WindowTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed();
}

void WindowTimer::tick() {
    if (onTick) onTick();
}
