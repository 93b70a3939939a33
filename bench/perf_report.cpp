// Measures Kelvira against its budgets on this machine and prints the table:
//   - the benchmark suite (kelvira_bench), median of five repetitions;
//   - start-up to the window shown with the start-up log, Kelvira against the floor
//     program, several runs of each in alternation on a private X screen;
//   - peak resident memory after ten simulated minutes of a lesson, against the floor's, a
//     few runs of each in alternation;
// Figures of several runs are judged run by run against their base's runs beside them: the
// median ratio and its confidence interval, so that the runs' spread alone is no miss.
//   - CPU of the real program on the simulated box, idle and while measuring;
//   - CPU of the class view holding 40 groups' lessons while every group ticks twice a
//     second.
// Ends with 1 when a budget is not held. Options:
//   --out DIR            where the table, the benchmark results and screenshots go (.)
//   --cpu-seconds N      length of each CPU window (60)
//   --startup-runs N     runs of each program for the start-up figures (31)
//   --lesson-minutes N   simulated minutes for the memory figure (10)
//   --memory-runs N      runs of each program for the memory figures (5)
//   --only PARTS         some of suite,startup,memory,cpu,class (all); budgets of the parts left
//                        out read "not measured"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>

#include "bench/budgets.h"
#include "bench/lesson.h"
#include "bench/proc_figures.h"
#include "support/box_rig.h"
#include "support/xvfb.h"

namespace {

void Say(const QString& text) {
    std::printf("%s\n", qPrintable(text));
    std::fflush(stdout);
}

// A folder with the sample configuration files and the simulated box on a pty in it.
class Classroom {
  public:
    explicit Classroom(const QString& sim) {
        CopySamples(dir());
        box_.setProgram(sim);
        box_.setArguments({"--link", link(), "--profile", "cooling"});
        box_.start();
        ready_ = box_.waitForStarted(5000) && box_.waitForReadyRead(5000) &&
                 QString::fromLocal8Bit(box_.readLine()).trimmed() == link();
    }
    ~Classroom() { EndProcess(box_); }
    bool ready() const { return ready_; }
    QString dir() const { return dir_.path(); }
    QString link() const { return dir_.filePath("zanpo"); }
    // A program's environment on `display`. Started as the menu starts it, the program
    // chooses its port itself; `named` puts the box on every port number (KELVIRA_PORT<N>).
    QProcessEnvironment environment(const QString& display, bool trace, bool named) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display);
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("XDG_RUNTIME_DIR", dir());
        env.insert("HOME", dir());  // the lessons measured are recorded there
        env.insert("KELVIRA_TRACE", trace ? "1" : "0");
        for (int port = 1; port <= 4; ++port) {
            const QString variable = QString("KELVIRA_PORT%1").arg(port);
            if (named)
                env.insert(variable, link());
            else
                env.remove(variable);
        }
        return env;
    }
    void removeLock() const { RemovePortLock(link()); }

  private:
    QTemporaryDir dir_;
    QProcess box_;
    bool ready_ = false;
};

// The runs of Kelvira, the floor, Kelvira with its port named and the captioned floor, taken
// in turn. A round counts only when each of the four gave its figure, so that the runs pair.
struct Rounds {
    std::vector<double> ours, floor, named, captioned;

    void add(double a, double b, double c, double d) {
        if (a <= 0 || b <= 0 || c <= 0 || d <= 0) return;
        ours.push_back(a);
        floor.push_back(b);
        named.push_back(c);
        captioned.push_back(d);
    }
    // Every run's figure is kept: the budgets pair each run with the floors' beside it.
    void store(Figures& figures, const QStringList& keys, Unit unit) const {
        if (ours.empty()) return;
        figures[keys[0]] = FromRuns(ours, unit);
        figures[keys[1]] = FromRuns(floor, unit);
        figures[keys[2]] = FromRuns(named, unit);
        figures[keys[3]] = FromRuns(captioned, unit);
    }
};

// Milliseconds from starting `program` to its "trace Window shown" on stderr; -1 when it
// did not say so within 20 s.
double StartUpMs(const QString& program, const QStringList& args, const Classroom& room,
                 const QString& display, bool named) {
    QProcess process;
    process.setProcessEnvironment(room.environment(display, true, named));
    process.setWorkingDirectory(room.dir());
    process.setReadChannel(QProcess::StandardError);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, args);
    double ms = -1;
    QByteArray said;
    while (ms < 0 && clock.elapsed() < 20000 && process.waitForReadyRead(1000)) {
        said += process.readAllStandardError();
        if (said.contains("trace Window shown\n")) ms = clock.nsecsElapsed() / 1e6;
    }
    EndProcess(process);
    room.removeLock();
    return ms;
}

void MeasureStartUp(const QString& kelvira, const QString& floor, int runs, const Classroom& room,
                    const QString& display, Figures& figures) {
    Rounds rounds;
    // The first run of each only fills the caches; the runs alternate so that the machine's
    // moods fall on all alike. The teacher's path: the port chosen by the program.
    for (int run = 0; run <= runs; ++run) {
        const double a = StartUpMs(kelvira, {}, room, display, false);
        const double b = StartUpMs(floor, {}, room, display, false);
        const double c = StartUpMs(kelvira, {}, room, display, true);
        const double d = StartUpMs(floor, {"--captions"}, room, display, false);
        if (run > 0) rounds.add(a, b, c, d);
    }
    rounds.store(figures, {"startup", "floor.startup", "startup.named", "captions.startup"},
                 Unit::Milliseconds);
    auto spread = [runs](const char* who, std::vector<double> ms) {
        std::sort(ms.begin(), ms.end());
        if (ms.empty()) return QString("%1: no run showed its window").arg(who);
        return QString("%1: %2 of %3 runs, %4 / %5 / %6 ms (least / median / most)")
            .arg(who)
            .arg(ms.size())
            .arg(runs)
            .arg(ms.front(), 0, 'f', 1)
            .arg(Median(ms), 0, 'f', 1)
            .arg(ms.back(), 0, 'f', 1);
    };
    Say(spread("start-up, Kelvira", rounds.ours));
    Say(spread("start-up, Kelvira, port named", rounds.named));
    Say(spread("start-up, floor", rounds.floor));
    Say(spread("start-up, floor with Kelvira's captions", rounds.captioned));
}

// The one number a program prints on stdout, or -1.
double NumberPrinted(const QString& program, const QStringList& args,
                     const QProcessEnvironment& env, int timeoutMs, bool showErrors = true) {
    QProcess process;
    process.setProcessEnvironment(env);
    if (showErrors)
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, args);
    if (!process.waitForFinished(timeoutMs) || process.exitCode() != 0) {
        EndProcess(process);
        return -1;
    }
    bool ok = false;
    const double value = process.readAllStandardOutput().trimmed().toDouble(&ok);
    return ok ? value : -1;
}

// Each program several times, in alternation, so that every run of the lesson has the floors'
// runs beside it.
void MeasureMemory(const QString& lesson, const QString& floor, int minutes, int runs,
                   const Classroom& room, const QString& display, Figures& figures) {
    const QProcessEnvironment env = room.environment(display, false, false);
    Rounds rounds;
    for (int run = 0; run < runs; ++run) {
        const double a = NumberPrinted(lesson, {QString::number(minutes)}, env, 600000);
        const double b = NumberPrinted(floor, {"--peak-after", "2000"}, env, 30000, false);
        const double c = NumberPrinted(lesson, {QString::number(minutes)},
                                       room.environment(display, false, true), 600000);
        const double d =
            NumberPrinted(floor, {"--captions", "--peak-after", "2000"}, env, 30000, false);
        rounds.add(a, b, c, d);
    }
    rounds.store(figures, {"peak", "floor.peak", "peak.named", "captions.peak"}, Unit::KiB);
    const double classView = NumberPrinted(CLASS_MEMORY_BIN, {}, env, 300000);
    if (classView > 0) figures["class.peak"] = {classView, Unit::KiB, {}};
}

double CpuShare(pid_t pid, int seconds) {
    const double before = CpuSeconds(pid);
    QElapsedTimer clock;
    clock.start();
    QThread::sleep(static_cast<unsigned long>(seconds));
    const double after = CpuSeconds(pid);
    if (before < 0 || after < 0) return -1;
    return (after - before) / (clock.elapsed() / 1000.0);
}

// The real program on the simulated box: a CPU window idle (polling, no measurement), then
// スタート pressed and a CPU window measuring. The floor idles beside it in the first window.
void MeasureCpu(const QString& kelvira, const QString& floor, int seconds, const Classroom& room,
                const Xvfb& screen, const QString& out, Figures& figures) {
    QProcess program, floorProgram;
    for (QProcess* p : {&program, &floorProgram}) {
        p->setProcessEnvironment(room.environment(screen.display(), false, true));
        p->setWorkingDirectory(room.dir());
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
    }
    program.start(kelvira);
    if (!program.waitForStarted(5000)) return;
    const auto pid = static_cast<pid_t>(program.processId());
    QThread::sleep(6);  // start-up, and the watch hands over to the poll after ten answers
    floorProgram.start(floor);
    floorProgram.waitForStarted(5000);
    QThread::sleep(1);

    const auto floorPid = static_cast<pid_t>(floorProgram.processId());
    const double floorBefore = CpuSeconds(floorPid);
    const double idle = CpuShare(pid, seconds);
    const double floorIdle = (CpuSeconds(floorPid) - floorBefore) / seconds;
    EndProcess(floorProgram);
    const QImage before = screen.shot(out + "/bench-idle.png");

    screen.click(pid, StartButton.x(), StartButton.y());
    QThread::sleep(2);
    const double measuring = CpuShare(pid, seconds);
    const QImage after = screen.shot(out + "/bench-measuring.png");
    const long peak = PeakResidentKiB(pid);
    EndProcess(program);
    room.removeLock();

    // The graph shows the red trace only while a measurement runs.
    const bool measured = RedInGraph(before) == 0 && RedInGraph(after) > 20;
    Say(QString("CPU: the trace %1 in the graph while measuring")
            .arg(measured ? "was drawn" : "was NOT drawn"));
    if (idle >= 0) figures["cpu.idle"] = {idle, Unit::CoreShare, {}};
    if (floorIdle >= 0) figures["floor.cpu.idle"] = {floorIdle, Unit::CoreShare, {}};
    if (measuring >= 0 && measured) figures["cpu.measuring"] = {measuring, Unit::CoreShare, {}};
    if (peak > 0) figures["peak.real"] = {double(peak), Unit::KiB, {}};
}

// Every figure, with what it is.
QString FigureTable(const Figures& figures) {
    const std::vector<std::pair<QString, QString>> rows = {
        {"BM_PollTick", "poll tick: Timer1_Timer with an answer waiting, ShowTemperature, repaint"},
        {"BM_GraphTick", "graph tick mid-page, sample's alert rules tested, repaint"},
        {"BM_GraphTickRecorded", "the same graph tick, its line written to the lesson's file"},
        {"BM_PageTurn", "graph tick that turns the page, repaint"},
        {"BM_RedrawPage", "RedrawPage of a full page (300 ticks), repaint"},
        {"BM_DrawThermometer", "DrawThermometer, repaint"},
        {"BM_DrawGraphFrame", "DrawGraphFrame, repaint"},
        {"BM_DrawOverview/300", "DrawOverview of 300 ticks, repaint"},
        {"BM_DrawOverview/2000", "DrawOverview of 2 000 ticks, repaint"},
        {"BM_DrawOverview/10000", "DrawOverview of 10 000 ticks, repaint"},
        {"BM_PollTick_3x", "poll tick with the window zoomed to 3 times (pictures at ratio 3)"},
        {"BM_GraphTick_3x", "graph tick mid-page, zoomed to 3 times"},
        {"BM_RedrawPage_3x", "RedrawPage of a full page, zoomed to 3 times"},
        {"BM_DrawOverview_3x/10000", "DrawOverview of 10 000 ticks, zoomed to 3 times"},
        {"BM_ReadCustomization", "ReadCustomization, every key and 30 rules"},
        {"BM_ReadCalibration", "ReadCalibration, both tables of 256 values"},
        {"BM_ReadTable", "one table's values from its bytes"},
        {"startup",
         "start-up to the window shown with the start-up log, the port chosen by the program "
         "(median)"},
        {"startup.named", "the same, the port named by KELVIRA_PORT<N> (median)"},
        {"floor.startup", "floor program: start-up to its window shown (median)"},
        {"captions.startup",
         "floor program with Kelvira's captions in its fonts: start-up to its window shown "
         "(median)"},
        {"peak",
         "peak resident memory after 10 simulated minutes of a lesson, the port chosen by the "
         "program"},
        {"peak.named", "the same, the port named by KELVIRA_PORT<N>"},
        {"class.peak", "class view: peak resident memory, 40 groups of 10 000 ticks received"},
        {"page.first", "the page of 40 × 10 000 ticks opened to its whole graph, CPU 6× slower"},
        {"page.redraw", "the page's redraw with 40 groups ticking, 95th percentile, CPU 6× slower"},
        {"page.tap",
         "a tap on a group or on the graph answered (Event Timing), the longest, CPU 6× slower"},
        {"page.heap", "the page's JavaScript heap with 40 × 10 000 ticks"},
        {"page.latency.class", "a tick taken by the class view to the page painted with it (p99)"},
        {"page.latency.own", "a tick recorded by Kelvira to its page painted with it (p99)"},
        {"class.cpu",
         "class view: CPU with 40 groups of 9 800 ticks, each ticking twice a second (20 s)"},
        {"BM_ClassGraph", "class view: the graph of 40 groups of 10 000 ticks drawn, 1600 × 800"},
        {"BM_ShareTick60", "class view: one tick handed to 60 browsers following the shared page"},
        {"BM_GraphTickPublished_BrokerUp",
         "graph tick published to the class, broker on 127.0.0.1"},
        {"BM_GraphTickPublished_BrokerUnreachable",
         "graph tick published to the class, broker unreachable"},
        {"floor.peak", "floor program: peak resident memory"},
        {"captions.peak", "floor program with Kelvira's captions: peak resident memory"},
        {"peak.real", "peak resident memory of the real program after the CPU windows"},
        {"cpu.idle", "CPU while idle (polling the box, no measurement)"},
        {"cpu.measuring", "CPU while measuring (poll and graph on the simulated box)"},
        {"floor.cpu.idle", "floor program: CPU while idle"},
    };
    QString table = "| Figure | Value |\n|---|---:|\n";
    for (const auto& [key, what] : rows) {
        const auto figure = figures.find(key);
        QString value = figure == figures.end() ? "–" : Readable(figure->second);
        if (figure != figures.end() && figure->second.unit == Unit::CoreShare)
            value += QString(" (%1 s/min)").arg(figure->second.value * 60, 0, 'f', 2);
        table += QString("| %1 | %2 |\n").arg(what, value);
    }
    return table;
}

// The page's figures, as page_figures prints them ("page.redraw 12.3", a figure a line).
void MeasurePage(Figures& figures) {
#ifdef PAGE_BIN
    QProcess page;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    page.setProcessEnvironment(env);
    page.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    page.start(PAGE_BIN, {"20"});
    if (!page.waitForFinished(300000)) EndProcess(page);
    for (const QByteArray& line : page.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() != 2) continue;
        const QString key = QString::fromLatin1(words[0]);
        figures[key] = {
            words[1].toDouble(), key == "page.heap" ? Unit::KiB : Unit::Milliseconds, {}};
    }
#else
    (void)figures;
    Say("this build cannot share: no page to measure");
#endif
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({"out", "Folder for the results.", "dir", "."});
    options.addOption({"cpu-seconds", "Length of each CPU window.", "seconds", "60"});
    options.addOption({"startup-runs", "Runs of each program for start-up.", "runs", "31"});
    options.addOption({"lesson-minutes", "Simulated minutes for the memory.", "minutes", "10"});
    options.addOption({"memory-runs", "Runs of each program for the memory.", "runs", "5"});
    options.addOption({"only", "Parts to run: suite,startup,memory,cpu,class,page.", "parts",
                       "suite,startup,memory,cpu,class,page"});
    options.process(app);
    const QStringList parts = options.value("only").split(',');
    const QString out = options.value("out");
    QDir().mkpath(out);

    Figures figures;
    if (parts.contains("suite")) {
        Say("== benchmark suite");
        const QString json = out + "/benchmarks.json";
        QProcess suite;
        suite.setProcessChannelMode(QProcess::ForwardedChannels);
        suite.start(KELVIRA_BENCH_BIN,
                    {"--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true",
                     "--benchmark_out=" + json, "--benchmark_out_format=json"});
        suite.waitForFinished(-1);
        QFile results(json);
        if (results.open(QIODevice::ReadOnly)) figures = BenchmarkFigures(results.readAll());
    }

    Xvfb screen;
    Classroom room(ZANPO_SIM_BIN);
    if (!screen.ok() || !room.ready()) {
        Say("Xvfb, xdotool or the simulated box could not be started");
        return 1;
    }
    if (parts.contains("startup")) {
        Say("== start-up, Kelvira and the floor program");
        MeasureStartUp(KELVIRA_BIN, FLOOR_BIN, options.value("startup-runs").toInt(), room,
                       screen.display(), figures);
    }
    if (parts.contains("memory")) {
        Say("== peak memory after " + options.value("lesson-minutes") + " simulated minutes");
        MeasureMemory(LESSON_BIN, FLOOR_BIN, options.value("lesson-minutes").toInt(),
                      options.value("memory-runs").toInt(), room, screen.display(), figures);
    }
    if (parts.contains("cpu")) {
        Say("== CPU, " + options.value("cpu-seconds") + " s idle, then as long measuring");
        MeasureCpu(KELVIRA_BIN, FLOOR_BIN, options.value("cpu-seconds").toInt(), room, screen, out,
                   figures);
    }

    if (parts.contains("class")) {
        Say("== the class view, 40 groups ticking twice a second");
        const double share = NumberPrinted(
            CLASS_CPU_BIN, {"20"}, room.environment(screen.display(), false, false), 300000);
        if (share >= 0) figures["class.cpu"] = {share, Unit::CoreShare, {}};
    }
    if (parts.contains("page")) {
        Say("== the shared page in a tablet's browser, its CPU 6 times slower");
        MeasurePage(figures);
    }

    const std::vector<Verdict> verdicts = Judge(KelviraBudgets(), figures);
    const QString report = "## Figures\n\n" + FigureTable(figures) + "\n## Budgets\n\n" +
                           VerdictTable(verdicts, figures);
    Say("\n" + report);
    QFile file(out + "/performance.md");
    if (file.open(QIODevice::WriteOnly)) file.write(report.toUtf8());
    const bool held =
        std::all_of(verdicts.begin(), verdicts.end(), [](const Verdict& v) { return v.held; });
    Say(held ? "All budgets hold." : "A budget is NOT held.");
    return held ? 0 : 1;
}
