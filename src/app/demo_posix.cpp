// The demonstration on Linux: zanpo-sim, installed beside the program, on a pseudo-terminal.
#include "app/demo.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QCoreApplication>

namespace App {

bool DemoBox::start(const QString& group, QString& error) {
    const QString program = QCoreApplication::applicationDirPath() + "/zanpo-sim";
    box_.setProgram(program);
    // Hot water, seen through the liquid sensor of the example files (-10 to 110 degrees).
    box_.setArguments({QStringLiteral("--profile"), DemoCup(group), QStringLiteral("--sensor-map"),
                       QStringLiteral("%1:%2").arg(DemoSensorLow).arg(DemoSensorHigh)});
    box_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const pid_t parent = ::getpid();
    box_.setChildProcessModifier([parent] {
        // Ended with the program however it ends; Ctrl+C in a terminal reaches only the
        // program, which then ends the box itself.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(1);
        ::setpgid(0, 0);
    });
    box_.start();
    // The box's first line is the device it answers on.
    while (!box_.canReadLine() && box_.waitForReadyRead(5000)) {
    }
    device_ = QString::fromLocal8Bit(box_.readLine()).trimmed();
    if (device_.isEmpty())
        error = QStringLiteral("cannot start the simulated Zanpo %1: %2")
                    .arg(program, box_.errorString());
    return !device_.isEmpty();
}

std::unique_ptr<SerialLine> DemoBox::takeLine() {
    return nullptr;  // the port's own line, to the box's pseudo-terminal
}

DemoBox::~DemoBox() {
    if (box_.state() == QProcess::NotRunning) return;
    box_.terminate();
    if (!box_.waitForFinished(2000)) box_.kill();
    box_.waitForFinished(1000);
}

}  // namespace App
