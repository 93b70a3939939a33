#include "support/box_rig.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

namespace {

// A copy of `program` in `folder`, both open to every user; the copy's path.
QString ShareProgram(const QString& program, const QTemporaryDir& folder) {
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(folder.path(), open);
    const QString copy = folder.filePath(QFileInfo(program).fileName());
    if (!QFileInfo::exists(copy)) QFile::copy(program, copy);
    QFile::setPermissions(copy, open);
    return copy;
}

QString Env(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

// Raw byte r reads r - 40 degrees: raw 63 is 23, raw 35 is -5.
QByteArray CalibrationTable() {
    QByteArray csv = "raw,degrees\r\n";
    for (int raw = 0; raw <= 255; ++raw) csv += QByteArray::number(raw - 40) + "\r\n";
    return csv;
}

}  // namespace

void TraceReader::attach(QProcess& process) {
    attached_ = QObject::connect(&process, &QProcess::readyReadStandardError,
                                 [this, &process] { take(process.readAllStandardError()); });
}

void TraceReader::reset() {
    QObject::disconnect(attached_);
    partial_.clear();
    lines_.clear();
    other_.clear();
    last_.clear();
    printed_.clear();
}

void TraceReader::take(const QByteArray& bytes) {
    partial_ += bytes;
    int end;
    while ((end = partial_.indexOf('\n')) >= 0) {
        // A program on Windows ends its lines with CR LF.
        const QByteArray text = partial_.left(end);
        const QString line = QString::fromUtf8(text.endsWith('\r') ? text.chopped(1) : text);
        partial_.remove(0, end + 1);
        if (line.startsWith(QLatin1String("trace "))) {
            lines_ << line.mid(6);
            const QString name = lines_.last().section(QLatin1Char(' '), 0, 0);
            const QString value = lines_.last().mid(name.size() + 1);
            last_.insert(name, value);
            if (name == QLatin1String("Picture2")) printed_.insert(value);
        } else if (!line.isEmpty()) {
            other_ << line;
            if (other_.size() > 40) other_.removeFirst();
        }
    }
}

QStringList TraceReader::values(const QString& name, int from) const {
    QStringList out;
    const QString prefix = name + QLatin1Char(' ');
    for (int i = from; i < lines_.size(); ++i)
        if (lines_[i].startsWith(prefix)) out << lines_[i].mid(prefix.size());
    return out;
}

BoxRig::BoxRig() {
    writeFile(QStringLiteral("KION.CSV"), CalibrationTable());
    trace.attach(program_);
}

void EndProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
    }
}

QString PortLockPath(const QString& device) {
    QString lock = device;
    if (lock.startsWith(QLatin1String("/dev/"))) lock.remove(0, 5);
    lock.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("/run/lock/LCK..") + lock;
}

void RemovePortLock(const QString& device) {
    QFile::remove(PortLockPath(device));
}

BoxRig::~BoxRig() {
    EndProcess(program_);
    EndProcess(box_);
    RemovePortLock(link());
}

void BoxRig::writeFile(const QString& name, const QByteArray& contents) const {
    QFile file(dir_.filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(contents);
}

bool BoxRig::startBox(const QStringList& options) {
    box_.setProgram(Env("ZANPO_SIM_BIN"));
    box_.setArguments(QStringList{"--link", link(), "--log-file", dir_.filePath("box.log")} +
                      options);
    box_.setWorkingDirectory(dir());
    box_.start();
    if (!box_.waitForStarted(5000)) return false;
    // The box says where it is once its pty and link exist.
    return waitFor([this] { return box_.canReadLine(); }, 5000) &&
           QString::fromLocal8Bit(box_.readLine()).trimmed() == link();
}

bool BoxRig::startProgram(const QString& device, const QStringList& wrapper,
                          const QStringList& env) {
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("KELVIRA_TRACE", "1");
    e.insert("KELVIRA_PORT1", device.isEmpty() ? link() : device);
    e.insert("XDG_RUNTIME_DIR", dir());
    e.insert("HOME", dir());  // lessons are recorded into Documents/Kelvira there
    for (const QString& pair : env) e.insert(pair.section('=', 0, 0), pair.section('=', 1));
    program_.setProcessEnvironment(e);
    program_.setWorkingDirectory(dir());
    QString bin = Env("KELVIRA_BIN");
    if (wrapper.isEmpty()) {
        program_.setProgram(bin);
        program_.setArguments(programArguments);
    } else {
        // Run as another user, the program is a copy in a folder open to all: that user may
        // not reach the build (a clone under /root).
        bin = ShareProgram(bin, programDir_);
        program_.setProgram(wrapper.first());
        program_.setArguments(wrapper.mid(1) + QStringList{bin} + programArguments);
    }
    program_.start();
    return program_.waitForStarted(5000);
}

bool BoxRig::startBoxRunningProgram(const QStringList& options) {
    // The box's stderr carries the program's trace; its own log goes to the file.
    boxRunsProgram_ = true;
    trace.reset();
    trace.attach(box_);
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("KELVIRA_TRACE", "1");
    e.insert("XDG_RUNTIME_DIR", dir());
    e.insert("HOME", dir());
    box_.setProcessEnvironment(e);
    return startBox(options + QStringList{"--run", Env("KELVIRA_BIN")});
}

QList<BoxEvent> BoxRig::boxLog() const {
    QList<BoxEvent> events;
    QFile file(dir_.filePath("box.log"));
    if (!file.open(QIODevice::ReadOnly)) return events;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QStringList parts = line.split(' ');
        if (parts.size() < 2) continue;
        events.push_back({parts[0].toDouble(), parts[1], line.section(' ', 2)});
    }
    return events;
}

int BoxRig::requests(double from, double to) const {
    int n = 0;
    for (const BoxEvent& e : boxLog())
        if (e.what == "rx" && e.details == "f2" && e.seconds >= from && e.seconds < to) ++n;
    return n;
}

double BoxRig::eventTime(const QString& what, double after) const {
    for (const BoxEvent& e : boxLog())
        if (e.what == what && e.seconds > after) return e.seconds;
    return -1;
}

bool BoxRig::waitFor(const std::function<bool()>& condition, int ms) {
    return QTest::qWaitFor(condition, ms);
}

qint64 BoxRig::programPid() const {
    return boxRunsProgram_ ? -1 : program_.processId();
}

long BoxRig::cpuTicks() const {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(programPid()));
    if (!stat.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name (which may hold blanks) start at field 3.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.value(11).toLong() + fields.value(12).toLong();  // utime, stime
}

double BoxRig::cpuShareDuring(const std::function<void()>& during) const {
    QElapsedTimer clock;
    const long before = cpuTicks();
    clock.start();
    during();
    const double seconds = clock.elapsed() / 1000.0;
    return (cpuTicks() - before) / double(sysconf(_SC_CLK_TCK)) / seconds;
}

bool BoxRig::idle(long ticks, double seconds, double share) {
    // A program built with the sanitizers does the same work several times slower; its
    // budget grows with it, so that only a busy loop, not the instrumentation, fails here.
    share *= slowdown();
    return ticks <= share * seconds * double(sysconf(_SC_CLK_TCK)) + 1;
}

bool BoxRig::programRunning() const {
    const QProcess& p = boxRunsProgram_ ? box_ : program_;
    return p.state() == QProcess::Running;
}

QString BoxRig::programEnding() const {
    if (programRunning()) return QStringLiteral("still running");
    const QProcess& p = boxRunsProgram_ ? box_ : program_;
    QString how = p.exitStatus() == QProcess::CrashExit
                      ? QStringLiteral("crashed")
                      : QStringLiteral("exit code %1").arg(p.exitCode());
    const QStringList said = trace.otherLines();
    if (!said.isEmpty()) how += QStringLiteral("; last said: ") + said.join(QStringLiteral(" | "));
    return how;
}

int BoxRig::slowdown() {
    return qEnvironmentVariableIsEmpty("KELVIRA_SANITIZED") ? 1 : 5;
}

QStringList BoxRig::asNobody() {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (geteuid() != 0 || setpriv.isEmpty()) return {};
    return {setpriv, "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
}

void BoxRig::removeLocksOf(qint64 pid) {
    for (const QString& folder : {QStringLiteral("/run/lock"), QStringLiteral("/var/lock")}) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({"LCK..*"}, QDir::Files)) {
            QFile lock(dir.filePath(name));
            if (lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toLongLong() == pid)
                lock.remove();
        }
    }
}
