// Cost of one ordinary poll tick (Timer1_Timer) with an answer waiting: the request
// written, the answer read, the read-out updated and the thermometer moved. Runs headless
// with the fake line; prints the mean time per tick.
#include <QApplication>
#include <chrono>
#include <cstdio>

#include "support/headless.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Headless h;
    Vexo::ScaleMax = 40;
    Vexo::ScaleMin = 0;
    Vexo::ZidouMode = Vexo::True;
    Vexo::KionMode = Vexo::True;
    Vexo::RequestBytes[0] = 0xF2;
    for (int i = 0; i <= Vexo::LastRaw; ++i) Vexo::KionTable[i] = static_cast<int16_t>(i / 8);
    Vexo::PortNumber = 1;
    Vexo::InitDevice();
    Vexo::DrawThermometer();

    const int ticks = argc > 1 ? std::atoi(argv[1]) : 20000;
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    for (int i = 0; i < ticks; ++i) {
        // A slowly changing reading, as a real room gives: every tick a new raw byte.
        h.line->receive(QByteArray(1, static_cast<char>(100 + (i / 4) % 100)));
        h.line->writes.clear();
        h.line->calls.clear();
        Vexo::Timer1_Timer();
    }
    const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    std::printf("Timer1_Timer: %d ticks, %.0f ns per tick\n", ticks, ns / ticks);
    return 0;
}
