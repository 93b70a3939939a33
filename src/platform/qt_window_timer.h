// A window timer driven by a QTimer. Setting the interval or enabling the timer starts
// the count afresh; interval 0 stops the QTimer, since a QTimer at 0 would fire all the time.
#pragma once

#include <QTimer>

#include "platform/window_timer.h"

class QtWindowTimer : public WindowTimer {
  public:
    QtWindowTimer();

  protected:
    void changed() override;

  private:
    QTimer timer_;
};
