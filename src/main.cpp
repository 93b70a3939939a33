// Kelvira: a classroom thermometer for the Zanpo measurement box.
#include <QApplication>
#include <QStyleFactory>

#include "core/vexo.h"
#include "platform/qt_serial_line.h"
#include "platform/qt_window_timer.h"
#include "ui/trace.h"
#include "ui/zanpo.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    Zanpo window([] { return std::make_unique<QtWindowTimer>(); },
                 std::make_unique<QtSerialLine>());
    InstallTraceIfAsked(window);
    Vexo::Form_Load();
    return QApplication::exec();
}
