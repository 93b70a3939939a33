// Kelvira: a classroom thermometer for the Zanpo measurement box.
#include <QApplication>
#include <QStyleFactory>
#include <thread>

#include "core/vexo.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_window_timer.h"
#include "recording/recording.h"
#include "ui/fonts.h"
#include "ui/trace.h"
#include "ui/zanpo.h"

int main(int argc, char** argv) {
    // Reading the font configuration takes a few milliseconds of start-up; a second core does
    // it while the connection to the display is made.
    std::thread fonts(ReadFontConfiguration);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    fonts.join();
    if (QCoreApplication::arguments().contains(QStringLiteral("--no-record")))
        Vexo::SwitchRecordingOff();
    Zanpo window([] { return std::make_unique<QtWindowTimer>(); },
                 std::make_unique<QtSerialLine>());
    Vexo::InstallGraphMenu(window);
    InstallTraceIfAsked(window);
    Vexo::Form_Load();
    TraceShownIfAsked(window);
    return QApplication::exec();
}
