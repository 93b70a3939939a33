#include "support/xvfb.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool Run(const QString& program, const QStringList& args, const QString& display,
         QByteArray* out = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0) return false;
    if (out) *out = p.readAllStandardOutput();
    return true;
}

}  // namespace

Xvfb::Xvfb() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty()) return;
    // -displayfd 1: the server picks a free display and says which on its stdout.
    server_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
    if (!server_.waitForStarted(5000)) return;
    if (!server_.waitForReadyRead(10000)) return;
    const QByteArray number = server_.readAllStandardOutput().trimmed();
    if (!number.isEmpty()) display_ = ":" + QString::fromLatin1(number);
}

Xvfb::~Xvfb() {
    if (server_.state() == QProcess::NotRunning) return;
    server_.terminate();
    if (!server_.waitForFinished(3000)) server_.kill();
    server_.waitForFinished(1000);
}

bool Xvfb::click(qint64 pid, int x, int y) const {
    QByteArray windows;
    if (!Run("xdotool", {"search", "--sync", "--onlyvisible", "--pid", QString::number(pid)},
             display_, &windows))
        return false;
    const QString window = QString::fromLatin1(windows.split('\n').value(0)).trimmed();
    return !window.isEmpty() && Run("xdotool",
                                    {"mousemove", "--window", window, QString::number(x),
                                     QString::number(y), "click", "1"},
                                    display_);
}

bool Xvfb::run(const QStringList& command) const {
    return Run(command.first(), command.mid(1), display_);
}

QImage Xvfb::shot(const QString& path) const {
    if (!run({"import", "-window", "root", path})) return {};
    return QImage(path);
}

int RedInGraph(const QImage& screen) {
    int red = 0;
    for (int y = 2; y < 402 && y < screen.height(); ++y)
        for (int x = 226; x < 626 && x < screen.width(); ++x)
            if (screen.pixel(x, y) == qRgb(255, 0, 0)) ++red;
    return red;
}
