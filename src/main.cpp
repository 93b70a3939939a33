// Kelvira: a classroom thermometer for the Zanpo measurement box.
#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <thread>

#include "app/command_line.h"
#include "app/demo.h"
#include "app/end_signals.h"
#include "app/install_layout.h"
#include "core/vexo.h"
#include "core/window_title.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_window_timer.h"
#include "recording/recording.h"
#include "ui/fonts.h"
#include "ui/trace.h"
#include "ui/zanpo.h"

int main(int argc, char** argv) {
    // Before anything else: --help, --version and a mistake need no display.
    const App::CommandLine line = App::ParseCommandLine(App::ArgumentList(argc, argv));
    if (line.outcome != App::CommandLine::Outcome::Run) return App::Answer(line);
    App::Given = line.options;
    App::CatchEndSignals();

    // Reading the font configuration takes a few milliseconds of start-up; a second core does
    // it while the connection to the display is made.
    std::thread fonts(ReadFontConfiguration);
    // The arguments are Kelvira's own; Qt is given only the program's name.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("kelvira"));
    QApplication::setApplicationVersion(QStringLiteral(KELVIRA_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kelvira"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    fonts.join();

    if (App::Given.noRecord) Vexo::SwitchRecordingOff();

    App::DemoBox demo;
    if (App::Given.demo) {
        QString error;
        App::Given.port = demo.start(error);
        if (App::Given.port.isEmpty()) {
            std::fprintf(stderr, "kelvira: %s\n", qPrintable(error));
            return 1;
        }
    }

    Zanpo window([] { return std::make_unique<QtWindowTimer>(); },
                 std::make_unique<QtSerialLine>());
    Vexo::SetTitleMark(Vexo::TitleMark::Demo, App::Given.demo);
    Vexo::InstallGraphMenu(window);
    InstallTraceIfAsked(window);
    Vexo::Form_Load();
    TraceShownIfAsked(window);
    App::WatchEndSignals();
    return QApplication::exec();
}
