// End-to-end rig: the real program against the simulated Zanpo, each in its own process,
// in a temporary working folder. The program traces what its window shows
// (KELVIRA_TRACE=1); the box logs every byte with its time (zanpo-sim --log-file).
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// Ends a process: asked first, killed when it does not go within 3 s.
void EndProcess(QProcess& process);
// The lock file QSerialPort keeps for `device` while it has the port open.
QString PortLockPath(const QString& device);
// Removes the lock file QSerialPort keeps for `device`. A program ended by a signal leaves it
// behind (harmless, the next opener sees it is stale); tests should not pile them up.
void RemovePortLock(const QString& device);

// Lines of the start-up log the end-to-end tests wait for.
inline const QString FirstNotice = QStringLiteral("「ざんぽ」初期化中。");
inline const QString Missing = QStringLiteral("ざんぽが接続されていません!");
inline const QString Announced = QStringLiteral("初期化継続中！・・・あと３秒");

// What the window showed, line by line, as the program traced it.
class TraceReader {
  public:
    TraceReader() = default;
    TraceReader(const TraceReader&) = delete;
    TraceReader& operator=(const TraceReader&) = delete;
    // Lets go of the process: one destroyed after its reader still reports its last output.
    ~TraceReader() { QObject::disconnect(attached_); }
    void attach(QProcess& process);  // collects "trace ..." lines from its stderr
    void reset();                    // lets go of the process and forgets what it read
    int size() const { return lines_.size(); }
    // Values traced for `name` (e.g. "Text1", "Picture2"), from line `from` on.
    QStringList values(const QString& name, int from = 0) const;
    QString last(const QString& name) const { return last_.value(name); }  // empty when none
    bool seen(const QString& name) const { return last_.contains(name); }
    bool printed(const QString& text) const { return printed_.contains(text); }
    const QStringList& lines() const { return lines_; }
    // The last 40 lines of stderr that were not trace lines (Qt's warnings, a crash report).
    QStringList otherLines() const { return other_; }

  private:
    void take(const QByteArray& bytes);
    QMetaObject::Connection attached_;
    QByteArray partial_;
    QStringList lines_;
    QStringList other_;
    // Kept as the lines come, so that a start-up log of many thousand lines stays cheap.
    QHash<QString, QString> last_;
    QSet<QString> printed_;
};

// One line of the box's log: "<seconds> <what> <details>".
struct BoxEvent {
    double seconds = 0;
    QString what;     // open, rx, tx, noise, vanish, return, program
    QString details;  // e.g. "f2", "3c 91", "/tmp/x/zanpo -> /dev/pts/3"
};

class BoxRig {
  public:
    BoxRig();
    ~BoxRig();
    BoxRig(const BoxRig&) = delete;
    BoxRig& operator=(const BoxRig&) = delete;

    // The working folder; KION.CSV there maps raw byte r to r - 40 degrees.
    QString dir() const { return dir_.path(); }
    QString link() const { return dir_.filePath("zanpo"); }
    void writeFile(const QString& name, const QByteArray& contents) const;

    // Starts the box with `options` (after --link and --log-file); false when it failed.
    bool startBox(const QStringList& options);
    // Starts the program on `device` (the box's link by default); `wrapper` runs it
    // (e.g. setpriv ...); `env` adds variables.
    bool startProgram(const QString& device = {}, const QStringList& wrapper = {},
                      const QStringList& env = {});
    // Starts the box with --run: the box starts the program itself.
    bool startBoxRunningProgram(const QStringList& options);

    QList<BoxEvent> boxLog() const;
    // Received request bytes (rx f2) in [from, to) seconds of the box's clock.
    int requests(double from = 0, double to = 1e9) const;
    // Seconds of the first box event `what` (after `after`), or -1.
    double eventTime(const QString& what, double after = -1) const;

    // Waits up to `ms`, keeping the event loop turning, until `condition` holds.
    static bool waitFor(const std::function<bool()>& condition, int ms);

    // CPU time the program has used, in clock ticks (utime + stime of /proc/PID/stat).
    long cpuTicks() const;
    // The share of one core the program used while `during` ran (0.01 is 1 %).
    double cpuShareDuring(const std::function<void()>& during) const;
    // True when `ticks` of CPU over `seconds` stay under `share` of one core, allowing one
    // tick for the clock's granularity (10 ms) in short windows.
    static bool idle(long ticks, double seconds, double share = 0.02);
    // A wrapper for startProgram that runs the program as nobody (setpriv); empty when the
    // tests are not root or setpriv is missing.
    static QStringList asNobody();
    // Removes the serial ports' lock files that the process `pid` left: a program killed by
    // SIGKILL cannot remove its own.
    static void removeLocksOf(qint64 pid);
    // How many times slower the program runs in this build: 5 with the sanitizers, else 1.
    static int slowdown();
    bool programRunning() const;
    // How the program ended and what it said last, for a failure message.
    QString programEnding() const;
    int programExitCode() const { return program_.exitCode(); }
    QProcess::ExitStatus programExitStatus() const { return program_.exitStatus(); }
    qint64 programPid() const;

    TraceReader trace;
    // What startProgram gives the program on its command line.
    QStringList programArguments;

  private:
    QTemporaryDir dir_;
    QTemporaryDir programDir_;  // the program copied for another user
    QProcess box_;
    QProcess program_;
    bool boxRunsProgram_ = false;
};

// Fails the calling test (returns from it) unless the program is still running.
#define QVERIFY_ALIVE(rig) \
    QVERIFY2((rig).programRunning(), qPrintable("the program has ended: " + (rig).programEnding()))
