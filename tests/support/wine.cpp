#include "support/wine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString WineProgram() {
    const QString found = QStandardPaths::findExecutable("wine64");
    return found.isEmpty() ? QStringLiteral("/usr/lib/wine/wine64") : found;
}

}  // namespace

WinePrefix::WinePrefix(const QString& display) : wine_(WineProgram()) {
    QDir().mkpath(home());
    env_ = QProcessEnvironment::systemEnvironment();
    env_.insert("WINEPREFIX", dir_.filePath("prefix"));
    env_.insert("WINEDEBUG", "-all");
    env_.insert("DISPLAY", display);
    // Wine writes a window's title for X in the locale's encoding, and without a UTF-8 one
    // (LANG unset, as on a fresh machine) the Japanese title cannot be found by its name.
    env_.insert("LC_ALL", "C.UTF-8");
    env_.insert("HOME", home());  // the prefix's Documents lead here, not to the user's
    env_.remove("QT_QPA_PLATFORM");
    ok_ = run({"wineboot", "--init"}, 120000);
}

WinePrefix::~WinePrefix() {
    QProcess server;
    server.setProcessEnvironment(env_);
    server.start(QFileInfo(wine_).dir().filePath("wineserver"), {"-k"});
    server.waitForFinished(10000);
}

QString WinePrefix::installed(const QString& name) const {
    return dir_.filePath("prefix/drive_c/Program Files/Kelvira/") + name;
}

bool WinePrefix::run(const QStringList& command, int timeoutMs) {
    QProcess p;
    p.setProcessEnvironment(env_);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(wine_, command);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(2000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool WinePrefix::mapPorts(const QString& com1) {
    for (int n = 1; n <= 4; ++n) {
        const QString device = n == 1 ? com1 : dir_.filePath(QString("no-com%1").arg(n));
        if (!run({"reg", "add", "HKLM\\Software\\Wine\\Ports", "/v", QString("COM%1").arg(n), "/d",
                  device, "/f"}))
            return false;
    }
    // Wine makes its dosdevices from the registry when its server starts.
    QProcess server;
    server.setProcessEnvironment(env_);
    server.start(QFileInfo(wine_).dir().filePath("wineserver"), {"-k"});
    server.waitForFinished(10000);
    if (!run({"cmd", "/c", "exit"})) return false;
    return QFileInfo(dir_.filePath("prefix/dosdevices/com1")).symLinkTarget() ==
           QFileInfo(com1).absoluteFilePath();
}

void WinePrefix::start(QProcess& process, const QString& program, const QStringList& arguments,
                       const QString& folder, const QStringList& environment) {
    QProcessEnvironment env = env_;
    for (const QString& pair : environment)
        env.insert(pair.section('=', 0, 0), pair.section('=', 1));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(wine_, QStringList{program} + arguments);
}
