// Window timers as the program uses them: an interval in milliseconds and an enabled flag.
// A timer fires only while it is enabled and its interval is above 0. The base class is
// the headless stand-in: it never fires by itself, tests call tick().
#pragma once

#include <climits>
#include <functional>

class WindowTimer {
  public:
    static constexpr int MaxInterval = INT_MAX;  // the longest interval a timer accepts

    virtual ~WindowTimer() = default;
    void setInterval(int ms);
    int interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    // True when the timer would fire: enabled with an interval above 0.
    bool running() const { return enabled_ && interval_ > 0; }
    // Runs the tick handler, as an expiry of the timer does.
    void tick();

    std::function<void()> onTick;

  protected:
    virtual void changed() {}

  private:
    int interval_ = 0;
    bool enabled_ = false;
};
