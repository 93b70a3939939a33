#include "platform/qt_window_timer.h"

QtWindowTimer::QtWindowTimer() {
    timer_.setTimerType(Qt::CoarseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
}

void QtWindowTimer::changed() {
    if (running())
        timer_.start(interval());
    else
        timer_.stop();
}
