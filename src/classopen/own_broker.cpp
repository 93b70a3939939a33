#include "classopen/own_broker.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ClassOpen {

namespace {

constexpr int StartMs = 5000;
constexpr int EndMs = 3000;

// The broker ends with the class view, however the view ends: on Windows it is put in a job
// the system ends when the view's handle to it closes, as it does when the view ends.
void EndsWithThisProgram(qint64 pid) {
#ifdef Q_OS_WIN
    static const HANDLE job = [] {
        HANDLE made = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (made && !SetInformationJobObject(made, JobObjectExtendedLimitInformation, &limits,
                                             sizeof limits)) {
            CloseHandle(made);
            made = nullptr;
        }
        return made;
    }();
    if (!job) return;
    const HANDLE process =
        OpenProcess(PROCESS_SET_QUOTA | PROCESS_TERMINATE, FALSE, static_cast<DWORD>(pid));
    if (!process) return;
    AssignProcessToJobObject(job, process);
    CloseHandle(process);
#else
    Q_UNUSED(pid);  // on Linux the child asks for it itself (PR_SET_PDEATHSIG)
#endif
}

}  // namespace

OwnBroker::OwnBroker() {
    process_.setProcessChannelMode(QProcess::MergedChannels);
#ifdef Q_OS_LINUX
    // The broker ends with the class view, however the view ends.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
    QObject::connect(&process_, &QProcess::readyRead, [this] { read(); });
    QObject::connect(&process_, &QProcess::finished, [this] {
        read();
        if (!stopping_ && ended) ended();
    });
}

OwnBroker::~OwnBroker() {
    stop();
}

bool OwnBroker::start(OpenClass open, const QString& program, int tries) {
    stop();
    error_.clear();
    open_ = std::move(open);
#ifdef Q_OS_LINUX
    // Started as root, Mosquitto would become its own user, who cannot read this user's
    // private folder: it stays this user.
    if (open_.user.isEmpty() && geteuid() == 0) open_.user = QStringLiteral("root");
#endif
    if (program.isEmpty()) {
        error_ = QStringLiteral("Mosquitto's broker is not installed");
        return false;
    }
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no folder for the broker's configuration");
        return false;
    }
    const int first = open_.port;
    for (int port = first; port < first + std::max(1, tries); ++port) {
        bool taken = false;
        if (startOn(port, program, taken)) return true;
        if (!taken) return false;
    }
    return false;
}

bool OwnBroker::startOn(int port, const QString& program, bool& portTaken) {
    open_.port = port;
    const QString path = dir_.filePath(QStringLiteral("class.conf"));
    QFile file(path);
    // The join code and the teacher's secret: for this user's eyes alone.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) ||
        file.write(BrokerConfiguration(open_).toUtf8()) < 0 || !file.flush()) {
        error_ = QStringLiteral("cannot write ") + path;
        return false;
    }
    file.close();
    pending_.clear();
    said_.clear();
    stopping_ = false;
    runs_ = portTaken_ = false;
    process_.start(program, {QStringLiteral("-c"), path});
    if (process_.waitForStarted(StartMs)) EndsWithThisProgram(process_.processId());
    const QDeadlineTimer deadline(StartMs);
    while (!runs_ && !deadline.hasExpired()) {
        if (!process_.waitForReadyRead(100) && process_.state() == QProcess::NotRunning) break;
    }
    read();
    const bool runs = runs_;
    portTaken = portTaken_;
    if (runs && process_.state() == QProcess::Running) return true;
    stopping_ = true;
    process_.kill();
    process_.waitForFinished(EndMs);
    error_ = portTaken ? QStringLiteral("the port %1 is taken").arg(port)
                       : QStringLiteral("the broker did not start: ") +
                             said_.join(QLatin1Char(' ')).trimmed();
    return false;
}

void OwnBroker::read() {
    pending_ += process_.readAll();
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(pending_.left(end));
        pending_.remove(0, end + 1);
        if (!runs_) {  // what it says while it starts, for the error if it does not
            said_ << line;
            runs_ = SaysRunning(line);
            portTaken_ = portTaken_ || SaysPortTaken(line);
        }
        if (const auto refusal = RefusalOfLogLine(line); refusal && refused) refused(*refusal);
    }
}

void OwnBroker::stop() {
    if (process_.state() == QProcess::NotRunning) return;
    stopping_ = true;
    process_.terminate();
    if (!process_.waitForFinished(EndMs)) {
        process_.kill();
        process_.waitForFinished(EndMs);
    }
}

ClassLink::ClassAddress OwnBroker::teacherAddress() const {
    ClassLink::ClassAddress address;
    // Where the broker listens: every address, this PC's own among them, or the one named.
    address.host = open_.host.isEmpty() ? QStringLiteral("127.0.0.1") : open_.host;
    address.port = open_.port;
    address.user = QString::fromLatin1(TeacherUser);
    address.password = open_.teacher;
    address.className = open_.className;
    return address;
}

QString FindBrokerProgram(const QString& besides) {
#ifdef Q_OS_WIN
    const QString shipped = QDir(besides).filePath(QStringLiteral("mosquitto.exe"));
    return QFileInfo(shipped).isExecutable() ? shipped : QString();
#else
    Q_UNUSED(besides);
    const QString found = QStandardPaths::findExecutable(
        QStringLiteral("mosquitto"),
        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    return found.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("mosquitto")) : found;
#endif
}

}  // namespace ClassOpen
