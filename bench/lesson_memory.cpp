// Ten minutes of a lesson at full speed, in the real main window on the screen: the poll
// every 200 ms and the graph every 500 ms of simulated time, driven directly, every repaint
// sent to the display, every tick recorded to the lesson's file. Then the measurement is stopped
// (the overview is drawn) and the peak resident memory is printed in KiB.
//   lesson_memory [minutes]
#include <unistd.h>

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <thread>

#include "bench/lesson.h"
#include "bench/proc_figures.h"
#include "device/device_link.h"
#include "display/graph.h"
#include "platform/fonts.h"
#include "ui/commands.h"

int main(int argc, char** argv) {
    // Started as the program starts.
    std::thread fonts(ReadFontConfiguration);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    fonts.join();
    UseGothicByDefault();
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 10;

    Lesson lesson;
    lesson.recordLessons();
    constexpr int StepMs = 100;
    for (int ms = StepMs; ms <= minutes * 60'000; ms += StepMs) {
        if (ms % 200 == 0) {
            lesson.queueAnswer();
            Vexo::Timer1_Timer();
        }
        if (ms % 500 == 0) Vexo::Timer2_Timer();
        QCoreApplication::processEvents();
    }
    Vexo::Start_Click();  // stop: the overview of the whole recording
    QCoreApplication::processEvents();
    std::printf("%ld\n", PeakResidentKiB(getpid()));
    return 0;
}
