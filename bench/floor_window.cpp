// The floor of the whole-program figures: the least a Qt Widgets program does to show one
// empty window of Kelvira's size. It says "trace Window shown" on stderr, as Kelvira does
// when tracing, once the window is on the screen.
//   floor_window                 runs until it is ended
//   floor_window --peak-after MS prints its peak resident memory (KiB) MS after being shown
//                                and ends
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>

#include "bench/proc_figures.h"
#include "platform/window_shown.h"
#include "ui/twips.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int peakAfterMs =
        argc == 3 && std::strcmp(argv[1], "--peak-after") == 0 ? std::atoi(argv[2]) : -1;

    QWidget window;
    window.setFixedSize(Twips(9795), Twips(6165));
    window.show();
    WhenShown(window, [peakAfterMs] {
        std::fputs("trace Window shown\n", stderr);
        std::fflush(stderr);
        if (peakAfterMs < 0) return;
        QTimer::singleShot(peakAfterMs, [] {
            std::printf("%ld\n", PeakResidentKiB(getpid()));
            QCoreApplication::quit();
        });
    });
    return QApplication::exec();
}
