#include "support/xvfb.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool Run(const QString& program, const QStringList& args, const QString& display,
         QByteArray* out = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display);
    env.insert("LC_ALL", "C.UTF-8");  // window titles matched as UTF-8, also with LANG unset
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0) return false;
    if (out) *out = p.readAllStandardOutput();
    return true;
}

}  // namespace

Xvfb::Xvfb(QSize size) {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty() || QStandardPaths::findExecutable("xdotool").isEmpty()) return;
    // -displayfd 1: the server picks a free display and says which on its stdout.
    const QString screen = QString("%1x%2x24").arg(size.width()).arg(size.height());
    server_.start(xvfb, {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"});
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

namespace {

QString WindowTitled(const QString& title, const QString& display) {
    QByteArray windows;
    if (!Run("xdotool", {"search", "--onlyvisible", "--name", "^" + title}, display, &windows))
        return {};
    return QString::fromLatin1(windows.split('\n').value(0)).trimmed();
}

}  // namespace

bool Xvfb::clickTitled(const QString& title, int x, int y) const {
    const QString window = WindowTitled(title, display_);
    return !window.isEmpty() && Run("xdotool",
                                    {"mousemove", "--window", window, QString::number(x),
                                     QString::number(y), "click", "1"},
                                    display_);
}

QSize Xvfb::windowSize(const QString& title) const {
    const QString window = WindowTitled(title, display_);
    QByteArray said;
    if (window.isEmpty() ||
        !Run("xdotool", {"getwindowgeometry", "--shell", window}, display_, &said))
        return {};
    int width = 0, height = 0;
    for (const QByteArray& line : said.split('\n')) {
        if (line.startsWith("WIDTH=")) width = line.mid(6).toInt();
        if (line.startsWith("HEIGHT=")) height = line.mid(7).toInt();
    }
    return QSize(width, height);
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
