#include "app/demo.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QCoreApplication>

namespace App {

QString DemoCup(const QString& group) {
    uint32_t hash = 2166136261u;  // FNV-1a: the same cup for the same name on every machine
    for (const QChar c : group) hash = (hash ^ c.unicode()) * 16777619u;
    const int from = 40 + static_cast<int>(hash % 21);        // 40 to 60 degrees
    const int room = 18 + static_cast<int>(hash / 21 % 7);    // 18 to 24 degrees
    const int tau = 200 + 20 * static_cast<int>(hash / 147 % 16);  // 200 to 500 s
    return QStringLiteral("cooling:%1:%2:%3").arg(from).arg(room).arg(tau);
}

QString DemoBox::start(const QString& group, QString& error) {
    const QString program = QCoreApplication::applicationDirPath() + "/zanpo-sim";
    box_.setProgram(program);
    // Hot water, seen through the liquid sensor of the example files (-10 to 110 degrees).
    box_.setArguments({QStringLiteral("--profile"), DemoCup(group),
                       QStringLiteral("--sensor-map"), QStringLiteral("-10:110")});
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
    const QString device = QString::fromLocal8Bit(box_.readLine()).trimmed();
    if (device.isEmpty())
        error = QStringLiteral("cannot start the simulated Zanpo %1: %2")
                    .arg(program, box_.errorString());
    return device;
}

DemoBox::~DemoBox() {
    if (box_.state() == QProcess::NotRunning) return;
    box_.terminate();
    if (!box_.waitForFinished(2000)) box_.kill();
    box_.waitForFinished(1000);
}

}  // namespace App
